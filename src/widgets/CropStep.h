#pragma once

#include "platform/PhotoCropper.h"

#include <QImage>

#include <optional>

struct AppContext;
class QWidget;

// A photo chosen by the user becomes a stored photo through the crop window (or, without one,
// through the suggested crop): never stretched, the face centred.
namespace CropStep {
// The request for the crop window, with the frame suggested around the largest face.
CropRequest request(const QImage& picture, QSize shape, QSize target);
// The card's photo (3:4, the frame's own pixels); nothing when the user keeps the photo as it was.
std::optional<QImage> cardPhoto(const AppContext& context, QWidget* owner, const QImage& picture);
// A slot's photo (282 x 366); nothing when the user keeps the photo as it was.
std::optional<QImage> slotPhoto(const AppContext& context, QWidget* owner, const QImage& picture);
} // namespace CropStep
