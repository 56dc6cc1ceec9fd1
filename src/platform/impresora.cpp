#include "platform/impresora.h"

#include <utility>

namespace quiniela {

namespace {
CreadorImpresoraPdf& CreadorPdf() {
    static CreadorImpresoraPdf creador;
    return creador;
}
CreadorImpresoraSistema& CreadorSistema() {
    static CreadorImpresoraSistema creador;
    return creador;
}
} // namespace

void Impresora::PonFuente(const QString& nombre, double puntos, bool negrita) {
    fuente_ = FuenteImpresora{nombre, puntos, negrita};
}

void Impresora::PonPosicion(int x, int y) {
    X_ = x;
    Y_ = y;
}

void Impresora::AseguraPagina() {
    if (paginaEmpezada_)
        return;
    paginaEmpezada_ = true;
    ++paginasDibujadas_;
    EmpiezaPagina(pagina_, papel_);
}

void Impresora::Imprime(const QString& texto) {
    const int alto = AltoLinea();
    // Salto de página cuando la línea ya no cabe; nunca dos seguidos por una línea.
    if (Y_ > 0 && Y_ + alto > AltoImprimible(papel_))
        NuevaPagina();
    if (!texto.isEmpty()) {
        AseguraPagina();
        DibujaTexto(X_, Y_, texto, fuente_);
    }
    X_ = 0;
    Y_ += alto;
}

void Impresora::RellenaRectangulo(int x, int y, int ancho, int alto) {
    if (ancho < 0) {
        x += ancho;
        ancho = -ancho;
    }
    if (alto < 0) {
        y += alto;
        alto = -alto;
    }
    AseguraPagina();
    DibujaRectangulo(x, y, ancho, alto);
}

void Impresora::NuevaPagina() {
    // Una página pedida y sin nada dibujado no se llega a empezar.
    if (paginaEmpezada_)
        ++pagina_;
    paginaEmpezada_ = false;
    X_ = 0;
    Y_ = 0;
}

void Impresora::PonPapel(PapelImpresora papel) {
    if (papel == PapelImpresora::A4)
        papel_ = PapelA4Twips;
}

void Impresora::PonAltoPagina(int twips) {
    papel_.setHeight(twips > 0 ? twips : 1);
}

void Impresora::PonAnchoPagina(int twips) {
    papel_.setWidth(twips > 0 ? twips : 1);
}

bool Impresora::FinDocumento() {
    error_ = TerminaDocumento(paginasDibujadas_);
    paginaEmpezada_ = false;
    apartada_ = false;
    paginasDibujadas_ = 0;
    pagina_ = 1;
    X_ = 0;
    Y_ = 0;
    return error_.isEmpty();
}

void InstalaCreadorImpresoraPdf(CreadorImpresoraPdf creador) {
    CreadorPdf() = std::move(creador);
}

std::unique_ptr<Impresora> CreaImpresoraPdf(const QString& ruta) {
    return CreadorPdf() ? CreadorPdf()(ruta) : nullptr;
}

void InstalaCreadorImpresoraSistema(CreadorImpresoraSistema creador) {
    CreadorSistema() = std::move(creador);
}

std::unique_ptr<Impresora> ImpresoraDelSistema(const QString& nombreDocumento,
                                               VisorDocumentos& visor) {
    return CreadorSistema() ? CreadorSistema()(nombreDocumento, visor) : nullptr;
}

} // namespace quiniela
