// One recording run: version check, format frame, compressor check, AVI file and compressed
// stream, then the frame loop with time-based slots.
#include "recorder/scrcam.h"

#include "app/flashwnd.h"
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
enum class StopCause { Requested, DiskFull, TargetGone };

const wchar_t* StopNotice(StopCause cause) {
  return cause == StopCause::DiskFull
             ? L"The disk is almost full, so the recording was stopped. Everything recorded "
               L"until now has been saved."
             : L"The folder of the recording can no longer be reached, so the recording was "
               L"stopped.";
}

std::uint64_t FileSizeOnDisk(const std::wstring& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The AVI objects of one output file: the file, its video stream and the compressed stream that
// feeds it.
struct AviOutput {
  vfw::AviFile file;
  vfw::AviStream plain, compressed;

  // Steps 7 to 10 for one file; the first failing call's result.
  HRESULT Open(const std::wstring& name, const std::vector<BYTE>& formatBytes, int rate,
               AVICOMPRESSOPTIONS& options) {
    const auto* format = reinterpret_cast<const BITMAPINFOHEADER*>(formatBytes.data());
    HRESULT error = ::AVIFileOpenW(file.out(), name.c_str(), OF_WRITE | OF_CREATE, nullptr);
    if (error == AVIERR_OK) {
      AVISTREAMINFOW info{};
      info.fccType = kStreamTypeVideo;
      info.fccHandler = 0;
      info.dwScale = 1;
      info.dwRate = static_cast<DWORD>(rate);
      info.dwSuggestedBufferSize = format->biSizeImage;
      ::SetRect(&info.rcFrame, 0, 0, format->biWidth, format->biHeight);
      error = ::AVIFileCreateStreamW(file.get(), plain.out(), &info);
    }
    if (error == AVIERR_OK)
      error = ::AVIMakeCompressedStream(compressed.out(), plain.get(), &options, nullptr);
    if (error == AVIERR_OK)
      error = ::AVIStreamSetFormat(compressed.get(), 0, const_cast<BYTE*>(formatBytes.data()),
                                   static_cast<LONG>(formatBytes.size()));
    return error;
  }
  // Released in the order file, stream, compressed stream; the file is written out when its
  // last reference goes.
  void Close() {
    file.reset();
    plain.reset();
    compressed.reset();
  }
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
  // The format is kept for the follow-on files of a long recording.
  const BYTE* formatStart = reinterpret_cast<const BYTE*>(format);
  const std::vector<BYTE> formatBytes(formatStart,
                                      formatStart + format->biSize + 4 * format->biClrUsed);
  ReleaseFrame(format);
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
  AviOutput output;
  HRESULT error = output.Open(FileName, formatBytes, FPlaybackRate, options);
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
    const std::wstring folder = FolderOf(FileName);
    int part = 1;
    std::wstring partName = FileName;
    std::int32_t firstSlotOfFile = 0; // the file's timeline starts at its first frame

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
        // Stop while the file can still be closed.
        ULARGE_INTEGER freeBytes{};
        if (!::GetDiskFreeSpaceExW(folder.empty() ? nullptr : folder.c_str(), &freeBytes, nullptr,
                                   nullptr))
          cause = StopCause::TargetGone;
        else if (!FitsOnVolume(freeBytes.QuadPart, frameBytes, FFrameIndex - firstSlotOfFile + 1))
          cause = StopCause::DiskFull;
        if (cause != StopCause::Requested) {
          ReleaseFrame(frame);
          break;
        }
        // Go on in a follow-on file before this one would pass the size limit. The last frame
        // may still wait in AVIFile's buffer: it counts on top of the size on disk.
        if (FFramesWritten > 0 && !FitsInFile(FileSizeOnDisk(partName) + frameBytes, frameBytes,
                                              FFrameIndex - firstSlotOfFile + 1, FFileSizeLimit)) {
          // Slots left empty before this frame stay in the closing file's timeline.
          if (FFrameIndex - 1 > slots.LastSlot()) {
            BYTE none = 0;
            ::AVIStreamWrite(output.plain.get(), FFrameIndex - 1 - firstSlotOfFile, 1, &none, 0, 0,
                             nullptr, nullptr);
          }
          output.Close();
          partName = FollowOnName(FileName, ++part);
          error = output.Open(partName, formatBytes, FPlaybackRate, options);
          if (error != AVIERR_OK) {
            ReleaseFrame(frame);
            break;
          }
          firstSlotOfFile = FFrameIndex;
        }
        const BYTE* pixels =
            reinterpret_cast<const BYTE*>(frame) + frame->biSize + 4 * frame->biClrUsed;
        error = ::AVIStreamWrite(output.compressed.get(), FFrameIndex - firstSlotOfFile, 1,
                                 const_cast<BYTE*>(pixels), static_cast<LONG>(frameBytes), 0,
                                 nullptr, nullptr);
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
  output.Close();
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
