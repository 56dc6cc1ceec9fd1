// El lector de texto delimitado con cualquier contenido: nunca se sale del texto, siempre
// avanza y cada entero leído sin error es el redondeo de un número de 16 bits.
#include "comun_fuzz.h"
#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/texto_delimitado.h"

using namespace quiniela;
using namespace quiniela::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    const QString texto = DeWindows1252(Bytes(datos, tamano));
    LectorDelimitado lector(texto);
    // Un campo por vuelta como mucho, y cada tercer campo como entero.
    for (qsizetype vuelta = 0; vuelta <= texto.size() + 1; ++vuelta) {
        if (vuelta % 3 == 2) {
            int error = 0;
            const int16_t valor = lector.SiguienteEntero(&error);
            Exige(error == 0 || valor == 0);
            Exige(error == 0 || error == ErrorFichero::FinDeFichero ||
                  error == ErrorFichero::TipoIncorrecto || error == ErrorFichero::Desbordamiento);
            if (error == ErrorFichero::FinDeFichero)
                return 0;
        } else if (!lector.SiguienteCampo()) {
            Exige(lector.AlFinal());
            return 0;
        }
    }
    // Más campos que caracteres: el lector no avanza.
    std::abort();
}
