#pragma once
// Orden "enviar" de quiniela-cli: manda la reducción por correo a las direcciones dadas o a
// las de DIRECC.ZPK, con la cuenta de los ajustes del usuario.

#include "cli/orden.h"

namespace quiniela {

Orden DescripcionOrdenEnviar();

} // namespace quiniela
