// Tab controls of a bare dialog on real windows: tabs on top, bottom (the images flipped), left
// and right, the focused tab's frame and the page frame, painted from a skin of solid colours
// and checked on the screen's pixels.
#include "framework/form.h"
#include "framework/tab_control.h"
#include "framework/tab_set.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace skin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

// Each tab frame: the outer half in one colour, the half towards the page in another.
constexpr COLORREF kOuter[2] = {RGB(200, 40, 40), RGB(40, 180, 40)};
constexpr COLORREF kInner[2] = {RGB(120, 20, 20), RGB(20, 100, 20)};
constexpr COLORREF kPane = RGB(60, 60, 200);
constexpr int kFrame = 20;

TBitmap TabStrip() {
  TBitmap b(5 * kFrame, kFrame);
  for (int f = 0; f < 5; ++f) {
    const int k = f == 1 ? 1 : 0;
    b.FillRect({f * kFrame, 0, (f + 1) * kFrame, kFrame / 2}, fw::PixelOf(kOuter[k]));
    b.FillRect({f * kFrame, kFrame / 2, (f + 1) * kFrame, kFrame}, fw::PixelOf(kInner[k]));
  }
  return b;
}

COLORREF At(HWND wnd, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(wnd, &p);
  return ScreenPixel(p.x, p.y);
}

RECT TabRect(HWND tab, int i) {
  RECT r{};
  ::SendMessageW(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
  return r;
}

void MakeTabs(TSkinElements& elements) {
  elements.Tabs = std::make_unique<TDataSkinBorder>("Tabs");
  TDataSkinBorder& tabs = *elements.Tabs;
  tabs.Bitmap = TabStrip();
  tabs.FrameCount = 5;
  tabs.LeftWidth = tabs.TopHeight = tabs.RightWidth = tabs.BottomHeight = 2;
  tabs.Bitmap2 = TBitmap(kFrame, kFrame);
  tabs.Bitmap2.Fill(fw::PixelOf(kPane));
  tabs.NormalColour2 = RGB(255, 255, 255);
  tabs.MouseOverColour2 = RGB(255, 255, 0);
}

TEST(Tabs, EachSideShowsItsBandTheFocusedTabAndThePane) {
  TSkinElements elements;
  MakeTabs(elements);

  HWND dialog = ::CreateWindowExW(0, L"#32770", L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80,
                                  460, 340, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(dialog);
  const DWORD styles[4] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                           TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE};
  HWND tab[4];
  for (int i = 0; i < 4; ++i) {
    tab[i] = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | styles[i],
                               10 + 220 * (i % 2), 10 + 150 * (i / 2), 200, 130, dialog, nullptr,
                               nullptr, nullptr);
    const wchar_t* names[3] = {L"One", L"Two", L"Three"};
    for (int t = 0; t < 3; ++t) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(names[t]);
      ::SendMessageW(tab[i], TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(tab[i], TCM_SETCURSEL, 1, 0);
  }
  PumpFor(60);
  {
    TWinSkinForm skin(TFormSkinSource{&elements, DefaultSkinControls(), {}, nullptr});
    ASSERT_TRUE(skin.HookWindow(dialog));
    ::PostMessageW(dialog, SM_STARTSKIN, 0, 1000);
    PumpFor(100);
    testing_support::SaveWindowShot(dialog, 10, L"skin_controls", L"tabs.bmp");
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(::SendMessageW(tab[i], SM_ISSKINNED, 0, 0), 1);
      for (int t = 0; t < 2; ++t) {
        const RECT r = TabRect(tab[i], t);
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        // The outer side of each tab, away from the page; frame 2 for the focused tab.
        const POINT outer[4] = {
            {cx, r.top + 4}, {cx, r.bottom - 5}, {r.left + 4, cy}, {r.right - 5, cy}};
        EXPECT_EQ(At(tab[i], outer[i].x, outer[i].y), kOuter[t]) << "tab " << t;
      }
      RECT page{};
      ::GetClientRect(tab[i], &page);
      ::SendMessageW(tab[i], TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
      EXPECT_EQ(At(tab[i], (page.left + page.right) / 2, (page.top + page.bottom) / 2), kPane);
    }
  }
  ::DestroyWindow(dialog);
}

// Our tab control with Tag 7777 and CloseButtons: a close mark on each tab; pressing it removes
// the tab, since the window does not answer SM_TABCLOSE.
TEST(Tabs, CloseMarksRemoveTheirTab) {
  TSkinElements elements;
  MakeTabs(elements);
  TSkinData data(nullptr);
  data.SetSkin3rd({L"TTabControl=tab"});
  fw::TForm form(nullptr);
  form.SetBounds(80, 80, 320, 200);
  auto* tabs = new fw::TTabControl(&form);
  tabs->Tag = 7777;
  tabs->CloseButtons = true;
  tabs->SetParent(&form);
  tabs->SetBounds(10, 10, 280, 140);
  tabs->SetTabs({L"Alpha", L"Beta", L"Gamma"});
  form.Show();
  PumpFor(60);
  TWinSkinForm skin(TFormSkinSource{&elements, DefaultSkinControls(), {}, &data});
  ASSERT_TRUE(skin.HookWindow(form.Handle()));
  ::PostMessageW(form.Handle(), SM_STARTSKIN, 0, 1000);
  PumpFor(100);
  HWND wnd = tabs->Handle();
  ASSERT_EQ(::SendMessageW(wnd, SM_ISSKINNED, 0, 0), 1);
  const RECT last = TabRect(wnd, 2);
  // The box's outline in the pen's black, at the tab's top-right corner.
  EXPECT_EQ(At(wnd, last.right - 8, last.top + 5), RGB(0, 0, 0));
  EXPECT_EQ(At(wnd, last.right - 5, last.top + 6), RGB(0, 0, 0)); // where the diagonals cross
  EXPECT_NE(At(wnd, last.right - 14, last.top + 5), RGB(0, 0, 0));
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.right - 5, last.top + 5));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(last.right - 5, last.top + 5));
  PumpFor(60);
  EXPECT_EQ(::SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(tabs->Tabs().size(), 2u);
  // A press elsewhere on a tab only selects it.
  const RECT first = TabRect(wnd, 0);
  ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 5, first.bottom - 4));
  ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(first.left + 5, first.bottom - 4));
  PumpFor(60);
  EXPECT_EQ(::SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tab_close.bmp");
}

