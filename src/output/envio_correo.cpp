#include "output/envio_correo.h"

#include "core/codificacion.h"
#include "core/estado_global.h"
#include "output/datos_basicos.h"
#include "output/direcciones.h"
#include "output/mensaje_correo.h"
#include "output/trabajo_impresion.h"

namespace quiniela {

namespace {

bool Cancelado(const AvisosEnvio& avisos) {
    return avisos.Cancelar != nullptr && avisos.Cancelar->load();
}

QString EnviadosDe(int enviados, int total) {
    return QStringLiteral("se han enviado ") + QString::number(enviados) + QStringLiteral(" de ") +
           QString::number(total) +
           (total == 1 ? QStringLiteral(" mensaje") : QStringLiteral(" mensajes"));
}

AvisoCorreo AvisoError(const FalloCorreo& fallo, const QString& direccion, int enviados,
                       int total) {
    return {QStringLiteral("ERROR DE CORREO"),
            QStringLiteral("Error de correo: ") + QString::number(fallo.Numero) + u' ' +
                Imprimible(fallo.Descripcion) + FinLinea +
                QStringLiteral("Al enviar el mensaje a ") + direccion + QStringLiteral(": ") +
                EnviadosDe(enviados, total) + u'.'};
}

// El cuerpo, el mismo para todas las direcciones. nullopt si se canceló o falló la lectura.
std::optional<QByteArray> Cuerpo(const EnvioPreparado& envio, const AvisosEnvio& avisos,
                                 ResultadoEnvio& r) {
    QByteArray cuerpo = envio.TextoBasicos;
    if (envio.RutaColumnas.isEmpty())
        return cuerpo;
    const ColumnasCorreo columnas = LeeColumnasCorreo(envio.RutaColumnas, avisos.Cancelar);
    if (columnas.Cancelado) {
        r.Fin = FinEnvio::Cancelado;
        return std::nullopt;
    }
    if (!columnas.Error.isEmpty()) {
        r.Fin = FinEnvio::Fallido;
        r.Aviso = AvisoCorreo{QStringLiteral("ERROR DE CORREO"),
                              QStringLiteral("No se ha podido leer el fichero de columnas ") +
                                  envio.RutaColumnas + QStringLiteral(": ") + columnas.Error +
                                  QStringLiteral(". No se ha enviado nada.")};
        return std::nullopt;
    }
    cuerpo += columnas.Texto;
    return cuerpo;
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
        lista += FinLinea + QStringLiteral("   ") + Imprimible(d);
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
    if ((r.Aviso = CompruebaCuenta(cuenta))) {
        r.Fin = FinEnvio::Fallido;
        return r;
    }
    const auto cuerpo = Cuerpo(envio, avisos, r);
    if (!cuerpo)
        return r;
    if (const FalloCorreo fallo = transporte.Abre(cuenta, clave); !fallo.Bien()) {
        r.Fin = FinEnvio::Fallido;
        r.Aviso = AvisoError(fallo, envio.Validas.first(), 0, r.Total);
        return r;
    }
    for (const QString& direccion : envio.Validas) {
        if (Cancelado(avisos)) {
            r.Fin = FinEnvio::Cancelado;
            break;
        }
        if (avisos.AlEnviar)
            avisos.AlEnviar(r.Enviados + 1, r.Total, direccion);
        const CabecerasCorreo cabeceras{cuenta.Remitente, direccion, envio.Asunto,
                                        avisos.Reloj ? avisos.Reloj()
                                                     : QDateTime::currentDateTime(),
                                        NuevoIdMensaje(cuenta.Remitente)};
        const FalloCorreo fallo = transporte.Envia(direccion, ComponMensaje(cabeceras, *cuerpo));
        if (!fallo.Bien()) {
            r.Fin = FinEnvio::Fallido;
            r.Aviso = AvisoError(fallo, direccion, r.Enviados, r.Total);
            break;
        }
        ++r.Enviados;
        if (avisos.AlEnviado)
            avisos.AlEnviado(r.Enviados, r.Total, direccion);
    }
    transporte.Cierra();
    return r;
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
            return aviso(QStringLiteral("El servidor de correo ") + Imprimible(servidor) +
                         QStringLiteral(" no es un nombre de servidor válido."));
    if (cuenta.PuertoEfectivo() < 1 || cuenta.PuertoEfectivo() > 65535)
        return aviso(QStringLiteral("El puerto del servidor va de 1 a 65535."));
    if (!EsDireccionValida(cuenta.Remitente.trimmed()))
        return aviso(QStringLiteral("La dirección del remitente no es una dirección de correo "
                                    "válida."));
    return std::nullopt;
}

} // namespace quiniela
