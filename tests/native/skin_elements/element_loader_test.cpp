// The element loader: defaults, key suffixes, clamps, frame counts and image lookup.
#include "framework/core/bmp_reader.h"
#include "test_bmp.h"
#include "test_skin_builder.h"

#include <gtest/gtest.h>

namespace {

using elementtest::SolidFrames;
using elementtest::TestSkin;
using fw::RgbPixel;
using fw::TBitmap;

TEST(ElementLoader, AnEmptyDescriptionGivesTheDefaults) {
  TestSkin skin;
  skin.env.TrackImage = TBitmap(9, 5);
  const skin::TSkinElements e = skin.Load();
  for (const auto* border : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()}) {
    EXPECT_TRUE(border->Bitmap.Empty()) << border->Name;
    EXPECT_EQ(border->FrameCount, 1) << border->Name;
    EXPECT_EQ(border->Tile, 1) << border->Name;
    EXPECT_EQ(border->Trans, 1) << border->Name;
  }
  EXPECT_EQ(e.Buttons->FrameCount, 5);
  EXPECT_EQ(e.Buttons->RadioButtonFrame, 4) << "an empty strip still has 4 states";
  EXPECT_EQ(e.Buttons->NormalColour, -1);
  EXPECT_FALSE(e.Buttons->HasNormalColour2);
  EXPECT_EQ(e.Title->FrameCount, 2);
  EXPECT_EQ(e.Title->FontHeight, 14);
  EXPECT_EQ(e.Title->ActiveText, skin::kNoTitleColour);
  for (const auto* member : {e.ProgressChunk.get(), e.MenuBar.get(), e.GroupBoxEdge.get(),
                             e.StatusBarEdges.get(), e.TabPane.get(), e.SunkEdge.get(),
                             e.Scrollbar.get(), e.MenuItem.get(), e.HorzScrollThumb.get()}) {
    EXPECT_EQ(member, nullptr);
  }
  EXPECT_EQ(e.Progress, nullptr);
  EXPECT_EQ(e.Tabs, nullptr);
  EXPECT_EQ(e.ComboButton, nullptr);
  ASSERT_NE(e.Track, nullptr) << "the program's own track image stands in";
  EXPECT_EQ(e.Track->Bitmap.Width(), 9);
  EXPECT_EQ(e.Track->LeftWidth, 3);
  EXPECT_EQ(e.Track->BottomHeight, 3);
  EXPECT_EQ(e.Track->FrameCount, 1);
  EXPECT_EQ(e.Track->Tile, 0);
  EXPECT_EQ(e.CaptionButtons.size(), 3u) << "only the three MDI buttons";
  EXPECT_TRUE(e.ComboxArrow->Bitmap.Empty());
}

TEST(ElementLoader, WindowBordersReadTheirKeySuffixes) {
  TestSkin skin;
  skin.ini = "[Personality]\r\nTop=top.bmp\r\nTopTopHeight=30\r\nTopBotHeight=40\r\n"
             "TopFrame=2\r\nTopStretch=5\r\nLeft=left.bmp\r\nLeftTopHeight=6\r\n"
             "LeftBotHeight=7\r\nLeftTrans=0\r\nLeftStretch=0\r\nLeftFrame=3\r\n";
  skin.Image("top.bmp", TBitmap(100, 40)).Image("left.bmp", TBitmap(12, 50));
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.Top->Bitmap.Width(), 100);
  EXPECT_EQ(e.Top->LeftWidth, 30) << "in a horizontal border TopHeight is the left part";
  EXPECT_EQ(e.Top->RightWidth, 40);
  EXPECT_EQ(e.Top->TopHeight, 0);
  EXPECT_EQ(e.Top->BottomHeight, 0);
  EXPECT_EQ(e.Top->FrameCount, 2);
  EXPECT_EQ(e.Top->Tile, 1) << "Stretch above 1 becomes 1";
  EXPECT_EQ(e.Top->Trans, 1) << "TopTrans is absent";
  EXPECT_EQ(e.Left->TopHeight, 6);
  EXPECT_EQ(e.Left->BottomHeight, 7);
  EXPECT_EQ(e.Left->LeftWidth, 0);
  EXPECT_EQ(e.Left->Trans, 0);
  EXPECT_EQ(e.Left->Tile, 0);
  EXPECT_EQ(e.Left->FrameCount, 3);
  EXPECT_EQ(e.Left->Name, "Left");
}

