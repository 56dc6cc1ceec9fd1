#include "output/mensaje_correo.h"

#include "output/fichero_boletos.h"

#include "core/mascaras.h"
#include "core/tipos.h"
#include "reduction/desarrollo.h"

#include <QLocale>
#include <QUuid>

#include <algorithm>
#include <cstring>

namespace quiniela {

namespace {

constexpr int LargoLineaCodificada = 76;
constexpr int LargoPalabraCodificada = 75;
constexpr int LargoCabecera = 78;
// Columnas por lectura del fichero: unos 2,5 MB de texto, que no pesan y leen deprisa.
constexpr int ColumnasPorTrozo = 65536;

const char* const Hexadecimal = "0123456789ABCDEF";

void AnadeEscape(QByteArray& salida, unsigned char c) {
    salida += '=';
    salida += Hexadecimal[c >> 4];
    salida += Hexadecimal[c & 0x0f];
}

// Una línea del texto (sin su CR LF) en quoted-printable, partida con saltos suaves.
void CodificaLineaQp(QByteArrayView linea, QByteArray& salida) {
    int ocupado = 0;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const auto c = static_cast<unsigned char>(linea[i]);
        const bool ultimo = i + 1 == linea.size();
        // El blanco final se perdería por el camino: se escribe codificado.
        const bool literal =
            (c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !ultimo);
        const int ancho = literal ? 1 : 3;
        // Queda sitio para el "=" del salto suave, salvo en lo último de la línea.
        if (ocupado + ancho > LargoLineaCodificada - (ultimo ? 0 : 1)) {
            salida += "=\r\n";
            ocupado = 0;
        }
        if (literal)
            salida += char(c);
        else
            AnadeEscape(salida, c);
        ocupado += ancho;
    }
}

bool LiteralEnQ(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!' ||
           c == '*' || c == '+' || c == '-' || c == '/';
}

// Bytes de un carácter UTF-8 que empieza en el byte dado.
int LargoCaracterUtf8(unsigned char c) {
    if (c >= 0xf0)
        return 4;
    if (c >= 0xe0)
        return 3;
    if (c >= 0xc0)
        return 2;
    return 1;
}

bool NecesitaCodificar(const QString& texto, int yaOcupado) {
    if (yaOcupado + texto.size() > LargoCabecera)
        return true;
    for (const QChar c : texto)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return true;
    return texto.contains(QStringLiteral("=?"));
}

// Un texto sin CR ni LF: lo que va en una cabecera nunca abre otra.
QString UnaLinea(QString texto) {
    texto.replace(u'\r', u' ');
    texto.replace(u'\n', u' ');
    return texto;
}

} // namespace

QString AsuntoCorreo(int jornada, int orden) {
    return QStringLiteral("Datos de la jornada ") + QString::number(jornada) +
           QStringLiteral(". Reducción nro. ") + QString::number(orden);
}

QString TextoDeLineas(const std::vector<QString>& lineas) {
    QString texto;
    for (const QString& linea : lineas)
        texto += linea + FinLinea;
    return texto;
}

QByteArray LineaApuestaCorreo(int64_t numero, QByteArrayView signos) {
    return QByteArrayLiteral("Apuesta nro.") + ADerecha(numero, 5).toLatin1() + "  " +
           signos.toByteArray() + "\r\n";
}

qint64 BytesColumnasCorreo(int64_t columnas) {
    // Por tramos de cifras: hasta 99.999 el número ocupa 5; después, sus cifras.
    constexpr qint64 FijoLinea = 12 + 2 + NumPartidos + 2;
    qint64 bytes = 0;
    int64_t desde = 1;
    for (int cifras = 5; desde <= columnas; ++cifras) {
        int64_t hasta = 1;
        for (int i = 0; i < cifras; ++i)
            hasta *= 10;
        const int64_t cuantas = std::min<int64_t>(columnas, hasta - 1) - desde + 1;
        bytes += cuantas * (FijoLinea + cifras);
        desde = hasta;
    }
    return bytes;
}

