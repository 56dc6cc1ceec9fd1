#include "core/estado_global.h"
#include "reduction/bases_prueba.h"
#include "reduction/fichero_bases.h"
#include "reduction/motor_reduccion.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Bases = QStringLiteral("BASES.ZPK");

QByteArray Lineas(const QStringList& columnas) {
    QByteArray bytes;
    for (const QString& c : columnas)
        bytes += '"' + c.toLatin1() + "\"\r\n";
    return bytes;
}

QString Libre() {
    return QStringLiteral("0000") + QString(226, u' ');
}

struct Banco {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};

    Banco() { carpeta.Escribe(Bases, QByteArray()); }

    void Prepara(int jornada, int orden, const QString& fichas, int metodo) {
        estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
        estado.Datos.OrdenActual = static_cast<int16_t>(orden);
        estado.Red = BaseDeFichas(fichas.split(u' ', Qt::SkipEmptyParts), metodo);
    }
    QStringList Registros() const {
        QStringList r;
        const QByteArray bytes = carpeta.Lee(Bases);
        for (const QByteArray& l : bytes.split('\n'))
            if (!l.isEmpty())
                r << QString::fromLatin1(l.chopped(1));
        return r;
    }
};

const QString Probable = QStringLiteral("1X2*=1 12*=2 X2*=X 1X 1 1 1 1 1 1 1 1 1 1 X2");

} // namespace

TEST(MotorReduccion, JornadaSieteOrdenTresBytesExactos) {
    Banco b;
    b.Prepara(7, 3, Probable, MetodoColumnaProbable);
    b.estado.Red.MinErrores = 1;
    b.estado.Red.MaxErrores = 2;
    b.estado.Red.Totales(1, 2) = 1; // no es de este método: se borra
    b.estado.Red.Descripcion = QStringLiteral("ABCDEF");
    b.estado.Datos.Metodo = MetodoDirecto;
    const QStringList esperado = ReduccionDeReferencia(b.estado.Red);

    int32_t totalVisto = 0, aceptadasVistas = 0;
    std::vector<int> porcentajes;
    OpcionesReduccion opciones;
    opciones.alEmpezar = [&](int32_t t, int32_t a) {
        totalVisto = t;
        aceptadasVistas = a;
    };
    opciones.aviso = [&](int32_t paso, int32_t pasos) {
        const int p = PorcentajeReduccion(paso, pasos);
        if (porcentajes.empty() || porcentajes.back() != p)
            porcentajes.push_back(p);
        return false;
    };
    const auto r = EjecutaReduccion(b.estado, opciones);
    ASSERT_EQ(r.fin, FinReduccion::Terminada);
    EXPECT_FALSE(r.mensaje);
    EXPECT_TRUE(b.plataforma.mensajes.empty());

    const QByteArray columnas = b.carpeta.Lee(QStringLiteral("RED0703.ZPK"));
    EXPECT_EQ(columnas, Lineas(esperado));
    EXPECT_EQ(columnas.size(), 19 * esperado.size());
    EXPECT_EQ(r.columnasEscritas, esperado.size());
    EXPECT_EQ(totalVisto, 48);
    EXPECT_EQ(aceptadasVistas, esperado.size());
    EXPECT_EQ(r.pasos, 48);
    EXPECT_EQ(porcentajes.back(), 100);
    EXPECT_EQ(porcentajes.front(), 2); // 100 div 48

    const QStringList registros = b.Registros();
    ASSERT_EQ(registros.size(), 1);
    const QString& reg = registros.at(0);
    EXPECT_EQ(reg.left(4), QStringLiteral("0703"));
    EXPECT_EQ(reg.mid(4, 5), QStringLiteral("2 1 2"));
    EXPECT_EQ(reg.mid(13, 8), QStringLiteral("      48"));
    EXPECT_EQ(reg.mid(21, 8), QString::number(esperado.size()).rightJustified(8));
    EXPECT_EQ(reg.mid(120, 45), QString(45, u'0')) << "totales borrados";
    EXPECT_EQ(reg.mid(165, 35), QString(29, u' ') + QStringLiteral("ABCDEF"));
    EXPECT_EQ(b.carpeta.Lee(Bases).size(), 232);
    EXPECT_EQ(b.estado.Datos.Metodo, MetodoColumnaProbable);
}

