#include "reduction/fichero_bases.h"
#include "reduction/linea_bases.h"
#include "support/banco.h"
#include "support/registros_historial.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const QString Bases = u"BASES.ZPK"_s;

// Triple elegido con probable "X", doble "12" elegido sin probable y el resto "1".
Reduccion Ejemplo(const QString& descripcion = QString()) {
    Reduccion red = BaseDeFichas(u"1X2*=X 12* 1 1 1 1 1 1 1 1 1 1 1 1 1"_s, MetodoColumnaProbable);
    red.MinErrores = 1;
    red.MaxErrores = 12;
    red.ApuestasBase = 6;
    red.ApuestasReducidas = 4;
    red.Totales(1, 0) = red.Totales(2, 14) = red.Totales(3, 7) = 1;
    red.Descripcion = descripcion;
    return red;
}

QString Registro(int jornada, int orden, const QString& descripcion = QString()) {
    return ConstruyeRegistroReduccion(jornada, orden, Ejemplo(descripcion));
}

QByteArray Lineas(const QStringList& registros) {
    return (registros.join(u"\r\n"_s) + u"\r\n"_s).toLatin1();
}

QByteArray Bueno(int jornada = 7, int orden = 3) {
    return RegistroDe(jornada, orden, 2, 1296, 81, u"Pareja de dobles"_s).toLatin1();
}

// El registro bueno con un trozo cambiado desde la posición (desde 0).
QByteArray Cambiado(qsizetype pos, const QByteArray& trozo) {
    QByteArray r = Bueno();
    r.replace(pos, trozo.size(), trozo);
    return r;
}

} // namespace

TEST(FicheroBases, RegistroCampoACampoYLecturaDeLosEstropeados) {
    EXPECT_EQ(Registro(7, 3, u"ABCDEF"_s), u"07032 112    "_s + u"       6       4"_s +
                                               u"111312101210"_s + u"100100"_s.repeated(13) +
                                               u" 100000000000000000000000000001000000010000000"_s +
                                               QString(29, u' ') + u"ABCDEF"_s + QString(30, u' '));

    // Descripción larga con salto de línea y números de ocho cifras: no descuadran.
    Reduccion red = Ejemplo(u"  Una descripción con salto\r\nde línea muy larga  "_s);
    red.ApuestasBase = 14348907;
    const QString largo = ConstruyeRegistroReduccion(42, 30, red);
    ASSERT_EQ(largo.size(), 230);
    EXPECT_EQ(largo.mid(13, 8), u"14348907"_s);
    EXPECT_EQ(largo.mid(165), u"Una descripción con salto  de línea"_s + QString(30, u' '));

    // Registros cortos o estropeados no rompen la lectura.
    red = Ejemplo(u"previa"_s);
    LeeRegistroReduccion(u"0703"_s, red);
    EXPECT_EQ(red.Metodo, MetodoColumnaProbable); // un método ilegible no cambia
    EXPECT_EQ(red.MinErrores + red.ApuestasBase + red.Base[1].NumSignos, 0);
    EXPECT_TRUE(red.Descripcion.isEmpty());

    // Cifras fuera de rango o letras: 0. NumSignos sale de las tres celdas.
    QString r = Registro(1, 1);
    r[4] = u'7';                     // método imposible
    r.replace(5, 4, u"9932"_s);      // errores 99 y 32
    r.replace(29, 6, u"1X1929"_s);   // partido 1
    r[120] = u'5';                   // TotalesSignos(1, 0)
    r.replace(13, 8, u"  12a345"_s); // se detiene en la letra
    red.Metodo = MetodoSeleccionSignos;
    LeeRegistroReduccion(r, red);
    EXPECT_EQ(red.Metodo, MetodoSeleccionSignos);
    EXPECT_EQ(red.MinErrores + red.MaxErrores, 0);
    EXPECT_EQ(red.ApuestasBase, 12);
    EXPECT_EQ(red.Base[1].Signo, (std::array<int16_t, 4>{0, 1, 0, 1}));
    EXPECT_EQ(red.Base[1].NumSignos, 2);
    EXPECT_EQ(red.Base[1].AReducir + red.Base[1].SignoProbable + red.Totales(1, 0), 0);
}

