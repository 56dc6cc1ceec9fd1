#include "cli/linea_ordenes.h"
#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/bases_prueba.h"
#include "reduction/fichero_bases.h"
#include "reduction/pantalla_reducir.h"
#include "settings/datos_generales.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QStringList Equipos{
    QStringLiteral("Barcelona"), QStringLiteral("Real Madrid"),   QStringLiteral("Valencia"),
    QStringLiteral("Sevilla"),   QStringLiteral("Villarreal"),    QStringLiteral("Osasuna"),
    QStringLiteral("Betis"),     QStringLiteral("Deportivo"),     QStringLiteral("Atlético"),
    QStringLiteral("Zaragoza"),  QStringLiteral("Athletic Club"), QStringLiteral("Getafe"),
    QStringLiteral("Espanyol"),  QStringLiteral("Mallorca"),      QStringLiteral("Celta"),
    QStringLiteral("Racing"),    QStringLiteral("R. Sociedad"),   QStringLiteral("Málaga"),
    QStringLiteral("Cádiz"),     QStringLiteral("Alavés"),        QStringLiteral("Recreativo"),
    QStringLiteral("Levante"),   QStringLiteral("Xerez"),         QStringLiteral("Murcia"),
    QStringLiteral("Numancia"),  QStringLiteral("Almería"),       QStringLiteral("Tenerife"),
    QStringLiteral("Gimnàstic"), QStringLiteral("Sporting"),      QStringLiteral("Valladolid")};

// Centro de la celda (partido, signo) de Pic_Base y Pic_ColBas según su prueba de pulsación:
// filas (Y + 14) div 18 con resto < 15, columnas (X + 12) div 15 con resto < 13.
QPoint PuntoBase(int partido, int signo) {
    return QPoint(15 * signo - 12 + 6, 18 * partido - 14 + 7);
}
// Casilla de Pic_Elegir: X de 3 a 16.
QPoint PuntoElegir(int partido) {
    return QPoint(9, 18 * partido - 7);
}
// Celda (signo, total) de Pic_Signos: filas Y div 18, columnas (X + 18) div 18.
QPoint PuntoSignos(int signo, int total) {
    return QPoint(18 * signo - 9, 18 * total + 9);
}

// El último puntero puesto en un control.
QString Puntero(const PlataformaFalsa& plataforma, const QObject* control) {
    for (auto it = plataforma.cursores.rbegin(); it != plataforma.cursores.rend(); ++it)
        if (it->control == control)
            return it->nombre;
    return QStringLiteral("(ninguno)");
}

void Pulsa(QWidget* caja, QPoint punto) {
    QTest::mouseClick(caja, Qt::LeftButton, Qt::NoModifier, punto);
}

// Elige una fila de una lista desplegada como con el ratón.
void EligeEnLista(QListWidget* lista, int fila) {
    ASSERT_TRUE(lista->isVisible());
    QListWidgetItem* item = lista->item(fila);
    ASSERT_NE(item, nullptr);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier,
                      lista->visualItemRect(item).center());
}

class PantallaReducirPrueba : public testing::Test {
protected:
    void SetUp() override {
        anterior_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
        carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaDatosGenerales(DatosGenerales{}));
        EquiposJornada equipos;
        for (int k = 1; k <= NumEquiposJornada; ++k)
            equipos[k] = Equipos.at(k - 1);
        ASSERT_EQ(
            EscribeRegistroJornada(estado, 12,
                                   ComponeRegistroJornada(RegistroJornadaVacio(), 12,
                                                          QStringLiteral("20/11/05"), equipos)),
            0);
        estado.Datos.JornadaActual = 12;
        estado.Datos.OrdenActual = 1;
    }
    void TearDown() override { QLocale::setDefault(anterior_); }

    // Guarda una reducción en el índice, como si ya se hubiera hecho.
    void Guarda(int jornada, int orden, const QString& fichas, int metodo,
                const QString& descripcion = QString()) {
        Reduccion red = BaseDeFichas(fichas.split(u' ', Qt::SkipEmptyParts), metodo);
        red.Descripcion = descripcion;
        QByteArray bytes = carpeta.Lee(QStringLiteral("BASES.ZPK"));
        bytes += ConstruyeRegistroReduccion(jornada, orden, red).toLatin1() + "\r\n";
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), bytes);
    }

    QStringList Registros() const {
        QStringList r;
        for (const QByteArray& l : carpeta.Lee(QStringLiteral("BASES.ZPK")).split('\n'))
            if (!l.isEmpty())
                r << QString::fromLatin1(l.chopped(1));
        return r;
    }

    // Una línea del panel de estadísticas por su rótulo.
    static QString Valor(const PantallaReducir& p, const QString& rotulo) {
        for (const LineaEstadistica& l : p.Pic_Esta->Lineas())
            if (l.rotulo == rotulo)
                return l.valor;
        return QStringLiteral("(no está)");
    }

    static QStringList Textos(const PantallaReducir& p) {
        QStringList t;
        for (const TextoPantalla& texto : TextosPantallaComun(p.Estado(), p.Controles()))
            t << texto.texto;
        return t;
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};

private:
    QLocale anterior_;
};

const QString BaseProbable =
    QStringLiteral("1X2*=1 1X*=X X2*=2 1X2*=X 12*=1 1X2 1 X 2 1X*=1 1 1 X2*=2 1 12");

} // namespace

