#include "matchdays/fichero_equipos.h"

#include "core/bloqueo_datos.h"
#include "core/codificacion.h"
#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/fichero_lista.h"
#include "core/ficheros.h"

namespace quiniela {

namespace {

QString NombreEquipos() {
    return QString::fromLatin1(NombreFicheroEquipos);
}

ContextoErrorFichero ContextoEquipos(const QString& etiqueta, const QString& textoNoExiste) {
    ContextoErrorFichero c;
    c.Etiqueta = etiqueta;
    c.TextoNoExiste = textoNoExiste;
    c.TextoRuta = QStringLiteral("de equipos EQUIPOS.ZPK");
    return c;
}

const QString& TextoNoExiste() {
    static const QString texto =
        QStringLiteral("No se encuentra el fichero de equipos EQUIPOS.ZPK.");
    return texto;
}

} // namespace

QStringList NombresDeEquipos(const QByteArray& contenido) {
    QStringList nombres = ValoresDeLista(contenido);
    // Un control (un byte nulo, un escape) ni se muestra ni llegaría al guardar.
    for (QString& nombre : nombres)
        nombre = Imprimible(nombre);
    return nombres;
}

QByteArray ContenidoFicheroEquipos(const QStringList& nombres) {
    return ContenidoDeLista(nombres);
}

QStringList CargaLisEquipos(EstadoGlobal& estado) {
    const ContextoErrorFichero contexto =
        ContextoEquipos(QStringLiteral("CLE"),
                        TextoNoExiste() + FinLinea +
                            QStringLiteral("Se ha procedido a crearlo automáticamente con los "
                                           "valores establecidos por defecto."));
    const auto contenido = LeeFicheroDatos(estado, NombreEquipos(), contexto);
    if (contenido)
        return NombresDeEquipos(*contenido);
    // Solo se crea vacío cuando no existe: con otro fallo el fichero puede tener la
    // lista buena y no se debe machacar.
    if (estado.UltimoErrorFichero == ErrorFichero::NoExiste)
        CreaFicheroVacio(estado, NombreEquipos(), contexto);
    return {};
}

std::optional<QStringList> CreaCboEquipo(EstadoGlobal& estado) {
    const ContextoErrorFichero contexto = ContextoEquipos(QStringLiteral("CCE"), TextoNoExiste());
    const auto contenido = LeeFicheroDatos(estado, NombreEquipos(), contexto);
    if (!contenido)
        return std::nullopt;
    return NombresDeEquipos(*contenido);
}

ResultadoFichero GuardaListaEquipos(const EstadoGlobal& estado, const QStringList& nombres) {
    return ConCarpetaBloqueada(estado.CarpetaDatos, [&] {
        return GuardaFicheroEntero(estado.Ruta(NombreEquipos()), ContenidoFicheroEquipos(nombres));
    });
}

QString TextoErrorGuardarEquipos(const ResultadoFichero& resultado) {
    return TextoFalloGuardar(
        QStringLiteral("No se ha podido guardar el fichero de equipos EQUIPOS.ZPK"), resultado);
}

void EditorEquipos::Carga(EstadoGlobal& estado) {
    PonLista(CargaLisEquipos(estado));
}

void EditorEquipos::PonLista(const QStringList& nombres) {
    lista_ = nombres;
    seleccion_ = -1;
    nuevo_.clear();
    cambios_ = false;
}

void EditorEquipos::PonNuevoEquipo(const QString& texto) {
    nuevo_ = texto.left(LongitudNombreEquipo);
}

void EditorEquipos::Selecciona(int indice) {
    seleccion_ = indice >= 0 && indice < lista_.size() ? indice : -1;
}

bool EditorEquipos::Anade() {
    if (!AnadirVisible())
        return false;
    lista_ << nuevo_;
    nuevo_.clear();
    cambios_ = true;
    return true;
}

bool EditorEquipos::BorraSeleccionado() {
    if (!BorrarVisible())
        return false;
    lista_.removeAt(seleccion_);
    seleccion_ = -1;
    cambios_ = true;
    return true;
}

ResultadoFichero EditorEquipos::Guarda(const EstadoGlobal& estado) {
    ResultadoFichero resultado = GuardaListaEquipos(estado, lista_);
    if (resultado.Bien())
        cambios_ = false;
    return resultado;
}

} // namespace quiniela
