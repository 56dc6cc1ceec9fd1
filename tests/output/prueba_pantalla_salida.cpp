// Menú de salida, listados y correo pulsados como lo haría el usuario.
#include "core/estado_global.h"
#include "output/boton_dibujo.h"
#include "output/cuenta_correo.h"
#include "output/dialogo_cuenta_correo.h"
#include "output/impresora_apuntada.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_salida.h"
#include "output/reduccion_prueba.h"
#include "platform/qt/aplicacion_qt.h"
#include "platform/qt/boton_imagen.h"
#include "settings/datos_generales.h"
#include "shell/pantalla_velmo.h"
#include "support/linea_cli.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"
#include "support/transporte_falso.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
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
            GuardaReduccion(Carpeta, otro, j, o, ColumnasPrueba(n));
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

// Abre listados del tipo con el botón de salida y deja hacer a `accion` con él abierto.
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

// El correo sobre una reducción de 3 columnas, con la cuenta guardada y la clave ya dada.
struct PantallaCorreo : testing::Test {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};
    std::unique_ptr<TransporteFalso> Transporte; // el de la última tanda

    PantallaCorreo() {
        GuardaReduccion(Carpeta, Estado, 4, 2, ColumnasPrueba(3));
        Estado.ClaveCorreo = u"secreta"_s;
        Estado.SesionCorreo = true;
        QSettings a(Ajustes(), QSettings::IniFormat);
        CuentaCorreo c;
        c.Servidor = u"smtp.ejemplo.es"_s;
        c.Remitente = u"pena@ejemplo.es"_s;
        GuardaCuentaCorreo(a, c);
    }
    QString Ajustes() const { return Carpeta.Ruta(u"ajustes.ini"_s); }

    // La pantalla de correo abierta, con un transporte falso que apunta lo enviado.
    std::unique_ptr<PantallaListados> Abre(std::function<void(TransporteFalso&)> prepara = {}) {
        auto l = std::make_unique<PantallaListados>(Estado, 5, 0);
        l->AjustesCorreo = Ajustes();
        l->CreaTransporte = [this, prepara] {
            Transporte = std::make_unique<TransporteFalso>();
            if (prepara)
                prepara(*Transporte);
            return std::make_unique<TransportePrestado>(*Transporte);
        };
        l->show();
        l->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(l.get()));
        return l;
    }
    const std::vector<TransporteFalso::Enviado>& Enviados() const {
        static const std::vector<TransporteFalso::Enviado> ninguno;
        return Transporte ? Transporte->Enviados : ninguno;
    }
};

QStringList Entradas(QListWidget* lista) {
    QStringList t;
    for (int i = 0; i < lista->count(); ++i)
        t << lista->item(i)->text() + (lista->item(i)->isSelected() ? u" *"_s : QString());
    return t;
}

} // namespace

TEST_F(Listados, SalidaSeAbreDesdeElMenuYSigueLaJornadaYElOrden) {
    PantallaVelmo menu(d.Estado);
    menu.show();
    Pulsa(menu.Pic_Boton[4]);
    auto* salida = menu.findChild<PantallaSalida*>(u"salida"_s);
    ASSERT_NE(salida, nullptr);
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
        EXPECT_EQ(plataforma.Esperas, (std::vector<int>{4000, 1000}));
        // 17 columnas: en AD243 el último boleto tiene una sola y se avisa.
        EXPECT_EQ(plataforma.Mensajes.size(), opcion == 0 ? 1u : 0u);
        const QStringList orden{u"exportar"_s, u"--jornada"_s, u"1"_s,
                                u"--orden"_s,  u"1"_s,         u"--formato"_s,
                                codigo,        u"--destino"_s, otra.Ruta()};
        ASSERT_EQ(EjecutaCli(d.Carpeta, orden).Estado, 0);
        EXPECT_EQ(personal.Lee(nombre), otra.Lee(nombre));
    }
}

