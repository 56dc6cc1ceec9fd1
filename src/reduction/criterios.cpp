#include "reduction/criterios.h"

#include "core/mascaras.h"
#include "reduction/estadisticas.h"
#include "reduction/tablas_directas.h"

namespace quiniela {

namespace {

// Columna probable: un signo probable por partido a reducir y errores en orden.
std::optional<MensajeReduccion> CompruebaProbable(const Reduccion& red) {
    const QuinielaBase& base = red.Base;
    int sinProbable = 0;
    for (int m = 1; m < NumPartidos; ++m)
        if (PartidoElegido(base, m) && base[m].SignoProbable == 0)
            ++sinProbable;
    if (sinProbable > 0) {
        const QString final =
            QStringLiteral(" que no ha seleccionado ningun signo en la Columna probable.  "
                           "Debe seleccionar en la Columna probable un  signo de cada  "
                           "partido a reducir antes de efectuar la reducción.");
        const QString inicio =
            sinProbable == 1
                ? QStringLiteral("Hay  1  partido  múltiple  a  reducir de  la   Quiniela  "
                                 "Base  del ")
                : QStringLiteral("Hay  ") + FormatoNumero(sinProbable, u"#0", QLocale::c()) +
                      QStringLiteral(" partidos múltiples a reducir de la Quiniela Base de "
                                     "los");
        return MensajeReduccion{QStringLiteral("ERROR EN LA QUINIELA BASE"), inicio + final};
    }
    if (red.MinErrores > red.MaxErrores)
        return MensajeReduccion{
            QStringLiteral("NO CONCUERDAN LOS ERRORES PERMITIDOS"),
            QStringLiteral("El mínimo de errores permitidos es superior al máximo de errores "
                           "permitidos. El mínimo debe ser igual o inferior al máximo. Debe "
                           "corregir estos parámetros antes de efectuar la reducción.")};
    return std::nullopt;
}

// Selección de signos: al menos un total marcado en cada columna.
std::optional<MensajeReduccion> CompruebaTotales(const Reduccion& red) {
    for (int k = 1; k <= NumSignosMax; ++k) {
        bool alguno = false;
        for (int r = 0; r < NumPartidos; ++r)
            alguno = alguno || red.Totales(k, r) == 1;
        if (!alguno)
            return MensajeReduccion{
                QStringLiteral("ERROR EN TOTALES DE CADA SIGNO"),
                QStringLiteral("Tiene que marcar como mínimo un valor en cada una de las tres "
                               "columnas que indican el total de signos 1, X y 2 que deben "
                               "tener las apuestas reducidas.")};
    }
    return std::nullopt;
}

} // namespace

std::optional<MensajeReduccion> CompruebaReduccion(const Reduccion& red,
                                                   const EstadisticasReduccion& est) {
    const QuinielaBase& base = red.Base;
    if (red.Metodo == MetodoColumnaProbable)
        if (auto fallo = CompruebaProbable(red))
            return fallo;
    if (red.Metodo == MetodoSeleccionSignos)
        if (auto fallo = CompruebaTotales(red))
            return fallo;
    for (int m = 1; m <= NumPartidos; ++m) {
        if (base[m].Signo[1] + base[m].Signo[2] + base[m].Signo[3] == 0)
            return MensajeReduccion{
                QStringLiteral("ERROR EN LA QUINIELA BASE"),
                QStringLiteral("Hay  algún  partido  de  la  Quiniela Base  que  no tiene marcado "
                               "ningún signo. Debe seleccionar en la Quiniela Base al menos un "
                               "signo de cada partido antes de efectuar la reducción.")};
    }
    if (est.MultiplesAReducir == 0)
        return MensajeReduccion{
            QStringLiteral("MULTIPLES A REDUCIR"),
            QStringLiteral("No ha seleccionado ningún múltiple a reducir. Seleccione los múltiples "
                           "que desea reducir antes de iniciar la reducción.")};
    if (est.Aceptadas == 0)
        return MensajeReduccion{
            QStringLiteral("NO HAY APUESTAS REDUCIDAS"),
            QStringLiteral(
                "La combinación  de  la  quiniela base y los factores de reducción "
                "actuales   da   lugar   a   que  la  totalidad  de  las  apuestas  sean "
                "rechazadas.  Modifique  estos  factores hasta que haya al menos una "
                "apuesta aceptada para poder efectuar una reducción válida.")};
    return std::nullopt;
}

void LimpiaParametrosNoUsados(Reduccion& red) {
    if (red.Metodo != MetodoColumnaProbable)
        red.MinErrores = red.MaxErrores = 0;
    if (red.Metodo != MetodoSeleccionSignos)
        red.Totales = TotalesSignos{};
}

MensajeReduccion MensajeReduccionExiste() {
    return {QStringLiteral("REDUCCIÓN YA EXISTE"),
            QStringLiteral("Ya existe una reducción correspondiente a esa jornada  y  con ese "
                           "número de orden. Si desea conservar la reducción existente, pulse "
                           "Salir ,cambie el número de orden de la reducción actual y vuelva a "
                           "realizar  la  reducción.   Si  no  desea  conservarla,  pulse  el  "
                           "botón Reducir apuestas para que continue el proceso de reducción.")};
}

} // namespace quiniela
