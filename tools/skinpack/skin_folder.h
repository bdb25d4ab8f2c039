// A skin as a folder of files: one .ini description and its .bmp images.
#pragma once

#include "tools/skinpack/skin_archive_writer.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace skin {
class TSkinReader;
}

namespace skinpack {

// The folder's files as entries named by their lower-cased file names, sorted by name. Throws
// std::runtime_error unless the folder holds exactly one .ini file and otherwise only .bmp
// files, with no two names equal after lower-casing.
std::vector<SkinEntry> ReadSkinFolder(const std::filesystem::path& folder);

// Writes every entry of `reader` (empty ones too) to `folder` under its name; of duplicate names
// the first wins, as lookups by name find it. Names that are not a plain file name (a folder
// separator, "." or "..") are never written: they are returned so the caller can report them.
std::vector<std::string> WriteSkinFolder(const skin::TSkinReader& reader,
                                         const std::filesystem::path& folder);

// Reads a whole file; throws std::runtime_error naming the file when it cannot.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

} // namespace skinpack
