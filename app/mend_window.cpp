#include "app/mend_window.h"

#include "framework/thread.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace app {

namespace {

// The window shows once the mend has run this long.
constexpr DWORD kShowAfterMs = 400;
// How often the window follows the mend.
constexpr DWORD kFollowMs = 100;
constexpr int kBarSteps = 1000;

// The mend's thread and what it tells the main thread.
class TMendThread : public fw::TThread {
public:
  explicit TMendThread(std::wstring folder) : folder_(std::move(folder)) {}

  struct Progress {
    std::wstring file;
    std::uint64_t done = 0, total = 0;
  };
  Progress Current() {
    std::lock_guard lock(mutex_);
    return progress_;
  }
  std::vector<recorder::MendedRecording> Result() { return result_; }

protected:
  void Execute() override {
    result_ = recorder::MendUnfinishedRecordings(
        folder_, [this](const std::wstring& file, std::uint64_t done, std::uint64_t total) {
          std::lock_guard lock(mutex_);
          progress_ = {file, done, total};
        });
  }

private:
  const std::wstring folder_;
  std::mutex mutex_;
  Progress progress_;
  std::vector<recorder::MendedRecording> result_;
};

} // namespace

TMendWindow::TMendWindow(fw::TComponent* owner) : fw::TForm(owner) {
  SetCaption(L"Mending unfinished recordings");
  SetBorderStyle(fw::bsDialog);
  SetBorderIcons(0);
  SetPosition(fw::poScreenCenter);
  SetClientWidth(380);
  SetClientHeight(84);
  FileLabel = new fw::TLabel(this);
  FileLabel->AutoSize = false;
  FileLabel->SetBounds(12, 12, 356, 30);
  FileLabel->SetParent(this);
  Bar = new fw::TProgressBar(this);
  Bar->SetMax(kBarSteps);
  Bar->SetBounds(12, 50, 356, 20);
  Bar->SetParent(this);
}

void TMendWindow::ShowProgress(const std::wstring& file, std::uint64_t done, std::uint64_t total) {
  if (file != shownFile_) {
    shownFile_ = file;
    FileLabel->SetText(L"Mending the unfinished recording \"" + file + L"\"...");
  }
  Bar->SetPosition(total ? static_cast<int>(done * kBarSteps / total) : 0);
}

std::vector<recorder::MendedRecording> MendWithProgress(fw::TForm* owner,
                                                        const std::wstring& folder) {
  TMendThread thread(folder);
  thread.Start();
  const DWORD started = ::GetTickCount();
  std::unique_ptr<TMendWindow> window;
  const HWND ownerWindow = owner ? owner->Handle() : nullptr;
  const bool wasEnabled = ownerWindow && ::IsWindowEnabled(ownerWindow);
  if (wasEnabled) ::EnableWindow(ownerWindow, FALSE);
  const HANDLE done = thread.Handle();
  std::optional<int> quit;
  while (!quit &&
         ::MsgWaitForMultipleObjects(1, &done, FALSE, kFollowMs, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (!quit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = static_cast<int>(msg.wParam);
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!window && ::GetTickCount() - started >= kShowAfterMs) {
      window = std::make_unique<TMendWindow>(nullptr);
      window->Show();
    }
    if (window) {
      const TMendThread::Progress now = thread.Current();
      window->ShowProgress(now.file, now.done, now.total);
    }
  }
  thread.WaitFor();
  window.reset();
  if (wasEnabled) ::EnableWindow(ownerWindow, TRUE);
  // The program was asked to end meanwhile: it ends once the mend is done.
  if (quit) ::PostQuitMessage(*quit);
  return thread.Result();
}

} // namespace app
