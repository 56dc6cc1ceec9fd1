#pragma once
// Medidas de la pantalla de listados, compartidas por sus ficheros.

#include <QPoint>
#include <QRect>

namespace quiniela::listados {

inline constexpr int AnchoVentana = 560;
inline constexpr int AltoVentana = 420;
inline const QRect AreaTitulo(20, 10, 520, 28);
inline constexpr int XIzquierda = 20;
inline constexpr int AnchoValor = 200;
inline constexpr int XCampo = 228;
inline constexpr int AnchoCampo = 56;
inline constexpr int Fila1 = 56;
inline constexpr int PasoFila = 32;
inline const QRect AreaEstado(20, 322, 520, 46);
inline constexpr int YAbajo = 384;
inline constexpr int AnchoOrden = 120;
inline constexpr int AnchoCancelar = 160;
inline constexpr int AnchoCorto = 80;
inline constexpr int XDerecha = 330;
inline constexpr int AnchoDecision = 170;

} // namespace quiniela::listados
