#include "photos/FaceChoice.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this share of skin-toned pixels the band shows no skin.
constexpr double kSkinShare = 0.2;

// Skin in the YCbCr plane, as the usual chrominance bounds give it: light and dark skin alike,
// blue, green and grey not.
bool skinToned(QRgb pixel)
{
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    const double cb = 128 - 0.168736 * r - 0.331264 * g + 0.5 * b;
    const double cr = 128 + 0.5 * r - 0.418688 * g - 0.081312 * b;
    return cb >= 77 && cb <= 127 && cr >= 133 && cr <= 173;
}

} // namespace

FaceChoice::Choice FaceChoice::choose(const QList<Candidate>& candidates)
{
    if (candidates.isEmpty())
        return {};
    // Boxes without skin are set aside while a box with skin is there: a grey photo has none.
    const bool anySkin =
        std::any_of(candidates.begin(), candidates.end(), [](const Candidate& c) { return c.skin; });
    const Candidate* best = nullptr;
    for (const Candidate& candidate : candidates) {
        if ((candidate.skin || !anySkin) && (!best || candidate.score > best->score))
            best = &candidate;
    }
    // Among the face-sized boxes that score like the best, the upper one: a face above a badge.
    const Candidate* chosen = best;
    const qint64 bestArea = qint64(best->box.width()) * best->box.height();
    for (const Candidate& candidate : candidates) {
        if ((!candidate.skin && anySkin) || best->score - candidate.score > kCloseScore)
            continue;
        const qint64 area = qint64(candidate.box.width()) * candidate.box.height();
        if (area >= bestArea * kFaceSized && candidate.box.center().y() < chosen->box.center().y())
            chosen = &candidate;
    }
    bool uncertain = false;
    for (const Candidate& candidate : candidates) {
        if (&candidate != chosen && std::abs(candidate.score - chosen->score) <= kCloseScore)
            uncertain = true;
    }
    return {chosen->box, uncertain};
}

double FaceChoice::skinShare(const QImage& picture, const QRect& box)
{
    // From a little below the forehead to the cheeks, without the hair at the sides.
    const QRect band = QRect(box.left() + box.width() / 5, box.top() + box.height() / 4, box.width() * 3 / 5,
                             box.height() * 2 / 5)
                           .intersected(picture.rect());
    if (band.isEmpty())
        return 0;
    const QImage part = picture.copy(band).convertToFormat(QImage::Format_RGB32);
    qint64 skin = 0;
    for (int y = 0; y < part.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(part.constScanLine(y));
        skin += std::count_if(line, line + part.width(), skinToned);
    }
    return double(skin) / (qint64(part.width()) * part.height());
}

bool FaceChoice::hasSkin(const QImage& picture, const QRect& box)
{
    return skinShare(picture, box) >= kSkinShare;
}
