#include "widgets/Looks.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

void Looks::setVerticalGradient(QWidget* widget, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window, QBrush(gradient));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void Looks::setPlainBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont Looks::font(const QString& family, int size, bool bold)
{
    QFont result(family);
    // The screens were designed with sizes in device-independent pixels.
    result.setPixelSize(size);
    result.setBold(bold);
    return result;
}

void Looks::setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QFrame* Looks::shape(QWidget* parent, const QString& name, const QRect& geometry, const QString& style)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFocusPolicy(Qt::NoFocus);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { %2 }").arg(name, style));
    return frame;
}

QString Looks::softPanelStyle()
{
    return QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #C6D9EC);"
        " border: 1px solid #8FB3D6; border-radius: 8px;");
}

QPushButton* Looks::pushButton(QWidget* parent, const QString& name, const QString& text,
                               const QRect& geometry, const QString& accessibleName)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName.isEmpty() ? text : accessibleName);
    button->setFont(font(QStringLiteral("Verdana"), 12, true));
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

QLabel* Looks::label(QWidget* parent, const QString& name, const QString& text, const QFont& font, int x,
                     int y)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setFont(font);
    result->adjustSize();
    result->move(x, y);
    return result;
}
