// The media player on real windows: the overlay over players with all nine, only two (play and
// stop: two half-width buttons) and no visible buttons, drawn with the skin's button faces, and
// presses and releases handed to the player, released on the same or on another button.
#include "framework/form.h"
#include "framework/media_player.h"
#include "skin/data/core/skin_colours.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

constexpr COLORREF kFaces[5] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0),
                                RGB(0, 200, 200)};
constexpr COLORREF kFace = RGB(210, 190, 150);

class MediaPlayers : public ::testing::Test {
protected:
  void SetUp() override {
    TDataSkinButton& b = *elements.Buttons;
    b.Bitmap = TBitmap(5 * 20, 20);
    for (int f = 0; f < 5; ++f)
      b.Bitmap.FillRect({f * 20, 0, (f + 1) * 20, 20}, fw::PixelOf(kFaces[f]));
    b.FrameCount = 5;
    b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 3;
    elements.ColourTable.Colours[kButtonFace] = kFace;
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Media players");
    form->SetBounds(60, 60, 360, 200);
    all = Add(10, 270);
    all->EnabledButtons = fw::kAllMediaButtons & ~(1u << fw::btEject);
    two = Add(60, 200);
    two->VisibleButtons = (1u << fw::btPlay) | (1u << fw::btStop);
    two->OnButtonClick = [this](fw::TObject*, fw::TMPBtnType button) { clicked.push_back(button); };
    none = Add(110, 150);
    none->VisibleButtons = 0;
    form->Show();
    ::SetForegroundWindow(form->Handle());
    PumpFor(60);
    formSkin = std::make_unique<TWinSkinForm>(
        TFormSkinSource{&elements, DefaultSkinControls(), {}, nullptr});
    ASSERT_TRUE(formSkin->HookWindow(form->Handle()));
    ::PostMessageW(form->Handle(), SM_STARTSKIN, 0, 1000);
    PumpFor(100);
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }
  fw::TMediaPlayer* Add(int top, int width) {
    auto* player = new fw::TMediaPlayer(form.get());
    player->SetParent(form.get());
    player->SetBounds(10, top, width, 30);
    return player;
  }
  // The window on top at a point of the player: the overlay when the player is skinned.
  HWND TopAt(fw::TMediaPlayer* player, int x) {
    return ::ChildWindowFromPointEx(form->Handle(), {player->Left() + x, player->Top() + 10},
                                    CWP_SKIPINVISIBLE);
  }
  COLORREF At(fw::TMediaPlayer* player, int x) {
    POINT p{player->Left() + x, player->Top() + 15};
    ::ClientToScreen(form->Handle(), &p);
    return ScreenPixel(p.x, p.y);
  }
  void Mouse(HWND overlay, UINT msg, int x) {
    ::SendMessageW(overlay, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, 10));
    PumpFor(60);
  }

  TSkinElements elements;
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TMediaPlayer *all, *two, *none;
  std::vector<fw::TMPBtnType> clicked;
};

TEST_F(MediaPlayers, OverlaysShowNineTwoOrNoButtons) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"media_players.bmp");
  for (fw::TMediaPlayer* p : {all, two, none})
    EXPECT_NE(TopAt(p, 20), p->Handle()); // covered
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(At(all, 30 * i + 15), kFaces[0]) << i;
  EXPECT_EQ(At(all, 30 * 8 + 15), kFaces[2]); // eject is disabled
  EXPECT_EQ(At(two, 50), kFaces[0]);
  EXPECT_EQ(At(two, 150), kFaces[0]);
  EXPECT_EQ(At(none, 75), kFace);
}

TEST_F(MediaPlayers, PressesReachThePlayerAndAReleaseElsewhereClicksNothing) {
  HWND overlay = TopAt(two, 150);
  ASSERT_NE(overlay, two->Handle());
  Mouse(overlay, WM_LBUTTONDOWN, 150);
  EXPECT_EQ(two->PressedButton(), fw::btStop); // the player saw the press at the same point
  EXPECT_EQ(At(two, 150), kFaces[1]);          // drawn pressed on the stop button
  EXPECT_EQ(At(two, 50), kFaces[0]);
  Mouse(overlay, WM_LBUTTONUP, 150);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], fw::btStop);
  EXPECT_EQ(At(two, 150), kFaces[0]);
  // Pressed on play, released over stop: the player is not left mid-press, and nothing clicks.
  Mouse(overlay, WM_LBUTTONDOWN, 50);
  EXPECT_EQ(two->PressedButton(), fw::btPlay);
  Mouse(overlay, WM_LBUTTONUP, 150);
  EXPECT_EQ(two->PressedButton(), -1);
  EXPECT_EQ(clicked.size(), 1u);
}

// The overlay follows its player: disabled, the player's buttons are drawn disabled and hear no
// press; switched off, the player shows itself; a freed player takes its overlay along.
TEST_F(MediaPlayers, TheOverlayFollowsThePlayersStateItsSwitchAndItsEnd) {
  testing_support::TFreedMemoryCheck freed;
  two->SetEnabled(false);
  PumpFor(60);
  EXPECT_EQ(At(two, 50), kFaces[2]);
  EXPECT_EQ(At(two, 150), kFaces[2]);
  HWND overlay = TopAt(two, 150);
  ASSERT_NE(overlay, two->Handle());
  Mouse(overlay, WM_LBUTTONDOWN, 150);
  Mouse(overlay, WM_LBUTTONUP, 150);
  EXPECT_TRUE(clicked.empty());
  two->SetEnabled(true);
  PumpFor(60);
  EXPECT_EQ(At(two, 150), kFaces[0]);

  ::SendMessageW(two->Handle(), SM_SKINENABLE, 0, 0);
  PumpFor(60);
  EXPECT_EQ(TopAt(two, 20), two->Handle());
  ::SendMessageW(two->Handle(), SM_SKINENABLE, 1, 0);
  PumpFor(60);
  EXPECT_NE(TopAt(two, 20), two->Handle());
  EXPECT_EQ(At(two, 150), kFaces[0]);

  const POINT where{all->Left() + 20, all->Top() + 10};
  delete all;
  all = nullptr;
  PumpFor(60);
  EXPECT_EQ(::ChildWindowFromPointEx(form->Handle(), where, CWP_SKIPINVISIBLE), form->Handle());
  formSkin.reset();
  EXPECT_EQ(freed.WrittenAfterFree(), 0);
}

} // namespace
