#include "settings/datos_generales.h"

#include "core/bloqueo_datos.h"
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
    c.Etiqueta = QStringLiteral("LDG");
    c.TextoNoExiste =
        QStringLiteral("No se encuentra el fichero de datos generales DATOSGEN.ZPK.") + FinLinea +
        QStringLiteral(
            "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.");
    c.TextoRuta = QStringLiteral("de datos generales DATOSGEN.ZPK");
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
    return ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        return GuardaFicheroEntero(estado.Ruta(QString::fromLatin1(NombreDatosGenerales)),
                                   LineaDatosGenerales(estado.Datos));
    });
}

QString TextoErrorGuardarDatosGenerales(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(
        QStringLiteral("No se han podido guardar los datos generales en el fichero DATOSGEN.ZPK"),
        resultado,
        QStringLiteral(". Compruebe que la carpeta de datos existe y admite escritura."));
}

namespace {

// Lee los 14 valores recordando el primero que falla.
class LecturaDatosGenerales {
public:
    explicit LecturaDatosGenerales(const QByteArray& contenido)
        : lector_(DeWindows1252(contenido)) {}
    int16_t Entero() { return Anota(lector_.SiguienteEntero(&ultimo_)); }
    QString Texto() { return Anota(lector_.SiguienteTexto(&ultimo_)); }
    QString Texto(int ancho) { return AnchoFijo(Texto(), ancho); }
    int Error = 0;
    int Campo = 0; // el valor que falló, desde 1

private:
    template <typename T> T Anota(T valor) {
        ++leidos_;
        if (ultimo_ != 0 && Error == 0) {
            Error = ultimo_;
            Campo = leidos_;
        }
        return valor;
    }
    LectorDelimitado lector_;
    int ultimo_ = 0;
    int leidos_ = 0;
};

DatosGenerales LeeValores(LecturaDatosGenerales& l) {
    DatosGenerales d;
    d.JornadaActual = l.Entero();
    d.FechaJornada = l.Texto();
    d.OrdenActual = l.Entero();
    d.Metodo = l.Entero();
    d.MargenIzquierdo[1] = l.Entero();
    d.MargenSuperior[1] = l.Entero();
    d.MargenIzquierdo[2] = l.Entero();
    d.MargenSuperior[2] = l.Entero();
    d.Orientacion = l.Entero();
    d.TotalJornadas = l.Entero();
    d.PrecioApuesta = l.Texto(4);
    d.CodigoDelegacion = l.Texto(2);
    d.CodigoReceptor = l.Texto(5);
    d.Sonido = l.Texto(2);
    return d;
}

QString QueFalla(int error) {
    switch (error) {
    case ErrorFichero::FinDeFichero:
        return QStringLiteral("falta");
    case ErrorFichero::Desbordamiento:
        return QStringLiteral("no cabe: debe estar entre -32768 y 32767");
    default:
        return QStringLiteral("no es un número");
    }
}

QString TextoDatosGeneralesDanados(const LecturaDatosGenerales& l,
                                   const std::optional<QString>& copia) {
    QString texto = QStringLiteral("LDG ERROR ") + QString::number(l.Error) +
                    QStringLiteral(": el fichero de datos generales DATOSGEN.ZPK está dañado (el "
                                   "valor número ") +
                    QString::number(l.Campo) + QStringLiteral(" ") + QueFalla(l.Error) +
                    QStringLiteral(").") + FinLinea;
    if (!copia)
        return texto + QStringLiteral("No se ha podido copiar aparte, así que no se sustituye: "
                                      "se usan los valores por defecto sin guardarlos.");
    return texto + QStringLiteral("Se ha guardado una copia como ") + *copia +
           QStringLiteral(" y se usan los valores por defecto.");
}

ContextoErrorFichero ContextoCarga(EscrituraDatosGenerales modo) {
    ContextoErrorFichero c = ContextoDatosGenerales();
    if (modo == EscrituraDatosGenerales::SoloLectura)
        c.TextoNoExiste = QStringLiteral("No se encuentra el fichero de datos generales "
                                         "DATOSGEN.ZPK. Se usan los valores por defecto.");
    return c;
}

// Valores por defecto en lugar de un fichero que no se pudo leer; se escriben solo si se
// puede escribir y no se pierde nada (no existía o ya está copiado aparte).
void PonDatosPorDefecto(EstadoGlobal& estado, bool guarda) {
    estado.Datos = DatosGenerales{};
    if (!guarda)
        return;
    const ResultadoFichero resultado = GuardaDatosGenerales(estado);
    if (!resultado.Bien())
        AvisaSistema(TextoFalloGuardar(
            QStringLiteral("No se ha podido crear el fichero de datos generales DATOSGEN.ZPK"),
            resultado));
}

} // namespace

void CargaDatosGenerales(EstadoGlobal& estado, EscrituraDatosGenerales modo) {
    const QString ruta = estado.Ruta(QString::fromLatin1(NombreDatosGenerales));
    const bool escribe = modo == EscrituraDatosGenerales::Permitida;
    const auto contenido =
        LeeFicheroDatos(estado, QString::fromLatin1(NombreDatosGenerales), ContextoCarga(modo));
    if (!contenido) {
        // Solo se crea si no existía: uno que no se deja leer puede tener los datos buenos.
        PonDatosPorDefecto(estado, escribe && estado.UltimoErrorFichero == ErrorFichero::NoExiste);
    } else {
        LecturaDatosGenerales lectura(*contenido);
        const DatosGenerales leidos = LeeValores(lectura);
        if (lectura.Error == 0) {
            estado.Datos = leidos;
            CorrigeFueraDeRango(estado.Datos);
        } else {
            estado.UltimoErrorFichero = static_cast<int16_t>(lectura.Error);
            const auto copia = CopiaFicheroDanado(ruta);
            AvisaSistema(TextoDatosGeneralesDanados(lectura, copia));
            PonDatosPorDefecto(estado, escribe && copia.has_value());
        }
    }
    estado.Datos.PrecioApuestaValor = static_cast<float>(ValorNumerico(estado.Datos.PrecioApuesta));
}

} // namespace quiniela
