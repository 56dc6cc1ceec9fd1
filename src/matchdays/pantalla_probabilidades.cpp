#include "matchdays/pantalla_probabilidades.h"

#include "core/estado_global.h"
#include "matchdays/fichero_jornadas.h"
#include "matchdays/fichero_probabilidades.h"
#include "platform/plataforma.h"
#include "platform/qt/boton_imagen.h"
#include "platform/qt/estilo.h"
#include "shell/piezas_pantalla.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>

namespace quiniela {

namespace {

constexpr int Ancho = 520;
constexpr int Alto = 470;
constexpr int XCasillas = 300;
constexpr int AnchoCasilla = 44;
constexpr int YFilas = 64;
constexpr int AltoFila = 22;
constexpr int XComprobacion = XCasillas + 3 * (AnchoCasilla + 4) + 6;

QString EstiloDialogo() {
    return EstiloEditor() +
           QStringLiteral("QLabel { color: white; font-family: 'Liberation Sans'; "
                          "font-size: 12px; }"
                          "QLabel#cabecera { color: yellow; font-weight: bold; }"
                          "QLabel[mal=\"true\"] { color: #ffb0b0; }"
                          "QRadioButton { color: white; font-family: 'Liberation Sans'; "
                          "font-size: 12px; }"
                          "QRadioButton::indicator { width: 10px; height: 10px; "
                          "border-radius: 6px; border: 1px solid #003010; background: white; }"
                          "QRadioButton::indicator:checked { background: yellow; }"
                          "QLineEdit { border: 1px solid #003010; padding: 0 3px; }");
}

} // namespace

PantallaProbabilidades::PantallaProbabilidades(EstadoGlobal& estado, int jornada,
                                               const QString& registroJornada, QWidget* padre)
    : QDialog(padre), estado_(estado), jornada_(jornada) {
    setObjectName(QStringLiteral("probabilidades"));
    setWindowTitle(QStringLiteral("Probabilidades de la jornada ") + QString::number(jornada));
    setFixedSize(Ancho, Alto);
    setStyleSheet(EstiloDialogo());
    CreaFilas(registroJornada);
    CreaBotones();
    CargaEstimaciones();
    CentraEnPantalla(this);
}

void PantallaProbabilidades::CreaFilas(const QString& registro) {
    const auto cabecera = [this](int x, int ancho, const QString& texto) {
        auto* l = new QLabel(texto, this);
        l->setObjectName(QStringLiteral("cabecera"));
        l->setGeometry(x, YFilas - 20, ancho, 16);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    for (int s = 0; s < NumSignosMax; ++s)
        cabecera(XCasillas + s * (AnchoCasilla + 4), AnchoCasilla, QString(CaracterSigno(s + 1)));
    cabeceraComprobacion_ = cabecera(XComprobacion, 90, QStringLiteral("Suma"));
    const bool valido = RegistroJornadaValido(registro, jornada_);
    for (int m = 1; m <= NumPartidos; ++m) {
        const int y = YFilas + (m - 1) * AltoFila;
        QString partido = QString::number(m).rightJustified(2) + QStringLiteral(". ");
        if (valido && !EquipoLocal(registro, m).isEmpty())
            partido +=
                EquipoLocal(registro, m) + QStringLiteral(" - ") + EquipoVisitante(registro, m);
        auto* rotulo = new QLabel(partido, this);
        rotulo->setGeometry(16, y, XCasillas - 24, AltoFila - 2);
        for (int s = 0; s < NumSignosMax; ++s) {
            auto* c = new QLineEdit(this);
            c->setObjectName(QStringLiteral("Tex_Prob%1_%2").arg(m).arg(s + 1));
            c->setAccessibleName(QStringLiteral("Partido %1, %2").arg(m).arg(CaracterSigno(s + 1)));
            c->setGeometry(XCasillas + s * (AnchoCasilla + 4), y, AnchoCasilla, AltoFila - 3);
            c->setMaxLength(8);
            c->setAlignment(Qt::AlignRight);
            connect(c, &QLineEdit::textChanged, this, [this, m] { CompruebaFila(m); });
            casillas_[size_t(m)][size_t(s)] = c;
        }
        auto* comprobacion = new QLabel(this);
        comprobacion->setGeometry(XComprobacion, y, Ancho - XComprobacion - 10, AltoFila - 2);
        comprobaciones_[size_t(m)] = comprobacion;
    }
}

void PantallaProbabilidades::CreaBotones() {
    Opt_Porcentajes = new QRadioButton(QStringLiteral("Porcentajes"), this);
    Opt_Porcentajes->setObjectName(QStringLiteral("Opt_Porcentajes"));
    Opt_Porcentajes->setGeometry(16, 14, 110, 20);
    Opt_Cuotas = new QRadioButton(QStringLiteral("Cuotas decimales"), this);
    Opt_Cuotas->setObjectName(QStringLiteral("Opt_Cuotas"));
    Opt_Cuotas->setGeometry(130, 14, 150, 20);
    auto* grupo = new QButtonGroup(this);
    grupo->addButton(Opt_Porcentajes);
    grupo->addButton(Opt_Cuotas);
    Opt_Porcentajes->setChecked(true);
    connect(Opt_Cuotas, &QRadioButton::toggled, this, [this] { CambiaModo(); });

    const int y = Alto - 40;
    Pic_BotGuardar = CreaBoton(this, QStringLiteral("Pic_BotGuardar"), QPoint(16, y), 130,
                               QStringLiteral("Guardar datos"));
    Pic_Salir = CreaBoton(this, QStringLiteral("Pic_Salir"), QPoint(Ancho - 16 - 80, y), 80,
                          QStringLiteral("Salir"));
    connect(Pic_BotGuardar, &BotonImagen::pulsado, this, [this] {
        if (Guarda())
            accept();
    });
    connect(Pic_Salir, &BotonImagen::pulsado, this, &QDialog::reject);
}

void PantallaProbabilidades::CargaEstimaciones() {
    const auto e = LeeEstimaciones(estado_, jornada_);
    for (int m = 1; m <= NumPartidos; ++m) {
        const TextosFila textos = e ? TextosDeEstimacion((*e)[size_t(m)]) : TextosFila{};
        for (int s = 0; s < NumSignosMax; ++s)
            casillas_[size_t(m)][size_t(s)]->setText(textos[size_t(s)]);
        CompruebaFila(m);
    }
}

// Al pasar a porcentajes, las filas con cuotas válidas quedan en los porcentajes que dan; al
// pasar a cuotas, las casillas se vacían para escribirlas.
void PantallaProbabilidades::CambiaModo() {
    const ModoProbabilidades nuevo =
        Opt_Cuotas->isChecked() ? ModoProbabilidades::Cuotas : ModoProbabilidades::Porcentajes;
    if (nuevo == modo_)
        return;
    std::array<TextosFila, NumPartidos + 1> nuevos{};
    for (int m = 1; m <= NumPartidos; ++m) {
        const ComprobacionFila c = quiniela::CompruebaFila(Textos(m), modo_);
        if (nuevo == ModoProbabilidades::Porcentajes && c.Valida)
            nuevos[size_t(m)] = TextosDeEstimacion(*c.Valida);
    }
    modo_ = nuevo;
    cabeceraComprobacion_->setText(nuevo == ModoProbabilidades::Cuotas ? QStringLiteral("En %")
                                                                       : QStringLiteral("Suma"));
    for (int m = 1; m <= NumPartidos; ++m) {
        for (int s = 0; s < NumSignosMax; ++s)
            casillas_[size_t(m)][size_t(s)]->setText(nuevos[size_t(m)][size_t(s)]);
        CompruebaFila(m);
    }
}

TextosFila PantallaProbabilidades::Textos(int m) const {
    TextosFila t;
    for (int s = 0; s < NumSignosMax; ++s)
        t[size_t(s)] = casillas_[size_t(m)][size_t(s)]->text();
    return t;
}

void PantallaProbabilidades::CompruebaFila(int m) {
    QLabel* l = comprobaciones_[size_t(m)];
    if (l == nullptr)
        return;
    const ComprobacionFila c = quiniela::CompruebaFila(Textos(m), modo_);
    l->setText(c.Vacia ? QStringLiteral("sin estimar") : c.Texto);
    const bool mal = !c.Vacia && !c.Valida;
    if (l->property("mal").toBool() != mal) {
        l->setProperty("mal", mal);
        l->style()->unpolish(l);
        l->style()->polish(l);
    }
}

bool PantallaProbabilidades::Guarda() {
    std::array<TextosFila, NumPartidos + 1> filas{};
    for (int m = 1; m <= NumPartidos; ++m)
        filas[size_t(m)] = Textos(m);
    const LecturaFilas lectura = LeeFilas(filas, modo_);
    if (!lectura.Estimaciones) {
        MuestraMensaje(TituloProbabilidadesMal(),
                       TextoProbabilidadesMal(lectura.PartidoMalo, modo_));
        return false;
    }
    const ResultadoFichero r = GuardaEstimaciones(estado_, jornada_, *lectura.Estimaciones);
    if (!r.Bien()) {
        AvisaSistema(TextoErrorGuardarEstimaciones(r));
        return false;
    }
    guardado_ = true;
    return true;
}

void PantallaProbabilidades::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaFondoPanel(p, rect());
    PintaPanelHundido(p, QRect(8, YFilas - 26, Ancho - 16, NumPartidos * AltoFila + 32));
}

} // namespace quiniela
