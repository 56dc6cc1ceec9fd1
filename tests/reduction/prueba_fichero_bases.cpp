#include "core/estado_global.h"
#include "reduction/fichero_bases.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <gtest/gtest.h>

using namespace quiniela;
using prueba::CarpetaTemporal;
using prueba::PlataformaFalsa;

namespace {

const QString Bases = QStringLiteral("BASES.ZPK");

QString Blancos(int n) {
    return QString(n, u' ');
}

// Reducción de ejemplo: partido 1 triple elegido con probable "X", partido 2 doble "12"
// elegido sin probable, el resto "1".
Reduccion Ejemplo(const QString& descripcion) {
    Reduccion red;
    red.Metodo = MetodoColumnaProbable;
    red.MinErrores = 1;
    red.MaxErrores = 12;
    red.ApuestasBase = 6;
    red.ApuestasReducidas = 4;
    red.Base[1].Signo = {0, 1, 1, 1};
    red.Base[1].NumSignos = 3;
    red.Base[1].AReducir = 1;
    red.Base[1].SignoProbable = 2;
    red.Base[2].Signo = {0, 1, 0, 1};
    red.Base[2].NumSignos = 2;
    red.Base[2].AReducir = 1;
    red.Totales(1, 0) = 1;
    red.Totales(2, 14) = 1;
    red.Totales(3, 7) = 1;
    red.Descripcion = descripcion;
    return red;
}

QByteArray Linea(const QString& registro) {
    return registro.toLatin1() + "\r\n";
}

QString Registro(int jornada, int orden, const QString& descripcion = QString()) {
    return ConstruyeRegistroReduccion(jornada, orden, Ejemplo(descripcion));
}

} // namespace

