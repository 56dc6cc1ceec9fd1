#include "core/estado_global.h"
#include "matchdays/fecha_jornada.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QByteArray Equipos = "Alav\xE9s\r\nAthletic Club\r\nBarcelona\r\nBetis\r\nSevilla\r\n";

// Un registro de 544 bytes armado a mano: cabecera, 30 casillas de 15 y la cola.
QByteArray Registro(const QByteArray& cabecera, const QList<QByteArray>& casillas,
                    const QByteArray& cola = QByteArray(81, ' ')) {
    QByteArray r = cabecera;
    for (int k = 0; k < 30; ++k)
        r += (k < casillas.size() ? casillas[k] : QByteArray()).leftJustified(15, ' ');
    return r + cola;
}

class PantallaJornadasPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(QStringLiteral("EQUIPOS.ZPK"), Equipos);
        carpeta.Escribe(QStringLiteral("JORNADAS.ZPK"),
                        Registro("Jor0128/08/05", {"Betis", "Sevilla", "Alav\xE9s"}));
    }

    void Abre(PantallaJornadas& pantalla) {
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
    }

    // Elige una jornada como el usuario: abre la lista con su botón y hace clic en ella.
    void EligeJornada(PantallaJornadas& pantalla, int jornada) {
        Pulsa(pantalla.Pic_BotNroJor);
        ASSERT_TRUE(pantalla.Lis_Jornadas->isVisible());
        QListWidget* lista = pantalla.Lis_Jornadas;
        const QRect fila = lista->visualItemRect(lista->item(jornada - 1));
        ASSERT_TRUE(lista->viewport()->rect().contains(fila.center()));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, fila.center());
        ASSERT_FALSE(lista->isVisible());
    }

    // Elige un equipo en la lista desplegable de una casilla, con el ratón.
    static void EligeEquipo(QComboBox* casilla, const QString& nombre) {
        QTest::mouseClick(casilla, Qt::LeftButton, {},
                          QPoint(casilla->width() - 6, casilla->height() / 2));
        QAbstractItemView* vista = casilla->view();
        ASSERT_TRUE(vista->isVisible()) << "la lista de la casilla no se abrió";
        const int fila = casilla->findText(nombre);
        ASSERT_GE(fila, 0);
        const QRect rect = vista->visualRect(vista->model()->index(fila, 0));
        QTest::mouseMove(vista->viewport(), rect.center());
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QStringList TextosCasillas(const PantallaJornadas& pantalla) {
        QStringList textos;
        for (int k = 1; k <= 30; ++k)
            textos << pantalla.Cbo_Equipo[k]->currentText();
        return textos;
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

} // namespace

TEST_F(PantallaJornadasPrueba, AbreLaJornadaActualSinSonidos) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(pantalla.objectName(), QStringLiteral("jornadas"));
    EXPECT_TRUE(plataforma.sonidos.empty());
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    EXPECT_FALSE(estado.ModoEdicion);
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), QStringLiteral("Jornada 1"));
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), QStringLiteral("Fecha 28/08/05"));
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_FALSE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(pantalla.Tex_FecDia->text(), QStringLiteral("28"));
    EXPECT_EQ(pantalla.Tex_FecMes->text(), QStringLiteral("08"));
    EXPECT_EQ(pantalla.Tex_FecAno->text(), QStringLiteral("05"));
    EXPECT_EQ(TextosCasillas(pantalla).mid(0, 4),
              (QStringList{QStringLiteral("Betis"), QStringLiteral("Sevilla"),
                           QStringLiteral("Alavés"), QString()}));
    // Cada casilla ofrece la lista de equipos en el orden del fichero.
    for (int k = 1; k <= 30; ++k) {
        QComboBox* casilla = pantalla.Cbo_Equipo[k];
        ASSERT_EQ(casilla->count(), 5);
        EXPECT_EQ(casilla->itemText(0), QStringLiteral("Alavés"));
        EXPECT_EQ(casilla->itemText(4), QStringLiteral("Sevilla"));
        EXPECT_TRUE(casilla->isEditable());
    }
    // La lista de jornadas, desplazada 17 píxeles, con 42 entradas en 5 columnas.
    EXPECT_EQ(pantalla.Lis_Jornadas->geometry(), QRect(32, 55, 90, 140));
    EXPECT_EQ(pantalla.Lis_Jornadas->count(), 42);
    EXPECT_EQ(pantalla.Lis_Jornadas->currentRow(), 0);
    GuardaCaptura(&pantalla, QStringLiteral("jornadas"));

    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2100});
    QTest::keyClick(pantalla.Cbo_Equipo[1], Qt::Key_Escape);
    EXPECT_FALSE(pantalla.isVisible()) << "Escape sale como el botón Salir";
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{9, 5}));
}

