#include "photos/PhotoCrop.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A size this near the shape's aspect is taken without looking for an exact one.
constexpr double kAspectTolerance = 0.001;
// A frame given this near the shape's aspect keeps its size; a farther one is shaped again.
constexpr double kAspectKept = 0.004;

double aspectError(QSize size, QSize shape)
{
    const double wanted = double(size.width()) * shape.height() / shape.width();
    return std::abs(size.height() / wanted - 1.0);
}

// The largest frame of the shape's aspect that fits in the picture.
QSize largestFrame(QSize picture, QSize shape)
{
    return PhotoCrop::shapedSize(std::numeric_limits<double>::max(), picture, shape);
}

} // namespace

QSize PhotoCrop::shapedSize(double width, QSize picture, QSize shape)
{
    if (picture.isEmpty() || shape.isEmpty())
        return {};
    const double ratio = double(shape.height()) / shape.width();
    // The widest frame whose exact height fits.
    const int widest = std::clamp(int(std::floor(picture.height() / ratio + 1e-9)), 1, picture.width());
    const int centre = std::clamp(int(std::lround(std::min(width, double(widest)))), 1, widest);
    // Widths near the wanted one, nearest first, each with the height just above and just below its
    // exact one: an exact size within two pixels (always there for 3:4), else the first within the
    // tolerance, else the nearest in aspect. A frame a few pixels off is never seen; a stretch is.
    const int reach = std::max(4, int(std::lround(centre * 0.02)));
    QSize close, best;
    double bestError = std::numeric_limits<double>::max();
    for (int step = 0; step <= 2 * reach; ++step) {
        const int w = centre + (step % 2 ? (step + 1) / 2 : -(step / 2));
        if (w < 1 || w > widest)
            continue;
        const double exact = w * ratio;
        for (const double h : {std::ceil(exact - 1e-9), std::floor(exact + 1e-9)}) {
            if (h < 1 || h > picture.height())
                continue;
            const QSize size(w, int(h));
            const double error = aspectError(size, shape);
            if (error < 1e-9 && std::abs(w - centre) <= 2)
                return size;
            if (close.isEmpty() && error <= kAspectTolerance)
                close = size;
            if (error < bestError) {
                bestError = error;
                best = size;
            }
        }
    }
    if (!close.isEmpty())
        return close;
    return best.isEmpty() ? QSize(widest, std::clamp(int(std::lround(widest * ratio)), 1, picture.height()))
                          : best;
}

QRect PhotoCrop::clampedFrame(QRect frame, QSize picture, QSize shape)
{
    const QSize largest = largestFrame(picture, shape);
    if (largest.isEmpty())
        return {};
    QSize size = frame.size();
    // A frame that does not fit, or is not of the shape, is shaped again around its width.
    if (size.isEmpty() || size.width() > largest.width() || size.height() > largest.height())
        size = largest;
    else if (aspectError(size, shape) > kAspectKept)
        size = shapedSize(size.width(), picture, shape);
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
    const QSize size = shapedSize(face->width() / kFaceShare, picture, shape);
    const QPointF centre = QRectF(*face).center();
    QRect frame(QPoint(int(std::lround(centre.x() - size.width() / 2.0)),
                       int(std::lround(centre.y() - size.height() * kFaceCentreFromTop))),
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
