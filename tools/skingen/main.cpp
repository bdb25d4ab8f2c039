// skingen: draws the images of a skin we make (the program's own "Lanlin Lake", or "Inkstone"),
// the program bitmaps (24-bit BMP files) and the program's icon (recorder.ico) into a folder.
// Each skin's INI description lives next to its CMake rules (resources/skin/); skinpack packs
// images and description into the skin file.
#include "framework/core/bmp_writer.h"
#include "tools/skingen/app_icon.h"
#include "tools/skingen/skin_images.h"
#include "tools/skingen/theme.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) std::cerr << "skingen: cannot write " << path.string() << '\n';
  return static_cast<bool>(file);
}

int Write(const std::filesystem::path& folder, const std::vector<skingen::NamedImage>& images) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, image] : images)
    if (!WriteFile(folder / name, fw::SaveBmp24(image))) return 1;
  return 0;
}

int WriteProgramImages(const std::filesystem::path& folder) {
  if (int status = Write(folder, skingen::ProgramImages())) return status;
  return WriteFile(folder / "recorder.ico", skingen::AppIconFile()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  const std::string command = argc == 3 || argc == 4 ? argv[1] : "";
  try {
    skingen::Theme theme = skingen::LanlinLakeTheme();
    if (command == "skin" && (argc == 3 || skingen::ThemeNamed(argv[3], theme)))
      return Write(argv[2], skingen::SkinImages(theme));
    if (command == "program" && argc == 3) return WriteProgramImages(argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "skingen: " << error.what() << '\n';
    return 1;
  }
  std::cerr
      << "usage:\n  skingen skin DIR [THEME]  a skin's images; THEME lanlin-lake (the default,\n"
         "                            the program's own) or inkstone\n"
         "  skingen program DIR       glazemenu.bmp, track.bmp, trackvert.bmp, recorder.ico\n";
  return 2;
}
