// Skinned menus on real windows under a running skin manager: the system menu, popup menus and
// the menu bar, with a purpose-made skin whose solid colours tell every part apart on the screen.
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/core/bmp_writer.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "skin/data/core/skin_stream.h"
#include "skin/forms/form_menus.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/test_support.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/skin_archive_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace skin;
using fw::Pixel;
using fw::RgbPixel;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr Pixel kBorder = RgbPixel(40, 60, 140), kBorderInactive = RgbPixel(120, 120, 130);
constexpr Pixel kBar = RgbPixel(0, 128, 0), kBarInactive = RgbPixel(128, 128, 0);
constexpr Pixel kPopupEdge = RgbPixel(150, 0, 0), kPopupInside = RgbPixel(200, 255, 200);
constexpr Pixel kItem = RgbPixel(210, 230, 255), kItemSelected = RgbPixel(255, 160, 0);
constexpr Pixel kSeparatorLine = RgbPixel(0, 0, 200);
constexpr Pixel kHotFrame = RgbPixel(255, 255, 0);
// The MDI child buttons (minimize, restore, close) in their normal frame, and any one when hot.
constexpr Pixel kMdiButtons[3] = {RgbPixel(0, 200, 200), RgbPixel(200, 0, 100),
                                  RgbPixel(100, 50, 0)};
constexpr Pixel kMdiHot = RgbPixel(50, 50, 50);
constexpr Pixel kTextColour = RgbPixel(0, 0, 160), kDisabledText = RgbPixel(160, 0, 160);
constexpr int kLeft = 6, kTop = 30, kRight = 7, kBottom = 5;
constexpr int kItemLeftWidth = 2;

std::vector<std::uint8_t> Image(int w, int h, const std::function<void(fw::TBitmap&)>& paint) {
  fw::TBitmap b(w, h, fw::TPixelFormat::pf24bit);
  paint(b);
  return fw::SaveBmp24(b);
}

// Two frames (active, inactive), stacked or side by side, in solid colours.
std::vector<std::uint8_t> TwoFrames(int w, int h, bool stacked, Pixel first, Pixel second) {
  return Image(stacked ? w : 2 * w, stacked ? 2 * h : h, [&](fw::TBitmap& b) {
    b.Fill(first);
    if (stacked)
      b.FillRect({0, h, w, 2 * h}, second);
    else
      b.FillRect({w, 0, 2 * w, h}, second);
  });
}

std::string Colour(Pixel p) {
  const fw::ColorRef c = fw::ColourOf(p);
  return std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
         std::to_string((c >> 16) & 0xFF);
}

// The skin file: borders, a menu bar, menu items and a popup background, each one colour.
std::vector<std::uint8_t> TestSkinFile(bool menuElements) {
  std::string ini = "[Personality]\r\n";
  for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
    const std::string s = side;
    ini += s + "=" + std::string(1, static_cast<char>(std::tolower(s[0]))) + s.substr(1) +
           ".bmp\r\n" + s + "Frame=2\r\n" + s + "Trans=0\r\n" + s + "Stretch=1\r\n";
  }
  ini += "menuBar=menubar.bmp\r\nTileMenu=1\r\nTileLeftMenu=2\r\nTileRightMenu=2\r\n";
  ini += "[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
  ini += "[Colours]\r\nButtonFace=192 192 192\r\nMenuText=" + Colour(kTextColour) +
         "\r\nMenuBarText=" + Colour(kTextColour) + "\r\nButtonShadow=" + Colour(kDisabledText) +
         "\r\nButtonHilight=" + Colour(kHotFrame) + "\r\nHilightText=255 255 255\r\n" +
         "Menu=230 230 230\r\nHilight=0 100 0\r\n";
  std::vector<skinpack::SkinEntry> entries;
  if (menuElements) {
    ini += "[MenuItem]\r\nImage=menuitem.bmp\r\nLeftWidth=" + std::to_string(kItemLeftWidth) +
           "\r\nRightWidth=2\r\n[MenuBackground]\r\nImage=menubg.bmp\r\nLeftWidth=3\r\n"
           "TopHeight=3\r\nRightWidth=3\r\nBottomHeight=3\r\n";
    // Five frames of 10 x 8: normal, separator (a line on magenta), -, selected, -.
    entries.push_back({"menuitem.bmp", Image(50, 8, [](fw::TBitmap& b) {
                         b.Fill(kItem);
                         b.FillRect({10, 0, 20, 8}, fw::kMagentaPixel);
                         b.FillRect({10, 4, 20, 5}, kSeparatorLine);
                         b.FillRect({30, 0, 40, 8}, kItemSelected);
                       })});
    entries.push_back({"menubg.bmp", Image(12, 12, [](fw::TBitmap& b) {
                         b.Fill(kPopupEdge);
                         b.FillRect({3, 3, 9, 9}, kPopupInside);
                       })});
  }
  entries.push_back({"left.bmp", TwoFrames(kLeft, 40, false, kBorder, kBorderInactive)});
  entries.push_back({"right.bmp", TwoFrames(kRight, 40, false, kBorder, kBorderInactive)});
  entries.push_back({"top.bmp", TwoFrames(60, kTop, true, kBorder, kBorderInactive)});
  entries.push_back({"bottom.bmp", TwoFrames(60, kBottom, true, kBorder, kBorderInactive)});
  entries.push_back({"menubar.bmp", TwoFrames(20, 10, true, kBar, kBarInactive)});
  // Three buttons of four 12 x 12 frames: 1 normal, 2 pressed, 3 unused, 4 hot.
  entries.push_back({"mdi.bmp", Image(144, 12, [](fw::TBitmap& b) {
                       for (int i = 0; i < 3; ++i) {
                         b.FillRect({48 * i, 0, 48 * i + 36, 12}, kMdiButtons[i]);
                         b.FillRect({48 * i + 36, 0, 48 * i + 48, 12}, kMdiHot);
                       }
                     })});
  entries.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
  return skinpack::PackSkinFile(skinpack::BuildArchive(entries));
}

Pixel ScreenPixel(int x, int y) {
  return fw::PixelOf(testing_support::ScreenPixel(x, y));
}

// Pixels of one colour in a screen rectangle.
int CountPixels(RECT r, Pixel colour) {
  const fw::TBitmap shot = testing_support::ScreenPixels(r);
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      count += (shot.At(x, y) & 0xFFFFFF) == colour;
  return count;
}

void SaveShot(HWND wnd, int margin, const wchar_t* name) {
  testing_support::SaveWindowShot(wnd, margin, L"skin_menus", name);
}

