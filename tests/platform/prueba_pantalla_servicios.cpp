#include "platform/qt/servicios_qt.h"
#include "platform/qt/sonidos_qt.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QWidget>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;

TEST(Recursos, ImagenesConSusMedidasYCaretaOpaca) {
    const QImage careta(u":/imagenes/careta.png"_s);
    EXPECT_EQ(QImage(u":/imagenes/tira_botones.png"_s).size(), QSize(7, 49));
    ASSERT_EQ(careta.size(), QSize(404, 188));
    // La careta tapa entera la zona del menú: nada transparente.
    for (int y = 0; y < careta.height(); ++y)
        for (int x = 0; x < careta.width(); ++x)
            ASSERT_EQ(qAlpha(careta.pixel(x, y)), 255) << x << "," << y;
}

// Los seis sonidos: PCM mono, cortos, distintos, y tocarlos no cuelga (sin dispositivo de
// audio vuelve enseguida; con él, al acabar el clip).
TEST(Recursos, SeisSonidosPcmMonoCortosYDistintos) {
    SonidosQt sonidos;
    QSet<QByteArray> contenidos;
    for (const int numero : {1, 5, 6, 7, 9, 10}) {
        QFile f(SonidosQt::RecursoSonido(numero));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << numero;
        const QByteArray wav = f.readAll();
        ASSERT_GE(wav.size(), 512) << numero;
        EXPECT_LE(wav.size(), 9 * 1024) << numero;
        const auto* d = reinterpret_cast<const uchar*>(wav.constData());
        EXPECT_EQ(wav.mid(0, 4) + wav.mid(8, 8), QByteArray("RIFFWAVEfmt ")) << numero;
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 22), 1) << "mono";
        contenidos.insert(wav.mid(44));
        sonidos.Toca(numero);
    }
    EXPECT_EQ(contenidos.size(), 6);
}

TEST(ServiciosQt, CursoresPropiosConPuntoCaliente) {
    CursoresQt cursores;
    QWidget ventana;
    QWidget control(&ventana);
    for (const QString& nombre : {u"ManoIndice"_s, u"lapiz"_s, u"goma"_s}) {
        const QCursor cursor = cursores.Cursor(nombre);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << nombre.toStdString();
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