TEST(MotorReduccion, PorcentajeYTextosDelPanel) {
    EXPECT_EQ(PorcentajeReduccion(1, 1), 100);
    EXPECT_EQ(PorcentajeReduccion(14348907, 14348907), 100);
    EXPECT_EQ(PorcentajeReduccion(143489, 14348907), 0);
    EXPECT_EQ(PorcentajeReduccion(143490, 14348907), 1);
    EXPECT_EQ(TextoPorcentajeReduccion(7),
              QStringLiteral("Se ha realizado el   7 % de la reducción "));
    EXPECT_EQ(TextoTamanosReduccion(81, 9),
              QStringLiteral("       81 apuestas reducidas a 9      "));
    EXPECT_EQ(TituloProgresoReduccion(), QStringLiteral("REDUCIENDO APUESTAS"));
    EXPECT_EQ(TextoReduccionTerminada(), QStringLiteral("Ha finalizado el proceso de reducción"));
    EXPECT_EQ(TextoReduccionCancelada(),
              QStringLiteral("El proceso de reducción ha sido cancelado"));

    // Directo con cuatro triples: una sola combinación, 100 % tras la primera, 9 líneas.
    Banco b;
    b.Prepara(1, 1, QStringLiteral("1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    std::vector<std::pair<int, int>> avisos;
    OpcionesReduccion o;
    o.aviso = [&](int32_t paso, int32_t pasos) {
        avisos.push_back({paso, pasos});
        return false;
    };
    ASSERT_EQ(EjecutaReduccion(b.estado, o).fin, FinReduccion::Terminada);
    EXPECT_EQ(avisos, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("RED0101.ZPK")).size(), 9 * 19);
}

TEST(MotorReduccion, ComprobacionQueFallaNoEscribeNada) {
    Banco b;
    b.Prepara(2, 1, QStringLiteral("1X2* 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoColumnaProbable);
    const auto r = EjecutaReduccion(b.estado);
    EXPECT_EQ(r.fin, FinReduccion::Rechazada);
    ASSERT_TRUE(r.mensaje);
    EXPECT_EQ(r.mensaje->titulo, QStringLiteral("ERROR EN LA QUINIELA BASE"));
    EXPECT_TRUE(b.plataforma.mensajes.empty()) << "el mensaje lo muestra quien llama";
    EXPECT_TRUE(b.carpeta.Lee(Bases).isEmpty());
    EXPECT_FALSE(b.carpeta.Existe(QStringLiteral("RED0201.ZPK")));
}

TEST(MotorReduccion, ReduccionExistentePreguntaYSustituyeEnSuSitio) {
    Banco b;
    b.Prepara(4, 2, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).fin, FinReduccion::Terminada);
    b.Prepara(5, 1, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).fin, FinReduccion::Terminada);
    const QByteArray antes = b.carpeta.Lee(QStringLiteral("RED0402.ZPK"));
    const QByteArray indiceAntes = b.carpeta.Lee(Bases);

    // Sin confirmar: nada cambia y se devuelve la pregunta.
    b.Prepara(4, 2, QStringLiteral("12* 1 1 1 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto);
    b.estado.ReducirConfirmado = true; // se borra antes de preguntar
    auto r = EjecutaReduccion(b.estado);
    EXPECT_EQ(r.fin, FinReduccion::NoReemplazada);
    ASSERT_EQ(b.plataforma.mensajes.size(), 1u);
    const auto& m = b.plataforma.mensajes.at(0);
    EXPECT_EQ(m.titulo, QStringLiteral("REDUCCIÓN YA EXISTE"));
    EXPECT_EQ(m.texto,
              QStringLiteral("Ya existe una reducción correspondiente a esa jornada  y  con ese "
                             "número de orden. Si desea conservar la reducción existente, pulse "
                             "Salir ,cambie el número de orden de la reducción actual y vuelva a "
                             "realizar  la  reducción.   Si  no  desea  conservarla,  pulse  el  "
                             "botón Reducir apuestas para que continue el proceso de reducción."));
    EXPECT_TRUE(m.botones.testFlag(BotonMensaje::Reducir));
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("RED0402.ZPK")), antes);
    EXPECT_EQ(b.carpeta.Lee(Bases), indiceAntes);

    // Confirmando con "Reducir apuestas": misma línea del índice, fichero truncado.
    b.plataforma.respuesta = BotonMensaje::Reducir;
    r = EjecutaReduccion(b.estado);
    ASSERT_EQ(r.fin, FinReduccion::Terminada);
    EXPECT_EQ(b.carpeta.Lee(QStringLiteral("RED0402.ZPK")),
              Lineas({QStringLiteral("2") + QString(14, u'1')}));
    const QStringList registros = b.Registros();
    ASSERT_EQ(registros.size(), 2);
    EXPECT_TRUE(registros.at(0).startsWith(QStringLiteral("04021")));
    EXPECT_EQ(registros.at(0).mid(13, 16), QStringLiteral("       2       1"));
    EXPECT_TRUE(registros.at(1).startsWith(QStringLiteral("0501")));
}

TEST(MotorReduccion, CancelarLiberaElRegistroYBorraElFichero) {
    Banco b;
    b.Prepara(6, 1, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).fin, FinReduccion::Terminada);
    // Se sustituye y se cancela a mitad: la reducción anterior también se pierde.
    b.Prepara(6, 1, Probable, MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 3;
    OpcionesReduccion o;
    o.reemplazaSinPreguntar = true;
    o.bytesBloque = 19 * 4;
    o.aviso = [](int32_t paso, int32_t) { return paso == 30; };
    const auto r = EjecutaReduccion(b.estado, o);
    EXPECT_EQ(r.fin, FinReduccion::Cancelada);
    EXPECT_EQ(r.pasosHechos, 30);
    EXPECT_FALSE(r.mensaje);
    EXPECT_FALSE(b.carpeta.Existe(QStringLiteral("RED0601.ZPK")));
    EXPECT_EQ(b.Registros(), QStringList{Libre()});
    EXPECT_FALSE(ExisteEnBases(b.estado, 6, 1));

    // La siguiente reducción nueva ocupa el registro liberado.
    b.Prepara(2, 5, Probable, MetodoDirecto);
    ASSERT_EQ(EjecutaReduccion(b.estado).fin, FinReduccion::Terminada);
    ASSERT_EQ(b.Registros().size(), 1);
    EXPECT_TRUE(b.Registros().at(0).startsWith(QStringLiteral("02051")));
}

TEST(MotorReduccion, FalloDeEscrituraSeLimpiaComoUnaCancelacion) {
    Banco b;
    b.Prepara(9, 9,
              QStringLiteral("1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2*=1 1X2 1X2 1 1 1 1 1 1 1"),
              MetodoColumnaProbable);
    b.estado.Red.MaxErrores = 6;

    // Un límite de tamaño de fichero hace fallar la escritura como un disco lleno.
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 19 * 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    OpcionesReduccion o;
    o.bytesBloque = 19 * 256;
    const auto r = EjecutaReduccion(b.estado, o);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);

    EXPECT_EQ(r.fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.mensaje);
    EXPECT_EQ(r.mensaje->titulo, QStringLiteral("ERROR AL GRABAR LA REDUCCIÓN"));
    EXPECT_TRUE(r.mensaje->texto.startsWith(
        QStringLiteral("No se ha podido grabar el fichero de apuestas reducidas RED0909.ZPK: ")));
    EXPECT_TRUE(r.mensaje->texto.endsWith(
        QStringLiteral(". La reducción se ha cancelado y no ha quedado guardada.")));
    EXPECT_GT(r.columnasEscritas, 0) << "falla a mitad, no al abrir";
    EXPECT_FALSE(b.carpeta.Existe(QStringLiteral("RED0909.ZPK")));
    EXPECT_EQ(b.Registros(), QStringList{Libre()});
}

