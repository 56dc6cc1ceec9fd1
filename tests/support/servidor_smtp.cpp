#include "support/servidor_smtp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quiniela::prueba {

namespace {

QByteArray LeeFichero(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool EsIp(const QString& nombre) {
    static const QRegularExpression ip(QStringLiteral("^[0-9.]+$|:"));
    return ip.match(nombre).hasMatch();
}

} // namespace

CertificadoPrueba FabricaCertificado(const QString& carpeta, const QStringList& nombres) {
    QStringList san;
    for (const QString& n : nombres)
        san << (EsIp(n) ? QStringLiteral("IP:") : QStringLiteral("DNS:")) + n;
    QString base = nombres.value(0);
    base.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    const QString dir = QDir(carpeta).absolutePath() + u'/';
    const CertificadoPrueba certificado{
        dir + QStringLiteral("certificado-") + base + QStringLiteral(".pem"),
        dir + QStringLiteral("clave-") + base + QStringLiteral(".pem")};
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
    if (!carpeta_.isValid()) {
        error_ = QStringLiteral("no se pudo crear la carpeta temporal");
        return;
    }
    QStringList argumentos{QStringLiteral(QUINIELA_SERVIDOR_SMTP), u"--carpeta"_s, carpeta_.path(),
                           u"--puerto"_s, QString::number(opciones_.Puerto)};
    if (opciones_.Mudo)
        argumentos << u"--mudo"_s;
    if (opciones_.Seguridad != SeguridadCorreo::Ninguna)
        argumentos << u"--seguridad"_s
                   << (opciones_.Seguridad == SeguridadCorreo::Tls ? u"tls"_s : u"starttls"_s)
                   << u"--certificado"_s << opciones_.Certificado.Certificado << u"--clave"_s
                   << opciones_.Certificado.Clave;
    if (!opciones_.Usuario.isEmpty())
        argumentos << u"--usuario"_s << opciones_.Usuario << u"--clave-usuario"_s
                   << opciones_.Clave;
    for (const QString& d : opciones_.Rechazados)
        argumentos << u"--rechaza"_s << d;
    for (const QString& d : opciones_.Colgados)
        argumentos << u"--cuelga"_s << d;

    proceso_ = std::make_unique<QProcess>();
    // Los errores de python se ven en la salida de la prueba.
    proceso_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso_->start(QStringLiteral(QUINIELA_PYTHON_SMTP), argumentos);
    if (!proceso_->waitForStarted(10000)) {
        error_ = QStringLiteral("no arranca %1: %2")
                     .arg(QStringLiteral(QUINIELA_PYTHON_SMTP), proceso_->errorString());
        return;
    }
    // Espera la línea "ESCUCHANDO <puerto>".
    const QDeadlineTimer limite(20000);
    while (!proceso_->canReadLine() && proceso_->state() == QProcess::Running &&
           !limite.hasExpired())
        proceso_->waitForReadyRead(static_cast<int>(std::max<qint64>(1, limite.remainingTime())));
    const QByteArray linea =
        proceso_->canReadLine() ? proceso_->readLine().trimmed() : QByteArray();
    if (linea.startsWith("ESCUCHANDO "))
        puerto_ = linea.mid(11).toInt();
    if (puerto_ <= 0)
        error_ = QStringLiteral("el servidor SMTP de pruebas no llegó a escuchar (%1)")
                     .arg(QString::fromUtf8(linea + proceso_->readAll()));
}

ServidorSmtp::~ServidorSmtp() {
    if (proceso_ && proceso_->state() != QProcess::NotRunning) {
        proceso_->terminate();
        if (!proceso_->waitForFinished(5000)) {
            proceso_->kill();
            proceso_->waitForFinished(5000);
        }
    }
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
    const QDir dir(carpeta_.filePath(QStringLiteral("mensajes")));
    QStringList nombres = dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    std::vector<MensajeRecibido> mensajes;
    for (const QString& nombre : nombres) {
        const QByteArray todo = LeeFichero(dir.filePath(nombre));
        const qsizetype corte = todo.indexOf("\n\n");
        if (corte < 0)
            continue;
        MensajeRecibido m;
        for (const QByteArray& linea : todo.left(corte).split('\n')) {
            const qsizetype dos = linea.indexOf(": ");
            const QByteArray clave = linea.left(dos);
            const QString valor = QString::fromUtf8(linea.mid(dos + 2));
            if (clave == "Remitente")
                m.Remitente = valor;
            else if (clave == "Destinatario")
                m.Destinatarios << valor;
            else if (clave == "Usuario")
                m.Usuario = valor;
            else if (clave == "Cifrado")
                m.Cifrado = valor == u"si";
        }
        m.Datos = todo.mid(corte + 2);
        mensajes.push_back(std::move(m));
    }
    return mensajes;
}

int ServidorSmtp::Conexiones() const {
    return LeeFichero(carpeta_.filePath(QStringLiteral("conexiones"))).trimmed().toInt();
}

} // namespace quiniela::prueba
