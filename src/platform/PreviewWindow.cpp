#include "platform/PreviewWindow.h"

#include "platform/Printing.h"

#include <QAction>
#include <QKeySequence>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kZoomStep = 1.25;

} // namespace

PreviewWindow::PreviewWindow(Printing& printing, QWidget* owner, const QPageLayout& layout,
                             std::function<void(QPrinter&)> paint, std::function<void(QWidget*)> savePdf)
    : QDialog(owner)
    , m_printing(printing)
    , m_layout(layout)
    , m_paint(std::move(paint))
    , m_savePdf(std::move(savePdf))
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    m_printer->setPageLayout(m_layout);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("tlbAnteprima"));
    toolBar->setAccessibleName(QStringLiteral("Strumenti dell'anteprima"));
    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    m_preview->setObjectName(QStringLiteral("preAnteprima"));
    m_preview->setAccessibleName(QStringLiteral("Anteprima del documento"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_paint(*printer); });

    // Each tool says what it does under the mouse and is reached by Tab as well as by its keys.
    auto action = [&](const char* name, const QString& text, const QString& hint, const QKeySequence& keys,
                      auto handler) {
        QAction* a = toolBar->addAction(text, this, handler);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        const QString keysText = keys.toString(QKeySequence::NativeText);
        a->setToolTip(keysText.isEmpty() ? hint : QStringLiteral("%1 (%2)").arg(hint, keysText));
        a->setStatusTip(hint);
        if (QWidget* button = toolBar->widgetForAction(a)) {
            button->setObjectName(QStringLiteral("btn") + QString::fromLatin1(name + 3));
            button->setFocusPolicy(Qt::StrongFocus);
            button->setAccessibleName(text);
            button->setAccessibleDescription(hint);
        }
        return a;
    };
    action("actStampa", QStringLiteral("Stampa"),
           QStringLiteral("Sceglie la stampante e stampa il documento."), QKeySequence::Print,
           [this] { print(); });
    if (m_savePdf) {
        action("actSalvaPdf", QStringLiteral("Salva PDF"),
               QStringLiteral("Salva il documento in un file PDF e offre di aprirlo."), QKeySequence::Save,
               [this] { m_savePdf(this); });
    }
    toolBar->addSeparator();
    action("actZoomPiu", QStringLiteral("Zoom +"), QStringLiteral("Ingrandisce la pagina."),
           QKeySequence::ZoomIn, [this] { m_preview->setZoomFactor(m_preview->zoomFactor() * kZoomStep); });
    action("actZoomMeno", QStringLiteral("Zoom -"), QStringLiteral("Rimpicciolisce la pagina."),
           QKeySequence::ZoomOut, [this] { m_preview->setZoomFactor(m_preview->zoomFactor() / kZoomStep); });
    action("actZoom100", QStringLiteral("100%"),
           QStringLiteral("Mostra la pagina alle sue dimensioni reali."), QKeySequence(Qt::CTRL | Qt::Key_0),
           [this] { m_preview->setZoomFactor(1.0); });
    action("actAdatta", QStringLiteral("Pagina intera"),
           QStringLiteral("Mostra la pagina intera nella finestra."), QKeySequence(Qt::CTRL | Qt::Key_1),
           [this] { m_preview->fitInView(); });
    toolBar->addSeparator();
    action("actSchermoIntero", QStringLiteral("Schermo intero"),
           QStringLiteral("Allarga l'anteprima a tutto lo schermo, o la riporta com'era."),
           QKeySequence(Qt::Key_F11), [this] { toggleFullScreen(); });
    action("actChiudi", QStringLiteral("Chiudi"), QStringLiteral("Chiude l'anteprima."), QKeySequence(),
           [this] { close(); });

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->setSpacing(0);
    layoutBox->addWidget(toolBar);
    layoutBox->addWidget(m_preview, 1);
    resize(1000, 800);

    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(1.0);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::print()
{
    const std::unique_ptr<QPrinter> printer = m_printing.choosePrinter(this, m_layout);
    if (printer)
        m_paint(*printer);
}

void PreviewWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}
