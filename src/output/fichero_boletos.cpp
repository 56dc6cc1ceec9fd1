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

bool CancelaAhora(const std::atomic<bool>* cancelar) {
    return cancelar != nullptr && cancelar->load(std::memory_order_relaxed);
}

} // namespace

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

std::vector<BoletoUnaColumna> BoletosDeUnaColumna(const QuinielaBase& base, int64_t total) {
    std::vector<BoletoUnaColumna> boletos;
    const int64_t s = ColumnasPorGrupo(base, total);
    if (s == 0)
        return boletos;
    // Los grupos siguen el orden de los signos marcados del partido 15.
    std::vector<QChar> signos;
    for (int k = 1; k <= NumSignosMax; ++k)
        if (base[NumPartidos].Signo[k] != 0)
            signos.push_back(CaracterSigno(k));
    const int64_t grupos = (total + s - 1) / s;
    for (int64_t g = 1; g <= grupos; ++g) {
        const int64_t ultima = std::min(total, g * s);
        if ((ultima - (g - 1) * s) % ColumnasPorBoleto != 1)
            continue;
        const QChar signo = g <= int64_t(signos.size()) ? signos[size_t(g - 1)] : QChar();
        boletos.push_back({BoletoDeColumna(base, total, ultima), signo});
    }
    return boletos;
}

int ErrorLecturaColumnas(FinPasada fin) {
    return fin == FinPasada::LineaErronea ? ErrorFichero::TipoIncorrecto
                                          : ErrorFichero::ErrorEntradaSalida;
}

QString CausaLecturaColumnas(FinPasada fin, int64_t linea, const QIODevice& columnas) {
    if (fin == FinPasada::LineaErronea)
        return QStringLiteral("la línea %1 no es una columna de 15 signos entre comillas")
            .arg(linea);
    return QStringLiteral("no se ha podido leer (") + columnas.errorString() + u')';
}

ResultadoFicheroBoletos CreaFicheroBoletos(const EstadoGlobal& estado, QIODevice& columnas,
                                           const QString& nombreColumnas,
                                           const std::atomic<bool>* cancelar) {
    const QString ruta = estado.Ruta(QString::fromLatin1(NombreFicheroBoletos));
    SalidaBloques salida(ruta, BytesBloquePara(columnas.size()));
    if (!salida.Abre()) {
        ResultadoFicheroBoletos r;
        r.Fichero = QString::fromLatin1(NombreFicheroBoletos);
        r.Error = salida.Fallo().Numero;
        r.Causa = salida.Causa();
        return r;
    }
    ResultadoFicheroBoletos r = EscribeFicheroBoletos(columnas, nombreColumnas, salida, cancelar);
    std::unique_ptr<QFile> lectura;
    if (r.Error == 0 && !r.Cancelado && !salida.Confirma(&lectura)) {
        r.Error = ErrorFichero::ErrorEntradaSalida;
        r.Causa = salida.Causa();
    }
    r.Lectura = std::move(lectura);
    return r;
}

ResultadoFicheroBoletos EscribeFicheroBoletos(QIODevice& columnas, const QString& nombreColumnas,
                                              SalidaBloques& salida,
                                              const std::atomic<bool>* cancelar,
                                              std::atomic<bool>* parar) {
    ResultadoFicheroBoletos r;
    r.Fichero = QString::fromLatin1(NombreFicheroBoletos);
    int64_t linea = 0;
    const FinPasada fin =
        PasaColumnas(columnas, &salida, r.Recuento, linea, [&](const char*, int64_t, bool) {
            return !CancelaAhora(cancelar) && !CancelaAhora(parar) && !salida.HaFallado();
        });
    if (fin == FinPasada::FalloLectura || fin == FinPasada::LineaErronea) {
        r.Fichero = nombreColumnas;
        r.Error = ErrorLecturaColumnas(fin);
        r.Causa = CausaLecturaColumnas(fin, linea, columnas);
        if (fin == FinPasada::LineaErronea)
            r.LineaErronea = linea;
    } else if (salida.HaFallado() || !salida.Vacia()) {
        r.Error = ErrorFichero::ErrorEntradaSalida;
        r.Causa = salida.Causa();
    } else if (fin == FinPasada::Parada) {
        r.Cancelado = true;
    }
    if (r.Error != 0 && parar != nullptr)
        parar->store(true, std::memory_order_relaxed);
    return r;
}

} // namespace quiniela
