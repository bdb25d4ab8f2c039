// Builds version-20000 skin archives: the layout TSkinReader reads, with no extra header block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skinpack {

struct SkinEntry {
  std::string name;
  std::vector<std::uint8_t> data;
};

inline constexpr std::int32_t kArchiveVersion = 20000;

// The archive of `entries` in the given order: header, CR LF separated names, sizes, data.
// Throws std::invalid_argument for names the reader could not find again (empty, not lower-case,
// holding CR or LF), for more entries than the reader accepts, or for entries too large.
std::vector<std::uint8_t> BuildArchive(const std::vector<SkinEntry>& entries);

} // namespace skinpack
