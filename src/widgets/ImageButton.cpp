#include "widgets/ImageButton.h"

#include <QAccessibleWidget>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

#include <mutex>

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
    if (m_resource.isEmpty()) {
        setPixmap(QPixmap());
        return;
    }
    // QIcon renders an SVG crisply at the screen's pixel ratio; a screen opened again reuses
    // the rendering.
    const QString key = QStringLiteral("Picture %1 %2x%3 %4")
                            .arg(m_resource)
                            .arg(width())
                            .arg(height())
                            .arg(devicePixelRatioF());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QIcon(m_resource).pixmap(size());
        QPixmapCache::insert(key, pixmap);
    }
    setPixmap(pixmap);
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

namespace {

// What a screen reader sees of an image button: a push button whose press action clicks it.
class ImageButtonAccessible : public QAccessibleWidget {
public:
    explicit ImageButtonAccessible(ImageButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        // Queued, as a push button's animated click: a press that opens a modal screen must
        // not keep the screen reader waiting for the answer until that screen closes.
        if (actionName == pressAction())
            QMetaObject::invokeMethod(static_cast<ImageButton*>(widget()), &ImageButton::click,
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* imageButtonAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ImageButton"))
        return new ImageButtonAccessible(static_cast<ImageButton*>(object));
    return nullptr;
}

} // namespace

ImageButton::ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                         const QString& accessibleName)
    : Picture(parent, name, resource, geometry, accessibleName)
{
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(&imageButtonAccessible); });
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::click()
{
    emit pressed();
    emit released();
    emit clicked();
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
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}

void ImageButton::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // A button that takes the keyboard shows where it is.
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
