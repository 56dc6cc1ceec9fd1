#include "core/error_fichero.h"

#include "core/estado_global.h"
#include "platform/plataforma.h"

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

QString TextoErrorFichero(const ContextoErrorFichero& contexto, int numero, const QString& ruta) {
    const QString& tag = contexto.etiqueta;
    switch (numero) {
    case ErrorFichero::SinMemoria:
        return tag + QStringLiteral(" ERROR 7 : Insuficiente memoria");
    case ErrorFichero::NoExiste:
        return contexto.textoNoExiste;
    case ErrorFichero::UnidadNoPreparada: {
        // La unidad es el volumen que contiene la ruta.
        QString unidad = QStorageInfo(QFileInfo(ruta).absolutePath()).rootPath();
        if (unidad.isEmpty())
            unidad = QDir::rootPath();
        return tag + QStringLiteral(" ERROR 68: Unidad ") + unidad +
               QStringLiteral(": no preparada");
    }
    case ErrorFichero::RutaNoExiste:
        return tag + QStringLiteral(" ERROR 76: No existe el fichero ") + contexto.textoRuta;
    default:
        return tag + QStringLiteral(" ERROR ") + QString::number(numero);
    }
}

void NotificaErrorFichero(EstadoGlobal& estado, const ContextoErrorFichero& contexto, int numero,
                          const QString& ruta) {
    estado.UltimoErrorFichero = static_cast<int16_t>(numero);
    if (numero == ErrorFichero::Desbordamiento)
        return;
    if (numero == ErrorFichero::NoExiste && !contexto.avisaNoExiste)
        return;
    AvisaSistema(TextoErrorFichero(contexto, numero, ruta));
}

} // namespace quiniela
