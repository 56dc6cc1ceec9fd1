#include "matchdays/pantalla_borrar.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "shell/pantalla_mensajes.h"
#include "support/banco.h"
#include "support/datos_distribuidos.h"
#include "support/pantallas.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

const QString Jornadas = u"JORNADAS.ZPK"_s;

// Un registro de 544 bytes armado a mano: cabecera, 30 casillas de 15 y la cola en blanco.
QByteArray Registro(const QByteArray& cabecera, const QList<QByteArray>& casillas) {
    QByteArray r = cabecera;
    for (int k = 0; k < 30; ++k)
        r += casillas.value(k).leftJustified(15, ' ');
    return r + QByteArray(81, ' ');
}

const QByteArray RegistroUno = Registro("Jor0128/08/05", {"Betis", "Sevilla", "Alav\xE9s"});

// Abre la lista desplegable de una casilla con el ratón, por su flecha.
QAbstractItemView* AbreCasilla(QComboBox* casilla) {
    QTest::mouseClick(casilla, Qt::LeftButton, {},
                      QPoint(casilla->width() - 6, casilla->height() / 2));
    return casilla->view();
}

// Enseña la pantalla y espera a que sea la ventana activa, como al abrirla desde el menú.
void Abre(QWidget& pantalla) {
    pantalla.show();
    pantalla.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
}

void TecleaEn(QWidget* campo, const QString& texto) {
    campo->setFocus();
    Teclea(campo, texto);
}

class PantallaJornadasPrueba : public testing::Test, protected Banco {
protected:
    void SetUp() override {
        carpeta.Escribe(u"EQUIPOS.ZPK"_s,
                        "Alav\xE9s\r\nAthletic Club\r\nBarcelona\r\nBetis\r\nSevilla\r\n");
        carpeta.Escribe(Jornadas, RegistroUno);
    }
};