TEST_F(PantallaReducirPrueba, AbreLaGuardadaConRejillasPartidosYEstadisticas) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, QStringLiteral("Peña del bar Central"));
    PantallaReducir pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));

    EXPECT_EQ(pantalla.objectName(), QStringLiteral("reducir"));
    EXPECT_EQ(pantalla.windowTitle(),
              QStringLiteral("Reducción de apuestas por el Método de Columna Probable   "));
    // Pic_Elegir 68 y Pic_ColBas 106 píxeles a la derecha de Pic_Base, a su altura.
    const QRect base = pantalla.Pic_Base->geometry();
    EXPECT_EQ(pantalla.Pic_Elegir->geometry().topLeft(), base.topLeft() + QPoint(68, 0));
    EXPECT_EQ(pantalla.Pic_ColBas->geometry().topLeft(), base.topLeft() + QPoint(106, 0));
    EXPECT_TRUE(pantalla.Pic_ColBas->isVisible());
    EXPECT_FALSE(pantalla.Pic_Signos->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotMinErr->isVisible());
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
    EXPECT_EQ(pantalla.Tex_Descripcion->text(), QStringLiteral("Peña del bar Central"));
    EXPECT_EQ(pantalla.Tex_Descripcion->maxLength(), 35);

    // Botones y listas.
    EXPECT_EQ(pantalla.Pic_BotNroJor->Rotulo(), QStringLiteral("Jornada 12"));
    EXPECT_EQ(pantalla.Pic_BotOrden->Rotulo(), QStringLiteral("Orden 1"));
    EXPECT_EQ(pantalla.Pic_BotMetodo->Rotulo(), QStringLiteral("Método de Columna Probable"));
    EXPECT_EQ(pantalla.Pic_BotMinErr->Rotulo(), QStringLiteral(" 0  Mínimo"));
    EXPECT_EQ(pantalla.Pic_BotReducir->Rotulo(), QStringLiteral("Reducir apuestas"));
    EXPECT_EQ(pantalla.Pic_BotCancelar->Rotulo(), QStringLiteral("Cancelar el proceso"));
    EXPECT_EQ(pantalla.Pic_BotSelTodo->Rotulo(), QStringLiteral("Seleccionar todo"));
    EXPECT_EQ(pantalla.Pic_BotBorTodo->Rotulo(), QStringLiteral("Borrar todo"));
    EXPECT_EQ(pantalla.Lis_Jornadas->count(), 42);
    EXPECT_EQ(pantalla.Lis_Jornadas->currentRow(), 11);
    EXPECT_EQ(pantalla.Lis_Jornadas->geometry(), QRect(15, 38, 90, 140));
    EXPECT_EQ(pantalla.Lis_Orden->count(), 30);
    EXPECT_EQ(pantalla.Lis_Orden->item(8)->text(), QStringLiteral(" 9"));
    EXPECT_EQ(pantalla.Lis_Orden->geometry(), QRect(140, 54, 38, 198));
    EXPECT_EQ(pantalla.Lis_Metodos->count(), 3);
    EXPECT_EQ(pantalla.Lis_Metodos->item(2)->text(), QStringLiteral("Selección de Signos"));
    // Siete múltiples elegidos: errores 0..7, 8 × 13 + 2 píxeles.
    EXPECT_EQ(pantalla.Lis_MinErrores->count(), 8);
    EXPECT_EQ(pantalla.Lis_MaxErrores->item(7)->text(), QStringLiteral(" 7"));
    EXPECT_EQ(pantalla.Lis_MinErrores->height(), 106);
    EXPECT_EQ(pantalla.Lis_MinErrores->y(), pantalla.Pic_BotMinErr->geometry().bottom() + 3);

    // Partidos junto a las filas y encabezados.
    const QStringList textos = Textos(pantalla);
    EXPECT_TRUE(textos.contains(QStringLiteral("1. Barcelona - Real Madrid")));
    EXPECT_TRUE(textos.contains(QStringLiteral("15. Sporting - Valladolid")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Quiniela     Partidos")));
    EXPECT_TRUE(textos.contains(QStringLiteral("base      reducidos")));
    EXPECT_TRUE(textos.contains(QStringLiteral("     Columna")));
    EXPECT_TRUE(textos.contains(QStringLiteral("    probable")));
    EXPECT_TRUE(textos.contains(QStringLiteral("permitidos:")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Descripción.:")));
    EXPECT_FALSE(textos.contains(QStringLiteral("       Signos")));
    // El número se escribe 6 píxeles más a la derecha por debajo de 10.
    for (const TextoPantalla& t : TextosPantallaComun(estado, pantalla.Controles())) {
        if (t.texto.startsWith(QStringLiteral("9. "))) {
            EXPECT_EQ(t.caja.left(), 21);
        }
        if (t.texto.startsWith(QStringLiteral("10. "))) {
            EXPECT_EQ(t.caja.left(), 15);
        }
    }

    // Estadísticas con separadores españoles: 3^3 · 2^6 columnas; sin errores, una por
    // cada combinación del triple y el doble sin elegir.
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. directas")), QStringLiteral("1.728"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Partidos a triple")), QStringLiteral("3"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Partidos a doble")), QStringLiteral("6"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Múltiples a reducir")), QStringLiteral("7"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("6"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. excluidas")), QStringLiteral("1.722"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Importe total")), QStringLiteral("864,00 €"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Factor reducción")), QStringLiteral("288,00"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Posibil. cubiertas")), QStringLiteral("0,35 %"));
    EXPECT_EQ(pantalla.Pic_Esta->Lineas().size(), 13u);

    GuardaCaptura(&pantalla, QStringLiteral("reducir_probable"));

    // Ayuda del método y puntero de mano en los botones.
    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2230});
    EXPECT_EQ(plataforma.sonidos.back(), 9);
    int manos = 0;
    for (const CursorPuesto& c : plataforma.cursores)
        if (c.nombre == u"ManoIndice" && qobject_cast<BotonImagen*>(c.control) != nullptr)
            ++manos;
    EXPECT_GE(manos, 13);
}

