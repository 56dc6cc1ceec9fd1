#pragma once
// Impresora de los listados, en twips (1/1440 de pulgada) desde la esquina superior izquierda
// del área imprimible. La clase base lleva la posición, la fuente, las páginas y los saltos;
// cada implementación (impresora del sistema, PDF, falsa de las pruebas) solo dibuja.
// Una página nueva se empieza de verdad cuando algo se dibuja en ella: ningún documento
// termina en una hoja en blanco.

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

namespace quiniela {

inline constexpr int TwipsPorPulgada = 1440;
inline constexpr double TwipsPorMilimetro = 1440.0 / 25.4;

struct FuenteImpresora {
    QString Nombre = QStringLiteral("Courier New");
    double Puntos = 9.75; // se respeta tal cual: 9,75 no pasa a 10
    bool Negrita = false;
    bool operator==(const FuenteImpresora&) const = default;
};

// Papel: A4 o el alto que se fije a mano (formularios continuos).
enum class PapelImpresora { A4, Usuario };

// Tamaño de un A4 en twips.
inline constexpr QSize PapelA4Twips{11906, 16838};

// Bordes que no toca una impresora corriente, en twips: 6,35 mm a los lados y arriba (las
// láser dejan unos 4,2 mm, las de chorro de tinta unos 3,4) y 12,7 mm abajo (el borde más
// ancho de las de chorro de tinta). Un PDF aparta de ellos los listados de texto, para que
// al imprimirlo desde un visor la primera letra no caiga fuera del papel útil.
struct MargenesTwips {
    int Izquierdo;
    int Superior;
    int Derecho;
    int Inferior;
};
inline constexpr MargenesTwips MargenesImpresoraComun{360, 360, 360, 720};

class Impresora {
public:
    virtual ~Impresora() = default;

    void PonFuente(const FuenteImpresora& fuente) { fuente_ = fuente; }
    void PonFuente(const QString& nombre, double puntos, bool negrita);
    void PonNegrita(bool negrita) { fuente_.Negrita = negrita; }
    const FuenteImpresora& Fuente() const { return fuente_; }

    int X() const { return X_; }
    int Y() const { return Y_; }
    void PonPosicion(int x, int y);

    // Escribe el texto en la posición actual y pasa a la línea siguiente (x = 0). Sin texto
    // deja una línea vacía. Si la línea no cabe en lo que queda de página, salta antes.
    void Imprime(const QString& texto = QString());
    // Alto de una línea con la fuente actual, en twips.
    int AltoLinea() const { return MideAltoLinea(fuente_); }

    // Rectángulo negro relleno; ancho y alto pueden ser negativos (se cuenta desde la otra
    // esquina, como las cajas que se dibujan "hacia" un punto).
    void RellenaRectangulo(int x, int y, int ancho, int alto);

    // Pide una página nueva: la posición vuelve a (0, 0) y el número de página sube.
    void NuevaPagina();
    int Pagina() const { return pagina_; }

    // Papel de las páginas que se empiecen a partir de ahora.
    void PonPapel(PapelImpresora papel);
    QSize TamanoPapel() const { return papel_; }
    int AltoPagina() const { return papel_.height(); }
    void PonAltoPagina(int twips);
    // Papel más ancho que el A4 (la relación en papel de 350 mm).
    void PonAnchoPagina(int twips);

    // Termina el documento: lo manda a imprimir o cierra el fichero. Devuelve false si
    // falló; el motivo queda en Error().
    bool FinDocumento();
    const QString& Error() const { return error_; }
    // Páginas dibujadas de verdad en el documento.
    int PaginasDibujadas() const { return paginasDibujadas_; }

    // ¿El documento acaba en un fichero (PDF) en vez de salir por una impresora? Entonces
    // nada sale hasta terminarlo y los boletos de una tanda van en páginas del mismo.
    virtual bool GuardaEnFichero() const { return false; }

    // Un listado de texto (datos básicos, relación, informe) cuenta desde el área imprimible
    // de una impresora corriente. La impresora real ya lo hace; un PDF, que empieza en la
    // esquina del papel, se aparta MargenesImpresoraComun. Los boletos y el continuo no lo
    // piden: su geometría es la del papel. Vale hasta el fin del documento.
    void ApartaDeLosBordes() { apartada_ = true; }
    bool ApartadaDeLosBordes() const { return apartada_; }

protected:
    // Lo que hace cada implementación. Las coordenadas ya están en twips de la página.
    virtual void EmpiezaPagina(int numero, QSize papelTwips) = 0;
    virtual void DibujaTexto(int x, int y, const QString& texto, const FuenteImpresora& fuente) = 0;
    virtual void DibujaRectangulo(int x, int y, int ancho, int alto) = 0;
    virtual int MideAltoLinea(const FuenteImpresora& fuente) const = 0;
    // Alto útil de una página con ese papel (la impresora real quita sus márgenes).
    virtual int AltoImprimible(QSize papelTwips) const { return papelTwips.height(); }
    // Cierra el documento; paginas es 0 si no se dibujó nada. Devuelve el error o vacío.
    virtual QString TerminaDocumento(int paginas) = 0;

private:
    void AseguraPagina();

    FuenteImpresora fuente_;
    int X_ = 0;
    int Y_ = 0;
    int pagina_ = 1;
    int paginasDibujadas_ = 0;
    bool paginaEmpezada_ = false;
    bool apartada_ = false;
    QSize papel_ = PapelA4Twips;
    QString error_;
};

// Lo que se hace con un documento que se guardó en PDF porque no había impresora: abrirlo con
// el visor del escritorio, si lo hay, y decir al usuario dónde está.
class VisorDocumentos {
public:
    virtual ~VisorDocumentos() = default;
    virtual void MuestraDocumento(const QString& ruta) = 0;
};

// Impresora PDF sobre un fichero. La pone quien enlaza la biblioteca de impresión (el
// programa y quiniela-cli); la lógica la pide aquí sin saber cómo se dibuja.
using CreadorImpresoraPdf = std::function<std::unique_ptr<Impresora>(const QString& ruta)>;
void InstalaCreadorImpresoraPdf(CreadorImpresoraPdf creador);
// nullptr si no hay ninguna instalada.
std::unique_ptr<Impresora> CreaImpresoraPdf(const QString& ruta);

// La impresora predeterminada del sistema para un documento, o el PDF que se entrega al visor
// cuando no hay ninguna. También la pone quien enlaza la impresión del sistema.
using CreadorImpresoraSistema = std::function<std::unique_ptr<Impresora>(
    const QString& nombreDocumento, VisorDocumentos& visor)>;
void InstalaCreadorImpresoraSistema(CreadorImpresoraSistema creador);
// nullptr si no hay ninguna instalada.
std::unique_ptr<Impresora> ImpresoraDelSistema(const QString& nombreDocumento,
                                               VisorDocumentos& visor);

} // namespace quiniela
