#include "tools/skingen/glyphs.h"

namespace skingen {

void DrawGlyph(TBitmap& image, TRect r, const GlyphRows& glyph, Pixel colour, int shift) {
  const int h = static_cast<int>(glyph.size());
  const int w = h == 0 ? 0 : static_cast<int>(glyph[0].size());
  const int x0 = r.Left + (r.Width() - w) / 2 + shift, y0 = r.Top + (r.Height() - h) / 2 + shift;
  for (int y = 0; y < h; ++y) {
    const std::string_view row = glyph[static_cast<std::size_t>(y)];
    for (int x = 0; x < static_cast<int>(row.size()); ++x) {
      const char ch = row[static_cast<std::size_t>(x)];
      const int px = x0 + x, py = y0 + y;
      if (px < 0 || py < 0 || px >= image.Width() || py >= image.Height()) continue;
      if (ch == '#') {
        image.At(px, py) = colour;
      } else if (ch == '+') {
        const Pixel under = image.At(px, py);
        // Over a transparent pixel the half tone is left out: what shows through is unknown.
        if (under != kClear) image.At(px, py) = Mix(under, colour, 0.5);
      }
    }
  }
}

} // namespace skingen
