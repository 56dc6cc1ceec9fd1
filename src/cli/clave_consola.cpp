#include "cli/clave_consola.h"

#include <cstdio>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace quiniela {

namespace {

// Quita el eco mientras vive y lo devuelve al terminar, aunque algo falle.
class SinEco {
public:
    SinEco() {
        activo_ = tcgetattr(STDIN_FILENO, &anterior_) == 0;
        if (!activo_)
            return;
        termios sinEco = anterior_;
        sinEco.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &sinEco);
    }
    ~SinEco() {
        if (activo_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &anterior_);
    }
    SinEco(const SinEco&) = delete;
    SinEco& operator=(const SinEco&) = delete;

private:
    termios anterior_{};
    bool activo_ = false;
};

} // namespace

std::optional<QString> ClaveCorreoConsola(SalidaOrden& salida) {
    if (qEnvironmentVariableIsSet(VariableClaveCorreo))
        return qEnvironmentVariable(VariableClaveCorreo);
    if (isatty(STDIN_FILENO) != 1)
        return std::nullopt;
    salida.Err << "Clave del correo: " << Qt::flush;
    std::string linea;
    {
        SinEco sinEco;
        int c = 0;
        while ((c = std::getchar()) != EOF && c != '\n')
            linea += char(c);
        if (c == EOF && linea.empty())
            return std::nullopt;
    }
    salida.Err << "\n" << Qt::flush;
    return QString::fromLocal8Bit(linea);
}

} // namespace quiniela