TEST_F(PantallaReducirPrueba, PulsacionesEnLasRejillas) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable);
    PantallaReducir pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    const PartidoBase& p2 = estado.Red.Base[2]; // "1X" elegido con la "X" probable

    // Quitar la "X" (penúltimo signo) del doble elegido: pierde la elección y la probable.
    Pulsa(pantalla.Pic_Base, PuntoBase(2, 2));
    EXPECT_EQ(p2.NumSignos, 1);
    EXPECT_EQ(p2.AReducir, 0);
    EXPECT_EQ(p2.SignoProbable, 0);
    EXPECT_EQ(plataforma.sonidos, std::vector<int>{1});
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Múltiples a reducir")), QStringLiteral("6"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. directas")), QStringLiteral("864"));
    // Las listas de errores pasan a 0..6.
    EXPECT_EQ(pantalla.Lis_MinErrores->count(), 7);
    EXPECT_EQ(pantalla.Lis_MinErrores->height(), 7 * 13 + 2);

    // La casilla de elegido de un sencillo no hace nada; tampoco el hueco entre filas.
    const QuinielaBase antes = estado.Red.Base;
    Pulsa(pantalla.Pic_Elegir, PuntoElegir(2));
    Pulsa(pantalla.Pic_Elegir, PuntoElegir(7));
    Pulsa(pantalla.Pic_Elegir, PuntoElegir(15));
    Pulsa(pantalla.Pic_Base, QPoint(10, 20));
    EXPECT_EQ(estado.Red.Base, antes);
    EXPECT_EQ(plataforma.sonidos.size(), 1u);
    // La probable de un signo sin marcar o de un partido sin elegir tampoco.
    Pulsa(pantalla.Pic_ColBas, PuntoBase(3, 1));
    Pulsa(pantalla.Pic_ColBas, PuntoBase(6, 2));
    EXPECT_EQ(estado.Red.Base, antes);
    EXPECT_EQ(plataforma.sonidos.size(), 1u);

    // Elegir el triple 6 y darle la probable "2"; volver a pulsarla la quita.
    Pulsa(pantalla.Pic_Elegir, PuntoElegir(6));
    EXPECT_EQ(estado.Red.Base[6].AReducir, 1);
    Pulsa(pantalla.Pic_ColBas, PuntoBase(6, 3));
    EXPECT_EQ(estado.Red.Base[6].SignoProbable, 3);
    Pulsa(pantalla.Pic_ColBas, PuntoBase(6, 3));
    EXPECT_EQ(estado.Red.Base[6].SignoProbable, 0);
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{1, 1, 1, 1}));

    // Punteros: goma sobre una marca, lápiz sobre una libre; cambia al pulsar sin moverse.
    QTest::mouseMove(pantalla.Pic_Base, PuntoBase(1, 1));
    EXPECT_EQ(plataforma.cursores.back().control, pantalla.Pic_Base);
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("goma"));
    EXPECT_EQ(estado.PuntoCursor, QPoint(1, 1));
    const std::size_t puestos = plataforma.cursores.size();
    QTest::mouseMove(pantalla.Pic_Base, PuntoBase(1, 1) + QPoint(2, 2));
    EXPECT_EQ(plataforma.cursores.size(), puestos) << "mismo estado: no se vuelve a poner";
    QTest::mouseMove(pantalla.Pic_Base, PuntoBase(7, 2));
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("lapiz"));
    Pulsa(pantalla.Pic_Base, PuntoBase(7, 2));
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("goma"));
    QTest::mouseMove(pantalla.Pic_Base, QPoint(1, 1));
    EXPECT_TRUE(plataforma.cursores.back().nombre.isEmpty());
    QTest::mouseMove(pantalla.Pic_Elegir, PuntoElegir(1));
    EXPECT_EQ(Puntero(plataforma, pantalla.Pic_Elegir), QStringLiteral("goma"));

    // Borrar todo y seleccionar todo.
    Pulsa(pantalla.Pic_BotBorTodo);
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. directas")), QStringLiteral("0"));
    EXPECT_EQ(pantalla.Lis_MaxErrores->count(), 1);
    EXPECT_EQ(pantalla.Pic_BotMaxErr->Rotulo(), QStringLiteral(" 0  Máximo"));
    Pulsa(pantalla.Pic_BotSelTodo);
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. directas")), QStringLiteral("14.348.907"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Triples a reducir")), QStringLiteral("14"));
    EXPECT_EQ(pantalla.Lis_MaxErrores->count(), 15);
    GuardaCaptura(&pantalla, QStringLiteral("reducir_todo"));
}

TEST_F(PantallaReducirPrueba, ErroresDesdeSusListas) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable);
    PantallaReducir pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));

    Pulsa(pantalla.Pic_BotMaxErr);
    EXPECT_TRUE(pantalla.Lis_MaxErrores->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotMaxErr->EstaPulsado());
    GuardaCaptura(&pantalla, QStringLiteral("reducir_lista_errores"));
    EligeEnLista(pantalla.Lis_MaxErrores, 2);
    EXPECT_FALSE(pantalla.Lis_MaxErrores->isVisible());
    EXPECT_EQ(estado.Red.MaxErrores, 2);
    EXPECT_EQ(pantalla.Pic_BotMaxErr->Rotulo(), QStringLiteral(" 2  Máximo"));
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{6, 7}));
    // 0 a 2 errores sobre 2 triples y 5 dobles elegidos: 1 + (4 + 5) + (4 + 20 + 10) = 44,
    // por el triple y el doble sin elegir.
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("264"));

    Pulsa(pantalla.Pic_BotMinErr);
    EligeEnLista(pantalla.Lis_MinErrores, 1);
    EXPECT_EQ(estado.Red.MinErrores, 1);
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("258"));

    // Quitar múltiples hasta M = 1 baja el máximo a 1 y redibuja su botón.
    for (int m : {1, 2, 3, 4, 5, 10})
        Pulsa(pantalla.Pic_Elegir, PuntoElegir(m));
    EXPECT_EQ(estado.Red.MaxErrores, 1);
    EXPECT_EQ(pantalla.Pic_BotMaxErr->Rotulo(), QStringLiteral(" 1  Máximo"));
    EXPECT_EQ(pantalla.Lis_MaxErrores->count(), 2);
}

