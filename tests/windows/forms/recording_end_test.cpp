// How recordings end around the main window: one that ends by itself (full disk, a folder that
// vanished or cannot be written) tells the user and brings the main window back; the icon in the
// notification area stops one; the session's end finishes its file; a start while one is being
// closed waits for it; once the main window is being destroyed, hot keys and clicks start and stop
// nothing.
#include "app/Unit1.h"
#include "app/woxhotkey.h"
#include "framework/exception.h"
#include "framework/message_box.h"
#include "framework/timer.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/core/fourcc.h"
#include "recorder/scrcam.h"
#include "recorder/unfinished_recordings.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/forms/forms_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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
  void Start(const std::wstring& file, fw::TControl* where = nullptr) {
    form->Show();
    form->Hide();
    cam.StartRecording(where ? where : &area, file);
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
  void KeepForProbe(const std::wstring& file, const std::wstring& name,
                    const std::string& codec = "rawvideo", int width = 160, int height = 120,
                    const std::map<std::string, std::string>& more = {}) {
    const std::wstring kept = testing_support::ArtifactPath(L"forms", name);
    ASSERT_TRUE(::MoveFileExW(file.c_str(), kept.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
    std::map<std::string, std::string> facts = {
        {"file", fw::WideToUtf8(kept)},
        {"codec_type", "video"},
        {"codec", codec},
        {"width", std::to_string(width)},
        {"height", std::to_string(height)},
        {"rate", sound() ? std::to_string(1000 / cam.FMsPerFrame) + "/1" : "10/1"},
        {"frames_written", std::to_string(cam.FFramesWritten)},
        {"streams", sound() ? "2" : "1"}};
    if (sound()) facts["sound"] = std::to_string(cam.Sound.rate);
    for (const auto& [key, value] : more)
      facts[key] = value;
    testing_support::WriteFacts(kept + L".facts", facts);
  }
  // Sound from the default input of the test run's sound server (a tone plays into it); the
  // video then plays at the capture rate, 50 frames a second.
  void RecordSound(const recorder::TSoundSource& source = {}) {
    cam.Sound.record = true;
    cam.Sound.source = source;
  }
  bool sound() const { return cam.Sound.record; }
  // F4 as the user presses it; the save dialog is answered with `file`.
  void StartWithF4(const std::wstring& file) {
    forms_tests::AnswerSaveDialog(file);
    ::SendMessageW(form->Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F4));
  }

  testing_support::ScopedTestCodec codec;
  std::unique_ptr<app::TForm1> form = std::make_unique<app::TForm1>(nullptr);
  recorder::TScreenCam& cam = *form->ScreenCam;
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

// The room a frame needs is the compressor's own maximum: Video 1 frames of the whole 1280 x 1024
// screen fit on the 4 MB volume although one raw frame (5 MB) does not.
TEST_F(RecordingEnd, AVolumeSmallerThanARawFrameTakesCompressedFrames) {
  const wchar_t* drive = _wgetenv(L"RECORDER_SMALL_DRIVE");
  if (!drive) GTEST_SKIP() << "no small drive (RECORDER_SMALL_DRIVE) mapped";
  auto video1 = recorder::InstallBuiltinVideo1();
  cam.FCompressorIndex = -1;
  cam.FCompressorHandler = recorder::kDefaultCompressor;
  const std::wstring file = std::wstring(drive) + L"screen.avi";
  MessageBoxRecorder boxes;
  form->Hide();
  cam.StartRecording(nullptr, file);
  ASSERT_TRUE(Finished(60000)) << "the recording ends by itself";
  ExpectNotice(boxes, kDiskFullText);
  EXPECT_GT(cam.FFramesWritten, 0);
  KeepForProbe(file, L"full_disk_video1.avi", "msvideo1", cam.FFrameWidth, cam.FFrameHeight);
}

// Fills the volume of `drive` with the file `filler` up to its last byte, or up to `leave` bytes.
void FillVolume(const std::wstring& drive, const std::wstring& filler, std::uint64_t leave = 0) {
  HANDLE h = ::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ULARGE_INTEGER free{};
  ::GetDiskFreeSpaceExW(drive.c_str(), &free, nullptr, nullptr);
  ASSERT_GT(free.QuadPart, leave);
  std::vector<char> block(static_cast<size_t>(free.QuadPart - leave), 0);
  DWORD written = 0;
  if (leave > 0)
    ::WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  else
    for (size_t bytes = block.size(); bytes > 0; bytes /= 2)
      while (::WriteFile(h, block.data(), static_cast<DWORD>(bytes), &written, nullptr) &&
             written == bytes) {
      }
  ::CloseHandle(h);
}

// The disk fills up from outside while the recording's thread waits between two frames, so that
// its close cannot write the index: the notice tells that the file waits, not that it was saved,
// the journal stays, and once there is room the next start mends the file.
TEST_F(RecordingEnd, ACloseThatFailsOnAFullDiskKeepsTheTake) {
  const wchar_t* drive = _wgetenv(L"RECORDER_SMALL_DRIVE");
  if (!drive) GTEST_SKIP() << "no small drive (RECORDER_SMALL_DRIVE) mapped";
  auto video1 = recorder::InstallBuiltinVideo1();
  cam.FCompressorIndex = -1;
  cam.FCompressorHandler = recorder::kDefaultCompressor;
  const std::wstring file = std::wstring(drive) + L"take.avi", filler = std::wstring(drive) + L"f";
  MessageBoxRecorder boxes;
  Start(file);
  // More slots than one page of the volume holds index entries of.
  ASSERT_TRUE(PumpUntil([this] { return cam.FFrameIndex > 400; }, 60000));
  const HANDLE worker = cam.FWorker->Handle();
  ::SuspendThread(worker);
  FillVolume(drive, filler);
  ::ResumeThread(worker);
  ASSERT_TRUE(Finished(20000)) << "the recording ends by itself";
  const auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            L"The disk is almost full, so the recording was stopped.\n\nThe file \"" + file +
                L"\" cannot be reached or written now, so whether it was finished "
                L"could not be checked. Its frames are kept: the program checks the "
                L"file, and mends it if need be, at its next start once the file can "
                L"be reached again.");
  ::DeleteFileW(filler.c_str());
  const auto mended = recorder::MendUnfinishedRecordings(cam.JournalFolder);
  ASSERT_EQ(mended.size(), 1u) << "the journal stayed";
  EXPECT_EQ(mended[0].state, recorder::MendState::Mended);
  EXPECT_EQ(mended[0].frames, cam.FFramesWritten);
  KeepForProbe(file, L"full_disk_failed_close.avi", "msvideo1", cam.FFrameWidth, cam.FFrameHeight);
}

// With sound the room check counts the sound too: 48,000 Hz stereo beside 16 x 16 frames two a
// second (the sound is nearly all of the file, 96 KB between two frames) fills the last megabyte
// of the volume, and the recording stops with the full disk's notice, every frame and its sound
// saved.
TEST_F(RecordingEnd, AFullDiskWithSoundKeepsRoomForTheSound) {
  const wchar_t* drive = _wgetenv(L"RECORDER_SMALL_DRIVE");
  if (!drive) GTEST_SKIP() << "no small drive (RECORDER_SMALL_DRIVE) mapped";
  RecordSound();
  cam.Sound.rate = 48000;
  cam.FMsPerFrame = 500;
  const std::wstring file = std::wstring(drive) + L"sound.avi", filler = std::wstring(drive) + L"f";
  FillVolume(drive, filler, 1 << 20);
  engine_tests::AreaControl small{0, 0, 16, 16};
  MessageBoxRecorder boxes;
  Start(file, &small);
  ASSERT_TRUE(Finished(60000)) << "the recording ends by itself";
  ExpectNotice(boxes, kDiskFullText);
  EXPECT_GT(cam.FFramesWritten, 3);
  KeepForProbe(file, L"full_disk_sound.avi", "rawvideo", 16, 16);
  ::DeleteFileW(filler.c_str());
}

// The disk fills up from outside between two frames of a recording with sound: the recording
// stops, and its file, mended at the next start where its close could not finish it, has both
// streams, the sound as long as the picture (what the sound holds back at the end aside).
TEST_F(RecordingEnd, AFailedSoundWriteKeepsBothStreams) {
  const wchar_t* drive = _wgetenv(L"RECORDER_SMALL_DRIVE");
  if (!drive) GTEST_SKIP() << "no small drive (RECORDER_SMALL_DRIVE) mapped";
  RecordSound();
  const std::wstring file = std::wstring(drive) + L"cut.avi", filler = std::wstring(drive) + L"f";
  engine_tests::AreaControl small{0, 0, 32, 32};
  MessageBoxRecorder boxes;
  Start(file, &small);
  // Past the first seconds, in which a sound server may not deliver yet.
  ASSERT_TRUE(PumpUntil([this] { return cam.FFrameIndex > 200; }, 20000));
  const HANDLE worker = cam.FWorker->Handle();
  ::SuspendThread(worker);
  FillVolume(drive, filler);
  ::ResumeThread(worker);
  ASSERT_TRUE(Finished(20000)) << "the recording ends by itself";
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  std::printf("the end said: %s\n", fw::WideToUtf8(boxes.Boxes()[0].text).c_str());
  ::DeleteFileW(filler.c_str());
  recorder::MendUnfinishedRecordings(cam.JournalFolder);
  KeepForProbe(file, L"full_disk_sound_cut.avi", "rawvideo", 32, 32, {{"sound_short_ms", "1400"}});
}

// A sound source that cannot be opened (a microphone unplugged since it was chosen) is named and
// the user asked: No records nothing and brings the main window back; Yes records the picture
// alone, at the speed it was recorded as with sound.
TEST_F(RecordingEnd, ASoundSourceThatCannotBeOpenedAsksWhetherToRecordWithoutSound) {
  RecordSound({recorder::TSoundSourceKind::Device, 0, L"Unplugged Microphone", 2});
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"unopened.avi");
  ::DeleteFileW(file.c_str());
  MessageBoxRecorder boxes(IDNO);
  Start(file);
  ASSERT_TRUE(Finished(10000));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  const auto asked = boxes.Boxes()[0];
  EXPECT_TRUE(asked.text.starts_with(L"The sound source \"Unplugged Microphone\" cannot be "))
      << fw::WideToUtf8(asked.text);
  EXPECT_TRUE(asked.text.ends_with(L"\n\nRecord without sound?")) << fw::WideToUtf8(asked.text);
  EXPECT_EQ(asked.type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "no file";
  EXPECT_TRUE(::IsWindowVisible(form->Handle())) << "the main window is back";

  boxes.SetAnswer(IDYES);
  Start(file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 20; }, 10000));
  cam.StopRecording();
  ASSERT_TRUE(Finished(10000));
  EXPECT_EQ(boxes.Boxes().size(), 2u) << "the question again, and nothing more";
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));
  KeepForProbe(file, L"without_sound.avi", "rawvideo", 160, 120, {{"streams", "1"}, {"sound", ""}});
}