ColumnasCorreo::ColumnasCorreo(const QString& ruta, const std::atomic<bool>* cancelar)
    : ruta_(ruta), fichero_(ruta), cancelar_(cancelar) {
    if (!fichero_.open(QIODevice::ReadOnly)) {
        if (fichero_.exists())
            error_ = fichero_.errorString();
        return;
    }
    existe_ = true;
    // Se lee antes con el lector de todas las órdenes: un fichero cortado, dañado o ajeno se
    // rechaza antes de conectar y con las mismas palabras que al consultarlo o copiarlo. Lo que
    // se añada después no cuenta, y uno que encoja mientras se envía es un fallo (el tamaño del
    // mensaje ya se dijo).
    RecuentoBoletos recuento;
    int64_t linea = 0;
    const FinPasada fin =
        PasaColumnas(fichero_, nullptr, recuento, linea, [this](const char*, int64_t, bool) {
            return cancelar_ == nullptr || !cancelar_->load();
        });
    if (fin == FinPasada::Parada) {
        cancelado_ = true;
        error_ = QStringLiteral("se ha cancelado");
        return;
    }
    if (fin != FinPasada::Completa) {
        error_ = CausaLecturaColumnas(fin, linea, fichero_);
        return;
    }
    numero_ = recuento.Columnas;
    // Con registros de 19 bytes se lee por trozos; si no (finales LF...), línea a línea.
    porRegistros_ = fichero_.size() == numero_ * BytesLineaColumna;
    fichero_.seek(0);
}

void ColumnasCorreo::Rebobina() {
    leidas_ = 0;
    if (existe_)
        fichero_.seek(0);
}

bool ColumnasCorreo::Siguientes(QByteArray& salida, int cuantas) {
    if (cancelar_ != nullptr && cancelar_->load()) {
        cancelado_ = true;
        return false;
    }
    const int64_t n = std::min<int64_t>(cuantas, numero_ - leidas_);
    if (n <= 0)
        return true;
    if (!porRegistros_)
        return SiguientesPorLineas(salida, n);
    trozo_.resize(qsizetype(n) * BytesLineaColumna);
    if (fichero_.read(trozo_.data(), trozo_.size()) != trozo_.size()) {
        error_ = fichero_.error() != QFileDevice::NoError
                     ? fichero_.errorString()
                     : QStringLiteral("el fichero se ha acortado mientras se enviaba");
        return false;
    }
    for (qsizetype p = 0; p < trozo_.size(); p += BytesLineaColumna)
        if (!AnadeColumna(salida, trozo_.data() + p + 1))
            return false;
    return true;
}

bool ColumnasCorreo::SiguientesPorLineas(QByteArray& salida, int64_t n) {
    while (n > 0) {
        const QByteArray linea = fichero_.readLine(4 * BytesLineaColumna);
        if (linea.isEmpty()) {
            error_ = QStringLiteral("el fichero se ha acortado mientras se enviaba");
            return false;
        }
        // Las líneas en blanco de relleno no son columnas.
        if (linea.trimmed().isEmpty())
            continue;
        if (linea.size() < NumPartidos + 2) {
            error_ = QStringLiteral("la columna %1 está dañada").arg(leidas_ + 1);
            return false;
        }
        QByteArray signos = linea.mid(1, NumPartidos);
        if (!AnadeColumna(salida, signos.data()))
            return false;
        --n;
    }
    return true;
}

// Los signos como los lee cualquier otra orden: "x" es "X".
bool ColumnasCorreo::AnadeColumna(QByteArray& salida, char* signos) {
    for (int k = 0; k < NumPartidos; ++k) {
        if (signos[k] == 'x')
            signos[k] = 'X';
        if (signos[k] != '1' && signos[k] != 'X' && signos[k] != '2') {
            error_ = QStringLiteral("la columna %1 está dañada").arg(leidas_ + 1);
            return false;
        }
    }
    salida += LineaApuestaCorreo(++leidas_, QByteArrayView(signos, NumPartidos));
    return true;
}

QString NuevoIdMensaje(const QString& remitente) {
    const qsizetype arroba = remitente.lastIndexOf(u'@');
    const QString dominio = arroba >= 0 && arroba + 1 < remitente.size()
                                ? remitente.mid(arroba + 1)
                                : QStringLiteral("quiniela.invalid");
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + u'@' + dominio;
}

QByteArray FechaCorreo(const QDateTime& fecha) {
    const int desfase = fecha.offsetFromUtc() / 60;
    const int horas = std::abs(desfase) / 60;
    const int minutos = std::abs(desfase) % 60;
    return QLocale::c().toString(fecha, u"ddd, dd MMM yyyy hh:mm:ss").toLatin1() + ' ' +
           (desfase < 0 ? '-' : '+') + QByteArray::number(horas).rightJustified(2, '0') +
           QByteArray::number(minutos).rightJustified(2, '0');
}

