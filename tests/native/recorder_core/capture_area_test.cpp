#include "recorder/core/capture_area.h"
#include "recorder/core/recording_pause.h"

#include <gtest/gtest.h>

using namespace recorder;

namespace {
// Two monitors: the left one at negative coordinates.
const Rect kScreen{-1280, 0, 1920, 1080};
} // namespace

TEST(CaptureArea, RegionIsClippedToTheScreenAndAtLeast16) {
  // Dragged up and to the left, across the screen's left edge.
  Rect dragged = DraggedRect({-1200, 500}, {-1300, 400});
  EXPECT_EQ(dragged, (Rect{-1300, 400, -1199, 501}));
  EXPECT_EQ(ClipRegion(dragged, kScreen), (Rect{-1280, 400, -1199, 501}));
  // A 3 x 2 region in the bottom-right corner grows to 16 x 16 toward the screen's inside.
  EXPECT_EQ(ClipRegion({1918, 1078, 1921, 1080}, kScreen), (Rect{1904, 1064, 1920, 1080}));
  EXPECT_EQ(ClipRegion({2000, 0, 2100, 100}, kScreen), std::nullopt);
}

TEST(CaptureArea, AlignmentKeepsTheAreaOnTheScreen) {
  const Rect screen{0, 0, 1366, 768};
  // The whole screen aligned to 4 and 8 as the engine always did: 1364 and 1360 wide.
  EXPECT_EQ(AlignArea(screen, 4, screen), (Rect{0, 0, 1364, 768}));
  EXPECT_EQ(AlignArea(screen, 8, screen), (Rect{0, 0, 1360, 768}));
  // An odd region at the right edge is raised and moved back inside.
  EXPECT_EQ(AlignArea({1300, 700, 1366, 767}, 4, screen), (Rect{1298, 700, 1366, 768}));
  EXPECT_EQ(AlignArea({-5, -5, 10, 10}, 2, kScreen), (Rect{-5, 0, 11, 16}));
}

TEST(CaptureArea, FollowingAreaKeepsTheCursorInItsMiddleHalfSmoothly) {
  Rect area = FollowStart({0, 0}, 400, 300, kScreen);
  EXPECT_EQ(area, (Rect{-200, 0, 200, 300})); // centred, but not above the screen's top
  // The cursor inside the middle half: the area stays.
  EXPECT_EQ(FollowCursor(area, {90, 200}, 50, kScreen), area);
  // Far to the right: the area moves at most one step per frame until the cursor is inside.
  Rect moved = area;
  int frames = 0;
  while (
      Width(Intersection({moved.left + 100, moved.top + 75, moved.right - 100, moved.bottom - 75},
                         {1000, 150, 1001, 151})) == 0) {
    Rect next = FollowCursor(moved, {1000, 150}, 50, kScreen);
    ASSERT_LE(next.left - moved.left, 50);
    ASSERT_GT(next.left, moved.left);
    moved = next;
    ASSERT_LT(++frames, 100);
  }
  EXPECT_EQ(Width(moved), 400);
  // Never past the screen's edge, however far the cursor goes.
  for (int i = 0; i < 100; ++i)
    moved = FollowCursor(moved, {5000, 5000}, 50, kScreen);
  EXPECT_EQ(moved, (Rect{1520, 780, 1920, 1080}));
  // The step scales with the interval and stays within a quarter of the area.
  EXPECT_EQ(FollowStep(1, area), 1);
  EXPECT_EQ(FollowStep(20, area), 24);
  EXPECT_EQ(FollowStep(1000, area), 75);
  // An area larger than the screen shrinks to it.
  EXPECT_EQ(FollowStart({10, 10}, 9000, 2, {0, 0, 800, 600}), (Rect{0, 2, 800, 18}));
}

TEST(CaptureArea, FollowedWindowKeepsItsSizeAndBlackOutsideTheScreen) {
  const Rect area = FollowedWindowArea({-1300, -20, -900, 500}, 300, 200);
  EXPECT_EQ(area, (Rect{-1300, -20, -1000, 180}));
  VisiblePart part = VisiblePartOf(area, kScreen);
  EXPECT_EQ(part.source, (Rect{-1280, 0, -1000, 180}));
  EXPECT_EQ(part.offset, (Point{20, 20}));
  EXPECT_TRUE(IsEmpty(VisiblePartOf({3000, 0, 3100, 100}, kScreen).source));
}

TEST(CaptureArea, AFollowedWindowStaysWhereItWasLastSeenWhileMinimised) {
  const Rect current{100, 100, 420, 340};
  // Moved: followed, with the size of the start although the window grew.
  EXPECT_EQ(NextWindowArea(current, {true, true, {200, 150, 900, 700}}),
            (Rect{200, 150, 520, 390}));
  // Minimised (parked far off the screen, or an icon's rectangle) or hidden: the last place.
  EXPECT_EQ(NextWindowArea(current, {true, false, {-32000, -32000, -31840, -31969}}), current);
  EXPECT_EQ(NextWindowArea(current, {true, false, {0, 990, 160, 1024}}), current);
  EXPECT_EQ(NextWindowArea(current, {false, false, {}}), std::nullopt);
}

