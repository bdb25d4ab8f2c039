// Tab controls of a bare dialog on real windows: tabs on top, bottom (the images flipped), left
// and right, the focused tab's frame and the page frame, painted from a skin of solid colours
// and checked on the screen's pixels.
#include "framework/bitmap.h"
#include "framework/buttons.h"
#include "framework/form.h"
#include "framework/page_control.h"
#include "framework/tab_control.h"
#include "framework/tab_set.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

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

// Tab scrollers: up-downs whose cells are all one colour.
constexpr COLORREF kScroller = RGB(0, 160, 160);

void MakeScroller(TSkinElements& elements) {
  elements.UpDownHorz = std::make_unique<TDataSkinBorder>("UpDown.Horz");
  elements.UpDownHorz->Bitmap = TBitmap(8 * 10, 12);
  elements.UpDownHorz->Bitmap.Fill(fw::PixelOf(kScroller));
  elements.UpDownHorz->FrameCount = 8;
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
  form.SetBounds(80, 80, 320, 330);
  auto* pages = new fw::TPageControl(&form);
  pages->Tag = 7777;
  pages->CloseButtons = true;
  pages->SetParent(&form);
  pages->SetBounds(10, 160, 280, 120);
  new fw::TTabSheet(*pages, L"First");
  auto* kept = new fw::TTabSheet(*pages, L"Kept");
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
  // A page control's close mark frees the page with its tab; the next page shows.
  const RECT page = TabRect(pages->Handle(), 0);
  ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(page.right - 5, page.top + 5));
  ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(page.right - 5, page.top + 5));
  PumpFor(60);
  ASSERT_EQ(pages->Pages().size(), 1u);
  EXPECT_EQ(pages->Pages()[0], kept);
  EXPECT_TRUE(::IsWindowVisible(kept->Handle()));
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tab_close.bmp");
}

// A tab set: bottom tabs (the image flipped), frame 2 for the selected one, and the tabs that do
// not fit before the end margin left out whole.
TEST(Tabs, TabSetLeavesOutTabsThatDoNotFit) {
  TSkinElements elements;
  MakeTabs(elements);
  MakeScroller(elements);
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
  // Nothing of a tab after the last one that fits, up to the scroller, which wears its skin.
  HWND scroller = set->Scroller()->Handle();
  ASSERT_TRUE(::IsWindowVisible(scroller));
  EXPECT_EQ(::SendMessageW(scroller, SM_ISSKINNED, 0, 0), 1);
  RECT s;
  ::GetWindowRect(scroller, &s);
  ::MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&s), 2);
  EXPECT_LE(extents.back().second + 12, s.left);
  for (int x = extents.back().second + 1; x < s.left; x += 4)
    EXPECT_EQ(At(wnd, x, 20), kFace) << x;
  EXPECT_EQ(At(wnd, (s.left + s.right) / 2, (s.top + s.bottom) / 2), kScroller);
  // A step of the scroller starts the row at the second tab.
  ::SendMessageW(scroller, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.right - s.left - 3, 3));
  ::SendMessageW(scroller, WM_LBUTTONUP, 0, MAKELPARAM(s.right - s.left - 3, 3));
  PumpFor(60);
  EXPECT_EQ(set->FirstIndex, 1);
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tab_set.bmp");
}

// Dark pixels (text and edges) in a window's client area.
int DarkPixels(HWND wnd) {
  RECT r;
  ::GetClientRect(wnd, &r);
  int n = 0;
  for (int y = 0; y < r.bottom; y += 2)
    for (int x = 0; x < r.right; x += 2) {
      const COLORREF c = At(wnd, x, y);
      n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 150;
    }
  return n;
}

