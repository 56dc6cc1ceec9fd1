#include "platform/qt/ayuda_qt.h"

#include "core/arranque.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpLink>
#include <QMainWindow>
#include <QMessageBox>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeView>

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

} // namespace

QString AyudaQt::RutaPorDefecto() {
    return BuscaDistribucion(QCoreApplication::applicationDirPath()).ayuda;
}

AyudaQt::AyudaQt(const QString& coleccion)
    : coleccion_(coleccion.isEmpty() ? RutaPorDefecto() : coleccion) {}

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
    ventana_ = std::make_unique<QMainWindow>();
    ventana_->setObjectName(QStringLiteral("ayuda"));
    ventana_->setWindowTitle(TituloAyuda());
    ventana_->resize(920, 620);

    auto* division = new QSplitter(ventana_.get());
    auto* arbol = new QTreeView(division);
    arbol->setObjectName(QStringLiteral("contenidoAyuda"));
    arbol->setHeaderHidden(true);
    arbol->setModel(motor_->contentModel());
    visor_ = new VisorAyuda(motor_.get(), division);
    visor_->setObjectName(QStringLiteral("visorAyuda"));
    division->addWidget(arbol);
    division->addWidget(visor_);
    division->setStretchFactor(1, 1);
    division->setSizes({270, 650});
    ventana_->setCentralWidget(division);

    QHelpContentModel* modelo = motor_->contentModel();
    QTextBrowser* visor = visor_;
    const auto senala = [modelo, arbol, visor] {
        if (const QModelIndex i = BuscaEnContenido(modelo, {}, visor->source()); i.isValid())
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
    QObject::connect(modelo, &QHelpContentModel::contentsCreated, arbol, [arbol, senala] {
        arbol->expandAll();
        senala();
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
    if (!ventana_)
        CreaVentana();
    visor_->setSource(url);
    ventana_->show();
    ventana_->raise();
    ventana_->activateWindow();
}

} // namespace quiniela
