#include "reduction/ordenes_reduccion.h"

#include "cli/interrupcion_consola.h"
#include "core/codificacion.h"
#include "core/estado_global.h"
#include "reduction/motor_reduccion.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace quiniela {

namespace {

int Signo(QChar c) {
    switch (c.unicode()) {
    case u'1':
        return 1;
    case u'X':
    case u'x':
        return 2;
    case u'2':
        return 3;
    default:
        return 0;
    }
}

std::optional<int> LeeNumero(const QString& texto, int maximo) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{1,2}$"));
    if (!cifras.match(texto).hasMatch())
        return std::nullopt;
    const int valor = texto.toInt();
    if (valor > maximo)
        return std::nullopt;
    return valor;
}

std::optional<int16_t> LeeMetodo(const QString& texto, QString& error) {
    const QString t = texto.trimmed().toLower();
    if (t == u"directo")
        return int16_t(MetodoDirecto);
    if (t == u"probable")
        return int16_t(MetodoColumnaProbable);
    if (t == u"signos")
        return int16_t(MetodoSeleccionSignos);
    error = QStringLiteral("Método desconocido: ") + texto +
            QStringLiteral(". Use directo, probable o signos.");
    return std::nullopt;
}

// Signos del principio de la ficha ("-" si no lleva ninguno); devuelve dónde sigue la ficha.
std::optional<qsizetype> LeeSignosFicha(const QString& ficha, PartidoBase& p,
                                        const QString& malEscrita, QString& error) {
    if (ficha.startsWith(u'-'))
        return 1; // partido sin ningún signo marcado
    qsizetype i = 0;
    for (; i < ficha.size() && Signo(ficha.at(i)) != 0; ++i) {
        int16_t& marca = p.Signo[Signo(ficha.at(i))];
        if (marca == 1) {
            error = malEscrita + QStringLiteral("un signo repetido.");
            return std::nullopt;
        }
        marca = 1;
    }
    if (i == 0) {
        error = malEscrita + QStringLiteral("debe empezar por sus signos (1, X, 2) o por \"-\".");
        return std::nullopt;
    }
    return i;
}

// Lo que sigue a los signos: "*" si se reduce y "=S" con el signo probable.
bool LeeMarcasFicha(const QString& ficha, qsizetype i, PartidoBase& p, const QString& malEscrita,
                    QString& error) {
    if (i < ficha.size() && ficha.at(i) == u'*') {
        p.AReducir = 1;
        ++i;
    }
    if (i < ficha.size() && ficha.at(i) == u'=' && i + 2 == ficha.size() &&
        Signo(ficha.at(i + 1)) != 0) {
        p.SignoProbable = static_cast<int16_t>(Signo(ficha.at(i + 1)));
        i += 2;
    }
    if (i == ficha.size())
        return true;
    error = malEscrita +
            QStringLiteral("tras los signos solo caben \"*\" y \"=\" con el signo probable.");
    return false;
}

// Lo que la ficha pide frente a lo que el partido m admite.
bool CompruebaPartidoLeido(const PartidoBase& p, int m, QString& error) {
    if (p.AReducir == 1 && m == NumPartidos)
        error = QStringLiteral("El partido 15 no puede elegirse para reducir.");
    else if (p.AReducir == 1 && p.NumSignos < 2)
        error = QStringLiteral("El partido %1 no puede elegirse para reducir: solo los dobles "
                               "y triples se reducen.")
                    .arg(m);
    else if (p.SignoProbable != 0 && p.Signo[p.SignoProbable] != 1)
        error =
            QStringLiteral("El signo probable del partido %1 no está marcado en la base.").arg(m);
    else
        return true;
    return false;
}

bool LeeFicha(const QString& ficha, int m, PartidoBase& p, QString& error) {
    const QString malEscrita =
        QStringLiteral("El partido %1 está mal escrito (\"%2\"): ").arg(m).arg(ficha);
    const auto i = LeeSignosFicha(ficha, p, malEscrita, error);
    if (!i)
        return false;
    p.RecuentaSignos();
    return LeeMarcasFicha(ficha, *i, p, malEscrita, error) && CompruebaPartidoLeido(p, m, error);
}

