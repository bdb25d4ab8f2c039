#include "recorder/scrcam.h"

#include "framework/application.h"
#include "framework/control.h"
#include "framework/handles.h"
#include "framework/message_box.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/flashwnd.h"
#include "recorder/unfinished_recordings.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <utility>

namespace recorder {

namespace {
constexpr COLORREF kCapturingColour = RGB(255, 255, 180);
constexpr COLORREF kIdleColour = RGB(0, 255, 80);

// The window class of dialogs, message boxes among them.
constexpr wchar_t kDialogClass[] = L"#32770";

// The answer of a box that is not shown.
int UnshownAnswer(UINT type) {
  return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}
} // namespace

TScreenCam::TScreenCam(fw::TForm* owner)
    : FOwner(owner), FCompressorHandler(kDefaultCompressor),
      FCursorHandle(::LoadCursorW(nullptr, IDC_ARROW)), FileSizeLimit(kAviFileSizeLimit),
      JournalFolder(DefaultJournalFolder()) {
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
  if (FRecording || FWorker || shuttingDown_) return false;
  recordArea_ = Area;
  return StartRecording(nullptr, FileName);
}

bool TScreenCam::StartRecording(fw::TControl* Area, const std::wstring& FileName) {
  if (FRecording || FWorker || shuttingDown_) return false;
  FRecording = true;
  pauseRequested_ = false;
  pauseState_ = TPauseState::Recording;
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
  if (FRecording) pauseRequested_ = Paused;
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
  shuttingDown_ = true;
  FRecording = false;
  // The worker may be waiting for a box whose message loop this very call runs in: it must not
  // wait for it, and the box goes once this returns.
  ::SetEvent(shutdownEvent_.get());
  CloseOpenBoxes();
  WaitForWorker();
}

void TScreenCam::WorkerDone(fw::TObject*) {
  FRecording = false;
  pauseRequested_ = false;
  // The next recording started with an area control or none takes the whole screen again.
  recordArea_ = {};
  FWorker = nullptr;
  Raise(OnFinished);
  ShowNotices();
}

void TScreenCam::UseDefaultCompressor() {
  FCompressorHandler = kDefaultCompressor;
  FCompressorName = L"Default Compressor";
}

void TScreenCam::Raise(const fw::TNotifyEvent& event) {
  if (event) event(this);
}

HWND TScreenCam::MessageOwner() const {
  return FOwner && FOwner->HandleAllocated() ? FOwner->Handle() : nullptr;
}

int TScreenCam::ShowBox(std::shared_ptr<OpenBoxes> open, HWND owner, const std::wstring& text,
                        const std::wstring& caption, UINT type) {
  OpenBox box{owner, caption, UnshownAnswer(type)};
  open->push_back(&box);
  const int answer = fw::ShowMessageBox(owner, text, caption, type | kMessageOnTop);
  std::erase(*open, &box);
  return answer;
}

int TScreenCam::Ask(const std::wstring& text, const std::wstring& caption, UINT type) {
  if (!fw::Application || fw::Application->IsMainThread())
    return shuttingDown_ ? UnshownAnswer(type)
                         : ShowBox(openBoxes_, MessageOwner(), text, caption, type);
  // From the worker. Once the shutdown has begun the box no longer starts (the engine is there
  // until then); one that is open keeps only what it shares.
  auto answer = std::make_shared<std::atomic<int>>(UnshownAnswer(type));
  auto show = [this, open = openBoxes_, answer, text, caption, type] {
    *answer = ShowBox(open, MessageOwner(), text, caption, type);
  };
  const bool answered = handOff_.Run(show, shutdownEvent_.get());
  return answered ? answer->load() : UnshownAnswer(type);
}

BOOL CALLBACK TScreenCam::CloseOpenBox(HWND wnd, LPARAM openBoxes) {
  wchar_t className[16] = {};
  ::GetClassNameW(wnd, className, 16);
  if (std::wstring(className) != kDialogClass) return TRUE;
  const std::wstring caption = fw::WindowText(wnd);
  for (const OpenBox* box : *reinterpret_cast<const OpenBoxes*>(openBoxes))
    if (::GetWindow(wnd, GW_OWNER) == box->owner && box->caption == caption) {
      ::EndDialog(wnd, box->unshownAnswer);
      break;
    }
  return TRUE;
}

void TScreenCam::CloseOpenBoxes() {
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseOpenBox,
                      reinterpret_cast<LPARAM>(openBoxes_.get()));
}

void TScreenCam::Notify(const std::wstring& text) {
  if (fw::Application && !fw::Application->IsMainThread()) {
    std::lock_guard lock(noticesLock_);
    notices_.push_back(text);
    return;
  }
  Ask(text, L"Notice", MB_ICONEXCLAMATION);
}

void TScreenCam::ShowNotices() {
  std::vector<std::wstring> notices;
  {
    std::lock_guard lock(noticesLock_);
    notices.swap(notices_);
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
