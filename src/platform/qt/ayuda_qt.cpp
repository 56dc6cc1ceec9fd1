#include "platform/qt/ayuda_qt.h"

#include "core/arranque.h"
#include "core/colocacion_ventanas.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpLink>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QWindow>

#include <algorithm>

namespace quiniela {

namespace {

QString TituloAyuda() {
    return QStringLiteral("Ayuda de Quiniela");
}

// Visor de páginas qthelp://: las páginas, la hoja de estilo y las imágenes salen del
// fichero de ayuda a través del motor.
class VisorAyuda final : public QTextBrowser {
public:
    VisorAyuda(QHelpEngine* motor, QWidget* padre) : QTextBrowser(padre), motor_(motor) {}

    QVariant loadResource(int tipo, const QUrl& nombre) override {
        const QUrl url = nombre.isRelative() ? source().resolved(nombre) : nombre;
        if (url.scheme() != u"qthelp")
            return QTextBrowser::loadResource(tipo, nombre);
        const QByteArray datos = motor_->fileData(url);
        if (tipo == QTextDocument::HtmlResource || tipo == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(datos);
        return datos;
    }

private:
    QHelpEngine* motor_;
};

bool MismaPagina(const QUrl& a, const QUrl& b) {
    return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
}

// Índice del contenido que lleva a la página, para señalarla en el árbol.
QModelIndex BuscaEnContenido(const QHelpContentModel* modelo, const QModelIndex& padre,
                             const QUrl& url) {
    for (int fila = 0; fila < modelo->rowCount(padre); ++fila) {
        const QModelIndex indice = modelo->index(fila, 0, padre);
        const QHelpContentItem* elemento = modelo->contentItemAt(indice);
        if (elemento != nullptr && MismaPagina(elemento->url(), url))
            return indice;
        if (const QModelIndex hijo = BuscaEnContenido(modelo, indice, url); hijo.isValid())
            return hijo;
    }
    return {};
}

// Separación entre la pantalla y la ayuda, y ancho por debajo del cual no vale la pena
// estrecharla para que quepa al lado.
constexpr int Hueco = 8;
constexpr int AnchoMinimo = 360;
// Más estrecha o más baja que esto ya no se lee; entre esto y lo de arriba, el contenido va
// encima de la página en vez de al lado.
constexpr int AnchoEstrecho = 240;
constexpr int AltoMinimo = 240;
constexpr int AnchoDeDosColumnas = 480;

} // namespace

QRect SitioAyuda(const QRect& ayuda, const QRect& pantalla, const QRect& disponible) {
    if (!ayuda.intersects(pantalla) && disponible.contains(ayuda))
        return ayuda;
    const int alto = std::min(ayuda.height(), disponible.height());
    const int sitioDerecha = disponible.right() - pantalla.right() - Hueco;
    const int sitioIzquierda = pantalla.left() - disponible.left() - Hueco;
    const bool aLaDerecha = sitioDerecha >= ayuda.width() || sitioDerecha >= sitioIzquierda;
    const int sitio = aLaDerecha ? sitioDerecha : sitioIzquierda;
    // Sin sitio legible a los lados, encima o debajo de la pantalla antes que taparla; y si
    // tampoco, a un lado aunque sea estrecha.
    if (sitio < std::min(AnchoMinimo, ayuda.width())) {
        const int arriba = pantalla.top() - disponible.top() - Hueco;
        const int abajo = disponible.bottom() - pantalla.bottom() - Hueco;
        const int ancho = std::min(ayuda.width(), disponible.width());
        const int x =
            std::clamp(pantalla.left(), disponible.left(), disponible.right() + 1 - ancho);
        if (std::max(arriba, abajo) >= AltoMinimo) {
            const int h = std::min(ayuda.height(), std::max(arriba, abajo));
            const int y =
                abajo >= arriba ? pantalla.bottom() + 1 + Hueco : pantalla.top() - Hueco - h;
            return {x, y, ancho, h};
        }
        if (sitio >= AnchoEstrecho) {
            const int y =
                std::clamp(pantalla.top(), disponible.top(), disponible.bottom() + 1 - alto);
            return {aLaDerecha ? pantalla.right() + 1 + Hueco : pantalla.left() - Hueco - sitio, y,
                    sitio, alto};
        }
    }
    // Sin sitio ni estrechándola, tapa lo menos posible: pegada al borde de ese lado.
    const int ancho = std::min(
        {ayuda.width(), disponible.width(), std::max(sitio, std::min(AnchoMinimo, ayuda.width()))});
    int x = aLaDerecha ? pantalla.right() + 1 + Hueco : pantalla.left() - Hueco - ancho;
    x = std::clamp(x, disponible.left(), disponible.right() + 1 - ancho);
    const int y = std::clamp(pantalla.top(), disponible.top(), disponible.bottom() + 1 - alto);
    return {x, y, ancho, alto};
}

// Ventana de la ayuda. Una pantalla modal bloquea las demás ventanas del programa salvo las
// que dependen de ella: la ayuda se hace depender de la pantalla modal más reciente cada
// vez que una se abre o se cierra, así se puede usar a la vez que la pantalla.
class VentanaAyuda final : public QMainWindow {
public:
    explicit VentanaAyuda(QString ajustes) : ajustes_(std::move(ajustes)) {
        setObjectName(QStringLiteral("ayuda"));
        setWindowTitle(TituloAyuda());
        resize(920, 620);
        restoreGeometry(QSettings(ajustes_, QSettings::IniFormat).value(ClaveSitio).toByteArray());
        // La ventana nativa ya, para poder colgarla de la pantalla modal antes de mostrarla.
        winId();
        windowHandle()->installEventFilter(this);
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this] { Acompana(); });
    }
    ~VentanaAyuda() override {
        if (isVisible())
            GuardaSitio();
    }
    VentanaAyuda(const VentanaAyuda&) = delete;
    VentanaAyuda& operator=(const VentanaAyuda&) = delete;