// Has with_sound.sh unplug or plug the sound server's sink and its monitor; true once done.
bool SoundDevice(const std::string& request, const std::string& done) {
  const wchar_t* path = _wgetenv(L"RECORDER_SOUND_DEVICE");
  if (!path) return false;
  std::ofstream(path) << request << "\n";
  return PumpUntil(
      [&] {
        std::string state;
        std::ifstream(path) >> state;
        return state == done;
      },
      10000);
}

// The input goes away two and a half seconds into a recording: the picture is recorded on, the
// sound is silent from the moment it stopped to the end (as long as the picture), and the end
// says so. (What the device still held when it went is lost with it, so that the last sound can
// lie a little before the moment it went: half a second keeps the notice's whole seconds at 0:02.)
TEST_F(RecordingEnd, ASoundDeviceThatGoesAwayLeavesThePictureRecordingAndTheSoundSilent) {
  if (!_wgetenv(L"RECORDER_SOUND_DEVICE")) GTEST_SKIP() << "run through with_sound.sh";
  RecordSound();
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"sound_lost.avi");
  MessageBoxRecorder boxes;
  Start(file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FFrameIndex >= 125; }, 20000));
  const std::int64_t unplugged = cam.FFrameIndex;
  const bool gone = SoundDevice("unplug", "unplugged");
  // The capture tells a device gone from a slow one after three seconds without sound.
  PumpUntil([&] { return cam.FFrameIndex > unplugged + 300; }, 30000);
  cam.StopRecording();
  ASSERT_TRUE(Finished(10000));
  ASSERT_TRUE(SoundDevice("plug", "plugged")) << "the sink is back for the tests after this";
  ASSERT_TRUE(gone);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].text.find(L"The sound source \"默认设备\" stopped delivering sound "
                                       L"0:02 into the recording; the picture was recorded on, "
                                       L"the sound is silent from there."),
            std::wstring::npos)
      << fw::WideToUtf8(boxes.Boxes()[0].text);
  KeepForProbe(file, L"sound_lost.avi", "rawvideo", 160, 120,
               {{"silent_from_ms", std::to_string(unplugged * 20)}});
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
  // The file cannot be checked where it was: its journal stays for the next start, and nothing
  // is said to be saved.
  ExpectNotice(boxes, L"The folder of the recording can no longer be reached, so the recording "
                      L"was stopped.\n\nThe file \"" +
                          folder +
                          L"\\clip.avi\" cannot be reached or written now, so whether it was "
                          L"finished could not be checked. Its frames are kept: the program "
                          L"checks the file, and mends it if need be, at its next start once the "
                          L"file can be reached again.");
  WIN32_FIND_DATAW found{};
  const std::wstring journals = cam.JournalFolder + L"\\*.journal";
  HANDLE search = ::FindFirstFileW(journals.c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "the journal waits";
  do
    ::DeleteFileW((cam.JournalFolder + L"\\" + found.cFileName).c_str());
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
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
  cam.OnFinished = [&](fw::TObject*) { ++finished; };
  ::PostMessageW(form->Handle(), WM_HOTKEY, static_cast<WPARAM>(form->HotKeys->Id(1)),
                 MAKELPARAM(0, VK_F4));
  ::PostMessageW(form->Button1->Handle(), BM_CLICK, 0, 0);
  ::PostMessageW(form->Button2->Handle(), BM_CLICK, 0, 0);
  ::PostMessageW(form->Button3->Handle(), BM_CLICK, 0, 0); // the settings dialog is gone by then
  form.reset();
  EXPECT_EQ(finished, 1) << "the worker ended while messages were served";
  EXPECT_EQ(dialogs, 0) << "no save dialog during shutdown";
}

