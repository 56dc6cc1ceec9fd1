#include "core/ficheros.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"

#include <QFileInfo>
#include <QSaveFile>

#include <new>

namespace quiniela {

std::optional<QByteArray> LeeFicheroDatos(EstadoGlobal& estado, const QString& nombre,
                                          const ContextoErrorFichero& contexto) {
    estado.UltimoErrorFichero = 0;
    const QString ruta = estado.Ruta(nombre);
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        NotificaErrorFichero(estado, contexto, NumeroErrorFichero(fichero.error(), ruta), ruta);
        return std::nullopt;
    }
    try {
        QByteArray contenido = fichero.readAll();
        if (fichero.error() != QFileDevice::NoError) {
            NotificaErrorFichero(estado, contexto, NumeroErrorFichero(fichero.error(), ruta), ruta);
            return std::nullopt;
        }
        return contenido;
    } catch (const std::bad_alloc&) {
        NotificaErrorFichero(estado, contexto, ErrorFichero::SinMemoria, ruta);
        return std::nullopt;
    }
}

ResultadoFichero GuardaFicheroEntero(const QString& ruta, const QByteArray& contenido) {
    // Sin búfer: si el disco se llena, la escritura corta se ve aquí. Con búfer, Qt 6.4
    // pierde el fallo del vaciado y commit() da por bueno un fichero a medias.
    QSaveFile fichero(ruta);
    if (!fichero.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {NumeroErrorFichero(fichero.error(), ruta), ruta};
    if (fichero.write(contenido) != contenido.size()) {
        const int numero = NumeroEscrituraCorta(fichero, ruta);
        fichero.cancelWriting();
        return {numero, ruta};
    }
    if (!fichero.commit())
        return {NumeroErrorFichero(fichero.error(), ruta), ruta};
    return {0, ruta};
}

std::optional<QString> CopiaFicheroDanado(const QString& ruta) {
    const QString base = ruta + QStringLiteral(".dañado");
    for (int n = 1; n <= 99; ++n) {
        const QString copia = n == 1 ? base : base + u'.' + QString::number(n);
        if (QFile::exists(copia))
            continue; // una copia anterior tampoco se pierde
        if (!QFile::copy(ruta, copia))
            return std::nullopt;
        return QFileInfo(copia).fileName();
    }
    return std::nullopt;
}

void CreaFicheroVacio(EstadoGlobal& estado, const QString& nombre,
                      const ContextoErrorFichero& contexto) {
    const ResultadoFichero resultado = GuardaFicheroEntero(estado.Ruta(nombre), QByteArray());
    if (!resultado.Bien())
        NotificaErrorFichero(estado, contexto, resultado);
}

std::unique_ptr<QFile> AbreFicheroApuestas(EstadoGlobal& estado) {
    estado.UltimoErrorFichero = 0;
    const QString ruta = estado.Ruta(estado.FicheroApuestas);
    auto fichero = std::make_unique<QFile>(ruta);
    if (fichero->open(QIODevice::ReadOnly))
        return fichero;
    ContextoErrorFichero contexto;
    contexto.Etiqueta = estado.FicheroApuestas;
    contexto.TextoRuta = estado.FicheroApuestas;
    contexto.AvisaNoExiste = false;
    NotificaErrorFichero(estado, contexto, NumeroErrorFichero(fichero->error(), ruta), ruta);
    return nullptr;
}

} // namespace quiniela
