// EQUIPOS.ZPK con cualquier contenido: los nombres leídos vienen sin blancos a los lados y se
// guardan y vuelven a leer iguales; la carga desde la carpeta da los mismos.
#include "comun_fuzz.h"
#include "matchdays/fichero_equipos.h"

#include <algorithm>

using namespace quiniela;
using namespace quiniela::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const QByteArray contenido = Bytes(datos, tamano);
    const QStringList nombres = NombresDeEquipos(contenido);
    for (const QString& nombre : nombres)
        Exige(!nombre.isEmpty() && nombre == nombre.trimmed());
    // Un nombre con coma se guarda en una línea y se lee como dos: así es el formato. Sin comas
    // ni comillas, lo guardado se vuelve a leer igual.
    const bool sencillos = std::none_of(nombres.begin(), nombres.end(), [](const QString& n) {
        return n.contains(u',') || n.contains(u'"');
    });
    Exige(!sencillos || NombresDeEquipos(ContenidoFicheroEquipos(nombres)) == nombres);

    EscribeFichero(QStringLiteral("EQUIPOS.ZPK"), contenido);
    EstadoGlobal estado = EstadoEnCarpeta();
    Exige(CargaLisEquipos(estado) == nombres);
    return 0;
}