TEST(ElementLoader, GenericElementsReadTheirKeysAndClampTile) {
  TestSkin skin;
  skin.ini = "[Colours]\r\nButtonText=1 2 3\r\n"
             "[MenuItem]\r\nImage=item.bmp\r\nStyle=7\r\nLeftWidth=1\r\nRightWidth=2\r\n"
             "TopHeight=3\r\nBottomHeight=4\r\nFrame=9\r\nTrans=1\r\nTile=2\r\n"
             "NormalColour=255\r\nNormalColour2=10,20,30\r\n"
             "[Progress]\r\nBitmap=item.bmp\r\nTile=2\r\nStyle=1\r\n"
             "[Progress.Chunk]\r\nImage=item.bmp\r\nTile=1\r\nFrame=3\r\n"
             "[Personality]\r\nmenuBar=item.bmp\r\nTileMenu=3\r\n"
             "[Tab.Pane]\r\nImage=item.bmp\r\nLeftWidth=10\r\nTopHeight=3\r\nRightWidth=5\r\n"
             "BottomHeight=4\r\n"
             "[Headerbar]\r\nImage=item.bmp\r\nFrame=2\r\n[ToolBars]\r\nImage=item.bmp\r\n"
             "[HorzScrollThumb]\r\nImage=item.bmp\r\nFrameCount=7\r\n"
             "[VertScrollThumb]\r\nImage=item.bmp\r\n"
             "[GroupBox]\r\nImage=item.bmp\r\nFrame=8\r\nBackgroundAlignment=2\r\n"
             "BackgroundLeftShift=5\r\nBackgroundRightShift=6\r\n"
             "[Tabs]\r\nImage=item.bmp\r\nBorder=border.bmp\r\nFrame=3\r\n";
  skin.Image("item.bmp", TBitmap(50, 10)).Image("border.bmp", TBitmap(7, 7));
  const skin::TSkinElements e = skin.Load();
  ASSERT_NE(e.MenuItem, nullptr);
  EXPECT_EQ(e.MenuItem->Name, "MenuItem");
  EXPECT_EQ(e.MenuItem->Style, 7);
  EXPECT_EQ(e.MenuItem->LeftWidth + 10 * e.MenuItem->RightWidth + 100 * e.MenuItem->TopHeight +
                1000 * e.MenuItem->BottomHeight,
            4321);
  EXPECT_EQ(e.MenuItem->FrameCount, 5) << "MenuItem always has 5 frames";
  EXPECT_EQ(e.MenuItem->Tile, 0) << "a Tile above 1 becomes 0";
  EXPECT_EQ(e.MenuItem->NormalColour, 255);
  EXPECT_EQ(e.MenuItem->NormalColour2, 0x1E140Au);
  EXPECT_EQ(e.MenuItem->PressedColour2, 0x030201u) << "default: the skin's ButtonText";
  EXPECT_EQ(e.MenuItem->MouseOverColour, -1);

  ASSERT_NE(e.Progress, nullptr);
  EXPECT_EQ(e.Progress->Tile, 1) << "Progress clamps Tile to 1";
  EXPECT_EQ(e.Progress->FrameCount, 1) << "Style 1";
  EXPECT_EQ(e.ProgressChunk->FrameCount, 3);
  EXPECT_EQ(e.ProgressChunk->Tile, 1);
  ASSERT_NE(e.MenuBar, nullptr);
  EXPECT_EQ(e.MenuBar->Tile, 1);
  EXPECT_EQ(e.MenuBar->LeftWidth, 1);
  EXPECT_EQ(e.MenuBar->RightWidth, 1);
  EXPECT_EQ(e.MenuBar->FrameCount, 2);

  EXPECT_EQ(e.TabPane->LeftWidth, 4);
  EXPECT_EQ(e.TabPane->TopHeight, 3);
  EXPECT_EQ(e.TabPane->RightWidth, 4);
  EXPECT_EQ(e.TabPane->BottomHeight, 4);
  EXPECT_EQ(e.TabPane->FrameCount, 1);

  EXPECT_EQ(e.Headerbar->FrameCount, 2) << "Headerbar keeps the frame count it was given";
  EXPECT_EQ(e.ToolBars->FrameCount, 5);
  EXPECT_EQ(e.HorzScrollThumb->FrameCount, 7);
  EXPECT_EQ(e.VertScrollThumb->FrameCount, 3);
  EXPECT_EQ(e.GroupBox->FrameCount, 1);
  EXPECT_EQ(e.GroupBox->BackgroundAlignment, 2);
  EXPECT_EQ(e.GroupBox->BackgroundLeftShift, 5);
  EXPECT_EQ(e.GroupBox->BackgroundRightShift, 6);
  EXPECT_EQ(e.Tabs->FrameCount, 5);
  EXPECT_EQ(e.Tabs->Bitmap2.Width(), 7);
}

