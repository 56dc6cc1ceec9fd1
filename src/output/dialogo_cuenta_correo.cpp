#include "output/dialogo_cuenta_correo.h"

#include "output/envio_correo.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/piezas_pantalla.h"

#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

namespace quiniela {

namespace {
constexpr int Ancho = 460;
constexpr int Alto = 392;
constexpr int XEtiqueta = 24;
constexpr int XCampo = 150;
constexpr int AnchoCampo = 286;
constexpr int PrimeraFila = 52;
constexpr int PasoFila = 32;
constexpr int AnchoBoton = 100;
const QRect AreaTitulo(20, 10, Ancho - 40, 28);
const QString Titulo = QStringLiteral("Cuenta de correo");

int YFila(int fila) {
    return PrimeraFila + fila * PasoFila;
}
} // namespace

DialogoCuentaCorreo::DialogoCuentaCorreo(const CuentaCorreo& cuenta, QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("cuentacorreo"));
    setWindowTitle(Titulo);
    setFixedSize(Ancho, Alto);
    setModal(true);
    setStyleSheet(EstiloEditor() + QStringLiteral("QLabel { color: white; font-weight: bold; }"));
    CreaCampos(cuenta);
    CreaBotones();
    Conecta();
    AvisaSeguridad();
    CentraEnPantalla(this);
}

QLineEdit* DialogoCuentaCorreo::CampoEnFila(int fila, const QString& nombre, const QString& texto) {
    auto* etiqueta = new QLabel(nombre, this);
    etiqueta->setGeometry(XEtiqueta, YFila(fila), XCampo - XEtiqueta - 6, AltoBoton);
    auto* campo = new QLineEdit(texto, this);
    campo->setGeometry(XCampo, YFila(fila), AnchoCampo, AltoBoton);
    etiqueta->setBuddy(campo);
    return campo;
}

void DialogoCuentaCorreo::CreaCampos(const CuentaCorreo& cuenta) {
    Tex_Servidor = CampoEnFila(0, QStringLiteral("&Servidor"), cuenta.Servidor);
    Tex_Servidor->setPlaceholderText(QStringLiteral("smtp.ejemplo.es"));
    Tex_Servidor->setGeometry(XCampo, YFila(0), 170, AltoBoton);
    Num_Puerto = new QSpinBox(this);
    Num_Puerto->setGeometry(XCampo + 176, YFila(0), AnchoCampo - 176, AltoBoton);
    Num_Puerto->setRange(0, 65535);
    Num_Puerto->setSpecialValueText(QStringLiteral("Puerto"));
    Num_Puerto->setValue(cuenta.Puerto);
    Num_Puerto->setToolTip(
        QStringLiteral("Sin puerto: 587 con STARTTLS, 465 con TLS, 25 sin cifrar"));
    auto* seguridad = new QLabel(QStringLiteral("Se&guridad"), this);
    seguridad->setGeometry(XEtiqueta, YFila(1), XCampo - XEtiqueta - 6, AltoBoton);
    Cbo_Seguridad = new QComboBox(this);
    Cbo_Seguridad->setGeometry(XCampo, YFila(1), AnchoCampo, AltoBoton);
    Cbo_Seguridad->addItem(QStringLiteral("STARTTLS (recomendada)"),
                           int(SeguridadCorreo::StartTls));
    Cbo_Seguridad->addItem(QStringLiteral("TLS desde el principio"), int(SeguridadCorreo::Tls));
    Cbo_Seguridad->addItem(QStringLiteral("Sin cifrar"), int(SeguridadCorreo::Ninguna));
    Cbo_Seguridad->setCurrentIndex(Cbo_Seguridad->findData(int(cuenta.Seguridad)));
    seguridad->setBuddy(Cbo_Seguridad);
    Tex_Usuario = CampoEnFila(2, QStringLiteral("&Usuario"), cuenta.Usuario);
    Tex_Clave = CampoEnFila(3, QStringLiteral("&Clave"), QString());
    Tex_Clave->setEchoMode(QLineEdit::Password);
    Tex_Remitente = CampoEnFila(4, QStringLiteral("&Remitente"), cuenta.Remitente);
    Tex_Remitente->setPlaceholderText(QStringLiteral("pena@ejemplo.es"));
    Tex_Certificado = CampoEnFila(5, QStringLiteral("Cer&tificado"), cuenta.Certificado);
    Tex_Certificado->setPlaceholderText(QStringLiteral("(opcional)"));
    Tex_Certificado->setGeometry(XCampo, YFila(5), AnchoCampo - 34, AltoBoton);
    auto* maximo = new QLabel(QStringLiteral("Tamaño &máximo"), this);
    maximo->setGeometry(XEtiqueta, YFila(6), XCampo - XEtiqueta - 6, AltoBoton);
    Num_Maximo = new QSpinBox(this);
    Num_Maximo->setObjectName(QStringLiteral("Num_Maximo"));
    Num_Maximo->setGeometry(XCampo, YFila(6), 110, AltoBoton);
    Num_Maximo->setRange(1, CuentaCorreo::MaximoMensajeTope);
    Num_Maximo->setSuffix(QStringLiteral(" MB"));
    Num_Maximo->setValue(cuenta.MaximoMensaje);
    Num_Maximo->setToolTip(QStringLiteral("Un mensaje mayor no se envía. Muchos servidores no "
                                          "admiten más de 20 o 25 MB."));
    maximo->setBuddy(Num_Maximo);
    Lbl_Aviso = new QLabel(this);
    Lbl_Aviso->setObjectName(QStringLiteral("Lbl_Aviso"));
    Lbl_Aviso->setGeometry(XEtiqueta, YFila(7) + 2, Ancho - 2 * XEtiqueta, 44);
    Lbl_Aviso->setWordWrap(true);
    Lbl_Aviso->setStyleSheet(QStringLiteral("color: #ffff00;"));
    Lbl_Aviso->setTextFormat(Qt::PlainText);
}

