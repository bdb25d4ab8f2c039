// Uncompressed test frames for the built-in Video 1 compressor: a header (with a colour table
// at 8 bits) and pixels, in one buffer as the compression manager passes them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace msvc_codec_tests {

class TestFrame {
public:
  // Four solid quadrants (the colours of the test picture window) and, when `square` >= 0, a
  // white 8×8 square whose position moves with it.
  TestFrame(int width, int height, int bitsPerPixel, int square = -1);

  BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(format_.data()); }
  const BITMAPINFOHEADER* Header() const {
    return reinterpret_cast<const BITMAPINFOHEADER*>(format_.data());
  }
  LONG FormatBytes() const { return static_cast<LONG>(format_.size()); }
  BYTE* Pixels() { return pixels_.data(); }
  LONG PixelBytes() const { return static_cast<LONG>(pixels_.size()); }

private:
  std::vector<BYTE> format_;
  std::vector<BYTE> pixels_;
};

} // namespace msvc_codec_tests
