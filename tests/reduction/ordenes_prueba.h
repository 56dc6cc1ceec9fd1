#pragma once
// Carpeta de datos lista para quiniela-cli: índice vacío y datos generales por defecto.

#include "core/datos_generales_tipo.h"
#include "settings/datos_generales.h"
#include "support/carpeta_temporal.h"

#include <gtest/gtest.h>

namespace quiniela::prueba {

class CarpetaOrdenes : public testing::Test {
protected:
    void SetUp() override {
        carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
        carpeta.Escribe(QStringLiteral("DATOSGEN.ZPK"), LineaDatosGenerales(DatosGenerales{}));
    }
    CarpetaTemporal carpeta;
};

} // namespace quiniela::prueba