TEST_F(PantallaReducirPrueba, TotalesDeSignosSoloHastaSuMaximo) {
    // Dos elegidos llevan "X": los totales 3..14 de la columna "X" no se pueden poner.
    Guarda(12, 1, QStringLiteral("1X* X2* 12* 1X2 1 1 1 1 1 1 1 1 1 1 1"), MetodoSeleccionSignos);
    PantallaReducir pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    EXPECT_TRUE(pantalla.Pic_Signos->isVisible());
    EXPECT_FALSE(pantalla.Pic_ColBas->isVisible());
    EXPECT_FALSE(pantalla.Pic_BotMinErr->isVisible());
    EXPECT_EQ(pantalla.windowTitle(),
              QStringLiteral("Reducción de apuestas por el Método de Selección de Signos"));
    EXPECT_TRUE(Textos(pantalla).contains(QStringLiteral("       Signos")));

    for (int r = 3; r <= 14; ++r)
        Pulsa(pantalla.Pic_Signos, PuntoSignos(2, r));
    for (int r = 0; r <= 14; ++r)
        EXPECT_EQ(estado.Red.Totales(2, r), 0) << r;
    EXPECT_TRUE(plataforma.sonidos.empty());

    for (int k = 1; k <= 3; ++k)
        Pulsa(pantalla.Pic_Signos, PuntoSignos(k, 1));
    Pulsa(pantalla.Pic_Signos, PuntoSignos(2, 2));
    EXPECT_EQ(estado.Red.Totales(2, 1), 1);
    EXPECT_EQ(estado.Red.Totales(2, 2), 1);
    EXPECT_EQ(plataforma.sonidos, (std::vector<int>{1, 1, 1, 1}));
    // Un "1", una "X" y un "2" entre 1X, X2 y 12: "1X2" y "X21"; por el triple sin elegir, 6
    // de 24. (Dos "X" dejarían 4 signos en 3 partidos.)
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("6"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. directas")), QStringLiteral("24"));

    // Punteros: mano hasta el máximo, prohibido encima.
    QTest::mouseMove(pantalla.Pic_Signos, PuntoSignos(2, 2));
    EXPECT_EQ(plataforma.cursores.back().nombre, QStringLiteral("ManoIndice"));
    QTest::mouseMove(pantalla.Pic_Signos, PuntoSignos(2, 3));
    EXPECT_EQ(pantalla.Pic_Signos->cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseMove(pantalla.Pic_Signos, PuntoSignos(1, 2));
    EXPECT_NE(pantalla.Pic_Signos->cursor().shape(), Qt::ForbiddenCursor);
    GuardaCaptura(&pantalla, QStringLiteral("reducir_signos"));

    Pulsa(pantalla.Pic_Ayuda);
    EXPECT_EQ(plataforma.temasAyuda, std::vector<int>{2250});
}

TEST_F(PantallaReducirPrueba, CambiarElMetodoSinReducirReabreConLaBasePorDefecto) {
    estado.Datos.Metodo = MetodoDirecto;
    PantallaVelmo menu(estado);
    menu.show();
    int aperturas = 0;
    QString titulo;
    QuinielaBase base;
    std::function<void(QWidget*)> segunda = [&](QWidget* modal) {
        ++aperturas;
        auto* p = qobject_cast<PantallaReducir*>(modal);
        ASSERT_NE(p, nullptr);
        titulo = p->windowTitle();
        base = estado.Red.Base;
        GuardaCaptura(p, QStringLiteral("reducir_directo_por_defecto"));
        Pulsa(p->Pic_Salir);
    };
    AlAbrirseModal([&](QWidget* modal) {
        ++aperturas;
        auto* p = qobject_cast<PantallaReducir*>(modal);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->windowTitle(), QStringLiteral("Reducción de apuestas por el Método Directo   "
                                                   "            "));
        // Cambios que no se reducen y el método de la lista.
        Pulsa(p->Pic_BotSelTodo);
        Pulsa(p->Pic_BotMetodo);
        AlAbrirseModal(segunda);
        EligeEnLista(p->Lis_Metodos, 1);
    });
    Pulsa(menu.Pic_Boton[2]);
    EXPECT_EQ(aperturas, 2);
    EXPECT_EQ(titulo, QStringLiteral("Reducción de apuestas por el Método de Columna Probable   "));
    EXPECT_EQ(base, QuinielaBase::PorDefecto());
    EXPECT_EQ(estado.Datos.Metodo, MetodoColumnaProbable);
    EXPECT_FALSE(estado.ReabrirReduccion);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("BASES.ZPK")), QByteArray());
}

