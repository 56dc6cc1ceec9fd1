#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "output/columnas_prueba.h"
#include "output/destinos.h"
#include "output/fichero_boletos.h"
#include "output/formatos_exportar.h"
#include "output/motor_copia.h"
#include "output/trabajo_impresion.h"
#include "support/carpeta_temporal.h"
#include "support/plataforma_falsa.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

QuinielaBase BaseConPartido15(int signos) {
    QuinielaBase base = QuinielaBase::PorDefecto();
    base[NumPartidos].Signo = {};
    for (int s = 1; s <= signos; ++s)
        base[NumPartidos].Signo[s] = 1;
    base[NumPartidos].RecuentaSignos();
    return base;
}

// Copia completa a una carpeta aparte, con lo que avisa el motor.
struct Copia {
    ResultadoCopia R;
    QByteArray Bytes;
    std::vector<int> Porcentajes;
    QStringList Estados;
    std::vector<MensajeCopia> Avisos;
};

class MotorCopia : public testing::Test {
protected:
    void SetUp() override {
        estado.CarpetaDatos = datos.Ruta();
        estado.Datos.JornadaActual = 7;
        estado.Datos.OrdenActual = 3;
        estado.Datos.CodigoDelegacion = u"28"_s;
        estado.Datos.CodigoReceptor = u"12345"_s;
    }
    void Columnas(const QStringList& columnas) {
        datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(columnas));
    }
    Copia Copiar(FormatoExportar formato) {
        Copia c;
        OpcionesCopia o;
        o.Formato = formato;
        o.Unidad = unidad;
        o.NombreArchivo = nombre;
        o.AlAvanzar = [&](int p) { c.Porcentajes.push_back(p); };
        o.AlCambiarEstado = [&](const QString& t) { c.Estados << t; };
        o.AlAvisar = [&](const MensajeCopia& m) { c.Avisos.push_back(m); };
        c.R = EjecutaCopia(estado, o);
        c.Bytes = destino.Lee(u"salida"_s);
        return c;
    }

    CarpetaTemporal datos;
    CarpetaTemporal destino;
    EstadoGlobal estado;
    PlataformaFalsa plataforma{&estado};
    UnidadDestino unidad{u"PRUEBA"_s, destino.Ruta()};
    QString nombre = u"  salida  "_s;

    // Lo que hay antes de una copia que va a fallar. Después, el destino y el fichero de boletos
    // siguen igual, sin temporales.
    void PreparaAnteriores() {
        datos.Escribe(u"FORBOLW.ZPK"_s, "anterior");
        destino.Escribe(u"salida"_s, "la copia de la semana pasada");
    }
    void FallaSinCambios(const Copia& c, const QString& mensaje) {
        EXPECT_EQ(c.R.Fin, FinCopia::Fallida);
        ASSERT_TRUE(c.R.Mensaje);
        EXPECT_TRUE(c.R.Mensaje->Texto.startsWith(mensaje)) << c.R.Mensaje->Texto.toStdString();
        EXPECT_EQ(c.Bytes, "la copia de la semana pasada");
        for (const QString& f : QDir(datos.Ruta()).entryList(QDir::Files))
            EXPECT_TRUE(f == u"FORBOLW.ZPK" || f == u"RED0703.ZPK") << f.toStdString();
        if (QFileInfo(datos.Ruta(u"FORBOLW.ZPK"_s)).isFile()) {
            EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s), "anterior");
        }
        EXPECT_EQ(QDir(destino.Ruta()).entryList(QDir::Files), QStringList{u"salida"_s});
    }
};

QByteArray Ad243Esperado(const QString& nombre) {
    QFile f(QStringLiteral(QUINIELA_FUENTES "/tests/datos/output/") + nombre);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
    return f.readAll();
}

} // namespace

