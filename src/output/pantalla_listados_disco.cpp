// Copia a disco de la pantalla de listados.

#include "core/estado_global.h"
#include "output/pantalla_listados.h"
#include "output/pantalla_listados_piezas.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace quiniela {

using namespace listados;

namespace {
constexpr int AnchoUnidad = 330;
constexpr int YUnidad = 288;
// Las pausas tras la copia: con el porcentaje final y con el mensaje de fin.
constexpr int PausaTrasCopia = 4000;
constexpr int PausaFinCopia = 1000;
} // namespace

void PantallaListados::CreaControlesDisco() {
    Tex_NombreArchivo = new QLineEdit(this);
    Tex_NombreArchivo->setObjectName(QStringLiteral("Tex_NombreArchivo"));
    Tex_NombreArchivo->setGeometry(170, Fila1, 200, AltoBoton);
    PonCursor(Tex_NombreArchivo, QStringLiteral("LAPIZ"));
    Fra_OpcionesDisco = new QGroupBox(QStringLiteral("Formato de salida "), this);
    Fra_OpcionesDisco->setObjectName(QStringLiteral("Fra_OpcionesDisco"));
    Fra_OpcionesDisco->setGeometry(XIzquierda, 88, 350, 192);
    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < NumFormatosExportar; ++i) {
        auto* opcion = new QRadioButton(RotuloFormato(FormatoExportar(i)), Fra_OpcionesDisco);
        opcion->setObjectName(QStringLiteral("Opt_Exportar%1").arg(i));
        opcion->setGeometry(10, 22 + 23 * i, 330, 20);
        grupo->addButton(opcion, i);
        Opt_Exportar[size_t(i)] = opcion;
    }
    connect(grupo, &QButtonGroup::idClicked, this, &PantallaListados::EligeFormato);
    Opt_Exportar[0]->setChecked(true);
    EligeFormato(0);
    CreaUnidades();
}

void PantallaListados::CreaUnidades() {
    Pic_BotUnidad = CreaBoton(this, QStringLiteral("Pic_BotUnidad"), {XIzquierda, YUnidad});
    Lis_Unidad = new QListWidget(this);
    Lis_Unidad->setObjectName(QStringLiteral("Lis_Unidad"));
    Lis_Unidad->hide();
    if (tipoListado_ == 3)
        unidades_ = CargaLisUnidades();
    for (const UnidadDestino& u : unidades_)
        Lis_Unidad->addItem(u.Nombre);
    const int filas = std::clamp(int(unidades_.size()), 1, 6);
    Lis_Unidad->setGeometry(XIzquierda, YUnidad - filas * 18 - 4, AnchoUnidad, filas * 18 + 4);
    Lis_Unidad->setCurrentRow(0);
    auto* d = new ListaDesplegable(estado_, Pic_BotUnidad, Lis_Unidad, AnchoUnidad, [this] {
        return unidades_.empty() ? QStringLiteral("Unidad de destino:  ")
                                 : TituloBotonUnidad(unidades_[size_t(unidad_)]);
    });
    d->Elige = [this](int fila) { EligeUnidad(fila); };
    d->PuedeAbrir = [this] { return !copiando_; };
    desplegables_.push_back(d);
}

void PantallaListados::EligeFormato(int indice) {
    if (indice < 0 || indice >= NumFormatosExportar)
        return;
    formato_ = FormatoExportar(indice);
    Tex_NombreArchivo->setText(
        NombreArchivoPropuesto(formato_, estado_.Datos.JornadaActual, estado_.Datos.OrdenActual));
}

void PantallaListados::EligeUnidad(int fila) {
    if (fila >= 0 && fila < int(unidades_.size()))
        unidad_ = fila;
    DibujaRotulos();
}

OpcionesCopia PantallaListados::OpcionesDeCopia() {
    OpcionesCopia o;
    o.Formato = formato_;
    o.Unidad = unidades_[size_t(unidad_)];
    o.NombreArchivo = Tex_NombreArchivo->text();
    o.AlAvanzar = [this](int porcentaje) {
        PonEstado(textoEstado_, TextoPorcentajeCopia(porcentaje));
        AtiendeVentana();
    };
    // El primer texto es el de "Se está creando..."; el de fin espera a las pausas.
    o.AlCambiarEstado = [this](const QString& texto) {
        if (textoEstado_.isEmpty())
            PonEstado(texto);
        else
            textoFinalCopia_ = texto;
        AtiendeVentana();
    };
    o.AlAvisar = [](const MensajeCopia& m) { MuestraMensaje(m.Titulo, m.Texto); };
    o.CancelarProceso = &cancelarProceso_;
    return o;
}

void PantallaListados::Copia() {
    if (copiando_ || imprimiendo_ || unidades_.empty())
        return;
    PliegaListas();
    TocaSonido(estado_, 6);
    DibujaBoton(Pic_BotCopiar, AnchoOrden, Pic_BotCopiar->Rotulo(), true);
    copiando_ = true;
    cancelarProceso_ = false;
    textoFinalCopia_.clear();
    PonEstado(QString());
    ActivaControlesCopia(false);
    const ResultadoCopia r = EjecutaCopia(estado_, OpcionesDeCopia());
    TerminaCopia(r);
    ActivaControlesCopia(true);
    copiando_ = false;
    DibujaBoton(Pic_BotCopiar, AnchoOrden, Pic_BotCopiar->Rotulo(), false);
}

void PantallaListados::TerminaCopia(const ResultadoCopia& r) {
    if (r.Fin == FinCopia::SinColumnas) {
        PonEstado(QString());
        MuestraMensaje(QStringLiteral("NO HAY COLUMNAS"),
                       QStringLiteral("La reducción de la jornada %1, orden %2 no tiene fichero "
                                      "de columnas: no se ha copiado nada.")
                           .arg(estado_.Datos.JornadaActual)
                           .arg(estado_.Datos.OrdenActual));
        return;
    }
    if (r.Mensaje) {
        PonEstado(r.Fin == FinCopia::Fallida ? QStringLiteral("No se ha podido copiar")
                                             : QString());
        MuestraMensaje(r.Mensaje->Titulo, r.Mensaje->Texto);
        return;
    }
    EsperaCopia(PausaTrasCopia);
    if (!textoFinalCopia_.isEmpty())
        PonEstado(textoFinalCopia_, r.Fin == FinCopia::Terminada ? textoProgreso_ : QString());
    EsperaCopia(PausaFinCopia);
}

void PantallaListados::ActivaControlesCopia(bool activos) {
    for (QWidget* w :
         {static_cast<QWidget*>(Fra_OpcionesDisco), static_cast<QWidget*>(Pic_BotCopiar),
          static_cast<QWidget*>(Pic_Ayuda), static_cast<QWidget*>(Tex_NombreArchivo),
          static_cast<QWidget*>(Pic_BotUnidad)})
        w->setEnabled(activos);
    Pic_BotCancelar->setEnabled(!activos);
    if (activos)
        unsetCursor();
    else
        setCursor(Qt::WaitCursor);
}

} // namespace quiniela
