#include "recorder/recording_files.h"

#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/core/stream_length.h"

#include "framework/handles.h"

#include <optional>
#include <span>

namespace recorder {

namespace {

// Room AVIFile keeps for a file's headers before its first chunk (and more than it needs).
constexpr std::uint64_t kHeaderRoom = 4096;
// A failed free-space query is asked again after this pause.
constexpr DWORD kFreeSpaceRetryMs = 100;
// A chunk's header and its index entry.
constexpr std::uint64_t kChunkOverhead = 8 + 16;
// The sound's stream, after the video, in the journal's records.
constexpr std::uint16_t kSoundStream = 1;
// AVISTREAMINFO's quality: the default.
constexpr DWORD kDefaultQuality = static_cast<DWORD>(-1);

bool FileExists(const std::wstring& name) {
  return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The headers of a closed file are in its first bytes.
constexpr DWORD kHeadBytes = 64 * 1024;

// Puts the number of samples of the audio stream (stream 1) into the closed file's headers.
void SetSoundLength(const std::wstring& name, LONG samples) {
  const HANDLE opened = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  const fw::KernelHandle file(opened);
  std::vector<std::uint8_t> head(kHeadBytes);
  DWORD read = 0;
  if (!::ReadFile(file.get(), head.data(), kHeadBytes, &read, nullptr)) return;
  head.resize(read);
  const std::optional<std::size_t> field = StreamLengthOffset(head, 1);
  if (!field || ::SetFilePointer(file.get(), static_cast<LONG>(*field), nullptr, FILE_BEGIN) ==
                    INVALID_SET_FILE_POINTER)
    return;
  const std::uint32_t length = static_cast<std::uint32_t>(samples);
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
      static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
  DWORD written = 0;
  ::WriteFile(file.get(), bytes, sizeof bytes, &written, nullptr);
}

} // namespace

RecordingFiles::RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate,
                               int scale, AVICOMPRESSOPTIONS& options,
                               const std::wstring& journalFolder, const SoundStreamFormat* sound)
    : name_(name), folder_(FolderOf(name)), journalFolder_(journalFolder),
      format_(reinterpret_cast<const BYTE*>(format),
              reinterpret_cast<const BYTE*>(format) + format->biSize + 4 * format->biClrUsed),
      rate_(rate), scale_(scale), options_(options), sound_(sound) {}

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
                                   std::int64_t lastSlot, std::uint64_t limit,
                                   const std::function<void()>& closing) {
  if (FitsInFile(bytes_, frameBytes, slot - firstSlot_ + 1, limit)) return StopCause::None;
  if (closing) closing();
  // Slots left empty before this frame stay in the closing file's timeline.
  if (slot - 1 > lastSlot) {
    BYTE none = 0;
    if (::AVIStreamWrite(plain_.get(), static_cast<LONG>(slot - 1 - firstSlot_), 1, &none, 0, 0,
                         nullptr, nullptr) == AVIERR_OK)
      journal_.FrameWritten(plain_.get());
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

HRESULT RecordingFiles::WriteSound(const BYTE* data, std::size_t bytes) {
  if (!audio_ || bytes == 0) return AVIERR_OK;
  const LONG samples = static_cast<LONG>(bytes / sound_->sampleSize);
  // Appended at the stream's end as AVIFile counts it (Wine's counts chunks, not samples).
  const HRESULT result = ::AVIStreamWrite(audio_.get(), ::AVIStreamLength(audio_.get()), samples,
                                          const_cast<BYTE*>(data), static_cast<LONG>(bytes),
                                          AVIIF_KEYFRAME, nullptr, nullptr);
  if (result == AVIERR_OK) {
    soundPosition_ += samples;
    bytes_ += bytes + kChunkOverhead;
    journal_.ChunkWritten(kSoundStream, kIndexKeyFrame, static_cast<std::uint32_t>(bytes));
  }
  return result;
}

void RecordingFiles::Close() {
  const bool sound = static_cast<bool>(audio_);
  file_.reset();
  plain_.reset();
  compressed_.reset();
  audio_.reset();
  if (names_.empty()) return;
  // The file is written out now; its audio stream's length as AVIFile may have miscounted it.
  if (sound) SetSoundLength(names_.back(), soundPosition_);
  if (const auto mended = FinishRecordingFile(journal_, names_.back()))
    closeNotices_.push_back(ClosedNotice(*mended));
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
    info.dwScale = static_cast<DWORD>(scale_);
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
  if (error == AVIERR_OK && sound_) error = OpenAudio();
  if (error == AVIERR_OK) {
    bytes_ = kHeaderRoom + format_.size() + (sound_ ? sound_->format.size() : 0);
    // The journal names the sound stream too, after the video.
    const RecordingJournal::Stream streams[] = {
        {plain_.get(), options_.fccHandler, format->biWidth, format->biHeight},
        {audio_.get(), 0, 0, 0}};
    journal_.Begin(journalFolder_, partName, std::span(streams, audio_ ? 2 : 1));
  }
  return error;
}

// The audio stream, after the video stream: every sample a key frame.
HRESULT RecordingFiles::OpenAudio() {
  AVISTREAMINFOW info{};
  info.fccType = kStreamTypeAudio;
  info.dwScale = sound_->scale;
  info.dwRate = sound_->rate;
  info.dwSampleSize = sound_->sampleSize;
  info.dwQuality = kDefaultQuality;
  info.dwSuggestedBufferSize = sound_->bytesPerSecond / 10 + sound_->sampleSize;
  soundPosition_ = 0;
  HRESULT error = ::AVIFileCreateStreamW(file_.get(), audio_.out(), &info);
  if (error == AVIERR_OK)
    error = ::AVIStreamSetFormat(audio_.get(), 0, const_cast<BYTE*>(sound_->format.data()),
                                 static_cast<LONG>(sound_->format.size()));
  return error;
}

} // namespace recorder
