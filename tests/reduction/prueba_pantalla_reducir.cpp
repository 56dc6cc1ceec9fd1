#include "consult/pantalla_historic.h"
#include "core/regional.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/bases_prueba.h"
#include "reduction/fichero_bases.h"
#include "reduction/pantalla_reducir.h"
#include "settings/datos_generales.h"
#include "shell/pantalla_velmo.h"
#include "support/linea_cli.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

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

using prueba::Pulsa;
void Pulsa(QWidget* caja, QPoint punto) {
    QTest::mouseClick(caja, Qt::LeftButton, Qt::NoModifier, punto);
}

// Marca una base desde cero como el usuario: signos, elegidos y columna probable.
void MarcaBase(PantallaReducir& p, const QString& fichas) {
    Pulsa(p.Pic_BotBorTodo);
    const Reduccion objetivo = BaseDeFichas(fichas, MetodoColumnaProbable);
    for (int m = 1; m <= NumPartidos; ++m) {
        const PartidoBase& partido = objetivo.Base[m];
        for (int k = 1; k <= 3; ++k)
            if (partido.Signo[k] == 1)
                Pulsa(p.Pic_Base, PuntoBase(m, k));
        if (partido.AReducir == 1)
            Pulsa(p.Pic_Elegir, PuntoElegir(m));
        if (partido.SignoProbable != 0)
            Pulsa(p.Pic_ColBas, PuntoBase(m, partido.SignoProbable));
    }
}

class PantallaReducirPrueba : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(u"BASES.ZPK"_s, QByteArray());
        carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
        // Nombres con "º": pasan por Windows-1252 y llegan sin su relleno.
        EquiposJornada equipos;
        for (int k = 1; k <= NumEquiposJornada; ++k)
            equipos[k] = u"Club Nº%1"_s.arg(k);
        const auto jornada =
            ComponeRegistroJornada(RegistroJornadaVacio(), 12, u"20/11/05"_s, equipos);
        ASSERT_EQ(EscribeRegistroJornada(estado, 12, jornada).Numero, 0);
        estado.Datos.JornadaActual = 12;
        estado.Datos.OrdenActual = 1;
    }

    void Guarda(int jornada, int orden, const QString& fichas, int metodo,
                const QString& descripcion = QString()) {
        Reduccion red = BaseDeFichas(fichas, metodo);
        red.Descripcion = descripcion;
        carpeta.Escribe(u"BASES.ZPK"_s,
                        carpeta.Lee(u"BASES.ZPK"_s) +
                            ConstruyeRegistroReduccion(jornada, orden, red).toLatin1() + "\r\n");
    }
    QStringList Registros() const { return RegistrosBases(carpeta); }
    std::unique_ptr<PantallaReducir> Abre() {
        auto p = std::make_unique<PantallaReducir>(estado);
        p->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(p.get()));
        return p;
    }
    // Pulsa "Reducir" y, al acabar, sale del panel; devuelve su último texto.
    static QString Reduce(PantallaReducir& p, const QString& captura = {}) {
        QString alFinal;
        QTimer::singleShot(0, [&] {
            alFinal = p.Pic_Porcen->Progreso();
            EXPECT_FALSE(p.Pic_BotCancelar->isVisible());
            if (!captura.isEmpty())
                GuardaCaptura(&p, captura);
            Pulsa(p.Pic_SalirPorcen);
        });
        Pulsa(p.Pic_BotReducir);
        return alFinal;
    }

    static QString Valor(const PantallaReducir& p, const QString& rotulo) {
        for (const LineaEstadistica& l : p.Pic_Esta->Lineas())
            if (l.Rotulo == rotulo)
                return l.Valor;
        return u"(no está)"_s;
    }

    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};

private:
    ConfiguracionEspanola espanola_;
};

const QString BaseProbable = u"1X2*=1 1X*=X X2*=2 1X2*=X 12*=1 1X2 1 X 2 1X*=1 1 1 X2*=2 1 12"_s;
const QString NueveTriples = u"1X2*=1 "_s.repeated(9) + u"1 1 1 1 1 1"_s;

} // namespace

