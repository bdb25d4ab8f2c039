// Little-endian numbers in the bytes of files the recorder writes itself: the journals of
// recordings and the headers and index of a mended AVI file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace recorder {

inline std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Bytes appended one number at a time.
class LittleEndianBytes {
public:
  void U16(std::uint16_t v) {
    data.push_back(static_cast<std::uint8_t>(v));
    data.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void U64(std::uint64_t v) {
    U32(static_cast<std::uint32_t>(v));
    U32(static_cast<std::uint32_t>(v >> 32));
  }
  void Append(const std::vector<std::uint8_t>& bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  // Writes a number known only later (a length) over four bytes appended before.
  void PutU32(std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i)
      data[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }

  std::vector<std::uint8_t> data;
};

} // namespace recorder
