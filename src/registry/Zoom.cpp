#include "registry/Zoom.h"

#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

TfrmZoom::TfrmZoom(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"),
                      QSize(1016, 713), WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmZoom"));
    Looks::setSteelBlueGradient(this);

    // Placed by hand rather than by a layout, so that its size never forces the window's.
    m_panContainer = new QWidget(this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->setAccessibleName(QStringLiteral("Fai clic per chiudere"));
    m_panContainer->installEventFilter(this);

    m_imgFoto = new PhotoBox(m_panContainer, QStringLiteral("imgFoto"));
    m_imgFoto->setAccessibleName(QStringLiteral("Foto della persona"));
    m_imgFoto->setCursor(Qt::PointingHandCursor);
    connect(m_imgFoto, &PhotoBox::clicked, this, &QDialog::accept);
}

void TfrmZoom::setFoto(const QImage& foto)
{
    m_imgFoto->setPicture(foto);
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    // The display, less a margin for the window's frame and the task bar.
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize area = display ? display->geometry().size() : QSize(1024, 768);
    const QSize size(qMax(area.width() - 60, 1), qMax(area.height() - 90, 1));
    m_panContainer->resize(size);
    m_imgFoto->setGeometry(QRect(QPoint(0, 0), size));
    centra();
    SecondaryScreen::showEvent(event);
}

void TfrmZoom::resizeEvent(QResizeEvent* event)
{
    SecondaryScreen::resizeEvent(event);
    centra();
}

void TfrmZoom::centra()
{
    m_panContainer->move((width() - m_panContainer->width()) / 2, (height() - m_panContainer->height()) / 2);
}

bool TfrmZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panContainer && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return SecondaryScreen::eventFilter(watched, event);
}
