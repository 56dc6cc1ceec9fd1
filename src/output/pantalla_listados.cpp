#include "output/pantalla_listados.h"

#include "core/estado_global.h"
#include "core/modo_edicion.h"
#include "output/boton_dibujo.h"
#include "output/pantalla_listados_piezas.h"
#include "output/relacion.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "platform/qt/impresora_sistema.h"
#include "settings/datos_generales.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace quiniela {

using namespace listados;

struct PantallaListados::CampoValor {
    BotonImagen* Boton;
    QLineEdit* Campo;
    int Ancho;
    std::function<QString()> Rotulo;
    std::function<void(const QString&)> Cierra;
    bool Abierto = false;
};

namespace {

QString EstiloPantalla() {
    return EstiloEditor() +
           QStringLiteral("QGroupBox { color: #ffff00; font-weight: bold; border: 1px solid "
                          "#003010; margin-top: 8px; padding-top: 6px; }"
                          "QGroupBox::title { subcontrol-origin: margin; left: 8px; }"
                          "QRadioButton, QCheckBox { color: white; }"
                          "QListWidget { border: 1px solid #003010; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }"
                          "QLineEdit { border: 1px solid #003010; padding: 0 3px; }");
}

VisorDocumentosQt& Visor() {
    static VisorDocumentosQt visor;
    return visor;
}

// Pausa que deja la ventana atendiendo (repintar, cancelar) sin dejar hacer nada más.
void EsperaConEventos(int milisegundos) {
    QEventLoop bucle;
    QTimer::singleShot(milisegundos, &bucle, &QEventLoop::quit);
    bucle.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString TituloListado(int tipo) {
    static const std::array<QString, 6> titulos{
        QStringLiteral("Imprimir los datos básicos de la reducción"),
        QStringLiteral("Imprimir boletos individuales"),
        QStringLiteral("Imprimir relación de boletos"),
        QStringLiteral("Copiar apuestas a disco"),
        QStringLiteral("Imprimir boletos en papel continuo"),
        QStringLiteral("Enviar datos por correo electrónico")};
    return tipo >= 0 && tipo < 6 ? titulos[size_t(tipo)] : QString();
}

int TemaAyudaListado(int tipo) {
    return 2410 + 10 * tipo;
}

PantallaListados::PantallaListados(EstadoGlobal& estado, int tipoListado, int64_t totalBoletos,
                                   QWidget* padre)
    : QDialog(padre), estado_(estado), tipoListado_(tipoListado), totalBoletos_(totalBoletos),
      rango_(RangoCompleto(totalBoletos)) {
    setObjectName(QStringLiteral("listados"));
    setWindowTitle(TituloListado(tipoListado_));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());
    CreaImpresora = [](const QString& nombre) { return CreaImpresoraSistema(nombre, Visor()); };
    EsperaCopia = EsperaConEventos;
    CreaBotonesOrden();
    CreaCamposRango();
    CreaOpcionesBoletos();
    CreaAnchoPapel();
    CreaCopias();
    CreaControlesDisco();
    CreaControlesCorreo();
    MuestraControlesDelTipo();
    DibujaRotulos();
    Conecta();
    EncadenaControles();
    CentraEnPantalla(this);
}

PantallaListados::~PantallaListados() = default;

void PantallaListados::CreaBotonesOrden() {
    const auto crea = [this](const char* nombre, QPoint sitio, int ancho, const QString& rotulo) {
        return CreaBoton(this, QString::fromLatin1(nombre), sitio, ancho, rotulo);
    };
    Pic_BotImprimir =
        crea("Pic_BotImprimir", {XIzquierda, YAbajo}, AnchoOrden, QStringLiteral("Imprimir"));
    Pic_BotCopiar =
        crea("Pic_BotCopiar", {XIzquierda, YAbajo}, AnchoOrden, QStringLiteral("Copiar"));
    Pic_BotEnviar =
        crea("Pic_BotEnviar", {XIzquierda, YAbajo}, AnchoOrden, QStringLiteral("Enviar mensajes"));
    Pic_BotCancelar = crea("Pic_BotCancelar", {XIzquierda + AnchoOrden + 8, YAbajo}, AnchoCancelar,
                           QStringLiteral("Cancelar el proceso"));
    Pic_BotRepetir =
        crea("Pic_BotRepetir", {XDerecha, 190}, AnchoDecision, QStringLiteral("Repetir el boleto"));
    Pic_BotSiguiente = crea("Pic_BotSiguiente", {XDerecha, 190 + PasoFila}, AnchoDecision,
                            QStringLiteral("Siguiente boleto"));
    Pic_Salir = crea("Pic_Salir", {AnchoVentana - 20 - AnchoCorto, YAbajo}, AnchoCorto,
                     QStringLiteral("Salir"));
    Pic_Ayuda = crea("Pic_Ayuda", {Pic_Salir->x() - 8 - AnchoCorto, YAbajo}, AnchoCorto,
                     QStringLiteral("Ayuda"));
}

PantallaListados::CampoValor&
PantallaListados::NuevoCampo(BotonImagen* boton, QLineEdit* campo, int ancho,
                             std::function<QString()> rotulo,
                             std::function<void(const QString&)> cierra) {
    campo->setGeometry(XCampo, boton->y(), AnchoCampo, AltoBoton);
    campo->hide();
    PonCursor(campo, QStringLiteral("LAPIZ"));
    campos_.push_back(std::make_unique<CampoValor>(
        CampoValor{boton, campo, ancho, std::move(rotulo), std::move(cierra)}));
    CampoValor& c = *campos_.back();
    connect(boton, &BotonImagen::pulsado, this, [this, &c] { PulsaCampo(c); });
    connect(campo, &QLineEdit::returnPressed, this, [this, &c] { PulsaCampo(c); });
    return c;
}

void PantallaListados::CreaCamposRango() {
    const auto boton = [this](const char* nombre, int fila) {
        return CreaBoton(this, QString::fromLatin1(nombre), {XIzquierda, Fila1 + fila * PasoFila});
    };
    const auto campo = [this](const char* nombre) {
        auto* c = new QLineEdit(this);
        c->setObjectName(QString::fromLatin1(nombre));
        return c;
    };
    Pic_BotBolIni = boton("Pic_BotBolIni", 0);
    Tex_BolIni = campo("Tex_BolIni");
    Pic_BotBolFin = boton("Pic_BotBolFin", 1);
    Tex_BolFin = campo("Tex_BolFin");
    // Un número de boleto solo lleva cifras.
    for (QLineEdit* c : {Tex_BolIni, Tex_BolFin})
        c->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), c));
    Pic_BotMarIzq = boton("Pic_BotMarIzq", 2);
    Tex_MarIzq = campo("Tex_MarIzq");
    Pic_BotMarSup = boton("Pic_BotMarSup", 3);
    Tex_MarSup = campo("Tex_MarSup");
    ConectaCamposRango();
}

