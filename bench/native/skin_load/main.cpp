// Start-up cost of the program's skin: decode (LZH unpack + archive) and descriptors (INI, BMP
// decoding, derived images), each the median of many runs. Target: under 10 ms together.
#include "framework/core/bmp_writer.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skingen/skin_images.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/skin_archive_writer.h"
#include "tools/skinpack/skin_folder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

} // namespace

int main() {
  std::vector<skinpack::SkinEntry> entries;
  for (const auto& [name, image] : skingen::SkinImages())
    entries.push_back({name, fw::SaveBmp24(image)});
  entries.push_back({"skin.ini", skinpack::ReadFileBytes(SKIN_INI_PATH)});
  const auto archive = skinpack::BuildArchive(entries);
  const auto file = skinpack::PackSkinFile(archive);

  constexpr int kRuns = 200;
  std::vector<double> decode, descriptors, total;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    skin::TSkinReader reader;
    if (!reader.LoadFromStream(file)) return 1;
    const auto decoded = Clock::now();
    const skin::TQuickIni ini = skin::SkinIni(reader);
    skin::TSkinElements elements;
    skin::LoadSkinElements(reader, ini, {}, elements);
    const auto end = Clock::now();
    decode.push_back(std::chrono::duration<double, std::milli>(decoded - start).count());
    descriptors.push_back(std::chrono::duration<double, std::milli>(end - decoded).count());
    total.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::printf("program skin: %zu entries, archive %zu bytes, skin file %zu bytes\n", entries.size(),
              archive.size(), file.size());
  std::printf("decode (unpack + archive): median %.3f ms\n", Median(decode));
  std::printf("descriptors (INI, BMPs, derived images): median %.3f ms\n", Median(descriptors));
  std::printf("skin load at start-up: median %.3f ms (target < 10 ms), max %.3f ms\n",
              Median(total), *std::max_element(total.begin(), total.end()));
  return 0;
}