QByteArray CodificaQuotedPrintable(const QByteArray& utf8) {
    QByteArray salida;
    salida.reserve(utf8.size() + utf8.size() / 16);
    qsizetype inicio = 0;
    for (;;) {
        const qsizetype fin = utf8.indexOf("\r\n", inicio);
        CodificaLineaQp(QByteArrayView(utf8).sliced(inicio, (fin < 0 ? utf8.size() : fin) - inicio),
                        salida);
        if (fin < 0)
            break;
        salida += "\r\n";
        inicio = fin + 2;
    }
    return salida;
}

QByteArray CodificaCabecera(const QString& texto, int yaOcupado) {
    const QString linea = UnaLinea(texto);
    if (!NecesitaCodificar(linea, yaOcupado))
        return linea.toLatin1();
    const QByteArray utf8 = linea.toUtf8();
    const QByteArray inicio = "=?UTF-8?Q?";
    QByteArray salida;
    QByteArray palabra;
    const auto cierra = [&] {
        if (!salida.isEmpty())
            salida += "\r\n "; // cada palabra siguiente, en su línea plegada
        salida += inicio + palabra + "?=";
        palabra.clear();
    };
    for (qsizetype i = 0; i < utf8.size();) {
        const int largo = LargoCaracterUtf8(static_cast<unsigned char>(utf8[i]));
        QByteArray caracter;
        for (int k = 0; k < largo && i < utf8.size(); ++k, ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c == ' ')
                caracter += '_';
            else if (LiteralEnQ(c))
                caracter += char(c);
            else
                AnadeEscape(caracter, c);
        }
        // Cada palabra cabe en 75 caracteres y en la línea; un carácter nunca se parte.
        const qsizetype libre = std::min<qsizetype>(
            LargoPalabraCodificada, LargoCabecera - (salida.isEmpty() ? yaOcupado : 1));
        if (!palabra.isEmpty() && inicio.size() + palabra.size() + caracter.size() + 2 > libre)
            cierra();
        palabra += caracter;
    }
    if (!palabra.isEmpty() || salida.isEmpty())
        cierra();
    return salida;
}

QByteArray CabecerasMensaje(const CabecerasCorreo& cabeceras) {
    QByteArray m;
    m += "From: " + UnaLinea(cabeceras.Remitente).toUtf8() + "\r\n";
    m += "To: " + UnaLinea(cabeceras.Destinatario).toUtf8() + "\r\n";
    m += "Subject: " + CodificaCabecera(cabeceras.Asunto, 9) + "\r\n";
    m += "Date: " + FechaCorreo(cabeceras.Fecha) + "\r\n";
    m += "Message-ID: <" + UnaLinea(cabeceras.IdMensaje).toUtf8() + ">\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\n";
    m += "Content-Transfer-Encoding: quoted-printable\r\n";
    m += "\r\n";
    return m;
}

MensajeCorreo::MensajeCorreo(const CabecerasCorreo& cabeceras, const QByteArray& basicos,
                             ColumnasCorreo* columnas)
    : cabeceras_(CabecerasMensaje(cabeceras)), basicos_(CodificaQuotedPrintable(basicos)),
      columnas_(columnas != nullptr && columnas->Existe() ? columnas : nullptr) {
    // Los datos básicos acaban en CR LF (o no hay): las columnas empiezan línea.
    tamano_ = cabeceras_.size() + basicos_.size() + (columnas_ ? columnas_->Bytes() : 0);
    if (columnas_)
        columnas_->Rebobina();
}

bool MensajeCorreo::Rellena() {
    trozo_.clear();
    usado_ = 0;
    while (trozo_.isEmpty() && parte_ < 3) {
        const int parte = parte_++;
        if (parte == 0)
            trozo_ = cabeceras_;
        else if (parte == 1)
            trozo_ = basicos_;
        else if (columnas_) {
            if (!columnas_->Siguientes(trozo_, ColumnasPorTrozo))
                return false;
            if (!trozo_.isEmpty())
                parte_ = 2; // quedan columnas
        }
    }
    return true;
}

qint64 MensajeCorreo::Lee(char* destino, qint64 maximo) {
    if (usado_ == trozo_.size() && !Rellena())
        return -1;
    const qint64 n = std::min<qint64>(maximo, trozo_.size() - usado_);
    std::memcpy(destino, trozo_.constData() + usado_, size_t(n));
    usado_ += n;
    return n;
}

} // namespace quiniela
