// One recording run, stage by stage (recorder/recording_run.h), and the compressor check that
// prepares its format.
#include "recorder/recording_run.h"

#include "recorder/core/alignment.h"
#include "recorder/core/capture_area.h"
#include "recorder/core/fourcc.h"
#include "recorder/screen_area.h"

#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace recorder {

namespace {

RECT AreaRect(fw::TControl* area, int screenWidth, int screenHeight) {
  if (area)
    return {area->Left(), area->Top(), area->Left() + area->Width(), area->Top() + area->Height()};
  return {0, 0, screenWidth, screenHeight};
}

int RectWidth(const RECT& r) {
  return r.right - r.left;
}
int RectHeight(const RECT& r) {
  return r.bottom - r.top;
}

// How often a paused recording looks for a resume or a stop.
constexpr std::uint32_t kPausePollMs = 20;

} // namespace

// Tries the compressor on the format frame, then on the rectangle aligned to 2, 4 and 8. When
// one is accepted the rectangle and the frame size become the aligned ones; when none is, the
// format frame describes the unaligned rectangle again. False when a frame could not be captured.
bool TScreenCam::FitFormat(DWORD type, DWORD handler, RECT& rect, FrameBlock& format,
                           bool& accepted) {
  accepted = false;
  vfw::Compressor compressor(type, handler, ICMODE_QUERY);
  if (!compressor) return true;
  if (compressor.Accepts(format.get())) {
    accepted = true;
    return true;
  }
  const int width = RectWidth(rect), height = RectHeight(rect);
  for (int alignment : {2, 4, 8}) {
    RECT aligned = {rect.left, rect.top, rect.left + AlignDimension(width, alignment, FScreenWidth),
                    rect.top + AlignDimension(height, alignment, FScreenHeight)};
    // A chosen area is aligned within the screen it lies on and stays on it.
    if (alignScreen_) aligned = ToRECT(AlignArea(ToRect(rect), alignment, *alignScreen_));
    format.reset();
    format = CaptureRect(aligned);
    if (!format) return false;
    if (compressor.Accepts(format.get())) {
      rect = aligned;
      FFrameWidth = RectWidth(aligned);
      FFrameHeight = RectHeight(aligned);
      accepted = true;
      return true;
    }
  }
  format.reset();
  format = FrameBlock(CaptureFrame(rect.left, rect.top, width, height));
  return static_cast<bool>(format);
}

// Makes sure the compressor that will record takes the format frame, aligning the size where it
// needs that; otherwise falls back to the default compressor, aligned for it in turn (Video 1
// takes only multiples of 4: a screen such as 1366 x 768 would otherwise fail to record), also on
// a retry and in later recordings after a fallback. False when a frame could not be captured.
bool TScreenCam::CheckCompressor(RECT& rect, FrameBlock& format) {
  if (FCompressorHandler == kNeverUsedCompressor) UseDefaultCompressor();
  DWORD type = kCompressorTypeVideo;
  const DWORD handler = FCompressorHandler;
  // The chosen entry names the compressor's type while the engine still records with it.
  if (FCompressorIndex >= 0 && FCompressorIndex < kMaxCompressors) {
    const ICINFO& entry = FCompressors[static_cast<size_t>(FCompressorIndex)];
    if (entry.fccHandler == handler) type = entry.fccType;
  }
  bool accepted = false;
  if (!FitFormat(type, handler, rect, format, accepted)) return false;
  // A default that takes nothing is reported when the stream is made.
  if (accepted || handler == kDefaultCompressor) return true;
  UseDefaultCompressor();
  return FitFormat(kCompressorTypeVideo, kDefaultCompressor, rect, format, accepted);
}

// The most one frame can take in the file: the compressor's own maximum where it tells one,
// else the raw frame.
std::uint32_t TScreenCam::FrameEstimate(const BITMAPINFOHEADER* format) const {
  vfw::Compressor compressor(kCompressorTypeVideo, FCompressorHandler, ICMODE_COMPRESS);
  if (compressor) {
    const LRESULT outputBytes = ICCompressGetFormatSize(compressor.get(), format);
    if (outputBytes >= static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)) && outputBytes < (1 << 20)) {
      std::vector<BYTE> output(static_cast<size_t>(outputBytes));
      auto* out = reinterpret_cast<BITMAPINFOHEADER*>(output.data());
      if (ICCompressGetFormat(compressor.get(), format, out) == ICERR_OK) {
        const LRESULT most = ICCompressGetSize(compressor.get(), format, out);
        if (most > 0) return static_cast<std::uint32_t>(most);
      }
    }
  }
  return format->biSizeImage;
}

FrameBlock TScreenCam::CaptureRect(const RECT& rect) {
  return FrameBlock(CaptureFrame(rect.left, rect.top, RectWidth(rect), RectHeight(rect)));
}

