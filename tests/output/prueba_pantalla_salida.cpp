// Menú de salida y pantalla de listados pulsados como lo haría el usuario:
// elegir jornada y orden, abrir cada tipo, copiar a disco, imprimir boletos uno
// a uno y guardar los márgenes.
#include "core/estado_global.h"
#include "output/boton_dibujo.h"
#include "output/impresora_apuntada.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_salida.h"
#include "output/reduccion_prueba.h"
#include "platform/qt/boton_imagen.h"
#include "settings/datos_generales.h"
#include "shell/pantalla_velmo.h"
#include "support/linea_cli.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QByteArray DatosGeneralesPorDefecto =
    "1,\"28/08/05\",1,1,0,0,0,0,1,42,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

// Jornada 1: orden 1 de 17 columnas (3 boletos) y orden 2 de 16 (2 boletos);
// jornada 2, orden 1 de 9 columnas (2 boletos).
struct Datos {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado;
    Datos() : Estado(Carpeta.Estado()) {
        Carpeta.Escribe(u"DATOSGEN.ZPK"_s, DatosGeneralesPorDefecto);
        CargaDatosGenerales(Estado);
        EstadoGlobal otro = Carpeta.Estado();
        QByteArray indice;
        for (const auto& [j, o, n] :
             {std::tuple(2, 1, 9), std::tuple(1, 2, 16), std::tuple(1, 1, 17)}) {
            GuardaReduccion(Carpeta, otro, j, o, Columnas(n));
            indice += Carpeta.Lee(u"BASES.ZPK"_s);
        }
        Carpeta.Escribe(u"BASES.ZPK"_s, indice);
        Estado.Datos.JornadaActual = 1;
        Estado.Datos.OrdenActual = 1;
    }
};

void EligeFila(QListWidget* lista, int fila) {
    ASSERT_TRUE(lista->isVisible());
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier,
                      lista->visualItemRect(lista->item(fila)).center());
}

// Abre listados del tipo con el botón de salida y deja hacer a `accion` con él
// abierto.
void ConListados(PantallaSalida& salida, int tipo, std::function<void(PantallaListados&)> accion) {
    bool abierta = false;
    AlAbrirseModal([&](QWidget* modal) {
        auto* listados = dynamic_cast<PantallaListados*>(modal);
        ASSERT_NE(listados, nullptr);
        abierta = true;
        accion(*listados);
        if (listados->isVisible())
            Pulsa(listados->Pic_Salir);
    });
    Pulsa(salida.Pic_Salida[size_t(tipo)]);
    EXPECT_TRUE(abierta);
}

// Carpeta personal de mentira para la copia a disco.
struct CarpetaPersonal : CarpetaTemporal {
    QByteArray Anterior = qgetenv("HOME");
    CarpetaPersonal() { qputenv("HOME", Ruta().toLocal8Bit()); }
    ~CarpetaPersonal() { qputenv("HOME", Anterior); }
};

// La salida abierta sobre esos datos; las impresiones van a unos apuntes.
class Listados : public testing::Test {
protected:
    Listados() { salida.show(); }
    void Apunta(PantallaListados& l) {
        l.CreaImpresora = [this](const QString&) {
            return std::make_unique<ImpresoraApuntada>(apuntes);
        };
    }
    Datos d;
    PlataformaFalsa plataforma{&d.Estado};
    PantallaSalida salida{d.Estado};
    Apuntes apuntes;
};

} // namespace

