#include "output/orden_imprimir.h"

#include "core/escritura.h"

#include "cli/interrupcion_consola.h"
#include "cli/linea_ordenes.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "output/continuo.h"
#include "output/datos_basicos.h"
#include "output/fichero_boletos.h"
#include "output/impresion_boletos.h"
#include "output/relacion.h"
#include "platform/impresora.h"
#include "reduction/fichero_bases.h"
#include "reduction/ordenes_reduccion.h"

#include <QDir>
#include <QRegularExpression>

#include <optional>

namespace quiniela {

namespace {

enum class TipoImpresion { Datos = 0, Boletos = 1, Relacion = 2, Continuo = 4 };

struct PeticionImprimir {
    int Jornada = 0;
    int Orden = 0;
    TipoImpresion Tipo = TipoImpresion::Datos;
    std::optional<QString> Desde, Hasta, Copias, Orientacion, Papel, Pdf;
    bool Reverso = false;
    bool Prueba = false;
};

const char* const UsoImprimir =
    "Uso: quiniela-cli imprimir --jornada J --orden O --tipo datos|boletos|relacion|continuo "
    "[--desde N] [--hasta M] [--copias C] [--orientacion 1|2] [--reverso] [--prueba] "
    "[--papel a4|350] [--pdf FICHERO.pdf]\n";

std::optional<int> Entero(const std::optional<QString>& texto, int minimo, int maximo) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{1,9}$"));
    if (!texto || !cifras.match(texto->trimmed()).hasMatch())
        return std::nullopt;
    const int valor = texto->trimmed().toInt();
    return valor >= minimo && valor <= maximo ? std::optional<int>(valor) : std::nullopt;
}

std::optional<TipoImpresion> TipoDe(const QString& texto) {
    static const QStringList nombres{QStringLiteral("datos"), QStringLiteral("boletos"),
                                     QStringLiteral("relacion"), QStringLiteral("continuo")};
    static const TipoImpresion tipos[] = {TipoImpresion::Datos, TipoImpresion::Boletos,
                                          TipoImpresion::Relacion, TipoImpresion::Continuo};
    const qsizetype i = nombres.indexOf(texto.trimmed().toLower());
    return i < 0 ? std::nullopt : std::optional<TipoImpresion>(tipos[i]);
}

// Una opción que no es de ese tipo de impresión es un error, no algo que se ignora.
std::optional<QString> OpcionAjena(const PeticionImprimir& p) {
    const bool datos = p.Tipo == TipoImpresion::Datos;
    const bool boletos = p.Tipo == TipoImpresion::Boletos;
    if (p.Copias && !datos)
        return QStringLiteral("--copias solo vale con --tipo datos.");
    if ((p.Desde || p.Hasta) && datos)
        return QStringLiteral("--desde y --hasta no valen con --tipo datos.");
    if ((p.Orientacion || p.Reverso) && !boletos)
        return QStringLiteral("--orientacion y --reverso solo valen con --tipo boletos.");
    if (p.Prueba && !boletos && p.Tipo != TipoImpresion::Continuo)
        return QStringLiteral("--prueba solo vale con --tipo boletos o continuo.");
    if (p.Papel && p.Tipo != TipoImpresion::Relacion)
        return QStringLiteral("--papel solo vale con --tipo relacion.");
    return std::nullopt;
}

std::optional<PeticionImprimir> LeePeticion(const EstadoGlobal& estado, QStringList args,
                                            QTextStream& err) {
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto tipo = TomaOpcion(args, QStringLiteral("--tipo"));
    PeticionImprimir p;
    p.Desde = TomaOpcion(args, QStringLiteral("--desde"));
    p.Hasta = TomaOpcion(args, QStringLiteral("--hasta"));
    p.Copias = TomaOpcion(args, QStringLiteral("--copias"));
    p.Orientacion = TomaOpcion(args, QStringLiteral("--orientacion"));
    p.Papel = TomaOpcion(args, QStringLiteral("--papel"));
    p.Pdf = TomaOpcion(args, QStringLiteral("--pdf"));
    p.Reverso = TomaBandera(args, QStringLiteral("--reverso"));
    p.Prueba = TomaBandera(args, QStringLiteral("--prueba"));
    if (!ArgumentosCompletos(args, !jornada || !orden || !tipo, QString::fromLatin1(UsoImprimir),
                             err))
        return std::nullopt;
    const auto j = Entero(jornada, 1, estado.Datos.TotalJornadas);
    const auto o = Entero(orden, 1, MaxOrden);
    const auto t = TipoDe(*tipo);
    if (!j || !o || !t) {
        err << (!t ? QStringLiteral("Tipo desconocido: ") + *tipo +
                         QStringLiteral(". Use datos, boletos, relacion o continuo.\n")
                   : TextoRangoJornada(estado) +
                         QStringLiteral(" y el orden de 1 a %1.\n").arg(MaxOrden));
        return std::nullopt;
    }
    p.Jornada = *j;
    p.Orden = *o;
    p.Tipo = *t;
    return p;
}

// Valores numéricos de las opciones; false con el mensaje si alguno no vale.
bool CompruebaValores(const PeticionImprimir& p, QTextStream& err) {
    if (const auto ajena = OpcionAjena(p)) {
        err << *ajena << "\n";
        return false;
    }
    const char* problema = nullptr;
    if ((p.Desde && !Entero(p.Desde, 1, 999999999)) || (p.Hasta && !Entero(p.Hasta, 1, 999999999)))
        problema = "--desde y --hasta son números de boleto desde 1.";
    else if (p.Desde && p.Hasta && Entero(p.Desde, 1, 999999999) > Entero(p.Hasta, 1, 999999999))
        problema = "El tramo de boletos está al revés: --desde va después de --hasta.";
    else if (p.Copias && !Entero(p.Copias, 1, 999))
        problema = "--copias va de 1 a 999.";
    else if (p.Orientacion && !Entero(p.Orientacion, 1, 2))
        problema = "--orientacion es 1 o 2.";
    else if (p.Papel && *p.Papel != u"a4" && *p.Papel != u"A4" && *p.Papel != u"350")
        problema = "--papel es a4 o 350.";
    if (problema)
        err << problema << "\n";
    return problema == nullptr;
}

// Sin impresora instalada el documento queda en PDF: se dice dónde.
class VisorConsola final : public VisorDocumentos {
public:
    explicit VisorConsola(QTextStream& out) : out_(out) {}
    void MuestraDocumento(const QString& ruta) override {
        out_ << "No hay ninguna impresora instalada: el documento se ha guardado en "
             << QDir::toNativeSeparators(ruta) << "\n";
    }

private:
    QTextStream& out_;
};

QString NombreDocumento(const PeticionImprimir& p) {
    static const QString nombres[] = {QStringLiteral("Datos básicos"), QStringLiteral("Boletos"),
                                      QStringLiteral("Relación"), QString(),
                                      QStringLiteral("Continuo")};
    return NombreDocumentoImpresion(nombres[int(p.Tipo)], p.Jornada, p.Orden);
}

RangoBoletos Rango(const PeticionImprimir& p, const EstadoGlobal& estado) {
    const int64_t total = CalculaBoletos(estado.Red.Base, estado.Red.ApuestasReducidas);
    RangoBoletos rango = RangoCompleto(total);
    if (p.Desde)
        CierraBoletoInicial(rango, *p.Desde, total);
    if (p.Hasta)
        CierraBoletoFinal(rango, *p.Hasta, total);
    return rango;
}

ResultadoImpresion ImprimeBoletosOrden(EstadoGlobal& estado, Impresora& impresora,
                                       const PeticionImprimir& p, const AvisosImpresion& avisos) {
    const int tipo = int(p.Tipo);
    const DatosGenerales& d = estado.Datos;
    if (p.Tipo == TipoImpresion::Continuo)
        return ImprimeContinuo(estado, impresora,
                               {Rango(p, estado), p.Prueba, MargenIzquierdo(d, tipo),
                                MargenSuperior(d, tipo), QLocale(), avisos});
    OpcionesBoletos o;
    o.Rango = Rango(p, estado);
    o.Orientacion = p.Orientacion ? p.Orientacion->toInt() : d.Orientacion;
    o.Reverso = p.Reverso;
    o.Prueba = p.Prueba;
    o.MargenIzquierdo = MargenIzquierdo(d, tipo);
    o.MargenSuperior = MargenSuperior(d, tipo);
    o.Avisos = avisos;
    return ImprimeBoletos(estado, impresora, o);
}

ResultadoImpresion Ejecuta(EstadoGlobal& estado, Impresora& impresora, const PeticionImprimir& p,
                           const AvisosImpresion& avisos) {
    switch (p.Tipo) {
    case TipoImpresion::Datos:
        return ImprimeDatosBasicos(estado, impresora, p.Copias ? p.Copias->toInt() : 1, QLocale(),
                                   avisos);
    case TipoImpresion::Relacion:
        return ImprimeRelacion(estado, impresora,
                               {Rango(p, estado), p.Papel && *p.Papel == u"350" ? 1 : 0, avisos});
    case TipoImpresion::Boletos:
    case TipoImpresion::Continuo:
        break;
    }
    return ImprimeBoletosOrden(estado, impresora, p, avisos);
}

AvisosImpresion AvisosConsola(SalidaOrden& salida, bool conBarra) {
    AvisosImpresion avisos;
    if (conBarra)
        avisos.AlImprimir = [&salida](const QString& texto) {
            salida.Err << '\r' << texto << Qt::flush;
        };
    avisos.AlAvisar = [&salida](const MensajeImpresion& m) {
        salida.Err << m.Titulo << "\n" << m.Texto << "\n";
    };
    return avisos;
}

int SalidaDe(const ResultadoImpresion& r, const PeticionImprimir& p, SalidaOrden& salida) {
    switch (r.Fin) {
    case FinImpresion::Terminada: {
        // "1 copia impresa", "2 copias impresas"...
        const bool una = r.Impresos == 1;
        salida.Out << r.Impresos
                   << (p.Tipo == TipoImpresion::Datos
                           ? (una ? " copia impresa\n" : " copias impresas\n")
                       : p.Tipo == TipoImpresion::Relacion
                           ? (una ? " bloque impreso\n" : " bloques impresos\n")
                           : (una ? " boleto impreso\n" : " boletos impresos\n"));
        return 0;
    }
    case FinImpresion::Cancelada:
        salida.Err << TextoImpresionCancelada() << "\n";
        return SalidaCancelada;
    case FinImpresion::SinReduccion:
    case FinImpresion::SinColumnas:
    case FinImpresion::Fallida:
        break;
    }
    if (r.Mensaje)
        salida.Err << r.Mensaje->Titulo << "\n" << r.Mensaje->Texto << "\n";
    return 1;
}

int OrdenImprimir(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    const auto p = LeePeticion(estado, argumentos, salida.Err);
    if (!p || !CompruebaValores(*p, salida.Err))
        return 1;
    if (p->Pdf) {
        if (const QString motivo = MotivoSalidaNoValida(estado.CarpetaDatos, *p->Pdf);
            !motivo.isEmpty()) {
            salida.Err << "No se puede escribir el PDF en " << *p->Pdf << ": " << motivo << ".\n";
            return 1;
        }
    }
    CargaJornadaYOrden(estado, p->Jornada, p->Orden);
    // Sin reducción no se llega a crear el documento.
    if (const auto falta = CompruebaReduccionGuardada(estado); falta && !p->Prueba)
        return SalidaDe({FinImpresion::SinReduccion, falta, 0}, *p, salida);
    VisorConsola visor(salida.Out);
    const auto impresora =
        p->Pdf ? CreaImpresoraPdf(*p->Pdf) : ImpresoraDelSistema(NombreDocumento(*p), visor);
    if (!impresora) {
        salida.Err << "Esta instalación no puede imprimir ni escribir PDF.\n";
        return 1;
    }
    const bool conBarra = ErroresEnTerminal(salida);
    AvisosImpresion avisos = AvisosConsola(salida, conBarra);
    InterrupcionConsola interrupcion;
    avisos.CancelarProceso = interrupcion.Bandera();
    const ResultadoImpresion r = Ejecuta(estado, *impresora, *p, avisos);
    if (conBarra)
        salida.Err << '\r' << QString(40, u' ') << '\r' << Qt::flush;
    return SalidaDe(r, *p, salida);
}

} // namespace

Orden DescripcionOrdenImprimir() {
    return {QStringLiteral("imprimir"),
            QStringLiteral("imprimir --jornada J --orden O --tipo datos|boletos|relacion|continuo "
                           "[--desde N] [--hasta M] [--copias C] [--orientacion 1|2] [--reverso] "
                           "[--prueba] [--papel a4|350] [--pdf FICHERO.pdf]  imprime la reducción "
                           "en la impresora predeterminada (o en un PDF si no hay ninguna)"),
            OrdenImprimir};
}

} // namespace quiniela
