#include "core/escritura.h"
#include "reduction/bases_prueba.h"
#include "support/carpeta_temporal.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quiniela {
namespace {

using namespace prueba;
using namespace Qt::StringLiterals;

QStringList Temporales(const CarpetaTemporal& c) {
    return QDir(c.Ruta()).entryList({u"*.tmp"_s}, QDir::Files | QDir::Hidden);
}

// Un fichero entero sustituye al anterior de una vez; un fallo en cualquier punto (al escribir,
// al renombrar) lo deja byte a byte como estaba y sin temporal.
TEST(Escritura, SustituyeEnteroOFallaSinTocarElDestino) {
    CarpetaTemporal c;
    c.Escribe(u"JORNADAS.ZPK"_s, "lo de antes");
    ASSERT_TRUE(GuardaFicheroEntero(c.Ruta(u"JORNADAS.ZPK"_s), QByteArray(3000, 'n')).Bien());
    EXPECT_EQ(c.Lee(u"JORNADAS.ZPK"_s), QByteArray(3000, 'n'));

    // El límite de tamaño es un disco lleno (y no mata el proceso).
    ResultadoFichero r;
    ConLimiteDeFichero(
        1000, [&] { r = GuardaFicheroEntero(c.Ruta(u"JORNADAS.ZPK"_s), QByteArray(5000, 'x')); });
    EXPECT_EQ(r.Numero, ErrorFichero::DiscoLleno);
    EXPECT_EQ(CausaEnPalabras(r), u"el disco está lleno"_s);
    EXPECT_EQ(c.Lee(u"JORNADAS.ZPK"_s), QByteArray(3000, 'n'));

    // El cambio de nombre que falla (el temporal ya no está) se dice y no deja nada.
    EscrituraFichero w(c.Ruta(u"JORNADAS.ZPK"_s));
    ASSERT_TRUE(w.Abre());
    ASSERT_TRUE(w.Escribe(QByteArray(10, 'z')));
    ASSERT_TRUE(QFile::remove(w.RutaTemporal()));
    EXPECT_FALSE(w.Publica().Bien());
    EXPECT_EQ(c.Lee(u"JORNADAS.ZPK"_s), QByteArray(3000, 'n'));

    // Sin publicar, el destino sigue igual.
    {
        EscrituraFichero sinPublicar(c.Ruta(u"JORNADAS.ZPK"_s));
        ASSERT_TRUE(sinPublicar.Abre());
        sinPublicar.Escribe(QByteArray(10, 'q'));
    }
    EXPECT_EQ(c.Lee(u"JORNADAS.ZPK"_s), QByteArray(3000, 'n'));
    EXPECT_TRUE(Temporales(c).isEmpty());

    // Dos escrituras a la vez del mismo destino en un proceso no comparten temporal.
    {
        EscrituraFichero una(c.Ruta(u"JORNADAS.ZPK"_s));
        EscrituraFichero otra(c.Ruta(u"JORNADAS.ZPK"_s));
        EXPECT_NE(una.RutaTemporal(), otra.RutaTemporal());
        ASSERT_TRUE(una.Abre() && otra.Abre());
        una.Escribe("una");
        otra.Escribe("otra");
        EXPECT_TRUE(otra.Publica().Bien());
        EXPECT_TRUE(una.Publica().Bien());
    }
    EXPECT_EQ(c.Lee(u"JORNADAS.ZPK"_s), "una");
    EXPECT_TRUE(Temporales(c).isEmpty());

    // Una carpeta que no existe.
    r = GuardaFicheroEntero(c.Ruta(u"no/esta"_s), "x");
    EXPECT_EQ(r.Numero, ErrorFichero::RutaNoExiste);
    EXPECT_TRUE(CausaEnPalabras(r).startsWith(u"no existe la carpeta "_s));
}

// Un destino que no es un fichero normal se rechaza y queda como estaba; un enlace no se sigue.
TEST(Escritura, DispositivosTuberiasCarpetasYEnlaces) {
    CarpetaTemporal c;
    ASSERT_EQ(::mkfifo(QFile::encodeName(c.Ruta(u"tuberia"_s)).constData(), 0600), 0);
    ASSERT_TRUE(QDir(c.Ruta()).mkdir(u"carpeta"_s));
    const struct {
        QString Ruta;
        QString Motivo;
    } casos[] = {{u"/dev/null"_s, u"no es un fichero sino un dispositivo"_s},
                 {u"/dev/full"_s, u"no es un fichero sino un dispositivo"_s},
                 {c.Ruta(u"tuberia"_s), u"no es un fichero sino una tubería (FIFO)"_s},
                 {c.Ruta(u"carpeta"_s), u"en su lugar hay una carpeta con ese nombre"_s}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.Ruta.toStdString());
        const ResultadoFichero r = GuardaFicheroEntero(k.Ruta, "x");
        EXPECT_EQ(r.Numero, ErrorFichero::AccesoRuta);
        EXPECT_EQ(CausaEnPalabras(r), k.Motivo);
        EXPECT_FALSE(QFileInfo(k.Ruta).isFile());
    }
    EXPECT_TRUE(QFileInfo(u"/dev/null"_s).exists());
    EXPECT_TRUE(Temporales(c).isEmpty());