TEST_F(PantallaReducirPrueba, AbreLaGuardadaYSusPulsaciones) {
    // Como arranca el programa con LANG=C: las cifras, en español.
    FijaRegionalDePantallas(QLocale::c());
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, u"Peña del bar Central"_s);
    auto pantalla = Abre();

    EXPECT_TRUE(pantalla->Pic_ColBas->isVisible());
    EXPECT_EQ(pantalla->Tex_Descripcion->text(), u"Peña del bar Central"_s);
    // Siete múltiples elegidos: errores 0..7.
    EXPECT_EQ(pantalla->Lis_MinErrores->count(), 8);

    QStringList textos;
    for (const TextoPantalla& t : TextosPantallaComun(estado, pantalla->Controles()))
        textos << t.Texto;
    EXPECT_TRUE(textos.contains(u"15. Club Nº29 - Club Nº30"_s) &&
                textos.contains(u"    probable"_s));

    // 3^3 · 2^6 columnas; sin errores, una por combinación del triple y el doble sin elegir.
    EXPECT_EQ(Valor(*pantalla, u"Apuest. directas"_s), u"1.728"_s);
    EXPECT_EQ(Valor(*pantalla, u"Apuest. aceptadas"_s), u"6"_s);
    EXPECT_EQ(Valor(*pantalla, u"Importe total"_s), u"864,00 €"_s);
    GuardaCaptura(pantalla.get(), u"reducir_probable"_s);

    // Errores desde sus listas. 0 a 2 errores sobre 2 triples y 5 dobles elegidos:
    // 1 + (4 + 5) + (4 + 20 + 10) = 44, por el triple y el doble sin elegir.
    Pulsa(pantalla->Pic_BotMaxErr);
    GuardaCaptura(pantalla.get(), u"reducir_lista_errores"_s);
    EligeEnLista(pantalla->Lis_MaxErrores, 2);
    EXPECT_EQ(pantalla->Pic_BotMaxErr->Rotulo(), u" 2  Máximo"_s);
    EXPECT_EQ(Valor(*pantalla, u"Apuest. aceptadas"_s), u"264"_s);
    Pulsa(pantalla->Pic_BotMinErr);
    EligeEnLista(pantalla->Lis_MinErrores, 1);
    EXPECT_EQ(Valor(*pantalla, u"Apuest. aceptadas"_s), u"258"_s);

    // Quitar múltiples hasta M = 1 baja el máximo a 1, redibuja su botón y borra las
    // probables de los que dejan de elegirse. Quitar la "X" (penúltimo signo) del doble 2
    // elegido le quita la elección y la probable.
    const PartidoBase& p2 = estado.Red.Base[2];
    Pulsa(pantalla->Pic_Base, PuntoBase(2, 2));
    EXPECT_EQ(p2.NumSignos, 1);
    EXPECT_EQ(p2.AReducir, 0);
    EXPECT_EQ(p2.SignoProbable, 0);
    for (int m : {1, 3, 4, 5, 13})
        Pulsa(pantalla->Pic_Elegir, PuntoElegir(m));
    EXPECT_EQ(pantalla->Pic_BotMaxErr->Rotulo(), u" 1  Máximo"_s);
    EXPECT_EQ(pantalla->Lis_MaxErrores->count(), 2);
    EXPECT_EQ(estado.Red.Base[1].SignoProbable, 0);
    // La probable de un signo sin marcar o de un partido sin elegir no se pone.
    const QuinielaBase antes = estado.Red.Base;
    Pulsa(pantalla->Pic_ColBas, PuntoBase(3, 1));
    Pulsa(pantalla->Pic_ColBas, PuntoBase(6, 2));
    EXPECT_EQ(estado.Red.Base, antes);

    // Elegir el triple 6 y darle la probable "2"; volver a pulsarla la quita.
    Pulsa(pantalla->Pic_Elegir, PuntoElegir(6));
    EXPECT_EQ(estado.Red.Base[6].AReducir, 1);
    Pulsa(pantalla->Pic_ColBas, PuntoBase(6, 3));
    EXPECT_EQ(estado.Red.Base[6].SignoProbable, 3);
    Pulsa(pantalla->Pic_ColBas, PuntoBase(6, 3));
    EXPECT_EQ(estado.Red.Base[6].SignoProbable, 0);
    // Quitar el signo que no es el probable: deja de elegirse y conserva su probable "1".
    Pulsa(pantalla->Pic_Base, PuntoBase(10, 2));
    EXPECT_EQ(estado.Red.Base[10].AReducir, 0);
    EXPECT_EQ(estado.Red.Base[10].SignoProbable, 1);

    // Punteros: lápiz sobre una celda libre, que pasa a goma al marcarla sin moverse.
    QTest::mouseMove(pantalla->Pic_Base, PuntoBase(7, 2));
    EXPECT_EQ(plataforma.Punteros.back().Nombre, u"lapiz"_s);
    Pulsa(pantalla->Pic_Base, PuntoBase(7, 2));
    EXPECT_EQ(plataforma.Punteros.back().Nombre, u"goma"_s);

    Pulsa(pantalla->Pic_BotSelTodo);
    EXPECT_EQ(Valor(*pantalla, u"Apuest. directas"_s), u"14.348.907"_s);
    EXPECT_EQ(estado.Red.Base[15].AReducir, 0);
}

