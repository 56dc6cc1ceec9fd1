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
    QString Ruta;
    int Documentos = 0;
    int Rectangulos = 0;
    std::vector<QSize> Paginas;
    QStringList Textos;
    bool Interrumpe = false; // Ctrl-C mientras se dibuja el primer boleto
};

class ImpresoraApuntada final : public Impresora {
public:
    explicit ImpresoraApuntada(Apuntes& a) : a_(a) {}

protected:
    void EmpiezaPagina(int, QSize papel) override { a_.Paginas.push_back(papel); }
    void DibujaTexto(int, int, const QString& texto, const FuenteImpresora&) override {
        a_.Textos << texto;
    }
    void DibujaRectangulo(int, int, int, int) override {
        if (a_.Interrumpe && a_.Rectangulos == 0)
            std::raise(SIGINT);
        ++a_.Rectangulos;
    }
    int MideAltoLinea(const FuenteImpresora& f) const override { return qRound(f.Puntos * 22.6); }
    QString TerminaDocumento(int) override {
        ++a_.Documentos;
        return {};
    }

private:
    Apuntes& a_;
};

} // namespace quiniela::prueba