// The skin is loaded anew without a Tabs image: paints before the change is taken up read
// nothing of the old skin, and afterwards our tab control, a tab set and a bare tab control
// paint themselves (their text and edges), none of them blank.
TEST(Tabs, ASkinWithoutTabsLeavesTheControlsTheirOwnLook) {
  TSkinElements elements;
  MakeTabs(elements);
  elements.ColourTable.Colours[kButtonFace] = RGB(210, 190, 150);
  fw::TForm form(nullptr);
  form.SetBounds(80, 80, 460, 200);
  auto* tabs = new fw::TTabControl(&form);
  tabs->SetParent(&form);
  tabs->SetBounds(10, 10, 200, 100);
  tabs->SetTabs({L"Alpha", L"Beta"});
  auto* set = new fw::TTabSet(&form);
  set->SetParent(&form);
  set->SetBounds(10, 120, 200, 24);
  set->Tabs = {L"Gamma", L"Delta"};
  set->TabIndex = 0;
  form.Show();
  HWND dialog = ::CreateWindowExW(0, L"#32770", L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 560, 80,
                                  260, 200, nullptr, nullptr, nullptr, nullptr);
  HWND bare = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100,
                                dialog, nullptr, nullptr, nullptr);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Epsilon");
  ::SendMessageW(bare, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  PumpFor(60);
  const TFormSkinSource source{&elements, DefaultSkinControls(), {}, nullptr};
  TWinSkinForm formSkin(source), dialogSkin(source);
  ASSERT_TRUE(formSkin.HookWindow(form.Handle()));
  ASSERT_TRUE(dialogSkin.HookWindow(dialog));
  ::PostMessageW(form.Handle(), SM_STARTSKIN, 0, 1000);
  ::PostMessageW(dialog, SM_STARTSKIN, 0, 1000);
  PumpFor(100);
  const HWND windows[3] = {tabs->Handle(), set->Handle(), bare};
  for (HWND wnd : windows)
    ASSERT_EQ(::SendMessageW(wnd, SM_ISSKINNED, 0, 0), 1);

  elements.Tabs.reset();
  for (HWND wnd : windows)
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ::SendMessageW(form.Handle(), SM_SKINCHANGED, 0, 0);
  ::SendMessageW(dialog, SM_SKINCHANGED, 0, 0);
  PumpFor(100);
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tabs_without_image.bmp");
  for (int i = 0; i < 3; ++i) {
    EXPECT_GT(DarkPixels(windows[i]), 10) << i;
    RECT r;
    ::GetClientRect(windows[i], &r);
    for (int y = 0; y < r.bottom; y += 3)
      for (int x = 0; x < r.right; x += 3)
        ASSERT_NE(At(windows[i], x, y), kOuter[0]) << i; // no tab of the old skin
  }
  ::DestroyWindow(dialog);
}

// A page control of another component set: it paints its tabs itself from two published
// bitmaps, the active tab first, each bitmap stretched over its tab (white when empty).
class TTestAdvPage : public fw::TWinControl {
public:
  explicit TTestAdvPage(fw::TComponent* owner) : fw::TWinControl(owner) { visible_ = true; }
  std::wstring ClassName() const override { return L"TTestAdvPage"; }
  fw::TGlyphBitmap TabBackGround, TabBackGroundActive;
  static constexpr int kTabWidth = 80, kTabHeight = 24;

protected:
  void DefineProperties(fw::TPropertyList& list) const override {
    fw::TWinControl::DefineProperties(list);
    fw::TPropertyDefiner<TTestAdvPage> d(list);
    d.Object(L"TabBackGround",
             [](TTestAdvPage& c) -> fw::TPersistent* { return &c.TabBackGround; });
    d.Object(L"TabBackGroundActive",
             [](TTestAdvPage& c) -> fw::TPersistent* { return &c.TabBackGroundActive; });
  }
  void CreateParams(fw::TCreateParams& params) override {
    fw::TWinControl::CreateParams(params);
    params.WinClassName = L"test.TTestAdvPage";
  }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_PAINT) return fw::TWinControl::WndProc(msg, wParam, lParam);
    return PaintWith(wParam, [this](HDC dc) {
      RECT client;
      ::GetClientRect(Handle(), &client);
      ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      TBitmap* images[2] = {&TabBackGroundActive.Image, &TabBackGround.Image};
      for (int i = 0; i < 2; ++i)
        if (!images[i]->Empty())
          fw::StretchDrawBitmap(dc, {i * kTabWidth, 0, (i + 1) * kTabWidth, kTabHeight}, *images[i],
                                {0, 0, images[i]->Width(), images[i]->Height()}, COLORONCOLOR);
    });
  }
};

