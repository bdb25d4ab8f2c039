// The decoder of skin streams: an LZHUF bit stream (a 4096-byte sliding dictionary with an
// adaptive Huffman code for literals and match lengths) that unpacks to a skin archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace skin {

// Failures of unpacking a skin stream.
class ElzhException : public std::runtime_error {
public:
  explicit ElzhException(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhSizeOutOfRangeMessage = "LZH : Unpacked size out of range";

// Skins unpack to a few hundred KB. A declared size beyond this bound comes from a damaged or
// hostile file and is refused rather than allocated and decoded (a 30-byte file can claim 2 GiB).
inline constexpr std::int32_t kMaxUnpackedSize = 64 * 1024 * 1024;

// A match never starts once the unpacked size is reached, but the last one is written whole.
inline constexpr std::int32_t kMaxUnpackOvershoot = 59;

class TLZH {
public:
  // Replaces `output` with the decoding of `bitStream`, ending as soon as at least
  // `unpackedSize` bytes were produced (the last match may run up to kMaxUnpackOvershoot bytes
  // further). Bytes past the end of the stream read as 0, so a cut stream still ends. Nothing is
  // read for a size of 0 or less. Returns the number of stream bytes consumed.
  // Throws ElzhException when unpackedSize exceeds kMaxUnpackedSize or the work tables cannot be
  // allocated.
  std::size_t Unpack(std::int32_t unpackedSize, std::span<const std::uint8_t> bitStream,
                     std::vector<std::uint8_t>& output);

  // Whether the last Unpack took bits past the end of its stream: the stream was cut short, and
  // the output's tail was decoded from zero bits.
  bool RanOut() const { return FRanOut; }

private:
  bool FRanOut = false;
};

} // namespace skin
