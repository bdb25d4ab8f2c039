// The form skin on real windows: frame sizes, client area, fitting, regions, caption buttons and
// unhooking, with a purpose-made skin whose colours tell the frames apart.
#include "framework/bitmap.h"
#include "framework/form.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

using namespace skin;
using fw::Pixel;
using fw::RgbPixel;
using testing_support::PumpFor;

namespace {

constexpr Pixel kBorderActive = RgbPixel(40, 60, 140), kBorderInactive = RgbPixel(120, 120, 130);
constexpr Pixel kFrameColours[4] = {RgbPixel(220, 0, 0), RgbPixel(0, 200, 0), RgbPixel(0, 0, 230),
                                    RgbPixel(128, 128, 128)};
constexpr int kLeft = 6, kTop = 30, kRight = 7, kBottom = 5;

// A border image of two frames (active, inactive), stacked or side by side.
TBitmap BorderImage(int w, int h, bool stacked, bool roundCorner) {
  TBitmap b(stacked ? w : 2 * w, stacked ? 2 * h : h, fw::TPixelFormat::pf24bit);
  b.Fill(kBorderActive);
  if (stacked)
    b.FillRect({0, h, w, 2 * h}, kBorderInactive);
  else
    b.FillRect({w, 0, 2 * w, h}, kBorderInactive);
  if (roundCorner) // the top three pixels of the outer column are cut away
    for (int y = 0; y < 3; ++y)
      b.At(0, y) = fw::kMagentaPixel;
  return b;
}

TBitmap ButtonStrip() {
  TBitmap b(4 * 16, 14, fw::TPixelFormat::pf24bit);
  for (int f = 0; f < 4; ++f)
    b.FillRect({16 * f, 0, 16 * f + 16, 14}, kFrameColours[f]);
  return b;
}

std::unique_ptr<TDataSkinSysButton> Button(int action, int visibility, int xcoord) {
  auto b = std::make_unique<TDataSkinSysButton>("Button");
  b->Action = action;
  b->Visibility = visibility;
  b->Align = 1;
  b->XCoord = xcoord;
  b->YCoord = 8;
  b->FrameCount = 4;
  b->Bitmap = ButtonStrip();
  return b;
}

struct TestSkin {
  explicit TestSkin(bool transparent) {
    auto border = [](TDataSkinBorder& e, TBitmap image, int trans) {
      e.Bitmap = std::move(image);
      e.FrameCount = 2;
      e.Trans = trans;
      e.Tile = 1;
    };
    border(*elements.Left, BorderImage(kLeft, 40, false, transparent), transparent);
    border(*elements.Right, BorderImage(kRight, 40, false, false), 0);
    border(*elements.Top, BorderImage(60, kTop, true, false), 0);
    border(*elements.Bottom, BorderImage(60, kBottom, true, false), 0);
    elements.Title->LeftWidth = 26;
    elements.Title->RightWidth = 70;
    elements.CaptionButtons.push_back(Button(0, 0, 24)); // close
    elements.CaptionButtons.push_back(Button(1, 2, 44)); // maximize
    elements.CaptionButtons.push_back(Button(1, 1, 44)); // restore, same place
    elements.ColourTable.Colours[kButtonFace] = 0xC0C0C0;
    elements.ColourTable.Colours[kTitleTextActive] = 0xFFFFFF;
  }
  TSkinElements elements;
};

// A top-level test window whose procedure records system commands instead of acting on them.
struct TestWindow {
  explicit TestWindow(DWORD style) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"tests.SkinnedForm";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
      wc.style = CS_DBLCLKS;
      ::RegisterClassW(&wc);
      registered = true;
    }
    commands.clear();
    RECT r{0, 0, 300, 200};
    ::AdjustWindowRectEx(&r, style, FALSE, 0);
    wnd = ::CreateWindowExW(0, L"tests.SkinnedForm", L"Skinned window", style, 120, 100,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(wnd, SW_SHOW);
    ::SetForegroundWindow(wnd);
    PumpFor(150);
  }
  ~TestWindow() { ::DestroyWindow(wnd); }

  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND) {
      commands.push_back(static_cast<UINT>(wParam & 0xFFF0));
      if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
    }
    return ::DefWindowProcW(w, msg, wParam, lParam);
  }
  static inline std::vector<UINT> commands;
  HWND wnd;
};

