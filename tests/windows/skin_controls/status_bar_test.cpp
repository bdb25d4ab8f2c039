// Status bars and size grips on real windows: our status bar's panels (lowered, raised, flat, the
// last one reaching the right edge), simple mode with an empty and with a right-to-left text, the
// size grip, a bare system status window, and the save dialog's size grip, painted from a skin
// of solid colours and checked on the screen's pixels.
#include "framework/form.h"
#include "framework/status_bar.h"
#include "skin/controls/status_bar.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using skin_tests::AsPixel;
using skin_tests::Pump;
using skin_tests::StartFormSkin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

constexpr COLORREF kEdges[3] = {RGB(180, 30, 30), RGB(30, 150, 30), RGB(40, 40, 170)};
constexpr COLORREF kGrip = RGB(240, 120, 0);
constexpr COLORREF kText = RGB(255, 255, 255);
constexpr COLORREF kFace = RGB(210, 190, 150);
constexpr int kBarHeight = 24;

TBitmap Solid(int frames, int side, const COLORREF* colours) {
  TBitmap b(frames * side, side);
  for (int f = 0; f < frames; ++f)
    b.FillRect({f * side, 0, (f + 1) * side, side}, AsPixel(colours[f]));
  return b;
}

COLORREF At(HWND wnd, int x, int y) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return ScreenPixel((x < 0 ? r.right : r.left) + x, (y < 0 ? r.bottom : r.top) + y);
}

// Pixels of `colour` in the window's columns [from, to).
int CountIn(HWND wnd, COLORREF colour, int from, int to) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const TBitmap shot = testing_support::ScreenPixels(r);
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = from; x < std::min(to, shot.Width()); ++x)
      n += (shot.At(x, y) & 0xFFFFFF) == AsPixel(colour);
  return n;
}

class StatusBars : public ::testing::Test {
protected:
  void SetUp() override {
    elements.StatusBarEdges = std::make_unique<TDataSkinObject>("StatusBarEdges");
    elements.ExtraImages = std::make_unique<TDataSkinObject>("ExtraImages");
    TDataSkinObject& edges = *elements.StatusBarEdges;
    edges.Bitmap = Solid(3, 12, kEdges);
    edges.FrameCount = 3;
    edges.LeftWidth = edges.TopHeight = edges.RightWidth = edges.BottomHeight = 2;
    edges.NormalColour2 = kText;
    const COLORREF extra[5] = {0, 0, 0, 0, kGrip};
    elements.ExtraImages->Bitmap = Solid(5, 12, extra);
    elements.ExtraImages->FrameCount = 5;
    elements.ColourTable.Colours[kButtonFace] = kFace;
    data.OnSkinControl = [](fw::TComponent*, TSkinData*, fw::TComponent*, fw::TComponent* control,
                            const std::wstring&, fw::TComponent*& skin) {
      if (dynamic_cast<fw::TStatusBar*>(control)) skin = new TSkinStatusBar;
    };

    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Status bars");
    form->SetBounds(60, 60, 460, 300);
    panels = AddBar(10, false);
    panels->SetPanels({{L"One", 100, fw::taLeftJustify, fw::pbLowered},
                       {L"", 80, fw::taLeftJustify, fw::pbRaised},
                       {L"Three", 60, fw::taRightJustify, fw::pbNone}});
    simple = AddBar(50, true);
    simple->SetSimplePanel(true);
    rightToLeft = AddBar(90, false);
    rightToLeft->BiDiMode = fw::bdRightToLeft;
    rightToLeft->SetSimplePanel(true);
    rightToLeft->SetSimpleText(L"Right");
    form->Show();
    bare = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                             WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 10, 130, 400,
                             kBarHeight, form->Handle(), nullptr, nullptr, nullptr);
    const int parts[2] = {150, -1};
    ::SendMessageW(bare, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    ::SendMessageW(bare, SB_SETTEXTW, 0 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"Bare"));
    ::SendMessageW(bare, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"Two"));
    ::SetForegroundWindow(form->Handle());
    Pump();
    formSkin =
        StartFormSkin(form->Handle(), TFormSkinSource{&elements, DefaultSkinControls(), {}, &data});
    ASSERT_TRUE(formSkin);
    // A bare status window is skinned by window handle; the window skin owns the skin.
    (new TSkinStatusBar)->AttachWindow(bare, {&elements, DefaultSkinOptions()}, formSkin.get());
    Pump();
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }
  fw::TStatusBar* AddBar(int top, bool grip) {
    auto* bar = new fw::TStatusBar(form.get());
    bar->SizeGrip = grip;
    bar->SetParent(form.get());
    bar->SetBounds(10, top, 400, kBarHeight);
    return bar;
  }

  TSkinElements elements;
  TSkinData data{nullptr};
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TStatusBar *panels, *simple, *rightToLeft;
  HWND bare = nullptr;
};