TEST_F(PantallaJornadasPrueba, EscribeUnaJornadaYLaGuarda) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    EligeJornada(pantalla, 3);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), QStringLiteral("Jornada 3"));
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 7}));

    // Fecha: "5" en el día, tabulador, y el mes y el año pasan solos al siguiente campo.
    Pulsa(pantalla.Pic_BotFecJor);
    ASSERT_TRUE(pantalla.Pic_FecJor->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotFecJor->EstaPulsado());
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecDia);
    EXPECT_EQ(pantalla.Tex_FecDia->cursorPosition(), 0);
    Teclea(QApplication::focusWidget(), QStringLiteral("5"));
    EXPECT_EQ(pantalla.Tex_FecDia->text(), QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecMes);
    Teclea(QApplication::focusWidget(), QStringLiteral("09"));
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecAno);
    Teclea(QApplication::focusWidget(), QStringLiteral("05"));
    EXPECT_EQ(pantalla.Tex_FecAno->text(), QStringLiteral("05"));
    GuardaCaptura(&pantalla, QStringLiteral("jornadas_fecha"));
    Pulsa(pantalla.Pic_BotFecJor);
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_EQ(pantalla.Tex_FecDia->text(), QStringLiteral("05"));
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), QStringLiteral("Fecha 05/09/05"));
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("05/09/05"));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Equipos: dos elegidos de la lista y uno escrito; Intro pasa a la casilla siguiente.
    EligeEquipo(pantalla.Cbo_Equipo[1], QStringLiteral("Barcelona"));
    EXPECT_EQ(pantalla.Cbo_Equipo[1]->currentText(), QStringLiteral("Barcelona"));
    EligeEquipo(pantalla.Cbo_Equipo[2], QStringLiteral("Alavés"));
    pantalla.Cbo_Equipo[30]->setFocus();
    Teclea(pantalla.Cbo_Equipo[30], QStringLiteral("Nàstic"));
    pantalla.Cbo_Equipo[29]->setFocus();
    Teclea(pantalla.Cbo_Equipo[29], QStringLiteral("  Athletic Club"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    GuardaCaptura(&pantalla, QStringLiteral("jornadas_equipos"));

    plataforma.sonidos.clear();
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 6}));
    EXPECT_EQ(plataforma.esperas, (std::vector<int>{300, 200}));
    EXPECT_TRUE(plataforma.mensajes.empty());

    // El registro 3 queda escrito; el 2, que no existía, en blanco; el 1, intacto.
    QList<QByteArray> casillas(30);
    casillas[0] = "Barcelona";
    casillas[1] = "Alav\xE9s";
    casillas[28] = "Athletic Club";
    casillas[29] = "N\xE0stic";
    const QByteArray esperado = Registro("Jor0128/08/05", {"Betis", "Sevilla", "Alav\xE9s"}) +
                                QByteArray(544, ' ') + Registro("Jor0305/09/05", casillas);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("JORNADAS.ZPK")), esperado);
    EXPECT_EQ(estado.RegistroJornada.size(), 544);
}