TEST(MotorReduccion, FicheroBorradoDuranteLaReduccion) {
    Banco b;
    b.Prepara(8, 2, Probable, MetodoSeleccionSignos);
    for (int k = 1; k <= 3; ++k)
        for (int r = 0; r <= 3; ++r)
            b.estado.Red.Totales(k, r) = 1;
    OpcionesReduccion o;
    o.aviso = [&](int32_t paso, int32_t) {
        if (paso == 10)
            QFile::remove(b.carpeta.Ruta(QStringLiteral("RED0802.ZPK")));
        return false;
    };
    const auto r = EjecutaReduccion(b.estado, o);
    EXPECT_EQ(r.fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.mensaje);
    EXPECT_TRUE(r.mensaje->texto.contains(
        QStringLiteral("el fichero ha desaparecido durante la reducción")));
    EXPECT_FALSE(b.carpeta.Existe(QStringLiteral("RED0802.ZPK")));
    EXPECT_EQ(b.Registros(), QStringList{Libre()});
}

TEST(MotorReduccion, CarpetaDesaparecidaNoDejaNada) {
    Banco b;
    b.Prepara(1, 2, Probable, MetodoDirecto);
    b.estado.CarpetaDatos = b.carpeta.Ruta(QStringLiteral("no-existe/"));
    const auto r = EjecutaReduccion(b.estado);
    EXPECT_EQ(r.fin, FinReduccion::Fallida);
    ASSERT_TRUE(r.mensaje);
    EXPECT_TRUE(r.mensaje->texto.contains(QStringLiteral("no existe la carpeta de datos")))
        << r.mensaje->texto.toStdString();
    EXPECT_FALSE(QDir(b.estado.CarpetaDatos).exists());
    EXPECT_TRUE(b.carpeta.Lee(Bases).isEmpty());
}
