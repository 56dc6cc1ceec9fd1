#include "core/ficheros.h"

#include "core/bloqueo_datos.h"
#include "core/error_fichero.h"
#include "core/estado_global.h"

#include <QFileInfo>

#include <new>

namespace quiniela {

namespace {

bool MismoContenido(const QString& a, const QString& b) {
    QFile uno(a), otro(b);
    if (!uno.open(QIODevice::ReadOnly) || !otro.open(QIODevice::ReadOnly) ||
        uno.size() != otro.size())
        return false;
    while (!uno.atEnd())
        if (uno.read(qint64(1) << 16) != otro.read(qint64(1) << 16))
            return false;
    return true;
}

} // namespace

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

std::optional<QString> CopiaFicheroDanado(const QString& ruta) {
    const QString base = ruta + QStringLiteral(".dañado");
    for (int n = 1; n <= 99; ++n) {
        const QString copia = n == 1 ? base : base + u'.' + QString::number(n);
        if (QFile::exists(copia)) {
            // Una copia anterior tampoco se pierde; si es la misma, no se repite en cada arranque.
            if (MismoContenido(ruta, copia))
                return QFileInfo(copia).fileName();
            continue;
        }
        if (!CopiaFichero(ruta, copia).Bien())
            return std::nullopt;
        return QFileInfo(copia).fileName();
    }
    return std::nullopt;
}

ResultadoFichero CreaSiNoExiste(const QString& carpeta, const QString& ruta) {
    return ConCarpetaBloqueada(carpeta, [&] {
        return QFileInfo::exists(ruta) ? ResultadoFichero{0, ruta}
                                       : GuardaFicheroEntero(ruta, QByteArray());
    });
}

void CreaFicheroVacio(EstadoGlobal& estado, const QString& nombre,
                      const ContextoErrorFichero& contexto) {
    const ResultadoFichero resultado = CreaSiNoExiste(estado.CarpetaDatos, estado.Ruta(nombre));
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