TEST(FicheroBases, RegistroCampoACampo) {
    const QString r = ConstruyeRegistroReduccion(7, 3, Ejemplo(QStringLiteral("ABCDEF")));
    // Escrito a mano según la disposición del registro.
    QString esperado = QStringLiteral("0703") + u'2' + QStringLiteral(" 112") + Blancos(4) +
                       QStringLiteral("       6") + QStringLiteral("       4") +
                       QStringLiteral("111312") + QStringLiteral("101210");
    for (int m = 3; m <= 15; ++m)
        esperado += QStringLiteral("100100");
    esperado += u' ';
    esperado += QStringLiteral("100000000000000") + QStringLiteral("000000000000001") +
                QStringLiteral("000000010000000");
    esperado += Blancos(29) + QStringLiteral("ABCDEF") + Blancos(30);
    ASSERT_EQ(r.size(), 230);
    EXPECT_EQ(r, esperado);
    EXPECT_EQ(r.mid(165, 35), Blancos(29) + QStringLiteral("ABCDEF"));

    Reduccion leida;
    leida.Metodo = MetodoDirecto;
    LeeRegistroReduccion(r, leida);
    const Reduccion original = Ejemplo(QStringLiteral("ABCDEF"));
    EXPECT_EQ(leida.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(leida.MinErrores, 1);
    EXPECT_EQ(leida.MaxErrores, 12);
    EXPECT_EQ(leida.ApuestasBase, 6);
    EXPECT_EQ(leida.ApuestasReducidas, 4);
    EXPECT_EQ(leida.Base, original.Base);
    EXPECT_EQ(leida.Totales, original.Totales);
    EXPECT_EQ(leida.Descripcion, QStringLiteral("ABCDEF"));
}

TEST(FicheroBases, DescripcionYNumerosNoDescuadranElRegistro) {
    Reduccion red = Ejemplo(QStringLiteral("  Una descripción con salto\r\nde línea muy larga  "));
    red.ApuestasBase = 14348907;
    const QString r = ConstruyeRegistroReduccion(42, 30, red);
    ASSERT_EQ(r.size(), 230);
    EXPECT_EQ(r.mid(13, 8), QStringLiteral("14348907"));
    EXPECT_FALSE(r.contains(u'\r'));
    EXPECT_FALSE(r.contains(u'\n'));
    EXPECT_EQ(r.mid(165, 35), QStringLiteral("Una descripción con salto  de línea"));
    EXPECT_EQ(r.right(30), Blancos(30));
}

TEST(FicheroBases, RegistrosCortosOEstropeadosNoRompenLaLectura) {
    Reduccion red = Ejemplo(QStringLiteral("previa"));
    LeeRegistroReduccion(QStringLiteral("0703"), red);
    EXPECT_EQ(red.Metodo, MetodoColumnaProbable); // un método ilegible no cambia
    EXPECT_EQ(red.MinErrores, 0);
    EXPECT_EQ(red.ApuestasBase, 0);
    EXPECT_EQ(red.Base[1].NumSignos, 0);
    EXPECT_EQ(red.Totales, TotalesSignos{});
    EXPECT_TRUE(red.Descripcion.isEmpty());

    // Cifras fuera de rango o letras: 0. NumSignos sale de las tres celdas.
    QString r = Registro(1, 1);
    r[4] = u'7';                                  // método imposible
    r.replace(5, 4, QStringLiteral("9932"));      // errores 99 y 32
    r.replace(29, 6, QStringLiteral("1X1929"));   // partido 1
    r[120] = u'5';                                // TotalesSignos(1, 0)
    r.replace(13, 8, QStringLiteral("  12a345")); // se detiene en la letra
    red.Metodo = MetodoSeleccionSignos;
    LeeRegistroReduccion(r, red);
    EXPECT_EQ(red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(red.MinErrores, 0);
    EXPECT_EQ(red.MaxErrores, 0);
    EXPECT_EQ(red.ApuestasBase, 12);
    EXPECT_EQ(red.Base[1].Signo[1], 1);
    EXPECT_EQ(red.Base[1].Signo[2], 0);
    EXPECT_EQ(red.Base[1].Signo[3], 1);
    EXPECT_EQ(red.Base[1].NumSignos, 2);
    EXPECT_EQ(red.Base[1].AReducir, 0);
    EXPECT_EQ(red.Base[1].SignoProbable, 0);
    EXPECT_EQ(red.Totales(1, 0), 0);
}

TEST(FicheroBases, GuardaAnadeReutilizaLibresYReemplazaEnSuSitio) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    carpeta.Escribe(Bases, QByteArray());

    for (int orden = 1; orden <= 4; ++orden)
        ASSERT_EQ(GuardaRegistroBases(estado, 1, orden, Registro(1, orden)), 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 4);
    EXPECT_EQ(carpeta.Lee(Bases), Linea(Registro(1, 1)) + Linea(Registro(1, 2)) +
                                      Linea(Registro(1, 3)) + Linea(Registro(1, 4)));

    BorraRegistroBases(estado, 1, 4);
    BorraRegistroBases(estado, 1, 2);
    EXPECT_EQ(carpeta.Lee(Bases), Linea(Registro(1, 1)) + Linea(RegistroLibreBases()) +
                                      Linea(Registro(1, 3)) + Linea(RegistroLibreBases()));

    // Con dos libres se toma el primero del fichero.
    ASSERT_EQ(GuardaRegistroBases(estado, 9, 5, Registro(9, 5)), 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 2);
    ASSERT_EQ(GuardaRegistroBases(estado, 9, 6, Registro(9, 6)), 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 4);
    // Sin libres, al final.
    ASSERT_EQ(GuardaRegistroBases(estado, 9, 7, Registro(9, 7)), 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 5);
    // La misma clave se reescribe en su sitio, aunque haya un libre antes.
    BorraRegistroBases(estado, 1, 1);
    const QString nuevo = Registro(9, 6, QStringLiteral("otra"));
    ASSERT_EQ(GuardaRegistroBases(estado, 9, 6, nuevo), 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 4);
    EXPECT_EQ(estado.RegistroReduccion, nuevo);

    const QByteArray esperado = Linea(RegistroLibreBases()) + Linea(Registro(9, 5)) +
                                Linea(Registro(1, 3)) + Linea(nuevo) + Linea(Registro(9, 7));
    EXPECT_EQ(carpeta.Lee(Bases), esperado);
    EXPECT_EQ(carpeta.Lee(Bases).size(), 5 * 232);
    EXPECT_TRUE(plataforma.avisos.isEmpty());

    EXPECT_TRUE(ExisteEnBases(estado, 9, 7));
    EXPECT_EQ(estado.NumeroRegistroReduccion, 5);
    EXPECT_FALSE(ExisteEnBases(estado, 9, 8));
    EXPECT_EQ(estado.NumeroRegistroReduccion, 5); // registros leídos
    EXPECT_TRUE(ExisteEnBases(estado, 0, 0));
    EXPECT_EQ(estado.NumeroRegistroReduccion, 1);

    const auto registros = LeeRegistrosBases(estado);
    ASSERT_EQ(registros.size(), 5u);
    EXPECT_EQ(registros[3], nuevo);
}

TEST(FicheroBases, BorrarLiberaTodosLosRegistrosDeLaClave) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QByteArray antes = Linea(Registro(7, 2)) + Linea(Registro(7, 3)) + Linea(Registro(7, 2));
    carpeta.Escribe(Bases, antes);
    BorraRegistroBases(estado, 7, 2);
    EXPECT_EQ(carpeta.Lee(Bases),
              Linea(RegistroLibreBases()) + Linea(Registro(7, 3)) + Linea(RegistroLibreBases()));
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST(FicheroBases, LeeLaReduccionActualOLaBasePorDefecto) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QString r = Registro(7, 3, QStringLiteral("ABCDEF"));
    // La línea 1 es corta y estropeada: se salta sin problemas.
    carpeta.Escribe(Bases, QByteArray("07\r\n") + Linea(Registro(7, 2)) + Linea(r));

    estado.Datos.JornadaActual = 7;
    estado.Datos.OrdenActual = 3;
    LeeFicheroBases(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 0);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 3);
    EXPECT_EQ(estado.RegistroReduccion, r);
    EXPECT_EQ(estado.Red.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(estado.Red.Descripcion, QStringLiteral("ABCDEF"));
    EXPECT_EQ(estado.Red.Base[1].SignoProbable, 2);

    estado.Datos.OrdenActual = 4;
    estado.Red.Metodo = MetodoSeleccionSignos;
    LeeFicheroBases(estado);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 0);
    EXPECT_EQ(estado.RegistroReduccion, Blancos(230));
    EXPECT_EQ(estado.Red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(estado.Red.Base, QuinielaBase::PorDefecto());
    EXPECT_EQ(estado.Red.ApuestasBase, 1);
    EXPECT_EQ(estado.Red.ApuestasReducidas, 1);
    EXPECT_EQ(estado.Red.MaxErrores, 0);
    EXPECT_EQ(estado.Red.Totales, TotalesSignos{});
    EXPECT_TRUE(estado.Red.Descripcion.isEmpty());
    EXPECT_TRUE(plataforma.avisos.isEmpty());
}

