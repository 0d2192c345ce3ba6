#pragma once

#include "guide/UserGuide.h"

// Pictures of the program's main screens for the user guide, drawn offscreen from the real
// screens with example data in a throw-away program folder.
namespace ScreenPictures {
QList<GuidePicture> take();
} // namespace ScreenPictures
