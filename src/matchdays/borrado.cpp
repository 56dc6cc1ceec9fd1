#include "matchdays/borrado.h"

#include "core/bloqueo_datos.h"
#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "matchdays/fichero_probabilidades.h"
#include "platform/plataforma.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/fichero_bases.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace quiniela {

namespace {

QString Numero(int n) {
    return QString::number(n);
}

// Quita los ficheros "RED" + jj + "*" + ".ZPK" de la jornada (todos sus órdenes). Uno que
// ya no está no es un fallo; uno que no se deja quitar para el borrado.
bool BorraFicherosColumnas(const EstadoGlobal& estado, int jornada, ResultadoBorrado& r) {
    QDir carpeta(estado.CarpetaDatos);
    const QString patron = QStringLiteral("RED") + DosCifras(jornada) + QStringLiteral("*.ZPK");
    const QStringList nombres = carpeta.entryList({patron}, QDir::Files, QDir::Name);
    for (const QString& nombre : nombres) {
        QFile fichero(estado.Ruta(nombre));
        if (fichero.remove() || !fichero.exists()) {
            r.FicherosBorrados << nombre;
            continue;
        }
        const int numero = NumeroErrorFichero(fichero.error(), fichero.fileName());
        r.Fallo = {numero != 0 ? numero : ErrorFichero::PermisoDenegado, fichero.fileName()};
        r.Paso = PasoBorrado::Columnas;
        return false;
    }
    return true;
}

// Causa de un fallo en palabras, con su número.
QString CausaFallo(const ResultadoFichero& fallo) {
    const QString numero = QStringLiteral(" (error ") + Numero(fallo.Numero) + u')';
    if (fallo.Numero == ErrorFichero::NoExiste)
        return QStringLiteral("el fichero ha desaparecido durante el borrado") + numero;
    const QString causa = CausaFalloEscritura(fallo.Numero);
    return causa.contains(QStringLiteral("(error ")) ? causa : causa + numero;
}

QString NombreFichero(const QString& ruta) {
    return ruta.section(u'/', -1);
}

} // namespace

RangoJornadas OrdenaRango(int desde, int hasta) {
    return {std::min(desde, hasta), std::max(desde, hasta)};
}

ContenidoLista CargaLisRango() {
    ContenidoLista lista;
    lista.Columnas = 6;
    for (int j = 1; j <= JornadasBorrado; ++j)
        lista.Entradas << ADerecha(j, 2);
    lista.Seleccion = 0;
    return lista;
}

QString TituloDesde(int jornada) {
    return QStringLiteral("Desde la jornada ") + Numero(jornada);
}

QString TituloHasta(int jornada) {
    return QStringLiteral("Hasta la jornada ") + Numero(jornada);
}

int RangoBorrado::EligeDesde(int jornada) {
    desde_ = jornada;
    return hasta_ < desde_ ? desde_ : 0;
}

int RangoBorrado::EligeHasta(int jornada) {
    hasta_ = jornada;
    return desde_ > hasta_ ? hasta_ : 0;
}

QString TituloConfirmacionBorrado() {
    return QStringLiteral("BORRADO DE DATOS");
}

QString TextoConfirmacionBorrado(int jorIni, int jorFin) {
    const RangoJornadas rango = OrdenaRango(jorIni, jorFin);
    QString texto =
        QStringLiteral("Se  va  a  proceder  a  la  eliminación  de  todos  los  datos");
    if (rango.Desde != rango.Hasta)
        texto += QStringLiteral("  desde la  jornada  ") + ADerecha(rango.Desde, 2) +
                 QStringLiteral("  hasta  la  jornada ") + ADerecha(rango.Hasta, 2) +
                 QStringLiteral("  ");
    else
        texto += QStringLiteral(" de la Jornada ") + ADerecha(rango.Desde, 2);
    return texto + QStringLiteral(" .  Si  desea  continuar  con  el  proceso,  pulse Borrar. "
                                  "Si desea cancelar el proceso, pulse Salir.");
}

void BorraJornadaBloqueada(EstadoGlobal& estado, int jornada, ResultadoBorrado& r) {
    // Primero sale del índice: desde ahí nada lista sus reducciones aunque sus ficheros sigan.
    const LiberacionBases indice = LiberaJornadasBases(estado, jornada, jornada);
    r.RegistrosIndice += indice.Liberados;
    if (!indice.Resultado.Bien()) {
        r.FalloIndice = indice.Resultado;
        return;
    }
    r.Fallo = EscribeRegistroJornada(estado, jornada, QString(LongitudRegistroJornada, u' '));
    if (!r.Bien()) {
        r.Paso = PasoBorrado::Jornada;
        return;
    }
    if (!BorraFicherosColumnas(estado, jornada, r))
        return;
    int estimadas = 0;
    r.FalloEstimaciones = BorraEstimaciones(estado, jornada, jornada, &estimadas);
    r.JornadasEstimadas += estimadas;
}

void BorraJornadaBloqueada(EstadoGlobal& estado, int jornada) {
    ResultadoBorrado r;
    BorraJornadaBloqueada(estado, jornada, r);
}

ResultadoBorrado BorraJornadas(EstadoGlobal& estado, int desde, int hasta) {
    ResultadoBorrado r;
    r.Rango = OrdenaRango(desde, hasta);
    for (int j = r.Rango.Desde; j <= r.Rango.Hasta && r.Completo(); ++j) {
        r.Alcanzada = j;
        // Cada jornada es un cambio anotado: si el proceso muere a mitad, el siguiente arranque
        // la termina de borrar.
        const ResultadoFichero cambio = ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
            if (const ResultadoFichero a = AnotaCambioPendiente(estado, CambioBorradoJornada(j));
                !a.Bien())
                return a;
            BorraJornadaBloqueada(estado, j, r);
            // Con el índice ya cambiado, lo que falte queda anotado para el próximo arranque.
            if (r.Completo() || !r.FalloIndice.Bien())
                QuitaCambioPendiente(estado);
            else
                r.Pendiente = true;
            return ResultadoFichero{};
        });
        if (!cambio.Bien()) {
            r.Fallo = cambio;
            r.Paso = PasoBorrado::Jornada;
        }
    }
    return r;
}

