#include "output/orden_enviar.h"

#include "cli/clave_consola.h"
#include "cli/interrupcion_consola.h"
#include "core/codificacion.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "output/cuenta_correo.h"
#include "output/direcciones.h"
#include "output/envio_correo.h"
#include "reduction/fichero_bases.h"
#include "reduction/ordenes_reduccion.h"

namespace quiniela {

namespace {

const char* const UsoEnviar =
    "Uso: quiniela-cli enviar --jornada J --orden O [--basicos] [--columnas] [--a DIRECCION]... "
    "[--servidor HOST[:PUERTO]] [--seguridad starttls|tls|ninguna] [--usuario U] "
    "[--remitente R] [--certificado FICHERO] [--maximo MB]\n";

struct PeticionEnviar {
    int Jornada = 0;
    int Orden = 0;
    PeticionCorreo Correo;
    bool ConDirecciones = false; // --a: solo esas, no las de DIRECC.ZPK
    CuentaCorreo Cuenta;
};

// "HOST" o "HOST:PUERTO".
bool PonServidor(const QString& texto, CuentaCorreo& cuenta) {
    const qsizetype dos = texto.lastIndexOf(u':');
    if (dos < 0) {
        cuenta.Servidor = texto.trimmed();
        return true;
    }
    const auto puerto = EnteroEnRango(texto.mid(dos + 1), 1, 65535);
    cuenta.Servidor = texto.left(dos).trimmed();
    cuenta.Puerto = puerto.value_or(0);
    return puerto.has_value();
}

// Lo que se da en la línea manda sobre lo guardado en los ajustes.
bool LeeCuenta(QStringList& args, CuentaCorreo& c, QTextStream& err) {
    if (const auto servidor = TomaOpcion(args, QStringLiteral("--servidor"));
        servidor && !PonServidor(*servidor, c)) {
        err << "El puerto de --servidor va de 1 a 65535.\n";
        return false;
    }
    if (const auto seguridad = TomaOpcion(args, QStringLiteral("--seguridad"))) {
        const auto s = SeguridadDeTexto(*seguridad);
        if (!s) {
            err << "--seguridad es starttls, tls o ninguna.\n";
            return false;
        }
        c.Seguridad = *s;
    }
    c.Usuario = TomaOpcion(args, QStringLiteral("--usuario")).value_or(c.Usuario);
    c.Remitente = TomaOpcion(args, QStringLiteral("--remitente")).value_or(c.Remitente);
    c.Certificado = TomaOpcion(args, QStringLiteral("--certificado")).value_or(c.Certificado);
    if (const auto maximo = TomaOpcion(args, QStringLiteral("--maximo"))) {
        const auto mb = EnteroEnRango(maximo, 1, CuentaCorreo::MaximoMensajeTope);
        if (!mb) {
            err << QStringLiteral("--maximo va de 1 a %1 (MB).\n")
                       .arg(CuentaCorreo::MaximoMensajeTope);
            return false;
        }
        c.MaximoMensaje = *mb;
    }
    return true;
}

std::optional<PeticionEnviar> LeePeticion(const EstadoGlobal& estado, QStringList args,
                                          QTextStream& err) {
    PeticionEnviar p;
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const bool basicos = TomaBandera(args, QStringLiteral("--basicos"));
    const bool columnas = TomaBandera(args, QStringLiteral("--columnas"));
    // Sin ninguna de las dos, las dos: como las casillas al abrir la pantalla.
    p.Correo.DatosBasicos = basicos || !columnas;
    p.Correo.Columnas = columnas || !basicos;
    while (const auto a = TomaOpcion(args, QStringLiteral("--a")))
        p.Correo.Direcciones << *a;
    p.ConDirecciones = !p.Correo.Direcciones.isEmpty();
    p.Cuenta = LeeCuentaCorreo(*AjustesUsuario());
    if (!LeeCuenta(args, p.Cuenta, err))
        return std::nullopt;
    if (!ArgumentosCompletos(args, !jornada || !orden, QString::fromLatin1(UsoEnviar), err))
        return std::nullopt;
    const auto j = JornadaEnRango(estado, jornada);
    const auto o = EnteroEnRango(orden, 1, MaxOrden);
    if (!j || !o) {
        err << TextoRangoJornada(estado)
            << QStringLiteral(" y el orden de 1 a %1.\n").arg(MaxOrden);
        return std::nullopt;
    }
    p.Jornada = *j;
    p.Orden = *o;
    return p;
}

// Las direcciones de DIRECC.ZPK, si no se dieron con --a. false si no se pudo leer.
bool PonDireccionesGuardadas(EstadoGlobal& estado, PeticionEnviar& p) {
    if (p.ConDirecciones)
        return true;
    const LecturaDirecciones lectura = CargaLisDirecciones(estado);
    p.Correo.Direcciones = lectura.Direcciones;
    return !lectura.Fallida;
}

// Los avisos separan sus frases con CR LF, como en la ventana; en la consola, una línea.
QString ParaConsola(const AvisoCorreo& aviso) {
    return QString(aviso.Texto).replace(FinLinea, QStringLiteral("\n")) + u'\n';
}

int SalidaDe(const ResultadoEnvio& r, SalidaOrden& salida) {
    if (r.Fin == FinEnvio::Terminado) {
        salida.Out << TextoFinEnvio(r) << "\n";
        return 0;
    }
    if (r.Aviso)
        salida.Err << ParaConsola(*r.Aviso);
    salida.Err << TextoFinEnvio(r) << "\n";
    return r.Fin == FinEnvio::Cancelado ? SalidaCancelada : 1;
}

int OrdenEnviar(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    auto p = LeePeticion(estado, argumentos, salida.Err);
    if (!p)
        return 1;
    CargaJornadaYOrden(estado, p->Jornada, p->Orden);
    if (!PonDireccionesGuardadas(estado, *p))
        return 1;
    const PreparacionCorreo preparada = PreparaEnvio(estado, p->Correo, QLocale());
    if (preparada.Aviso) {
        salida.Err << ParaConsola(*preparada.Aviso);
        return 1;
    }
    const EnvioPreparado& envio = *preparada.Envio;
    if (const auto rechazadas = AvisoRechazadas(envio.Rechazadas))
        salida.Err << ParaConsola(*rechazadas);
    if (envio.Validas.isEmpty()) {
        salida.Err
            << "No se ha enviado ningún mensaje: no hay ninguna dirección a la que enviar.\n";
        return envio.Rechazadas.isEmpty() ? 0 : 1;
    }
    if (const auto mala = CompruebaCuenta(p->Cuenta)) {
        salida.Err << ParaConsola(*mala);
        return 1;
    }
    QString clave;
    if (!p->Cuenta.Usuario.isEmpty()) {
        const auto dada = ClaveCorreoConsola(salida);
        if (!dada) {
            salida.Err << "Falta la clave del correo: póngala en " << VariableClaveCorreo
                       << " o ejecute la orden en un terminal.\n";
            return 1;
        }
        clave = *dada;
    }
    AvisosEnvio avisos;
    avisos.AlEnviado = [&salida](int n, int total, const QString& direccion) {
        salida.Out << "Enviado a " << direccion << " (" << n << " de " << total << ")\n"
                   << Qt::flush;
    };
    InterrupcionConsola interrupcion;
    avisos.Cancelar = interrupcion.Bandera();
    const std::unique_ptr<TransporteCorreo> transporte = CreaTransporteCorreo();
    return SalidaDe(EjecutaEnvio(envio, p->Cuenta, clave, *transporte, avisos), salida);
}

} // namespace

Orden DescripcionOrdenEnviar() {
    return {QStringLiteral("enviar"),
            QStringLiteral("enviar --jornada J --orden O [--basicos] [--columnas] "
                           "[--a DIRECCION]... [--servidor HOST[:PUERTO]] "
                           "[--seguridad starttls|tls|ninguna] [--usuario U] [--remitente R] "
                           "[--certificado FICHERO] [--maximo MB]  envía la reducción por correo, "
                           "un mensaje por dirección (sin --a, a las de DIRECC.ZPK) si no pasa "
                           "del tamaño máximo de la cuenta (20 MB si no se dice otro)"),
            OrdenEnviar};
}

} // namespace quiniela
