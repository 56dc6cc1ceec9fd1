#include "platform/qt/sonidos_qt.h"

#include "core/mascaras.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace quiniela {

QString SonidosQt::RecursoSonido(int numero) {
    return QStringLiteral(":/sonidos/sonido") + DosCifras(numero) + QStringLiteral(".wav");
}

void SonidosQt::Toca(int numero) {
    // Sin dispositivo de audio QSoundEffect nunca avisa del final: no se toca.
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    QSoundEffect efecto;
    efecto.setSource(QUrl(QStringLiteral("qrc") + RecursoSonido(numero)));
    QEventLoop bucle;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &bucle, &QEventLoop::quit);
    QObject::connect(&efecto, &QSoundEffect::playingChanged, &bucle, [&] {
        if (!efecto.isPlaying())
            bucle.quit();
    });
    QObject::connect(&efecto, &QSoundEffect::statusChanged, &bucle, [&] {
        if (efecto.status() == QSoundEffect::Ready)
            efecto.play();
        else if (efecto.status() == QSoundEffect::Error)
            bucle.quit();
    });
    if (efecto.status() == QSoundEffect::Ready)
        efecto.play();
    // Los clips son cortos; nunca se espera más de dos segundos.
    limite.start(2000);
    bucle.exec(QEventLoop::ExcludeUserInputEvents);
    efecto.stop();
}

} // namespace quiniela