TEST_F(PantallaReducirPrueba, OtraJornadaOtroOrdenYElIndiceReabren) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, QStringLiteral("Primera"));
    Guarda(7, 3, QStringLiteral("1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1"), MetodoDirecto,
           QStringLiteral("Cuatro triples"));
    {
        PantallaReducir pantalla(estado);
        pantalla.show();
        Pulsa(pantalla.Pic_BotOrden);
        EXPECT_TRUE(pantalla.Lis_Orden->isVisible());
        // Una segunda pulsación pliega la lista sin cambiar nada.
        Pulsa(pantalla.Pic_BotOrden);
        EXPECT_FALSE(pantalla.Lis_Orden->isVisible());
        EXPECT_TRUE(pantalla.isVisible());
        Pulsa(pantalla.Pic_BotOrden);
        EligeEnLista(pantalla.Lis_Orden, 24);
        EXPECT_FALSE(pantalla.isVisible());
        EXPECT_EQ(estado.Datos.OrdenActual, 25);
        EXPECT_TRUE(estado.ReabrirReduccion);
    }
    {
        estado.ReabrirReduccion = false;
        estado.MetodoRecordado = MetodoSeleccionSignos;
        PantallaReducir pantalla(estado);
        pantalla.show();
        Pulsa(pantalla.Pic_BotNroJor);
        GuardaCaptura(&pantalla, QStringLiteral("reducir_lista_jornadas"));
        EligeEnLista(pantalla.Lis_Jornadas, 6);
        EXPECT_EQ(estado.Datos.JornadaActual, 7);
        EXPECT_EQ(estado.Datos.OrdenActual, 1);
        EXPECT_EQ(estado.MetodoRecordado, 0);
        EXPECT_TRUE(estado.ReabrirReduccion);
    }
    {
        // El índice: la jornada 7, orden 3 del histórico.
        estado.ReabrirReduccion = false;
        PantallaReducir pantalla(estado);
        pantalla.show();
        AlAbrirseModal([&](QWidget* modal) {
            auto* historic = qobject_cast<PantallaHistoric*>(modal);
            ASSERT_NE(historic, nullptr);
            QTest::mouseClick(historic->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier,
                              QPoint(120, YPrimeraLinea + AltoLineaHistorial * 1 + 8));
        });
        Pulsa(pantalla.Pic_Indice);
        EXPECT_FALSE(pantalla.isVisible());
        EXPECT_TRUE(estado.ReabrirReduccion);
        EXPECT_EQ(estado.Datos.JornadaActual, 7);
        EXPECT_EQ(estado.Datos.OrdenActual, 3);
    }
    PantallaReducir pantalla(estado);
    EXPECT_EQ(estado.Red.Metodo, MetodoDirecto);
    EXPECT_EQ(pantalla.Tex_Descripcion->text(), QStringLiteral("Cuatro triples"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("9"));
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Probab. 13 aciertos")), QStringLiteral("88,89 %"));
}

TEST_F(PantallaReducirPrueba, ComprobacionFallidaSeMuestraYNoEscribe) {
    PantallaReducir pantalla(estado);
    pantalla.show();
    Pulsa(pantalla.Pic_BotReducir);
    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("MULTIPLES A REDUCIR"));
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotReducir->isEnabled());
    EXPECT_FALSE(pantalla.Pic_BotReducir->EstaPulsado());
    EXPECT_EQ(carpeta.Lee(QStringLiteral("BASES.ZPK")), QByteArray());
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("RED1201.ZPK")));
}

TEST_F(PantallaReducirPrueba, ReducirYLuegoDescribirActualizaElRegistro) {
    estado.Datos.Metodo = MetodoColumnaProbable;
    PantallaReducir pantalla(estado);
    pantalla.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    pantalla.PonIntervaloEventos(0);
    // Base: triples en 1..9 elegidos, probable "1"; 0 a 2 errores.
    for (int m = 1; m <= 9; ++m) {
        Pulsa(pantalla.Pic_Base, PuntoBase(m, 2));
        Pulsa(pantalla.Pic_Base, PuntoBase(m, 3));
        Pulsa(pantalla.Pic_Elegir, PuntoElegir(m));
        Pulsa(pantalla.Pic_ColBas, PuntoBase(m, 1));
    }
    Pulsa(pantalla.Pic_BotMaxErr);
    EligeEnLista(pantalla.Lis_MaxErrores, 2);
    EXPECT_EQ(Valor(pantalla, QStringLiteral("Apuest. aceptadas")), QStringLiteral("163"));
    GuardaCaptura(&pantalla, QStringLiteral("reducir_antes"));

    // Durante la reducción: el panel, sus textos y el resto de la pantalla sin responder.
    QStringList vistos;
    bool capturada = false;
    const QuinielaBase base = estado.Red.Base;
    plataforma.alProcesarEventos = [&] {
        if (vistos.isEmpty()) {
            // Clics y teclas fuera del panel no llegan a la pantalla.
            Pulsa(pantalla.Pic_BotBorTodo);
            Pulsa(pantalla.Pic_Base, PuntoBase(1, 1));
            QTest::keyClicks(pantalla.Tex_Descripcion, QStringLiteral("abc"));
            EXPECT_EQ(estado.Red.Base, base);
            EXPECT_TRUE(pantalla.Tex_Descripcion->text().isEmpty());
            EXPECT_TRUE(pantalla.isVisible());
        }
        vistos << pantalla.Pic_Porcen->Progreso();
        EXPECT_TRUE(pantalla.Pic_BotCancelar->isVisible());
        EXPECT_EQ(pantalla.cursor().shape(), Qt::BusyCursor);
        if (!capturada && pantalla.Pic_Porcen->Porcentaje() >= 40) {
            capturada = true;
            GuardaCaptura(&pantalla, QStringLiteral("reducir_durante"));
        }
    };
    bool alFinal = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(pantalla.Pic_Porcen->Progreso(),
                  QStringLiteral("Ha finalizado el proceso de reducción"));
        EXPECT_FALSE(pantalla.Pic_BotCancelar->isVisible());
        EXPECT_TRUE(pantalla.Pic_SalirPorcen->isVisible());
        EXPECT_NE(pantalla.cursor().shape(), Qt::BusyCursor);
        GuardaCaptura(&pantalla, QStringLiteral("reducir_terminada"));
        alFinal = true;
        Pulsa(pantalla.Pic_SalirPorcen);
    });
    Pulsa(pantalla.Pic_BotReducir);
    EXPECT_TRUE(alFinal);
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
    EXPECT_TRUE(pantalla.Pic_Salir->isEnabled());
    EXPECT_EQ(pantalla.Pic_Porcen->Tamanos(),
              QStringLiteral("    19683 apuestas reducidas a 163    "));
    ASSERT_FALSE(vistos.isEmpty());
    EXPECT_EQ(vistos.first(), QStringLiteral("Se ha realizado el   0 % de la reducción "));
    EXPECT_TRUE(vistos.contains(QStringLiteral("Se ha realizado el  50 % de la reducción ")));
    EXPECT_TRUE(capturada);
    EXPECT_TRUE(plataforma.mensajes.empty());

    // El registro y el fichero de columnas.
    const QStringList registros = Registros();
    ASSERT_EQ(registros.size(), 1);
    EXPECT_EQ(registros[0].left(9), QStringLiteral("12012 0 2"));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("RED1201.ZPK")).size(), 163 * 19);

    // Descripción escrita después y Salir: el registro la guarda.
    pantalla.Tex_Descripcion->setFocus();
    Teclea(pantalla.Tex_Descripcion, QStringLiteral("Nueve triples, peña"));
    EXPECT_EQ(estado.Red.Descripcion, QStringLiteral("Nueve triples, peña"));
    estado.ReabrirReduccion = true;
    Pulsa(pantalla.Pic_Salir);
    EXPECT_FALSE(pantalla.isVisible());
    EXPECT_FALSE(estado.ReabrirReduccion);
    EXPECT_EQ(plataforma.sonidos.back(), 5);
    const QStringList despues = Registros();
    ASSERT_EQ(despues.size(), 1);
    EXPECT_EQ(despues[0], registros[0].left(165) + QString(16, u' ') +
                              QStringLiteral("Nueve triples, peña") + registros[0].mid(200));
    EXPECT_EQ(carpeta.Lee(QStringLiteral("BASES.ZPK")).mid(165, 35), QByteArray(16, ' ') +
                                                                         "Nueve triples, pe\xf1"
                                                                         "a");
}