void Start(TWinSkinForm& skin, HWND wnd) {
  ASSERT_TRUE(skin.HookWindow(wnd));
  ::PostMessageW(wnd, SM_STARTSKIN, 0, 1000);
  PumpFor(200);
}

SIZE ClientSize(HWND wnd) {
  RECT r;
  ::GetClientRect(wnd, &r);
  return {r.right, r.bottom};
}

// What the screen shows at a point, read as the recorder reads it.
Pixel ScreenPixel(int x, int y) {
  TBitmap one(1, 1, fw::TPixelFormat::pf32bit);
  fw::DrawInto(one, [&](HDC dc) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
  return one.At(0, 0) & 0xFFFFFF;
}

// Saves the window's area of the screen as a test artefact.
void SaveShot(HWND wnd, const wchar_t* name) {
  testing_support::SaveWindowShot(wnd, 20, L"skin_form", name);
}

POINT ScreenPointOf(const TWinSysButton& b, HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return {r.left + b.FBounds.Left + 3, r.top + b.FBounds.Top + 3};
}

LPARAM PointParam(POINT p) {
  return MAKELPARAM(p.x, p.y);
}

} // namespace

TEST(SkinForm, FrameAndClientAreaComeFromTheBorderImages) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  const SIZE before = ClientSize(window.wnd);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  EXPECT_EQ(form.Frame(), (FrameSizes{kLeft, kTop, kRight, kBottom}));
  EXPECT_EQ(form.State(), skin::TFormLife::Running);
  EXPECT_EQ(::SendMessageW(window.wnd, SM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(form.HookWindow(window.wnd)); // never hooked twice

  // The client area keeps its size and lies inside the skin's borders.
  const SIZE after = ClientSize(window.wnd);
  EXPECT_EQ(after.cx, before.cx);
  EXPECT_EQ(after.cy, before.cy);
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  POINT origin{0, 0};
  ::ClientToScreen(window.wnd, &origin);
  EXPECT_EQ(origin.x - w.left, kLeft);
  EXPECT_EQ(origin.y - w.top, kTop);
  EXPECT_EQ(w.right - w.left, before.cx + kLeft + kRight);
  EXPECT_EQ(w.bottom - w.top, before.cy + kTop + kBottom);

  // No transparent border: the region is the plain window rectangle.
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(::GetWindowRgn(window.wnd, region.get()), SIMPLEREGION);
  RECT box;
  ::GetRgnBox(region.get(), &box);
  EXPECT_EQ(box.right, w.right - w.left);
  EXPECT_EQ(box.bottom, w.bottom - w.top);

  // The frame is painted from the skin: the left border shows its active frame.
  EXPECT_EQ(ScreenPixel(w.left + 2, w.top + 100), kBorderActive);
  SaveShot(window.wnd, L"active.bmp");
}

TEST(SkinForm, RegionFollowsTransparentBordersAndIsRebuiltOnlyOnResize) {
  TestSkin skin(true);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(window.wnd, region.get()), ERROR);
  // The left border's image is stretched over the window height: its cut-away corner pixels
  // sit at the top of column 0.
  EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(::PtInRegion(region.get(), 1, 0));
  EXPECT_TRUE(::PtInRegion(region.get(), 0, 100));
  const int builds = form.RegionBuilds();
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  ::SetWindowPos(window.wnd, nullptr, w.left + 30, w.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpFor(100);
  EXPECT_EQ(form.RegionBuilds(), builds); // moved, not resized
  ::SetWindowPos(window.wnd, nullptr, 0, 0, 420, 330, SWP_NOMOVE | SWP_NOZORDER);
  PumpFor(100);
  EXPECT_EQ(form.RegionBuilds(), builds + 1);
}

TEST(SkinForm, ASkinChangeOfTheSameSizesBuildsTheRegionAnew) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  RECT before;
  ::GetWindowRect(window.wnd, &before);
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(window.wnd, region.get()), ERROR);
  EXPECT_TRUE(::PtInRegion(region.get(), 0, 0));
  // The same border sizes, but the left border's corner is transparent now.
  skin.elements.Left->Bitmap = BorderImage(kLeft, 40, false, true);
  skin.elements.Left->Trans = 1;
  ::SendMessageW(window.wnd, SM_SKINCHANGED, 0, 0);
  PumpFor(100);
  RECT after;
  ::GetWindowRect(window.wnd, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  ASSERT_NE(::GetWindowRgn(window.wnd, region.get()), ERROR);
  EXPECT_FALSE(::PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(::PtInRegion(region.get(), 1, 0));
}

TEST(SkinForm, CaptionButtonsShowTheirStatesAndAct) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(100);
  const auto& buttons = form.Buttons();
  ASSERT_EQ(buttons.size(), 3u);
  // Maximize and restore share a place; exactly one shows.
  EXPECT_TRUE(buttons[1].FVisible);
  EXPECT_FALSE(buttons[2].FVisible);
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  EXPECT_EQ(LayoutButton(*buttons[2].FData, w.right - w.left, {}, form.Frame(), 0, 0),
            buttons[1].FBounds);

  const TWinSysButton& close = buttons[0];
  const POINT p = ScreenPointOf(close, window.wnd);
  EXPECT_EQ(ScreenPixel(p.x, p.y), kFrameColours[0]); // normal
  ::SendMessageW(window.wnd, WM_NCMOUSEMOVE, HTCAPTION, PointParam(p));
  PumpFor(60);
  EXPECT_EQ(form.HotObject(), &close);
  EXPECT_EQ(ScreenPixel(p.x, p.y), kFrameColours[2]); // hot
  SaveShot(window.wnd, L"close_hot.bmp");
  ::SendMessageW(window.wnd, WM_NCLBUTTONDOWN, HTCAPTION, PointParam(p));
  PumpFor(60);
  EXPECT_EQ(close.FButtonState, TButtonState::Pressed);
  EXPECT_EQ(ScreenPixel(p.x, p.y), kFrameColours[1]); // pressed
  SaveShot(window.wnd, L"close_pressed.bmp");
  ::SendMessageW(window.wnd, WM_NCLBUTTONUP, HTCAPTION, PointParam(p));
  PumpFor(60);
  ASSERT_FALSE(TestWindow::commands.empty());
  EXPECT_EQ(TestWindow::commands.back(), static_cast<UINT>(SC_CLOSE));

  // Leaving: back to normal.
  ::SendMessageW(window.wnd, WM_NCMOUSEMOVE, HTCAPTION, PointParam({p.x - 200, p.y}));
  PumpFor(60);
  EXPECT_EQ(form.HotObject(), nullptr);
  EXPECT_EQ(close.FButtonState, TButtonState::Normal);
}

