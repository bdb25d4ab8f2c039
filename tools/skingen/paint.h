// Drawing helpers for the skin generator: gradients, outlines, rounded corners cut to magenta,
// and glyphs given as little pictures of text.
#pragma once

#include "framework/core/bitmap.h"

#include <initializer_list>
#include <string_view>

namespace skingen {

using fw::Pixel;
using fw::TBitmap;
using fw::TRect;

constexpr Pixel Rgb(int r, int g, int b) {
  return fw::RgbPixel(r, g, b);
}
inline constexpr Pixel kClear = fw::kMagentaPixel;

// `a` blended towards `b` by t (0..1).
Pixel Mix(Pixel a, Pixel b, double t);

// Vertical gradient from `top` to `bottom` over the rectangle.
void VerticalGradient(TBitmap& image, TRect r, Pixel top, Pixel bottom);
void HorizontalGradient(TBitmap& image, TRect r, Pixel left, Pixel right);
// A one-pixel outline just inside the rectangle.
void Outline(TBitmap& image, TRect r, Pixel colour);
// Top and left lines in `light`, bottom and right in `dark` (a raised or, swapped, sunken edge).
void Bevel(TBitmap& image, TRect r, Pixel light, Pixel dark);
// Cuts the corners of the rectangle to a quarter circle of `radius`: pixels outside become
// magenta, the pixel on the curve is blended towards `edge` so the outline stays smooth.
void RoundCorners(TBitmap& image, TRect r, int radius, Pixel edge, bool top = true,
                  bool bottom = true);
// Cuts the corners of the rectangle at 45 degrees, `size` pixels along each side: pixels outside
// the cut become magenta, the pixels along it `edge`.
void AngleCorners(TBitmap& image, TRect r, int size, Pixel edge, bool top = true,
                  bool bottom = true);
// Draws a glyph: rows of text where '#' is `colour`, '+' is `colour` half blended into what is
// there, anything else leaves the image. (x, y) is the top-left of the picture.
void Glyph(TBitmap& image, int x, int y, std::initializer_list<std::string_view> rows,
           Pixel colour);
// The same glyph centred in a rectangle.
void GlyphCentred(TBitmap& image, TRect r, std::initializer_list<std::string_view> rows,
                  Pixel colour);

} // namespace skingen
