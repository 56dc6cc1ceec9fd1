#pragma once
// Impresora que apunta lo dibujado en unos apuntes que viven fuera de ella: la pantalla y la
// línea de órdenes la destruyen al acabar cada documento.

#include "platform/impresora.h"

#include <QSize>
#include <QStringList>

#include <csignal>
#include <vector>

namespace quiniela::prueba {

struct Apuntes {
    QString ruta;
    int documentos = 0;
    int rectangulos = 0;
    std::vector<QSize> paginas;
    QStringList textos;
    bool interrumpe = false; // Ctrl-C mientras se dibuja el primer boleto
};

class ImpresoraApuntada final : public Impresora {
public:
    explicit ImpresoraApuntada(Apuntes& a) : A(a) {}

protected:
    void EmpiezaPagina(int, QSize papel) override { A.paginas.push_back(papel); }
    void DibujaTexto(int, int, const QString& texto, const FuenteImpresora&) override {
        A.textos << texto;
    }
    void DibujaRectangulo(int, int, int, int) override {
        if (A.interrumpe && A.rectangulos == 0)
            std::raise(SIGINT);
        ++A.rectangulos;
    }
    int MideAltoLinea(const FuenteImpresora& f) const override { return qRound(f.Puntos * 22.6); }
    QString TerminaDocumento(int) override {
        ++A.documentos;
        return {};
    }

private:
    Apuntes& A;
};

} // namespace quiniela::prueba
