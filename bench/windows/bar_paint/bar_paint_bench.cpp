// Prints the time of one track bar's full paint and of a full repaint of the settings dialog
// (three group boxes, three track bars, labels, a drop-down list, an edit and two buttons), first
// as the system draws them, then skinned with the program's own skin, in the same run.
#include "app/optdlg.h"
#include "bench/windows/paint_timing.h"
#include "framework/application.h"
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
  app::TOptionDlg dialog(nullptr);
  dialog.Show();
  dialog.ShowValues();
  testing_support::PumpFor(300);
  HWND track = dialog.TrackBarRecord->Handle();
  HWND window = dialog.Handle();

  const int runs = 500;
  const double systemTrack = Median(runs, [&] { Repaint(track); });
  const double systemDialog =
      Median(runs / 5, [&] { Repaint(window, RDW_FRAME | RDW_ALLCHILDREN); });

  skin::TWinSkinForm skinForm({&data.Elements(), data.SkinControls, data.Options});
  skinForm.HookWindow(window);
  ::PostMessageW(window, skin::SM_STARTSKIN, 0, 1000);
  testing_support::PumpFor(300);
  const bool skinned = ::SendMessageW(track, skin::SM_ISSKINNED, 0, 0) == 1 &&
                       ::SendMessageW(dialog.Compressor->Handle(), skin::SM_ISSKINNED, 0, 0) == 1;
  const double skinnedTrack = Median(runs, [&] { Repaint(track); });
  const double skinnedDialog =
      Median(runs / 5, [&] { Repaint(window, RDW_FRAME | RDW_ALLCHILDREN); });

  std::printf("track bar 401x22, full paint: system %.3f ms, skinned %.3f ms (%.2fx)%s\n",
              systemTrack, skinnedTrack, skinnedTrack / systemTrack,
              skinned ? "" : " [the track bar or a group box was NOT skinned]");
  std::printf("settings dialog, full repaint: system %.3f ms, skinned %.3f ms (%.2fx)\n",
              systemDialog, skinnedDialog, skinnedDialog / systemDialog);
  skinForm.Unhook();
  return 0;
}
