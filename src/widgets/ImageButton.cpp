#include "widgets/ImageButton.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>

Picture::Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                 const QString& accessibleName)
    : QLabel(parent)
    , m_resource(resource)
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    setGeometry(geometry);
    setAlignment(Qt::AlignCenter);
}

void Picture::setPicture(const QString& resource)
{
    m_resource = resource;
    m_rendered = false;
    if (isVisible())
        render();
}

void Picture::render()
{
    m_rendered = true;
    // QIcon renders an SVG crisply at the screen's pixel ratio.
    setPixmap(m_resource.isEmpty() ? QPixmap() : QIcon(m_resource).pixmap(size()));
}

void Picture::showEvent(QShowEvent* event)
{
    if (!m_rendered)
        render();
    QLabel::showEvent(event);
}

void Picture::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (m_rendered)
        render();
}

ImageButton::ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                         const QString& accessibleName)
    : Picture(parent, name, resource, geometry, accessibleName)
{
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return)
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}