void PantallaListados::ConectaCamposRango() {
    NuevoCampo(
        Pic_BotBolIni, Tex_BolIni, AnchoValor,
        [this] { return RotuloBoletoInicial(rango_.Inicial); },
        [this](const QString& t) { CierraBoletoInicial(rango_, t, totalBoletos_); });
    NuevoCampo(
        Pic_BotBolFin, Tex_BolFin, AnchoValor, [this] { return RotuloBoletoFinal(rango_.Final); },
        [this](const QString& t) { CierraBoletoFinal(rango_, t, totalBoletos_); });
    NuevoCampo(
        Pic_BotMarIzq, Tex_MarIzq, AnchoValor,
        [this] { return RotuloMargenIzquierdo(MargenIzquierdo(estado_.Datos, tipoListado_)); },
        [this](const QString& t) { CierraMargenIzquierdo(t); });
    NuevoCampo(
        Pic_BotMarSup, Tex_MarSup, AnchoValor,
        [this] { return RotuloMargenSuperior(MargenSuperior(estado_.Datos, tipoListado_)); },
        [this](const QString& t) { CierraMargenSuperior(t); });
    for (QLineEdit* c : {Tex_MarIzq, Tex_MarSup})
        connect(c, &QLineEdit::textEdited, c, [c](const QString& t) {
            if (t.size() > LargoCampoCorto)
                c->setText(RecortaCampoCorto(t));
        });
}

