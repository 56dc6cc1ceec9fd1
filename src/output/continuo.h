#pragma once
// Boletos en papel continuo: formularios de 158,5 mm de alto en papel del ancho del A4, dos
// boletos por formulario (girados, como la disposición 2), siempre con las marcas de
// referencia y sin parar entre boletos.

#include "output/edicion_listados.h"
#include "output/trabajo_impresion.h"

#include <QLocale>

namespace quiniela {

struct EstadoGlobal;
class Impresora;

struct OpcionesContinuo {
    RangoBoletos Rango;
    bool Prueba = false;     // dos boletos de prueba, uno al lado del otro
    int MargenIzquierdo = 0; // décimas de milímetro (el par de las listas)
    int MargenSuperior = 0;
    QLocale Regional;
    AvisosImpresion Avisos;
};

// Alto de un formulario: el del A4 por 158,5 / 297.
int AltoFormularioContinuo(int altoA4Twips);

ResultadoImpresion ImprimeContinuo(EstadoGlobal& estado, Impresora& impresora,
                                   const OpcionesContinuo& opciones);

} // namespace quiniela
