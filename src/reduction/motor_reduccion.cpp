#include "reduction/motor_reduccion.h"

#include "core/bloqueo_datos.h"
#include "core/error_fichero.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "platform/plataforma.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/fichero_bases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace quiniela {

namespace {

MensajeReduccion MensajeFalloColumnas(const QString& fichero, int numero) {
    return {QStringLiteral("ERROR AL GRABAR LA REDUCCIÓN"),
            QStringLiteral("No se ha podido grabar el fichero de apuestas reducidas ") + fichero +
                QStringLiteral(": ") + CausaFalloEscritura(numero) +
                QStringLiteral(". La reducción se ha cancelado y no ha quedado guardada.")};
}

MensajeReduccion MensajeFalloIndice(int numero) {
    return {QStringLiteral("ERROR AL GRABAR LA REDUCCIÓN"),
            QStringLiteral("No se ha podido grabar la reducción en el índice ") +
                QString::fromLatin1(NombreFicheroBases) + QStringLiteral(": ") +
                CausaFalloEscritura(numero) + QStringLiteral(". La reducción no se ha efectuado.")};
}

MensajeReduccion MensajeIndiceIlegible(int numero) {
    return {QStringLiteral("ERROR AL GRABAR LA REDUCCIÓN"),
            TextoFalloGuardar(QStringLiteral("No se ha podido leer el índice ") +
                                  QString::fromLatin1(NombreFicheroBases),
                              {numero, {}}, QStringLiteral(". La reducción no se ha efectuado."))};
}

// Escribe los bloques en un hilo aparte mientras el desarrollo llena el siguiente, para que
// la enumeración y la copia al disco se solapen. Hay un solo bloque en vuelo: entregar el
// siguiente espera a que acabe el anterior.
class EscrituraEnSegundoPlano {
public:
    explicit EscrituraEnSegundoPlano(EscrituraFichero& fichero)
        : fichero_(fichero), hilo_([this] { Bucle(); }) {}

    ~EscrituraEnSegundoPlano() {
        {
            const std::lock_guard<std::mutex> bloqueo(mutex_);
            fin_ = true;
        }
        cambio_.notify_all();
        hilo_.join();
    }

    EscrituraEnSegundoPlano(const EscrituraEnSegundoPlano&) = delete;
    EscrituraEnSegundoPlano& operator=(const EscrituraEnSegundoPlano&) = delete;

    // El sumidero del desarrollo; con 0 bytes solo espera a lo pendiente.
    bool Entrega(const char* datos, qsizetype bytes) {
        std::unique_lock<std::mutex> bloqueo(mutex_);
        cambio_.wait(bloqueo, [this] { return !ocupado_; });
        if (error_ != 0)
            return false;
        if (bytes == 0)
            return true;
        datos_ = datos;
        bytes_ = bytes;
        ocupado_ = true;
        cambio_.notify_all();
        return true;
    }

    int Error() {
        const std::lock_guard<std::mutex> bloqueo(mutex_);
        return error_;
    }

private:
    void Bucle() {
        std::unique_lock<std::mutex> bloqueo(mutex_);
        for (;;) {
            cambio_.wait(bloqueo, [this] { return ocupado_ || fin_; });
            if (!ocupado_)
                return;
            const char* datos = datos_;
            const qsizetype bytes = bytes_;
            bloqueo.unlock();
            const int error = fichero_.Escribe(datos, bytes) ? 0 : fichero_.Fallo().Numero;
            bloqueo.lock();
            if (error_ == 0)
                error_ = error;
            ocupado_ = false;
            cambio_.notify_all();
        }
    }

    EscrituraFichero& fichero_;
    std::mutex mutex_;
    std::condition_variable cambio_;
    const char* datos_ = nullptr;
    qsizetype bytes_ = 0;
    bool ocupado_ = false;
    bool fin_ = false;
    int error_ = 0;
    std::thread hilo_; // el último: arranca con todo lo demás ya construido
};

} // namespace

int PorcentajeReduccion(int32_t paso, int32_t pasos) {
    return pasos <= 0 ? 0 : static_cast<int>(int64_t(paso) * 100 / pasos);
}

