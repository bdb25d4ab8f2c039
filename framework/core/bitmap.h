// TBitmap: a device-independent bitmap whose pixels portable code reads and writes directly.
// Pixels are 32-bit values 0x00RRGGBB, rows top-down (in memory: blue, green, red, unused, as a
// 32-bit top-down DIB section holds them). The pixel format is the format the image is meant to
// have (what a loaded file held, or what a routine converted it to); the memory is always 32-bit,
// so a conversion to 24 bits only changes the format.
//
// The memory comes from a PixelStorage: plain memory by default; the Windows build swaps in a DIB
// section when the bitmap is first drawn with GDI (framework/bitmap.h).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace fw {

using Pixel = std::uint32_t; // 0x00RRGGBB

// Colours as the rest of the program holds them: red in bits 0..7, green 8..15, blue 16..23.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kMagentaColour = 0xFF00FF;

constexpr Pixel PixelOf(ColorRef colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
constexpr ColorRef ColourOf(Pixel pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
constexpr Pixel RgbPixel(int red, int green, int blue) {
  return (static_cast<Pixel>(red & 0xFF) << 16) | (static_cast<Pixel>(green & 0xFF) << 8) |
         static_cast<Pixel>(blue & 0xFF);
}
inline constexpr Pixel kMagentaPixel = PixelOf(kMagentaColour);

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  // The point lies inside: right and bottom edges are outside.
  constexpr bool Contains(int x, int y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }
  constexpr bool operator==(const TRect&) const = default;
};

// Where a bitmap's pixels live. Width × height pixels, rows top-down without padding.
class PixelStorage {
public:
  virtual ~PixelStorage() = default;
  virtual Pixel* Pixels() = 0;
};

// The largest bitmap the program makes: larger requests (from damaged files or nonsense sizes)
// throw EBitmapTooLarge instead of reserving memory for them.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 24;

class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // New size; every pixel becomes black. A size of 0 in either direction gives an empty bitmap.
  // Throws EBitmapTooLarge (and keeps the bitmap) for sizes beyond the limits above.
  void SetSize(int width, int height);
  void Clear() { SetSize(0, 0); }

  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat format) { format_ = format; }

  Pixel* ScanLine(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * width_; }
  const Pixel* ScanLine(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * width_; }
  // Unchecked access; callers stay inside the bitmap.
  Pixel& At(int x, int y) { return ScanLine(y)[x]; }
  Pixel At(int x, int y) const { return ScanLine(y)[x]; }
  // Checked access: 0 outside, writes outside are dropped.
  Pixel GetPixel(int x, int y) const;
  void SetPixel(int x, int y, Pixel pixel);

  void Fill(Pixel pixel);
  // Fills the part of `rect` inside the bitmap.
  void FillRect(TRect rect, Pixel pixel);

  // A copy of `other`: size, format, pixels and transparency.
  void Assign(const TBitmap& other) { *this = other; }

  // Drawn with this colour left out (set by the icon and transparency users; not used by the
  // pixel routines themselves).
  bool Transparent = false;
  ColorRef TransparentColor = kMagentaColour;

  // Moves the pixels into `storage` (which must hold Width() × Height() pixels) and keeps it.
  void ReplaceStorage(std::unique_ptr<PixelStorage> storage);
  PixelStorage* Storage() const { return storage_.get(); }

private:
  void Adopt(std::unique_ptr<PixelStorage> storage, int width, int height);

  std::unique_ptr<PixelStorage> storage_;
  Pixel* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
};

// A graphic that cannot be loaded or made, with the text the user reads.
class EInvalidGraphic : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Thrown for a bitmap size beyond kMaxBitmapSide / kMaxBitmapPixels.
class EBitmapTooLarge : public EInvalidGraphic {
public:
  EBitmapTooLarge() : EInvalidGraphic("Bitmap image is too large") {}
};

// Checks a size against the limits; throws EBitmapTooLarge.
void CheckBitmapSize(int width, int height);

// The bitmap copy of GDI's StretchBlt in COLORONCOLOR mode with SRCCOPY: `source` part `from`
// is stretched (or shrunk) by nearest neighbour onto part `to` of `target`. An empty or inverted
// rectangle copies nothing. Pixels falling outside `target` are dropped; target pixels whose
// source pixel lies outside `source` are left alone.
void StretchCopy(TBitmap& target, TRect to, const TBitmap& source, TRect from);

// For a stretch of `sourceLength` pixels onto `targetLength` pixels along rows (`vertical`) or
// columns, the source index that each target index shows, as GDI's StretchBlt picks it in
// COLORONCOLOR mode. Both lengths are positive.
std::vector<int> NearestNeighbourMap(int sourceLength, int targetLength, bool vertical);

// BitBlt with SRCCOPY: `source` part `from` copied unscaled to (x, y) of `target`, clipped.
void CopyPixels(TBitmap& target, int x, int y, const TBitmap& source, TRect from);

// Copies the top-left width × height part of `source` to (x, y) of `target`, leaving the target
// where the source pixel equals `key` (the skin's magenta-keyed transparent drawing).
void DrawTransparent(TBitmap& target, int x, int y, int width, int height, const TBitmap& source,
                     Pixel key);

} // namespace fw
