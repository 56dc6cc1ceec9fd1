#include "output/relacion.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "output/fichero_boletos.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"

#include <algorithm>
#include <array>

namespace quiniela {

namespace {

// Caracteres de un boleto en cada fila: ocho columnas de " " + signo.
constexpr int AnchoBoleto = 2 * ColumnasPorBoleto;

void ImprimeCabeceraPagina(Impresora& impresora, const EstadoGlobal& estado, int anchoPapel) {
    for (int i = 0; i < 3; ++i)
        impresora.Imprime();
    impresora.Imprime(LineaCabeceraRelacion(estado.Datos.JornadaActual, estado.Datos.FechaJornada,
                                            estado.Datos.OrdenActual, anchoPapel,
                                            impresora.Pagina()));
    impresora.Imprime();
}

std::vector<std::string> LeeBloque(LectorBoletos& lector, int registros) {
    std::vector<std::string> bloque;
    bloque.reserve(size_t(registros));
    for (int i = 0; i < registros; ++i)
        bloque.emplace_back(lector.Siguiente());
    return bloque;
}

// Recorre los bloques del rango; deja en el resultado cómo acabó.
void RecorreBloques(EstadoGlobal& estado, Impresora& impresora, LectorBoletos& lector,
                    const OpcionesRelacion& o, ResultadoImpresion& r) {
    const int registros = RegistrosPorBloque(o.AnchoPapel);
    const int boletos = BoletosPorBloque(o.AnchoPapel);
    // El último boleto que puede salir: el del final del rango, si no pasa del total.
    const int64_t ultimo =
        std::min(o.Rango.Final, CalculaBoletos(estado.Red.Base, estado.Red.ApuestasReducidas));
    while (lector.QuedanRegistros()) {
        const int64_t primero = (lector.Registro() + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
        const std::vector<std::string> bloque = LeeBloque(lector, registros);
        if (lector.Danado())
            return MarcaBoletosDanados(r);
        for (const QString& linea : LineasBloqueRelacion(bloque, primero, boletos))
            impresora.Imprime(linea);
        Avisa(o.Avisos, TextoImprimiendoBoleto(std::min(primero + boletos - 1, ultimo)));
        if (++r.Impresos % BloquesPorPagina == 0) {
            impresora.NuevaPagina();
            if (lector.QuedanRegistros())
                ImprimeCabeceraPagina(impresora, estado, o.AnchoPapel);
        }
        ProcesaEventos();
        if (Cancelado(o.Avisos)) {
            r.Fin = FinImpresion::Cancelada;
            return;
        }
    }
}

} // namespace

QStringList EntradasAnchoPapel() {
    return {QStringLiteral("Papel estrecho (Din A4)"), QStringLiteral("Papel ancho (350 mm.)")};
}

ResultadoImpresion ImprimeRelacion(EstadoGlobal& estado, Impresora& impresora,
                                   const OpcionesRelacion& opciones) {
    ResultadoImpresion r;
    LectorBoletos lector;
    if (!lector.Abre(estado, opciones.Rango, opciones.Avisos.CancelarProceso, r))
        return r;
    impresora.PonPapel(PapelImpresora::A4);
    if (opciones.AnchoPapel == 1)
        impresora.PonAnchoPagina(AnchoPapel350Twips);
    impresora.ApartaDeLosBordes();
    impresora.PonFuente(QStringLiteral("Courier New"), 9.75, false);
    impresora.PonPosicion(0, 0);
    ImprimeCabeceraPagina(impresora, estado, opciones.AnchoPapel);
    RecorreBloques(estado, impresora, lector, opciones, r);
    TerminaDocumento(impresora, r);
    return r;
}

QString LineaCabeceraRelacion(int jornada, const QString& fecha, int orden, int anchoPapel,
                              int pagina) {
    return QString(20, u' ') + QStringLiteral("JORNADA NRO. ") + ADerecha(jornada, 2) +
           QStringLiteral(" DE FECHA ") + fecha + QStringLiteral(" (Orden ") + ADerecha(orden, 2) +
           u')' + QString(50 * anchoPapel + 14, u' ') + QStringLiteral("Página..: ") +
           QString::number(pagina);
}

std::vector<QString> LineasBloqueRelacion(const std::vector<std::string>& registros,
                                          int64_t primerBoleto, int boletosPorBloque) {
    std::array<QString, NumPartidos> filas;
    for (const std::string& registro : registros)
        for (int i = 0; i < NumPartidos; ++i)
            filas[i] += u' ' + QChar::fromLatin1(i < int(registro.size()) ? registro[i] : ' ');
    QString rotulos(10, u' ');
    QString rayas(10, u' ');
    for (int t = 1; t <= boletosPorBloque; ++t) {
        const qsizetype primerSigno = AnchoBoleto * t - 14; // desde 1
        if (primerSigno > filas[0].size() || filas[0].at(primerSigno - 1) == u' ')
            continue;
        rotulos += QStringLiteral("Boleto") + ADerecha(primerBoleto + t - 1, 6) + QString(9, u' ');
        rayas += QString(15, u'-') + QString(6, u' ');
    }
    std::vector<QString> lineas(4);
    lineas.push_back(rotulos);
    lineas.push_back(rayas);
    lineas.emplace_back();
    for (int i = 1; i <= NumPartidos; ++i) {
        QString fila = QStringLiteral("   ") + ADerecha(i, 2) + QStringLiteral(" -  ");
        for (int t = 1; t <= boletosPorBloque; ++t)
            fila +=
                filas[i - 1].mid(AnchoBoleto * (t - 1), AnchoBoleto).leftJustified(AnchoBoleto) +
                QString(5, u' ');
        lineas.push_back(fila);
    }
    return lineas;
}

} // namespace quiniela
