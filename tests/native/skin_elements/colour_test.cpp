// The colour triple rule, the colour table's keys, order and defaults, and the caption sample.
#include "test_skin_builder.h"

#include <gtest/gtest.h>

namespace {

using elementtest::TestSkin;
using skin::ParseColourTriple;

constexpr fw::ColorRef kDefault = 0xABCDEF;

TEST(ColourTriple, AnySeparatorGivesTheSameColour) {
  const fw::ColorRef expected = 220 | (221 << 8) | (222 << 16);
  EXPECT_EQ(ParseColourTriple("220 221 222", kDefault), expected);
  EXPECT_EQ(ParseColourTriple("220,221,222", kDefault), expected);
  EXPECT_EQ(ParseColourTriple("220;221;222", kDefault), expected);
  EXPECT_EQ(ParseColourTriple("  220 ,221;  222  ", kDefault), expected);
  EXPECT_EQ(ParseColourTriple("r220 g221 b222.", kDefault), expected);
}

TEST(ColourTriple, ARunOpenAtTheEndIsBlueOnlyAfterRedAndGreen) {
  EXPECT_EQ(ParseColourTriple("10 20 30", kDefault), 0x1E140Au);
  EXPECT_EQ(ParseColourTriple("10 20", kDefault), 0x0Au) << "the open run is not green";
  EXPECT_EQ(ParseColourTriple("10 20 ", kDefault), 0x0Au) << "trimmed first: 20 is still open";
  EXPECT_EQ(ParseColourTriple("10,20,", kDefault), 0x140Au) << "the comma ends 20";
  EXPECT_EQ(ParseColourTriple("10", kDefault), 0u);
  EXPECT_EQ(ParseColourTriple("1,2,3,4,5", kDefault), 0x030201u) << "extra numbers ignored";
}

TEST(ColourTriple, ChannelsWrapAt256AndEmptyTextGivesTheDefault) {
  EXPECT_EQ(ParseColourTriple("256 257 511", kDefault), 0xFF0100u);
  EXPECT_EQ(ParseColourTriple("99999999999999999999 0 0", kDefault), 255u)
      << "10^20 - 1 is 255 modulo 256";
  EXPECT_EQ(ParseColourTriple("", kDefault), kDefault);
  EXPECT_EQ(ParseColourTriple("   ", kDefault), kDefault);
  EXPECT_EQ(ParseColourTriple("none", kDefault), 0u) << "text without numbers is black";
}

TEST(ColourTable, MissingKeysTakeSystemColoursAndMenubarTakesButtonFace) {
  TestSkin skin;
  for (std::size_t i = 0; i < skin.env.SystemColours.size(); ++i)
    skin.env.SystemColours[i] = static_cast<fw::ColorRef>(0x010101 * (i + 1));
  skin.ini = "[Colours]\r\nButtonFace=1 2 3\r\nbuttontext = 4;5;6\r\n";
  const skin::TSkinElements e = skin.Load();
  auto sys = [&](int index) { return skin.env.SystemColours[static_cast<std::size_t>(index)]; };
  const skin::TSkinColourTable& t = e.ColourTable;
  EXPECT_EQ(t.Colours[skin::kButtonFace], 0x030201u);
  EXPECT_EQ(t.Colours[skin::kButtonText], 0x060504u);
  EXPECT_TRUE(t.Given[skin::kButtonFace]);
  EXPECT_FALSE(t.Given[skin::kWindowText]);
  EXPECT_EQ(t.Colours[skin::kMenubar], 0x030201u) << "the ButtonFace value just read";
  EXPECT_EQ(t.Colours[skin::kWindowText], sys(skin::kSysWindowText));
  EXPECT_EQ(t.Colours[skin::kTitleTextActive], sys(skin::kSysCaptionText));
  EXPECT_EQ(t.Colours[skin::kTitleTextNoActive], sys(skin::kSysInactiveCaptionText));
  EXPECT_EQ(t.Colours[skin::kButtonHilight], sys(skin::kSysBtnHighlight));
  EXPECT_EQ(t.Colours[skin::kButtonlight], sys(skin::kSysBtnHighlight)) << "not the 3-D light";
  EXPECT_EQ(t.Colours[skin::kButtonShadow], sys(skin::kSysBtnShadow));
  EXPECT_EQ(t.Colours[skin::kButtonDkShadow], sys(skin::kSys3DDkShadow));
  EXPECT_EQ(t.Colours[skin::kHilightText], sys(skin::kSysHighlightText));
  EXPECT_EQ(t.Colours[skin::kHilight], sys(skin::kSysHighlight));
  EXPECT_EQ(t.Colours[skin::kMenuBarText], sys(skin::kSysMenuText));
  EXPECT_EQ(t.Colours[skin::kMenuText], sys(skin::kSysMenuText));
  EXPECT_EQ(t.Colours[skin::kMenu], sys(skin::kSysMenu));
  EXPECT_EQ(t.Colours[skin::kScrollbar], sys(skin::kSysScrollbar));
  EXPECT_EQ(t.Colours[9], 0u) << "indices 9 and 10 are not read";
}

TEST(ColourTable, EveryKeyLandsAtItsIndex) {
  const std::pair<const char*, int> keys[] = {
      {"WindowText", 0},   {"TitleTextActive", 1}, {"TitleTextNoActive", 2},
      {"ButtonFace", 3},   {"ButtonText", 4},      {"ButtonHilight", 5},
      {"Buttonlight", 6},  {"ButtonShadow", 7},    {"ButtonDkShadow", 8},
      {"HilightText", 11}, {"Hilight", 12},        {"Menubar", 13},
      {"MenuBarText", 14}, {"MenuText", 15},       {"Menu", 16},
      {"Scrollbar", 18}};
  TestSkin skin;
  skin.ini = "[Colours]\r\n";
  for (const auto& [key, index] : keys)
    skin.ini += std::string(key) + "=" + std::to_string(index + 100) + " 0 0\r\n";
  const skin::TSkinElements e = skin.Load();
  for (const auto& [key, index] : keys) {
    EXPECT_EQ(e.Colour(index), static_cast<fw::ColorRef>(index + 100)) << key;
    EXPECT_TRUE(e.ColourTable.Given[static_cast<std::size_t>(index)]) << key;
  }
}

TEST(ColourTable, CustomColoursAndColourSections) {
  TestSkin skin;
  skin.ini = "[Customcolors]\r\nColor0=1 2 3\r\nColor9=4,5,6\r\n"
             "[Colour1]\r\ncolor=7 8 9\r\n[Colours]\r\nWindowText=10 10 10\r\n"
             "[colourB]\r\n[ColourX]\r\nColor=1;1;1\r\n";
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.ColourTable.CustomColours[0], 0x030201u);
  EXPECT_EQ(e.ColourTable.CustomColours[9], 0x060504u);
  EXPECT_EQ(e.ColourTable.CustomColours[5], 0xFFFFFFu);
  const std::vector<fw::ColorRef> sections = {
      0x090807u, skin.env.SystemColours[skin::kSysWindowText], 0x010101u};
  EXPECT_EQ(e.ColourTable.SectionColours, sections);
}