    // El enlace se sustituye por el fichero; aquello a lo que apuntaba no cambia.
    c.Escribe(u"fuera"_s, "ajeno");
    ASSERT_TRUE(QFile::link(c.Ruta(u"fuera"_s), c.Ruta(u"BASES.ZPK"_s)));
    ASSERT_TRUE(GuardaFicheroEntero(c.Ruta(u"BASES.ZPK"_s), "nuevo").Bien());
    EXPECT_FALSE(QFileInfo(c.Ruta(u"BASES.ZPK"_s)).isSymLink());
    EXPECT_EQ(c.Lee(u"BASES.ZPK"_s), "nuevo");
    EXPECT_EQ(c.Lee(u"fuera"_s), "ajeno");
}

// Los temporales de un proceso muerto se borran al volver a escribir el mismo destino y al
// arrancar; los de un proceso vivo, nunca.
TEST(Escritura, TemporalesAbandonadosSeLimpian) {
    CarpetaTemporal c;
    const QString muerto = u".quiniela-999999999.tmp"_s; // ningún proceso lleva ese número
    const QString vivo = u".quiniela-1.tmp"_s;           // init
    for (const QString& n : {u"salida.txt"_s, u"otro.txt"_s})
        for (const QString& t : {muerto, vivo})
            c.Escribe(n + t, "resto");
    c.Escribe(u"salida.txt.999999999.tmp"_s, "de una versión anterior");
    ASSERT_TRUE(GuardaFicheroEntero(c.Ruta(u"salida.txt"_s), "bien").Bien());
    EXPECT_EQ(Temporales(c),
              (QStringList{u"otro.txt"_s + vivo, u"otro.txt"_s + muerto, u"salida.txt"_s + vivo}));
    LimpiaTemporalesAbandonados(c.Ruta());
    EXPECT_EQ(Temporales(c), (QStringList{u"otro.txt"_s + vivo, u"salida.txt"_s + vivo}));
}

