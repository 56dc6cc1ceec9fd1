#include "settings/pantalla_datosgen.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "core/modo_edicion.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "settings/datos_generales.h"
#include "settings/reglas_datosgen.h"
#include "shell/piezas_pantalla.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {
constexpr int AnchoBoton = 220;
constexpr int XEditor = 262;
constexpr int XBoton = 30;
constexpr int YAbajo = 240;
constexpr int AnchoGuardar = 133;
constexpr int AnchoCorto = 70;

// Aplica el filtro de tecleo conservando la posición del cursor.
void ConectaFiltro(QLineEdit* campo, bool admitePunto) {
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo, admitePunto](const QString& t) {
        const TextoEditor r = FiltraTecleo(t, campo->cursorPosition(), admitePunto);
        if (r.Texto != t) {
            campo->setText(r.Texto);
            campo->setCursorPosition(r.Cursor);
        }
    });
}
} // namespace

PantallaDatosgen::PantallaDatosgen(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado) {
    setObjectName(QStringLiteral("datosgen"));
    setWindowTitle(QStringLiteral("Datos generales"));
    setFixedSize(380, 290);
    setStyleSheet(EstiloEditor());
    CreaTitulo();
    CreaBotonesAjuste();
    CreaEditores();
    CreaAjustes();
    CreaBotonesAbajo();
    Conecta();
    RellenaEditores();
    CentraEnPantalla(this);
}

void PantallaDatosgen::CreaTitulo() {
    auto* titulo = new QLabel(QStringLiteral("DATOS GENERALES"), this);
    titulo->setGeometry(0, 14, width(), 24);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setStyleSheet(EstiloTitulo());
}

void PantallaDatosgen::CreaBotonesAjuste() {
    Pic_BotTotJor = CreaBoton(this, QStringLiteral("Pic_BotTotJor"), QPoint(XBoton, 50));
    Pic_BotPreApu = CreaBoton(this, QStringLiteral("Pic_BotPreApu"), QPoint(XBoton, 85));
    Pic_BotDelega = CreaBoton(this, QStringLiteral("Pic_BotDelega"), QPoint(XBoton, 120));
    Pic_BotReceptor = CreaBoton(this, QStringLiteral("Pic_BotReceptor"), QPoint(XBoton, 155));
    Pic_BotSonido = CreaBoton(this, QStringLiteral("Pic_BotSonido"), QPoint(XBoton, 190));
}

void PantallaDatosgen::CreaEditores() {
    const auto creaCampo = [this](const QString& nombre, int y, int largo) {
        auto* campo = new QLineEdit(this);
        campo->setObjectName(nombre);
        campo->setGeometry(XEditor, y, 80, 24);
        campo->setMaxLength(largo);
        campo->hide();
        return campo;
    };
    Tex_TotJor = creaCampo(QStringLiteral("Tex_TotJor"), 50, 2);
    Tex_PreApu = creaCampo(QStringLiteral("Tex_PreApu"), 85, 4);
    Tex_Delegacion = creaCampo(QStringLiteral("Tex_Delegacion"), 120, 2);
    Tex_Receptor = creaCampo(QStringLiteral("Tex_Receptor"), 155, 5);
    Lis_Sonido = new QListWidget(this);
    Lis_Sonido->setObjectName(QStringLiteral("Lis_Sonido"));
    Lis_Sonido->addItems({QStringLiteral("Si"), QStringLiteral("No")});
    Lis_Sonido->setGeometry(XEditor, 190, 60, 46);
    Lis_Sonido->hide();
}

void PantallaDatosgen::CreaAjustes() {
    // Cada valor: su botón, su editor, su rótulo y cómo se guarda al cerrar el editor.
    DatosGenerales& d = estado_.Datos;
    ajustes_[0] = {Pic_BotTotJor, Tex_TotJor, [&d] { return RotuloTotalJornadas(d); },
                   [this, &d] {
                       d.TotalJornadas = CierraTotalJornadas(Tex_TotJor->text());
                       Tex_TotJor->setText(QString::number(d.TotalJornadas));
                   }};
    ajustes_[1] = {Pic_BotPreApu, Tex_PreApu, [&d] { return RotuloPrecio(d); },
                   [this, &d] {
                       d.PrecioApuesta = AnchoFijo(CierraPrecio(Tex_PreApu->text()), 4);
                       d.PrecioApuestaValor = static_cast<float>(ValorNumerico(d.PrecioApuesta));
                       Tex_PreApu->setText(d.PrecioApuesta.trimmed());
                   }};
    ajustes_[2] = {Pic_BotDelega, Tex_Delegacion, [&d] { return RotuloDelegacion(d); },
                   [this, &d] {
                       d.CodigoDelegacion = CierraCodigo(Tex_Delegacion->text(), 2);
                       Tex_Delegacion->setText(d.CodigoDelegacion);
                   }};
    ajustes_[3] = {Pic_BotReceptor, Tex_Receptor, [&d] { return RotuloReceptor(d); },
                   [this, &d] {
                       d.CodigoReceptor = CierraCodigo(Tex_Receptor->text(), 5);
                       Tex_Receptor->setText(d.CodigoReceptor);
                   }};
    ajustes_[4] = {Pic_BotSonido, Lis_Sonido, [&d] { return RotuloSonido(d); }, [] {}};
}

void PantallaDatosgen::CreaBotonesAbajo() {
    Pic_BotGuardar = CreaBoton(this, QStringLiteral("Pic_BotGuardar"), QPoint(XBoton, YAbajo),
                               AnchoGuardar, QStringLiteral("Guardar datos"));
    Pic_BotGuardar->hide();
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"), QPoint(200, YAbajo), AnchoCorto,
                          QStringLiteral("Ayuda"));
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(285, YAbajo), AnchoCorto,
                          QStringLiteral("Salir"));
}

