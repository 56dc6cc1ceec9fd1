// Correo de la pantalla de listados: la lista de direcciones, la cuenta y la tanda de envío,
// que corre en otro hilo para que la ventana siga viva y se pueda cancelar.

#include "core/estado_global.h"
#include "output/cuenta_correo.h"
#include "output/dialogo_cuenta_correo.h"
#include "output/direcciones.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_listados_piezas.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "shell/piezas_pantalla.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QThread>

namespace quiniela {

using namespace listados;

namespace {

std::unique_ptr<QSettings> Ajustes(const QString& fichero) {
    return fichero.isEmpty() ? AjustesUsuario()
                             : std::make_unique<QSettings>(fichero, QSettings::IniFormat);
}

void Avisa(const AvisoCorreo& aviso) {
    MuestraMensaje(aviso.Titulo, aviso.Texto);
}

} // namespace

void PantallaListados::CreaControlesCorreo() {
    Fra_DatosMail = new QGroupBox(QStringLiteral("Datos a enviar "), this);
    Fra_DatosMail->setObjectName(QStringLiteral("Fra_DatosMail"));
    Fra_DatosMail->setGeometry(XIzquierda, Fila1, 200, 76);
    Chk_MailBase = new QCheckBox(QStringLiteral("Datos básicos"), Fra_DatosMail);
    Chk_MailBase->setObjectName(QStringLiteral("Chk_MailBase"));
    Chk_MailBase->setGeometry(10, 22, 180, 20);
    Chk_MailBase->setChecked(true);
    Chk_MailColumnas = new QCheckBox(QStringLiteral("Columnas"), Fra_DatosMail);
    Chk_MailColumnas->setObjectName(QStringLiteral("Chk_MailColumnas"));
    Chk_MailColumnas->setGeometry(10, 46, 180, 20);
    Chk_MailColumnas->setChecked(true);
    Lis_Direcciones = new QListWidget(this);
    Lis_Direcciones->setObjectName(QStringLiteral("Lis_Direcciones"));
    Lis_Direcciones->setGeometry(240, Fila1 + 16, 300, 190);
    Lis_Direcciones->setSelectionMode(QAbstractItemView::MultiSelection);
    Tex_NuevaDireccion = new QLineEdit(this);
    Tex_NuevaDireccion->setObjectName(QStringLiteral("Tex_NuevaDireccion"));
    Tex_NuevaDireccion->setGeometry(240, Fila1 + 214, 300, AltoBoton);
    Tex_NuevaDireccion->setPlaceholderText(QStringLiteral("Nueva dirección"));
    Tex_NuevaDireccion->setMaxLength(LargoMaximoDireccion);
    FiltraNoCodificables(Tex_NuevaDireccion);
    PonCursor(Tex_NuevaDireccion, QStringLiteral("LAPIZ"));
    CreaTransporte = CreaTransporteCorreo;
    if (tipoListado_ == 5)
        CargaDirecciones();
}

void PantallaListados::ConectaCorreo() {
    connect(Pic_BotEnviar, &BotonImagen::pulsado, this, &PantallaListados::Envia);
    connect(Tex_NuevaDireccion, &QLineEdit::returnPressed, this, &PantallaListados::AnadeDireccion);
    connect(Lis_Direcciones, &QListWidget::itemDoubleClicked, this,
            &PantallaListados::EditaDireccion);
}

void PantallaListados::CargaDirecciones() {
    Lis_Direcciones->clear();
    const LecturaDirecciones lectura = CargaLisDirecciones(estado_);
    direccionesLeidas_ = !lectura.Fallida;
    Lis_Direcciones->addItems(lectura.Direcciones);
    // Por defecto, un mensaje a cada dirección guardada.
    Lis_Direcciones->selectAll();
}

void PantallaListados::AnadeDireccion() {
    const QString direccion = Tex_NuevaDireccion->text().trimmed();
    if (direccion.isEmpty())
        return;
    auto* entrada = new QListWidgetItem(direccion, Lis_Direcciones);
    entrada->setSelected(true);
    Lis_Direcciones->scrollToItem(entrada);
    Tex_NuevaDireccion->clear();
    Tex_NuevaDireccion->setFocus(Qt::OtherFocusReason);
}

void PantallaListados::EditaDireccion(QListWidgetItem* entrada) {
    if (entrada == nullptr || enviando_)
        return;
    TocaSonido(estado_, 6);
    // Lo que hubiera a medias en el campo vuelve antes a la lista: no se pierde.
    AnadeDireccion();
    Tex_NuevaDireccion->setText(entrada->text());
    delete entrada;
    Tex_NuevaDireccion->setFocus(Qt::OtherFocusReason);
    Tex_NuevaDireccion->end(false);
}

void PantallaListados::GuardaDireccionesAlSalir() {
    AnadeDireccion();
    // Una lista leída a medias no sustituye a la del fichero.
    if (!direccionesLeidas_)
        return;
    QStringList direcciones;
    for (int i = 0; i < Lis_Direcciones->count(); ++i)
        direcciones << Lis_Direcciones->item(i)->text();
    const ResultadoFichero r = GuardaDirecciones(estado_, direcciones);
    if (!r.Bien())
        AvisaSistema(TextoErrorGuardarDirecciones(r));
}

QStringList PantallaListados::DireccionesElegidas() const {
    QStringList elegidas;
    for (int i = 0; i < Lis_Direcciones->count(); ++i)
        if (Lis_Direcciones->item(i)->isSelected())
            elegidas << Lis_Direcciones->item(i)->text();
    return elegidas;
}

std::optional<CuentaCorreo> PantallaListados::PideCuenta() {
    const auto ajustes = Ajustes(AjustesCorreo);
    CuentaCorreo cuenta = LeeCuentaCorreo(*ajustes);
    if (estado_.SesionCorreo && !CompruebaCuenta(cuenta))
        return cuenta;
    DialogoCuentaCorreo dialogo(cuenta, this);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    cuenta = dialogo.Cuenta();
    // Sin guardar, la cuenta vale para este envío igual: se avisa y se sigue.
    if (const ResultadoFichero r = GuardaCuentaCorreo(*ajustes, cuenta); !r.Bien())
        AvisaSistema(TextoFalloGuardar(QStringLiteral("No se ha podido guardar la cuenta de "
                                                      "correo en ") +
                                           QDir::toNativeSeparators(r.Ruta),
                                       r));
    estado_.ClaveCorreo = dialogo.Clave();
    estado_.SesionCorreo = true;
    return cuenta;
}

std::optional<EnvioPreparado> PantallaListados::PreparaEnvioPantalla() {
    const PeticionCorreo peticion{DireccionesElegidas(), Chk_MailBase->isChecked(),
                                  Chk_MailColumnas->isChecked()};
    PreparacionCorreo p = PreparaEnvio(estado_, peticion, QLocale());
    if (p.Aviso) {
        Avisa(*p.Aviso);
        return std::nullopt;
    }
    if (const auto rechazadas = AvisoRechazadas(p.Envio->Rechazadas))
        Avisa(*rechazadas);
    if (p.Envio->Validas.isEmpty()) {
        PonEstado(QStringLiteral("No se ha enviado ningún mensaje"));
        return std::nullopt;
    }
    return std::move(p.Envio);
}

void PantallaListados::Envia() {
    if (enviando_)
        return;
    AnadeDireccion();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotEnviar, AnchoOrden, Pic_BotEnviar->Rotulo(), true);
    if (const auto envio = PreparaEnvioPantalla()) {
        if (const auto cuenta = PideCuenta())
            TerminaEnvio(EnviaEnOtroHilo(*envio, *cuenta));
        else
            Avisa(AvisoSesionCancelada());
    }
    DibujaBoton(Pic_BotEnviar, AnchoOrden, Pic_BotEnviar->Rotulo(), false);
}

