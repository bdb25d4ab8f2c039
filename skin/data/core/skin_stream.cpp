#include "skin/data/core/skin_stream.h"

#include "skin/data/core/lzh.h"

#include <cstdint>

namespace skin {

namespace {
constexpr const char* kShortSkinFileMessage = "LZH : Skin file shorter than its size field";
constexpr const char* kShortSkinStreamMessage = "LZH : Skin stream shorter than its length field";
} // namespace

std::int32_t ReadInt32LE(const std::uint8_t* bytes) {
  const std::uint32_t value =
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

void AppendInt32LE(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::int32_t ReadUnpackedSize(std::span<const std::uint8_t> skinFile) {
  if (skinFile.size() < kSizeFieldBytes) throw ElzhException(kShortSkinFileMessage);
  return ReadInt32LE(skinFile.data());
}

bool UnpackSkinFile(std::span<const std::uint8_t> skinFile, std::vector<std::uint8_t>& archive) {
  const std::int32_t unpackedSize = ReadUnpackedSize(skinFile);
  TLZH decoder;
  decoder.Unpack(unpackedSize, skinFile.subspan(kSizeFieldBytes), archive);
  return !decoder.RanOut();
}

SkinStreamValue ReadSkinStreamValue(std::span<const std::uint8_t> value) {
  if (value.size() < kSizeFieldBytes) throw ElzhException(kShortSkinStreamMessage);
  const std::int32_t length = ReadInt32LE(value.data());
  if (length <= 0) return {{}, kSizeFieldBytes};
  const auto fileSize = static_cast<std::size_t>(length);
  if (value.size() - kSizeFieldBytes < fileSize) throw ElzhException(kShortSkinStreamMessage);
  return {value.subspan(kSizeFieldBytes, fileSize), kSizeFieldBytes + fileSize};
}

std::vector<std::uint8_t> WriteSkinStreamValue(std::span<const std::uint8_t> skinFile) {
  if (skinFile.size() > static_cast<std::size_t>(INT32_MAX))
    throw ElzhException(kLzhSizeOutOfRangeMessage);
  std::vector<std::uint8_t> value;
  value.reserve(kSizeFieldBytes + skinFile.size());
  AppendInt32LE(value, static_cast<std::int32_t>(skinFile.size()));
  value.insert(value.end(), skinFile.begin(), skinFile.end());
  return value;
}

} // namespace skin
