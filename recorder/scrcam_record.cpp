// One recording run: version check, format frame, compressor check, AVI file and compressed
// stream, then the frame loop with time-based slots.
#include "recorder/scrcam.h"

#include "recorder/flashwnd.h"
#include "framework/message_box.h"
#include "recorder/core/alignment.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/core/frame_layout.h"
#include "recorder/core/frame_timing.h"

#include <mmsystem.h>

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

// Why a frame loop ended.
enum class StopCause { Requested, DiskFull, TargetGone, NoFollowOnFile };

const wchar_t* StopNotice(StopCause cause) {
  switch (cause) {
  case StopCause::DiskFull:
    return L"The disk is almost full, so the recording was stopped. Everything recorded until "
           L"now has been saved.";
  case StopCause::TargetGone:
    return L"The folder of the recording can no longer be reached, so the recording was stopped.";
  case StopCause::NoFollowOnFile:
    return L"The recording was stopped because its next file could not be created. Everything "
           L"recorded until now has been saved.";
  default:
    return L"";
  }
}

std::uint64_t FileSizeOnDisk(const std::wstring& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The files of one recording: the AVI objects of the file being written (the file, its video
// stream and the compressed stream that feeds it), and the follow-on files it continues in.
class RecordingFiles {
public:
  RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate,
                 AVICOMPRESSOPTIONS& options)
      : name_(name), folder_(FolderOf(name)),
        format_(reinterpret_cast<const BYTE*>(format),
                reinterpret_cast<const BYTE*>(format) + format->biSize + 4 * format->biClrUsed),
        rate_(rate), options_(options) {}

  // Steps 7 to 10 for the first file; the first failing call's result.
  HRESULT Open() { return Open(name_); }

  // Whether the frame of `slot`, at most `frameBytes` long, may be written: the volume must
  // keep room to close the file after it, and the folder must still be there.
  StopCause CheckRoom(std::uint32_t frameBytes, std::int32_t slot) const {
    ULARGE_INTEGER freeBytes{};
    if (!::GetDiskFreeSpaceExW(folder_.empty() ? nullptr : folder_.c_str(), &freeBytes, nullptr,
                               nullptr))
      return StopCause::TargetGone;
    return FitsOnVolume(freeBytes.QuadPart, frameBytes, slot - firstSlot_ + 1)
               ? StopCause::Requested
               : StopCause::DiskFull;
  }

  // Before the frame of `slot` would take the file past `limit`, closes it and opens the next
  // one, whose timeline starts with that frame. `lastSlot` was the last slot written. A next
  // file that cannot be made ends the recording: the files so far are complete.
  StopCause MakeRoom(std::uint32_t frameBytes, std::int32_t slot, std::int32_t lastSlot,
                     std::uint64_t limit) {
    // The last frame may still wait in AVIFile's buffer: it counts on top of the size on disk.
    if (FitsInFile(FileSizeOnDisk(partName_) + frameBytes, frameBytes, slot - firstSlot_ + 1,
                   limit))
      return StopCause::Requested;
    // Slots left empty before this frame stay in the closing file's timeline.
    if (slot - 1 > lastSlot) {
      BYTE none = 0;
      ::AVIStreamWrite(plain_.get(), slot - 1 - firstSlot_, 1, &none, 0, 0, nullptr, nullptr);
    }
    Close();
    firstSlot_ = slot;
    if (Open(FollowOnName(name_, ++part_)) == AVIERR_OK) return StopCause::Requested;
    Close();
    return StopCause::NoFollowOnFile;
  }

  HRESULT Write(std::int32_t slot, const BYTE* data, std::uint32_t bytes) {
    return ::AVIStreamWrite(compressed_.get(), slot - firstSlot_, 1, const_cast<BYTE*>(data),
                            static_cast<LONG>(bytes), 0, nullptr, nullptr);
  }

  // Released in the order file, stream, compressed stream; the file is written out when its
  // last reference goes.
  void Close() {
    file_.reset();
    plain_.reset();
    compressed_.reset();
  }

private:
  HRESULT Open(const std::wstring& partName) {
    partName_ = partName;
    const auto* format = reinterpret_cast<const BITMAPINFOHEADER*>(format_.data());
    HRESULT error = ::AVIFileOpenW(file_.out(), partName.c_str(), OF_WRITE | OF_CREATE, nullptr);
    if (error == AVIERR_OK) {
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
    return error;
  }

  const std::wstring name_, folder_;
  std::vector<BYTE> format_; // header and colour table, for every file
  const int rate_;
  AVICOMPRESSOPTIONS& options_;
  vfw::AviFile file_;
  vfw::AviStream plain_, compressed_;
  int part_ = 1;
  std::wstring partName_;
  std::int32_t firstSlot_ = 0; // slot of the recording at position 0 of this file
};

} // namespace

// Makes sure the compressor takes the format frame, trying sizes aligned to 2, 4 and 8;
// otherwise falls back to the default compressor. False when a frame could not be captured.
// The default compressor is checked too: Video 1 takes only multiples of 4, and a screen such
// as 1366 x 768 would otherwise fail to record with the default settings.
bool TScreenCam::CheckCompressor(RECT& rect, BITMAPINFOHEADER*& format) {
  const bool chosen = FCompressorIndex >= 0 && FCompressorIndex < kMaxCompressors;
  DWORD type = kCompressorTypeVideo;
  DWORD handler =
      FCompressorHandler == kNeverUsedCompressor ? kDefaultCompressor : FCompressorHandler;
  if (chosen) {
    const ICINFO& entry = FCompressors[static_cast<size_t>(FCompressorIndex)];
    type = entry.fccType;
    handler = entry.fccHandler;
  }
  vfw::Compressor compressor(type, handler, ICMODE_QUERY);
  if (!compressor) {
    // A default that cannot be opened is reported when the stream is made.
    if (chosen) UseDefaultCompressor();
    return true;
  }
  if (compressor.Accepts(format)) return true;

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
      return true;
    }
  }
  // The format must describe the rectangle that is recorded.
  UseDefaultCompressor();
  ReleaseFrame(format);
  format = CaptureFrame(rect.left, rect.top, width, height);
  return format != nullptr;
}

