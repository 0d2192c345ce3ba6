#include "app/LinkText.h"

#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

#include <mutex>

namespace {

// A screen reader meets the text as a link that its press action follows.
class LinkTextAccessible : public QAccessibleWidget {
public:
    explicit LinkTextAccessible(LinkText* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction())
            QMetaObject::invokeMethod(static_cast<LinkText*>(widget()), &LinkText::follow,
                                      Qt::QueuedConnection);
    }
};

QAccessibleInterface* linkTextAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("LinkText"))
        return new LinkTextAccessible(static_cast<LinkText*>(object));
    return nullptr;
}

} // namespace

LinkText::LinkText(QWidget* parent, const QString& name, const QString& text, const QPoint& position)
    : QLabel(text, parent)
{
    setObjectName(name);
    setAccessibleName(text);
    QFont linkFont = Looks::font(QStringLiteral("Tahoma"), 14);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    static std::once_flag registered;
    std::call_once(registered, [] { QAccessible::installFactory(&linkTextAccessible); });
    setPressed(false);
    adjustSize();
    move(position);
}

QColor LinkText::restColour()
{
    return Looks::kDarkBlue;
}

QColor LinkText::pressedColour()
{
    return QColor(0xFF, 0xA5, 0x00);
}

QColor LinkText::colour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkText::attach(ImageButton* icon)
{
    icon->makeTwin();
    connect(icon, &ImageButton::pressed, this, [this] { setPressed(true); });
    connect(icon, &ImageButton::released, this, [this] { setPressed(false); });
    connect(icon, &ImageButton::clicked, this, &LinkText::click);
}

void LinkText::setPressed(bool pressed)
{
    Looks::setTextColour(this, pressed ? pressedColour() : restColour());
}

void LinkText::follow()
{
    click();
}

void LinkText::click()
{
    setPressed(false);
    emit clicked();
}

void LinkText::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setPressed(true);
    event->accept();
}

void LinkText::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setPressed(false);
    if (rect().contains(event->position().toPoint()))
        click();
}

void LinkText::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QLabel::keyPressEvent(event);
}
