#include "reduction/estadisticas.h"

#include "core/mascaras.h"

#include <algorithm>
#include <cmath>

namespace quiniela {

// El precio es un texto de cuatro caracteres con céntimos como mucho: se redondea a
// céntimos para que la imprecisión del número de simple precisión no llegue al importe.
double Importe(double precio, int64_t columnas) {
    return std::round(precio * 100.0) * static_cast<double>(columnas) / 100.0;
}

double Porcentaje(int64_t parte, int64_t total) {
    return total == 0 ? 0.0 : static_cast<double>(parte) * 100.0 / static_cast<double>(total);
}

namespace {

// Producto de los signos de los múltiples que no se reducen: se desarrollan enteros.
int64_t ProductoNoElegidos(const QuinielaBase& base) {
    int64_t producto = 1;
    for (int m = 1; m <= NumPartidos; ++m)
        if (base[m].NumSignos >= 2 && !PartidoElegido(base, m))
            producto *= base[m].NumSignos;
    return producto;
}

int64_t AceptadasColumnaProbable(const EstadisticasReduccion& est, const Reduccion& red) {
    // Un triple elegido falla su signo probable de dos maneras; un doble, de una.
    const int t = est.TriplesAReducir;
    const int d = est.DoblesAReducir;
    double suma = 0.0;
    for (int i = 0; i <= t; ++i) {
        for (int j = 0; j <= d; ++j) {
            if (i + j < red.MinErrores || i + j > red.MaxErrores)
                continue;
            suma = std::round(suma + double(Combinaciones(t, i)) * std::ldexp(1.0, i) *
                                         double(Combinaciones(d, j)));
        }
    }
    return static_cast<int64_t>(suma) * ProductoNoElegidos(red.Base);
}

int64_t AceptadasSeleccionSignos(const EstadisticasReduccion& est, const Reduccion& red) {
    const int m = est.MultiplesAReducir;
    int64_t suma = 0;
    for (int c1 = 0; c1 <= est.MaxSigno[1]; ++c1) {
        if (red.Totales(1, c1) != 1)
            continue;
        for (int cx = 0; cx <= est.MaxSigno[2]; ++cx) {
            const int c2 = m - c1 - cx;
            if (red.Totales(2, cx) != 1 || c2 < 0 || c2 > est.MaxSigno[3] ||
                red.Totales(3, c2) != 1)
                continue;
            suma += CuentaColumnasPorTotales(red.Base, c1, cx, c2);
        }
    }
    return suma * ProductoNoElegidos(red.Base);
}

} // namespace

int16_t Combinaciones(int n, int k) {
    if (k < 0)
        return 0;
    double numerador = 1.0;
    double denominador = 1.0;
    for (int i = 0; i < k; ++i) {
        numerador *= n - i;
        denominador *= k - i;
    }
    return static_cast<int16_t>(std::lround(numerador / denominador));
}

int32_t ColumnasMetodoDirecto(const QuinielaBase& base, const TablaDirecta& tabla) {
    const auto hueco = AsignaHuecos(base, tabla);
    int64_t columnas = tabla.Columnas;
    for (int m = 1; m <= NumPartidos; ++m)
        if (hueco[m] == 0)
            columnas *= base[m].NumSignos;
    return static_cast<int32_t>(columnas);
}

int32_t CuentaColumnasPorTotales(const QuinielaBase& base, int c1, int cX, int c2) {
    const std::array<int, 4> objetivo{0, c1, cX, c2};
    // A: el último signo con objetivo; B: el segundo; C: el que queda.
    const int a = objetivo[3] > 0 ? 3 : objetivo[2] > 0 ? 2 : 1;
    int b = a == 1 ? 3 : a == 2 ? 1 : 2;
    if (a == 3 && objetivo[2] == 0 && objetivo[1] > 0)
        b = 1;
    const int c = 6 - a - b;

    // Los elegidos se agrupan por sus signos: en lugar de recorrer las selecciones de
    // t(A) partidos uno a uno se cuentan por cuántas caen en cada grupo.
    int conAB = 0;  // exactamente A y B: si no toma A, toma B
    int conAC = 0;  // exactamente A y C: si no toma A, toma C
    int conABC = 0; // los tres: si no toma A, queda libre
    int libres = 0; // B y C sin A: siempre libre
    for (int m = 1; m < NumPartidos; ++m) {
        if (!PartidoElegido(base, m))
            continue;
        const auto& s = base[m].Signo;
        if (s[a] == 1 && s[b] == 1 && s[c] == 1)
            ++conABC;
        else if (s[a] == 1 && s[b] == 1)
            ++conAB;
        else if (s[a] == 1 && s[c] == 1)
            ++conAC;
        else if (s[b] == 1 && s[c] == 1)
            ++libres;
    }

    const int ta = objetivo[a];
    int64_t cuenta = 0;
    for (int enAB = 0; enAB <= conAB && enAB <= ta; ++enAB) {
        for (int enAC = 0; enAC <= conAC && enAB + enAC <= ta; ++enAC) {
            const int enABC = ta - enAB - enAC;
            if (enABC > conABC)
                continue;
            const int forzadosB = conAB - enAB;
            const int f = libres + conABC - enABC;
            const int paraB = objetivo[b] - forzadosB;
            if (paraB < 0)
                continue;
            cuenta += int64_t(Combinaciones(conAB, enAB)) * Combinaciones(conAC, enAC) *
                      Combinaciones(conABC, enABC) * Combinaciones(f, paraB);
        }
    }
    return static_cast<int32_t>(cuenta);
}

EstadisticasReduccion CalculaEstadisticas(Reduccion& red, TablaDirecta& tablaElegida) {
    EstadisticasReduccion est;
    int64_t total = 1;
    for (int m = 1; m <= NumPartidos; ++m) {
        const PartidoBase& p = red.Base[m];
        total *= p.NumSignos;
        const bool elegido = PartidoElegido(red.Base, m);
        if (p.NumSignos == 2) {
            ++est.Dobles;
            est.DoblesAReducir += elegido;
        } else if (p.NumSignos == 3) {
            ++est.Triples;
            est.TriplesAReducir += elegido;
        }
        if (elegido) {
            ++est.MultiplesAReducir;
            for (int k = 1; k <= NumSignosMax; ++k)
                est.MaxSigno[k] += p.Signo[k];
        }
    }
    est.Total = static_cast<int32_t>(total);

    // Parámetros coherentes con la base.
    for (int k = 1; k <= NumSignosMax; ++k)
        for (int r = est.MaxSigno[k] + 1; r <= NumPartidos; ++r)
            red.Totales(k, r) = 0;
    red.MinErrores = std::min(red.MinErrores, est.MultiplesAReducir);
    red.MaxErrores = std::min(red.MaxErrores, est.MultiplesAReducir);

    int64_t aceptadas = 0;
    switch (red.Metodo) {
    case MetodoDirecto:
        est.HayTabla = EligeTablaDirecta(est.TriplesAReducir, est.DoblesAReducir, tablaElegida);
        if (est.HayTabla) {
            aceptadas = ColumnasMetodoDirecto(red.Base, tablaElegida);
            est.Factor = tablaElegida.Factor;
        } else {
            aceptadas = total; // nada que reducir
        }
        break;
    case MetodoColumnaProbable:
        aceptadas = AceptadasColumnaProbable(est, red);
        break;
    case MetodoSeleccionSignos:
        aceptadas = AceptadasSeleccionSignos(est, red);
        break;
    default:
        break;
    }
    if (total == 0)
        aceptadas = 0; // un partido sin signos no desarrolla ninguna columna
    est.Aceptadas = static_cast<int32_t>(aceptadas);
    est.Excluidas = static_cast<int32_t>(total - aceptadas);
    if (red.Metodo != MetodoDirecto && aceptadas > 0)
        est.Factor = static_cast<float>(double(total) / double(aceptadas));
    if (aceptadas == 0)
        est.Factor = 0.0f;
    return est;
}

std::vector<LineaEstadistica> LineasPanelEstadisticas(const EstadisticasReduccion& est, int metodo,
                                                      float precio, const QLocale& regional) {
    auto numero = [&](double v, QStringView mascara) {
        return FormatoNumero(v, mascara, regional);
    };
    const QString euros = QStringLiteral(" €");
    const QString porCiento = QStringLiteral(" %");
    const bool directo = metodo == MetodoDirecto;
    std::vector<LineaEstadistica> lineas{
        {1, QStringLiteral("Partidos a doble"), numero(est.Dobles, u"#0")},
        {1, QStringLiteral("Partidos a triple"), numero(est.Triples, u"#0")},
        {1, QStringLiteral("Total múltiples"), numero(est.Dobles + est.Triples, u"#0")},
        {1, QStringLiteral("Apuest. directas"), numero(est.Total, u"##,###,##0")},
        {2, QStringLiteral("Dobles a reducir"), numero(est.DoblesAReducir, u"#0")},
        {2, QStringLiteral("Triples a reducir"), numero(est.TriplesAReducir, u"#0")},
        {2, QStringLiteral("Múltiples a reducir"), numero(est.MultiplesAReducir, u"#0")},
        {2, QStringLiteral("Apuest. aceptadas"), numero(est.Aceptadas, u"##,###,##0")},
        {2, QStringLiteral("Apuest. excluidas"), numero(est.Excluidas, u"##,###,##0")},
        {3, QStringLiteral("Importe total"),
         numero(Importe(precio, est.Total), u"##,###,##0.00") + euros},
        {3, QStringLiteral("Importe reducidas"),
         numero(Importe(precio, est.Aceptadas), u"##,###,##0.00") + euros},
        {4, QStringLiteral("Factor reducción"), numero(est.Factor, u"##0.00")},
        {4, directo ? QStringLiteral("Probab. 14 aciertos") : QStringLiteral("Posibil. cubiertas"),
         numero(Porcentaje(est.Aceptadas, est.Total), u"##0.00") + porCiento},
    };
    if (directo)
        lineas.push_back({4, QStringLiteral("Probab. 13 aciertos"),
                          numero(Porcentaje(est.Excluidas, est.Total), u"##0.00") + porCiento});
    return lineas;
}

ResumenReduccion DibujaResumenReduccion(const Reduccion& red, float precio, int anchoSuperficie,
                                        const QLocale& regional) {
    ResumenReduccion resumen;
    if (red.ApuestasBase == 1)
        return resumen;
    auto numero = [&](double v, QStringView mascara) {
        return FormatoNumero(v, mascara, regional);
    };
    const int64_t total = red.ApuestasBase;
    const int64_t aceptadas = red.ApuestasReducidas;
    const bool directo = red.Metodo == MetodoDirecto;
    resumen.Dibuja = true;
    resumen.X0 = (anchoSuperficie - 250) / 2 + 10;
    resumen.Banda = QRect(resumen.X0 - 10, 416, 240, 68);
    resumen.YTexto = 418;
    auto& l = resumen.Lineas;
    l.push_back({numero(total, u"##,###,###") + QStringLiteral(" apuestas reducidas a ") +
                     numero(aceptadas, u"##,###,###"),
                 QString()});
    // Se calcula con las cuentas guardadas, no con el factor de la tabla.
    l.push_back({QStringLiteral("Factor de  reducción.....:"),
                 numero(aceptadas == 0 ? 0.0 : double(total) / double(aceptadas), u"#######0.00")});
    if (red.Metodo == MetodoColumnaProbable)
        l.push_back({QStringLiteral("Errores permitidos.........:"),
                     QStringLiteral("De ") + numero(red.MinErrores, u"#0") + QStringLiteral(" a ") +
                         numero(red.MaxErrores, u"#0")});
    l.push_back({QStringLiteral("Importe reducidas.........:"),
                 numero(Importe(precio, aceptadas), u"##,###,##0.00") + QStringLiteral(" €")});
    l.push_back({directo ? QStringLiteral("Probabilidad 14 aciertos:")
                         : QStringLiteral("Posibilidades cubiertas.:"),
                 numero(Porcentaje(aceptadas, total), u"##0.00") + QStringLiteral(" %")});
    if (directo)
        l.push_back(
            {QStringLiteral("Probabilidad 13 aciertos:"),
             numero(Porcentaje(total - aceptadas, total), u"##0.00") + QStringLiteral(" %")});
    return resumen;
}

} // namespace quiniela