TEST_F(PantallaReducirPrueba, CancelarUnaSustitucionNoDejaReduccion) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, QStringLiteral("La de antes"));
    carpeta.Escribe(QStringLiteral("RED1201.ZPK"),
                    "\"111111111111111\"\r\n\"X11111111111111\"\r\n");
    Guarda(12, 2, BaseProbable, MetodoColumnaProbable, QStringLiteral("Otra"));
    PantallaReducir pantalla(estado);
    pantalla.show();
    Pulsa(pantalla.Pic_BotMaxErr);
    EligeEnLista(pantalla.Lis_MaxErrores, 3);

    plataforma.respuesta = BotonMensaje::Reducir;
    plataforma.alProcesarEventos = [&] { Pulsa(pantalla.Pic_BotCancelar); };
    QString alFinal;
    QTimer::singleShot(0, [&] {
        alFinal = pantalla.Pic_Porcen->Progreso();
        GuardaCaptura(&pantalla, QStringLiteral("reducir_cancelada"));
        Pulsa(pantalla.Pic_SalirPorcen);
    });
    Pulsa(pantalla.Pic_BotReducir);

    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("REDUCCIÓN YA EXISTE"));
    EXPECT_TRUE(plataforma.mensajes[0].botones.testFlag(BotonMensaje::Reducir));
    EXPECT_EQ(alFinal, QStringLiteral("El proceso de reducción ha sido cancelado"));
    EXPECT_EQ(plataforma.eventosProcesados, 1) << "cancelada en el primer paso";
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("RED1201.ZPK")));
    const QStringList registros = Registros();
    ASSERT_EQ(registros.size(), 2);
    EXPECT_EQ(registros[0], QStringLiteral("0000") + QString(226, u' '));
    EXPECT_EQ(registros[1].left(4), QStringLiteral("1202"));
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
    EXPECT_TRUE(pantalla.Pic_BotReducir->isEnabled());

    // No confirmar la sustitución no escribe nada.
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable);
    const QByteArray indice = carpeta.Lee(QStringLiteral("BASES.ZPK"));
    plataforma.respuesta = BotonMensaje::Ninguno;
    plataforma.alProcesarEventos = nullptr;
    Pulsa(pantalla.Pic_BotReducir);
    EXPECT_EQ(plataforma.mensajes.size(), 2u);
    EXPECT_EQ(carpeta.Lee(QStringLiteral("BASES.ZPK")), indice);
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
}