// Started with F4, a recording shows the program's icon in the notification area, whose tip says
// how to stop; a click on it stops the recording and brings the window back; the icon goes with
// the recording. The icon speaks the shell's version 4: a click comes as the button's release and
// then NIN_SELECT, which alone stops; the keyboard's choice and menu key mean the same as the
// mouse's, the menu placed where the shell says.
TEST_F(RecordingEnd, TheNotificationAreaIconStopsTheRecording) {
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"tray.avi");
  cam.FMsPerFrame = 400; // the whole screen, uncompressed
  form->Show();
  StartWithF4(file);
  ASSERT_TRUE(cam.FRecording);
  EXPECT_FALSE(::IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->TrayIcon.Visible());
  EXPECT_EQ(form->TrayIcon.Tip(), L"栎澜屏幕录像正在录制：单击此图标或按 F5 停止");
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 1; }, 10000));
  // A shell that did not take version 4 sends the mouse messages alone.
  const bool version4 = form->TrayIcon.SpeaksVersion4();
  EXPECT_TRUE(version4);
  const WPARAM anchor = MAKEWPARAM(1200, 1000);
  if (version4) {
    const fw::TTrayRequest key = form->TrayIcon.Request(anchor, MAKELPARAM(NIN_KEYSELECT, 1));
    const fw::TTrayRequest menu = form->TrayIcon.Request(anchor, MAKELPARAM(WM_CONTEXTMENU, 1));
    EXPECT_EQ(key.action, fw::TTrayAction::Choose);
    EXPECT_EQ(menu.action, fw::TTrayAction::Menu);
    EXPECT_EQ(menu.at.x, 1200);
    EXPECT_EQ(menu.at.y, 1000);
    ::SendMessageW(form->Handle(), app::TForm1::kTrayMessage, anchor, MAKELPARAM(WM_LBUTTONUP, 1));
    EXPECT_TRUE(cam.FRecording) << "the release is followed by NIN_SELECT";
    ::SendMessageW(form->Handle(), app::TForm1::kTrayMessage, anchor, MAKELPARAM(NIN_SELECT, 1));
  } else {
    ::SendMessageW(form->Handle(), app::TForm1::kTrayMessage, 1, WM_LBUTTONUP);
  }
  EXPECT_FALSE(cam.FRecording);
  EXPECT_TRUE(::IsWindowVisible(form->Handle()));
  ASSERT_TRUE(Finished(10000));
  EXPECT_FALSE(form->TrayIcon.Visible());
  KeepForProbe(file, L"tray.avi", "rawvideo", cam.FFrameWidth, cam.FFrameHeight);
}

