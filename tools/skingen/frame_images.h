// The window frame images and their sizes (the INI description states the same numbers).
#pragma once

#include "tools/skingen/skin_images.h"

#include <vector>

namespace skingen {

inline constexpr int kWindowWidth = 120; // the drawn window the borders are cut from
inline constexpr int kWindowHeight = 90;
inline constexpr int kCaptionHeight = 30; // the caption bar: the top border's height
inline constexpr int kBorderWidth = 4;    // left, right and bottom borders
inline constexpr int kCaptionButtonWidth = 25;
inline constexpr int kCaptionButtonHeight = 19;

void AddFrameImages(std::vector<NamedImage>& out);

} // namespace skingen
