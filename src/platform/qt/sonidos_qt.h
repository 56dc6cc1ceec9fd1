#pragma once
// Los seis sonidos del programa, tocados de forma síncrona y sin colgarse nunca.
//
// Qt Multimedia arrastra toda la pila de audio y vídeo del sistema (GStreamer, FFmpeg...),
// así que el programa no la enlaza: los sonidos van en un módulo aparte que se carga la
// primera vez que suena algo. Sin el módulo o sin Qt Multimedia el programa va en silencio,
// sin decir nada: no sonar no es un error que el usuario pueda ni deba corregir.

#include "platform/plataforma.h"

#include <QLibrary>
#include <QString>

namespace quiniela {

// Nombre de la función de entrada del módulo, de tipo EntradaSonido: toca el recurso dado
// (":/sonidos/sonidoNN.wav") y vuelve al acabar, o enseguida si no hay salida de audio.
inline constexpr char SimboloTocaSonido[] = "quiniela_toca_sonido";
using EntradaSonido = void (*)(const QString& recurso);

class SonidosQt final : public Sonidos {
public:
    // El módulo en la ruta dada; sin ruta, el que acompaña al programa (RutaModuloSonido).
    SonidosQt();
    explicit SonidosQt(const QString& rutaModulo);
    void Toca(int numero) override;
    // Carga el módulo si aún no se ha intentado; falso si no hay con qué tocar.
    bool Disponible();
    // Ruta del recurso de un sonido: ":/sonidos/sonidoNN.wav".
    static QString RecursoSonido(int numero);
    // Junto al ejecutable en la compilación; en su carpeta de bibliotecas una vez instalado.
    static QString RutaModuloSonido();

private:
    QLibrary Modulo;
    bool Intentado = false;
    EntradaSonido Tocar = nullptr;
};

} // namespace quiniela