// Ninguna salida del usuario cae sobre los ficheros del programa, por enlace o con "..".
TEST(Escritura, SalidasSobreFicherosDelProgramaSeRechazan) {
    CarpetaTemporal datos;
    CarpetaTemporal otra;
    datos.Escribe(u"JORNADAS.ZPK"_s, "j");
    ASSERT_TRUE(QDir(datos.Ruta()).mkdir(u"sub"_s));
    ASSERT_TRUE(QFile::link(datos.Ruta(u"JORNADAS.ZPK"_s), otra.Ruta(u"enlace.pdf"_s)));
    ASSERT_TRUE(QFile::link(datos.Ruta(), otra.Ruta(u"atajo"_s)));
    const struct {
        QString Ruta;
        QString Motivo; // vacío: vale
    } casos[] = {
        {datos.Ruta(u"JORNADAS.ZPK"_s), u"JORNADAS.ZPK es un fichero de datos del programa"_s},
        {datos.Ruta(u"bases.zpk"_s), u"bases.zpk es un fichero de datos del programa"_s},
        {datos.Ruta(u"QUINIELA.LCK"_s), u"QUINIELA.LCK es un fichero de datos del programa"_s},
        {datos.Ruta(u"sub/../BASES.ZPK"_s), u"BASES.ZPK es un fichero de datos del programa"_s},
        {otra.Ruta(u"atajo/RED0101.ZPK"_s), u"RED0101.ZPK es un fichero de datos del programa"_s},
        {otra.Ruta(u"enlace.pdf"_s), u"JORNADAS.ZPK es un fichero de datos del programa"_s},
        {datos.Ruta(u"informe.pdf"_s), QString()},
        {otra.Ruta(u"BASES.ZPK"_s), QString()},
        {QString(), u"falta el nombre del fichero"_s},
        {otra.Ruta(u"no/esta.pdf"_s), u"no existe la carpeta "_s},
        {u"/dev/null"_s, u"no es un fichero sino un dispositivo"_s},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.Ruta.toStdString());
        const QString motivo = MotivoSalidaNoValida(datos.Ruta(), k.Ruta);
        EXPECT_TRUE(k.Motivo.isEmpty() ? motivo.isEmpty() : motivo.startsWith(k.Motivo))
            << motivo.toStdString();
    }
}

// Todo lo que abre un fichero para escribir está en la capa de escritura: ningún escritor
// inventa su propia forma.
TEST(Escritura, NingunEscritorFueraDeLaCapaDeEscritura) {
    const QRegularExpression escribe(
        uR"(WriteOnly|ReadWrite|Append|QSaveFile|QFile::copy|ofstream|fopen\s*\(|O_WRONLY|O_RDWR|)"
        uR"(setOutputFileName|QPdfWriter|QPrinter::PdfFormat)"_s);
    const QString raiz = QStringLiteral(QUINIELA_FUENTES);
    QStringList fuera;
    for (const QString& carpeta : {u"/src"_s, u"/app"_s}) {
        QDirIterator it(raiz + carpeta, {u"*.cpp"_s, u"*.h"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString ruta = it.next();
            if (ruta.endsWith(u"/src/core/escritura.cpp"_s))
                continue;
            QFile f(ruta);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            // El PDF se dibuja sobre un EscrituraFichero, nunca sobre una ruta.
            if (ruta.contains(u"/src/platform/qt/impresora_pintor."_s)) {
                const QByteArray todo = f.readAll();
                EXPECT_EQ(todo.count("QPdfWriter escritor_"), ruta.endsWith(u".h"_s) ? 1 : 0);
                EXPECT_EQ(todo.count("escritor_(&fichero_)"), ruta.endsWith(u".cpp"_s) ? 1 : 0);
                continue;
            }
            int n = 0;
            for (const QByteArray& linea : f.readAll().split('\n')) {
                ++n;
                const QString texto = QString::fromUtf8(linea);
                if (!texto.trimmed().startsWith(u"//"_s) && escribe.match(texto).hasMatch())
                    fuera << ruta.mid(raiz.size()) + u':' + QString::number(n);
            }
        }
    }
    EXPECT_TRUE(fuera.isEmpty()) << fuera.join(u'\n').toStdString();
}

} // namespace
} // namespace quiniela

namespace quiniela {
namespace {

// core es la capa de abajo: no incluye la plataforma (que sí incluye core).
TEST(Capas, CoreNoIncluyeLaPlataforma) {
    QDirIterator it(QStringLiteral(QUINIELA_FUENTES "/src/core"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(f.readAll().contains("#include \"platform/")) << f.fileName().toStdString();
    }
}

} // namespace
} // namespace quiniela