TEST_F(PantallaJornadasPrueba, OtraJornadaDescartaLosCambiosYSeEscribeYGuardaUna) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    TecleaEn(pantalla.Cbo_Equipo[1], u"Osasuna"_s);
    ASSERT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Un clic en la franja bajo la décima fila no elige; pasar a otro control elige la marcada, que
    // se vuelve a leer sin los cambios.
    Pulsa(pantalla.Pic_BotNroJor);
    QListWidget* lista = pantalla.Lis_Jornadas;
    const QRect decima = lista->visualItemRect(lista->item(9));
    const QPoint hueco(decima.center().x(), decima.bottom() + 2);
    ASSERT_LT(hueco.y(), lista->viewport()->height()) << "la lista no deja hueco: nada que probar";
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, hueco);
    lista->setCurrentRow(0);
    QTest::mouseClick(pantalla.Cbo_Equipo[7], Qt::LeftButton);
    EXPECT_FALSE(lista->isVisible());
    EXPECT_EQ(pantalla.Cbo_Equipo[1]->currentText(), u"Betis"_s);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());

    // Se escribe la jornada 3 y se guarda.
    Pulsa(pantalla.Pic_BotNroJor);
    EligeEnLista(pantalla.Lis_Jornadas, 2);

    // Fecha: "5" en el día, tabulador, y el mes y el año pasan solos al siguiente campo.
    Pulsa(pantalla.Pic_BotFecJor);
    Teclea(QApplication::focusWidget(), u"5"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    Teclea(QApplication::focusWidget(), u"09"_s);
    Teclea(QApplication::focusWidget(), u"05"_s);
    Pulsa(pantalla.Pic_BotFecJor);

    // Equipos: uno elegido de la lista y los demás escritos, cortados a 15 caracteres aunque se
    // escriba en medio (el cursor no se mueve); Intro pasa a la casilla siguiente sin añadir nada a
    // la lista y en la última se queda.
    QAbstractItemView* vista = AbreCasilla(pantalla.Cbo_Equipo[1]);
    ASSERT_TRUE(vista->isVisible()) << "la lista de la casilla no se abrió";
    const QPoint barcelona = vista->visualRect(vista->model()->index(2, 0)).center();
    QTest::mouseMove(vista->viewport(), barcelona);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, barcelona);
    QComboBox* casilla = pantalla.Cbo_Equipo[27];
    casilla->setFocus();
    casilla->setEditText(u"Real Sociedad"_s);
    casilla->lineEdit()->setCursorPosition(4);
    Teclea(casilla, u"XYZ"_s);
    EXPECT_EQ(casilla->lineEdit()->cursorPosition(), 7);
    TecleaEn(pantalla.Cbo_Equipo[28], u"Club Deportivo Numancia"_s);
    TecleaEn(pantalla.Cbo_Equipo[29], u"  Athletic Club"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    Teclea(pantalla.Cbo_Equipo[30], u"Nàstic"_s);
    QTest::keyClick(pantalla.Cbo_Equipo[30], Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    EXPECT_EQ(pantalla.Cbo_Equipo[29]->count(), 5);

    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    // El registro 3 queda escrito; el 2, que no existía, en blanco; el 1, intacto.
    QList<QByteArray> casillas(30);
    casillas[0] = "Barcelona";
    casillas[26] = "RealXYZ Socieda";
    casillas[27] = "Club Deportivo ";
    casillas[28] = "Athletic Club";
    casillas[29] = "N\xE0stic";
    EXPECT_EQ(carpeta.Lee(Jornadas),
              RegistroUno + QByteArray(544, ' ') + Registro("Jor0305/09/05", casillas));
}

TEST_F(PantallaJornadasPrueba, TeclasQueMuestranGuardarSinFechaNoGuardaPanelDeFechaYListaEditada) {
    const std::pair<Qt::Key, bool> casos[] = {
        {Qt::Key_Down, true}, {Qt::Key_Delete, true}, {Qt::Key_Return, true},
        {Qt::Key_Tab, false}, {Qt::Key_Shift, false}, {Qt::Key_F5, false},
    };
    for (const auto& [tecla, muestra] : casos) {
        PantallaJornadas pantalla(estado);
        Abre(pantalla);
        QTest::mouseClick(pantalla.Cbo_Equipo[3]->lineEdit(), Qt::LeftButton, {}, QPoint(10, 8));
        ASSERT_FALSE(pantalla.Pic_BotGuardar->isVisible());
        QTest::keyClick(QApplication::focusWidget(), tecla);
        EXPECT_EQ(pantalla.Pic_BotGuardar->isVisible(), muestra) << tecla;
    }

    estado.Datos.JornadaActual = 2;
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    TecleaEn(pantalla.Cbo_Equipo[1], u"Betis"_s);
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"ERROR EN LA FECHA"_s);
    EXPECT_EQ(carpeta.Lee(Jornadas), RegistroUno);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    ASSERT_FALSE(plataforma.Punteros.empty());
    EXPECT_EQ(plataforma.Punteros.back().Nombre, QString()) << "puntero restablecido";

    // El panel sigue abierto con 31/02/05; con 29/02/04 se cierra.
    Pulsa(pantalla.Pic_BotFecJor);
    for (const auto& [fecha, cierra] : {std::pair{u"310205"_s, false}, {u"290204"_s, true}}) {
        pantalla.Tex_FecDia->setFocus();
        pantalla.Tex_FecDia->selectAll();
        for (int i = 0; i < 6; i += 2)
            Teclea(QApplication::focusWidget(), fecha.mid(i, 2));
        QTest::keyClick(pantalla.Tex_FecAno, Qt::Key_Return);
        EXPECT_EQ(!pantalla.Pic_FecJor->isVisible(), cierra) << fecha.toStdString();
    }
    EXPECT_EQ(plataforma.Mensajes.size(), 2u);
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), u"Fecha 29/02/04"_s);

    // En lugar del fichero hay una carpeta: se avisa y los cambios siguen pendientes.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Jornadas)));
    ASSERT_TRUE(QDir().mkdir(carpeta.Ruta(Jornadas)));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.Avisos.size(), 1);
    EXPECT_TRUE(plataforma.Avisos[0].startsWith(u"No se han podido guardar los datos"_s));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Las casillas ofrecen la lista editada, con el aspecto del programa.
    TecleaEn(pantalla.Cbo_Equipo[3], u"Alavés"_s);
    TecleaEn(pantalla.Cbo_Equipo[4], u"Getafe"_s);
    bool abierta = false;
    AlAbrirseModal([&](QWidget* modal) {
        auto* equipos = qobject_cast<PantallaEquipos*>(modal);
        ASSERT_NE(equipos, nullptr);
        abierta = true;
        // Se borra "Alavés", se añade "Xerez" y se guarda; "Numancia" se añade sin guardar.
        EligeEnLista(equipos->Lis_Equipos, 0);
        QTest::keyClick(equipos->Lis_Equipos, Qt::Key_Delete);
        TecleaEn(equipos->Tex_NuevoEquipo, u"Xerez"_s);
        Pulsa(equipos->Pic_BotAnadir);
        Pulsa(equipos->Pic_BotGuardar);
        Teclea(equipos->Tex_NuevoEquipo, u"Numancia"_s);
        Pulsa(equipos->Pic_BotAnadir);
        Pulsa(equipos->Pic_Salir);
    });
    Pulsa(pantalla.Pic_Equipos);
    ASSERT_TRUE(abierta);

    const QStringList esperada{u"Athletic Club"_s, u"Barcelona"_s, u"Betis"_s, u"Sevilla"_s,
                               u"Xerez"_s};
    for (int k = 1; k <= 30; ++k) {
        QStringList ofrecidos;
        for (int i = 0; i < pantalla.Cbo_Equipo[k]->count(); ++i)
            ofrecidos << pantalla.Cbo_Equipo[k]->itemText(i);
        EXPECT_EQ(ofrecidos, esperada) << "casilla " << k;
    }
    // Las casillas conservan su texto, aunque el equipo ya no esté en la lista.
    EXPECT_EQ(pantalla.Cbo_Equipo[3]->currentText(), u"Alavés"_s);
    EXPECT_EQ(pantalla.Cbo_Equipo[4]->currentText(), u"Getafe"_s);

    // La lista de una casilla, con el aspecto del programa: el equipo de la casilla elegido en
    // verde; nada del azul de Qt.
    QAbstractItemView* vista = AbreCasilla(pantalla.Cbo_Equipo[1]);
    ASSERT_TRUE(vista->isVisible());
    const QImage lista = vista->window()->grab().toImage();
    int verdes = 0, azules = 0;
    const QColor azul = QApplication::style()->standardPalette().color(QPalette::Highlight);
    for (int y = 0; y < lista.height(); ++y)
        for (int x = 0; x < lista.width(); ++x) {
            verdes += QColor(lista.pixel(x, y)) == QColor(0x28, 0x6e, 0x46);
            azules += QColor(lista.pixel(x, y)) == azul;
        }
    EXPECT_GT(verdes, 100);
    EXPECT_EQ(azules, 0);
    GuardaCaptura(vista->window(), u"jornadas_lista_equipos"_s);
}

