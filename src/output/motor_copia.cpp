#include "output/motor_copia.h"

#include "core/escritura.h"

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

#include <algorithm>
#include <cstring>
#include <limits>
#include <thread>

namespace quiniela {

namespace {

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
    // Con la máscara y no con QLocale, que en español no agrupa los miles de 4 cifras y deja
    // "1594.326".
    const QLocale regional(QLocale::Spanish, QLocale::Spain);
    const auto miles = [&regional](int64_t n) {
        return FormatoNumero(double(n), u"###,##0", regional);
    };
    return MensajeCopia{
        QStringLiteral("REDUCCIÓN DEMASIADO GRANDE"),
        QStringLiteral("La reducción tiene ") + miles(total) + QStringLiteral(" columnas en ") +
            miles(recuento.Boletos) +
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
    Progreso(int64_t total, const std::function<void(int)>& aviso) : total_(total), aviso_(aviso) {}
    void Anota(int64_t copiadas) {
        if (copiadas >= siguiente_ && aviso_)
            Cambia(copiadas);
    }
    // Columnas que faltan hasta la próxima cuenta que puede cambiar el porcentaje.
    int64_t Faltan(int64_t copiadas) const {
        return aviso_ ? std::max<int64_t>(1, siguiente_ - copiadas)
                      : std::numeric_limits<int64_t>::max();
    }
    // Al terminar, el 100 % aunque el total contado por el tamaño se quedara largo.
    void Termina() {
        if (aviso_ && ultimo_ != 100)
            aviso_(100);
    }

private:
    void Cambia(int64_t copiadas) {
        // Con líneas más cortas que las de la reducción el total se queda corto: no más de 100.
        const int porcentaje = std::min(100, PorcentajeCopia(copiadas, total_));
        if (porcentaje != ultimo_)
            aviso_(porcentaje);
        ultimo_ = porcentaje;
        // Primera cuenta que redondea por encima: cerca de (2p + 1) × total / 200.
        siguiente_ = std::max(copiadas + 1, (2 * int64_t(porcentaje) + 1) * total_ / 200);
        while (siguiente_ <= total_ && PorcentajeCopia(siguiente_, total_) == porcentaje)
            ++siguiente_;
    }

    int64_t total_;
    const std::function<void(int)>& aviso_;
    int ultimo_ = -1;
    int64_t siguiente_ = 0;
};

// La fecha de la jornada para el registro C de AD243. Un fichero de jornadas que no se puede
// leer no da una fecha de ceros: la copia se rechaza. Sin fichero de jornadas, o sin el
// registro de la jornada, la fecha está vacía de verdad ("00/00/00").
std::optional<MensajeCopia> LeeFechaJornada(const EstadoGlobal& estado, QString& fecha) {
    int error = 0;
    const QString registro = LeeRegistroJornada(estado, estado.Datos.JornadaActual, &error);
    if (error != 0 && error != ErrorFichero::NoExiste) {
        const QString causa =
            error == ErrorFichero::LongitudRegistro
                ? QStringLiteral("mide %1 bytes, que no son registros enteros de %2 bytes: está "
                                 "dañado (error %3)")
                      .arg(
                          QFileInfo(estado.Ruta(QString::fromLatin1(NombreFicheroJornadas))).size())
                      .arg(LongitudRegistroJornada)
                      .arg(error)
                : CausaErrorFichero(error) + QStringLiteral(" (error %1)").arg(error);
        return MensajeFallo(QStringLiteral("leer la fecha de la jornada %1 en el fichero ")
                                    .arg(estado.Datos.JornadaActual) +
                                QString::fromLatin1(NombreFicheroJornadas) +
                                QStringLiteral(", que el Formato AD243 lleva en la cabecera"),
                            causa);
    }
    fecha = FechaDeRegistro(registro);
    return std::nullopt;
}

CabeceraAD243 Cabecera(const EstadoGlobal& estado, const QString& fecha,
                       const RecuentoBoletos& recuento) {
    CabeceraAD243 c;
    c.Jornada = estado.Datos.JornadaActual;
    c.FechaJornada = fecha;
    c.CodigoDelegacion = estado.Datos.CodigoDelegacion;
    c.CodigoReceptor = estado.Datos.CodigoReceptor;
    c.TotalColumnas = recuento.Columnas + recuento.BoletosUnaColumna;
    c.Boletos = recuento.Boletos;
    return c;
}

// El fichero de boletos se escribe en otro hilo, con su propia lectura de las columnas,
// mientras este escribe el destino: son dos ficheros grandes y así van a la vez.
class HiloBoletos {
public:
    HiloBoletos(const EstadoGlobal& estado, const QFile& columnas, const QString& nombre,
                const std::atomic<bool>* cancelar)
        : salida_(estado.Ruta(QString::fromLatin1(NombreFicheroBoletos)),
                  BytesBloquePara(columnas.size())),
          columnas_(columnas.fileName()), nombre_(nombre), cancelar_(cancelar) {}
    ~HiloBoletos() { Para(); } // sin Confirma(), no queda fichero de boletos

