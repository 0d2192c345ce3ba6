#pragma once

#include <QImage>

// The picture that stands for a missing photo: a light-blue head-and-shoulders
// outline of 307 x 394 pixels on a pale blue ground.
namespace Placeholder {
inline constexpr int kWidth = 307;
inline constexpr int kHeight = 394;
QImage image();
} // namespace Placeholder