void PantallaDatosgen::Conecta() {
    connect(Tex_TotJor, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString filtrado = FiltraTotalJornadas(t);
        if (filtrado != t)
            Tex_TotJor->setText(filtrado);
    });
    ConectaFiltro(Tex_PreApu, true);
    ConectaFiltro(Tex_Delegacion, false);
    ConectaFiltro(Tex_Receptor, false);
    for (Ajuste& ajuste : ajustes_) {
        connect(ajuste.Boton, &BotonImagen::pulsado, this,
                [this, &ajuste] { PulsaAjuste(ajuste); });
        if (auto* campo = qobject_cast<QLineEdit*>(ajuste.Editor))
            connect(campo, &QLineEdit::editingFinished, this, [this, &ajuste] {
                if (ajuste.Abierto)
                    CierraEditor(ajuste);
            });
    }
    ConectaSonido();
    connect(Pic_BotGuardar, &BotonImagen::pulsado, this, &PantallaDatosgen::Guarda);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaDatosgen::Sal);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(2700);
    });
}

void PantallaDatosgen::ConectaSonido() {
    connect(Lis_Sonido, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila < 0 || estado_.ModoEdicion)
            return;
        estado_.Datos.Sonido = Lis_Sonido->item(fila)->text();
    });
    const auto eligeYCierra = [this] {
        if (ajustes_[4].Abierto)
            CierraEditor(ajustes_[4]);
    };
    connect(Lis_Sonido, &QListWidget::itemClicked, this, eligeYCierra);
    connect(Lis_Sonido, &QListWidget::itemActivated, this, eligeYCierra);
}

void PantallaDatosgen::RellenaEditores() {
    GuardaModoEdicion edicion(estado_);
    const DatosGenerales& d = estado_.Datos;
    Tex_TotJor->setText(QString::number(d.TotalJornadas));
    Tex_PreApu->setText(d.PrecioApuesta.trimmed());
    Tex_Delegacion->setText(d.CodigoDelegacion);
    Tex_Receptor->setText(d.CodigoReceptor);
    Lis_Sonido->setCurrentRow(d.Sonido.trimmed() == u"Si" ? 0 : 1);
    for (Ajuste& ajuste : ajustes_)
        ajuste.Boton->Dibuja(AnchoBoton, ajuste.Rotulo(), false);
}

void PantallaDatosgen::PulsaAjuste(Ajuste& ajuste) {
    if (ajuste.Abierto)
        CierraEditor(ajuste);
    else
        AbreEditor(ajuste);
}

void PantallaDatosgen::AbreEditor(Ajuste& ajuste) {
    if (estado_.ModoEdicion)
        return;
    // Solo un editor abierto a la vez.
    for (Ajuste& otro : ajustes_)
        if (otro.Abierto && &otro != &ajuste)
            CierraEditor(otro);
    antes_ = estado_.Datos;
    TocaSonido(estado_, 6);
    DibujaBoton(ajuste.Boton, AnchoBoton, ajuste.Rotulo(), true);
    ajuste.Abierto = true;
    ajuste.Editor->show();
    ajuste.Editor->setFocus();
    if (auto* campo = qobject_cast<QLineEdit*>(ajuste.Editor))
        campo->selectAll();
}

void PantallaDatosgen::CierraEditor(Ajuste& ajuste) {
    ajuste.Abierto = false;
    if (!estado_.ModoEdicion)
        TocaSonido(estado_, 7);
    ajuste.Cierra();
    ajuste.Editor->hide();
    DibujaBoton(ajuste.Boton, AnchoBoton, ajuste.Rotulo(), false);
    if (ajuste.Editor == Lis_Sonido) {
        GuardaModoEdicion edicion(estado_);
        Lis_Sonido->setCurrentRow(estado_.Datos.Sonido.trimmed() == u"Si" ? 0 : 1);
    }
    if (DatosGeneralesCambiados(antes_, estado_.Datos))
        Pic_BotGuardar->show();
}

void PantallaDatosgen::Guarda() {
    for (Ajuste& ajuste : ajustes_)
        if (ajuste.Abierto)
            CierraEditor(ajuste);
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotGuardar, AnchoGuardar, Pic_BotGuardar->Rotulo(), true);
    const ResultadoFichero resultado = GuardaDatosGenerales(estado_);
    Espera(300);
    DibujaBoton(Pic_BotGuardar, AnchoGuardar, Pic_BotGuardar->Rotulo(), false);
    if (!resultado.Bien()) {
        // Los cambios siguen en pantalla para poder intentarlo otra vez.
        MuestraMensaje(QStringLiteral("ERROR AL GUARDAR"),
                       TextoErrorGuardarDatosGenerales(resultado));
        return;
    }
    TocaSonido(estado_, 6);
    Espera(200);
    Pic_BotGuardar->hide();
}

void PantallaDatosgen::Sal() {
    if (saliendo_)
        return;
    saliendo_ = true;
    TocaSonido(estado_, 5);
    // Se vuelve a leer el fichero: lo no guardado se descarta.
    CargaDatosGenerales(estado_);
    if (estado_.Datos.JornadaActual > estado_.Datos.TotalJornadas)
        estado_.Datos.JornadaActual = estado_.Datos.TotalJornadas;
    QDialog::reject();
}

void PantallaDatosgen::reject() {
    // Escape o cerrar la ventana salen como el botón Salir.
    Sal();
}

void PantallaDatosgen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
}

} // namespace quiniela
