// Módulo de sonido del programa de escritorio: lo único que usa Qt Multimedia. Lo carga
// SonidosQt la primera vez que suena algo.
#include "platform/qt/sonidos_qt.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <type_traits>

extern "C" Q_DECL_EXPORT void quiniela_toca_sonido(const QString& recurso) {
    // Sin dispositivo de audio QSoundEffect nunca avisa del final: no se toca.
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    QSoundEffect efecto;
    efecto.setSource(QUrl(QStringLiteral("qrc") + recurso));
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

// El tipo de la entrada ha de ser el que espera SonidosQt.
static_assert(std::is_same_v<decltype(&quiniela_toca_sonido), quiniela::EntradaSonido>);
