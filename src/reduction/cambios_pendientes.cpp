#include "reduction/cambios_pendientes.h"

#include "core/bloqueo_datos.h"
#include "core/codificacion.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/borrado.h"
#include "reduction/fichero_bases.h"

#include <QFile>

namespace quiniela {

namespace {

QString RutaPendientes(const EstadoGlobal& estado) {
    return estado.Ruta(QString::fromLatin1(NombreCambiosPendientes));
}

// Sustitución: el fichero nuevo espera con su nombre; si el índice ya tiene su registro, el
// cambio se hizo y se termina; si no, se deshace.
void TerminaSustitucion(EstadoGlobal& estado, int jornada, int orden, const QString& registro) {
    const QString ruta = estado.Ruta(NombreFicheroApuestas(jornada, orden));
    const QString nuevas = RutaColumnasNuevas(ruta);
    if (!QFile::exists(nuevas))
        return;
    const QString clave = ClaveBases(jornada, orden);
    bool hecho = false;
    for (const QString& r : LeeRegistrosBases(estado))
        if (r.left(clave.size()) == clave)
            hecho = r == AnchoFijo(registro, LongitudRegistroReduccion);
    if (hecho)
        RenombraEncima(nuevas, ruta);
    else
        QFile::remove(nuevas);
}

// Olvido de una reducción cancelada: su fichero se quita si el índice ya no la tiene.
void TerminaOlvido(EstadoGlobal& estado, int jornada, int orden) {
    if (!ExisteEnBases(estado, jornada, orden))
        QFile::remove(estado.Ruta(NombreFicheroApuestas(jornada, orden)));
}

} // namespace

QString RutaColumnasNuevas(const QString& rutaColumnas) {
    return rutaColumnas + QStringLiteral(".nuevo");
}

ResultadoFichero AnotaCambioPendiente(const EstadoGlobal& estado, const QStringList& lineas) {
    QByteArray texto;
    for (const QString& l : lineas)
        texto += AWindows1252(l) + "\r\n";
    return GuardaFicheroEntero(RutaPendientes(estado), texto);
}

void QuitaCambioPendiente(const EstadoGlobal& estado) {
    QFile::remove(RutaPendientes(estado));
}

QStringList CambioSustitucion(int jornada, int orden, const QString& registro) {
    return {QStringLiteral("SUSTITUYE ") + ClaveBases(jornada, orden), registro};
}

QStringList CambioBorradoJornada(int jornada) {
    return {QStringLiteral("BORRA ") + DosCifras(jornada)};
}

QStringList CambioOlvido(int jornada, int orden) {
    return {QStringLiteral("OLVIDA ") + ClaveBases(jornada, orden)};
}

void TerminaCambiosPendientes(EstadoGlobal& estado) {
    if (!QFile::exists(RutaPendientes(estado)))
        return;
    ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        QFile fichero(RutaPendientes(estado));
        if (!fichero.open(QIODevice::ReadOnly))
            return ResultadoFichero{}; // otro lo terminó mientras se esperaba
        const QStringList lineas = DeWindows1252(fichero.readAll()).split(QStringLiteral("\r\n"));
        fichero.close();
        const QString cabeza = lineas.value(0);
        const QString clave = cabeza.section(u' ', 1, 1);
        const int jornada = clave.left(2).toInt();
        const int orden = clave.mid(2, 2).toInt();
        if (cabeza.startsWith(QStringLiteral("SUSTITUYE ")) && lineas.size() >= 2)
            TerminaSustitucion(estado, jornada, orden, lineas[1]);
        else if (cabeza.startsWith(QStringLiteral("OLVIDA ")))
            TerminaOlvido(estado, jornada, orden);
        else if (cabeza.startsWith(QStringLiteral("BORRA ")) && jornada >= 1)
            BorraJornadaBloqueada(estado, jornada);
        QuitaCambioPendiente(estado);
        return ResultadoFichero{};
    });
}

} // namespace quiniela
