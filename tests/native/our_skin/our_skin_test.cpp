// The skins we make, built as the build does (skingen's images in a theme, the skin's INI from
// resources/skin, skinpack): the program's own Lanlin Lake and the Inkstone skin shipped beside
// it. Every element the painters look for is present with real images, frames divide the images
// evenly, the INI's sizes are the images', and the contact sheets are left as artefacts
// ($RECORDER_ARTIFACTS/skin).
#include "framework/core/bmp_writer.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skingen/skin_images.h"
#include "tools/skingen/theme.h"
#include "tools/skinpack/contact_sheet.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/skin_archive_writer.h"
#include "tools/skinpack/skin_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace {

struct OurSkin {
  std::vector<std::uint8_t> file;
  skin::TSkinElements elements;
  skin::TQuickIni ini;
  std::vector<std::string> imageNames;
};

struct SkinCase {
  const char* themeName; // skingen's
  const char* iniPath;
  const char* skinName;  // as its INI says
  const char* sheetName; // the contact sheet's file
};

OurSkin Build(const SkinCase& c) {
  OurSkin s;
  skingen::Theme theme;
  if (!skingen::ThemeNamed(c.themeName, theme)) throw std::runtime_error("no such theme");
  std::vector<skinpack::SkinEntry> entries;
  for (const auto& [name, image] : skingen::SkinImages(theme)) {
    entries.push_back({name, fw::SaveBmp24(image)});
    s.imageNames.push_back(name);
  }
  entries.push_back({"skin.ini", skinpack::ReadFileBytes(c.iniPath)});
  s.file = skinpack::PackSkinFile(skinpack::BuildArchive(entries));
  skin::TSkinReader reader;
  if (!reader.LoadFromStream(s.file)) throw std::runtime_error("the skin does not unpack");
  s.ini = skin::SkinIni(reader);
  skin::LoadSkinElements(reader, s.ini, {}, s.elements);
  return s;
}

class OurSkins : public testing::TestWithParam<SkinCase> {
protected:
  const OurSkin& Loaded() {
    static std::map<std::string, OurSkin> built;
    auto it = built.find(GetParam().themeName);
    if (it == built.end()) it = built.emplace(GetParam().themeName, Build(GetParam())).first;
    return it->second;
  }
  skingen::Theme Theme() const {
    skingen::Theme theme;
    skingen::ThemeNamed(GetParam().themeName, theme);
    return theme;
  }
};

// Every image the INI names exists in the archive and loads (no empty element by a typo).
TEST_P(OurSkins, EveryNamedImageIsPresent) {
  const OurSkin& s = Loaded();
  const std::vector<std::string> lines = s.ini.Lines();
  const std::vector<std::string>& names = s.imageNames;
  for (const std::string& line : lines) {
    const std::size_t at = line.find(".bmp");
    if (at == std::string::npos) continue;
    const std::string file = line.substr(line.find('=') + 1);
    EXPECT_NE(std::find(names.begin(), names.end(), file), names.end()) << line;
  }
}

