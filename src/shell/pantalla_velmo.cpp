#include "shell/pantalla_velmo.h"

#include "consult/pantalla_consredu.h"
#include "core/arranque.h"
#include "core/escritura.h"
#include "core/estado_global.h"
#include "matchdays/pantalla_borrar.h"
#include "matchdays/pantalla_jornadas.h"
#include "output/pantalla_salida.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "reduction/cambios_pendientes.h"
#include "reduction/pantalla_reducir.h"
#include "scrutiny/pantalla_escrutin.h"
#include "settings/datos_generales.h"
#include "settings/pantalla_datosgen.h"
#include "settings/salida_programa.h"
#include "shell/junto_al_menu.h"
#include "shell/piezas_pantalla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>

namespace quiniela {

namespace {
constexpr int AnchoVentana = 555;
constexpr int AltoVentana = 405;
const QRect AreaCareta(73, 15, 404, 188);
constexpr int NumEntradas = 7;
constexpr int AnchoAyudaSalir = 90;
} // namespace

const std::array<PantallaVelmo::Entrada, 8>& PantallaVelmo::Entradas() {
    static const std::array<Entrada, 8> entradas{
        Entrada{},
        Entrada{QStringLiteral("DATOS DE JORNADAS"), QPoint(40, 225)},
        Entrada{QStringLiteral("REDUCCIÓN DE APUESTAS"), QPoint(40, 270)},
        Entrada{QStringLiteral("CONSULTAR REDUCCIONES"), QPoint(40, 315)},
        Entrada{QStringLiteral("SALIDA DE DATOS"), QPoint(300, 225)},
        Entrada{QStringLiteral("ESCRUTINIO DE ACIERTOS"), QPoint(300, 270)},
        Entrada{QStringLiteral("DATOS GENERALES"), QPoint(170, 360)},
        Entrada{QStringLiteral("BORRADO DE DATOS"), QPoint(300, 315)}};
    return entradas;
}

PantallaVelmo::PantallaVelmo(EstadoGlobal& estado, QWidget* padre)
    : QWidget(padre), estado_(estado) {
    setObjectName(QStringLiteral("velmo"));
    setWindowTitle(TituloPrograma());
    setFixedSize(AnchoVentana, AltoVentana);
    CentraEnPantalla(this);
    // Temporales de escrituras que murieron a mitad y cambios que quedaron sin terminar.
    LimpiaTemporalesAbandonados(estado_.CarpetaDatos);
    TerminaCambiosPendientes(estado_);
    CargaDatosGenerales(estado_);
    CreaBotones();
    PonAcciones();
}

void PantallaVelmo::CreaBotones() {
    for (int i = 1; i <= NumEntradas; ++i) {
        Pic_Boton[i] = CreaBoton(this, QStringLiteral("Pic_Boton%1").arg(i), Entradas()[i].Posicion,
                                 AnchoEntrada, Entradas()[i].Rotulo);
        connect(Pic_Boton[i], &BotonImagen::pulsado, this, [this, i] { PulsaEntrada(i); });
    }
    Pic_Ayuda = CreaBoton(this, QStringLiteral("Pic_Ayuda"), QPoint(40, 360), AnchoAyudaSalir,
                          QStringLiteral("Ayuda"));
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(425, 360), AnchoAyudaSalir,
                          QStringLiteral("Salir"));
    connect(Pic_Ayuda, &BotonImagen::pulsado, this, [this] {
        TocaSonido(estado_, 9);
        AbreAyuda(0);
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &PantallaVelmo::Sal);
    // Sin ratón: el tabulador recorre las entradas por columnas, y después Ayuda y Salir.
    EncadenaTabulador({Pic_Boton[1], Pic_Boton[2], Pic_Boton[3], Pic_Boton[4], Pic_Boton[5],
                       Pic_Boton[7], Pic_Boton[6], Pic_Ayuda, Pic_Salir});
    Pic_Boton[1]->setFocus();
}

void PantallaVelmo::PonAcciones() {
    PonAccion(1, [this] {
        PantallaJornadas pantalla(estado_, this);
        pantalla.exec();
    });
    // La reducción se cierra para volver a abrirse al cambiar jornada, orden o método.
    PonAccion(2, [this] {
        estado_.MetodoRecordado = 0;
        estado_.ReabrirReduccion = true;
        while (estado_.ReabrirReduccion && !QCoreApplication::closingDown()) {
            PantallaReducir pantalla(estado_, this);
            pantalla.exec();
        }
    });
    // La consulta no tiene modo: se cierra sola al abrir cualquier otra entrada.
    PonAccion(3, [this] {
        auto* consulta = new PantallaConsredu(estado_, this);
        consulta->setAttribute(Qt::WA_DeleteOnClose);
        RegistraPantallaSinModo(consulta);
        AbreJuntoAlMenu(consulta, this, ZonaEntradas());
    });
    // La salida no es modal: se cierra al abrir cualquier otra entrada.
    PonAccion(4, [this] {
        auto* salida = new PantallaSalida(estado_, this);
        salida->setAttribute(Qt::WA_DeleteOnClose);
        RegistraPantallaSinModo(salida);
        AbreJuntoAlMenu(salida, this, ZonaEntradas());
    });
    // El escrutinio no es modal: el menú lo cierra al abrir cualquier otra entrada.
    PonAccion(5, [this] {
        auto* pantalla = new PantallaEscrutin(estado_, this);
        pantalla->setAttribute(Qt::WA_DeleteOnClose);
        RegistraPantallaSinModo(pantalla);
        AbreJuntoAlMenu(pantalla, this, ZonaEntradas());
    });
    PonAccion(6, [this] {
        PantallaDatosgen pantalla(estado_, this);
        pantalla.exec();
    });
    PonAccion(7, [this] {
        PantallaBorrar pantalla(estado_, this);
        pantalla.exec();
    });
}

QRect PantallaVelmo::ZonaEntradas() const {
    QRect zona;
    for (int i = 1; i <= NumEntradas; ++i)
        zona = zona.united(Pic_Boton[i]->geometry());
    return zona;
}

void PantallaVelmo::PonAccion(int entrada, std::function<void()> accion) {
    acciones_[entrada] = std::move(accion);
}

void PantallaVelmo::RegistraPantallaSinModo(QWidget* pantalla) {
    sinModo_.emplace_back(pantalla);
}

void PantallaVelmo::CierraPantallasSinModo() {
    for (const QPointer<QWidget>& pantalla : sinModo_)
        if (pantalla)
            pantalla->close();
    sinModo_.clear();
}

void PantallaVelmo::PulsaEntrada(int entrada) {
    CierraPantallasSinModo();
    BotonImagen* boton = Pic_Boton[entrada];
    TocaSonido(estado_, 6);
    DibujaBoton(boton, AnchoEntrada, Entradas()[entrada].Rotulo, true);
    Espera(600);
    if (acciones_[entrada])
        acciones_[entrada]();
    update();
    DibujaBoton(boton, AnchoEntrada, Entradas()[entrada].Rotulo, false);
}

void PantallaVelmo::Sal() {
    if (saliendo_)
        return;
    saliendo_ = true;
    if (const auto aviso = SalDelPrograma(estado_))
        AvisaSistema(*aviso);
    TocaSonido(estado_, 5);
    CierraPantallasSinModo();
    close();
    QApplication::quit();
}

void PantallaVelmo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPanelHundido(p, AreaCareta);
    static const QImage careta(QStringLiteral(":/imagenes/careta.png"));
    p.drawImage(AreaCareta.topLeft(), careta);
}

void PantallaVelmo::closeEvent(QCloseEvent* evento) {
    // Cerrar la ventana es salir del programa, con su guardado.
    if (!saliendo_)
        Sal();
    evento->accept();
}

} // namespace quiniela