RecordResult TScreenCam::Record(fw::TControl* Area, const std::wstring& FileName) {
  return RecordingRun(*this, Area, FileName).Run();
}

int TScreenCam::RecordToFile(fw::TControl* Area, const std::wstring& FileName) {
  switch (Record(Area, FileName)) {
  case RecordResult::Written:
    return 1;
  case RecordResult::RetryWithDefault:
    return -1;
  default:
    return 0;
  }
}

RecordingRun::RecordingRun(TScreenCam& cam, fw::TControl* area, const std::wstring& fileName)
    : cam_(cam), area_(area), fileName_(fileName), worker_(cam.FWorker) {}

RecordResult RecordingRun::Run() {
  ReadScreenAndArea();
  if (!CheckVideoForWindows() || !PrepareFormat() || !OpenSound()) return RecordResult::Failed;
  ShowFrameWindow();
  const StopCause cause = OpenFiles() ? RecordFrames() : StopCause::FileFailed;
  CloseFiles();
  return ReportEnd(cause);
}

// The screen as it is now (a resolution or depth change between recordings), and the rectangle.
void RecordingRun::ReadScreenAndArea() {
  cam_.ReadScreen();
  rect_ = AreaRect(area_, cam_.FScreenWidth, cam_.FScreenHeight);
  cam_.alignScreen_.reset();
  if (!area_) {
    areaStage_.emplace(cam_.recordArea_, Rect{0, 0, cam_.FScreenWidth, cam_.FScreenHeight});
    rect_ = ToRECT(areaStage_->Current());
    cam_.alignScreen_ = areaStage_->Limit();
  }
  cam_.FFrameWidth = RectWidth(rect_);
  cam_.FFrameHeight = RectHeight(rect_);
  cam_.FilesWritten.clear();
}

// Video for Windows 1.10 or later.
bool RecordingRun::CheckVideoForWindows() {
  if (HIWORD(::VideoForWindowsVersion()) >= 0x010A) return true;
  cam_.Ask(L"Failure: Video for Windows version too old!", L"Error", MB_ICONERROR);
  cam_.Raise(cam_.FOnError);
  return false;
}

// The format frame and the compressor check (for the default compressor as well). A frame that
// cannot be captured has been reported by the capture; AVIFile must never see a missing format.
bool RecordingRun::PrepareFormat() {
  format_ = cam_.CaptureRect(rect_);
  if (format_ && cam_.CheckCompressor(rect_, format_)) {
    if (areaStage_) areaStage_->Fix(ToRect(rect_));
    return true;
  }
  format_.reset();
  cam_.Raise(cam_.FOnError);
  return false;
}

// The sound source the settings chose, opened beside the files. One that cannot be opened is
// named, and the user decides: recorded without sound, or not at all.
bool RecordingRun::OpenSound() {
  std::wstring error;
  if (sound_.Open(cam_.Sound, error)) return true;
  return cam_.Ask(error + L"\n\nRecord without sound?", L"Notice", MB_YESNO | MB_ICONEXCLAMATION) ==
         IDYES;
}

void RecordingRun::ShowFrameWindow() {
  if (cam_.FShowFrame && worker_)
    worker_->ShowFrameAround(rect_.left, rect_.top, RectWidth(rect_), RectHeight(rect_));
}

// The file, its stream, the compressed stream and the format; false when one of them failed.
bool RecordingRun::OpenFiles() {
  library_.emplace();
  options_.fccType = kStreamTypeVideo;
  options_.fccHandler = cam_.FCompressorHandler;
  options_.dwKeyFrameEvery = static_cast<DWORD>(cam_.FKeyFrameEvery);
  options_.dwQuality = static_cast<DWORD>(cam_.FQuality);
  options_.dwBytesPerSecond = 0;
  options_.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
  frameEstimate_ = cam_.FrameEstimate(format_.get());
  // With sound chosen the picture plays at the speed it was recorded: 1000 / interval frames a
  // second, also when the user records it without the sound that could not be opened.
  msPerFrame_ = cam_.FMsPerFrame > 0 ? cam_.FMsPerFrame : 1;
  const bool realTime = cam_.Sound.record;
  files_.emplace(fileName_, format_.get(), realTime ? 1000 : cam_.FPlaybackRate,
                 realTime ? msPerFrame_ : 1, options_, cam_.JournalFolder,
                 sound_.On() ? &sound_.StreamFormat() : nullptr);
  const HRESULT error = files_->Open();
  format_.reset();
  cam_.FFramesWritten = 0;
  return error == AVIERR_OK;
}

