#include "core/estado_global.h"
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
#include <QFontInfo>
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

const QByteArray Equipos = "Alav\xE9s\r\nAthletic Club\r\nBarcelona\r\nBetis\r\nSevilla\r\n";
const QString Jornadas = u"JORNADAS.ZPK"_s;

// Un registro de 544 bytes armado a mano: cabecera, 30 casillas de 15 y la cola en blanco.
QByteArray Registro(const QByteArray& cabecera, const QList<QByteArray>& casillas) {
    QByteArray r = cabecera;
    for (int k = 0; k < 30; ++k)
        r += casillas.value(k).leftJustified(15, ' ');
    return r + QByteArray(81, ' ');
}

const QByteArray RegistroUno = Registro("Jor0128/08/05", {"Betis", "Sevilla", "Alav\xE9s"});

class PantallaJornadasPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"EQUIPOS.ZPK"_s, Equipos);
        carpeta.Escribe(Jornadas, RegistroUno);
    }

    void Abre(PantallaJornadas& pantalla) {
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
    }

    // Elige una jornada como el usuario: abre la lista con su botón y hace clic en ella.
    static void EligeJornada(PantallaJornadas& pantalla, int jornada) {
        Pulsa(pantalla.Pic_BotNroJor);
        QListWidget* lista = pantalla.Lis_Jornadas;
        ASSERT_TRUE(lista->isVisible());
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
        const QRect rect = vista->visualRect(vista->model()->index(casilla->findText(nombre), 0));
        QTest::mouseMove(vista->viewport(), rect.center());
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void TecleaEn(QWidget* campo, const QString& texto) {
        campo->setFocus();
        Teclea(campo, texto);
    }

    static QStringList Textos(const PantallaJornadas& pantalla, int desde = 1, int n = 30) {
        QStringList textos;
        for (int k = desde; k < desde + n; ++k)
            textos << pantalla.Cbo_Equipo[k]->currentText();
        return textos;
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};
};

} // namespace

