#include "test_skin_builder.h"

#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"
#include "test_bmp.h"

namespace elementtest {

TestSkin& TestSkin::Image(const std::string& name, const TBitmap& image) {
  entries.emplace_back(name, bmptest::Bmp24Of(image));
  return *this;
}

TestSkin& TestSkin::Raw(const std::string& name, std::vector<std::uint8_t> bytes) {
  entries.emplace_back(name, std::move(bytes));
  return *this;
}

void TestSkin::LoadInto(skin::TSkinElements& elements) const {
  // A version-20000 archive: header, CR LF separated names, sizes, data.
  std::vector<std::uint8_t> archive;
  std::string names;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> all = entries;
  all.emplace_back("test.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
  for (const auto& [name, data] : all)
    names += (names.empty() ? "" : "\r\n") + name;
  skin::AppendInt32LE(archive, 20000);
  skin::AppendInt32LE(archive, static_cast<std::int32_t>(names.size()));
  archive.resize(archive.size() + 8, 0);
  archive.insert(archive.end(), names.begin(), names.end());
  for (const auto& entry : all)
    skin::AppendInt32LE(archive, static_cast<std::int32_t>(entry.second.size()));
  for (const auto& entry : all)
    archive.insert(archive.end(), entry.second.begin(), entry.second.end());

  skin::TSkinReader reader;
  if (!reader.LoadFromArchive(archive)) throw std::runtime_error("test archive not readable");
  const skin::TQuickIni quickIni = skin::SkinIni(reader);
  skin::LoadSkinElements(reader, quickIni, env, elements);
}

skin::TSkinElements TestSkin::Load() const {
  skin::TSkinElements elements;
  LoadInto(elements);
  return elements;
}

TBitmap SolidFrames(int frameWidth, int height, const std::vector<Pixel>& colours) {
  TBitmap image(frameWidth * static_cast<int>(colours.size()), height);
  for (std::size_t k = 0; k < colours.size(); ++k)
    image.FillRect(
        {frameWidth * static_cast<int>(k), 0, frameWidth * static_cast<int>(k + 1), height},
        colours[k]);
  return image;
}

} // namespace elementtest