QString TituloProgresoReduccion() {
    return QStringLiteral("REDUCIENDO APUESTAS");
}

QString TextoTamanosReduccion(int32_t total, int32_t aceptadas) {
    return FormatoTexto(QString::number(total), u"@@@@@@@@@") +
           QStringLiteral(" apuestas reducidas a ") +
           FormatoTexto(QString::number(aceptadas), u"!@@@@@@@");
}

QString TextoPorcentajeReduccion(int porcentaje) {
    return QStringLiteral("Se ha realizado el ") +
           FormatoTexto(QString::number(porcentaje), u"@@@") +
           QStringLiteral(" % de la reducción ");
}

QString TextoReduccionTerminada() {
    return QStringLiteral("Ha finalizado el proceso de reducción");
}

QString TextoReduccionCancelada() {
    return QStringLiteral("El proceso de reducción ha sido cancelado");
}

namespace {

// Comprobaciones y pregunta de sustitución; false si no se reduce (el resultado ya lo dice).
bool PuedeReducir(EstadoGlobal& estado, const OpcionesReduccion& opciones,
                  ResultadoReduccion& resultado) {
    if (auto fallo = CompruebaReduccion(estado.Red, resultado.Estadisticas)) {
        resultado.Mensaje = std::move(fallo);
        return false;
    }
    const int jornada = estado.Datos.JornadaActual;
    const int orden = estado.Datos.OrdenActual;
    const bool existe = ExisteEnBases(estado, jornada, orden);
    // Un índice que no se puede leer ya se ha avisado (EEB): no se intenta escribir en él.
    if (const int error = estado.UltimoErrorFichero;
        error != 0 && error != ErrorFichero::NoExiste) {
        resultado.Fin = FinReduccion::Fallida;
        resultado.Mensaje = MensajeIndiceIlegible(error);
        return false;
    }
    if (!existe || opciones.ReemplazaSinPreguntar)
        return true;
    const MensajeReduccion pregunta = MensajeReduccionExiste();
    estado.ReducirConfirmado = false;
    MuestraMensaje(pregunta.Titulo, pregunta.Texto, BotonMensaje::Reducir);
    if (estado.ReducirConfirmado)
        return true;
    resultado.Fin = FinReduccion::NoReemplazada;
    resultado.Mensaje = pregunta;
    return false;
}

// Desarrolla la base escribiendo las columnas en un hilo aparte; devuelve el error de
// escritura (0 si fue bien).
int DesarrollaAlFichero(Reduccion& red, const TablaDirecta& tabla,
                        const OpcionesReduccion& opciones, EscrituraFichero& fichero,
                        ResultadoReduccion& resultado) {
    if (opciones.AlEmpezar)
        opciones.AlEmpezar(resultado.Estadisticas.Total, resultado.Estadisticas.Aceptadas);
    std::optional<EscrituraEnSegundoPlano> escritura(std::in_place, fichero);
    const SumideroLineas sumidero = [&](const char* datos, qsizetype bytes) {
        return escritura->Entrega(datos, bytes);
    };
    const ResultadoDesarrollo desarrollo =
        DesarrollaReduccion(red, tabla, opciones.Aviso, sumidero, opciones.BytesBloque);
    int error = escritura->Error();
    escritura.reset(); // el hilo ha terminado: el fichero vuelve a ser solo de este hilo
    resultado.Pasos = desarrollo.Pasos;
    resultado.PasosHechos = desarrollo.PasosHechos;
    resultado.ColumnasEscritas = desarrollo.Lineas;
    if (desarrollo.Fin == FinDesarrollo::Cancelado) {
        resultado.Fin = FinReduccion::Cancelada;
        return 0;
    }
    // En Linux un temporal borrado durante la reducción se sigue escribiendo sin error: se
    // comprueba que está entero y en su sitio.
    if (desarrollo.Fin == FinDesarrollo::Completo && error == 0) {
        const QFileInfo info(fichero.RutaTemporal());
        if (!info.exists())
            error = ErrorFichero::NoExiste;
        else if (fichero.Escritos() != desarrollo.Lineas * BytesLineaColumna)
            error = ErrorFichero::ErrorEntradaSalida;
    }
    if (desarrollo.Fin == FinDesarrollo::FalloSumidero && error == 0)
        error = ErrorFichero::ErrorEntradaSalida;
    return error;
}

// Cancelar hace lo de siempre: la reducción de esa clave, si la había, se pierde. Primero el
// índice y después el fichero, anotado para que una muerte entre medias no deje un fichero suelto.
void OlvidaReduccion(EstadoGlobal& estado, int jornada, int orden, const QString& ruta) {
    ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        if (!AnotaCambioPendiente(estado, CambioOlvido(jornada, orden)).Bien())
            return ResultadoFichero{};
        BorraRegistroBases(estado, jornada, orden);
        if (!ExisteEnBases(estado, jornada, orden))
            QFile::remove(ruta);
        QuitaCambioPendiente(estado);
        return ResultadoFichero{};
    });
}

