// JORNADAS.ZPK con cualquier contenido: el registro cargado tiene siempre 544 caracteres, la
// fecha 8, y es el vacío o uno con la marca de su jornada.
#include "comun_fuzz.h"
#include "matchdays/fichero_jornadas.h"

using namespace quiniela;
using namespace quiniela::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    EscribeFichero(QStringLiteral("JORNADAS.ZPK"), Bytes(datos, tamano));
    // El primer byte elige una jornada más, además de la 1 y la 2.
    const int otra = tamano > 0 ? 1 + datos[0] % 99 : 3;
    for (int jornada : {1, 2, otra}) {
        EstadoGlobal estado = EstadoEnCarpeta();
        estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
        LeeFicheroJornadas(estado);
        Exige(estado.RegistroJornada.size() == LongitudRegistroJornada);
        Exige(estado.Datos.FechaJornada.size() == LongitudFechaJornada);
        Exige(estado.RegistroJornada == RegistroJornadaVacio() ||
              RegistroJornadaValido(estado.RegistroJornada, jornada));
        for (int partido = 1; partido <= NumPartidos; ++partido)
            Exige(EquipoLocal(estado.RegistroJornada, partido).size() <= LongitudNombreEquipo);
    }
    return 0;
}