std::optional<ResultadoBorrado> PulsaBorrarDatos(EstadoGlobal& estado, const RangoBorrado& rango,
                                                 const std::function<void(bool)>& espera) {
    TocaSonido(estado, 9);
    estado.BorrarConfirmado = false;
    MuestraMensaje(TituloConfirmacionBorrado(),
                   TextoConfirmacionBorrado(rango.JorIni(), rango.JorFin()), BotonMensaje::Borrar);
    if (!estado.BorrarConfirmado)
        return std::nullopt;
    if (espera)
        espera(true);
    ResultadoBorrado r = BorraJornadas(estado, rango.JorIni(), rango.JorFin());
    if (espera)
        espera(false);
    if (!r.Completo())
        MuestraMensaje(TituloFalloBorrado(), TextoFalloBorrado(r));
    return r;
}

QString TituloFalloBorrado() {
    return QStringLiteral("ERROR EN EL BORRADO");
}

QString TextoFalloBorrado(const ResultadoBorrado& r) {
    QString texto;
    const int j = r.Alcanzada;
    if (!r.Bien()) {
        texto = r.Paso == PasoBorrado::Jornada
                    ? QStringLiteral("No se ha podido borrar la jornada ") + Numero(j) +
                          QStringLiteral(" en ") + NombreFichero(r.Fallo.Ruta)
                    : QStringLiteral("No se ha podido quitar el fichero de columnas ") +
                          NombreFichero(r.Fallo.Ruta) + QStringLiteral(" de la jornada ") +
                          Numero(j);
        texto += QStringLiteral(": ") + CausaFallo(r.Fallo) +
                 QStringLiteral(". El borrado se ha parado en la jornada ") + Numero(j) + u'.';
        const int borradas = r.Paso == PasoBorrado::Jornada ? j - 1 : j;
        texto += borradas >= r.Rango.Desde
                     ? QStringLiteral(" Se han borrado las jornadas ") + Numero(r.Rango.Desde) +
                           QStringLiteral(" a ") + Numero(borradas) +
                           QStringLiteral("; las siguientes siguen como estaban.")
                     : QStringLiteral(" No se ha borrado ninguna jornada.");
    }
    if (!r.FalloIndice.Bien()) {
        texto += QStringLiteral("No se han podido quitar las reducciones de la jornada ") +
                 Numero(j) + QStringLiteral(" del índice ") + NombreFichero(r.FalloIndice.Ruta) +
                 QStringLiteral(": ") + CausaFallo(r.FalloIndice) +
                 QStringLiteral(". El borrado se ha parado en la jornada ") + Numero(j) + u'.';
        texto += j > r.Rango.Desde
                     ? QStringLiteral(" Se han borrado las jornadas ") + Numero(r.Rango.Desde) +
                           QStringLiteral(" a ") + Numero(j - 1) +
                           QStringLiteral("; las siguientes siguen como estaban.")
                     : QStringLiteral(" No se ha borrado ninguna jornada.");
        texto += QStringLiteral(" Vuelva a borrar el mismo tramo cuando se haya resuelto.");
    }
    if (!r.FalloEstimaciones.Bien()) {
        texto += (texto.isEmpty() ? QString() : QStringLiteral(" "));
        texto += QStringLiteral("No se han podido quitar las estimaciones de ") +
                 NombreFichero(r.FalloEstimaciones.Ruta) + QStringLiteral(": ") +
                 CausaFallo(r.FalloEstimaciones) +
                 QStringLiteral(". Vuelva a borrar el mismo tramo cuando se haya resuelto.");
    }
    if (r.Pendiente)
        texto += QStringLiteral(" Sus reducciones ya no están en el índice: la jornada ") +
                 Numero(j) +
                 QStringLiteral(" se terminará de borrar la próxima vez que se abra el programa.");
    return texto;
}

QString TextoBorrado(const ResultadoBorrado& r) {
    QString texto = r.Rango.Desde == r.Rango.Hasta
                        ? QStringLiteral("Borrada la jornada ") + Numero(r.Rango.Desde)
                        : QStringLiteral("Borradas las jornadas ") + Numero(r.Rango.Desde) +
                              QStringLiteral(" a ") + Numero(r.Rango.Hasta);
    texto += QStringLiteral(": ") + Numero(r.RegistrosIndice) +
             (r.RegistrosIndice == 1 ? QStringLiteral(" reducción quitada del índice, ")
                                     : QStringLiteral(" reducciones quitadas del índice, ")) +
             Numero(int(r.FicherosBorrados.size())) +
             (r.FicherosBorrados.size() == 1 ? QStringLiteral(" fichero de columnas borrado")
                                             : QStringLiteral(" ficheros de columnas borrados"));
    if (!r.FicherosBorrados.isEmpty())
        texto += QStringLiteral(" (") + r.FicherosBorrados.join(QStringLiteral(", ")) + u')';
    if (r.JornadasEstimadas > 0)
        texto +=
            QStringLiteral(", estimaciones quitadas de ") + Numero(r.JornadasEstimadas) +
            (r.JornadasEstimadas == 1 ? QStringLiteral(" jornada") : QStringLiteral(" jornadas"));
    return texto + u'.';
}

} // namespace quiniela
