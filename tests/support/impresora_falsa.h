#pragma once
// Impresora falsa: apunta cada página, texto y rectángulo con su posición en twips.

#include "platform/impresora.h"

#include <QString>

#include <vector>

namespace quiniela::prueba {

struct TextoImpreso {
    int Pagina;
    int X;
    int Y;
    QString Texto;
    FuenteImpresora Fuente;
};

struct RectanguloImpreso {
    int Pagina;
    int X;
    int Y;
    int Ancho;
    int Alto;
};

class ImpresoraFalsa final : public Impresora {
public:
    // Interlineado de Courier New: 1,1328 veces el cuerpo (221 twips con 9,75 puntos).
    static int AltoLineaFalso(double puntos) { return qRound(puntos * 20 * 1.1328); }

    std::vector<TextoImpreso> Textos;
    std::vector<RectanguloImpreso> Rectangulos;
    std::vector<int> Paginas;              // números de las páginas empezadas
    std::vector<QSize> Papeles;            // papel de cada página empezada
    std::vector<int> DocumentosTerminados; // páginas de cada documento terminado
    QString ErrorAlTerminar;               // lo que devolverá el fin de documento

    // Textos de una página, en orden.
    std::vector<TextoImpreso> TextosDePagina(int pagina) const {
        std::vector<TextoImpreso> r;
        for (const TextoImpreso& t : Textos)
            if (t.Pagina == pagina)
                r.push_back(t);
        return r;
    }

protected:
    void EmpiezaPagina(int numero, QSize papel) override {
        Paginas.push_back(numero);
        Papeles.push_back(papel);
    }
    void DibujaTexto(int x, int y, const QString& texto, const FuenteImpresora& f) override {
        Textos.push_back({Paginas.empty() ? 0 : Paginas.back(), x, y, texto, f});
    }
    void DibujaRectangulo(int x, int y, int ancho, int alto) override {
        Rectangulos.push_back({Paginas.empty() ? 0 : Paginas.back(), x, y, ancho, alto});
    }
    int MideAltoLinea(const FuenteImpresora& f) const override { return AltoLineaFalso(f.Puntos); }
    QString TerminaDocumento(int numPaginas) override {
        DocumentosTerminados.push_back(numPaginas);
        return ErrorAlTerminar;
    }
};

} // namespace quiniela::prueba
