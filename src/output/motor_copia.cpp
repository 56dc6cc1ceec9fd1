#include "output/motor_copia.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"
#include "platform/plataforma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstring>

namespace quiniela {

namespace {

constexpr char Blancos[NumPartidos + 1] = "               ";

MensajeCopia MensajeFallo(const QString& queFichero, const QString& causa) {
    return {QStringLiteral("ERROR AL COPIAR"),
            QStringLiteral("No se ha podido ") + queFichero + QStringLiteral(": ") + causa +
                QStringLiteral(". No se ha copiado nada y el archivo de destino, si existía, "
                               "no ha cambiado.")};
}

// La columna 15 y los boletos han de caber en las seis cifras del registro C.
std::optional<MensajeCopia> CompruebaTamano(const RecuentoBoletos& recuento,
                                            FormatoExportar formato, const QString& fichero) {
    if (recuento.Columnas == 0)
        return MensajeCopia{
            QStringLiteral("REDUCCIÓN SIN COLUMNAS"),
            QStringLiteral("El fichero de columnas ") + fichero +
                QStringLiteral(" no tiene ninguna columna: no hay nada que copiar.")};
    const int64_t total = recuento.Columnas + recuento.BoletosUnaColumna;
    if (formato != FormatoExportar::AD243 ||
        (total <= MaximoCampoAD243 && recuento.Boletos <= MaximoCampoAD243))
        return std::nullopt;
    const QLocale regional(QLocale::Spanish, QLocale::Spain);
    return MensajeCopia{
        QStringLiteral("REDUCCIÓN DEMASIADO GRANDE"),
        QStringLiteral("La reducción tiene ") + regional.toString(qlonglong(total)) +
            QStringLiteral(" columnas en ") + regional.toString(qlonglong(recuento.Boletos)) +
            QStringLiteral(" boletos y el Formato AD243 solo admite hasta 999.999 columnas y "
                           "999.999 boletos. Cópiela en uno de los formatos de texto.")};
}

// Mientras falte la carpeta de destino, pregunta si se reintenta.
bool EsperaDisco(EstadoGlobal& estado, const UnidadDestino& unidad) {
    while (!UnidadPresente(unidad)) {
        const MensajeCopia pregunta = MensajeNoHayDisco(unidad.Nombre);
        estado.CopiarConfirmado = false;
        MuestraMensaje(pregunta.Titulo, pregunta.Texto, BotonMensaje::Copiar);
        if (!estado.CopiarConfirmado)
            return false;
    }
    return true;
}

void CambiaEstado(const OpcionesCopia& opciones, const QString& texto) {
    if (opciones.AlCambiarEstado)
        opciones.AlCambiarEstado(texto);
}

ResultadoCopia& Cancela(ResultadoCopia& r, const OpcionesCopia& opciones) {
    r.Fin = FinCopia::Cancelada;
    CambiaEstado(opciones, TextoCopiaCancelada());
    return r;
}

// Avisa del porcentaje solo cuando cambia, sin dividir en cada registro.
class Progreso {
public:
    Progreso(int64_t total, const std::function<void(int)>& aviso) : Total(total), Aviso(aviso) {}
    void Anota(int64_t copiadas) {
        if (copiadas < Siguiente || !Aviso)
            return;
        const int porcentaje = PorcentajeCopia(copiadas, Total);
        if (porcentaje != Ultimo)
            Aviso(porcentaje);
        Ultimo = porcentaje;
        // Primera cuenta que redondea por encima: cerca de (2p + 1) × total / 200.
        Siguiente = std::max(copiadas + 1, (2 * int64_t(porcentaje) + 1) * Total / 200);
        while (Siguiente <= Total && PorcentajeCopia(Siguiente, Total) == porcentaje)
            ++Siguiente;
    }

private:
    int64_t Total;
    const std::function<void(int)>& Aviso;
    int Ultimo = -1;
    int64_t Siguiente = 0;
};

enum class FinRecorrido { Completo, Cancelado, Danado, FalloLectura };

// Pasa los registros del fichero de trabajo al escritor.
FinRecorrido RecorreBoletos(QFile& trabajo, EscritorFormato& escritor, ResultadoCopia& r,
                            const OpcionesCopia& opciones) {
    Progreso progreso(r.Recuento.Columnas, opciones.AlAvanzar);
    QByteArray bufer(qsizetype(BytesRegistroBoleto) * 55189, Qt::Uninitialized);
    qsizetype lleno = 0;
    int64_t registros = 0;
    for (;;) {
        const qint64 leidos = trabajo.read(bufer.data() + lleno, bufer.size() - lleno);
        if (leidos < 0)
            return FinRecorrido::FalloLectura;
        if (leidos == 0)
            break;
        lleno += leidos;
        const qsizetype completos = lleno - lleno % BytesRegistroBoleto;
        for (qsizetype i = 0; i < completos; i += BytesRegistroBoleto) {
            const char* registro = bufer.constData() + i;
            if (registro[0] != '"' || ++registros > r.Recuento.RegistrosBoletos)
                return FinRecorrido::Danado;
            escritor.Registro(registro + 1);
            if (std::memcmp(registro + 1, Blancos, NumPartidos) != 0)
                progreso.Anota(++r.ColumnasCopiadas);
            if (opciones.CancelarProceso != nullptr &&
                opciones.CancelarProceso->load(std::memory_order_relaxed))
                return FinRecorrido::Cancelado;
        }
        std::memmove(bufer.data(), bufer.constData() + completos, size_t(lleno - completos));
        lleno -= completos;
    }
    return lleno == 0 && registros == r.Recuento.RegistrosBoletos ? FinRecorrido::Completo
                                                                  : FinRecorrido::Danado;
}

CabeceraAD243 Cabecera(const EstadoGlobal& estado, const RecuentoBoletos& recuento) {
    CabeceraAD243 c;
    c.Jornada = estado.Datos.JornadaActual;
    c.FechaJornada = FechaDeRegistro(LeeRegistroJornada(estado, c.Jornada));
    c.CodigoDelegacion = estado.Datos.CodigoDelegacion;
    c.CodigoReceptor = estado.Datos.CodigoReceptor;
    c.TotalColumnas = recuento.Columnas + recuento.BoletosUnaColumna;
    c.Boletos = recuento.Boletos;
    return c;
}

// Escribe el destino desde el fichero de trabajo y lo pone en su sitio.
ResultadoCopia& EscribeDestino(EstadoGlobal& estado, const OpcionesCopia& opciones,
                               ResultadoCopia& r) {
    const QString trabajoRuta = estado.Ruta(QString::fromLatin1(NombreFicheroBoletos));
    QFile trabajo(trabajoRuta);
    if (!trabajo.open(QIODevice::ReadOnly)) {
        r.Fin = FinCopia::Fallida;
        r.Mensaje = MensajeFallo(QStringLiteral("leer el fichero de boletos ") +
                                     QString::fromLatin1(NombreFicheroBoletos),
                                 trabajo.errorString());
        return r;
    }
    SalidaBloques salida(r.Ruta);
    const QString queDestino =
        QStringLiteral("escribir el archivo ") + QDir::toNativeSeparators(r.Ruta);
    if (!salida.Abre()) {
        r.Fin = FinCopia::Fallida;
        r.Mensaje = MensajeFallo(queDestino, salida.Causa());
        return r;
    }
    const bool ad243 = opciones.Formato == FormatoExportar::AD243;
    EscritorFormato escritor(opciones.Formato, salida,
                             ad243 ? RegistroCAD243(Cabecera(estado, r.Recuento)) : QByteArray());
    const FinRecorrido fin = RecorreBoletos(trabajo, escritor, r, opciones);
    if (fin == FinRecorrido::Cancelado)
        return Cancela(r, opciones);
    escritor.Termina();
    r.BoletosCopiados = escritor.BoletosCopiados();
    r.TotalColumnas = r.ColumnasCopiadas + escritor.ColumnasDuplicadas();
    r.Fin = FinCopia::Fallida;
    if (fin != FinRecorrido::Completo)
        r.Mensaje = MensajeFallo(QStringLiteral("leer el fichero de boletos ") +
                                     QString::fromLatin1(NombreFicheroBoletos),
                                 fin == FinRecorrido::Danado
                                     ? QStringLiteral("ha cambiado durante la copia")
                                     : trabajo.errorString());
    else if (!salida.Confirma())
        r.Mensaje = MensajeFallo(queDestino, salida.Causa());
    else
        r.Fin = FinCopia::Terminada;
    return r;
}

// Rehace el fichero de boletos desde el fichero de columnas. false si no hay que seguir.
bool PreparaBoletos(EstadoGlobal& estado, const OpcionesCopia& opciones, ResultadoCopia& r) {
    estado.ActualizaFicheroApuestas();
    const QString columnasNombre = estado.FicheroApuestas;
    const std::unique_ptr<QFile> columnas = AbreFicheroApuestas(estado);
    if (!columnas) {
        const bool falta = estado.UltimoErrorFichero == ErrorFichero::NoExiste;
        r.Fin = falta ? FinCopia::SinColumnas : FinCopia::Fallida;
        if (!falta)
            r.Mensaje =
                MensajeFallo(QStringLiteral("leer el fichero de columnas ") + columnasNombre,
                             QStringLiteral("error ") + QString::number(estado.UltimoErrorFichero));
        return false;
    }
    const ResultadoFicheroBoletos boletos =
        CreaFicheroBoletos(estado, *columnas, columnasNombre, opciones.CancelarProceso);
    r.Recuento = boletos.Recuento;
    if (boletos.Cancelado) {
        Cancela(r, opciones);
        return false;
    }
    if (boletos.Error != 0) {
        const bool leyendo = boletos.Fichero == columnasNombre;
        r.Fin = FinCopia::Fallida;
        r.Mensaje = MensajeFallo((leyendo ? QStringLiteral("leer el fichero de columnas ")
                                          : QStringLiteral("escribir el fichero de boletos ")) +
                                     boletos.Fichero,
                                 boletos.Causa);
        return false;
    }
    r.Mensaje = CompruebaTamano(r.Recuento, opciones.Formato, columnasNombre);
    return !r.Mensaje;
}

} // namespace

int PorcentajeCopia(int64_t copiadas, int64_t total) {
    if (total <= 0)
        return 0;
    const int64_t producto = copiadas * 100;
    const int64_t cociente = producto / total;
    const int64_t doble = 2 * (producto % total);
    return int(cociente + (doble > total || (doble == total && cociente % 2 != 0) ? 1 : 0));
}

ResultadoCopia EjecutaCopia(EstadoGlobal& estado, const OpcionesCopia& opciones) {
    ResultadoCopia r; // los contadores empiezan en cero en cada copia
    const QString nombre = opciones.NombreArchivo.trimmed();
    r.Mensaje = CompruebaNombreArchivo(estado, opciones.Unidad.Carpeta, nombre);
    if (r.Mensaje || !PreparaBoletos(estado, opciones, r))
        return r;
    if (!EsperaDisco(estado, opciones.Unidad))
        return Cancela(r, opciones);
    r.Ruta = QDir(opciones.Unidad.Carpeta).filePath(nombre);
    CambiaEstado(opciones, TextoCreandoArchivo(opciones.Unidad.Nombre, nombre));
    if (opciones.Formato == FormatoExportar::AD243 && r.Recuento.BoletosUnaColumna > 0 &&
        opciones.AlAvisar)
        opciones.AlAvisar(MensajeBoletoIncompleto(r.Recuento.BoletosUnaColumna));
    EscribeDestino(estado, opciones, r);
    if (r.Fin == FinCopia::Terminada)
        CambiaEstado(opciones, TextoArchivoCopiado(opciones.Unidad.Nombre, nombre));
    return r;
}

bool EsFicheroDelPrograma(const QString& nombre) {
    return nombre.endsWith(QStringLiteral(".ZPK"), Qt::CaseInsensitive) ||
           nombre.compare(QStringLiteral("CSCD.WRK"), Qt::CaseInsensitive) == 0;
}

std::optional<MensajeCopia> CompruebaNombreArchivo(const EstadoGlobal& estado,
                                                   const QString& carpeta, const QString& nombre) {
    const QString titulo = QStringLiteral("NOMBRE DE ARCHIVO NO VÁLIDO");
    if (nombre.isEmpty())
        return MensajeCopia{titulo, QStringLiteral("Escriba el nombre del archivo de destino.")};
    if (nombre == u"." || nombre == u".." || nombre.contains(u'/') || nombre.contains(u'\\'))
        return MensajeCopia{titulo, QStringLiteral("El nombre del archivo no puede ser \".\" ni "
                                                   "\"..\" ni llevar \"/\" o \"\\\": es el nombre "
                                                   "de un archivo dentro de la unidad de destino, "
                                                   "no una ruta.")};
    const QString enDatos = QFileInfo(estado.CarpetaDatos).canonicalFilePath();
    if (EsFicheroDelPrograma(nombre) && !enDatos.isEmpty() &&
        QFileInfo(carpeta).canonicalFilePath() == enDatos)
        return MensajeCopia{titulo, nombre + QStringLiteral(" es un fichero de datos del programa "
                                                            "y la copia lo sustituiría. Elija "
                                                            "otro nombre u otra unidad.")};
    if (QFileInfo(QDir(carpeta).filePath(nombre)).isDir())
        return MensajeCopia{titulo, QStringLiteral("Ya hay una carpeta llamada ") + nombre +
                                        QStringLiteral(" en la unidad de destino.")};
    return std::nullopt;
}

QString TextoPorcentajeCopia(int porcentaje) {
    return QStringLiteral("Se ha copiado el ") + FormatoNumero(porcentaje, u"##0", QLocale::c()) +
           QStringLiteral(" %");
}

QString TextoCreandoArchivo(const QString& unidad, const QString& nombre) {
    return QStringLiteral("Se está creando en la unidad ") + unidad +
           QStringLiteral(" el archivo ") + nombre;
}

QString TextoArchivoCopiado(const QString& unidad, const QString& nombre) {
    return QStringLiteral("Se ha copiado a la unidad ") + unidad + QStringLiteral(" el archivo ") +
           nombre;
}

QString TextoCopiaCancelada() {
    return QStringLiteral("   Se ha cancelado la operación de copiado");
}

MensajeCopia MensajeBoletoIncompleto(int64_t boletos) {
    const QString k = QString::number(boletos);
    return {QStringLiteral("BOLETO INCOMPLETO"),
            QStringLiteral("Con esta reducción, hay ") + k +
                (boletos == 1 ? QStringLiteral(" boleto") : QStringLiteral(" boletos")) +
                QStringLiteral(" con una sola columna. Como cada boleto debe tener dos columnas "
                               "como mínimo,  se duplicará esa columna y,  por lo tanto, aumentará "
                               "en ") +
                k + QStringLiteral(" el número total de columnas incluidas en el disco.")};
}

MensajeCopia MensajeNoHayDisco(const QString& unidad) {
    return {QStringLiteral("NO HAY DISCO"),
            QStringLiteral("No ha colocado ningún disco en la unidad ") + unidad +
                QStringLiteral(". Introduzca un disco formateado y pulse el botón  Copiar  para "
                               "comenzar a copiar.   Si desea suspender el proceso  de  Copia  a  "
                               "disco  pulse  el  botón Salir.")};
}

} // namespace quiniela