TEST(PantallaSalida, SeAbreDesdeElMenuYSigueLaJornadaYElOrden) {
    Datos d;
    PlataformaFalsa plataforma(&d.Estado);
    PantallaVelmo menu(d.Estado);
    menu.show();
    Pulsa(menu.Pic_Boton[4]);
    auto* salida = menu.findChild<PantallaSalida*>(u"salida"_s);
    ASSERT_NE(salida, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(salida));
    // 17 columnas con un signo en el 15: 3 boletos.
    EXPECT_EQ(salida->TextoBoletos(), u"3 Boletos"_s);

    Pulsa(salida->Pic_BotOrden);
    EligeFila(salida->Lis_Orden, 1);
    EXPECT_EQ(salida->TextoBoletos(), u"2 Boletos"_s);
    EXPECT_EQ(salida->Pic_BotOrden->Rotulo(), u"Orden 2"_s);

    // Otra jornada vuelve al orden 1 y redibuja la cuenta de boletos.
    Pulsa(salida->Pic_BotNroJor);
    EligeFila(salida->Lis_Jornadas, 1);
    EXPECT_EQ(d.Estado.Datos.OrdenActual, 1);
    EXPECT_EQ(salida->TextoBoletos(), u"2 Boletos"_s);

    // Un orden sin reducción guardada no tiene boletos.
    Pulsa(salida->Pic_BotOrden);
    EligeFila(salida->Lis_Orden, 4);
    EXPECT_EQ(salida->TextoBoletos(), u"0 Boletos"_s);
}

TEST_F(Listados, CadaTipoMuestraSoloSusControles) {
    // Controles visibles, por orden: rango, márgenes, orientación, repetir, opciones de
    // boletos, prueba, ancho de papel, copias, opciones de disco, copiar, direcciones, imprimir.
    const QString casos[] = {u".......x...x"_s, u"xxxxxx.....x"_s, u"xx....x....x"_s,
                             u"........xx.."_s, u"xx...x.....x"_s, u"..........x."_s};
    for (int tipo = 0; tipo < 6; ++tipo) {
        ConListados(salida, tipo, [&](PantallaListados& l) {
            QString visibles;
            for (const QWidget* w : std::initializer_list<const QWidget*>{
                     l.Pic_BotBolIni, l.Pic_BotMarSup, l.Pic_Orientacion, l.Pic_BotRepetir,
                     l.Fra_OpcionesBoletos, l.Chk_PruImp, l.Pic_BotAncPap, l.Pic_BotCopias,
                     l.Fra_OpcionesDisco, l.Pic_BotCopiar, l.Lis_Direcciones, l.Pic_BotImprimir})
                visibles += w->isVisible() ? u'x' : u'.';
            EXPECT_EQ(visibles, casos[tipo]) << tipo;
            if (l.Pic_BotBolIni->isVisible()) {
                EXPECT_EQ(l.Pic_BotBolFin->Rotulo(), u"Boleto Final: 3"_s);
            }
            l.grab(); // pinta una vez antes de la captura
            GuardaCaptura(&l, u"listados_%1"_s.arg(tipo));
            Pulsa(l.Pic_Ayuda);
        });
    }
    EXPECT_EQ(plataforma.TemasAyuda, (std::vector<int>{2410, 2420, 2430, 2440, 2450, 2460}));
}

