#include "tools/skingen/app_icon.h"

#include "tools/skingen/paint.h"
#include "tools/skingen/palette.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

constexpr std::uint16_t kIconResourceType = 1; // the icon directory's type: icons, not cursors
constexpr std::uint32_t kInfoHeaderBytes = 40; // BITMAPINFOHEADER
constexpr std::uint16_t kIconBits = 32;
constexpr std::size_t kDirectoryBytes = 6, kEntryBytes = 16;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

// A disc of `radius` around (cx, cy) in `fill`, its rim blended towards `rim`.
void Disc(TBitmap& image, double cx, double cy, double radius, Pixel fill, Pixel rim) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= radius - 0.8) {
        image.At(x, y) = fill;
      } else if (d <= radius + 0.2) {
        image.At(x, y) = Mix(fill, rim, 0.6);
      }
    }
}

// One image of the file: the header, the colour picture bottom-up, then the mask bottom-up with
// rows padded to 4 bytes (a set bit is transparent).
std::vector<std::uint8_t> IconImage(const fw::TBitmap& image) {
  const int w = image.Width(), h = image.Height();
  const std::size_t maskRow = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
  std::vector<std::uint8_t> out;
  Put32(out, kInfoHeaderBytes);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(2 * h)); // the colour picture and the mask
  Put16(out, 1);
  Put16(out, kIconBits);
  Put32(out, 0); // uncompressed
  Put32(out, static_cast<std::uint32_t>(w * h * 4 + maskRow * h));
  for (int i = 0; i < 4; ++i)
    Put32(out, 0); // resolution and palette fields
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const Pixel p = image.At(x, y);
      const bool clear = p == kClear;
      Put32(out, clear ? 0 : (p | 0xFF000000u));
    }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRow, 0);
    for (int x = 0; x < w; ++x)
      if (image.At(x, y) == kClear) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

} // namespace

fw::TBitmap AppIcon(int size) {
  namespace pal = palette;
  TBitmap icon(size, size);
  icon.Fill(kClear);
  // A window a little wider than high, its caption a quarter of it.
  const int inset = std::max(size / 16, 1);
  const TRect window{0, inset * 2, size, size - inset * 2};
  const int captionBottom = window.Top + std::max(window.Height() / 4, 3);
  icon.FillRect(window, pal::kFrameBody);
  VerticalGradient(icon, {window.Left, window.Top, window.Right, captionBottom}, pal::kCaptionTop,
                   pal::kCaptionBottom);
  const TRect face{window.Left + inset, captionBottom, window.Right - inset, window.Bottom - inset};
  icon.FillRect(face, pal::kFace);
  Outline(icon, window, pal::kFrameOuter);
  RoundCorners(icon, window, std::max(size / 10, 1), pal::kFrameOuter, true, false);
  // The recording dot in the middle of the face.
  const double radius = std::max(face.Height() * 0.36, 2.0);
  Disc(icon, (face.Left + face.Right) / 2.0, (face.Top + face.Bottom) / 2.0, radius, pal::kClose,
       pal::kClosePressed);
  return icon;
}

std::vector<std::uint8_t> IconFile(const std::vector<fw::TBitmap>& images) {
  std::vector<std::vector<std::uint8_t>> pictures;
  for (const fw::TBitmap& image : images)
    pictures.push_back(IconImage(image));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, kIconResourceType);
  Put16(out, static_cast<std::uint16_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(kDirectoryBytes + kEntryBytes * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].Width() % 256)); // 256 is written as 0
    out.push_back(static_cast<std::uint8_t>(images[i].Height() % 256));
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, 1); // planes
    Put16(out, kIconBits);
    Put32(out, static_cast<std::uint32_t>(pictures[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(pictures[i].size());
  }
  for (const auto& picture : pictures)
    out.insert(out.end(), picture.begin(), picture.end());
  return out;
}

std::vector<std::uint8_t> AppIconFile() {
  std::vector<fw::TBitmap> images;
  for (int size : kIconSizes)
    images.push_back(AppIcon(size));
  return IconFile(images);
}

} // namespace skingen
