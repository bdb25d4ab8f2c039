// Pictures for encoder tests and benchmarks, their DIB bytes at every depth, and comparisons
// with what a decoder returns.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace msvideo1_test {

struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb8&) const = default;
};

// Rows bottom-up like a DIB: y = 0 is the bottom row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb8> pixels;

  Picture() = default;
  Picture(int w, int h, Rgb8 fill = {}) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  Rgb8& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  const Rgb8& At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  bool operator==(const Picture&) const = default;
};

// An 8-bit colour that RGB555 holds exactly: 5-bit components widened as decoders widen them.
Rgb8 Exact555(int r5, int g5, int b5);

// The picture as RGB555 keeps it: every component moved to the nearest widened 5-bit value.
Picture Quantized555(const Picture& picture);

Picture FlatPicture(int width, int height, Rgb8 colour);
// Every pixel one of two colours at random: each block needs exactly two colours.
Picture TwoColourPicture(int width, int height, Rgb8 first, Rgb8 second, unsigned seed);
// Every 2×2 quadrant two random exact colours (from a pool of `poolSize`) in a random
// arrangement: each block needs eight colours.
Picture QuadrantPicture(int width, int height, int poolSize, unsigned seed);
// Smooth colour ramps plus some noise: no block form reproduces it exactly.
Picture NaturalPicture(int width, int height, unsigned seed);
// A natural picture with every component cut to six levels: at most 216 colours, so it has an
// 8-bit form too.
Picture PosterisedPicture(int width, int height, unsigned seed);

struct Dib {
  int bitsPerPixel = 0;
  std::vector<std::uint8_t> pixels;      // bottom-up rows, each padded to 4 bytes
  std::vector<std::uint8_t> colourTable; // RGBQUAD entries, 8-bit only
};

// The picture at 8 (colour table of its distinct colours; nothing when there are more than
// 256), 16 (RGB555), 24 or 32 bits per pixel.
std::optional<Dib> ToDib(const Picture& picture, int bitsPerPixel);

// A decoded frame of top-down rows ("rgb24" bytes) as a bottom-up picture.
Picture FromTopDownRgb24(const std::vector<std::uint8_t>& bytes, int width, int height);

// Per 4×4 block (in storage order: bottom block row first), the sum of squared differences of
// the 5-bit components that RGB555 keeps of the two pictures.
std::vector<int> BlockErrors555(const Picture& shown, const Picture& source);

// Peak signal-to-noise ratio over all components; 99 when the pictures are equal.
double Psnr(const Picture& a, const Picture& b);

} // namespace msvideo1_test