TEST(FicheroBases, GuardaReutilizaLibresReemplazaEnSuSitioYLee) {
    Banco b;
    for (int orden = 1; orden <= 4; ++orden)
        ASSERT_TRUE(GuardaRegistroBases(b.estado, 1, orden, Registro(1, orden)).Bien());
    BorraRegistroBases(b.estado, 1, 4);
    BorraRegistroBases(b.estado, 1, 2);
    EXPECT_EQ(b.carpeta.Lee(Bases),
              Lineas({Registro(1, 1), RegistroLibre, Registro(1, 3), RegistroLibre}));

    // Con dos libres se toma el primero del fichero; sin libres, al final.
    const std::vector<std::array<int, 3>> guardados{{9, 5, 2}, {9, 6, 4}, {9, 7, 5}};
    for (auto [jornada, orden, numero] : guardados) {
        ASSERT_TRUE(GuardaRegistroBases(b.estado, jornada, orden, Registro(jornada, orden)).Bien());
        EXPECT_EQ(b.estado.NumeroRegistroReduccion, numero);
    }
    // La misma clave se reescribe en su sitio, aunque haya un libre antes.
    BorraRegistroBases(b.estado, 1, 1);
    const QString nuevo = Registro(9, 6, u"otra"_s);
    ASSERT_TRUE(GuardaRegistroBases(b.estado, 9, 6, nuevo).Bien());
    EXPECT_EQ(b.carpeta.Lee(Bases),
              Lineas({RegistroLibre, Registro(9, 5), Registro(1, 3), nuevo, Registro(9, 7)}));

    // ExisteEnBases deja el número del que coincide o el de registros leídos.
    EXPECT_TRUE(ExisteEnBases(b.estado, 9, 7));
    EXPECT_EQ(b.estado.NumeroRegistroReduccion, 5);
    EXPECT_FALSE(ExisteEnBases(b.estado, 9, 8));
    EXPECT_EQ(b.estado.NumeroRegistroReduccion, 5);
    const auto registros = LeeRegistrosBases(b.estado);
    ASSERT_EQ(registros.size(), 5u);
    EXPECT_EQ(registros[3], nuevo);

    // Dos registros con una clave: borrar libera los dos.
    b.carpeta.Escribe(Bases, Lineas({Registro(7, 2), Registro(7, 3), Registro(7, 2)}));
    BorraRegistroBases(b.estado, 7, 2);
    EXPECT_EQ(b.carpeta.Lee(Bases), Lineas({RegistroLibre, Registro(7, 3), RegistroLibre}));

    // Una línea corta y una última línea sin CR LF se conservan al guardar.
    b.carpeta.Escribe(Bases, "basura\n" + Registro(1, 1).toLatin1());
    ASSERT_TRUE(GuardaRegistroBases(b.estado, 2, 1, Registro(2, 1)).Bien());
    ASSERT_TRUE(GuardaRegistroBases(b.estado, 1, 1, Registro(1, 1, u"x"_s)).Bien());
    EXPECT_EQ(b.carpeta.Lee(Bases), "basura\n" + Lineas({Registro(1, 1, u"x"_s), Registro(2, 1)}));

    // La reducción actual se carga saltando la línea corta y estropeada.
    const QString r = Registro(7, 3, u"ABCDEF"_s);
    b.carpeta.Escribe(Bases, Lineas({u"07"_s, Registro(7, 2), r}));
    b.estado.Datos.JornadaActual = 7;
    b.estado.Datos.OrdenActual = 3;
    LeeFicheroBases(b.estado);
    EXPECT_EQ(b.estado.NumeroRegistroReduccion, 3);
    EXPECT_EQ(b.estado.RegistroReduccion, r);
    EXPECT_EQ(ConstruyeRegistroReduccion(7, 3, b.estado.Red), r);

    // Otro orden sin reducción: la base por defecto, sin registro y con el mismo método.
    b.estado.Datos.OrdenActual = 4;
    b.estado.Red.Metodo = MetodoSeleccionSignos;
    LeeFicheroBases(b.estado);
    EXPECT_EQ(b.estado.NumeroRegistroReduccion, 0);
    EXPECT_EQ(b.estado.RegistroReduccion, QString(230, u' '));
    EXPECT_EQ(ConstruyeRegistroReduccion(1, 1, b.estado.Red),
              u"01013 0 0           1       1"_s + u"100100"_s.repeated(15) + u' ' +
                  QString(45, u'0') + QString(65, u' '));
    EXPECT_TRUE(b.plataforma.Avisos.isEmpty());
}