TEST_F(StatusBars, PanelsShowTheirBevelsAndTheLastReachesTheRightEdge) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"status_bars.bmp");
  HWND wnd = panels->Handle();
  EXPECT_EQ(::SendMessageW(wnd, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(wnd, 4, 4), kEdges[0]);         // lowered
  EXPECT_EQ(At(wnd, 110, 4), kEdges[1]);       // raised, empty text
  EXPECT_EQ(At(wnd, 190, 4), kEdges[2]);       // flat
  EXPECT_EQ(At(wnd, -3, 4), kEdges[2]);        // the last panel is 60 wide but reaches the edge
  EXPECT_GT(CountIn(wnd, kText, 0, 100), 10);  // "One" in the status text colour
  EXPECT_EQ(CountIn(wnd, kText, 100, 180), 0); // the raised panel has no text
  // "Three" is right-aligned in the last panel, which reaches the bar's right edge.
  EXPECT_GT(CountIn(wnd, kText, 340, 400), 10);
  EXPECT_EQ(CountIn(wnd, kText, 180, 300), 0);
}

TEST_F(StatusBars, SimpleModeGripRightToLeftAndBareStatusWindow) {
  HWND wnd = simple->Handle();
  EXPECT_EQ(At(wnd, 4, 4), kEdges[0]); // an empty simple text still draws the lowered face
  EXPECT_EQ(CountIn(wnd, kText, 0, 400), 0);
  EXPECT_EQ(At(wnd, -4, -4), kGrip); // the grip over the bottom-right corner
  EXPECT_EQ(At(wnd, -1, -1), kEdges[0]);
  EXPECT_EQ(CountIn(panels->Handle(), kGrip, 0, 400), 0); // no grip style, no grip
  HWND rtl = rightToLeft->Handle();
  EXPECT_EQ(CountIn(rtl, kText, 0, 200), 0);
  EXPECT_GT(CountIn(rtl, kText, 300, 400), 10);
  EXPECT_EQ(::SendMessageW(bare, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(bare, 4, 4), kEdges[1]); // SBT_POPOUT: raised
  EXPECT_EQ(At(bare, 200, 4), kEdges[0]);
  EXPECT_GT(CountIn(bare, kText, 0, 150), 10);
}

// The save dialog's own size grip, skinned while the dialog runs: a timer in its modal loop
// hooks the dialog, then reads the grip and cancels.
struct SaveDialogProbe {
  TSkinElements* elements = nullptr;
  std::unique_ptr<TWinSkinForm> skin;
  HWND dialog = nullptr, grip = nullptr;
  int ticks = 0;
  bool done = false;
  LRESULT skinned = 0;
  COLORREF middle = 0;
};
SaveDialogProbe* probe = nullptr;

BOOL CALLBACK FindGrip(HWND child, LPARAM) {
  wchar_t name[32] = {};
  ::GetClassNameW(child, name, 32);
  if (::lstrcmpiW(name, L"ScrollBar") == 0 && (::GetWindowLongW(child, GWL_STYLE) & SBS_SIZEGRIP))
    probe->grip = child;
  return TRUE;
}

void CALLBACK ProbeSaveDialog(HWND, UINT, UINT_PTR, DWORD) {
  SaveDialogProbe& p = *probe;
  if (p.done) return;
  if (!p.dialog) {
    HWND dialog = ::FindWindowW(L"#32770", nullptr);
    if (dialog && ::IsWindowVisible(dialog)) p.dialog = dialog;
    return;
  }
  ++p.ticks;
  if (p.ticks == 8) { // the dialog has shown and painted itself
    p.skin = std::make_unique<TWinSkinForm>(
        TFormSkinSource{p.elements, DefaultSkinControls(), {}, nullptr});
    p.skin->HookWindow(p.dialog);
    ::PostMessageW(p.dialog, SM_STARTSKIN, 0, 1000);
    return;
  }
  if (p.ticks < 16) return;
  if (!p.grip) {
    ::EnumChildWindows(p.dialog, FindGrip, 0);
    if (p.grip) ::RedrawWindow(p.grip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    if (p.grip || p.ticks < 40) return;
  } else {
    p.skinned = ::SendMessageW(p.grip, SM_ISSKINNED, 0, 0);
    RECT r;
    ::GetWindowRect(p.grip, &r);
    p.middle = ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  p.done = true;
  p.skin.reset();
  ::PostMessageW(p.dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(SizeGrips, TheSaveDialogsGripTakesTheFaceColour) {
  TSkinElements elements;
  elements.ColourTable.Colours[kButtonFace] = kFace;
  SaveDialogProbe state;
  state.elements = &elements;
  probe = &state;
  wchar_t file[MAX_PATH] = L"probe.avi";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, ProbeSaveDialog);
  ::GetSaveFileNameW(&ofn);
  ::KillTimer(nullptr, timer);
  probe = nullptr;
  ASSERT_TRUE(state.dialog);
  ASSERT_TRUE(state.grip);
  EXPECT_EQ(state.skinned, 1);
  EXPECT_EQ(state.middle, kFace);
}

} // namespace
