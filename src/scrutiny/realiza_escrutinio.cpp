#include "scrutiny/realiza_escrutinio.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "output/fichero_boletos.h"
#include "platform/plataforma.h"
#include "scrutiny/recuento.h"

namespace quiniela {

namespace {

PremiosCategoria NormalizaPremios(TextosPremio& textos) {
    PremiosCategoria premios{};
    for (int k = 1; k <= NumCategorias; ++k) {
        const Premio p = NormalizaPremio(textos[k]);
        textos[k] = p.Texto;
        premios[k] = p.Valor;
    }
    return premios;
}

FinEscrutinio CuentaFicheroApuestas(EstadoGlobal& estado, ResultadoEscrutinio& resultado,
                                    const std::function<void()>& alBloque) {
    estado.ActualizaFicheroApuestas();
    const auto fichero = AbreFicheroApuestas(estado);
    if (!fichero)
        return estado.UltimoErrorFichero == ErrorFichero::NoExiste ? FinEscrutinio::SinColumnas
                                                                   : FinEscrutinio::ErrorFichero;
    int64_t linea = 0;
    const FinPasada fin =
        CuentaColumnas(*fichero, resultado.ColumnaGanadora, resultado, linea, alBloque);
    if (fin == FinPasada::Completa)
        return FinEscrutinio::Hecho;
    // Lo mismo que dicen la consulta, la copia y la impresión del mismo fichero.
    const int error = ErrorLecturaColumnas(fin);
    estado.UltimoErrorFichero = int16_t(error);
    AvisaSistema(QStringLiteral("No se puede escrutar la reducción con ") + estado.FicheroApuestas +
                 QStringLiteral(": ") + CausaLecturaColumnas(fin, linea, *fichero) +
                 QStringLiteral(" (error ") + QString::number(error) + QStringLiteral(")."));
    return FinEscrutinio::ErrorFichero;
}

} // namespace

const QString& TituloGanadoraIncompleta() {
    static const QString t = QStringLiteral("COLUMNA GANADORA INCOMPLETA");
    return t;
}

const QString& TextoGanadoraIncompleta() {
    static const QString t =
        QStringLiteral("Es  necesario  que  marque  los  15  resultados  de  la  columna "
                       "ganadora para poder realizar el escrutinio de aciertos.");
    return t;
}

FinEscrutinio RealizaEscrutinio(EstadoGlobal& estado, EntradaEscrutinio& entrada,
                                ResultadoEscrutinio& resultado,
                                const std::function<void()>& alBloque) {
    resultado = ResultadoEscrutinio{};
    const PremiosCategoria premios = NormalizaPremios(entrada.Textos);
    // La jornada se guarda antes de mirar si la columna está completa.
    const int error = GuardaEntradasEscrutinio(estado, entrada.Marcas, entrada.Textos);
    if (error != 0) {
        estado.UltimoErrorFichero = int16_t(error);
        AvisaSistema(TextoErrorGuardarEscrutinio(error));
        return FinEscrutinio::ErrorFichero;
    }
    const QString ganadora = ColumnaGanadoraDeMarcas(entrada.Marcas);
    if (ganadora.isEmpty()) {
        MuestraMensaje(TituloGanadoraIncompleta(), TextoGanadoraIncompleta());
        return FinEscrutinio::GanadoraIncompleta;
    }
    resultado.ColumnaGanadora = ganadora;
    resultado.Premios = premios;
    const FinEscrutinio fin = CuentaFicheroApuestas(estado, resultado, alBloque);
    if (fin != FinEscrutinio::Hecho)
        resultado = ResultadoEscrutinio{};
    return fin;
}

} // namespace quiniela
