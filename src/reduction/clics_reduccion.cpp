#include "reduction/clics_reduccion.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/fichero_bases.h"

#include <algorithm>

namespace quiniela {

namespace {

constexpr int PosDescripcion = 165; // desde 0 en el registro
constexpr int MaxTotalSignos = 14;  // totales que usa el método de selección de signos

// Fila de Pic_Base (y de Pic_ColBas y Pic_Elegir): partido 1..15 o 0.
int FilaBase(int y) {
    if (y < 3 || y >= 274 || (y + 14) % PasoFilaBase >= 15)
        return 0;
    return (y + 14) / PasoFilaBase;
}

// Columna de Pic_Base: signo 1..3 o 0.
int ColumnaBase(int x) {
    if (x < 3 || x >= 48 || (x + 12) % 15 >= 13)
        return 0;
    return (x + 12) / 15;
}

bool SignoValido(int signo) {
    return signo >= 1 && signo <= NumSignosMax;
}

bool PartidoValido(int partido) {
    return partido >= 1 && partido <= NumPartidos;
}

} // namespace

CeldaRejilla QueBaseHaPulsado(int x, int y) {
    const int fila = FilaBase(y);
    if (fila == 0)
        return {};
    const int columna = ColumnaBase(x);
    return columna == 0 ? CeldaRejilla{} : CeldaRejilla{fila, columna};
}

CeldaRejilla QueProbableHaPulsado(int x, int y) {
    return QueBaseHaPulsado(x, y);
}

int QueElegidaHaPulsado(const QuinielaBase& base, int x, int y) {
    const int fila = FilaBase(y);
    // El partido 15 nunca se reduce: no tiene casilla.
    if (fila == 0 || fila >= NumPartidos || x < 3 || x >= 17 || base[fila].NumSignos <= 1)
        return 0;
    return fila;
}

CeldaRejilla QueSignoUEDHaPulsado(int x, int y) {
    if (y < 1 || y >= 270 || x < 1 || x >= 54)
        return {};
    return {y / 18, (x + 18) / 18};
}

QRect CeldaBase(int partido, int signo) {
    return QRect(15 * signo - 12, PasoFilaBase * partido - 14, 13, 15);
}

QRect CeldaElegida(int partido) {
    return QRect(3, PasoFilaBase * partido - 14, 14, 15);
}

QRect CeldaSignos(int signo, int total) {
    return QRect(18 * (signo - 1), 18 * total, 18, 18);
}

CursorRejilla CursorSobreBase(const QuinielaBase& base, CeldaRejilla celda) {
    if (!celda)
        return CursorRejilla::Normal;
    return base[celda.Fila].Signo[celda.Columna] == 1 ? CursorRejilla::Goma : CursorRejilla::Lapiz;
}

CursorRejilla CursorSobreProbable(const QuinielaBase& base, CeldaRejilla celda) {
    if (!celda)
        return CursorRejilla::Normal;
    return base[celda.Fila].SignoProbable == celda.Columna ? CursorRejilla::Goma
                                                           : CursorRejilla::Lapiz;
}

CursorRejilla CursorSobreElegida(const QuinielaBase& base, int partido) {
    if (partido == 0)
        return CursorRejilla::Normal;
    return base[partido].AReducir == 1 ? CursorRejilla::Goma : CursorRejilla::Lapiz;
}

CursorRejilla CursorSobreSignos(const EstadisticasReduccion& est, CeldaRejilla celda) {
    if (!celda)
        return CursorRejilla::Normal;
    return celda.Fila <= est.MaxSigno[celda.Columna] ? CursorRejilla::Mano
                                                     : CursorRejilla::Prohibido;
}

QString NombreCursor(CursorRejilla cursor) {
    switch (cursor) {
    case CursorRejilla::Lapiz:
        return QStringLiteral("lapiz");
    case CursorRejilla::Goma:
        return QStringLiteral("goma");
    case CursorRejilla::Mano:
        return QStringLiteral("ManoIndice");
    case CursorRejilla::Normal:
    case CursorRejilla::Prohibido:
        break;
    }
    return QString();
}

QStringList EntradasListaErrores(int multiples) {
    QStringList entradas;
    for (int v = 0; v <= multiples; ++v)
        entradas << ADerecha(v, 2);
    return entradas;
}

QString RotuloMinErrores(int valor) {
    return ADerecha(valor, 2) + QStringLiteral("  Mínimo");
}

QString RotuloMaxErrores(int valor) {
    return ADerecha(valor, 2) + QStringLiteral("  Máximo");
}

QString RotuloOrden(int orden) {
    return QStringLiteral("Orden ") + QString::number(orden);
}

QString TituloReducir(int metodo) {
    const int m = metodo >= 1 && metodo <= NumMetodos ? metodo : MetodoDirecto;
    // El nombre va relleno para los ficheros; en el título, sin blancos de sobra.
    return QStringLiteral("Reducción de apuestas por el ") + NombresMetodo()[m].trimmed();
}

ClicsReduccion::ClicsReduccion(EstadoGlobal& estado) : estado_(estado) {}

void ClicsReduccion::Abre() {
    LeeFicheroJornadas(estado_);
    // Sin reducción guardada, el método es el de la selección actual.
    estado_.Red.Metodo = estado_.Datos.Metodo;
    LeeFicheroBases(estado_);
    if (estado_.MetodoRecordado >= 1 && estado_.MetodoRecordado <= NumMetodos)
        estado_.Red.Metodo = estado_.MetodoRecordado;
    if (estado_.Red.Metodo < 1 || estado_.Red.Metodo > NumMetodos)
        estado_.Red.Metodo = MetodoDirecto;
    estado_.Datos.Metodo = estado_.Red.Metodo;
    estado_.ActualizaFicheroApuestas();

    // Un registro escrito a mano podría no cumplir las reglas de la base: se cuadran para
    // que lo que se ve sea lo que se contará y reducirá.
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = estado_.Red.Base[m];
        for (int k = 1; k <= NumSignosMax; ++k)
            p.Signo[k] = p.Signo[k] != 0 ? 1 : 0;
        p.RecuentaSignos();
        if (p.NumSignos < 2 || m == NumPartidos)
            p.AReducir = 0;
        p.AReducir = p.AReducir != 0 ? 1 : 0;
        if (!SignoValido(p.SignoProbable) || p.Signo[p.SignoProbable] != 1)
            p.SignoProbable = 0;
    }
    estado_.Red.Descripcion = estado_.Red.Descripcion.left(LongitudDescripcion).trimmed();
    Recalcula();
}