std::optional<QuinielaBase> LeeBase(const QString& texto, QString& error) {
    const QStringList fichas = texto.split(u' ', Qt::SkipEmptyParts);
    if (fichas.size() != NumPartidos) {
        error = QStringLiteral("La base debe tener %1 partidos separados por blancos y tiene %2.")
                    .arg(NumPartidos)
                    .arg(fichas.size());
        return std::nullopt;
    }
    QuinielaBase base;
    for (int m = 1; m <= NumPartidos; ++m)
        if (!LeeFicha(fichas.at(m - 1), m, base[m], error))
            return std::nullopt;
    return base;
}

bool LeeErrores(const QString& texto, Reduccion& red, QString& error) {
    const QStringList partes = texto.trimmed().split(u'-');
    const auto minimo = partes.size() == 2 ? LeeNumero(partes.at(0), 14) : std::nullopt;
    const auto maximo = partes.size() == 2 ? LeeNumero(partes.at(1), 14) : std::nullopt;
    if (!minimo || !maximo) {
        error = QStringLiteral("Errores mal escritos (\"") + texto +
                QStringLiteral("\"): se esperan MIN-MAX, números de 0 a 14.");
        return false;
    }
    red.MinErrores = static_cast<int16_t>(*minimo);
    red.MaxErrores = static_cast<int16_t>(*maximo);
    return true;
}

bool LeeTotales(const QString& texto, Reduccion& red, QString& error) {
    const QString ayuda = QStringLiteral(": se espera \"1:L X:L 2:L\", donde L es una lista de "
                                         "totales de 0 a 14 y rangos (0,2,5-7).");
    for (const QString& parte : texto.split(u' ', Qt::SkipEmptyParts)) {
        const int k = parte.size() >= 2 && parte.at(1) == u':' ? Signo(parte.at(0)) : 0;
        if (k == 0) {
            error = QStringLiteral("Totales mal escritos (\"") + parte + u'"' + ayuda;
            return false;
        }
        for (const QString& elemento : parte.mid(2).split(u',', Qt::SkipEmptyParts)) {
            const QStringList rango = elemento.split(u'-');
            const auto desde = rango.size() <= 2 ? LeeNumero(rango.at(0), 14) : std::nullopt;
            const auto hasta = rango.size() == 2 ? LeeNumero(rango.at(1), 14) : desde;
            if (!desde || !hasta || *desde > *hasta) {
                error = QStringLiteral("Totales mal escritos (\"") + elemento + u'"' + ayuda;
                return false;
            }
            for (int r = *desde; r <= *hasta; ++r)
                red.Totales(k, r) = 1;
        }
    }
    return true;
}

// Opciones comunes a las dos órdenes: método, base, errores y totales.
std::optional<Reduccion> LeeReduccion(QStringList& args, SalidaOrden& salida) {
    const auto metodo = TomaOpcion(args, QStringLiteral("--metodo"));
    const auto base = TomaOpcion(args, QStringLiteral("--base"));
    const auto errores = TomaOpcion(args, QStringLiteral("--errores"));
    const auto totales = TomaOpcion(args, QStringLiteral("--totales"));
    if (!metodo || !base) {
        salida.Err << (!metodo ? "Falta --metodo directo|probable|signos.\n"
                               : "Falta --base con los quince partidos.\n");
        return std::nullopt;
    }
    QString error;
    Reduccion red;
    const auto m = LeeMetodo(*metodo, error);
    const auto b = m ? LeeBase(*base, error) : std::nullopt;
    if (b) {
        red.Metodo = *m;
        red.Base = *b;
        if ((!errores || LeeErrores(*errores, red, error)) &&
            (!totales || LeeTotales(*totales, red, error)))
            return red;
    }
    salida.Err << error << "\n";
    return std::nullopt;
}

bool SobranArgumentos(const QStringList& args, SalidaOrden& salida) {
    if (args.isEmpty())
        return false;
    salida.Err << "Argumento desconocido: " << args.first() << "\n";
    return true;
}