TEST(ElementLoader, HeaderbarWithoutFrameAndProgressWithoutStyle) {
  TestSkin skin;
  skin.ini = "[Headerbar]\r\nImage=a.bmp\r\n[Progress]\r\nBitmap=a.bmp\r\n";
  skin.Image("a.bmp", TBitmap(4, 4));
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.Headerbar->FrameCount, 5);
  EXPECT_EQ(e.Progress->FrameCount, 2);
}

TEST(ElementLoader, PushButtonStripsCountTheirCells) {
  TestSkin skin;
  skin.ini = "[Buttons]\r\nBitmap=b.bmp\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\n"
             "NormalColour2=1 1 1\r\nPressedColour2=\r\n";
  skin.Image("b.bmp", TBitmap(10, 10))
      .Image("radio.bmp", TBitmap(78, 13))
      .Image("check.bmp", TBitmap(40, 20));
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.Buttons->RadioButtonFrame, 6);
  EXPECT_EQ(e.Buttons->CheckButtonFrame, 4) << "40 / 16 = 2, raised to 4";
  EXPECT_TRUE(e.Buttons->HasNormalColour2);
  EXPECT_FALSE(e.Buttons->HasPressedColour2);
  EXPECT_EQ(e.Buttons->FrameCount, 5);

  TestSkin given;
  given.ini = "[Buttons]\r\nRadioButton=radio.bmp\r\nRadioButtonFrame=2\r\n";
  given.Image("radio.bmp", TBitmap(78, 13));
  EXPECT_EQ(given.Load().Buttons->RadioButtonFrame, 2) << "a given frame count is kept";
}

TEST(ElementLoader, TitleReadsTextPlacementAndColours) {
  TestSkin skin;
  skin.ini = "[Personality]\r\nTextBack=t.bmp\r\nTextShift=5\r\nTextShiftVert=6\r\n"
             "TextRightClip=7\r\nTextAlignment=1\r\nTXTBackleft=8\r\nTXTBackRight=9\r\n"
             "ActiveTextR=1\r\nActiveTextG=2\r\nActiveTextB=259\r\n"
             "InActiveTextR=1\r\nInActiveTextG=2\r\n[Fonts]\r\nFontHeight=11\r\n";
  skin.Image("t.bmp", TBitmap(3, 3));
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.Title->LeftWidth, 5);
  EXPECT_EQ(e.Title->TopHeight, 6);
  EXPECT_EQ(e.Title->RightWidth, 7);
  EXPECT_EQ(e.Title->TextAlignment, 1);
  EXPECT_EQ(e.Title->TXTBackleft, 8);
  EXPECT_EQ(e.Title->TXTBackRight, 9);
  EXPECT_EQ(e.Title->FontHeight, 11);
  EXPECT_EQ(e.Title->ActiveText, 0x030201u) << "low bytes of each channel";
  EXPECT_EQ(e.Title->InActiveText, skin::kNoTitleColour) << "blue missing";
  EXPECT_EQ(e.Title->Bitmap.Width(), 3);
}

