#include "recorder/unfinished_recordings.h"

#include <shlobj.h>

#include <optional>

namespace recorder {

namespace {

constexpr wchar_t kJournalPattern[] = L"*.journal";
// A file written later than its journal by more than this was changed by someone else after the
// recording ended. (AVIFile writes each chunk right before its journal record; only a process
// ended while closing a file writes it later, for as long as closing takes.)
constexpr std::uint64_t kLaterWriteAllowed = 60ull * 10'000'000; // FILETIME units
// Journals hold a few bytes per frame; anything far larger is not one.
constexpr DWORD kLargestJournal = 256u << 20;

std::uint64_t Ticks(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool WriteAll(HANDLE file, const void* data, DWORD bytes, OVERLAPPED* at = nullptr) {
  DWORD written = 0;
  return ::WriteFile(file, data, bytes, &written, at) && written == bytes;
}

// The AVI file being mended, through its handle.
class HandleTarget : public RepairTarget {
public:
  explicit HandleTarget(HANDLE file) : file_(file) {}
  std::uint64_t Size() override {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(file_, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }
  bool Read(std::uint64_t offset, void* data, std::size_t bytes) override {
    OVERLAPPED at = At(offset);
    DWORD read = 0;
    return ::ReadFile(file_, data, static_cast<DWORD>(bytes), &read, &at) && read == bytes;
  }
  bool Write(std::uint64_t offset, const void* data, std::size_t bytes) override {
    OVERLAPPED at = At(offset);
    return WriteAll(file_, data, static_cast<DWORD>(bytes), &at);
  }
  bool SetSize(std::uint64_t size) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) && ::SetEndOfFile(file_);
  }

private:
  static OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
  }
  HANDLE file_;
};

std::vector<std::uint8_t> ReadWhole(HANDLE file) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size) || size.QuadPart > kLargestJournal) return {};
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    return {};
  return bytes;
}

std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

enum class Found { Mend, Leave, Keep };

// Whether the journal's file is still the one recorded; opens it for mending when it is.
Found OpenRecordedFile(const Journal& journal, const FILETIME& journalWritten,
                       fw::KernelHandle& avi) {
  avi.reset(::CreateFileW(Wide(journal.header.aviPath).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (avi.get() == INVALID_HANDLE_VALUE) {
    avi.release();
    // Open elsewhere (a player): another start mends it.
    return ::GetLastError() == ERROR_SHARING_VIOLATION ? Found::Keep : Found::Leave;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(avi.get(), &info)) return Found::Leave;
  const std::uint64_t index =
      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  if (info.dwVolumeSerialNumber != journal.header.volumeSerial ||
      index != journal.header.fileIndex ||
      Ticks(info.ftLastWriteTime) > Ticks(journalWritten) + kLaterWriteAllowed)
    return Found::Leave;
  return Found::Mend;
}

} // namespace

std::wstring DefaultJournalFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return std::wstring(path) + L"\\栎澜屏幕录像\\Unfinished recordings";
}

RecordingJournal::~RecordingJournal() = default;

bool RecordingJournal::Begin(const std::wstring& folder, const std::wstring& aviPath,
                             PAVISTREAM stream, DWORD handler, int width, int height) {
  if (folder.empty()) return false;
  JournalHeader header;
  header.aviPath.assign(aviPath.begin(), aviPath.end());
  {
    fw::KernelHandle avi(::CreateFileW(aviPath.c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (avi.get() == INVALID_HANDLE_VALUE) {
      avi.release();
      return false;
    }
    if (!::GetFileInformationByHandle(avi.get(), &info)) return false;
    header.volumeSerial = info.dwVolumeSerialNumber;
    header.fileIndex = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  AVISTREAMINFOW stream_info{};
  LONG formatBytes = 0;
  if (::AVIStreamInfoW(stream, &stream_info, sizeof stream_info) != AVIERR_OK ||
      ::AVIStreamReadFormat(stream, 0, nullptr, &formatBytes) != AVIERR_OK || formatBytes <= 0)
    return false;
  header.format.resize(static_cast<size_t>(formatBytes));
  if (::AVIStreamReadFormat(stream, 0, header.format.data(), &formatBytes) != AVIERR_OK)
    return false;
  header.rate = stream_info.dwRate;
  header.scale = stream_info.dwScale;
  header.handler = handler;
  header.width = width;
  header.height = height;

  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  // Locked while the recording runs: a start of the program meanwhile leaves it alone.
  for (unsigned n = 1; n < 1000 && !file_; ++n) {
    name_ = folder + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(n) +
            L".journal";
    HANDLE h = ::CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE)
      file_.reset(h);
    else if (::GetLastError() != ERROR_FILE_EXISTS)
      break;
  }
  if (!file_) return false;
  const std::vector<std::uint8_t> bytes = EncodeJournalHeader(header);
  if (!WriteAll(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()))) {
    Finish();
    return false;
  }
  return true;
}

void RecordingJournal::FrameWritten(PAVISTREAM stream) {
  if (!file_) return;
  const LONG last = AVIStreamStart(stream) + AVIStreamLength(stream) - 1;
  const std::uint32_t flags =
      ::AVIStreamFindSample(stream, last, FIND_KEY | FIND_PREV) == last ? kIndexKeyFrame : 0;
  const auto record = EncodeFrameRecord(flags);
  WriteAll(file_.get(), record.data(), static_cast<DWORD>(record.size()));
}

void RecordingJournal::Finish() {
  if (!file_) return;
  file_.reset();
  ::DeleteFileW(name_.c_str());
}

std::vector<MendedRecording> MendUnfinishedRecordings(const std::wstring& folder) {
  std::vector<MendedRecording> mended;
  if (folder.empty()) return mended;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\" + kJournalPattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return mended;
  do {
    const std::wstring name = folder + L"\\" + found.cFileName;
    std::optional<Journal> journal;
    FILETIME written{};
    {
      // Share nothing: a journal its recording still holds open is skipped.
      fw::KernelHandle file(::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        continue;
      }
      ::GetFileTime(file.get(), nullptr, nullptr, &written);
      journal = DecodeJournal(ReadWhole(file.get()));
    }
    fw::KernelHandle avi;
    const Found state = journal ? OpenRecordedFile(*journal, written, avi) : Found::Leave;
    if (state == Found::Keep) continue;
    if (state == Found::Mend) {
      HandleTarget target(avi.get());
      const RepairResult result = RepairAvi(target, *journal);
      // A file not laid out as AVIFile leaves one is not the recording (or the recording ended
      // before its first frame): nothing to tell.
      if (result.outcome != RepairOutcome::NotRecorded)
        mended.push_back({Wide(journal->header.aviPath), result.outcome, result.frames});
    }
    avi.reset();
    ::DeleteFileW(name.c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return mended;
}

std::wstring MendedNotice(const MendedRecording& mended) {
  const std::wstring start =
      L"The recording \"" + mended.file + L"\" was not finished when the program last ended";
  if (mended.outcome == RepairOutcome::Mended && mended.frames > 0)
    return start + L". It has been mended and holds " + std::to_wstring(mended.frames) +
           (mended.frames == 1 ? L" frame." : L" frames.");
  if (mended.outcome == RepairOutcome::Mended)
    return start + L", and no frame of it could be recovered.";
  return start + L" and could not be mended.";
}

} // namespace recorder
