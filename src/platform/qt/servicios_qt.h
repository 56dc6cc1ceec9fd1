#pragma once
// Implementaciones de Qt de los servicios sencillos del sistema.

#include "platform/plataforma.h"

#include <QCursor>
#include <QHash>

namespace quiniela {

// Caja de mensaje del sistema con un solo botón y el título del programa.
class AvisoSistemaQt final : public AvisoSistema {
public:
    void Avisa(const QString& texto) override;
};

// Espera activa sobre un contador de milisegundos, sin atender eventos.
class RelojQt final : public Reloj {
public:
    void Espera(int milisegundos) override;
    void ProcesaEventos() override;
};

// Punteros propios dibujados por nosotros, con su punto caliente.
class CursoresQt final : public Cursores {
public:
    void PonCursor(QObject* control, const QString& nombre) override;
    // Cursor por nombre ("ManoIndice", "lapiz", "goma"), sin distinguir mayúsculas.
    QCursor Cursor(const QString& nombre);

private:
    QHash<QString, QCursor> cache_;
};

class MetricasPantallaQt final : public MetricasPantalla {
public:
    QSize TamanoPantalla() const override;
};

} // namespace quiniela
