#include "scrutiny/informe_escrutinio.h"

#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/impresora.h"

namespace quiniela {

namespace {

constexpr int XBoletos = 2800;
constexpr int YPrimerBoleto = 11600;
constexpr int PasoBoleto = 250;
constexpr int YUltimoBoleto = 15000;
constexpr int YBoletoPaginaNueva = 750;

const QString& CabeceraBoletos() {
    static const QString c = QStringLiteral("Boleto nro.  15   14   13   12   11   10");
    return c;
}

QString Importe13(double valor, const QLocale& regional) {
    return ADerecha(FormatoNumero(valor, u"##,###,##0.00", regional), 13);
}

void ImprimeEn(Impresora& impresora, int x, int y, const QString& texto) {
    impresora.PonPosicion(x, y);
    impresora.Imprime(texto);
}

void ImprimeBloqueIzquierdo(Impresora& impresora, const DatosInforme& datos,
                            const ResultadoEscrutinio& r) {
    impresora.PonFuente(QStringLiteral("Courier New"), 9.75, true);
    impresora.Imprime();
    impresora.Imprime(LineaCabeceraInforme(datos));
    impresora.Imprime();
    impresora.Imprime();
    impresora.PonNegrita(false);
    impresora.Imprime(QString(13, u' ') + QStringLiteral("Columna ganadora"));
    impresora.Imprime(QString(41, u'-'));
    for (int j = 1; j <= NumPartidos; ++j)
        impresora.Imprime(
            LineaPartidoInforme(datos.RegistroJornada, j, r.ColumnaGanadora.at(j - 1)));
}

void ImprimePremiosYAciertos(Impresora& impresora, const DatosInforme& datos,
                             const ResultadoEscrutinio& r) {
    ImprimeEn(impresora, 6000, 1500, QStringLiteral("Premios a repartir por categoría"));
    ImprimeEn(impresora, 6000, 1700, QString(32, u'*'));
    for (int k = 1; k <= NumCategorias; ++k)
        ImprimeEn(impresora, 6050, 1800 + 350 * k,
                  LineaPremioInforme(r.Premios[k], k, datos.Regional));
    ImprimeEn(impresora, 1800, 5400, QStringLiteral("         Aciertos agrupados por categoría"));
    ImprimeEn(impresora, 1800, 5650, u' ' + QString(47, u'='));
    for (int i = 1; i <= NumPartidos + 1; ++i)
        ImprimeEn(impresora, 1800, 5700 + 250 * i,
                  LineaAgrupadaInforme(r, NumPartidos + 1 - i, datos.Regional));
    ImprimeEn(impresora, 2850, 10100, LineaTotalInforme(r, datos.Regional));
}

void ImprimeBoletos(Impresora& impresora, const DatosInforme& datos, const ResultadoEscrutinio& r) {
    ImprimeEn(impresora, XBoletos, 11000, QStringLiteral("Localización de aciertos en boletos"));
    ImprimeEn(impresora, XBoletos, 11160, QString(40, u'-'));
    ImprimeEn(impresora, XBoletos, 11400, CabeceraBoletos());
    ImprimeEn(impresora, XBoletos, 11560, QString(40, u'='));
    int y = YPrimerBoleto;
    for (const BoletoPremiado& b : r.Boletos) {
        y += PasoBoleto;
        if (y > YUltimoBoleto) {
            impresora.NuevaPagina();
            ImprimeEn(impresora, XBoletos, 300, CabeceraBoletos());
            ImprimeEn(impresora, XBoletos, 460, QString(40, u'='));
            y = YBoletoPaginaNueva;
        }
        ImprimeEn(impresora, XBoletos, y, LineaBoletoInforme(b));
    }
    y += 300;
    ImprimeEn(impresora, XBoletos, y,
              QStringLiteral("    Total boletos premiados.: ") +
                  FormatoNumero(double(r.Boletos.size()), u"###,##0", datos.Regional));
}

} // namespace

QString LineaCabeceraInforme(const DatosInforme& datos) {
    return QStringLiteral("   Escrutinio de la jornada nro. ") + ADerecha(datos.Jornada, 2) +
           QStringLiteral(" de fecha ") + datos.Fecha + QStringLiteral(" (Orden ") +
           ADerecha(datos.Orden, 2) + u')';
}

QString LineaPartidoInforme(const QString& registro, int partido, QChar signo) {
    const QString local = EquipoLocal(registro, partido);
    const QString visitante = EquipoVisitante(registro, partido);
    QString t = DosCifras(partido) + QStringLiteral(". ") + local;
    if (!local.isEmpty() && !visitante.isEmpty())
        t += QStringLiteral(" - ");
    t += visitante;
    QString linea(37, u'.');
    linea.replace(0, qMin<qsizetype>(t.size(), 37), t.left(37));
    if (linea.startsWith(u'0'))
        linea[0] = u' ';
    return linea + QStringLiteral("  ") + signo;
}

QString LineaPremioInforme(double premio, int categoria, const QLocale& regional) {
    return u' ' + QString::number(NumPartidos + 1 - categoria) + QStringLiteral(" aciertos.: ") +
           Importe13(premio, regional) + QStringLiteral(" €");
}

QString LineaAgrupadaInforme(const ResultadoEscrutinio& r, int aciertos, const QLocale& regional) {
    const int64_t n = r.AciertosCategoria[aciertos];
    QString linea = ADerecha(n, 6) + QStringLiteral(" columna") + (n == 1 ? u' ' : u's') +
                    QStringLiteral(" de ") + ADerecha(aciertos, 2) + QStringLiteral(" aciertos");
    if (n > 0 && aciertos >= AciertosMinimosPremio)
        linea += QStringLiteral(".: ") +
                 Importe13(double(r.ImporteCentimos(aciertos)) / 100.0, regional) +
                 QStringLiteral(" €");
    return linea;
}

QString LineaTotalInforme(const ResultadoEscrutinio& r, const QLocale& regional) {
    return QStringLiteral("Total importe premios.: ") +
           Importe13(double(r.TotalCentimos()) / 100.0, regional) + QStringLiteral(" €");
}

QString LineaBoletoInforme(const BoletoPremiado& boleto) {
    QString linea = ADerecha(boleto.Boleto, 6) + QString(4, u' ');
    for (int32_t n : boleto.Columnas)
        linea += QString(4, u' ') + (n > 0 ? QString::number(n) : QStringLiteral(" "));
    return linea;
}

bool ImprimeInformeEscrutinio(Impresora& impresora, const DatosInforme& datos,
                              const ResultadoEscrutinio& r) {
    impresora.ApartaDeLosBordes();
    ImprimeBloqueIzquierdo(impresora, datos, r);
    ImprimePremiosYAciertos(impresora, datos, r);
    ImprimeBoletos(impresora, datos, r);
    return impresora.FinDocumento();
}

QString NombreInformeEscrutinio(int jornada, int orden) {
    return QStringLiteral("Escrutinio jornada ") + DosCifras(jornada) + QStringLiteral(" orden ") +
           DosCifras(orden);
}

} // namespace quiniela