// Until the stop request, or until the files or the volume end the recording.
StopCause RecordingRun::RecordFrames() {
  cam_.Raise(cam_.FOnStart);
  StartTimeline();
  StopCause cause = StopCause::Requested;
  while (cam_.FRecording) {
    if (FollowPauseRequest()) {
      cause = WaitWhilePaused();
      if (cause != StopCause::None) break;
      continue;
    }
    cause = FollowArea();
    if (cause != StopCause::None) break;
    const std::uint64_t t = clock_->Elapsed(::timeGetTime());
    cause = RecordFrame(t);
    if (cause != StopCause::None) break;
    PlaceMarksAhead();
    ReportProgress(t);
    cause = WaitForNextSlot(t);
    if (cause != StopCause::None) break;
  }
  cam_.Raise(cam_.FOnStop);
  return cause == StopCause::None ? StopCause::Requested : cause;
}

void RecordingRun::StartTimeline() {
  lastUpdate_ = 0;
  slots_ = SlotTracker();
  cam_.FDroppedFrames = 0;
  cam_.FStartTime = ::timeGetTime();
  clock_.emplace(cam_.FStartTime);
  sound_.Start(cam_.FStartTime);
}

bool RecordingRun::FollowPauseRequest() {
  const DWORD now = ::timeGetTime();
  switch (PauseStepFor(cam_.pauseRequested_, clock_->State())) {
  case TPauseStep::Pause:
    // Picture and sound stop at this one reading: what the file holds ends here until the
    // resume, and the sound captured in between is dropped.
    clock_->Pause(now);
    sound_.Pause(now);
    cam_.pauseState_ = TPauseState::Paused;
    break;
  case TPauseStep::Resume:
    clock_->Resume(now);
    sound_.Resume(now);
    cam_.pauseState_ = TPauseState::Recording;
    break;
  default:
    break;
  }
  return clock_->State() == TPauseState::Paused;
}

// Nothing is captured while paused; a resume or a stop is seen within kPausePollMs. The sound
// device is still drained (what it hands over now is dropped), so that none of it waits to be
// taken as a backlog at the resume.
StopCause RecordingRun::WaitWhilePaused() {
  ::Sleep(std::min(SleepSlice(msPerFrame_), kPausePollMs));
  return sound_.Pump(*files_) == AVIERR_OK ? StopCause::None : StopCause::SoundWriteFailed;
}

StopCause RecordingRun::FollowArea() {
  if (!areaStage_) return StopCause::None;
  const std::optional<Rect> next = areaStage_->Next(msPerFrame_);
  if (!next) return StopCause::WindowClosed;
  rect_ = ToRECT(*next);
  return StopCause::None;
}

// One pass: the frame captured at t goes to the slot t falls into, when that slot is new.
StopCause RecordingRun::RecordFrame(std::uint64_t t) {
  const FrameBlock frame = cam_.CaptureRect(FrameRect());
  const SlotTracker::Decision slot =
      slots_.Next(t, msPerFrame_, sound_.On() ? SlotRule::Begun : SlotRule::Nearest);
  cam_.FFrameIndex = slot.slot;
  cam_.FDroppedFrames = slots_.Dropped();
  if (!frame || !slot.write) return StopCause::None;
  // Stop while the file can still be closed; go on in a follow-on file before this one would
  // pass the size limit.
  const std::uint32_t bytes = frameEstimate_ + SoundBytes();
  StopCause cause = files_->CheckRoom(bytes, slot.slot);
  if (cause == StopCause::None && cam_.FFramesWritten > 0)
    cause = files_->MakeRoom(bytes, slot.slot, slots_.LastSlot(), cam_.FileSizeLimit, [&] {
      // A failure here shows at the next write of the sound.
      sound_.EndFile(slot.slot, msPerFrame_, *files_);
    });
  if (cause != StopCause::None) return cause;
  if (files_->Write(slot.slot, frame.Pixels(), frame->biSizeImage) != AVIERR_OK)
    // Frames written stay: the file is closed with them, never recorded over.
    return cam_.FFramesWritten > 0 ? StopCause::WriteFailed : StopCause::FileFailed;
  ++cam_.FFramesWritten;
  slots_.Written(slot.slot);
  return sound_.Pump(*files_) == AVIERR_OK ? StopCause::None : StopCause::SoundWriteFailed;
}

// The grab places the marks around its own rectangle too (a window may have moved since), which
// is then where they already are.
void RecordingRun::PlaceMarksAhead() {
  if (!areaStage_ || !cam_.FShowFrame || !cam_.FFrameFollows || !worker_) return;
  const std::optional<Rect> ahead = areaStage_->Ahead(msPerFrame_);
  if (ahead && *ahead != ToRect(rect_))
    worker_->PlaceFrame(ahead->left, ahead->top, Width(*ahead), Height(*ahead));
}

std::uint32_t RecordingRun::SoundBytes() const {
  return sound_.BytesPerSlot(msPerFrame_) + sound_.BytesHeldBack();
}