TEST_F(PantallaJornadasPrueba, AbreLaJornadaActualYOtraJornadaDescartaLosCambios) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    EXPECT_TRUE(plataforma.sonidos.empty());
    EXPECT_TRUE(plataforma.avisos.isEmpty());
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 1"_s);
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), u"Fecha 28/08/05"_s);
    EXPECT_EQ(pantalla.Tex_FecDia->text() + pantalla.Tex_FecMes->text() +
                  pantalla.Tex_FecAno->text(),
              u"280805"_s);
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(Textos(pantalla, 1, 4), (QStringList{u"Betis"_s, u"Sevilla"_s, u"Alavés"_s, {}}));
    EXPECT_EQ(pantalla.Cbo_Equipo[30]->count(), 5);
    EXPECT_FALSE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_EQ(pantalla.Lis_Jornadas->geometry(), QRect(32, 55, 90, 140));
    EXPECT_EQ(pantalla.Lis_Jornadas->count(), 42);
    GuardaCaptura(&pantalla, u"jornadas"_s);

    pantalla.Cbo_Equipo[1]->setFocus();
    pantalla.Cbo_Equipo[1]->lineEdit()->selectAll();
    Teclea(pantalla.Cbo_Equipo[1], u"Osasuna"_s);
    ASSERT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    EligeJornada(pantalla, 4);
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    EXPECT_EQ(Textos(pantalla), QStringList(30));
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), u"Fecha 00/00/00"_s);

    // La lista abierta se cierra, eligiendo, al pasar a otro control; Escape solo la pliega.
    Pulsa(pantalla.Pic_BotNroJor);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Lis_Jornadas);
    GuardaCaptura(&pantalla, u"jornadas_lista"_s);
    pantalla.Lis_Jornadas->setCurrentRow(0);
    QTest::mouseClick(pantalla.Cbo_Equipo[7], Qt::LeftButton);
    EXPECT_FALSE(pantalla.Lis_Jornadas->isVisible());
    EXPECT_EQ(pantalla.Cbo_Equipo[1]->currentText(), u"Betis"_s);
    Pulsa(pantalla.Pic_BotNroJor);
    QTest::keyClick(pantalla.Lis_Jornadas, Qt::Key_Escape);
    EXPECT_TRUE(pantalla.isVisible() && !pantalla.Lis_Jornadas->isVisible());

    plataforma.sonidos.clear();
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
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), u"Jornada 3"_s);

    // Fecha: "5" en el día, tabulador, y el mes y el año pasan solos al siguiente campo.
    Pulsa(pantalla.Pic_BotFecJor);
    ASSERT_TRUE(pantalla.Pic_FecJor->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecDia);
    Teclea(QApplication::focusWidget(), u"5"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecMes);
    Teclea(QApplication::focusWidget(), u"09"_s);
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Tex_FecAno);
    Teclea(QApplication::focusWidget(), u"05"_s);
    GuardaCaptura(&pantalla, u"jornadas_fecha"_s);
    Pulsa(pantalla.Pic_BotFecJor);
    EXPECT_FALSE(pantalla.Pic_FecJor->isVisible());
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), u"Fecha 05/09/05"_s);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Equipos: dos elegidos de la lista y los demás escritos, cortados a 15 caracteres aunque
    // se escriba en medio (el cursor no se mueve); Intro pasa a la casilla siguiente sin
    // añadir nada a la lista y en la última se queda.
    EligeEquipo(pantalla.Cbo_Equipo[1], u"Barcelona"_s);
    EligeEquipo(pantalla.Cbo_Equipo[2], u"Alavés"_s);
    QComboBox* casilla = pantalla.Cbo_Equipo[27];
    casilla->setFocus();
    casilla->setEditText(u"Real Sociedad"_s);
    casilla->lineEdit()->setCursorPosition(4);
    Teclea(casilla, u"XYZ"_s);
    EXPECT_EQ(casilla->lineEdit()->cursorPosition(), 7);
    TecleaEn(pantalla.Cbo_Equipo[28], u"Club Deportivo Numancia"_s);
    EXPECT_EQ(pantalla.Cbo_Equipo[28]->currentText(), u"Club Deportivo "_s);
    TecleaEn(pantalla.Cbo_Equipo[29], u"  Athletic Club"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    Teclea(pantalla.Cbo_Equipo[30], u"Nàstic"_s);
    QTest::keyClick(pantalla.Cbo_Equipo[30], Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Cbo_Equipo[30]);
    EXPECT_EQ(pantalla.Cbo_Equipo[29]->count(), 5);
    GuardaCaptura(&pantalla, u"jornadas_equipos"_s);

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
    casillas[26] = "RealXYZ Socieda";
    casillas[27] = "Club Deportivo ";
    casillas[28] = "Athletic Club";
    casillas[29] = "N\xE0stic";
    EXPECT_EQ(carpeta.Lee(Jornadas),
              RegistroUno + QByteArray(544, ' ') + Registro("Jor0305/09/05", casillas));
}

