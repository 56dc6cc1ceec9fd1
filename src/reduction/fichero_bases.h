#pragma once
// Índice de reducciones BASES.ZPK: un registro de 230 caracteres + CR LF por reducción
// guardada. La clave son las posiciones 1-4 (jornada y orden con dos cifras); un registro
// libre es "0000" seguido de 226 blancos y se reutiliza en la siguiente reducción nueva.

#include "core/error_fichero.h"
#include "core/tipos.h"

#include <QString>

#include <functional>
#include <vector>

namespace quiniela {

struct EstadoGlobal;

inline constexpr auto NombreFicheroBases = "BASES.ZPK";

// Registro del índice para la reducción dada: siempre 230 caracteres.
QString ConstruyeRegistroReduccion(int jornada, int orden, const Reduccion& red);

// Rellena la reducción con los campos de un registro. Un registro corto se toma como
// completado con blancos; una cifra fuera de su rango se lee como 0. Si la posición 5 no es
// un método válido (1..3), el método no cambia.
void LeeRegistroReduccion(const QString& registro, Reduccion& red);

// Registro libre: "0000" + 226 blancos.
QString RegistroLibreBases();

// Clave de un registro: jornada y orden con dos cifras.
QString ClaveBases(int jornada, int orden);

// Carga en estado.Red la reducción de (Datos.JornadaActual, Datos.OrdenActual) (etiqueta
// "LFB"). Si la encuentra deja el registro en RegistroReduccion y su número (desde 1) en
// NumeroRegistroReduccion; si no, la base por defecto (el método no cambia), el registro en
// blanco y el número 0. Si falta el fichero, avisa y lo crea vacío.
void LeeFicheroBases(EstadoGlobal& estado);

// ¿Hay algún registro con esa clave? (etiqueta "EEB"). Deja en NumeroRegistroReduccion el
// número del primero que coincide o, si ninguno, el número de registros leídos.
bool ExisteEnBases(EstadoGlobal& estado, int jornada, int orden);

// Libera todos los registros con esa clave (etiqueta "BRB").
void BorraRegistroBases(EstadoGlobal& estado, int jornada, int orden);

// Libera de una pasada los registros de las jornadas desde..hasta, órdenes 1..30. Un índice
// que no existe no es un fallo (no hay nada que liberar); no avisa de nada.
struct LiberacionBases {
    ResultadoFichero Resultado;
    int Liberados = 0; // registros liberados
};
LiberacionBases LiberaJornadasBases(EstadoGlobal& estado, int desde, int hasta);

// Pone el fichero de columnas completo con su nombre de espera (RutaColumnasNuevas); se llama
// con la carpeta bloqueada, antes de escribir el registro.
using PublicacionColumnas = std::function<ResultadoFichero()>;

// Guarda el registro de una reducción, con la carpeta bloqueada y el índice releído: encima
// del que tiene la misma clave, si no en el primer registro libre y si no al final. Deja
// RegistroReduccion y NumeroRegistroReduccion con lo escrito. Con `publica`, el fichero de
// columnas se pone en su sitio antes del registro. Los fallos al leer el índice se avisan
// con la etiqueta "EEB", los de escritura solo se devuelven.
ResultadoFichero GuardaRegistroBases(EstadoGlobal& estado, int jornada, int orden,
                                     const QString& registro,
                                     const PublicacionColumnas& publica = {});

// Todos los registros del índice en su orden, libres incluidos, con 230 caracteres cada uno
// (etiqueta "LFB"; si falta el fichero, avisa, lo crea vacío y devuelve una lista vacía).
std::vector<QString> LeeRegistrosBases(EstadoGlobal& estado);

// Una reducción guardada tal como la lista el histórico: su registro y su línea (desde 1).
struct ReduccionIndice {
    QString Registro;
    int Linea = 0;
};

// Las reducciones del índice que se pueden leer, en su orden, sin los registros libres. Las
// líneas ilegibles se saltan con un solo aviso que da el número de cada una y el porqué.
std::vector<ReduccionIndice> LeeReduccionesBases(EstadoGlobal& estado);

} // namespace quiniela
