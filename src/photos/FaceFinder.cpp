#include "photos/FaceFinder.h"

#include <dlib/image_processing/frontal_face_detector.h>
#include <dlib/image_transforms/interpolation.h>

#include <algorithm>
#include <cmath>
#include <cstring>

struct FaceFinder::Detector {
    dlib::frontal_face_detector detector = dlib::get_frontal_face_detector();
};

FaceFinder::FaceFinder()
{
    try {
        m_detector = std::make_unique<Detector>();
    } catch (const std::exception&) {
        m_detector.reset(); // no faces: the crop falls back to the upper centre
    }
}

FaceFinder::~FaceFinder() = default;

bool FaceFinder::ready() const
{
    return m_detector != nullptr;
}

const FaceFinder& FaceFinder::shared()
{
    thread_local const FaceFinder finder;
    return finder;
}

QImage FaceFinder::reducedCopy(const QImage& picture, int side)
{
    const int longSide = std::max(picture.width(), picture.height());
    if (picture.isNull() || longSide <= side)
        return picture;
    const QSize reduced = picture.size().scaled(side, side, Qt::KeepAspectRatio);
    // Sampling down to twice the size first costs a few milliseconds; the smooth step after it
    // averages away the sampling's roughness.
    const QImage sampled = longSide > 4 * side
                               ? picture.scaled(reduced * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               : picture;
    return sampled.scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QList<QRect> FaceFinder::faces(const QImage& picture) const
{
    const QImage reduced = reducedCopy(picture);
    const double scale = reduced.isNull() ? 1.0 : double(picture.width()) / reduced.width();
    return faces(reduced, scale);
}

QList<FaceFinder::Detection> FaceFinder::detections(const QImage& reduced, double scale) const
{
    if (!m_detector || reduced.isNull())
        return {};
    const QImage gray = reduced.convertToFormat(QImage::Format_Grayscale8);
    dlib::array2d<unsigned char> pixels(gray.height(), gray.width());
    for (int y = 0; y < gray.height(); ++y)
        std::memcpy(&pixels[y][0], gray.constScanLine(y), size_t(gray.width()));
    // The detector's smallest face is 80 pixels: a small picture is searched at twice its size.
    double factor = scale;
    if (std::max(gray.width(), gray.height()) < kWorkSide) {
        dlib::pyramid_up(pixels);
        factor /= 2;
    }
    std::vector<dlib::rect_detection> found;
    try {
        m_detector->detector(pixels, found);
    } catch (const std::exception&) {
        return {};
    }
    QList<Detection> result;
    for (const dlib::rect_detection& detection : found) {
        const dlib::rectangle& box = detection.rect;
        result.append({QRectF(box.left() * factor, box.top() * factor, double(box.width()) * factor,
                              double(box.height()) * factor)
                           .toAlignedRect(),
                       detection.detection_confidence});
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Detection& a, const Detection& b) { return a.score > b.score; });
    return result;
}

QList<QRect> FaceFinder::faces(const QImage& reduced, double scale) const
{
    QList<QRect> result;
    for (const Detection& detection : detections(reduced, scale))
        result.append(detection.box);
    std::stable_sort(result.begin(), result.end(), [](const QRect& a, const QRect& b) {
        return qint64(a.width()) * a.height() > qint64(b.width()) * b.height();
    });
    return result;
}

std::optional<QRect> FaceFinder::largestFace(const QImage& picture) const
{
    const QList<QRect> found = faces(picture);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}