// Aviso de progreso de la consola: redibuja solo al cambiar el porcentaje y mira la marca de
// Ctrl-C cada PasosEntreConsultas combinaciones (una fracción de milisegundo).
struct AvisoConsola {
    static constexpr int32_t PasosEntreConsultas = 1 << 16;
    bool ConBarra = false;
    int32_t SiguienteBarra = 0; // paso en el que cambia el porcentaje
    QTextStream* Err = nullptr;
    const InterrupcionConsola* Interrupcion = nullptr;

    RespuestaAviso operator()(int32_t paso, int32_t pasos) {
        if (ConBarra && paso >= SiguienteBarra) {
            const int porcentaje = PorcentajeReduccion(paso, pasos);
            *Err << '\r' << TextoPorcentajeReduccion(porcentaje) << Qt::flush;
            SiguienteBarra = static_cast<int32_t>((int64_t(porcentaje + 1) * pasos + 99) / 100);
        }
        const int32_t consulta =
            paso > INT32_MAX - PasosEntreConsultas ? INT32_MAX : paso + PasosEntreConsultas;
        return {Interrupcion->Interrumpido(),
                ConBarra ? std::min(SiguienteBarra, consulta) : consulta};
    }
};

void EscribeMensaje(QTextStream& flujo, const MensajeReduccion& mensaje) {
    flujo << mensaje.Titulo << "\n" << mensaje.Texto << "\n";
}

struct PeticionReducir {
    int Jornada = 0;
    int Orden = 0;
    bool Reemplazar = false;
    Reduccion Red;
};

// Jornada, orden, descripción y reemplazo de "reducir", además de la reducción pedida.
std::optional<PeticionReducir> LeePeticionReducir(QStringList& args, const EstadoGlobal& estado,
                                                  SalidaOrden& salida) {
    const auto textoJornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto textoOrden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto descripcion = TomaOpcion(args, QStringLiteral("--descripcion"));
    PeticionReducir peticion;
    peticion.Reemplazar = TomaBandera(args, QStringLiteral("--reemplazar"));
    if (!textoJornada || !textoOrden) {
        salida.Err << "Faltan --jornada y --orden.\n";
        return std::nullopt;
    }
    const auto j = LeeNumero(*textoJornada, estado.Datos.TotalJornadas);
    const auto o = LeeNumero(*textoOrden, MaxOrden);
    if (!j || *j < 1 || !o || *o < 1) {
        salida.Err << "La jornada va de 1 a " << estado.Datos.TotalJornadas << " y el orden de 1 a "
                   << MaxOrden << ".\n";
        return std::nullopt;
    }
    const auto red = LeeReduccion(args, salida);
    if (!red)
        return std::nullopt;
    peticion.Jornada = *j;
    peticion.Orden = *o;
    peticion.Red = *red;
    if (descripcion) {
        peticion.Red.Descripcion = descripcion->trimmed();
        const auto rechazo = CompruebaTextoGuardable(
            peticion.Red.Descripcion, QStringLiteral("La descripción"), LongitudDescripcion);
        if (rechazo) {
            salida.Err << *rechazo << "\n";
            return std::nullopt;
        }
    }
    if (SobranArgumentos(args, salida))
        return std::nullopt;
    return peticion;
}

// Reduce con la barra de progreso en stderr (solo si es un terminal) y Ctrl-C como cancelar.
ResultadoReduccion ReduceEnConsola(EstadoGlobal& estado, bool reemplazar, SalidaOrden& salida) {
    const InterrupcionConsola interrupcion;
    AvisoConsola aviso;
    aviso.ConBarra = ErroresEnTerminal(salida);
    aviso.Err = &salida.Err;
    aviso.Interrupcion = &interrupcion;
    OpcionesReduccion opciones;
    opciones.ReemplazaSinPreguntar = reemplazar;
    opciones.Aviso = aviso;
    const ResultadoReduccion resultado = EjecutaReduccion(estado, opciones);
    if (aviso.ConBarra && resultado.PasosHechos > 0)
        salida.Err << '\n';
    return resultado;
}

