#pragma once

#include <QImage>
#include <QList>
#include <QRect>

#include <optional>

// Which of the boxes the detector found is the person's face. A badge, a printed face on a
// T-shirt or a poster behind can look like a face to the detector: the box chosen is the best
// scored one among those with skin around eyes level, the upper one when two face-sized boxes
// score alike; a choice that a close rival makes doubtful is marked so that nobody stores it
// unseen.
namespace FaceChoice {

struct Candidate {
    QRect box;
    double score = 0; // the detector's confidence
    bool skin = true; // skin-toned pixels around eyes level
};

struct Choice {
    std::optional<QRect> face;
    bool uncertain = false; // another box scored close to the one chosen
};

// Scores closer than this are alike: the detector's confidence is no guide between them.
inline constexpr double kCloseScore = 0.35;
// A box at least this share of the chosen box's area is face-sized beside it.
inline constexpr double kFaceSized = 0.4;

Choice choose(const QList<Candidate>& candidates);

// The share of skin-toned pixels in the band of the box where the eyes and cheeks lie.
double skinShare(const QImage& picture, const QRect& box);
// Enough skin-toned pixels in that band to call it a face.
bool hasSkin(const QImage& picture, const QRect& box);
} // namespace FaceChoice
