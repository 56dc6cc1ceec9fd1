#include "output/fichero_boletos.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "output/bloques.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace quiniela {

namespace {

// Cociente redondeado al entero más próximo, con las mitades al par.
int64_t DivisionRedondeada(int64_t a, int64_t b) {
    const int64_t cociente = a / b;
    const int64_t doble = 2 * (a % b);
    if (doble > b || (doble == b && cociente % 2 != 0))
        return cociente + 1;
    return cociente;
}

// Columnas por grupo; 0 si no hay reducción. Nunca menos de 1 con columnas: con 1 columna
// y 2 grupos el redondeo daría 0 y una división entre cero.
int64_t ColumnasPorGrupo(const QuinielaBase& base, int64_t total) {
    const int grupos = GruposPartido15(base);
    if (total <= 0 || grupos <= 0)
        return 0;
    return std::max<int64_t>(1, DivisionRedondeada(total, grupos));
}

bool EsSigno(char c) {
    return c == '1' || c == 'X' || c == 'x' || c == '2';
}

// Una línea del fichero de columnas: comillas, 15 signos, comillas.
bool EsColumna(const char* datos, qsizetype largo) {
    if (largo != NumPartidos + 2 || datos[0] != '"' || datos[NumPartidos + 1] != '"')
        return false;
    for (int i = 1; i <= NumPartidos; ++i)
        if (!EsSigno(datos[i]))
            return false;
    return true;
}

void EscribeRegistro(SalidaBloques& salida, const char* quince) {
    char* p = salida.Reserva(BytesRegistroBoleto);
    p[0] = '"';
    std::memcpy(p + 1, quince, NumPartidos);
    std::memcpy(p + NumPartidos + 1, "\"\r\n", 3);
    salida.Avanza(BytesRegistroBoleto);
}

bool CancelaAhora(const std::atomic<bool>* cancelar) {
    return cancelar != nullptr && cancelar->load(std::memory_order_relaxed);
}

// Copia las columnas con sus huecos. Devuelve false si se cancela o una línea no vale.
bool CopiaColumnas(LectorLineas& lector, SalidaBloques& salida, ResultadoFicheroBoletos& r,
                   const std::atomic<bool>* cancelar) {
    static const char blancos[NumPartidos + 1] = "               ";
    const char* datos = nullptr;
    qsizetype largo = 0;
    int64_t linea = 0;
    while (lector.Siguiente(datos, largo)) {
        ++linea;
        if (largo == 0)
            continue; // una línea vacía no es una columna ni estorba
        if (!EsColumna(datos, largo)) {
            r.LineaErronea = linea;
            return false;
        }
        for (int h = r.Recuento.AnadeColumna(datos[NumPartidos]); h > 0; --h)
            EscribeRegistro(salida, blancos);
        EscribeRegistro(salida, datos + 1);
        if (CancelaAhora(cancelar)) {
            r.Cancelado = true;
            return false;
        }
    }
    return true;
}

} // namespace

int RecuentoBoletos::AnadeColumna(char signo15) {
    const char signo = signo15 >= 'a' && signo15 <= 'z' ? char(signo15 - 'a' + 'A') : signo15;
    int huecos = 0;
    if (Columnas > 0 && signo != Signo15)
        huecos =
            int((ColumnasPorBoleto - RegistrosBoletos % ColumnasPorBoleto) % ColumnasPorBoleto);
    RegistrosBoletos += huecos;
    if (RegistrosBoletos % ColumnasPorBoleto == 0) {
        ++Boletos;
        ColumnasUltimoBoleto = 0;
    }
    ++ColumnasUltimoBoleto;
    if (ColumnasUltimoBoleto == 1)
        ++BoletosUnaColumna;
    else if (ColumnasUltimoBoleto == 2)
        --BoletosUnaColumna;
    ++RegistrosBoletos;
    ++Columnas;
    Signo15 = signo;
    return huecos;
}

int64_t ColumnasEnFichero(const QString& ruta) {
    const QFileInfo info(ruta);
    return info.isFile() ? info.size() / BytesRegistroBoleto : 0;
}

int GruposPartido15(const QuinielaBase& base) {
    return std::clamp<int>(base[NumPartidos].NumSignos, 0, NumSignosMax);
}

int64_t CalculaBoletos(const QuinielaBase& base, int64_t total) {
    const int64_t s = ColumnasPorGrupo(base, total);
    if (s == 0)
        return 0;
    const int64_t grupos = (total + s - 1) / s;
    const int64_t ultimo = total - (grupos - 1) * s;
    return (grupos - 1) * ((s + 7) / 8) + (ultimo + 7) / 8;
}

int ColumnasUltimoBoleto(const QuinielaBase& base, int64_t total) {
    const int64_t s = ColumnasPorGrupo(base, total);
    if (s == 0)
        return 0;
    const int64_t ultimo = total - ((total + s - 1) / s - 1) * s;
    return ultimo % 8 == 0 ? 8 : int(ultimo % 8);
}

int64_t BoletoDeColumna(const QuinielaBase& base, int64_t total, int64_t n) {
    const int64_t s = ColumnasPorGrupo(base, total);
    if (s == 0 || n < 1 || n > total)
        return 0;
    const int64_t grupo = (n + s - 1) / s;
    const int64_t r = n - (grupo - 1) * s;
    return (grupo - 1) * ((s + 7) / 8) + (r + 7) / 8;
}

ResultadoFicheroBoletos CreaFicheroBoletos(const EstadoGlobal& estado, QIODevice& columnas,
                                           const QString& nombreColumnas,
                                           const std::atomic<bool>* cancelar) {
    ResultadoFicheroBoletos r;
    const QString ruta = estado.Ruta(QString::fromLatin1(NombreFicheroBoletos));
    SalidaBloques salida(ruta);
    r.Fichero = QString::fromLatin1(NombreFicheroBoletos);
    if (!salida.Abre()) {
        r.Error = NumeroErrorFichero(salida.Error(), ruta);
        r.Causa = salida.Causa();
        return r;
    }
    LectorLineas lector(columnas);
    const bool copiado = CopiaColumnas(lector, salida, r, cancelar);
    if (lector.Fallo()) {
        r.Fichero = nombreColumnas;
        r.Error = ErrorFichero::ErrorEntradaSalida;
        r.Causa = QStringLiteral("no se ha podido leer (") + columnas.errorString() + u')';
    } else if (r.LineaErronea != 0) {
        r.Fichero = nombreColumnas;
        r.Error = ErrorFichero::TipoIncorrecto;
        r.Causa = QStringLiteral("la línea %1 no es una columna de 15 signos entre comillas")
                      .arg(r.LineaErronea);
    } else if (copiado && !salida.Confirma()) {
        r.Error = ErrorFichero::ErrorEntradaSalida;
        r.Causa = salida.Causa();
    }
    return r;
}

} // namespace quiniela
