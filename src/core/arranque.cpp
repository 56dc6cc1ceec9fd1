#include "core/arranque.h"

#include "core/escritura.h"

#include "core/mascaras.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quiniela {

const QStringList& FicherosDistribuidos() {
    static const QStringList ficheros{
        QStringLiteral("BASES.ZPK"),    QStringLiteral("DATOSGEN.ZPK"),
        QStringLiteral("DIRECC.ZPK"),   QStringLiteral("EQUIPOS.ZPK"),
        QStringLiteral("JORNADAS.ZPK"), QStringLiteral("RED0101.ZPK"),
        QStringLiteral("RED0102.ZPK"),  QStringLiteral("RED0103.ZPK"),
        QStringLiteral("RED0301.ZPK"),  QStringLiteral("RED0302.ZPK"),
        QStringLiteral("RED0401.ZPK")};
    return ficheros;
}

QString ConBarraFinal(const QString& carpeta) {
    return carpeta.endsWith(u'/') ? carpeta : carpeta + u'/';
}

bool SondaEscrituraReal(const QString& carpeta) {
    const QString ruta = ConBarraFinal(carpeta) + QStringLiteral("CSCD.WRK");
    if (!GuardaFicheroEntero(ruta, QByteArray()).Bien())
        return false;
    QFile::remove(ruta);
    return true;
}

QString CarpetaRespaldo() {
    return ConBarraFinal(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) +
           QStringLiteral("Temp/Tvr/");
}

Distribucion BuscaDistribucion(const QString& carpetaEjecutable) {
    const QDir ejecutable(carpetaEjecutable);
    const QString junto = QDir::cleanPath(ejecutable.filePath(QStringLiteral("data")));
    // La ruta relativa sale de GNUInstallDirs al compilar; el prefijo se toma del ejecutable,
    // así el programa funciona donde se instale.
    const QString compartida =
        QDir::cleanPath(ejecutable.filePath(QStringLiteral(QUINIELA_COMPARTIDA_RELATIVA)));
    if (!QFileInfo(junto).isDir() && QFileInfo(compartida).isDir())
        return {ConBarraFinal(compartida), compartida + QStringLiteral("/quiniela.qhc"), true};
    // Sin ninguna de las dos se sigue como en la compilación: el arranque crea lo que falte.
    return {ConBarraFinal(junto),
            QDir::cleanPath(ejecutable.filePath(QStringLiteral("quiniela.qhc"))), false};
}

SondaEscritura SondaDe(const Distribucion& distribucion) {
    if (distribucion.Instalada)
        return [](const QString&) { return false; };
    return SondaEscrituraReal;
}

QString EligeCarpetaDatos(const QString& carpetaPrograma, const QString& carpetaRespaldo,
                          const SondaEscritura& puedeEscribir) {
    const QString programa = ConBarraFinal(carpetaPrograma);
    if (puedeEscribir(programa))
        return programa;

    const QString respaldo = ConBarraFinal(carpetaRespaldo);
    QDir().mkpath(respaldo);
    if (QFile::exists(respaldo + QStringLiteral("DATOSGEN.ZPK")))
        return respaldo;
    for (const QString& nombre : FicherosDistribuidos()) {
        // Se copia encima de lo que haya; un fichero que no se puede copiar se salta.
        const QString destino = respaldo + nombre;
        if (!QFile::exists(programa + nombre))
            continue;
        CopiaFichero(programa + nombre, destino);
        QFile::setPermissions(destino, QFile::permissions(destino) | QFileDevice::WriteOwner);
    }
    return respaldo;
}

QString EligeCarpetaDatos(const Distribucion& distribucion, const QString& carpetaRespaldo) {
    return EligeCarpetaDatos(distribucion.Datos, carpetaRespaldo, SondaDe(distribucion));
}

bool PantallaSuficiente(QSize pantalla) {
    return pantalla.width() >= 800;
}

QString TextoResolucion(QSize pantalla) {
    return QStringLiteral("Este  programa  se  ha  diseñado  para  funcionar  con  una resolución "
                          "mínima de pantalla de 800x600 con profundidad de color de 16 bits o "
                          "superior.  La resolución seleccionada actualmente es de (") +
           ADerecha(pantalla.width(), 3) + QLatin1Char('x') + ADerecha(pantalla.height(), 3) +
           QStringLiteral(").  Debe  cambiar  la  resolución  de  su  monitor  a  800x600.");
}

QString TextoAyudaInicial() {
    return QStringLiteral("Si desea consultar  una  descripción general  de este programa para "
                          "conocer rápidamente su funcionamiento, pulse el botón de Ayuda.");
}

QString TituloPrograma() {
    return QStringLiteral("Quiniela - Reducción de apuestas, versión ") +
           QStringLiteral(QUINIELA_VERSION);
}

} // namespace quiniela
