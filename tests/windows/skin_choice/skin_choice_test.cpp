// The skin the user chooses while the program runs, on the program's own windows with the skin
// manager running: the system menu's skin commands and their check mark (drawn by the skinned
// menu too), the open settings and save dialogs following a change at once, and skin files that
// cannot be loaded. (tests/e2e/skin_choice.sh switches by keyboard, through the open-file dialog,
// and from the command line, with the shipped program.)
#include "app/Unit1.h"
#include "app/optdlg.h"
#include "app/skin_choice.h"
#include "framework/exception.h"
#include "framework/menus.h"
#include "framework/timer.h"
#include "recorder/scrcam.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_environment_win.h"
#include "skin/forms/form_menus.h"
#include "skin/forms/skin_manager.h"
#include "skin/skin_messages.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using app::TSkinChoice;
using testing_support::PumpUntil;

// The build's second skin file, as a Windows path.
std::wstring InkstonePath() {
  std::wstring path = L"Z:" + fw::Utf8ToWide(SECOND_SKIN_FILE);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}
const std::wstring kInkstone = InkstonePath();

// The colours of a skin's caption, active and inactive, away from its text and buttons.
struct CaptionColours {
  COLORREF active = 0, inactive = 0;
};

CaptionColours CaptionColour(const skin::TSkinElements& e) {
  const fw::TBitmap& top = e.Top->Bitmap;
  const int frameHeight = top.Height() / std::max(e.Top->FrameCount, 1);
  auto colour = [&](int y) {
    const fw::Pixel p = top.At(top.Width() / 2, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  return {colour(6), colour(frameHeight + 6)};
}

CaptionColours InkstoneCaptionColour() {
  std::ifstream file(std::filesystem::path(kInkstone), std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                        std::istreambuf_iterator<char>());
  skin::TSkinReader reader;
  EXPECT_TRUE(reader.LoadFromStream(bytes)) << "the build's inkstone.skn";
  skin::TSkinElements elements;
  skin::LoadSkinElements(reader, skin::SkinIni(reader), skin::SystemSkinEnvironment(), elements);
  return CaptionColour(elements);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 12 &&
         std::abs(GetGValue(a) - GetGValue(b)) <= 12 && std::abs(GetBValue(a) - GetBValue(b)) <= 12;
}

// The screen's colour in a window's caption, left of its close button and right of its text.
COLORREF CaptionPixel(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return testing_support::ScreenPixel(r.right - 45, r.top + 6);
}

bool Skinned(HWND wnd) {
  return ::SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0) == 1;
}

// The window shows the skin whose caption colours are `skin`, active or not; with null, no skin.
bool Shows(HWND wnd, const CaptionColours* skin) {
  if (!skin) return !Skinned(wnd);
  const COLORREF pixel = CaptionPixel(wnd);
  return Skinned(wnd) && (Near(pixel, skin->active) || Near(pixel, skin->inactive));
}

BOOL CALLBACK FindVisibleWindowOfClass(HWND wnd, LPARAM data) {
  auto* found = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(data);
  wchar_t cls[32] = {};
  ::GetClassNameW(wnd, cls, 32);
  if (std::wstring(cls) == found->first && ::IsWindowVisible(wnd)) {
    found->second = wnd;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of the thread of a class: "#32770" dialogs, "#32768" menus.
HWND VisibleWindowOfClass(const wchar_t* cls) {
  std::pair<const wchar_t*, HWND> found{cls, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleWindowOfClass,
                      reinterpret_cast<LPARAM>(&found));
  return found.second;
}

// Runs `action` (once) from a timer as soon as `find` finds a window; the test then enters the
// modal loop that shows it.
class WhenShown {
public:
  WhenShown(std::function<HWND()> find, std::function<void(HWND)> action) {
    timer_.SetInterval(50);
    timer_.OnTimer = [this, find = std::move(find), action = std::move(action)](fw::TObject*) {
      if (HWND wnd = find()) {
        timer_.SetEnabled(false);
        ran = true;
        action(wnd);
      }
    };
  }
  bool ran = false;

private:
  fw::TTimer timer_{nullptr};
};

HWND ShownMenu() {
  return VisibleWindowOfClass(L"#32768");
}
HWND ShownDialog() {
  return VisibleWindowOfClass(L"#32770");
}

// The program's main window and settings dialog, skinned by the skin manager, shared by the
// cases; each case leaves the program's own skin in use.
class SkinChoice : public testing::Test {
protected:
  static void SetUpTestSuite() {
    manager = new skin::TSkinManagerScope;
    form = new app::TForm1(nullptr);
    dialog = new app::TOptionDlg(nullptr);
    app::OptionDlg = dialog;
    lanlin = CaptionColour(form->SkinData1->Elements());
    inkstone = InkstoneCaptionColour();
    form->Show();
    // Right of where the settings dialog opens, so that both captions show.
    ::SetWindowPos(form->Handle(), nullptr, 800, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(form->Handle());
    PumpUntil([] { return Shows(form->Handle(), &lanlin); }, 3000);
  }
  static void TearDownTestSuite() {
    app::OptionDlg = nullptr;
    delete dialog;
    delete form;
    delete manager;
  }
  void TearDown() override {
    form->SkinChooser->UseEmbeddedSkin();
    EXPECT_TRUE(PumpUntil([] { return Shows(form->Handle(), &lanlin); }, 3000));
  }
  HWND Main() const { return form->Handle(); }
  TSkinChoice& Choice() const { return *form->SkinChooser; }
  // A system command as the skinned system menu sends it, then time for the skin manager.
  static bool Command(UINT command, HWND wnd, const CaptionColours* expected) {
    ::PostMessageW(form->Handle(), WM_SYSCOMMAND, command, 0);
    return PumpUntil([&] { return Shows(wnd, expected); }, 3000);
  }

  static inline skin::TSkinManagerScope* manager = nullptr;
  static inline app::TForm1* form = nullptr;
  static inline app::TOptionDlg* dialog = nullptr;
  static inline CaptionColours lanlin, inkstone;
};

bool Checked(HWND wnd, UINT command) {
  return ::GetMenuState(::GetSystemMenu(wnd, FALSE), command, MF_BYCOMMAND) & MF_CHECKED;
}

// The system menu ends with the skin commands after a separator; the choice in use is checked,
// and the skinned system menu shows that mark: the glyph box of the checked entry holds dark
// pixels, those of its neighbours none. A command moves the mark.
TEST_F(SkinChoice, SystemMenuEndsWithTheSkinCommandsTheOneInUseChecked) {
  HMENU real = ::GetSystemMenu(Main(), FALSE);
  const int n = ::GetMenuItemCount(real);
  ASSERT_GE(n, 4);
  EXPECT_TRUE(::GetMenuState(real, static_cast<UINT>(n - 4), MF_BYPOSITION) & MF_SEPARATOR);
  const std::pair<UINT, std::wstring> items[] = {{TSkinChoice::kChooseFileCommand, L"更换皮肤..."},
                                                 {TSkinChoice::kEmbeddedCommand, L"默认皮肤"},
                                                 {TSkinChoice::kNoSkinCommand, L"不用皮肤"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(::GetMenuItemID(real, n - 3 + i), items[i].first);
    EXPECT_EQ(fw::MenuItemText(real, static_cast<UINT>(n - 3 + i), true), items[i].second);
    EXPECT_EQ(Checked(Main(), items[i].first), i == 1) << i;
  }

  int darkInBox[3] = {-1, -1, -1};
  WhenShown menuShown(ShownMenu, [&](HWND popup) {
    testing_support::PumpFor(300); // painted
    EXPECT_TRUE(Skinned(popup));
    const skin::TWinSkinForm* skinForm = skin::SkinManager()->FindSkinForm(Main());
    const fw::TPopupMenu* shown = skinForm ? skinForm->Menus().SystemMenu() : nullptr;
    if (shown) {
      HMENU menu = shown->Handle();
      const int n = ::GetMenuItemCount(menu);
      for (int i = 0; i < 3; ++i) {
        RECT item{};
        ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(n - 3 + i), &item);
        // The glyph box: 16 pixels after the menu item element's left part.
        const fw::TBitmap box = testing_support::ScreenPixels(
            {item.left + 2, item.top + 2, item.left + 26, item.bottom - 2});
        darkInBox[i] = 0;
        for (int y = 0; y < box.Height(); ++y)
          for (int x = 0; x < box.Width(); ++x) {
            const fw::Pixel p = box.At(x, y);
            if (((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) < 3 * 100) ++darkInBox[i];
          }
      }
    }
    testing_support::SaveWindowPng(popup, 30, L"skin_choice", L"system_menu_lanlin.png");
    ::PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ::SendMessageW(Main(), WM_SYSCOMMAND, SC_KEYMENU, ' '); // Alt+Space
  ASSERT_TRUE(menuShown.ran);
  EXPECT_EQ(darkInBox[0], 0) << "更换皮肤... is not checked";
  EXPECT_GE(darkInBox[1], 6) << "默认皮肤 shows its check mark";
  EXPECT_EQ(darkInBox[2], 0) << "不用皮肤 is not checked";

  ASSERT_TRUE(Command(TSkinChoice::kNoSkinCommand, Main(), nullptr));
  EXPECT_TRUE(Checked(Main(), TSkinChoice::kNoSkinCommand));
  EXPECT_FALSE(Checked(Main(), TSkinChoice::kEmbeddedCommand));
  ASSERT_TRUE(Command(TSkinChoice::kEmbeddedCommand, Main(), &lanlin));
  EXPECT_TRUE(Checked(Main(), TSkinChoice::kEmbeddedCommand));
}

// The settings dialog and the save dialog, open (modal) while the skin changes, follow at once.
TEST_F(SkinChoice, OpenDialogsFollowAChangeAtOnce) {
  bool followed[3] = {};
  WhenShown settingsShown(
      [] {
        return dialog->HandleAllocated() && ::IsWindowVisible(dialog->Handle()) ? dialog->Handle()
                                                                                : nullptr;
      },
      [&](HWND wnd) {
        PumpUntil([&] { return Shows(wnd, &lanlin); }, 3000);
        testing_support::SaveWindowPng(wnd, 10, L"skin_choice", L"settings_lanlin.png");
        Choice().UseSkinFile(kInkstone);
        followed[0] =
            PumpUntil([&] { return Shows(wnd, &inkstone) && Shows(Main(), &inkstone); }, 3000);
        testing_support::SaveWindowPng(wnd, 10, L"skin_choice", L"settings_inkstone.png");
        Choice().UseNoSkin();
        followed[1] =
            PumpUntil([&] { return Shows(wnd, nullptr) && Shows(Main(), nullptr); }, 3000);
        testing_support::SaveWindowPng(wnd, 10, L"skin_choice", L"settings_unskinned.png");
        Choice().UseEmbeddedSkin();
        followed[2] = PumpUntil([&] { return Shows(wnd, &lanlin); }, 3000);
        ::SendMessageW(dialog->Button3->Handle(), BM_CLICK, 0, 0); // Cancel
      });
  dialog->EditSettings(*form->ScreenCam);
  ASSERT_TRUE(settingsShown.ran);
  EXPECT_TRUE(followed[0]) << "to Inkstone";
  EXPECT_TRUE(followed[1]) << "to no skin";
  EXPECT_TRUE(followed[2]) << "back to the program's skin";

  bool saveFollowed = false;
  WhenShown saveShown(ShownDialog, [&](HWND save) {
    PumpUntil([&] { return Shows(save, &lanlin); }, 3000);
    Choice().UseSkinFile(kInkstone);
    saveFollowed = PumpUntil([&] { return Shows(save, &inkstone); }, 3000);
    testing_support::SaveWindowPng(save, 10, L"skin_choice", L"save_dialog_inkstone.png");
    ::PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
  });
  ::SetForegroundWindow(Main());
  EXPECT_FALSE(form->SaveDialog1->Execute());
  ASSERT_TRUE(saveShown.ran);
  EXPECT_TRUE(saveFollowed) << "the save dialog in the Inkstone skin";
}

// A file that is no skin, one that is missing: a notice names the file and why, and the look
// and the check mark stay.
TEST_F(SkinChoice, ASkinFileThatCannotBeLoadedLeavesTheLookAndSaysSo) {
  ASSERT_TRUE(Choice().UseSkinFile(kInkstone));
  ASSERT_TRUE(PumpUntil([] { return Shows(form->Handle(), &inkstone); }, 3000));
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring garbage = std::wstring(temp) + L"not-a-skin.skn";
  std::ofstream(std::filesystem::path(garbage), std::ios::binary) << "this is no skin at all";
  const std::wstring missing = std::wstring(temp) + L"no-such-skin.skn";
  testing_support::MessageBoxRecorder boxes;
  for (const std::wstring& file : {garbage, missing})
    EXPECT_FALSE(Choice().UseSkinFile(file)) << fw::WideToUtf8(file);
  testing_support::PumpFor(600); // what a change would have done by now
  EXPECT_TRUE(Shows(Main(), &inkstone)) << "the look stays";
  EXPECT_EQ(form->SkinData1->SkinName(), L"Inkstone");
  EXPECT_FALSE(form->SkinData1->SkinMissing());
  EXPECT_EQ(Choice().CurrentFile(), kInkstone);
  EXPECT_TRUE(Checked(Main(), TSkinChoice::kChooseFileCommand));
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 2u) << "one notice per file, and no box of the skin readers";
  for (const auto& box : shown) {
    EXPECT_EQ(box.caption, L"Notice");
    EXPECT_NE(box.text.find(L"cannot be used"), std::wstring::npos) << fw::WideToUtf8(box.text);
    EXPECT_NE(box.text.find(L"keeps its current look"), std::wstring::npos);
  }
  EXPECT_NE(shown[0].text.find(garbage), std::wstring::npos);
  EXPECT_NE(shown[0].text.find(L"not a skin file"), std::wstring::npos);
  EXPECT_NE(shown[1].text.find(L"cannot be read"), std::wstring::npos);
  ::DeleteFileW(garbage.c_str());
}

} // namespace
