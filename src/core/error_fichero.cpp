#include "core/error_fichero.h"

#include "core/estado_global.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace quiniela {

int NumeroErrorFichero(QFileDevice::FileError error, const QString& ruta) {
    const QFileInfo info(ruta);
    switch (error) {
    case QFileDevice::NoError:
        return 0;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        if (!info.absoluteDir().exists())
            return ErrorFichero::RutaNoExiste;
        if (!info.exists())
            return error == QFileDevice::PermissionsError ? ErrorFichero::AccesoRuta
                                                          : ErrorFichero::NoExiste;
        return ErrorFichero::AccesoRuta;
    case QFileDevice::ResourceError: {
        const QStorageInfo volumen(info.absolutePath());
        if (volumen.isValid() && volumen.bytesAvailable() == 0)
            return ErrorFichero::DiscoLleno;
        return ErrorFichero::SinMemoria;
    }
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        if (!info.absoluteDir().exists())
            return ErrorFichero::RutaNoExiste;
        return ErrorFichero::ErrorEntradaSalida;
    default:
        return ErrorFichero::ErrorEntradaSalida;
    }
}

namespace {

bool VolumenLleno(const QString& ruta) {
    const QStorageInfo volumen(QFileInfo(ruta).absolutePath());
    return volumen.isValid() && volumen.bytesAvailable() == 0;
}

} // namespace

int NumeroEscrituraCorta(const QFileDevice& fichero, const QString& ruta) {
    // Con el disco lleno Qt escribe lo que cabe y no marca error: lo dice el volumen.
    if (fichero.error() == QFileDevice::ResourceError || VolumenLleno(ruta))
        return ErrorFichero::DiscoLleno;
    const int numero = NumeroErrorFichero(fichero.error(), ruta);
    return numero != 0 ? numero : ErrorFichero::ErrorEntradaSalida;
}

int NumeroErrorEscritura(const QFileDevice& fichero, const QString& ruta) {
    const QFileInfo info(ruta);
    if (!info.absoluteDir().exists())
        return ErrorFichero::RutaNoExiste;
    if (!info.exists())
        return ErrorFichero::NoExiste;
    return NumeroEscrituraCorta(fichero, ruta);
}

QString CausaErrorFichero(int numero) {
    switch (numero) {
    case ErrorFichero::Desbordamiento:
        return QStringLiteral("tiene un número demasiado grande");
    case ErrorFichero::SinMemoria:
        return QStringLiteral("no hay memoria suficiente");
    case ErrorFichero::TipoIncorrecto:
        return QStringLiteral("tiene un valor que no es del tipo esperado");
    case ErrorFichero::NoExiste:
        return QStringLiteral("el fichero ha desaparecido");
    case ErrorFichero::DiscoLleno:
        return QStringLiteral("el disco está lleno");
    case ErrorFichero::FinDeFichero:
        return QStringLiteral("el fichero se acaba antes de tiempo");
    case ErrorFichero::UnidadNoPreparada:
        return QStringLiteral("la unidad no está preparada");
    case ErrorFichero::PermisoDenegado:
    case ErrorFichero::AccesoRuta:
        return QStringLiteral("no hay permiso");
    case ErrorFichero::RutaNoExiste:
        return QStringLiteral("no existe la carpeta de datos");
    default:
        return QStringLiteral("ha fallado el disco");
    }
}

QString CausaFalloEscritura(int numero) {
    switch (numero) {
    case ErrorFichero::DiscoLleno:
        return QStringLiteral("el disco está lleno");
    case ErrorFichero::SinMemoria:
        return QStringLiteral("no quedan recursos en el sistema para escribirlo");
    case ErrorFichero::NoExiste:
        return QStringLiteral("el fichero ha desaparecido durante la reducción");
    case ErrorFichero::RutaNoExiste:
        return QStringLiteral("no existe la carpeta de datos");
    case ErrorFichero::PermisoDenegado:
    case ErrorFichero::AccesoRuta:
        return QStringLiteral("no se permite escribir en la carpeta de datos");
    case ErrorFichero::CarpetaOcupada:
        return QStringLiteral("otro programa (quiniela o quiniela-cli) está guardando en la "
                              "carpeta de datos y no ha terminado; inténtelo de nuevo");
    case ErrorFichero::LongitudRegistro:
        return QStringLiteral("el fichero no tiene un número entero de registros: está dañado "
                              "y no se escribe en él hasta que se repare");
    default:
        return CausaErrorFichero(numero) + QStringLiteral(" (error ") + QString::number(numero) +
               u')';
    }
}

QString TextoFalloGuardar(const QString& inicio, const ResultadoFichero& resultado,
                          const QString& fin) {
    // Estos no son fallos del disco: el número solo no diría nada.
    if (resultado.Numero == ErrorFichero::CarpetaOcupada ||
        resultado.Numero == ErrorFichero::LongitudRegistro)
        return inicio + QStringLiteral(": ") + CausaFalloEscritura(resultado.Numero) + fin;
    const QString causa =
        resultado.Causa.isEmpty() ? CausaErrorFichero(resultado.Numero) : resultado.Causa;
    return inicio + QStringLiteral(": ") + causa + QStringLiteral(" (error ") +
           QString::number(resultado.Numero) + u')' + fin;
}

QString TextoErrorFichero(const ContextoErrorFichero& contexto, int numero, const QString& ruta) {
    const QString& tag = contexto.Etiqueta;
    switch (numero) {
    case ErrorFichero::SinMemoria:
        return tag + QStringLiteral(" ERROR 7 : Insuficiente memoria");
    case ErrorFichero::NoExiste:
        return contexto.TextoNoExiste;
    case ErrorFichero::UnidadNoPreparada: {
        // La unidad es el volumen que contiene la ruta.
        QString unidad = QStorageInfo(QFileInfo(ruta).absolutePath()).rootPath();
        if (unidad.isEmpty())
            unidad = QDir::rootPath();
        return tag + QStringLiteral(" ERROR 68: Unidad ") + unidad +
               QStringLiteral(": no preparada");
    }
    case ErrorFichero::RutaNoExiste:
        return tag + QStringLiteral(" ERROR 76: No existe el fichero ") + contexto.TextoRuta;
    default:
        // El código de siempre, y después qué fichero y por qué.
        return tag + QStringLiteral(" ERROR ") + QString::number(numero) +
               QStringLiteral(": no se puede leer el fichero ") + contexto.TextoRuta +
               QStringLiteral(" (") + CausaErrorFichero(numero) + u')';
    }
}

} // namespace quiniela
