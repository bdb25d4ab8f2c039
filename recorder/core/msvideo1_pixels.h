// Turning DIB rows of every supported depth into RGB555, the colour form of the bit stream.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace recorder::msvideo1 {

// Red in bits 10..14, green 5..9, blue 0..4; bit 15 unused.
using Rgb555 = std::uint16_t;

constexpr int Red5(Rgb555 c) {
  return (c >> 10) & 31;
}
constexpr int Green5(Rgb555 c) {
  return (c >> 5) & 31;
}
constexpr int Blue5(Rgb555 c) {
  return c & 31;
}
constexpr Rgb555 MakeRgb555(int r5, int g5, int b5) {
  return static_cast<Rgb555>((r5 << 10) | (g5 << 5) | b5);
}

// How decoders widen a 5-bit component back to 8 bits.
constexpr int Expand5To8(int v5) {
  return (v5 << 3) | (v5 >> 2);
}

// The 5-bit component that widens closest to an 8-bit one.
int Quantize8To5(int v8);

Rgb555 Rgb555FromRgb8(int r8, int g8, int b8);

// A colour table of RGBQUAD entries (blue, green, red, reserved) in RGB555. Indices past the
// table's end read as black, so a short table can never be read beyond.
class Palette555 {
public:
  Palette555() { colours_.fill(0); }
  explicit Palette555(std::span<const std::uint8_t> rgbQuads) { Assign(rgbQuads); }

  void Assign(std::span<const std::uint8_t> rgbQuads);
  Rgb555 operator[](std::uint8_t index) const { return colours_[index]; }
  bool operator==(const Palette555&) const = default;

private:
  std::array<Rgb555, 256> colours_;
};

// Converts `width` pixels of one DIB row at `bitsPerPixel` (8, 16, 24 or 32) to RGB555.
void ConvertRow(const std::uint8_t* row, int bitsPerPixel, int width, const Palette555& palette,
                Rgb555* out);

} // namespace recorder::msvideo1
