// BASES.ZPK con cualquier contenido: las listas solo llevan registros legibles e imprimibles,
// la carga de una reducción no se sale de sus campos, y guardar un registro cambia su línea
// (o añade una al final) dejando cada otra línea igual byte a byte.
#include "comun_fuzz.h"
#include "core/codificacion.h"
#include "reduction/fichero_bases.h"

#include <vector>

using namespace quiniela;
using namespace quiniela::fuzz;

namespace {

// Las líneas con su final ("\r\n", "\n" o nada en la última), partidas aquí aparte del
// programa para no comprobarlo consigo mismo.
std::vector<QByteArray> Lineas(const QByteArray& datos) {
    std::vector<QByteArray> lineas;
    qsizetype inicio = 0;
    while (inicio < datos.size()) {
        const qsizetype lf = datos.indexOf('\n', inicio);
        const qsizetype fin = lf < 0 ? datos.size() : lf + 1;
        lineas.push_back(datos.mid(inicio, fin - inicio));
        inicio = fin;
    }
    return lineas;
}

// El contenido de la línea: sin "\n" ni el "\r" que lo preceda (un "\r" suelto al final del
// fichero es contenido).
QByteArray SinFinal(QByteArray linea) {
    if (!linea.endsWith('\n'))
        return linea;
    linea.chop(linea.endsWith("\r\n") ? 2 : 1);
    return linea;
}

void CompruebaListas(EstadoGlobal& estado) {
    for (const ReduccionIndice& r : LeeReduccionesBases(estado)) {
        Exige(r.Registro.size() == LongitudRegistroReduccion && r.Linea >= 1);
        Exige(Imprimible(r.Registro) == r.Registro);
    }
    LeeFicheroBases(estado);
    Exige(estado.Red.Descripcion.size() <= LongitudDescripcion);
}

// Donde debe ir el registro: la primera línea con su clave, si no el primer libre, si no al
// final.
std::size_t DestinoEsperado(const std::vector<QByteArray>& lineas, const QByteArray& clave) {
    for (const QByteArray& buscada : {clave, QByteArray("0000")})
        for (std::size_t i = 0; i < lineas.size(); ++i)
            if (SinFinal(lineas[i]).left(4) == buscada)
                return i;
    return lineas.size();
}

// El fichero esperado tras guardar en la línea "destino" (desde 0).
QByteArray Esperado(std::vector<QByteArray> lineas, std::size_t destino, const QByteArray& nuevo) {
    if (destino == lineas.size()) {
        if (!lineas.empty() && !lineas.back().endsWith('\n'))
            lineas.back() += "\r\n";
        lineas.push_back(QByteArray());
    }
    QByteArray& linea = lineas[destino];
    const QByteArray fin = linea.mid(SinFinal(linea).size());
    linea = nuevo + (fin.isEmpty() ? QByteArray("\r\n") : fin);
    QByteArray todo;
    for (const QByteArray& l : lineas)
        todo += l;
    return todo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    if (tamano < 2)
        return 0;
    const int jornada = datos[0] % 100;
    const int orden = datos[1] % 100;
    const QByteArray antes = Bytes(datos + 2, tamano - 2);
    const QString nombre = QString::fromLatin1(NombreFicheroBases);
    EscribeFichero(nombre, antes);
    EstadoGlobal estado = EstadoEnCarpeta();
    estado.Datos.JornadaActual = static_cast<int16_t>(jornada);
    estado.Datos.OrdenActual = static_cast<int16_t>(orden);
    CompruebaListas(estado);

    Reduccion red;
    red.PonPorDefecto();
    red.Metodo = 1;
    red.Descripcion = QStringLiteral("Peña €");
    const QString registro = ConstruyeRegistroReduccion(jornada, orden, red);
    Exige(GuardaRegistroBases(estado, jornada, orden, registro).Bien());
    const auto destino = static_cast<std::size_t>(estado.NumeroRegistroReduccion - 1);
    const std::vector<QByteArray> lineas = Lineas(antes);
    Exige(destino == DestinoEsperado(lineas, ClaveBases(jornada, orden).toLatin1()));
    Exige(LeeFichero(nombre) == Esperado(lineas, destino, AWindows1252(registro)));
    return 0;
}
