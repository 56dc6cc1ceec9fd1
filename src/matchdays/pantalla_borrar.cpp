#include "matchdays/pantalla_borrar.h"

#include "core/estado_global.h"
#include "core/modo_edicion.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/lista_desplegable.h"
#include "shell/piezas_pantalla.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>

namespace quiniela {

namespace {

constexpr int AnchoVentana = 430;
constexpr int AltoVentana = 270;
constexpr int AnchoRango = 170;
const QPoint PosDesde(30, 50);
const QPoint PosHasta(230, 50);
constexpr int AnchoLista = 6 * 22 + 2; // seis columnas de diez jornadas
constexpr int AltoLista = 10 * 13 + 2;
constexpr int YAbajo = 226;
constexpr int AnchoBorrar = 130;
constexpr int AnchoCorto = 80;
const QRect AreaTexto(24, 90, AnchoVentana - 48, 118);

QString EstiloPantalla() {
    return QStringLiteral("QListWidget { font-size: 11px; border: 1px solid #003010; }"
                          "QListWidget::item { padding: 0; margin: 0; }"
                          "QListWidget::item:selected { background: #286e46; color: #ffff00; }");
}

ContenidoLista ListaBajo(QPoint boton) {
    ContenidoLista lista = CargaLisRango();
    lista.Geometria = QRect(boton.x() + (AnchoRango - AnchoLista) / 2, boton.y() + AltoBoton + 4,
                            AnchoLista, AltoLista);
    return lista;
}

} // namespace

PantallaBorrar::PantallaBorrar(EstadoGlobal& estado, QWidget* padre)
    : QDialog(padre), estado_(estado), desplegables_(estado) {
    setObjectName(QStringLiteral("borrar"));
    setWindowTitle(QStringLiteral("Borrado de datos"));
    setFixedSize(AnchoVentana, AltoVentana);
    setStyleSheet(EstiloPantalla());
    CreaBotones();
    CreaListas();
    CreaDesplegables();
    LlenaListas();
    Conecta();
    OrdenTabulador();
    CentraEnPantalla(this);
}

void PantallaBorrar::CreaBotones() {
    Pic_BotJorIni = CreaBoton(this, QStringLiteral("Pic_BotJorIni"), PosDesde);
    Pic_BotJorFin = CreaBoton(this, QStringLiteral("Pic_BotJorFin"), PosHasta);
    Pic_BotBorrar = CreaBoton(this, QStringLiteral("Pic_BotBorrar"), QPoint(PosDesde.x(), YAbajo),
                              AnchoBorrar, QStringLiteral("Borrar datos"));
    Pic_Salir =
        CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(), AnchoCorto, QStringLiteral("Salir"));
    Pic_Ayuda =
        CreaBoton(this, QStringLiteral("Pic_Ayuda"), QPoint(), AnchoCorto, QStringLiteral("Ayuda"));
    ColocaDesdeLaDerecha({Pic_Salir, Pic_Ayuda}, AnchoVentana - 30, YAbajo, 10);
}

void PantallaBorrar::CreaListas() {
    Lis_JorIni = CreaLista(this, QStringLiteral("Lis_JorIni"));
    Lis_JorFin = CreaLista(this, QStringLiteral("Lis_JorFin"));
}

void PantallaBorrar::CreaDesplegables() {
    desplegables_.Anade(
        Pic_BotJorIni, Lis_JorIni, AnchoRango, [this] { return TituloDesde(tramo_.JorIni()); },
        [this](int fila) { EligeEnLista(true, fila); });
    desplegables_.Anade(
        Pic_BotJorFin, Lis_JorFin, AnchoRango, [this] { return TituloHasta(tramo_.JorFin()); },
        [this](int fila) { EligeEnLista(false, fila); });
}

void PantallaBorrar::LlenaListas() {
    GuardaModoEdicion edicion(estado_);
    LlenaLista(Lis_JorIni, ListaBajo(PosDesde));
    LlenaLista(Lis_JorFin, ListaBajo(PosHasta));
    desplegables_.Redibuja();
}

void PantallaBorrar::Conecta() {
    connect(Pic_BotBorrar, &BotonImagen::pulsado, this, &PantallaBorrar::Borra);
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        desplegables_.CierraTodas();
        TocaSonido(estado_, 9);
        AbreAyuda(TemaAyudaBorrado);
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaBorrar::reject);
}

void PantallaBorrar::OrdenTabulador() {
    EncadenaTabulador({Pic_BotJorIni, Pic_BotJorFin, Pic_BotBorrar, Pic_Ayuda, Pic_Salir});
}

// Elegida una jornada: si el tramo queda al revés, la otra lista se abre con esa jornada
// elegida para que el usuario la confirme.
void PantallaBorrar::EligeEnLista(bool desde, int fila) {
    hecho_.clear();
    update();
    const int otra = desde ? tramo_.EligeDesde(fila + 1) : tramo_.EligeHasta(fila + 1);
    Desplegable(desde ? 0 : 1)->Redibuja();
    if (otra == 0)
        return;
    ListaDesplegable* d = Desplegable(desde ? 1 : 0);
    d->Lista()->setCurrentRow(otra - 1);
    d->Abre();
}

void PantallaBorrar::Borra() {
    desplegables_.CierraTodas();
    bool esperando = false;
    const auto r = PulsaBorrarDatos(estado_, tramo_, [&esperando](bool espera) {
        if (espera && !esperando)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!espera && esperando)
            QApplication::restoreOverrideCursor();
        esperando = espera;
    });
    // Acabado el borrado, la pantalla dice qué se ha borrado (los fallos ya tienen su aviso).
    if (r && r->Completo())
        hecho_ = TextoBorrado(*r);
    update();
}

void PantallaBorrar::reject() {
    desplegables_.CierraTodas();
    TocaSonido(estado_, 5);
    QDialog::reject();
}

void PantallaBorrar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    p.setPen(AmarilloTexto);
    p.setFont(LetraPrograma(15, true));
    p.drawText(QRect(0, 12, width(), 24), Qt::AlignCenter, QStringLiteral("BORRADO DE DATOS"));
    PintaPanelHundido(p, AreaTexto);
    if (!hecho_.isEmpty()) {
        p.setPen(AmarilloTexto);
        p.setFont(LetraPrograma(12, true));
        p.drawText(AreaTexto.adjusted(12, 8, -12, -8), Qt::AlignLeft | Qt::TextWordWrap,
                   QStringLiteral("Hecho. ") + hecho_);
        return;
    }
    p.setPen(Qt::white);
    p.setFont(LetraPrograma(12));
    p.drawText(AreaTexto.adjusted(12, 8, -12, -8), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Se borrarán de las jornadas elegidas la fecha, los partidos, la "
                              "columna ganadora y los premios, y todas sus reducciones con sus "
                              "columnas.\n\nLa lista de equipos y los datos generales no se "
                              "tocan. El borrado no se puede deshacer."));
}

} // namespace quiniela
