// Los títulos de todas las ventanas, sin blancos de relleno.
#include "consult/pantalla_historic.h"
#include "core/estado_global.h"
#include "matchdays/pantalla_equipos.h"
#include "matchdays/pantalla_jornadas.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "shell/pantalla_mensajes.h"
#include "shell/pantalla_velmo.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

TEST(Titulos, NingunaVentanaLlevaBlancosDeRelleno) {
    CarpetaTemporal carpeta;
    carpeta.Escribe(u"DATOSGEN.ZPK"_s, LineaDatosGenerales(DatosGenerales{}));
    carpeta.Escribe(u"EQUIPOS.ZPK"_s, "Betis\r\nSevilla\r\n");
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    std::vector<std::unique_ptr<QWidget>> ventanas;
    ventanas.push_back(std::make_unique<PantallaVelmo>(estado));
    ventanas.push_back(std::make_unique<PantallaDatosgen>(estado));
    ventanas.push_back(std::make_unique<PantallaJornadas>(estado));
    ventanas.push_back(std::make_unique<PantallaEquipos>(estado));
    ventanas.push_back(std::make_unique<PantallaHistoric>(estado));
    ventanas.push_back(
        std::make_unique<PantallaMensajes>(estado, u"TÍTULO"_s, u"Texto"_s, BotonMensaje::Ninguno));
    for (const auto& ventana : ventanas) {
        const QString titulo = ventana->windowTitle();
        EXPECT_FALSE(titulo.isEmpty()) << ventana->objectName().toStdString();
        EXPECT_EQ(titulo, titulo.simplified()) << titulo.toStdString();
    }
}
