#include "photos/PhotoCrop.h"

#include <algorithm>
#include <cmath>

namespace {
// The largest frame of the shape's aspect that fits in the picture.
QSize largestFrame(QSize picture, QSize shape)
{
    if (picture.isEmpty() || shape.isEmpty())
        return {};
    return shape.scaled(picture, Qt::KeepAspectRatio).boundedTo(picture);
}
} // namespace

QRect PhotoCrop::clampedFrame(QRect frame, QSize picture, QSize shape)
{
    const QSize largest = largestFrame(picture, shape);
    if (largest.isEmpty())
        return {};
    QSize size = frame.size();
    if (size.width() > largest.width() || size.height() > largest.height() || size.isEmpty())
        size = largest;
    frame.setSize(size);
    frame.moveLeft(std::clamp(frame.left(), 0, picture.width() - size.width()));
    frame.moveTop(std::clamp(frame.top(), 0, picture.height() - size.height()));
    return frame;
}

QRect PhotoCrop::suggestedFrame(QSize picture, QSize shape, const std::optional<QRect>& face)
{
    const QSize largest = largestFrame(picture, shape);
    if (largest.isEmpty())
        return {};
    if (!face || face->isEmpty()) {
        // Portraits keep the head in the upper part: the widest frame, as high as it can go.
        return QRect(QPoint((picture.width() - largest.width()) / 2, 0), largest);
    }
    // The face takes a fixed share of the frame's width, a little above its centre.
    constexpr double kFaceShare = 0.45;
    constexpr double kFaceCentreFromTop = 0.42;
    const double width = face->width() / kFaceShare;
    const double height = width * shape.height() / shape.width();
    QSize size(int(std::lround(width)), int(std::lround(height)));
    const QPointF centre = QRectF(*face).center();
    QRect frame(QPoint(int(std::lround(centre.x() - width / 2)),
                       int(std::lround(centre.y() - height * kFaceCentreFromTop))),
                size);
    return clampedFrame(frame, picture, shape);
}

QImage PhotoCrop::cropped(const QImage& picture, const QRect& frame, QSize target)
{
    if (picture.isNull() || target.isEmpty())
        return {};
    const QRect inside = frame.intersected(picture.rect());
    if (inside == picture.rect() && picture.size() == target)
        return picture;
    const QImage part = picture.copy(inside.isEmpty() ? picture.rect() : inside);
    return part.size() == target ? part
                                 : part.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize PhotoCrop::cardTarget(QSize picture)
{
    return largestFrame(picture, QSize(3, 4));
}

QImage PhotoCrop::automatic(const QImage& picture, QSize target)
{
    return cropped(picture, suggestedFrame(picture.size(), target), target);
}
