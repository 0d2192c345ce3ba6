#include "widgets/Looks.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPalette>
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
