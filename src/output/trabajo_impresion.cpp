#include "output/trabajo_impresion.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "output/fichero_boletos.h"
#include "platform/impresora.h"

#include <QLocale>

#include <cstring>

namespace quiniela {

namespace {

constexpr char Blancos[NumPartidos + 1] = "               ";

MensajeImpresion MensajeFallo(const QString& queFichero, const QString& causa) {
    return {QStringLiteral("ERROR AL IMPRIMIR"), QStringLiteral("No se ha podido ") + queFichero +
                                                     QStringLiteral(": ") + causa +
                                                     QStringLiteral(". No se ha impreso nada.")};
}

bool SinFicheroColumnas(EstadoGlobal& estado, ResultadoImpresion& r) {
    const bool falta = estado.UltimoErrorFichero == ErrorFichero::NoExiste;
    r.Fin = falta ? FinImpresion::SinColumnas : FinImpresion::Fallida;
    r.Mensaje =
        falta
            ? MensajeImpresion{QStringLiteral("FALTA EL FICHERO DE COLUMNAS"),
                               QStringLiteral("La reducción de ") + JornadaYOrden(estado) +
                                   QStringLiteral(" no tiene su fichero de columnas ") +
                                   estado.FicheroApuestas +
                                   QStringLiteral(". No se ha impreso nada.")}
            : MensajeFallo(QStringLiteral("leer el fichero de columnas ") + estado.FicheroApuestas,
                           QStringLiteral("error ") + QString::number(estado.UltimoErrorFichero));
    return false;
}

} // namespace

QString JornadaYOrden(const EstadoGlobal& estado) {
    return QStringLiteral("la jornada ") + QString::number(estado.Datos.JornadaActual) +
           QStringLiteral(" con el orden ") + QString::number(estado.Datos.OrdenActual);
}

std::optional<MensajeImpresion> CompruebaReduccionGuardada(const EstadoGlobal& estado) {
    if (estado.NumeroRegistroReduccion > 0)
        return std::nullopt;
    return MensajeImpresion{QStringLiteral("NO HAY REDUCCIÓN"),
                            QStringLiteral("No hay ninguna reducción guardada de ") +
                                JornadaYOrden(estado) +
                                QStringLiteral(". Elija otra jornada u otro orden: no se ha "
                                               "impreso nada.")};
}

namespace {

// "el boleto 2 (partido 15: 1)"; sin el signo si no se sabe o no hace falta.
QString DondeBoleto(const BoletoUnaColumna& b, bool conSigno = true) {
    QString t = QStringLiteral("el boleto ") + QString::number(b.Boleto);
    if (conSigno && !b.Signo15.isNull())
        t += QStringLiteral(" (partido 15: ") + b.Signo15 + u')';
    return t;
}

} // namespace

std::optional<MensajeImpresion> AvisoUltimoBoleto(const Reduccion& red) {
    const std::vector<BoletoUnaColumna> boletos =
        BoletosDeUnaColumna(red.Base, red.ApuestasReducidas);
    if (boletos.empty())
        return std::nullopt;
    const QString titulo = QStringLiteral("ÚLTIMO BOLETO INCOMPLETO");
    if (boletos.size() == 1 && GruposPartido15(red.Base) == 1)
        return MensajeImpresion{
            titulo, QStringLiteral("Con esta reducción,  el último boleto (") +
                        DondeBoleto(boletos[0], false) +
                        QStringLiteral(
                            ") sólo contiene una columna. "
                            "Como  cada  boleto  debe  tener  dos  columnas  como  mínimo,  "
                            "deberá  rellenar  manualmente  la  segunda  columna del último "
                            "boleto  y,  por  lo  tanto,  aumentará  en  una  el  número  total  "
                            "de columnas de la reducción.")};
    // Con varios grupos del partido 15, una línea por boleto de una columna.
    const QString n = QString::number(boletos.size());
    QString texto = boletos.size() == 1
                        ? QStringLiteral("Con esta reducción,  un boleto sólo contiene una "
                                         "columna, el último de su grupo del partido 15:")
                        : QStringLiteral("Con esta reducción,  ") + n +
                              QStringLiteral(" boletos sólo contienen una columna, el último de "
                                             "cada uno de esos grupos del partido 15:");
    for (const BoletoUnaColumna& b : boletos)
        texto += FinLinea + QStringLiteral("    ") + DondeBoleto(b);
    texto +=
        FinLinea + QStringLiteral("Como  cada  boleto  debe  tener  dos  columnas  como  mínimo,  "
                                  "deberá  rellenar  manualmente  la  segunda  columna de ");
    texto += boletos.size() == 1
                 ? QStringLiteral("ese boleto  y,  por  lo  tanto,  aumentará  "
                                  "en  una")
                 : QStringLiteral("cada uno  y,  por  lo  tanto,  aumentará  en  ") + n;
    texto += QStringLiteral("  el  número  total  de columnas de la reducción.");
    return MensajeImpresion{titulo, texto};
}

QString TextoImprimiendoBoleto(int64_t numero) {
    return QStringLiteral("Imprimiendo el boleto nro. ") +
           FormatoNumero(double(numero), u"#######", QLocale::c());
}

QString TextoImprimiendoCopia(int copia, int copias) {
    return QStringLiteral("Imprimiendo la copia nro. ") +
           FormatoNumero(copia, u"###", QLocale::c()) + QStringLiteral(" de ") +
           FormatoNumero(copias, u"###", QLocale::c());
}

QString TextoImpresionCancelada() {
    return QStringLiteral("Se ha cancelado la impresión");
}

QString NombreDocumentoImpresion(const QString& que, int jornada, int orden) {
    return que + QStringLiteral(" jornada ") + DosCifras(jornada) + QStringLiteral(" orden ") +
           DosCifras(orden);
}

int64_t ByteDeBoleto(int64_t boleto) {
    return int64_t(BytesRegistroBoleto) * (ColumnasPorBoleto * boleto - ColumnasPorBoleto);
}

bool HayReduccionGuardada(const EstadoGlobal& estado, ResultadoImpresion& r) {
    r.Mensaje = CompruebaReduccionGuardada(estado);
    if (r.Mensaje)
        r.Fin = FinImpresion::SinReduccion;
    return !r.Mensaje;
}

bool LectorBoletos::Abre(EstadoGlobal& estado, const RangoBoletos& rango,
                         const std::atomic<bool>* cancelar, ResultadoImpresion& r) {
    if (!HayReduccionGuardada(estado, r))
        return false;
    estado.ActualizaFicheroApuestas();
    const QString nombre = estado.FicheroApuestas;
    const std::unique_ptr<QFile> columnas = AbreFicheroApuestas(estado);
    if (!columnas)
        return SinFicheroColumnas(estado, r);
    const ResultadoFicheroBoletos boletos = CreaFicheroBoletos(estado, *columnas, nombre, cancelar);
    if (boletos.Cancelado) {
        r.Fin = FinImpresion::Cancelada;
        return false;
    }
    if (boletos.Error != 0) {
        r.Fin = FinImpresion::Fallida;
        r.Mensaje = MensajeFallo((boletos.Fichero == nombre
                                      ? QStringLiteral("leer el fichero de columnas ")
                                      : QStringLiteral("escribir el fichero de boletos ")) +
                                     boletos.Fichero,
                                 boletos.Causa);
        return false;
    }
    // Lo que acaba de escribir, abierto desde antes de ponerlo en su sitio: otra copia que
    // rehaga el fichero mientras se imprime no cambia estos boletos.
    fichero_ = boletos.Lectura;
    if (!fichero_->seek(ByteDeBoleto(rango.Inicial))) {
        r.Fin = FinImpresion::Fallida;
        r.Mensaje = MensajeFallo(QStringLiteral("leer el fichero de boletos ") +
                                     QString::fromLatin1(NombreFicheroBoletos),
                                 fichero_->errorString());
        return false;
    }
    registro_ = ColumnasPorBoleto * rango.Inicial - (ColumnasPorBoleto - 1);
    ultimo_ = ColumnasPorBoleto * rango.Final;
    return true;
}

bool LectorBoletos::QuedanRegistros() {
    return !danado_ && registro_ <= ultimo_ && !fichero_->atEnd();
}

std::string_view LectorBoletos::Siguiente() {
    const bool dentro = registro_++ <= ultimo_;
    if (danado_ || !dentro || fichero_->atEnd())
        return {Blancos, NumPartidos};
    if (fichero_->read(bufer_, BytesRegistroBoleto) != BytesRegistroBoleto || bufer_[0] != '"' ||
        bufer_[NumPartidos + 1] != '"') {
        danado_ = true;
        return {Blancos, NumPartidos};
    }
    return {bufer_ + 1, NumPartidos};
}

MatrizMarcas LectorBoletos::SiguienteBoleto() {
    // Las vistas apuntan al búfer de un registro: se copian antes de leer el siguiente.
    std::array<std::array<char, NumPartidos>, ColumnasPorBoleto> columnas{};
    std::array<std::string_view, ColumnasPorBoleto> vistas;
    for (int j = 0; j < ColumnasPorBoleto; ++j) {
        const std::string_view leida = Siguiente();
        std::memcpy(columnas[j].data(), leida.data(), NumPartidos);
        vistas[j] = std::string_view(columnas[j].data(), NumPartidos);
    }
    return MatrizDeBoleto(vistas);
}

bool TerminaDocumento(Impresora& impresora, ResultadoImpresion& r) {
    if (impresora.FinDocumento())
        return true;
    if (r.Fin == FinImpresion::Fallida)
        return false; // el primer fallo es el que se cuenta
    r.Fin = FinImpresion::Fallida;
    r.Mensaje = MensajeImpresion{QStringLiteral("ERROR DE IMPRESIÓN"), impresora.Error()};
    return false;
}

void MarcaBoletosDanados(ResultadoImpresion& r) {
    r.Fin = FinImpresion::Fallida;
    r.Mensaje = MensajeImpresion{QStringLiteral("ERROR AL IMPRIMIR"),
                                 QStringLiteral("El fichero de boletos ") +
                                     QString::fromLatin1(NombreFicheroBoletos) +
                                     QStringLiteral(" ha cambiado durante la impresión y se ha "
                                                    "detenido en el boleto que lo leía.")};
}

void Avisa(const AvisosImpresion& avisos, const QString& texto) {
    if (avisos.AlImprimir)
        avisos.AlImprimir(texto);
}

} // namespace quiniela
