#include "recorder/scrcam.h"

#include "framework/application.h"
#include "framework/handles.h"
#include "framework/message_box.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/flashwnd.h"
#include "recorder/unfinished_recordings.h"

#include <exception>
#include <utility>

namespace recorder {

namespace {
constexpr COLORREF kCapturingColour = RGB(255, 255, 180);
constexpr COLORREF kIdleColour = RGB(0, 255, 80);

// The answer of a box that is not shown.
int UnshownAnswer(UINT type) {
  return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}
} // namespace

TScreenCam::TScreenCam(fw::TForm* owner)
    : FOwner(owner), FCompressorHandler(kDefaultCompressor),
      FCursorHandle(::LoadCursorW(nullptr, IDC_ARROW)), FFileSizeLimit(kAviFileSizeLimit),
      FJournalFolder(DefaultJournalFolder()) {
  ReadScreen();
  FFrameWnd = new TFlashingWnd(owner);
}

TScreenCam::~TScreenCam() {
  FinishForShutdown();
  delete FFrameWnd;
}

void TScreenCam::ReadScreen() {
  fw::WindowDC screen(nullptr);
  FBitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL);
  FScreenWidth = ::GetDeviceCaps(screen.get(), HORZRES);
  FScreenHeight = ::GetDeviceCaps(screen.get(), VERTRES);
}

bool TScreenCam::StartRecording(const TRecordArea& Area, const std::wstring& FileName) {
  if (FRecording || FWorker || FShuttingDown) return false;
  FRecordArea = Area;
  return StartRecording(nullptr, FileName);
}

bool TScreenCam::StartRecording(fw::TControl* Area, const std::wstring& FileName) {
  if (FRecording || FWorker || FShuttingDown) return false;
  FRecording = true;
  FPauseRequested = false;
  FPauseState = TPauseState::Recording;
  TRecordAVIThread* worker = nullptr;
  try {
    worker = new TRecordAVIThread(this, FileName, Area);
    worker->FreeOnTerminate = true;
    worker->OnTerminate = [this](fw::TObject* sender) { WorkerDone(sender); };
    FWorker = worker;
    worker->Start();
  } catch (const std::exception&) {
    // No thread: nothing may look as if a recording ran or is finishing.
    delete worker;
    FWorker = nullptr;
    FRecording = false;
    Ask(L"The recording could not be started: the system could not start its thread.", L"Error",
        MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

void TScreenCam::StopRecording() {
  FRecording = false;
}

void TScreenCam::PauseRecording(bool Paused) {
  if (FRecording) FPauseRequested = Paused;
}

void TScreenCam::WaitForWorker() {
  // The worker needs the main thread for its hand-offs and its completion hook, which clears
  // FWorker: keep serving messages until it has run.
  while (FWorker) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    if (fw::Application) fw::Application->ProcessMessages();
  }
}

void TScreenCam::FinishForShutdown() {
  // Messages served below may reach handlers that would start a recording on this engine.
  FShuttingDown = true;
  FRecording = false;
  WaitForWorker();
}

void TScreenCam::WorkerDone(fw::TObject*) {
  FRecording = false;
  FPauseRequested = false;
  // The next recording started with an area control or none takes the whole screen again.
  FRecordArea = {};
  FWorker = nullptr;
  Raise(FOnFinished);
  ShowNotices();
}

void TScreenCam::UseDefaultCompressor() {
  FCompressorHandler = kDefaultCompressor;
  FCompressorName = L"Default Compressor";
}

void TScreenCam::Raise(const fw::TNotifyEvent& event) {
  if (event) event(this);
}

int TScreenCam::Ask(const std::wstring& text, const std::wstring& caption, UINT type) {
  int answer = UnshownAnswer(type);
  auto show = [&] {
    if (FShuttingDown) return;
    HWND owner = FOwner && FOwner->HandleAllocated() ? FOwner->Handle() : nullptr;
    answer = fw::ShowMessageBox(owner, text, caption, type | kMessageOnTop);
  };
  if (fw::Application)
    fw::Application->Synchronize(show);
  else
    show();
  return answer;
}

void TScreenCam::Notify(const std::wstring& text) {
  if (fw::Application && !fw::Application->IsMainThread()) {
    std::lock_guard lock(FNoticesLock);
    FNotices.push_back(text);
    return;
  }
  Ask(text, L"Notice", MB_ICONEXCLAMATION);
}

void TScreenCam::ShowNotices() {
  std::vector<std::wstring> notices;
  {
    std::lock_guard lock(FNoticesLock);
    notices.swap(FNotices);
  }
  for (const std::wstring& text : notices)
    Ask(text, L"Notice", MB_ICONEXCLAMATION);
}

TRecordAVIThread::TRecordAVIThread(TScreenCam* cam, std::wstring fileName, fw::TControl* area)
    : FCam(cam), FFileName(std::move(fileName)), FArea(area) {}

void TRecordAVIThread::Execute() {
  while (FCam->Record(FArea, FFileName) == RecordResult::RetryWithDefault) {
  }
}

void TRecordAVIThread::MarkFrame(bool capturing) {
  FColour = capturing ? kCapturingColour : kIdleColour;
  Synchronize([this] { DoFillFrame(); });
}

void TRecordAVIThread::PlaceFrame(int left, int top, int width, int height) {
  FPlaceLeft = left;
  FPlaceTop = top;
  FPlaceWidth = width;
  FPlaceHeight = height;
  Synchronize([this] { DoPlaceFrame(); });
}

void TRecordAVIThread::ShowFrameAround(int left, int top, int width, int height) {
  FPlaceLeft = left;
  FPlaceTop = top;
  FPlaceWidth = width;
  FPlaceHeight = height;
  Synchronize([this] {
    if (!FCam->FRecording) return;
    DoPlaceFrame();
    FCam->FFrameWnd->Show();
  });
}

void TRecordAVIThread::HideFrame() {
  Synchronize([this] { FCam->FFrameWnd->Hide(); });
}

void TRecordAVIThread::DoFillFrame() {
  if (FCam->FRecording) FCam->FFrameWnd->FillWith(FColour);
}

void TRecordAVIThread::DoPlaceFrame() {
  if (FCam->FRecording)
    FCam->FFrameWnd->PlaceAround(FPlaceLeft, FPlaceTop, FPlaceWidth, FPlaceHeight);
}

} // namespace recorder
