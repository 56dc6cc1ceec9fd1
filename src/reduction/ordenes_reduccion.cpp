#include "reduction/ordenes_reduccion.h"

#include "cli/linea_ordenes.h"
#include "core/estado_global.h"
#include "reduction/motor_reduccion.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace quiniela {

namespace {

volatile std::sig_atomic_t Interrumpido = 0;

extern "C" void AlInterrumpir(int) {
    Interrumpido = 1;
}

// Ctrl-C durante la reducción equivale a "Cancelar el proceso".
class ManejadorInterrupcion {
public:
    ManejadorInterrupcion() {
        Interrumpido = 0;
        struct sigaction accion {};
        accion.sa_handler = AlInterrumpir;
        sigemptyset(&accion.sa_mask);
        sigaction(SIGINT, &accion, &anterior_);
    }
    ~ManejadorInterrupcion() { sigaction(SIGINT, &anterior_, nullptr); }
    ManejadorInterrupcion(const ManejadorInterrupcion&) = delete;
    ManejadorInterrupcion& operator=(const ManejadorInterrupcion&) = delete;

private:
    struct sigaction anterior_ {};
};

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

// Opciones comunes a las dos órdenes: método, base, errores y totales.
std::optional<Reduccion> LeeReduccion(QStringList& args, SalidaOrden& salida) {
    const auto metodo = TomaOpcion(args, QStringLiteral("--metodo"));
    const auto base = TomaOpcion(args, QStringLiteral("--base"));
    const auto errores = TomaOpcion(args, QStringLiteral("--errores"));
    const auto totales = TomaOpcion(args, QStringLiteral("--totales"));
    if (!metodo || !base) {
        salida.err << (!metodo ? "Falta --metodo directo|probable|signos.\n"
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
    salida.err << error << "\n";
    return std::nullopt;
}

bool SobranArgumentos(const QStringList& args, SalidaOrden& salida) {
    if (args.isEmpty())
        return false;
    salida.err << "Argumento desconocido: " << args.first() << "\n";
    return true;
}

// Aviso de progreso de la consola: redibuja solo al cambiar el porcentaje y mira la marca de
// Ctrl-C cada PasosEntreConsultas combinaciones (una fracción de milisegundo).
struct AvisoConsola {
    static constexpr int32_t PasosEntreConsultas = 1 << 16;
    bool conBarra = false;
    int32_t siguienteBarra = 0; // paso en el que cambia el porcentaje
    QTextStream* err = nullptr;

    RespuestaAviso operator()(int32_t paso, int32_t pasos) {
        if (conBarra && paso >= siguienteBarra) {
            const int porcentaje = PorcentajeReduccion(paso, pasos);
            *err << '\r' << TextoPorcentajeReduccion(porcentaje) << Qt::flush;
            siguienteBarra = static_cast<int32_t>((int64_t(porcentaje + 1) * pasos + 99) / 100);
        }
        const int32_t consulta =
            paso > INT32_MAX - PasosEntreConsultas ? INT32_MAX : paso + PasosEntreConsultas;
        return {Interrumpido != 0, conBarra ? std::min(siguienteBarra, consulta) : consulta};
    }
};

void EscribeMensaje(QTextStream& flujo, const MensajeReduccion& mensaje) {
    flujo << mensaje.titulo << "\n" << mensaje.texto << "\n";
}

} // namespace

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

std::optional<QuinielaBase> LeeBase(const QString& texto, QString& error) {
    const QStringList fichas = texto.split(u' ', Qt::SkipEmptyParts);
    if (fichas.size() != NumPartidos) {
        error = QStringLiteral("La base debe tener %1 partidos separados por blancos y tiene %2.")
                    .arg(NumPartidos)
                    .arg(fichas.size());
        return std::nullopt;
    }
    QuinielaBase base;
    for (int m = 1; m <= NumPartidos; ++m) {
        const QString& ficha = fichas.at(m - 1);
        PartidoBase& p = base[m];
        const QString malEscrita =
            QStringLiteral("El partido %1 está mal escrito (\"%2\"): ").arg(m).arg(ficha);
        qsizetype i = 0;
        if (ficha.startsWith(u'-')) {
            i = 1; // partido sin ningún signo marcado
        } else {
            for (; i < ficha.size() && Signo(ficha.at(i)) != 0; ++i) {
                int16_t& marca = p.Signo[Signo(ficha.at(i))];
                if (marca == 1) {
                    error = malEscrita + QStringLiteral("un signo repetido.");
                    return std::nullopt;
                }
                marca = 1;
            }
            if (i == 0) {
                error = malEscrita +
                        QStringLiteral("debe empezar por sus signos (1, X, 2) o por \"-\".");
                return std::nullopt;
            }
        }
        p.RecuentaSignos();
        if (i < ficha.size() && ficha.at(i) == u'*') {
            p.AReducir = 1;
            ++i;
        }
        if (i < ficha.size() && ficha.at(i) == u'=' && i + 2 == ficha.size() &&
            Signo(ficha.at(i + 1)) != 0) {
            p.SignoProbable = static_cast<int16_t>(Signo(ficha.at(i + 1)));
            i += 2;
        }
        if (i != ficha.size()) {
            error =
                malEscrita +
                QStringLiteral("tras los signos solo caben \"*\" y \"=\" con el signo probable.");
            return std::nullopt;
        }
        if (p.AReducir == 1 && m == NumPartidos) {
            error = QStringLiteral("El partido 15 no puede elegirse para reducir.");
            return std::nullopt;
        }
        if (p.AReducir == 1 && p.NumSignos < 2) {
            error = QStringLiteral("El partido %1 no puede elegirse para reducir: solo los dobles "
                                   "y triples se reducen.")
                        .arg(m);
            return std::nullopt;
        }
        if (p.SignoProbable != 0 && p.Signo[p.SignoProbable] != 1) {
            error = QStringLiteral("El signo probable del partido %1 no está marcado en la base.")
                        .arg(m);
            return std::nullopt;
        }
    }
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

int OrdenReducir(EstadoGlobal& estado, const QStringList& argumentos, SalidaOrden& salida) {
    QStringList args = argumentos;
    const auto jornada = TomaOpcion(args, QStringLiteral("--jornada"));
    const auto orden = TomaOpcion(args, QStringLiteral("--orden"));
    const auto descripcion = TomaOpcion(args, QStringLiteral("--descripcion"));
    const bool reemplazar = TomaBandera(args, QStringLiteral("--reemplazar"));
    if (!jornada || !orden) {
        salida.err << "Faltan --jornada y --orden.\n";
        return 1;
    }
    const auto j = LeeNumero(*jornada, estado.Datos.TotalJornadas);
    const auto o = LeeNumero(*orden, MaxOrden);
    if (!j || *j < 1 || !o || *o < 1) {
        salida.err << "La jornada va de 1 a " << estado.Datos.TotalJornadas << " y el orden de 1 a "
                   << MaxOrden << ".\n";
        return 1;
    }
    auto red = LeeReduccion(args, salida);
    if (!red)
        return 1;
    if (descripcion) {
        red->Descripcion = descripcion->trimmed();
        if (red->Descripcion.size() > LongitudDescripcion) {
            salida.err << "La descripción admite " << LongitudDescripcion
                       << " caracteres como mucho.\n";
            return 1;
        }
    }
    if (SobranArgumentos(args, salida))
        return 1;

    estado.Datos.JornadaActual = static_cast<int16_t>(*j);
    estado.Datos.OrdenActual = static_cast<int16_t>(*o);
    estado.Datos.Metodo = red->Metodo;
    estado.ActualizaFicheroApuestas();
    estado.Red = *red;

    // Barra de progreso solo si stderr es un terminal (y no un texto en memoria).
    AvisoConsola aviso;
    aviso.conBarra = salida.err.string() == nullptr && isatty(fileno(stderr)) == 1;
    aviso.err = &salida.err;
    OpcionesReduccion opciones;
    opciones.reemplazaSinPreguntar = reemplazar;
    opciones.aviso = aviso;

    ResultadoReduccion resultado;
    {
        ManejadorInterrupcion manejador;
        resultado = EjecutaReduccion(estado, opciones);
    }
    if (aviso.conBarra && resultado.pasosHechos > 0)
        salida.err << '\n';

    switch (resultado.fin) {
    case FinReduccion::Rechazada:
        EscribeMensaje(salida.err, *resultado.mensaje);
        return SalidaComprobacionFallida;
    case FinReduccion::NoReemplazada:
        salida.err << resultado.mensaje->titulo << "\n"
                   << "Ya hay una reducción guardada de la jornada " << *j << " con el orden " << *o
                   << ". Añada --reemplazar para sustituirla.\n";
        return SalidaReduccionExiste;
    case FinReduccion::Cancelada:
        salida.err << TextoReduccionCancelada() << "\n";
        return SalidaCancelada;
    case FinReduccion::Fallida:
        EscribeMensaje(salida.err, *resultado.mensaje);
        return 1;
    case FinReduccion::Terminada:
        break;
    }
    salida.out << TextoReduccionTerminada() << "\n"
               << estado.FicheroApuestas << ": " << resultado.columnasEscritas << " columnas\n";
    const auto resumen =
        DibujaResumenReduccion(estado.Red, estado.Datos.PrecioApuestaValor, 0, QLocale());
    for (const LineaResumen& linea : resumen.lineas) {
        salida.out << linea.rotulo;
        if (!linea.valor.isEmpty())
            salida.out << ' ' << linea.valor;
        salida.out << "\n";
    }
    return 0;
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
        if (linea.grupo != grupo)
            salida.out << "\n";
        grupo = linea.grupo;
        // Como en el panel: rótulo, línea de guía hasta la columna de los dos puntos, valor.
        salida.out << linea.rotulo.leftJustified(20, u'.') << ": " << linea.valor << "\n";
    }
    if (const auto fallo = CompruebaReduccion(*red, est)) {
        salida.out << "\n";
        EscribeMensaje(salida.out, *fallo);
    }
    return 0;
}

} // namespace quiniela
