// Prints the time from opening a drop-down menu of 12 entries to the end of its first paint:
// skinned (the menu bar of a window skinned by the manager with the program's own skin, opened as
// F10 opens it) and unskinned (TrackPopupMenu of the same entries with the manager switched off).
#include "framework/application.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 12, kRuns = 60;

double openedAt = 0, paintStartedAt = 0, paintedAt = 0;

bool IsMenuWindow(HWND wnd) {
  wchar_t name[16] = {};
  return ::GetClassNameW(wnd, name, 16) && std::wstring(name) == L"#32768";
}

// Notes when a popup menu window starts painting.
LRESULT CALLBACK BeforePaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_PAINT && paintStartedAt == 0 &&
      IsMenuWindow(message->hwnd))
    paintStartedAt = testing_support::MillisecondsNow();
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Notes when a popup menu window has finished painting, and closes the menu.
LRESULT CALLBACK AfterPaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_PAINT && paintedAt == 0 &&
      IsMenuWindow(message->hwnd)) {
    paintedAt = testing_support::MillisecondsNow();
    ::PostMessageW(message->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

HMENU MenuBar() {
  HMENU bar = ::CreateMenu();
  HMENU drop = ::CreatePopupMenu();
  for (int i = 0; i < kEntries; ++i) {
    const std::wstring text =
        L"Entry &" + std::to_wstring(i + 1) + L"\tCtrl+" + std::to_wstring(i % 10);
    ::AppendMenuW(drop, MF_STRING, 100 + i, text.c_str());
  }
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), L"&Menu");
  return bar;
}

HWND MenuWindow(int left) {
  HWND wnd =
      ::CreateWindowExW(0, L"STATIC", L"Menu benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left,
                        100, 400, 420, nullptr, MenuBar(), ::GetModuleHandleW(nullptr), nullptr);
  ::SetForegroundWindow(wnd);
  testing_support::PumpFor(400);
  return wnd;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char* what, const std::function<void()>& open) {
  std::vector<double> times, painting;
  for (int i = 0; i < kRuns; ++i) {
    paintStartedAt = paintedAt = 0;
    openedAt = testing_support::MillisecondsNow();
    open();
    if (paintedAt > 0) {
      times.push_back(paintedAt - openedAt);
      painting.push_back(paintedAt - paintStartedAt);
    }
    testing_support::PumpFor(30);
  }
  if (times.empty()) {
    std::printf("%s: the menu never painted\n", what);
    return;
  }
  std::printf("%s: median %.3f ms (of which the paint %.3f ms), min %.3f ms (%zu runs)\n", what,
              Median(times), Median(painting), *std::min_element(times.begin(), times.end()),
              times.size());
}

} // namespace

int main() {
  fw::TApplication application;
  skin::TSkinManagerScope scope;
  auto data = testing_support::ReadProgramSkin();
  data->Loaded();
  if (data->SkinMissing() || !skin::SkinManager()) {
    std::printf("the embedded skin did not load\n");
    return 1;
  }
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, AfterPaint, nullptr, ::GetCurrentThreadId());
  HHOOK before = ::SetWindowsHookExW(WH_CALLWNDPROC, BeforePaint, nullptr, ::GetCurrentThreadId());

  HWND skinned = MenuWindow(100);
  if (::SendMessageW(skinned, skin::SM_ISSKINNED, 0, 0) != 1) {
    std::printf("the window was not skinned\n");
    return 1;
  }
  Report("skinned drop-down of 12 entries (F10 on a skinned menu bar)",
         [&] { ::SendMessageW(skinned, WM_SYSCOMMAND, SC_KEYMENU, 0); });

  skin::SkinManager()->Enabled = false; // neither the window nor its menus are skinned now
  HWND plain = MenuWindow(520);
  HMENU drop = ::GetSubMenu(::GetMenu(plain), 0);
  Report("system drop-down of 12 entries (TrackPopupMenu)", [&] {
    RECT w;
    ::GetWindowRect(plain, &w);
    ::TrackPopupMenu(drop, TPM_RIGHTBUTTON | TPM_RETURNCMD, w.left + 10, w.top + 50, 0, plain,
                     nullptr);
  });

  ::UnhookWindowsHookEx(before);
  ::UnhookWindowsHookEx(hook);
  ::DestroyWindow(plain);
  ::DestroyWindow(skinned);
  return 0;
}