TEST_F(PantallaJornadasPrueba, JornadaSinGuardarYFechaIncorrecta) {
    estado.Datos.JornadaActual = 2;
    const QByteArray antes = carpeta.Lee(QStringLiteral("JORNADAS.ZPK"));
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(pantalla.Tex_FecDia->text(), QStringLiteral("00"));
    EXPECT_EQ(pantalla.Tex_FecMes->text(), QStringLiteral("00"));
    EXPECT_EQ(pantalla.Tex_FecAno->text(), QStringLiteral("00"));
    EXPECT_EQ(TextosCasillas(pantalla), QStringList(30));
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), QStringLiteral("Fecha 00/00/00"));

    // Sin fecha, "Guardar datos" avisa y no escribe nada.
    pantalla.Cbo_Equipo[1]->setFocus();
    Teclea(pantalla.Cbo_Equipo[1], QStringLiteral("Betis"));
    ASSERT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("ERROR EN LA FECHA"));
    EXPECT_EQ(plataforma.mensajes[0].texto, TextoErrorFecha());
    EXPECT_EQ(carpeta.Lee(QStringLiteral("JORNADAS.ZPK")), antes);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    ASSERT_FALSE(plataforma.cursores.empty());
    EXPECT_EQ(plataforma.cursores.back().control, &pantalla);
    EXPECT_EQ(plataforma.cursores.back().nombre, QString()) << "puntero restablecido";

    // 31/02/05 no existe: el panel sigue abierto; 29/02/04 sí.
    const auto escribeFecha = [&](const char* dia, const char* mes, const char* ano) {
        pantalla.Tex_FecDia->setFocus();
        pantalla.Tex_FecDia->selectAll();
        Teclea(pantalla.Tex_FecDia, QString::fromLatin1(dia));
        Teclea(QApplication::focusWidget(), QString::fromLatin1(mes));
        Teclea(QApplication::focusWidget(), QString::fromLatin1(ano));
    };
    Pulsa(pantalla.Pic_BotFecJor);
    escribeFecha("31", "02", "05");
    QTest::keyClick(pantalla.Tex_FecAno, Qt::Key_Return);
    EXPECT_TRUE(pantalla.Pic_FecJor->isVisible());
    EXPECT_EQ(plataforma.mensajes.size(), 2u);
    EXPECT_EQ(estado.Datos.FechaJornada, QStringLiteral("00/00/00"));
    escribeFecha("29", "02", "05");
    QTest::keyClick(pantalla.Tex_FecAno, Qt::Key_Return);
    EXPECT_TRUE(pantalla.Pic_FecJor->isVisible());
    EXPECT_EQ(plataforma.mensajes.size(), 3u);
    escribeFecha("29", "02", "04");
    QTest::keyClick(pantalla.Tex_FecAno, Qt::Key_Return);
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_EQ(plataforma.mensajes.size(), 3u);
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), QStringLiteral("Fecha 29/02/04"));

    // Un campo admite dos caracteres: el tercero se corta sin mover el cursor.
    Pulsa(pantalla.Pic_BotFecJor);
    pantalla.Tex_FecMes->setFocus();
    pantalla.Tex_FecMes->setCursorPosition(0);
    Teclea(pantalla.Tex_FecMes, QStringLiteral("1"));
    EXPECT_EQ(pantalla.Tex_FecMes->text(), QStringLiteral("10"));
    EXPECT_EQ(pantalla.Tex_FecMes->cursorPosition(), 1);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_FecMes);
}

TEST_F(PantallaJornadasPrueba, CasillasDeQuinceCaracteresEIntro) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    QComboBox* casilla = pantalla.Cbo_Equipo[5];
    casilla->setFocus();
    Teclea(casilla, QStringLiteral("Club Deportivo Numancia")); // 23 caracteres
    EXPECT_EQ(casilla->currentText(), QStringLiteral("Club Deportivo "));
    EXPECT_EQ(casilla->lineEdit()->cursorPosition(), 15);

    // Escribiendo en medio, el cursor se queda donde estaba y se pierde el final.
    casilla->setEditText(QStringLiteral("Real Sociedad"));
    casilla->lineEdit()->setCursorPosition(4);
    Teclea(casilla, QStringLiteral("XYZ"));
    EXPECT_EQ(casilla->currentText(), QStringLiteral("RealXYZ Socieda"));
    EXPECT_EQ(casilla->lineEdit()->cursorPosition(), 7);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    QTest::keyClick(casilla, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[6]);
    EXPECT_EQ(pantalla.Cbo_Equipo[6]->count(), 5) << "Intro no añade el texto a la lista";
    EXPECT_EQ(casilla->count(), 5);
    pantalla.Cbo_Equipo[30]->setFocus();
    QTest::keyClick(pantalla.Cbo_Equipo[30], Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    EXPECT_TRUE(pantalla.isVisible());
}

TEST_F(PantallaJornadasPrueba, OtraJornadaDescartaLosCambios) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    pantalla.Cbo_Equipo[1]->setFocus();
    pantalla.Cbo_Equipo[1]->lineEdit()->selectAll();
    Teclea(pantalla.Cbo_Equipo[1], QStringLiteral("Osasuna"));
    ASSERT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    EligeJornada(pantalla, 4);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(TextosCasillas(pantalla), QStringList(30));
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), QStringLiteral("Fecha 00/00/00"));

    // La lista abierta se cierra como una segunda pulsación al pasar a otro control.
    Pulsa(pantalla.Pic_BotNroJor);
    ASSERT_TRUE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotNroJor->EstaPulsado());
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Lis_Jornadas);
    GuardaCaptura(&pantalla, QStringLiteral("jornadas_lista"));
    pantalla.Lis_Jornadas->setCurrentRow(0);
    QTest::mouseClick(pantalla.Cbo_Equipo[7], Qt::LeftButton);
    EXPECT_FALSE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_EQ(estado.Datos.JornadaActual, 1);
    EXPECT_EQ(pantalla.Cbo_Equipo[1]->currentText(), QStringLiteral("Betis"));
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());

    // Escape con la lista abierta la pliega; la pantalla sigue abierta.
    Pulsa(pantalla.Pic_BotNroJor);
    QTest::keyClick(pantalla.Lis_Jornadas, Qt::Key_Escape);
    EXPECT_FALSE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_TRUE(pantalla.isVisible());
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 7, 6, 7, 6, 7}));

    // Abrir la lista con el panel de fecha abierto lo cierra antes.
    Pulsa(pantalla.Pic_BotFecJor);
    ASSERT_TRUE(pantalla.Pic_FecJor->isVisible());
    Pulsa(pantalla.Pic_BotNroJor);
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_TRUE(pantalla.Lis_Jornadas->isVisible());
}

