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
    if (m_frame.isEmpty() || factor <= 0)
        return;
    const double minimum = std::min<double>(kMinimumWidth, m_frame.width());
    const double width = std::max(minimum, m_frame.width() / factor);
    const double height = width * m_shape.height() / m_shape.width();
    const QPointF centre = QRectF(m_frame).center();
    place(QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height));
}

void CropFrame::place(QRectF wanted)
{
    const QRect rounded(QPoint(int(std::lround(wanted.left())), int(std::lround(wanted.top()))),
                        QSize(int(std::lround(wanted.width())), int(std::lround(wanted.height()))));
    m_frame = PhotoCrop::clampedFrame(rounded, m_picture, m_shape);
}

bool CropFrame::smallerThan(QSize target) const
{
    return m_frame.width() < target.width() || m_frame.height() < target.height();
}