constexpr COLORREF kFace = RGB(210, 190, 150);
constexpr COLORREF kImage = RGB(250, 130, 0);
// Buttons element frames 1..5.
constexpr COLORREF kButton[5] = {RGB(90, 90, 220), RGB(220, 90, 220), RGB(90, 220, 220),
                                 RGB(160, 160, 160), RGB(30, 30, 30)};

void MakeButtonsAndScroller(TSkinElements& elements) {
  elements.ColourTable.Colours[kButtonFace] = kFace;
  elements.Buttons = std::make_unique<TDataSkinButton>("Buttons");
  TDataSkinButton& b = *elements.Buttons;
  b.Bitmap = TBitmap(5 * kFrame, kFrame);
  for (int f = 0; f < 5; ++f)
    b.Bitmap.FillRect({f * kFrame, 0, (f + 1) * kFrame, kFrame}, fw::PixelOf(kButton[f]));
  b.FrameCount = 5;
  b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 2;
  MakeScroller(elements);
}

HIMAGELIST SolidImageList(COLORREF colour) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  HBRUSH brush = ::CreateSolidBrush(colour);
  RECT r{0, 0, 16, 16};
  ::FillRect(dc, &r, brush);
  ::SelectObject(dc, old);
  ImageList_Add(list, bitmap, nullptr);
  ::DeleteObject(brush);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return list;
}

int CountColour(HWND wnd, RECT r, COLORREF colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      n += At(wnd, x, y) == colour;
  return n;
}

