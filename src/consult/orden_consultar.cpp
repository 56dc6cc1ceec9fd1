#include "consult/orden_consultar.h"

#include "consult/consulta.h"
#include "core/estado_global.h"
#include "output/fichero_boletos.h"

#include <QLocale>

namespace quiniela {

namespace {

// En la consola los boletos van separados por cuatro blancos, y su título encima.
const QString SeparadorBoletos = QStringLiteral("    ");
constexpr int AnchoBoletoConsola = 12;

// Sin blancos al final de la línea (los huecos del último boleto).
QString SinBlancosFinales(QString linea) {
    while (linea.endsWith(u' '))
        linea.chop(1);
    return linea;
}

void EscribeBloque(const BloqueBoletos& bloque, QTextStream& out) {
    QString titulos;
    for (const QString& titulo : bloque.Titulos)
        titulos += titulo.leftJustified(AnchoBoletoConsola - 1) + u' ';
    out << SinBlancosFinales(titulos) << '\n';
    for (int j = 1; j <= NumPartidos; ++j)
        out << SinBlancosFinales(bloque.Linea(j, SeparadorBoletos)) << '\n';
}

struct PeticionConsultar {
    int Jornada = 0;
    int Orden = 0;
    int Boleto = 1;
};

std::optional<PeticionConsultar> LeePeticion(const EstadoGlobal& estado, QStringList args,
                                             QTextStream& err) {
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto boleto = TomaOpcion(args, QStringLiteral("--boleto"));
    if (!jornada || !orden || !args.isEmpty()) {
        err << "Uso: quiniela-cli consultar --jornada J --orden O [--boleto N]\n";
        return std::nullopt;
    }
    const auto j = JornadaEnRango(estado, jornada);
    const auto o = EnteroEnRango(orden, 1, MaxOrden);
    const auto n = boleto ? EnteroEnRango(boleto, 1, 99'999'999) : std::optional<int>(1);
    if (!j || !o || !n) {
        err << TextoRangoJornada(estado) << ", el orden de 1 a " << MaxOrden
            << " y el boleto desde 1.\n";
        return std::nullopt;
    }
    return PeticionConsultar{*j, *o, *n};
}

int OrdenConsultar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    const auto p = LeePeticion(estado, argumentos, salida.Err);
    if (!p)
        return 1;
    estado.Datos.JornadaActual = static_cast<int16_t>(p->Jornada);
    estado.Datos.OrdenActual = static_cast<int16_t>(p->Orden);
    Consulta consulta(estado);
    if (!consulta.CargaConsulta()) {
        if (consulta.Fallo().isEmpty())
            salida.Err << "No existe la reducción de la jornada " << p->Jornada << " con el orden "
                       << p->Orden << ": falta su fichero de columnas " << estado.FicheroApuestas
                       << ".\n";
        return 1;
    }
    if (!consulta.IrABoleto(p->Boleto)) {
        const int64_t boletos =
            (consulta.RegistrosBoletos() + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
        salida.Err << "No existe el boleto " << p->Boleto << ": la reducción ocupa " << boletos
                   << (boletos == 1 ? " boleto.\n" : " boletos.\n");
        return 1;
    }
    salida.Out << consulta.TextoBoletos(QLocale()) << '\n';
    EscribeBloque(consulta.BloqueActual(), salida.Out);
    return 0;
}

} // namespace

Orden DescripcionOrdenConsultar() {
    return {QStringLiteral("consultar"),
            QStringLiteral("consultar --jornada J --orden O [--boleto N]  muestra el número de "
                           "boletos y los tres boletos del bloque del boleto N (por defecto 1)"),
            OrdenConsultar};
}

} // namespace quiniela
