// Journals at start-up: what a recording whose process ended before closing its file leaves, and
// what the next start does with it. Only files that are still the very files recorded are
// touched. (tests/e2e/takes_survive.sh ends the real program during a recording.)
#include "framework/exception.h"
#include "recorder/unfinished_recordings.h"
#include "recorder/vfw.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::wstring Folder() {
  const std::wstring folder = testing_support::ArtifactPath(L"engine", L"journals");
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

int Journals(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*.journal").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do
    ++n;
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return n;
}

// A 64 x 48 recording written through AVIFile, frames at the given slots (key frames where
// `keys` says so, all without it), with its journal. The journal object is returned open, as while
// the recording runs; freeing it leaves the journal as a process that ended before closing the
// file does.
std::unique_ptr<recorder::RecordingJournal> Record(const std::wstring& file,
                                                   const std::vector<LONG>& slots,
                                                   const std::vector<bool>& keys = {}) {
  recorder::vfw::AviLibrary library;
  recorder::vfw::AviFile avi;
  recorder::vfw::AviStream stream;
  auto journal = std::make_unique<recorder::RecordingJournal>();
  EXPECT_EQ(::AVIFileOpenW(avi.out(), file.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
  AVISTREAMINFOW info{};
  info.fccType = streamtypeVIDEO;
  info.dwScale = 1;
  info.dwRate = 10;
  ::SetRect(&info.rcFrame, 0, 0, 64, 48);
  EXPECT_EQ(::AVIFileCreateStreamW(avi.get(), stream.out(), &info), AVIERR_OK);
  BITMAPINFOHEADER format{sizeof format, 64, 48, 1, 32, BI_RGB, 64 * 48 * 4, 0, 0, 0, 0};
  EXPECT_EQ(::AVIStreamSetFormat(stream.get(), 0, &format, sizeof format), AVIERR_OK);
  EXPECT_TRUE(journal->Begin(Folder(), file, stream.get(), 0, 64, 48));
  std::vector<BYTE> pixels(format.biSizeImage, 0x80);
  for (size_t i = 0; i < slots.size(); ++i) {
    const bool key = keys.empty() || keys[i];
    ::AVIStreamWrite(stream.get(), slots[i], 1, pixels.data(), static_cast<LONG>(pixels.size()),
                     key ? AVIIF_KEYFRAME : 0, nullptr, nullptr);
    journal->FrameWritten(stream.get());
  }
  return journal;
}

// Makes a file AVIFile closed look as it did before the close: the headers' room zeros again, the
// index gone.
void Unfinish(const std::wstring& file) {
  HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::vector<char> bytes(::GetFileSize(h, nullptr));
  DWORD done = 0;
  ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  const std::string text(bytes.begin(), bytes.end());
  const size_t index = text.rfind("idx1");
  ASSERT_NE(index, std::string::npos);
  const std::vector<char> zeros(2048, 0);
  ::SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  ::WriteFile(h, zeros.data(), static_cast<DWORD>(zeros.size()), &done, nullptr);
  ::SetFilePointer(h, static_cast<LONG>(index), nullptr, FILE_BEGIN);
  ::SetEndOfFile(h);
  ::CloseHandle(h);
}

// The video records of a journal kept by `Keep`.
std::vector<std::uint32_t> VideoRecords(const std::wstring& journal) {
  std::vector<std::uint32_t> flags;
  HANDLE h = ::CreateFileW(journal.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return flags;
  class Source : public recorder::ByteSource {
  public:
    explicit Source(HANDLE file) : file_(file) {}
    std::uint64_t Size() override { return ::GetFileSize(file_, nullptr); }
    bool Read(std::uint64_t offset, void* data, std::size_t n) override {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      DWORD read = 0;
      return ::ReadFile(file_, data, static_cast<DWORD>(n), &read, &at) && read == n;
    }

  private:
    HANDLE file_;
  } source(h);
  if (const auto header = recorder::ReadJournalHeader(source)) {
    recorder::JournalRecords records(source, *header, 0);
    while (const auto record = records.Next())
      flags.push_back(record->flags);
  }
  ::CloseHandle(h);
  return flags;
}

} // namespace

// The recording's file is mended in place and named, and ffprobe reads its frames at their slots.
// A file replaced since (another file of the name) or written since by someone else is not the
// file recorded: it keeps its bytes and is not named. A journal whose recording still runs stays.
TEST(Survival, TheNextStartMendsOnlyTheFilesRecorded) {
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"unfinished.avi");
  const std::wstring replaced = testing_support::ArtifactPath(L"engine", L"replaced.avi");
  const std::wstring changed = testing_support::ArtifactPath(L"engine", L"changed.avi");
  Record(file, {0, 1, 3, 4, 5}).reset();
  Unfinish(file);
  // Closed by AVIFile, but its journal left (the check after the close could not be made).
  const std::wstring finished = testing_support::ArtifactPath(L"engine", L"finished.avi");
  Record(finished, {0, 1}).reset();
  Record(replaced, {0, 1}).reset();
  ::DeleteFileW(replaced.c_str());
  HANDLE h = ::CreateFileW(replaced.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(h, "the user's", 10, &written, nullptr);
  ::CloseHandle(h);
  Record(changed, {0, 1}).reset();
  h = ::CreateFileW(changed.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER hourOn{{now.dwLowDateTime, now.dwHighDateTime}};
  hourOn.QuadPart += 3600ull * 10'000'000;
  const FILETIME later{hourOn.LowPart, hourOn.HighPart};
  ::SetFileTime(h, nullptr, nullptr, &later);
  ::CloseHandle(h);
  WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
  ::GetFileAttributesExW(changed.c_str(), GetFileExInfoStandard, &before);
  auto stillRecording = Record(testing_support::ArtifactPath(L"engine", L"running.avi"), {0});

  std::vector<recorder::MendedRecording> mended = recorder::MendUnfinishedRecordings(Folder());
  ASSERT_EQ(mended.size(), 4u);
  std::sort(mended.begin(), mended.end(),
            [](const auto& a, const auto& b) { return a.file < b.file; });
  EXPECT_EQ(mended[0].file, changed);
  EXPECT_EQ(mended[0].state, recorder::MendState::NotThatFile);
  EXPECT_EQ(recorder::MendedNotice(mended[0]),
            L"The recording \"" + changed +
                L"\" was not finished when the program last ended, but that file is gone or is "
                L"no longer the recording. It was left as it is.");
  EXPECT_EQ(recorder::MendedNotice(mended[1]),
            L"The recording \"" + finished +
                L"\" could not be checked when it ended. It is whole and plays: nothing needed "
                L"mending.");
  EXPECT_EQ(mended[2].file, replaced);
  EXPECT_EQ(mended[2].state, recorder::MendState::NotThatFile);
  EXPECT_EQ(recorder::MendedNotice(mended[3]),
            L"The recording \"" + file +
                L"\" was not finished when the program last ended. It has been mended and holds "
                L"5 frames.");
  EXPECT_TRUE(recorder::MendUnfinishedRecordings(Folder()).empty()) << "each is told once";
  ::GetFileAttributesExW(replaced.c_str(), GetFileExInfoStandard, &after);
  EXPECT_EQ(after.nFileSizeLow, 10u);
  ::GetFileAttributesExW(changed.c_str(), GetFileExInfoStandard, &after);
  EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
  EXPECT_EQ(::CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);
  EXPECT_EQ(Journals(Folder()), 1) << "only the running recording's journal is left";
  stillRecording->Finish();
  EXPECT_EQ(Journals(Folder()), 0);
  testing_support::WriteFacts(file + L".facts", {{"file", fw::WideToUtf8(file)},
                                                 {"codec_type", "video"},
                                                 {"codec", "rawvideo"},
                                                 {"width", "64"},
                                                 {"height", "48"},
                                                 {"rate", "10/1"},
                                                 {"frames_written", "5"},
                                                 {"slots", "6"}});
}

// The journal holds a record for every chunk AVIFile writes, the empty one of a slot that got no
// frame included, each with the flag the file's index gives it; the repair reads them in that
// order.
TEST(Survival, TheJournalHoldsEveryChunkWithItsKeyFrameFlag) {
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"flags.avi");
  auto journal = Record(file, {0, 1, 3, 4, 7}, {true, false, false, true, false});
  const std::wstring name = journal->Keep();
  ASSERT_FALSE(name.empty());
  using recorder::kIndexKeyFrame;
  EXPECT_EQ(VideoRecords(name),
            (std::vector<std::uint32_t>{kIndexKeyFrame, 0, 0, 0, kIndexKeyFrame, 0, 0, 0}));
  ::DeleteFileW(name.c_str());
}

// A file whose close did not leave it whole (its index cut off) is mended at once from its
// journal; a whole one lets its journal go.
TEST(Survival, AFileNotWholeAfterItsCloseIsMendedAtOnce) {
  const std::wstring whole = testing_support::ArtifactPath(L"engine", L"closed_whole.avi");
  auto wholeJournal = Record(whole, {0, 1, 2});
  EXPECT_FALSE(recorder::FinishRecordingFile(*wholeJournal, whole));
  EXPECT_FALSE(wholeJournal->Active());

  const std::wstring cut = testing_support::ArtifactPath(L"engine", L"closed_cut.avi");
  auto journal = Record(cut, {0, 1, 2, 4});
  HANDLE h = ::CreateFileW(cut.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ::SetFilePointer(h, -40, nullptr, FILE_END);
  ::SetEndOfFile(h);
  ::CloseHandle(h);
  const auto mended = recorder::FinishRecordingFile(*journal, cut);
  ASSERT_TRUE(mended);
  EXPECT_EQ(mended->state, recorder::MendState::Mended);
  EXPECT_EQ(mended->frames, 4);
  EXPECT_EQ(recorder::ClosedNotice(*mended),
            L"The file \"" + cut +
                L"\" could not be finished properly, so it was mended. It holds "
                L"4 frames.");
  EXPECT_EQ(Journals(Folder()), 0);
  testing_support::WriteFacts(cut + L".facts", {{"file", fw::WideToUtf8(cut)},
                                                {"codec_type", "video"},
                                                {"codec", "rawvideo"},
                                                {"width", "64"},
                                                {"height", "48"},
                                                {"rate", "10/1"},
                                                {"frames_written", "4"},
                                                {"slots", "5"}});
}
