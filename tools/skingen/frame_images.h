// The window frame images: borders, caption band, caption buttons, MDI child buttons and the
// menu bar, in a theme's colours and sizes (the INI description states the same numbers).
#pragma once

#include "tools/skingen/skin_images.h"
#include "tools/skingen/theme.h"

#include <vector>

namespace skingen {

inline constexpr int kWindowWidth = 120; // the drawn window the borders are cut from
inline constexpr int kWindowHeight = 90;

void AddFrameImages(const Theme& theme, std::vector<NamedImage>& out);

// A theme's corner shape: rounded or cut at an angle.
void Corners(const Theme& theme, TBitmap& image, TRect r, int size, Pixel edge, bool top = true,
             bool bottom = true);

} // namespace skingen
