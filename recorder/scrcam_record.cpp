// One recording run: version check, format frame, compressor check, AVI file and compressed
// stream, then the frame loop with time-based slots.
#include "recorder/scrcam.h"

#include "recorder/core/alignment.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/core/frame_layout.h"
#include "recorder/core/frame_timing.h"
#include "recorder/unfinished_recordings.h"

#include <mmsystem.h>

#include <algorithm>
#include <optional>
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

// Room AVIFile keeps for a file's headers before its first chunk (and more than it needs).
constexpr std::uint64_t kHeaderRoom = 4096;
// A failed free-space query is asked again after this pause.
constexpr DWORD kFreeSpaceRetryMs = 100;

// Why a frame loop ended.
enum class StopCause { Requested, DiskFull, TargetGone, NoFollowOnFile, WriteFailed };

const wchar_t* StopNotice(StopCause cause) {
  switch (cause) {
  case StopCause::DiskFull:
    return L"The disk is almost full, so the recording was stopped.";
  case StopCause::TargetGone:
    return L"The folder of the recording can no longer be reached, so the recording was stopped.";
  case StopCause::NoFollowOnFile:
    return L"The recording was stopped because its next file could not be created.";
  case StopCause::WriteFailed:
    return L"The recording was stopped because a frame could not be written or compressed.";
  default:
    return L"";
  }
}

// What the user is told when a recording ends by itself or before its first frame: why, and
// what the files hold.
std::wstring EndNotice(StopCause cause, std::int64_t frames) {
  if (frames == 0)
    return cause == StopCause::Requested
               ? L"Nothing was recorded: the recording was stopped before its first frame."
               : std::wstring(StopNotice(cause)) + L" Nothing was recorded.";
  if (cause == StopCause::TargetGone) return StopNotice(cause);
  return std::wstring(StopNotice(cause)) + L" Everything recorded until now has been saved.";
}

// The notice naming the files of a recording that went on in follow-on files.
std::wstring FilesNotice(const std::vector<std::wstring>& files) {
  std::wstring text = L"The recording was saved in " + std::to_wstring(files.size()) +
                      L" files, because one AVI file holds at most 2 GB:";
  for (const std::wstring& file : files)
    text += L"\n" + file;
  return text;
}

