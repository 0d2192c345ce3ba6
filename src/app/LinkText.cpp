#include "app/LinkText.h"

#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QKeyEvent>
#include <QMouseEvent>

LinkText::LinkText(QWidget* parent, const QString& name, const QString& text, const QPoint& position)
    : QLabel(text, parent)
{
    setObjectName(name);
    setAccessibleName(text);
    QFont linkFont = Looks::font(QStringLiteral("Tahoma"), 14);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
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
    connect(icon, &ImageButton::pressed, this, [this] { setPressed(true); });
    connect(icon, &ImageButton::released, this, [this] { setPressed(false); });
    connect(icon, &ImageButton::clicked, this, &LinkText::click);
}

void LinkText::setPressed(bool pressed)
{
    Looks::setTextColour(this, pressed ? pressedColour() : restColour());
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
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return)
        click();
    else
        QLabel::keyPressEvent(event);
}
