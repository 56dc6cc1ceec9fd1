#pragma once
// El mensaje de correo de una reducción: asunto, cuerpo (datos básicos y columnas) y el
// mensaje MIME entero, listo para el transporte. Texto en UTF-8, cuerpo en quoted-printable
// (ninguna línea pasa de 76 caracteres) y asunto codificado según RFC 2047.

#include <QByteArray>
#include <QDateTime>
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

struct ColumnasCorreo {
    QByteArray Texto;    // una línea por columna, en UTF-8
    bool Existe = false; // sin fichero de columnas el mensaje va sin ellas
    bool Cancelado = false;
    QString Error; // causa de un fallo al leer un fichero que sí existe
};

// Lee el fichero de columnas (19 bytes por línea) y da su texto para el correo. Mira la
// cancelación cada 65.536 columnas.
ColumnasCorreo LeeColumnasCorreo(const QString& ruta, const std::atomic<bool>* cancelar = nullptr);

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

// El mensaje entero: cabeceras, línea vacía y cuerpo (UTF-8) codificado; fines de línea
// CR LF. Las direcciones llegan ya validadas.
QByteArray ComponMensaje(const CabecerasCorreo& cabeceras, const QByteArray& cuerpo);

} // namespace quiniela
