#include "tools/skinpack/skin_folder.h"

#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace skinpack {

namespace fs = std::filesystem;

namespace {

bool HasExtension(const std::string& lowerName, std::string_view extension) {
  return lowerName.size() > extension.size() && lowerName.ends_with(extension);
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + file.string());
  return bytes;
}

void WriteFileBytes(const fs::path& file, std::span<const std::uint8_t> bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::vector<SkinEntry> ReadSkinFolder(const fs::path& folder) {
  if (!fs::is_directory(folder)) throw std::runtime_error(folder.string() + " is not a folder");
  std::vector<SkinEntry> entries;
  std::set<std::string> seen;
  int iniFiles = 0;
  for (const fs::directory_entry& item : fs::directory_iterator(folder)) {
    const std::string fileName = item.path().filename().string();
    const std::string name = skin::AsciiLower(fileName);
    if (!item.is_regular_file()) {
      throw std::runtime_error(fileName + " is not a file; a skin folder holds only files");
    }
    if (HasExtension(name, ".ini")) {
      ++iniFiles;
    } else if (!HasExtension(name, ".bmp")) {
      throw std::runtime_error(fileName + " is neither the .ini description nor a .bmp image");
    }
    if (!seen.insert(name).second) {
      throw std::runtime_error("two files are named " + name + " once lower-cased");
    }
    entries.push_back({name, ReadFileBytes(item.path())});
  }
  if (iniFiles != 1) {
    throw std::runtime_error(folder.string() + " holds " + std::to_string(iniFiles) +
                             " .ini files; a skin has exactly one");
  }
  std::sort(entries.begin(), entries.end(),
            [](const SkinEntry& a, const SkinEntry& b) { return a.name < b.name; });
  return entries;
}

std::vector<std::string> WriteSkinFolder(const skin::TSkinReader& reader, const fs::path& folder) {
  fs::create_directories(folder);
  std::vector<std::string> refused;
  std::set<std::string> written;
  for (std::int32_t i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Name(i);
    if (!IsPlainFileName(name)) {
      refused.push_back(name);
      continue;
    }
    if (!written.insert(name).second) continue;
    WriteFileBytes(folder / name, reader.EntryBytes(i));
  }
  return refused;
}

} // namespace skinpack