TEST(SkinForm, WithoutMaximizeBoxTheButtonIsDisabled) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(100);
  const TWinSysButton& maximize = form.Buttons()[1];
  ASSERT_TRUE(maximize.FVisible);
  EXPECT_FALSE(maximize.FEnabled);
  const POINT p = ScreenPointOf(maximize, window.wnd);
  EXPECT_EQ(ScreenPixel(p.x, p.y), kFrameColours[3]); // frame 4
  TestWindow::commands.clear();
  ::SendMessageW(window.wnd, WM_NCLBUTTONDOWN, HTCAPTION, PointParam(p));
  ::SendMessageW(window.wnd, WM_NCLBUTTONUP, HTCAPTION, PointParam(p));
  PumpFor(60);
  EXPECT_TRUE(TestWindow::commands.empty());
  // A double click on the caption does not maximize either.
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  ::SendMessageW(window.wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(w.left + 100, w.top + 12));
  PumpFor(60);
  EXPECT_TRUE(TestWindow::commands.empty());
}

TEST(SkinForm, DoubleClickOnTheCaptionMaximizesWithAMaximizeBox) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  TestWindow::commands.clear();
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  ::SendMessageW(window.wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(w.left + 100, w.top + 12));
  PumpFor(100);
  ASSERT_FALSE(TestWindow::commands.empty());
  EXPECT_EQ(TestWindow::commands.front(), static_cast<UINT>(SC_MAXIMIZE));
}

