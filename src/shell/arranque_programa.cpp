#include "shell/arranque_programa.h"

#include "core/estado_global.h"
#include "platform/plataforma.h"
#include "shell/pantalla_velmo.h"

#include <QApplication>

namespace quiniela {

std::unique_ptr<PantallaVelmo> ArrancaPrograma(EstadoGlobal& estado, const QString& carpetaPrograma,
                                               const QString& carpetaRespaldo,
                                               const SondaEscritura& puedeEscribir) {
    estado.CarpetaDatos = EligeCarpetaDatos(carpetaPrograma, carpetaRespaldo, puedeEscribir);

    QSize pantalla(1024, 768);
    if (auto* metricas = ServiciosPlataforma().Metricas)
        pantalla = metricas->TamanoPantalla();
    if (!PantallaSuficiente(pantalla)) {
        MuestraMensaje(QStringLiteral("Resolución de pantalla"), TextoResolucion(pantalla));
        return nullptr;
    }

    auto menu = std::make_unique<PantallaVelmo>(estado);
    menu->show();

    estado.ModoMensaje = 2;
    MuestraMensaje(TituloPrograma(), TextoAyudaInicial(), BotonMensaje::Ayuda);
    estado.ModoMensaje = 0;
    QApplication::restoreOverrideCursor();
    return menu;
}

} // namespace quiniela
