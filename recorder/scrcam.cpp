#include "recorder/scrcam.h"

#include "recorder/flashwnd.h"
#include "framework/application.h"
#include "framework/handles.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"

namespace recorder {

namespace {
constexpr COLORREF kCapturingColour = RGB(255, 255, 180);
constexpr COLORREF kIdleColour = RGB(0, 255, 80);
} // namespace

TScreenCam::TScreenCam(fw::TForm* owner)
    : FOwner(owner), FCompressorHandler(kDefaultCompressor),
      FCursorHandle(::LoadCursorW(nullptr, IDC_ARROW)), FFileSizeLimit(kAviFileSizeLimit) {
  fw::WindowDC screen(nullptr);
  FBitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL);
  FScreenWidth = ::GetDeviceCaps(screen.get(), HORZRES);
  FScreenHeight = ::GetDeviceCaps(screen.get(), VERTRES);
  FFrameWnd = new recorder::TFlashingWnd(owner);
}

TScreenCam::~TScreenCam() {
  // Messages served below may reach handlers that would start a recording on this engine.
  FShuttingDown = true;
  if (FWorker) {
    FRecording = false;
    // The worker needs the main thread for its hand-offs and its completion hook, which clears
    // FWorker: keep serving messages until it has run.
    while (FWorker) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      if (fw::Application) fw::Application->ProcessMessages();
    }
  }
  delete FFrameWnd;
}

void TScreenCam::StartRecording(fw::TControl* Area, const std::wstring& FileName) {
  if (FRecording || FWorker || FShuttingDown) return;
  FRecording = true;
  auto* worker = new TRecordAVIThread(this, FileName, Area);
  worker->FreeOnTerminate = true;
  worker->OnTerminate = [this](fw::TObject* sender) { WorkerDone(sender); };
  FWorker = worker;
  worker->Start();
}

void TScreenCam::StopRecording() {
  FRecording = false;
}

void TScreenCam::WorkerDone(fw::TObject*) {
  FRecording = false;
  FWorker = nullptr;
  Raise(FOnFinished);
}

void TScreenCam::UseDefaultCompressor() {
  FCompressorHandler = kDefaultCompressor;
  FCompressorName = L"Default Compressor";
}

void TScreenCam::Raise(const fw::TNotifyEvent& event) {
  if (event) event(this);
}

TRecordAVIThread::TRecordAVIThread(TScreenCam* cam, std::wstring fileName, fw::TControl* area)
    : FCam(cam), FFileName(std::move(fileName)), FArea(area) {}

void TRecordAVIThread::Execute() {
  while (FCam->RecordToFile(FArea, FFileName) == -1) {
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
