// A skin file is tried in full before it is used: every way a file can fail to load is named,
// and the skin readers' own message is kept back meanwhile.
#include "app/core/skin_file_check.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/sample_skin.h"
#include "tools/skinpack/skin_archive_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using app::SkinFileProblem;
using skinpack::SkinEntry;

std::vector<SkinEntry> Sample() {
  return skinpack::MakeSampleSkin(skinpack::SampleSize::kTiny);
}

std::vector<std::uint8_t> Packed(const std::vector<SkinEntry>& entries) {
  return skinpack::PackSkinFile(skinpack::BuildArchive(entries));
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.rfind(start, 0) == 0;
}

TEST(SkinFileCheck, ASkinThatLoadsHasNoProblem) {
  EXPECT_EQ(SkinFileProblem(Packed(Sample()), {}), L"");
}

TEST(SkinFileCheck, EachWayOfFailingIsNamed) {
  EXPECT_EQ(SkinFileProblem({}, {}), L"the file is empty");
  const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 's', 'k', 'i', 'n'};
  EXPECT_TRUE(StartsWith(SkinFileProblem(text, {}), L"it is not a skin file"));
  std::vector<std::uint8_t> cut = Packed(Sample());
  cut.resize(cut.size() / 2);
  EXPECT_TRUE(StartsWith(SkinFileProblem(cut, {}), L"it is not a skin file"));

  std::vector<SkinEntry> noIni = Sample();
  std::erase_if(noIni, [](const SkinEntry& e) { return e.name.ends_with(".ini"); });
  EXPECT_EQ(SkinFileProblem(Packed(noIni), {}), L"it holds no skin description (no .ini entry)");

  std::vector<SkinEntry> damaged = Sample();
  for (SkinEntry& e : damaged)
    if (e.name.ends_with(".bmp")) e.data = {'B', 'M', 1, 2, 3};
  EXPECT_TRUE(StartsWith(SkinFileProblem(Packed(damaged), {}), L"a picture in it is damaged"));
}

TEST(SkinFileCheck, AnOlderArchiveIsNamedWithoutTheReadersMessage) {
  std::vector<std::uint8_t> archive = skinpack::BuildArchive(Sample());
  archive[0] = 0x10, archive[1] = 0x27, archive[2] = 0, archive[3] = 0; // version 10000
  int shown = 0;
  skin::SetSkinMessageHandler([&](const std::string&) { ++shown; });
  const std::wstring problem = SkinFileProblem(skinpack::PackSkinFile(archive), {});
  EXPECT_NE(problem.find(L"10000"), std::wstring::npos)
      << std::string(problem.begin(), problem.end());
  EXPECT_EQ(shown, 0);
  skin::TSkinReader reader;
  EXPECT_FALSE(reader.LoadFromStream(skinpack::PackSkinFile(archive)));
  EXPECT_EQ(shown, 1) << "the program's handler is back";
  skin::SetSkinMessageHandler({});
}

} // namespace
