// How recordings end around the main window: one that ends by itself (full disk, a folder that
// vanished or cannot be written) tells the user and brings the main window back; once the main
// window is being destroyed, hot keys and clicks start and stop nothing.
#include "app/Unit1.h"
#include "app/woxhotkey.h"
#include "framework/exception.h"
#include "framework/timer.h"
#include "recorder/core/fourcc.h"
#include "recorder/scrcam.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::PumpUntil;

class RecordingEnd : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(engine_tests::ChooseTestCodec(cam));
    cam.FShowFrame = false;
    cam.FMsPerFrame = 20;
  }
  // Starts as the start button does after the save dialog, for a small area.
  void Start(const std::wstring& file) {
    form->Show();
    form->Hide();
    cam.StartRecording(&area, file);
  }
  bool Finished(DWORD timeoutMs) {
    return PumpUntil([this] { return cam.FWorker == nullptr; }, timeoutMs);
  }
  // One notice, and the main window back.
  void ExpectNotice(const MessageBoxRecorder& boxes, const std::wstring& text) {
    auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, text);
    EXPECT_EQ(shown[0].caption, L"Notice");
    EXPECT_TRUE(::IsWindowVisible(form->Handle())) << "the main window is back";
  }
  // Moves the recording to the artefacts as `name`, for the script to read with ffprobe: every
  // frame written must decode.
  void KeepForProbe(const std::wstring& file, const std::wstring& name) {
    const std::wstring kept = testing_support::ArtifactPath(L"forms", name);
    ASSERT_TRUE(::MoveFileExW(file.c_str(), kept.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
    testing_support::WriteFacts(kept + L".facts",
                                {{"file", fw::WideToUtf8(kept)},
                                 {"codec_type", "video"},
                                 {"codec", "rawvideo"},
                                 {"width", "160"},
                                 {"height", "120"},
                                 {"rate", "10/1"},
                                 {"frames_written", std::to_string(cam.FFramesWritten)}});
  }

  testing_support::ScopedTestCodec codec;
  std::unique_ptr<app::TForm1> form = std::make_unique<app::TForm1>(nullptr);
  recorder::TScreenCam& cam = *form->FScreenCam;
  engine_tests::AreaControl area{0, 0, 160, 120};
};

const std::wstring kDiskFullText = L"The disk is almost full, so the recording was stopped. "
                                   L"Everything recorded until now has been saved.";

// A real small volume (a tmpfs mapped as a Wine drive by the test script) fills up.
TEST_F(RecordingEnd, AFullDiskStopsTheRecordingWithEveryFrameSaved) {
  const wchar_t* drive = _wgetenv(L"RECORDER_SMALL_DRIVE");
  if (!drive) GTEST_SKIP() << "no small drive (RECORDER_SMALL_DRIVE) mapped";
  const std::wstring file = std::wstring(drive) + L"full.avi";
  MessageBoxRecorder boxes;
  Start(file);
  ASSERT_TRUE(Finished(60000)) << "the recording ends by itself";
  ExpectNotice(boxes, kDiskFullText);
  EXPECT_GT(cam.FFramesWritten, 10);
  KeepForProbe(file, L"full_disk.avi");
}

// The folder is renamed while the recording runs: it stops and says so, and the file, now in the
// renamed folder, is closed and readable.
TEST_F(RecordingEnd, AVanishedFolderStopsTheRecording) {
  const std::wstring folder = testing_support::ArtifactPath(L"forms", L"vanishing");
  const std::wstring moved = folder + L"-moved";
  ::DeleteFileW((moved + L"\\clip.avi").c_str());
  ::RemoveDirectoryW(moved.c_str());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  MessageBoxRecorder boxes;
  Start(folder + L"\\clip.avi");
  testing_support::PumpFor(500);
  ASSERT_TRUE(::MoveFileW(folder.c_str(), moved.c_str()));
  ASSERT_TRUE(Finished(10000));
  ExpectNotice(boxes, L"The folder of the recording can no longer be reached, so the recording "
                      L"was stopped.");
  KeepForProbe(moved + L"\\clip.avi", L"vanished.avi");
}

// A folder no file can be created in (even by root): the error, then the main window.
TEST_F(RecordingEnd, AnUnwritableFolderReportsAndBringsTheWindowBack) {
  cam.FCompressorIndex = -1;
  cam.FCompressorHandler = recorder::kDefaultCompressor;
  MessageBoxRecorder boxes;
  Start(L"Z:\\proc\\clip.avi");
  ASSERT_TRUE(Finished(10000));
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"Error Creating AVI file");
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

BOOL CALLBACK CountVisibleDialog(HWND wnd, LPARAM data) {
  wchar_t cls[16] = {};
  ::GetClassNameW(wnd, cls, 16);
  if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(wnd)) {
    ++*reinterpret_cast<int*>(data);
    ::PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}

// F4 and a click on the start button arrive while the engine waits for its worker at shutdown:
// no save dialog, no new recording.
TEST_F(RecordingEnd, HotKeysAndClicksDuringShutdownDoNothing) {
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"shutdown.avi");
  Start(file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 2; }, 10000));
  int dialogs = 0;
  fw::TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.OnTimer = [&](fw::TObject*) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CountVisibleDialog,
                        reinterpret_cast<LPARAM>(&dialogs));
  };
  int finished = 0;
  cam.FOnFinished = [&](fw::TObject*) { ++finished; };
  ::PostMessageW(form->Handle(), WM_HOTKEY, static_cast<WPARAM>(form->FHotKeys->Id(1)),
                 MAKELPARAM(0, VK_F4));
  ::PostMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
  ::PostMessageW(form->Button2->Handle(), BM_CLICK, 0, 0);
  form.reset();
  EXPECT_EQ(finished, 1) << "the worker ended while messages were served";
  EXPECT_EQ(dialogs, 0) << "no save dialog during shutdown";
}

} // namespace