void DialogoCuentaCorreo::CreaBotones() {
    Pic_BotCertificado = CreaBoton(this, QStringLiteral("Pic_BotCertificado"),
                                   {XCampo + AnchoCampo - 28, YFila(5)}, 28, QStringLiteral("..."));
    Pic_Aceptar =
        CreaBoton(this, QStringLiteral("Pic_Aceptar"), {Ancho - 2 * (AnchoBoton + 12), Alto - 40},
                  AnchoBoton, QStringLiteral("Aceptar"));
    Pic_Cancelar =
        CreaBoton(this, QStringLiteral("Pic_Cancelar"), {Ancho - (AnchoBoton + 20), Alto - 40},
                  AnchoBoton, QStringLiteral("Cancelar"));
    EncadenaTabulador({Tex_Servidor, Num_Puerto, Cbo_Seguridad, Tex_Usuario, Tex_Clave,
                       Tex_Remitente, Tex_Certificado, Pic_BotCertificado, Num_Maximo, Pic_Aceptar,
                       Pic_Cancelar});
    // Se empieza por lo que falta: la clave si lo demás ya está.
    (Tex_Servidor->text().isEmpty() ? Tex_Servidor : Tex_Clave)->setFocus();
}

void DialogoCuentaCorreo::Conecta() {
    connect(Pic_Aceptar, &BotonImagen::pulsado, this, &DialogoCuentaCorreo::accept);
    connect(Pic_Cancelar, &BotonImagen::pulsado, this, &DialogoCuentaCorreo::reject);
    connect(Pic_BotCertificado, &BotonImagen::pulsado, this,
            &DialogoCuentaCorreo::EligeCertificado);
    connect(Cbo_Seguridad, &QComboBox::currentIndexChanged, this,
            &DialogoCuentaCorreo::AvisaSeguridad);
}

CuentaCorreo DialogoCuentaCorreo::Cuenta() const {
    CuentaCorreo c;
    c.Servidor = Tex_Servidor->text().trimmed();
    c.Puerto = Num_Puerto->value();
    c.Seguridad = SeguridadCorreo(Cbo_Seguridad->currentData().toInt());
    c.Usuario = Tex_Usuario->text().trimmed();
    c.Remitente = Tex_Remitente->text().trimmed();
    c.Certificado = Tex_Certificado->text().trimmed();
    c.MaximoMensaje = Num_Maximo->value();
    return c;
}

QString DialogoCuentaCorreo::Clave() const {
    return Tex_Clave->text();
}

void DialogoCuentaCorreo::accept() {
    if (const auto aviso = CompruebaCuenta(Cuenta())) {
        Lbl_Aviso->setText(aviso->Texto);
        return;
    }
    QDialog::accept();
}

void DialogoCuentaCorreo::EligeCertificado() {
    const QString fichero = QFileDialog::getOpenFileName(
        this, QStringLiteral("Certificado de la autoridad"), Tex_Certificado->text(),
        QStringLiteral("Certificados (*.pem *.crt *.cer);;Todos los ficheros (*)"));
    if (!fichero.isEmpty())
        Tex_Certificado->setText(fichero);
}

void DialogoCuentaCorreo::AvisaSeguridad() {
    const bool sinCifrar = Cbo_Seguridad->currentData().toInt() == int(SeguridadCorreo::Ninguna);
    Lbl_Aviso->setText(sinCifrar ? QStringLiteral("Sin cifrar, la clave y los mensajes viajan a "
                                                  "la vista de cualquiera en la red.")
                                 : QString());
}

void DialogoCuentaCorreo::keyPressEvent(QKeyEvent* evento) {
    // Intro acepta desde cualquier campo; Escape cancela (QDialog).
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void DialogoCuentaCorreo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    p.setFont(LetraPrograma(15, true));
    p.setPen(VerdeOscuro);
    p.drawText(AreaTitulo.translated(1, 1), Qt::AlignCenter, Titulo.toUpper());
    p.setPen(AmarilloTexto);
    p.drawText(AreaTitulo, Qt::AlignCenter, Titulo.toUpper());
}

} // namespace quiniela
