// The area stage on real windows: what it takes from a followed window that moves, is minimised
// (the system then parks it far off the screen) and closes.
#include "recorder/area_stage.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

using recorder::Rect;

TEST(AreaStage, AFollowedWindowIsFollowedKeptWhileMinimisedAndEndsWhenClosed) {
  auto picture = std::make_unique<testing_support::PictureWindow>(300, 200, 320, 240);
  HWND window = picture->Handle();
  const recorder::TRecordArea area{recorder::TAreaKind::Window, {300, 200, 620, 440}, window};
  recorder::TAreaStage stage(area, {0, 0, 1280, 1024});
  EXPECT_EQ(stage.Current(), (Rect{300, 200, 620, 440}));
  // Moved and grown: followed with the size of the start.
  ::SetWindowPos(window, nullptr, 100, 150, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(stage.Next(100), (Rect{100, 150, 420, 390}));
  ::ShowWindow(window, SW_MINIMIZE);
  RECT parked{};
  ::GetWindowRect(window, &parked);
  ASSERT_TRUE(::IsIconic(window));
  EXPECT_EQ(stage.Next(100), (Rect{100, 150, 420, 390}))
      << "minimised, the window's rectangle is " << parked.left << "," << parked.top;
  ::ShowWindow(window, SW_RESTORE);
  ::SetWindowPos(window, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(stage.Next(100), (Rect{50, 60, 370, 300}));
  picture.reset();
  EXPECT_EQ(stage.Next(100), std::nullopt);
}
