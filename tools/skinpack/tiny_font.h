// A 3 × 5 pixel font for labels in pictures the tools draw (upper-case letters, digits and a
// few signs; lower-case letters are drawn as upper-case, unknown characters as blanks).
#pragma once

#include "framework/core/bitmap.h"

#include <string_view>

namespace skinpack {

inline constexpr int kTinyGlyphWidth = 3;
inline constexpr int kTinyGlyphHeight = 5;

// Draws `text` with its top-left corner at (x, y), each font pixel `scale` × `scale`; returns
// the x after the text.
int DrawTinyText(fw::TBitmap& image, int x, int y, std::string_view text, fw::Pixel colour,
                 int scale);

int TinyTextWidth(std::string_view text, int scale);

} // namespace skinpack
