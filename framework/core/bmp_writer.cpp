#include "framework/core/bmp_writer.h"

namespace fw {

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> SaveBmp24(const TBitmap& image) {
  const auto stride = static_cast<std::uint32_t>((image.Width() * 3 + 3) / 4 * 4);
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.Height());
  std::vector<std::uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put(out, 54 + pixelBytes, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, static_cast<std::uint32_t>(image.Width()), 4);
  Put(out, static_cast<std::uint32_t>(image.Height()), 4); // positive: bottom-up
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, pixelBytes, 4);
  Put(out, 2835, 4); // 72 dpi
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int y = image.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.Width(); ++x)
      Put(out, image.At(x, y), 3);
    out.resize(rowStart + stride, 0);
  }
  return out;
}

} // namespace fw
