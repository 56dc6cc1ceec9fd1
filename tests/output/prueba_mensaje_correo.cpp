// El mensaje de correo por trozos, su tamaño antes de leer nada, el aviso de un mensaje mayor
// que el máximo de la cuenta y la cuenta guardada en el fichero de ajustes.
#include "core/codificacion.h"
#include "output/columnas_prueba.h"
#include "output/cuenta_correo.h"
#include "output/envio_correo.h"
#include "output/mensaje_correo.h"
#include "support/carpeta_temporal.h"

#include <QSettings>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quiniela;
using namespace quiniela::prueba;

namespace {

const CabecerasCorreo Cabeceras{
    u"pena@example.com"_s, u"ana@example.com"_s, u"Datos de la jornada 3. Reducción nro. 1"_s,
    QDateTime(QDate(2026, 12, 7), QTime(3, 10), QTimeZone(0)), u"id@example.com"_s};

// Todo lo que da la fuente, pidiendo de `paso` en `paso` bytes; nullopt si falla.
std::optional<QByteArray> LeeTodo(FuenteMensaje& fuente, qint64 paso) {
    QByteArray todo;
    QByteArray trozo(paso, '\0');
    for (qint64 n; (n = fuente.Lee(trozo.data(), paso)) != 0;) {
        if (n < 0)
            return std::nullopt;
        todo.append(trozo.constData(), n);
    }
    return todo;
}

QByteArray LineasEsperadas(const QStringList& columnas) {
    QByteArray lineas;
    for (int i = 0; i < columnas.size(); ++i)
        lineas += "Apuesta nro." + QByteArray::number(i + 1).rightJustified(5) + "  " +
                  columnas[i].toLatin1() + "\r\n";
    return lineas;
}

} // namespace

TEST(MensajeCorreo, LosBytesDeLasColumnasSeSabenSinLeerlas) {
    // Los tramos de cifras del número: 5 hasta 99.999, después las que tenga.
    const int64_t puntos[] = {0, 1, 99999, 100000, 100001, 999999, 1000000, 1234567};
    qint64 suma = 0;
    int64_t n = 0;
    for (const int64_t punto : puntos) {
        for (; n < punto; ++n)
            suma += LineaApuestaCorreo(n + 1, "111111111111111").size();
        EXPECT_EQ(BytesColumnasCorreo(punto), suma) << punto;
    }
}

// El mensaje sale igual pida el transporte de 1 en 1 byte o de mucho en mucho, y mide lo que
// dijo: cabeceras, datos básicos en quoted-printable y una línea por columna entera del fichero.
TEST(MensajeCorreo, PorTrozosSaleEnteroYMideLoQueDijo) {
    CarpetaTemporal carpeta;
    const QStringList columnas = ColumnasPrueba(70000, u'X');
    // Un fichero cortado a mitad de línea se rechaza antes de enviar, como en cualquier orden.
    carpeta.Escribe(u"RED0301.ZPK"_s, FicheroColumnas(columnas) + "\"1X2");
    EXPECT_EQ(ColumnasCorreo(carpeta.Ruta(u"RED0301.ZPK"_s)).Error(),
              u"la línea 70001 no es una columna de 15 signos entre comillas"_s);
    // Con finales LF y "x", lo mismo que con CR LF.
    carpeta.Escribe(u"RED0301.ZPK"_s,
                    FicheroColumnas(columnas).replace("\r\n", "\n").replace('X', 'x'));
    {
        ColumnasCorreo lf(carpeta.Ruta(u"RED0301.ZPK"_s));
        ASSERT_TRUE(lf.Error().isEmpty()) << lf.Error().toStdString();
        MensajeCorreo mensaje(Cabeceras, {}, &lf);
        EXPECT_EQ(LeeTodo(mensaje, 4096), CabecerasMensaje(Cabeceras) + LineasEsperadas(columnas));
    }
    carpeta.Escribe(u"RED0301.ZPK"_s, FicheroColumnas(columnas));
    const QByteArray basicos = "Factor de reducción: 1\r\n";
    const QByteArray esperado =
        CabecerasMensaje(Cabeceras) + "Factor de reducci=C3=B3n: 1\r\n" + LineasEsperadas(columnas);
    for (const qint64 paso : {1, 7, 4096, 1 << 24}) {
        SCOPED_TRACE(paso);
        ColumnasCorreo leidas(carpeta.Ruta(u"RED0301.ZPK"_s));
        ASSERT_TRUE(leidas.Existe());
        EXPECT_EQ(leidas.Numero(), 70000);
        MensajeCorreo mensaje(Cabeceras, basicos, &leidas);
        EXPECT_EQ(mensaje.Tamano(), esperado.size());
        if (paso == 1 || paso == 7) { // byte a byte, solo el principio: el resto es igual
            QByteArray principio(300000, '\0');
            qint64 hecho = 0;
            while (hecho < principio.size())
                hecho +=
                    mensaje.Lee(principio.data() + hecho, std::min<qint64>(paso, 300000 - hecho));
            EXPECT_EQ(principio, esperado.left(300000));
            continue;
        }
        EXPECT_EQ(LeeTodo(mensaje, paso), esperado);
        // Otro mensaje con las mismas columnas vuelve a empezar por la primera.
        MensajeCorreo otro(Cabeceras, {}, &leidas);
        EXPECT_EQ(LeeTodo(otro, paso), CabecerasMensaje(Cabeceras) + LineasEsperadas(columnas));
    }
    // Sin fichero, sin columnas y sin error.
    ColumnasCorreo nada(carpeta.Ruta(u"RED0302.ZPK"_s));
    EXPECT_FALSE(nada.Existe());
    EXPECT_TRUE(nada.Error().isEmpty());
    MensajeCorreo soloCabeceras(Cabeceras, {}, &nada);
    EXPECT_EQ(LeeTodo(soloCabeceras, 4096), CabecerasMensaje(Cabeceras));
}

