#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

// Cutting a photo to a fixed shape (a slot's 282 x 366, a card's 3:4) without stretching it:
// the frame keeps the shape's aspect, lies inside the picture and is then scaled to the target.
// A frame is always whole pixels of the picture at the shape's aspect (3:4 exactly, 282:366
// within 0.1 % where the picture allows it): only the frame is rounded, never the scale.
namespace PhotoCrop {
// The frame size about `width` pixels wide (at most the largest that fits in the picture) whose
// whole pixels come nearest the shape's aspect: exact when a width within 2 % allows it.
QSize shapedSize(double width, QSize picture, QSize shape);
// The frame of the shape's aspect around the face: the head takes the same share of the frame
// on every photo. Without a face, the largest frame in the upper centre of the picture.
QRect suggestedFrame(QSize picture, QSize shape, const std::optional<QRect>& face = std::nullopt);
// The frame moved and clipped back inside the picture; a frame too large or not of the shape is
// shaped again by its width.
QRect clampedFrame(QRect frame, QSize picture, QSize shape);
// The part of the picture inside the frame, scaled to the target size.
QImage cropped(const QImage& picture, const QRect& frame, QSize target);
// The size a card's photo is stored at: the largest 3:4 frame of the picture, not scaled.
QSize cardTarget(QSize picture);
// The smallest card photo stored: a smaller frame is enlarged to it.
inline constexpr QSize kCardMinimum{300, 400};
// A card's photo cut by the frame: the frame's own pixels at an exact 3:4, at least kCardMinimum.
QSize cardSize(QSize frame);
// A card's photo cut around the face (or the upper centre), never stretched.
QImage cardPhoto(const QImage& picture);
// The suggested crop of the picture, around the face when one is found.
QImage automatic(const QImage& picture, QSize target);

struct Suggestion {
    QRect frame;              // in the picture's pixels
    bool faceFound = false;   // false: the upper centre
    bool faceInDoubt = false; // another box looked as much like the face: someone should look
};
// The frame around the face the detector finds (FaceChoice picks among several), or the upper
// centre.
Suggestion suggest(const QImage& picture, QSize shape);
// The same from a reduced copy of a picture `scale` times larger, of the given size.
Suggestion suggest(const QImage& reduced, double scale, QSize picture, QSize shape);
} // namespace PhotoCrop
