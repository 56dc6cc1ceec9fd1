#pragma once
// Impresora falsa: apunta cada página, texto y rectángulo con su posición en twips.

#include "platform/impresora.h"

#include <QString>

#include <vector>

namespace quiniela::prueba {

struct TextoImpreso {
    int pagina;
    int x;
    int y;
    QString texto;
    FuenteImpresora fuente;
};

struct RectanguloImpreso {
    int pagina;
    int x;
    int y;
    int ancho;
    int alto;
};

class ImpresoraFalsa final : public Impresora {
public:
    // Interlineado de Courier New: 1,1328 veces el cuerpo (221 twips con 9,75 puntos).
    static int AltoLineaFalso(double puntos) { return qRound(puntos * 20 * 1.1328); }

    std::vector<TextoImpreso> textos;
    std::vector<RectanguloImpreso> rectangulos;
    std::vector<int> paginas;              // números de las páginas empezadas
    std::vector<QSize> papeles;            // papel de cada página empezada
    std::vector<int> documentosTerminados; // páginas de cada documento terminado
    QString errorAlTerminar;               // lo que devolverá el fin de documento

    // Textos de una página, en orden.
    std::vector<TextoImpreso> TextosDePagina(int pagina) const;

protected:
    void EmpiezaPagina(int numero, QSize papel) override {
        paginas.push_back(numero);
        papeles.push_back(papel);
    }
    void DibujaTexto(int x, int y, const QString& texto, const FuenteImpresora& f) override {
        textos.push_back({paginas.empty() ? 0 : paginas.back(), x, y, texto, f});
    }
    void DibujaRectangulo(int x, int y, int ancho, int alto) override {
        rectangulos.push_back({paginas.empty() ? 0 : paginas.back(), x, y, ancho, alto});
    }
    int MideAltoLinea(const FuenteImpresora& f) const override { return AltoLineaFalso(f.Puntos); }
    QString TerminaDocumento(int numPaginas) override {
        documentosTerminados.push_back(numPaginas);
        return errorAlTerminar;
    }
};

} // namespace quiniela::prueba
