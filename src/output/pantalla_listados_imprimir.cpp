// Impresión desde la pantalla de listados: datos básicos, boletos uno a uno, relación y
// continuo, con la ventana viva para poder cancelar.

#include "core/estado_global.h"
#include "output/boton_dibujo.h"
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_listados_piezas.h"
#include "output/relacion.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "reduction/fichero_bases.h"
#include "shell/lista_desplegable.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QRadioButton>

namespace quiniela {

using namespace listados;

namespace {

// Cada cuánto, como poco, se atiende la ventana mientras se imprime.
constexpr qint64 IntervaloEventosMs = 30;

QString QueSeImprime(int tipo) {
    switch (tipo) {
    case 0:
        return QStringLiteral("Datos básicos");
    case 1:
        return QStringLiteral("Boletos");
    case 2:
        return QStringLiteral("Relación de boletos");
    default:
        return QStringLiteral("Boletos en continuo");
    }
}

qint64 Ahora() {
    static QElapsedTimer reloj = [] {
        QElapsedTimer r;
        r.start();
        return r;
    }();
    return reloj.elapsed();
}

} // namespace

void PantallaListados::Imprime() {
    if (imprimiendo_ || copiando_)
        return;
    CierraCampos();
    PliegaListas();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotImprimir, AnchoOrden, Pic_BotImprimir->Rotulo(), true);
    imprimiendo_ = true;
    cancelarProceso_ = false;
    ActivaControles(false);
    // La reducción, como está guardada ahora (otra pantalla pudo cambiarla).
    LeeFicheroBases(estado_);
    const std::unique_ptr<Impresora> impresora = CreaImpresora(NombreDocumentoImpresion(
        QueSeImprime(tipoListado_), estado_.Datos.JornadaActual, estado_.Datos.OrdenActual));
    const ResultadoImpresion r = ImprimeDelTipo(*impresora);
    ActivaControles(true);
    MuestraFinImpresion(r);
    Espera(500);
    imprimiendo_ = false;
    DibujaBoton(Pic_BotImprimir, AnchoOrden, Pic_BotImprimir->Rotulo(), false);
}

ResultadoImpresion PantallaListados::ImprimeDelTipo(Impresora& impresora) {
    switch (tipoListado_) {
    case 0:
        return ImprimeDatosBasicos(estado_, impresora, copias_, QLocale(), Avisos());
    case 1:
        return ImprimeBoletosPantalla(impresora);
    case 2:
        return ImprimeRelacion(estado_, impresora, OpcionesRelacion{rango_, anchoPapel_, Avisos()});
    default: {
        OpcionesContinuo o;
        o.Rango = rango_;
        o.Prueba = Chk_PruImp->isChecked();
        o.MargenIzquierdo = MargenIzquierdo(estado_.Datos, tipoListado_);
        o.MargenSuperior = MargenSuperior(estado_.Datos, tipoListado_);
        o.Avisos = Avisos();
        return ImprimeContinuo(estado_, impresora, o);
    }
    }
}

ResultadoImpresion PantallaListados::ImprimeBoletosPantalla(Impresora& impresora) {
    OpcionesBoletos o;
    o.Rango = rango_;
    o.Orientacion = estado_.Datos.Orientacion;
    o.Reverso = Opt_Reverso[1]->isChecked();
    o.Prueba = Chk_PruImp->isChecked();
    o.MargenIzquierdo = MargenIzquierdo(estado_.Datos, tipoListado_);
    o.MargenSuperior = MargenSuperior(estado_.Datos, tipoListado_);
    // Cada boleto sale de la impresora antes de preguntar si se repite; en un PDF, que no
    // sale hasta cerrarlo, la tanda entera es un documento con una página por boleto.
    o.UnDocumentoPorBoleto = !impresora.GuardaEnFichero();
    o.Avisos = Avisos();
    o.TrasBoleto = [this](int64_t, bool ultimo) { return EsperaDecision(ultimo); };
    Pic_BotRepetir->setEnabled(true);
    Pic_BotSiguiente->setEnabled(true);
    const ResultadoImpresion r = ImprimeBoletos(estado_, impresora, o);
    Pic_BotRepetir->setEnabled(false);
    Pic_BotSiguiente->setEnabled(false);
    return r;
}

