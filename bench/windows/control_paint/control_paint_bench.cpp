// Prints the time of one push button's full paint and of a full repaint of a window laid out like
// the main window (three buttons, two labels), first as the system draws them, then skinned with
// the program's own skin, in the same run. The button is measured with its skin switched off and on
// in turns (switched off, it paints exactly as without a skin).
#include "bench/windows/paint_timing.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <cstdio>

using bench::Median;
using bench::Repaint;

int main() {
  fw::TApplication application;
  skin::TSkinData data(nullptr);
  if (!testing_support::LoadProgramSkin(data)) {
    std::printf("the embedded skin did not load\n");
    return 1;
  }
  fw::TForm form(nullptr);
  form.SetCaption(L"栎澜屏幕录像");
  form.SetBounds(100, 100, 295, 263);
  const wchar_t* captions[] = {L"功能设置", L"开始录制", L"停止录入"};
  fw::TButton* first = nullptr;
  for (int i = 0; i < 3; ++i) {
    auto* button = new fw::TButton(&form);
    button->SetParent(&form);
    button->SetBounds(24, 90 + 40 * i, 240, 30);
    button->SetText(captions[i]);
    if (!first) first = button;
  }
  for (int i = 0; i < 2; ++i) {
    auto* label = new fw::TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(24, 20 + 30 * i, 240, 20);
    label->SetText(i ? L"按F4开始, F5停止" : L"栎澜屏幕录像");
  }
  form.Show();
  testing_support::PumpFor(300);
  HWND button = first->Handle();

  const int runs = 500;
  const double systemWindow =
      Median(runs / 5, [&] { Repaint(form.Handle(), RDW_FRAME | RDW_ALLCHILDREN); });

  skin::TWinSkinForm skinForm({&data.Elements(), data.SkinControls, data.Options});
  skinForm.HookWindow(form.Handle());
  ::PostMessageW(form.Handle(), skin::SM_STARTSKIN, 0, 1000);
  testing_support::PumpFor(300);
  const bool skinned = ::SendMessageW(button, skin::SM_ISSKINNED, 0, 0) == 1;
  const double skinnedWindow =
      Median(runs / 5, [&] { Repaint(form.Handle(), RDW_FRAME | RDW_ALLCHILDREN); });
  // The button alone, its skin switched off and on in turns, so that both see the same load.
  std::vector<double> systemRounds, skinnedRounds;
  for (int round = 0; round < 10; ++round) {
    ::SendMessageW(button, skin::SM_SKINENABLE, 0, 0);
    systemRounds.push_back(Median(runs / 10, [&] { Repaint(button); }));
    ::SendMessageW(button, skin::SM_SKINENABLE, 1, 0);
    skinnedRounds.push_back(Median(runs / 10, [&] { Repaint(button); }));
  }
  std::sort(systemRounds.begin(), systemRounds.end());
  std::sort(skinnedRounds.begin(), skinnedRounds.end());
  const double systemButton = systemRounds[systemRounds.size() / 2];
  const double skinnedButton = skinnedRounds[skinnedRounds.size() / 2];

  std::printf("push button 240x30, full paint: system %.3f ms, skinned %.3f ms (%.2fx)%s\n",
              systemButton, skinnedButton, skinnedButton / systemButton,
              skinned ? "" : " [the button was NOT skinned]");
  std::printf("main-window layout, full repaint: system %.3f ms, skinned %.3f ms (%.2fx)\n",
              systemWindow, skinnedWindow, skinnedWindow / systemWindow);
  return 0;
}
