#include "reduction/fichero_bases.h"

#include "core/bloqueo_datos.h"
#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "core/ficheros.h"
#include "core/mascaras.h"
#include "platform/plataforma.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/linea_bases.h"

#include <QByteArray>
#include <QFile>
#include <QSet>

#include <optional>

namespace quiniela {

namespace {

// Posiciones (desde 0) de los campos del registro.
constexpr int PosMetodo = 4;
constexpr int PosMinErrores = 5;
constexpr int PosMaxErrores = 7;
constexpr int PosApuestasBase = 13;
constexpr int PosApuestasReducidas = 21;
constexpr int PosPartidos = 29; // 6 cifras por partido
constexpr int PosTotales = 120; // 15 cifras por signo
constexpr int PosDescripcion = 165;
constexpr int AnchoReservadoFinal = 30;
constexpr int TotalesPorSigno = 15; // r = 0..14

const QByteArray FinRegistro = QByteArrayLiteral("\r\n");

QString NombreBases() {
    return QString::fromLatin1(NombreFicheroBases);
}

ContextoErrorFichero ContextoBases(const QString& etiqueta, const QString& textoNoExiste) {
    ContextoErrorFichero c;
    c.Etiqueta = etiqueta;
    c.TextoNoExiste = textoNoExiste;
    c.TextoRuta = NombreBases();
    return c;
}

const QString& TextoNoExisteCrea() {
    static const QString texto =
        QStringLiteral("No se encuentra el fichero BASES.ZPK. Se va a proceder a crearlo.");
    return texto;
}

// Una línea del fichero tal como está en disco: su contenido y su final ("\r\n", "\n" o
// nada en la última). Se conservan los bytes para reescribir intactas las demás líneas.
struct LineaBases {
    QByteArray Contenido;
    QByteArray Fin;
};

std::vector<LineaBases> PartirLineas(const QByteArray& datos) {
    std::vector<LineaBases> lineas;
    lineas.reserve(static_cast<std::size_t>(datos.size() / 232 + 1));
    qsizetype inicio = 0;
    while (inicio < datos.size()) {
        const qsizetype lf = datos.indexOf('\n', inicio);
        LineaBases linea;
        if (lf < 0) {
            linea.Contenido = datos.mid(inicio);
            inicio = datos.size();
        } else {
            qsizetype finContenido = lf;
            if (finContenido > inicio && datos[finContenido - 1] == '\r')
                --finContenido;
            linea.Contenido = datos.mid(inicio, finContenido - inicio);
            linea.Fin = datos.mid(finContenido, lf + 1 - finContenido);
            inicio = lf + 1;
        }
        lineas.push_back(std::move(linea));
    }
    return lineas;
}

QByteArray UneLineas(const std::vector<LineaBases>& lineas) {
    QByteArray todo;
    qsizetype total = 0;
    for (const LineaBases& l : lineas)
        total += l.Contenido.size() + l.Fin.size();
    todo.reserve(total);
    for (const LineaBases& l : lineas)
        todo += l.Contenido + l.Fin;
    return todo;
}

QString RegistroDeLinea(const LineaBases& linea) {
    return AnchoFijo(DeWindows1252(linea.Contenido), LongitudRegistroReduccion);
}

bool TieneClave(const LineaBases& linea, const QString& clave) {
    const QString inicio = AnchoFijo(DeWindows1252(linea.Contenido.left(4)), 4);
    return inicio.compare(clave, Qt::CaseInsensitive) == 0;
}

// Lee el índice entero; nullopt si no se pudo (el error ya está avisado y guardado).
std::optional<std::vector<LineaBases>> LeeLineas(EstadoGlobal& estado,
                                                 const ContextoErrorFichero& contexto) {
    const auto datos = LeeFicheroDatos(estado, NombreBases(), contexto);
    if (!datos)
        return std::nullopt;
    return PartirLineas(*datos);
}

ResultadoFichero EscribeLineas(EstadoGlobal& estado, const std::vector<LineaBases>& lineas) {
    return GuardaFicheroEntero(estado.Ruta(NombreBases()), UneLineas(lineas));
}

// Deja libres las líneas que cumplen la condición; devuelve cuántas.
template <typename Condicion>
int LiberaLineas(std::vector<LineaBases>& lineas, Condicion condicion) {
    const QByteArray libre = AWindows1252(RegistroLibreBases());
    int liberadas = 0;
    for (LineaBases& linea : lineas) {
        if (!condicion(linea))
            continue;
        linea.Contenido = libre;
        if (linea.Fin.isEmpty())
            linea.Fin = FinRegistro;
        ++liberadas;
    }
    return liberadas;
}

// Una cifra de 0 a 9; otro valor se escribe como "0" para no descuadrar el registro.
QChar Cifra(int valor) {
    return QChar(u'0' + (valor >= 0 && valor <= 9 ? valor : 0));
}

// Un número en su ancho fijo; si no cabe se conservan las últimas cifras.
QString NumeroFijo(const QString& texto, int ancho) {
    return texto.size() > ancho ? texto.right(ancho) : texto;
}

// Lectura numérica al estilo de los ficheros de texto: blancos delante, luego cifras;
// se detiene en el primer carácter que no es cifra.
long long ValorCampo(QStringView campo) {
    qsizetype i = 0;
    while (i < campo.size() && campo[i] == u' ')
        ++i;
    long long valor = 0;
    for (; i < campo.size() && valor < 1'000'000'000LL; ++i) {
        const char16_t c = campo[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        valor = valor * 10 + (c - u'0');
    }
    return valor;
}

int16_t CifraEnRango(QStringView registro, int pos, int maximo) {
    const long long v = ValorCampo(registro.mid(pos, 1));
    return static_cast<int16_t>(v <= maximo ? v : 0);
}

// Descripción apta para el registro: sin controles (un salto de línea partiría el
// registro), sin blancos a los lados y de 35 caracteres como mucho.
QString DescripcionLimpia(const QString& descripcion) {
    QString d = descripcion;
    for (QChar& c : d)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    return d.trimmed().left(LongitudDescripcion).trimmed();
}

} // namespace

QString ClaveBases(int jornada, int orden) {
    return DosCifras(jornada) + DosCifras(orden);
}

QString RegistroLibreBases() {
    return ClaveBases(0, 0) + QString(LongitudRegistroReduccion - 4, u' ');
}

QString ConstruyeRegistroReduccion(int jornada, int orden, const Reduccion& red) {
    QString r;
    r.reserve(LongitudRegistroReduccion);
    r += NumeroFijo(DosCifras(jornada), 2);
    r += NumeroFijo(DosCifras(orden), 2);
    r += Cifra(red.Metodo);
    r += NumeroFijo(ADerecha(red.MinErrores, 2), 2);
    r += NumeroFijo(ADerecha(red.MaxErrores, 2), 2);
    r += QString(4, u' ');
    r += NumeroFijo(ADerecha(red.ApuestasBase, 8), 8);
    r += NumeroFijo(ADerecha(red.ApuestasReducidas, 8), 8);
    for (int m = 1; m <= NumPartidos; ++m) {
        const PartidoBase& p = red.Base[m];
        r += Cifra(p.Signo[1]);
        r += Cifra(p.Signo[2]);
        r += Cifra(p.Signo[3]);
        r += Cifra(p.NumSignos);
        r += Cifra(p.AReducir);
        r += Cifra(p.SignoProbable);
    }
    r += u' ';
    for (int k = 1; k <= NumSignosMax; ++k)
        for (int t = 0; t < TotalesPorSigno; ++t)
            r += Cifra(red.Totales(k, t));
    r += ADerecha(DescripcionLimpia(red.Descripcion), LongitudDescripcion);
    r += QString(AnchoReservadoFinal, u' ');
    Q_ASSERT(r.size() == LongitudRegistroReduccion);
    return r;
}

void LeeRegistroReduccion(const QString& registro, Reduccion& red) {
    const QString texto = AnchoFijo(registro, LongitudRegistroReduccion);
    const QStringView r(texto);

    const int16_t metodo = CifraEnRango(r, PosMetodo, NumMetodos);
    if (metodo >= 1)
        red.Metodo = metodo;
    const auto errores = [&](int pos) {
        const long long v = ValorCampo(r.mid(pos, 2));
        return static_cast<int16_t>(v < NumPartidos ? v : 0);
    };
    red.MinErrores = errores(PosMinErrores);
    red.MaxErrores = errores(PosMaxErrores);
    red.ApuestasBase = static_cast<int32_t>(ValorCampo(r.mid(PosApuestasBase, 8)));
    red.ApuestasReducidas = static_cast<int32_t>(ValorCampo(r.mid(PosApuestasReducidas, 8)));

    for (int m = 1; m <= NumPartidos; ++m) {
        const int pos = PosPartidos + 6 * (m - 1);
        PartidoBase& p = red.Base[m];
        for (int s = 1; s <= NumSignosMax; ++s)
            p.Signo[s] = CifraEnRango(r, pos + s - 1, 1);
        // NumSignos es siempre la suma de las tres celdas: se recuenta por si el
        // registro viene estropeado.
        p.RecuentaSignos();
        p.AReducir = CifraEnRango(r, pos + 4, 1);
        p.SignoProbable = CifraEnRango(r, pos + 5, NumSignosMax);
    }
    red.Base[0] = PartidoBase{};

    red.Totales = TotalesSignos{};
    for (int k = 1; k <= NumSignosMax; ++k)
        for (int t = 0; t < TotalesPorSigno; ++t)
            red.Totales(k, t) = CifraEnRango(r, PosTotales + TotalesPorSigno * (k - 1) + t, 1);

    red.Descripcion = r.mid(PosDescripcion, LongitudDescripcion).trimmed().toString();
}

void LeeFicheroBases(EstadoGlobal& estado) {
    const ContextoErrorFichero contexto = ContextoBases(QStringLiteral("LFB"), TextoNoExisteCrea());
    const QString clave = ClaveBases(estado.Datos.JornadaActual, estado.Datos.OrdenActual);

    estado.RegistroReduccion = QString(LongitudRegistroReduccion, u' ');
    estado.NumeroRegistroReduccion = 0;

    const auto lineas = LeeLineas(estado, contexto);
    if (!lineas) {
        if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
            CreaFicheroVacio(estado, NombreBases(), contexto);
        estado.Red.PonPorDefecto();
        return;
    }
    for (std::size_t i = 0; i < lineas->size(); ++i) {
        if (!TieneClave((*lineas)[i], clave))
            continue;
        estado.RegistroReduccion = RegistroDeLinea((*lineas)[i]);
        estado.NumeroRegistroReduccion = static_cast<int32_t>(i + 1);
        LeeRegistroReduccion(estado.RegistroReduccion, estado.Red);
        return;
    }
    estado.Red.PonPorDefecto();
}

bool ExisteEnBases(EstadoGlobal& estado, int jornada, int orden) {
    const ContextoErrorFichero contexto = ContextoBases(QStringLiteral("EEB"), TextoNoExisteCrea());
    const QString clave = ClaveBases(jornada, orden);
    estado.NumeroRegistroReduccion = 0;
    const auto lineas = LeeLineas(estado, contexto);
    if (!lineas) {
        // El aviso dice que se va a crear: se crea, y no se repite en el guardado.
        if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
            CreaFicheroVacio(estado, NombreBases(), contexto);
        return false;
    }
    for (std::size_t i = 0; i < lineas->size(); ++i) {
        if (TieneClave((*lineas)[i], clave)) {
            estado.NumeroRegistroReduccion = static_cast<int32_t>(i + 1);
            return true;
        }
    }
    estado.NumeroRegistroReduccion = static_cast<int32_t>(lineas->size());
    return false;
}

namespace {

// Índice del primer registro con esa clave, o lineas.size() si no hay ninguno.
std::size_t BuscaClave(const std::vector<LineaBases>& lineas, const QString& clave) {
    for (std::size_t i = 0; i < lineas.size(); ++i)
        if (TieneClave(lineas[i], clave))
            return i;
    return lineas.size();
}

void PonContenido(LineaBases& linea, const QByteArray& contenido) {
    linea.Contenido = contenido;
    if (linea.Fin.isEmpty())
        linea.Fin = FinRegistro;
}

void BorraRegistroBloqueado(EstadoGlobal& estado, const QString& clave,
                            const ContextoErrorFichero& contexto) {
    auto lineas = LeeLineas(estado, contexto);
    if (!lineas)
        return;
    const bool cambiado =
        LiberaLineas(*lineas, [&](const LineaBases& l) { return TieneClave(l, clave); }) > 0;
    if (!cambiado)
        return;
    const ResultadoFichero resultado = EscribeLineas(estado, *lineas);
    if (!resultado.Bien())
        NotificaErrorFichero(estado, contexto, resultado);
}

// Con `publica`, el fichero de columnas completo espera como "<nombre>.nuevo" mientras se escribe
// el registro: el índice es el que decide, y un proceso muerto entre medias deja anotado el cambio
// para que el siguiente arranque lo termine o lo deshaga. La reducción anterior sigue en el índice
// hasta que la nueva está entera y se puede listar.
ResultadoFichero GuardaRegistroBloqueado(EstadoGlobal& estado, int jornada, int orden,
                                         const QString& texto, const PublicacionColumnas& publica) {
    const ContextoErrorFichero contexto = ContextoBases(QStringLiteral("EEB"), TextoNoExisteCrea());
    std::vector<LineaBases> lineas;
    if (auto leidas = LeeLineas(estado, contexto))
        lineas = std::move(*leidas);
    else if (estado.UltimoErrorFichero != ErrorFichero::NoExiste)
        return {estado.UltimoErrorFichero, estado.Ruta(NombreBases())};
    // Un 53 no impide guardar: el índice se crea con este registro.

    const QString clave = ClaveBases(jornada, orden);
    const QString columnas = estado.Ruta(NombreFicheroApuestas(jornada, orden));
    const QString nuevas = RutaColumnasNuevas(columnas);
    if (publica) {
        if (const ResultadoFichero r =
                AnotaCambioPendiente(estado, CambioSustitucion(jornada, orden, texto));
            !r.Bien())
            return r;
        if (const ResultadoFichero r = publica(); !r.Bien()) {
            QuitaCambioPendiente(estado);
            return r;
        }
    }
    std::size_t destino = BuscaClave(lineas, clave);
    if (destino == lineas.size())
        destino = BuscaClave(lineas, ClaveBases(0, 0));
    if (destino == lineas.size()) {
        // Al final, sin pegarse a una última línea que no terminara en CR LF.
        if (!lineas.empty() && lineas.back().Fin.isEmpty())
            lineas.back().Fin = FinRegistro;
        lineas.push_back(LineaBases{});
    }
    PonContenido(lineas[destino], AWindows1252(texto));
    const ResultadoFichero resultado = EscribeLineas(estado, lineas);
    if (publica) {
        if (!resultado.Bien()) {
            QFile::remove(nuevas);
            QuitaCambioPendiente(estado);
            return resultado;
        }
        // Si no se puede poner en su sitio, el cambio queda anotado: lo termina el próximo
        // arranque.
        if (const ResultadoFichero r = RenombraEncima(nuevas, columnas); !r.Bien())
            return r;
        QuitaCambioPendiente(estado);
    }
    if (resultado.Bien())
        estado.NumeroRegistroReduccion = static_cast<int32_t>(destino + 1);
    return resultado;
}

} // namespace

void BorraRegistroBases(EstadoGlobal& estado, int jornada, int orden) {
    const ContextoErrorFichero contexto = ContextoBases(
        QStringLiteral("BRB"), QStringLiteral("No se encuentra el fichero BASES.ZPK"));
    const ResultadoFichero resultado = ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        BorraRegistroBloqueado(estado, ClaveBases(jornada, orden), contexto);
        return ResultadoFichero{};
    });
    if (!resultado.Bien()) {
        estado.UltimoErrorFichero = static_cast<int16_t>(resultado.Numero);
        AvisaSistema(TextoFalloGuardar(
            QStringLiteral("No se ha podido liberar la reducción en el índice BASES.ZPK"),
            resultado));
    }
}