TEST(CuentaBoletos, FormulaDeGruposIgualesYBoletoDeCadaColumna) {
    // Signos del partido 15, columnas, boletos y columnas del último.
    const std::tuple<int, int64_t, int64_t, int> casos[] = {
        {1, 17, 3, 1}, {1, 16, 2, 8},  {2, 18, 4, 1}, {3, 288, 36, 8}, {2, 1, 1, 1},
        {3, 2, 2, 1},  {0, 100, 0, 0}, {1, 0, 0, 0},  {2, -5, 0, 0}};
    for (const auto& [signos, total, boletos, ultimo] : casos) {
        const QuinielaBase base = BaseConPartido15(signos);
        EXPECT_EQ(CalculaBoletos(base, total), boletos) << signos << " " << total;
        EXPECT_EQ(ColumnasUltimoBoleto(base, total), ultimo) << signos << " " << total;
    }
    // Dos grupos de 5: columnas 1–5 en el boleto 1 y 6–10 en el 2; fuera del total, 0.
    for (int n = 0; n <= 11; ++n)
        EXPECT_EQ(BoletoDeColumna(BaseConPartido15(2), 10, n), n < 1 || n > 10 ? 0 : (n + 4) / 5)
            << n;
    EXPECT_EQ(BoletoDeColumna(BaseConPartido15(0), 10, 1), 0);
    // Un solo grupo de 20: columnas 9 y 17 abren los boletos 2 y 3.
    for (const auto& [n, boleto] : {std::pair(8, 1), std::pair(9, 2), std::pair(17, 3)})
        EXPECT_EQ(BoletoDeColumna(BaseConPartido15(1), 20, n), boleto) << n;
}

TEST(CuentaBoletos, ElAvisoDeBoletosDeUnaColumnaDiceCuantosYCuales) {
    // Signos del partido 15, columnas y lo que dice el aviso (vacío: no avisa).
    const std::tuple<int, int32_t, QStringList> casos[] = {
        {1,
         17,
         {u"el último boleto (el boleto 3) sólo contiene una columna"_s,
          u"aumentará  en  una  el"_s}},
        {2,
         18,
         {u"2 boletos sólo contienen una columna"_s,
          u"\r\n    el boleto 2 (partido 15: 1)\r\n    el boleto 4 (partido 15: X)\r\n"_s,
          u"aumentará  en  2  el"_s}},
        {3,
         1594323,
         {u"3 boletos"_s, u"el boleto 66431 (partido 15: 1)"_s,
          u"el boleto 132862 (partido 15: X)"_s, u"el boleto 199293 (partido 15: 2)"_s}},
        // 10 + 9: solo el grupo de la X acaba en un boleto de una columna.
        {2,
         19,
         {u"un boleto sólo contiene una columna"_s, u"el boleto 4 (partido 15: X)"_s,
          u"aumentará  en  una  el"_s}},
        {1, 16, {}},
        {3, 24, {}},
    };
    for (const auto& [signos, columnas, dice] : casos) {
        SCOPED_TRACE(testing::Message() << signos << " signos, " << columnas << " columnas");
        Reduccion red;
        red.Base = BaseConPartido15(signos);
        red.ApuestasReducidas = columnas;
        const auto aviso = AvisoUltimoBoleto(red);
        ASSERT_EQ(aviso.has_value(), !dice.isEmpty());
        if (!aviso)
            continue;
        EXPECT_EQ(aviso->Titulo, u"ÚLTIMO BOLETO INCOMPLETO"_s);
        for (const QString& trozo : dice)
            EXPECT_TRUE(aviso->Texto.contains(trozo)) << aviso->Texto.toStdString();
    }
}

TEST_F(MotorCopia, FormatosDeTextoDeDosColumnas) {
    Columnas({u"1X21X21X21X21X2"_s, u"222111XXX1X21X1"_s});
    const QByteArray a = "1X21X21X21X21X2", b = "222111XXX1X21X1";
    auto signos = [](const QByteArray& c) {
        QByteArrayList s;
        for (char x : c)
            s << '"' + QByteArray(1, x) + '"';
        return s.join(',');
    };
    const std::pair<FormatoExportar, QByteArray> casos[] = {
        {FormatoExportar::TXT1, a + b},
        {FormatoExportar::TXT2, a + "\r\n" + b + "\r\n"},
        {FormatoExportar::TXT3, '"' + a + "\",\"" + b + '"'},
        {FormatoExportar::TXT4, '"' + a + "\"\r\n\"" + b + "\"\r\n"},
        {FormatoExportar::TXT5, signos(a) + ',' + signos(b)},
        {FormatoExportar::TXT6, signos(a) + "\r\n" + signos(b) + "\r\n"}};
    for (const auto& [formato, esperado] : casos)
        EXPECT_EQ(Copiar(formato).Bytes, esperado) << CodigoFormato(formato).toStdString();
}

