// quiniela-cli compilado, en procesos de verdad: matar una reducción a mitad y dos
// reducciones a la vez sobre la misma carpeta.
#include "reduction/bases_prueba.h"
#include "reduction/ordenes_prueba.h"

#include <QDir>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Todo3a15 = u"1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2"_s;
const QString Pequena = u"1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 12"_s;

QStringList Reducir(const CarpetaTemporal& c, int jornada, const QString& base,
                    const QString& metodo) {
    return {u"--datos"_s, c.Ruta(), u"reducir"_s,      u"--jornada"_s, QString::number(jornada),
            u"--orden"_s, u"1"_s,   u"--reemplazar"_s, u"--metodo"_s,  metodo,
            u"--base"_s,  base};
}

// Cada registro del índice tiene su fichero de columnas entero: 19 bytes por aceptada.
void CompruebaIndiceYFicheros(const CarpetaTemporal& c) {
    for (const QString& registro : RegistrosBases(c)) {
        SCOPED_TRACE(registro.left(30).toStdString());
        const QString nombre = u"RED"_s + registro.left(4) + u".ZPK"_s;
        ASSERT_TRUE(c.Existe(nombre));
        EXPECT_EQ(c.Lee(nombre).size(), 19 * registro.mid(21, 8).trimmed().toLongLong());
    }
}

using EscrituraSegura = CarpetaOrdenes;

} // namespace

TEST_F(EscrituraSegura, MatarUnaReduccionNuncaDejaUnRegistroSinSuFichero) {
    // Primero una reducción guardada de la misma clave: matar la sustituta la deja o la
    // sustituye, nunca un registro con las cuentas de otro fichero.
    ASSERT_EQ(QProcess::execute(QStringLiteral(QUINIELA_CLI),
                                Reducir(carpeta, 7, Pequena, u"probable"_s)),
              0);
    const QByteArray anterior = carpeta.Lee(u"RED0701.ZPK"_s);
    for (const int ms : {0, 30, 150, 400}) {
        SCOPED_TRACE(ms);
        QProcess cli;
        cli.start(QStringLiteral(QUINIELA_CLI), Reducir(carpeta, 7, Todo3a15, u"signos"_s));
        ASSERT_TRUE(cli.waitForStarted());
        QThread::msleep(ms);
        ::kill(static_cast<pid_t>(cli.processId()), SIGKILL);
        cli.waitForFinished();
        CompruebaIndiceYFicheros(carpeta);
        const QStringList indice = RegistrosBases(carpeta);
        if (!indice.isEmpty() && indice.at(0).startsWith(u"07012"_s)) {
            EXPECT_EQ(carpeta.Lee(u"RED0701.ZPK"_s), anterior) << "la anterior, intacta";
        }
        // El siguiente arranque borra los temporales del muerto.
        ASSERT_EQ(QProcess::execute(QStringLiteral(QUINIELA_CLI),
                                    {u"--datos"_s, carpeta.Ruta(), u"historial"_s}),
                  0);
        EXPECT_EQ(QDir(carpeta.Ruta()).entryList({u"*.parcial*"_s}), QStringList());
    }
}

TEST_F(EscrituraSegura, DosReduccionesALaVezConservanAmbosRegistros) {
    for (int vuelta = 0; vuelta < 100; ++vuelta) {
        SCOPED_TRACE(vuelta);
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        QProcess a;
        QProcess b;
        a.start(QStringLiteral(QUINIELA_CLI), Reducir(carpeta, 1, Pequena, u"probable"_s));
        b.start(QStringLiteral(QUINIELA_CLI), Reducir(carpeta, 2, Pequena, u"probable"_s));
        ASSERT_TRUE(a.waitForFinished() && b.waitForFinished());
        ASSERT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
        ASSERT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
        const QStringList indice = RegistrosBases(carpeta);
        ASSERT_EQ(indice.size(), 2);
        EXPECT_NE(indice.at(0).left(4), indice.at(1).left(4));
        CompruebaIndiceYFicheros(carpeta);
    }
}
