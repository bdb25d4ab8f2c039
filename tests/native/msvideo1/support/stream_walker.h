// Reads a Microsoft Video 1 frame word by word and counts its blocks by kind, independently of
// the encoder's own writer.
#pragma once

#include <cstdint>
#include <span>

namespace msvideo1_test {

struct BlockCounts {
  long skipped = 0;
  long fills = 0;
  long twoColour = 0;
  long eightColour = 0;
  long skipWords = 0;
  // Every byte belongs to a block, the blocks add up to the frame, and no skip word is empty.
  bool wellFormed = false;
};

BlockCounts CountBlocks(std::span<const std::uint8_t> frame, long blocksInFrame);

} // namespace msvideo1_test
