#include "storage/Placeholder.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage draw()
{
    QImage picture(Placeholder::kWidth, Placeholder::kHeight, QImage::Format_RGB32);
    picture.fill(QColor(0xE0, 0xE9, 0xF1));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x9C, 0xC3, 0xE6), 3));
    painter.setBrush(QColor(0xBF, 0xD8, 0xEF));

    // Shoulders.
    QPainterPath shoulders;
    shoulders.moveTo(28, 394);
    shoulders.cubicTo(28, 300, 80, 262, 153.5, 262);
    shoulders.cubicTo(227, 262, 279, 300, 279, 394);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);

    // Neck and head.
    painter.drawRoundedRect(QRectF(128, 220, 51, 56), 18, 18);
    painter.drawEllipse(QRectF(93, 82, 121, 152));
    return picture;
}

} // namespace

QImage Placeholder::image()
{
    static const QImage picture = draw();
    return picture;
}
