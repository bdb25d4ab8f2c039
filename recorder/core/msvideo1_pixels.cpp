#include "recorder/core/msvideo1_pixels.h"

namespace recorder::msvideo1 {
namespace {

struct ComponentTables {
  std::array<Rgb555, 256> red{}, green{}, blue{};
};

constexpr int ClosestFiveBit(int v8) {
  int best = 0;
  for (int v5 = 1; v5 < 32; ++v5) {
    int d = Expand5To8(v5) - v8, bestD = Expand5To8(best) - v8;
    if (d * d < bestD * bestD) best = v5;
  }
  return best;
}

// Per-component lookup keeps the hot conversion loops to three loads and two ORs per pixel.
constexpr ComponentTables MakeTables() {
  ComponentTables t;
  for (int v = 0; v < 256; ++v) {
    int v5 = ClosestFiveBit(v);
    t.red[v] = static_cast<Rgb555>(v5 << 10);
    t.green[v] = static_cast<Rgb555>(v5 << 5);
    t.blue[v] = static_cast<Rgb555>(v5);
  }
  return t;
}

constexpr ComponentTables kTables = MakeTables();

} // namespace

int Quantize8To5(int v8) {
  return kTables.blue[static_cast<std::uint8_t>(v8)];
}

Rgb555 Rgb555FromRgb8(int r8, int g8, int b8) {
  return kTables.red[static_cast<std::uint8_t>(r8)] | kTables.green[static_cast<std::uint8_t>(g8)] |
         kTables.blue[static_cast<std::uint8_t>(b8)];
}

void Palette555::Assign(std::span<const std::uint8_t> rgbQuads) {
  colours_.fill(0);
  std::size_t entries = rgbQuads.size() / 4;
  if (entries > colours_.size()) entries = colours_.size();
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t* q = &rgbQuads[4 * i];
    colours_[i] = Rgb555FromRgb8(q[2], q[1], q[0]);
  }
}

void ConvertRow(const std::uint8_t* row, int bitsPerPixel, int width, const Palette555& palette,
                Rgb555* out) {
  switch (bitsPerPixel) {
  case 32:
    for (int x = 0; x < width; ++x, row += 4)
      out[x] = kTables.red[row[2]] | kTables.green[row[1]] | kTables.blue[row[0]];
    break;
  case 24:
    for (int x = 0; x < width; ++x, row += 3)
      out[x] = kTables.red[row[2]] | kTables.green[row[1]] | kTables.blue[row[0]];
    break;
  case 16:
    for (int x = 0; x < width; ++x, row += 2)
      out[x] = static_cast<Rgb555>((row[0] | row[1] << 8) & 0x7FFF);
    break;
  case 8:
    for (int x = 0; x < width; ++x)
      out[x] = palette[row[x]];
    break;
  default:
    // Callers validate the depth first; black keeps an unforeseen one harmless.
    for (int x = 0; x < width; ++x)
      out[x] = 0;
    break;
  }
}

} // namespace recorder::msvideo1
