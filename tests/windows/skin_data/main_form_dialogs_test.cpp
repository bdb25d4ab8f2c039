// The dialogs the main window shows, with the skinning engine running as in the program: the save
// dialog, owned by the main window and skinned, is run again and again without leaving anything
// behind; a notice of a recording, raised on its worker, is a message box the main thread shows
// owned by the main window, on top, skinned like every other dialog.
#include "app/Unit1.h"
#include "recorder/scrcam.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: psapi.h relies on its types.
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct Seen {
  std::wstring caption;
  bool skinned = false, topmost = false;
  HWND owner = nullptr;
  int count = 0;
};
Seen seen;

BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) {
  wchar_t cls[16] = {};
  ::GetClassNameW(wnd, cls, 16);
  if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(wnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = wnd;
  return FALSE;
}

// Once a dialog of this thread shows: notes what it is, keeps its picture, cancels it.
void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR, DWORD) {
  static bool looking = false; // the pump below runs this timer too
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || looking) return;
  looking = true;
  wchar_t caption[64] = {};
  ::GetWindowTextW(dialog, caption, 64);
  if (seen.count++ == 0) {
    testing_support::PumpFor(300);
    seen.caption = caption;
    seen.skinned = ::SendMessageW(dialog, skin::SM_ISSKINNED, 0, 0) == 1;
    seen.topmost = (::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.owner = ::GetWindow(dialog, GW_OWNER);
    testing_support::SaveWindowPng(dialog, 10, L"skin_main_form", std::wstring(caption) + L".png");
  }
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  // Until it is gone, so that it is seen once.
  testing_support::PumpUntil([dialog] { return !::IsWindowVisible(dialog); }, 5000);
  looking = false;
}

double PrivateMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / (1 << 20);
}

class MainFormDialogs : public testing::Test {
protected:
  void SetUp() override {
    form.Show();
    ::SetForegroundWindow(form.Handle());
    testing_support::PumpFor(300);
    seen = {};
    timer = ::SetTimer(nullptr, 0, 50, LookAtDialog);
  }
  void TearDown() override { ::KillTimer(nullptr, timer); }
  skin::TSkinManagerScope manager;
  app::TForm1 form{nullptr};
  UINT_PTR timer = 0;
};

TEST_F(MainFormDialogs, TheSaveDialogIsOwnedSkinnedAndRunsAgainWithoutGrowing) {
  constexpr int kWarmUp = 1, kRuns = 3;
  // A folder of few files: the dialog lists it quickly.
  form.SaveDialog1->FileName = testing_support::ArtifactPath(L"skin_main_form", L"clip.avi");
  double start = 0;
  std::size_t skins = 0;
  for (int run = 0; run < kWarmUp + kRuns; ++run) {
    if (run == kWarmUp) start = PrivateMegabytes(), skins = skin::SkinManager()->SkinnedCount();
    EXPECT_FALSE(form.SaveDialog1->Execute());
  }
  const double growth = PrivateMegabytes() - start;
  std::printf("%d save dialogs: private memory %+.2f MB, window skins %zu -> %zu\n", kRuns, growth,
              skins, skin::SkinManager()->SkinnedCount());
  // The last dialog's skin goes when the next window is skinned.
  EXPECT_LE(skin::SkinManager()->SkinnedCount(), skins + 1);
  EXPECT_EQ(seen.count, kWarmUp + kRuns);
  EXPECT_EQ(seen.owner, form.Handle());
  EXPECT_TRUE(seen.skinned);
  EXPECT_LT(growth, 1.0) << "per run: " << growth / kRuns << " MB";
}

TEST_F(MainFormDialogs, ANoticeOfARecordingIsOwnedOnTopAndSkinned) {
  testing_support::ScopedTestCodec codec({.failAfter = 2});
  recorder::TScreenCam& cam = *form.ScreenCam;
  ASSERT_TRUE(engine_tests::ChooseTestCodec(cam));
  cam.FShowFrame = false;
  cam.FMsPerFrame = 20;
  engine_tests::AreaControl area(0, 0, 64, 48);
  const fw::MessageBoxHandler answering = fw::SetMessageBoxHandler({}); // real message boxes
  cam.StartRecording(&area, testing_support::ArtifactPath(L"skin_main_form", L"notice.avi"));
  testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 10000);
  fw::SetMessageBoxHandler(answering);
  EXPECT_EQ(seen.count, 1);
  EXPECT_EQ(seen.caption, L"Notice");
  EXPECT_EQ(seen.owner, form.Handle());
  EXPECT_TRUE(seen.topmost);
  EXPECT_TRUE(seen.skinned);
}

} // namespace
