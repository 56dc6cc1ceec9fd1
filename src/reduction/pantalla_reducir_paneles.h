#pragma once
// Los dos paneles pintados de la pantalla "reducir": las estadísticas al momento y el
// progreso de la reducción.

#include "reduction/estadisticas.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace quiniela {

struct EstadoGlobal;
class ClicsReduccion;

// Pic_Esta: las cuatro agrupaciones de líneas de las estadísticas.
class PanelEstadisticas : public QWidget {
public:
    // Color de los puntos de guía entre el rótulo y los dos puntos.
    static inline const QColor ColorGuia{200, 230, 205};

    PanelEstadisticas(const EstadoGlobal& estado, const ClicsReduccion& clics, QWidget* padre);
    // Las líneas tal como se escriben, con la configuración regional del usuario.
    std::vector<LineaEstadistica> Lineas() const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void PintaLinea(QPainter& p, const LineaEstadistica& linea, int y) const;

    const EstadoGlobal& estado_;
    const ClicsReduccion& clics_;
};

// Pic_Porcen: el panel de progreso de la reducción.
class PanelProgreso : public QWidget {
public:
    static constexpr int Ancho = 320;
    static constexpr int Alto = 225;

    explicit PanelProgreso(QWidget* padre);
    void PonTamanos(const QString& texto);
    void PonProgreso(const QString& texto, int porcentaje);
    const QString& Tamanos() const { return tamanos_; }
    const QString& Progreso() const { return progreso_; }
    int Porcentaje() const { return porcentaje_; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QString tamanos_;
    QString progreso_;
    int porcentaje_ = -1;
};

} // namespace quiniela
