#pragma once

#include "platform/PhotoCropper.h"

#include <QImage>

#include <optional>

struct AppContext;
class PhotoBox;
class QWidget;

// A photo chosen by the user becomes a stored photo through the crop window (or, without one,
// through the suggested crop): never stretched, the face centred.
namespace CropStep {
// The request for the crop window: the frame starts at `start` (the crop chosen last) when given,
// else around the largest face.
CropRequest request(const QImage& picture, QSize shape, QSize target,
                    const std::optional<QRect>& start = std::nullopt);

// A stored photo and the frame it was cut by, in the whole photo's pixels.
struct Cut {
    QImage picture;
    QRect frame;
};
// The card's photo (3:4, the frame's own pixels); nothing when the user keeps the photo as it was.
std::optional<Cut> cardCut(const AppContext& context, QWidget* owner, const QImage& whole,
                           const std::optional<QRect>& start = std::nullopt);
// A slot's photo (282 x 366); nothing when the user keeps the photo as it was.
std::optional<Cut> slotCut(const AppContext& context, QWidget* owner, const QImage& whole,
                           const std::optional<QRect>& start = std::nullopt);
std::optional<QImage> cardPhoto(const AppContext& context, QWidget* owner, const QImage& picture);
std::optional<QImage> slotPhoto(const AppContext& context, QWidget* owner, const QImage& picture);

// Where a new crop of the photo a box shows starts: the frame chosen last for it; for a photo that
// is itself a stored crop of the shape (within 1 %), the whole of it; else nothing (the suggestion).
std::optional<QRect> lastCrop(const PhotoBox& box, QSize shape);
} // namespace CropStep