ResultadoFichero GuardaRegistroBases(EstadoGlobal& estado, int jornada, int orden,
                                     const QString& registro, const PublicacionColumnas& publica) {
    const QString texto = AnchoFijo(registro, LongitudRegistroReduccion);
    const ResultadoFichero resultado = ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        return GuardaRegistroBloqueado(estado, jornada, orden, texto, publica);
    });
    estado.UltimoErrorFichero = static_cast<int16_t>(resultado.Numero);
    if (resultado.Bien())
        estado.RegistroReduccion = texto;
    return resultado;
}

std::vector<QString> LeeRegistrosBases(EstadoGlobal& estado) {
    const ContextoErrorFichero contexto = ContextoBases(QStringLiteral("LFB"), TextoNoExisteCrea());
    std::vector<QString> registros;
    const auto lineas = LeeLineas(estado, contexto);
    if (!lineas) {
        if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
            CreaFicheroVacio(estado, NombreBases(), contexto);
        return registros;
    }
    registros.reserve(lineas->size());
    for (const LineaBases& linea : *lineas)
        registros.push_back(RegistroDeLinea(linea));
    return registros;
}

LiberacionBases LiberaJornadasBases(EstadoGlobal& estado, int desde, int hasta) {
    LiberacionBases r;
    r.Resultado.Ruta = estado.Ruta(NombreBases());
    QSet<QString> claves;
    for (int j = desde; j <= hasta; ++j)
        for (int o = 1; o <= MaxOrden; ++o)
            claves.insert(ClaveBases(j, o));
    // Releído y escrito con la carpeta bloqueada, como todo cambio del índice.
    const ResultadoFichero resultado = ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        QFile fichero(r.Resultado.Ruta);
        if (!fichero.exists())
            return ResultadoFichero{};
        QByteArray datos;
        if (fichero.open(QIODevice::ReadOnly))
            datos = fichero.readAll();
        if (fichero.error() != QFileDevice::NoError)
            return ResultadoFichero{NumeroErrorFichero(fichero.error(), r.Resultado.Ruta),
                                    r.Resultado.Ruta};
        std::vector<LineaBases> lineas = PartirLineas(datos);
        r.Liberados = LiberaLineas(lineas, [&](const LineaBases& l) {
            return claves.contains(DeWindows1252(l.Contenido.left(4)).toUpper());
        });
        return r.Liberados > 0 ? EscribeLineas(estado, lineas) : ResultadoFichero{};
    });
    if (!resultado.Bien())
        r.Resultado = resultado;
    return r;
}