TEST_F(PantallaReducirPrueba, TotalesDeSignosSoloHastaSuMaximo) {
    // Dos elegidos llevan "X": los totales 3..14 de la columna "X" no se pueden poner.
    Guarda(12, 1, u"1X* X2* 12* 1X2 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoSeleccionSignos);
    auto pantalla = Abre();
    EXPECT_TRUE(pantalla->Pic_Signos->isVisible());

    for (int r = 3; r <= 14; ++r)
        Pulsa(pantalla->Pic_Signos, PuntoSignos(2, r));
    for (int r = 0; r <= 14; ++r)
        EXPECT_EQ(estado.Red.Totales(2, r), 0) << r;
    EXPECT_TRUE(plataforma.Sonido.empty()) << "ni se acepta un momento el clic";

    for (int k = 1; k <= 3; ++k)
        Pulsa(pantalla->Pic_Signos, PuntoSignos(k, 1));
    Pulsa(pantalla->Pic_Signos, PuntoSignos(2, 2));
    EXPECT_EQ(estado.Red.Totales(2, 2), 1);
    // Un "1", una "X" y un "2" entre 1X, X2 y 12: "1X2" y "X21"; por el triple sin elegir, 6
    // de 24. (Dos "X" dejarían 4 signos en 3 partidos.)
    EXPECT_EQ(Valor(*pantalla, u"Apuest. aceptadas"_s), u"6"_s);

    // Punteros: mano hasta el máximo, prohibido encima.
    QTest::mouseMove(pantalla->Pic_Signos, PuntoSignos(2, 2));
    EXPECT_EQ(plataforma.Punteros.back().Nombre, u"ManoIndice"_s);
    QTest::mouseMove(pantalla->Pic_Signos, PuntoSignos(2, 3));
    EXPECT_EQ(pantalla->Pic_Signos->cursor().shape(), Qt::ForbiddenCursor);
    GuardaCaptura(pantalla.get(), u"reducir_signos"_s);

    Pulsa(pantalla->Pic_Ayuda);
    EXPECT_EQ(plataforma.TemasAyuda, std::vector<int>{2250});
}

TEST_F(PantallaReducirPrueba, CambiarElMetodoSinReducirReabreConLaBasePorDefecto) {
    estado.Datos.Metodo = MetodoDirecto;
    PantallaVelmo menu(estado);
    menu.show();
    QStringList titulos;
    QuinielaBase base;
    AlAbrirseModal([&](QWidget* modal) {
        auto* p = qobject_cast<PantallaReducir*>(modal);
        ASSERT_NE(p, nullptr);
        titulos << p->windowTitle();
        GuardaCaptura(p, u"reducir_directo"_s);
        // Escape pliega la lista sin elegir y sin salir de la pantalla.
        Pulsa(p->Pic_BotMetodo);
        QTest::keyClick(p->Lis_Metodos, Qt::Key_Escape);
        EXPECT_FALSE(p->Lis_Metodos->isVisible());
        EXPECT_TRUE(p->isVisible());
        // Cambios que no se reducen y el método de la lista.
        Pulsa(p->Pic_BotSelTodo);
        Pulsa(p->Pic_BotMetodo);
        AlAbrirseModal([&](QWidget* segunda) {
            titulos << segunda->windowTitle();
            base = estado.Red.Base;
            Pulsa(qobject_cast<PantallaReducir*>(segunda)->Pic_Salir);
        });
        EligeEnLista(p->Lis_Metodos, 1);
    });
    Pulsa(menu.Pic_Boton[2]);
    EXPECT_EQ(titulos, (QStringList{u"Reducción de apuestas por el Método Directo"_s,
                                    u"Reducción de apuestas por el Método de Columna Probable"_s}));
    EXPECT_EQ(base, QuinielaBase::PorDefecto());
    EXPECT_EQ(estado.Datos.Metodo, MetodoColumnaProbable);
    EXPECT_FALSE(estado.ReabrirReduccion);
    EXPECT_EQ(carpeta.Lee(u"BASES.ZPK"_s), QByteArray());
}

TEST_F(PantallaReducirPrueba, OtraJornadaOtroOrdenYElIndiceReabren) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, u"Primera"_s);
    Guarda(7, 3, u"1X2* 1X2* 1X2* 1X2* 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoDirecto,
           u"Cuatro triples"_s);
    auto pantalla = Abre();
    Pulsa(pantalla->Pic_BotOrden);
    EligeEnLista(pantalla->Lis_Orden, 24);
    EXPECT_EQ(estado.Datos.OrdenActual, 25);
    EXPECT_TRUE(estado.ReabrirReduccion);

    estado.ReabrirReduccion = false;
    estado.MetodoRecordado = MetodoSeleccionSignos;
    pantalla = Abre();
    EXPECT_EQ(estado.Red.Metodo, MetodoSeleccionSignos) << "el elegido en la lista";
    Pulsa(pantalla->Pic_BotNroJor);
    EligeEnLista(pantalla->Lis_Jornadas, 6);
    EXPECT_EQ(estado.Datos.JornadaActual, 7);
    EXPECT_EQ(estado.Datos.OrdenActual, 1) << "otra jornada empieza en el orden 1";
    EXPECT_EQ(estado.MetodoRecordado, 0);
    EXPECT_TRUE(estado.ReabrirReduccion);

    // El índice: la jornada 7, orden 3 del histórico.
    estado.ReabrirReduccion = false;
    pantalla = Abre();
    AlAbrirseModal([&](QWidget* modal) {
        auto* historic = qobject_cast<PantallaHistoric*>(modal);
        ASSERT_NE(historic, nullptr);
        QTest::mouseClick(historic->Pic_Carpeta, Qt::LeftButton, Qt::NoModifier,
                          QPoint(120, YPrimeraLinea + AltoLineaHistorial * 1 + 8));
    });
    Pulsa(pantalla->Pic_Indice);
    EXPECT_TRUE(estado.ReabrirReduccion);
    EXPECT_EQ(estado.Datos.OrdenActual, 3);
}

