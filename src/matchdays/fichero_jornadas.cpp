#include "matchdays/fichero_jornadas.h"

#include "core/bloqueo_datos.h"
#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "platform/plataforma.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace quiniela {

namespace {

constexpr int NumeroRegistroIncorrecto = 63;

QString NombreJornadas() {
    return QString::fromLatin1(NombreFicheroJornadas);
}

ContextoErrorFichero ContextoJornadas() {
    ContextoErrorFichero c;
    c.Etiqueta = QStringLiteral("LJO");
    c.TextoNoExiste = QStringLiteral("No se encuentra el fichero de jornadas JORNADAS.ZPK.");
    c.TextoRuta = QStringLiteral("de jornadas JORNADAS.ZPK");
    return c;
}

qint64 InicioRegistro(int jornada) {
    return static_cast<qint64>(jornada - 1) * LongitudRegistroJornada;
}

// Lee el registro n tal cual (sin comprobar la marca). Un registro más allá del final es la
// jornada vacía; uno cortado por el final del fichero se completa con blancos.
int LeeRegistroCrudo(const QString& ruta, int jornada, QString& registro) {
    registro = RegistroJornadaVacio();
    if (jornada < 1)
        return 0;
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        return NumeroErrorFichero(fichero.error(), ruta);
    if (fichero.size() % LongitudRegistroJornada != 0)
        return ErrorFichero::LongitudRegistro;
    const qint64 inicio = InicioRegistro(jornada);
    if (inicio >= fichero.size())
        return 0;
    try {
        if (!fichero.seek(inicio))
            return NumeroErrorFichero(fichero.error(), ruta);
        const QByteArray bytes = fichero.read(LongitudRegistroJornada);
        if (fichero.error() != QFileDevice::NoError)
            return NumeroErrorFichero(fichero.error(), ruta);
        registro = AnchoFijo(DeWindows1252(bytes), LongitudRegistroJornada);
    } catch (const std::bad_alloc&) {
        return ErrorFichero::SinMemoria;
    }
    return 0;
}

QString TextoJornadasDanado(qint64 tamano) {
    return QStringLiteral("LJO ERROR 59: el fichero de jornadas JORNADAS.ZPK mide ") +
           QString::number(tamano) +
           QStringLiteral(" bytes, que no son registros enteros de 544 bytes (%1 registros y %2 "
                          "bytes sueltos): está dañado o se ha editado. No se guardará ninguna "
                          "jornada en él hasta que se repare.")
               .arg(tamano / LongitudRegistroJornada)
               .arg(tamano % LongitudRegistroJornada);
}

QString Casilla(const QString& registro, int casilla) {
    if (casilla < 1 || casilla > NumEquiposJornada)
        return QString(LongitudNombreEquipo, u' ');
    return AnchoFijo(registro, LongitudRegistroJornada)
        .mid(PosEquiposJornada - 1 + (casilla - 1) * LongitudNombreEquipo, LongitudNombreEquipo);
}

} // namespace

QString RegistroJornadaVacio() {
    return QString(5, u' ') + QString::fromLatin1(FechaJornadaVacia) +
           QString(LongitudRegistroJornada - 5 - LongitudFechaJornada, u' ');
}

bool RegistroJornadaValido(const QString& registro, int jornada) {
    return registro.left(5) == QStringLiteral("Jor") + DosCifras(jornada);
}

QString FechaDeRegistro(const QString& registro) {
    return AnchoFijo(registro.mid(PosFechaJornada - 1, LongitudFechaJornada), LongitudFechaJornada);
}

QString EquipoDeRegistro(const QString& registro, int casilla) {
    return Casilla(registro, casilla);
}

QString EquipoLocal(const QString& registro, int partido) {
    return Casilla(registro, 2 * partido - 1).trimmed();
}

QString EquipoVisitante(const QString& registro, int partido) {
    return Casilla(registro, 2 * partido).trimmed();
}

EquiposJornada EquiposDeRegistro(const QString& registro) {
    EquiposJornada equipos;
    for (int k = 1; k <= NumEquiposJornada; ++k)
        equipos[k] = Casilla(registro, k);
    return equipos;
}

QString ComponeRegistroJornada(const QString& leido, int jornada, const QString& fecha,
                               const EquiposJornada& equipos) {
    QString r = AnchoFijo(leido, LongitudRegistroJornada);
    const QString cabecera = QStringLiteral("Jor") + DosCifras(jornada).right(2) +
                             AnchoFijo(fecha, LongitudFechaJornada);
    r.replace(0, cabecera.size(), cabecera);
    for (int k = 1; k <= NumEquiposJornada; ++k)
        r.replace(PosEquiposJornada - 1 + (k - 1) * LongitudNombreEquipo, LongitudNombreEquipo,
                  AnchoFijo(equipos[k].trimmed(), LongitudNombreEquipo));
    return r;
}

QString LeeRegistroJornada(const EstadoGlobal& estado, int jornada, int* error) {
    QString registro;
    const int numero = LeeRegistroCrudo(estado.Ruta(NombreJornadas()), jornada, registro);
    if (error != nullptr)
        *error = numero;
    if (numero != 0 || !RegistroJornadaValido(registro, jornada))
        return RegistroJornadaVacio();
    return registro;
}

