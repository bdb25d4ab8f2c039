#include "tools/skinpack/sample_skin.h"

#include "framework/core/bitmap.h"
#include "framework/core/bmp_writer.h"

#include <algorithm>

namespace skinpack {

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// A reproducible pseudo-random sequence, so every run builds the same skin.
class Noise {
public:
  explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

private:
  std::uint32_t state_;
};

std::uint32_t Mix(std::uint32_t from, std::uint32_t to, int step, int steps) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((from >> shift) & 0xFF);
    const int b = static_cast<int>((to >> shift) & 0xFF);
    const int value = a + (b - a) * step / std::max(steps - 1, 1);
    result |= static_cast<std::uint32_t>(value) << shift;
  }
  return result;
}

struct ImageSpec {
  const char* name;
  int frameWidth;
  int height;
  int frames;
  std::uint32_t light;
  std::uint32_t dark;
};

// Each frame: a vertical gradient in a one-pixel border, magenta corners, a diagonal glyph and
// sparse noise that keeps the data from compressing better than drawn artwork does.
std::vector<std::uint8_t> MakeElementImage(const ImageSpec& shape, int divisor,
                                           std::uint32_t seed) {
  const int frameWidth = std::max(shape.frameWidth / divisor, 2);
  const int height = std::max(shape.height / divisor, 2);
  Noise noise(seed);
  return MakeBmp24(frameWidth * shape.frames, height, [&](int x, int y) -> std::uint32_t {
    const int frame = x / frameWidth;
    const int fx = x % frameWidth;
    const bool corner = (fx == 0 || fx == frameWidth - 1) && (y == 0 || y == height - 1);
    if (corner) return kMagenta;
    if (fx == 0 || y == 0) return 0xFFFFFF;
    if (fx == frameWidth - 1 || y == height - 1) return shape.dark;
    std::uint32_t colour = Mix(shape.light, shape.dark, y, height);
    colour ^= static_cast<std::uint32_t>(frame) * 0x102030;
    if ((fx - y) % 7 == 0 && fx > frameWidth / 4 && fx < frameWidth * 3 / 4) colour = 0x202020;
    if (noise.Next() % 31 == 0) colour ^= noise.Next() & 0x0F0F0F;
    return colour;
  });
}

constexpr ImageSpec kImages[] = {
    {"top.bmp", 200, 24, 2, 0x5080C0, 0x203060},
    {"bottom.bmp", 200, 8, 2, 0x4070B0, 0x203060},
    {"left.bmp", 8, 130, 2, 0x4070B0, 0x203060},
    {"right.bmp", 8, 130, 2, 0x4070B0, 0x203060},
    {"min.bmp", 21, 21, 3, 0xD0D8E8, 0x6070A0},
    {"max.bmp", 21, 21, 3, 0xD0D8E8, 0x6070A0},
    {"close.bmp", 21, 21, 3, 0xF0C0C0, 0xA03030},
    {"restore.bmp", 21, 21, 3, 0xD0D8E8, 0x6070A0},
    {"button.bmp", 50, 24, 5, 0xF0F0F0, 0xA0A8B8},
    {"checkbox.bmp", 13, 13, 6, 0xFFFFFF, 0x808080},
    {"radio.bmp", 13, 13, 6, 0xFFFFFF, 0x808080},
    {"textback.bmp", 100, 26, 1, 0x6090D0, 0x304070},
    {"menubar.bmp", 60, 20, 2, 0xE8E8F0, 0xC0C0D0},
    {"menuitem.bmp", 32, 20, 5, 0xF8F8FF, 0x90A0C0},
    {"menuback.bmp", 32, 32, 1, 0xF8F8F8, 0xE0E0E8},
    {"scrollbar.bmp", 16, 16, 23, 0xE0E4F0, 0x8090B0},
    {"hscroll.bmp", 32, 16, 4, 0xE0E4F0, 0xA0A8C0},
    {"vscroll.bmp", 16, 32, 4, 0xE0E4F0, 0xA0A8C0},
    {"hthumb.bmp", 32, 16, 3, 0xC0D0F0, 0x6070A0},
    {"vthumb.bmp", 16, 32, 3, 0xC0D0F0, 0x6070A0},
    {"tabs.bmp", 40, 22, 5, 0xF0F0F8, 0xB0B8D0},
    {"groupbox.bmp", 40, 20, 2, 0xF0F0F0, 0xB0B0B0},
    {"progress.bmp", 100, 16, 1, 0x80E080, 0x208020},
    {"combobutton.bmp", 17, 20, 4, 0xE0E4F0, 0x8090B0},
    {"sunkedge.bmp", 20, 20, 4, 0xFFFFFF, 0x808080},
};

} // namespace

std::vector<std::uint8_t> MakeBmp24(int width, int height,
                                    const std::function<std::uint32_t(int x, int y)>& pixel) {
  fw::TBitmap image(width, height, fw::TPixelFormat::pf24bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.At(x, y) = pixel(x, y) & 0xFFFFFF;
  return fw::SaveBmp24(image);
}

std::vector<SkinEntry> MakeSampleSkin(SampleSize size) {
  const int divisor = size == SampleSize::kFull ? 1 : 4;
  std::vector<SkinEntry> entries;
  std::uint32_t seed = 1;
  for (const ImageSpec& shape : kImages) {
    entries.push_back({shape.name, MakeElementImage(shape, divisor, seed++)});
  }
  const std::string ini = SampleSkinIni();
  entries.push_back({"sample.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
  std::sort(entries.begin(), entries.end(),
            [](const SkinEntry& a, const SkinEntry& b) { return a.name < b.name; });
  return entries;
}

} // namespace skinpack
