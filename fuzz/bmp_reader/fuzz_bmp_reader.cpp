// Any bytes either load as a bitmap within the size limits, whose every pixel can be read, or
// are refused with EInvalidGraphic; nothing else may happen.
#include "framework/core/bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const fw::TBitmap image = fw::LoadBmp(std::span<const std::uint8_t>(data, size));
    if (image.Empty() || image.Width() > fw::kMaxBitmapSide || image.Height() > fw::kMaxBitmapSide)
      std::abort();
    fw::Pixel sum = 0;
    for (int y = 0; y < image.Height(); ++y)
      sum ^= image.At(image.Width() - 1, y) ^ image.At(0, y);
    if (sum >> 24) std::abort(); // the reader never leaves anything in the unused byte
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