TEST_F(PantallaJornadasPrueba, FalloAlGuardarSeAvisa) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    pantalla.Cbo_Equipo[3]->setFocus();
    Teclea(pantalla.Cbo_Equipo[3], QStringLiteral("X"));
    // En lugar del fichero hay una carpeta: no se puede escribir.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(QStringLiteral("JORNADAS.ZPK"))));
    ASSERT_TRUE(QDir().mkdir(carpeta.Ruta(QStringLiteral("JORNADAS.ZPK"))));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.avisos.size(), 1);
    EXPECT_TRUE(plataforma.avisos[0].startsWith(
        QStringLiteral("No se han podido guardar los datos de la jornada")));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible()) << "los cambios siguen pendientes";
    EXPECT_EQ(pantalla.Cbo_Equipo[3]->currentText(), QStringLiteral("AlavésX"));
}

TEST_F(PantallaJornadasPrueba, LasCasillasOfrecenLaListaEditada) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    pantalla.Cbo_Equipo[4]->setFocus();
    Teclea(pantalla.Cbo_Equipo[4], QStringLiteral("Getafe"));

    bool abierta = false;
    AlAbrirseModal([&](QWidget* modal) {
        auto* equipos = qobject_cast<PantallaEquipos*>(modal);
        ASSERT_NE(equipos, nullptr);
        abierta = true;
        // Se borra "Alavés", se añade "Xerez" y se guarda; "Numancia" se añade sin guardar.
        QListWidget* lista = equipos->Lis_Equipos;
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(0)).center());
        Pulsa(equipos->Pic_BotBorrar);
        equipos->Tex_NuevoEquipo->setFocus();
        Teclea(equipos->Tex_NuevoEquipo, QStringLiteral("Xerez"));
        Pulsa(equipos->Pic_BotAnadir);
        Pulsa(equipos->Pic_BotGuardar);
        Teclea(equipos->Tex_NuevoEquipo, QStringLiteral("Numancia"));
        Pulsa(equipos->Pic_BotAnadir);
        Pulsa(equipos->Pic_Salir);
    });
    plataforma.sonidos.clear();
    Pulsa(pantalla.Pic_Equipos);
    ASSERT_TRUE(abierta);
    EXPECT_EQ(plataforma.sonidos.front(), 9);
    EXPECT_EQ(plataforma.sonidos.back(), 5);

    const QStringList esperada{QStringLiteral("Athletic Club"), QStringLiteral("Barcelona"),
                               QStringLiteral("Betis"), QStringLiteral("Sevilla"),
                               QStringLiteral("Xerez")};
    for (int k = 1; k <= 30; ++k) {
        QStringList ofrecidos;
        for (int i = 0; i < pantalla.Cbo_Equipo[k]->count(); ++i)
            ofrecidos << pantalla.Cbo_Equipo[k]->itemText(i);
        EXPECT_EQ(ofrecidos, esperada) << "casilla " << k;
    }
    // Las casillas conservan su texto, aunque el equipo ya no esté en la lista.
    EXPECT_EQ(TextosCasillas(pantalla).mid(0, 4),
              (QStringList{QStringLiteral("Betis"), QStringLiteral("Sevilla"),
                           QStringLiteral("Alavés"), QStringLiteral("Getafe")}));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
}

TEST(PantallaJornadasMenu, EntradaUnoAbreJornadas) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"),
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    carpeta.Escribe(QStringLiteral("EQUIPOS.ZPK"), Equipos);
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    PantallaVelmo menu(estado);
    menu.show();

    QString abierta;
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        abierta = modal->objectName();
        Pulsa(static_cast<PantallaJornadas*>(modal)->Pic_Salir);
    });
    Pulsa(menu.Pic_Boton[1]);
    EXPECT_EQ(abierta, QStringLiteral("jornadas"));
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 5}));
    EXPECT_TRUE(carpeta.Existe(QStringLiteral("JORNADAS.ZPK"))) << "se crea vacío al abrir";
}
