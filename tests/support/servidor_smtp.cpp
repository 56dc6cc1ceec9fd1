#include "support/servidor_smtp.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace quiniela::prueba {

CertificadoPrueba FabricaCertificado(const QString& carpeta, const QStringList& nombres) {
    static const QRegularExpression ip(u"^[0-9.]+$|:"_s);
    QStringList san;
    for (const QString& n : nombres)
        san << (ip.match(n).hasMatch() ? u"IP:"_s : u"DNS:"_s) + n;
    const QString base =
        QDir(carpeta).absolutePath() + u'/' + QString(nombres.value(0)).replace(u':', u'_');
    const CertificadoPrueba certificado{base + u"-certificado.pem"_s, base + u"-clave.pem"_s};
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(
        u"openssl"_s,
        u"req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"_s.split(u' ') +
            QStringList{u"-subj"_s, u"/CN="_s + nombres.value(0), u"-addext"_s,
                        u"subjectAltName="_s + san.join(u','), u"-keyout"_s, certificado.Clave,
                        u"-out"_s, certificado.Certificado});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        qWarning("openssl: %s", openssl.readAll().constData());
        return {};
    }
    return certificado;
}

ServidorSmtp::ServidorSmtp(OpcionesServidorSmtp opciones) : opciones_(std::move(opciones)) {
    const char* seguridades[] = {"starttls", "tls", "ninguna"}; // en el orden de SeguridadCorreo
    const QJsonObject json{
        {u"seguridad"_s, QLatin1String(seguridades[static_cast<int>(opciones_.Seguridad)])},
        {u"certificado"_s, opciones_.Certificado.Certificado},
        {u"clave"_s, opciones_.Certificado.Clave},
        {u"usuario"_s, opciones_.Usuario},
        {u"clave_usuario"_s, opciones_.Clave},
        {u"rechazados"_s, QJsonArray::fromStringList(opciones_.Rechazados)},
        {u"colgados"_s, QJsonArray::fromStringList(opciones_.Colgados)},
        {u"mudo"_s, opciones_.Mudo},
        {u"rechaza_datos"_s, opciones_.RechazaDatos},
        {u"limite"_s, opciones_.Limite}};
    const QStringList argumentos{
        QStringLiteral(QUINIELA_SERVIDOR_SMTP), carpeta_.Ruta(),
        QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact))};
    proceso_ = std::make_unique<QProcess>();
    // Los errores de python se ven en la salida de la prueba.
    proceso_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso_->start(QStringLiteral(QUINIELA_PYTHON_SMTP), argumentos);
    // Espera la línea "ESCUCHANDO <puerto>" mientras el proceso viva y escriba.
    while (!proceso_->canReadLine() && proceso_->waitForReadyRead(20000)) {
    }
    const QByteArray linea = proceso_->readLine().trimmed();
    if (linea.startsWith("ESCUCHANDO "))
        puerto_ = linea.mid(11).toInt();
    if (puerto_ <= 0)
        error_ = u"el servidor SMTP de pruebas no llegó a escuchar (%1: %2)"_s.arg(
            proceso_->errorString(), QString::fromUtf8(linea + proceso_->readAll()));
}

ServidorSmtp::~ServidorSmtp() {
    proceso_->kill();
    proceso_->waitForFinished();
}

CuentaCorreo ServidorSmtp::Cuenta() const {
    CuentaCorreo cuenta;
    cuenta.Servidor = QStringLiteral("127.0.0.1");
    cuenta.Puerto = puerto_;
    cuenta.Seguridad = opciones_.Seguridad;
    cuenta.Usuario = opciones_.Usuario;
    cuenta.Remitente = QStringLiteral("remitente@example.com");
    cuenta.Certificado = opciones_.Certificado.Certificado;
    return cuenta;
}

std::vector<MensajeRecibido> ServidorSmtp::Mensajes() const {
    std::vector<MensajeRecibido> mensajes;
    for (const QString& nombre :
         QDir(carpeta_.Ruta()).entryList({u"*.json"_s}, QDir::Files, QDir::Name)) {
        const QJsonObject m = QJsonDocument::fromJson(carpeta_.Lee(nombre)).object();
        mensajes.push_back({m[u"remitente"_s].toString(),
                            m[u"destinatarios"_s].toVariant().toStringList(),
                            m[u"usuario"_s].toString(), m[u"cifrado"_s].toBool(),
                            QByteArray::fromBase64(m[u"datos"_s].toString().toLatin1())});
    }
    return mensajes;
}

int ServidorSmtp::Conexiones() const {
    return carpeta_.Lee(QStringLiteral("conexiones")).trimmed().toInt();
}

} // namespace quiniela::prueba