const QString Equipos = u"EQUIPOS.ZPK"_s;

class PantallaEquiposPrueba : public testing::Test, protected Banco {};

TEST_F(PantallaEquiposPrueba, PrimerUsoAnadeBorraGuardaSinBlancosYFalloAlGuardar) {
    PantallaEquipos nueva(estado);
    Abre(nueva);
    EXPECT_EQ(
        plataforma.Avisos,
        QStringList{u"No se encuentra el fichero de equipos EQUIPOS.ZPK.\r\nSe ha procedido "
                    u"a crearlo automáticamente con los valores establecidos por defecto."_s});
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray());

    // Lo que el fichero no puede guardar (fuera de Windows-1252) no se teclea.
    Teclea(nueva.Tex_NuevoEquipo, u"Peña"_s);
    QTest::sendKeyEvent(QTest::Click, nueva.Tex_NuevoEquipo, Qt::Key_unknown, u"😀"_s,
                        Qt::NoModifier);
    Teclea(nueva.Tex_NuevoEquipo, u" €ĉ"_s);
    EXPECT_EQ(nueva.Tex_NuevoEquipo->text(), u"Peña €"_s);
    EXPECT_EQ(nueva.Tex_NuevoEquipo->cursorPosition(), 6);
    Pulsa(nueva.Pic_BotAnadir);
    QTest::keyClick(nueva.Tex_NuevoEquipo, Qt::Key_Escape);
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray()) << "salir no guarda";

    carpeta.Escribe(Equipos, "Alav\xE9s\r\nBetis\r\nSevilla\r\n");
    PantallaEquipos pantalla(estado);
    Abre(pantalla);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_NuevoEquipo);
    // Solo blancos: no hay nada que añadir, ni con el botón ni con Intro.
    Teclea(pantalla.Tex_NuevoEquipo, u"   "_s);
    EXPECT_FALSE(pantalla.Pic_BotAnadir->isVisible());
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    pantalla.Tex_NuevoEquipo->clear();
    Teclea(pantalla.Tex_NuevoEquipo, u"  Real Madrid  "_s);
    QTest::keyClick(pantalla.Tex_NuevoEquipo, Qt::Key_Return);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible() && !pantalla.Pic_BotAnadir->isVisible());

    // Al entrar en el campo del nombre se quita la selección.
    EligeEnLista(pantalla.Lis_Equipos, 1);
    EXPECT_TRUE(pantalla.Pic_BotBorrar->isVisible());
    QTest::mouseClick(pantalla.Tex_NuevoEquipo, Qt::LeftButton);
    EXPECT_FALSE(pantalla.Pic_BotBorrar->isVisible());
    EXPECT_TRUE(pantalla.Lis_Equipos->selectedItems().isEmpty());
    // Borra con el botón y con la tecla Supr.
    EligeEnLista(pantalla.Lis_Equipos, 1);
    Pulsa(pantalla.Pic_BotBorrar);
    EligeEnLista(pantalla.Lis_Equipos, 0);
    QTest::keyClick(pantalla.Lis_Equipos, Qt::Key_Delete);
    Pulsa(pantalla.Pic_BotGuardar);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(carpeta.Lee(Equipos), QByteArray("Sevilla\r\nReal Madrid\r\n"));

    // Una carpeta con contenido ocupa el nombre del fichero: se avisa y sigue sin guardar.
    TecleaEn(pantalla.Tex_NuevoEquipo, u"Osasuna"_s);
    Pulsa(pantalla.Pic_BotAnadir);
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Equipos)));
    ASSERT_TRUE(QDir().mkpath(carpeta.Ruta(u"EQUIPOS.ZPK/dentro"_s)));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"ERROR AL GUARDAR"_s);
    EXPECT_TRUE(plataforma.Mensajes[0].Texto.startsWith(
        u"No se ha podido guardar el fichero de equipos EQUIPOS.ZPK"_s));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
}