TEST(SkinForm, InactiveFramesUseTheirSecondFrame) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::SendMessageW(window.wnd, WM_NCACTIVATE, FALSE, 0);
  PumpFor(100);
  EXPECT_FALSE(form.Active());
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  EXPECT_EQ(ScreenPixel(w.left + 2, w.top + 100), kBorderInactive);
  SaveShot(window.wnd, L"inactive.bmp");
}

TEST(SkinForm, UnhookGivesTheWindowBackExactly) {
  TestSkin skin(true);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  RECT before;
  ::GetWindowRect(window.wnd, &before);
  const SIZE clientBefore = ClientSize(window.wnd);
  const LONG_PTR procedure = ::GetWindowLongPtrW(window.wnd, GWLP_WNDPROC);
  const LONG style = ::GetWindowLongW(window.wnd, GWL_STYLE);
  {
    TWinSkinForm form({&skin.elements});
    Start(form, window.wnd);
    ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(100);
    form.Unhook();
    PumpFor(100);
  }
  EXPECT_EQ(::GetWindowLongPtrW(window.wnd, GWLP_WNDPROC), procedure);
  EXPECT_EQ(::GetWindowLongW(window.wnd, GWL_STYLE) & WS_SYSMENU, style & WS_SYSMENU);
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(::GetWindowRgn(window.wnd, region.get()), ERROR); // no region any more
  RECT after;
  ::GetWindowRect(window.wnd, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  const SIZE clientAfter = ClientSize(window.wnd);
  EXPECT_EQ(clientAfter.cx, clientBefore.cx);
  EXPECT_EQ(clientAfter.cy, clientBefore.cy);
  EXPECT_NE(::SendMessageW(window.wnd, SM_ISSKINNED, 0, 0), 1);
}

namespace {
INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}
} // namespace

TEST(SkinForm, MessageBoxesGrowToShowTheirCaption) {
  TestSkin skin(false);
  // A dialog template in memory: no menu, the dialog class, a long title.
  const wchar_t title[] = L"A rather long caption that does not fit into this small dialog";
  std::vector<WORD> templ(sizeof(DLGTEMPLATE) / sizeof(WORD) + 2 + std::size(title) + 1, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(templ.data());
  t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  t->cx = 90;
  t->cy = 50;
  std::copy(std::begin(title), std::end(title),
            templ.begin() + sizeof(DLGTEMPLATE) / sizeof(WORD) + 2);
  HWND dialog =
      ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), t, nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND child = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 20, 30, 60, 22, dialog,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
  PumpFor(100);
  RECT client;
  ::GetClientRect(dialog, &client);

  TWinSkinForm form({&skin.elements});
  Start(form, dialog);
  // What the caption needs, measured the way the skin measures it.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = ::CreateFontIndirectW(&metrics.lfCaptionFont);
  HDC dc = ::GetDC(dialog);
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE text{};
  ::GetTextExtentPoint32W(dc, title, static_cast<int>(std::size(title) - 1), &text);
  ::SelectObject(dc, old);
  ::ReleaseDC(dialog, dc);
  ::DeleteObject(font);
  const int plain = client.right + kLeft + kRight;
  const int needed = skin.elements.Title->LeftWidth + text.cx + skin.elements.Title->RightWidth;
  ASSERT_GT(needed, plain);

  RECT w;
  ::GetWindowRect(dialog, &w);
  EXPECT_EQ(w.right - w.left, needed);
  RECT c;
  ::GetWindowRect(child, &c);
  POINT origin{c.left, c.top};
  ::ScreenToClient(dialog, &origin);
  EXPECT_EQ(origin.x, 20 + (needed - plain) / 2); // the controls keep to the middle
  EXPECT_EQ(origin.y, 30);
  SaveShot(dialog, L"message_box.bmp");
  form.Unhook();
  ::DestroyWindow(dialog);
}