// Una columna dañada, un fichero que encoge mientras sale y la cancelación cortan el mensaje
// (la fuente da -1) y dicen por qué.
TEST(MensajeCorreo, ColumnaDanadaFicheroAcortadoYCancelacionLoCortan) {
    CarpetaTemporal carpeta;
    const QString ruta = carpeta.Ruta(u"RED0301.ZPK"_s);
    QByteArray fichero = FicheroColumnas(ColumnasPrueba(100000));
    std::atomic<bool> cancelar = false;
    struct Caso {
        const char* Nombre;
        std::function<void()> Estropea; // tras abrir el fichero
        QString Error;
        bool Cancelado;
    };
    const Caso casos[] = {
        {"signo que no es 1, X ni 2",
         [&] {
             QByteArray malo = fichero;
             malo[19 * 70000 + 5] = '=';
             carpeta.Escribe(u"RED0301.ZPK"_s, malo);
         },
         u"la columna 70001 está dañada"_s, false},
        {"acortado", [&] { carpeta.Escribe(u"RED0301.ZPK"_s, fichero.left(19 * 80000)); },
         u"el fichero se ha acortado mientras se enviaba"_s, false},
        {"cancelado", [&] { cancelar = true; }, QString(), true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.Nombre);
        carpeta.Escribe(u"RED0301.ZPK"_s, fichero);
        cancelar = false;
        ColumnasCorreo leidas(ruta, &cancelar);
        MensajeCorreo mensaje(Cabeceras, {}, &leidas);
        caso.Estropea();
        EXPECT_EQ(LeeTodo(mensaje, 1 << 20), std::nullopt);
        EXPECT_EQ(leidas.Error(), caso.Error);
        EXPECT_EQ(leidas.Cancelado(), caso.Cancelado);
    }
}

TEST(MensajeCorreo, AvisoDeTamanoConNumerosEnEspanol) {
    // (bytes, máximo en MB, aviso; vacío si cabe)
    const std::tuple<qint64, int, QString> casos[] = {
        {20000000, 20, {}},
        {20000001, 20, u"El mensaje ocupa 20,1 MB y el máximo de la cuenta es 20 MB"_s},
        {548507376 + 400, 20, u"El mensaje ocupa 548,6 MB y el máximo de la cuenta es 20 MB"_s},
        {1234500000, 1000, u"El mensaje ocupa 1234,5 MB y el máximo de la cuenta es 1000 MB"_s},
        {12345600000, 10000,
         u"El mensaje ocupa 12.345,6 MB y el máximo de la cuenta es 10.000 MB"_s},
    };
    for (const auto& [bytes, maximo, aviso] : casos) {
        SCOPED_TRACE(bytes);
        const auto a = AvisoTamano(bytes, maximo);
        ASSERT_EQ(a.has_value(), !aviso.isEmpty());
        if (a) {
            EXPECT_EQ(a->Titulo, u"MENSAJE DEMASIADO GRANDE"_s);
            EXPECT_TRUE(a->Texto.startsWith(aviso + u": no se ha enviado nada."_s))
                << a->Texto.toStdString();
        }
    }
}

