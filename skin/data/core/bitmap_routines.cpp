#include "skin/data/core/bitmap_routines.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace skin {

namespace {

// Dark enough to belong to a glyph when reduced to two tones (weights of the usual luma).
bool IsGlyphPixel(Pixel p) {
  if (p == fw::kMagentaPixel) return false;
  const int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
            b = static_cast<int>(p & 0xFF);
  return r * 299 + g * 587 + b * 114 < 128 * 1000;
}

} // namespace

void ReplaceMagenta(TBitmap& bitmap, TColor colour) {
  bitmap.SetPixelFormat(fw::TPixelFormat::pf24bit);
  const Pixel replacement = fw::PixelOf(colour);
  for (int y = 0; y < bitmap.Height(); ++y) {
    Pixel* row = bitmap.ScanLine(y);
    std::replace(row, row + bitmap.Width(), fw::kMagentaPixel, replacement);
  }
}

void MirrorHorizontal(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    Pixel* row = bitmap.ScanLine(y);
    std::reverse(row, row + bitmap.Width());
  }
}

void FlipVertical(TBitmap& bitmap) {
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(bitmap.ScanLine(top), bitmap.ScanLine(top) + bitmap.Width(),
                     bitmap.ScanLine(bottom));
  }
}

void RotateLeft(TBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  TBitmap rotated(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      rotated.At(y, w - 1 - x) = bitmap.At(x, y);
  rotated.Transparent = bitmap.Transparent;
  rotated.TransparentColor = bitmap.TransparentColor;
  bitmap = std::move(rotated);
}

void RotateRight(TBitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  TBitmap rotated(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      rotated.At(h - 1 - y, x) = bitmap.At(x, y);
  rotated.Transparent = bitmap.Transparent;
  rotated.TransparentColor = bitmap.TransparentColor;
  bitmap = std::move(rotated);
}

TBitmap DisabledImage(const TBitmap& source, const TDisabledColours& colours) {
  TBitmap result(source.Width(), source.Height(), source.PixelFormat());
  result.Fill(fw::PixelOf(colours.face));
  const int w = source.Width(), h = source.Height();
  std::vector<bool> mask(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      mask[static_cast<std::size_t>(y) * w + x] = IsGlyphPixel(source.At(x, y));
  auto emboss = [&](int dx, int dy, TColor colour) {
    const Pixel p = fw::PixelOf(colour);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (mask[static_cast<std::size_t>(y) * w + x]) result.SetPixel(x + dx, y + dy, p);
  };
  emboss(1, 1, colours.highlight);
  emboss(0, 0, colours.shadow);
  return result;
}

void CopyBitmap(const TBitmap& source, TBitmap& target) {
  target = source;
}

} // namespace skin
