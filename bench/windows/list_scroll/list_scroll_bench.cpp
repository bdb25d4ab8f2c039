// Prints the time of one keyboard scroll step (a line down, with the repaints it causes) of a
// 1,000-line list box, first as the system draws it, then with the skin's overlay scroll bar
// over it (each step repaints the overlay), with the program's own skin, in the same run.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 1000;
constexpr int kSteps = 400;

// Milliseconds per step: a line down (or up, on the way back), each step painted before the next.
double PerStep(HWND list) {
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  ::UpdateWindow(list);
  const double start = testing_support::MillisecondsNow();
  for (int i = 0; i < kSteps; ++i) {
    ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
    ::UpdateWindow(list);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      ::DispatchMessageW(&msg);
  }
  ::GdiFlush();
  return (testing_support::MillisecondsNow() - start) / kSteps;
}

double Best(HWND list) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run)
    best = std::min(best, PerStep(list));
  return best;
}

} // namespace

int main() {
  fw::TApplication application;
  skin::TSkinData data(nullptr);
  if (!testing_support::LoadProgramSkin(data)) {
    std::printf("the embedded skin did not load\n");
    return 1;
  }
  fw::TForm form(nullptr);
  form.SetCaption(L"list scroll");
  form.SetBounds(100, 100, 320, 360);
  auto* list = new fw::TListBox(&form);
  std::vector<std::wstring> items;
  for (int i = 0; i < kLines; ++i)
    items.push_back(L"line " + std::to_wstring(i));
  list->SetItems(items);
  list->SetParent(&form);
  list->SetBounds(10, 10, 280, 300);
  form.Show();
  testing_support::PumpFor(300);
  HWND l = list->Handle();
  ::SetFocus(l);

  const double system = Best(l);

  skin::TWinSkinForm skinForm({&data.Elements(), data.SkinControls, data.Options});
  skinForm.HookWindow(form.Handle());
  ::PostMessageW(form.Handle(), skin::SM_STARTSKIN, 0, 1000);
  testing_support::PumpFor(300);
  ::SetFocus(l);
  const bool skinned = ::SendMessageW(l, skin::SM_ISSKINNED, 0, 0) == 1;
  const double withOverlay = Best(l);

  std::printf("1000-line list box, one line down by keyboard: system %.3f ms, skinned %.3f ms "
              "(%.2fx)%s\n",
              system, withOverlay, withOverlay / system,
              skinned ? "" : " [the list was NOT skinned]");
  return 0;
}
