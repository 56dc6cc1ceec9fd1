#include "output/envio_correo.h"

#include "core/codificacion.h"
#include "core/estado_global.h"
#include "output/datos_basicos.h"
#include "output/direcciones.h"
#include "output/mensaje_correo.h"
#include "output/trabajo_impresion.h"

#include <new>

namespace quiniela {

namespace {

bool Cancelado(const AvisosEnvio& avisos) {
    return avisos.Cancelar != nullptr && avisos.Cancelar->load();
}

QString MayusculaInicial(const QString& texto) {
    return texto.left(1).toUpper() + texto.mid(1);
}

QString EnviadosDe(int enviados, int total) {
    return QStringLiteral("se han enviado ") + QString::number(enviados) + QStringLiteral(" de ") +
           QString::number(total) +
           (total == 1 ? QStringLiteral(" mensaje") : QStringLiteral(" mensajes"));
}

AvisoCorreo AvisoError(const FalloCorreo& fallo, const QString& direccion, int enviados,
                       int total) {
    QString texto = QStringLiteral("No se ha podido enviar el mensaje a ") + CitaCorta(direccion) +
                    QStringLiteral(": ") + Imprimible(fallo.Descripcion) + FinLinea +
                    MayusculaInicial(EnviadosDe(enviados, total)) + u'.';
    // El texto de la biblioteca, en inglés, solo como referencia para quien sepa leerlo.
    if (!fallo.Detalle.isEmpty())
        texto += FinLinea + QStringLiteral("(") + CitaCorta(fallo.Detalle, 200) +
                 QStringLiteral("; error ") + QString::number(fallo.Numero) + u')';
    return {QStringLiteral("ERROR DE CORREO"), texto};
}

AvisoCorreo AvisoLectura(const EnvioPreparado& envio, const QString& causa, int enviados,
                         int total) {
    return {QStringLiteral("ERROR DE CORREO"),
            QStringLiteral("No se ha podido leer el fichero de columnas ") + envio.RutaColumnas +
                QStringLiteral(": ") + causa + u'.' + FinLinea +
                MayusculaInicial(EnviadosDe(enviados, total)) + u'.'};
}

AvisoCorreo AvisoSinMemoria(int enviados, int total) {
    return {QStringLiteral("SIN MEMORIA"),
            QStringLiteral("No hay memoria suficiente para preparar el mensaje. Cierre otros "
                           "programas y vuelva a intentarlo.") +
                FinLinea + MayusculaInicial(EnviadosDe(enviados, total)) + u'.'};
}

CabecerasCorreo CabecerasPara(const CuentaCorreo& cuenta, const EnvioPreparado& envio,
                              const QString& direccion, const AvisosEnvio& avisos) {
    return {cuenta.Remitente, direccion, envio.Asunto,
            avisos.Reloj ? avisos.Reloj() : QDateTime::currentDateTime(),
            NuevoIdMensaje(cuenta.Remitente)};
}

// El mayor de los mensajes de la tanda (cambia solo la dirección en las cabeceras).
qint64 MayorMensaje(const EnvioPreparado& envio, const CuentaCorreo& cuenta,
                    const ColumnasCorreo* columnas) {
    qint64 mayor = 0;
    for (const QString& direccion : envio.Validas)
        mayor = std::max(mayor, MensajeCorreo(CabecerasPara(cuenta, envio, direccion, {}),
                                              envio.TextoBasicos, nullptr)
                                    .Tamano());
    return mayor + (columnas != nullptr && columnas->Existe() ? columnas->Bytes() : 0);
}

// Envía un mensaje a cada dirección por la sesión ya abierta; el fallo o la cancelación
// quedan en `r`.
void EnviaTodos(const EnvioPreparado& envio, const CuentaCorreo& cuenta,
                TransporteCorreo& transporte, const AvisosEnvio& avisos, ColumnasCorreo* columnas,
                ResultadoEnvio& r) {
    for (const QString& direccion : envio.Validas) {
        if (Cancelado(avisos)) {
            r.Fin = FinEnvio::Cancelado;
            return;
        }
        if (avisos.AlEnviar)
            avisos.AlEnviar(r.Enviados + 1, r.Total, direccion);
        MensajeCorreo mensaje(CabecerasPara(cuenta, envio, direccion, avisos), envio.TextoBasicos,
                              columnas);
        const FalloCorreo fallo = transporte.Envia(direccion, mensaje);
        if (!fallo.Bien()) {
            r.Fin = FinEnvio::Fallido;
            if (columnas != nullptr && columnas->Cancelado())
                r.Fin = FinEnvio::Cancelado;
            else if (columnas != nullptr && !columnas->Error().isEmpty())
                r.Aviso = AvisoLectura(envio, columnas->Error(), r.Enviados, r.Total);
            else
                r.Aviso = AvisoError(fallo, direccion, r.Enviados, r.Total);
            return;
        }
        ++r.Enviados;
        if (avisos.AlEnviado)
            avisos.AlEnviado(r.Enviados, r.Total, direccion);
    }
}

// La tanda: cuenta, fichero de columnas y tamaño antes de conectar; después, la sesión.
void Ejecuta(const EnvioPreparado& envio, const CuentaCorreo& cuenta, const QString& clave,
             TransporteCorreo& transporte, const AvisosEnvio& avisos, ResultadoEnvio& r) {
    if ((r.Aviso = CompruebaCuenta(cuenta))) {
        r.Fin = FinEnvio::Fallido;
        return;
    }
    std::optional<ColumnasCorreo> columnas;
    if (!envio.RutaColumnas.isEmpty()) {
        columnas.emplace(envio.RutaColumnas, avisos.Cancelar);
        if (!columnas->Error().isEmpty()) {
            r.Fin = FinEnvio::Fallido;
            r.Aviso = AvisoLectura(envio, columnas->Error(), 0, r.Total);
            return;
        }
    }
    ColumnasCorreo* leidas = columnas ? &*columnas : nullptr;
    if ((r.Aviso = AvisoTamano(MayorMensaje(envio, cuenta, leidas), cuenta.MaximoMensaje))) {
        r.Fin = FinEnvio::Fallido;
        return;
    }
    if (const FalloCorreo fallo = transporte.Abre(cuenta, clave); !fallo.Bien()) {
        r.Fin = FinEnvio::Fallido;
        r.Aviso = AvisoError(fallo, envio.Validas.first(), 0, r.Total);
        return;
    }
    EnviaTodos(envio, cuenta, transporte, avisos, leidas, r);
    transporte.Cierra();
}

} // namespace

PreparacionCorreo PreparaEnvio(const EstadoGlobal& estado, const PeticionCorreo& peticion,
                               const QLocale& regional) {
    PreparacionCorreo p;
    if (estado.NumeroRegistroReduccion <= 0) {
        p.Aviso = AvisoCorreo{QStringLiteral("NO HAY REDUCCIÓN"),
                              QStringLiteral("No hay ninguna reducción guardada de ") +
                                  JornadaYOrden(estado) +
                                  QStringLiteral(". Elija otra jornada u otro orden: no se ha "
                                                 "enviado nada.")};
        return p;
    }
    EnvioPreparado e;
    e.Asunto = AsuntoCorreo(estado.Datos.JornadaActual, estado.Datos.OrdenActual);
    if (peticion.DatosBasicos)
        e.TextoBasicos =
            TextoDeLineas(LineasDatosBasicos(DatosBasicosDe(estado, regional), MonedaCorreo()))
                .toUtf8();
    if (peticion.Columnas)
        e.RutaColumnas = estado.Ruta(
            NombreFicheroApuestas(estado.Datos.JornadaActual, estado.Datos.OrdenActual));
    for (const QString& direccion : peticion.Direcciones) {
        const QString recortada = direccion.trimmed();
        (EsDireccionValida(recortada) ? e.Validas : e.Rechazadas) << recortada;
    }
    p.Envio = std::move(e);
    return p;
}

std::optional<AvisoCorreo> AvisoRechazadas(const QStringList& rechazadas) {
    if (rechazadas.isEmpty())
        return std::nullopt;
    QString lista;
    for (const QString& d : rechazadas)
        lista += FinLinea + QStringLiteral("   ") + CitaCorta(d);
    return AvisoCorreo{QStringLiteral("DIRECCIONES NO VÁLIDAS"),
                       QStringLiteral("No se enviará nada a estas direcciones, que no son una "
                                      "sola dirección de correo sencilla:") +
                           lista};
}

ResultadoEnvio EjecutaEnvio(const EnvioPreparado& envio, const CuentaCorreo& cuentaDada,
                            const QString& clave, TransporteCorreo& transporte,
                            const AvisosEnvio& avisos) {
    ResultadoEnvio r;
    r.Total = int(envio.Validas.size());
    if (r.Total == 0)
        return r;
    CuentaCorreo cuenta = cuentaDada;
    cuenta.Servidor = cuenta.Servidor.trimmed();
    cuenta.Remitente = cuenta.Remitente.trimmed();
    // Corre en un hilo de trabajo: una excepción que saliera de aquí cerraría el programa.
    try {
        Ejecuta(envio, cuenta, clave, transporte, avisos, r);
    } catch (const std::bad_alloc&) {
        transporte.Cierra();
        r.Fin = FinEnvio::Fallido;
        r.Aviso = AvisoSinMemoria(r.Enviados, r.Total);
    }
    return r;
}

QString TextoTamanoMensaje(qint64 bytes) {
    // Hacia arriba a la décima: un mensaje que pasa del máximo nunca se ve igual a él.
    const qint64 decimas = (bytes + BytesMb / 10 - 1) / (BytesMb / 10);
    return QLocale(QLocale::Spanish, QLocale::Spain).toString(double(decimas) / 10, 'f', 1) +
           QStringLiteral(" MB");
}

std::optional<AvisoCorreo> AvisoTamano(qint64 bytes, int maximoMb) {
    if (bytes <= qint64(maximoMb) * BytesMb)
        return std::nullopt;
    return AvisoCorreo{
        QStringLiteral("MENSAJE DEMASIADO GRANDE"),
        QStringLiteral("El mensaje ocupa ") + TextoTamanoMensaje(bytes) +
            QStringLiteral(" y el máximo de la cuenta es ") +
            QLocale(QLocale::Spanish, QLocale::Spain).toString(maximoMb) +
            QStringLiteral(" MB: no se ha enviado nada.") + FinLinea +
            QStringLiteral("Envíe solo los datos básicos, o suba el máximo en la cuenta de correo "
                           "si su servidor admite mensajes mayores.")};
}

QString TextoEnviando(int numero, int total) {
    return QStringLiteral("Enviando el mensaje ") + QString::number(numero) +
           QStringLiteral(" de ") + QString::number(total);
}

QString TextoFinEnvio(const ResultadoEnvio& r) {
    switch (r.Fin) {
    case FinEnvio::Cancelado:
        return QStringLiteral("Se ha cancelado el envío: ") + EnviadosDe(r.Enviados, r.Total);
    case FinEnvio::Fallido:
        return QStringLiteral("Envío interrumpido por un error: ") +
               EnviadosDe(r.Enviados, r.Total);
    case FinEnvio::Terminado:
        break;
    }
    if (r.Total == 0)
        return QStringLiteral("No se ha enviado ningún mensaje");
    return r.Total == 1 ? QStringLiteral("Se ha enviado 1 mensaje")
                        : QStringLiteral("Se han enviado ") + QString::number(r.Enviados) +
                              QStringLiteral(" mensajes");
}

AvisoCorreo AvisoSesionCancelada() {
    return {QStringLiteral("CORREO"), QStringLiteral("Inicio de sesión cancelado")};
}

std::optional<AvisoCorreo> CompruebaCuenta(const CuentaCorreo& cuenta) {
    const auto aviso = [](const QString& texto) {
        return AvisoCorreo{QStringLiteral("CUENTA DE CORREO"), texto};
    };
    const QString servidor = cuenta.Servidor.trimmed();
    if (servidor.isEmpty())
        return aviso(QStringLiteral("Falta el servidor de correo de la cuenta."));
    for (const QChar c : servidor)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f || QStringLiteral("/@?#\\").contains(c))
            return aviso(QStringLiteral("El servidor de correo ") + CitaCorta(servidor) +
                         QStringLiteral(" no es un nombre de servidor válido."));
    if (cuenta.PuertoEfectivo() < 1 || cuenta.PuertoEfectivo() > 65535)
        return aviso(QStringLiteral("El puerto del servidor va de 1 a 65535."));
    if (cuenta.MaximoMensaje < 1 || cuenta.MaximoMensaje > CuentaCorreo::MaximoMensajeTope)
        return aviso(QStringLiteral("El tamaño máximo de un mensaje va de 1 a %1 MB.")
                         .arg(QLocale(QLocale::Spanish, QLocale::Spain)
                                  .toString(CuentaCorreo::MaximoMensajeTope)));
    if (!EsDireccionValida(cuenta.Remitente.trimmed()))
        return aviso(QStringLiteral("La dirección del remitente no es una dirección de correo "
                                    "válida."));
    return std::nullopt;
}

} // namespace quiniela