TEST(SkinForm, ANewCaptionTextKeepsTheSkinnedCaption) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::SetWindowTextW(window.wnd, L"New");
  PumpFor(150);
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  EXPECT_EQ(ScreenPixel(w.left + 200, w.top + 4),
            kBorderActive); // the skin's top, not the system's
  EXPECT_EQ(ScreenPixel(w.left + 200, w.top + kTop - 2), kBorderActive);
}

TEST(SkinForm, BareWindowsGetTheSkinsFaceColour) {
  TestSkin skin(false);
  TestWindow window(WS_OVERLAPPEDWINDOW); // not a framework window
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(150);
  POINT p{100, 100};
  ::ClientToScreen(window.wnd, &p);
  EXPECT_EQ(ScreenPixel(p.x, p.y), fw::PixelOf(0xC0C0C0));

  // A window already painted when it is skinned takes the colour everywhere, unasked.
  TestWindow painted(WS_OVERLAPPEDWINDOW);
  TWinSkinForm second({&skin.elements});
  Start(second, painted.wnd);
  RECT client;
  ::GetClientRect(painted.wnd, &client);
  for (POINT q : {POINT{5, 5}, POINT{client.right / 2, client.bottom / 2},
                  POINT{client.right - 3, client.bottom - 2}}) {
    ::ClientToScreen(painted.wnd, &q);
    EXPECT_EQ(ScreenPixel(q.x, q.y), fw::PixelOf(0xC0C0C0)) << q.x << "," << q.y;
  }
}

TEST(SkinForm, FrameworkFormsShowTheSkinsFaceColour) {
  TestSkin skin(false);
  fw::TForm window(nullptr);
  window.SetBounds(120, 100, 300, 200);
  window.Show();
  ::SetForegroundWindow(window.Handle());
  PumpFor(150);
  TWinSkinForm form({&skin.elements});
  Start(form, window.Handle());
  PumpFor(150);
  RECT client;
  ::GetClientRect(window.Handle(), &client);
  for (POINT q : {POINT{5, 5}, POINT{client.right - 3, client.bottom - 2}}) {
    ::ClientToScreen(window.Handle(), &q);
    EXPECT_EQ(ScreenPixel(q.x, q.y), fw::PixelOf(0xC0C0C0)) << q.x << "," << q.y;
  }
  SaveShot(window.Handle(), L"framework_form_face.bmp");
}

TEST(SkinForm, TheIconButtonShowsTheWindowIconAndClosesOnDoubleClick) {
  TestSkin skin(false);
  auto icon = std::make_unique<TDataSkinSysButton>("Button4");
  icon->Action = 3; // no image: the window's icon
  icon->Align = 0;
  icon->XCoord = 8;
  icon->YCoord = 7;
  skin.elements.CaptionButtons.push_back(std::move(icon));
  TestWindow window(WS_OVERLAPPEDWINDOW);
  ::SendMessageW(window.wnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(::LoadIconW(nullptr, IDI_ERROR)));
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  ::RedrawWindow(window.wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(100);
  const TWinSysButton& button = form.Buttons().back();
  ASSERT_TRUE(button.FVisible);
  EXPECT_EQ(button.FBounds.Left, 8);
  EXPECT_EQ(button.FBounds.Width(), ::GetSystemMetrics(SM_CXSMICON));
  // Some pixel of the icon area is neither the caption's colour nor magenta.
  RECT w;
  ::GetWindowRect(window.wnd, &w);
  int iconPixels = 0;
  for (int y = button.FBounds.Top; y < button.FBounds.Bottom; ++y)
    for (int x = button.FBounds.Left; x < button.FBounds.Right; ++x) {
      const Pixel p = ScreenPixel(w.left + x, w.top + y);
      iconPixels += p != kBorderActive && p != fw::kMagentaPixel;
    }
  EXPECT_GT(iconPixels, 20);
  TestWindow::commands.clear();
  ::SendMessageW(window.wnd, WM_NCLBUTTONDBLCLK, HTSYSMENU,
                 MAKELPARAM(w.left + button.FBounds.Left + 4, w.top + button.FBounds.Top + 4));
  PumpFor(60);
  ASSERT_FALSE(TestWindow::commands.empty());
  EXPECT_EQ(TestWindow::commands.back(), static_cast<UINT>(SC_CLOSE));
}

namespace {

// While a menu is tracked: notes whether a popup menu window shows, then types a key into it.
struct MenuDriver {
  static inline bool menuShown = false;
  static inline WPARAM key = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) return;
    menuShown = true;
    ::KillTimer(nullptr, id);
    ::PostMessageW(menu, WM_KEYDOWN, key, 0);
  }
  explicit MenuDriver(WPARAM typed) {
    menuShown = false;
    key = typed;
    timer = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~MenuDriver() { ::KillTimer(nullptr, timer); }
  UINT_PTR timer;
};

} // namespace

