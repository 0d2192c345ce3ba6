#include "photos/FaceFinder.h"
#include "photos/PhotoCrop.h"

// Kept apart from the frame arithmetic, so that code needing only that does not pull in the detector.

PhotoCrop::Suggestion PhotoCrop::suggest(const QImage& reduced, double scale, QSize picture, QSize shape)
{
    const QList<QRect> faces = FaceFinder::shared().faces(reduced, scale);
    std::optional<QRect> face;
    if (!faces.isEmpty())
        face = faces.first().intersected(QRect(QPoint(0, 0), picture));
    const bool found = face.has_value() && !face->isEmpty();
    // A photo already at the shape stays whole, as it was framed.
    if (qint64(picture.width()) * shape.height() == qint64(picture.height()) * shape.width())
        return {QRect(QPoint(0, 0), picture), found};
    return {suggestedFrame(picture, shape, face), found};
}

PhotoCrop::Suggestion PhotoCrop::suggest(const QImage& picture, QSize shape)
{
    const QImage reduced = FaceFinder::reducedCopy(picture);
    const double scale = reduced.isNull() ? 1.0 : double(picture.width()) / reduced.width();
    return suggest(reduced, scale, picture.size(), shape);
}

QImage PhotoCrop::automatic(const QImage& picture, QSize target)
{
    return cropped(picture, suggest(picture, target).frame, target);
}

QImage PhotoCrop::cardPhoto(const QImage& picture)
{
    const QRect frame = suggest(picture, QSize(3, 4)).frame;
    return cropped(picture, frame, cardSize(frame.size()));
}
