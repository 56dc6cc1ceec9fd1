// Correo en la pantalla de listados: la lista de direcciones con el teclado y el ratón,
// DIRECC.ZPK al salir, la cuenta al primer envío y la tanda en otro hilo.
#include "core/estado_global.h"
#include "output/cuenta_correo.h"
#include "output/dialogo_cuenta_correo.h"
#include "output/pantalla_listados.h"
#include "output/reduccion_prueba.h"
#include "platform/qt/boton_imagen.h"
#include "support/pantallas.h"
#include "support/plataforma_falsa.h"
#include "support/transporte_falso.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

struct Correo {
    CarpetaTemporal Carpeta;
    EstadoGlobal Estado = Carpeta.Estado();
    PlataformaFalsa Plataforma{&Estado};
    std::unique_ptr<TransporteFalso> Transporte; // el de la última tanda

    Correo() {
        GuardaReduccion(Carpeta, Estado, 4, 2, Columnas(3));
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

TEST(PantallaCorreo, DireccionesConElTecladoYAlSalirEnElFichero) {
    Correo c;
    c.Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\nluis@y.es\r\n");
    {
        auto l = c.Abre();
        // Al abrir, todas elegidas: por defecto va un mensaje a cada una.
        EXPECT_EQ(Entradas(l->Lis_Direcciones), (QStringList{u"ana@x.es *"_s, u"luis@y.es *"_s}));
        Teclea(l->Tex_NuevaDireccion, u"  eva@z.es  "_s);
        QTest::keyClick(l->Tex_NuevaDireccion, Qt::Key_Return);
        EXPECT_TRUE(l->Tex_NuevaDireccion->hasFocus());
        // Doble clic: la entrada pasa al campo para corregirla.
        // Como llega del sistema de ventanas: el primer clic y después el doble.
        const QPoint punto =
            l->Lis_Direcciones->visualItemRect(l->Lis_Direcciones->item(0)).center();
        QTest::mouseClick(l->Lis_Direcciones->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
        QTest::mouseDClick(l->Lis_Direcciones->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
        EXPECT_EQ(Entradas(l->Lis_Direcciones), (QStringList{u"luis@y.es *"_s, u"eva@z.es *"_s}));
        Teclea(l->Tex_NuevaDireccion, u"s"_s);
        // Se sale sin pulsar Intro: lo del campo no se pierde.
        Pulsa(l->Pic_Salir);
    }
    EXPECT_EQ(c.Carpeta.Lee(u"DIRECC.ZPK"_s), "luis@y.es\r\neva@z.es\r\nana@x.ess\r\n");
    auto l = c.Abre();
    EXPECT_EQ(Entradas(l->Lis_Direcciones),
              (QStringList{u"luis@y.es *"_s, u"eva@z.es *"_s, u"ana@x.ess *"_s}));
}

// Sin poder leer DIRECC.ZPK y sin reducción: se dice, no se envía nada y al salir no se
// reescribe el fichero con la lista a medias.
TEST(PantallaCorreo, ConFalloAlLeerYSinReduccionNoSeEnviaNiSeReescribe) {
    Correo c;
    ASSERT_TRUE(QDir(c.Carpeta.Ruta()).mkdir(u"DIRECC.ZPK"_s));
    c.Estado.Datos.OrdenActual = 9;
    LeeFicheroBases(c.Estado);
    auto l = c.Abre();
    EXPECT_EQ(c.Plataforma.Avisos.size(), 1);
    Teclea(l->Tex_NuevaDireccion, u"eva@z.es"_s);
    QTest::keyClick(l->Tex_NuevaDireccion, Qt::Key_Return);
    Pulsa(l->Pic_BotEnviar);
    EXPECT_EQ(c.Transporte, nullptr);
    ASSERT_EQ(c.Plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(c.Plataforma.Mensajes[0].Titulo, u"NO HAY REDUCCIÓN"_s);
    Pulsa(l->Pic_Salir);
    EXPECT_TRUE(QFileInfo(c.Carpeta.Ruta(u"DIRECC.ZPK"_s)).isDir());
}

TEST(PantallaCorreo, EnviaALasElegidasYDiceCuantas) {
    Correo c;
    c.Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\nmala,\r\nluis@y.es\r\neva@z.es\r\n");
    auto l = c.Abre();
    // Se quita eva de la elegidas con un clic; "mala" no es una dirección.
    QTest::mouseClick(l->Lis_Direcciones->viewport(), Qt::LeftButton, Qt::NoModifier,
                      l->Lis_Direcciones->visualItemRect(l->Lis_Direcciones->item(3)).center());
    l->Chk_MailColumnas->click();
    Pulsa(l->Pic_BotEnviar);
    ASSERT_EQ(c.Enviados().size(), 2u);
    EXPECT_EQ(c.Enviados()[0].Destinatario, u"ana@x.es"_s);
    EXPECT_EQ(c.Enviados()[1].Destinatario, u"luis@y.es"_s);
    EXPECT_FALSE(c.Enviados()[0].Mensaje.contains("Apuesta nro."));
    EXPECT_TRUE(c.Enviados()[0].Mensaje.contains("JORNADA NRO.  4"));
    EXPECT_EQ(c.Transporte->Clave, u"secreta"_s);
    EXPECT_EQ(l->TextoEstado(), u"Se han enviado 2 mensajes"_s);
    EXPECT_TRUE(l->Pic_BotEnviar->isEnabled());
    EXPECT_FALSE(l->Pic_BotCancelar->isVisible());
    ASSERT_EQ(c.Plataforma.Mensajes.size(), 1u);
    EXPECT_TRUE(c.Plataforma.Mensajes[0].Texto.contains(u"mala"_s));
    GuardaCaptura(l.get(), u"listados_5_enviado"_s);
}

TEST(PantallaCorreo, CancelarEntreMensajesYErrorDelServidor) {
    Correo c;
    c.Carpeta.Escribe(u"DIRECC.ZPK"_s, "a@x.es\r\nb@x.es\r\nc@x.es\r\n");
    PantallaListados* pantalla = nullptr;
    auto l = c.Abre([&](TransporteFalso& t) {
        // Mientras sale el segundo, el usuario pulsa "Cancelar el proceso" (desde el otro hilo
        // se pide a la ventana, como llegaría el clic): el segundo acaba y el tercero no sale.
        // Si la tanda no fuera en otro hilo o la ventana no atendiera, no llegaría el clic.
        t.AntesDeEnviar = [&](int ya) {
            if (ya == 1)
                QMetaObject::invokeMethod(
                    pantalla, [&] { Pulsa(pantalla->Pic_BotCancelar); },
                    Qt::BlockingQueuedConnection);
        };
    });
    pantalla = l.get();
    Pulsa(l->Pic_BotEnviar);
    EXPECT_EQ(c.Enviados().size(), 2u);
    EXPECT_EQ(l->TextoEstado(), u"Se ha cancelado el envío: se han enviado 2 de 3 mensajes"_s);

    auto m = c.Abre([](TransporteFalso& t) { t.FallaEnElEnvio = 1; });
    Pulsa(m->Pic_BotEnviar);
    ASSERT_FALSE(c.Plataforma.Mensajes.empty());
    EXPECT_TRUE(c.Plataforma.Mensajes.back().Texto.startsWith(u"Error de correo: 55 "_s));
    // Ni uno salió: la clave se vuelve a pedir en el próximo envío.
    EXPECT_TRUE(c.Estado.ClaveCorreo.isEmpty());
    EXPECT_FALSE(c.Estado.SesionCorreo);
}

TEST(PantallaCorreo, LaCuentaSePideSinClaveYCancelarlaNoEnvia) {
    Correo c;
    c.Carpeta.Escribe(u"DIRECC.ZPK"_s, "ana@x.es\r\n");
    c.Estado.ClaveCorreo.clear();
    c.Estado.SesionCorreo = false;
    auto l = c.Abre();
    AlAbrirseModal([](QWidget* modal) {
        auto* d = dynamic_cast<DialogoCuentaCorreo*>(modal);
        ASSERT_NE(d, nullptr);
        Pulsa(d->Pic_Cancelar);
    });
    Pulsa(l->Pic_BotEnviar);
    EXPECT_TRUE(c.Enviados().empty());
    ASSERT_EQ(c.Plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(c.Plataforma.Mensajes[0].Texto, u"Inicio de sesión cancelado"_s);

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
        GuardaCaptura(d, u"cuenta_correo"_s);
        QTest::keyClick(d->Tex_Clave, Qt::Key_Return);
    });
    Pulsa(l->Pic_BotEnviar);
    ASSERT_EQ(c.Enviados().size(), 1u);
    EXPECT_EQ(c.Transporte->Clave, u"clave ñ"_s);
    EXPECT_EQ(c.Transporte->Cuenta.Seguridad, SeguridadCorreo::Tls);
    EXPECT_TRUE(c.Enviados()[0].Mensaje.startsWith("From: yo@ejemplo.es\r\n"));
    const QByteArray ajustes = c.Carpeta.Lee(u"ajustes.ini"_s);
    EXPECT_TRUE(ajustes.contains("remitente=yo@ejemplo.es"));
    EXPECT_FALSE(ajustes.contains("clave"));
}