TEST_F(PantallaReducirPrueba, PantallaYLineaDeOrdenesEscribenLoMismo) {
    // Por los tres métodos, la misma base desde la pantalla (jornada 12) y desde
    // quiniela-cli (jornada 13): registros y ficheros de columnas idénticos salvo la clave.
    struct Caso {
        int metodo;
        QString fichas;
        QStringList opciones;
        std::function<void(PantallaReducir&)> prepara;
    };
    const QString fichasProbable = QStringLiteral("1X2*=1 1X*=X X2*=2 1X2*=X 12*=1 1X2 1 X 2 "
                                                  "1X*=1 1 1 X2*=2 1 12");
    const std::vector<Caso> casos{
        {MetodoColumnaProbable,
         fichasProbable,
         {QStringLiteral("--metodo"), QStringLiteral("probable"), QStringLiteral("--errores"),
          QStringLiteral("1-3")},
         [](PantallaReducir& p) {
             Pulsa(p.Pic_BotMaxErr);
             EligeEnLista(p.Lis_MaxErrores, 3);
             Pulsa(p.Pic_BotMinErr);
             EligeEnLista(p.Lis_MinErrores, 1);
         }},
        {MetodoDirecto,
         QStringLiteral("1X2* 1X2* 12* 1X* X2* 12* 1X2 1 X 2 1 1 1 1 1X2"),
         {QStringLiteral("--metodo"), QStringLiteral("directo")},
         [](PantallaReducir&) {}},
        {MetodoSeleccionSignos,
         QStringLiteral("1X2* 1X2* 12* 1X* X2* 12* 1X2* 1 X 2 1 1 1 1 12"),
         {QStringLiteral("--metodo"), QStringLiteral("signos"), QStringLiteral("--totales"),
          QStringLiteral("1:2-4 X:1,3 2:0-3")},
         [](PantallaReducir& p) {
             for (int r : {2, 3, 4})
                 Pulsa(p.Pic_Signos, PuntoSignos(1, r));
             for (int r : {1, 3})
                 Pulsa(p.Pic_Signos, PuntoSignos(2, r));
             for (int r : {0, 1, 2, 3})
                 Pulsa(p.Pic_Signos, PuntoSignos(3, r));
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.metodo);
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
        {
            // Sin reducción guardada: se marca desde la base por defecto, como el usuario.
            estado.MetodoRecordado = static_cast<int16_t>(caso.metodo);
            PantallaReducir p(estado);
            p.show();
            Pulsa(p.Pic_BotBorTodo);
            const Reduccion objetivo =
                BaseDeFichas(caso.fichas.split(u' ', Qt::SkipEmptyParts), caso.metodo);
            for (int m = 1; m <= NumPartidos; ++m) {
                for (int k = 1; k <= 3; ++k)
                    if (objetivo.Base[m].Signo[k] == 1)
                        Pulsa(p.Pic_Base, PuntoBase(m, k));
                if (objetivo.Base[m].AReducir == 1)
                    Pulsa(p.Pic_Elegir, PuntoElegir(m));
                if (objetivo.Base[m].SignoProbable != 0)
                    Pulsa(p.Pic_ColBas, PuntoBase(m, objetivo.Base[m].SignoProbable));
            }
            caso.prepara(p);
            Teclea(p.Tex_Descripcion, QStringLiteral("Misma base"));
            GuardaCaptura(&p, QStringLiteral("reducir_metodo_%1").arg(caso.metodo));
            QTimer::singleShot(0, [&p] { Pulsa(p.Pic_SalirPorcen); });
            Pulsa(p.Pic_BotReducir);
            ASSERT_TRUE(plataforma.mensajes.empty()) << plataforma.mensajes[0].texto.toStdString();
            Pulsa(p.Pic_Salir);
        }
        QStringList args{QStringLiteral("quiniela-cli"),
                         QStringLiteral("--datos"),
                         carpeta.Ruta(),
                         QStringLiteral("reducir"),
                         QStringLiteral("--jornada"),
                         QStringLiteral("13"),
                         QStringLiteral("--orden"),
                         QStringLiteral("1"),
                         QStringLiteral("--base"),
                         caso.fichas,
                         QStringLiteral("--descripcion"),
                         QStringLiteral("Misma base")};
        args += caso.opciones;
        QString out;
        QString err;
        QTextStream salida(&out);
        QTextStream errores(&err);
        ASSERT_EQ(EjecutaLineaOrdenes(args, salida, errores), 0) << err.toStdString();

        const QStringList registros = Registros();
        ASSERT_EQ(registros.size(), 2);
        EXPECT_EQ(registros[0].left(4), QStringLiteral("1201"));
        EXPECT_EQ(registros[1].left(4), QStringLiteral("1301"));
        EXPECT_EQ(registros[0].mid(4), registros[1].mid(4));
        const QByteArray columnas = carpeta.Lee(QStringLiteral("RED1201.ZPK"));
        EXPECT_GT(columnas.size(), 0);
        EXPECT_EQ(columnas, carpeta.Lee(QStringLiteral("RED1301.ZPK")));
        QFile::remove(carpeta.Ruta(QStringLiteral("RED1201.ZPK")));
        QFile::remove(carpeta.Ruta(QStringLiteral("RED1301.ZPK")));
    }
}

TEST_F(PantallaReducirPrueba, ResumenDeUnaReduccionGuardada) {
    QImage lienzo(400, 500, QImage::Format_RGB32);
    lienzo.fill(Qt::black);
    estado.Red = Reduccion{};
    {
        QPainter p(&lienzo);
        DibujaResumenReduccion(p, estado, lienzo.width());
    }
    EXPECT_EQ(lienzo.pixel(100, 420), QColor(Qt::black).rgb()) << "sin reducción no se dibuja";
    estado.Red.ApuestasBase = 81;
    estado.Red.ApuestasReducidas = 9;
    {
        QPainter p(&lienzo);
        DibujaResumenReduccion(p, estado, lienzo.width());
    }
    // Franja clara de 240 × 68 desde y = 416, 10 píxeles a la izquierda del margen.
    const int x0 = (400 - 250) / 2 + 10;
    EXPECT_NE(lienzo.pixel(x0 - 8, 418), QColor(Qt::black).rgb());
    EXPECT_NE(lienzo.pixel(x0 + 228, 482), QColor(Qt::black).rgb());
    EXPECT_EQ(lienzo.pixel(x0 - 12, 418), QColor(Qt::black).rgb());
    EXPECT_EQ(lienzo.pixel(x0, 486), QColor(Qt::black).rgb());
}

TEST_F(PantallaReducirPrueba, FalloDeEscrituraSeMuestraYNoDejaNada) {
    estado.Datos.Metodo = MetodoColumnaProbable;
    PantallaReducir pantalla(estado);
    pantalla.show();
    // Nueve triples elegidos sin errores limitados: se escriben todas las 19.683 columnas.
    for (int m = 1; m <= 9; ++m) {
        Pulsa(pantalla.Pic_Base, PuntoBase(m, 2));
        Pulsa(pantalla.Pic_Base, PuntoBase(m, 3));
        Pulsa(pantalla.Pic_Elegir, PuntoElegir(m));
        Pulsa(pantalla.Pic_ColBas, PuntoBase(m, 1));
    }
    Pulsa(pantalla.Pic_BotMaxErr);
    EligeEnLista(pantalla.Lis_MaxErrores, 9);

    // Un límite de tamaño de fichero hace fallar la escritura como un disco lleno.
    struct rlimit antes;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    auto senal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limite = antes;
    limite.rlim_cur = 19 * 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    QString alFinal;
    QTimer::singleShot(0, [&] {
        alFinal = pantalla.Pic_Porcen->Progreso();
        Pulsa(pantalla.Pic_SalirPorcen);
    });
    Pulsa(pantalla.Pic_BotReducir);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);

    ASSERT_EQ(plataforma.mensajes.size(), 1u);
    EXPECT_EQ(plataforma.mensajes[0].titulo, QStringLiteral("ERROR AL GRABAR LA REDUCCIÓN"));
    EXPECT_TRUE(plataforma.mensajes[0].texto.startsWith(
        QStringLiteral("No se ha podido grabar el fichero de apuestas reducidas RED1201.ZPK")));
    EXPECT_EQ(alFinal, QStringLiteral("El proceso de reducción ha sido cancelado"));
    EXPECT_FALSE(carpeta.Existe(QStringLiteral("RED1201.ZPK")));
    EXPECT_EQ(Registros(), QStringList{QStringLiteral("0000") + QString(226, u' ')});
    EXPECT_FALSE(pantalla.Pic_Porcen->isVisible());
}