// A tab set: bottom tabs (the image flipped), frame 2 for the selected one, and the tabs that do
// not fit before the end margin left out whole.
TEST(Tabs, TabSetLeavesOutTabsThatDoNotFit) {
  TSkinElements elements;
  MakeTabs(elements);
  constexpr COLORREF kFace = RGB(210, 190, 150);
  elements.ColourTable.Colours[kButtonFace] = kFace;
  fw::TForm form(nullptr);
  form.SetBounds(80, 80, 320, 120);
  auto* set = new fw::TTabSet(&form);
  set->SetParent(&form);
  set->SetBounds(10, 10, 200, 24);
  set->Tabs = {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon", L"Zeta"};
  set->TabIndex = 1;
  form.Show();
  PumpFor(60);
  TWinSkinForm skin(TFormSkinSource{&elements, DefaultSkinControls(), {}, nullptr});
  ASSERT_TRUE(skin.HookWindow(form.Handle()));
  ::PostMessageW(form.Handle(), SM_STARTSKIN, 0, 1000);
  PumpFor(100);
  HWND wnd = set->Handle();
  ASSERT_EQ(::SendMessageW(wnd, SM_ISSKINNED, 0, 0), 1);
  HDC dc = ::GetDC(wnd);
  const auto extents = set->TabExtents(dc);
  ::ReleaseDC(wnd, dc);
  ASSERT_GE(extents.size(), 2u);
  ASSERT_LT(extents.size(), set->Tabs.size()); // some are left out
  for (size_t k = 0; k < extents.size(); ++k) {
    const int x = (extents[k].first + extents[k].second) / 2, t = k == 1 ? 1 : 0;
    EXPECT_EQ(At(wnd, x, 20), kOuter[t]) << k; // the outer side faces down
    EXPECT_EQ(At(wnd, x, 3), kInner[t]) << k;
  }
  // Nothing of a tab after the last one that fits.
  for (int x = extents.back().second + 1; x < 200; x += 4)
    EXPECT_EQ(At(wnd, x, 20), kFace) << x;
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tab_set.bmp");
}

} // namespace
