#include "scrutiny/clics_escrutinio.h"

#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"

#include <cmath>

namespace quiniela {

namespace {

// Índice de la celda a lo largo de un eje: paso entre celdas, tamaño de la celda y límite.
int CeldaEje(double v, int paso, int tamano, int desplazamiento, int limite) {
    if (!(v > 3 && v < limite))
        return 0;
    const long redondeado = std::lround(v + desplazamiento);
    if (redondeado % paso >= tamano)
        return 0;
    return int((v + desplazamiento) / paso);
}

} // namespace

CeldaRejilla QueGanadoraHaPulsado(EstadoGlobal& estado, double x, double y) {
    estado.PuntoCursor = QPoint();
    const int partido = CeldaEje(y, PasoFilaBase, 15, 14, AltoCajaBase);
    if (partido == 0)
        return {};
    const int signo = CeldaEje(x, 15, 13, 12, 48);
    if (signo == 0)
        return {};
    estado.PuntoCursor = QPoint(partido, signo);
    return CeldaRejilla{partido, signo};
}

void PulsaGanadora(MarcasGanadora& marcas, CeldaRejilla celda) {
    if (!celda || celda.Fila < 1 || celda.Fila > NumPartidos)
        return;
    auto& fila = marcas[celda.Fila];
    const int16_t nueva = fila[celda.Columna] == 1 ? 0 : 1;
    for (int s = 1; s <= NumSignosMax; ++s)
        fila[s] = 0;
    fila[celda.Columna] = nueva;
}

CursorRejilla CursorSobreGanadora(const MarcasGanadora& marcas, CeldaRejilla celda) {
    if (!celda)
        return CursorRejilla::Normal;
    return marcas[celda.Fila][celda.Columna] == 1 ? CursorRejilla::Goma : CursorRejilla::Lapiz;
}

QString TituloEscrutinio(int metodo) {
    const int m = metodo >= 1 && metodo <= NumMetodos ? metodo : MetodoDirecto;
    return QStringLiteral("Escrutinio de columnas reducidas con el ") +
           NombresMetodo()[m].trimmed();
}

int AnchoVentanaEscrutinio(int metodo) {
    constexpr int TwipsPorPixel = 15;
    const int twips = metodo == MetodoDirecto ? 10410 : 11410;
    return (twips + TwipsPorPixel / 2) / TwipsPorPixel;
}

CargaEscrutinio CargaEntradasEscrutinio(EstadoGlobal& estado) {
    CargaEscrutinio carga;
    estado.UltimoErrorFichero = 0;
    LeeFicheroJornadas(estado);
    bool falla = estado.UltimoErrorFichero != 0;
    carga.Entrada.Marcas = MarcasDeRegistro(estado.RegistroJornada);
    carga.Entrada.Textos = TextosPremioDeRegistro(estado.RegistroJornada);
    for (int k = 1; k <= NumCategorias; ++k)
        carga.Premios[k] = ValorPremio(carga.Entrada.Textos[k]);
    estado.UltimoErrorFichero = 0;
    LeeFicheroBases(estado);
    // Sin reducción con esa clave no hay nada que escrutar: se dice como un fallo de carga.
    carga.Falla = falla || estado.UltimoErrorFichero != 0 || estado.NumeroRegistroReduccion == 0;
    return carga;
}

const QString& TituloErrorJornadaOrden() {
    static const QString t = QStringLiteral("ERROR EN JORNADA/ORDEN");
    return t;
}

const QString& TextoErrorJornadaOrden() {
    static const QString t = QStringLiteral(
        "No existe una reducción que coincida con la Jornada y el número de Orden que se ha "
        "indicado. Sólo se puede realizar el escrutinio de una reducción existente. Indique "
        "los datos correctos o busque en el Índice la reducción de la que desea efectuar el "
        "escrutinio.");
    return t;
}

} // namespace quiniela
