// El manual quiniela-cli(1), el completado de bash y la tabla del README siguen a la tabla de
// órdenes: cada orden y cada opción de su texto de uso tienen que estar en los tres. Así una
// orden u opción nueva no se queda sin documentar, como les pasó a las cinco últimas.
#include "cli/clave_consola.h"
#include "cli/linea_ordenes.h"
#include "matchdays/orden_borrar.h"
#include "reduction/ordenes_reduccion.h"
#include "support/carpeta_temporal.h"
#include "support/datos_distribuidos.h"
#include "support/linea_cli.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace quiniela;
using namespace quiniela::prueba;
using namespace Qt::StringLiterals;

namespace {

QString LeeFuente(const QString& ruta) {
    QFile f(QStringLiteral(QUINIELA_FUENTES "/") + ruta);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ruta.toStdString();
    return QString::fromUtf8(f.readAll());
}

// Las "--nombre" de un texto, enteras ("--actual" no es "--a") y sin repetir.
QStringList Opciones(const QString& texto) {
    static const QRegularExpression opcion(u"(?<![\\w-])--[a-z]+"_s);
    QStringList todas;
    for (const auto& m : opcion.globalMatch(texto))
        if (!todas.contains(m.captured()))
            todas << m.captured();
    return todas;
}

QStringList Nombres() {
    QStringList nombres;
    for (const Orden& orden : TablaOrdenes())
        nombres << orden.Nombre;
    return nombres;
}

// Las opciones generales, de la ayuda que escribe el programa (antes de la lista de órdenes).
QStringList OpcionesGenerales() {
    QString ayuda;
    QTextStream out(&ayuda);
    QTextStream err(&ayuda);
    EXPECT_EQ(EjecutaLineaOrdenes({u"quiniela-cli"_s, u"--help"_s}, out, err), 0);
    return Opciones(ayuda.section(u"Órdenes:"_s, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// El manual: las entradas .TP de una sección, con su etiqueta (primera línea) y su texto.

struct EntradaManual {
    QString Etiqueta;
    QString Texto;
};

// Sin las secuencias de groff que separan lo que el lector ve junto: "\-\-a" es "--a".
QString TextoPlano(QString linea) {
    linea.replace(u"\\-"_s, u"-"_s).replace(u"\\(dq"_s, u"\""_s).replace(u"\\&"_s, QString());
    return linea.remove(QRegularExpression(u"\\\\f[BIRP]"_s));
}

QString SinMacro(const QString& linea) {
    QString resto = linea.startsWith(u'.') ? linea.section(u' ', 1) : linea;
    return resto.remove(u'"').trimmed();
}

std::vector<EntradaManual> EntradasSeccion(const QString& manual, const QString& seccion) {
    std::vector<EntradaManual> entradas;
    bool dentro = false;
    bool etiqueta = false;
    int sangria = 0; // las listas de dentro de una entrada (.RS ... .RE) son parte de ella
    for (const QString& bruta : manual.split(u'\n')) {
        const QString linea = TextoPlano(bruta);
        if (linea.startsWith(u".SH "_s)) {
            dentro = SinMacro(linea) == seccion;
            continue;
        }
        if (!dentro)
            continue;
        if (linea.startsWith(u".RS"_s))
            ++sangria;
        else if (linea.startsWith(u".RE"_s))
            --sangria;
        else if (linea.startsWith(u".TP"_s) && sangria == 0) {
            entradas.push_back({});
            etiqueta = true;
        } else if (etiqueta) {
            entradas.back().Etiqueta = SinMacro(linea);
            entradas.back().Texto = linea;
            etiqueta = false;
        } else if (!entradas.empty())
            entradas.back().Texto += u'\n' + linea;
    }
    return entradas;
}

// Cada orden de la tabla tiene su texto (entradas del manual, filas del README) y este nombra
// cada opción de su uso; nada describe una orden que no existe.
void CompruebaPorOrden(const std::map<QString, QString>& porOrden) {
    for (const auto& [nombre, texto] : porOrden)
        EXPECT_TRUE(Nombres().contains(nombre)) << "orden que no existe: " << nombre.toStdString();
    for (const Orden& orden : TablaOrdenes()) {
        SCOPED_TRACE(orden.Nombre.toStdString());
        const auto texto = porOrden.find(orden.Nombre);
        ASSERT_NE(texto, porOrden.end()) << "falta la orden";
        for (const QString& opcion : Opciones(orden.Uso))
            EXPECT_TRUE(Opciones(texto->second).contains(opcion)) << opcion.toStdString();
    }
}

class Manual : public ::testing::Test {
protected:
    const QString Fuente = LeeFuente(u"packaging/man/quiniela-cli.1.in"_s);
};

// Cada orden tiene su entrada con todas sus opciones, y cada opción su descripción.
TEST_F(Manual, CadaOrdenYCadaOpcionTienenSuEntradaYNingunaSobra) {
    std::map<QString, QString> porOrden; // "jornada" tiene dos entradas: ver y guardar
    for (const EntradaManual& e : EntradasSeccion(Fuente, u"ÓRDENES"_s))
        porOrden[e.Etiqueta.section(u' ', 0, 0)] += e.Texto + u'\n';
    CompruebaPorOrden(porOrden);

    const auto etiquetas = [this](const QString& seccion) {
        QStringList opciones;
        for (const EntradaManual& e : EntradasSeccion(Fuente, seccion))
            opciones += Opciones(e.Etiqueta);
        return opciones;
    };
    const QStringList generales = etiquetas(u"OPCIONES GENERALES"_s);
    for (const QString& opcion : OpcionesGenerales())
        EXPECT_TRUE(generales.contains(opcion)) << opcion.toStdString();

    const QStringList descritas = etiquetas(u"OPCIONES DE LAS ÓRDENES"_s);
    QStringList usadas;
    for (const Orden& orden : TablaOrdenes())
        usadas += Opciones(orden.Uso);
    for (const QString& opcion : usadas)
        EXPECT_TRUE(descritas.contains(opcion)) << "sin describir: " << opcion.toStdString();
    for (const QString& opcion : descritas)
        EXPECT_TRUE(usadas.contains(opcion)) << "no es de ninguna orden: " << opcion.toStdString();
}

TEST_F(Manual, LosEstadosDeSalidaPropiosDeCadaOrdenSeNombran) {
    // Los que no son 0 ni 1, con la orden que los da entre paréntesis.
    std::map<QString, QString> estados;
    for (const EntradaManual& e : EntradasSeccion(Fuente, u"ESTADO DE SALIDA"_s))
        estados[e.Etiqueta] = e.Texto;
    const std::pair<int, const char*> casos[] = {
        {SalidaComprobacionFallida, "reducir"}, {2, "escrutar"},
        {SalidaSinConfirmar, "borrar"},         {SalidaReduccionExiste, "reducir"},
        {SalidaCancelada, "reducir"},           {SalidaCancelada, "exportar"},
        {SalidaCancelada, "imprimir"},          {SalidaCancelada, "enviar"},
    };
    for (const auto& [estado, orden] : casos)
        EXPECT_TRUE(estados[QString::number(estado)].contains(
            QRegularExpression(u"\\b"_s + QString::fromLatin1(orden) + u"\\b"_s)))
            << estado << " " << orden;
}

// La cuenta se lee de donde dice el manual: ~/.config/quiniela.conf, grupo "correo".
TEST_F(Manual, LaCuentaDeCorreoSeLeeDelFicheroQueDice) {
    ASSERT_TRUE(Fuente.contains(u"~/.config/quiniela.conf"_s));
    QStringList entorno;
    for (const EntradaManual& e : EntradasSeccion(Fuente, u"ENTORNO"_s))
        entorno << e.Etiqueta;
    EXPECT_TRUE(entorno.contains(QString::fromLatin1(VariableClaveCorreo)));

    CarpetaTemporal carpeta;
    CopiaDatosDistribuidos(carpeta);
    CarpetaTemporal casa;
    QDir(casa.Ruta()).mkpath(u".config"_s);
    // Un remitente malo para que la orden pare antes de conectarse a nada.
    casa.Escribe(u".config/quiniela.conf"_s,
                 "[correo]\nservidor=127.0.0.1\npuerto=1\nseguridad=ninguna\nremitente=nadie\n");
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(u"HOME"_s, casa.Ruta());
    variables.remove(u"XDG_CONFIG_HOME"_s);
    variables.remove(QString::fromLatin1(VariableClaveCorreo));
    const Linea cli = Lanza(QStringLiteral(QUINIELA_CLI),
                            {u"--datos"_s, carpeta.Ruta(), u"enviar"_s, u"--jornada"_s, u"1"_s,
                             u"--orden"_s, u"1"_s, u"--a"_s, u"ana@ejemplo.es"_s},
                            variables);
    EXPECT_EQ(cli.Estado, 1);
    // Con el servidor leído, lo que falla es el remitente.
    EXPECT_TRUE(
        cli.Err.contains(u"La dirección del remitente no es una dirección de correo válida."_s))
        << cli.Err.toStdString();
}

// ---------------------------------------------------------------------------------------------
// El completado, ejecutado en bash como lo haría la tecla del tabulador.

QStringList Completa(const QStringList& palabras) {
    const QString guion = u"source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); "
                          u"_quiniela_cli; printf '%s\\n' \"${COMPREPLY[@]}\""_s;
    const Linea bash =
        Lanza(u"bash"_s,
              QStringList{u"-c"_s, guion,
                          QStringLiteral(QUINIELA_FUENTES "/packaging/completado/quiniela-cli"),
                          u"quiniela-cli"_s} +
                  palabras);
    EXPECT_EQ(bash.Err, QString());
    QStringList ofrecidas = bash.Out.split(u'\n', Qt::SkipEmptyParts);
    ofrecidas.sort();
    return ofrecidas;
}

QStringList Ordenada(QStringList lista) {
    lista.sort();
    return lista;
}

TEST(Completado, OfreceLasOrdenesYLasOpcionesDeCadaUna) {
    EXPECT_EQ(Completa({u""_s}), Ordenada(OpcionesGenerales() + Nombres()));
    for (const Orden& orden : TablaOrdenes()) {
        SCOPED_TRACE(orden.Nombre.toStdString());
        EXPECT_EQ(Completa({orden.Nombre, u"--"_s}), Ordenada(Opciones(orden.Uso)));
        // Tras una opción general y su valor, la orden sigue siendo la misma.
        EXPECT_EQ(Completa({u"--datos"_s, u"/tmp"_s, orden.Nombre, u"--"_s}),
                  Ordenada(Opciones(orden.Uso)));
    }
    // Lo ya escrito no se ofrece otra vez; lo que se repite, sí.
    const QStringList enviar = Completa({u"enviar"_s, u"--jornada"_s, u"1"_s, u"--a"_s,
                                         u"ana@ejemplo.es"_s, u"--basicos"_s, u"--"_s});
    EXPECT_FALSE(enviar.contains(u"--jornada"_s));
    EXPECT_FALSE(enviar.contains(u"--basicos"_s));
    EXPECT_TRUE(enviar.contains(u"--a"_s));
    EXPECT_TRUE(enviar.contains(u"--orden"_s));
}

// Tras cada opción del uso, lo que pide: un fichero, uno de sus valores ("AD243|TXT1|…|TXT6":
// solo algunos escritos) o nada que ofrecer si es un número o un texto.
TEST(Completado, OfreceLosValoresDeCadaOpcion) {
    QTemporaryDir dir;
    QFile(dir.filePath(u"informe.pdf"_s)).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir(u"datos"_s);
    EXPECT_EQ(Completa({u"--datos"_s, dir.filePath(u"da"_s)}),
              QStringList{dir.filePath(u"datos"_s)});

    for (const Orden& orden : TablaOrdenes()) {
        for (const QString& opcion : Opciones(orden.Uso)) {
            SCOPED_TRACE((orden.Nombre + u' ' + opcion).toStdString());
            // Lo que sigue a su primera aparición: nada, otra opción o "]" es una bandera.
            const QString valor = QRegularExpression(QRegularExpression::escape(opcion) +
                                                     u"(?![a-z])(?: ([^\\s\\]]+))?"_s)
                                      .match(orden.Uso)
                                      .captured(1);
            if (valor.isEmpty() || valor.startsWith(u"--"_s))
                continue;
            const bool fichero = valor.startsWith(u"FICHERO"_s) || valor == u"RUTA"_s;
            const QStringList ofrecidas =
                Completa({orden.Nombre, opcion, fichero ? dir.filePath(u"inf"_s) : u""_s});
            QStringList alternativas = valor.split(u'|');
            if (fichero)
                EXPECT_EQ(ofrecidas, QStringList{dir.filePath(u"informe.pdf"_s)});
            else if (alternativas.size() == 1)
                EXPECT_EQ(ofrecidas, QStringList());
            else if (alternativas.removeAll(u"…"_s) == 0)
                EXPECT_EQ(ofrecidas, Ordenada(alternativas));
            else
                for (const QString& v : alternativas)
                    EXPECT_TRUE(ofrecidas.contains(v)) << v.toStdString();
        }
    }
    EXPECT_EQ(Completa({u"exportar"_s, u"--formato"_s, u"T"_s}),
              (QStringList{u"TXT1"_s, u"TXT2"_s, u"TXT3"_s, u"TXT4"_s, u"TXT5"_s, u"TXT6"_s}));
    // --partido N LOCAL VISITANTE: tres valores seguidos.
    for (const QStringList& tras : {QStringList{u"3"_s}, QStringList{u"3"_s, u"Betis"_s}})
        EXPECT_EQ(
            Completa(QStringList{u"jornada"_s, u"5"_s, u"--partido"_s} + tras + QStringList{u""_s}),
            QStringList());
}

// ---------------------------------------------------------------------------------------------

TEST(Readme, LaTablaDeOrdenesTieneCadaOrdenConSusOpciones) {
    const QString readme = LeeFuente(u"README.md"_s);
    const QString tabla = readme.section(u"| Orden | Qué hace |"_s, 1).section(u"\n\n"_s, 0, 0);
    ASSERT_FALSE(tabla.isEmpty());
    std::map<QString, QString> porOrden;
    static const QRegularExpression fila(u"^\\| `([^`]+)`"_s, QRegularExpression::MultilineOption);
    for (const auto& m : fila.globalMatch(tabla))
        porOrden[m.captured(1).section(u' ', 0, 0)] += m.captured(1) + u'\n';
    CompruebaPorOrden(porOrden);
}

} // namespace
