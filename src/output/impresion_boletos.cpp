#include "output/impresion_boletos.h"

#include "core/estado_global.h"
#include "core/mascaras.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"

namespace quiniela {

namespace {

ColocacionBoleto Colocacion(const OpcionesBoletos& o) {
    return {o.MargenIzquierdo, o.MargenSuperior, 0, o.Reverso};
}

ResultadoImpresion ImprimePrueba(Impresora& impresora, const OpcionesBoletos& o) {
    ResultadoImpresion r;
    DibujaBoleto(impresora, MatrizPrueba(), NumeroBoletoPrueba, o.Orientacion, Colocacion(o),
                 o.Regional);
    if (TerminaDocumento(impresora, r))
        r.Impresos = 1;
    return r;
}

DecisionBoleto Decide(const OpcionesBoletos& o, int64_t numero) {
    if (Cancelado(o.Avisos))
        return DecisionBoleto::Cancelar;
    const DecisionBoleto d =
        o.TrasBoleto ? o.TrasBoleto(numero, numero == o.Rango.Final) : DecisionBoleto::Siguiente;
    return Cancelado(o.Avisos) ? DecisionBoleto::Cancelar : d;
}

// Imprime un boleto tantas veces como se pida. Devuelve la decisión que lo deja atrás.
DecisionBoleto ImprimeUnBoleto(Impresora& impresora, const MatrizMarcas& matriz, int64_t numero,
                               const OpcionesBoletos& o, ResultadoImpresion& r) {
    for (;;) {
        if (!o.UnDocumentoPorBoleto && r.Impresos > 0)
            impresora.NuevaPagina();
        DibujaBoleto(impresora, matriz, numero, o.Orientacion, Colocacion(o), o.Regional);
        if (o.UnDocumentoPorBoleto && !TerminaDocumento(impresora, r))
            return DecisionBoleto::Cancelar;
        ++r.Impresos;
        const DecisionBoleto d = Decide(o, numero);
        if (d != DecisionBoleto::Repetir)
            return d;
    }
}

void RecorreBoletos(Impresora& impresora, LectorBoletos& lector, const OpcionesBoletos& o,
                    ResultadoImpresion& r) {
    while (lector.QuedanRegistros()) {
        const int64_t numero = (lector.Registro() + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
        Avisa(o.Avisos, TextoImprimiendoBoleto(numero));
        const MatrizMarcas matriz = lector.SiguienteBoleto();
        if (lector.Danado()) {
            MarcaBoletosDanados(r);
            return;
        }
        ProcesaEventos();
        if (ImprimeUnBoleto(impresora, matriz, numero, o, r) == DecisionBoleto::Cancelar) {
            // Salir tras el último boleto del rango no cancela nada: el rango está completo.
            if (r.Fin == FinImpresion::Terminada && numero != o.Rango.Final)
                r.Fin = FinImpresion::Cancelada;
            return;
        }
    }
}

} // namespace

ResultadoImpresion ImprimeBoletos(EstadoGlobal& estado, Impresora& impresora,
                                  const OpcionesBoletos& opciones) {
    if (opciones.Prueba)
        return ImprimePrueba(impresora, opciones);
    ResultadoImpresion r;
    LectorBoletos lector;
    if (!lector.Abre(estado, opciones.Rango, opciones.Avisos.CancelarProceso, r))
        return r;
    if (const auto aviso = AvisoUltimoBoleto(estado.Red); aviso && opciones.Avisos.AlAvisar)
        opciones.Avisos.AlAvisar(*aviso);
    RecorreBoletos(impresora, lector, opciones, r);
    // Lo impreso antes de cancelar o de un fallo de lectura también sale.
    if (!opciones.UnDocumentoPorBoleto)
        TerminaDocumento(impresora, r);
    return r;
}

} // namespace quiniela
