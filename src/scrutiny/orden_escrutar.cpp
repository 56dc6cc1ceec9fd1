#include "scrutiny/orden_escrutar.h"

#include "cli/linea_ordenes.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/impresora.h"
#include "reduction/fichero_bases.h"
#include "scrutiny/informe_escrutinio.h"
#include "scrutiny/realiza_escrutinio.h"

#include <QLocale>
#include <QRegularExpression>

#include <optional>

namespace quiniela {

namespace {

// Jornada y orden: la jornada puede pasar del total de la temporada si se bajó después.
std::optional<int> LeeEntero(const QString& texto, int maximo) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{1,2}$"));
    if (!cifras.match(texto).hasMatch() || texto.toInt() < 1 || texto.toInt() > maximo)
        return std::nullopt;
    return texto.toInt();
}

// SIGNOS: 15 caracteres "1", "X" (o "x"), "2" o "-" (partido sin resultado).
std::optional<MarcasGanadora> LeeGanadora(const QString& texto) {
    if (texto.size() != NumPartidos)
        return std::nullopt;
    MarcasGanadora marcas{};
    for (int j = 1; j <= NumPartidos; ++j) {
        const int signo = QStringLiteral("-1X2").indexOf(texto.at(j - 1).toUpper());
        if (signo < 0)
            return std::nullopt;
        marcas[j][signo] = 1; // el 0 es "sin resultado"
    }
    return marcas;
}

// Seis premios separados por comas, o por punto y coma si se escriben con coma decimal.
std::optional<TextosPremio> LeePremios(const QString& texto) {
    QStringList partes = texto.split(u',');
    if (partes.size() != NumCategorias)
        partes = texto.split(u';');
    if (partes.size() != NumCategorias)
        return std::nullopt;
    static const QRegularExpression numero(QStringLiteral("^\\d*([.,]\\d*)?$"));
    TextosPremio textos;
    for (int k = 1; k <= NumCategorias; ++k) {
        const QString p = partes.at(k - 1).trimmed();
        if (p.size() > AnchoTextoPremio || !numero.match(p).hasMatch())
            return std::nullopt;
        textos[k] = p;
    }
    return textos;
}

struct ArgumentosEscrutar {
    int Jornada = 0;
    int Orden = 0;
    EntradaEscrutinio Entrada;
    std::optional<QString> Informe;
};

std::optional<ArgumentosEscrutar> LeeArgumentos(const EstadoGlobal& estado, QStringList args,
                                                QTextStream& err) {
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto ganadora = TomaOpcion(args, QStringLiteral("--ganadora"));
    const auto premios = TomaOpcion(args, QStringLiteral("--premios"));
    ArgumentosEscrutar a;
    a.Informe = TomaOpcion(args, QStringLiteral("--informe"));
    if (!ArgumentosCompletos(args, !jornada || !orden || !ganadora || !premios,
                             QStringLiteral("Uso: quiniela-cli escrutar --jornada J --orden O "
                                            "--ganadora SIGNOS --premios P1,P2,P3,P4,P5,P6 "
                                            "[--informe FICHERO.pdf]\n"),
                             err))
        return std::nullopt;
    const auto j = LeeEntero(*jornada, estado.Datos.TotalJornadas);
    const auto o = LeeEntero(*orden, MaxOrden);
    const auto marcas = LeeGanadora(*ganadora);
    const auto textos = LeePremios(*premios);
    if (!j || !o) {
        err << TextoRangoJornada(estado) << " y el orden de 1 a " << MaxOrden << ".\n";
        return std::nullopt;
    }
    if (!marcas) {
        err << "La columna ganadora son 15 signos 1, X o 2, con \"-\" en los partidos sin "
               "resultado.\n";
        return std::nullopt;
    }
    if (!textos) {
        err << "Los premios son seis importes de 11 caracteres como mucho, separados por comas "
               "(o por punto y coma si llevan coma decimal).\n";
        return std::nullopt;
    }
    a.Jornada = *j;
    a.Orden = *o;
    a.Entrada = EntradaEscrutinio{*marcas, *textos};
    return a;
}

int EscribeInforme(const EstadoGlobal& estado, const ResultadoEscrutinio& r, const QString& ruta,
                   QTextStream& err) {
    auto impresora = CreaImpresoraPdf(ruta);
    if (!impresora) {
        err << "Esta instalación no puede escribir PDF.\n";
        return 1;
    }
    const DatosInforme datos{estado.Datos.JornadaActual, estado.Datos.OrdenActual,
                             estado.Datos.FechaJornada, estado.RegistroJornada, QLocale()};
    if (!ImprimeInformeEscrutinio(*impresora, datos, r)) {
        err << impresora->Error() << "\n";
        return 1;
    }
    return 0;
}

int OrdenEscrutar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    auto a = LeeArgumentos(estado, argumentos, salida.Err);
    if (!a)
        return 1;
    // El informe que no se podría escribir se dice antes de escrutar: nada cambia.
    if (a->Informe) {
        if (const QString motivo = MotivoSalidaNoValida(estado.CarpetaDatos, *a->Informe);
            !motivo.isEmpty()) {
            salida.Err << "No se puede escribir el informe en " << *a->Informe << ": " << motivo
                       << ".\n";
            return 1;
        }
    }
    CargaJornadaYOrden(estado, a->Jornada, a->Orden);
    ResultadoEscrutinio r;
    switch (RealizaEscrutinio(estado, a->Entrada, r)) {
    case FinEscrutinio::GanadoraIncompleta:
        salida.Err << TituloGanadoraIncompleta() << "\n" << TextoGanadoraIncompleta() << "\n";
        return 2;
    case FinEscrutinio::SinColumnas:
        salida.Err << "La jornada " << a->Jornada << ", orden " << a->Orden
                   << " no tiene fichero de columnas (" << estado.FicheroApuestas
                   << "): no hay reducción que escrutar.\n";
        return 1;
    case FinEscrutinio::ErrorFichero:
        return 1;
    case FinEscrutinio::Hecho:
        break;
    }
    for (const QString& linea : LineasAciertos(r))
        salida.Out << linea << '\n';
    salida.Out << '\n';
    for (const BoletoPremiado& b : r.Boletos)
        salida.Out << LineaBoleto(b) << '\n';
    return a->Informe ? EscribeInforme(estado, r, *a->Informe, salida.Err) : 0;
}

} // namespace

Orden DescripcionOrdenEscrutar() {
    return {QStringLiteral("escrutar"),
            QStringLiteral("escrutar --jornada J --orden O --ganadora SIGNOS --premios "
                           "P1,P2,P3,P4,P5,P6 [--informe FICHERO.pdf]  escruta la reducción "
                           "(SIGNOS: 15 de 1, X, 2 o \"-\" sin resultado) y guarda la columna "
                           "ganadora y los premios"),
            OrdenEscrutar};
}

} // namespace quiniela