void ClicsReduccion::Recalcula() {
    est_ = CalculaEstadisticas(estado_.Red, tabla_);
}

bool ClicsReduccion::PulsaBase(int partido, int signo) {
    if (!PartidoValido(partido) || !SignoValido(signo))
        return false;
    PartidoBase& p = estado_.Red.Base[partido];
    p.Signo[signo] = p.Signo[signo] == 1 ? 0 : 1;
    p.RecuentaSignos();
    if (p.NumSignos < 2)
        p.AReducir = 0;
    if (p.Signo[signo] == 0 && p.SignoProbable == signo)
        p.SignoProbable = 0;
    Recalcula();
    return true;
}

bool ClicsReduccion::PulsaElegida(int partido) {
    if (!PartidoValido(partido) || partido == NumPartidos)
        return false;
    PartidoBase& p = estado_.Red.Base[partido];
    if (p.NumSignos < 2)
        return false;
    p.AReducir = p.AReducir == 1 ? 0 : 1;
    if (p.AReducir == 0)
        p.SignoProbable = 0;
    Recalcula();
    return true;
}

bool ClicsReduccion::PulsaProbable(int partido, int signo) {
    if (!PartidoValido(partido) || !SignoValido(signo))
        return false;
    PartidoBase& p = estado_.Red.Base[partido];
    if (p.Signo[signo] != 1 || !PartidoElegido(estado_.Red.Base, partido))
        return false;
    p.SignoProbable = static_cast<int16_t>(p.SignoProbable == signo ? 0 : signo);
    Recalcula();
    return true;
}

bool ClicsReduccion::PulsaSignoUED(int signo, int total) {
    if (!SignoValido(signo) || total < 0 || total > MaxTotalSignos || total > est_.MaxSigno[signo])
        return false;
    int16_t& marca = estado_.Red.Totales(signo, total);
    marca = marca == 1 ? 0 : 1;
    Recalcula();
    return true;
}