namespace {

// Un aviso para todas las líneas saltadas; con muchas, las primeras y cuántas más.
void AvisaLineasIlegibles(const QStringList& defectos) {
    constexpr qsizetype Mostradas = 10;
    QString texto = QStringLiteral("El índice BASES.ZPK tiene líneas que no se pueden leer; no "
                                   "se muestran:");
    for (qsizetype i = 0; i < defectos.size() && i < Mostradas; ++i)
        texto += FinLinea + defectos[i];
    if (defectos.size() > Mostradas)
        texto += FinLinea + QStringLiteral("y %1 líneas más.").arg(defectos.size() - Mostradas);
    AvisaSistema(texto);
}

} // namespace

std::vector<ReduccionIndice> LeeReduccionesBases(EstadoGlobal& estado) {
    const ContextoErrorFichero contexto = ContextoBases(QStringLiteral("LFB"), TextoNoExisteCrea());
    std::vector<ReduccionIndice> reducciones;
    const auto lineas = LeeLineas(estado, contexto);
    if (!lineas) {
        if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
            CreaFicheroVacio(estado, NombreBases(), contexto);
        return reducciones;
    }
    QStringList defectos;
    for (std::size_t i = 0; i < lineas->size(); ++i) {
        const QByteArray& contenido = (*lineas)[i].Contenido;
        const int numero = static_cast<int>(i + 1);
        if (const QString defecto = DefectoLineaBases(contenido); !defecto.isEmpty())
            defectos << QStringLiteral("línea %1: %2").arg(numero).arg(defecto);
        else if (!contenido.startsWith("0000"))
            reducciones.push_back({RegistroDeLinea((*lineas)[i]), numero});
    }
    if (!defectos.isEmpty())
        AvisaLineasIlegibles(defectos);
    return reducciones;
}

} // namespace quiniela