// 17 columnas: la única del último boleto se duplica; 16: dos boletos llenos; partido 15 doble
// de 9 + 9: los boletos 2 y 4 llevan una columna cada uno (k = 2).
TEST_F(MotorCopia, AD243DuplicaLaColumnaUnicaDeCadaGrupoYSuCabeceraLlevaElNumeroDeControl) {
    EXPECT_EQ(NumeroControl(u"28"_s, u"12345"_s), 4);
    EXPECT_EQ(NumeroControl(u"2A"_s, u"1 3"_s), (2 + 3 * 1 + 5 * 3) % 11); // lo que no es cifra, 0
    // Con campos cortos o largos, el registro C tiene su ancho.
    EXPECT_EQ(RegistroCAD243({5, u"3/1/2024"_s, u"123"_s, u"1"_s, 7, 1}).size(),
              LongitudRegistroAD243);
    const QStringList x = ColumnasPrueba(17, u'X');
    const struct {
        QStringList Columnas;
        QString Esperado;
        int Total, UnaColumna;
    } casos[] = {
        {x, u"ad243_17_columnas.dat"_s, 18, 1},
        {x.mid(0, 16), u"ad243_16_columnas.dat"_s, 16, 0},
        {ColumnasPrueba(9, u'1') + ColumnasPrueba(9, u'2', 9), u"ad243_9_y_9.dat"_s, 20, 2}};
    for (const auto& k : casos) {
        Columnas(k.Columnas);
        const Copia c = Copiar(FormatoExportar::AD243);
        ASSERT_EQ(c.R.Fin, FinCopia::Terminada) << k.Total;
        EXPECT_EQ(c.Bytes, Ad243Esperado(k.Esperado)) << k.Total;
        EXPECT_EQ(c.R.TotalColumnas, k.Total);
        ASSERT_EQ(c.Avisos.size(), k.UnaColumna > 0 ? 1u : 0u) << k.Total;
        // Cuántos boletos llevan una sola columna (el de una, con la línea de órdenes).
        if (k.UnaColumna == 2) {
            EXPECT_TRUE(c.Avisos[0].Texto.startsWith(
                u"Con esta reducción, hay 2 boletos con una sola columna"_s))
                << c.Avisos[0].Texto.toStdString();
            EXPECT_TRUE(c.Avisos[0].Texto.contains(u"aumentará en 2 el número"_s));
        }
    }
    // Con una jornada de verdad la cabecera lleva su fecha: día, mes y año, en ese orden (el 28
    // de marzo no se confunde con un día 3 del mes 28).
    QByteArray jornadas;
    for (int j = 1; j <= 7; ++j)
        jornadas += (j == 7 ? ComponeRegistroJornada(RegistroJornadaVacio(), 7, u"28/03/26"_s, {})
                            : RegistroJornadaVacio())
                        .toLatin1();
    datos.Escribe(u"JORNADAS.ZPK"_s, jornadas);
    Columnas(x.mid(0, 16));
    EXPECT_EQ(Copiar(FormatoExportar::AD243).Bytes.left(21), "C01243"
                                                             "07"
                                                             "280326"
                                                             "28"
                                                             "12345");
}

