#include "cli/linea_ordenes.h"

#include "core/arranque.h"
#include "core/error_fichero.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/plataforma.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/fichero_bases.h"
#include "settings/datos_generales.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <new>

namespace quiniela {

namespace {

// Los avisos de los ficheros van a stderr en la línea de órdenes.
class AvisoConsola final : public AvisoSistema {
public:
    explicit AvisoConsola(QTextStream& err) : err_(err) {}
    void Avisa(const QString& texto) override { err_ << texto << Qt::endl; }

private:
    QTextStream& err_;
};

void MuestraAyuda(QTextStream& out) {
    out << "Uso: quiniela-cli [--datos CARPETA] ORDEN [OPCIONES]\n\n"
        << "Opciones generales:\n"
        << "  --datos CARPETA  carpeta de datos (por defecto, la del programa o la del usuario)\n"
        << "  --help           muestra esta ayuda\n"
        << "  --version        muestra la versión\n";
    if (!TablaOrdenes().empty()) {
        out << "\nÓrdenes:\n";
        for (const Orden& orden : TablaOrdenes())
            out << "  " << orden.Uso << "\n";
    }
}

// La orden que nombra la línea (lo primero que no es una opción, saltando el valor de --datos);
// nullptr si no es ninguna de la tabla.
const Orden* OrdenNombrada(const QStringList& args) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--datos") {
            ++i;
            continue;
        }
        if (args.at(i).startsWith(u'-'))
            continue;
        for (const Orden& orden : TablaOrdenes())
            if (orden.Nombre == args.at(i))
                return &orden;
        return nullptr;
    }
    return nullptr;
}

// La ayuda de una orden: "quiniela-cli ORDEN --help".
void MuestraAyudaOrden(const Orden& orden, QTextStream& out) {
    out << "Uso: quiniela-cli [--datos CARPETA] " << orden.Uso << "\n";
}

// Un argumento con bytes que no son UTF-8 llega con el carácter de sustitución: un nombre de
// fichero así se escribiría con otro nombre, así que no se hace nada.
bool ArgumentosLegibles(const QStringList& args, QTextStream& err) {
    for (const QString& a : args) {
        if (!a.contains(QChar::ReplacementCharacter))
            continue;
        err << "El argumento \"" << a
            << "\" no es texto válido: lleva bytes que no son UTF-8 (un nombre escrito en otra "
               "codificación) y se escribiría con otro nombre. No se ha hecho nada.\n";
        return false;
    }
    return true;
}

// Lo escrito en stdout ha llegado entero; si no (disco lleno, /dev/full...), lo dice.
bool CompruebaSalida(QTextStream& out, QTextStream& err) {
    out.flush();
    if (out.status() == QTextStream::Ok)
        return true;
    const auto* fichero = qobject_cast<const QFileDevice*>(out.device());
    const int numero = fichero != nullptr && fichero->error() == QFileDevice::ResourceError
                           ? ErrorFichero::DiscoLleno
                           : ErrorFichero::ErrorEntradaSalida;
    err << "No se ha podido escribir la salida de la orden: " << CausaErrorFichero(numero)
        << " (error " << numero << ").\n";
    err.flush();
    return false;
}

int EjecutaLinea(const QStringList& argumentos, QTextStream& out, QTextStream& err);

} // namespace

std::optional<QString> TomaOpcion(QStringList& argumentos, const QString& nombre) {
    const qsizetype i = argumentos.indexOf(nombre);
    if (i < 0)
        return std::nullopt;
    if (i + 1 >= argumentos.size())
        throw OpcionSinValor{nombre, {}};
    const QString valor = argumentos.at(i + 1);
    if (valor.startsWith(QStringLiteral("--")))
        throw OpcionSinValor{nombre, valor};
    argumentos.remove(i, 2);
    return valor;
}

bool TomaBandera(QStringList& argumentos, const QString& nombre) {
    return argumentos.removeAll(nombre) > 0;
}

std::optional<int> EnteroEnRango(const std::optional<QString>& texto, int minimo, int maximo) {
    bool bien = false;
    const int valor = texto ? texto->trimmed().toInt(&bien) : 0;
    if (!bien || valor < minimo || valor > maximo)
        return std::nullopt;
    return valor;
}

std::optional<int> JornadaEnRango(const EstadoGlobal& estado, const std::optional<QString>& texto) {
    return EnteroEnRango(texto, 1, estado.Datos.TotalJornadas);
}

