#pragma once
// Impresión de boletos individuales: un boleto cada vez, con las marcas en las casillas del
// boleto oficial. Entre boleto y boleto pregunta a quien imprime qué hacer (la pantalla
// espera "Repetir el boleto", "Siguiente boleto" o "Cancelar el proceso"; la orden sigue).

#include "output/edicion_listados.h"
#include "output/trabajo_impresion.h"

#include <QLocale>

#include <functional>

namespace quiniela {

struct EstadoGlobal;
class Impresora;

enum class DecisionBoleto { Siguiente, Repetir, Cancelar };

struct OpcionesBoletos {
    RangoBoletos Rango;
    int Orientacion = 1;     // 1 o 2: cómo entra el boleto en la impresora
    bool Reverso = false;    // reverso o papel en blanco: con marcas de referencia
    bool Prueba = false;     // un boleto de prueba con todas las casillas
    int MargenIzquierdo = 0; // décimas de milímetro (el par de los boletos)
    int MargenSuperior = 0;
    // Cada boleto es un documento que sale ya de la impresora antes de preguntar; si no,
    // cada boleto es una página del mismo documento (PDF, orden de la línea de órdenes).
    bool UnDocumentoPorBoleto = false;
    QLocale Regional;
    AvisosImpresion Avisos;
    // Tras imprimir cada boleto (ultimo: es el Boleto Final). Sin ella, sigue con el próximo.
    std::function<DecisionBoleto(int64_t numero, bool ultimo)> TrasBoleto;
};

// Imprime los boletos del rango de la reducción actual (jornada y orden del estado, con la
// reducción ya leída del índice), o el boleto de prueba.
ResultadoImpresion ImprimeBoletos(EstadoGlobal& estado, Impresora& impresora,
                                  const OpcionesBoletos& opciones);

} // namespace quiniela