    // Se muestra delante, al lado de la pantalla que pide la ayuda si la tapaba.
    void MuestraJuntoA(const QWidget* pantalla) {
        Acompana();
        if (pantalla != nullptr) {
            const QScreen* monitor = pantalla->screen();
            const QRect marco = pantalla->frameGeometry();
            // Con el marco del escritorio (barra de título) si ya se ha mostrado.
            const QMargins borde(geometry().left() - frameGeometry().left(),
                                 geometry().top() - frameGeometry().top(),
                                 frameGeometry().right() - geometry().right(),
                                 frameGeometry().bottom() - geometry().bottom());
            const QRect sitio = SitioAyuda(
                geometry() + borde, marco,
                monitor != nullptr ? AreaUtil(monitor->geometry(), monitor->availableGeometry())
                                   : marco.united(geometry()));
            setGeometry(sitio - borde);
        }
        if (auto* division = findChild<QSplitter*>()) {
            // Estrecha, el contenido encima de la página; ancha, al lado.
            const bool columnas = width() >= AnchoDeDosColumnas;
            if (!mostrada_ ||
                division->orientation() != (columnas ? Qt::Horizontal : Qt::Vertical)) {
                division->setOrientation(columnas ? Qt::Horizontal : Qt::Vertical);
                ReparteDivision(division);
            }
        }
        mostrada_ = true;
        show();
        raise();
        activateWindow();
    }

    // El contenido tan ancho como sus títulos (hasta la mitad) y la página el resto; uno encima
    // de otro, un tercio y el resto.
    void ReparteDivision(QSplitter* division) const {
        auto* arbol = division->findChild<QTreeView*>();
        if (division->orientation() == Qt::Vertical || arbol == nullptr) {
            const int total = division->orientation() == Qt::Vertical ? height() : width();
            division->setSizes({total / 3, total - total / 3});
            return;
        }
        const int titulos = arbol->header()->sectionSize(0) + 24;
        const int ancho = std::clamp(titulos, width() / 3, width() / 2);
        division->setSizes({ancho, width() - ancho});
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        // Se abre otra pantalla modal encima, o se cierra aquella de la que depende.
        const QWindow* propia = windowHandle();
        if (objeto == propia && evento->type() == QEvent::WindowBlocked)
            Acompana();
        // Al ocultarse aún cuenta como modal: se mira en cuanto acabe de cerrarse.
        if (propia != nullptr && objeto == propia->transientParent() &&
            evento->type() == QEvent::Hide)
            QTimer::singleShot(0, this, [this] { Acompana(); });
        return QMainWindow::eventFilter(objeto, evento);
    }
    void hideEvent(QHideEvent* evento) override {
        GuardaSitio();
        QMainWindow::hideEvent(evento);
    }

private:
    static constexpr QLatin1StringView ClaveSitio{"ventana/geometria"};

