// Any unpacked archive is either refused or read into a directory whose every lookup stays
// within the archive's data and agrees with the directory.
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  skin::TSkinReader reader;
  if (!reader.LoadFromArchive(std::span<const std::uint8_t>(data, size))) {
    if (reader.FailureReason().empty() || reader.Count() != 0) std::abort();
    return 0;
  }
  if (reader.Count() > skin::TSkinReader::kMaxEntries) std::abort();

  std::vector<std::uint8_t> target;
  for (std::int32_t i = 0; i < reader.Count(); ++i) {
    const auto bytes = reader.EntryBytes(i);
    const std::int32_t declared = reader.DeclaredSize(i);
    if (bytes.size() > static_cast<std::size_t>(declared < 0 ? 0 : declared)) std::abort();
    if (bytes.size() > size) std::abort();
    if (reader.Name(i) != skin::AsciiLower(reader.Name(i))) std::abort();

    // ReadEntry must give the first entry of this name, in any case of the name.
    reader.ReadEntry(reader.Name(i), target);
    std::int32_t first = 0;
    while (reader.Name(first) != reader.Name(i))
      ++first;
    const auto expected = reader.EntryBytes(first);
    if (target.size() != expected.size() ||
        !std::equal(target.begin(), target.end(), expected.begin())) {
      std::abort();
    }
  }

  std::string fullName;
  reader.FindEntry(".ini", target, fullName);
  if (!target.empty() && fullName.find(".ini") == std::string::npos) std::abort();
  reader.ReadEntry("top.bmp", target);
  return 0;
}