TEST(FicheroBases, LineasIrregularesSeConservanAlGuardar) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    // Una línea corta y una última línea sin CR LF.
    const QByteArray corta("basura\n");
    carpeta.Escribe(Bases, corta + Registro(1, 1).toLatin1());
    ASSERT_EQ(GuardaRegistroBases(estado, 2, 1, Registro(2, 1)), 0);
    EXPECT_EQ(carpeta.Lee(Bases), corta + Linea(Registro(1, 1)) + Linea(Registro(2, 1)));
    ASSERT_EQ(GuardaRegistroBases(estado, 1, 1, Registro(1, 1, QStringLiteral("x"))), 0);
    EXPECT_EQ(carpeta.Lee(Bases),
              corta + Linea(Registro(1, 1, QStringLiteral("x"))) + Linea(Registro(2, 1)));
}

TEST(FicheroBases, AvisosCuandoFaltaElFichero) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    PlataformaFalsa plataforma(&estado);
    const QString crearlo =
        QStringLiteral("No se encuentra el fichero BASES.ZPK. Se va a proceder a crearlo.");

    EXPECT_FALSE(ExisteEnBases(estado, 1, 1));
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_EQ(estado.NumeroRegistroReduccion, 0);
    // Como dice el aviso, la búsqueda crea el índice vacío: guardar ya no avisa otra vez.
    EXPECT_EQ(carpeta.Lee(Bases), QByteArray());
    EXPECT_TRUE(carpeta.Existe(Bases));
    QFile::remove(carpeta.Ruta(Bases));
    BorraRegistroBases(estado, 1, 1);
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_FALSE(carpeta.Existe(Bases));
    EXPECT_EQ(plataforma.avisos,
              QStringList({crearlo, QStringLiteral("No se encuentra el fichero BASES.ZPK")}));

    // La carga avisa, crea el índice vacío y deja la base por defecto.
    plataforma.avisos.clear();
    estado.Red = Ejemplo(QStringLiteral("vieja"));
    LeeFicheroBases(estado);
    EXPECT_EQ(estado.UltimoErrorFichero, 53);
    EXPECT_EQ(plataforma.avisos, QStringList{crearlo});
    EXPECT_TRUE(carpeta.Existe(Bases));
    EXPECT_EQ(carpeta.Lee(Bases), QByteArray());
    EXPECT_EQ(estado.Red.Metodo, MetodoColumnaProbable);
    EXPECT_EQ(estado.Red.Base, QuinielaBase::PorDefecto());
    EXPECT_TRUE(estado.Red.Descripcion.isEmpty());

    // Guardar sin índice lo crea con el registro.
    QFile::remove(carpeta.Ruta(Bases));
    plataforma.avisos.clear();
    ASSERT_EQ(GuardaRegistroBases(estado, 7, 3, Registro(7, 3)), 0);
    EXPECT_EQ(plataforma.avisos, QStringList{crearlo});
    EXPECT_EQ(carpeta.Lee(Bases), Linea(Registro(7, 3)));
    EXPECT_EQ(carpeta.Lee(Bases).left(4), QByteArray("0703"));
    EXPECT_TRUE(ExisteEnBases(estado, 7, 3));
    EXPECT_EQ(estado.NumeroRegistroReduccion, 1);
}

TEST(FicheroBases, RutaInexistente) {
    CarpetaTemporal carpeta;
    EstadoGlobal estado = carpeta.Estado();
    estado.CarpetaDatos = carpeta.Ruta(QStringLiteral("no_existe/"));
    PlataformaFalsa plataforma(&estado);
    LeeFicheroBases(estado);
    EXPECT_FALSE(ExisteEnBases(estado, 1, 1));
    BorraRegistroBases(estado, 1, 1);
    EXPECT_EQ(plataforma.avisos,
              QStringList({QStringLiteral("LFB ERROR 76: No existe el fichero BASES.ZPK"),
                           QStringLiteral("EEB ERROR 76: No existe el fichero BASES.ZPK"),
                           QStringLiteral("BRB ERROR 76: No existe el fichero BASES.ZPK")}));
    EXPECT_EQ(GuardaRegistroBases(estado, 1, 1, Registro(1, 1)), 76);
    EXPECT_EQ(estado.Red.Base, QuinielaBase::PorDefecto());
}