// La cuenta se escribe entera por la función de escritura del programa y QSettings la lee
// igual; lo demás del fichero queda byte a byte, y un fichero de antes (sin máximo) vale 20 MB.
TEST(CuentaCorreo, SeGuardaSinTocarLoDemasYSeLeeConQSettings) {
    CarpetaTemporal carpeta;
    const QString ruta = carpeta.Ruta(u"quiniela.conf"_s);
    const QByteArray antes = "[General]\nsitio=1\n\n[correo]\npuerto=25\nremitente=yo@x.es\n"
                             "seguridad=ninguna\nservidor=smtp.x.es\n\n[otro]\nclave=\"a, b\"\n";
    carpeta.Escribe(u"quiniela.conf"_s, antes);
    const CuentaCorreo vieja = LeeCuentaCorreo(QSettings(ruta, QSettings::IniFormat));
    EXPECT_EQ(vieja.MaximoMensaje, 20);
    EXPECT_EQ(vieja.Servidor, u"smtp.x.es"_s);
    EXPECT_EQ(vieja.Seguridad, SeguridadCorreo::Ninguna);

    CuentaCorreo nueva;
    nueva.Servidor = u"correo.españa.es"_s;
    nueva.Puerto = 587;
    nueva.Usuario = u"@pepe, \"el\" \\ de\tla ;peña "_s;
    nueva.Remitente = u"pena@x.es"_s;
    nueva.Certificado = u"/ruta con=igual/ca.pem"_s;
    nueva.MaximoMensaje = 35;
    QSettings ajustes(ruta, QSettings::IniFormat);
    ASSERT_TRUE(GuardaCuentaCorreo(ajustes, nueva).Bien());
    const QByteArray despues = carpeta.Lee(u"quiniela.conf"_s);
    EXPECT_TRUE(despues.startsWith("[General]\nsitio=1\n\n[correo]\n"));
    EXPECT_TRUE(despues.endsWith("\n\n[otro]\nclave=\"a, b\"\n")) << despues.toStdString();
    EXPECT_TRUE(despues.contains("\nmaximo=35\n"));
    const CuentaCorreo leida = LeeCuentaCorreo(QSettings(ruta, QSettings::IniFormat));
    EXPECT_EQ(leida.Servidor, nueva.Servidor);
    EXPECT_EQ(leida.Puerto, 587);
    EXPECT_EQ(leida.Usuario, nueva.Usuario);
    EXPECT_EQ(leida.Certificado, nueva.Certificado);
    EXPECT_EQ(leida.MaximoMensaje, 35);
    EXPECT_EQ(QSettings(ruta, QSettings::IniFormat).value(u"otro/clave"_s).toString(), u"a, b"_s);
    // Guardar otra vez lo mismo no cambia nada: el grupo no se duplica.
    ASSERT_TRUE(GuardaCuentaCorreo(ajustes, nueva).Bien());
    EXPECT_EQ(ajustes.value(u"correo/maximo"_s).toInt(), 35); // el mismo objeto lo ve
    EXPECT_EQ(carpeta.Lee(u"quiniela.conf"_s), despues);
    // Un máximo que no vale vuelve al de por defecto; sin fichero, se crea con el grupo solo.
    carpeta.Escribe(u"quiniela.conf"_s, "[correo]\nmaximo=0\n");
    EXPECT_EQ(LeeCuentaCorreo(QSettings(ruta, QSettings::IniFormat)).MaximoMensaje, 20);
    const qsizetype inicio = despues.indexOf("[correo]");
    const qsizetype fin = despues.indexOf("\n\n[otro]") + 1;
    EXPECT_EQ(AjustesConCuenta({}, nueva), despues.mid(inicio, fin - inicio));
}

TEST(CitaCorta, UnaLineaDeMegasSeCitaCortada) {
    const std::tuple<QString, qsizetype, QString> casos[] = {
        {u"ana@example.com"_s, 80, u"ana@example.com"_s},
        {QString(2000000, u'a'), 10, u"aaaaaaaaaa…"_s},
        {u"a\u0001b"_s, 80, u"a?b"_s},
        {u"abc😀def"_s, 4, u"abc…"_s}, // sin medio carácter
    };
    for (const auto& [texto, maximo, cita] : casos)
        EXPECT_EQ(CitaCorta(texto, maximo), cita) << cita.toStdString();
}