// La copia de la pantalla escribe lo mismo que `quiniela-cli exportar`, con cada opción; si se
// cancela, queda el archivo anterior.
TEST_F(Listados, CopiaADiscoComoLaLineaDeOrdenesOCancelada) {
    CarpetaPersonal personal;
    personal.Escribe(u"AD243"_s, "la semana pasada");
    ConListados(salida, 3, [&](PantallaListados& l) {
        l.EsperaCopia = [](int) {};
        // El usuario pulsa "Cancelar el proceso" en cuanto la ventana le atiende.
        plataforma.AlProcesarEventos = [&] {
            if (l.Pic_BotCancelar->isEnabled())
                Pulsa(l.Pic_BotCancelar);
        };
        Pulsa(l.Pic_BotCopiar);
        plataforma.AlProcesarEventos = nullptr;
        EXPECT_EQ(l.TextoEstado(), u"   Se ha cancelado la operación de copiado"_s);
        EXPECT_FALSE(l.Copiando());
    });
    EXPECT_EQ(personal.Lee(u"AD243"_s), "la semana pasada");

    CarpetaTemporal otra;
    const std::tuple<int, QString, QString> casos[] = {{0, u"AD243"_s, u"AD243"_s},
                                                       {2, u"TXT2"_s, u"Col0101.txt"_s},
                                                       {5, u"TXT5"_s, u"Col0101.txt"_s}};
    for (const auto& [opcion, codigo, nombre] : casos) {
        SCOPED_TRACE(codigo.toStdString());
        plataforma.Esperas.clear();
        plataforma.Mensajes.clear();
        ConListados(salida, 3, [&](PantallaListados& l) {
            l.EsperaCopia = [&](int ms) { plataforma.Esperas.push_back(ms); };
            QRadioButton* boton = l.Opt_Exportar[size_t(opcion)];
            QTest::mouseClick(boton, Qt::LeftButton, Qt::NoModifier,
                              QPoint(8, boton->height() / 2));
            EXPECT_EQ(l.Tex_NombreArchivo->text(), nombre);
            Pulsa(l.Pic_BotCopiar);
            EXPECT_EQ(l.TextoEstado(),
                      u"Se ha copiado a la unidad Carpeta personal el archivo "_s + nombre);
            if (opcion == 0)
                GuardaCaptura(&l, u"listados_3_copiado"_s);
            EXPECT_TRUE(l.Pic_BotCopiar->isEnabled());
        });
        // Las dos pausas del final, en su orden.
        EXPECT_EQ(plataforma.Esperas, (std::vector<int>{4000, 1000}));
        // 17 columnas: en AD243 el último boleto tiene una sola y se avisa.
        EXPECT_EQ(plataforma.Mensajes.size(), opcion == 0 ? 1u : 0u);
        ASSERT_EQ(
            EjecutaCli(d.Carpeta, {u"exportar"_s, u"--jornada"_s, u"1"_s, u"--orden"_s, u"1"_s,
                                   u"--formato"_s, codigo, u"--destino"_s, otra.Ruta()})
                .Estado,
            0);
        EXPECT_EQ(personal.Lee(nombre), otra.Lee(nombre));
    }
}

TEST_F(Listados, BoletosUnoAUnoConRepetirSiguienteCancelarYSalir) {
    // Tras cada boleto el usuario pulsa los botones dados, por orden; se apunta lo que veía.
    const auto imprime = [&](PantallaListados& l, std::vector<BotonImagen*> pulsaciones) {
        QStringList vistos;
        QTimer usuario;
        QObject::connect(&usuario, &QTimer::timeout, [&] {
            if (!l.EsperandoDecision() || pulsaciones.empty())
                return;
            vistos << l.TextoEstado() + u' ' + QChar(l.Pic_BotRepetir->isEnabled() ? u'R' : u'.') +
                          QChar(l.Pic_BotSiguiente->isEnabled() ? u'S' : u'.') +
                          QChar(l.Pic_BotCancelar->isEnabled() ? u'C' : u'.');
            if (vistos.size() == 3)
                GuardaCaptura(&l, u"listados_1_imprimiendo"_s);
            Pulsa(pulsaciones.front());
            pulsaciones.erase(pulsaciones.begin());
        });
        usuario.start(0);
        Pulsa(l.Pic_BotImprimir);
        EXPECT_TRUE(pulsaciones.empty());
        EXPECT_FALSE(l.Pic_BotRepetir->isEnabled());
        EXPECT_TRUE(l.Pic_BotImprimir->isEnabled());
        return vistos;
    };
    ConListados(salida, 1, [&](PantallaListados& l) {
        Apunta(l);
        EXPECT_EQ(imprime(l, {l.Pic_BotRepetir, l.Pic_BotSiguiente, l.Pic_BotCancelar}),
                  (QStringList{u"Imprimiendo el boleto nro. 1 RSC"_s,
                               u"Imprimiendo el boleto nro. 1 RSC"_s,
                               u"Imprimiendo el boleto nro. 2 RSC"_s}));
        // Desde el último boleto solo se repite o se sale, y salir deja la pantalla abierta.
        Pulsa(l.Pic_BotBolIni);
        Teclea(l.Tex_BolIni, u"3"_s);
        QTest::keyClick(l.Tex_BolIni, Qt::Key_Return);
        EXPECT_EQ(imprime(l, {l.Pic_Salir}), QStringList{u"Imprimiendo el boleto nro. 3 R.."_s});
        EXPECT_TRUE(l.isVisible());
    });
    // Cada boleto es un documento que sale antes de preguntar.
    EXPECT_EQ(apuntes.Documentos, 4);
    EXPECT_EQ(apuntes.Textos, (QStringList{u"1"_s, u"1"_s, u"2"_s, u"3"_s}));
}

