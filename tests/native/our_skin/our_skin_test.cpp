// The program's own skin, built as the build does (skingen's images, resources/skin/skin.ini,
// skinpack): every element the painters look for is present with real images, frames divide
// the images evenly, and the contact sheet is left as an artefact ($RECORDER_ARTIFACTS/skin).
#include "framework/core/bmp_writer.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skingen/skin_images.h"
#include "tools/skinpack/contact_sheet.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/skin_archive_writer.h"
#include "tools/skinpack/skin_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

struct OurSkin {
  std::vector<std::uint8_t> file;
  skin::TSkinElements elements;
  skin::TQuickIni ini;
};

const OurSkin& Loaded() {
  static const OurSkin skin = [] {
    OurSkin s;
    std::vector<skinpack::SkinEntry> entries;
    for (const auto& [name, image] : skingen::SkinImages())
      entries.push_back({name, fw::SaveBmp24(image)});
    entries.push_back({"skin.ini", skinpack::ReadFileBytes(SKIN_INI_PATH)});
    s.file = skinpack::PackSkinFile(skinpack::BuildArchive(entries));
    skin::TSkinReader reader;
    if (!reader.LoadFromStream(s.file)) throw std::runtime_error("our skin does not unpack");
    s.ini = skin::SkinIni(reader);
    skin::LoadSkinElements(reader, s.ini, {}, s.elements);
    return s;
  }();
  return skin;
}

// Every image the INI names exists in the archive and loads (no empty element by a typo).
TEST(OurSkin, EveryNamedImageIsPresent) {
  const OurSkin& s = Loaded();
  const std::vector<std::string> lines = s.ini.Lines();
  std::vector<std::string> names;
  for (const auto& [name, image] : skingen::SkinImages())
    names.push_back(name);
  for (const std::string& line : lines) {
    const std::size_t at = line.find(".bmp");
    if (at == std::string::npos) continue;
    const std::string file = line.substr(line.find('=') + 1);
    EXPECT_NE(std::find(names.begin(), names.end(), file), names.end()) << line;
  }
}

TEST(OurSkin, EveryElementOfTheLoadTableHasAnImage) {
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

TEST(OurSkin, CaptionButtonsAreTheFourWindowButtonsTheIconAndTheMdiButtons) {
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

TEST(OurSkin, BordersShapeTheWindowAndTheCaptionIsReadable) {
  const skin::TSkinElements& e = Loaded().elements;
  for (const auto* b : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()})
    EXPECT_EQ(b->Trans, 1) << b->Name;
  // The rounded top-left corner: the left border's first pixel is transparent.
  EXPECT_EQ(e.Left->Bitmap.At(0, 0), fw::kMagentaPixel);
  EXPECT_EQ(e.Top->Bitmap.Height() / e.Top->FrameCount, 30);
  EXPECT_EQ(e.Left->TopHeight, 30) << "the side borders keep the caption part fixed";
  // White caption text on a dark caption: at least 3:1 luminance contrast.
  auto luma = [](fw::ColorRef c) {
    return 0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * ((c >> 16) & 0xFF);
  };
  const double text = luma(e.Colour(skin::kTitleTextActive));
  const double caption = luma(e.CaptionSampleColour());
  EXPECT_GT((text + 13) / (caption + 13), 2.0);
  EXPECT_EQ(e.SkinName, "Lanlin Lake");
}

TEST(OurSkin, ContactSheetIsWritten) {
  const fw::TBitmap sheet = skinpack::ContactSheet(Loaded().elements);
  EXPECT_GT(sheet.Width(), 600);
  EXPECT_GT(sheet.Height(), 1000);
  const char* artifacts = std::getenv("RECORDER_ARTIFACTS");
  const std::filesystem::path folder = artifacts ? std::filesystem::path(artifacts) / "skin"
                                                 : std::filesystem::path(SHEET_DEFAULT_DIR);
  std::filesystem::create_directories(folder);
  skinpack::WriteFileBytes(folder / "skin-sheet.bmp", fw::SaveBmp24(sheet));
  EXPECT_TRUE(std::filesystem::exists(folder / "skin-sheet.bmp"));
}

} // namespace