    void Acompana() {
        QWindow* propia = windowHandle();
        QWindow* modal = QGuiApplication::modalWindow();
        if (propia == nullptr || modal == propia || propia->transientParent() == modal)
            return;
        if (modal != nullptr && modal->isAncestorOf(propia, QWindow::IncludeTransients))
            return;
        // Un diálogo abierto sobre la propia ayuda: no se puede depender de él sin un ciclo.
        if (modal != nullptr && propia->isAncestorOf(modal, QWindow::IncludeTransients))
            return;
        if (QWindow* anterior = propia->transientParent())
            anterior->removeEventFilter(this);
        propia->setTransientParent(modal);
        if (modal != nullptr)
            modal->installEventFilter(this);
    }
    void GuardaSitio() {
        QSettings(ajustes_, QSettings::IniFormat).setValue(ClaveSitio, saveGeometry());
    }

    QString ajustes_;
    bool mostrada_ = false;
};

QString AyudaQt::RutaPorDefecto() {
    return BuscaDistribucion(QCoreApplication::applicationDirPath()).AyudaEnLinea;
}

QString AyudaQt::AjustesPorDefecto() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/ayuda.ini");
}

AyudaQt::AyudaQt(const QString& coleccion, const QString& ajustes)
    : coleccion_(coleccion.isEmpty() ? RutaPorDefecto() : coleccion),
      ajustes_(ajustes.isEmpty() ? AjustesPorDefecto() : ajustes) {}

AyudaQt::~AyudaQt() = default;

bool AyudaQt::Prepara() {
    if (preparado_)
        return true;
    if (!QFileInfo(coleccion_).isFile())
        return false;
    auto motor = std::make_unique<QHelpEngine>(coleccion_);
    // Solo lectura: la carpeta del programa puede no admitir escritura.
    motor->setReadOnly(true);
    if (!motor->setupData())
        return false;
    // La colección solo guarda el nombre del .qch: sin él no hay páginas que mostrar.
    const QStringList documentos = motor->registeredDocumentations();
    if (documentos.isEmpty() ||
        !QFileInfo(motor->documentationFileName(documentos.first())).isFile())
        return false;
    motor_ = std::move(motor);
    preparado_ = true;
    return true;
}

QUrl AyudaQt::UrlDeTema(int tema) {
    if (!Prepara())
        return {};
    const QList<QHelpLink> enlaces = motor_->documentsForIdentifier(QString::number(tema));
    return enlaces.isEmpty() ? QUrl() : enlaces.first().url;
}

QMainWindow* AyudaQt::Ventana() const {
    return ventana_.get();
}

QTextBrowser* AyudaQt::Visor() const {
    return visor_;
}

