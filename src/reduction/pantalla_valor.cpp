#include "reduction/pantalla_valor.h"

#include "core/estado_global.h"
#include "core/ficheros.h"
#include "matchdays/fichero_probabilidades.h"
#include "platform/qt/estilo.h"
#include "reduction/estadisticas.h"
#include "scrutiny/premios_medios.h"
#include "settings/datos_generales.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QThread>

namespace quiniela {

// Un cálculo en su hilo, con su marca de cancelación.
struct PanelValor::Calculo {
    std::atomic<bool> Cancelar{false};
    QThread* Hilo = nullptr;
};

PanelValor::PanelValor(EstadoGlobal& estado, QWidget* padre) : QWidget(padre), estado_(estado) {
    setObjectName(QStringLiteral("Pic_Valor"));
    setFixedSize(Ancho, Alto);
}

PanelValor::~PanelValor() {
    for (const auto& c : calculos_)
        c->Cancelar = true;
    // Los hilos acaban pronto al cancelarse; el aviso de final ya no llegaría a borrarlos.
    for (const auto& c : calculos_) {
        c->Hilo->wait();
        delete c->Hilo;
    }
}

void PanelValor::LeeDatos() {
    const auto e = LeeEstimaciones(estado_, estado_.Datos.JornadaActual);
    estimaciones_ = e ? *e : EstimacionesJornada{};
    premios_ = PremiosMedios(estado_);
}

void PanelValor::RecalculaBase() {
    Reduccion red = estado_.Red;
    TablaDirecta tabla;
    CalculaEstadisticas(red, tabla);
    const ProbabilidadesJornada p = ProbabilidadesDe(estimaciones_);
    Lanza([red, tabla, p](const std::atomic<bool>* cancelar) {
        return ValorDeDesarrollo(red, tabla, p, cancelar);
    });
}

void PanelValor::RecalculaGuardada() {
    estado_.ActualizaFicheroApuestas();
    const QString ruta = estado_.Ruta(estado_.FicheroApuestas);
    const ProbabilidadesJornada p = ProbabilidadesDe(estimaciones_);
    Lanza([ruta, p](const std::atomic<bool>* cancelar) {
        QFile fichero(ruta);
        if (!fichero.open(QIODevice::ReadOnly))
            return ResultadoValor{FinValor::ErrorLectura, {}, 0};
        return ValorDeFichero(fichero, p, cancelar);
    });
}

void PanelValor::Lanza(std::function<ResultadoValor(const std::atomic<bool>*)> trabajo) {
    for (const auto& c : calculos_)
        c->Cancelar = true;
    const int numero = ++numero_;
    if (!HayEstimaciones(estimaciones_)) {
        situacion_ = Situacion::SinEstimaciones;
        update();
        return;
    }
    situacion_ = Situacion::Calculando;
    update();
    auto calculo = std::make_shared<Calculo>();
    calculo->Hilo = QThread::create([this, calculo, numero, trabajo = std::move(trabajo)] {
        const ResultadoValor r = trabajo(&calculo->Cancelar);
        if (calculo->Cancelar)
            return;
        // De vuelta en el hilo de la ventana.
        QMetaObject::invokeMethod(
            this, [this, numero, r] { Recibe(numero, r); }, Qt::QueuedConnection);
    });
    connect(calculo->Hilo, &QThread::finished, this, [this, calculo] {
        calculo->Hilo->deleteLater();
        calculos_.remove(calculo);
    });
    calculos_.push_back(calculo);
    calculo->Hilo->start(QThread::LowPriority);
}

void PanelValor::Recibe(int numero, const ResultadoValor& r) {
    if (numero != numero_)
        return; // lo pidió un cambio ya superado
    if (r.Fin != FinValor::Hecho) {
        situacion_ = Situacion::SinColumnas;
    } else {
        situacion_ = Situacion::Listo;
        valor_ = r.Valor;
        importes_ = CalculaImportes(valor_, premios_, ValorNumerico(estado_.Datos.PrecioApuesta));
    }
    update();
    Q_EMIT calculado();
}

bool PanelValor::EsperaCalculo(int milisegundos) {
    const QDeadlineTimer limite(milisegundos);
    while (situacion_ == Situacion::Calculando && !limite.hasExpired()) {
        for (const auto& c : calculos_)
            c->Hilo->wait(10);
        QCoreApplication::sendPostedEvents(this);
        QCoreApplication::processEvents();
    }
    return situacion_ != Situacion::Calculando;
}

void PanelValor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaPanelHundido(p, rect());
    p.setPen(AmarilloTexto);
    p.setFont(LetraPrograma(12, true));
    p.drawText(QRect(10, 4, 200, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Valor de la apuesta"));
    p.setFont(LetraPrograma(11));
    p.setPen(Qt::white);
    const QLocale regional;
    switch (situacion_) {
    case Situacion::SinEstimaciones:
        p.drawText(QRect(10, 24, width() - 20, 28), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("sin estimaciones: pulse Probabilidades para darlas"));
        return;
    case Situacion::SinColumnas:
        p.drawText(QRect(10, 24, width() - 20, 28), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("no se ha podido leer el fichero de columnas"));
        return;
    case Situacion::Calculando:
        p.drawText(QRect(220, 4, width() - 230, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("calculando…"));
        if (valor_.Columnas == 0)
            return;
        p.setPen(QColor(200, 200, 200));
        break;
    case Situacion::Listo:
        break;
    }
    const std::vector<LineaPanelValor> lineas = LineasPanelValor(valor_, importes_, regional);
    // Seis columnas de probabilidades y, arriba a la derecha, premio esperado y rendimiento.
    const int anchoColumna = (width() - 20) / CategoriasValor;
    for (int i = 0; i < CategoriasValor; ++i) {
        const QRect celda(10 + i * anchoColumna, 22, anchoColumna - 6, 16);
        p.drawText(celda, Qt::AlignLeft | Qt::AlignVCenter, lineas[size_t(i)].Rotulo);
        p.drawText(celda.translated(0, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   lineas[size_t(i)].Valor);
    }
    if (situacion_ == Situacion::Listo) {
        QString importes;
        for (size_t i = CategoriasValor; i < lineas.size(); ++i)
            importes += (importes.isEmpty() ? QString() : QStringLiteral("     ")) +
                        lineas[i].Rotulo + QStringLiteral(": ") + lineas[i].Valor;
        p.drawText(QRect(220, 4, width() - 230, 16), Qt::AlignRight | Qt::AlignVCenter, importes);
    }
}

} // namespace quiniela