// Abre la lista con su botón y hace clic en la jornada, como el usuario.
void Elige(QWidget* boton, QListWidget* lista, int jornada) {
    Pulsa(boton);
    EligeEnLista(lista, jornada - 1);
}

TEST(PantallaBorrar, UnTramoAlRevesAbreLaOtraListaYSalirDelDialogoNoBorraNada) {
    Banco banco(false);
    auto& [carpeta, estado, plataforma] = banco;
    CopiaDatosDistribuidos(carpeta);
    PantallaBorrar pantalla(estado);
    Abre(pantalla);
    const auto antes = ContenidoCarpeta(carpeta);
    GuardaCaptura(&pantalla, u"borrar"_s);
    Elige(pantalla.Pic_BotJorFin, pantalla.Lis_JorFin, 5);
    Elige(pantalla.Pic_BotJorIni, pantalla.Lis_JorIni, 20);
    // "Desde" 20 con "Hasta" 5: la lista "Hasta" se abre con el 20 elegido.
    ASSERT_TRUE(pantalla.Lis_JorFin->isVisible());
    GuardaCaptura(&pantalla, u"borrar_lista"_s);
    QTest::keyClick(pantalla.Lis_JorFin, Qt::Key_Return);
    EXPECT_EQ(pantalla.Rango().JorFin(), 20);
    Elige(pantalla.Pic_BotJorIni, pantalla.Lis_JorIni, 3);
    Elige(pantalla.Pic_BotJorFin, pantalla.Lis_JorFin, 3);
    Pulsa(pantalla.Pic_BotBorrar); // la falsa responde como Salir
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Texto, TextoConfirmacionBorrado(3, 3));
    EXPECT_EQ(ContenidoCarpeta(carpeta), antes);
    EXPECT_TRUE(pantalla.TextoHecho().isEmpty()); // no se ha borrado nada

    // Con el diálogo de verdad: captura y su botón "Borrar datos".
    MensajeroQt mensajero(estado);
    Plataforma servicios = ServiciosPlataforma();
    servicios.Mensajeria = &mensajero;
    InstalaPlataforma(servicios);
    AlAbrirseModal([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        auto* dialogo = static_cast<PantallaMensajes*>(modal);
        GuardaCaptura({&pantalla, dialogo}, u"borrar_confirmacion"_s);
        Pulsa(dialogo->Pic_BotBorrar);
    });
    Pulsa(pantalla.Pic_BotBorrar);
    EXPECT_FALSE(carpeta.Existe(u"RED0301.ZPK"_s));
    EXPECT_TRUE(pantalla.isVisible()); // sigue abierta con el mismo tramo
    EXPECT_EQ(pantalla.Rango().JorIni(), 3);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Y dice que lo ha hecho, hasta que se elige otro tramo.
    EXPECT_TRUE(pantalla.TextoHecho().startsWith(u"Borrada la jornada 3: "_s))
        << pantalla.TextoHecho().toStdString();
    GuardaCaptura(&pantalla, u"borrar_hecho"_s);
    Elige(pantalla.Pic_BotJorFin, pantalla.Lis_JorFin, 4);
    EXPECT_TRUE(pantalla.TextoHecho().isEmpty());
}

} // namespace
