#include "consult/historial.h"

#include "core/codificacion.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/plataforma.h"
#include "reduction/fichero_bases.h"

#include <map>

namespace quiniela {

namespace {

constexpr int AnchoMetodo = 19;
constexpr int AnchoDescripcion = 21;
constexpr int AnchoApuestas = 8;
constexpr int XMinimaLineas = 15; // la franja de las líneas es 15 < x < ancho - 6
constexpr int MargenDerechoLineas = 6;
constexpr int SonidoPagina = 10;
constexpr int PausaPagina = 50;

// Valor numérico de un campo de texto: blancos delante y luego cifras; se detiene en el
// primer carácter que no es cifra (un campo sin cifras vale 0).
int ValorCampo(QStringView campo) {
    qsizetype i = 0;
    while (i < campo.size() && campo[i] == u' ')
        ++i;
    int valor = 0;
    for (; i < campo.size() && valor < 100'000'000; ++i) {
        const char16_t c = campo[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        valor = valor * 10 + (c - u'0');
    }
    return valor;
}

// Método de la posición 5 del registro del índice (0 si no es una cifra).
int MetodoDeRegistro(const QString& registro) {
    return ValorCampo(QStringView(registro).mid(4, 1));
}

} // namespace

const QString& CabeceraHistorial1() {
    static const QString cabecera = QString(62, u' ') + QStringLiteral("Apuestas   Apuestas");
    return cabecera;
}

const QString& CabeceraHistorial2() {
    static const QString cabecera =
        QStringLiteral("Jor  Fecha   Ord  Método de reducción      Descripción        "
                       "Directas   Reducidas");
    return cabecera;
}

QString LineaHistorial(const QString& registroReduccion, const QString& registroJornada) {
    const QString registro = AnchoFijo(registroReduccion, LongitudRegistroReduccion);
    const QStringView r(registro);
    const int jornada = ValorCampo(r.mid(0, 2));
    const int orden = ValorCampo(r.mid(2, 2));
    const int metodo = MetodoDeRegistro(registro);
    Reduccion red;
    LeeRegistroReduccion(registro, red);

    const QString fecha = RegistroJornadaValido(registroJornada, jornada)
                              ? Imprimible(FechaDeRegistro(registroJornada))
                              : QString(LongitudFechaJornada, u' ');
    const QString nombreMetodo =
        metodo >= 1 && metodo <= NumMetodos ? NombresMetodoCortos()[metodo] : QString();

    QString linea;
    linea.reserve(AnchoLineaHistorial);
    linea += u' ';
    linea += ADerecha(jornada, 2);
    linea += u' ';
    linea += ADerecha(fecha, LongitudFechaJornada);
    linea += QStringLiteral("  ");
    linea += ADerecha(orden, 2);
    linea += QStringLiteral("  ");
    linea += AnchoFijo(nombreMetodo, AnchoMetodo);
    linea += QStringLiteral("  ");
    // La descripción se guarda alineada a la derecha en 35: se muestra su texto.
    linea += AnchoFijo(red.Descripcion, AnchoDescripcion);
    linea += QStringLiteral("   ");
    linea += ADerecha(red.ApuestasBase, AnchoApuestas);
    linea += QStringLiteral("    ");
    linea += ADerecha(red.ApuestasReducidas, AnchoApuestas);
    Q_ASSERT(linea.size() == AnchoLineaHistorial);
    return linea;
}

int JornadaDeLinea(const QString& linea) {
    return ValorCampo(QStringView(linea).mid(1, 2));
}

int OrdenDeLinea(const QString& linea) {
    return ValorCampo(QStringView(linea).mid(14, 2));
}

void Historial::Abre() {
    estado_.ReduccionElegida = false;
    lineas_.clear();
    actual_ = -1;
    bajoPuntero_ = NingunaLinea;
    puntero_ = PunteroHistorial::Normal;

    // Varias reducciones comparten jornada: su registro se lee una sola vez.
    std::map<int, QString> jornadas;
    for (const ReduccionIndice& leida : LeeReduccionesBases(estado_)) {
        const QString& registro = leida.Registro;
        const int jornada = ValorCampo(QStringView(registro).mid(0, 2));
        const int orden = ValorCampo(QStringView(registro).mid(2, 2));
        auto it = jornadas.find(jornada);
        if (it == jornadas.end())
            it = jornadas
                     .emplace(jornada, jornada >= 1 ? LeeRegistroJornada(estado_, jornada)
                                                    : RegistroJornadaVacio())
                     .first;
        lineas_ << LineaHistorial(registro, it->second);
        if (jornada == estado_.Datos.JornadaActual && orden == estado_.Datos.OrdenActual)
            actual_ = static_cast<int>(lineas_.size()) - 1;
    }
    primera_ = actual_ >= 0 ? LineasPorPagina * (actual_ / LineasPorPagina) : 0;
}

int Historial::TotalPaginas() const {
    const int n = static_cast<int>(lineas_.size());
    return n == 0 ? 1 : (n + LineasPorPagina - 1) / LineasPorPagina;
}

int Historial::HallaCualLinea(int y) {
    bajoPuntero_ = NingunaLinea;
    if (y < YPrimeraLinea || y > YMaximaLinea)
        return bajoPuntero_;
    const int desde = y - YPrimeraLinea;
    const int resto = desde % AltoLineaHistorial;
    // Los píxeles entre dos líneas no pertenecen a ninguna.
    if (resto < 3 || resto > 14)
        return bajoPuntero_;
    const int linea = desde / AltoLineaHistorial;
    if (primera_ + linea < lineas_.size())
        bajoPuntero_ = linea;
    return bajoPuntero_;
}

bool Historial::PuedeAvanzar() const {
    return primera_ + LineasPorPagina < lineas_.size();
}

bool Historial::PuedeRetroceder() const {
    return primera_ - LineasPorPagina >= 0;
}

bool Historial::AvanzaPagina() {
    if (!PuedeAvanzar())
        return false;
    TocaSonido(estado_, SonidoPagina);
    Espera(PausaPagina);
    primera_ += LineasPorPagina;
    bajoPuntero_ = NingunaLinea;
    return true;
}

bool Historial::RetrocedePagina() {
    if (!PuedeRetroceder())
        return false;
    TocaSonido(estado_, SonidoPagina);
    Espera(PausaPagina);
    primera_ -= LineasPorPagina;
    bajoPuntero_ = NingunaLinea;
    return true;
}

bool Historial::EligeLinea(int linea) {
    if (linea < 0 || linea >= LineasPorPagina || primera_ + linea >= lineas_.size())
        return false;
    const QString& texto = lineas_.at(primera_ + linea);
    estado_.Datos.JornadaActual = static_cast<int16_t>(JornadaDeLinea(texto));
    estado_.Datos.OrdenActual = static_cast<int16_t>(OrdenDeLinea(texto));
    estado_.ReduccionElegida = true;
    return true;
}

bool Historial::EnEsquinaDerecha(int x, int y, int ancho, int alto) const {
    return x >= ancho - AnchoEsquina && x <= ancho && y >= alto - AltoEsquina && y <= alto;
}

bool Historial::EnEsquinaIzquierda(int x, int y, int alto) const {
    return x >= 0 && x <= AnchoEsquina && y >= alto - AltoEsquina && y <= alto;
}

bool Historial::EnFranjaLineas(int x, int ancho) const {
    return x > XMinimaLineas && x < ancho - MargenDerechoLineas;
}

Historial::Pulsacion Historial::Pulsa(int x, int y, int ancho, int alto) {
    if (EnEsquinaDerecha(x, y, ancho, alto) && PuedeAvanzar()) {
        AvanzaPagina();
        return Pulsacion::Avanza;
    }
    if (EnEsquinaIzquierda(x, y, alto) && PuedeRetroceder()) {
        RetrocedePagina();
        return Pulsacion::Retrocede;
    }
    if (EnFranjaLineas(x, ancho) && EligeLinea(HallaCualLinea(y)))
        return Pulsacion::Elige;
    return Pulsacion::Nada;
}

bool Historial::CambiaPuntero(PunteroHistorial nuevo) {
    if (nuevo == puntero_)
        return false;
    puntero_ = nuevo;
    return true;
}

bool Historial::MuevePuntero(int x, int y, int ancho, int alto) {
    const auto esquina = [](bool puede) {
        return puede ? PunteroHistorial::Mano : PunteroHistorial::Prohibido;
    };
    if (EnEsquinaDerecha(x, y, ancho, alto)) {
        bajoPuntero_ = NingunaLinea;
        return CambiaPuntero(esquina(PuedeAvanzar()));
    }
    if (EnEsquinaIzquierda(x, y, alto)) {
        bajoPuntero_ = NingunaLinea;
        return CambiaPuntero(esquina(PuedeRetroceder()));
    }
    if (EnFranjaLineas(x, ancho) && HallaCualLinea(y) != NingunaLinea)
        return CambiaPuntero(PunteroHistorial::Mano);
    bajoPuntero_ = NingunaLinea;
    return CambiaPuntero(PunteroHistorial::Normal);
}

bool Historial::SalePuntero() {
    bajoPuntero_ = NingunaLinea;
    return CambiaPuntero(PunteroHistorial::Normal);
}

} // namespace quiniela