// Lo de los controles pasa a la impresión, y márgenes y orientación se guardan al cerrar (sin
// cambios, no se reescribe nada).
TEST_F(Listados, CopiasAnchoDePapelMargenesYOrientacion) {
    d.Carpeta.Escribe(u"DATOSGEN.ZPK"_s, DatosGeneralesPorDefecto);
    ConListados(salida, 0, [&](PantallaListados& l) {
        Apunta(l);
        Pulsa(l.Pic_BotCopias);
        Teclea(l.Tex_Copias, u"2"_s);
        Pulsa(l.Pic_BotImprimir);
    });
    EXPECT_EQ(apuntes.Paginas.size(), 2u);
    EXPECT_EQ(d.Carpeta.Lee(u"DATOSGEN.ZPK"_s), DatosGeneralesPorDefecto);

    apuntes = {};
    ConListados(salida, 2, [&](PantallaListados& l) {
        Apunta(l);
        Pulsa(l.Pic_BotMarIzq);
        Teclea(l.Tex_MarIzq, u"123"_s);
        QTest::keyClick(l.Tex_MarIzq, Qt::Key_Return);
        Pulsa(l.Pic_BotAncPap);
        EligeFila(l.Lis_AnchoPapel, 1);
        Pulsa(l.Pic_BotImprimir);
    });
    ASSERT_EQ(apuntes.Paginas.size(), 1u);
    EXPECT_EQ(apuntes.Paginas[0].width(), 19843); // 350 mm
    ConListados(salida, 1, [&](PantallaListados& l) {
        // Las listas usan el segundo par; los boletos no cambian.
        EXPECT_EQ(l.Pic_BotMarIzq->Rotulo(), u"Margen Izquierdo: 0"_s);
        Pulsa(l.Pic_Orientacion);
    });
    EstadoGlobal relee = d.Carpeta.Estado();
    CargaDatosGenerales(relee);
    EXPECT_EQ(relee.Datos.Orientacion, 2);
    EXPECT_EQ(relee.Datos.MargenIzquierdo, (std::array<int16_t, 3>{0, 0, 123}));
}

// Con las reducciones de demostración, los boletos que se ven son los de la cabecera AD243.
TEST(PantallaSalida, ConLosDatosDistribuidosCuentaLosBoletosDelAD243) {
    ConfiguracionEspanola espanola;
    CarpetaTemporal carpeta;
    const QDir fuentes(QStringLiteral(QUINIELA_FUENTES "/data"));
    for (const QString& f : fuentes.entryList({u"*.ZPK"_s}, QDir::Files))
        ASSERT_TRUE(QFile::copy(fuentes.filePath(f), carpeta.Ruta(f)));
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    CargaDatosGenerales(estado);
    estado.Datos.JornadaActual = 1;
    estado.Datos.OrdenActual = 2;
    PantallaSalida salida(estado);
    salida.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&salida));
    ASSERT_EQ(EjecutaCli(carpeta, {u"exportar"_s, u"--jornada"_s, u"1"_s, u"--orden"_s, u"2"_s,
                                   u"--formato"_s, u"AD243"_s, u"--destino"_s, carpeta.Ruta()})
                  .Estado,
              0);
    const QByteArray ad243 = carpeta.Lee(u"AD243"_s);
    EXPECT_EQ(salida.TotalBoletos, ad243.mid(29, 6).toLongLong());
    EXPECT_GT(salida.TotalBoletos, 0);
    GuardaCaptura(&salida, u"salida_demostracion"_s);
    for (int tipo : {1, 3})
        ConListados(salida, tipo, [&](PantallaListados& l) {
            GuardaCaptura(&l, u"listados_demostracion_%1"_s.arg(tipo));
        });
}
