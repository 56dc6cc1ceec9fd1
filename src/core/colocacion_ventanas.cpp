#include "core/colocacion_ventanas.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quiniela {

QRect AreaUtil(const QRect& pantalla, const QRect& disponible) {
    QRect area = disponible.isValid() ? disponible : pantalla;
    if (area == pantalla)
        area.setBottom(area.bottom() - AltoBarraTareas);
    return area;
}

QMargins MargenesMarco(const QMargins& reales) {
    return {std::max(reales.left(), MarcoSupuesto.left()),
            std::max(reales.top(), MarcoSupuesto.top()),
            std::max(reales.right(), MarcoSupuesto.right()),
            std::max(reales.bottom(), MarcoSupuesto.bottom())};
}

QPoint CentraMarco(const QRect& area, QSize tamano) {
    const int x = area.left() + std::max(0, (area.width() - tamano.width()) / 2);
    const int y = area.top() + std::max(0, (area.height() - tamano.height()) / 2);
    return {x, y};
}

namespace {

// Un valor entre dos límites; si no caben, el de abajo (la esquina de arriba a la izquierda).
int Acota(int valor, int minimo, int maximo) {
    return std::max(minimo, std::min(valor, maximo));
}

// Los sitios de la pantalla alrededor de un rectángulo: a la derecha, a la izquierda, encima y
// debajo, alineada con `referencia` en el otro eje y dentro del área en ese eje.
std::array<QRect, 4> SitiosAlrededor(const QRect& area, const QRect& r, const QRect& referencia,
                                     QSize s) {
    const int y = Acota(referencia.top(), area.top(), area.bottom() + 1 - s.height());
    const int x =
        Acota(referencia.center().x() - s.width() / 2, area.left(), area.right() + 1 - s.width());
    return {QRect(QPoint(r.right() + 1 + HuecoVentanas, y), s),
            QRect(QPoint(r.left() - HuecoVentanas - s.width(), y), s),
            QRect(QPoint(x, r.top() - HuecoVentanas - s.height()), s),
            QRect(QPoint(x, r.bottom() + 1 + HuecoVentanas), s)};
}

std::optional<QRect> PrimerSitio(const QRect& area, const std::array<QRect, 4>& sitios,
                                 const QRect& libre) {
    for (const QRect& sitio : sitios)
        if (area.contains(sitio) && !sitio.intersects(libre))
            return sitio;
    return std::nullopt;
}

} // namespace

ColocacionJuntoAlMenu ColocaJuntoAlMenu(const QRect& area, const QRect& marcoMenu,
                                        const QRect& entradas, QSize marcoPantalla) {
    const QSize s = marcoPantalla;
    // Con el menú en `menu`: al lado del menú entero, o donde solo queden libres sus entradas.
    const auto alLado = [&](QPoint menu) {
        const QRect m(menu, marcoMenu.size());
        return PrimerSitio(area, SitiosAlrededor(area, m, m, s), m);
    };
    const auto sinTaparEntradas = [&](QPoint menu) {
        const QRect e = entradas.translated(menu);
        return PrimerSitio(area, SitiosAlrededor(area, e, QRect(menu, marcoMenu.size()), s), e);
    };
    const QPoint aqui = marcoMenu.topLeft();
    const int yMenu = Acota(aqui.y(), area.top(), area.bottom() + 1 - marcoMenu.height());
    const QPoint izquierda(area.left(), yMenu);
    const QPoint derecha(area.right() + 1 - marcoMenu.width(), yMenu);
    const QPoint abajo(aqui.x(), area.bottom() + 1 - marcoMenu.height());
    // Al lado del menú, donde está o con los dos centrados en el área si así caben.
    const int juntos = marcoMenu.width() + HuecoVentanas + s.width();
    const QPoint centrados(area.left() + (area.width() - juntos) / 2, yMenu);
    for (const QPoint menu : {aqui, centrados})
        if (const auto sitio = alLado(menu))
            return {menu, sitio->topLeft(), s.height()};
    // Si no, donde no tape las entradas: con el menú donde está o llevado a un borde.
    for (const QPoint menu : {aqui, izquierda, derecha, abajo})
        if (const auto sitio = sinTaparEntradas(menu))
            return {menu, sitio->topLeft(), s.height()};
    // No cabe sin tapar las entradas: el menú al pie del área y la pantalla arriba, tan alta
    // como deje el hueco hasta las entradas, con su contenido desplazable.
    const int techo = entradas.translated(abajo).top() - HuecoVentanas;
    const int x =
        Acota(marcoMenu.center().x() - s.width() / 2, area.left(), area.right() + 1 - s.width());
    return {abajo, QPoint(x, area.top()), std::min(s.height(), techo - area.top())};
}

} // namespace quiniela