TEST_F(PantallaReducirPrueba, FallosNoDejanNadaYLaReduccionEsLaDeLaLineaDeOrdenes) {
    estado.Datos.Metodo = MetodoColumnaProbable;
    auto pantalla = Abre();
    pantalla->PonIntervaloEventos(0);
    Pulsa(pantalla->Pic_BotReducir);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"MULTIPLES A REDUCIR"_s);

    // Nueve triples elegidos sin errores limitados: se escriben todas las 19.683 columnas.
    MarcaBase(*pantalla, NueveTriples);
    Pulsa(pantalla->Pic_BotMaxErr);
    EligeEnLista(pantalla->Lis_MaxErrores, 9);
    QString cancelada;
    ConLimiteDeFichero(19 * 1000, [&] { cancelada = Reduce(*pantalla); });
    ASSERT_EQ(plataforma.Mensajes.size(), 2u);
    EXPECT_EQ(plataforma.Mensajes[1].Titulo, u"ERROR AL GRABAR LA REDUCCIÓN"_s);
    EXPECT_EQ(cancelada, u"El proceso de reducción ha sido cancelado"_s);
    EXPECT_FALSE(carpeta.Existe(u"RED1201.ZPK"_s));
    EXPECT_TRUE(Registros().isEmpty()) << "el índice no se toca si las columnas fallan";

    Pulsa(pantalla->Pic_BotMaxErr);
    EligeEnLista(pantalla->Lis_MaxErrores, 2);

    // Durante la reducción el resto de la pantalla no responde.
    QStringList vistos;
    const QString mitad = u"Se ha realizado el  50 % de la reducción "_s;
    const QuinielaBase base = estado.Red.Base;
    plataforma.AlProcesarEventos = [&] {
        if (vistos.isEmpty()) {
            Pulsa(pantalla->Pic_BotBorTodo);
            Pulsa(pantalla->Pic_Base, PuntoBase(1, 1));
            QTest::keyClicks(pantalla->Tex_Descripcion, u"abc"_s);
            EXPECT_EQ(estado.Red.Base, base);
            EXPECT_TRUE(pantalla->Tex_Descripcion->text().isEmpty());
            EXPECT_EQ(pantalla->cursor().shape(), Qt::BusyCursor);
        }
        vistos << pantalla->Pic_Porcen->Progreso();
        if (vistos.last() == mitad && vistos.count(mitad) == 1)
            GuardaCaptura(pantalla.get(), u"reducir_durante"_s);
    };
    EXPECT_EQ(Reduce(*pantalla, u"reducir_terminada"_s),
              u"Ha finalizado el proceso de reducción"_s);
    EXPECT_EQ(pantalla->Pic_Porcen->Tamanos(), u"    19683 apuestas reducidas a 163    "_s);
    ASSERT_FALSE(vistos.isEmpty());
    EXPECT_EQ(vistos.first(), u"Se ha realizado el   0 % de la reducción "_s);
    EXPECT_TRUE(vistos.contains(mitad));

    // Cambiar la base tras reducir no cuenta al salir; la descripción, sí.
    Pulsa(pantalla->Pic_BotBorTodo);
    pantalla->Tex_Descripcion->setFocus();
    Teclea(pantalla->Tex_Descripcion, u"Nueve triples, peña"_s);
    estado.ReabrirReduccion = true;
    Pulsa(pantalla->Pic_Salir);
    EXPECT_FALSE(pantalla->isVisible());
    EXPECT_FALSE(estado.ReabrirReduccion);

    // La línea de órdenes, con la misma base en la jornada 13: idénticos salvo la clave.
    const Linea l = EjecutaCli(
        carpeta,
        u"reducir --jornada 13 --orden 1 --errores 0-2 --metodo probable --base"_s.split(u' ') +
            QStringList{NueveTriples, u"--descripcion"_s, u"Nueve triples, peña"_s});
    ASSERT_EQ(l.Estado, 0) << l.Err.toStdString();
    ASSERT_EQ(Registros().size(), 2);
    EXPECT_EQ(Registros().at(0), u"1201"_s + Registros().at(1).mid(4));
    EXPECT_EQ(carpeta.Lee(u"RED1201.ZPK"_s), carpeta.Lee(u"RED1301.ZPK"_s));
}

