// Prints the time of one full frame paint (PaintFrame) of a window of the main window's size and
// of one region rebuild (UpdateRegion) of a 1280 x 1024 window, with the program's own skin.
#include "framework/application.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void Report(const char* what, int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = testing_support::MillisecondsNow();
    work();
    times.push_back(testing_support::MillisecondsNow() - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("%s: median %.3f ms, min %.3f ms, max %.3f ms (%d runs)\n", what,
              times[times.size() / 2], times.front(), times.back(), runs);
}

} // namespace

int main() {
  fw::TApplication application;
  skin::TSkinData data(nullptr);
  if (!testing_support::LoadProgramSkin(data)) {
    std::printf("the embedded skin did not load\n");
    return 1;
  }
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, 287, 229}; // the main window's client area
  ::AdjustWindowRect(&r, style, FALSE);
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"栎澜屏幕录像", style | WS_VISIBLE, 100, 100,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  skin::TWinSkinForm form({&data.Elements(), data.SkinControls, data.Options});
  form.HookWindow(wnd);
  ::PostMessageW(wnd, skin::SM_STARTSKIN, 0, 1000);
  testing_support::PumpFor(300);
  RECT w;
  ::GetWindowRect(wnd, &w);
  std::printf("window %ldx%ld, frame %d/%d/%d/%d\n", w.right - w.left, w.bottom - w.top,
              form.Frame().left, form.Frame().top, form.Frame().right, form.Frame().bottom);
  Report("PaintFrame, main window", 300, [&] {
    form.PaintFrame(nullptr);
    ::GdiFlush();
  });

  ::SetWindowPos(wnd, nullptr, 0, 0, 1280, 1024, SWP_NOZORDER | SWP_NOACTIVATE);
  testing_support::PumpFor(200);
  Report("PaintFrame, 1280x1024", 100, [&] {
    form.PaintFrame(nullptr);
    ::GdiFlush();
  });
  Report("UpdateRegion, 1280x1024", 50, [&] { form.RebuildRegion(); });
  form.Unhook();
  ::DestroyWindow(wnd);
  return 0;
}
