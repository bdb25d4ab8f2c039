// Edits, combo boxes and scroll bars on real windows, painted from a purpose-made skin whose
// frames are solid colours, checked on the screen's pixels: the edit's ring, the combo's button
// cells, overlay scroll bars over a memo and list boxes (geometry, frames by state, presses
// handed to the system), and the drop-down list's scroll bar with its thumb drag.
#include "framework/date_time_picker.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/combo_list_scroll.h"
#include "skin/controls/date_time.h"
#include "skin/controls/edit.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_control.h"
#include "skin/controls/size_grip.h"
#include "skin/data/core/skin_colours.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using skin_tests::AsPixel;
using skin_tests::At;
using skin_tests::Pump;
using skin_tests::StartFormSkin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

constexpr COLORREF kFace = RGB(210, 190, 150);
constexpr COLORREF kShadow = RGB(90, 30, 120);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Frame f (1-based) of each strip has a colour of its own.
COLORREF ArrowColour(int f) {
  return RGB(10 * f, 250 - 10 * f, 40);
}
COLORREF TrackColour(int f) {
  return RGB(40, 60 * f, 200);
}
COLORREF ThumbColour(int f) {
  return RGB(200, 40, 60 * f);
}
COLORREF ButtonColour(int f) {
  return RGB(60 * f, 120, 20);
}
COLORREF MirroredColour(int f) {
  return RGB(20, 120, 60 * f);
}
COLORREF EdgeColour(int f) {
  return RGB(120, 20, 60 * f);
}
COLORREF PickerArrowColour(int f) {
  return RGB(20, 60 * f, 140);
}
COLORREF GlyphColour(int f) {
  return RGB(250, 40 * f, 250 - 40 * f);
}

TBitmap Strip(int frames, int width, int height, COLORREF (*colour)(int)) {
  TBitmap b(frames * width, height, fw::TPixelFormat::pf24bit);
  for (int f = 0; f < frames; ++f)
    b.FillRect({f * width, 0, (f + 1) * width, height}, AsPixel(colour(f + 1)));
  return b;
}

template <class T> std::unique_ptr<T> Element(TBitmap bitmap, int frames) {
  auto e = std::make_unique<T>();
  e->Bitmap = std::move(bitmap);
  e->FrameCount = frames;
  return e;
}

struct ScrollSkin {
  ScrollSkin() {
    const int s = ::GetSystemMetrics(SM_CXHSCROLL);
    elements.Scrollbar = Element<TDataSkinObject>(Strip(23, s, s, ArrowColour), 23);
    elements.VertScroll = Element<TDataSkinObject>(Strip(4, s, s, TrackColour), 4);
    elements.HorzScroll = Element<TDataSkinObject>(Strip(4, s, s, TrackColour), 4);
    elements.VertScrollThumb = Element<TDataSkinObject>(Strip(3, s, s, ThumbColour), 3);
    elements.HorzScrollThumb = Element<TDataSkinObject>(Strip(3, s, s, ThumbColour), 3);
    elements.ComboButton = Element<TDataSkinBorder>(Strip(4, s, 20, ButtonColour), 4);
    elements.ComboButton->Bitmap2 = Strip(4, s, 20, MirroredColour);
    elements.SunkEdge = Element<TDataSkinObject>(Strip(4, 12, 12, EdgeColour), 4);
    elements.ComboxArrow->Bitmap = Strip(4, s, 16, PickerArrowColour);
    elements.ColourTable.Colours[kButtonFace] = kFace;
    elements.ColourTable.Colours[kButtonShadow] = kShadow;
  }
  TFormSkinSource Source() const { return {&elements, DefaultSkinControls(), {}, nullptr}; }
  TSkinElements elements;
};

std::vector<std::wstring> Lines(int n, const wchar_t* prefix) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < n; ++i)
    lines.push_back(prefix + std::to_wstring(i) +
                    L" — a line long enough to need a horizontal bar");
  return lines;
}

// A grid-like control: a list box with the colour of a grid's fixed cells.
class TFixedList : public fw::TListBox {
public:
  using fw::TListBox::TListBox;
  std::wstring ClassName() const override { return L"TFixedList"; }
  int FixedColor = RGB(1, 2, 3);

protected:
  void DefineProperties(fw::TPropertyList& list) const override {
    fw::TListBox::DefineProperties(list);
    fw::TPropertyDefiner<TFixedList>(list).Integer(
        L"FixedColor", [](TFixedList& l) { return l.FixedColor; },
        [](TFixedList& l, int v) { l.FixedColor = v; });
  }
};