TEST_P(OurSkins, EveryElementOfTheLoadTableHasAnImage) {
  const skin::TSkinElements& e = Loaded().elements;
  const std::pair<const char*, const skin::TDataSkinObject*> members[] = {
      {"Left", e.Left.get()},
      {"Right", e.Right.get()},
      {"Top", e.Top.get()},
      {"Bottom", e.Bottom.get()},
      {"Buttons", e.Buttons.get()},
      {"Title", e.Title.get()},
      {"Progress", e.Progress.get()},
      {"Progress.Chunk", e.ProgressChunk.get()},
      {"menuBar", e.MenuBar.get()},
      {"GroupBoxEdge", e.GroupBoxEdge.get()},
      {"GroupBox", e.GroupBox.get()},
      {"Tabs", e.Tabs.get()},
      {"StatusBarEdges", e.StatusBarEdges.get()},
      {"Tab.Pane", e.TabPane.get()},
      {"ToolBars", e.ToolBars.get()},
      {"ComboButton", e.ComboButton.get()},
      {"SunkEdge", e.SunkEdge.get()},
      {"ExtraImages", e.ExtraImages.get()},
      {"Headerbar", e.Headerbar.get()},
      {"MenuItem", e.MenuItem.get()},
      {"MenuBackground", e.MenuBackground.get()},
      {"Scrollbar", e.Scrollbar.get()},
      {"HorzScroll", e.HorzScroll.get()},
      {"VertScroll", e.VertScroll.get()},
      {"HorzScrollThumb", e.HorzScrollThumb.get()},
      {"VertScrollThumb", e.VertScrollThumb.get()},
      {"Trackbar.ThumbHorz", e.TrackbarThumbHorz.get()},
      {"Trackbar.ThumbVert", e.TrackbarThumbVert.get()},
      {"Trackbar.ThumbLeft", e.TrackbarThumbLeft.get()},
      {"Trackbar.ThumbRight", e.TrackbarThumbRight.get()},
      {"Trackbar.ThumbUp", e.TrackbarThumbUp.get()},
      {"Trackbar.ThumbDown", e.TrackbarThumbDown.get()},
      {"UpDown.Horz", e.UpDownHorz.get()},
      {"UpDown.Vert", e.UpDownVert.get()},
      {"Track", e.Track.get()},
      {"TRACKVERT", e.TrackVert.get()},
      {"ComboxArrow", e.ComboxArrow.get()},
  };
  for (const auto& [name, element] : members) {
    ASSERT_NE(element, nullptr) << name;
    EXPECT_FALSE(element->Bitmap.Empty()) << name;
    // Frames side by side (or stacked for the frame's top and bottom, the caption band and
    // the menu bar) divide the image evenly.
    const bool stacked = element == e.Top.get() || element == e.Bottom.get() ||
                         element == e.Title.get() || element == e.MenuBar.get();
    const int length = stacked ? element->Bitmap.Height() : element->Bitmap.Width();
    EXPECT_EQ(length % std::max(element->FrameCount, 1), 0) << name << " " << length;
  }
  EXPECT_FALSE(e.Buttons->CheckBitmap.Empty());
  EXPECT_FALSE(e.Buttons->RadioBitmap.Empty());
  EXPECT_EQ(e.Buttons->CheckButtonFrame, 12);
  EXPECT_EQ(e.Buttons->RadioButtonFrame, 8);
  EXPECT_FALSE(e.UpDownHorz->Bitmap2.Empty());
  EXPECT_FALSE(e.Tabs->Bitmap2.Empty());
  EXPECT_EQ(e.ComboButton->Style, 2) << "the combo images were composed";
}

TEST_P(OurSkins, CaptionButtonsAreTheFourWindowButtonsTheIconAndTheMdiButtons) {
  const skin::TSkinElements& e = Loaded().elements;
  ASSERT_EQ(e.CaptionButtons.size(), 8u);
  const int actions[8] = {2, 1, 0, 1, 3, 7, 8, 9};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(e.CaptionButtons[static_cast<std::size_t>(i)]->Action, actions[i]) << i;
  EXPECT_EQ(e.CaptionButtons[1]->Visibility, 2);
  EXPECT_EQ(e.CaptionButtons[3]->Visibility, 1);
  EXPECT_EQ(e.CaptionButtons[1]->XCoord, e.CaptionButtons[3]->XCoord)
      << "maximize and restore share one place";
  EXPECT_TRUE(e.CaptionButtons[4]->Bitmap.Empty()) << "the icon button draws the window icon";
  for (int i : {0, 1, 2, 3}) {
    const auto& b = *e.CaptionButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.FrameCount, 4);
    EXPECT_GT(b.XCoord, b.Bitmap.Width() / 4) << "inside the window from its right edge";
  }
  for (int i : {5, 6, 7})
    EXPECT_FALSE(e.CaptionButtons[static_cast<std::size_t>(i)]->Bitmap.Empty());
}

