#include "tools/skinpack/skin_archive_writer.h"

#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/core/skin_text.h"

#include <stdexcept>

namespace skinpack {

namespace {

void CheckName(const std::string& name) {
  if (name.empty()) throw std::invalid_argument("an entry has an empty name");
  if (name.find_first_of("\r\n") != std::string::npos) {
    throw std::invalid_argument("entry name holds a line break: " + name);
  }
  if (skin::AsciiLower(name) != name) {
    throw std::invalid_argument("entry name is not lower-case: " + name);
  }
}

} // namespace

std::vector<std::uint8_t> BuildArchive(const std::vector<SkinEntry>& entries) {
  if (entries.size() > static_cast<std::size_t>(skin::TSkinReader::kMaxEntries)) {
    throw std::invalid_argument("a skin holds at most " +
                                std::to_string(skin::TSkinReader::kMaxEntries) + " entries");
  }
  std::string names;
  std::size_t dataBytes = 0;
  for (const SkinEntry& entry : entries) {
    CheckName(entry.name);
    if (!names.empty()) names += "\r\n";
    names += entry.name;
    dataBytes += entry.data.size();
    if (entry.data.size() > static_cast<std::size_t>(skin::kMaxUnpackedSize) ||
        dataBytes > static_cast<std::size_t>(skin::kMaxUnpackedSize)) {
      throw std::invalid_argument("skin data larger than a skin may unpack to");
    }
  }

  std::vector<std::uint8_t> archive;
  archive.reserve(16 + names.size() + 4 * entries.size() + dataBytes);
  skin::AppendInt32LE(archive, kArchiveVersion);
  skin::AppendInt32LE(archive, static_cast<std::int32_t>(names.size()));
  archive.resize(16, 0); // reserved
  archive.insert(archive.end(), names.begin(), names.end());
  for (const SkinEntry& entry : entries) {
    skin::AppendInt32LE(archive, static_cast<std::int32_t>(entry.data.size()));
  }
  for (const SkinEntry& entry : entries) {
    archive.insert(archive.end(), entry.data.begin(), entry.data.end());
  }
  return archive;
}

} // namespace skinpack
