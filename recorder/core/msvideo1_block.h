// Choosing the code of one 4×4 block and writing it in the Microsoft Video 1 form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "recorder/core/msvideo1_pixels.h"

namespace recorder::msvideo1 {

// Pixel i = 4·row + x, with row 0 the block's bottom row (the first in a bottom-up DIB).
using BlockPixels = std::array<Rgb555, 16>;

enum class BlockMode : std::uint8_t { Skip, Fill, TwoColour, EightColour };

struct BlockCode {
  BlockMode mode = BlockMode::Skip;
  // Bit i set: pixel i takes the first colour of its pair, clear: the second.
  std::uint16_t mask = 0;
  // Fill: [0]. Two colours: [0], [1]. Eight colours: one pair per quadrant in the order
  // bottom-left, bottom-right, top-left, top-right.
  std::array<Rgb555, 8> colours{};
  // Sum over the block of squared component differences, in 5-bit units.
  int error = 0;
};

// Squared error of a block coded with exactly its own colours is 0; this bounds every block.
inline constexpr int kMaxBlockError = 16 * 3 * 31 * 31;

// The cheapest code whose error is at most `allowedError`; when none is, the code with the least
// error. `previous` (the decoder's current pixels, or null in key frames) makes skipping possible.
BlockCode ChooseBlockCode(const BlockPixels& source, const BlockPixels* previous, int allowedError);

// The pixels a decoder shows for a code other than Skip.
void DecodeBlock(const BlockCode& code, BlockPixels& out);

// Writes the words of a code other than Skip; returns the bytes written (at most 18).
std::size_t WriteBlock(const BlockCode& code, std::uint8_t* out);

} // namespace recorder::msvideo1
