#include "recorder/unfinished_recordings.h"

#include <shlobj.h>

#include <optional>

namespace recorder {

namespace {

constexpr wchar_t kJournalPattern[] = L"*.journal";
// A mend in progress marks its journal this often, so that its own writes never count as
// someone else's should it be cut short.
constexpr DWORD kJournalTouchMs = 1000;
// Records are written to the journal at most this many at a time.
constexpr std::size_t kRecordsPerWrite = 4096;

std::uint64_t Ticks(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::uint64_t Now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}

std::uint64_t FileIndex(const BY_HANDLE_FILE_INFORMATION& info) {
  return (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

bool WriteAll(HANDLE file, const void* data, DWORD bytes, OVERLAPPED* at = nullptr) {
  DWORD written = 0;
  return ::WriteFile(file, data, bytes, &written, at) && written == bytes;
}

// A file through its handle, read and written at offsets.
class HandleFile : public RepairTarget {
public:
  explicit HandleFile(HANDLE file) : file_(file) {}
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

std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

bool FolderExists(const std::wstring& file) {
  const std::size_t slash = file.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return true;
  const DWORD attributes = ::GetFileAttributesW(file.substr(0, slash + 1).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

enum class Found { Mend, Wait, Gone, NotThatFile };

// Whether the journal's file is still the one recorded; opens it for mending when it is.
Found OpenRecordedFile(const JournalHeader& journal, const FILETIME& journalWritten,
                       fw::KernelHandle& avi) {
  const std::wstring path = Wide(journal.aviPath);
  avi.reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (avi.get() == INVALID_HANDLE_VALUE) {
    avi.release();
    // Gone from a folder that is there; anything else (a drive or share missing, the folder
    // renamed away, access refused, open elsewhere) may pass.
    return ::GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(path) ? Found::Gone
                                                                          : Found::Wait;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(avi.get(), &info)) return Found::Wait;
  if (info.dwVolumeSerialNumber != journal.volumeSerial || FileIndex(info) != journal.fileIndex ||
      WrittenAfterRecording(journal, Ticks(journalWritten), Ticks(info.ftLastWriteTime)))
    return Found::NotThatFile;
  return Found::Mend;
}

// The outcomes of a mend that say the file waits for a later attempt.
bool MendWaits(RepairOutcome outcome) {
  return outcome == RepairOutcome::ReadFailed || outcome == RepairOutcome::WriteFailed;
}

MendState StateOf(RepairOutcome outcome) {
  switch (outcome) {
  case RepairOutcome::Mended:
    return MendState::Mended;
  case RepairOutcome::AlreadyWhole:
    return MendState::Whole; // a close that could not be checked finished it all the same
  case RepairOutcome::NotRecorded:
    return MendState::NotThatFile;
  case RepairOutcome::ReadFailed:
  case RepairOutcome::WriteFailed:
    return MendState::Waiting;
  default:
    return MendState::Unmendable;
  }
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
  const Stream video{stream, handler, width, height};
  return Begin(folder, aviPath, std::span(&video, 1));
}

bool RecordingJournal::Begin(const std::wstring& folder, const std::wstring& aviPath,
                             std::span<const Stream> streams) {
  if (folder.empty() || streams.empty() || streams.size() > kMaxJournalStreams) return false;
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
    header.fileIndex = FileIndex(info);
    header.fileWrittenAtStart = Ticks(info.ftLastWriteTime);
  }
  header.journalStarted = Now();
  for (const Stream& s : streams) {
    AVISTREAMINFOW info{};
    LONG formatBytes = 0;
    if (::AVIStreamInfoW(s.stream, &info, sizeof info) != AVIERR_OK ||
        ::AVIStreamReadFormat(s.stream, 0, nullptr, &formatBytes) != AVIERR_OK || formatBytes <= 0)
      return false;
    JournalStream& j = header.streams.emplace_back();
    j.format.resize(static_cast<size_t>(formatBytes));
    if (::AVIStreamReadFormat(s.stream, 0, j.format.data(), &formatBytes) != AVIERR_OK)
      return false;
    j.type = info.fccType;
    j.handler = s.handler;
    j.rate = info.dwRate;
    j.scale = info.dwScale;
    j.sampleSize = info.dwSampleSize;
    j.width = s.width;
    j.height = s.height;
  }
  videoEnd_ = ::AVIStreamStart(streams[0].stream) + ::AVIStreamLength(streams[0].stream);

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

void RecordingJournal::Append(const std::vector<std::uint8_t>& records) {
  if (!records.empty()) WriteAll(file_.get(), records.data(), static_cast<DWORD>(records.size()));
}

void RecordingJournal::FrameWritten(PAVISTREAM stream) {
  if (!file_) return;
  const LONG end = ::AVIStreamStart(stream) + ::AVIStreamLength(stream);
  if (end <= videoEnd_) return;
  std::vector<std::uint8_t> records;
  const auto add = [&](std::uint32_t flags, std::uint32_t bytes) {
    const auto record = EncodeJournalRecord(0, flags, bytes);
    records.insert(records.end(), record.begin(), record.end());
    if (records.size() >= kRecordsPerWrite * record.size()) {
      Append(records);
      records.clear();
    }
  };
  for (LONG slot = videoEnd_; slot + 1 < end; ++slot)
    add(0, 0); // a slot AVIFile filled with an empty chunk
  const LONG last = end - 1;
  LONG bytes = 0;
  ::AVIStreamSampleSize(stream, last, &bytes);
  add(::AVIStreamFindSample(stream, last, FIND_KEY | FIND_NEXT) == last ? kIndexKeyFrame : 0,
      static_cast<std::uint32_t>(bytes > 0 ? bytes : 0));
  Append(records);
  videoEnd_ = end;
}

void RecordingJournal::ChunkWritten(std::uint16_t stream, std::uint32_t flags,
                                    std::uint32_t bytes) {
  if (file_) Append(EncodeJournalRecord(stream, flags, bytes));
}

void RecordingJournal::Finish() {
  if (!file_) return;
  file_.reset();
  ::DeleteFileW(name_.c_str());
}

std::wstring RecordingJournal::Keep() {
  if (!file_) return {};
  file_.reset();
  return name_;
}

std::optional<MendedRecording> MendRecording(const std::wstring& journalPath,
                                             const MendProgress& progress) {
  // Share nothing: a journal its recording still holds open is skipped.
  fw::KernelHandle journal(::CreateFileW(journalPath.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES,
                                         0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                         nullptr));
  if (journal.get() == INVALID_HANDLE_VALUE) {
    journal.release();
    return std::nullopt;
  }
  const auto forget = [&] {
    journal.reset();
    ::DeleteFileW(journalPath.c_str());
  };
  FILETIME written{};
  ::GetFileTime(journal.get(), nullptr, nullptr, &written);
  HandleFile records(journal.get());
  const std::optional<JournalHeader> header = ReadJournalHeader(records);
  if (!header) {
    // Cut short while its header was written: the recording had not begun.
    forget();
    return std::nullopt;
  }
  MendedRecording mended{Wide(header->aviPath), MendState::Waiting, 0};
  fw::KernelHandle avi;
  switch (OpenRecordedFile(*header, written, avi)) {
  case Found::Wait:
    return mended;
  case Found::Gone:
  case Found::NotThatFile:
    forget();
    mended.state = MendState::NotThatFile;
    return mended;
  case Found::Mend:
    break;
  }
  // The journal's time moves with the mend, so that a mend cut short is not taken for a write
  // by someone else at the next attempt.
  DWORD touched = 0;
  const auto touch = [&] {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ::SetFileTime(journal.get(), nullptr, nullptr, &now);
    touched = ::GetTickCount();
  };
  touch();
  HandleFile target(avi.get());
  const RepairResult result =
      RepairAvi(target, records, *header, [&](std::uint64_t done, std::uint64_t total) {
        if (::GetTickCount() - touched >= kJournalTouchMs) touch();
        if (progress) progress(mended.file, done, total);
      });
  avi.reset();
  if (MendWaits(result.outcome)) return mended;
  forget();
  // A recording that ended before its first frame: nothing to tell.
  if (result.outcome == RepairOutcome::NothingRecorded) return std::nullopt;
  mended.state = StateOf(result.outcome);
  mended.frames = result.frames;
  return mended;
}

std::vector<MendedRecording> MendUnfinishedRecordings(const std::wstring& folder,
                                                      const MendProgress& progress) {
  std::vector<MendedRecording> mended;
  if (folder.empty()) return mended;
  std::vector<std::wstring> journals;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\" + kJournalPattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return mended;
  do
    journals.push_back(folder + L"\\" + found.cFileName);
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  for (const std::wstring& journal : journals)
    if (auto one = MendRecording(journal, progress)) mended.push_back(std::move(*one));
  return mended;
}

std::wstring MendedNotice(const MendedRecording& mended) {
  const std::wstring start =
      L"The recording \"" + mended.file + L"\" was not finished when the program last ended";
  switch (mended.state) {
  case MendState::Mended:
    if (mended.frames > 0)
      return start + L". It has been mended and holds " + std::to_wstring(mended.frames) +
             (mended.frames == 1 ? L" frame." : L" frames.");
    return start + L", and no frame of it could be recovered.";
  case MendState::Whole:
    return L"The recording \"" + mended.file +
           L"\" could not be checked when it ended. It is whole and plays: nothing needed mending.";
  case MendState::Waiting:
    return start + L". It cannot be reached or written now; it will be mended at a later start.";
  case MendState::NotThatFile:
    return start + L", but that file is gone or is no longer the recording. It was left as it is.";
  case MendState::Unmendable:
    break;
  }
  return start + L" and could not be mended. The file was left as it is.";
}

std::wstring ClosedNotice(const MendedRecording& mended) {
  const std::wstring start = L"The file \"" + mended.file + L"\" could not be finished";
  switch (mended.state) {
  case MendState::Mended:
    return start + L" properly, so it was mended. It holds " + std::to_wstring(mended.frames) +
           (mended.frames == 1 ? L" frame." : L" frames.");
  case MendState::Waiting:
    return L"The file \"" + mended.file +
           L"\" cannot be reached or written now, so whether it was finished could not be "
           L"checked. Its frames are kept: the program checks the file, and mends it if need be, "
           L"at its next start once the file can be reached again.";
  case MendState::Whole:
  case MendState::NotThatFile:
  case MendState::Unmendable:
    break;
  }
  return start + L" and could not be mended.";
}

std::optional<MendedRecording> FinishRecordingFile(RecordingJournal& journal,
                                                   const std::wstring& aviPath) {
  if (!journal.Active()) return std::nullopt;
  {
    fw::KernelHandle file(::CreateFileW(aviPath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() != INVALID_HANDLE_VALUE) {
      HandleFile whole(file.get());
      if (CheckAviWhole(whole) == AviCheck::Whole) {
        journal.Finish();
        return std::nullopt;
      }
    } else {
      file.release();
    }
  }
  const std::wstring name = journal.Keep();
  return MendRecording(name);
}

} // namespace recorder