TEST_F(PantallaReducirPrueba, CancelarUnaSustitucionNoDejaReduccion) {
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable, u"La de antes"_s);
    carpeta.Escribe(u"RED1201.ZPK"_s, "\"111111111111111\"\r\n\"X11111111111111\"\r\n");
    Guarda(12, 2, BaseProbable, MetodoColumnaProbable, u"Otra"_s);
    auto pantalla = Abre();
    Pulsa(pantalla->Pic_BotMaxErr);
    EligeEnLista(pantalla->Lis_MaxErrores, 3);

    plataforma.Respuesta = BotonMensaje::Reducir;
    plataforma.AlProcesarEventos = [&] { Pulsa(pantalla->Pic_BotCancelar); };
    EXPECT_EQ(Reduce(*pantalla), u"El proceso de reducción ha sido cancelado"_s);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"REDUCCIÓN YA EXISTE"_s);
    EXPECT_FALSE(carpeta.Existe(u"RED1201.ZPK"_s));
    EXPECT_EQ(Registros(), (QStringList{RegistroLibre, Registros().value(1)}));
    EXPECT_EQ(Registros().value(1).left(4), u"1202"_s);

    // No confirmar la sustitución no escribe nada.
    Guarda(12, 1, BaseProbable, MetodoColumnaProbable);
    const QByteArray indice = carpeta.Lee(u"BASES.ZPK"_s);
    plataforma.Respuesta = BotonMensaje::Ninguno;
    plataforma.AlProcesarEventos = nullptr;
    Pulsa(pantalla->Pic_BotReducir);
    EXPECT_EQ(plataforma.Mensajes.size(), 2u);
    EXPECT_EQ(carpeta.Lee(u"BASES.ZPK"_s), indice);
    EXPECT_FALSE(pantalla->Pic_Porcen->isVisible());
}

TEST_F(PantallaReducirPrueba, AperturaComunDeLasPantallasDeRejilla) {
    Guarda(12, 3, BaseProbable, MetodoColumnaProbable);
    estado.Datos.OrdenActual = 3;

    // Una pantalla de escrutinio mínima: sus cajas y sus listas.
    QWidget escrutinio;
    escrutinio.setObjectName(u"escrutin"_s);
    escrutinio.resize(700, 500);
    ControlesRejilla c(&escrutinio, 15);
    CreaCajasRejilla(c, estado, QPoint(300, 90), QPoint(410, 93));
    CreaListasJornadaOrden(c);
    bool modoAlElegir = false;
    int elegida = -1;
    QObject::connect(c.Lis_Jornadas, &QListWidget::currentRowChanged, [&](int fila) {
        modoAlElegir = estado.ModoEdicion;
        elegida = fila;
    });

    PreparaPantallaRejilla(estado, c);
    EXPECT_EQ(estado.Red.Base[13].SignoProbable, 3);
    // La jornada y el orden actuales, elegidos como una elección confirmada en silencio.
    EXPECT_TRUE(modoAlElegir);
    EXPECT_EQ(elegida, 11);
    EXPECT_EQ(c.Lis_Orden->currentRow(), 2);
    EXPECT_TRUE(plataforma.Sonido.empty());
}