void PantallaListados::CreaOpcionesBoletos() {
    const QString imagen = QStringLiteral(":/imagenes/orientacion%1.png");
    Pic_Orientacion = new BotonDibujo(this, QStringLiteral("Pic_Orientacion"),
                                      imagen.arg(estado_.Datos.Orientacion == 2 ? 2 : 1),
                                      QStringLiteral("Orientación"));
    Pic_Orientacion->setGeometry(XDerecha + 30, Fila1 - 6, 110, 124);
    Pic_Orientacion->AlPulsar = [this] { CambiaOrientacion(); };
    Fra_OpcionesBoletos = new QGroupBox(QStringLiteral("Cara del boleto"), this);
    Fra_OpcionesBoletos->setObjectName(QStringLiteral("Fra_OpcionesBoletos"));
    Fra_OpcionesBoletos->setGeometry(XIzquierda, 186, 306, 72);
    const std::array<QString, 2> caras{
        QStringLiteral("Imprimir en el anverso"),
        QStringLiteral("Imprimir en el reverso o en papel en blanco")};
    for (int i = 0; i < 2; ++i) {
        Opt_Reverso[size_t(i)] = new QRadioButton(caras[size_t(i)], Fra_OpcionesBoletos);
        Opt_Reverso[size_t(i)]->setObjectName(QStringLiteral("Opt_Reverso%1").arg(i));
        Opt_Reverso[size_t(i)]->setGeometry(10, 22 + 22 * i, 292, 20);
    }
    Opt_Reverso[0]->setChecked(true);
    Chk_PruImp = new QCheckBox(QStringLiteral("Prueba de impresión"), this);
    Chk_PruImp->setObjectName(QStringLiteral("Chk_PruImp"));
    Chk_PruImp->setGeometry(XIzquierda + 10, 266, 280, 22);
}

void PantallaListados::CreaAnchoPapel() {
    Pic_BotAncPap = CreaBoton(this, QStringLiteral("Pic_BotAncPap"), {XIzquierda, 192});
    Lis_AnchoPapel = new QListWidget(this);
    Lis_AnchoPapel->setObjectName(QStringLiteral("Lis_AnchoPapel"));
    Lis_AnchoPapel->addItems(EntradasAnchoPapel());
    Lis_AnchoPapel->setGeometry(XIzquierda, 192 + AltoBoton + 2, 260, 40);
    Lis_AnchoPapel->setCurrentRow(0);
    Lis_AnchoPapel->hide();
    auto* d = new ListaDesplegable(estado_, Pic_BotAncPap, Lis_AnchoPapel, 260,
                                   [this] { return EntradasAnchoPapel()[anchoPapel_]; });
    d->Elige = [this](int fila) {
        if (fila >= 0)
            anchoPapel_ = fila;
        DibujaRotulos();
    };
    desplegables_.push_back(d);
}

void PantallaListados::CreaCopias() {
    Pic_BotCopias = CreaBoton(this, QStringLiteral("Pic_BotCopias"), {XIzquierda, Fila1});
    Tex_Copias = new QLineEdit(this);
    Tex_Copias->setObjectName(QStringLiteral("Tex_Copias"));
    NuevoCampo(
        Pic_BotCopias, Tex_Copias, AnchoValor, [this] { return RotuloCopias(copias_); },
        [this](const QString& t) { copias_ = CierraCopias(t); });
    // Mientras se escribe: tres cifras como mucho y nada por debajo de 1, con el cursor quieto.
    connect(Tex_Copias, &QLineEdit::textEdited, Tex_Copias, [this](const QString& t) {
        const QString nuevo = CampoCopiasAlEscribir(t);
        if (nuevo == t)
            return;
        const int cursor = Tex_Copias->cursorPosition();
        Tex_Copias->setText(nuevo);
        Tex_Copias->setCursorPosition(std::min(cursor, int(nuevo.size())));
    });
}