// Un fichero de boletos que es un enlace, o que alguien tiene abierto para leer (la consulta, una
// impresión, otro programa), se sustituye: ni aquel al que apunta ni lo que lee el otro cambian.
TEST_F(MotorCopia, ProgresoYEstadosEmpiezanDeCeroEnCadaCopiaYElFicheroDeBoletosSeSustituye) {
    const QStringList antes = ColumnasPrueba(3, u'1');
    Columnas(antes);
    datos.Escribe(u"ajeno.txt"_s, QByteArray(5000, 'z'));
    ASSERT_TRUE(QFile::link(datos.Ruta(u"ajeno.txt"_s), datos.Ruta(u"FORBOLW.ZPK"_s)));
    for (int vez = 0; vez < 2; ++vez) {
        const Copia c = Copiar(FormatoExportar::TXT2);
        EXPECT_EQ(c.Porcentajes, (std::vector<int>{33, 67, 100}));
        EXPECT_EQ(c.R.ColumnasCopiadas, 3);
        EXPECT_EQ(c.Estados,
                  (QStringList{u"Se está creando en la unidad PRUEBA el archivo salida"_s,
                               u"Se ha copiado a la unidad PRUEBA el archivo salida"_s}));
    }
    EXPECT_EQ(PorcentajeCopia(1, 8), 12); // 12,5: al par
    EXPECT_EQ(PorcentajeCopia(3, 8), 38); // 37,5: al par
    EXPECT_EQ(PorcentajeCopia(1, 0), 0);
    EXPECT_EQ(datos.Lee(u"ajeno.txt"_s), QByteArray(5000, 'z'));
    QFile lector(datos.Ruta(u"FORBOLW.ZPK"_s));
    ASSERT_TRUE(lector.open(QIODevice::ReadOnly));
    const QStringList despues = ColumnasPrueba(16, u'2', 100);
    Columnas(despues);
    ASSERT_EQ(Copiar(FormatoExportar::TXT2).R.Fin, FinCopia::Terminada);
    EXPECT_EQ(lector.readAll(), FicheroColumnas(antes));
    EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s), FicheroColumnas(despues));
    EXPECT_EQ(QDir(datos.Ruta()).entryList(QDir::Files),
              (QStringList{u"ajeno.txt"_s, u"FORBOLW.ZPK"_s, u"RED0703.ZPK"_s}));
}

// Quien rehace el fichero de boletos para leerlo (consulta, impresión) lee lo suyo aunque otra
// copia lo rehaga justo después.
TEST_F(MotorCopia, ElFicheroDeBoletosRehechoSeLeeAunqueOtroLoRehaga) {
    QByteArray primero = FicheroColumnas(ColumnasPrueba(3, u'1'));
    QByteArray segundo = FicheroColumnas(ColumnasPrueba(16, u'2', 100));
    QBuffer a(&primero);
    QBuffer b(&segundo);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const ResultadoFicheroBoletos ra = CreaFicheroBoletos(estado, a, u"A"_s);
    ASSERT_TRUE(ra.Lectura);
    const ResultadoFicheroBoletos rb = CreaFicheroBoletos(estado, b, u"B"_s);
    ASSERT_EQ(rb.Error, 0);
    EXPECT_EQ(ra.Lectura->readAll(), primero);
    EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s), segundo);
}

TEST_F(MotorCopia, SinFicheroDeColumnasNombresQueNoSonUnArchivoDeLaUnidadODiscoQueFalta) {
    EXPECT_EQ(Copiar(FormatoExportar::TXT1).R.Fin, FinCopia::SinColumnas);
    EXPECT_TRUE(plataforma.Mensajes.empty());
    Columnas(ColumnasPrueba(2, u'1'));
    unidad = {u"USB"_s, destino.Ruta(u"no-esta"_s)};
    EXPECT_EQ(Copiar(FormatoExportar::AD243).R.Fin, FinCopia::Cancelada);
    ASSERT_EQ(plataforma.Mensajes.size(), 1u);
    EXPECT_EQ(plataforma.Mensajes[0].Titulo, u"NO HAY DISCO"_s);
    EXPECT_TRUE(plataforma.Mensajes[0].Texto.startsWith(
        u"No ha colocado ningún disco en la unidad USB. Introduzca"_s));
    EXPECT_EQ(plataforma.Mensajes[0].Botones, BotonesMensaje(BotonMensaje::Copiar));
    for (const QString& malo : {u""_s, u"   "_s, u".."_s, u"a/b"_s, u"..\\BASES.ZPK"_s}) {
        nombre = malo;
        const ResultadoCopia r = Copiar(FormatoExportar::TXT1).R;
        EXPECT_EQ(r.Fin, FinCopia::Rechazada) << nombre.toStdString();
        ASSERT_TRUE(r.Mensaje);
        EXPECT_EQ(r.Mensaje->Titulo, u"NOMBRE DE ARCHIVO NO VÁLIDO"_s);
    }
    // Un fichero del programa solo se protege en la carpeta de datos.
    EXPECT_TRUE(CompruebaNombreArchivo(estado, datos.Ruta(), u"bases.zpk"_s));
    EXPECT_TRUE(CompruebaNombreArchivo(estado, datos.Ruta(), u"RED0703.ZPK"_s));
    EXPECT_FALSE(CompruebaNombreArchivo(estado, datos.Ruta(), u"AD243"_s));
    EXPECT_FALSE(CompruebaNombreArchivo(estado, destino.Ruta(), u"BASES.ZPK"_s));
}

