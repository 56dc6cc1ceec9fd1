#include "support/impresora_falsa.h"

namespace quiniela::prueba {

std::vector<TextoImpreso> ImpresoraFalsa::TextosDePagina(int pagina) const {
    std::vector<TextoImpreso> r;
    for (const TextoImpreso& t : Textos)
        if (t.Pagina == pagina)
            r.push_back(t);
    return r;
}

} // namespace quiniela::prueba
