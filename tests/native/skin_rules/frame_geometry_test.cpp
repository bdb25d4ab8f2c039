#include "skin/forms/core/frame_geometry.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

void SetImage(TDataSkinObject& element, int width, int height, int frames) {
  element.Bitmap = fw::TBitmap(width, height);
  element.FrameCount = frames;
}

// A title with every placement value set.
void MakeTitle(TDataSkinTitle& t) {
  t.LeftWidth = 20;  // TextShift
  t.RightWidth = 40; // TextRightClip
  t.TopHeight = 4;   // TextShiftVert
  t.TXTBackleft = 6;
  t.TXTBackRight = 6;
}

CaptionTextInput Caption(int textWidth = 100) {
  CaptionTextInput in;
  in.caption = {8, 0, 292, 30};
  in.textWidth = textWidth;
  in.textHeight = 14;
  return in;
}

} // namespace

TEST(FrameGeometry, WindowsAreClassifiedByTheirStyles) {
  WindowKindFacts f;
  f.style = 0x00CF0000; // WS_OVERLAPPEDWINDOW
  f.hasOwner = true;
  WindowKind k = ClassifyWindow(f);
  EXPECT_EQ(k.caps, kCapSystemMenu | kCapMinimize | kCapMaximize);
  EXPECT_EQ(k.borderKind, kBorderSizeable);

  f.style = 0x00C80000 | 0x80; // caption, system menu, DS_MODALFRAME
  EXPECT_EQ(ClassifyWindow(f).borderKind, kBorderDialog);
  f.style = 0x00C80000;
  EXPECT_EQ(ClassifyWindow(f).borderKind, kBorderSingle);
  f.exStyle = 0x1; // WS_EX_DLGMODALFRAME
  EXPECT_EQ(ClassifyWindow(f).borderKind, kBorderDialog);
  f.exStyle = 0;
  f.style = 0x80000000 | 0x00800000; // popup with a border but no title bar
  EXPECT_EQ(ClassifyWindow(f).borderKind, kBorderNone);

  f.style = 0x00C80000;
  f.className = "#32770";
  k = ClassifyWindow(f);
  EXPECT_TRUE(k.isDialog);
  EXPECT_EQ(k.borderKind, kBorderDialog);

  f.className = "TForm1";
  f.exStyle = 0x4000 | 0x400;
  k = ClassifyWindow(f);
  EXPECT_TRUE(k.rightToLeft);
  EXPECT_TRUE(k.caps & kCapHelp);
}

TEST(FrameGeometry, StyleKeepingOnlyOnWindows2000) {
  WindowKindFacts f;
  f.style = 0x00C80000;
  f.osMajor = 5;
  f.osMinor = 0;
  EXPECT_TRUE(ClassifyWindow(f).caps & kCapKeepStyle); // unowned window
  f.hasOwner = true;
  EXPECT_FALSE(ClassifyWindow(f).caps & kCapKeepStyle);
  f.exStyle = 0x40000; // WS_EX_APPWINDOW on NT
  EXPECT_TRUE(ClassifyWindow(f).caps & kCapKeepStyle);
  f.osMinor = 1;
  EXPECT_FALSE(ClassifyWindow(f).caps & kCapKeepStyle);
}

TEST(FrameGeometry, WindowStates) {
  for (unsigned cmd : {2u, 6u, 7u})
    EXPECT_EQ(WindowStateFromShowCmd(cmd), kStateMinimized);
  EXPECT_EQ(WindowStateFromShowCmd(3), kStateMaximized);
  for (unsigned cmd : {0u, 1u, 4u, 5u, 8u, 9u})
    EXPECT_EQ(WindowStateFromShowCmd(cmd), kStateNormal);
}

