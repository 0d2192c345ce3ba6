#include "widgets/ImageButton.h"

#include "widgets/FocusHighlight.h"

#include <QAccessibleWidget>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QShortcut>

#include <mutex>

namespace {
void registerPictureAccessible();
} // namespace

Picture::Picture(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                 const QString& accessibleName)
    : QLabel(parent)
    , m_resource(resource)
{
    setObjectName(name);
    setAccessibleName(accessibleName);
    setGeometry(geometry);
    setAlignment(Qt::AlignCenter);
    registerPictureAccessible();
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

// A picture is a graphic read by its name; one without a name, or the twin of a command, is
// decoration and reported invisible, which screen readers skip.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(QWidget* picture, QAccessible::Role role = QAccessible::Graphic)
        : QAccessibleWidget(picture, role)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State result = QAccessibleWidget::state();
        if (hidden())
            result.invisible = true;
        return result;
    }

protected:
    bool hidden() const
    {
        const auto* button = qobject_cast<const ImageButton*>(widget());
        return widget()->accessibleName().isEmpty() || (button && button->isTwin());
    }
};

// What a screen reader sees of an image button: a push button whose press action clicks it.
class ImageButtonAccessible : public PictureAccessible {
public:
    explicit ImageButtonAccessible(ImageButton* button)
        : PictureAccessible(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        const auto* button = static_cast<const ImageButton*>(widget());
        if (actionName == pressAction() && !button->shortcut().isEmpty())
            return {button->shortcut().toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(actionName);
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

QAccessibleInterface* pictureAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ImageButton"))
        return new ImageButtonAccessible(static_cast<ImageButton*>(object));
    if (className == QLatin1String("Picture"))
        return new PictureAccessible(static_cast<Picture*>(object));
    return nullptr;
}

void registerPictureAccessible()
{
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(&pictureAccessible); });
}

} // namespace

ImageButton::ImageButton(QWidget* parent, const QString& name, const QString& resource, const QRect& geometry,
                         const QString& accessibleName)
    : Picture(parent, name, resource, geometry, accessibleName)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::click()
{
    emit pressed();
    emit released();
    emit clicked();
}

void ImageButton::makeTwin()
{
    m_twin = true;
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setShortcut(const QKeySequence& keys)
{
    m_shortcut = keys;
    setToolTip(keys.toString(QKeySequence::NativeText));
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (isVisible() && isEnabled())
            click();
    });
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
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        click();
    else
        QLabel::keyPressEvent(event);
}

void ImageButton::paintEvent(QPaintEvent* event)
{
    Picture::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    FocusHighlight::drawFocusMark(painter, *this);
}