// A window that runs a test's action when a message posted to it is dispatched (inside a
// modal loop, for one).
struct Helper {
  Helper() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"tests.Helper";
      ::RegisterClassW(&wc);
      registered = true;
    }
    wnd = ::CreateWindowExW(0, L"tests.Helper", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
  }
  ~Helper() { ::DestroyWindow(wnd); }
  void Later(std::function<void()> f) {
    action = std::move(f);
    ::PostMessageW(wnd, WM_APP, 0, reinterpret_cast<LPARAM>(this));
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) reinterpret_cast<Helper*>(lParam)->action();
    return ::DefWindowProcW(w, msg, wParam, lParam);
  }
  HWND wnd;
  std::function<void()> action;
};

class ScrollComboEdit : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetCursorPos(1270, 1010); // away from every window, so that no press or hover is real
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Scroll bars, combo boxes, edits");
    form->SetBounds(40, 40, 620, 420);
    edit = Add<fw::TEdit>(10, 10, 150, 24);
    combo = Add<fw::TComboBox>(10, 50, 150, 24, [](fw::TComboBox* c) {
      c->Style = fw::csDropDownList;
      c->SetItems(Lines(30, L"item "));
    });
    typed = Add<fw::TComboBox>(10, 90, 150, 24, [](fw::TComboBox* c) {
      c->SetItems({L"one", L"two"});
    });
    simple = Add<fw::TComboBox>(10, 130, 150, 120, [](fw::TComboBox* c) {
      c->Style = fw::csSimple;
      c->SetItems(Lines(30, L"simple "));
    });
    memo = Add<fw::TMemo>(200, 10, 200, 150, [](fw::TMemo* m) { m->ScrollBars = fw::ssBoth; });
    memo->SetLines(Lines(40, L"memo "));
    list = Add<fw::TListBox>(420, 10, 170, 150,
                             [](fw::TListBox* l) { l->SetItems(Lines(100, L"row ")); });
    growing = Add<fw::TListBox>(420, 200, 170, 100, [](fw::TListBox* l) {
      l->SetItems({L"a", L"b"});
    });
    form->Show();
    ::SetForegroundWindow(form->Handle());
    Pump();
    formSkin = StartFormSkin(form->Handle(), skin.Source());
    ASSERT_TRUE(formSkin);
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }

  template <class T>
  T* Add(int left, int top, int width, int height, std::function<void(T*)> before = {}) {
    auto* control = new T(form.get());
    if (before) before(control);
    control->SetParent(form.get());
    control->SetBounds(left, top, width, height);
    return control;
  }
  template <class Skin> Skin* SkinOf(fw::TWinControl* c) {
    for (const auto& s : formSkin->Controls())
      if (s->Handle() == c->Handle()) return dynamic_cast<Skin*>(s.get());
    return nullptr;
  }
  COLORREF ButtonPixel(fw::TWinControl* c) {
    RECT r;
    ::GetWindowRect(c->Handle(), &r);
    return At(c->Handle(), r.right - r.left - 5, (r.bottom - r.top) / 2);
  }

  ScrollSkin skin;
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TEdit* edit;
  fw::TComboBox *combo, *typed, *simple;
  fw::TMemo* memo;
  fw::TListBox *list, *growing;
};

