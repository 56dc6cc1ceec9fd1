#include "scrutiny/escrutinio.h"

#include "core/error_fichero.h"
#include "core/estado_global.h"
#include "core/mascaras.h"
#include "matchdays/fichero_jornadas.h"

#include <QLocale>

#include <cmath>

namespace quiniela {

namespace {

int PosPremio(int k) {
    return PosPremiosJornada + LongitudPremioJornada * (k - 1);
}

bool EsCifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Texto de un valor en notación normal con los decimales justos.
QString TextoCorto(double valor) {
    return QString::number(valor, 'f', QLocale::FloatingPointShortest);
}

// Si aún no cabe, se redondea con menos decimales.
QString AjustaAncho(QString t, double valor) {
    for (int decimales = 8; t.size() > AnchoTextoPremio && decimales >= 0; --decimales) {
        t = QString::number(valor, 'f', decimales);
        if (t.contains(u'.')) {
            while (t.endsWith(u'0'))
                t.chop(1);
            if (t.endsWith(u'.'))
                t.chop(1);
        }
    }
    return t.size() > AnchoTextoPremio ? t.left(AnchoTextoPremio) : t;
}

} // namespace

int AciertosColumna(QStringView columna, QStringView ganadora) {
    int h = 0;
    for (int j = 0; j < NumPartidos - 1; ++j)
        if (j < columna.size() && j < ganadora.size() && columna[j] == ganadora[j])
            ++h;
    const int u = NumPartidos - 1;
    if (h == NumPartidos - 1 && u < columna.size() && u < ganadora.size() &&
        columna[u] == ganadora[u])
        h = NumPartidos;
    return h;
}

MarcasGanadora MarcasDeRegistro(const QString& registro) {
    MarcasGanadora marcas{};
    for (int j = 1; j <= NumPartidos; ++j) {
        const qsizetype pos = PosColumnaGanadora - 2 + j;
        const QChar c = pos < registro.size() ? registro.at(pos) : QChar(u' ');
        const int signo = c.unicode() - u'0';
        marcas[j][signo >= 1 && signo <= NumSignosMax ? signo : 0] = 1;
    }
    return marcas;
}

TextosPremio TextosPremioDeRegistro(const QString& registro) {
    TextosPremio textos;
    for (int k = 1; k <= NumCategorias; ++k)
        textos[k] = registro.mid(PosPremio(k) - 1, LongitudPremioJornada).trimmed();
    return textos;
}

QString ColumnaGanadoraDeMarcas(const MarcasGanadora& marcas) {
    QString columna;
    for (int j = 1; j <= NumPartidos; ++j) {
        int signo = 0;
        for (int s = 1; s <= NumSignosMax; ++s)
            if (marcas[j][s] == 1)
                signo = s; // si hubiera dos, gana la última
        if (signo == 0)
            return QString();
        columna.append(CaracterSigno(signo));
    }
    return columna;
}

double ValorPremio(QStringView texto) {
    QString numero;
    bool punto = false;
    for (QChar c : texto.trimmed()) {
        if (c == u',' || c == u'.') {
            if (punto)
                break;
            punto = true;
            numero.append(u'.');
        } else if (EsCifra(c)) {
            numero.append(c);
        } else {
            break;
        }
    }
    bool ok = false;
    const double valor = numero.toDouble(&ok);
    return ok && std::isfinite(valor) ? valor : 0.0;
}

Premio NormalizaPremio(const QString& texto) {
    const double valor = ValorPremio(texto);
    QString t = TextoCorto(valor);
    // Por debajo de la unidad se queda en dos decimales como mucho: ".125" da "0.12".
    if (t.startsWith(QStringLiteral("0.")))
        t = t.left(4);
    t = AjustaAncho(t, valor);
    return Premio{t, t.toDouble()};
}

TextoCursor FiltraTextoPremio(const QString& texto, int cursor) {
    qsizetype blancos = 0;
    while (blancos < texto.size() && texto.at(blancos).isSpace())
        ++blancos;
    QString t = texto.trimmed();
    t.replace(u',', u'.');
    int p = qBound(0, cursor - int(blancos), int(t.size()));
    if (p > 0 && !EsCifra(t.at(p - 1)) && t.at(p - 1) != u'.') {
        t.remove(p - 1, 1);
        --p;
    }
    if (t.size() > AnchoTextoPremio) {
        t.truncate(AnchoTextoPremio);
        p = qMin(p, AnchoTextoPremio);
    }
    return TextoCursor{t, p};
}

int64_t ResultadoEscrutinio::ImporteCentimos(int aciertos) const {
    if (aciertos < AciertosMinimosPremio || aciertos > NumPartidos ||
        AciertosCategoria[aciertos] <= 0)
        return 0;
    const double premio = Premios[NumPartidos + 1 - aciertos];
    return std::llround(double(AciertosCategoria[aciertos]) * premio * 100.0);
}

int64_t ResultadoEscrutinio::TotalCentimos() const {
    int64_t total = 0;
    for (int i = AciertosMinimosPremio; i <= NumPartidos; ++i)
        total += ImporteCentimos(i);
    return total;
}

QString TextoImporte(int64_t centimos) {
    return QString::number(centimos / 100) + u'.' +
           QString::number(centimos % 100).rightJustified(2, u'0');
}

QString LineaTotalAciertos(const ResultadoEscrutinio& r) {
    return QStringLiteral(" Suma total:") + ADerecha(TextoImporte(r.TotalCentimos()), 11);
}

QString LineaAciertos(const ResultadoEscrutinio& r, int aciertos) {
    const bool conImporte = aciertos >= AciertosMinimosPremio && r.AciertosCategoria[aciertos] > 0;
    return QStringLiteral("  ") + ADerecha(aciertos, 2) + u' ' +
           ADerecha(r.AciertosCategoria[aciertos], 6) + u' ' +
           (conImporte ? ADerecha(TextoImporte(r.ImporteCentimos(aciertos)), 11)
                       : QStringLiteral(" "));
}

QStringList LineasAciertos(const ResultadoEscrutinio& r) {
    QStringList lineas{LineaTotalAciertos(r)};
    for (int i = NumPartidos; i >= 0; --i)
        lineas << LineaAciertos(r, i);
    return lineas;
}

TablaAciertos TablaAciertosPantalla(const ResultadoEscrutinio& r, const QLocale& regional) {
    const auto importe = [&regional](int64_t centimos) {
        return FormatoNumero(double(centimos) / 100.0, u"###,##0.00", regional);
    };
    // Columnas de 10 (hasta 14.348.907) y del importe mayor, que es el total.
    constexpr int AnchoColumnas = 10;
    const int anchoImporte = std::max<int>(14, int(importe(r.TotalCentimos()).size()));
    const int largo = 2 + 2 + 3 + AnchoColumnas + 2 + anchoImporte;
    TablaAciertos t;
    t.Encabezado =
        QStringLiteral("Aciertos Columnas").leftJustified(largo - 7) + QStringLiteral("Importe");
    t.Lineas << QStringLiteral(" Suma total:") + ADerecha(importe(r.TotalCentimos()), largo - 12);
    for (int i = NumPartidos; i >= 0; --i) {
        const bool conImporte = i >= AciertosMinimosPremio && r.AciertosCategoria[i] > 0;
        t.Lineas << QStringLiteral("  ") + ADerecha(i, 2) + QStringLiteral("   ") +
                        ADerecha(
                            FormatoNumero(double(r.AciertosCategoria[i]), u"###,##0", regional),
                            AnchoColumnas) +
                        QStringLiteral("  ") +
                        ADerecha(conImporte ? importe(r.ImporteCentimos(i)) : QString(),
                                 anchoImporte);
    }
    return t;
}

QString LineaBoleto(const BoletoPremiado& boleto) {
    QString linea = ADerecha(boleto.Boleto, 6) + QStringLiteral("  ");
    for (int32_t n : boleto.Columnas)
        linea += QStringLiteral("  ") + (n > 0 ? QString::number(n) : QStringLiteral(" "));
    return linea;
}

QStringList LineasBoletos(const ResultadoEscrutinio& r) {
    QStringList lineas;
    lineas.reserve(qsizetype(r.Boletos.size()));
    for (const BoletoPremiado& b : r.Boletos)
        lineas << LineaBoleto(b);
    return lineas;
}

int GuardaEntradasEscrutinio(EstadoGlobal& estado, const MarcasGanadora& marcas,
                             const TextosPremio& textos) {
    const int jornada = estado.Datos.JornadaActual;
    // Si la jornada estaba guardada al empezar y ya no lo está, se ha borrado entre tanto: el
    // escrutinio no la resucita.
    const bool habia = RegistroJornadaValido(estado.RegistroJornada, jornada);
    bool borrada = false;
    QString nuevo;
    // Sobre el registro releído con la carpeta bloqueada: la fecha y los equipos que otro haya
    // guardado mientras tanto se conservan.
    const ResultadoFichero r = CambiaRegistroJornada(estado, jornada, [&](const QString& actual) {
        if (actual.isEmpty() && habia) {
            borrada = true;
            return actual;
        }
        QString registro = actual.isEmpty()
                               ? ComponeRegistroJornada(RegistroJornadaVacio(), jornada,
                                                        estado.Datos.FechaJornada, EquiposJornada{})
                               : actual;
        for (int j = 1; j <= NumPartidos; ++j) {
            int signo = 0;
            for (int s = 1; s <= NumSignosMax; ++s)
                if (marcas[j][s] == 1)
                    signo = s;
            registro[PosColumnaGanadora - 2 + j] = QChar(u'0' + signo);
        }
        for (int k = 1; k <= NumCategorias; ++k)
            registro.replace(PosPremio(k) - 1, LongitudPremioJornada,
                             ADerecha(textos[k].trimmed().left(AnchoTextoPremio), 11));
        nuevo = registro;
        return registro;
    });
    if (!r.Bien())
        return r.Numero;
    if (borrada)
        return ErrorFichero::NoExiste;
    estado.RegistroJornada = nuevo;
    estado.Datos.FechaJornada = FechaDeRegistro(nuevo);
    return 0;
}

QString TextoErrorGuardarEscrutinio(int numero) {
    if (numero == ErrorFichero::NoExiste)
        return QStringLiteral("No se han guardado la columna ganadora y los premios: la jornada se "
                              "ha borrado mientras se escrutaba.");
    return TextoFalloGuardar(QStringLiteral("No se han podido guardar la columna ganadora y los "
                                            "premios en el fichero JORNADAS.ZPK"),
                             ResultadoFichero{numero, {}});
}

} // namespace quiniela
