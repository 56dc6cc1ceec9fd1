#pragma once
// Banco de pruebas de la reducción: carpeta temporal con su estado y la plataforma falsa.

#include "core/estado_global.h"
#include "reduction/bases_prueba.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

namespace quiniela::prueba {

struct Banco {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma{&estado};

    // Con el índice BASES.ZPK vacío, salvo que la prueba quiera verlo faltar.
    explicit Banco(bool conIndice = true) {
        if (conIndice)
            carpeta.Escribe(QStringLiteral("BASES.ZPK"), QByteArray());
    }

    void Prepara(int jornada, int orden, const QString& fichas, int metodo) {
        estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
        estado.Datos.OrdenActual = static_cast<int16_t>(orden);
        estado.Red = BaseDeFichas(fichas, metodo);
    }
    QStringList Registros() const { return RegistrosBases(carpeta); }
};

} // namespace quiniela::prueba