TEST_F(PantallaReducirPrueba, AperturaComunDeLasPantallasDeRejilla) {
    Guarda(12, 3, BaseProbable, MetodoColumnaProbable);
    estado.Datos.OrdenActual = 3;
    LeeFicheroJornadas(estado);

    // Una pantalla de escrutinio mínima: sus cajas, su columna ganadora y sus listas.
    QWidget escrutinio;
    escrutinio.setObjectName(QStringLiteral("escrutin"));
    escrutinio.resize(700, 500);
    ControlesRejilla c;
    c.pantalla = &escrutinio;
    c.Pic_Base = new CajaRejilla(CajaRejilla::Tipo::Base, estado, &escrutinio);
    c.Pic_Base->move(300, 90);
    c.Pic_Elegir = new CajaRejilla(CajaRejilla::Tipo::Elegir, estado, &escrutinio);
    c.Pic_ColBas = new CajaRejilla(CajaRejilla::Tipo::ColBas, estado, &escrutinio);
    c.Pic_Signos = new CajaRejilla(CajaRejilla::Tipo::Signos, estado, &escrutinio);
    c.Pic_Ganadora = new QWidget(&escrutinio);
    c.Pic_Ganadora->setGeometry(480, 90, 49, 274);
    c.Lis_Aciertos = new QWidget(&escrutinio);
    c.Lis_Aciertos->setGeometry(20, 420, 300, 60);
    c.Lis_Jornadas = new QListWidget(&escrutinio);
    c.Lis_Orden = new QListWidget(&escrutinio);
    bool modoAlElegir = false;
    int elegida = -1;
    QObject::connect(c.Lis_Jornadas, &QListWidget::currentRowChanged, [&](int fila) {
        modoAlElegir = estado.ModoEdicion;
        elegida = fila;
    });

    PreparaPantallaRejilla(estado, c);
    EXPECT_EQ(estado.Red.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(estado.Red.Base[13].SignoProbable, 3);
    EXPECT_EQ(c.Pic_Elegir->geometry().topLeft(), QPoint(368, 90));
    EXPECT_EQ(c.Pic_ColBas->geometry().topLeft(), QPoint(406, 90));
    EXPECT_EQ(c.Pic_ColBas->height(), c.Pic_Base->height());
    // La jornada y el orden actuales, elegidos como una elección confirmada en silencio.
    EXPECT_TRUE(modoAlElegir);
    EXPECT_EQ(elegida, 11);
    EXPECT_FALSE(estado.ModoEdicion);
    EXPECT_EQ(c.Lis_Orden->currentRow(), 2);
    EXPECT_EQ(c.Lis_Orden->count(), 30);
    EXPECT_TRUE(plataforma.sonidos.empty());

    DibujaPantallaComun(estado, c);
    EXPECT_FALSE(c.Pic_ColBas->isHidden());
    EXPECT_TRUE(c.Pic_Signos->isHidden());
    QStringList textos;
    for (const TextoPantalla& t : TextosPantallaComun(estado, c))
        textos << t.texto;
    EXPECT_TRUE(textos.contains(QStringLiteral("Columna")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Ganadora")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Aciertos   Columnas            Importe")));
    EXPECT_TRUE(textos.contains(QStringLiteral("3. Villarreal - Osasuna")));
    EXPECT_FALSE(textos.contains(QStringLiteral("Quiniela     Partidos"))) << "solo en reducir";
    EXPECT_FALSE(textos.contains(QStringLiteral("Descripción.:")));
}