int TScreenCam::RecordToFile(fw::TControl* Area, const std::wstring& FileName) {
  // 1. Rectangle.
  RECT rect = AreaRect(Area, FScreenWidth, FScreenHeight);
  FFrameWidth = RectWidth(rect);
  FFrameHeight = RectHeight(rect);

  // 2. Video for Windows 1.10 or later.
  if (HIWORD(::VideoForWindowsVersion()) < 0x010A) {
    fw::ShowMessageBox(nullptr, L"Failure: Video for Windows version too old!", L"Error",
                       MB_ICONERROR);
    Raise(FOnError);
    return 0;
  }

  // 3-4. Format frame and compressor check (for the default compressor as well). A frame that
  // cannot be captured has been reported by the capture; AVIFile must never see a missing format.
  BITMAPINFOHEADER* format = CaptureFrame(rect.left, rect.top, FFrameWidth, FFrameHeight);
  if (!format || !CheckCompressor(rect, format)) {
    ReleaseFrame(format);
    Raise(FOnError);
    return 0;
  }

  // 5. A handler that is never used for recording.
  if (FCompressorHandler == kNeverUsedCompressor) UseDefaultCompressor();

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
  RecordingFiles files(FileName, format, FPlaybackRate, options);
  HRESULT error = files.Open();
  ReleaseFrame(format);
  StopCause cause = StopCause::Requested;

  if (error == AVIERR_OK) {
    // 11-13.
    const std::int32_t msPerFrame = FMsPerFrame > 0 ? FMsPerFrame : 1;
    Raise(FOnStart);
    DWORD lastWritten = 0, lastUpdate = 0;
    SlotTracker slots;
    FFramesWritten = 0;
    FLastInterval = 0;
    FDroppedFrames = 0;
    FStartTime = ::timeGetTime();

    // 14. Frame loop.
    while (FRecording) {
      const DWORD t = ::timeGetTime() - FStartTime;
      BITMAPINFOHEADER* frame =
          CaptureFrame(rect.left, rect.top, RectWidth(rect), RectHeight(rect));
      SlotTracker::Decision slot = slots.Next(t, msPerFrame);
      FFrameIndex = slot.slot;
      FDroppedFrames = slots.Dropped();
      if (frame && slot.write) {
        const std::uint32_t frameBytes = frame->biSizeImage;
        // Stop while the file can still be closed; go on in a follow-on file before this one
        // would pass the size limit.
        cause = files.CheckRoom(frameBytes, FFrameIndex);
        if (cause == StopCause::Requested && FFramesWritten > 0)
          cause = files.MakeRoom(frameBytes, FFrameIndex, slots.LastSlot(), FFileSizeLimit);
        if (cause != StopCause::Requested) {
          ReleaseFrame(frame);
          break;
        }
        const BYTE* pixels =
            reinterpret_cast<const BYTE*>(frame) + frame->biSize + 4 * frame->biClrUsed;
        error = files.Write(FFrameIndex, pixels, frameBytes);
        if (error != AVIERR_OK) {
          ReleaseFrame(frame);
          break;
        }
        ++FFramesWritten;
        FLastInterval = static_cast<double>(t - lastWritten);
        lastWritten = t;
        slots.Written(FFrameIndex);
      }
      ReleaseFrame(frame);

      if (t > lastUpdate + 500) {
        lastUpdate = t;
        Raise(FOnUpdate);
      }

      const DWORD elapsed = ::timeGetTime() - FStartTime - t;
      SleepPlan plan = PlanSleep(msPerFrame, elapsed);
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
  files.Close();
  library.reset();

  // A recording that stopped by itself says why, once its file is closed.
  if (error == AVIERR_OK && cause != StopCause::Requested) {
    fw::ShowMessageBox(nullptr, StopNotice(cause), L"Notice", MB_ICONEXCLAMATION);
    return 1;
  }

  // 17. Result.
  if (error == AVIERR_OK) return 1;
  Raise(FOnError);
  if (FCompressorHandler == kDefaultCompressor) {
    fw::ShowMessageBox(nullptr, L"Error Creating AVI file", L"Error", MB_ICONEXCLAMATION);
    return 0;
  }
  int answer = fw::ShowMessageBox(
      nullptr, L"Error recording AVI file using current compressor. Use default compressor? ",
      L"Notice", MB_YESNO | MB_ICONEXCLAMATION);
  if (answer == IDYES) {
    UseDefaultCompressor();
    return -1;
  }
  return 0;
}

} // namespace recorder
