#include "skin/forms/core/caption_buttons.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

void MakeButton(TDataSkinSysButton& b, int action, int visibility, int frames = 4) {
  b.Action = action;
  b.Visibility = visibility;
  b.Visibility1 = 0;
  b.FrameCount = frames;
  b.Bitmap = fw::TBitmap(18 * frames, 16);
}

CaptionState Overlapped() {
  CaptionState s;
  s.caps = kCapSystemMenu | kCapMinimize | kCapMaximize;
  return s;
}

} // namespace

TEST(CaptionButtons, MaximizeAndRestoreShareAPlaceExactlyOneShows) {
  TDataSkinSysButton maximize("Button1"), restore("Button2");
  MakeButton(maximize, 1, 2);
  MakeButton(restore, 1, 1);
  maximize.Align = restore.Align = 1;
  maximize.XCoord = restore.XCoord = 44;
  CaptionState s = Overlapped();
  for (int state : {kStateNormal, kStateMaximized}) {
    s.windowState = state;
    const bool m = EvaluateButton(maximize, s).visible, r = EvaluateButton(restore, s).visible;
    EXPECT_NE(m, r) << state;
    EXPECT_EQ(m, state == kStateNormal);
  }
  const TRect text{30, 5, 120, 20};
  EXPECT_EQ(LayoutButton(maximize, 400, text, {}, 0, 0),
            LayoutButton(restore, 400, text, {}, 0, 0));
}

TEST(CaptionButtons, NoMaximizeBoxMeansDisabledAndFrameFour) {
  TDataSkinSysButton maximize("Button1");
  MakeButton(maximize, 1, 0);
  CaptionState s = Overlapped();
  s.caps &= ~kCapMaximize;
  ButtonVisibility v = EvaluateButton(maximize, s);
  EXPECT_TRUE(v.visible);
  EXPECT_FALSE(v.enabled);
  EXPECT_EQ(CaptionFrame(maximize, true, v.enabled), 4);
  // Hot or pressed: still disabled.
  EXPECT_EQ(StateFrame(maximize, TButtonState::Hot, v.enabled), 4);
  // An image of fewer than four frames draws frame 1 when disabled.
  TDataSkinSysButton small("Button1");
  MakeButton(small, 1, 0, 3);
  EXPECT_EQ(CaptionFrame(small, true, false), 1);
  EXPECT_EQ(StateFrame(small, TButtonState::Pressed, false), 1);
  // Inactive frames draw frame 4 with four or more frames.
  EXPECT_EQ(CaptionFrame(maximize, false, true), 4);
  EXPECT_EQ(CaptionFrame(maximize, true, true), 1);
}

TEST(CaptionButtons, CloseNeedsASystemMenuIconNeedsANonDialogFrame) {
  TDataSkinSysButton close("Button0"), icon("Button4");
  MakeButton(close, 0, 0);
  MakeButton(icon, 3, 0);
  CaptionState s = Overlapped();
  EXPECT_TRUE(EvaluateButton(close, s).visible);
  s.caps &= ~kCapSystemMenu;
  EXPECT_FALSE(EvaluateButton(close, s).visible);
  s = Overlapped();
  EXPECT_TRUE(EvaluateButton(icon, s).visible);
  s.borderKind = kBorderDialog;
  EXPECT_FALSE(EvaluateButton(icon, s).visible);
}

TEST(CaptionButtons, VisibilityRules) {
  TDataSkinSysButton b("Button9");
  CaptionState s = Overlapped();
  auto visible = [&](int v, int v1) {
    MakeButton(b, 50, v);
    b.Visibility1 = v1;
    return EvaluateButton(b, s).visible;
  };
  EXPECT_TRUE(visible(0, 0));
  EXPECT_FALSE(visible(0, -1));
  EXPECT_FALSE(visible(5, 0));
  EXPECT_FALSE(visible(150, 0));
  EXPECT_TRUE(visible(500, 0));
  EXPECT_TRUE(visible(3, 0));
  EXPECT_FALSE(visible(4, 0));
  s.active = false;
  EXPECT_TRUE(visible(4, 0));
  EXPECT_FALSE(visible(0, 3));
  s = Overlapped();
  EXPECT_FALSE(visible(7, 0));  // has a maximize box
  EXPECT_TRUE(visible(0, 100)); // B repeats A
  EXPECT_FALSE(visible(4, 100));
  EXPECT_FALSE(visible(200, 0));
  s.borderKind = kBorderDialog;
  EXPECT_TRUE(visible(200, 0));
  s.isDialog = true; // not for the dialog classes
  EXPECT_FALSE(visible(200, 0));
  s = Overlapped();
  EXPECT_FALSE(visible(100, 0));
  s.mdiFrameWithMaximizedChild = s.hasMenuBar = true;
  EXPECT_TRUE(visible(100, 0));
  EXPECT_FALSE(visible(-1, 0)); // a decoration kept by the reader stays hidden
}

