// The main window's handlers with a real engine: hot-key messages click the buttons, the stop
// button shows the window, closing releases the hot keys.
#include "app/Unit1.h"
#include "app/woxhotkey.h"
#include "framework/bitmap.h"
#include "framework/timer.h"
#include "recorder/scrcam.h"
#include "tests/windows/forms/forms_test_util.h"
#include "tests/windows/support/test_codec.h"
#include "tests/windows/support/test_support.h"

#include <commdlg.h>
#include <dlgs.h>
#include <vfw.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MainWindow, CreationMakesTheEngineAndRegistersF4F5AndF6) {
  auto form = std::make_unique<app::TForm1>(nullptr);
  ASSERT_TRUE(form->ScreenCam);
  ASSERT_TRUE(form->HotKeys);
  EXPECT_EQ(form->HotKeys->Count(), 3);
  EXPECT_FALSE(::RegisterHotKey(nullptr, 0x2000, 0, VK_F4)) << "F4 is taken";
  EXPECT_FALSE(::RegisterHotKey(nullptr, 0x2001, 0, VK_F5)) << "F5 is taken";
  EXPECT_FALSE(::RegisterHotKey(nullptr, 0x2002, 0, VK_F6)) << "F6 is taken";
  form.reset();
  EXPECT_TRUE(::RegisterHotKey(nullptr, 0x2000, 0, VK_F4)) << "released on destruction";
  EXPECT_TRUE(::RegisterHotKey(nullptr, 0x2001, 0, VK_F5));
  EXPECT_TRUE(::RegisterHotKey(nullptr, 0x2002, 0, VK_F6));
  for (int id : {0x2000, 0x2001, 0x2002})
    ::UnregisterHotKey(nullptr, id);
}

// The program's icon (drawn at build time in the skin's colours) reaches every form: as the
// window's icons, which the task bar and the skinned caption's icon button ask for, and as the
// class icon. Its small image shows the red recording dot on the blue-captioned window.
TEST(MainWindow, FormsCarryTheProgramIcon) {
  app::TForm1 form(nullptr);
  HWND wnd = form.Handle();
  const auto icon = [&](WPARAM which) {
    return reinterpret_cast<HICON>(::SendMessageW(wnd, WM_GETICON, which, 0));
  };
  ASSERT_NE(icon(ICON_BIG), nullptr);
  ASSERT_NE(icon(ICON_SMALL), nullptr);
  EXPECT_EQ(icon(ICON_SMALL), fw::ProgramIcon(true));
  EXPECT_NE(::GetClassLongPtrW(wnd, GCLP_HICON), 0);
  EXPECT_NE(::GetClassLongPtrW(wnd, GCLP_HICONSM), 0);
  const int size = ::GetSystemMetrics(SM_CXSMICON);
  fw::TBitmap picture(size, size, fw::TPixelFormat::pf32bit);
  picture.Fill(fw::kMagentaPixel);
  fw::DrawInto(picture, [&](HDC dc) {
    ::DrawIconEx(dc, 0, 0, icon(ICON_SMALL), size, size, 0, nullptr, DI_NORMAL);
  });
  EXPECT_EQ(picture.GetPixel(0, 0), fw::kMagentaPixel) << "the corners are transparent";
  const fw::Pixel centre = picture.GetPixel(size / 2, size / 2 + 1);
  EXPECT_GT(centre >> 16 & 0xFF, 180u) << std::hex << centre << ": the red recording dot";
  EXPECT_LT(centre >> 8 & 0xFF, 100u) << std::hex << centre;
  const fw::Pixel caption = picture.GetPixel(size / 2, size / 4);
  EXPECT_GT(caption & 0xFF, caption >> 16 & 0xFF) << std::hex << caption << ": a blue caption";
}

TEST(MainWindow, F5MessageClicksStopWhichShowsTheWindow) {
  app::TForm1 form(nullptr);
  form.Handle();
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
  int stops = 0;
  form.Button2->OnClick = [&](fw::TObject* sender) {
    ++stops;
    form.Button2Click(sender);
  };
  ::SendMessageW(form.Handle(), WM_HOTKEY, static_cast<WPARAM>(form.HotKeys->Id(2)),
                 MAKELPARAM(0, VK_F5));
  EXPECT_EQ(stops, 1);
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));
  EXPECT_FALSE(form.ScreenCam->FRecording);
  // With a modifier it is not our hot key: nothing is clicked.
  ::SendMessageW(form.Handle(), WM_HOTKEY, 0, MAKELPARAM(MOD_SHIFT, VK_F5));
  EXPECT_EQ(stops, 1);
}

TEST(MainWindow, F4MessageClicksStart) {
  app::TForm1 form(nullptr);
  form.Show();
  int starts = 0;
  form.Button1->OnClick = [&](fw::TObject*) { ++starts; };
  ::SendMessageW(form.Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F4));
  EXPECT_EQ(starts, 1);
}