void PantallaListados::MuestraControlesDelTipo() {
    const int t = tipoListado_;
    const bool rango = t == 1 || t == 2 || t == 4;
    for (QWidget* w : {static_cast<QWidget*>(Pic_BotBolIni), static_cast<QWidget*>(Pic_BotBolFin),
                       static_cast<QWidget*>(Pic_BotMarIzq), static_cast<QWidget*>(Pic_BotMarSup)})
        w->setVisible(rango);
    for (QWidget* w :
         {static_cast<QWidget*>(Pic_Orientacion), static_cast<QWidget*>(Fra_OpcionesBoletos),
          static_cast<QWidget*>(Pic_BotRepetir), static_cast<QWidget*>(Pic_BotSiguiente)})
        w->setVisible(t == 1);
    Chk_PruImp->setVisible(t == 1 || t == 4);
    if (t == 4)
        Chk_PruImp->move(XIzquierda + 10, 192);
    Pic_BotAncPap->setVisible(t == 2);
    Pic_BotCopias->setVisible(t == 0);
    Pic_BotImprimir->setVisible(t == 0 || rango);
    Pic_BotCopiar->setVisible(t == 3);
    Pic_BotEnviar->setVisible(t == 5);
    Pic_BotCancelar->setVisible(t != 5);
    Fra_OpcionesDisco->setVisible(t == 3);
    Tex_NombreArchivo->setVisible(t == 3);
    Pic_BotUnidad->setVisible(t == 3);
    Fra_DatosMail->setVisible(t == 5);
    Lis_Direcciones->setVisible(t == 5);
    Tex_NuevaDireccion->setVisible(t == 5);
    Pic_BotCancelar->setEnabled(false);
    Pic_BotRepetir->setEnabled(false);
    Pic_BotSiguiente->setEnabled(false);
}

void PantallaListados::DibujaRotulos() {
    for (const auto& c : campos_)
        c->Boton->Dibuja(c->Ancho, c->Rotulo(), c->Abierto);
    for (ListaDesplegable* d : desplegables_)
        d->Redibuja();
}

void PantallaListados::Conecta() {
    connect(Pic_BotImprimir, &BotonImagen::pulsado, this, &PantallaListados::Imprime);
    connect(Pic_BotCopiar, &BotonImagen::pulsado, this, &PantallaListados::Copia);
    connect(Pic_BotCancelar, &BotonImagen::pulsado, this,
            [this] { Decide(DecisionBoleto::Cancelar); });
    connect(Pic_BotRepetir, &BotonImagen::pulsado, this,
            [this] { Decide(DecisionBoleto::Repetir); });
    connect(Pic_BotSiguiente, &BotonImagen::pulsado, this,
            [this] { Decide(DecisionBoleto::Siguiente); });
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, &PantallaListados::Ayuda);
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaListados::Sal);
    ConectaCorreo();
}

void PantallaListados::EncadenaControles() {
    EncadenaTabulador(
        {Pic_BotCopias,     Pic_BotBolIni,      Pic_BotBolFin,    Pic_BotMarIzq, Pic_BotMarSup,
         Pic_Orientacion,   Opt_Reverso[0],     Opt_Reverso[1],   Chk_PruImp,    Pic_BotAncPap,
         Tex_NombreArchivo, Opt_Exportar[0],    Pic_BotUnidad,    Chk_MailBase,  Chk_MailColumnas,
         Lis_Direcciones,   Tex_NuevaDireccion, Pic_BotImprimir,  Pic_BotCopiar, Pic_BotEnviar,
         Pic_BotCancelar,   Pic_BotRepetir,     Pic_BotSiguiente, Pic_Ayuda,     Pic_Salir});
}

void PantallaListados::PulsaCampo(CampoValor& c) {
    if (imprimiendo_ || copiando_)
        return;
    if (c.Abierto) {
        TocaSonido(estado_, 7);
        CierraCampo(c);
        return;
    }
    CierraCampos();
    TocaSonido(estado_, 6);
    c.Abierto = true;
    c.Campo->setText(c.Rotulo().section(u':', 1).trimmed());
    c.Campo->show();
    c.Campo->setFocus(Qt::OtherFocusReason);
    c.Campo->selectAll();
    c.Boton->Dibuja(c.Ancho, c.Rotulo(), true);
}

void PantallaListados::CierraCampo(CampoValor& c) {
    if (!c.Abierto)
        return;
    c.Abierto = false;
    c.Cierra(c.Campo->text());
    if (c.Campo->hasFocus())
        c.Boton->setFocus(Qt::OtherFocusReason);
    c.Campo->hide();
    DibujaRotulos();
}