// Our page control, a tab control in button style, one whose tabs overflow into a scroller and
// a page control of another component set, all found by discovery on one form.
TEST(Tabs, PagesButtonTabsScrollerAndAdvancedPages) {
  TSkinElements elements;
  MakeTabs(elements);
  MakeButtonsAndScroller(elements);
  TSkinData data(nullptr);
  data.SetSkin3rd({L"TTestAdvPage=advpagecontrol"});
  fw::TForm form(nullptr);
  form.SetBounds(60, 60, 620, 330);
  auto* pages = new fw::TPageControl(&form);
  pages->SetParent(&form);
  pages->SetBounds(10, 10, 280, 180);
  auto* first = new fw::TTabSheet(*pages, L"First");
  auto* second = new fw::TTabSheet(*pages, L"Second");
  auto* buttons = new fw::TTabControl(&form);
  buttons->TabStyle = TCS_BUTTONS;
  buttons->SetParent(&form);
  buttons->SetBounds(300, 10, 290, 90);
  buttons->SetTabs({L"Alpha", L"Beta", L"Gamma"});
  buttons->SetTabIndex(1);
  auto* many = new fw::TTabControl(&form);
  many->SetParent(&form);
  many->SetBounds(300, 120, 200, 70);
  many->SetTabs({L"One", L"Two", L"Three", L"Four", L"Five", L"Six", L"Seven", L"Eight"});
  auto* adv = new TTestAdvPage(&form);
  adv->SetParent(&form);
  adv->SetBounds(10, 210, 280, 60);
  form.Show();
  PumpFor(60);
  HIMAGELIST images = SolidImageList(kImage);
  ::SendMessageW(pages->Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  item.iImage = 0;
  ::SendMessageW(pages->Handle(), TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  pages->SetActivePageIndex(0); // the taller tabs leave a smaller display area
  PumpFor(60);

  TWinSkinForm skin(TFormSkinSource{&elements, DefaultSkinControls(), {}, &data});
  ASSERT_TRUE(skin.HookWindow(form.Handle()));
  ::PostMessageW(form.Handle(), SM_STARTSKIN, 0, 1000);
  PumpFor(150);
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"tab_pages.bmp");
  HWND scroller = ::FindWindowExW(many->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  for (HWND wnd : {pages->Handle(), first->Handle(), buttons->Handle(), many->Handle(),
                   adv->Handle(), scroller})
    EXPECT_EQ(::SendMessageW(wnd, SM_ISSKINNED, 0, 0), 1) << wnd;
  EXPECT_EQ(::SendMessageW(second->Handle(), SM_ISSKINNED, 0, 0), 1);

  // The shown page is the face colour all over; the image stands on its tab, the text beside.
  EXPECT_TRUE(::IsWindowVisible(first->Handle()));
  EXPECT_FALSE(::IsWindowVisible(second->Handle()));
  RECT page;
  ::GetClientRect(first->Handle(), &page);
  EXPECT_EQ(CountColour(first->Handle(), {0, 0, page.right, page.bottom / 4}, kFace),
            page.right * (page.bottom / 4));
  EXPECT_EQ(CountColour(pages->Handle(), TabRect(pages->Handle(), 1), kImage), 16 * 16);
  EXPECT_EQ(CountColour(pages->Handle(), TabRect(pages->Handle(), 0), kImage), 0);
  // A click on the second tab shows its page instead.
  const RECT tab2 = TabRect(pages->Handle(), 1);
  const LPARAM at = MAKELPARAM(tab2.right - 4, (tab2.top + tab2.bottom) / 2);
  ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
  PumpFor(60);
  EXPECT_TRUE(::IsWindowVisible(second->Handle()));
  EXPECT_FALSE(::IsWindowVisible(first->Handle()));
  EXPECT_EQ(At(second->Handle(), 5, 5), kFace);

  // Button tabs: frame 2 for the focused tab, frame 1 for the others; the band on the face.
  for (int t = 0; t < 3; ++t) {
    const RECT r = TabRect(buttons->Handle(), t);
    EXPECT_EQ(At(buttons->Handle(), r.left + 3, r.top + 4), kButton[t == 1 ? 1 : 0]) << t;
  }
  const RECT last = TabRect(buttons->Handle(), 2);
  EXPECT_EQ(At(buttons->Handle(), last.right + 20, last.top + 4), kFace);

  // The scroller wears the skin's up-down cells, and a paint of the band alone leaves it be.
  ASSERT_TRUE(scroller);
  ASSERT_TRUE(::IsWindowVisible(scroller));
  ::RedrawWindow(many->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  PumpFor(30);
  RECT s;
  ::GetClientRect(scroller, &s);
  EXPECT_EQ(At(scroller, s.right / 4, s.bottom / 2), kScroller);
  EXPECT_EQ(At(scroller, 3 * s.right / 4, s.bottom / 2), kScroller);

  // The advanced page paints its tabs from the two images the skin gave it.
  ASSERT_EQ(adv->TabBackGround.Image.Width(), 100);
  ASSERT_EQ(adv->TabBackGroundActive.Image.Height(), 21);
  EXPECT_EQ(At(adv->Handle(), TTestAdvPage::kTabWidth / 2, 3), kOuter[1]);
  EXPECT_EQ(At(adv->Handle(), TTestAdvPage::kTabWidth / 2, 20), kInner[1]);
  EXPECT_EQ(At(adv->Handle(), TTestAdvPage::kTabWidth * 3 / 2, 3), kOuter[0]);

  skin.Unhook();
  PumpFor(60);
  EXPECT_TRUE(adv->TabBackGround.Image.Empty());
  EXPECT_TRUE(adv->TabBackGroundActive.Image.Empty());
  EXPECT_EQ(At(adv->Handle(), TTestAdvPage::kTabWidth / 2, 3), RGB(255, 255, 255));
  ImageList_Destroy(images);
}

} // namespace
