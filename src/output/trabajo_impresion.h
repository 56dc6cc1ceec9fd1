#pragma once
// Lo común a las impresiones de la reducción actual: resultado, avisos a quien imprime
// (pantalla u orden), mensajes, y la lectura del fichero de boletos desde un boleto.

#include "core/tipos.h"
#include "output/edicion_listados.h"
#include "output/marcas_boleto.h"

#include <QFile>

#include <QString>
#include <memory>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace quiniela {

struct EstadoGlobal;
class Impresora;

struct MensajeImpresion {
    QString Titulo;
    QString Texto;
};

enum class FinImpresion {
    Terminada,
    Cancelada,    // "Cancelar el proceso": lo impreso hasta entonces queda
    SinReduccion, // no hay reducción guardada de esa jornada y orden: nada impreso
    SinColumnas,  // la reducción no tiene fichero de columnas: nada impreso
    Fallida       // no se pudo leer o imprimir: Mensaje dice qué y por qué
};

struct ResultadoImpresion {
    FinImpresion Fin = FinImpresion::Terminada;
    std::optional<MensajeImpresion> Mensaje; // todo fin que no sea Terminada ni Cancelada
    int64_t Impresos = 0;                    // boletos, bloques o copias impresos
};

// Lo que quien imprime quiere saber mientras tanto.
struct AvisosImpresion {
    // "Imprimiendo el boleto nro. …" o "Imprimiendo la copia nro. … de …".
    std::function<void(const QString& texto)> AlImprimir;
    // "ÚLTIMO BOLETO INCOMPLETO", antes del primer boleto; la impresión sigue después.
    std::function<void(const MensajeImpresion& mensaje)> AlAvisar;
    // "Cancelar el proceso" (o Ctrl-C): se mira tras cada boleto, bloque o copia.
    const std::atomic<bool>* CancelarProceso = nullptr;
};

// "la jornada J con el orden O" de la reducción actual.
QString JornadaYOrden(const EstadoGlobal& estado);

// Mensaje de "no hay reducción" si la reducción actual no está en el índice (el estado
// viene de LeeFicheroBases). nullopt si la hay.
std::optional<MensajeImpresion> CompruebaReduccionGuardada(const EstadoGlobal& estado);
// Lo mismo sobre un resultado: false (y SinReduccion con su mensaje) si no la hay.
bool HayReduccionGuardada(const EstadoGlobal& estado, ResultadoImpresion& r);

// El aviso de la última columna sola: cuando el último boleto de la reducción tiene una
// sola columna (con varios signos en el partido 15, el de cada grupo).
std::optional<MensajeImpresion> AvisoUltimoBoleto(const Reduccion& red);

QString TextoImprimiendoBoleto(int64_t numero);       // "#######"
QString TextoImprimiendoCopia(int copia, int copias); // "###" de "###"
QString TextoImpresionCancelada();

// Título del documento (y nombre del PDF cuando no hay impresora): "Boletos jornada 07
// orden 03".
QString NombreDocumentoImpresion(const QString& que, int jornada, int orden);

// Byte (desde 0) del fichero de boletos donde empieza el boleto dado.
int64_t ByteDeBoleto(int64_t boleto);

// Lee el fichero de boletos, rehecho desde el fichero de columnas de la reducción actual,
// a partir del primer registro de un boleto y hasta el último registro de otro.
class LectorBoletos {
public:
    // false si no se pudo: el resultado dice por qué (sin reducción, sin columnas, fallo,
    // cancelado).
    bool Abre(EstadoGlobal& estado, const RangoBoletos& rango, const std::atomic<bool>* cancelar,
              ResultadoImpresion& r);
    // ¿Quedan registros del rango?
    bool QuedanRegistros();
    // Número (desde 1) del próximo registro.
    int64_t Registro() const { return registro_; }
    // El siguiente registro, o 15 blancos si el fichero o el rango se acabaron. Un registro
    // que no tiene la forma de 19 bytes deja Danado().
    std::string_view Siguiente();
    // Boleto de ocho registros ya convertido en marcas.
    MatrizMarcas SiguienteBoleto();
    bool Danado() const { return danado_; }

private:
    std::shared_ptr<QFile> fichero_;
    int64_t registro_ = 1;
    int64_t ultimo_ = 0;
    bool danado_ = false;
    char bufer_[20] = {};
};

// Termina el documento; si falla deja el resultado como Fallida con el motivo (salvo que
// ya hubiera fallado antes por otra cosa).
bool TerminaDocumento(Impresora& impresora, ResultadoImpresion& r);

// Fallida, con el mensaje de un fichero de boletos dañado durante la lectura.
void MarcaBoletosDanados(ResultadoImpresion& r);

// ¿Se ha pedido cancelar?
inline bool Cancelado(const AvisosImpresion& avisos) {
    return avisos.CancelarProceso != nullptr &&
           avisos.CancelarProceso->load(std::memory_order_relaxed);
}

void Avisa(const AvisosImpresion& avisos, const QString& texto);

} // namespace quiniela
