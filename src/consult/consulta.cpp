#include "consult/consulta.h"

#include "core/codificacion.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "output/fichero_boletos.h"
#include "platform/plataforma.h"
#include "reduction/fichero_bases.h"

#include <QBuffer>
#include <QFile>

namespace quiniela {

namespace {

constexpr int LadoBotonNavegacion = 24;
constexpr std::array<int, 4> XBotonesNavegacion{1, 30, 59, 88};

// Los signos de un registro del fichero de trabajo: comillas, 15 caracteres, comillas.
QString SignosDeRegistro(const QByteArray& bytes, qsizetype inicio) {
    if (inicio + BytesRegistroBoleto > bytes.size())
        return QString(NumPartidos, u' ');
    return DeWindows1252(bytes.mid(inicio + 1, NumPartidos));
}

QString TituloBoleto(int64_t boleto) {
    return QStringLiteral("Boleto ") + FormatoNumero(double(boleto), u"######", QLocale::c());
}

} // namespace

BotonNavegacion BotonNavegacionEn(int x, int y) {
    if (y < 1 || y > LadoBotonNavegacion)
        return BotonNavegacion::Ninguno;
    for (std::size_t i = 0; i < XBotonesNavegacion.size(); ++i)
        if (x >= XBotonesNavegacion[i] && x < XBotonesNavegacion[i] + LadoBotonNavegacion)
            return BotonNavegacion(int(i) + 1);
    return BotonNavegacion::Ninguno;
}

QString TooltipNavegacion(BotonNavegacion boton) {
    switch (boton) {
    case BotonNavegacion::Principio:
        return QStringLiteral(" Ir al principio ");
    case BotonNavegacion::Retroceder:
        return QStringLiteral(" Retroceder tres boletos ");
    case BotonNavegacion::Avanzar:
        return QStringLiteral(" Avanzar tres boletos ");
    case BotonNavegacion::Final:
        return QStringLiteral(" Ir al final ");
    case BotonNavegacion::Ninguno:
        break;
    }
    return QString();
}

bool NavegacionActiva(BotonNavegacion boton, int64_t primeraColumna, int64_t registros) {
    switch (boton) {
    case BotonNavegacion::Principio:
    case BotonNavegacion::Retroceder:
        return primeraColumna != 1;
    case BotonNavegacion::Avanzar:
    case BotonNavegacion::Final:
        return primeraColumna + RegistrosPorBloque <= registros;
    case BotonNavegacion::Ninguno:
        break;
    }
    return false;
}

int64_t DestinoNavegacion(BotonNavegacion boton, int64_t primeraColumna, int64_t registros) {
    switch (boton) {
    case BotonNavegacion::Principio:
        return 1;
    case BotonNavegacion::Retroceder:
        return std::max<int64_t>(1, primeraColumna - RegistrosPorBloque);
    case BotonNavegacion::Avanzar:
        return primeraColumna + RegistrosPorBloque;
    case BotonNavegacion::Final:
        return registros < 1 ? 1 : (registros - 1) / RegistrosPorBloque * RegistrosPorBloque + 1;
    case BotonNavegacion::Ninguno:
        break;
    }
    return primeraColumna;
}

int64_t PrimeraColumnaDeBoleto(int64_t boleto) {
    return (boleto - 1) / BoletosPorBloque * RegistrosPorBloque + 1;
}

int64_t PrimerBoletoDeBloque(int64_t primeraColumna) {
    return (primeraColumna + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
}

QString BloqueBoletos::Grupo(int partido, int boleto) const {
    return Filas.at(std::size_t(partido - 1)).mid(boleto * ColumnasPorBoleto, ColumnasPorBoleto);
}

QString BloqueBoletos::Linea(int partido, const QString& separador) const {
    return Grupo(partido, 0) + separador + Grupo(partido, 1) + separador + Grupo(partido, 2);
}

bool LeeBloqueBoletos(QIODevice& boletos, int64_t primeraColumna, BloqueBoletos& bloque) {
    bloque = BloqueBoletos{};
    bloque.PrimeraColumna = primeraColumna;
    const qint64 inicio = (primeraColumna - 1) * BytesRegistroBoleto;
    QByteArray bytes;
    if (inicio < boletos.size()) {
        if (!boletos.seek(inicio))
            return false;
        bytes = boletos.read(qint64(RegistrosPorBloque) * BytesRegistroBoleto);
        if (bytes.isEmpty()) // había registros desde ahí y no se han podido leer
            return false;
    }
    for (int c = 0; c < RegistrosPorBloque; ++c) {
        const QString signos = SignosDeRegistro(bytes, qsizetype(c) * BytesRegistroBoleto);
        for (int j = 0; j < NumPartidos; ++j)
            bloque.Filas[std::size_t(j)] += signos.at(j);
    }
    const int64_t primerBoleto = PrimerBoletoDeBloque(primeraColumna);
    for (int b = 0; b < BoletosPorBloque; ++b)
        if (bloque.Filas[0].at(b * ColumnasPorBoleto) != u' ')
            bloque.Titulos[std::size_t(b)] = TituloBoleto(primerBoleto + b);
    return true;
}

QString TextoTotalBoletos(int64_t boletos, int64_t apuestasReducidas, const QLocale& regional) {
    return FormatoNumero(double(boletos), u"###,###", regional) +
           (apuestasReducidas < 9 ? QStringLiteral(" Boleto") : QStringLiteral(" Boletos"));
}

QString TituloConsulta(int metodo) {
    const int m = metodo >= 1 && metodo <= NumMetodos ? metodo : MetodoDirecto;
    return QStringLiteral("Consulta de columnas reducidas con el ") +
           NombresMetodo()[std::size_t(m)].trimmed();
}

int AnchoConsultaTwips(int metodo) {
    return metodo == MetodoDirecto ? 9100 : 9550;
}

Consulta::Consulta(EstadoGlobal& estado) : estado_(estado) {
    MuestraColumnas(1);
}

Consulta::~Consulta() = default;

void Consulta::CierraBoletos() {
    ficheroBoletos_.reset();
    registros_ = 0;
    boletos_ = 0;
    hayBoletos_ = false;
    textoFallo_.clear();
}

bool Consulta::CargaConsulta() {
    LeeFicheroJornadas(estado_);
    LeeFicheroBases(estado_);
    CierraBoletos();
    estado_.ActualizaFicheroApuestas();
    hayBoletos_ = PreparaBoletos();
    return MuestraColumnas(1) && hayBoletos_;
}

// Rehace FORBOLW.ZPK desde el fichero de columnas y lo deja abierto para leer.
bool Consulta::PreparaBoletos() {
    const auto columnas = AbreFicheroApuestas(estado_);
    if (!columnas)
        return false;
    boletos_ = CalculaBoletos(estado_.Red.Base, estado_.Red.ApuestasReducidas);
    const ResultadoFicheroBoletos r =
        CreaFicheroBoletos(estado_, *columnas, estado_.FicheroApuestas);
    if (r.Error != 0) {
        textoFallo_ = QStringLiteral("No se pueden preparar los boletos con ") + r.Fichero +
                      QStringLiteral(": ") + r.Causa + QStringLiteral(" (error ") +
                      QString::number(r.Error) + QStringLiteral(").");
        AvisaSistema(textoFallo_);
        return false;
    }
    registros_ = r.Recuento.RegistrosBoletos;
    // Lo que acaba de escribir, abierto desde antes de ponerlo en su sitio: otra copia que
    // rehaga el fichero mientras se consulta no cambia estos boletos.
    ficheroBoletos_ = r.Lectura;
    return true;
}

bool Consulta::MuestraColumnas(int64_t primera) {
    if (!ficheroBoletos_) {
        // Sin fichero, el bloque vacío: 24 huecos y ningún título.
        QByteArray nada;
        QBuffer vacio(&nada);
        vacio.open(QIODevice::ReadOnly);
        LeeBloqueBoletos(vacio, primera, bloque_);
        return false;
    }
    if (LeeBloqueBoletos(*ficheroBoletos_, primera, bloque_))
        return true;
    textoFallo_ = QStringLiteral("No se puede leer ") + QString::fromLatin1(NombreFicheroBoletos) +
                  QStringLiteral(": ") + ficheroBoletos_->errorString();
    AvisaSistema(textoFallo_);
    return false;
}

bool Consulta::EligeJornada(int jornada) {
    if (jornada == estado_.Datos.JornadaActual && !estado_.ModoEdicion)
        return false;
    estado_.Datos.JornadaActual = static_cast<int16_t>(jornada);
    if (!estado_.ModoEdicion)
        estado_.Datos.OrdenActual = 1;
    CargaConsulta();
    return true;
}

bool Consulta::EligeOrden(int orden) {
    if (orden == estado_.Datos.OrdenActual && !estado_.ModoEdicion)
        return false;
    estado_.Datos.OrdenActual = static_cast<int16_t>(orden);
    CargaConsulta();
    return true;
}

QString Consulta::TextoBoletos(const QLocale& regional) const {
    if (!hayBoletos_)
        return QString();
    return TextoTotalBoletos(boletos_, estado_.Red.ApuestasReducidas, regional);
}

bool Consulta::Activo(BotonNavegacion boton) const {
    return NavegacionActiva(boton, bloque_.PrimeraColumna, registros_);
}

bool Consulta::Pulsa(BotonNavegacion boton) {
    if (!Activo(boton))
        return false;
    return MuestraColumnas(DestinoNavegacion(boton, bloque_.PrimeraColumna, registros_));
}

bool Consulta::IrABoleto(int64_t boleto) {
    const int64_t boletosFichero = (registros_ + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
    if (!hayBoletos_ || boleto < 1 || boleto > boletosFichero)
        return false;
    return MuestraColumnas(PrimeraColumnaDeBoleto(boleto));
}

} // namespace quiniela