TEST_F(ScrollComboEdit, EditRingAndComboButtonCellsByState) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"scroll_combo_edit.bmp");
  EXPECT_EQ(::SendMessageW(edit->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(edit->Handle(), 0, 0), kShadow);
  EXPECT_EQ(At(edit->Handle(), 1, 5), kWhite);
  EXPECT_EQ(At(edit->Handle(), 2, 5), kWhite);

  HWND c = combo->Handle();
  EXPECT_EQ(At(c, 0, 10), EdgeColour(1)); // the ring
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(1));
  ::SendMessageW(c, WM_MOUSEMOVE, 0, MAKELPARAM(145, 10));
  Pump();
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(4));
  ::SendMessageW(c, WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(1));
  ::SetFocus(c);
  Pump();
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(4));
  ::SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(145, 10));
  Pump();
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(2));
  ::SendMessageW(c, WM_LBUTTONUP, 0, MAKELPARAM(145, 10));
  ::SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
  // Keys still select.
  combo->SetItemIndex(0);
  ::SendMessageW(c, WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetEnabled(false);
  Pump();
  EXPECT_EQ(ButtonPixel(combo), ButtonColour(3));
  combo->SetEnabled(true);
  // A button on the left takes the mirrored image in the left column.
  ::SetWindowLongW(c, GWL_EXSTYLE, ::GetWindowLongW(c, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  ::SetFocus(edit->Handle());
  ::InvalidateRect(c, nullptr, TRUE);
  Pump();
  EXPECT_EQ(At(c, 5, 10), MirroredColour(1));

  // Typing into a drop-down combo still works, and its button is painted.
  HWND inner = ::GetWindow(typed->Handle(), GW_CHILD);
  ::SetFocus(inner);
  ::SendMessageW(inner, WM_CHAR, L'x', 0);
  Pump();
  EXPECT_EQ(typed->Text(), L"x");
  testing_support::SaveWindowShot(typed->Handle(), 4, L"skin_controls", L"typed.bmp");
  EXPECT_EQ(ButtonPixel(typed), ButtonColour(4)); // focused

  // A simple combo has no button; its list gets overlay bars.
  RECT r;
  ::GetWindowRect(simple->Handle(), &r);
  const TBitmap shot = testing_support::ScreenPixels(r);
  int buttonPixels = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      for (int f = 1; f <= 4; ++f)
        buttonPixels += (shot.At(x, y) & 0xFFFFFF) == AsPixel(ButtonColour(f));
  EXPECT_EQ(buttonPixels, 0);
}

TEST_F(ScrollComboEdit, EditWithoutBorderAndSpinChildren) {
  HWND bare = ::CreateWindowExW(0, L"EDIT", L"bare", WS_CHILD | WS_VISIBLE, 10, 300, 100, 20,
                                form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  TSkinEdit plain;
  plain.AttachWindow(bare, {&skin.elements}, nullptr);
  ::InvalidateRect(bare, nullptr, TRUE);
  Pump();
  EXPECT_NE(At(bare, 0, 0), kShadow);
  // An up-down is found by its class name in any letter case.
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"tests.MySPINner";
  ::RegisterClassW(&wc);
  HWND spin = ::CreateWindowExW(0, L"tests.MySPINner", L"", WS_CHILD | WS_VISIBLE, 80, 0, 16, 16,
                                edit->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(FindUpDownChild(edit->Handle()), spin);
  EXPECT_EQ(FindUpDownChild(bare), nullptr);
  // The edit skins its up-down itself (its own skin, not the window skin's) and keeps its ring.
  ::InvalidateRect(edit->Handle(), nullptr, TRUE);
  Pump();
  ASSERT_NE(SkinOf<TSkinEdit>(edit)->UpDown(), nullptr);
  EXPECT_EQ(SkinOf<TSkinEdit>(edit)->UpDown()->Handle(), spin);
  EXPECT_EQ(::SendMessageW(spin, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(edit->Handle(), 0, 0), kShadow);
  plain.Deactivate();
  ::DestroyWindow(bare);
}

// The overlay's rectangle on the screen.
RECT OverlayRect(TWScrollbar* bar) {
  RECT r;
  ::GetWindowRect(bar->Handle(), &r);
  return r;
}

RECT SystemBar(HWND wnd, LONG object, SCROLLBARINFO* out = nullptr) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ::GetScrollBarInfo(wnd, object, &info);
  if (out) *out = info;
  return info.rcScrollBar;
}

TEST_F(ScrollComboEdit, OverlaysLieOverTheBarsAndShowTheirParts) {
  auto* memoSkin = SkinOf<TSkinScrollbar>(memo);
  ASSERT_NE(memoSkin, nullptr);
  ASSERT_TRUE(memoSkin->VertBar()->Shown());
  ASSERT_TRUE(memoSkin->HorzBar()->Shown());
  const RECT v = SystemBar(memo->Handle(), OBJID_VSCROLL);
  const RECT h = SystemBar(memo->Handle(), OBJID_HSCROLL);
  RECT ov = OverlayRect(memoSkin->VertBar()), oh = OverlayRect(memoSkin->HorzBar());
  EXPECT_TRUE(::EqualRect(&v, &ov));
  EXPECT_TRUE(::EqualRect(&h, &oh));
  // Arrows, track and thumb in their normal frames; the size box in the face colour.
  EXPECT_EQ(ScreenPixel(v.left + 3, v.top + 3), ArrowColour(9));
  EXPECT_EQ(ScreenPixel(v.left + 3, v.bottom - 3), ArrowColour(13));
  EXPECT_EQ(ScreenPixel(h.left + 3, h.top + 3), ArrowColour(1));
  EXPECT_EQ(ScreenPixel(v.left + 3, v.bottom - 20), TrackColour(1));
  SCROLLBARINFO info;
  SystemBar(memo->Handle(), OBJID_VSCROLL, &info);
  EXPECT_EQ(ScreenPixel(v.left + 1, v.top + info.xyThumbTop + 1), ThumbColour(1));
  EXPECT_EQ(ScreenPixel(v.left + 3, h.top + 3), kFace);
  // The part under the mouse is hot.
  ::SendMessageW(memoSkin->VertBar()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Pump();
  EXPECT_EQ(ScreenPixel(v.left + 3, v.top + 3), ArrowColour(12));
  ::SendMessageW(memoSkin->VertBar()->Handle(), WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(ScreenPixel(v.left + 3, v.top + 3), ArrowColour(9));

  // Keyboard scrolling moves the thumb the overlay shows.
  HWND l = list->Handle();
  ::SetFocus(l);
  for (int i = 0; i < 4; ++i)
    ::PostMessageW(l, WM_KEYDOWN, VK_NEXT, 1);
  Pump();
  const RECT lv = SystemBar(l, OBJID_VSCROLL, &info);
  EXPECT_GT(info.xyThumbTop, 30);
  EXPECT_EQ(ScreenPixel(lv.left + 1, lv.top + info.xyThumbTop + 1), ThumbColour(1));
  EXPECT_EQ(ScreenPixel(lv.left + 3, lv.top + 24), TrackColour(1));
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"overlays.bmp");

  // A list that gains a bar gets its overlay at the next paint; a hidden list hides it.
  auto* growingSkin = SkinOf<TSkinScrollbar>(growing);
  ASSERT_NE(growingSkin, nullptr);
  EXPECT_FALSE(growingSkin->VertBar()->Shown());
  growing->SetItems(Lines(50, L"more "));
  Pump();
  EXPECT_TRUE(growingSkin->VertBar()->Shown());
  EXPECT_TRUE(::IsWindowVisible(growingSkin->VertBar()->Handle()));
  growing->Hide();
  Pump();
  EXPECT_FALSE(::IsWindowVisible(growingSkin->VertBar()->Handle()));
}

// A press on an overlay, released by a posted button-up after `holdMs`; `held` gets the colour
// at (x, y) of the screen while the button is down.
struct Press {
  static inline COLORREF held = 0;
  static inline POINT probe{};
  static inline HWND target = nullptr;
  static void CALLBACK Release(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    held = ScreenPixel(probe.x, probe.y);
    ::PostMessageW(target, WM_LBUTTONUP, 0, 0);
  }
  static void On(TWScrollbar* bar, HWND control, POINT client, UINT holdMs) {
    RECT r;
    ::GetWindowRect(bar->Handle(), &r);
    probe = {r.left + client.x, r.top + client.y};
    target = control;
    ::SetTimer(nullptr, 0, holdMs, Release);
    ::SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    Pump();
  }
};

TEST_F(ScrollComboEdit, PressesOnTheOverlayScrollThroughTheSystem) {
  auto* listSkin = SkinOf<TSkinScrollbar>(list);
  HWND l = list->Handle();
  const int s = ::GetSystemMetrics(SM_CXHSCROLL);
  RECT r = OverlayRect(listSkin->VertBar());
  const int length = r.bottom - r.top;
  // The second arrow: one line, drawn pressed while held.
  Press::On(listSkin->VertBar(), l, {3, length - 3}, 100);
  EXPECT_EQ(::SendMessageW(l, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(Press::held, ArrowColour(14));
  EXPECT_EQ(At(listSkin->VertBar()->Handle(), 3, length - 3), ArrowColour(13));
  // The page below the thumb.
  RECT client;
  ::GetClientRect(l, &client);
  const int page = client.bottom / static_cast<int>(::SendMessageW(l, LB_GETITEMHEIGHT, 0, 0));
  Press::On(listSkin->VertBar(), l, {3, length - s - 3}, 100);
  EXPECT_EQ(::SendMessageW(l, LB_GETTOPINDEX, 0, 0), 1 + page);
  EXPECT_EQ(::SendMessageW(listSkin->VertBar()->Handle(), SM_ISSKINNED, 0, 0), 1);
}

// A disabled control's overlay shows its bar disabled (no thumb) and scrolls nothing; a bar
// whose position changed without a repaint shows its new thumb all the same.
TEST_F(ScrollComboEdit, OverlaysFollowTheEnabledStateAndABarChangedWithoutAPaint) {
  auto* listSkin = SkinOf<TSkinScrollbar>(list);
  HWND l = list->Handle();
  SCROLLBARINFO info;
  const RECT v = SystemBar(l, OBJID_VSCROLL, &info);
  const POINT thumb{v.left + 3, v.top + info.xyThumbTop + 2};
  ASSERT_EQ(ScreenPixel(thumb.x, thumb.y), ThumbColour(1));
  list->SetEnabled(false);
  Pump();
  EXPECT_EQ(ScreenPixel(thumb.x, thumb.y), TrackColour(TrackFrame(false)));
  const RECT r = OverlayRect(listSkin->VertBar());
  Press::On(listSkin->VertBar(), l, {3, r.bottom - r.top - 3}, 100);
  EXPECT_EQ(::SendMessageW(l, LB_GETTOPINDEX, 0, 0), 0);
  list->SetEnabled(true);
  Pump();
  EXPECT_EQ(ScreenPixel(thumb.x, thumb.y), ThumbColour(1));

  ::SetScrollPos(l, SB_VERT, 60, FALSE); // no repaint of the list
  PumpFor(500);
  SystemBar(l, OBJID_VSCROLL, &info);
  ASSERT_GT(info.xyThumbTop, 40);
  EXPECT_EQ(ScreenPixel(v.left + 3, v.top + info.xyThumbTop + 2), ThumbColour(1));
  EXPECT_EQ(ScreenPixel(thumb.x, thumb.y), TrackColour(1));
}

// The skins switched off while the system's own loop runs: a thumb being dragged, a window
// being moved. When the loop returns, nothing of the freed skins is touched.
TEST_F(ScrollComboEdit, SkinsFreedInsideModalLoopsAreNotTouchedAfterwards) {
  static std::unique_ptr<TWinSkinForm>* skinToFree = nullptr;
  static UINT endMessage = 0;
  static WPARAM endKey = 0;
  static HWND endWindow = nullptr;
  struct Inside {
    static void CALLBACK FreeAndEnd(HWND, UINT, UINT_PTR id, DWORD) {
      ::KillTimer(nullptr, id);
      skinToFree->reset();
      ::PostMessageW(endWindow, endMessage, endKey, 0);
    }
  };
  testing_support::TFreedMemoryCheck freed;
  skinToFree = &formSkin;
  auto* memoSkin = SkinOf<TSkinScrollbar>(memo);
  ASSERT_NE(memoSkin, nullptr);
  SCROLLBARINFO info;
  SystemBar(memo->Handle(), OBJID_VSCROLL, &info);
  endWindow = memo->Handle();
  endMessage = WM_LBUTTONUP;
  ::SetTimer(nullptr, 0, 100, Inside::FreeAndEnd);
  ::SendMessageW(memoSkin->VertBar()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(3, info.xyThumbTop + 3));
  Pump();
  EXPECT_FALSE(formSkin);
  EXPECT_EQ(::SendMessageW(memo->Handle(), SM_ISSKINNED, 0, 0), 0);

  formSkin = StartFormSkin(form->Handle(), skin.Source());
  ASSERT_TRUE(formSkin);
  endWindow = form->Handle();
  endMessage = WM_KEYDOWN;
  endKey = VK_ESCAPE;
  ::SetTimer(nullptr, 0, 100, Inside::FreeAndEnd);
  ::SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MOVE, 0); // moving by the keyboard
  Pump();
  EXPECT_FALSE(formSkin);
  EXPECT_EQ(freed.WrittenAfterFree(), 0);
}

TEST_F(ScrollComboEdit, AScrollBarControlGetsOneOverlayWithItsThumb) {
  HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 200, 200, 18,
                               150, form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 0, 50, 0};
  ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
  TSkinScControl barSkin;
  barSkin.AttachWindow(bar, {&skin.elements}, nullptr);
  Pump();
  RECT control, overlay;
  ::GetWindowRect(bar, &control);
  ::GetWindowRect(barSkin.Bar()->Handle(), &overlay);
  EXPECT_TRUE(::EqualRect(&control, &overlay));
  const int s = ::GetSystemMetrics(SM_CXHSCROLL);
  const ThumbExtent thumb = ControlThumb({0, 100, 0, 50}, 150, s);
  EXPECT_EQ(ScreenPixel(control.left + 3, control.top + thumb.start + 2), ThumbColour(1));
  EXPECT_EQ(ScreenPixel(control.left + 3, control.top + 3), ArrowColour(9));
  // A new position moves the thumb the overlay shows.
  si.fMask = SIF_POS;
  si.nPos = 0;
  ::SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  Pump();
  EXPECT_EQ(ScreenPixel(control.left + 3, control.top + s + 2), ThumbColour(1));
  barSkin.Deactivate();
  ::DestroyWindow(bar);
  // A horizontal one lies along x: its left arrow at the left end, its thumb beside it.
  bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 200, 200, 150, 18,
                          form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
  TSkinScControl horzSkin;
  horzSkin.AttachWindow(bar, {&skin.elements}, nullptr);
  Pump();
  ::GetWindowRect(bar, &control);
  EXPECT_EQ(ScreenPixel(control.left + 3, control.top + 3),
            ArrowColour(ArrowFrame(false, false, ArrowLook::Normal)));
  EXPECT_EQ(ScreenPixel(control.left + s + 2, control.top + 3), ThumbColour(1));
  horzSkin.Deactivate();
  ::DestroyWindow(bar);
  // A size grip shows only the face colour.
  HWND grip =
      ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 300, 18,
                        18, form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  TSkinSizer gripSkin;
  gripSkin.AttachWindow(grip, {&skin.elements}, nullptr);
  Pump();
  ::GetWindowRect(grip, &control);
  const TBitmap shot = testing_support::ScreenPixels(control);
  int face = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      face += (shot.At(x, y) & 0xFFFFFF) == AsPixel(kFace);
  EXPECT_EQ(face, shot.Width() * shot.Height());
  gripSkin.Deactivate();
  ::DestroyWindow(grip);
}

TEST_F(ScrollComboEdit, DropDownListScrollBarAndItsThumbDrag) {
  HWND c = combo->Handle();
  auto* comboSkin = SkinOf<TSkinComBox>(combo);
  ASSERT_NE(comboSkin, nullptr);
  ASSERT_NE(comboSkin->DropScroll(), nullptr);
  COMBOBOXINFO ci{};
  ci.cbSize = sizeof ci;
  ::GetComboBoxInfo(c, &ci);
  HWND l = ci.hwndList;
  Helper helper;
  auto drop = [&] {
    ::SendMessageW(c, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageW(l, LB_SETTOPINDEX, 0, 0);
    Pump();
  };
  auto pressThumb = [&] {
    SCROLLBARINFO info{};
    const RECT bar = SystemBar(l, OBJID_VSCROLL, &info);
    const POINT at{bar.left + 3, bar.top + info.xyThumbTop + 2};
    ::SendMessageW(l, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(at.x, at.y));
    return at;
  };
  drop();
  SCROLLBARINFO info{};
  const RECT bar = SystemBar(l, OBJID_VSCROLL, &info);
  EXPECT_EQ(ScreenPixel(bar.left + 3, bar.top + 3), ArrowColour(9));
  EXPECT_EQ(ScreenPixel(bar.left + 1, bar.top + info.xyThumbTop + 1), ThumbColour(1));
  testing_support::SaveWindowShot(l, 10, L"skin_controls", L"combo_list.bmp");

  // Dragged to the end: the last page, no further.
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(l, SB_VERT, &si);
  ::PostMessageW(l, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(bar.left + 3, bar.bottom + 400));
  ::PostMessageW(l, WM_LBUTTONUP, 0, 0);
  pressThumb();
  EXPECT_EQ(comboSkin->DropScroll()->LastDragEnd(), ThumbDragEnd::Released);
  EXPECT_EQ(::SendMessageW(l, LB_GETTOPINDEX, 0, 0), si.nMax - static_cast<int>(si.nPage) + 1);

  // Escape puts the list back where the drag began.
  drop();
  ::PostMessageW(l, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(bar.left + 3, bar.bottom + 400));
  ::PostMessageW(l, WM_KEYDOWN, VK_ESCAPE, 0);
  pressThumb();
  EXPECT_EQ(comboSkin->DropScroll()->LastDragEnd(), ThumbDragEnd::Escape);
  EXPECT_EQ(::SendMessageW(l, LB_GETTOPINDEX, 0, 0), 0);
  // Ended by a lost capture, by the list closing and by WM_QUIT, which is posted again.
  drop();
  helper.Later([] { ::ReleaseCapture(); });
  pressThumb();
  EXPECT_EQ(comboSkin->DropScroll()->LastDragEnd(), ThumbDragEnd::CaptureLost);
  drop();
  helper.Later([&] { ::SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0); });
  pressThumb();
  EXPECT_EQ(comboSkin->DropScroll()->LastDragEnd(), ThumbDragEnd::ListClosed);
  drop();
  ::PostQuitMessage(7);
  pressThumb();
  EXPECT_EQ(comboSkin->DropScroll()->LastDragEnd(), ThumbDragEnd::Quit);
  MSG quit;
  ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  ::SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
}

TEST_F(ScrollComboEdit, FixedColourIsTheFaceWhileSkinnedAndAWindowMadeAgainIsSkinnedAgain) {
  auto* grid =
      Add<TFixedList>(200, 300, 150, 80, [](TFixedList* g) { g->SetItems(Lines(20, L"cell ")); });
  formSkin->DiscoverControls();
  Pump();
  ASSERT_NE(SkinOf<TSkinScrollbar>(grid), nullptr);
  EXPECT_EQ(grid->FixedColor, static_cast<int>(kFace));
  // Another skin: its face colour.
  ScrollSkin other;
  other.elements.ColourTable.Colours[kButtonFace] = RGB(1, 99, 1);
  SkinOf<TSkinScrollbar>(grid)->SkinChanged({&other.elements});
  EXPECT_EQ(grid->FixedColor, static_cast<int>(RGB(1, 99, 1)));
  // The window made again: exactly one fresh skin, with working overlays.
  const HWND old = grid->Handle();
  grid->RecreateWnd();
  Pump();
  ASSERT_NE(grid->Handle(), old);
  int skins = 0;
  for (const auto& s : formSkin->Controls())
    skins += s->Handle() == old || s->Handle() == grid->Handle();
  EXPECT_EQ(skins, 1);
  auto* gridSkin = SkinOf<TSkinScrollbar>(grid);
  ASSERT_NE(gridSkin, nullptr);
  ASSERT_TRUE(gridSkin->VertBar()->Shown());
  const RECT v = SystemBar(grid->Handle(), OBJID_VSCROLL);
  Press::On(gridSkin->VertBar(), grid->Handle(), {3, v.bottom - v.top - 3}, 50);
  EXPECT_EQ(::SendMessageW(grid->Handle(), LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(ScreenPixel(v.left + 3, v.top + 3), ArrowColour(9));
  // The control's own colour, not a face colour, comes back at the end.
  EXPECT_EQ(grid->FixedColor, static_cast<int>(kFace));
  gridSkin->Deactivate();
  EXPECT_EQ(grid->FixedColor, static_cast<int>(RGB(1, 2, 3)));
}

TEST_F(ScrollComboEdit, ComboButtonStylesAndTheGlyphOverTheButtonByState) {
  HWND c = combo->Handle();
  auto* comboSkin = SkinOf<TSkinComBox>(combo);
  ASSERT_NE(comboSkin, nullptr);
  RECT r;
  ::GetWindowRect(c, &r);
  const int w = r.right - r.left, h = r.bottom - r.top, s = ::GetSystemMetrics(SM_CXHSCROLL);
  auto restyle = [&] {
    comboSkin->SkinChanged({&skin.elements});
    Pump();
  };
  // Cells 1 normal, 4 hot, 3 disabled and 2 pressed at a point of the combo.
  auto expectCells = [&](COLORREF (*colour)(int), int x, int y, const char* what) {
    SCOPED_TRACE(what);
    ::SetFocus(edit->Handle());
    Pump();
    EXPECT_EQ(At(c, x, y), colour(1));
    ::SendMessageW(c, WM_MOUSEMOVE, 0, MAKELPARAM(w - 5, h / 2));
    Pump();
    EXPECT_EQ(At(c, x, y), colour(4));
    ::SendMessageW(c, WM_MOUSELEAVE, 0, 0);
    combo->SetEnabled(false);
    Pump();
    EXPECT_EQ(At(c, x, y), colour(3));
    combo->SetEnabled(true);
    ::SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w - 5, h / 2));
    Pump();
    EXPECT_EQ(At(c, x, y), colour(2));
    ::SendMessageW(c, WM_LBUTTONUP, 0, MAKELPARAM(w - 5, h / 2));
    ::SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
    Pump();
  };
  // Drawn in parts: the ExtraImages glyph, unstretched, centred over the button.
  skin.elements.ExtraImages = Element<TDataSkinObject>(Strip(5, 6, 6, GlyphColour), 5);
  restyle();
  testing_support::SaveWindowShot(c, 4, L"skin_controls", L"combo_glyph.bmp");
  const int glyphX = w - 2 - s / 2 - 1;
  EXPECT_EQ(At(c, w - 3, 3), ButtonColour(1)); // the button around the glyph
  expectCells(GlyphColour, glyphX, h / 2, "glyph");

  // Style 1: a frame in ButtonShadow and one button cell at the right.
  skin.elements.ComboButton->Style = 1;
  restyle();
  testing_support::SaveWindowShot(c, 4, L"skin_controls", L"combo_simple.bmp");
  EXPECT_EQ(At(c, 0, h / 2), kShadow);
  expectCells(ButtonColour, w - 5, h / 2, "simple");

  // Style 2: one composed image per state, magenta where the combo shows its own text (the
  // image's Trans flag notwithstanding).
  TBitmap composed(4 * 50, 21, fw::TPixelFormat::pf24bit);
  for (int k = 0; k < 4; ++k) {
    composed.FillRect({k * 50, 0, (k + 1) * 50, 21}, AsPixel(ButtonColour(k + 1)));
    composed.FillRect({k * 50 + 2, 2, k * 50 + 49 - s - 2, 18}, AsPixel(RGB(255, 0, 255)));
  }
  TDataSkinBorder& button = *skin.elements.ComboButton;
  button.Bitmap = std::move(composed);
  button.Style = 2;
  button.Trans = 0;
  button.LeftWidth = button.TopHeight = button.BottomHeight = 2;
  button.RightWidth = s + 4; // as the loader composes it
  combo->SetItemIndex(0);
  restyle();
  testing_support::SaveWindowShot(c, 4, L"skin_controls", L"combo_composed.bmp");
  expectCells(ButtonColour, w - 5, h / 2, "composed");
  EXPECT_EQ(At(c, 0, h / 2), ButtonColour(4)); // the ring, focused after the press
  int magenta = 0;
  for (int x = 4; x < w - s - 6; ++x)
    magenta += At(c, x, h / 2) == RGB(255, 0, 255);
  EXPECT_EQ(magenta, 0);
}

TEST_F(ScrollComboEdit, ExtendedComboBoxes) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
  ::InitCommonControlsEx(&icc);
  auto make = [&](int top, DWORD style) {
    HWND ex = ::CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | style, 200, top,
                                150, 200, form->Handle(), nullptr, nullptr, nullptr);
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"extended");
    ::SendMessageW(ex, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ::SendMessageW(ex, CB_SETCURSEL, 0, 0);
    return ex;
  };
  auto buttonCentre = [](HWND inner) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(inner, &info);
    POINT p{(info.rcButton.left + info.rcButton.right) / 2,
            (info.rcButton.top + info.rcButton.bottom) / 2};
    ::ClientToScreen(inner, &p);
    return p;
  };
  // Found in a window: the combo box inside is skinned as a combo box.
  HWND found = make(200, CBS_DROPDOWNLIST);
  HWND foundInner = reinterpret_cast<HWND>(::SendMessageW(found, CBEM_GETCOMBOCONTROL, 0, 0));
  formSkin->OfferChildWindow(found);
  Pump();
  EXPECT_EQ(::SendMessageW(foundInner, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(foundInner, 0, 8), EdgeColour(1));
  POINT p = buttonCentre(foundInner);
  EXPECT_EQ(ScreenPixel(p.x, p.y), ButtonColour(1));
  // Of the extended kind: the ring on its window and the arrow cell over the inner button.
  HWND ex = make(260, CBS_DROPDOWNLIST);
  HWND inner = reinterpret_cast<HWND>(::SendMessageW(ex, CBEM_GETCOMBOCONTROL, 0, 0));
  // The system takes the border off at creation; given one afterwards, it keeps it.
  ::SetWindowLongW(ex, GWL_STYLE, ::GetWindowLongW(ex, GWL_STYLE) | WS_BORDER);
  ::SetWindowPos(ex, nullptr, 0, 0, 150, 23,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  TSkinComBox exSkin;
  exSkin.SetExtended(true);
  exSkin.AttachWindow(ex, {&skin.elements}, nullptr);
  ::InvalidateRect(inner, nullptr, TRUE);
  Pump();
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"combo_ex.bmp");
  EXPECT_EQ(At(ex, 0, 5), kShadow);
  EXPECT_EQ(At(ex, 1, 5), kWhite);
  p = buttonCentre(inner);
  EXPECT_EQ(ScreenPixel(p.x, p.y), PickerArrowColour(1));
  int text = 0; // the text area is the combo's own: the item's text is still there
  for (int x = 4; x < 60; ++x)
    for (int y = 4; y < 16; ++y)
      text += GetBValue(At(inner, x, y)) < 0x60;
  EXPECT_GT(text, 10);
  ::SetFocus(inner);
  Pump();
  EXPECT_EQ(ScreenPixel(p.x, p.y), PickerArrowColour(4));
  ::SetFocus(edit->Handle());
  exSkin.Deactivate();
  ::DestroyWindow(ex);
  ::DestroyWindow(found);
}

TEST_F(ScrollComboEdit, DateTimeArrowOpensTheCalendarAndKeepsTheFocus) {
  auto* picker = Add<fw::TDateTimePicker>(200, 200, 150, 24);
  Pump();
  TSkinDateTime dateSkin;
  dateSkin.AttachControl(*picker, nullptr, {&skin.elements}, false);
  Pump();
  HWND p = picker->Handle();
  HWND arrow = dateSkin.Arrow()->Handle();
  RECT r;
  ::GetWindowRect(arrow, &r);
  EXPECT_EQ(r.bottom - r.top, picker->Height() - 4);
  EXPECT_EQ(At(arrow, 3, 3), PickerArrowColour(1));
  EXPECT_EQ(At(p, 0, 5), kShadow);
  EXPECT_EQ(At(p, 1, 5), kWhite);
  ::SendMessageW(arrow, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Pump();
  EXPECT_EQ(At(arrow, 3, 3), PickerArrowColour(4));
  ::SetFocus(edit->Handle());
  ::SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::PostMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(3, 3)); // after the picker's click
  Pump();
  EXPECT_NE(picker->Calendar(), nullptr);
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"date_time.bmp");
  EXPECT_EQ(::GetFocus(), p);
  ::SendMessageW(picker->Calendar(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageW(p, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  dateSkin.Deactivate();
}

} // namespace
