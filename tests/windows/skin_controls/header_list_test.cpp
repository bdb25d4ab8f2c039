// Headers and list views on real windows: the column header of our list view (skinned through the
// list view's skin) and a bare system header, painted from a skin of solid colours; the item under
// the mouse turns hot and is given up when the mouse leaves. A list view with more rows and
// columns than it shows gets overlay scroll bars too, and keeps one skin when its window is made
// again.
#include "framework/form.h"
#include "framework/list_view.h"
#include "skin/controls/list_view.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using skin_tests::At;
using skin_tests::Pump;
using skin_tests::StartFormSkin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

constexpr COLORREF kBars[5] = {RGB(170, 40, 40), RGB(40, 150, 40), RGB(40, 40, 160),
                               RGB(150, 150, 40), RGB(40, 150, 150)};
constexpr COLORREF kHeaderText = RGB(255, 255, 255);

COLORREF ArrowColour(int f) {
  return RGB(10 * f, 250 - 10 * f, 90);
}

// Frame f of `frames` square frames in ArrowColour(f).
std::unique_ptr<TDataSkinObject> Arrows(const char* name, int frames) {
  const int s = ::GetSystemMetrics(SM_CXHSCROLL);
  auto e = std::make_unique<TDataSkinObject>(name);
  e->Bitmap = TBitmap(frames * s, s);
  for (int f = 0; f < frames; ++f)
    e->Bitmap.FillRect({f * s, 0, (f + 1) * s, s}, fw::PixelOf(ArrowColour(f + 1)));
  e->FrameCount = frames;
  return e;
}

int Count(HWND wnd, COLORREF colour) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const TBitmap shot = testing_support::ScreenPixels(r);
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      n += (shot.At(x, y) & 0xFFFFFF) == fw::PixelOf(colour);
  return n;
}

class Headers : public ::testing::Test {
protected:
  void SetUp() override {
    elements.Headerbar = std::make_unique<TDataSkinObject>("Headerbar");
    TDataSkinObject& bar = *elements.Headerbar;
    bar.Bitmap = TBitmap(5 * 12, 12);
    for (int f = 0; f < 5; ++f)
      bar.Bitmap.FillRect({f * 12, 0, (f + 1) * 12, 12}, fw::PixelOf(kBars[f]));
    bar.FrameCount = 5;
    bar.LeftWidth = bar.TopHeight = bar.RightWidth = bar.BottomHeight = 2;
    elements.ColourTable.Colours[kWindowText] = kHeaderText;
    elements.Scrollbar = Arrows("Scrollbar", 23);
    elements.VertScroll = Arrows("VertScroll", 4); // its track frame 1 is ArrowColour(1)

    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Headers");
    form->SetBounds(60, 60, 420, 440);
    list = new fw::TListView(form.get());
    list->Columns = {{L"Name", 120}, {L"Size", 80}};
    list->Items = {L"first", L"second"};
    list->SetParent(form.get());
    list->SetBounds(10, 10, 380, 120);
    // Discovery gives list views their skin: more columns and rows than it shows.
    wide = new fw::TListView(form.get());
    for (int i = 0; i < 6; ++i)
      wide->Columns.push_back({L"Column " + std::to_wstring(i), 110});
    for (int i = 0; i < 60; ++i)
      wide->Items.push_back(L"row " + std::to_wstring(i));
    wide->SetParent(form.get());
    wide->SetBounds(10, 200, 380, 180);
    form->Show();
    bare = ::CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 10, 160, 300,
                             24, form->Handle(), nullptr, nullptr, nullptr);
    const wchar_t* captions[2] = {L"Left", L"Right"};
    for (int i = 0; i < 2; ++i) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.cxy = 100;
      item.fmt = HDF_STRING | (i ? HDF_RIGHT : HDF_LEFT);
      item.pszText = const_cast<wchar_t*>(captions[i]);
      ::SendMessageW(bare, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ::SetForegroundWindow(form->Handle());
    Pump();
    formSkin =
        StartFormSkin(form->Handle(), TFormSkinSource{&elements, DefaultSkinControls(), {}, &data});
    ASSERT_TRUE(formSkin);
    // A bare header is skinned by window handle; the window skin owns the skin.
    (new TSkinHeader)->AttachWindow(bare, {&elements, DefaultSkinOptions()}, formSkin.get());
    header = reinterpret_cast<HWND>(::SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0));
    Pump();
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }

  TSkinElements elements;
  TSkinData data{nullptr};
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TListView* list = nullptr;
  fw::TListView* wide = nullptr;
  HWND bare = nullptr, header = nullptr;

  // The one skin listed for the list view: its overlays lie exactly over its bars (arrows and
  // track in their normal frames), and its header shows the normal frame.
  void ExpectSkinnedBarsAndHeader(HWND wnd) {
    TSkinListView* skin = nullptr;
    for (const auto& each : formSkin->Controls())
      if (each->Handle() == wnd && each->State() != TSkinLife::Destroyed) {
        EXPECT_EQ(skin, nullptr);
        skin = dynamic_cast<TSkinListView*>(each.get());
      }
    ASSERT_NE(skin, nullptr);
    for (TWScrollbar* bar : {skin->HorzBar(), skin->VertBar()}) {
      ASSERT_TRUE(bar->Shown());
      SCROLLBARINFO info{};
      info.cbSize = sizeof info;
      const bool vertical = bar->Kind() == ScrollBarKind::Vertical;
      ASSERT_TRUE(::GetScrollBarInfo(wnd, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info));
      RECT overlay, r = info.rcScrollBar;
      ::GetWindowRect(bar->Handle(), &overlay);
      EXPECT_TRUE(::EqualRect(&overlay, &r));
      EXPECT_EQ(ScreenPixel(r.left + 3, r.top + 3), ArrowColour(vertical ? 9 : 1));
      if (vertical) { // the track
        EXPECT_EQ(ScreenPixel(r.left + 3, r.bottom - 22), ArrowColour(1));
      }
    }
    HWND head = reinterpret_cast<HWND>(::SendMessageW(wnd, LVM_GETHEADER, 0, 0));
    ASSERT_NE(skin->Header(), nullptr);
    EXPECT_EQ(skin->Header()->Handle(), head);
    EXPECT_EQ(At(head, 60, 4), kBars[0]);
    EXPECT_EQ(At(head, 170, 4), kBars[0]);
  }
};