void PantallaListados::PliegaListas() {
    for (ListaDesplegable* d : desplegables_)
        if (d->Abierta())
            d->Cierra(false);
}

void PantallaListados::CierraCampos() {
    for (const auto& c : campos_)
        CierraCampo(*c);
}

void PantallaListados::CierraMargenIzquierdo(const QString& texto) {
    const int valor = CierraMargen(texto);
    datosCambiados_ |= valor != MargenIzquierdo(estado_.Datos, tipoListado_);
    PonMargenIzquierdo(estado_.Datos, tipoListado_, valor);
}

void PantallaListados::CierraMargenSuperior(const QString& texto) {
    const int valor = CierraMargen(texto);
    datosCambiados_ |= valor != MargenSuperior(estado_.Datos, tipoListado_);
    PonMargenSuperior(estado_.Datos, tipoListado_, valor);
}

void PantallaListados::CambiaOrientacion() {
    if (imprimiendo_)
        return;
    TocaSonido(estado_, 9);
    estado_.Datos.Orientacion = static_cast<int16_t>(OtraOrientacion(estado_.Datos.Orientacion));
    Pic_Orientacion->PonImagen(
        QStringLiteral(":/imagenes/orientacion%1.png").arg(estado_.Datos.Orientacion));
    datosCambiados_ = true;
}

void PantallaListados::Ayuda() {
    TocaSonido(estado_, 9);
    AbreAyuda(TemaAyudaListado(tipoListado_));
}

void PantallaListados::Sal() {
    // Durante una impresión o una copia, salir es cancelar; la pantalla sigue abierta.
    if (imprimiendo_ || copiando_ || enviando_) {
        Decide(DecisionBoleto::Cancelar);
        return;
    }
    CierraCampos();
    TocaSonido(estado_, 5);
    if (tipoListado_ == 5)
        GuardaDireccionesAlSalir();
    // Márgenes y orientación son datos generales: que no se pierdan si algo los recarga.
    if (datosCambiados_) {
        const ResultadoFichero r = GuardaDatosGenerales(estado_);
        if (!r.Bien())
            AvisaSistema(TextoErrorGuardarDatosGenerales(r));
        datosCambiados_ = false;
    }
    done(QDialog::Accepted);
}

void PantallaListados::reject() {
    Sal();
}

void PantallaListados::closeEvent(QCloseEvent* evento) {
    if (imprimiendo_ || copiando_ || enviando_) {
        evento->ignore();
        Decide(DecisionBoleto::Cancelar);
        return;
    }
    evento->ignore();
    Sal();
}

void PantallaListados::PonEstado(const QString& estado, const QString& progreso) {
    textoEstado_ = estado;
    textoProgreso_ = progreso;
    update(AreaEstado);
}

void PantallaListados::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    p.setFont(LetraPrograma(15, true));
    p.setPen(VerdeOscuro);
    p.drawText(AreaTitulo.translated(1, 1), Qt::AlignCenter, TituloListado(tipoListado_));
    p.setPen(AmarilloTexto);
    p.drawText(AreaTitulo, Qt::AlignCenter, TituloListado(tipoListado_));
    p.setFont(LetraPrograma(12, true));
    p.setPen(Qt::white);
    if (tipoListado_ == 3)
        p.drawText(QRect(XIzquierda, Fila1, 150, AltoBoton), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Nombre del archivo "));
    if (tipoListado_ == 5)
        p.drawText(QRect(240, Fila1 - 4, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Direcciones de destino"));
    PintaPanelHundido(p, AreaEstado);
    p.setFont(LetraPrograma(12, true));
    p.setPen(AmarilloTexto);
    const QRect linea1 = AreaEstado.adjusted(6, 4, -6, -AreaEstado.height() / 2);
    p.drawText(linea1, Qt::AlignCenter, textoEstado_);
    p.setPen(Qt::white);
    p.drawText(AreaEstado.adjusted(6, AreaEstado.height() / 2, -6, -4), Qt::AlignCenter,
               textoProgreso_);
}

} // namespace quiniela
