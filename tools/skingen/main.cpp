// skingen: draws the images of the program's own skin and its program bitmaps into a folder,
// as 24-bit BMP files. The skin's INI description lives next to its CMake rules
// (resources/skin/); skinpack packs both into the skin file.
#include "framework/core/bmp_writer.h"
#include "tools/skingen/skin_images.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int Write(const std::filesystem::path& folder, const std::vector<skingen::NamedImage>& images) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, image] : images) {
    const auto bytes = fw::SaveBmp24(image);
    std::ofstream file(folder / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::cerr << "skingen: cannot write " << (folder / name).string() << '\n';
      return 1;
    }
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::string command = argc == 3 ? argv[1] : "";
  try {
    if (command == "skin") return Write(argv[2], skingen::SkinImages());
    if (command == "program") return Write(argv[2], skingen::ProgramImages());
  } catch (const std::exception& error) {
    std::cerr << "skingen: " << error.what() << '\n';
    return 1;
  }
  std::cerr << "usage:\n  skingen skin DIR      the skin's images\n"
               "  skingen program DIR   glazemenu.bmp, track.bmp, trackvert.bmp\n";
  return 2;
}
