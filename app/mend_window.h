// Mending the recordings the last run left unfinished, at start-up. The mend runs on a thread of
// its own; the main thread keeps serving messages meanwhile, and when the mend takes more than a
// moment (a long take) it shows a small window with a progress bar, skinned like every form, that
// names the file and follows the work. The main window is disabled until the mend is done.
#pragma once

#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "recorder/unfinished_recordings.h"

#include <string>
#include <vector>

namespace app {

class TMendWindow : public fw::TForm {
public:
  explicit TMendWindow(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TMendWindow"; }

  // Shows how far the mend of `file` has come.
  void ShowProgress(const std::wstring& file, std::uint64_t done, std::uint64_t total);

  fw::TLabel* FileLabel = nullptr;
  fw::TProgressBar* Bar = nullptr;

private:
  std::wstring shownFile_;
};

// Mends what the journals in `folder` name, off the main thread, with the window above once the
// mend has taken longer than a moment; `owner` is disabled meanwhile.
std::vector<recorder::MendedRecording> MendWithProgress(fw::TForm* owner,
                                                        const std::wstring& folder);

} // namespace app