TEST(CaptionSample, IsTheTopBorderPixelAtAThirdOfTheFirstFrame) {
  fw::TBitmap top(90, 40); // two frames of 20 rows stacked
  top.Fill(fw::RgbPixel(1, 1, 1));
  top.At(30, 6) = fw::RgbPixel(10, 20, 30); // (90 / 3, (40 / 2) / 3)
  TestSkin skin;
  skin.ini = "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n[Colours]\r\nButtonFace=5 5 5\r\n";
  skin.Image("top.bmp", top);
  EXPECT_EQ(skin.Load().CaptionSampleColour(), 0x1E140Au);
  TestSkin plain;
  plain.ini = "[Colours]\r\nButtonFace=5 6 7\r\n";
  EXPECT_EQ(plain.Load().CaptionSampleColour(), 0x070605u) << "ButtonFace without a Top image";
}

TEST(SkinName, TitlebarSkinFirstThenSkinName) {
  TestSkin both;
  both.ini = "[Personality]\r\nSkinName=B\r\nTitlebarSkin=A\r\n";
  EXPECT_EQ(both.Load().SkinName, "A");
  TestSkin one;
  one.ini = "[Personality]\r\nSkinName=B\r\n";
  EXPECT_EQ(one.Load().SkinName, "B");
}

} // namespace