void AyudaQt::CreaVentana() {
    ventana_ = std::make_unique<VentanaAyuda>(ajustes_);

    auto* division = new QSplitter(ventana_.get());
    auto* arbol = new QTreeView(division);
    arbol->setObjectName(QStringLiteral("contenidoAyuda"));
    arbol->setHeaderHidden(true);
    arbol->setModel(motor_->contentModel());
    // Un título largo se desplaza, nunca se corta con puntos suspensivos.
    arbol->setTextElideMode(Qt::ElideNone);
    arbol->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    arbol->header()->setStretchLastSection(false);
    visor_ = new VisorAyuda(motor_.get(), division);
    visor_->setObjectName(QStringLiteral("visorAyuda"));
    division->addWidget(arbol);
    division->addWidget(visor_);
    division->setStretchFactor(1, 1);
    division->setSizes({270, 650});
    ventana_->setCentralWidget(division);

    QHelpContentModel* modelo = motor_->contentModel();
    QTextBrowser* visor = visor_;
    // Señala en el contenido la página que se ve. Al avisar del cambio, source() aún da la
    // página anterior: la nueva es la que llega con el aviso.
    const auto senala = [modelo, arbol](const QUrl& pagina) {
        if (const QModelIndex i = BuscaEnContenido(modelo, {}, pagina); i.isValid())
            arbol->setCurrentIndex(i);
    };
    QObject::connect(arbol, &QTreeView::activated, visor, [modelo, visor](const QModelIndex& i) {
        if (const QHelpContentItem* elemento = modelo->contentItemAt(i))
            visor->setSource(elemento->url());
    });
    QObject::connect(arbol, &QTreeView::clicked, visor, [modelo, visor](const QModelIndex& i) {
        if (const QHelpContentItem* elemento = modelo->contentItemAt(i))
            visor->setSource(elemento->url());
    });
    QObject::connect(visor, &QTextBrowser::sourceChanged, arbol, senala);
    // El contenido se carga en segundo plano tras abrir la colección.
    QObject::connect(modelo, &QHelpContentModel::contentsCreated, arbol,
                     [arbol, visor, senala, ventana = ventana_.get(), division] {
                         arbol->expandAll();
                         senala(visor->source());
                         // Ya se saben los títulos: el contenido, a su medida.
                         ventana->ReparteDivision(division);
                     });
    arbol->expandAll();

    auto* barra = ventana_->addToolBar(QStringLiteral("Navegación"));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QStyle* estilo = ventana_->style();
    QAction* atras = barra->addAction(estilo->standardIcon(QStyle::SP_ArrowBack),
                                      QStringLiteral("Atrás"), visor, &QTextBrowser::backward);
    QAction* adelante = barra->addAction(estilo->standardIcon(QStyle::SP_ArrowForward),
                                         QStringLiteral("Adelante"), visor, &QTextBrowser::forward);
    const QUrl portada = UrlDeTema(0);
    barra->addAction(estilo->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Inicio"), visor,
                     [visor, portada] { visor->setSource(portada); });
    QAction* cerrar = barra->addAction(estilo->standardIcon(QStyle::SP_DialogCloseButton),
                                       QStringLiteral("Cerrar"), ventana_.get(), &QWidget::close);
    cerrar->setObjectName(QStringLiteral("cerrarAyuda"));
    cerrar->setShortcut(QKeySequence(Qt::Key_Escape));
    atras->setEnabled(false);
    adelante->setEnabled(false);
    QObject::connect(visor, &QTextBrowser::backwardAvailable, atras, &QAction::setEnabled);
    QObject::connect(visor, &QTextBrowser::forwardAvailable, adelante, &QAction::setEnabled);
}

void AyudaQt::AbreAyuda(int tema) {
    if (!Prepara()) {
        const QString texto =
            QFileInfo(coleccion_).isFile()
                ? QStringLiteral("No se puede leer el fichero de ayuda:\n%1\n\nVuelva a instalar "
                                 "el programa para recuperar la ayuda.")
                : QStringLiteral("No se encuentra el fichero de ayuda:\n%1\n\nLa ayuda "
                                 "(quiniela.qhc y quiniela.qch) debe estar en la carpeta "
                                 "del programa.");
        QMessageBox::warning(QApplication::activeWindow(), TituloAyuda(),
                             texto.arg(QDir::toNativeSeparators(coleccion_)));
        return;
    }
    QUrl url = UrlDeTema(tema);
    if (url.isEmpty())
        url = UrlDeTema(0); // un tema que no está en la ayuda abre la portada
    // La pantalla que la pide: la modal más reciente o, si no hay, la ventana activa.
    const QWidget* pantalla = QApplication::activeModalWidget();
    if (pantalla == nullptr)
        pantalla = QApplication::activeWindow();
    if (!ventana_)
        CreaVentana();
    visor_->setSource(url);
    ventana_->MuestraJuntoA(pantalla == ventana_.get() ? nullptr : pantalla);
}

} // namespace quiniela
