#include "platform/PreviewWindow.h"

#include "platform/Printing.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double kZoomStep = 1.25;

} // namespace

PreviewWindow::PreviewWindow(Printing& printing, QWidget* owner, const QPageLayout& layout,
                             std::function<void(QPrinter&)> paint)
    : QDialog(owner)
    , m_printing(printing)
    , m_layout(layout)
    , m_paint(std::move(paint))
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

    auto action = [&](const char* name, const QString& text, auto handler) {
        QAction* a = toolBar->addAction(text, this, handler);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    action("actStampa", QStringLiteral("Stampa"), [this] { print(); });
    toolBar->addSeparator();
    action("actZoomPiu", QStringLiteral("Zoom +"),
           [this] { m_preview->setZoomFactor(m_preview->zoomFactor() * kZoomStep); });
    action("actZoomMeno", QStringLiteral("Zoom -"),
           [this] { m_preview->setZoomFactor(m_preview->zoomFactor() / kZoomStep); });
    action("actZoom100", QStringLiteral("100%"), [this] { m_preview->setZoomFactor(1.0); });
    action("actAdatta", QStringLiteral("Pagina intera"), [this] { m_preview->fitInView(); });
    toolBar->addSeparator();
    action("actSchermoIntero", QStringLiteral("Schermo intero"), [this] { toggleFullScreen(); });
    action("actChiudi", QStringLiteral("Chiudi"), [this] { close(); });

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
