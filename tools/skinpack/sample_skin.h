// A synthetic skin for tests, benchmarks and fuzz seeds: an INI description in the sections a
// skin uses and 25 generated 24-bit BMP images (gradients, frames, borders, magenta corners and
// a little noise), close to a real skin in size and compressibility.
#pragma once

#include "tools/skinpack/skin_archive_writer.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace skinpack {

enum class SampleSize {
  kFull, // an archive of about 190 KB
  kTiny, // the same entries with images a quarter as wide and high: a few KB
};

// Entries in name order, ready for BuildArchive; the same every time.
std::vector<SkinEntry> MakeSampleSkin(SampleSize size);

// A bottom-up 24-bit BMP file; `pixel(x, y)` gives 0xRRGGBB with y counted from the top.
std::vector<std::uint8_t> MakeBmp24(int width, int height,
                                    const std::function<std::uint32_t(int x, int y)>& pixel);

// The INI description of the sample skin.
std::string SampleSkinIni();

} // namespace skinpack