// El fichero de boletos se escribe en otro hilo: si no se puede ni empezar o el disco se llena a
// mitad (con el destino aún a tiempo: un límite de tamaño entre los dos, TXT1 ocupa 15 bytes por
// columna y los boletos 19), se dice así y ni el destino ni lo que había en su lugar cambian.
TEST_F(MotorCopia, FicheroDeBoletosQueNoSePuedeEscribirODiscoLlenoAMitad) {
    Columnas(ColumnasPrueba(100000, u'1'));
    PreparaAnteriores();
    const QString fallo = u"No se ha podido escribir el fichero de boletos FORBOLW.ZPK: "_s;
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    rlimit limite = antes;
    limite.rlim_cur = 1700000;
    const auto senal = std::signal(SIGXFSZ, SIG_IGN); // sin ella, write() falla con EFBIG
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const Copia c = Copiar(FormatoExportar::TXT1);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);
    FallaSinCambios(c, fallo);
    // Una carpeta en su sitio, con algo dentro.
    ASSERT_TRUE(QFile::remove(datos.Ruta(u"FORBOLW.ZPK"_s)));
    ASSERT_TRUE(QDir(datos.Ruta()).mkdir(u"FORBOLW.ZPK"_s));
    datos.Escribe(u"FORBOLW.ZPK/dentro"_s, "algo");
    for (const FormatoExportar formato : {FormatoExportar::TXT2, FormatoExportar::AD243}) {
        FallaSinCambios(Copiar(formato), fallo);
        EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK/dentro"_s), "algo");
    }
}

// Varios bloques de lectura, con líneas que no son de 19 bytes: solo LF, una vacía y la última sin
// salto. El signo 15 cambia en medio (también a minúscula).
TEST_F(MotorCopia, VariosBloquesConLineasDeOtraFormaYSignosQueCambian) {
    const int n = 70000;
    QByteArray entrada, boletos, txt2;
    qsizetype registros = 0;
    char anterior = 0;
    for (int i = 0; i < n; ++i) {
        const QChar signo15 = i < 30001 ? u'1' : i < 55000 ? u'x' : i < 60000 ? u'X' : u'2';
        const QByteArray c = ColumnaPrueba(i, signo15).toLatin1();
        const char mayuscula = c.at(14) == 'x' ? 'X' : c.at(14);
        if (i > 0 && mayuscula != anterior)
            for (; registros % 8 != 0; ++registros)
                boletos += "\"               \"\r\n";
        anterior = mayuscula;
        boletos += '"' + c + "\"\r\n";
        ++registros;
        txt2 += c + "\r\n";
        entrada += '"' + c + '"';
        if (i % 1000 == 7)
            entrada += "\n"; // sin CR
        else if (i == 40000)
            entrada += "\r\n\r\n"; // una línea vacía detrás
        else if (i < n - 1)
            entrada += "\r\n";
    }
    datos.Escribe(u"RED0703.ZPK"_s, entrada);
    // El anterior, más largo: se reescribe en su sitio y lo que sobra se corta.
    datos.Escribe(u"FORBOLW.ZPK"_s, QByteArray(3000000, 'z'));
    const Copia c = Copiar(FormatoExportar::TXT2);
    ASSERT_EQ(c.R.Fin, FinCopia::Terminada);
    EXPECT_EQ(c.Bytes, txt2);
    EXPECT_EQ(datos.Lee(u"FORBOLW.ZPK"_s), boletos);
    // El total sale del tamaño, que aquí no es de líneas de 19 bytes: 1..100 sin saltos atrás.
    EXPECT_TRUE(std::is_sorted(c.Porcentajes.begin(), c.Porcentajes.end(), std::less_equal<>()));
    EXPECT_EQ(c.Porcentajes.empty() ? 0 : c.Porcentajes.back(), 100);
    EXPECT_EQ(QDir(destino.Ruta()).entryList(QDir::Files), QStringList{u"salida"_s});
    // AD243 cuenta antes las mismas líneas: un registro D por boleto del fichero de boletos.
    EXPECT_EQ(Copiar(FormatoExportar::AD243).Bytes.size(), (1 + (registros + 7) / 8) * 123);
}

