// Unpacks a generated skin of about 190 KB the way the program does at start-up and prints the
// time per decode, what a decode allocates, and how well skinpack compresses the archive.
#include "allocation_counter.h"

#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/sample_skin.h"
#include "tools/skinpack/skin_archive_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <span>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Allocations made by one decode of `skinFile`.
std::size_t AllocationsOfDecode(std::span<const std::uint8_t> skinFile) {
  std::vector<std::uint8_t> archive;
  const std::size_t before = bench::AllocationCount();
  skin::UnpackSkinFile(skinFile, archive);
  return bench::AllocationCount() - before;
}

} // namespace

int main() {
  const auto archive =
      skinpack::BuildArchive(skinpack::MakeSampleSkin(skinpack::SampleSize::kFull));

  const auto packStart = Clock::now();
  const auto skinFile = skinpack::PackSkinFile(archive);
  const double packMs = Milliseconds(Clock::now() - packStart);

  constexpr int kRuns = 300;
  std::vector<double> times;
  std::vector<std::uint8_t> unpacked;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = Clock::now();
    skin::UnpackSkinFile(skinFile, unpacked);
    times.push_back(Milliseconds(Clock::now() - start));
  }
  if (unpacked != archive) {
    std::fprintf(stderr, "decoded archive differs from the packed one\n");
    return 1;
  }
  std::sort(times.begin(), times.end());

  // The whole skin through the reader, as the skin component loads it.
  std::vector<double> loadTimes;
  for (int run = 0; run < kRuns / 3; ++run) {
    skin::TSkinReader reader;
    const auto start = Clock::now();
    if (!reader.LoadFromStream(skinFile)) return 1;
    loadTimes.push_back(Milliseconds(Clock::now() - start));
  }
  std::sort(loadTimes.begin(), loadTimes.end());

  // A tiny skin and the full one: the same number of allocations means none per byte or symbol.
  const auto tinyFile = skinpack::PackSkinFile(
      skinpack::BuildArchive(skinpack::MakeSampleSkin(skinpack::SampleSize::kTiny)));

  std::printf("archive: %zu bytes, skin file: %zu bytes (bit stream %zu)\n", archive.size(),
              skinFile.size(), skinFile.size() - skin::kSizeFieldBytes);
  std::printf("compression ratio: %.2f : 1 (%.1f %% of the archive), packing took %.1f ms\n",
              static_cast<double>(archive.size()) / static_cast<double>(skinFile.size()),
              100.0 * static_cast<double>(skinFile.size()) / static_cast<double>(archive.size()),
              packMs);
  std::printf("decode (%d runs): min %.3f ms, median %.3f ms, max %.3f ms; %.1f MB/s at the "
              "median\n",
              kRuns, times.front(), times[times.size() / 2], times.back(),
              static_cast<double>(archive.size()) / 1e3 / times[times.size() / 2]);
  std::printf("TSkinReader::LoadFromStream: min %.3f ms, median %.3f ms\n", loadTimes.front(),
              loadTimes[loadTimes.size() / 2]);
  std::printf("allocations per decode: %zu for %zu bytes, %zu for %zu bytes\n",
              AllocationsOfDecode(tinyFile), tinyFile.size(), AllocationsOfDecode(skinFile),
              skinFile.size());
  std::printf("target: median decode under 3 ms: %s\n",
              times[times.size() / 2] < 3.0 ? "met" : "NOT met");
  return 0;
}