// The visible popup menu window on top, or null.
HWND OpenPopup() {
  HWND found = nullptr;
  for (HWND w = ::FindWindowW(L"#32768", nullptr); w;
       w = ::FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (::IsWindowVisible(w)) {
      found = w;
      break;
    }
  return found;
}

// Runs steps while a menu loop is open: each tick runs the next step once a popup shows (or at
// once, for a step made with Anytime: the bar highlights an item without a drop-down); a step
// returns false to be tried again on the next tick. A script that stalls sends Escape after a
// few seconds, so that a failing test ends.
struct MenuStep {
  template <class F> MenuStep(F f) : run(std::move(f)) {}
  std::function<bool(HWND popup)> run;
  bool needsPopup = true;
};
MenuStep Anytime(std::function<bool(HWND)> f) {
  MenuStep step(std::move(f));
  step.needsPopup = false;
  return step;
}
struct MenuScript {
  static inline std::vector<MenuStep> steps;
  static inline size_t next = 0;
  static inline int ticks = 0;
  static constexpr int kMaxTicks = 80;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND popup = OpenPopup();
    if (next >= steps.size()) return;
    if (++ticks > kMaxTicks) {
      ::PostMessageW(popup ? popup : ::GetActiveWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    }
    if ((popup || !steps[next].needsPopup) && steps[next].run(popup)) ++next;
  }
  explicit MenuScript(std::vector<MenuStep> s) {
    steps = std::move(s);
    next = 0;
    ticks = 0;
    timer = ::SetTimer(nullptr, 0, 60, Tick);
  }
  ~MenuScript() { ::KillTimer(nullptr, timer); }
  bool Done() const { return next >= steps.size(); }
  UINT_PTR timer;
};

std::function<bool(HWND)> Key(WPARAM key) {
  return [key](HWND popup) {
    ::PostMessageW(popup, WM_KEYDOWN, key, 0);
    return true;
  };
}

// The screen rectangle of an entry of the menu a popup shows.
RECT EntryRect(HWND popup, int position) {
  HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, 0x01E1, 0, 0)); // MN_GETHMENU
  RECT r{};
  ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
  return r;
}

// A top-level test window that records system commands and menu commands.
struct TestWindow {
  explicit TestWindow(HMENU menu = nullptr) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"tests.MenuWindow";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
      ::RegisterClassW(&wc);
      registered = true;
    }
    sysCommands.clear();
    commands.clear();
    wnd = ::CreateWindowExW(0, L"tests.MenuWindow", L"Menus", WS_OVERLAPPEDWINDOW, 100, 80, 420,
                            300, nullptr, menu, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(wnd, SW_SHOW);
    ::SetForegroundWindow(wnd);
    PumpFor(400); // activated, skinned by the manager, started
  }
  ~TestWindow() { ::DestroyWindow(wnd); }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND) {
      sysCommands.push_back(static_cast<UINT>(wParam & 0xFFF0));
      return 0;
    }
    if (msg == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return ::DefWindowProcW(w, msg, wParam, lParam);
  }
  static inline std::vector<UINT> sysCommands, commands;
  HWND wnd;
};

} // namespace

// The manager and a skin component holding the test skin; windows are skinned when activated.
class SkinMenus : public ::testing::Test {
protected:
  void Load(bool menuElements) {
    data = std::make_unique<TSkinData>(nullptr);
    data->SetReading(true);
    data->SetActive(true);
    data->ReadSkinStream(WriteSkinStreamValue(TestSkinFile(menuElements)));
    data->Loaded();
    ASSERT_FALSE(data->SkinMissing());
  }
  void SetUp() override { Load(true); }
  void TearDown() override { data.reset(); }
  TWinSkinForm* SkinOf(HWND wnd) { return SkinManager()->FindSkinForm(wnd); }

  TSkinManagerScope scope;
  std::unique_ptr<TSkinData> data;
};