bool FileExists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The files of one recording: the AVI objects of the file being written (the file, its video
// stream and the compressed stream that feeds it), its journal, and the follow-on files the
// recording continues in.
class RecordingFiles {
public:
  RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate,
                 AVICOMPRESSOPTIONS& options, const std::wstring& journalFolder)
      : name_(name), folder_(FolderOf(name)), journalFolder_(journalFolder),
        format_(reinterpret_cast<const BYTE*>(format),
                reinterpret_cast<const BYTE*>(format) + format->biSize + 4 * format->biClrUsed),
        rate_(rate), options_(options) {}
  ~RecordingFiles() { Close(); }

  // Steps 7 to 10 for the first file; the first failing call's result.
  HRESULT Open() { return Open(name_); }

  // Whether the frame of `slot`, at most `frameBytes` long, may be written: the volume must
  // keep room to close the file after it, and the folder must still be there.
  StopCause CheckRoom(std::uint32_t frameBytes, std::int64_t slot) const {
    const std::optional<std::uint64_t> freeBytes =
        FreeBytesAskedTwice([this, asked = 0]() mutable -> std::optional<std::uint64_t> {
          if (asked++) ::Sleep(kFreeSpaceRetryMs);
          ULARGE_INTEGER bytes{};
          if (!::GetDiskFreeSpaceExW(folder_.empty() ? nullptr : folder_.c_str(), &bytes, nullptr,
                                     nullptr))
            return std::nullopt;
          return bytes.QuadPart;
        });
    if (!freeBytes) return StopCause::TargetGone;
    return FitsOnVolume(*freeBytes, frameBytes, slot - firstSlot_ + 1) ? StopCause::Requested
                                                                       : StopCause::DiskFull;
  }

  // Before the frame of `slot` would take the file past `limit`, closes it and opens the next
  // one, whose timeline starts with that frame. `lastSlot` was the last slot written. A next
  // file that cannot be made ends the recording: the files so far are complete.
  StopCause MakeRoom(std::uint32_t frameBytes, std::int64_t slot, std::int64_t lastSlot,
                     std::uint64_t limit) {
    if (FitsInFile(bytes_, frameBytes, slot - firstSlot_ + 1, limit)) return StopCause::Requested;
    // Slots left empty before this frame stay in the closing file's timeline.
    if (slot - 1 > lastSlot) {
      BYTE none = 0;
      ::AVIStreamWrite(plain_.get(), static_cast<LONG>(slot - 1 - firstSlot_), 1, &none, 0, 0,
                       nullptr, nullptr);
    }
    Close();
    firstSlot_ = slot;
    if (Open(NextFollowOnName(name_, part_, FileExists)) == AVIERR_OK) return StopCause::Requested;
    Close();
    return StopCause::NoFollowOnFile;
  }

  HRESULT Write(std::int64_t slot, const BYTE* data, std::uint32_t bytes) {
    const HRESULT result =
        ::AVIStreamWrite(compressed_.get(), static_cast<LONG>(slot - firstSlot_), 1,
                         const_cast<BYTE*>(data), static_cast<LONG>(bytes), 0, nullptr, nullptr);
    if (result == AVIERR_OK) {
      // What the compressor made of it, as AVIFile keeps it in its index: counted, so the file's
      // size need not be asked of the file system at every frame.
      LONG written = 0;
      AVIStreamSampleSize(plain_.get(), AVIStreamEnd(plain_.get()) - 1, &written);
      bytes_ += static_cast<std::uint64_t>(written > 0 ? written : bytes) + 1;
      journal_.FrameWritten(plain_.get());
    }
    return result;
  }

  // Released in the order file, stream, compressed stream; the file is written out when its
  // last reference goes, and its journal goes after it.
  void Close() {
    file_.reset();
    plain_.reset();
    compressed_.reset();
    journal_.Finish();
  }

  // The files made so far, the first one included.
  const std::vector<std::wstring>& Names() const { return names_; }

private:
  HRESULT Open(const std::wstring& partName) {
    const auto* format = reinterpret_cast<const BITMAPINFOHEADER*>(format_.data());
    HRESULT error = ::AVIFileOpenW(file_.out(), partName.c_str(), OF_WRITE | OF_CREATE, nullptr);
    if (error == AVIERR_OK) {
      names_.push_back(partName);
      AVISTREAMINFOW info{};
      info.fccType = kStreamTypeVideo;
      info.fccHandler = 0;
      info.dwScale = 1;
      info.dwRate = static_cast<DWORD>(rate_);
      info.dwSuggestedBufferSize = format->biSizeImage;
      ::SetRect(&info.rcFrame, 0, 0, format->biWidth, format->biHeight);
      error = ::AVIFileCreateStreamW(file_.get(), plain_.out(), &info);
    }
    if (error == AVIERR_OK)
      error = ::AVIMakeCompressedStream(compressed_.out(), plain_.get(), &options_, nullptr);
    if (error == AVIERR_OK)
      error = ::AVIStreamSetFormat(compressed_.get(), 0, format_.data(),
                                   static_cast<LONG>(format_.size()));
    if (error == AVIERR_OK) {
      bytes_ = kHeaderRoom + format_.size();
      journal_.Begin(journalFolder_, partName, plain_.get(), options_.fccHandler, format->biWidth,
                     format->biHeight);
    }
    return error;
  }

  const std::wstring name_, folder_, journalFolder_;
  std::vector<BYTE> format_; // header and colour table, for every file
  const int rate_;
  AVICOMPRESSOPTIONS& options_;
  vfw::AviFile file_;
  vfw::AviStream plain_, compressed_;
  RecordingJournal journal_;
  int part_ = 1;
  std::vector<std::wstring> names_;
  std::uint64_t bytes_ = 0;    // what the file being written takes so far, its index aside
  std::int64_t firstSlot_ = 0; // slot of the recording at position 0 of this file
};

} // namespace

