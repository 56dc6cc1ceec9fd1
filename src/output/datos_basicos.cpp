#include "output/datos_basicos.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"
#include "reduction/estadisticas.h"

#include <algorithm>

namespace quiniela {

namespace {

constexpr int AnchoNombres = 35;
constexpr int AnchoSignos = 27;

QString Sangria() {
    return QString(10, u' ');
}

QString ZonaSignos(const Reduccion& red, int partido) {
    const PartidoBase& p = red.Base[partido];
    QString zona(AnchoSignos, u' ');
    for (int k = 1; k <= NumSignosMax; ++k)
        if (p.Signo[k] != 0)
            zona[2 * k - 2] = CaracterSigno(k);
    if (p.NumSignos > 1 && partido != NumPartidos)
        zona.replace(12, 3, p.AReducir == 1 ? QStringLiteral("[X]") : QStringLiteral("[ ]"));
    if (red.Metodo == MetodoColumnaProbable && p.AReducir == 1 && p.SignoProbable >= 1 &&
        p.SignoProbable <= NumSignosMax)
        zona[20 + 2 * p.SignoProbable] = CaracterSigno(p.SignoProbable);
    return zona;
}

void AnadeCabecera(std::vector<QString>& l, const DatosBasicos& d) {
    const bool probable = d.Red.Metodo == MetodoColumnaProbable;
    l.push_back(QStringLiteral("     JORNADA NRO. ") + ADerecha(d.Jornada, 2) +
                QStringLiteral(" DE FECHA ") + d.Fecha + QStringLiteral(" (Orden ") +
                ADerecha(d.Orden, 2) + u')');
    l.insert(l.end(), 2, QString());
    l.push_back(QString(36, u' ') + QStringLiteral("Quiniela  Partidos ") +
                (probable ? QStringLiteral("   Columna") : QString()));
    l.push_back(QString(36, u' ') + QStringLiteral("  base    reducidos ") +
                (probable ? QStringLiteral("  probable") : QString()));
    l.emplace_back();
}

// Totales permitidos de un signo: "@@" cada uno, separados por comas.
QString TotalesPermitidos(const TotalesSignos& totales, int signo) {
    QStringList permitidos;
    for (int r = 0; r <= NumPartidos; ++r)
        if (totales(signo, r) != 0)
            permitidos << ADerecha(r, 2);
    return permitidos.join(u',');
}

void AnadeResumen(std::vector<QString>& l, const DatosBasicos& d, const QString& moneda) {
    const auto numero = [&](double v, QStringView mascara) {
        return FormatoNumero(v, mascara, d.Regional);
    };
    const Reduccion& red = d.Red;
    const int64_t base = red.ApuestasBase;
    const int64_t reducidas = red.ApuestasReducidas;
    const bool directo = red.Metodo == MetodoDirecto;
    l.push_back(Sangria() + numero(base, u"##,###,###") + QStringLiteral(" apuestas reducidas a ") +
                numero(reducidas, u"##,###,###"));
    l.push_back(Sangria() + QStringLiteral("Factor de reducción......: ") +
                numero(reducidas == 0 ? 0.0 : double(base) / double(reducidas), u"##0.00"));
    if (red.Metodo == MetodoColumnaProbable)
        l.push_back(Sangria() + QStringLiteral("Errores permitidos.......: De ") +
                    numero(red.MinErrores, u"#0") + QStringLiteral(" a ") +
                    numero(red.MaxErrores, u"#0"));
    if (red.Metodo == MetodoSeleccionSignos)
        for (int k = 1; k <= NumSignosMax; ++k)
            l.push_back(Sangria() + QStringLiteral("Signos ") + CaracterSigno(k) +
                        QStringLiteral(".................: ") + TotalesPermitidos(red.Totales, k));
    l.push_back(Sangria() + QStringLiteral("Importe reducidas........: ") +
                numero(Importe(d.Precio, reducidas), u"##,###,##0.00") + moneda);
    l.push_back(Sangria() +
                (directo ? QStringLiteral("Probabilidad 14 aciertos.: ")
                         : QStringLiteral("Posibilidades cubiertas..: ")) +
                numero(Porcentaje(reducidas, base), u"##0.00") + QStringLiteral(" %"));
    if (directo)
        l.push_back(Sangria() + QStringLiteral("Probabilidad 13 aciertos.: ") +
                    numero(Porcentaje(base - reducidas, base), u"##0.00") + QStringLiteral(" %"));
}

} // namespace

DatosBasicos DatosBasicosDe(const EstadoGlobal& estado, const QLocale& regional) {
    return {estado.Datos.JornadaActual,
            estado.Datos.OrdenActual,
            estado.Datos.FechaJornada,
            estado.RegistroJornada,
            estado.Red,
            estado.Datos.PrecioApuestaValor,
            regional};
}

QString LineaPartidoDatosBasicos(const DatosBasicos& datos, int partido) {
    const QString local = EquipoLocal(datos.RegistroJornada, partido);
    const QString visitante = EquipoVisitante(datos.RegistroJornada, partido);
    QString texto = (partido < 10 ? QStringLiteral(" ") : QString()) + QString::number(partido) +
                    QStringLiteral(". ") + local;
    if (!local.isEmpty() && !visitante.isEmpty())
        texto += u'-';
    texto += visitante;
    QString nombres(AnchoNombres, u'.');
    nombres.replace(0, std::min<qsizetype>(texto.size(), AnchoNombres), texto.left(AnchoNombres));
    return nombres + QStringLiteral("  ") + ZonaSignos(datos.Red, partido);
}

std::vector<QString> LineasDatosBasicos(const DatosBasicos& datos, const QString& moneda) {
    std::vector<QString> lineas;
    AnadeCabecera(lineas, datos);
    for (int i = 1; i <= NumPartidos; ++i)
        lineas.push_back(LineaPartidoDatosBasicos(datos, i));
    lineas.insert(lineas.end(), 2, QString());
    AnadeResumen(lineas, datos, moneda);
    return lineas;
}

ResultadoImpresion ImprimeDatosBasicos(const EstadoGlobal& estado, Impresora& impresora, int copias,
                                       const QLocale& regional, const AvisosImpresion& avisos) {
    ResultadoImpresion r;
    if (!HayReduccionGuardada(estado, r))
        return r;
    const std::vector<QString> lineas =
        LineasDatosBasicos(DatosBasicosDe(estado, regional), MonedaImpresa());
    impresora.PonPapel(PapelImpresora::A4);
    impresora.ApartaDeLosBordes();
    impresora.PonFuente(QStringLiteral("Courier New"), 9.75, false);
    copias = std::clamp(copias, 1, 999);
    for (int c = 1; c <= copias && r.Fin == FinImpresion::Terminada; ++c) {
        Avisa(avisos, TextoImprimiendoCopia(c, copias));
        impresora.PonPosicion(0, 0);
        for (int i = 0; i < 3; ++i)
            impresora.Imprime();
        for (const QString& linea : lineas)
            impresora.Imprime(linea);
        impresora.NuevaPagina();
        ++r.Impresos;
        ProcesaEventos();
        if (Cancelado(avisos))
            r.Fin = FinImpresion::Cancelada;
    }
    TerminaDocumento(impresora, r);
    return r;
}

} // namespace quiniela