TEST_F(SkinMenus, TheSystemMenuMirrorsTheWindowsMenuInTheSkin) {
  TestWindow window;
  TWinSkinForm* form = SkinOf(window.wnd);
  ASSERT_NE(form, nullptr);
  HMENU real = ::GetSystemMenu(window.wnd, FALSE);
  const int count = ::GetMenuItemCount(real);
  ASSERT_GT(count, 5);

  bool checked = false;
  {
    MenuScript script({
        Key(VK_DOWN),
        [&](HWND popup) {
          // Skinned: the popup's border and the entries come from the skin.
          EXPECT_EQ(::SendMessageW(popup, SM_ISSKINNED, 0, 0), 1);
          RECT w;
          ::GetWindowRect(popup, &w);
          EXPECT_EQ(ScreenPixel(w.left + 1, w.top + 1), kPopupEdge);
          EXPECT_EQ(ScreenPixel(w.right - 2, w.bottom - 2), kPopupEdge);
          const fw::TPopupMenu* menu = form->Menus().SystemMenu();
          EXPECT_NE(menu, nullptr);
          if (!menu) return true;
          // The entries of the real system menu, in order, enabled by the window's state.
          EXPECT_EQ(menu->Items().Count(), count);
          for (int i = 0; i < count && i < menu->Items().Count(); ++i) {
            const fw::TMenuItem& item = *menu->Items().Items(i);
            const UINT id = ::GetMenuItemID(real, i);
            EXPECT_EQ(static_cast<UINT>(item.Tag), id);
            const std::wstring text = fw::MenuItemText(real, static_cast<UINT>(i), true);
            EXPECT_EQ(item.Caption(), text.empty() ? L"-" : text);
            const bool glyph =
                id == SC_RESTORE || id == SC_MINIMIZE || id == SC_MAXIMIZE || id == SC_CLOSE;
            EXPECT_EQ(item.ImageIndex() >= 0, glyph) << i;
            if (item.IsLine()) continue;
            EXPECT_EQ(item.Enabled(), id != SC_RESTORE) << i;
            // Glyph pixels (neither the entry's colour nor text) only where there is a glyph.
            const RECT r = EntryRect(popup, i);
            const RECT box{r.left + 1 + kItemLeftWidth, r.top + 1, r.left + 17 + kItemLeftWidth,
                           r.bottom - 1};
            const int area = (box.right - box.left) * (box.bottom - box.top);
            const int plain = CountPixels(box, kItem) + CountPixels(box, kItemSelected);
            if (glyph)
              EXPECT_LT(plain, area - 10) << "a glyph at entry " << i;
            else
              EXPECT_EQ(plain, area) << "no glyph at entry " << i;
            // The hot entry shows the selected frame, the others the normal one.
            const bool hot =
                (::GetMenuState(reinterpret_cast<HMENU>(::SendMessageW(popup, 0x01E1, 0, 0)),
                                static_cast<UINT>(i), MF_BYPOSITION) &
                 MF_HILITE) != 0;
            EXPECT_EQ(ScreenPixel(r.right - 5, r.top + 2), hot ? kItemSelected : kItem) << i;
          }
          SaveShot(popup, 24, L"system_menu.bmp");
          checked = true;
          return true;
        },
        Key(VK_ESCAPE),
    });
    ::SendMessageW(window.wnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(script.Done());
  }
  EXPECT_TRUE(checked);
  PumpFor(100);
  EXPECT_TRUE(TestWindow::sysCommands.empty()) << "Escape commands nothing";

  // The mnemonic of Maximize chooses it; it arrives as a system command.
  PumpFor(static_cast<int>(::GetDoubleClickTime()) + 50);
  {
    MenuScript script({Key('X')});
    ::SendMessageW(window.wnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(script.Done());
  }
  PumpFor(100);
  ASSERT_EQ(TestWindow::sysCommands.size(), 1u);
  EXPECT_EQ(TestWindow::sysCommands[0], static_cast<UINT>(SC_MAXIMIZE));

  // A menu command in the window-command range is relayed; a control's command is not.
  TestWindow::sysCommands.clear();
  ::SendMessageW(window.wnd, WM_COMMAND, SC_CLOSE, 0);
  ::SendMessageW(window.wnd, WM_COMMAND, MAKEWPARAM(SC_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.wnd));
  PumpFor(100);
  ASSERT_EQ(TestWindow::sysCommands.size(), 1u);
  EXPECT_EQ(TestWindow::sysCommands[0], static_cast<UINT>(SC_CLOSE));
}

namespace {

// Where a bar item lies on the screen.
POINT ScreenPointOfItem(HWND wnd, const TMenuBtn& item, int dx = 3, int dy = 3) {
  RECT w;
  ::GetWindowRect(wnd, &w);
  return {w.left + item.FBounds.Left + dx, w.top + item.FBounds.Top + dy};
}

LPARAM At(POINT p) {
  return MAKELPARAM(p.x, p.y);
}

// The thread's keyboard state has Alt held, as while the user presses Alt+key.
struct AltHeld {
  AltHeld() {
    ::GetKeyboardState(saved);
    BYTE state[256];
    std::copy(saved, saved + 256, state);
    state[VK_MENU] = state[VK_LMENU] = 0x80;
    ::SetKeyboardState(state);
  }
  ~AltHeld() { ::SetKeyboardState(saved); }
  BYTE saved[256];
};

// A real click of the left button at a screen point.
void Click(POINT p) {
  ::SetCursorPos(p.x, p.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, input, sizeof(INPUT));
}

// A key to `wnd` once the bar highlights `item` with no drop-down open.
MenuStep KeyOnHighlight(const TFormMenus& menus, HWND wnd, int item, WPARAM key) {
  return Anytime([&menus, wnd, item, key](HWND popup) {
    if (popup || menus.HotItem() != item) return false;
    ::PostMessageW(wnd, WM_KEYDOWN, key, 0);
    return true;
  });
}

// The height of a window's frame above its client area.
int ClientTop(HWND wnd) {
  RECT w;
  ::GetWindowRect(wnd, &w);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  return origin.y - w.top;
}

// A key once the bar has opened `count` drop-downs.
std::function<bool(HWND)> KeyAfter(const TFormMenus& menus, size_t count, WPARAM key) {
  return [&menus, count, key](HWND popup) {
    if (menus.OpenedItems().size() < count) return false;
    ::PostMessageW(popup, WM_KEYDOWN, key, 0);
    return true;
  };
}

} // namespace

TEST_F(SkinMenus, AFormsMainMenuBecomesASkinnedMenuBar) {
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetCaption(L"Menu bar");
  form->SetBounds(120, 100, 420, 300);
  auto* menu = new fw::TMainMenu(form.get());
  int fileOpened = 0, created = 0;
  fw::TMenuItem* file = menu->Items().Add(L"&File", [&](fw::TObject*) { ++fileOpened; });
  file->Add(L"&New", [&](fw::TObject*) { ++created; });
  file->Add(L"E&xit");
  menu->Items().Add(L"&Edit")->Add(L"&Copy");
  fw::TMenuItem* disabled = menu->Items().Add(L"&Disabled");
  disabled->Add(L"&Nothing");
  disabled->SetEnabled(false);
  menu->Items().Add(L"&View")->Add(L"&Zoom");
  form->SetMenu(menu);
  form->Show();
  ::SetForegroundWindow(form->Handle());
  PumpFor(400);
  HWND wnd = form->Handle();
  TWinSkinForm* skin = SkinOf(wnd);
  ASSERT_NE(skin, nullptr);
  const TFormMenus& menus = skin->Menus();
  ASSERT_NE(menus.Bar(), nullptr);
  ASSERT_EQ(menus.Bar()->FItems.size(), 4u);

  // The skinned frame, no system menu bar, the client area below the skin's bar.
  EXPECT_TRUE(skin->SkinFrame());
  EXPECT_EQ(::GetMenu(wnd), nullptr);
  RECT w;
  ::GetWindowRect(wnd, &w);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  EXPECT_EQ(origin.x - w.left, kLeft);
  EXPECT_EQ(origin.y - w.top, kTop + ::GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(ScreenPixel(w.left + 2, w.top + 100), kBorder);
  const int barY = w.top + kTop + 2, barRight = w.right - kRight - 4;
  EXPECT_EQ(ScreenPixel(barRight, barY), kBar);
  const TMenuBtn& edit = menus.Bar()->FItems[1];
  RECT editBox{w.left + edit.FBounds.Left, w.top + edit.FBounds.Top, w.left + edit.FBounds.Right,
               w.top + edit.FBounds.Bottom};
  EXPECT_GT(CountPixels(editBox, kTextColour), 5) << "the caption in the skin's bar text colour";

  // Inactive and active bar frames.
  ::SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
  PumpFor(60);
  EXPECT_EQ(ScreenPixel(barRight, barY), kBarInactive);
  ::SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
  PumpFor(60);
  EXPECT_EQ(ScreenPixel(barRight, barY), kBar);

  // The hot item gets a frame.
  ::SendMessageW(wnd, WM_NCMOUSEMOVE, HTMENU, At(ScreenPointOfItem(wnd, edit, 6, 6)));
  PumpFor(60);
  EXPECT_EQ(ScreenPixel(w.left + edit.FBounds.Left, w.top + edit.FBounds.Top + 3), kHotFrame);

  // A click opens the item's drop-down, drawn from the skin.
  {
    MenuScript script({[&](HWND popup) {
                         EXPECT_EQ(::SendMessageW(popup, SM_ISSKINNED, 0, 0), 1);
                         const RECT r = EntryRect(popup, 0);
                         EXPECT_EQ(r.left - 3, w.left + edit.FBounds.Left);
                         const Pixel p = ScreenPixel(r.right - 4, r.top + 2);
                         EXPECT_TRUE(p == kItem || p == kItemSelected);
                         SaveShot(wnd, 20, L"menu_bar.bmp");
                         return true;
                       },
                       Key(VK_ESCAPE)});
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMENU, At(ScreenPointOfItem(wnd, edit)));
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({1}));

  // Alt+letter opens its item; F10 the first; the arrows move between drop-downs and wrap.
  {
    MenuScript script({KeyAfter(menus, 2, VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'v');
    EXPECT_TRUE(script.Done());
  }
  {
    MenuScript script({KeyAfter(menus, 3, VK_LEFT), KeyAfter(menus, 4, VK_RIGHT),
                       KeyAfter(menus, 5, VK_RIGHT), KeyAfter(menus, 6, VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({1, 3, 0, 3, 0, 1}));

  // A disabled item does not open.
  ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMENU, At(ScreenPointOfItem(wnd, menus.Bar()->FItems[2])));
  EXPECT_EQ(menus.OpenedItems().size(), 6u);

  // A command chosen by its mnemonic reaches the item's OnClick.
  fileOpened = 0;
  {
    MenuScript script({KeyAfter(menus, 7, 'N')});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(script.Done());
  }
  PumpFor(100);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(fileOpened, 1) << "the bar item hears of its opening";

  // The mouse moving onto another bar item while a drop-down is open opens that one instead.
  {
    const POINT view = ScreenPointOfItem(wnd, menus.Bar()->FItems[3], 8, 6);
    MenuScript script({[&](HWND) {
                         if (menus.OpenedItems().size() < 8) return false;
                         ::SetCursorPos(view.x, view.y);
                         return true;
                       },
                       KeyAfter(menus, 9, VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(menus.OpenedItems().back(), 3);

  // A handler that rebuilds the menu while it is tracked leaves nothing dangling, and a changed
  // menu gives the bar new items.
  menu->Items().Items(1)->Items(0)->OnClick = [&](fw::TObject*) {
    menu->Items().Items(1)->Clear();
    menu->Items().Items(1)->Add(L"&Paste");
    menu->Items().Add(L"&Help")->Add(L"&About");
  };
  {
    MenuScript script({KeyAfter(menus, 10, 'C')});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'e');
    EXPECT_TRUE(script.Done());
  }
  PumpFor(150);
  ASSERT_EQ(menus.Bar()->FItems.size(), 5u);
  EXPECT_EQ(menus.Bar()->FItems[4].FCaption, L"&Help");
  EXPECT_EQ(::GetMenu(wnd), nullptr);
  EXPECT_GT(menus.Bar()->FItems[4].FBounds.Width(), 0);

  // An Alt+letter that no control of a secondary form used opens the main form's item.
  fw::Application->MainForm = form.get();
  auto second = std::make_unique<fw::TForm>(nullptr);
  second->SetBounds(200, 200, 200, 120);
  second->Show();
  ::SetForegroundWindow(second->Handle());
  PumpFor(300);
  {
    MenuScript script({KeyAfter(menus, 11, VK_ESCAPE)});
    {
      AltHeld alt;
      ::SendMessageW(second->Handle(), WM_SYSCHAR, 'h', 0x20000000);
    }
    PumpUntil([&] { return script.Done(); }, 3000);
  }
  fw::Application->MainForm = nullptr;
  second.reset();
  EXPECT_EQ(menus.OpenedItems().back(), 4);

  // A right-to-left menu: the items from the right edge, the arrow keys the other way round.
  menu->RightToLeft = true;
  ::SendMessageW(wnd, SM_REDRAWFRAME, 0, 0);
  PumpFor(100);
  ::GetWindowRect(wnd, &w);
  const TRect first = menus.Bar()->FItems[0].FBounds;
  EXPECT_EQ(first.Right, (w.right - w.left) - kRight - (2 + 8)) << "the bar's right part + 8";
  EXPECT_GT(CountPixels({w.left + first.Left, w.top + first.Top, w.left + first.Right,
                         w.top + first.Bottom},
                        kTextColour),
            5);
  EXPECT_EQ(CountPixels({w.left + kLeft, barY - 2, w.left + kLeft + 30, barY + 12}, kTextColour),
            0);
  SaveShot(wnd, 10, L"menu_bar_rtl.bmp");
  file->Items(1)->SetChecked(true);
  {
    // Its drop-down's entries are mirrored: the caption at the right, the check mark right of it.
    MenuScript script({[&](HWND popup) {
                         if (menus.OpenedItems().size() < 12) return false;
                         const RECT r = EntryRect(popup, 1);
                         const int middle = (r.left + r.right) / 2;
                         EXPECT_GT(CountPixels({middle, r.top, r.right, r.bottom}, kTextColour), 5);
                         EXPECT_EQ(CountPixels({r.left, r.top, middle, r.bottom}, kTextColour), 0);
                         const RECT glyph{r.right - 17 - kItemLeftWidth, r.top + 1,
                                          r.right - 1 - kItemLeftWidth, r.bottom - 1};
                         const int area = (glyph.right - glyph.left) * (glyph.bottom - glyph.top);
                         EXPECT_LT(CountPixels(glyph, kItem), area - 8) << "the check mark";
                         testing_support::SaveWindowPng(popup, 24, L"skin_menus",
                                                        L"drop_down_rtl.png");
                         return true;
                       },
                       KeyAfter(menus, 12, VK_LEFT), KeyAfter(menus, 13, VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(menus.OpenedItems().back(), 1);
  menu->RightToLeft = false;

  // Emptied, the form's menu takes its bar and its room away; filled again, both are back. The
  // window keeps its size.
  const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
  const int height = w.bottom - w.top;
  menu->Items().Clear();
  PumpFor(100);
  ::GetWindowRect(wnd, &w);
  EXPECT_EQ(w.bottom - w.top, height);
  EXPECT_EQ(ClientTop(wnd), kTop);
  EXPECT_NE(ScreenPixel(w.right - kRight - 4, w.top + kTop + 2), kBar);
  testing_support::SaveWindowPng(wnd, 10, L"skin_menus", L"menu_emptied.png");
  menu->Items().Add(L"&Again")->Add(L"&Item");
  PumpFor(100);
  EXPECT_EQ(ClientTop(wnd), kTop + menuHeight);
  EXPECT_EQ(ScreenPixel(w.right - kRight - 4, w.top + kTop + 2), kBar);
  // Taken away, no bar is left; given back, it shows again.
  form->SetMenu(nullptr);
  PumpFor(100);
  EXPECT_EQ(menus.Bar(), nullptr);
  EXPECT_EQ(ClientTop(wnd), kTop);
  EXPECT_NE(ScreenPixel(w.right - kRight - 4, w.top + kTop + 2), kBar);
  form->SetMenu(menu);
  PumpFor(100);
  EXPECT_EQ(ClientTop(wnd), kTop + menuHeight);

  // Unhooked, the window gets its menu back and keeps its client size.
  RECT before;
  ::GetClientRect(wnd, &before);
  skin->Unhook();
  PumpFor(100);
  EXPECT_EQ(::GetMenu(wnd), menu->Handle());
  RECT after;
  ::GetClientRect(wnd, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(SkinMenus, APlainMenuOfABareWindowWorksTheSame) {
  HMENU bar = ::CreateMenu();
  HMENU alpha = ::CreatePopupMenu();
  ::AppendMenuW(alpha, MF_STRING, 101, L"&One\tCtrl+1");
  ::AppendMenuW(alpha, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(alpha, MF_STRING, 102, L"&Two");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(alpha), L"&Alpha");
  ::AppendMenuW(bar, MF_STRING, 200, L"&Beta");
  HMENU gamma = ::CreatePopupMenu(), delta = ::CreatePopupMenu();
  ::AppendMenuW(gamma, MF_STRING, 301, L"&Hidden");
  ::AppendMenuW(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(gamma), L"&Gamma");
  ::AppendMenuW(delta, MF_STRING, 401, L"&Four");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(delta), L"&Delta");
  TestWindow window(bar);
  TWinSkinForm* skin = SkinOf(window.wnd);
  ASSERT_NE(skin, nullptr);
  ASSERT_NE(skin->Menus().Bar(), nullptr);
  EXPECT_EQ(::GetMenu(window.wnd), nullptr);
  const TFormMenus& menus = skin->Menus();
  {
    MenuScript script({[&](HWND popup) {
                         // Entries of a menu handle: the item frame, separators with a line.
                         const RECT one = EntryRect(popup, 0);
                         const Pixel p = ScreenPixel(one.right - 4, one.top + 2);
                         EXPECT_TRUE(p == kItem || p == kItemSelected);
                         const RECT line = EntryRect(popup, 1);
                         EXPECT_EQ(ScreenPixel(line.right - 4, line.top + 1), kItem);
                         return true;
                       },
                       KeyAfter(menus, 1, 'T')});
    ::SendMessageW(window.wnd, WM_SYSCOMMAND, SC_KEYMENU, 'a');
    EXPECT_TRUE(script.Done());
  }
  PumpFor(100);
  EXPECT_EQ(TestWindow::commands, std::vector<UINT>({102}));
  // A command item only posts its command.
  ::SendMessageW(window.wnd, WM_NCLBUTTONDOWN, HTMENU,
                 At(ScreenPointOfItem(window.wnd, menus.Bar()->FItems[1])));
  PumpFor(100);
  EXPECT_EQ(TestWindow::commands, std::vector<UINT>({102, 200}));
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({0}));
  // A click reported by a point opens the item under it.
  {
    MenuScript script({KeyAfter(menus, 2, VK_ESCAPE)});
    ::SendMessageW(window.wnd, SM_MENUBARCLICK, 0,
                   At(ScreenPointOfItem(window.wnd, menus.Bar()->FItems[0])));
    EXPECT_TRUE(script.Done());
  }
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({0, 0}));
  // The owner-drawn type was only lent for the tracking.
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoW(alpha, 0, TRUE, &info);
  EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);

  // The arrows move onto a command item and a disabled one without running or opening them: they
  // are highlighted, and the moving goes on past them.
  HWND wnd = window.wnd;
  {
    MenuScript script({KeyAfter(menus, 3, VK_RIGHT), KeyOnHighlight(menus, wnd, 1, VK_RIGHT),
                       KeyOnHighlight(menus, wnd, 2, VK_RIGHT), KeyAfter(menus, 4, VK_LEFT),
                       KeyOnHighlight(menus, wnd, 2, VK_LEFT),
                       KeyOnHighlight(menus, wnd, 1, VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(script.Done());
  }
  PumpFor(100);
  EXPECT_EQ(TestWindow::commands, std::vector<UINT>({102, 200}));
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({0, 0, 0, 3}));
  EXPECT_EQ(menus.HotItem(), -1);

  // The mouse alike: over the command item it is highlighted; back over an item that opens, that
  // one opens. Enter on the highlighted command item runs it.
  const POINT alphaTitle = ScreenPointOfItem(wnd, menus.Bar()->FItems[0], 6, 6);
  const POINT betaTitle = ScreenPointOfItem(wnd, menus.Bar()->FItems[1], 6, 6);
  {
    MenuScript script({[&](HWND) {
                         if (menus.OpenedItems().size() < 5) return false;
                         ::SetCursorPos(betaTitle.x, betaTitle.y);
                         return true;
                       },
                       Anytime([&](HWND popup) {
                         if (popup || menus.HotItem() != 1) return false;
                         testing_support::SaveWindowPng(wnd, 10, L"skin_menus",
                                                        L"menu_bar_highlight.png");
                         ::SetCursorPos(alphaTitle.x, alphaTitle.y);
                         return true;
                       }),
                       KeyAfter(menus, 6, VK_RIGHT), KeyOnHighlight(menus, wnd, 1, VK_RETURN)});
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMENU, At(alphaTitle));
    EXPECT_TRUE(script.Done());
  }
  PumpFor(100);
  EXPECT_EQ(TestWindow::commands, std::vector<UINT>({102, 200, 200}));
  EXPECT_EQ(menus.OpenedItems(), std::vector<int>({0, 0, 0, 3, 0, 0}));

  // A click on the open item's title closes its drop-down, and nothing opens it again.
  {
    MenuScript script({[&](HWND) {
      if (menus.OpenedItems().size() < 7) return false;
      Click(alphaTitle);
      return true;
    }});
    ::SendMessageW(wnd, WM_NCLBUTTONDOWN, HTMENU, At(alphaTitle));
    EXPECT_TRUE(script.Done());
  }
  {
    MenuScript closer({Key(VK_ESCAPE)}); // for a drop-down that opens again
    PumpFor(400);
    EXPECT_FALSE(closer.Done()) << "the drop-down stayed closed";
  }
  EXPECT_EQ(menus.OpenedItems().size(), 7u);
  skin->Unhook();
  EXPECT_EQ(::GetMenu(window.wnd), bar);
}

namespace {

// A shown framework form with a popup menu of every kind of entry.
struct PopupForm {
  explicit PopupForm(HIMAGELIST images) : form(std::make_unique<fw::TForm>(nullptr)) {
    form->SetCaption(L"Popup menus");
    form->SetBounds(120, 100, 420, 300);
    popup = new fw::TPopupMenu(form.get());
    popup->Images = images;
    fw::TMenuItem* open = popup->Items().Add(L"&Open");
    open->SetShortCut(static_cast<fw::TShortCut>(fw::scCtrl | 'O'));
    popup->Items().Add(L"-");
    popup->Items().Add(L"&Checked")->SetChecked(true);
    fw::TMenuItem* image = popup->Items().Add(L"&Image");
    image->SetImageIndex(3);
    image->SetChecked(true);
    popup->Items().Add(L"&Disabled")->SetEnabled(false);
    popup->Items().Add(L"&Sub")->Add(L"&Inner");
    form->Show();
    ::SetForegroundWindow(form->Handle());
    PumpFor(400);
  }
  void Popup() {
    RECT w;
    ::GetWindowRect(form->Handle(), &w);
    popup->Popup(w.left + 60, w.top + 80);
  }
  std::unique_ptr<fw::TForm> form;
  fw::TPopupMenu* popup;
};

// Counts the background erasures that reach the system's own popup procedure: it subclasses
// each popup menu window as it is created, before the skin manager (whose hook runs later).
struct EraseCounter {
  static inline int erased = 0;
  static inline WNDPROC system = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) ++erased;
    return ::CallWindowProcW(system, w, msg, wParam, lParam);
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND wnd = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameW(wnd, name, 16) && std::wstring(name) == L"#32768")
      system = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  EraseCounter() : hook(::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) {
    erased = 0;
  }
  ~EraseCounter() { ::UnhookWindowsHookEx(hook); }
  // Sends the popup an erase request and tells whether the system's procedure got it.
  static bool Reaches(HWND popup) {
    const int before = erased;
    HDC dc = ::GetDC(popup);
    ::SendMessageW(popup, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::ReleaseDC(popup, dc);
    return erased > before;
  }
  HHOOK hook;
};

} // namespace

TEST_F(SkinMenus, PopupMenusShowEveryKindOfEntryInTheSkin) {
  PopupForm form(data->MenuGlyphs());
  EraseCounter counter;
  bool erased = false, kept = true;
  {
    MenuScript script(
        {[&](HWND popup) {
           RECT w;
           ::GetWindowRect(popup, &w);
           EXPECT_EQ(ScreenPixel(w.left + 1, w.top + 1), kPopupEdge);
           // A separator: the skin's line, and the popup's background where its frame is
           // transparent (copied from the right place of the background).
           const RECT line = EntryRect(popup, 1);
           EXPECT_EQ(ScreenPixel((line.left + line.right) / 2, line.top + 4), kSeparatorLine);
           EXPECT_EQ(ScreenPixel((line.left + line.right) / 2, line.top + 1), kPopupInside);
           // The shortcut ends 11 pixels before the right edge.
           const RECT open = EntryRect(popup, 0);
           EXPECT_GT(
               CountPixels({open.right - 60, open.top, open.right - 11, open.bottom}, kTextColour) +
                   CountPixels({open.right - 60, open.top, open.right - 11, open.bottom},
                               RgbPixel(255, 255, 255)),
               5);
           EXPECT_EQ(CountPixels({open.right - 10, open.top, open.right, open.bottom}, kTextColour),
                     0);
           // Check marks: the system's mark without an image, the image on a sunken box.
           for (int position : {2, 3}) {
             const RECT r = EntryRect(popup, position);
             const RECT glyph{r.left + 1 + kItemLeftWidth, r.top + 1, r.left + 18 + kItemLeftWidth,
                              r.bottom - 1};
             const int area = (glyph.right - glyph.left) * (glyph.bottom - glyph.top);
             EXPECT_LT(CountPixels(glyph, kItem), area - 8) << position;
           }
           // Disabled text in the skin's disabled colour.
           const RECT disabled = EntryRect(popup, 4);
           EXPECT_GT(CountPixels(disabled, kDisabledText), 5);
           EXPECT_EQ(CountPixels(disabled, kTextColour), 0);
           erased = EraseCounter::Reaches(popup); // xoMenuBG is off
           SaveShot(popup, 24, L"popup_menu.bmp");
           return true;
         },
         Key('S'),
         [&](HWND) {
           // The sub-menu is a second skinned popup.
           if (SkinManager()->PopupCount() < 2) return false;
           HWND sub = OpenPopup();
           RECT w;
           ::GetWindowRect(sub, &w);
           EXPECT_EQ(ScreenPixel(w.right - 2, w.bottom - 2), kPopupEdge);
           return true;
         },
         Key(VK_ESCAPE), Key(VK_ESCAPE)});
    form.Popup();
    EXPECT_TRUE(script.Done());
  }
  EXPECT_TRUE(erased);
  data->Options.Include(xoMenuBG);
  {
    MenuScript script({[&](HWND popup) {
                         kept = !EraseCounter::Reaches(popup);
                         return true;
                       },
                       Key(VK_ESCAPE)});
    form.Popup();
    EXPECT_TRUE(script.Done());
  }
  EXPECT_TRUE(kept) << "with xoMenuBG the background is not erased";

  // A popup menu with the skin's DisableTag keeps the system's look.
  auto* plain = new fw::TPopupMenu(form.form.get());
  plain->Tag = data->DisableTag;
  plain->Items().Add(L"&Plain");
  bool system = false;
  {
    MenuScript script({[&](HWND popup) {
                         RECT w;
                         ::GetWindowRect(popup, &w);
                         system = ::SendMessageW(popup, SM_ISSKINNED, 0, 0) != 1 &&
                                  ScreenPixel(w.left + 1, w.top + 1) != kPopupEdge;
                         return true;
                       },
                       Key(VK_ESCAPE)});
    plain->Popup(200, 200);
    EXPECT_TRUE(script.Done());
  }
  EXPECT_TRUE(system);
}

class SkinWithoutMenuElements : public SkinMenus {
protected:
  void SetUp() override { Load(false); }
};

TEST_F(SkinWithoutMenuElements, PopupMenusKeepTheSystemBorderAndPlainEntries) {
  PopupForm form(nullptr);
  {
    MenuScript script({[&](HWND popup) {
                         RECT w;
                         ::GetWindowRect(popup, &w);
                         EXPECT_NE(ScreenPixel(w.left + 1, w.top + 1), kPopupEdge);
                         const RECT r = EntryRect(popup, 4);
                         EXPECT_EQ(ScreenPixel(r.right - 4, r.top + 2), RgbPixel(230, 230, 230));
                         return true;
                       },
                       Key(VK_ESCAPE)});
    form.Popup();
    EXPECT_TRUE(script.Done());
  }
}

namespace {

// An MDI frame with a menu whose children bring their own menus, merged in the usual way: an
// activated child sets its menu through WM_MDISETMENU, the last one leaving sets the frame's.
struct MdiWithMenus {
  static inline HMENU frameMenu = nullptr, childMenu = nullptr;
  static LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto client = reinterpret_cast<HWND>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_CREATE) {
      CLIENTCREATESTRUCT create{::GetSubMenu(frameMenu, 1), 0xFF00};
      client = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                 0, 0, 0, 0, wnd, nullptr, ::GetModuleHandleW(nullptr), &create);
      ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
      return client ? 0 : -1;
    }
    return ::DefFrameProcW(wnd, client, msg, wParam, lParam);
  }
  static LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MDIACTIVATE && (reinterpret_cast<HWND>(lParam) == wnd || lParam == 0)) {
      HMENU menu = lParam ? childMenu : frameMenu;
      ::SendMessageW(::GetParent(wnd), WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                     reinterpret_cast<LPARAM>(::GetSubMenu(menu, ::GetMenuItemCount(menu) - 1)));
    }
    return ::DefMDIChildProcW(wnd, msg, wParam, lParam);
  }
  static HMENU Menu(std::initializer_list<const wchar_t*> captions) {
    HMENU bar = ::CreateMenu();
    UINT id = 300;
    for (const wchar_t* caption : captions) {
      HMENU drop = ::CreatePopupMenu();
      ::AppendMenuW(drop, MF_STRING, ++id, L"&Item");
      ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), caption);
    }
    return bar;
  }
  MdiWithMenus() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpfnWndProc = FrameProc;
      wc.lpszClassName = L"tests.MenuMdiFrame";
      ::RegisterClassW(&wc);
      wc.lpfnWndProc = ChildProc;
      wc.lpszClassName = L"tests.MenuMdiChild";
      return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    frameMenu = Menu({L"&File", L"&Window"});
    childMenu = Menu({L"&Document", L"&Edit", L"&Window"});
    frame = ::CreateWindowExW(0, L"tests.MenuMdiFrame", L"MDI",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 80, 520, 360, nullptr,
                              frameMenu, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(frame, SW_SHOW);
    ::SetForegroundWindow(frame);
  }
  ~MdiWithMenus() {
    ::DestroyWindow(frame);
    ::DestroyMenu(frameMenu);
    ::DestroyMenu(childMenu);
  }
  HWND Client() const { return reinterpret_cast<HWND>(::GetWindowLongPtrW(frame, GWLP_USERDATA)); }
  HWND AddChild() const {
    MDICREATESTRUCTW create{
        L"tests.MenuMdiChild", L"Child", ::GetModuleHandleW(nullptr), 10, 10, 260, 180, 0, 0};
    return reinterpret_cast<HWND>(
        ::SendMessageW(Client(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  }
  HWND frame;
};

std::vector<std::wstring> Captions(const TWinSkinMenu& bar) {
  std::vector<std::wstring> captions;
  for (const TMenuBtn& item : bar.FItems)
    if (!item.FCaption.empty()) captions.push_back(item.FCaption);
  return captions;
}

} // namespace

TEST_F(SkinMenus, AnMdiFramesBarShowsTheMergedMenuAndTheMaximizedChildsButtons) {
  MdiWithMenus mdi;
  ASSERT_TRUE(PumpUntil(
      [&] { return SkinOf(mdi.frame) && SkinOf(mdi.frame)->State() == skin::TFormLife::Running; },
      3000));
  TWinSkinForm* skin = SkinOf(mdi.frame);
  ASSERT_NE(skin->Menus().Bar(), nullptr);
  const TWinSkinMenu& bar = *skin->Menus().Bar();
  EXPECT_EQ(Captions(bar), std::vector<std::wstring>({L"&File", L"&Window"}));

  // A child's menu, merged in by the MDI client, shows in the skinned bar; the system bar never.
  HWND child = mdi.AddChild();
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(data->MenuUpdate) << "menu changes wait while children come and go";
  PumpFor(300);
  EXPECT_EQ(Captions(bar), std::vector<std::wstring>({L"&Document", L"&Edit", L"&Window"}));
  EXPECT_EQ(::GetMenu(mdi.frame), nullptr);
  RECT w;
  ::GetWindowRect(mdi.frame, &w);
  const TRect& edit = bar.FItems[1].FBounds;
  EXPECT_GT(
      CountPixels({w.left + edit.Left, w.top + edit.Top, w.left + edit.Right, w.top + edit.Bottom},
                  kTextColour),
      5);

  // Alt+letter in a child opens the frame's item.
  {
    MenuScript script({KeyAfter(skin->Menus(), 1, VK_ESCAPE)});
    {
      AltHeld alt;
      EXPECT_EQ(::SendMessageW(child, fw::CM_DIALOGCHAR, 'e', 0), 1);
    }
    PumpUntil([&] { return script.Done(); }, 3000);
  }
  EXPECT_EQ(skin->Menus().OpenedItems(), std::vector<int>({1}));

  // Maximized, the child's three buttons sit at the right of the bar, hot ones in frame 4.
  ::SendMessageW(mdi.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(300);
  ::GetWindowRect(mdi.frame, &w);
  std::vector<TRect> buttons;
  for (const TWinSysButton& b : skin->Buttons())
    if (b.FData->Visibility == 100 && b.FVisible) buttons.push_back(b.FBounds);
  ASSERT_EQ(buttons.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const TRect& b = buttons[i];
    EXPECT_GT(b.Left, bar.FItems.back().FBounds.Right) << i;
    EXPECT_EQ(ScreenPixel(w.left + b.Left + 5, w.top + b.Top + 5), kMdiButtons[i]) << i;
  }
  SaveShot(mdi.frame, 10, L"mdi_menu_bar.bmp");
  // Asked through the MDI client, the frame paints itself anew.
  HDC dc = ::GetWindowDC(mdi.frame);
  const RECT spoiled{buttons[0].Left, buttons[0].Top, buttons[2].Right, buttons[2].Bottom};
  ::FillRect(dc, &spoiled, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::ReleaseDC(mdi.frame, dc);
  ::PostMessageW(mdi.Client(), SM_MDIREDRAW, reinterpret_cast<WPARAM>(child), 0);
  PumpFor(100);
  EXPECT_EQ(ScreenPixel(w.left + buttons[0].Left + 5, w.top + buttons[0].Top + 5), kMdiButtons[0]);

  // A second child, maximized; a frame menu set meanwhile gets its system menu as the first
  // item: what is chosen there is the child's, not the frame's.
  HWND second = mdi.AddChild();
  ::SendMessageW(mdi.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  ::SendMessageW(mdi.Client(), WM_MDISETMENU, reinterpret_cast<WPARAM>(MdiWithMenus::frameMenu), 0);
  PumpFor(300);
  ASSERT_FALSE(bar.FItems.empty());
  EXPECT_EQ(bar.FItems[0].FSubMenu, ::GetSystemMenu(second, FALSE));
  {
    MenuScript script({KeyAfter(skin->Menus(), 2, 'C'), Key(VK_ESCAPE)});
    ::SendMessageW(mdi.frame, WM_SYSCOMMAND, SC_KEYMENU, 0);
  }
  PumpFor(300);
  EXPECT_FALSE(::IsWindow(second)) << "the child closed";
  ASSERT_TRUE(::IsWindow(mdi.frame)) << "the frame stays";
  EXPECT_TRUE(::IsZoomed(child));
  const POINT close{w.left + buttons[2].Left + 5, w.top + buttons[2].Top + 5};
  ::SetCursorPos(close.x, close.y); // the hover tick keeps it hot
  ::SendMessageW(mdi.frame, WM_NCMOUSEMOVE, HTMENU, At(close));
  PumpFor(60);
  EXPECT_EQ(ScreenPixel(close.x, close.y), kMdiHot);

  // Its close button closes the child; the last child gone, the frame's menu is back.
  ::SendMessageW(mdi.frame, WM_NCLBUTTONDOWN, HTMENU, At(close));
  ::SendMessageW(mdi.frame, WM_NCLBUTTONUP, HTMENU, At(close));
  PumpFor(300);
  EXPECT_FALSE(::IsWindow(child));
  EXPECT_TRUE(data->MenuUpdate);
  EXPECT_EQ(Captions(bar), std::vector<std::wstring>({L"&File", L"&Window"}));
  EXPECT_EQ(::GetMenu(mdi.frame), nullptr);
  EXPECT_EQ(ScreenPixel(close.x, close.y), kBar);

  // Unhooked, the frame shows its own menu again.
  skin->Unhook();
  EXPECT_EQ(::GetMenu(mdi.frame), MdiWithMenus::frameMenu);
}

TEST_F(SkinMenus, MenuItemsKeepTheSkinsPaintersAcrossASkinChangeAndLoseThemAtUnhook) {
  data->SkinControls.Include(xcMenuItem);
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetCaption(L"Menu items");
  form->SetBounds(120, 100, 420, 300);
  auto* menu = new fw::TMainMenu(form.get());
  fw::TMenuItem* file = menu->Items().Add(L"&File");
  fw::TMenuItem* open = file->Add(L"&Open");
  fw::TMenuItem* own = file->Add(L"&Own");
  own->OnDrawItem = [](fw::TObject*, HDC, const RECT&, bool) {};
  form->SetMenu(menu);
  auto* popup = new fw::TPopupMenu(form.get());
  popup->Items().Add(L"&First");
  form->Show();
  ::SetForegroundWindow(form->Handle());
  PumpFor(400);
  HWND wnd = form->Handle();
  TWinSkinForm* skin = SkinOf(wnd);
  ASSERT_NE(skin, nullptr);
  // Drop-down items of the main menu are the skin's to draw, the bar's own items and the
  // program's own painter excepted.
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_TRUE(open->OnDrawItem && open->OnMeasureItem);
  EXPECT_FALSE(file->OnDrawItem);
  EXPECT_FALSE(own->OnMeasureItem);
  EXPECT_TRUE(popup->OwnerDraw());

  // An item added later gets the painters with the next skin change.
  fw::TMenuItem* later = popup->Items().Add(L"&Later");
  EXPECT_FALSE(later->OnDrawItem);
  ::SendMessageW(wnd, SM_SKINCHANGED, 0, 0);
  PumpFor(100);
  EXPECT_TRUE(later->OnDrawItem);
  {
    MenuScript script({[&](HWND shown) {
                         const RECT r = EntryRect(shown, 1);
                         const Pixel p = ScreenPixel(r.right - 4, r.top + 2);
                         EXPECT_TRUE(p == kItem || p == kItemSelected) << "drawn by the skin";
                         return true;
                       },
                       Key(VK_ESCAPE)});
    RECT w;
    ::GetWindowRect(wnd, &w);
    popup->Popup(w.left + 60, w.top + 80);
    EXPECT_TRUE(script.Done());
  }

  // The owner-drawn main menu's drop-down opens from the bar in the skin.
  {
    MenuScript script({[&](HWND shown) {
                         const RECT r = EntryRect(shown, 0);
                         const Pixel p = ScreenPixel(r.right - 4, r.top + 2);
                         EXPECT_TRUE(p == kItem || p == kItemSelected);
                         return true;
                       },
                       Key(VK_ESCAPE)});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(script.Done());
  }

  // Unhooked, the menus are ordinary again; the program's own painter stays.
  skin->Unhook();
  EXPECT_FALSE(menu->OwnerDraw());
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(open->OnDrawItem || open->OnMeasureItem || later->OnDrawItem);
  EXPECT_TRUE(own->OnDrawItem);
}

TEST_F(SkinMenus, AMenuWhoseSkinGoesWhileItIsOpenEndsAndLeavesNothingBehind) {
  // Freed memory is poisoned meanwhile: a freed skin object touched after a menu loop fails.
  testing_support::TFreedMemoryCheck freed;
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetCaption(L"Skin goes");
  form->SetBounds(120, 100, 420, 300);
  auto* menu = new fw::TMainMenu(form.get());
  menu->Items().Add(L"&File")->Add(L"&Open");
  menu->Items().Add(L"&Run");
  form->SetMenu(menu);
  form->Show();
  ::SetForegroundWindow(form->Handle());
  PumpFor(400);
  HWND wnd = form->Handle();
  ASSERT_NE(SkinOf(wnd), nullptr);
  // A menu that stays open once its skin went is closed by Escape, and told.
  bool stayed = false;
  const auto escapeWhenStayed = [&](std::function<bool()> gone) {
    return Anytime([&stayed, gone](HWND popup) {
      if (!gone()) return false;
      stayed = popup != nullptr;
      if (popup) ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      return true;
    });
  };
  // The skin switched off by the manager's timer inside the loop of an open menu (once `ready`):
  // the menu ends, the bar lets the mouse go, and nothing of the freed skin is touched afterwards.
  const auto skinOffWhileOpen = [&](WPARAM key, MenuStep ready) {
    MenuScript script({std::move(ready), Anytime([&](HWND) {
                         data->SetActive(false);
                         return true;
                       }),
                       escapeWhenStayed([&] { return SkinOf(wnd) == nullptr; })});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, key);
    EXPECT_EQ(SkinOf(wnd), nullptr);
    EXPECT_FALSE(stayed);
    EXPECT_NE(::GetCapture(), wnd);
    EXPECT_EQ(freed.WrittenAfterFree(), 0);
    PumpFor(100);
    EXPECT_EQ(::GetMenu(wnd), menu->Handle());
    data->SetActive(true);
    EXPECT_TRUE(PumpUntil([&] { return SkinOf(wnd) != nullptr; }, 2000));
    PumpFor(100);
  };
  const auto shown = [](HWND) { return true; };
  skinOffWhileOpen(0, shown);         // the bar's drop-down (F10)
  skinOffWhileOpen(' ', shown);       // the system menu (Alt+Space)
  skinOffWhileOpen(0, Key(VK_RIGHT)); // the command item highlighted
  // The window destroyed while its drop-down is open.
  {
    MenuScript script({[&](HWND) {
                         form.reset();
                         return true;
                       },
                       escapeWhenStayed([] { return true; })});
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
  }
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_FALSE(stayed);
  EXPECT_EQ(freed.WrittenAfterFree(), 0);
}
