#include "output/direcciones.h"

#include "core/bloqueo_datos.h"
#include "core/estado_global.h"
#include "core/fichero_lista.h"
#include "core/ficheros.h"

namespace quiniela {

namespace {

QString NombreDirecciones() {
    return QString::fromLatin1(NombreFicheroDirecciones);
}

bool CaracterPermitido(QChar c) {
    static const QString prohibidos = QStringLiteral(",;\"'<>()[]\\`");
    return c.unicode() > 0x20 && c.unicode() < 0x7f && !prohibidos.contains(c);
}

} // namespace

bool EsDireccionValida(QStringView direccion) {
    if (direccion.isEmpty() || direccion.size() > LargoMaximoDireccion)
        return false;
    const qsizetype arroba = direccion.indexOf(u'@');
    if (arroba <= 0 || arroba == direccion.size() - 1 || direccion.indexOf(u'@', arroba + 1) >= 0)
        return false;
    for (const QChar c : direccion)
        if (!CaracterPermitido(c))
            return false;
    return true;
}

LecturaDirecciones CargaLisDirecciones(EstadoGlobal& estado) {
    ContextoErrorFichero contexto;
    contexto.Etiqueta = QStringLiteral("CLD");
    contexto.TextoRuta = QStringLiteral("de direcciones DIRECC.ZPK");
    contexto.AvisaNoExiste = false;
    LecturaDirecciones lectura;
    if (const auto contenido = LeeFicheroDatos(estado, NombreDirecciones(), contexto)) {
        lectura.Direcciones = ValoresDeLista(*contenido);
        return lectura;
    }
    // Solo se crea vacío cuando no existe: otro fallo podría tapar una lista buena.
    if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
        CreaFicheroVacio(estado, NombreDirecciones(), contexto);
    else
        lectura.Fallida = true;
    return lectura;
}

ResultadoFichero GuardaDirecciones(const EstadoGlobal& estado, const QStringList& direcciones) {
    return ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        return GuardaFicheroEntero(estado.Ruta(NombreDirecciones()), ContenidoDeLista(direcciones));
    });
}

QString TextoErrorGuardarDirecciones(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(
        QStringLiteral("No se han podido guardar las direcciones en DIRECC.ZPK"), resultado);
}

} // namespace quiniela