// Tries the compressor on the format frame, then on the rectangle aligned to 2, 4 and 8. When
// one is accepted the rectangle and the frame size become the aligned ones; when none is, the
// format frame describes the unaligned rectangle again. False when a frame could not be captured.
bool TScreenCam::FitFormat(DWORD type, DWORD handler, RECT& rect, BITMAPINFOHEADER*& format,
                           bool& accepted) {
  accepted = false;
  vfw::Compressor compressor(type, handler, ICMODE_QUERY);
  if (!compressor) return true;
  if (compressor.Accepts(format)) {
    accepted = true;
    return true;
  }
  const int width = RectWidth(rect), height = RectHeight(rect);
  for (int alignment : {2, 4, 8}) {
    const int alignedWidth = AlignDimension(width, alignment, FScreenWidth);
    const int alignedHeight = AlignDimension(height, alignment, FScreenHeight);
    ReleaseFrame(format);
    format = CaptureFrame(rect.left, rect.top, alignedWidth, alignedHeight);
    if (!format) return false;
    if (compressor.Accepts(format)) {
      rect.right = rect.left + alignedWidth;
      rect.bottom = rect.top + alignedHeight;
      FFrameWidth = alignedWidth;
      FFrameHeight = alignedHeight;
      accepted = true;
      return true;
    }
  }
  ReleaseFrame(format);
  format = CaptureFrame(rect.left, rect.top, width, height);
  return format != nullptr;
}

