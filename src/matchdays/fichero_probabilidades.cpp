#include "matchdays/fichero_probabilidades.h"

#include "core/bloqueo_datos.h"
#include "core/codificacion.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"

#include <QFile>

namespace quiniela {

namespace {

constexpr int AnchoPartido = 9;
constexpr int AnchoPorcentaje = 3;

QString NombreProbabilidades() {
    return QString::fromLatin1(NombreFicheroProbabilidades);
}

std::optional<int> Cifras(QStringView texto) {
    const QString limpio = texto.trimmed().toString();
    bool ok = false;
    const int n = limpio.toInt(&ok);
    if (!ok || limpio.isEmpty() || limpio.front() == u'+' || limpio.front() == u'-')
        return std::nullopt;
    return n;
}

EstimacionPartido PartidoDeTexto(QStringView grupo) {
    EstimacionPartido p;
    int suma = 0;
    for (int s = 0; s < NumSignosMax; ++s) {
        const auto n = Cifras(grupo.mid(s * AnchoPorcentaje, AnchoPorcentaje));
        if (!n || *n > 100)
            return {};
        p.Porcentaje[s] = *n;
        suma += *n;
    }
    p.Estimado = suma == 100;
    return p.Estimado ? p : EstimacionPartido{};
}

// Lee, cambia y escribe el fichero con la carpeta bloqueada. Sin fichero se parte de nada.
ResultadoFichero CambiaFichero(const EstadoGlobal& estado,
                               const std::function<bool(EstimacionesGuardadas&)>& cambio) {
    const QString ruta = estado.Ruta(NombreProbabilidades());
    return ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        QFile fichero(ruta);
        QByteArray datos;
        if (fichero.exists()) {
            if (fichero.open(QIODevice::ReadOnly))
                datos = fichero.readAll();
            if (fichero.error() != QFileDevice::NoError)
                return ResultadoFichero{NumeroErrorFichero(fichero.error(), ruta), ruta};
        }
        EstimacionesGuardadas jornadas = EstimacionesDeContenido(datos);
        if (!cambio(jornadas))
            return ResultadoFichero{};
        return GuardaFicheroEntero(ruta, ContenidoFicheroProbabilidades(jornadas));
    });
}

} // namespace

QString RegistroProbabilidades(int jornada, const EstimacionesJornada& e) {
    QString linea = DosCifras(jornada);
    for (int m = 1; m <= NumPartidos; ++m) {
        if (!e[m].Estimado) {
            linea += QString(AnchoPartido, u' ');
            continue;
        }
        for (int s = 0; s < NumSignosMax; ++s)
            linea += ADerecha(e[m].Porcentaje[s], AnchoPorcentaje);
    }
    return linea;
}

EstimacionesGuardadas EstimacionesDeContenido(const QByteArray& contenido) {
    EstimacionesGuardadas jornadas;
    for (const QByteArray& bytes : contenido.split('\n')) {
        const QString linea = DeWindows1252(bytes).remove(u'\r');
        if (linea.size() < 2 || !linea.at(0).isDigit() || !linea.at(1).isDigit())
            continue;
        const int jornada = linea.left(2).toInt();
        const QString cuerpo = linea.mid(2).leftJustified(NumPartidos * AnchoPartido, u' ');
        EstimacionesJornada e;
        for (int m = 1; m <= NumPartidos; ++m)
            e[m] = PartidoDeTexto(QStringView(cuerpo).mid((m - 1) * AnchoPartido, AnchoPartido));
        if (jornada >= 1 && HayEstimaciones(e))
            jornadas[jornada] = e;
    }
    return jornadas;
}

QByteArray ContenidoFicheroProbabilidades(const EstimacionesGuardadas& jornadas) {
    QByteArray contenido;
    for (const auto& [jornada, e] : jornadas)
        if (HayEstimaciones(e))
            contenido += AWindows1252(RegistroProbabilidades(jornada, e) + FinLinea);
    return contenido;
}

std::optional<EstimacionesJornada> LeeEstimaciones(EstadoGlobal& estado, int jornada) {
    ContextoErrorFichero contexto;
    contexto.Etiqueta = QStringLiteral("LPR");
    contexto.TextoRuta = QStringLiteral("de estimaciones PROBAB.ZPK");
    contexto.AvisaNoExiste = false;
    const auto contenido = LeeFicheroDatos(estado, NombreProbabilidades(), contexto);
    if (!contenido) {
        if (estado.UltimoErrorFichero != ErrorFichero::NoExiste)
            return std::nullopt;
        estado.UltimoErrorFichero = 0;
        return EstimacionesJornada{};
    }
    const EstimacionesGuardadas jornadas = EstimacionesDeContenido(*contenido);
    const auto it = jornadas.find(jornada);
    return it == jornadas.end() ? EstimacionesJornada{} : it->second;
}

ResultadoFichero GuardaEstimaciones(const EstadoGlobal& estado, int jornada,
                                    const EstimacionesJornada& e) {
    return CambiaFichero(estado, [&](EstimacionesGuardadas& jornadas) {
        if (HayEstimaciones(e))
            jornadas[jornada] = e;
        else if (jornadas.erase(jornada) == 0)
            return false; // nada que quitar: el fichero no se toca
        return true;
    });
}

ResultadoFichero BorraEstimaciones(const EstadoGlobal& estado, int desde, int hasta,
                                   int* quitadas) {
    int n = 0;
    const ResultadoFichero r = CambiaFichero(estado, [&](EstimacionesGuardadas& jornadas) {
        for (int j = desde; j <= hasta; ++j)
            n += int(jornadas.erase(j));
        return n > 0;
    });
    if (quitadas != nullptr)
        *quitadas = r.Bien() ? n : 0;
    return r;
}

QString TextoErrorGuardarEstimaciones(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(
        QStringLiteral("No se han podido guardar las estimaciones en el fichero PROBAB.ZPK"),
        resultado);
}

} // namespace quiniela