void PantallaListados::TerminaEnvio(const ResultadoEnvio& r) {
    PonEstado(TextoFinEnvio(r));
    // Una clave que el servidor no acepta no se vuelve a probar sin preguntar.
    if (r.Fin == FinEnvio::Fallido && r.Enviados == 0) {
        estado_.ClaveCorreo.clear();
        estado_.SesionCorreo = false;
    }
    if (r.Aviso)
        Avisa(*r.Aviso);
}

ResultadoEnvio PantallaListados::EnviaEnOtroHilo(const EnvioPreparado& envio,
                                                 const CuentaCorreo& cuenta) {
    enviando_ = true;
    cancelarProceso_ = false;
    ActivaControlesCorreo(false);
    PonEstado(TextoEnviando(1, int(envio.Validas.size())));
    AvisosEnvio avisos;
    avisos.AlEnviar = [this](int numero, int total, const QString&) {
        QMetaObject::invokeMethod(
            this, [this, numero, total] { PonEstado(TextoEnviando(numero, total)); },
            Qt::QueuedConnection);
    };
    avisos.Cancelar = &cancelarProceso_;
    ResultadoEnvio r;
    const std::unique_ptr<TransporteCorreo> transporte = CreaTransporte();
    const QString clave = estado_.ClaveCorreo;
    QEventLoop espera;
    std::unique_ptr<QThread> hilo(
        QThread::create([&] { r = EjecutaEnvio(envio, cuenta, clave, *transporte, avisos); }));
    connect(hilo.get(), &QThread::finished, &espera, &QEventLoop::quit);
    hilo->start();
    espera.exec();
    hilo->wait();
    ActivaControlesCorreo(true);
    enviando_ = false;
    return r;
}

void PantallaListados::ActivaControlesCorreo(bool activos) {
    for (QWidget* w : {static_cast<QWidget*>(Fra_DatosMail), static_cast<QWidget*>(Lis_Direcciones),
                       static_cast<QWidget*>(Tex_NuevaDireccion),
                       static_cast<QWidget*>(Pic_BotEnviar), static_cast<QWidget*>(Pic_Ayuda)})
        w->setEnabled(activos);
    // "Cancelar el proceso" solo se ve mientras se envía: para también a mitad de un mensaje.
    Pic_BotCancelar->setVisible(!activos);
    Pic_BotCancelar->setEnabled(!activos);
    if (activos)
        unsetCursor();
    else
        setCursor(Qt::BusyCursor);
}

} // namespace quiniela
