#include "recorder/core/stream_length.h"

#include "recorder/core/little_endian.h"

#include <cstring>

namespace recorder {

namespace {

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kListHeader = 12;
// dwLength after fccType, fccHandler, dwFlags, wPriority, wLanguage, dwInitialFrames, dwScale,
// dwRate and dwStart.
constexpr std::size_t kLengthInStreamHeader = 32;

bool Is(std::span<const std::uint8_t> bytes, std::size_t at, const char* code) {
  return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, code, 4) == 0;
}

} // namespace

std::optional<std::size_t> StreamLengthOffset(std::span<const std::uint8_t> head,
                                              std::size_t stream) {
  if (!Is(head, 0, "RIFF") || !Is(head, 8, "AVI ") || !Is(head, 12, "LIST") ||
      !Is(head, 20, "hdrl"))
    return std::nullopt;
  const std::uint64_t hdrlEnd = 20 + static_cast<std::uint64_t>(LoadU32(head.data() + 16));
  std::size_t seen = 0;
  for (std::uint64_t at = 24; at + kChunkHeader <= hdrlEnd && at + kChunkHeader <= head.size();) {
    const std::size_t here = static_cast<std::size_t>(at);
    const std::uint64_t size = LoadU32(head.data() + here + 4);
    if (Is(head, here, "LIST") && Is(head, here + 8, "strl") && seen++ == stream) {
      const std::size_t strh = here + kListHeader;
      const std::size_t field = strh + kChunkHeader + kLengthInStreamHeader;
      if (!Is(head, strh, "strh") || LoadU32(head.data() + strh + 4) < kLengthInStreamHeader + 4 ||
          field + 4 > head.size())
        return std::nullopt;
      return field;
    }
    at += kChunkHeader + size + (size & 1);
  }
  return std::nullopt;
}

} // namespace recorder
