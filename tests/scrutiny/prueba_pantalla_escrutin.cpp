#include "platform/qt/boton_imagen.h"
#include "platform/qt/impresora_pintor.h"
#include "scrutiny/informe_escrutinio.h"
#include "scrutiny/pantalla_escrutin.h"
#include "settings/datos_generales.h"
#include "support/banco.h"
#include "support/datos_distribuidos.h"
#include "support/impresora_falsa.h"
#include "support/pantallas.h"
#include "support/pdf_prueba.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

// Centro de la celda (partido, signo) de la rejilla ganadora.
QPoint PuntoGanadora(int partido, int signo) {
    return QPoint(15 * signo - 6, 18 * partido - 7);
}

QStringList Filas(const QListWidget* lista) {
    QStringList filas;
    for (int i = 0; i < lista->count(); ++i)
        filas << lista->item(i)->text();
    return filas;
}

// Signos de las 15 filas de la rejilla: "1", "X", "2" o "-".
QString Marcadas(const PantallaEscrutin& p) {
    QString s;
    for (int j = 1; j <= NumPartidos; ++j) {
        const auto& m = p.Entrada().Marcas[j];
        s += m[1] == 1 ? u'1' : m[2] == 1 ? u'X' : m[3] == 1 ? u'2' : u'-';
    }
    return s;
}

// Vacía el campo y escribe con el teclado.
void Escribe(QLineEdit* campo, const QString& texto) {
    campo->setFocus();
    campo->clear();
    Teclea(campo, texto);
}

class PantallaEscrutinPrueba : public testing::Test, protected Banco {
protected:
    PantallaEscrutinPrueba() : Banco(false) {}
    void SetUp() override {
        CopiaDatosDistribuidos(carpeta);
        CargaDatosGenerales(estado);
    }
    // La octava columna de la reducción, que tiene al menos una de 15.
    QString GanadoraDe(int jornada, int orden) const {
        return QString::fromLatin1(
            carpeta.Lee(NombreFicheroApuestas(jornada, orden)).mid(19 * 7 + 1, 15));
    }
    static void MarcaGanadora(PantallaEscrutin& p, const QString& signos) {
        for (int j = 1; j <= NumPartidos; ++j) {
            const int k = u"1X2"_s.indexOf(signos.at(j - 1)) + 1;
            if (p.Entrada().Marcas[j][k] != 1)
                PulsaEnSuVentana(p.Pic_Ganadora, PuntoGanadora(j, k));
        }
    }
    ConfiguracionEspanola espanol;
};

} // namespace

