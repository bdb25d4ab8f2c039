// skinpack: makes skin files from a folder of images and an INI description, and looks inside
// skin files with the same readers the program uses.
#include "framework/core/bmp_writer.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skinpack/contact_sheet.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/sample_skin.h"
#include "tools/skinpack/skin_archive_writer.h"
#include "tools/skinpack/skin_folder.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using skinpack::ReadFileBytes;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage:\n"
    "  skinpack pack DIR OUT                      pack DIR (one .ini, .bmp files) into skin file "
    "OUT\n"
    "  skinpack list SKIN                         version, then name<TAB>size per entry\n"
    "  skinpack unpack SKIN DIR                   write every entry to DIR\n"
    "  skinpack ini SKIN SECTION KEY [DEFAULT]    a value of the skin's INI description\n"
    "  skinpack int SKIN SECTION KEY DEFAULT      the same, read as an integer\n"
    "  skinpack sections SKIN                     the INI description's sections\n"
    "  skinpack raw SKIN OUT                      write the unpacked archive to OUT\n"
    "  skinpack sample DIR [tiny]                 write a generated test skin folder to DIR\n"
    "  skinpack sheet SKIN OUT.bmp                draw every element of SKIN into a contact "
    "sheet\n";

// A failure to report on stderr with exit code 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

skin::TSkinReader LoadSkin(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  skin::TSkinReader reader;
  if (!reader.LoadFromStream(bytes)) {
    throw Failure(path + " is not a readable skin: " + reader.FailureReason());
  }
  return reader;
}

skin::TQuickIni LoadIni(const std::string& path) {
  return skin::SkinIni(LoadSkin(path));
}

int Pack(const std::string& folder, const std::string& out) {
  const auto archive = skinpack::BuildArchive(skinpack::ReadSkinFolder(folder));
  skinpack::WriteFileBytes(out, skinpack::PackSkinFile(archive));
  return 0;
}

int List(const std::string& path) {
  const skin::TSkinReader reader = LoadSkin(path);
  std::cout << "version " << reader.Version() << '\n';
  for (std::int32_t i = 0; i < reader.Count(); ++i) {
    std::cout << reader.Name(i) << '\t' << reader.DeclaredSize(i) << '\n';
  }
  return 0;
}

int Unpack(const std::string& path, const std::string& folder) {
  const skin::TSkinReader reader = LoadSkin(path);
  const auto refused = skinpack::WriteSkinFolder(reader, folder);
  for (const auto& name : refused) {
    std::cerr << "skinpack: entry \"" << name << "\" is not a plain file name; not written\n";
  }
  return refused.empty() ? 0 : kExitFailure;
}

int Raw(const std::string& path, const std::string& out) {
  std::vector<std::uint8_t> archive;
  try {
    skin::TSkinReader::Unpack(ReadFileBytes(path), archive);
  } catch (const std::exception& error) {
    throw Failure(path + " is not a readable skin: " + error.what());
  }
  skinpack::WriteFileBytes(out, archive);
  return 0;
}

int Sample(const std::string& folder, bool tiny) {
  fs::create_directories(folder);
  for (const auto& entry :
       skinpack::MakeSampleSkin(tiny ? skinpack::SampleSize::kTiny : skinpack::SampleSize::kFull)) {
    skinpack::WriteFileBytes(fs::path(folder) / entry.name, entry.data);
  }
  return 0;
}

int Sheet(const std::string& path, const std::string& out) {
  const skin::TSkinReader reader = LoadSkin(path);
  const skin::TQuickIni ini = skin::SkinIni(reader);
  skin::TSkinElements elements;
  try {
    skin::LoadSkinElements(reader, ini, {}, elements);
  } catch (const std::exception& error) {
    throw Failure(path + " does not load: " + error.what());
  }
  skinpack::WriteFileBytes(out, fw::SaveBmp24(skinpack::ContactSheet(elements)));
  return 0;
}

int IntegerArgument(const std::string& text) {
  std::size_t used = 0;
  const long long value = std::stoll(text, &used);
  if (used != text.size() || value < INT32_MIN || value > INT32_MAX)
    throw std::invalid_argument(text);
  return static_cast<int>(value);
}

int Run(const std::vector<std::string>& args) {
  const std::size_t n = args.size();
  const std::string command = n > 0 ? args[0] : "";
  if (command == "pack" && n == 3) return Pack(args[1], args[2]);
  if (command == "list" && n == 2) return List(args[1]);
  if (command == "unpack" && n == 3) return Unpack(args[1], args[2]);
  if (command == "raw" && n == 3) return Raw(args[1], args[2]);
  if (command == "sheet" && n == 3) return Sheet(args[1], args[2]);
  if (command == "sample" && (n == 2 || (n == 3 && args[2] == "tiny")))
    return Sample(args[1], n == 3);
  if (command == "ini" && (n == 4 || n == 5)) {
    std::cout << LoadIni(args[1]).ReadString(args[2], args[3], n == 5 ? args[4] : "") << '\n';
    return 0;
  }
  if (command == "int" && n == 5) {
    int fallback = 0;
    try {
      fallback = IntegerArgument(args[4]);
    } catch (const std::exception&) {
      std::cerr << "skinpack: DEFAULT must be a 32-bit integer, not \"" << args[4] << "\"\n";
      return kExitUsage;
    }
    std::cout << LoadIni(args[1]).ReadInteger(args[2], args[3], fallback) << '\n';
    return 0;
  }
  if (command == "sections" && n == 2) {
    for (const auto& name : LoadIni(args[1]).ReadSections())
      std::cout << name << '\n';
    return 0;
  }
  std::cerr << kUsage;
  return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "skinpack: " << error.what() << '\n';
    return kExitFailure;
  }
}
