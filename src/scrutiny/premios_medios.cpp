#include "scrutiny/premios_medios.h"

#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "scrutiny/escrutinio.h"

#include <QFileInfo>

namespace quiniela {

PremiosValor PremiosMedios(const EstadoGlobal& estado) {
    const qint64 tamano = QFileInfo(estado.Ruta(QString::fromLatin1(NombreFicheroJornadas))).size();
    std::array<double, CategoriasValor> suma{};
    std::array<int, CategoriasValor> cuantas{};
    for (int j = 1; j <= tamano / LongitudRegistroJornada; ++j) {
        const QString registro = LeeRegistroJornada(estado, j);
        if (!RegistroJornadaValido(registro, j) ||
            ColumnaGanadoraDeMarcas(MarcasDeRegistro(registro)).isEmpty())
            continue;
        const TextosPremio textos = TextosPremioDeRegistro(registro);
        for (int k = 1; k <= NumCategorias; ++k) {
            if (textos[k].isEmpty())
                continue;
            suma[k - 1] += ValorPremio(textos[k]);
            ++cuantas[k - 1];
        }
    }
    PremiosValor premios;
    for (int i = 0; i < CategoriasValor; ++i)
        if (cuantas[i] > 0)
            premios[i] = suma[i] / cuantas[i];
    return premios;
}

} // namespace quiniela
