#include "settings/datos_generales.h"

#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "core/texto_delimitado.h"
#include "platform/plataforma.h"

namespace quiniela {

namespace {

ContextoErrorFichero ContextoDatosGenerales() {
    ContextoErrorFichero c;
    c.etiqueta = QStringLiteral("LDG");
    c.textoNoExiste =
        QStringLiteral("No se encuentra el fichero de datos generales DATOSGEN.ZPK.") + FinLinea +
        QStringLiteral(
            "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.");
    c.textoRuta = QStringLiteral("de datos generales DATOSGEN.ZPK");
    return c;
}

// Un fichero editado a mano no debe dejar índices imposibles en el estado.
void CorrigeFueraDeRango(DatosGenerales& d) {
    const DatosGenerales defecto;
    if (d.TotalJornadas < 1 || d.TotalJornadas > 99)
        d.TotalJornadas = defecto.TotalJornadas;
    if (d.JornadaActual < 1)
        d.JornadaActual = 1;
    if (d.JornadaActual > d.TotalJornadas)
        d.JornadaActual = d.TotalJornadas;
    if (d.OrdenActual < 1 || d.OrdenActual > MaxOrden)
        d.OrdenActual = 1;
    if (d.Metodo < 1 || d.Metodo > NumMetodos)
        d.Metodo = defecto.Metodo;
    if (d.Orientacion != 1 && d.Orientacion != 2)
        d.Orientacion = defecto.Orientacion;
}

} // namespace

double ValorNumerico(const QString& texto) {
    QString cifras;
    bool punto = false;
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == u' ')
        ++i;
    for (; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isDigit() && c.unicode() < 128) {
            cifras += c;
        } else if (c == u'.' && !punto) {
            punto = true;
            cifras += c;
        } else {
            break;
        }
    }
    return cifras.isEmpty() || cifras == u"." ? 0.0 : cifras.toDouble();
}

QByteArray LineaDatosGenerales(const DatosGenerales& d) {
    const auto n = [](int v) { return QString::number(v); };
    const QStringList valores{n(d.JornadaActual),
                              EntreComillas(d.FechaJornada),
                              n(d.OrdenActual),
                              n(d.Metodo),
                              n(d.MargenIzquierdo[1]),
                              n(d.MargenSuperior[1]),
                              n(d.MargenIzquierdo[2]),
                              n(d.MargenSuperior[2]),
                              n(d.Orientacion),
                              n(d.TotalJornadas),
                              EntreComillas(AnchoFijo(d.PrecioApuesta, 4)),
                              EntreComillas(AnchoFijo(d.CodigoDelegacion, 2)),
                              EntreComillas(AnchoFijo(d.CodigoReceptor, 5)),
                              EntreComillas(AnchoFijo(d.Sonido, 2))};
    return AWindows1252(valores.join(u',') + FinLinea);
}

ResultadoFichero GuardaDatosGenerales(const EstadoGlobal& estado) {
    return GuardaFicheroEntero(estado.Ruta(QString::fromLatin1(NombreDatosGenerales)),
                               LineaDatosGenerales(estado.Datos));
}

QString TextoErrorGuardarDatosGenerales(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(
        QStringLiteral("No se han podido guardar los datos generales en el fichero DATOSGEN.ZPK"),
        resultado,
        QStringLiteral(". Compruebe que la carpeta de datos existe y admite escritura."));
}

void CargaDatosGenerales(EstadoGlobal& estado) {
    const QString nombre = QString::fromLatin1(NombreDatosGenerales);
    const ContextoErrorFichero contexto = ContextoDatosGenerales();
    const auto contenido = LeeFicheroDatos(estado, nombre, contexto);

    DatosGenerales leidos;
    if (contenido) {
        LectorDelimitado lector(DeWindows1252(*contenido));
        int error = 0;
        leidos.JornadaActual = lector.SiguienteEntero(&error);
        leidos.FechaJornada = lector.SiguienteTexto(&error);
        leidos.OrdenActual = lector.SiguienteEntero(&error);
        leidos.Metodo = lector.SiguienteEntero(&error);
        leidos.MargenIzquierdo[1] = lector.SiguienteEntero(&error);
        leidos.MargenSuperior[1] = lector.SiguienteEntero(&error);
        leidos.MargenIzquierdo[2] = lector.SiguienteEntero(&error);
        leidos.MargenSuperior[2] = lector.SiguienteEntero(&error);
        leidos.Orientacion = lector.SiguienteEntero(&error);
        leidos.TotalJornadas = lector.SiguienteEntero(&error);
        leidos.PrecioApuesta = AnchoFijo(lector.SiguienteTexto(&error), 4);
        leidos.CodigoDelegacion = AnchoFijo(lector.SiguienteTexto(&error), 2);
        leidos.CodigoReceptor = AnchoFijo(lector.SiguienteTexto(&error), 5);
        leidos.Sonido = AnchoFijo(lector.SiguienteTexto(&error), 2);
        if (error != 0)
            NotificaErrorFichero(estado, contexto, error, estado.Ruta(nombre));
    }

    if (estado.UltimoErrorFichero != 0) {
        // Cualquier fallo deja los valores por defecto, y se guardan.
        estado.Datos = DatosGenerales{};
        const ResultadoFichero resultado = GuardaDatosGenerales(estado);
        if (!resultado.Bien())
            AvisaSistema(TextoFalloGuardar(
                QStringLiteral("No se ha podido crear el fichero de datos generales DATOSGEN.ZPK"),
                resultado));
    } else {
        estado.Datos = leidos;
        CorrigeFueraDeRango(estado.Datos);
    }
    estado.Datos.PrecioApuestaValor = static_cast<float>(ValorNumerico(estado.Datos.PrecioApuesta));
}

} // namespace quiniela