void LeeFicheroJornadas(EstadoGlobal& estado) {
    estado.UltimoErrorFichero = 0;
    const int jornada = estado.Datos.JornadaActual;
    const QString ruta = estado.Ruta(NombreJornadas());
    int error = 0;

    if (!QFile::exists(ruta)) {
        // El fichero se crea vacío; la jornada pedida queda más allá del final.
        error = CreaSiNoExiste(estado.CarpetaDatos, ruta).Numero;
        if (error == 0) {
            estado.RegistroJornada = RegistroJornadaVacio();
            estado.Datos.FechaJornada = FechaDeRegistro(estado.RegistroJornada);
            return;
        }
    } else {
        QString registro;
        error = LeeRegistroCrudo(ruta, jornada, registro);
        if (error == 0) {
            estado.RegistroJornada =
                RegistroJornadaValido(registro, jornada) ? registro : RegistroJornadaVacio();
            estado.Datos.FechaJornada = FechaDeRegistro(estado.RegistroJornada);
            return;
        }
    }

    if (error == ErrorFichero::LongitudRegistro) {
        estado.UltimoErrorFichero = static_cast<int16_t>(error);
        AvisaSistema(TextoJornadasDanado(QFileInfo(ruta).size()));
    } else {
        NotificaErrorFichero(estado, ContextoJornadas(), error, ruta);
    }
    if (!RegistroJornadaValido(estado.RegistroJornada, jornada))
        estado.RegistroJornada = RegistroJornadaVacio();
    estado.RegistroJornada = AnchoFijo(estado.RegistroJornada, LongitudRegistroJornada);
    estado.Datos.FechaJornada = FechaDeRegistro(estado.RegistroJornada);
}

namespace {

// Con la carpeta bloqueada: relee el fichero, cambia el registro y lo escribe entero con
// GuardaFicheroEntero (un disco lleno o una muerte a mitad lo dejan como estaba). Los registros
// intermedios que falten, en blanco. Un fichero de tamaño que no es de registros enteros no se
// toca.
int CambiaRegistroEn(const QString& ruta, int jornada, const CambioRegistroJornada& cambio) {
    QByteArray datos;
    QFile fichero(ruta);
    if (fichero.open(QIODevice::ReadOnly)) {
        datos = fichero.readAll();
        if (fichero.error() != QFileDevice::NoError)
            return NumeroErrorFichero(fichero.error(), ruta);
    } else if (fichero.exists()) {
        return NumeroErrorFichero(fichero.error(), ruta);
    }
    if (datos.size() % LongitudRegistroJornada != 0)
        return ErrorFichero::LongitudRegistro;
    const qint64 inicio = InicioRegistro(jornada);
    if (datos.size() < inicio + LongitudRegistroJornada)
        // Los registros intermedios quedan en blanco: sin marca, se leen como vacíos.
        datos.append(QByteArray(inicio + LongitudRegistroJornada - datos.size(), ' '));
    const QString actual = AnchoFijo(DeWindows1252(datos.mid(inicio, LongitudRegistroJornada)),
                                     LongitudRegistroJornada);
    const QString nuevo = cambio(RegistroJornadaValido(actual, jornada) ? actual : QString());
    datos.replace(inicio, LongitudRegistroJornada,
                  AWindows1252(AnchoFijo(nuevo, LongitudRegistroJornada)));
    return GuardaFicheroEntero(ruta, datos).Numero;
}

} // namespace

ResultadoFichero CambiaRegistroJornada(const EstadoGlobal& estado, int jornada,
                                       const CambioRegistroJornada& cambio) {
    const QString ruta = estado.Ruta(NombreJornadas());
    if (jornada < 1)
        return {NumeroRegistroIncorrecto, ruta};
    return ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        return ResultadoFichero{CambiaRegistroEn(ruta, jornada, cambio), ruta};
    });
}

ResultadoFichero EscribeRegistroJornada(const EstadoGlobal& estado, int jornada,
                                        const QString& registro) {
    return CambiaRegistroJornada(estado, jornada, [&](const QString&) { return registro; });
}

ResultadoGuardarJornada GuardaJornadaActual(EstadoGlobal& estado, const CamposFecha& campos,
                                            const EquiposJornada& equipos) {
    // Se guarda la fecha de los campos aunque el panel siga abierto: así no se pierde una
    // fecha escrita y validada pero no confirmada.
    const CierreFecha cierre = CierraPanelFecha(campos, estado.Datos.FechaJornada);
    if (!cierre.Valida) {
        MuestraErrorFecha();
        return ResultadoGuardarJornada::FechaIncorrecta;
    }
    const int jornada = estado.Datos.JornadaActual;
    QString nuevo;
    // Columna ganadora y premios, los del fichero en ese momento: el escrutinio puede
    // haberlos guardado mientras la pantalla estaba abierta.
    const ResultadoFichero resultado =
        CambiaRegistroJornada(estado, jornada, [&](const QString& actual) {
            nuevo = ComponeRegistroJornada(actual.isEmpty() ? estado.RegistroJornada : actual,
                                           jornada, cierre.Fecha, equipos);
            return nuevo;
        });
    if (!resultado.Bien()) {
        AvisaSistema(TextoErrorGuardarJornada(resultado));
        return ResultadoGuardarJornada::ErrorFichero;
    }
    estado.RegistroJornada = nuevo;
    estado.Datos.FechaJornada = cierre.Fecha;
    return ResultadoGuardarJornada::Guardada;
}

QString TextoErrorGuardarJornada(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(QStringLiteral("No se han podido guardar los datos de la jornada en "
                                            "el fichero JORNADAS.ZPK"),
                             resultado);
}

void EligeJornada(EstadoGlobal& estado, int jornada) {
    estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
    LeeFicheroJornadas(estado);
}

QString TituloBotonJornada(int jornada) {
    return QStringLiteral("Jornada ") + QString::number(jornada);
}

QString TituloBotonFecha(const QString& fecha) {
    return QStringLiteral("Fecha ") + fecha;
}

} // namespace quiniela