TEST_F(Listados, BoletosUnoAUnoYCopiasAnchoDePapelMargenesYOrientacion) {
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

    // Lo de los controles pasa a la impresión, y márgenes y orientación se guardan al cerrar
    // (sin cambios, no se reescribe nada).
    apuntes = {};
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
    EXPECT_EQ(salida.TotalBoletos, 65); // de 520 columnas
    GuardaCaptura(&salida, u"salida_demostracion"_s);
    for (int tipo : {1, 3})
        ConListados(salida, tipo, [&](PantallaListados& l) {
            GuardaCaptura(&l, u"listados_demostracion_%1"_s.arg(tipo));
        });
}

TEST_F(PantallaCorreo, DireccionesConElTecladoYAlSalirEnElFichero) {
    Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\nluis@y.es\r\n");
    auto l = Abre();
    // Al abrir, todas elegidas: por defecto va un mensaje a cada una.
    EXPECT_EQ(Entradas(l->Lis_Direcciones), (QStringList{u"ana@x.es *"_s, u"luis@y.es *"_s}));
    Teclea(l->Tex_NuevaDireccion, u"  eva@z.es  "_s);
    QTest::keyClick(l->Tex_NuevaDireccion, Qt::Key_Return);
    EXPECT_TRUE(l->Tex_NuevaDireccion->hasFocus());
    // Doble clic (primero el clic, como llega): la entrada pasa al campo para corregirla.
    const QPoint punto = l->Lis_Direcciones->visualItemRect(l->Lis_Direcciones->item(0)).center();
    QTest::mouseClick(l->Lis_Direcciones->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
    QTest::mouseDClick(l->Lis_Direcciones->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
    EXPECT_EQ(Entradas(l->Lis_Direcciones), (QStringList{u"luis@y.es *"_s, u"eva@z.es *"_s}));
    Teclea(l->Tex_NuevaDireccion, u"s"_s);
    // Se sale sin pulsar Intro: lo del campo no se pierde.
    Pulsa(l->Pic_Salir);
    EXPECT_EQ(Carpeta.Lee(u"DIRECC.ZPK"_s), "luis@y.es\r\neva@z.es\r\nana@x.ess\r\n");
}

// Sin poder leer DIRECC.ZPK y sin reducción: se dice, no se envía nada y al salir no se
// reescribe el fichero con la lista a medias.
TEST_F(PantallaCorreo, ConFalloAlLeerYSinReduccionNoSeEnviaNiSeReescribe) {
    ASSERT_TRUE(QDir(Carpeta.Ruta()).mkdir(u"DIRECC.ZPK"_s));
    Estado.Datos.OrdenActual = 9;
    LeeFicheroBases(Estado);
    auto l = Abre();
    EXPECT_EQ(Plataforma.Avisos.size(), 1);
    Teclea(l->Tex_NuevaDireccion, u"eva@z.es"_s);
    QTest::keyClick(l->Tex_NuevaDireccion, Qt::Key_Return);
    Pulsa(l->Pic_BotEnviar);
    EXPECT_EQ(Transporte, nullptr);
    ASSERT_EQ(Plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(Plataforma.Mensajes[0].Titulo, u"NO HAY REDUCCIÓN"_s);
    Pulsa(l->Pic_Salir);
    EXPECT_TRUE(QFileInfo(Carpeta.Ruta(u"DIRECC.ZPK"_s)).isDir());
}

// Mientras sale el segundo de tres, el usuario pulsa "Cancelar el proceso" (desde el otro hilo se
// pide a la ventana, como llegaría el clic): si la tanda no fuera en otro hilo o la ventana no
// atendiera, el clic no llegaría.
TEST_F(PantallaCorreo, EnviaALasElegidasCancelaAMitadYErrorDelServidor) {
    Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\nmala,\r\nluis@y.es\r\neva@z.es\r\n");
    auto l = Abre();
    // Se quita eva de la elegidas con un clic; "mala" no es una dirección.
    EligeFila(l->Lis_Direcciones, 3);
    l->Chk_MailColumnas->click();
    Pulsa(l->Pic_BotEnviar);
    ASSERT_EQ(Enviados().size(), 2u);
    EXPECT_EQ(Enviados()[0].Destinatario, u"ana@x.es"_s);
    EXPECT_EQ(Enviados()[1].Destinatario, u"luis@y.es"_s);
    EXPECT_FALSE(Enviados()[0].Mensaje.contains("Apuesta nro."));
    EXPECT_TRUE(Enviados()[0].Mensaje.contains("JORNADA NRO.  4"));
    EXPECT_EQ(Transporte->Clave, u"secreta"_s);
    EXPECT_EQ(l->TextoEstado(), u"Se han enviado 2 mensajes"_s);
    EXPECT_TRUE(l->Pic_BotEnviar->isEnabled());
    EXPECT_FALSE(l->Pic_BotCancelar->isVisible());
    ASSERT_EQ(Plataforma.Mensajes.size(), 1u);
    EXPECT_TRUE(Plataforma.Mensajes[0].Texto.contains(u"mala"_s));
    GuardaCaptura(l.get(), u"listados_5_enviado"_s);

    l = Abre([&](TransporteFalso& t) {
        t.AntesDeEnviar = [&](int ya) {
            if (ya == 1)
                QMetaObject::invokeMethod(
                    l.get(), [&] { Pulsa(l->Pic_BotCancelar); }, Qt::BlockingQueuedConnection);
        };
    });
    Pulsa(l->Pic_BotEnviar);
    // El segundo, con sus columnas, se corta a medias: no llega.
    EXPECT_EQ(Enviados().size(), 1u);
    EXPECT_EQ(l->TextoEstado(), u"Se ha cancelado el envío: se han enviado 1 de 3 mensajes"_s);

    l = Abre([](TransporteFalso& t) { t.FallaEnElEnvio = 1; });
    Pulsa(l->Pic_BotEnviar);
    EXPECT_EQ(Plataforma.Mensajes.back().Texto,
              u"No se ha podido enviar el mensaje a ana@x.es: el servidor de correo no acepta la "
              u"dirección de destino\r\nSe han enviado 0 de 3 mensajes.\r\n(Failed sending data "
              u"to the peer: RCPT failed: 550; error 55)"_s);
    // Ni uno salió: la clave se vuelve a pedir en el próximo envío.
    EXPECT_TRUE(Estado.ClaveCorreo.isEmpty());
    EXPECT_FALSE(Estado.SesionCorreo);
}

TEST_F(PantallaCorreo, LaCuentaSePideSinClaveYCancelarlaNoEnvia) {
    Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\n");
    Estado.ClaveCorreo.clear();
    Estado.SesionCorreo = false;
    auto l = Abre();
    AlAbrirseModal([](QWidget* modal) {
        auto* d = dynamic_cast<DialogoCuentaCorreo*>(modal);
        ASSERT_NE(d, nullptr);
        Pulsa(d->Pic_Cancelar);
    });
    Pulsa(l->Pic_BotEnviar);
    EXPECT_TRUE(Enviados().empty());
    ASSERT_EQ(Plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(Plataforma.Mensajes[0].Texto, u"Inicio de sesión cancelado"_s);

    // Con la cuenta completa: se guarda sin la clave y la clave sirve para la tanda.
    AlAbrirseModal([](QWidget* modal) {
        auto* d = dynamic_cast<DialogoCuentaCorreo*>(modal);
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_TRUE(d->Tex_Clave->hasFocus());
        d->Tex_Remitente->clear();
        Pulsa(d->Pic_Aceptar); // sin remitente no se acepta
        EXPECT_TRUE(d->isVisible());
        Teclea(d->Tex_Remitente, u"yo@ejemplo.es"_s);
        d->Cbo_Seguridad->setCurrentIndex(1);
        Teclea(d->Tex_Clave, u"clave ñ"_s);
        EXPECT_EQ(d->Num_Maximo->value(), 20);
        d->Num_Maximo->setFocus();
        d->Num_Maximo->selectAll();
        QTest::keyClicks(d->Num_Maximo, u"25"_s);
        GuardaCaptura(d, u"cuenta_correo"_s);
        QTest::keyClick(d->Tex_Clave, Qt::Key_Return);
    });
    Pulsa(l->Pic_BotEnviar);
    ASSERT_EQ(Enviados().size(), 1u);
    EXPECT_EQ(Transporte->Clave, u"clave ñ"_s);
    EXPECT_EQ(Transporte->Cuenta.Seguridad, SeguridadCorreo::Tls);
    EXPECT_TRUE(Enviados()[0].Mensaje.startsWith("From: yo@ejemplo.es\r\n"));
    const QByteArray ajustes = Carpeta.Lee(u"ajustes.ini"_s);
    EXPECT_TRUE(ajustes.contains("remitente=yo@ejemplo.es"));
    EXPECT_TRUE(ajustes.contains("maximo=25"));
    EXPECT_EQ(Transporte->Cuenta.MaximoMensaje, 25);
    EXPECT_FALSE(ajustes.contains("clave"));
}

// Un mensaje de más del máximo de la cuenta se rechaza con su tamaño antes de conectar; tras el
// rechazo la cuenta se vuelve a pedir, y con un máximo mayor sale.
TEST_F(PantallaCorreo, MayorQueElMaximoSeRechazaYLaCuentaLoSube) {
    GuardaReduccion(Carpeta, Estado, 4, 2, ColumnasPrueba(30000));
    {
        QSettings a(Ajustes(), QSettings::IniFormat);
        CuentaCorreo c = LeeCuentaCorreo(a);
        c.MaximoMensaje = 1;
        ASSERT_TRUE(GuardaCuentaCorreo(a, c).Bien());
    }
    Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\n");
    auto l = Abre();
    Pulsa(l->Pic_BotEnviar);
    EXPECT_EQ(Transporte->Aperturas, 0);
    ASSERT_EQ(Plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(Plataforma.Mensajes[0].Titulo, u"MENSAJE DEMASIADO GRANDE"_s);
    EXPECT_TRUE(Plataforma.Mensajes[0].Texto.startsWith(
        u"El mensaje ocupa 1,1 MB y el máximo de la cuenta es 1 MB: no se ha enviado nada."_s));
    EXPECT_FALSE(Estado.SesionCorreo);

    AlAbrirseModal([](QWidget* modal) {
        auto* d = dynamic_cast<DialogoCuentaCorreo*>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->Num_Maximo->value(), 1);
        d->Num_Maximo->setValue(2);
        Teclea(d->Tex_Clave, u"secreta"_s);
        Pulsa(d->Pic_Aceptar);
    });
    Pulsa(l->Pic_BotEnviar);
    ASSERT_EQ(Enviados().size(), 1u);
    EXPECT_GT(Enviados()[0].Mensaje.size(), 1000000);
}

// Una falta de memoria en lo que hace un clic se avisa con palabras y el programa sigue.
TEST(AplicacionQuiniela, LaFaltaDeMemoriaEnUnEventoSeAvisa) {
    EstadoGlobal estado;
    PlataformaFalsa plataforma(&estado);
    struct Glotona : QWidget {
        void mousePressEvent(QMouseEvent*) override { throw std::bad_alloc(); }
    } glotona;
    glotona.resize(50, 50);
    glotona.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&glotona));
    QTest::mouseClick(&glotona, Qt::LeftButton);
    EXPECT_EQ(plataforma.Avisos, QStringList{TextoSinMemoria()});
    EXPECT_TRUE(glotona.isVisible());
}