// Makes sure the compressor that will record takes the format frame, aligning the size where it
// needs that; otherwise falls back to the default compressor, aligned for it in turn (Video 1
// takes only multiples of 4: a screen such as 1366 x 768 would otherwise fail to record), also on
// a retry and in later recordings after a fallback. False when a frame could not be captured.
bool TScreenCam::CheckCompressor(RECT& rect, BITMAPINFOHEADER*& format) {
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

int TScreenCam::RecordToFile(fw::TControl* Area, const std::wstring& FileName) {
  // 1. The screen as it is now (a resolution or depth change between recordings), and the
  // rectangle.
  ReadScreen();
  RECT rect = AreaRect(Area, FScreenWidth, FScreenHeight);
  FFrameWidth = RectWidth(rect);
  FFrameHeight = RectHeight(rect);
  FFilesWritten.clear();

  // 2. Video for Windows 1.10 or later.
  if (HIWORD(::VideoForWindowsVersion()) < 0x010A) {
    Ask(L"Failure: Video for Windows version too old!", L"Error", MB_ICONERROR);
    Raise(FOnError);
    return 0;
  }

  // 3-5. Format frame and compressor check (for the default compressor as well). A frame that
  // cannot be captured has been reported by the capture; AVIFile must never see a missing format.
  BITMAPINFOHEADER* format = CaptureFrame(rect.left, rect.top, FFrameWidth, FFrameHeight);
  if (!format || !CheckCompressor(rect, format)) {
    ReleaseFrame(format);
    Raise(FOnError);
    return 0;
  }

  // 6. Frame window.
  TRecordAVIThread* worker = FWorker;
  if (FShowFrame && worker)
    worker->ShowFrameAround(rect.left, rect.top, RectWidth(rect), RectHeight(rect));

  // 7-10. File, stream, compressed stream, format; the first failing call's result is kept.
  std::optional<vfw::AviLibrary> library;
  library.emplace();
  AVICOMPRESSOPTIONS options{};
  AVICOMPRESSOPTIONS* optionList[1] = {&options};
  options.fccType = kStreamTypeVideo;
  options.fccHandler = FCompressorHandler;
  options.dwKeyFrameEvery = static_cast<DWORD>(FKeyFrameEvery);
  options.dwQuality = static_cast<DWORD>(FQuality);
  options.dwBytesPerSecond = 0;
  options.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
  const std::uint32_t frameEstimate = FrameEstimate(format);
  std::optional<RecordingFiles> files;
  files.emplace(FileName, format, FPlaybackRate, options, FJournalFolder);
  HRESULT error = files->Open();
  ReleaseFrame(format);
  StopCause cause = StopCause::Requested;
  FFramesWritten = 0;

  if (error == AVIERR_OK) {
    // 11-13.
    const std::int32_t msPerFrame = FMsPerFrame > 0 ? FMsPerFrame : 1;
    Raise(FOnStart);
    std::uint64_t lastWritten = 0, lastUpdate = 0;
    SlotTracker slots;
    FLastInterval = 0;
    FDroppedFrames = 0;
    FStartTime = ::timeGetTime();
    RecordingClock clock(FStartTime);

    // 14. Frame loop.
    while (FRecording) {
      const std::uint64_t t = clock.Elapsed(::timeGetTime());
      BITMAPINFOHEADER* frame =
          CaptureFrame(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
      SlotTracker::Decision slot = slots.Next(t, msPerFrame);
      FFrameIndex = slot.slot;
      FDroppedFrames = slots.Dropped();
      if (frame && slot.write) {
        const std::uint32_t frameBytes = frameEstimate;
        // Stop while the file can still be closed; go on in a follow-on file before this one
        // would pass the size limit.
        cause = files->CheckRoom(frameBytes, slot.slot);
        if (cause == StopCause::Requested && FFramesWritten > 0)
          cause = files->MakeRoom(frameBytes, slot.slot, slots.LastSlot(), FFileSizeLimit);
        if (cause != StopCause::Requested) {
          ReleaseFrame(frame);
          break;
        }
        const BYTE* pixels =
            reinterpret_cast<const BYTE*>(frame) + frame->biSize + 4 * frame->biClrUsed;
        error = files->Write(slot.slot, pixels, frame->biSizeImage);
        if (error != AVIERR_OK) {
          ReleaseFrame(frame);
          // Frames written stay: the file is closed with them, never recorded over.
          if (FFramesWritten > 0) {
            cause = StopCause::WriteFailed;
            error = AVIERR_OK;
          }
          break;
        }
        ++FFramesWritten;
        FLastInterval = static_cast<double>(t - lastWritten);
        lastWritten = t;
        slots.Written(slot.slot);
      }
      ReleaseFrame(frame);

      if (t > lastUpdate + 500) {
        lastUpdate = t;
        Raise(FOnUpdate);
      }

      SleepPlan plan = PlanSleep(msPerFrame, clock.Elapsed(::timeGetTime()) - t);
      for (std::uint32_t i = 0; i < plan.slices && FRecording; ++i)
        ::Sleep(plan.slice);
      if (FRecording && plan.rest) ::Sleep(plan.rest);
    }
    // 15.
    Raise(FOnStop);
  }

  // 16. Clean-up.
  if (FShowFrame && worker) worker->HideFrame();
  ::AVISaveOptionsFree(1, optionList);
  FFilesWritten = files->Names();
  files.reset();
  library.reset();

  if (error == AVIERR_OK) {
    // A recording that stopped by itself says why, once its files are closed; one that holds
    // nothing says so (and leaves no empty file); one in several files names them.
    if (FFramesWritten == 0) {
      for (const std::wstring& name : FFilesWritten)
        ::DeleteFileW(name.c_str());
      FFilesWritten.clear();
    }
    if (cause != StopCause::Requested || FFramesWritten == 0)
      Notify(EndNotice(cause, FFramesWritten));
    if (FFilesWritten.size() > 1) Notify(FilesNotice(FFilesWritten));
    return 1;
  }

  // 17. Result: nothing was written (a file, stream or the first frame failed).
  Raise(FOnError);
  if (FCompressorHandler == kDefaultCompressor) {
    Ask(L"Error Creating AVI file", L"Error", MB_ICONEXCLAMATION);
    return 0;
  }
  int answer = Ask(L"Error recording AVI file using current compressor. Use default compressor? ",
                   L"Notice", MB_YESNO | MB_ICONEXCLAMATION);
  if (answer == IDYES) {
    UseDefaultCompressor();
    return -1;
  }
  return 0;
}

} // namespace recorder
