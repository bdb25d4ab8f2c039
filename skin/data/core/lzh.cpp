#include "skin/data/core/lzh.h"

#include "skin/data/core/lzh_params.h"
#include "skin/data/core/lzh_tree.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>

namespace skin {

namespace {

using namespace lzh;

// MSB-first bit input with at least 9 bits kept ahead, so one byte can always be taken whole.
class BitReader {
public:
  explicit BitReader(std::span<const std::uint8_t> input)
      : FNext(input.data()), FEnd(input.data() + input.size()), FStart(input.data()) {}

  unsigned Bit() {
    Refill();
    const unsigned bit = FBuffer >> 15;
    FBuffer = static_cast<std::uint16_t>(FBuffer << 1);
    --FCount;
    return bit;
  }

  unsigned Byte() {
    Refill();
    const unsigned byte = FBuffer >> 8;
    FBuffer = static_cast<std::uint16_t>(FBuffer << 8);
    FCount -= 8;
    return byte;
  }

  std::size_t Consumed() const { return static_cast<std::size_t>(FNext - FStart); }
  // Whether bits past the end of the input were taken (the zero bytes that stand in for it are
  // the last ones in the buffer), which a whole stream never needs.
  bool RanOut() const { return FPadding * 8 > FCount; }

private:
  void Refill() {
    while (FCount < 9) {
      unsigned byte = 0;
      if (FNext != FEnd) {
        byte = *FNext++;
      } else {
        ++FPadding;
      }
      FBuffer = static_cast<std::uint16_t>(FBuffer | (byte << (8 - FCount)));
      FCount += 8;
    }
  }

  const std::uint8_t* FNext;
  const std::uint8_t* FEnd;
  const std::uint8_t* FStart;
  std::uint16_t FBuffer = 0;
  unsigned FCount = 0;
  std::size_t FPadding = 0; // zero bytes read past the end
};

// The work tables of one run; allocated per run, so an idle decoder holds nothing.
struct Workspace {
  AdaptiveHuffmanTree tree;
  std::array<std::uint8_t, kRingSize> ring{};
};

int DecodeSymbol(AdaptiveHuffmanTree& tree, BitReader& bits) {
  int node = tree.Child(kRoot);
  while (node < kNodeCount)
    node = tree.Child(node + static_cast<int>(bits.Bit()));
  const int symbol = node - kNodeCount;
  tree.Update(symbol);
  return symbol;
}

int DecodePosition(BitReader& bits) {
  unsigned code = bits.Byte();
  const unsigned upper = kPositionCode.upper[code];
  for (int extra = kPositionCode.length[code] - 2; extra > 0; --extra)
    code = (code << 1) | bits.Bit();
  return static_cast<int>((upper << 6) | (code & 0x3F));
}

} // namespace

std::size_t TLZH::Unpack(std::int32_t unpackedSize, std::span<const std::uint8_t> bitStream,
                         std::vector<std::uint8_t>& output) {
  output.clear();
  FRanOut = false;
  if (unpackedSize <= 0) return 0;
  if (unpackedSize > kMaxUnpackedSize) throw ElzhException(kLzhSizeOutOfRangeMessage);

  std::unique_ptr<Workspace> work;
  try {
    work = std::make_unique<Workspace>();
  } catch (const std::bad_alloc&) {
    throw ElzhException(kLzhNoMemoryMessage);
  }
  // Reserved once, so writing a byte never allocates.
  output.reserve(static_cast<std::size_t>(unpackedSize) + kMaxUnpackOvershoot);

  std::uint8_t* ring = work->ring.data();
  std::fill(ring, ring + kRingStart, kRingFill);
  BitReader bits(bitStream);
  unsigned r = kRingStart;
  const auto target = static_cast<std::size_t>(unpackedSize);

  while (output.size() < target) {
    const int symbol = DecodeSymbol(work->tree, bits);
    if (symbol < 256) {
      const auto byte = static_cast<std::uint8_t>(symbol);
      output.push_back(byte);
      ring[r] = byte;
      r = (r + 1) & kRingMask;
      continue;
    }
    // Byte by byte, so a match that overlaps its own output repeats the recent bytes.
    unsigned from = (r - static_cast<unsigned>(DecodePosition(bits)) - 1) & kRingMask;
    for (int left = MatchLength(symbol); left > 0; --left) {
      const std::uint8_t byte = ring[from];
      output.push_back(byte);
      ring[r] = byte;
      r = (r + 1) & kRingMask;
      from = (from + 1) & kRingMask;
    }
  }
  FRanOut = bits.RanOut();
  return bits.Consumed();
}

} // namespace skin