// Una línea que no es una columna pasado el primer bloque: se dice cuál, el destino no cambia
// y no queda fichero de boletos a medias aunque ya se hubiera escrito más de un bloque.
TEST_F(MotorCopia, LineaErroneaTrasVariosBloquesNoCambiaNada) {
    PreparaAnteriores();
    const std::pair<QByteArray, FormatoExportar> casos[] = {
        {"\"1111111111111\"\r\n", FormatoExportar::TXT6},    // 13 signos
        {"\"11111111111111A\"\r\n", FormatoExportar::AD243}, // signo raro
        {"111111111111111\r\n", FormatoExportar::TXT2}};     // sin comillas
    for (const auto& [mala, formato] : casos) {
        datos.Escribe(u"RED0703.ZPK"_s, FicheroColumnas(ColumnasPrueba(60000, u'1')) + mala +
                                            FicheroColumnas(ColumnasPrueba(10, u'1')));
        FallaSinCambios(
            Copiar(formato),
            u"No se ha podido leer el fichero de columnas RED0703.ZPK: la línea 60001 no es una "
            "columna"_s);
    }
}

TEST(Destinos, SoloVolumenesAQueSeCopiaria) {
    // Raíz, tipo, solo lectura y si vale.
    const std::tuple<QString, QByteArray, bool, bool> casos[] = {
        {u"/media/ana/USB"_s, "vfat", false, true},
        {u"/run/media/ana/DISCO"_s, "exfat", false, true},
        {u"/mnt/nas"_s, "cifs", false, true},
        {u"/media/ana/CD"_s, "iso9660", true, false},
        {u"/media"_s, "ext4", false, false},
        {u"/"_s, "ext4", false, false},
        {u"/boot/efi"_s, "vfat", false, false},
        {u"/run"_s, "tmpfs", false, false},
        {u"/run/user/1000"_s, "tmpfs", false, false},
        {u"/snap/core/1"_s, "squashfs", true, false},
        {u"/home"_s, "ext4", false, false},
        {u"/sysroot"_s, "ext4", false, true},
        {u"/datos"_s, "proc", false, false}};
    for (const auto& [raiz, tipo, soloLectura, vale] : casos)
        EXPECT_EQ(EsVolumenDestino(raiz, tipo, soloLectura), vale) << raiz.toStdString();
}

// La pasada cuenta de una vez las columnas que siguen con el mismo signo 15: debe quedar lo mismo
// que anotándolas una a una, acabe el tramo dentro de un boleto, en su borde o tras una sola.
TEST(CuentaBoletos, ColumnasDeUnaVezComoUnaAUna) {
    const std::vector<int> tramos[] = {
        {1}, {1, 1, 1}, {8, 1, 8}, {9, 1, 7, 2}, {3, 5, 16, 1, 1, 9}, {100000, 1, 15},
    };
    for (const auto& largos : tramos) {
        QStringList columnas;
        RecuentoBoletos unaAUna;
        int tramo = 0;
        for (int largo : largos) {
            const QChar signo = u"1X2"[tramo++ % 3];
            for (int i = 0; i < largo; ++i) {
                unaAUna.AnadeColumna(char(signo.unicode()));
                columnas << ColumnaPrueba(i, signo);
            }
        }
        QByteArray datos = FicheroColumnas(columnas);
        QBuffer buffer(&datos);
        buffer.open(QIODevice::ReadOnly);
        RecuentoBoletos deUnaVez;
        int64_t linea = 0;
        ASSERT_EQ(PasaColumnas(buffer, nullptr, deUnaVez, linea,
                               [](const char*, int64_t, bool) { return true; }),
                  FinPasada::Completa);
        SCOPED_TRACE(largos.size());
        EXPECT_EQ(linea, columnas.size());
        EXPECT_EQ(deUnaVez.RegistrosBoletos, unaAUna.RegistrosBoletos);
        EXPECT_EQ(deUnaVez.Columnas, unaAUna.Columnas);
        EXPECT_EQ(deUnaVez.Boletos, unaAUna.Boletos);
        EXPECT_EQ(deUnaVez.BoletosUnaColumna, unaAUna.BoletosUnaColumna);
        EXPECT_EQ(deUnaVez.ColumnasUltimoBoleto, unaAUna.ColumnasUltimoBoleto);
        EXPECT_EQ(deUnaVez.Signo15, unaAUna.Signo15);
    }
}
