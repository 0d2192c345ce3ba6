#include "widgets/CropView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>

namespace {
const QColor kGround(0x30, 0x30, 0x30);
const QColor kDim(0, 0, 0, 140);
} // namespace

CropView::CropView(QWidget* parent, const QImage& reduced, double scale, CropFrame& frame)
    : QWidget(parent)
    , m_reduced(reduced)
    , m_scale(scale)
    , m_frame(frame)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
}

void CropView::frameChanged()
{
    update();
    emit changed();
}

QRect CropView::pictureRect() const
{
    if (m_reduced.isNull())
        return {};
    const QSize fitted = m_reduced.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

double CropView::photoPerWidget() const
{
    const QRect shown = pictureRect();
    return shown.isEmpty() ? 1.0 : double(m_frame.picture().width()) / shown.width();
}

void CropView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kGround);
    const QRect shown = pictureRect();
    if (shown.isEmpty())
        return;
    if (m_fitted.isNull() || m_fitted.size() != shown.size())
        m_fitted = QPixmap::fromImage(
            m_reduced.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.drawPixmap(shown.topLeft(), m_fitted);

    const double factor = 1.0 / photoPerWidget();
    const QRect frame = m_frame.frame();
    const QRectF onScreen(shown.left() + frame.left() * factor, shown.top() + frame.top() * factor,
                          frame.width() * factor, frame.height() * factor);
    QPainterPath outside;
    outside.addRect(QRectF(shown));
    outside.addRect(onScreen);
    painter.fillPath(outside, kDim);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(onScreen);
    // Thirds, to place eyes and chin.
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DashLine));
    for (int i = 1; i < 3; ++i) {
        const double x = onScreen.left() + onScreen.width() * i / 3;
        const double y = onScreen.top() + onScreen.height() * i / 3;
        painter.drawLine(QPointF(x, onScreen.top()), QPointF(x, onScreen.bottom()));
        painter.drawLine(QPointF(onScreen.left(), y), QPointF(onScreen.right(), y));
    }
}

void CropView::resizeEvent(QResizeEvent* event)
{
    m_fitted = QPixmap();
    QWidget::resizeEvent(event);
}

void CropView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragFrom = event->position();
    m_dragRest = {};
    setCursor(Qt::ClosedHandCursor);
}

void CropView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    const QPointF moved = (event->position() - m_dragFrom) * photoPerWidget() + m_dragRest;
    m_dragFrom = event->position();
    const QPoint whole(int(std::trunc(moved.x())), int(std::trunc(moved.y())));
    m_dragRest = moved - QPointF(whole);
    m_frame.moveBy(whole);
    frameChanged();
}

void CropView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
    }
    QWidget::mouseReleaseEvent(event);
}

void CropView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    m_frame.zoom(std::pow(CropFrame::kZoomStep, steps));
    frameChanged();
    event->accept();
}
