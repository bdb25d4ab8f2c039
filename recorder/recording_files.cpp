#include "recorder/recording_files.h"

#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"

#include <optional>

namespace recorder {

namespace {

// Room AVIFile keeps for a file's headers before its first chunk (and more than it needs).
constexpr std::uint64_t kHeaderRoom = 4096;
// A failed free-space query is asked again after this pause.
constexpr DWORD kFreeSpaceRetryMs = 100;

bool FileExists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

RecordingFiles::RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate,
                               AVICOMPRESSOPTIONS& options, const std::wstring& journalFolder)
    : name_(name), folder_(FolderOf(name)), journalFolder_(journalFolder),
      format_(reinterpret_cast<const BYTE*>(format),
              reinterpret_cast<const BYTE*>(format) + format->biSize + 4 * format->biClrUsed),
      rate_(rate), options_(options) {}

StopCause RecordingFiles::CheckRoom(std::uint32_t frameBytes, std::int64_t slot) const {
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
  return FitsOnVolume(*freeBytes, frameBytes, slot - firstSlot_ + 1) ? StopCause::None
                                                                     : StopCause::DiskFull;
}

StopCause RecordingFiles::MakeRoom(std::uint32_t frameBytes, std::int64_t slot,
                                   std::int64_t lastSlot, std::uint64_t limit) {
  if (FitsInFile(bytes_, frameBytes, slot - firstSlot_ + 1, limit)) return StopCause::None;
  // Slots left empty before this frame stay in the closing file's timeline.
  if (slot - 1 > lastSlot) {
    BYTE none = 0;
    ::AVIStreamWrite(plain_.get(), static_cast<LONG>(slot - 1 - firstSlot_), 1, &none, 0, 0,
                     nullptr, nullptr);
  }
  Close();
  firstSlot_ = slot;
  const std::wstring next = NextFollowOnName(name_, part_, FileExists);
  if (Open(next) == AVIERR_OK) return StopCause::None;
  Close();
  // A file that opened but took no stream holds nothing: it goes, and is not named.
  if (!created_.empty() && created_.back() == next) {
    ::DeleteFileW(next.c_str());
    names_.pop_back();
    created_.pop_back();
  }
  return StopCause::NoFollowOnFile;
}

HRESULT RecordingFiles::Write(std::int64_t slot, const BYTE* data, std::uint32_t bytes) {
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

void RecordingFiles::Close() {
  file_.reset();
  plain_.reset();
  compressed_.reset();
  journal_.Finish();
}

HRESULT RecordingFiles::Open(const std::wstring& partName) {
  const auto* format = reinterpret_cast<const BITMAPINFOHEADER*>(format_.data());
  const bool existed = FileExists(partName);
  HRESULT error = ::AVIFileOpenW(file_.out(), partName.c_str(), OF_WRITE | OF_CREATE, nullptr);
  if (error == AVIERR_OK) {
    names_.push_back(partName);
    if (!existed) created_.push_back(partName);
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

} // namespace recorder