TEST_P(OurSkins, BordersShapeTheWindowAndTheCaptionIsReadable) {
  const skin::TSkinElements& e = Loaded().elements;
  const skingen::Theme theme = Theme();
  for (const auto* b : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()})
    EXPECT_EQ(b->Trans, 1) << b->Name;
  // The cut top-left corner: the left border's first pixel is transparent.
  EXPECT_EQ(e.Left->Bitmap.At(0, 0), fw::kMagentaPixel);
  // The INI's sizes are the images'.
  EXPECT_EQ(e.Top->Bitmap.Height() / e.Top->FrameCount, theme.captionHeight);
  EXPECT_EQ(e.Left->TopHeight, theme.captionHeight) << "the side borders keep the caption fixed";
  EXPECT_EQ(e.Left->Bitmap.Width() / e.Left->FrameCount, theme.borderWidth);
  EXPECT_EQ(e.Bottom->Bitmap.Height() / e.Bottom->FrameCount, theme.borderWidth);
  for (int i : {0, 1, 2, 3}) {
    const auto& b = *e.CaptionButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.Bitmap.Height(), theme.captionButtonHeight);
    EXPECT_LE(b.YCoord + b.Bitmap.Height(), theme.captionHeight) << "inside the caption";
  }
  // White caption text on a dark caption: at least 3:1 luminance contrast.
  auto luma = [](fw::ColorRef c) {
    return 0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * ((c >> 16) & 0xFF);
  };
  const double text = luma(e.Colour(skin::kTitleTextActive));
  const double caption = luma(e.CaptionSampleColour());
  EXPECT_GT((text + 13) / (caption + 13), 2.0);
  // Dark menu text on a light menu, where the system's black check mark shows too.
  EXPECT_GT(luma(e.Colour(skin::kMenu)), 180);
  EXPECT_LT(luma(e.Colour(skin::kMenuText)), 90);
  EXPECT_EQ(e.SkinName, GetParam().skinName);
}

TEST_P(OurSkins, ContactSheetIsWritten) {
  const fw::TBitmap sheet = skinpack::ContactSheet(Loaded().elements);
  EXPECT_GT(sheet.Width(), 600);
  EXPECT_GT(sheet.Height(), 1000);
  const char* artifacts = std::getenv("RECORDER_ARTIFACTS");
  const std::filesystem::path folder = artifacts ? std::filesystem::path(artifacts) / "skin"
                                                 : std::filesystem::path(SHEET_DEFAULT_DIR);
  std::filesystem::create_directories(folder);
  skinpack::WriteFileBytes(folder / GetParam().sheetName, fw::SaveBmp24(sheet));
  EXPECT_TRUE(std::filesystem::exists(folder / GetParam().sheetName));
}

// The two skins are told apart at a glance: the caption's colour and the corners' shape.
TEST(OurSkinsDiffer, InColourAndShape) {
  const skingen::Theme lanlin = skingen::LanlinLakeTheme(), inkstone = skingen::InkstoneTheme();
  EXPECT_NE(lanlin.corners, inkstone.corners);
  EXPECT_NE(lanlin.diamondRadio, inkstone.diamondRadio);
  auto distance = [](fw::Pixel a, fw::Pixel b) {
    int d = 0;
    for (int shift : {0, 8, 16})
      d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
  };
  EXPECT_GT(distance(lanlin.captionTop, inkstone.captionTop), 150);
  EXPECT_GT(distance(lanlin.face, inkstone.face), 20);
  EXPECT_GT(distance(lanlin.edgeHot, inkstone.edgeHot), 150);
}

INSTANTIATE_TEST_SUITE_P(
    Skins, OurSkins,
    testing::Values(SkinCase{"lanlin-lake", SKIN_INI_PATH, "Lanlin Lake", "skin-sheet.bmp"},
                    SkinCase{"inkstone", INKSTONE_INI_PATH, "Inkstone", "inkstone-sheet.bmp"}),
    [](const testing::TestParamInfo<SkinCase>& info) {
      return std::string(info.param.skinName[0] == 'L' ? "LanlinLake" : "Inkstone");
    });

} // namespace