void ClicsReduccion::SeleccionaTodo() {
    for (int m = 1; m <= NumPartidos; ++m) {
        PartidoBase& p = estado_.Red.Base[m];
        p.Signo = {0, 1, 1, 1};
        p.RecuentaSignos();
        p.AReducir = m < NumPartidos ? 1 : 0;
    }
    Recalcula();
}

void ClicsReduccion::BorraTodo() {
    for (int m = 1; m <= NumPartidos; ++m)
        estado_.Red.Base[m] = PartidoBase{};
    Recalcula();
}

void ClicsReduccion::EligeMinErrores(int valor) {
    estado_.Red.MinErrores = static_cast<int16_t>(std::clamp(valor, 0, NumPartidos - 1));
    Recalcula();
}

void ClicsReduccion::EligeMaxErrores(int valor) {
    estado_.Red.MaxErrores = static_cast<int16_t>(std::clamp(valor, 0, NumPartidos - 1));
    Recalcula();
}

void ClicsReduccion::PideReabrir() {
    estado_.ReabrirReduccion = true;
}

bool ClicsReduccion::EligeMetodo(int metodo) {
    if (metodo < 1 || metodo > NumMetodos || metodo == estado_.Red.Metodo)
        return false;
    estado_.Red.Metodo = static_cast<int16_t>(metodo);
    estado_.Datos.Metodo = estado_.Red.Metodo;
    estado_.MetodoRecordado = estado_.Red.Metodo;
    PideReabrir();
    return true;
}

bool ClicsReduccion::EligeJornada(int jornada) {
    if (jornada < 1 || jornada > estado_.Datos.TotalJornadas ||
        jornada == estado_.Datos.JornadaActual)
        return false;
    estado_.Datos.JornadaActual = static_cast<int16_t>(jornada);
    estado_.Datos.OrdenActual = 1;
    estado_.MetodoRecordado = 0;
    PideReabrir();
    return true;
}

bool ClicsReduccion::EligeOrden(int orden) {
    if (orden < 1 || orden > MaxOrden || orden == estado_.Datos.OrdenActual)
        return false;
    estado_.Datos.OrdenActual = static_cast<int16_t>(orden);
    estado_.MetodoRecordado = 0;
    PideReabrir();
    return true;
}

void ClicsReduccion::ReduccionDelIndice() {
    estado_.MetodoRecordado = 0;
    PideReabrir();
}

void ClicsReduccion::CambiaDescripcion(const QString& texto) {
    estado_.Red.Descripcion = texto.trimmed().left(LongitudDescripcion).trimmed();
}

std::optional<MensajeReduccion> ClicsReduccion::Sal() {
    estado_.ReabrirReduccion = false;
    const int jornada = estado_.Datos.JornadaActual;
    const int orden = estado_.Datos.OrdenActual;
    if (!ExisteEnBases(estado_, jornada, orden))
        return std::nullopt;
    const std::vector<QString> registros = LeeRegistrosBases(estado_);
    const auto numero = static_cast<std::size_t>(estado_.NumeroRegistroReduccion);
    if (numero < 1 || numero > registros.size())
        return std::nullopt;
    // Solo cambia la descripción: lo demás queda como lo dejó la reducción.
    QString registro = registros[numero - 1];
    const QString nueva = ConstruyeRegistroReduccion(jornada, orden, estado_.Red);
    registro.replace(PosDescripcion, LongitudDescripcion,
                     nueva.mid(PosDescripcion, LongitudDescripcion));
    if (registro == registros[numero - 1])
        return std::nullopt;
    const ResultadoFichero resultado = GuardaRegistroBases(estado_, jornada, orden, registro);
    if (resultado.Bien())
        return std::nullopt;
    return MensajeReduccion{
        QStringLiteral("ERROR AL GRABAR LA DESCRIPCIÓN"),
        TextoFalloGuardar(QStringLiteral("No se ha podido grabar la descripción en el índice ") +
                              QString::fromLatin1(NombreFicheroBases),
                          resultado,
                          QStringLiteral(". La reducción sigue guardada con la descripción "
                                         "anterior."))};
}

} // namespace quiniela
