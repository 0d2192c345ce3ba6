#pragma once

#include <QImage>
#include <QList>
#include <QRect>

#include <memory>
#include <optional>

// Finds frontal faces in a photo with dlib's HOG face detector, whose model is built into the
// program (no file to load). The search runs on a reduced copy of the photo; every box is given
// in the pixels of the photo it was asked about.
class FaceFinder {
public:
    // The long side of the copy searched: faces from about a tenth of the photo's long side up.
    static constexpr int kWorkSide = 800;

    FaceFinder();
    ~FaceFinder();
    FaceFinder(const FaceFinder&) = delete;
    FaceFinder& operator=(const FaceFinder&) = delete;

    // False when the detector could not be set up: every search then finds nothing.
    bool ready() const;
    // The faces of the picture, largest first.
    QList<QRect> faces(const QImage& picture) const;
    // The faces of a reduced copy, given in the pixels of a photo `scale` times larger.
    QList<QRect> faces(const QImage& reduced, double scale) const;
    struct Detection {
        QRect box;    // in the pixels of the photo
        double score; // the detector's confidence, 0 at its threshold
    };
    // The same with the detector's confidence in each, the most confident first.
    QList<Detection> detections(const QImage& reduced, double scale) const;
    std::optional<QRect> largestFace(const QImage& picture) const;

    // A copy whose long side is at most `side`, made quickly even from a 24-megapixel photo.
    static QImage reducedCopy(const QImage& picture, int side = kWorkSide);
    // One finder per thread, made on first use.
    static const FaceFinder& shared();

private:
    struct Detector;
    std::unique_ptr<Detector> m_detector;
};
