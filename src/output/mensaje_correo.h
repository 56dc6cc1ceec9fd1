#pragma once
// El mensaje de correo de una reducción: asunto, cuerpo (datos básicos y columnas) y el
// mensaje MIME, que se entrega al transporte por trozos leyendo el fichero de columnas sobre
// la marcha. Texto en UTF-8, cuerpo en quoted-printable (ninguna línea pasa de 76
// caracteres) y asunto codificado según RFC 2047.

#include "platform/correo.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

namespace quiniela {

// "Datos de la jornada " + jornada + ". Reducción nro. " + orden ("#0").
QString AsuntoCorreo(int jornada, int orden);

// Las líneas dadas, cada una terminada en CR LF.
QString TextoDeLineas(const std::vector<QString>& lineas);

// "Apuesta nro." + n ("@@@@@") + "  " + los 15 signos + CR LF, en UTF-8.
QByteArray LineaApuestaCorreo(int64_t numero, QByteArrayView signos);

// Bytes de las líneas de las columnas 1..n: cada una, "Apuesta nro." + número ("@@@@@", más
// ancho desde 100.000) + "  " + 15 signos + CR LF. Ninguna necesita escapes en
// quoted-printable, así que es también lo que ocupan en el mensaje.
qint64 BytesColumnasCorreo(int64_t columnas);

// El fichero de columnas abierto para el correo, comprobado al abrirlo con el lector de todas las
// órdenes (PasaColumnas): cuántas columnas tiene y su texto por trozos, desde el principio para
// cada mensaje. Mira la cancelación entre trozos.
class ColumnasCorreo {
public:
    explicit ColumnasCorreo(const QString& ruta, const std::atomic<bool>* cancelar = nullptr);

    bool Existe() const { return existe_; }  // sin fichero, el mensaje va sin columnas
    QString Error() const { return error_; } // por qué no se pudo leer (o está dañado)
    bool Cancelado() const { return cancelado_; }
    int64_t Numero() const { return numero_; }
    qint64 Bytes() const { return BytesColumnasCorreo(numero_); }

    void Rebobina();
    // Añade a `salida` las líneas de hasta `cuantas` columnas más. false al fallar la lectura,
    // con una columna de signos que no son 1, X o 2, o al cancelar; nada más que dar no es un
    // fallo: `salida` no crece.
    bool Siguientes(QByteArray& salida, int cuantas);

private:
    bool SiguientesPorLineas(QByteArray& salida, int64_t n);
    bool AnadeColumna(QByteArray& salida, char* signos);

    QString ruta_;
    QFile fichero_;
    const std::atomic<bool>* cancelar_;
    bool existe_ = false;
    bool cancelado_ = false;
    QString error_;
    int64_t numero_ = 0;
    int64_t leidas_ = 0;
    bool porRegistros_ = true;
    QByteArray trozo_;
};

struct CabecerasCorreo {
    QString Remitente;
    QString Destinatario;
    QString Asunto;
    QDateTime Fecha;
    QString IdMensaje; // sin ángulos: "parte@dominio"
};

// Identificador único para Message-ID, con el dominio del remitente.
QString NuevoIdMensaje(const QString& remitente);

// Fecha en la forma de RFC 5322: "Mon, 07 Dec 2026 03:10:00 +0100".
QByteArray FechaCorreo(const QDateTime& fecha);

// Texto en quoted-printable; las líneas CR LF del texto siguen siéndolo, las largas se
// parten con saltos suaves.
QByteArray CodificaQuotedPrintable(const QByteArray& utf8);

// Valor de una cabecera con palabras codificadas (RFC 2047, UTF-8, forma Q) si hace falta;
// largas, se pliegan en varias líneas.
QByteArray CodificaCabecera(const QString& texto, int yaOcupado);

// Las cabeceras y la línea vacía que las cierra; fines de línea CR LF. Las direcciones
// llegan ya validadas.
QByteArray CabecerasMensaje(const CabecerasCorreo& cabeceras);

// El mensaje de un destinatario: cabeceras, datos básicos (UTF-8, líneas CR LF) y columnas,
// en quoted-printable. Su tamaño se sabe antes de leer nada; las columnas (si las hay) se
// leen al enviar, en trozos de pocos cientos de kilobytes.
class MensajeCorreo final : public FuenteMensaje {
public:
    MensajeCorreo(const CabecerasCorreo& cabeceras, const QByteArray& basicos,
                  ColumnasCorreo* columnas);
    qint64 Tamano() const override { return tamano_; }
    qint64 Lee(char* destino, qint64 maximo) override;

private:
    bool Rellena();

    QByteArray cabeceras_;
    QByteArray basicos_; // ya codificados
    ColumnasCorreo* columnas_;
    qint64 tamano_ = 0;
    int parte_ = 0; // 0 cabeceras, 1 datos básicos, 2 columnas, 3 fin
    QByteArray trozo_;
    qsizetype usado_ = 0;
};

} // namespace quiniela
