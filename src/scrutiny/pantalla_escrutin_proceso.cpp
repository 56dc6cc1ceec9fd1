// El escrutinio y el informe desde la pantalla: mientras dura, la ventana se repinta pero no
// atiende el ratón ni el teclado, y no se cierra.

#include "core/estado_global.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "scrutiny/informe_escrutinio.h"
#include "scrutiny/pantalla_escrutin.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

namespace quiniela {

namespace {
constexpr int AnchoEscrutar = 170;
constexpr int PausaBoton = 100;
} // namespace

void PantallaEscrutin::PulsaBoton(BotonImagen* boton, int ancho,
                                  const std::function<void()>& accion) {
    if (ocupada_)
        return;
    desplegables_.CierraTodas();
    TocaSonido(estado_, 6);
    DibujaBoton(boton, ancho, boton->Rotulo(), true);
    Bloquea(true);
    accion();
    Bloquea(false);
    Espera(PausaBoton);
    DibujaBoton(boton, ancho, boton->Rotulo(), false);
}

void PantallaEscrutin::Bloquea(bool bloqueada) {
    ocupada_ = bloqueada;
    if (bloqueada) {
        setCursor(Qt::BusyCursor);
        qApp->installEventFilter(this);
        reloj_.start();
    } else {
        qApp->removeEventFilter(this);
        unsetCursor();
    }
}

void PantallaEscrutin::AtiendeBloque() {
    if (reloj_.elapsed() < IntervaloEventos)
        return;
    ProcesaEventos();
    reloj_.restart();
}

void PantallaEscrutin::Escruta() {
    PulsaBoton(Pic_BotEscrutar, AnchoEscrutar, [this] {
        LimpiaResultados();
        for (int k = 1; k <= NumCategorias; ++k)
            entrada_.Textos[k] = Tex_Premios[k]->text();
        // Los avisos de RealizaEscrutinio son ventanas aparte: el bloqueo no les afecta.
        const FinEscrutinio fin =
            RealizaEscrutinio(estado_, entrada_, resultado_, [this] { AtiendeBloque(); });
        for (int k = 1; k <= NumCategorias; ++k) {
            Tex_Premios[k]->setText(entrada_.Textos[k]);
            premios_[k] = ValorPremio(entrada_.Textos[k]);
        }
        if (fin == FinEscrutinio::Hecho)
            MuestraResultados();
    });
}

void PantallaEscrutin::LimpiaResultados() {
    Lis_Aciertos->clear();
    Lis_Boletos->clear();
    resultado_ = ResultadoEscrutinio{};
    tablaAciertos_ = TablaAciertosPantalla(resultado_, QLocale());
    Pic_BotImprimir->hide();
}

void PantallaEscrutin::MuestraResultados() {
    tablaAciertos_ = TablaAciertosPantalla(resultado_, QLocale());
    Lis_Aciertos->addItems(tablaAciertos_.Lineas);
    update();
    Lis_Boletos->addItems(LineasBoletos(resultado_));
    Pic_BotImprimir->show();
}

void PantallaEscrutin::Imprime() {
    if (!Pic_BotImprimir->isVisible())
        return;
    PulsaBoton(Pic_BotImprimir, AnchoEscrutar, [this] {
        const int jornada = estado_.Datos.JornadaActual;
        const int orden = estado_.Datos.OrdenActual;
        const std::unique_ptr<Impresora> impresora =
            CreaImpresora(NombreInformeEscrutinio(jornada, orden));
        const DatosInforme datos{jornada, orden, estado_.Datos.FechaJornada,
                                 estado_.RegistroJornada, QLocale()};
        if (impresora && ImprimeInformeEscrutinio(*impresora, datos, resultado_))
            return;
        const QString motivo =
            impresora ? impresora->Error() : QStringLiteral("No hay impresora disponible.");
        MuestraMensaje(QStringLiteral("ERROR AL IMPRIMIR"),
                       QStringLiteral("No se pudo imprimir el escrutinio: ") + motivo);
    });
}

} // namespace quiniela
