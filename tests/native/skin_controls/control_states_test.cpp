// The frames and layouts control skins choose, against the frame tables of the skin format.
#include "skin/controls/core/control_layout.h"
#include "skin/controls/core/control_states.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

ButtonFacts Button(bool hot, bool pressed, bool focused, bool isDefault, bool enabled) {
  ButtonFacts f;
  f.mouse.SetHot(hot);
  f.mouse.SetPressed(pressed);
  f.focused = focused;
  f.isDefault = isDefault;
  f.enabled = enabled;
  return f;
}

TEST(PushButtonFace, PressedBeatsHotBeatsFocusOrDefaultAndDisabledBeatsAll) {
  EXPECT_EQ(PushButtonFace(Button(false, false, false, false, true)), ButtonFace::Normal);
  EXPECT_EQ(PushButtonFace(Button(true, true, true, true, true)), ButtonFace::Pressed);
  EXPECT_EQ(PushButtonFace(Button(true, false, true, true, true)), ButtonFace::Hot);
  EXPECT_EQ(PushButtonFace(Button(false, false, false, true, true)), ButtonFace::Focused);
  EXPECT_EQ(PushButtonFace(Button(false, false, true, false, true)), ButtonFace::Focused);
  EXPECT_EQ(PushButtonFace(Button(true, true, true, true, false)), ButtonFace::Disabled);
}

int Check(bool checked, bool indeterminate, bool disabled, int frames) {
  CheckBoxFacts f;
  f.checked = checked;
  f.indeterminate = indeterminate;
  f.disabled = disabled;
  f.frameCount = frames;
  return CheckBoxFrame(f);
}

TEST(CheckBoxFrame, FourAndTwelveFrameStrips) {
  // unchecked, checked, unchecked disabled, checked disabled, indeterminate, its disabled look
  const int four[] = {1, 2, 3, 4, 4, 4};
  const int twelve[] = {1, 5, 4, 8, 9, 12};
  for (int frames : {4, 12}) {
    const int* want = frames == 4 ? four : twelve;
    EXPECT_EQ(Check(false, false, false, frames), want[0]) << frames;
    EXPECT_EQ(Check(true, false, false, frames), want[1]) << frames;
    EXPECT_EQ(Check(false, false, true, frames), want[2]) << frames;
    EXPECT_EQ(Check(true, false, true, frames), want[3]) << frames;
    EXPECT_EQ(Check(false, true, false, frames), want[4]) << frames;
    EXPECT_EQ(Check(false, true, true, frames), want[5]) << frames;
  }
}

TEST(CheckBoxFrame, StatePropertyAndDataAwareControlsOverrideTheWindow) {
  CheckBoxFacts f;
  f.checked = true;
  f.hasStateProperty = true;
  f.stateName = "cbunchecked"; // "uncheck" is looked for before "check"
  EXPECT_EQ(CheckBoxFrame(f), 1);
  f.stateName = "cbgrayed";
  EXPECT_EQ(CheckBoxFrame(f), 4);
  f.hasDataField = true;
  f.lastSetCheck = 2;
  EXPECT_EQ(CheckBoxFrame(f), 2);
  f.hasDataBinding = true;
  EXPECT_EQ(CheckBoxFrame(f), 1);
  f.frameCount = 3; // never beyond the strip
  f.hasDataBinding = false;
  f.lastSetCheck = 3;
  f.disabled = true;
  EXPECT_EQ(CheckBoxFrame(f), 3);
}

TEST(RadioButtonFrame, FourAndEightFrameStrips) {
  const int four[] = {1, 2, 3, 4}, eight[] = {1, 5, 4, 8};
  for (int frames : {4, 8})
    for (int look = 0; look < 4; ++look) {
      RadioFacts f{look % 2 == 1, look >= 2, frames};
      EXPECT_EQ(RadioButtonFrame(f), (frames == 4 ? four : eight)[look]) << frames << look;
    }
}

TEST(CheckMarkLayout, BoxLeftOrRightOfTheCaption) {
  const TRect bounds{0, 0, 100, 20};
  CheckLayout l = LayoutCheckMark(bounds, 13, 13, false, false, false);
  EXPECT_EQ(l.image, (TRect{0, 3, 13, 16}));
  EXPECT_EQ(l.text, (TRect{15, 0, 100, 20}));
  EXPECT_EQ(l.textFlags, 0u);
  l = LayoutCheckMark(bounds, 13, 13, true, false, true);
  EXPECT_EQ(l.image, (TRect{87, 3, 100, 16}));
  EXPECT_EQ(l.text.Right, 85);
  EXPECT_EQ(l.textFlags, kDtRight | kDtRtlReading);
  l = LayoutCheckMark(bounds, 13, 13, true, true, false); // a radio dot keeps 1 pixel free
  EXPECT_EQ(l.image, (TRect{86, 3, 99, 16}));
  EXPECT_EQ(LayoutCheckMark(bounds, 13, 13, false, true, true).textFlags, kDtRtlReading);
}

TEST(ButtonCaption, OnlyTheFirstDoubleBarBreaksTheLine) {
  EXPECT_EQ(ButtonCaptionText(L"Start||now"), L"Start\r\nnow");
  EXPECT_EQ(ButtonCaptionText(L"a||b||c"), L"a\r\nb||c");
  EXPECT_EQ(ButtonCaptionText(L"plain"), L"plain");
}

TEST(CaptionPlacement, CentredOnePixelHighAndFocusClippedToTheControl) {
  EXPECT_EQ(PlaceMeasuredText({0, 0, 75, 25}, 40, 13, true), (TRect{17, 5, 57, 18}));
  EXPECT_EQ(PlaceMeasuredText({10, 0, 75, 25}, 40, 13, false), (TRect{10, 5, 75, 18}));
  EXPECT_EQ(CaptionFocusRect({15, 0, 100, 20}, 30, 13, 0), (TRect{15, 0, 47, 14}));
  EXPECT_EQ(CaptionFocusRect({0, 0, 100, 20}, 30, 13, kDtRight), (TRect{68, 0, 100, 14}));
  EXPECT_EQ(CaptionFocusRect({0, 0, 100, 20}, 30, 12, kDtCenter), (TRect{33, 2, 67, 16}));
}

TEST(CheckFocusRect, NoneOnVersionSixOrWithoutCaption) {
  EXPECT_FALSE(CheckFocusRectShown(6, true, false)); // the branch Wine takes
  EXPECT_TRUE(CheckFocusRectShown(5, true, false));
  EXPECT_TRUE(CheckFocusRectShown(10, true, false));
  EXPECT_FALSE(CheckFocusRectShown(10, false, false));
  EXPECT_FALSE(CheckFocusRectShown(10, true, true));
}

} // namespace
} // namespace skin