BOOL CALLBACK FindVisibleDialog(HWND wnd, LPARAM data) {
  wchar_t cls[16] = {};
  ::GetClassNameW(wnd, cls, 16);
  if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(wnd)) {
    *reinterpret_cast<HWND*>(data) = wnd;
    return FALSE;
  }
  return TRUE;
}

// The save dialog of the thread, once it is open.
HWND FindSaveDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(MainWindow, CancellingTheSaveDialogLeavesTheWindowAndStartsNothing) {
  app::TForm1 form(nullptr);
  form.Show();
  bool cancelled = false;
  fw::TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](fw::TObject*) {
    if (HWND dialog = FindSaveDialog()) {
      timer.SetEnabled(false);
      cancelled = true;
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  };
  ::SendMessageW(form.Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F4));
  EXPECT_TRUE(cancelled) << "the save dialog was shown";
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));
  EXPECT_FALSE(form.ScreenCam->FRecording);
  EXPECT_FALSE(form.ScreenCam->FWorker);
}

// What closing the program does while a recording runs: the main window's destruction stops the
// recording, the engine finishes the file, and the hot keys are released.
TEST(MainWindow, ClosingWhileRecordingFinishesTheFileAndReleasesTheHotKeys) {
  testing_support::ScopedTestCodec codec;
  auto form = std::make_unique<app::TForm1>(nullptr);
  recorder::TScreenCam& cam = *form->ScreenCam;
  cam.ListCompressors();
  for (int i = 0; i < cam.FCompressorCount; ++i)
    if (cam.FCompressors[static_cast<size_t>(i)].fccHandler == testing_support::kTestCodecHandler)
      cam.FCompressorIndex = i;
  ASSERT_GE(cam.FCompressorIndex, 0);
  cam.FCompressorHandler = testing_support::kTestCodecHandler;
  cam.FShowFrame = false;
  cam.FMsPerFrame = 400;
  const std::wstring file = testing_support::ArtifactPath(L"forms", L"closed_while_recording.avi");
  ::DeleteFileW(file.c_str());
  cam.StartRecording(nullptr, file);
  testing_support::PumpFor(2000);
  ASSERT_TRUE(cam.FRecording);
  form.reset();

  ::AVIFileInit();
  PAVIFILE avi = nullptr;
  ASSERT_EQ(::AVIFileOpenW(&avi, file.c_str(), OF_READ, nullptr), 0) << "a finished, readable file";
  PAVISTREAM stream = nullptr;
  ASSERT_EQ(::AVIFileGetStream(avi, &stream, streamtypeVIDEO, 0), 0);
  EXPECT_GE(::AVIStreamLength(stream), 3) << "2 s at 400 ms per slot";
  ::AVIStreamRelease(stream);
  ::AVIFileRelease(avi);
  ::AVIFileExit();
  EXPECT_TRUE(::RegisterHotKey(nullptr, 0x2002, 0, VK_F4));
  ::UnregisterHotKey(nullptr, 0x2002);
  ::DeleteFileW(file.c_str());
}

// F4 while recording: the save dialog comes again and the window hides again, but the engine
// ignores the second start and goes on with the first file.
TEST(MainWindow, F4WhileRecordingAsksAgainButTheEngineIgnoresTheSecondStart) {
  testing_support::ScopedTestCodec codec;
  app::TForm1 form(nullptr);
  recorder::TScreenCam& cam = *form.ScreenCam;
  cam.FCompressorHandler = testing_support::kTestCodecHandler;
  cam.FMsPerFrame = 400;
  const std::wstring first = testing_support::ArtifactPath(L"forms", L"first.avi");
  const std::wstring second = testing_support::ArtifactPath(L"forms", L"second");
  ::DeleteFileW(first.c_str());
  ::DeleteFileW((second + L".avi").c_str());
  cam.StartRecording(nullptr, first);
  ASSERT_TRUE(cam.FRecording);
  recorder::TRecordAVIThread* worker = cam.FWorker;
  form.Show();

  bool answered = false;
  fw::TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](fw::TObject*) {
    if (HWND dialog = FindSaveDialog()) {
      timer.SetEnabled(false);
      answered = true;
      // The file name box of the dialog, then OK.
      ::SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(second.c_str()));
      ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
  };
  ::SendMessageW(form.Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F4));
  EXPECT_TRUE(answered) << "the save dialog was shown again";
  EXPECT_FALSE(::IsWindowVisible(form.Handle())) << "hidden again";
  EXPECT_EQ(form.SaveDialog1->FileName, second + L".avi") << "the dialog adds the extension";
  EXPECT_TRUE(cam.FRecording);
  EXPECT_EQ(cam.FWorker, worker) << "still the first recording";
  testing_support::PumpFor(500);
  ::SendMessageW(form.Handle(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F5));
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 10000));
  EXPECT_NE(::GetFileAttributesW(first.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(::GetFileAttributesW((second + L".avi").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no second file";
  ::DeleteFileW(first.c_str());
}

} // namespace
