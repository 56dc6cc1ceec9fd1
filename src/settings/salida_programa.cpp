#include "settings/salida_programa.h"

#include "core/estado_global.h"
#include "settings/datos_generales.h"

#include <QFile>

namespace quiniela {

std::optional<QString> SalDelPrograma(const EstadoGlobal& estado) {
    std::optional<QString> aviso;
    if (const int error = GuardaDatosGenerales(estado).Numero; error != 0)
        aviso = QStringLiteral("No se han podido guardar los datos generales en "
                               "DATOSGEN.ZPK (error %1).")
                    .arg(error);
    QFile::remove(estado.Ruta(QString::fromLatin1(NombreFicheroBoletos)));
    return aviso;
}

} // namespace quiniela
