#include "reduction/orden_valor.h"

#include "core/estado_global.h"
#include "core/ficheros.h"
#include "matchdays/fichero_probabilidades.h"
#include "reduction/texto_valor.h"
#include "reduction/valor_apuesta.h"
#include "scrutiny/premios_medios.h"
#include "settings/datos_generales.h"

#include <QRegularExpression>

namespace quiniela {

namespace {

const QString Uso = QStringLiteral("Uso: quiniela-cli valor --jornada J --orden O "
                                   "[--premios P15,P14,P13,P12,P11,P10] [--csv]\n");

// Seis importes separados por comas, o por punto y coma si llevan coma decimal.
std::optional<PremiosValor> LeePremios(const QString& texto) {
    QStringList partes = texto.split(u',');
    if (partes.size() != CategoriasValor)
        partes = texto.split(u';');
    if (partes.size() != CategoriasValor)
        return std::nullopt;
    static const QRegularExpression numero(QStringLiteral("^\\d+([.,]\\d+)?$"));
    PremiosValor premios;
    for (int i = 0; i < CategoriasValor; ++i) {
        QString p = partes.at(i).trimmed();
        if (!numero.match(p).hasMatch())
            return std::nullopt;
        premios[size_t(i)] = p.replace(u',', u'.').toDouble();
    }
    return premios;
}

struct ArgumentosValor {
    int Jornada = 0;
    int Orden = 0;
    std::optional<PremiosValor> Premios;
    bool Csv = false;
};

std::optional<ArgumentosValor> LeeArgumentos(QStringList args, QTextStream& err) {
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto premios = TomaOpcion(args, QStringLiteral("--premios"));
    ArgumentosValor a;
    a.Csv = TomaBandera(args, QStringLiteral("--csv"));
    if (!ArgumentosCompletos(args, !jornada || !orden, Uso, err))
        return std::nullopt;
    const auto j = EnteroEnRango(jornada, 1, 99);
    const auto o = EnteroEnRango(orden, 1, MaxOrden);
    if (!j || !o) {
        err << "La jornada va de 1 a 99 y el orden de 1 a " << MaxOrden << ".\n";
        return std::nullopt;
    }
    if (premios) {
        a.Premios = LeePremios(*premios);
        if (!a.Premios) {
            err << "Los premios son seis importes (de 15 a 10 aciertos) separados por comas "
                   "(o por punto y coma si llevan coma decimal).\n";
            return std::nullopt;
        }
    }
    a.Jornada = *j;
    a.Orden = *o;
    return a;
}

// El valor del fichero de columnas de la jornada y orden; el mensaje si no se pudo.
std::optional<ValorApuesta> ValorGuardado(EstadoGlobal& estado, const ProbabilidadesJornada& p,
                                          const ArgumentosValor& a, QTextStream& err) {
    estado.ActualizaFicheroApuestas();
    const auto fichero = AbreFicheroApuestas(estado);
    if (!fichero) {
        if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
            err << "La jornada " << a.Jornada << ", orden " << a.Orden
                << " no tiene fichero de columnas (" << estado.FicheroApuestas
                << "): no hay reducción que valorar.\n";
        return std::nullopt;
    }
    const ResultadoValor r = ValorDeFichero(*fichero, p);
    if (r.Fin == FinValor::LineaMala) {
        err << "La línea " << r.LineaMala << " de " << estado.FicheroApuestas
            << " no es una columna de 1, X y 2.\n";
        return std::nullopt;
    }
    if (r.Fin != FinValor::Hecho) {
        err << "No se ha podido leer " << estado.FicheroApuestas << ".\n";
        return std::nullopt;
    }
    return r.Valor;
}

int OrdenValor(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    const auto a = LeeArgumentos(argumentos, salida.Err);
    if (!a)
        return 1;
    estado.Datos.JornadaActual = int16_t(a->Jornada);
    estado.Datos.OrdenActual = int16_t(a->Orden);
    const auto estimaciones = LeeEstimaciones(estado, a->Jornada);
    if (!estimaciones)
        return 1;
    const auto valor = ValorGuardado(estado, ProbabilidadesDe(*estimaciones), *a, salida.Err);
    if (!valor)
        return 1;
    const PremiosValor premios = a->Premios ? *a->Premios : PremiosMedios(estado);
    const ImportesValor importes =
        CalculaImportes(*valor, premios, ValorNumerico(estado.Datos.PrecioApuesta));
    if (a->Csv) {
        salida.Out << CsvValor(*valor, importes);
        return 0;
    }
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    salida.Out << "Valor de la apuesta: jornada " << a->Jornada << ", orden " << a->Orden;
    if (!HayEstimaciones(*estimaciones))
        salida.Out << " (sin estimaciones: cada signo cuenta 1/3)";
    salida.Out << "\n\n";
    for (const QString& linea : LineasValor(*valor, importes, espanol))
        salida.Out << linea << "\n";
    return 0;
}

} // namespace

Orden DescripcionOrdenValor() {
    return {QStringLiteral("valor"),
            QStringLiteral("valor --jornada J --orden O [--premios P15,P14,P13,P12,P11,P10] "
                           "[--csv]  probabilidad de cada premio, columnas y premio esperados y "
                           "rendimiento de la reducción con las estimaciones de la jornada (sin "
                           "--premios, la media de las jornadas escrutadas)"),
            OrdenValor};
}

} // namespace quiniela