TEST(SkinForm, TheSystemMenuOpensFromTheCaptionTheIconAndAltSpace) {
  TestSkin skin(false);
  auto icon = std::make_unique<TDataSkinSysButton>("Button4");
  icon->Action = 3;
  icon->Align = 0;
  icon->XCoord = 8;
  icon->YCoord = 7;
  skin.elements.CaptionButtons.push_back(std::move(icon));
  TestWindow window(WS_OVERLAPPEDWINDOW);
  TWinSkinForm form({&skin.elements});
  Start(form, window.wnd);
  RECT w;
  ::GetWindowRect(window.wnd, &w);

  {
    // A right click on the caption: Escape closes the menu and nothing is commanded.
    MenuDriver driver(VK_ESCAPE);
    TestWindow::commands.clear();
    ::SendMessageW(window.wnd, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 150, w.top + 10));
    EXPECT_TRUE(MenuDriver::menuShown);
    PumpFor(60);
    EXPECT_TRUE(TestWindow::commands.empty());
  }
  {
    // Alt+Space: the menu's own accelerator for Minimize reaches the window as a system command.
    // (Within the double-click time of the last opening the menu would not open again.)
    PumpFor(static_cast<int>(::GetDoubleClickTime()) + 50);
    MenuDriver driver('N');
    TestWindow::commands.clear();
    ::SendMessageW(window.wnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(MenuDriver::menuShown);
    PumpFor(60);
    ASSERT_FALSE(TestWindow::commands.empty());
    EXPECT_EQ(TestWindow::commands.back(), static_cast<UINT>(SC_MINIMIZE));
    ::ShowWindow(window.wnd, SW_RESTORE);
    PumpFor(100);
  }
  {
    // A click on the icon button opens it too; the accelerator of Close chooses it.
    PumpFor(static_cast<int>(::GetDoubleClickTime()) + 50);
    const TWinSysButton& button = form.Buttons().back();
    ASSERT_TRUE(button.FVisible);
    ::GetWindowRect(window.wnd, &w);
    const LPARAM at = MAKELPARAM(w.left + button.FBounds.Left + 3, w.top + button.FBounds.Top + 3);
    MenuDriver driver('C');
    TestWindow::commands.clear();
    ::SendMessageW(window.wnd, WM_NCLBUTTONDOWN, HTSYSMENU, at);
    ::SendMessageW(window.wnd, WM_NCLBUTTONUP, HTSYSMENU, at);
    EXPECT_TRUE(MenuDriver::menuShown);
    PumpFor(60);
    ASSERT_FALSE(TestWindow::commands.empty());
    EXPECT_EQ(TestWindow::commands.back(), static_cast<UINT>(SC_CLOSE));

    // A second click within the double-click time closes the window without a menu.
    MenuDriver::menuShown = false;
    ::SendMessageW(window.wnd, WM_NCLBUTTONDOWN, HTSYSMENU, at);
    ::SendMessageW(window.wnd, WM_NCLBUTTONUP, HTSYSMENU, at);
    PumpFor(60);
    EXPECT_FALSE(MenuDriver::menuShown);
    EXPECT_FALSE(::IsWindow(window.wnd));
  }
}