void EscribeReduccionTerminada(const EstadoGlobal& estado, const ResultadoReduccion& resultado,
                               QTextStream& out) {
    out << TextoReduccionTerminada() << "\n"
        << estado.FicheroApuestas << ": " << resultado.ColumnasEscritas << " columnas\n";
    const auto resumen =
        DibujaResumenReduccion(estado.Red, estado.Datos.PrecioApuestaValor, 0, QLocale());
    for (const LineaResumen& linea : resumen.Lineas) {
        out << linea.Rotulo;
        if (!linea.Valor.isEmpty())
            out << ' ' << linea.Valor;
        out << "\n";
    }
}

// Estado de salida y mensaje de cada final de la reducción.
int SalidaDeReduccion(const EstadoGlobal& estado, const ResultadoReduccion& resultado,
                      SalidaOrden& salida) {
    switch (resultado.Fin) {
    case FinReduccion::Rechazada:
        EscribeMensaje(salida.Err, *resultado.Mensaje);
        return SalidaComprobacionFallida;
    case FinReduccion::NoReemplazada:
        salida.Err << resultado.Mensaje->Titulo << "\n"
                   << "Ya hay una reducción guardada de la jornada " << estado.Datos.JornadaActual
                   << " con el orden " << estado.Datos.OrdenActual
                   << ". Añada --reemplazar para sustituirla.\n";
        return SalidaReduccionExiste;
    case FinReduccion::Cancelada:
        salida.Err << TextoReduccionCancelada() << "\n";
        return SalidaCancelada;
    case FinReduccion::Fallida:
        EscribeMensaje(salida.Err, *resultado.Mensaje);
        return 1;
    case FinReduccion::Terminada:
        break;
    }
    EscribeReduccionTerminada(estado, resultado, salida.Out);
    return 0;
}

int OrdenReducir(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    const auto peticion = LeePeticionReducir(args, estado, salida);
    if (!peticion)
        return 1;
    estado.Datos.JornadaActual = static_cast<int16_t>(peticion->Jornada);
    estado.Datos.OrdenActual = static_cast<int16_t>(peticion->Orden);
    estado.Datos.Metodo = peticion->Red.Metodo;
    estado.ActualizaFicheroApuestas();
    estado.Red = peticion->Red;
    const ResultadoReduccion resultado = ReduceEnConsola(estado, peticion->Reemplazar, salida);
    return SalidaDeReduccion(estado, resultado, salida);
}

int OrdenEstadisticas(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    auto red = LeeReduccion(args, salida);
    if (!red)
        return 1;
    if (SobranArgumentos(args, salida))
        return 1;
    TablaDirecta tabla;
    const EstadisticasReduccion est = CalculaEstadisticas(*red, tabla);
    int grupo = 1;
    for (const LineaEstadistica& linea :
         LineasPanelEstadisticas(est, red->Metodo, estado.Datos.PrecioApuestaValor, QLocale())) {
        if (linea.Grupo != grupo)
            salida.Out << "\n";
        grupo = linea.Grupo;
        // Como en el panel: rótulo, línea de guía hasta la columna de los dos puntos, valor.
        salida.Out << linea.Rotulo.leftJustified(20, u'.') << ": " << linea.Valor << "\n";
    }
    if (const auto fallo = CompruebaReduccion(*red, est)) {
        salida.Out << "\n";
        EscribeMensaje(salida.Out, *fallo);
    }
    return 0;
}

} // namespace

Orden DescripcionOrdenReducir() {
    return {QStringLiteral("reducir"),
            QStringLiteral("reducir --jornada J --orden O --metodo directo|probable|signos --base "
                           "\"T1 … T15\" [--errores MIN-MAX] [--totales \"1:L X:L 2:L\"] "
                           "[--descripcion TEXTO] [--reemplazar]  reduce y guarda la base (Tm: "
                           "signos, \"*\" si se reduce, \"=S\" signo probable; \"-\" sin signos)"),
            OrdenReducir};
}

Orden DescripcionOrdenEstadisticas() {
    return {QStringLiteral("estadisticas"),
            QStringLiteral("estadisticas --metodo directo|probable|signos --base \"T1 … T15\" "
                           "[--errores MIN-MAX] [--totales \"1:L X:L 2:L\"]  muestra las "
                           "estadísticas de la reducción sin hacerla"),
            OrdenEstadisticas};
}

} // namespace quiniela
