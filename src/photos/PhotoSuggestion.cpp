#include "photos/FaceChoice.h"
#include "photos/FaceFinder.h"
#include "photos/PhotoCrop.h"

// Kept apart from the frame arithmetic, so that code needing only that does not pull in the detector.

PhotoCrop::Suggestion PhotoCrop::suggest(const QImage& reduced, double scale, QSize picture, QSize shape)
{
    QList<FaceChoice::Candidate> candidates;
    for (const FaceFinder::Detection& detection : FaceFinder::shared().detections(reduced, scale)) {
        const QRectF inReduced(detection.box.x() / scale, detection.box.y() / scale,
                               detection.box.width() / scale, detection.box.height() / scale);
        candidates.append({detection.box, detection.score, FaceChoice::hasSkin(reduced, inReduced.toRect())});
    }
    const FaceChoice::Choice choice = FaceChoice::choose(candidates);
    std::optional<QRect> face;
    if (choice.face)
        face = choice.face->intersected(QRect(QPoint(0, 0), picture));
    const bool found = face.has_value() && !face->isEmpty();
    // A photo already at the shape stays whole, as it was framed.
    if (qint64(picture.width()) * shape.height() == qint64(picture.height()) * shape.width())
        return {QRect(QPoint(0, 0), picture), found, choice.uncertain};
    return {suggestedFrame(picture, shape, face), found, choice.uncertain};
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
