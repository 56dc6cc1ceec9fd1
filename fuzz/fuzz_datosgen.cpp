// DATOSGEN.ZPK con cualquier contenido: la carga deja valores en su rango y sus textos en su
// ancho, y lo que guarda se vuelve a leer igual.
#include "comun_fuzz.h"
#include "settings/datos_generales.h"

using namespace quiniela;
using namespace quiniela::fuzz;

namespace {

void ExigeEnRango(const DatosGenerales& d) {
    Exige(d.TotalJornadas >= 1 && d.TotalJornadas <= 99);
    Exige(d.JornadaActual >= 1 && d.JornadaActual <= d.TotalJornadas);
    Exige(d.OrdenActual >= 1 && d.OrdenActual <= MaxOrden);
    Exige(d.Metodo >= 1 && d.Metodo <= NumMetodos);
    Exige(d.Orientacion == 1 || d.Orientacion == 2);
    Exige(d.PrecioApuesta.size() == 4 && d.CodigoDelegacion.size() == 2);
    Exige(d.CodigoReceptor.size() == 5 && d.Sonido.size() == 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const QString nombre = QString::fromLatin1(NombreDatosGenerales);
    EscribeFichero(nombre, Bytes(datos, tamano));
    EstadoGlobal estado = EstadoEnCarpeta();
    CargaDatosGenerales(estado);
    ExigeEnRango(estado.Datos);

    // Lo leído, guardado y vuelto a leer, no cambia.
    const DatosGenerales leidos = estado.Datos;
    Exige(GuardaDatosGenerales(estado).Bien());
    EstadoGlobal otra = EstadoEnCarpeta();
    CargaDatosGenerales(otra);
    Exige(otra.UltimoErrorFichero == 0);
    Exige(LineaDatosGenerales(otra.Datos) == LineaDatosGenerales(leidos));
    return 0;
}
