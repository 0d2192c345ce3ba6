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
    QRect inside = frame.intersected(picture.rect());
    if (inside.isEmpty())
        inside = picture.rect();
    if (inside == picture.rect() && picture.size() == target)
        return picture;
    if (inside.size() == target)
        return picture.copy(inside);
    // The frame's pixels are read where they lie, without copying them first.
    const bool packed = picture.depth() < 8 || picture.colorCount() > 0;
    const QImage source =
        packed ? picture.copy(inside).convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                                : QImage::Format_RGB32)
               : picture;
    const QRect part = packed ? QRect(QPoint(0, 0), inside.size()) : inside;
    const int bytesPerPixel = source.depth() / 8;
    const QImage view(source.constScanLine(part.top()) + qsizetype(part.left()) * bytesPerPixel, part.width(),
                      part.height(), source.bytesPerLine(), source.format());
    // A frame many times the target is first sampled down to four times it: the smooth step after
    // it still averages 16 samples a pixel, at a fraction of the cost.
    const QImage sampled = part.width() > 8 * target.width() && part.height() > 8 * target.height()
                               ? view.scaled(target * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               : view;
    return sampled.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize PhotoCrop::cardTarget(QSize picture)
{
    return largestFrame(picture, QSize(3, 4));
}

QSize PhotoCrop::cardSize(QSize frame)
{
    const int width = std::max(kCardMinimum.width(), frame.width() / 3 * 3);
    return {width, width / 3 * 4};
}
