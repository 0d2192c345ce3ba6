#include "photos/CropFrame.h"

#include "photos/PhotoCrop.h"

#include <algorithm>
#include <cmath>

CropFrame::CropFrame(QSize picture, QSize shape, QRect start)
    : m_picture(picture)
    , m_shape(shape)
    , m_frame(PhotoCrop::clampedFrame(start, picture, shape))
{
}

void CropFrame::moveBy(QPoint delta)
{
    m_frame = PhotoCrop::clampedFrame(m_frame.translated(delta), m_picture, m_shape);
}

void CropFrame::nudge(int dx, int dy)
{
    const int step = std::max(1, int(std::lround(m_frame.width() * kNudgeShare)));
    moveBy(QPoint(dx * step, dy * step));
}

void CropFrame::zoom(double factor)
{
    if (m_frame.isEmpty() || factor <= 0 || factor == 1)
        return;
    const double minimum = std::min<double>(kMinimumWidth, m_frame.width());
    const double width = std::max(minimum, m_frame.width() / factor);
    // The size is rounded to whole pixels of the shape first, so the crop is never stretched. The
    // nearest such size may lie back across the frame's own: a step always moves the frame.
    const int direction = factor > 1 ? -1 : 1;
    const int largest = PhotoCrop::clampedFrame(QRect(), m_picture, m_shape).width();
    QSize size = PhotoCrop::shapedSize(width, m_picture, m_shape);
    for (double wanted = width; (size.width() - m_frame.width()) * direction <= 0;) {
        wanted += direction;
        if (wanted < minimum || wanted > largest)
            return;
        size = PhotoCrop::shapedSize(wanted, m_picture, m_shape);
    }
    // The size fits the picture: only the place is clamped.
    const QPointF centre = QRectF(m_frame).center();
    const int left = int(std::lround(centre.x() - size.width() / 2.0));
    const int top = int(std::lround(centre.y() - size.height() / 2.0));
    m_frame = QRect(QPoint(std::clamp(left, 0, m_picture.width() - size.width()),
                           std::clamp(top, 0, m_picture.height() - size.height())),
                    size);
}

bool CropFrame::smallerThan(QSize target) const
{
    return m_frame.width() < target.width() || m_frame.height() < target.height();
}
