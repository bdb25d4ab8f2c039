#include "tests/native/msvideo1/support/stream_walker.h"

namespace msvideo1_test {

BlockCounts CountBlocks(std::span<const std::uint8_t> frame, long blocksInFrame) {
  BlockCounts counts;
  std::size_t at = 0;
  auto word = [&](std::uint16_t& w) {
    if (at + 2 > frame.size()) return false;
    w = static_cast<std::uint16_t>(frame[at] | frame[at + 1] << 8);
    at += 2;
    return true;
  };
  long blocks = 0;
  while (blocks < blocksInFrame) {
    std::uint16_t w;
    if (!word(w)) return counts;
    const int hi = w >> 8;
    if (hi >= 0x84 && hi <= 0x87) {
      long run = (long(hi - 0x84) << 8) | (w & 0xFF);
      if (run == 0) return counts;
      counts.skipped += run;
      ++counts.skipWords;
      blocks += run;
    } else if (hi >= 0x80) {
      ++counts.fills;
      ++blocks;
    } else {
      std::uint16_t first, other;
      if (!word(first)) return counts;
      const int more = (first & 0x8000) ? 7 : 1;
      for (int i = 0; i < more; ++i)
        if (!word(other)) return counts;
      ++(more == 7 ? counts.eightColour : counts.twoColour);
      ++blocks;
    }
  }
  counts.wellFormed = blocks == blocksInFrame && at == frame.size();
  return counts;
}

} // namespace msvideo1_test