TEST_F(PantallaJornadasPrueba, SinFechaNoGuardaElPanelRechazaFechasQueNoExistenYFalloAlGuardar) {
    estado.Datos.JornadaActual = 2;
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    TecleaEn(pantalla.Cbo_Equipo[1], u"Betis"_s);
    ASSERT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, u"ERROR EN LA FECHA"_s);
    EXPECT_EQ(plataforma.mensajes[0].texto,
              u"No ha indicado la fecha de la jornada o no es correcta. No se pueden guardar los "
              u"datos de la jornada  si  no  se incluye una fecha válida.  Introduzca  un  valor  "
              u"correcto  antes  de  intentar guardar los datos de la jornada."_s);
    EXPECT_EQ(carpeta.Lee(Jornadas), RegistroUno);
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
    ASSERT_FALSE(plataforma.cursores.empty());
    EXPECT_EQ(plataforma.cursores.back().nombre, QString()) << "puntero restablecido";

    // El panel sigue abierto con 31/02/05 y 29/02/05; con 29/02/04 se cierra.
    Pulsa(pantalla.Pic_BotFecJor);
    const auto cierraCon = [&](const QString& dia, const QString& mes, const QString& ano) {
        pantalla.Tex_FecDia->setFocus();
        pantalla.Tex_FecDia->selectAll();
        for (const QString& campo : {dia, mes, ano})
            Teclea(QApplication::focusWidget(), campo);
        QTest::keyClick(pantalla.Tex_FecAno, Qt::Key_Return);
        return !pantalla.Pic_FecJor->isVisible();
    };
    EXPECT_FALSE(cierraCon(u"31"_s, u"02"_s, u"05"_s));
    EXPECT_FALSE(cierraCon(u"29"_s, u"02"_s, u"05"_s));
    EXPECT_TRUE(cierraCon(u"29"_s, u"02"_s, u"04"_s));
    EXPECT_EQ(plataforma.mensajes.size(), 3u);
    EXPECT_EQ(pantalla.Pic_BotFecJor->Rotulo(), u"Fecha 29/02/04"_s);

    // En lugar del fichero hay una carpeta: se avisa y los cambios siguen pendientes.
    ASSERT_TRUE(QFile::remove(carpeta.Ruta(Jornadas)));
    ASSERT_TRUE(QDir().mkdir(carpeta.Ruta(Jornadas)));
    Pulsa(pantalla.Pic_BotGuardar);
    ASSERT_EQ(plataforma.avisos.size(), 1);
    EXPECT_TRUE(plataforma.avisos[0].startsWith(u"No se han podido guardar los datos"_s));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());

    // Un campo admite dos caracteres: el tercero se corta sin mover el cursor.
    Pulsa(pantalla.Pic_BotFecJor);
    pantalla.Tex_FecMes->setFocus();
    pantalla.Tex_FecMes->setCursorPosition(0);
    Teclea(pantalla.Tex_FecMes, u"1"_s);
    EXPECT_EQ(pantalla.Tex_FecMes->text(), u"10"_s);
    EXPECT_EQ(pantalla.Tex_FecMes->cursorPosition(), 1);
    EXPECT_EQ(QApplication::focusWidget(), pantalla.Tex_FecMes);
}

TEST_F(PantallaJornadasPrueba, LasCasillasOfrecenLaListaEditada) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    TecleaEn(pantalla.Cbo_Equipo[4], u"Getafe"_s);

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
    EXPECT_EQ(Textos(pantalla, 1, 4),
              (QStringList{u"Betis"_s, u"Sevilla"_s, u"Alavés"_s, u"Getafe"_s}));
    EXPECT_TRUE(pantalla.Pic_BotGuardar->isVisible());
}

