#include "consult/reducciones_prueba.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "reduction/bases_prueba.h"
#include "reduction/cambios_pendientes.h"
#include "support/banco.h"

#include <gtest/gtest.h>

namespace quiniela {
namespace {

using namespace prueba;
using namespace Qt::StringLiterals;

using Carpeta = std::map<QString, QByteArray>;

const QString Pendientes = u"PENDIENT.ZPK"_s;

QByteArray Registro(int jornada, int orden, int columnas) {
    Reduccion red;
    red.PonPorDefecto();
    red.Base[NumPartidos].Signo[1] = 1;
    red.Base[NumPartidos].RecuentaSignos();
    red.ApuestasReducidas = columnas;
    return AWindows1252(ConstruyeRegistroReduccion(jornada, orden, red)) + "\r\n";
}

void Pon(const CarpetaTemporal& c, const Carpeta& contenido) {
    for (const QString& n : QDir(c.Ruta()).entryList(QDir::Files))
        QFile::remove(c.Ruta(n));
    for (const auto& [nombre, bytes] : contenido)
        c.Escribe(nombre, bytes);
}

QByteArray Anotacion(const QStringList& lineas) {
    return AWindows1252(lineas.join(u"\r\n"_s)) + "\r\n";
}

// Cada punto en el que puede morir la sustitución de una reducción: tras el siguiente arranque
// queda la anterior entera o la nueva entera.
TEST(CambiosPendientes, SustitucionMuertaEnCadaPuntoQuedaAnteriorONueva) {
    Banco b;
    const QByteArray viejas = FicheroColumnas(ColumnasPrueba(3, u'1'));
    const QByteArray nuevas = FicheroColumnas(ColumnasPrueba(4, u'2'));
    const QByteArray otra = Registro(2, 1, 1);
    const Carpeta anterior{{u"BASES.ZPK"_s, otra + Registro(5, 1, 3)},
                           {u"RED0501.ZPK"_s, viejas},
                           {u"RED0201.ZPK"_s, FicheroColumnas(ColumnasPrueba(1, u'X'))}};
    Carpeta nueva = anterior;
    nueva[u"BASES.ZPK"_s] = otra + Registro(5, 1, 4);
    nueva[u"RED0501.ZPK"_s] = nuevas;
    const QByteArray anotacion =
        Anotacion(CambioSustitucion(5, 1, DeWindows1252(Registro(5, 1, 4).chopped(2))));

    struct Punto {
        const char* Nombre;
        Carpeta Dejado;
        const Carpeta& Esperado;
    };
    Carpeta anotado = anterior;
    anotado[Pendientes] = anotacion;
    anotado[u"RED0501.ZPK.quiniela-999999999.tmp"_s] = nuevas.left(20);
    Carpeta esperando = anterior;
    esperando[Pendientes] = anotacion;
    esperando[u"RED0501.ZPK.nuevo"_s] = nuevas;
    Carpeta indiceNuevo = esperando;
    indiceNuevo[u"BASES.ZPK"_s] = nueva.at(u"BASES.ZPK"_s);
    Carpeta sinQuitarAnotacion = nueva;
    sinQuitarAnotacion[Pendientes] = anotacion;
    const Punto puntos[] = {{"anotado, columnas a medias", anotado, anterior},
                            {"columnas completas esperando", esperando, anterior},
                            {"índice ya escrito", indiceNuevo, nueva},
                            {"todo hecho menos la anotación", sinQuitarAnotacion, nueva}};
    for (const Punto& p : puntos) {
        SCOPED_TRACE(p.Nombre);
        Pon(b.carpeta, p.Dejado);
        LimpiaTemporalesAbandonados(b.carpeta.Ruta());
        TerminaCambiosPendientes(b.estado);
        EXPECT_EQ(ContenidoCarpeta(b.carpeta), p.Esperado);
    }
}

// Un borrado muerto en cualquier punto se termina al arrancar: fuera del índice, registro en
// blanco y sin ficheros de columnas; lo demás, intacto.
TEST(CambiosPendientes, BorradoMuertoEnCadaPuntoSeTermina) {
    Banco b;
    const QByteArray jornadas = QByteArray(4 * LongitudRegistroJornada, ' ');
    QByteArray conCuarta = jornadas;
    conCuarta.replace(3 * LongitudRegistroJornada, 13, "Jor0401/01/25");
    const QByteArray otra = Registro(2, 1, 1);
    const QByteArray libre = AWindows1252(RegistroLibre) + "\r\n";
    const Carpeta antes{{u"BASES.ZPK"_s, otra + Registro(4, 1, 2) + Registro(4, 2, 1)},
                        {u"JORNADAS.ZPK"_s, conCuarta},
                        {u"RED0401.ZPK"_s, FicheroColumnas(ColumnasPrueba(2, u'1'))},
                        {u"RED0402.ZPK"_s, FicheroColumnas(ColumnasPrueba(1, u'2'))},
                        {u"RED0201.ZPK"_s, FicheroColumnas(ColumnasPrueba(1, u'X'))}};
    const Carpeta despues{{u"BASES.ZPK"_s, otra + libre + libre},
                          {u"JORNADAS.ZPK"_s, jornadas},
                          {u"RED0201.ZPK"_s, FicheroColumnas(ColumnasPrueba(1, u'X'))}};
    const QByteArray anotacion = Anotacion(CambioBorradoJornada(4));
    Carpeta anotado = antes;
    anotado[Pendientes] = anotacion;
    Carpeta sinIndice = anotado;
    sinIndice[u"BASES.ZPK"_s] = despues.at(u"BASES.ZPK"_s);
    Carpeta enBlanco = sinIndice;
    enBlanco[u"JORNADAS.ZPK"_s] = jornadas;
    Carpeta unFichero = enBlanco;
    unFichero.erase(u"RED0401.ZPK"_s);
    for (const Carpeta& dejado : {anotado, sinIndice, enBlanco, unFichero}) {
        Pon(b.carpeta, dejado);
        TerminaCambiosPendientes(b.estado);
        EXPECT_EQ(ContenidoCarpeta(b.carpeta), despues);
    }
}

} // namespace
} // namespace quiniela
