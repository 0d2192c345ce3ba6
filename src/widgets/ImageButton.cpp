#include "widgets/ImageButton.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>

ImageButton::ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                         const QString& accessibleName)
    : QLabel(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(accessibleName);
    setToolTip(QString());
    setAlignment(Qt::AlignCenter);
    setPicture(resource);
}

void ImageButton::setPicture(const QString& resource)
{
    if (resource.isEmpty())
        return;
    // QIcon renders an SVG crisply at any device pixel ratio.
    setPixmap(QIcon(resource).pixmap(size()));
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
