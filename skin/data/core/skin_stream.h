// The framing around a skin's LZH stream: the skin file (4-byte unpacked size, then the bit
// stream) and the SkinStream property value that embeds a skin file behind a 4-byte length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skin {

inline constexpr std::size_t kSizeFieldBytes = 4;

// Reads a little-endian signed 32-bit value; the caller guarantees 4 bytes.
std::int32_t ReadInt32LE(const std::uint8_t* bytes);
void AppendInt32LE(std::vector<std::uint8_t>& out, std::int32_t value);

// The unpacked size U at the head of a skin file. Throws ElzhException when the file is shorter
// than its size field.
std::int32_t ReadUnpackedSize(std::span<const std::uint8_t> skinFile);

// Unpacks a whole skin file into `archive` (replacing its content). A size of 0 or less gives an
// empty archive. Returns false when the bit stream was cut short (the archive's tail is then
// decoded from zero bits). Throws ElzhException for a file shorter than its size field, a size
// beyond kMaxUnpackedSize, or when the decoder's tables cannot be allocated.
bool UnpackSkinFile(std::span<const std::uint8_t> skinFile, std::vector<std::uint8_t>& archive);

// A SkinStream property value as read from a form resource.
struct SkinStreamValue {
  std::span<const std::uint8_t> skinFile; // empty when the value stores no skin
  std::size_t bytesUsed = 0;              // the length field plus the skin file
};

// Splits a property value into its skin file. A length of 0 or less stores no skin and nothing
// follows it. Throws ElzhException when the value is shorter than its length field says.
SkinStreamValue ReadSkinStreamValue(std::span<const std::uint8_t> value);

// The property value that stores `skinFile`; an empty file is stored as the length 0 alone.
// Throws ElzhException for a file too long for the length field.
std::vector<std::uint8_t> WriteSkinStreamValue(std::span<const std::uint8_t> skinFile);

} // namespace skin