// Las columnas van a un temporal; solo completas se renombran y entonces se escribe el
// registro del índice. Si se cancela, fuera el temporal y la reducción de esa clave; si
// falla, fuera el temporal y lo guardado queda como estaba.
void EscribeColumnas(EstadoGlobal& estado, const TablaDirecta& tabla, const QString& registro,
                     const OpcionesReduccion& opciones, ResultadoReduccion& resultado) {
    const int jornada = estado.Datos.JornadaActual;
    const int orden = estado.Datos.OrdenActual;
    estado.ActualizaFicheroApuestas();
    const QString nombre = NombreFicheroApuestas(jornada, orden);
    const QString ruta = estado.Ruta(nombre);
    // Bloques de un mega: las columnas llegan ya en bloques grandes y van directas.
    EscrituraFichero parcial(RutaColumnasNuevas(ruta), 0);
    int error = 0;
    if (parcial.Abre())
        error = DesarrollaAlFichero(estado.Red, tabla, opciones, parcial, resultado);
    else
        error = parcial.Fallo().Numero;
    if (error == 0 && resultado.Fin == FinReduccion::Cancelada) {
        OlvidaReduccion(estado, jornada, orden, ruta);
        return;
    }
    if (error != 0) {
        resultado.Fin = FinReduccion::Fallida;
        resultado.Mensaje = MensajeFalloColumnas(nombre, error);
        return;
    }
    const ResultadoFichero indice =
        GuardaRegistroBases(estado, jornada, orden, registro, [&] { return parcial.Publica(); });
    if (!indice.Bien()) {
        resultado.Fin = FinReduccion::Fallida;
        resultado.Mensaje = indice.Ruta == estado.Ruta(QString::fromLatin1(NombreFicheroBases))
                                ? MensajeFalloIndice(indice.Numero)
                                : MensajeFalloColumnas(nombre, indice.Numero);
        return;
    }
    resultado.Fin = FinReduccion::Terminada;
}

} // namespace

ResultadoReduccion EjecutaReduccion(EstadoGlobal& estado, const OpcionesReduccion& opciones) {
    ResultadoReduccion resultado;
    Reduccion& red = estado.Red;
    const int jornada = estado.Datos.JornadaActual;
    const int orden = estado.Datos.OrdenActual;

    // Las cuentas de signos se rehacen con las marcas: un registro leído de disco
    // podría no traerlas cuadradas y la base desarrollada saldría distinta de la contada.
    for (int m = 1; m <= NumPartidos; ++m)
        red.Base[m].RecuentaSignos();
    TablaDirecta tabla;
    resultado.Estadisticas = CalculaEstadisticas(red, tabla);
    if (!PuedeReducir(estado, opciones, resultado))
        return resultado;

    LimpiaParametrosNoUsados(red);
    red.ApuestasBase = resultado.Estadisticas.Total;
    red.ApuestasReducidas = resultado.Estadisticas.Aceptadas;
    estado.Datos.Metodo = red.Metodo;

    // El registro lleva el estado del principio, como siempre; se escribe al final.
    const QString registro = ConstruyeRegistroReduccion(jornada, orden, red);
    EscribeColumnas(estado, tabla, registro, opciones, resultado);
    return resultado;
}

} // namespace quiniela