TEST(FrameGeometry, FrameSizesComeFromTheBorderImages) {
  TDataSkinObject left("Left"), top("Top"), right("Right"), bottom("Bottom");
  SetImage(left, 16, 40, 2); // two frames side by side: 8 wide
  SetImage(top, 120, 60, 2); // two frames stacked: 30 high
  SetImage(right, 12, 40, 2);
  SetImage(bottom, 120, 10, 2);
  EXPECT_EQ(CalcFrameSizes(kBorderSizeable, left, top, right, bottom), (FrameSizes{8, 30, 6, 5}));
  EXPECT_EQ(CalcFrameSizes(kBorderNone, left, top, right, bottom), FrameSizes{});
  TDataSkinObject empty("Left");
  EXPECT_EQ(CalcFrameSizes(kBorderDialog, empty, top, right, bottom).left, 0);
}

TEST(FrameGeometry, ClientAreaLiesInsideTheFrameAndMenu) {
  const FrameSizes frame{4, 30, 5, 6};
  EXPECT_EQ(ClientRectInFrame(100, 50, 400, 300, frame, 19), (TRect{104, 99, 495, 344}));
  FittedSize fitted = FitWindowSize(287, 229, frame, 0);
  EXPECT_EQ(fitted.width, 287 + 9);
  EXPECT_EQ(fitted.height, 229 + 36);
  // Fitting and the client area undo each other.
  TRect client = ClientRectInFrame(0, 0, fitted.width, fitted.height, frame, 0);
  EXPECT_EQ(client.Width(), 287);
  EXPECT_EQ(client.Height(), 229);
}

TEST(FrameGeometry, DialogsGrowForTheirCaption) {
  TDataSkinTitle title("Title");
  MakeTitle(title);
  FittedSize size{200, 100, 0};
  WidenForCaption(size, 250, title); // needs 20 + 250 + 40
  EXPECT_EQ(size.width, 310);
  EXPECT_EQ(size.childShift, 55);
  FittedSize wide{400, 100, 0};
  WidenForCaption(wide, 250, title);
  EXPECT_EQ(wide.width, 400);
  EXPECT_EQ(wide.childShift, 0);
}

TEST(FrameGeometry, CaptionTextAlignments) {
  TDataSkinTitle title("Title");
  MakeTitle(title);
  CaptionTextLayout left = LayoutCaptionText(Caption(), title);
  // 100 + 12 wide, shifted by TextShift; vertically centred plus half of TextShiftVert.
  EXPECT_EQ(left.bounds, (TRect{28, 10, 140, 24}));
  EXPECT_EQ(left.text, (TRect{34, 10, 134, 24}));

  title.TextAlignment = 1;
  EXPECT_EQ(LayoutCaptionText(Caption(), title).bounds, (TRect{94, 10, 206, 24}));
  title.TextAlignment = 2;
  EXPECT_EQ(LayoutCaptionText(Caption(), title).bounds, (TRect{140, 10, 252, 24}));
  // Long text is clipped before TextRightClip.
  title.TextAlignment = 0;
  EXPECT_EQ(LayoutCaptionText(Caption(400), title).bounds.Right, 252);
}

TEST(FrameGeometry, RightToLeftCaptionsStandBeforeTheRightButtons) {
  TDataSkinTitle title("Title");
  MakeTitle(title);
  CaptionTextInput in = Caption();
  in.rightToLeft = true;
  in.rightGroupOffset = 50;
  // 284 - 50 - 112 = 122 from the caption's left, then 10 further right.
  EXPECT_EQ(LayoutCaptionText(in, title).bounds, (TRect{140, 10, 252, 24}));
  in.textWidth = 300; // does not fit: the text starts at TextShift
  EXPECT_EQ(LayoutCaptionText(in, title).bounds.Left, 30);
}

TEST(FrameGeometry, PopupCaptionsKeepClearOfTheButtons) {
  TDataSkinTitle title("Title");
  MakeTitle(title);
  CaptionTextInput in = Caption(250);
  in.popupStyle = true;
  in.rightGroupOffset = 60;
  EXPECT_EQ(LayoutCaptionText(in, title).bounds.Right, 292 - 60 - 5);
  in.borderKind = kBorderDialog; // no icon before a dialog's text
  EXPECT_EQ(LayoutCaptionText(in, title).bounds.Left, 28 - 16);
}