TEST_F(Headers, ListViewHeaderItemsAndTheFreePartShowTheNormalFrame) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"headers.bmp");
  ASSERT_TRUE(header);
  EXPECT_EQ(::SendMessageW(header, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(header, 60, 4), kBars[0]);
  EXPECT_EQ(At(header, 160, 4), kBars[0]);
  EXPECT_EQ(At(header, 300, 4), kBars[0]); // right of the last column
  EXPECT_GT(Count(header, kHeaderText), 10);
  EXPECT_EQ(::SendMessageW(bare, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(bare, 50, 4), kBars[0]);
  EXPECT_GT(Count(bare, kHeaderText), 10);
}

TEST_F(Headers, TheItemUnderTheMouseIsHotUntilTheMouseLeaves) {
  RECT r;
  ::GetWindowRect(header, &r);
  ::SetCursorPos(r.left + 160, r.top + 5);
  ::SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(160, 5));
  Pump();
  EXPECT_EQ(At(header, 160, 4), kBars[1]);
  EXPECT_EQ(At(header, 60, 4), kBars[0]);
  EXPECT_EQ(At(header, 300, 4), kBars[0]);
  ::SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(At(header, 160, 4), kBars[0]);
  // The bare header's first item.
  ::GetWindowRect(bare, &r);
  ::SetCursorPos(r.left + 50, r.top + 5);
  ::SendMessageW(bare, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  Pump();
  EXPECT_EQ(At(bare, 50, 4), kBars[1]);
  EXPECT_EQ(At(bare, 150, 4), kBars[0]);
}

TEST_F(Headers, AListViewGetsOverlayBarsAndItsHeaderSkinnedAndKeepsThemWhenMadeAgain) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"list_view.bmp");
  ExpectSkinnedBarsAndHeader(wide->Handle());
  const HWND old = wide->Handle();
  wide->RecreateWnd();
  Pump();
  ASSERT_NE(wide->Handle(), old);
  ExpectSkinnedBarsAndHeader(wide->Handle()); // one fresh skin, none left on the old window
  for (const auto& each : formSkin->Controls())
    EXPECT_NE(each->Handle(), old);
  // The overlays still follow the list.
  ::SendMessageW(wide->Handle(), WM_KEYDOWN, VK_END, 0);
  Pump();
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ::GetScrollBarInfo(wide->Handle(), OBJID_VSCROLL, &info);
  EXPECT_GT(info.xyThumbTop, 40);
  EXPECT_EQ(ScreenPixel(info.rcScrollBar.left + 3, info.rcScrollBar.top + 24), ArrowColour(1));
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"list_view_again.bmp");
}

} // namespace
