#include "output/cuenta_correo.h"

#include "core/ficheros.h"

#include <QFile>

namespace quiniela {

namespace {

const QString Grupo = QStringLiteral("correo");
const QString Servidor = QStringLiteral("correo/servidor");
const QString Puerto = QStringLiteral("correo/puerto");
const QString Seguridad = QStringLiteral("correo/seguridad");
const QString Usuario = QStringLiteral("correo/usuario");
const QString Remitente = QStringLiteral("correo/remitente");
const QString Certificado = QStringLiteral("correo/certificado");
const QString Maximo = QStringLiteral("correo/maximo");

bool EsHexadecimal(char16_t u) {
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Un valor de texto como lo escribe QSettings en un INI, para que lo lea igual: barra y
// comillas escapadas, controles en \xNN (y un dígito hexadecimal detrás, también, para que no
// alargue el escape), entre comillas si lleva ";", "," o "=" o blancos a los lados, y una "@"
// inicial doblada (QSettings la reserva para sus tipos).
QByteArray ValorIni(const QString& texto) {
    QByteArray v;
    if (texto.startsWith(u'@'))
        v += '@';
    bool comillas = false;
    bool escapado = false;
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        comillas = comillas || u == ';' || u == ',' || u == '=';
        const bool control = u < 0x20 || u == 0x7f;
        if (control || (escapado && EsHexadecimal(u))) {
            v += "\\x" + QByteArray::number(u, 16);
            escapado = true;
            continue;
        }
        escapado = false;
        if (u == '"' || u == '\\')
            v += '\\';
        v += QString(c).toUtf8();
    }
    if (comillas || v.startsWith(' ') || v.endsWith(' '))
        v = '"' + v + '"';
    return v;
}

QByteArray GrupoCuenta(const CuentaCorreo& c) {
    // En el orden en que QSettings escribe las claves: alfabético.
    return "[correo]\n"
           "certificado=" +
           ValorIni(c.Certificado) + "\n" + "maximo=" + QByteArray::number(c.MaximoMensaje) + "\n" +
           "puerto=" + QByteArray::number(c.Puerto) + "\n" +
           "remitente=" + ValorIni(c.Remitente.trimmed()) + "\n" +
           "seguridad=" + TextoSeguridad(c.Seguridad).toUtf8() + "\n" +
           "servidor=" + ValorIni(c.Servidor.trimmed()) + "\n" + "usuario=" + ValorIni(c.Usuario) +
           "\n";
}

bool EsCabeceraGrupo(const QByteArray& linea) {
    const QByteArray l = linea.trimmed();
    return l.startsWith('[') && l.endsWith(']');
}

} // namespace

QString TextoSeguridad(SeguridadCorreo seguridad) {
    switch (seguridad) {
    case SeguridadCorreo::Tls:
        return QStringLiteral("tls");
    case SeguridadCorreo::Ninguna:
        return QStringLiteral("ninguna");
    case SeguridadCorreo::StartTls:
        break;
    }
    return QStringLiteral("starttls");
}

std::optional<SeguridadCorreo> SeguridadDeTexto(const QString& texto) {
    for (const auto s : {SeguridadCorreo::StartTls, SeguridadCorreo::Tls, SeguridadCorreo::Ninguna})
        if (texto.trimmed().compare(TextoSeguridad(s), Qt::CaseInsensitive) == 0)
            return s;
    return std::nullopt;
}

std::unique_ptr<QSettings> AjustesUsuario() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("quiniela"));
}

CuentaCorreo LeeCuentaCorreo(const QSettings& ajustes) {
    CuentaCorreo c;
    c.Servidor = ajustes.value(Servidor).toString();
    c.Puerto = ajustes.value(Puerto, 0).toInt();
    // Un valor desconocido no rebaja la seguridad: vuelve a STARTTLS.
    c.Seguridad =
        SeguridadDeTexto(ajustes.value(Seguridad).toString()).value_or(SeguridadCorreo::StartTls);
    c.Usuario = ajustes.value(Usuario).toString();
    c.Remitente = ajustes.value(Remitente).toString();
    c.Certificado = ajustes.value(Certificado).toString();
    bool bien = false;
    const int maximo = ajustes.value(Maximo).toInt(&bien);
    if (bien && maximo >= 1 && maximo <= CuentaCorreo::MaximoMensajeTope)
        c.MaximoMensaje = maximo;
    return c;
}

QByteArray AjustesConCuenta(const QByteArray& anterior, const CuentaCorreo& cuenta) {
    QByteArray salida;
    bool puesto = false;
    bool enCuenta = false;
    for (const QByteArray& linea : anterior.split('\n')) {
        if (EsCabeceraGrupo(linea)) {
            enCuenta = linea.trimmed() == '[' + Grupo.toLatin1() + ']';
            if (enCuenta && !puesto) {
                salida += GrupoCuenta(cuenta) + "\n";
                puesto = true;
            }
        }
        if (!enCuenta)
            salida += linea + '\n';
    }
    // split deja un último trozo vacío tras el salto final: no es otra línea.
    if (anterior.isEmpty() || anterior.endsWith('\n'))
        salida.chop(1);
    if (!puesto) {
        if (!salida.isEmpty() && !salida.endsWith("\n\n"))
            salida += salida.endsWith('\n') ? "\n" : "\n\n";
        salida += GrupoCuenta(cuenta);
    }
    return salida;
}

ResultadoFichero GuardaCuentaCorreo(QSettings& ajustes, const CuentaCorreo& cuenta) {
    const QString ruta = ajustes.fileName();
    QFile fichero(ruta);
    QByteArray anterior;
    if (fichero.open(QIODevice::ReadOnly))
        anterior = fichero.readAll();
    const ResultadoFichero r = GuardaFicheroEntero(ruta, AjustesConCuenta(anterior, cuenta));
    // Sin cambios pendientes, sync solo vuelve a leer el fichero: no escribe nada.
    ajustes.sync();
    return r;
}

} // namespace quiniela
