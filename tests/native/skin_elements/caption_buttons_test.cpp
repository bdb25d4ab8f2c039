// Caption buttons: which sections are buttons, their frame counts, the help button's position
// and the three MDI buttons.
#include "test_bmp.h"
#include "test_skin_builder.h"

#include <gtest/gtest.h>

namespace {

using elementtest::SolidFrames;
using elementtest::TestSkin;
using fw::TBitmap;

std::vector<std::string> Names(const skin::TSkinElements& e) {
  std::vector<std::string> names;
  for (const auto& b : e.CaptionButtons)
    names.push_back(b->Name);
  return names;
}

TEST(CaptionButtons, SelectsButtonSectionsInFileOrder) {
  TestSkin skin;
  skin.ini = "[Button1]\r\nAction=2\r\n[Buttons]\r\nBitmap=x.bmp\r\n[button.radio]\r\n"
             "[BUTTON.CHECKBOX]\r\n[Button]\r\n[button0]\r\nAction=0\r\n"
             "[Button9]\r\nAction=-1\r\n[Button8]\r\nAction=-1\r\nVisibility=0\r\n"
             "[ButtonX]\r\nAction=-1\r\nVisibility=3\r\n[MyButton]\r\n";
  const skin::TSkinElements e = skin.Load();
  const std::vector<std::string> expected = {"BUTTON1",     "BUTTON0",    "BUTTON8",
                                             "MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
  EXPECT_EQ(Names(e), expected);
  EXPECT_EQ(e.CaptionButtons[2]->Visibility1, -1) << "a decoration's Visibility1 default";
  EXPECT_EQ(e.CaptionButtons[0]->Visibility1, 0);
  EXPECT_EQ(e.CaptionButtons[0]->CombineOp, -1);
}

TEST(CaptionButtons, ReadsPlacementKeys) {
  TestSkin skin;
  skin.ini = "[Button0]\r\nAction=22\r\nAlign=1\r\nXcoord=40\r\nYcoord=5\r\nVisibility=3\r\n"
             "Visibility1=4\r\nCombineOp=2\r\nframe=5\r\nButtonImage=b.bmp\r\n";
  skin.Image("b.bmp", TBitmap(50, 10));
  const skin::TSkinElements e = skin.Load();
  const auto& b = *e.CaptionButtons[0];
  EXPECT_EQ(b.Action, 22);
  EXPECT_EQ(b.Align, 1);
  EXPECT_EQ(b.XCoord, 40);
  EXPECT_EQ(b.YCoord, 5);
  EXPECT_EQ(b.Visibility, 3);
  EXPECT_EQ(b.Visibility1, 4);
  EXPECT_EQ(b.CombineOp, 2);
  EXPECT_EQ(b.FrameCount, 5);
  EXPECT_EQ(b.Bitmap.Width(), 50);
}

TEST(CaptionButtons, FrameCountsFollowTheImageShape) {
  TestSkin skin;
  skin.ini = "[Button0]\r\nButtonImage=square3.bmp\r\n" // 57 × 15: ratio 3.8 → 3
             "[Button1]\r\nButtonImage=long.bmp\r\n"    // 58 × 15: ratio 3.87 → 6
             "[Button2]\r\n"                            // no image → 6
             "[Button3]\r\nAction=-1\r\nVisibility=0\r\nButtonImage=square3.bmp\r\n" // → 6
             "[Button4]\r\nAction=3\r\nButtonImage=square3.bmp\r\n" // the icon: image dropped
             "[Button5]\r\nAction=11\r\nframe=2\r\nButtonImage=square3.bmp\r\n";
  skin.Image("square3.bmp", TBitmap(57, 15)).Image("long.bmp", TBitmap(58, 15));
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.CaptionButtons[0]->FrameCount, 3);
  EXPECT_EQ(e.CaptionButtons[1]->FrameCount, 6);
  EXPECT_EQ(e.CaptionButtons[2]->FrameCount, 6);
  EXPECT_EQ(e.CaptionButtons[3]->FrameCount, 6);
  EXPECT_EQ(e.CaptionButtons[4]->FrameCount, 3);
  EXPECT_TRUE(e.CaptionButtons[4]->Bitmap.Empty());
  EXPECT_EQ(e.CaptionButtons[5]->FrameCount, 2) << "a given frame count stays";
  EXPECT_FALSE(e.CaptionButtons[5]->Bitmap.Empty());
}

TEST(CaptionButtons, HelpTakesThePositionOfTheLastMaximizeButtonBeforeIt) {
  TestSkin skin;
  skin.ini = "[Button0]\r\nAction=4\r\nXcoord=9\r\nYcoord=9\r\n"
             "[Button1]\r\nAction=1\r\nVisibility=2\r\nXcoord=50\r\nYcoord=3\r\n"
             "[Button2]\r\nAction=1\r\nVisibility=1\r\nXcoord=70\r\nYcoord=4\r\n"
             "[Button3]\r\nAction=4\r\nXcoord=1\r\nYcoord=1\r\n"
             "[Button4]\r\nAction=1\r\nVisibility=2\r\nXcoord=80\r\nYcoord=6\r\n"
             "[Button5]\r\nAction=4\r\n";
  const skin::TSkinElements e = skin.Load();
  EXPECT_EQ(e.CaptionButtons[0]->XCoord, 0) << "no maximize button before it";
  EXPECT_EQ(e.CaptionButtons[0]->YCoord, 0);
  EXPECT_EQ(e.CaptionButtons[3]->XCoord, 50);
  EXPECT_EQ(e.CaptionButtons[3]->YCoord, 3);
  EXPECT_EQ(e.CaptionButtons[5]->XCoord, 80);
  EXPECT_EQ(e.CaptionButtons[5]->YCoord, 6);
  EXPECT_EQ(e.CaptionButtons[2]->XCoord, 70) << "the restore button keeps its own";
}

TEST(CaptionButtons, MdiButtonsAreCutFromTwelveCells) {
  // 12 cells of 5 pixels, cell c filled with colour c.
  std::vector<fw::Pixel> colours;
  for (int c = 0; c < 12; ++c)
    colours.push_back(fw::RgbPixel(c * 20, 255 - c * 20, c));
  TestSkin skin;
  skin.ini = "[Button0]\r\nAction=0\r\n[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
  skin.Image("mdi.bmp", SolidFrames(5, 7, colours));
  const skin::TSkinElements e = skin.Load();
  ASSERT_EQ(e.CaptionButtons.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    const auto& b = *e.CaptionButtons[static_cast<std::size_t>(1 + i)];
    EXPECT_EQ(b.Action, 7 + i);
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.FrameCount, 4);
    EXPECT_EQ(b.XCoord, (5 + 4) * (3 - i));
    ASSERT_EQ(b.Bitmap.Width(), 20);
    ASSERT_EQ(b.Bitmap.Height(), 7);
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(b.Bitmap.At(x, 3), colours[static_cast<std::size_t>(4 * i + x / 5)])
          << i << "," << x;
  }
  TestSkin none;
  const skin::TSkinElements plain = none.Load();
  EXPECT_TRUE(plain.CaptionButtons[0]->Bitmap.Empty());
  EXPECT_EQ(plain.CaptionButtons[0]->XCoord, 0);
}

} // namespace
