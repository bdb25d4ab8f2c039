#include "framework/core/bitmap.h"

#include <algorithm>
#include <utility>

namespace fw {

namespace {

class HeapStorage : public PixelStorage {
public:
  explicit HeapStorage(std::size_t count) : pixels_(count) {}
  Pixel* Pixels() override { return pixels_.data(); }

private:
  std::vector<Pixel> pixels_;
};

std::size_t PixelCount(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

} // namespace

void CheckBitmapSize(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      std::int64_t{width} * height > kMaxBitmapPixels) {
    throw EBitmapTooLarge();
  }
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
  SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other) {
  *this = other;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  SetSize(other.width_, other.height_);
  if (!Empty()) std::copy_n(other.pixels_, PixelCount(width_, height_), pixels_);
  format_ = other.format_;
  Transparent = other.Transparent;
  TransparentColor = other.TransparentColor;
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept {
  *this = std::move(other);
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  storage_ = std::move(other.storage_);
  pixels_ = std::exchange(other.pixels_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  format_ = other.format_;
  Transparent = other.Transparent;
  TransparentColor = other.TransparentColor;
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
  CheckBitmapSize(width, height);
  if (width == 0 || height == 0) {
    Adopt(nullptr, 0, 0);
    return;
  }
  Adopt(std::make_unique<HeapStorage>(PixelCount(width, height)), width, height);
}

void TBitmap::Adopt(std::unique_ptr<PixelStorage> storage, int width, int height) {
  storage_ = std::move(storage);
  pixels_ = storage_ ? storage_->Pixels() : nullptr;
  width_ = storage_ ? width : 0;
  height_ = storage_ ? height : 0;
}

void TBitmap::ReplaceStorage(std::unique_ptr<PixelStorage> storage) {
  if (!storage) return;
  Pixel* target = storage->Pixels();
  if (!Empty()) std::copy_n(pixels_, PixelCount(width_, height_), target);
  Adopt(std::move(storage), width_, height_);
}

Pixel TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return At(x, y);
}

void TBitmap::SetPixel(int x, int y, Pixel pixel) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  At(x, y) = pixel;
}

void TBitmap::Fill(Pixel pixel) {
  if (!Empty()) std::fill_n(pixels_, PixelCount(width_, height_), pixel);
}

void TBitmap::FillRect(TRect rect, Pixel pixel) {
  const int left = std::max(rect.Left, 0), right = std::min(rect.Right, width_);
  const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, height_);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      At(x, y) = pixel;
}

std::vector<int> NearestNeighbourMap(int sourceLength, int targetLength, bool vertical) {
  // GDI's COLORONCOLOR mapping as measured on top-down DIB sections (Wine):
  //  - enlarging (either direction): the source pixel under the target pixel's centre, a centre
  //    exactly on a border taking the pixel before it: floor(((2i + 1) S - 1) / 2T);
  //  - reducing rows: the source row nearest to i × S / T, halves rounded up;
  //  - reducing columns: the column before the one nearest to (i + 1) × S / T, halves rounded
  //    up; a single target column shows the last column but one.
  std::vector<int> map(static_cast<std::size_t>(targetLength));
  const std::int64_t s = sourceLength, t = targetLength;
  for (std::int64_t i = 0; i < t; ++i) {
    std::int64_t source;
    if (t >= s) {
      source = ((2 * i + 1) * s - 1) / (2 * t);
    } else if (vertical) {
      source = (2 * i * s + t) / (2 * t);
    } else if (t == 1) {
      source = s - 2;
    } else {
      source = (2 * (i + 1) * s + t) / (2 * t) - 1;
    }
    map[static_cast<std::size_t>(i)] = static_cast<int>(source);
  }
  return map;
}

void StretchCopy(TBitmap& target, TRect to, const TBitmap& source, TRect from) {
  if (to.Width() <= 0 || to.Height() <= 0 || from.Width() <= 0 || from.Height() <= 0) return;
  if (target.Empty() || source.Empty()) return;
  const std::vector<int> columns = NearestNeighbourMap(from.Width(), to.Width(), false);
  const std::vector<int> rows = NearestNeighbourMap(from.Height(), to.Height(), true);
  const int firstY = std::max(0, -to.Top), lastY = std::min(to.Height(), target.Height() - to.Top);
  const int firstX = std::max(0, -to.Left), lastX = std::min(to.Width(), target.Width() - to.Left);
  for (int i = firstY; i < lastY; ++i) {
    const int sy = from.Top + rows[static_cast<std::size_t>(i)];
    if (sy < 0 || sy >= source.Height()) continue;
    const Pixel* in = source.ScanLine(sy);
    Pixel* out = target.ScanLine(to.Top + i);
    for (int k = firstX; k < lastX; ++k) {
      const int sx = from.Left + columns[static_cast<std::size_t>(k)];
      if (sx >= 0 && sx < source.Width()) out[to.Left + k] = in[sx];
    }
  }
}

void CopyPixels(TBitmap& target, int x, int y, const TBitmap& source, TRect from) {
  StretchCopy(target, {x, y, x + from.Width(), y + from.Height()}, source, from);
}

void DrawTransparent(TBitmap& target, int x, int y, int width, int height, const TBitmap& source,
                     Pixel key) {
  const int w = std::min(width, source.Width()), h = std::min(height, source.Height());
  for (int sy = std::max(0, -y); sy < h && y + sy < target.Height(); ++sy) {
    const Pixel* in = source.ScanLine(sy);
    Pixel* out = target.ScanLine(y + sy);
    for (int sx = std::max(0, -x); sx < w && x + sx < target.Width(); ++sx) {
      if (in[sx] != key) out[x + sx] = in[sx];
    }
  }
}

} // namespace fw