QString TextoRangoJornada(const EstadoGlobal& estado) {
    return QStringLiteral("La jornada va de 1 a ") + QString::number(estado.Datos.TotalJornadas);
}

bool ArgumentosCompletos(const QStringList& sobrantes, bool faltaAlguna, const QString& uso,
                         QTextStream& err) {
    if (sobrantes.isEmpty() && !faltaAlguna)
        return true;
    err << (sobrantes.isEmpty() ? QStringLiteral("Faltan opciones.")
                                : QStringLiteral("Argumento desconocido: ") + sobrantes.first())
        << "\n"
        << uso;
    return false;
}

void CargaJornadaYOrden(EstadoGlobal& estado, int jornada, int orden) {
    estado.Datos.JornadaActual = int16_t(jornada);
    estado.Datos.OrdenActual = int16_t(orden);
    LeeFicheroJornadas(estado);
    LeeFicheroBases(estado);
}

int EjecutaLineaOrdenes(const QStringList& argumentos) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    return EjecutaLineaOrdenes(argumentos, out, err);
}

int EjecutaLineaOrdenes(const QStringList& argumentos, QTextStream& out, QTextStream& err) {
    int resultado = 1;
    try {
        resultado = EjecutaLinea(argumentos, out, err);
    } catch (const OpcionSinValor& falta) {
        InstalaPlataforma(Plataforma{});
        err << "Falta el valor de " << falta.Nombre;
        if (!falta.Siguiente.isEmpty())
            err << ": en su lugar viene la opción " << falta.Siguiente;
        err << ". No se ha hecho nada.\n";
    } catch (const std::bad_alloc&) {
        InstalaPlataforma(Plataforma{});
        err << "No hay memoria suficiente para terminar la orden: se ha dejado a medias. Cierre "
               "otros programas o pruebe con algo más pequeño.\n";
        resultado = 1;
    }
    if (!CompruebaSalida(out, err))
        return 1;
    err.flush();
    return resultado;
}

namespace {

int EjecutaLinea(const QStringList& argumentos, QTextStream& out, QTextStream& err) {
    QStringList args = argumentos.mid(1);
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) ||
        args.contains(QStringLiteral("-h"))) {
        if (const Orden* orden = args.isEmpty() ? nullptr : OrdenNombrada(args)) {
            MuestraAyudaOrden(*orden, out);
            return 0;
        }
        MuestraAyuda(args.isEmpty() ? err : out);
        return args.isEmpty() ? 1 : 0;
    }
    if (!ArgumentosLegibles(args, err))
        return 1;
    if (args.contains(QStringLiteral("--version"))) {
        out << "quiniela-cli " << QUINIELA_VERSION << "\n";
        return 0;
    }
    auto carpeta = TomaOpcion(args, QStringLiteral("--datos"));
    if (!carpeta)
        carpeta = EligeCarpetaDatos(BuscaDistribucion(QCoreApplication::applicationDirPath()),
                                    CarpetaRespaldo());
    if (!QFileInfo(*carpeta).isDir()) {
        err << "No existe la carpeta de datos " << QDir::toNativeSeparators(*carpeta) << ".\n";
        return 1;
    }
    if (args.isEmpty()) {
        err << "Falta la orden. Pruebe quiniela-cli --help.\n";
        return 1;
    }

    const QString nombre = args.takeFirst();
    for (const Orden& orden : TablaOrdenes()) {
        if (orden.Nombre != nombre)
            continue;
        AvisoConsola aviso(err);
        Plataforma servicios;
        servicios.Aviso = &aviso;
        InstalaPlataforma(servicios);

        EstadoGlobal estado;
        estado.CarpetaDatos = ConBarraFinal(QDir(*carpeta).absolutePath());
        LimpiaTemporalesAbandonados(estado.CarpetaDatos);
        TerminaCambiosPendientes(estado);
        // Ninguna orden cambia los datos generales: no se escriben nunca desde aquí.
        CargaDatosGenerales(estado, EscrituraDatosGenerales::SoloLectura);
        SalidaOrden salida{out, err};
        const int resultado = orden.Ejecuta(estado, args, salida);
        out.flush();
        err.flush();
        InstalaPlataforma(Plataforma{});
        return resultado;
    }
    err << "Orden desconocida: " << nombre << ". Pruebe quiniela-cli --help.\n";
    return 1;
}

} // namespace

} // namespace quiniela