TEST(ImageLookup, TakesTheFileNamePartAndNeedsExactlyDotBmp) {
  TestSkin skin;
  skin.ini = "[Scrollbar]\r\nImage=folder/arrows.bmp\r\n"
             "[MenuItem]\r\nImage=item.BMP\r\n"
             "[ToolBars]\r\nImage=c:\\skins\\blue\\Item.bmp\r\n"
             "[SunkEdge]\r\nImage=d:item.bmp\r\n"
             "[MenuBackground]\r\nImage=item\r\n";
  skin.Image("arrows.bmp", TBitmap(5, 5)).Image("item.bmp", TBitmap(6, 6));
  const skin::TSkinElements e = skin.Load();
  ASSERT_NE(e.Scrollbar, nullptr) << "the element exists without its image";
  EXPECT_TRUE(e.Scrollbar->Bitmap.Empty()) << "'/' is not a folder separator";
  EXPECT_EQ(e.Scrollbar->FrameCount, 23);
  ASSERT_NE(e.MenuItem, nullptr);
  EXPECT_TRUE(e.MenuItem->Bitmap.Empty()) << ".BMP is not .bmp";
  EXPECT_EQ(e.ToolBars->Bitmap.Width(), 6) << "folders dropped, entry names without case";
  EXPECT_FALSE(e.SunkEdge->Bitmap.Empty()) << "a drive prefix is dropped";
  EXPECT_TRUE(e.MenuBackground->Bitmap.Empty());
}

TEST(ImageLookup, ADamagedBitmapFailsTheLoad) {
  TestSkin skin;
  skin.ini = "[MenuItem]\r\nImage=bad.bmp\r\n";
  skin.Raw("bad.bmp", {'B', 'M', 1, 2, 3});
  EXPECT_THROW(skin.Load(), fw::EInvalidGraphic);
  TestSkin empty;
  empty.ini = "[MenuItem]\r\nImage=empty.bmp\r\n";
  empty.Raw("empty.bmp", {});
  EXPECT_TRUE(empty.Load().MenuItem->Bitmap.Empty()) << "an empty entry is a missing image";
}

TEST(ElementLoader, ReloadingReplacesOptionalElementsAndKeepsTheFixedOnes) {
  TestSkin first;
  first.ini = "[MenuItem]\r\nImage=a.bmp\r\n[ComboButton]\r\nImage=a.bmp\r\n";
  first.Image("a.bmp", TBitmap(8, 4));
  skin::TSkinElements e;
  const skin::TDataSkinBorder* top = e.Top.get();
  const skin::TDataSkinObject* arrow = e.ComboxArrow.get();
  first.LoadInto(e);
  EXPECT_NE(e.MenuItem, nullptr);
  EXPECT_FALSE(e.ComboxArrow->Bitmap.Empty());
  TestSkin second;
  second.LoadInto(e);
  EXPECT_EQ(e.MenuItem, nullptr);
  EXPECT_EQ(e.Top.get(), top);
  EXPECT_EQ(e.ComboxArrow.get(), arrow);
  EXPECT_TRUE(e.ComboxArrow->Bitmap.Empty()) << "no arrow left from the previous skin";
}

TEST(ElementLoader, UnlistedKeysAreNeverRead) {
  TestSkin skin;
  skin.ini = "[Personality]\r\nExplorerBmp=a.bmp\r\nMDIBmp=a.bmp\r\n[Buttons]\r\nButtonCount=9\r\n";
  skin.Raw("a.bmp", {'n', 'o', 't'}); // would fail the load if it were read
  EXPECT_NO_THROW(skin.Load());
}

} // namespace
