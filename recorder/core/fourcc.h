// Four-character codes: the first letter in the lowest byte.
#pragma once

#include <cstdint>
#include <string>

namespace recorder {

constexpr std::uint32_t FourCC(const char (&code)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

inline std::string FourCCText(std::uint32_t code) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i)
    text[i] = static_cast<char>((code >> (8 * i)) & 0xFF);
  return text;
}

inline constexpr std::uint32_t kStreamTypeVideo = FourCC("vids");
inline constexpr std::uint32_t kStreamTypeAudio = FourCC("auds");
inline constexpr std::uint32_t kCompressorTypeVideo = FourCC("vidc");
inline constexpr std::uint32_t kDefaultCompressor = FourCC("MSVC");
inline constexpr std::uint32_t kNeverUsedCompressor = FourCC("IV50");

} // namespace recorder