// F4 while the last recording is still being closed (its last frame takes 1.5 s to compress):
// the start waits for it, and the new recording runs; the window never hides with nothing
// recording.
TEST_F(RecordingEnd, AStartWhileTheLastRecordingIsClosedWaitsForIt) {
  testing_support::ScopedTestCodec slow({.compressMs = 1500});
  ASSERT_TRUE(engine_tests::ChooseTestCodec(cam));
  int starts = 0;
  cam.FOnStart = [&](fw::TObject*) { ++starts; };
  Start(testing_support::ArtifactPath(L"forms", L"closing.avi"));
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 0; }, 10000));
  ::SendMessageW(form->Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F5));
  ASSERT_TRUE(cam.FWorker) << "still closing";
  const std::wstring next = testing_support::ArtifactPath(L"forms", L"next.avi");
  ::DeleteFileW(next.c_str());
  StartWithF4(next);
  EXPECT_TRUE(cam.FRecording) << "the second recording runs";
  EXPECT_FALSE(::IsWindowVisible(form->Handle()));
  ASSERT_TRUE(PumpUntil([&] { return starts == 2 && cam.FFramesWritten > 0; }, 10000));
  cam.StopRecording();
  ASSERT_TRUE(Finished(10000));
  EXPECT_NE(::GetFileAttributesW(next.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Log-off or shutdown during a recording: the session's end messages stop it and finish the file
// before the system may end the program.
TEST_F(RecordingEnd, TheSessionsEndFinishesTheFile) {
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"session.avi");
  Start(file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 2; }, 10000));
  EXPECT_EQ(::SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_TRUE(cam.FRecording) << "the session may still be kept";
  ::SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(cam.FWorker, nullptr) << "the file is finished when the message returns";
  KeepForProbe(file, L"session_end.avi");
}

