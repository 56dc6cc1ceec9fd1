#include "shell/pantalla_mensajes.h"

#include "core/estado_global.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/piezas_pantalla.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace quiniela {

namespace {
constexpr int AnchoDialogo = 420;
constexpr int AltoDialogo = 222;
constexpr int AnchoCorto = 70;
constexpr int AnchoLargo = 133;
// Borrar, reducir y copiar comparten sitio: solo se ve el que pide el mensaje.
const QPoint PosConfirmar(140, 183);
} // namespace

PantallaMensajes::PantallaMensajes(EstadoGlobal& estado, const QString& titulo,
                                   const QString& texto, BotonesMensaje botones, QWidget* padre)
    : QDialog(padre), estado_(estado) {
    setObjectName(QStringLiteral("mensajes"));
    setWindowTitle(QApplication::applicationDisplayName());
    setFixedSize(AnchoDialogo, AltoDialogo);
    setModal(true);
    CreaTextos(titulo, texto);
    CreaBotones(botones);
    Conecta();
    CentraEnPantalla(this);
}

void PantallaMensajes::CreaTextos(const QString& titulo, const QString& texto) {
    Tex_Titulo = new QLabel(titulo, this);
    Tex_Titulo->setObjectName(QStringLiteral("Tex_Titulo"));
    Tex_Titulo->setGeometry(20, 12, AnchoDialogo - 40, 22);
    Tex_Titulo->setAlignment(Qt::AlignCenter);
    Tex_Titulo->setStyleSheet(EstiloTitulo());
    // Los saltos de FinLinea separan líneas; el resto se ajusta al ancho.
    QString cuerpo = texto;
    cuerpo.replace(FinLinea, QStringLiteral("\n"));
    Tex_Mensaje = new QLabel(cuerpo, this);
    Tex_Mensaje->setObjectName(QStringLiteral("Tex_Mensaje"));
    Tex_Mensaje->setGeometry(24, 42, AnchoDialogo - 48, 124);
    Tex_Mensaje->setWordWrap(true);
    Tex_Mensaje->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Tex_Mensaje->setStyleSheet(EstiloTexto());
    Tex_Mensaje->setTextFormat(Qt::PlainText);
}

void PantallaMensajes::CreaBotones(BotonesMensaje botones) {
    const auto crea = [this](const QString& nombre, QPoint posicion, int ancho,
                             const QString& rotulo, bool visible) {
        BotonImagen* boton = CreaBoton(this, nombre, posicion, ancho, rotulo);
        // Las teclas son del diálogo: cualquiera lo cierra sin confirmar.
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setVisible(visible);
        return boton;
    };
    Pic_Ayuda = crea(QStringLiteral("Pic_Ayuda"), QPoint(30, 173), AnchoCorto,
                     QStringLiteral("Ayuda"), botones.testFlag(BotonMensaje::Ayuda));
    Pic_BotBorrar = crea(QStringLiteral("Pic_BotBorrar"), PosConfirmar, AnchoLargo,
                         QStringLiteral("Borrar datos"), botones.testFlag(BotonMensaje::Borrar));
    Pic_BotReducir =
        crea(QStringLiteral("Pic_BotReducir"), PosConfirmar, AnchoLargo,
             QStringLiteral("Reducir apuestas"), botones.testFlag(BotonMensaje::Reducir));
    Pic_BotCopiar = crea(QStringLiteral("Pic_BotCopiar"), PosConfirmar, AnchoLargo,
                         QStringLiteral("Copiar apuestas"), botones.testFlag(BotonMensaje::Copiar));
    Pic_Salir = crea(QStringLiteral("Pic_Salir"), QPoint(320, 183), AnchoCorto,
                     QStringLiteral("Salir"), true);
}

void PantallaMensajes::Conecta() {
    connect(Pic_BotBorrar, &BotonImagen::pulsado, this,
            [this] { Confirma(Pic_BotBorrar, estado_.BorrarConfirmado); });
    connect(Pic_BotReducir, &BotonImagen::pulsado, this,
            [this] { Confirma(Pic_BotReducir, estado_.ReducirConfirmado); });
    connect(Pic_BotCopiar, &BotonImagen::pulsado, this,
            [this] { Confirma(Pic_BotCopiar, estado_.CopiarConfirmado); });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaMensajes::Sal);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        if (estado_.ModoMensaje == 2)
            AbreAyuda(1120);
    });
}

void PantallaMensajes::Confirma(BotonImagen* boton, bool& indicador) {
    TocaSonido(estado_, 6);
    DibujaBoton(boton, boton->width(), boton->Rotulo(), true);
    Espera(300);
    indicador = true;
    accept();
}

void PantallaMensajes::Sal() {
    TocaSonido(estado_, 5);
    reject();
}

void PantallaMensajes::keyPressEvent(QKeyEvent*) {
    Sal();
}

void PantallaMensajes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
}

void MensajeroQt::MuestraMensaje(const QString& titulo, const QString& texto,
                                 BotonesMensaje botones) {
    PantallaMensajes dialogo(estado_, titulo, texto, botones, QApplication::activeWindow());
    dialogo.exec();
}

} // namespace quiniela