TEST(CaptionButtons, ApplicationDecidesVisibilityFromOneThousand) {
  TDataSkinSysButton b("Button7");
  MakeButton(b, 77, 1500);
  CaptionState s = Overlapped();
  int askedVisibility = 0, askedAction = 0, answer = 0;
  s.askWindow = [&](int v, int a) {
    askedVisibility = v;
    askedAction = a;
    return answer;
  };
  EXPECT_FALSE(EvaluateButton(b, s).visible);
  EXPECT_EQ(askedVisibility, 1500);
  EXPECT_EQ(askedAction, 77);
  answer = 1;
  EXPECT_TRUE(EvaluateButton(b, s).visible);
}

TEST(CaptionButtons, LayoutByAlignment) {
  TDataSkinSysButton b("Button0");
  MakeButton(b, 0, 0, 4); // 18 x 16 per frame
  b.XCoord = 24;
  b.YCoord = 6;
  const TRect text{40, 5, 140, 20};
  const FrameSizes frame{4, 30, 5, 6};
  b.Align = 0;
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 0, 0), (TRect{24, 6, 42, 22}));
  b.Align = 1; // keeps its distance from the right edge
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 0, 0).Left, 376);
  EXPECT_EQ(LayoutButton(b, 500, text, frame, 0, 0).Left, 476);
  b.Align = 2;
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 0, 0).Left, 40 - 18 - 24);
  b.Align = 9;
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 0, 0).Left, 140 + 24);
  b.Align = 100; // in the menu bar
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 20, 3), (TRect{400 - 24 - 5 - 3, 32, 386, 48}));
  b.Align = 55;
  EXPECT_EQ(LayoutButton(b, 400, text, frame, 0, 0), (TRect{0, 0, 18, 16}));
}

TEST(CaptionButtons, MdiChildButtonsShowFrameFourWhenHot) {
  TDataSkinSysButton b("Button6");
  MakeButton(b, 62, 100);
  EXPECT_EQ(StateFrame(b, TButtonState::Hot, true), 4);
  EXPECT_EQ(StateFrame(b, TButtonState::Pressed, true), 2);
  b.Visibility = 0;
  EXPECT_EQ(StateFrame(b, TButtonState::Hot, true), 3);
}

TEST(CaptionButtons, CommandsAndHints) {
  EXPECT_EQ(CommandOf(0), ButtonCommand::Close);
  EXPECT_EQ(CommandOf(22), ButtonCommand::ToggleMaximize);
  EXPECT_EQ(CommandOf(23), ButtonCommand::ToggleMinimize);
  EXPECT_EQ(CommandOf(2), ButtonCommand::ToggleMinimize);
  EXPECT_EQ(CommandOf(11), ButtonCommand::SystemMenu);
  EXPECT_EQ(CommandOf(12), ButtonCommand::SystemMenu);
  EXPECT_EQ(CommandOf(4), ButtonCommand::ContextHelp);
  EXPECT_EQ(CommandOf(60), ButtonCommand::MinimizeChild);
  EXPECT_EQ(CommandOf(8), ButtonCommand::RestoreChild);
  EXPECT_EQ(CommandOf(9), ButtonCommand::CloseChild);
  EXPECT_EQ(CommandOf(62), ButtonCommand::CloseChild);
  EXPECT_EQ(CommandOf(40), ButtonCommand::Application);
  EXPECT_EQ(HintText(0), "Close");
  EXPECT_EQ(HintText(1), "Maximize");
  EXPECT_EQ(HintText(7), "Minimize");
  EXPECT_EQ(HintText(61), "Restore");
  EXPECT_EQ(HintText(3), "");
  EXPECT_EQ(HintText(40), "");
}