void RecordingRun::ReportProgress(std::uint64_t t) {
  if (t <= lastUpdate_ + 500) return;
  lastUpdate_ = t;
  cam_.Raise(cam_.FOnUpdate);
}

// Sleeps in slices until the next slot, so that a stop or a pause request is seen within one
// slice: a pause cuts the picture and the sound where it was asked, not up to an interval later.
StopCause RecordingRun::WaitForNextSlot(std::uint64_t t) {
  if (sound_.On()) return WaitForSlotWithSound();
  const SleepPlan plan = PlanSleep(msPerFrame_, clock_->Elapsed(::timeGetTime()) - t);
  for (std::uint32_t i = 0; i < plan.slices && Waiting(); ++i)
    ::Sleep(plan.slice);
  if (Waiting() && plan.rest) ::Sleep(plan.rest);
  return StopCause::None;
}

bool RecordingRun::Waiting() const {
  return cam_.FRecording && PauseStepFor(cam_.pauseRequested_, clock_->State()) == TPauseStep::None;
}

// The clock is read again after every slice: the sound written between the slices takes time of
// its own, and the grab must begin when its slot does, not that much later. Once the slot is due
// the grab goes at once, the sound waiting until after it.
StopCause RecordingRun::WaitForSlotWithSound() {
  while (Waiting()) {
    const std::uint32_t ms = NextSleepToSlot();
    if (ms == 0) break;
    ::Sleep(ms);
    if (NextSleepToSlot() == 0) break;
    if (sound_.Pump(*files_) != AVIERR_OK) return StopCause::SoundWriteFailed;
  }
  return StopCause::None;
}

std::uint32_t RecordingRun::NextSleepToSlot() {
  constexpr std::uint32_t kMostSliceMs = 20;
  const SleepPlan plan = PlanSleepToSlot(msPerFrame_, clock_->Elapsed(::timeGetTime()),
                                         slots_.LastSlot(), kMostSliceMs);
  return plan.slices > 0 ? plan.slice : plan.rest;
}

void RecordingRun::CloseFiles() {
  if (cam_.FShowFrame && worker_) worker_->HideFrame();
  AVICOMPRESSOPTIONS* optionList[1] = {&options_};
  ::AVISaveOptionsFree(1, optionList);
  // The sound up to the picture's end, however the loop ended: nothing of it is lost that the
  // picture kept, and nothing captured after the stop (hiding the marks waits for the main
  // thread, which may take seconds) is added.
  if (files_)
    sound_.Finish(cam_.FFramesWritten > 0 ? slots_.LastSlot() + 1 : 0, msPerFrame_, *files_);
  files_->Close();
  cam_.FilesWritten = files_->Names();
  closeNotices_ = files_->CloseNotices();
  created_ = files_->Created();
  files_.reset();
  library_.reset();
}

// A recording that stopped by itself says why, once its files are closed; one that holds
// nothing says so (and leaves no empty file of its own making); one in several files names them.
RecordResult RecordingRun::ReportEnd(StopCause cause) {
  if (cause == StopCause::FileFailed) return ReportFailure();
  const std::int64_t frames = cam_.FFramesWritten;
  if (frames == 0) {
    RemoveCreatedFiles();
    cam_.FilesWritten.clear();
  }
  if (cause != StopCause::Requested || frames == 0 || !closeNotices_.empty())
    cam_.Notify(EndNotice(cause, frames, closeNotices_));
  if (frames > 0 && !sound_.Notice().empty()) cam_.Notify(sound_.Notice());
  if (cam_.FilesWritten.size() > 1) cam_.Notify(FilesNotice(cam_.FilesWritten));
  return RecordResult::Written;
}

// Nothing was written (a file, stream or the first frame failed).
RecordResult RecordingRun::ReportFailure() {
  cam_.Raise(cam_.FOnError);
  if (cam_.FCompressorHandler == kDefaultCompressor) {
    cam_.Ask(L"Error Creating AVI file", L"Error", MB_ICONEXCLAMATION);
    return RecordResult::Failed;
  }
  const int answer =
      cam_.Ask(L"Error recording AVI file using current compressor. Use default compressor? ",
               L"Notice", MB_YESNO | MB_ICONEXCLAMATION);
  if (answer != IDYES) return RecordResult::Failed;
  cam_.UseDefaultCompressor();
  // The retry makes the file again, as new as it was for this run.
  RemoveCreatedFiles();
  return RecordResult::RetryWithDefault;
}

// A file that had the name before the recording was the user's: it is never removed.
void RecordingRun::RemoveCreatedFiles() {
  for (const std::wstring& name : created_)
    ::DeleteFileW(name.c_str());
  created_.clear();
}

} // namespace recorder