BOOL CALLBACK FindVisibleDialog(HWND wnd, LPARAM data) {
  auto& [wanted, hit] = *reinterpret_cast<std::pair<std::wstring, HWND>*>(data);
  wchar_t cls[16] = {}, text[64] = {};
  ::GetClassNameW(wnd, cls, 16);
  ::GetWindowTextW(wnd, text, 64);
  if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(wnd) && wanted == text) hit = wnd;
  return TRUE;
}

// The visible dialog of this thread with the caption, or null.
HWND FindDialog(const std::wstring& caption) {
  std::pair<std::wstring, HWND> found{caption, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

// What became of a session's end that came while a message box of the recording was open.
struct EndInBox {
  bool finished = false; // the handler returned and the box is gone
  bool boxShown = false;
  LRESULT query = FALSE;   // the answer to WM_QUERYENDSESSION
  bool workerGone = false; // the worker had ended when WM_ENDSESSION returned
};

// Runs `prepare`; once a box of the recording captioned `caption` is open, runs `before` and ends
// the session with the system's two messages, from inside the box's own message loop, as a
// log-off does. The boxes are real ones (the test run otherwise answers boxes by itself); a hang
// ends the process.
EndInBox EndSessionInBox(app::TForm1& form, const std::wstring& caption,
                         const std::function<void()>& prepare,
                         const std::function<void()>& before) {
  struct RealBoxes {
    fw::MessageBoxHandler answering = fw::SetMessageBoxHandler({});
    ~RealBoxes() { fw::SetMessageBoxHandler(answering); }
  } realBoxes;
  fw::KernelHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread watchdog([event = done.get()] {
    if (::WaitForSingleObject(event, 30000) == WAIT_OBJECT_0) return;
    std::fprintf(stderr, "The session's end waits for a message box: it hangs.\n");
    ::ExitProcess(1);
  });
  EndInBox result;
  HWND box = nullptr;
  bool ended = false;
  fw::TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](fw::TObject*) {
    if (box || !(box = FindDialog(caption))) return;
    result.boxShown = true;
    before();
    result.query = ::SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    ::SendMessageW(form.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    result.workerGone = form.ScreenCam->FWorker == nullptr;
    ended = true;
  };
  prepare();
  result.finished = PumpUntil([&] { return ended && !::IsWindow(box); }, 20000);
  ::SetEvent(done.get());
  watchdog.join();
  return result;
}

// The session ends while the offer of the default compressor is open, whose answer the worker
// waits for: the end-session messages return with the worker ended, and the box goes; nothing
// waits for the user.
TEST_F(RecordingEnd, TheSessionsEndDoesNotWaitForAnOpenMessageBox) {
  testing_support::ScopedTestCodec failing({.failCompress = true});
  ASSERT_TRUE(engine_tests::ChooseTestCodec(cam));
  Start(testing_support::ArtifactPath(L"forms", L"asked.avi"));
  const EndInBox end = EndSessionInBox(
      *form, L"Notice", [] {}, [] {});
  ASSERT_TRUE(end.finished) << (end.boxShown ? "the box stays open" : "no box was shown");
  EXPECT_EQ(end.query, TRUE);
  EXPECT_TRUE(end.workerGone) << "the worker ended while the box was open";
  EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler) << "answered No";
}

// The session ends while "Error capturing a frame!" is open in the middle of a recording (no
// memory is left for a frame): the file, with the frames before the error, is finished and
// readable.
TEST_F(RecordingEnd, TheSessionsEndFinishesTheFileWhileACaptureErrorIsOpen) {
  if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit address space cannot be used up";
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"capture_error.avi");
  engine_tests::AreaControl big{0, 0, 800, 600};
  form->Show();
  form->Hide();
  cam.StartRecording(&big, file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FFramesWritten > 2; }, 10000));
  // Frames of this size (over a megabyte) come from the address space itself, which is taken
  // up then in pieces down to a megabyte: what is left still holds the small allocations of the
  // process (its X connection's among them), but no frame. The recording is paused meanwhile, so
  // that no grab is under way (a screen read whose reply finds no room ends the X connection):
  // the first grab after the resume finds no room for its bitmap.
  std::vector<void*> taken;
  auto takeAll = [&] {
    cam.PauseRecording(true);
    EXPECT_TRUE(PumpUntil([this] { return cam.Paused(); }, 5000));
    for (SIZE_T size = 64u << 20; size >= (1u << 20); size /= 2)
      while (void* p = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
        taken.push_back(p);
    cam.PauseRecording(false);
  };
  auto giveBack = [&] {
    for (void* p : taken)
      ::VirtualFree(p, 0, MEM_RELEASE);
    taken.clear();
  };
  const EndInBox end = EndSessionInBox(*form, L"Error", takeAll, giveBack);
  giveBack();
  ASSERT_TRUE(end.finished) << (end.boxShown ? "the box stays open" : "no box was shown");
  EXPECT_TRUE(end.workerGone) << "the file was finished while the box was open";
  KeepForProbe(file, L"capture_error_session.avi", "rawvideo", 800, 600);
}

// Another program holds F5 when the program starts: a notice, owned by the main window and on
// top, names the key and says how to stop instead; the icon's tip does not offer F5.
TEST(StartUpNotices, AHotKeyAnotherProgramHoldsIsNamed) {
  ASSERT_TRUE(::RegisterHotKey(nullptr, 0x3005, 0, VK_F5));
  app::TForm1 form(nullptr);
  MessageBoxRecorder boxes;
  form.ShowStartUpNotices();
  ::UnregisterHotKey(nullptr, 0x3005);
  EXPECT_TRUE(form.HotKeys->Registered(1));
  EXPECT_FALSE(form.HotKeys->Registered(2));
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"The key F5 could not be registered: another program is using it. To "
                           L"stop a recording, click the recorder's icon in the notification "
                           L"area, or start the program again to bring its window back.");
  EXPECT_EQ(shown[0].owner, form.Handle());
  EXPECT_EQ(shown[0].type,
            static_cast<UINT>(MB_ICONEXCLAMATION | recorder::TScreenCam::kMessageOnTop));
}

} // namespace
