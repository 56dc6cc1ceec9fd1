#include "platform/qt/servicios_qt.h"
#include "platform/qt/sonidos_qt.h"

#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

using namespace quiniela;

TEST(ServiciosQt, LosSeisSonidosEstanEnLosRecursosYNoCuelgan) {
    SonidosQt sonidos;
    for (int numero : {1, 5, 6, 7, 9, 10}) {
        QFile wav(SonidosQt::RecursoSonido(numero));
        ASSERT_TRUE(wav.open(QIODevice::ReadOnly)) << numero;
        EXPECT_EQ(wav.read(4), QByteArray("RIFF"));
        // Sin dispositivo de audio vuelve enseguida; con él, al acabar el clip.
        sonidos.Toca(numero);
    }
}

TEST(ServiciosQt, CursoresPropiosConPuntoCaliente) {
    CursoresQt cursores;
    QWidget ventana;
    QWidget control(&ventana);
    for (const QString& nombre :
         {QStringLiteral("ManoIndice"), QStringLiteral("lapiz"), QStringLiteral("goma")}) {
        const QCursor cursor = cursores.Cursor(nombre);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << nombre.toStdString();
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        cursores.PonCursor(&control, nombre);
        EXPECT_TRUE(control.testAttribute(Qt::WA_SetCursor));
    }
    cursores.PonCursor(&control, QString());
    EXPECT_FALSE(control.testAttribute(Qt::WA_SetCursor));
}

TEST(ServiciosQt, EsperaActivaDeVerdad) {
    RelojQt reloj;
    QElapsedTimer medida;
    medida.start();
    reloj.Espera(30);
    EXPECT_GE(medida.elapsed(), 30);
}
