// BMP files written field by field for the reader tests, including ones no painter would save.
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace bmptest {

using Bytes = std::vector<std::uint8_t>;

struct BmpFile {
  int width = 1;
  int height = 1; // negative: top-down
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t infoBytes = 40;     // 12 writes the core header
  std::vector<fw::Pixel> palette;   // written as B, G, R(, 0)
  std::uint32_t paletteCount = 0;   // the biClrUsed field
  std::vector<std::uint32_t> masks; // written after a 40-byte header
  Bytes pixels;                     // the pixel data exactly as stored
  std::int64_t offBitsAdjust = 0;   // added to the right offset
  Bytes Build() const;
};

// Rows of an uncompressed image in file order, each padded to 4 bytes.
Bytes Rows(std::initializer_list<Bytes> rows);

// A 24-bit bottom-up file of `image` (as the packer and skin generator write them).
Bytes Bmp24Of(const fw::TBitmap& image);

// "x,y=rrggbb" text of a whole image, to compare pictures in test failures.
std::string Describe(const fw::TBitmap& image);

// An image whose every pixel differs: the colour tells its coordinates.
fw::TBitmap CoordinateImage(int width, int height);
fw::Pixel CoordinatePixel(int x, int y);

} // namespace bmptest