    // Mensaje si no se pudo abrir el fichero de boletos o volver a abrir las columnas.
    std::optional<MensajeCopia> Empieza() {
        if (!salida_.Abre())
            return MensajeFallo(QueBoletos(), salida_.Causa());
        if (!columnas_.open(QIODevice::ReadOnly))
            return MensajeFallo(QStringLiteral("leer el fichero de columnas ") + nombre_,
                                columnas_.errorString());
        hilo_ = std::thread([this] {
            r_ = EscribeFicheroBoletos(columnas_, nombre_, salida_, cancelar_, &parar_);
        });
        return std::nullopt;
    }
    // Lo mira la otra pasada en cada registro: el hilo se ha parado por un fallo.
    bool Fallido() const { return parar_.load(std::memory_order_relaxed); }
    const ResultadoFicheroBoletos& Espera() {
        if (hilo_.joinable())
            hilo_.join();
        return r_;
    }
    const ResultadoFicheroBoletos& Para() {
        parar_.store(true, std::memory_order_relaxed);
        return Espera();
    }
    bool Confirma() { return salida_.Confirma(); }
    QString Causa() const { return salida_.Causa(); }
    static QString QueBoletos() {
        return QStringLiteral("escribir el fichero de boletos ") +
               QString::fromLatin1(NombreFicheroBoletos);
    }

private:
    SalidaBloques salida_;
    QFile columnas_;
    QString nombre_;
    const std::atomic<bool>* cancelar_;
    std::atomic<bool> parar_{false};
    ResultadoFicheroBoletos r_;
    std::thread hilo_;
};

// Lo que hace falta durante la pasada de la copia.
struct Pasada {
    QIODevice& Columnas;
    HiloBoletos& Boletos;
    SalidaBloques& Salida;
    EscritorFormato& Escritor;
    const OpcionesCopia& Opciones;
    ResultadoCopia& R;
    RecuentoBoletos Recuento; // el de esta pasada
    int64_t Linea = 0;
};

// La pasada que escribe el destino; el fichero de boletos va en su hilo. Los tramos se
// cortan donde cambia el porcentaje, para avisar y mirar si hay que parar.
template <FormatoExportar F> FinPasada Copia(Pasada& p, int64_t total) {
    Progreso progreso(total, p.Opciones.AlAvanzar);
    const std::atomic<bool>* cancelar = p.Opciones.CancelarProceso;
    const auto sigue = [&] {
        return !(cancelar != nullptr && cancelar->load(std::memory_order_relaxed)) &&
               !p.Salida.HaFallado() && !p.Boletos.Fallido();
    };
    int64_t copiadas = 0;
    const FinPasada fin = PasaColumnas(p.Columnas, nullptr, p.Recuento, p.Linea,
                                       [&](const char* registros, int64_t n, bool columnas) {
                                           if (!columnas) {
                                               p.Escritor.Registros<F>(registros, n, false);
                                               return sigue();
                                           }
                                           while (n > 0) {
                                               const int64_t k =
                                                   std::min(n, progreso.Faltan(copiadas));
                                               p.Escritor.Registros<F>(registros, k, true);
                                               registros += k * BytesRegistroBoleto;
                                               n -= k;
                                               copiadas += k;
                                               progreso.Anota(copiadas);
                                               if (!sigue())
                                                   return false;
                                           }
                                           return true;
                                       });
    p.R.ColumnasCopiadas = copiadas;
    if (fin == FinPasada::Completa)
        progreso.Termina();
    return fin;
}

FinPasada CopiaEnFormato(Pasada& p, int64_t total) {
    switch (p.Opciones.Formato) {
    case FormatoExportar::AD243:
        return Copia<FormatoExportar::AD243>(p, total);
    case FormatoExportar::TXT1:
        return Copia<FormatoExportar::TXT1>(p, total);
    case FormatoExportar::TXT2:
        return Copia<FormatoExportar::TXT2>(p, total);
    case FormatoExportar::TXT3:
        return Copia<FormatoExportar::TXT3>(p, total);
    case FormatoExportar::TXT4:
        return Copia<FormatoExportar::TXT4>(p, total);
    case FormatoExportar::TXT5:
        return Copia<FormatoExportar::TXT5>(p, total);
    case FormatoExportar::TXT6:
        return Copia<FormatoExportar::TXT6>(p, total);
    }
    return FinPasada::Parada;
}

MensajeCopia MensajeLectura(const QString& columnasNombre, FinPasada fin, int64_t linea,
                            const QIODevice& columnas) {
    return MensajeFallo(QStringLiteral("leer el fichero de columnas ") + columnasNombre,
                        CausaLecturaColumnas(fin, linea, columnas));
}

// Cuenta columnas y boletos sin escribir nada: el registro C de AD243 va delante y el aviso
// "BOLETO INCOMPLETO" antes de escribir. En los formatos de texto basta el tamaño del
// fichero, salvo si no es el de líneas de 19 bytes.
bool CuentaColumnas(QIODevice& columnas, const QString& columnasNombre,
                    const OpcionesCopia& opciones, ResultadoCopia& r, int64_t& total) {
    const qint64 bytes = columnas.size();
    if (opciones.Formato != FormatoExportar::AD243 && bytes % BytesRegistroBoleto == 0 &&
        bytes > 0) {
        total = bytes / BytesRegistroBoleto;
        return true;
    }
    int64_t linea = 0;
    const FinPasada fin = PasaColumnas(columnas, nullptr, r.Recuento, linea,
                                       [](const char*, int64_t, bool) { return true; });
    if (fin != FinPasada::Completa) {
        r.Fin = FinCopia::Fallida;
        r.Mensaje = MensajeLectura(columnasNombre, fin, linea, columnas);
        return false;
    }
    r.Mensaje = CompruebaTamano(r.Recuento, opciones.Formato, columnasNombre);
    total = r.Recuento.Columnas;
    return !r.Mensaje && columnas.seek(0);
}

// Fallo del hilo de boletos: al leer las columnas o al escribir el fichero de boletos.
MensajeCopia MensajeBoletos(const ResultadoFicheroBoletos& rb, const QString& columnasNombre,
                            const QIODevice& columnas) {
    if (rb.LineaErronea > 0)
        return MensajeLectura(columnasNombre, FinPasada::LineaErronea, rb.LineaErronea, columnas);
    if (rb.Fichero == columnasNombre)
        return MensajeFallo(QStringLiteral("leer el fichero de columnas ") + columnasNombre,
                            rb.Causa);
    return MensajeFallo(HiloBoletos::QueBoletos(), rb.Causa);
}

// Escribe el destino mientras el hilo escribe el fichero de boletos y, si todo fue bien, los
// pone en su sitio.
ResultadoCopia& EscribeDestino(EstadoGlobal& estado, const OpcionesCopia& opciones,
                               QIODevice& columnas, const QString& columnasNombre, int64_t total,
                               const QString& fecha, HiloBoletos& hilo, ResultadoCopia& r) {
    SalidaBloques salida(r.Ruta, BytesBloquePara(columnas.size()));
    const QString queDestino =
        QStringLiteral("escribir el archivo ") + QDir::toNativeSeparators(r.Ruta);
    r.Fin = FinCopia::Fallida;
    if (!salida.Abre()) {
        r.Mensaje = MensajeFallo(queDestino, salida.Causa());
        return r;
    }
    const bool ad243 = opciones.Formato == FormatoExportar::AD243;
    EscritorFormato escritor(opciones.Formato, salida,
                             ad243 ? RegistroCAD243(Cabecera(estado, fecha, r.Recuento))
                                   : QByteArray());
    Pasada p{columnas, hilo, salida, escritor, opciones, r, {}, 0};
    const FinPasada fin = CopiaEnFormato(p, total);
    const ResultadoFicheroBoletos& rb = fin == FinPasada::Completa ? hilo.Espera() : hilo.Para();
    const bool leida = fin != FinPasada::LineaErronea && fin != FinPasada::FalloLectura;
    if (leida && !salida.HaFallado() && rb.Error == 0 && (fin == FinPasada::Parada || rb.Cancelado))
        return Cancela(r, opciones);
    escritor.Termina();
    r.BoletosCopiados = escritor.BoletosCopiados();
    r.TotalColumnas = r.ColumnasCopiadas + escritor.ColumnasDuplicadas();
    // La cabecera de AD243 salió de la cuenta previa y el hilo leyó por su cuenta: si el
    // fichero ha cambiado entre tanto, no vale.
    const auto distinto = [&](const RecuentoBoletos& otro) {
        return p.Recuento.Columnas != otro.Columnas ||
               p.Recuento.RegistrosBoletos != otro.RegistrosBoletos;
    };
    const bool cambiado =
        (ad243 && distinto(r.Recuento)) || (rb.Error == 0 && distinto(rb.Recuento));
    r.Recuento = p.Recuento;
    if (!leida)
        r.Mensaje = MensajeLectura(columnasNombre, fin, p.Linea, columnas);
    else if (salida.HaFallado()) // la pasada se para y su cuenta se queda corta: no ha cambiado
        r.Mensaje = MensajeFallo(queDestino, salida.Causa());
    else if (rb.Error != 0)
        r.Mensaje = MensajeBoletos(rb, columnasNombre, columnas);
    else if (cambiado)
        r.Mensaje = MensajeFallo(QStringLiteral("leer el fichero de columnas ") + columnasNombre,
                                 QStringLiteral("ha cambiado durante la copia"));
    else if (!hilo.Confirma())
        r.Mensaje = MensajeFallo(HiloBoletos::QueBoletos(), hilo.Causa());
    else if (r.Recuento.Columnas == 0) {
        r.Fin = FinCopia::Rechazada;
        r.Mensaje = CompruebaTamano(r.Recuento, opciones.Formato, columnasNombre);
    } else if (!salida.Confirma())
        r.Mensaje = MensajeFallo(queDestino, salida.Causa());
    else
        r.Fin = FinCopia::Terminada;
    return r;
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
    if (r.Mensaje)
        return r;
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
        return r;
    }
    QString fecha;
    if (opciones.Formato == FormatoExportar::AD243) {
        r.Mensaje = LeeFechaJornada(estado, fecha);
        if (r.Mensaje) {
            r.Fin = FinCopia::Fallida;
            return r;
        }
    }
    // El fichero de boletos empieza ya: no depende de la cuenta ni del destino.
    HiloBoletos hilo(estado, *columnas, columnasNombre, opciones.CancelarProceso);
    r.Mensaje = hilo.Empieza();
    if (r.Mensaje) {
        r.Fin = FinCopia::Fallida;
        return r;
    }
    int64_t total = 0;
    if (!CuentaColumnas(*columnas, columnasNombre, opciones, r, total))
        return r;
    if (!EsperaDisco(estado, opciones.Unidad))
        return Cancela(r, opciones);
    r.Ruta = QDir(opciones.Unidad.Carpeta).filePath(nombre);
    CambiaEstado(opciones, TextoCreandoArchivo(opciones.Unidad.Nombre, nombre));
    if (opciones.Formato == FormatoExportar::AD243 && r.Recuento.BoletosUnaColumna > 0 &&
        opciones.AlAvisar)
        opciones.AlAvisar(MensajeBoletoIncompleto(r.Recuento.BoletosUnaColumna));
    EscribeDestino(estado, opciones, *columnas, columnasNombre, total, fecha, hilo, r);
    if (r.Fin == FinCopia::Terminada)
        CambiaEstado(opciones, TextoArchivoCopiado(opciones.Unidad.Nombre, nombre));
    return r;
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
    const QString ruta = QDir(carpeta).filePath(nombre);
    const QString enDatos = QFileInfo(estado.CarpetaDatos).canonicalFilePath();
    if (EsFicheroDelPrograma(nombre) && !enDatos.isEmpty() &&
        QFileInfo(carpeta).canonicalFilePath() == enDatos)
        return MensajeCopia{titulo, nombre + QStringLiteral(" es un fichero de datos del programa "
                                                            "y la copia lo sustituiría. Elija "
                                                            "otro nombre u otra unidad.")};
    if (QFileInfo(ruta).isDir())
        return MensajeCopia{titulo, QStringLiteral("No se puede copiar en ") +
                                        QDir::toNativeSeparators(ruta) +
                                        QStringLiteral(": ya hay una carpeta con ese nombre en la "
                                                       "unidad de destino.")};
    if (const QString motivo = DestinoNoEscribible(ruta); !motivo.isEmpty())
        return MensajeCopia{titulo, QStringLiteral("No se puede copiar en ") + nombre +
                                        QStringLiteral(": ") + motivo + u'.'};
    if (const QString motivo = SalidaSobreElPrograma(estado.CarpetaDatos, ruta); !motivo.isEmpty())
        return MensajeCopia{titulo, QStringLiteral("No se puede copiar en ") + nombre +
                                        QStringLiteral(": ") + motivo +
                                        QStringLiteral(". Elija otro nombre u otra unidad.")};
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
