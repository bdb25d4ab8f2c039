#include "tools/skingen/paint.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Pixel Mix(Pixel a, Pixel b, double t) {
  auto channel = [&](int shift) {
    const double from = (a >> shift) & 0xFF, to = (b >> shift) & 0xFF;
    return static_cast<Pixel>(std::lround(from + (to - from) * t)) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

void VerticalGradient(TBitmap& image, TRect r, Pixel top, Pixel bottom) {
  const int h = std::max(r.Height() - 1, 1);
  for (int y = r.Top; y < r.Bottom; ++y)
    image.FillRect({r.Left, y, r.Right, y + 1}, Mix(top, bottom, double(y - r.Top) / h));
}

void HorizontalGradient(TBitmap& image, TRect r, Pixel left, Pixel right) {
  const int w = std::max(r.Width() - 1, 1);
  for (int x = r.Left; x < r.Right; ++x)
    image.FillRect({x, r.Top, x + 1, r.Bottom}, Mix(left, right, double(x - r.Left) / w));
}

void Outline(TBitmap& image, TRect r, Pixel colour) {
  Bevel(image, r, colour, colour);
}

void Bevel(TBitmap& image, TRect r, Pixel light, Pixel dark) {
  image.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, light);
  image.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, light);
  image.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, dark);
  image.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, dark);
}

void RoundCorners(TBitmap& image, TRect r, int radius, Pixel edge, bool top, bool bottom) {
  for (int dy = 0; dy < radius; ++dy) {
    for (int dx = 0; dx < radius; ++dx) {
      // Distance of the pixel centre from the corner circle's centre.
      const double d = std::hypot(radius - dx - 0.5, radius - dy - 0.5);
      const bool outside = d > radius + 0.25;
      const bool onCurve = !outside && d > radius - 1.0;
      const int xs[2] = {r.Left + dx, r.Right - 1 - dx};
      const int ys[2] = {r.Top + dy, r.Bottom - 1 - dy};
      for (int side = 0; side < 2; ++side) {
        if ((side == 0 && !top) || (side == 1 && !bottom)) continue;
        for (int x : xs) {
          const int y = ys[side];
          if (outside) {
            image.SetPixel(x, y, kClear);
          } else if (onCurve) {
            image.SetPixel(x, y, edge);
          }
        }
      }
    }
  }
}

void AngleCorners(TBitmap& image, TRect r, int size, Pixel edge, bool top, bool bottom) {
  for (int dy = 0; dy < size; ++dy) {
    for (int dx = 0; dx < size - dy; ++dx) {
      // dx + dy == size - 1 is the cut itself; nearer the corner is outside.
      const Pixel p = dx + dy == size - 1 ? edge : kClear;
      for (int x : {r.Left + dx, r.Right - 1 - dx}) {
        if (top) image.SetPixel(x, r.Top + dy, p);
        if (bottom) image.SetPixel(x, r.Bottom - 1 - dy, p);
      }
    }
  }
}

void Glyph(TBitmap& image, int x, int y, std::initializer_list<std::string_view> rows,
           Pixel colour) {
  int row = 0;
  for (std::string_view text : rows) {
    for (int col = 0; col < static_cast<int>(text.size()); ++col) {
      const int px = x + col, py = y + row;
      if (text[static_cast<std::size_t>(col)] == '#') {
        image.SetPixel(px, py, colour);
      } else if (text[static_cast<std::size_t>(col)] == '+' && px >= 0 && py >= 0 &&
                 px < image.Width() && py < image.Height()) {
        image.SetPixel(px, py, Mix(image.At(px, py), colour, 0.5));
      }
    }
    ++row;
  }
}

void GlyphCentred(TBitmap& image, TRect r, std::initializer_list<std::string_view> rows,
                  Pixel colour) {
  const int h = static_cast<int>(rows.size());
  const int w = h == 0 ? 0 : static_cast<int>(rows.begin()->size());
  Glyph(image, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2, rows, colour);
}

} // namespace skingen