namespace {

WindowKind Kind(int mdiKind, int borderKind = kBorderSizeable) {
  WindowKind k;
  k.mdiKind = mdiKind;
  k.borderKind = borderKind;
  return k;
}

} // namespace

TEST(FrameGeometry, MdiFramesAndChildrenAreTold) {
  WindowKindFacts f;
  f.exStyle = 0x40; // WS_EX_MDICHILD
  EXPECT_EQ(ClassifyWindow(f).mdiKind, kMdiChild);
  f.osMajor = 5;
  f.osMinor = 0;
  EXPECT_FALSE(ClassifyWindow(f).caps & kCapKeepStyle); // an unowned MDI child
  // A window with an MDI client among its children is a frame, whatever its own style says.
  f.hasMdiClient = true;
  EXPECT_EQ(ClassifyWindow(f).mdiKind, kMdiFrame);
  EXPECT_TRUE(ClassifyWindow(f).caps & kCapKeepStyle);
  EXPECT_EQ(ClassifyWindow(WindowKindFacts{}).mdiKind, kMdiNone);
}

TEST(FrameGeometry, MdiChildrenOutOfTheNormalStateKeepTheSystemsClientArea) {
  EXPECT_TRUE(KeepsSystemClientArea(Kind(kMdiChild), kStateMaximized));
  EXPECT_TRUE(KeepsSystemClientArea(Kind(kMdiChild), kStateMinimized));
  EXPECT_FALSE(KeepsSystemClientArea(Kind(kMdiChild), kStateNormal));
  for (int state : {kStateMaximized, kStateMinimized}) {
    EXPECT_FALSE(KeepsSystemClientArea(Kind(kMdiFrame), state));
    EXPECT_FALSE(KeepsSystemClientArea(Kind(kMdiNone), state));
  }
  EXPECT_TRUE(KeepsSystemClientArea(Kind(kMdiNone, kBorderNone), kStateNormal));

  // Only a minimized MDI child has its client origin at the window corner.
  const FrameSizes frame{4, 30, 5, 6};
  EXPECT_EQ(ClientOriginInFrame(Kind(kMdiChild), kStateMinimized, frame, 3), TOffset{});
  EXPECT_EQ(ClientOriginInFrame(Kind(kMdiChild), kStateNormal, frame, 3), (TOffset{4, 33}));
  EXPECT_EQ(ClientOriginInFrame(Kind(kMdiNone), kStateMinimized, frame, 19), (TOffset{4, 49}));
}

TEST(FrameGeometry, ALowMdiChildCaptionIsPaddedToTheSystemsHeight) {
  EXPECT_EQ(MdiChildCaptionPad(Kind(kMdiChild), 18, 23), 5);
  EXPECT_EQ(MdiChildCaptionPad(Kind(kMdiChild), 30, 23), 0);
  EXPECT_EQ(MdiChildCaptionPad(Kind(kMdiFrame), 18, 23), 0);
  EXPECT_EQ(MdiChildCaptionPad(Kind(kMdiChild, kBorderNone), 0, 23), 0);
}

TEST(FrameGeometry, MdiChildFramesFollowTheMaximizedSwitch) {
  for (int state : {kStateNormal, kStateMaximized, kStateMinimized})
    EXPECT_EQ(MdiChildFrameStep(true, state), MdiFrameStep::Suspend);
  EXPECT_EQ(MdiChildFrameStep(false, kStateMinimized), MdiFrameStep::SwitchOn);
  EXPECT_EQ(MdiChildFrameStep(false, kStateNormal), MdiFrameStep::Resume);
  EXPECT_EQ(MdiChildFrameStep(false, kStateMaximized), MdiFrameStep::Resume);
}
