#include "widgets/PhotoBox.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor kPaleBlue(0xE0, 0xE9, 0xF1);
}

PhotoBox::PhotoBox(QWidget* parent, const QString& name)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PhotoBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    pictureChanged();
}

void PhotoBox::pictureChanged()
{
    m_whole = QImage();
    m_frame = QRect();
    m_scaled = QPixmap();
    update();
}

void PhotoBox::setCropped(const QImage& cropped, const QImage& whole, const QRect& frame)
{
    QImage kept = whole; // whole may be this box's own photo
    setPicture(cropped);
    m_whole = std::move(kept);
    m_frame = frame;
}

QAction* PhotoBox::addCropAction(const QString& name)
{
    auto* action = new QAction(QStringLiteral("Ritaglia"), this);
    action->setObjectName(name);
    action->setToolTip(QStringLiteral("Ritaglia la foto"));
    addAction(action);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

QRect PhotoBox::targetRect() const
{
    if (m_picture.isNull())
        return {};
    const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void PhotoBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kPaleBlue);
    const QRect target = targetRect();
    if (target.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_scaled.isNull()) {
        m_scaled = QPixmap::fromImage(
            m_picture.scaled(target.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(target.topLeft(), m_scaled);
}

void PhotoBox::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void PhotoBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