TEST_F(PantallaEscrutinPrueba, RejillaGanadoraConSusHuecosCamposDePremioJornadaYOrden) {
    // El total se bajó después de guardar la reducción de la jornada 4: la lista llega hasta ella.
    estado.Datos.TotalJornadas = 2;
    estado.Datos.JornadaActual = 4;
    PantallaEscrutin p(estado);
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
    EXPECT_EQ(p.Lis_Jornadas->count(), 4);
    EXPECT_EQ(p.Lis_Jornadas->currentRow(), 3);
    plataforma.Sonido.clear();
    // Huecos entre filas y entre celdas, y bajo la última fila: nada, ni sonido.
    for (QPoint hueco : {QPoint(9, 19), QPoint(16, 10), QPoint(10, 272)})
        PulsaEnSuVentana(p.Pic_Ganadora, hueco);
    EXPECT_TRUE(plataforma.Sonido.empty());
    // "1" del partido 4, luego "X" (la marca se mueve), otra vez "X" (se borra).
    for (const auto& [signo, queda] : {std::pair{1, u'1'}, {2, u'X'}, {2, u'-'}, {3, u'2'}}) {
        PulsaEnSuVentana(p.Pic_Ganadora, PuntoGanadora(4, signo));
        EXPECT_EQ(Marcadas(p).at(3), queda) << signo;
    }
    EXPECT_EQ(plataforma.Sonido.size(), 4u);
    // Lápiz sobre una celda libre y goma sobre la marcada.
    plataforma.Punteros.clear();
    QTest::mouseMove(p.Pic_Ganadora, PuntoGanadora(5, 1));
    QTest::mouseMove(p.Pic_Ganadora, PuntoGanadora(4, 3));
    QStringList puestos;
    for (const CursorPuesto& c : plataforma.Punteros)
        if (c.Control == p.Pic_Ganadora)
            puestos << c.Nombre;
    EXPECT_EQ(puestos, (QStringList{u"lapiz"_s, u"goma"_s}));

    // Un premio se filtra al teclear y se deja en su forma con Intro.
    QLineEdit* campo = p.Tex_Premios[2];
    Escribe(campo, u"1234,5a0"_s);
    EXPECT_EQ(campo->text(), u"1234.50"_s);
    QTest::keyClick(campo, Qt::Key_Return);
    EXPECT_EQ(campo->text(), u"1234.5"_s);
    EXPECT_DOUBLE_EQ(p.Premios()[2], 1234.5);
    // Un campo vacío vale 0 al salir de él.
    Escribe(p.Tex_Premios[3], QString());
    Pulsa(p.Tex_Premios[4]);
    EXPECT_EQ(p.Tex_Premios[3]->text(), u"0"_s);

    // Un orden sin reducción no avisa: la pantalla la enseña vacía. Una jornada sin ninguna
    // avisa; otra jornada vuelve al orden 1, que existe: sin aviso.
    Pulsa(p.Pic_BotOrden);
    EligeEnLista(p.Lis_Orden, 4);
    EXPECT_EQ(estado.Datos.OrdenActual, 5);
    EXPECT_TRUE(plataforma.Mensajes.empty());
    Pulsa(p.Pic_BotNroJor);
    EligeEnLista(p.Lis_Jornadas, 1);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"ERROR EN JORNADA/ORDEN"_s);
    Pulsa(p.Pic_BotNroJor);
    EligeEnLista(p.Lis_Jornadas, 2);
    EXPECT_EQ(estado.Datos.JornadaActual, 3);
    EXPECT_EQ(estado.Datos.OrdenActual, 1);
    EXPECT_EQ(plataforma.Mensajes.size(), 1u);
}

TEST_F(PantallaEscrutinPrueba, EscrutaLasReduccionesDistribuidas) {
    // El orden es también el método de cada reducción de la jornada 1.
    const std::tuple<int, bool, bool, QString> casos[] = {
        {1, false, false, u"Método Directo"_s},
        {2, true, false, u"Método de Columna Probable"_s},
        {3, false, true, u"Método de Selección de Signos"_s}};
    const QStringList premios{u"1000"_s, u"100,5"_s, u".5"_s, QString(), u"2"_s, u"0.25"_s};
    for (const auto& [orden, colBas, signos, titulo] : casos) {
        SCOPED_TRACE(orden);
        estado.Datos.OrdenActual = int16_t(orden);
        PantallaEscrutin p(estado);
        p.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
        EXPECT_EQ(p.windowTitle(), u"Escrutinio de columnas reducidas con el "_s + titulo);
        EXPECT_EQ(p.Pic_ColBas->isVisible(), colBas);
        EXPECT_EQ(p.Pic_Signos->isVisible(), signos);
        const QString ganadora = GanadoraDe(1, orden);
        MarcaGanadora(p, ganadora);
        for (int k = 1; k <= 6; ++k)
            Escribe(p.Tex_Premios[k], premios[k - 1]);
        GuardaCaptura(&p, u"escrutin_metodo%1_antes"_s.arg(orden));
        Pulsa(p.Pic_BotEscrutar);

        // Las listas enseñan el resultado; el recuento se prueba sin pantalla.
        const ResultadoEscrutinio& r = p.Resultado();
        EXPECT_EQ(Filas(p.Lis_Aciertos), TablaAciertosPantalla(r, QLocale()).Lineas);
        EXPECT_EQ(Filas(p.Lis_Boletos), LineasBoletos(r));
        GuardaCaptura(&p, u"escrutin_metodo%1_despues"_s.arg(orden));

        // Otro orden vacía las listas y esconde el botón de imprimir; la columna y los premios
        // guardados se ven en la otra reducción de la jornada.
        Pulsa(p.Pic_BotOrden);
        EligeEnLista(p.Lis_Orden, orden % 3);
        EXPECT_EQ(p.Lis_Aciertos->count() + p.Lis_Boletos->count(), 0);
        EXPECT_FALSE(p.Pic_BotImprimir->isVisible());
        EXPECT_EQ(Marcadas(p), ganadora);
        EXPECT_EQ(p.Tex_Premios[3]->text(), u"0.5"_s);
    }
    EXPECT_TRUE(plataforma.Mensajes.empty());
}