AvisosImpresion PantallaListados::Avisos() {
    AvisosImpresion a;
    a.AlImprimir = [this](const QString& texto) {
        PonEstado(texto);
        AtiendeVentana();
    };
    a.AlAvisar = [](const MensajeImpresion& m) { MuestraMensaje(m.Titulo, m.Texto); };
    a.CancelarProceso = &cancelarProceso_;
    return a;
}

void PantallaListados::AtiendeVentana() {
    // Atender la ventana cuesta: solo cada pocos milisegundos, para poder cancelar.
    const qint64 ahora = Ahora();
    if (ahora - ultimoBombeo_ < IntervaloEventosMs && ultimoBombeo_ != 0)
        return;
    ultimoBombeo_ = ahora;
    ProcesaEventos();
}

DecisionBoleto PantallaListados::EsperaDecision(bool ultimo) {
    // El último boleto del rango solo deja repetir o salir.
    Pic_BotSiguiente->setEnabled(!ultimo);
    Pic_BotCancelar->setEnabled(!ultimo);
    Pic_Salir->setEnabled(true);
    Pic_BotRepetir->setEnabled(true);
    unsetCursor();
    decision_.reset();
    if (cancelarProceso_)
        return DecisionBoleto::Cancelar;
    QEventLoop bucle;
    terminaEspera_ = [&bucle] { bucle.quit(); };
    bucle.exec();
    terminaEspera_ = nullptr;
    Pic_Salir->setEnabled(false);
    Pic_BotCancelar->setEnabled(true);
    setCursor(Qt::WaitCursor);
    return decision_.value_or(DecisionBoleto::Cancelar);
}

void PantallaListados::Decide(DecisionBoleto decision) {
    if (decision == DecisionBoleto::Cancelar)
        cancelarProceso_ = true;
    if (!terminaEspera_)
        return;
    // Tras el último boleto, salir acaba el proceso como cancelar.
    decision_ = decision;
    terminaEspera_();
}

void PantallaListados::ActivaControles(bool activos) {
    for (QWidget* w :
         {static_cast<QWidget*>(Pic_Ayuda), static_cast<QWidget*>(Pic_Salir),
          static_cast<QWidget*>(Fra_OpcionesBoletos), static_cast<QWidget*>(Pic_Orientacion),
          static_cast<QWidget*>(Chk_PruImp), static_cast<QWidget*>(Pic_BotAncPap),
          static_cast<QWidget*>(Pic_BotCopias), static_cast<QWidget*>(Pic_BotBolIni),
          static_cast<QWidget*>(Pic_BotBolFin), static_cast<QWidget*>(Pic_BotMarIzq),
          static_cast<QWidget*>(Pic_BotMarSup), static_cast<QWidget*>(Pic_BotImprimir)})
        w->setEnabled(activos);
    // Salir sigue activo: durante la impresión cancela.
    Pic_Salir->setEnabled(true);
    Pic_BotCancelar->setEnabled(!activos);
    if (activos)
        unsetCursor();
    else
        setCursor(Qt::WaitCursor);
}

void PantallaListados::MuestraFinImpresion(const ResultadoImpresion& r) {
    switch (r.Fin) {
    case FinImpresion::Terminada:
        PonEstado(QString());
        break;
    case FinImpresion::Cancelada:
        PonEstado(TextoImpresionCancelada());
        break;
    default:
        PonEstado(QString());
        if (r.Mensaje)
            MuestraMensaje(r.Mensaje->Titulo, r.Mensaje->Texto);
    }
}

} // namespace quiniela