// A monitor above and to the left of the primary one: the virtual screen begins at negative
// coordinates on both axes.
TEST(CaptureArea, AScreenBeginningAboveAndLeftOfThePrimaryOne) {
  const Rect screen{-1920, -1080, 1280, 1024};
  // A drag across the screen's top edge, clipped; an odd size aligned at the top-left corner.
  const Rect dragged = DraggedRect({50, -1000}, {-1950, -1200});
  EXPECT_EQ(ClipRegion(dragged, screen), (Rect{-1920, -1080, 51, -999}));
  EXPECT_EQ(AlignArea({-1920, -1080, -1619, -839}, 4, screen), (Rect{-1920, -1080, -1616, -836}));
  // The following area is stopped at the left and top edges, however far the cursor goes.
  Rect area = FollowStart({0, 0}, 320, 240, screen);
  EXPECT_EQ(area, (Rect{-160, -120, 160, 120}));
  for (int i = 0; i < 100; ++i) {
    const Rect next = FollowCursor(area, {-5000, -5000}, 60, screen);
    ASSERT_LE(area.left - next.left, 60);
    ASSERT_GE(next.left, screen.left);
    ASSERT_GE(next.top, screen.top);
    area = next;
  }
  EXPECT_EQ(area, (Rect{-1920, -1080, -1600, -840}));
  // A window reaching off the screen's left edge: that part of the frame stays black.
  const VisiblePart part = VisiblePartOf({-2000, -1100, -1700, -900}, screen);
  EXPECT_EQ(part.source, (Rect{-1920, -1080, -1700, -900}));
  EXPECT_EQ(part.offset, (Point{80, 20}));
  // The marks sit just outside an area at negative coordinates.
  const FlashGeometry g = PlaceAroundGeometry(-1000, -700, 304, 244);
  EXPECT_EQ(g.window, (Rect{-1008, -708, -688, -448}));
  EXPECT_TRUE(InCornerMarks(g, 2, 2));               // at (-1006, -706)
  EXPECT_FALSE(InCornerMarks(g, 8, 8));              // the area's first pixel
  EXPECT_TRUE(InCornerMarks(g, 304 + 12, 244 + 12)); // beyond its last pixel
  EXPECT_EQ(g.areaRight, -1000 + 304 - 1);
  // A window on the upper monitor is picked by a click there.
  const std::vector<WindowFact> windows = {{7, {-1500, -900, -1000, -500}, true, false, false}};
  EXPECT_EQ(WindowAt({-1200, -600}, windows)->id, 7u);
}

TEST(CaptureArea, MarksLieOutsideTheArea) {
  const Rect area{300, 200, 500, 350};
  FlashGeometry g = PlaceAroundGeometry(area.left, area.top, Width(area), Height(area));
  int markPixels = 0;
  for (int y = g.window.top; y < g.window.bottom; ++y)
    for (int x = g.window.left; x < g.window.right; ++x)
      if (InCornerMarks(g, x - g.window.left, y - g.window.top)) {
        ++markPixels;
        ASSERT_FALSE(Contains(area, {x, y})) << x << "," << y;
      }
  EXPECT_GT(markPixels, 0);
  EXPECT_FALSE(MarksAround(TAreaKind::FullScreen));
  EXPECT_FALSE(MarksAround(TAreaKind::AllScreens));
  EXPECT_TRUE(MarksAround(TAreaKind::Window));
}

TEST(CaptureArea, AClickPicksTheTopmostWindowThatIsNotOurs) {
  std::vector<WindowFact> windows = {
      {1, {-1280, 0, 1920, 1080}, true, false, true}, // the overlay
      {2, {100, 100, 300, 300}, false, false, false}, // hidden
      {3, {100, 100, 110, 300}, true, false, false},  // too narrow
      {4, {50, 50, 400, 400}, true, false, false},    {5, {0, 0, 1920, 1080}, true, false, false},
  };
  EXPECT_EQ(WindowAt({150, 150}, windows)->id, 4u);
  EXPECT_EQ(WindowAt({10, 10}, windows)->id, 5u);
  EXPECT_EQ(WindowAt({-10, 10}, windows), std::nullopt);
}

TEST(RecordingPause, PausedTimeIsLeftOutOfTheClock) {
  PausableClock clock(0xFFFFF000u); // crosses the 32-bit wrap on the way
  EXPECT_EQ(clock.Elapsed(0xFFFFF000u + 1000), 1000u);
  EXPECT_EQ(PauseStepFor(true, clock.State()), TPauseStep::Pause);
  clock.Pause(0xFFFFF000u + 1500);
  EXPECT_EQ(clock.Elapsed(0xFFFFF000u + 4000), 1500u); // stands still while paused
  EXPECT_EQ(PauseStepFor(true, clock.State()), TPauseStep::None);
  EXPECT_EQ(PauseStepFor(false, clock.State()), TPauseStep::Resume);
  clock.Resume(0xFFFFF000u + 6500);
  EXPECT_EQ(clock.PausedMs(), 5000u);
  EXPECT_EQ(clock.Elapsed(0xFFFFF000u + 7000), 2000u);
  // Fifty pauses of any length leave exactly the recorded time.
  std::uint32_t now = 0xFFFFF000u + 7000;
  for (int i = 0; i < 50; ++i) {
    clock.Pause(now += 10);
    clock.Resume(now += 777);
  }
  EXPECT_EQ(clock.Elapsed(now), 2500u);
}