TEST(FicheroBases, AvisosCuandoFaltaElFichero) {
    Banco b(false);
    const QString crearlo = u"No se encuentra el fichero BASES.ZPK. Se va a proceder a crearlo."_s;
    // Como dice el aviso, la búsqueda crea el índice vacío.
    EXPECT_FALSE(ExisteEnBases(b.estado, 1, 1));
    EXPECT_EQ(b.estado.UltimoErrorFichero, 53);
    EXPECT_TRUE(b.carpeta.Existe(Bases));
    EXPECT_EQ(b.carpeta.Lee(Bases), QByteArray());
    QFile::remove(b.carpeta.Ruta(Bases));
    BorraRegistroBases(b.estado, 1, 1);
    EXPECT_EQ(b.estado.UltimoErrorFichero, 53);
    EXPECT_FALSE(b.carpeta.Existe(Bases));
    EXPECT_EQ(b.plataforma.Avisos,
              QStringList({crearlo, u"No se encuentra el fichero BASES.ZPK"_s}));

    // La carga avisa, crea el índice vacío y deja la base por defecto.
    b.plataforma.Avisos.clear();
    b.estado.Red = Ejemplo(u"vieja"_s);
    LeeFicheroBases(b.estado);
    EXPECT_EQ(b.plataforma.Avisos, QStringList{crearlo});
    EXPECT_EQ(b.carpeta.Lee(Bases), QByteArray());
    EXPECT_EQ(b.estado.Red.Base, QuinielaBase::PorDefecto());

    // Guardar sin índice lo crea con el registro.
    QFile::remove(b.carpeta.Ruta(Bases));
    b.plataforma.Avisos.clear();
    ASSERT_TRUE(GuardaRegistroBases(b.estado, 7, 3, Registro(7, 3)).Bien());
    EXPECT_EQ(b.plataforma.Avisos, QStringList{crearlo});
    EXPECT_EQ(b.carpeta.Lee(Bases), Lineas({Registro(7, 3)}));

    // Sin la carpeta no se crea nada: el error 76 en cada rutina.
    b.plataforma.Avisos.clear();
    b.estado.CarpetaDatos = b.carpeta.Ruta(u"no_existe/"_s);
    LeeFicheroBases(b.estado);
    EXPECT_FALSE(ExisteEnBases(b.estado, 1, 1));
    BorraRegistroBases(b.estado, 1, 1);
    EXPECT_EQ(b.plataforma.Avisos,
              QStringList({u"LFB ERROR 76: No existe el fichero BASES.ZPK"_s,
                           u"EEB ERROR 76: No existe el fichero BASES.ZPK"_s,
                           u"BRB ERROR 76: No existe el fichero BASES.ZPK"_s}));
    EXPECT_EQ(GuardaRegistroBases(b.estado, 1, 1, Registro(1, 1)).Numero, 76);
}

TEST(LineaBases, DefectoDeCadaLineaIlegibleYUnSoloAviso) {
    struct Caso {
        QByteArray Linea;
        QString Defecto; // principio del porqué; vacío si se puede leer
    };
    const Caso casos[] = {
        {Bueno(), {}},
        {RegistroLibreBases().toLatin1(), {}},
        {"0000", {}},
        {Bueno().left(200), {}}, // un editor quitó los blancos del final
        {Bueno().left(164), u"es demasiado corta (164 caracteres de 230)"_s},
        {Bueno() + "x", u"es demasiado larga (231 caracteres de 230)"_s},
        {Cambiado(0, "a7"), u"la jornada o el orden no son números"_s},
        {Cambiado(4, "9"), u"el método no es 1, 2 ni 3"_s},
        {Cambiado(13, "   x1296"), u"los errores o las apuestas no son números"_s},
        {Cambiado(40, "a"), u"los signos de los partidos no son cifras"_s},
        {Cambiado(130, "2"), u"los signos de los partidos"_s},
        {Cambiado(180, QByteArray(1, '\0')), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\x1b[2J"), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\x81"), u"tiene bytes nulos o de control"_s},
        {Cambiado(190, "\xf1\x80"), {}}, // "ñ" y "€" se muestran
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Linea.toStdString());
        const QString defecto = DefectoLineaBases(c.Linea);
        if (c.Defecto.isEmpty())
            EXPECT_EQ(defecto, QString());
        else
            EXPECT_TRUE(defecto.startsWith(c.Defecto)) << defecto.toStdString();
    }

    // Al listar, las ilegibles se saltan con un solo aviso.
    Banco b;
    b.carpeta.Escribe(u"BASES.ZPK"_s, Bueno(1, 1) + "\r\n" + "corta\r\n" +
                                          RegistroLibreBases().toLatin1() + "\r\n" +
                                          Cambiado(4, "9") + "\r\n" + Bueno(2, 5) + "\r\n" +
                                          Cambiado(100, QByteArray(1, '\0')));
    const auto reducciones = LeeReduccionesBases(b.estado);
    ASSERT_EQ(reducciones.size(), 2u);
    EXPECT_EQ(reducciones[0].Linea, 1);
    EXPECT_EQ(reducciones[0].Registro, QString::fromLatin1(Bueno(1, 1)));
    EXPECT_EQ(reducciones[1].Linea, 5);
    ASSERT_EQ(b.plataforma.Avisos.size(), 1);
    EXPECT_EQ(b.plataforma.Avisos[0],
              u"El índice BASES.ZPK tiene líneas que no se pueden leer; no se muestran:\r\n"
              u"línea 2: es demasiado corta (5 caracteres de 230)\r\n"
              u"línea 4: el método no es 1, 2 ni 3\r\n"
              u"línea 6: tiene bytes nulos o de control"_s);
}
