#include "output/continuo.h"

#include "core/mascaras.h"
#include "platform/impresora.h"
#include "platform/plataforma.h"

#include <QtMath>

namespace quiniela {

namespace {

constexpr int BoletosPorFormulario = 2;

void PreparaPapel(Impresora& impresora) {
    impresora.PonPapel(PapelImpresora::Usuario);
    impresora.PonPapel(PapelImpresora::A4);
    impresora.PonAltoPagina(AltoFormularioContinuo(impresora.AltoPagina()));
}

ColocacionBoleto Colocacion(const OpcionesContinuo& o, int posicion) {
    return {o.MargenIzquierdo, o.MargenSuperior, posicion, true};
}

ResultadoImpresion ImprimePrueba(Impresora& impresora, const OpcionesContinuo& o) {
    ResultadoImpresion r;
    for (int p = 0; p < BoletosPorFormulario; ++p)
        DibujaBoleto(impresora, MatrizPrueba(), NumeroBoletoPrueba, 2, Colocacion(o, p),
                     o.Regional);
    if (TerminaDocumento(impresora, r))
        r.Impresos = BoletosPorFormulario;
    return r;
}

void RecorreBoletos(Impresora& impresora, LectorBoletos& lector, const OpcionesContinuo& o,
                    ResultadoImpresion& r) {
    int posicion = 0;
    while (lector.QuedanRegistros()) {
        const int64_t numero = (lector.Registro() + ColumnasPorBoleto - 1) / ColumnasPorBoleto;
        Avisa(o.Avisos, TextoImprimiendoBoleto(numero));
        const MatrizMarcas matriz = lector.SiguienteBoleto();
        if (lector.Danado())
            return MarcaBoletosDanados(r);
        DibujaBoleto(impresora, matriz, numero, 2, Colocacion(o, posicion), o.Regional);
        ++r.Impresos;
        if (++posicion == BoletosPorFormulario) {
            impresora.NuevaPagina();
            posicion = 0;
        }
        ProcesaEventos();
        if (Cancelado(o.Avisos)) {
            r.Fin = FinImpresion::Cancelada;
            return;
        }
    }
}

} // namespace

int AltoFormularioContinuo(int altoA4Twips) {
    return qRound(altoA4Twips * 158.5 / 297.0);
}

ResultadoImpresion ImprimeContinuo(EstadoGlobal& estado, Impresora& impresora,
                                   const OpcionesContinuo& opciones) {
    PreparaPapel(impresora);
    if (opciones.Prueba)
        return ImprimePrueba(impresora, opciones);
    ResultadoImpresion r;
    LectorBoletos lector;
    if (!lector.Abre(estado, opciones.Rango, opciones.Avisos.CancelarProceso, r))
        return r;
    RecorreBoletos(impresora, lector, opciones, r);
    TerminaDocumento(impresora, r);
    return r;
}

} // namespace quiniela
