// Los datos distribuidos deben ser coherentes: un usuario nuevo los abre tal cual.
#include "consult/historial.h"
#include "core/estado_global.h"
#include "matchdays/fichero_equipos.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"
#include "settings/datos_generales.h"
#include "support/plataforma_falsa.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace quiniela;
using namespace quiniela::prueba;

TEST(DatosDistribuidos, SeCarganSinAvisosConSeisReduccionesYSusColumnas) {
    EstadoGlobal estado;
    estado.CarpetaDatos = QStringLiteral(QUINIELA_FUENTES "/data/");
    PlataformaFalsa plataforma(&estado);
    CargaDatosGenerales(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(CargaLisEquipos(estado).size(), 42);
    for (int j = 1; j <= 4; ++j) {
        estado.Datos.JornadaActual = static_cast<int16_t>(j);
        LeeFicheroJornadas(estado);
        EXPECT_TRUE(RegistroJornadaValido(estado.RegistroJornada, j)) << j;
        for (int m = 1; m <= NumPartidos; ++m)
            EXPECT_FALSE(EquipoLocal(estado.RegistroJornada, m).isEmpty()) << j << " " << m;
    }

    // Seis reducciones con sus columnas.
    Historial historial(estado);
    historial.Abre();
    ASSERT_EQ(historial.Lis_Datos().size(), 6);

    const QList<QPair<int, int>> claves{{1, 1}, {1, 2}, {1, 3}, {3, 1}, {3, 2}, {4, 1}};
    QList<int> metodos;
    for (const auto& [jornada, orden] : claves) {
        estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
        estado.Datos.OrdenActual = static_cast<int16_t>(orden);
        LeeFicheroBases(estado);
        ASSERT_GT(estado.NumeroRegistroReduccion, 0) << jornada << "/" << orden;
        EXPECT_FALSE(estado.Red.Descripcion.isEmpty());
        metodos << estado.Red.Metodo;
        // Cada columna ocupa 19 bytes y hay tantas como dice el índice.
        const QFileInfo columnas(estado.Ruta(NombreFicheroApuestas(jornada, orden)));
        EXPECT_EQ(columnas.size(), qint64(estado.Red.ApuestasReducidas) * 19);
        EXPECT_GE(estado.Red.ApuestasReducidas, 200);
        EXPECT_LE(estado.Red.ApuestasReducidas, 5000);
    }
    EXPECT_TRUE(metodos.contains(1) && metodos.contains(2) && metodos.contains(3));
    EXPECT_TRUE(plataforma.Avisos.isEmpty()) << plataforma.Avisos.join(u'\n').toStdString();
}