TEST_F(PantallaJornadasPrueba, EntradaUnoDelMenuAbreJornadas) {
    carpeta.Escribe(u"DATOSGEN.ZPK"_s,
                    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
    QFile::remove(carpeta.Ruta(Jornadas));
    PantallaVelmo menu(estado);
    menu.show();
    QString abierta;
    AlAbrirseModal([&](QWidget* modal) {
        abierta = modal ? modal->objectName() : QString();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    Pulsa(menu.Pic_Boton[1]);
    EXPECT_EQ(abierta, u"jornadas"_s);
    EXPECT_TRUE(carpeta.Existe(Jornadas)) << "se crea vacío al abrir";
}

TEST_F(PantallaJornadasPrueba, LaRuedaNoCambiaUnEquipoSinPulsarEnSuCasilla) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    QComboBox* casa = pantalla.Cbo_Equipo[1];
    QComboBox* fuera = pantalla.Cbo_Equipo[2];
    ASSERT_EQ(casa->currentText().trimmed(), u"Betis"_s);
    // Una muesca sobre el nombre y cinco sobre la flecha de una casilla sin foco.
    GiraRueda(fuera, QPoint(20, fuera->height() / 2), -1);
    GiraRueda(fuera, QPoint(fuera->width() - 6, fuera->height() / 2), -5);
    // La que tiene el foco sin que se haya pulsado en ella (llegó con el tabulador) tampoco.
    casa->setFocus();
    QTest::keyClick(casa, Qt::Key_Tab);
    ASSERT_TRUE(fuera->hasFocus());
    GiraRueda(fuera, QPoint(20, fuera->height() / 2), 2);
    EXPECT_EQ(Textos(pantalla, 1, 3), (QStringList{u"Betis"_s, u"Sevilla"_s, u"Alavés"_s}));
    EXPECT_FALSE(pantalla.Pic_BotGuardar->isVisible());
    // Tampoco las listas: la de jornadas sigue en la actual.
    Pulsa(pantalla.Pic_BotNroJor);
    GiraRueda(pantalla.Lis_Jornadas, QPoint(10, 10), -3);
    Pulsa(pantalla.Pic_BotNroJor);
    EXPECT_EQ(estado.Datos.JornadaActual, 1);
}

TEST_F(PantallaJornadasPrueba, CadaTeclaQuePuedeCambiarUnaCasillaMuestraGuardar) {
    struct Caso {
        Qt::Key tecla;
        bool muestra;
    };
    const Caso casos[] = {
        {Qt::Key_Right, true},  {Qt::Key_Left, true},     {Qt::Key_Down, true},
        {Qt::Key_Up, true},     {Qt::Key_PageDown, true}, {Qt::Key_Home, true},
        {Qt::Key_End, true},    {Qt::Key_Delete, true},   {Qt::Key_Backspace, true},
        {Qt::Key_Insert, true}, {Qt::Key_Return, true},   {Qt::Key_Tab, false},
        {Qt::Key_Shift, false}, {Qt::Key_Control, false}, {Qt::Key_F5, false},
    };
    for (const Caso& c : casos) {
        PantallaJornadas pantalla(estado);
        Abre(pantalla);
        QComboBox* casilla = pantalla.Cbo_Equipo[3];
        QTest::mouseClick(casilla->lineEdit(), Qt::LeftButton, {}, QPoint(10, 8));
        ASSERT_FALSE(pantalla.Pic_BotGuardar->isVisible());
        QTest::keyClick(QApplication::focusWidget(), c.tecla);
        EXPECT_EQ(pantalla.Pic_BotGuardar->isVisible(), c.muestra) << c.tecla;
    }
}

TEST_F(PantallaJornadasPrueba, UnClicDebajoDeLaUltimaJornadaNoQuitaLaElegida) {
    estado.Datos.TotalJornadas = 42;
    estado.Datos.JornadaActual = 1;
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    Pulsa(pantalla.Pic_BotNroJor);
    QListWidget* lista = pantalla.Lis_Jornadas;
    ASSERT_TRUE(lista->isVisible());
    // La franja entre la décima fila de cada columna y el borde de abajo.
    const QRect ultima = lista->visualItemRect(lista->item(9));
    const QPoint hueco(ultima.center().x(), ultima.bottom() + 2);
    ASSERT_LT(hueco.y(), lista->viewport()->height()) << "la lista no deja hueco: nada que probar";
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, hueco);
    EXPECT_TRUE(lista->isVisible()) << "el clic en el hueco no elige nada";
    ASSERT_NE(lista->currentItem(), nullptr);
    EXPECT_TRUE(lista->currentItem()->isSelected());
    EXPECT_EQ(lista->currentRow(), 0);
    Pulsa(pantalla.Pic_BotNroJor);
    EXPECT_EQ(estado.Datos.JornadaActual, 1);
}

namespace {

// Píxeles de un color en una captura.
int PixelesDeColor(const QImage& imagen, const QColor& color) {
    int n = 0;
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            n += QColor(imagen.pixel(x, y)) == color;
    return n;
}

} // namespace

TEST_F(PantallaJornadasPrueba, LaListaDeUnaCasillaTieneElAspectoDelPrograma) {
    PantallaJornadas pantalla(estado);
    Abre(pantalla);
    QComboBox* casilla = pantalla.Cbo_Equipo[1];
    QTest::mouseClick(casilla, Qt::LeftButton, {},
                      QPoint(casilla->width() - 6, casilla->height() / 2));
    QAbstractItemView* vista = casilla->view();
    ASSERT_TRUE(vista->isVisible());
    // La letra del programa, no la de ancho fijo, en la casilla y en su lista.
    EXPECT_FALSE(QFontInfo(vista->font()).fixedPitch());
    EXPECT_FALSE(QFontInfo(casilla->font()).fixedPitch());
    // El equipo de la casilla, elegido en verde; nada del azul de Qt.
    const QImage lista = vista->window()->grab().toImage();
    EXPECT_GT(PixelesDeColor(lista, QColor(0x28, 0x6e, 0x46)), 100);
    EXPECT_EQ(PixelesDeColor(lista, QApplication::style()->standardPalette().color(
                                        QPalette::Active, QPalette::Highlight)),
              0);
    GuardaCaptura(vista->window(), u"jornadas_lista_equipos"_s);
    QTest::keyClick(vista, Qt::Key_Escape);
    EXPECT_EQ(casilla->currentText().trimmed(), u"Betis"_s);
}