TEST_F(PantallaEscrutinPrueba, ImprimeElInformeRepintaSinAtenderYColumnaIncompleta) {
    PantallaEscrutin p(estado);
    QStringList pedidos;
    const QString pdf = carpeta.Ruta(u"informe.pdf"_s);
    p.CreaImpresora = [&](const QString& nombre) {
        pedidos << nombre;
        return CreaImpresoraPdfQt(pdf);
    };
    p.show();
    const QString ganadora = GanadoraDe(1, 1);
    MarcaGanadora(p, ganadora);
    Escribe(p.Tex_Premios[1], u"1500000"_s);
    Pulsa(p.Pic_BotEscrutar);
    Pulsa(p.Pic_BotImprimir);
    EXPECT_EQ(pedidos, QStringList{NombreInformeEscrutinio(1, 1)});
    EXPECT_TRUE(plataforma.Mensajes.empty());
    EXPECT_TRUE(QFile::exists(pdf));
    // El informe se aparta de los bordes del papel como lo haría una impresora.
    for (const PalabraPdf& palabra : PalabrasPdf(pdf)) {
        EXPECT_GE(palabra.Caja.left(), MargenesImpresoraComun.Izquierdo / 20.0 - 0.01);
        EXPECT_GE(palabra.Caja.top(), MargenesImpresoraComun.Superior / 20.0 - 0.01);
    }
    const QString capturas = qEnvironmentVariable("QUINIELA_CAPTURAS");
    if (!capturas.isEmpty())
        QProcess::execute(u"pdftoppm"_s,
                          {u"-r"_s, u"80"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s, u"1"_s, u"-l"_s,
                           u"1"_s, pdf, capturas + u"/escrutin_informe"_s});

    p.CreaImpresora = [](const QString&) {
        auto falsa = std::make_unique<ImpresoraFalsa>();
        falsa->ErrorAlTerminar = u"La impresora no tiene papel."_s;
        return falsa;
    };
    Pulsa(p.Pic_BotImprimir);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"ERROR AL IMPRIMIR"_s);
    EXPECT_TRUE(plataforma.Mensajes[0].Texto.endsWith(u"La impresora no tiene papel."_s));
    EXPECT_FALSE(p.Ocupada());

    // Con una reducción de más de un bloque de lectura, lo que se pulsa mientras se escruta no
    // se atiende, pero la ventana se repinta.
    const QByteArray columnas = carpeta.Lee(u"RED0101.ZPK"_s);
    carpeta.Escribe(u"RED0101.ZPK"_s, columnas.repeated(40));
    p.IntervaloEventos = 0;
    plataforma.AlProcesarEventos = [&] {
        PulsaEnSuVentana(p.Pic_Ganadora, PuntoGanadora(1, 1));
        PulsaEnSuVentana(p.Pic_Ganadora, PuntoGanadora(1, 2));
        Pulsa(p.Pic_Salir);
        QTest::keyClick(&p, Qt::Key_Escape);
    };
    Pulsa(p.Pic_BotEscrutar);
    plataforma.AlProcesarEventos = nullptr;
    EXPECT_GE(plataforma.EventosProcesados, 1);
    EXPECT_EQ(Marcadas(p), ganadora);
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.Resultado().ColumnasLeidas, 40 * columnas.size() / 19);

    // Terminado, vuelve a atender: una segunda pulsación borra el resultado del partido 9; sin él
    // se avisa y no queda nada que imprimir.
    PulsaEnSuVentana(p.Pic_Ganadora, PuntoGanadora(9, u"1X2"_s.indexOf(ganadora.at(8)) + 1));
    Pulsa(p.Pic_BotEscrutar);
    ASSERT_EQ(plataforma.Mensajes.size(), 2u);
    EXPECT_EQ(plataforma.Mensajes[1].Titulo, TituloGanadoraIncompleta());
    EXPECT_EQ(p.Lis_Aciertos->count() + p.Lis_Boletos->count(), 0);
    EXPECT_FALSE(p.Pic_BotImprimir->isVisible());
}
