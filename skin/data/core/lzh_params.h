// Parameters of the skin stream's LZHUF coding, shared by the decoder in the program and the
// encoder of the skin packer: both must agree on every one of them bit for bit.
#pragma once

#include <array>
#include <cstdint>

namespace skin::lzh {

inline constexpr int kRingSize = 4096;                            // N
inline constexpr int kRingMask = kRingSize - 1;                   // positions are modulo N
inline constexpr int kMaxMatch = 60;                              // F
inline constexpr int kThreshold = 2;                              // longer matches are coded
inline constexpr int kMinMatch = kThreshold + 1;                  // 3
inline constexpr int kSymbolCount = 256 - kThreshold + kMaxMatch; // N_CHAR = 314
inline constexpr int kNodeCount = 2 * kSymbolCount - 1;           // T = 627
inline constexpr int kRoot = kNodeCount - 1;                      // R = 626
inline constexpr std::uint16_t kMaxFreq = 0x8000;                 // root weight that rebuilds
inline constexpr int kRingStart = kRingSize - kMaxMatch;          // first write position, 4036
inline constexpr std::uint8_t kRingFill = 0x20;                   // history before the data
inline constexpr int kLengthBias = 255 - kThreshold;              // symbol = length + 253

// A match symbol c copies c - kLengthBias bytes.
constexpr int MatchLength(int symbol) {
  return symbol - kLengthBias;
}
constexpr int MatchSymbol(int length) {
  return length + kLengthBias;
}

// The static prefix code of the upper 6 bits of a match position, indexed by the first 8 bits
// read: the shorter the code, the more byte values share it. Group g holds `values` upper values,
// each repeated `repeat` times, all with a code of 3 + g bits.
struct PositionCodeTables {
  std::array<std::uint8_t, 256> upper{};  // d_code
  std::array<std::uint8_t, 256> length{}; // d_len
};

constexpr PositionCodeTables MakePositionCodeTables() {
  struct Group {
    int repeat;
    int values;
  };
  constexpr Group groups[] = {{32, 1}, {16, 3}, {8, 8}, {4, 12}, {2, 24}, {1, 16}};
  PositionCodeTables tables;
  int index = 0;
  int upper = 0;
  int codeLength = 3;
  for (const Group& group : groups) {
    for (int v = 0; v < group.values; ++v, ++upper) {
      for (int r = 0; r < group.repeat; ++r, ++index) {
        tables.upper[index] = static_cast<std::uint8_t>(upper);
        tables.length[index] = static_cast<std::uint8_t>(codeLength);
      }
    }
    ++codeLength;
  }
  return tables;
}

inline constexpr PositionCodeTables kPositionCode = MakePositionCodeTables();

static_assert(kPositionCode.upper[255] == 63 && kPositionCode.length[255] == 8);
static_assert(kPositionCode.upper[31] == 0 && kPositionCode.upper[32] == 1);

} // namespace skin::lzh
