// Sizes of the uncompressed frame block: a 40-byte BITMAPINFOHEADER, an optional colour table
// and bottom-up pixel rows padded to 4 bytes.
#pragma once

#include <cstdint>

namespace recorder {

inline constexpr std::uint32_t kInfoHeaderSize = 40;

// Rows are padded to 32 bits; the product is taken in 64 bits so that wide frames at 32 bpp
// cannot overflow before the division.
constexpr std::int64_t DibStride(std::int32_t width, int bitCount) {
  return ((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4;
}

// Palettised depths carry a full colour table; deeper ones none.
constexpr std::uint32_t ColorTableEntries(int bitCount) {
  return bitCount <= 8 ? (1u << bitCount) : 0u;
}

constexpr std::uint32_t ColorTableBytes(int bitCount) {
  return ColorTableEntries(bitCount) * 4;
}

// Offset of the pixel rows from the block's first byte; also the size of the stream format.
constexpr std::uint32_t PixelOffset(int bitCount) {
  return kInfoHeaderSize + ColorTableBytes(bitCount);
}

constexpr std::int64_t ImageSize(std::int32_t width, std::int32_t height, int bitCount) {
  return DibStride(width, bitCount) * height;
}

constexpr std::int64_t FrameBlockSize(std::int32_t width, std::int32_t height, int bitCount) {
  return PixelOffset(bitCount) + ImageSize(width, height, bitCount);
}

} // namespace recorder
