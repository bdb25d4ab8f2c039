#include "framework/exception.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/core/file_room.h"
#include "recorder/core/fourcc.h"
#include "recorder/flashwnd.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <atomic>
#include <string>
#include <vector>

using namespace engine_tests;
using testing_support::MessageBoxRecorder;
using testing_support::PictureWindow;
using testing_support::PumpUntil;
using testing_support::ScopedTestCodec;

namespace {

std::string Num(long long v) {
  return std::to_string(v);
}

class Recording : public ::testing::Test {
protected:
  void SetUp() override {
    owner.Handle(); // messages of the recording are owned by it
    cam.FShowFrame = false;
    cam.FOnStart = [this](fw::TObject* sender) {
      EXPECT_EQ(sender, &cam);
      eventThread = ::GetCurrentThreadId();
      ++starts;
    };
    cam.FOnStop = [this](fw::TObject*) { ++stops; };
    cam.FOnUpdate = [this](fw::TObject*) { ++updates; };
    cam.FOnError = [this](fw::TObject*) { ++errors; };
  }

  // Starts a recording of `area` into `file`, waits `ms`, stops it and waits for the worker.
  void Record(fw::TControl* area, const std::wstring& file, DWORD ms) {
    cam.StartRecording(area, file);
    ASSERT_TRUE(PumpUntil([this] { return starts > 0 || !cam.FWorker; }, 10000));
    testing_support::PumpFor(ms);
    cam.StopRecording();
    ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  }

  // What the script checks with ffprobe and ffmpeg.
  void WriteRecordingFacts(const std::wstring& file, const std::string& codec) {
    std::map<std::string, std::string> facts{
        {"file", fw::WideToUtf8(file)},
        {"codec_type", "video"},
        {"codec", codec},
        {"width", Num(cam.FFrameWidth)},
        {"height", Num(cam.FFrameHeight)},
        {"rate", Num(cam.FPlaybackRate) + "/1"},
        {"frames_written", Num(cam.FFramesWritten)},
        {"slots", Num(cam.FFrameIndex + 1)},
    };
    for (const auto& [key, value] : extraFacts)
      facts[key] = value;
    testing_support::WriteFacts(file + L".facts", facts);
  }

  fw::TForm owner{nullptr};
  recorder::TScreenCam cam{&owner};
  std::atomic<int> starts{0}, stops{0}, updates{0}, errors{0};
  std::atomic<DWORD> eventThread{0};
  const DWORD mainThread = ::GetCurrentThreadId();
  std::map<std::string, std::string> extraFacts;
};

} // namespace

TEST_F(Recording, WritesAreaWithTestCompressor) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  PictureWindow picture(64, 64, 256, 192);
  ::SetCursorPos(1000, 700);
  AreaControl area(64, 64, 256, 192);
  cam.FPlaybackRate = 15;
  cam.FMsPerFrame = 50;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"area.avi");
  MessageBoxRecorder boxes;
  Record(&area, file, 1500);

  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(starts, 1);
  EXPECT_NE(eventThread, mainThread); // events come from the worker
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(errors, 0);
  EXPECT_GE(updates, 2);
  EXPECT_EQ(cam.FFrameWidth, 256);
  EXPECT_EQ(cam.FFrameHeight, 192);
  EXPECT_GE(cam.FFramesWritten, 5);
  EXPECT_GE(cam.FFrameIndex, 20); // ~1.5 s at 50 ms per slot
  EXPECT_LE(cam.FFrameIndex, 60);
  EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler);
  EXPECT_FALSE(cam.FRecording);
  // Quadrant centres of the picture, top-down frame coordinates.
  extraFacts = {{"pixel.1", "64,48,255,0,0"},
                {"pixel.2", "192,48,0,200,0"},
                {"pixel.3", "64,144,0,0,255"},
                {"pixel.4", "192,144,255,255,0"}};
  WriteRecordingFacts(file, "rawvideo");
}

TEST_F(Recording, WritesWholeScreen) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  PictureWindow picture(0, 0, 128, 128);
  cam.FPlaybackRate = 5;
  cam.FMsPerFrame = 200;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"screen.avi");
  Record(nullptr, file, 700);
  EXPECT_EQ(cam.FFrameWidth, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cam.FFrameHeight, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(cam.FFramesWritten, 2);
  extraFacts = {{"pixel.1", "32,32,255,0,0"}, {"pixel.2", "96,96,255,255,0"}};
  WriteRecordingFacts(file, "rawvideo");
}

TEST_F(Recording, StopIsSeenWithinOneSleepSlice) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(0, 0, 64, 64);
  cam.FMsPerFrame = 10000; // slices of one second
  cam.StartRecording(&area, testing_support::ArtifactPath(L"engine", L"slow.avi"));
  ASSERT_TRUE(PumpUntil([this] { return starts > 0; }, 10000));
  testing_support::PumpFor(300);
  const DWORD asked = ::GetTickCount();
  cam.StopRecording();
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 15000));
  const DWORD took = ::GetTickCount() - asked;
  // Without slicing the worker would sleep out the whole 10 s interval.
  EXPECT_LT(took, 2500u);
  EXPECT_EQ(cam.FFramesWritten, 1);
}

TEST_F(Recording, SecondStartIsIgnoredWhileRecording) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(0, 0, 64, 64);
  cam.StartRecording(&area, testing_support::ArtifactPath(L"engine", L"first.avi"));
  auto* worker = cam.FWorker;
  cam.StartRecording(&area, testing_support::ArtifactPath(L"engine", L"second.avi"));
  EXPECT_EQ(cam.FWorker, worker);
  cam.StopRecording();
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(::GetFileAttributesW(testing_support::ArtifactPath(L"engine", L"second.avi").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(Recording, SizeIsAlignedForCompressorsThatNeedIt) {
  ScopedTestCodec codec({.alignment = 4});
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(10, 10, 321, 201);
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"aligned.avi");
  Record(&area, file, 300);
  EXPECT_EQ(cam.FFrameWidth, 324);
  EXPECT_EQ(cam.FFrameHeight, 204);
  EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler);
  WriteRecordingFacts(file, "rawvideo");
}

TEST_F(Recording, FallsBackToDefaultWhenNoAlignmentHelps) {
  // Takes the 320 x 200 probe but no width of 322, 324 or 328.
  ScopedTestCodec codec({.alignment = 2, .maxWidth = 320});
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(10, 10, 321, 201);
  MessageBoxRecorder boxes(IDNO);
  cam.FRecording = false; // only the checks and the file set-up run
  cam.RecordToFile(&area, testing_support::ArtifactPath(L"engine", L"fallback.avi"));
  EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
  EXPECT_EQ(cam.FCompressorName, L"Default Compressor");
  // Nor does the default (Wine's Video 1 compresses nothing): the format describes the
  // unaligned rectangle.
  EXPECT_EQ(cam.FFrameWidth, 321);
  EXPECT_EQ(cam.FFrameHeight, 201);
}

TEST_F(Recording, FailingCompressorOffersTheDefault) {
  for (int answer : {IDNO, IDYES}) {
    ScopedTestCodec codec({.failCompress = true});
    ASSERT_TRUE(ChooseTestCodec(cam));
    AreaControl area(0, 0, 64, 64);
    MessageBoxRecorder boxes(answer);
    errors = 0;
    cam.FRecording = true; // the loop runs until the first write fails
    int result = cam.RecordToFile(&area, testing_support::ArtifactPath(L"engine", L"failing.avi"));
    cam.FRecording = false;
    auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              L"Error recording AVI file using current compressor. Use default compressor? ");
    EXPECT_EQ(shown[0].caption, L"Notice");
    EXPECT_EQ(shown[0].type, 0x34u | recorder::TScreenCam::kMessageOnTop);
    EXPECT_EQ(shown[0].owner, owner.Handle());
    EXPECT_EQ(errors, 1);
    if (answer == IDNO) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler);
    } else {
      EXPECT_EQ(result, -1);
      EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
      EXPECT_EQ(cam.FCompressorName, L"Default Compressor");
    }
  }
}

TEST_F(Recording, UnwritablePathWithDefaultCompressorSaysSo) {
  MessageBoxRecorder boxes;
  AreaControl area(0, 0, 64, 64);
  cam.FRecording = true;
  int result = cam.RecordToFile(&area, L"Z:\\no\\such\\folder\\clip.avi");
  cam.FRecording = false;
  EXPECT_EQ(result, 0);
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"Error Creating AVI file");
  EXPECT_EQ(shown[0].caption, L"Error");
  EXPECT_EQ(shown[0].type,
            static_cast<UINT>(MB_ICONEXCLAMATION | recorder::TScreenCam::kMessageOnTop));
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(starts, 0);
  EXPECT_EQ(stops, 0);
}

TEST_F(Recording, IV50IsReplacedByTheDefault) {
  MessageBoxRecorder boxes;
  cam.FCompressorHandler = recorder::FourCC("IV50");
  AreaControl area(0, 0, 64, 64);
  cam.FRecording = false;
  cam.RecordToFile(&area, testing_support::ArtifactPath(L"engine", L"iv50.avi"));
  EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
  EXPECT_EQ(cam.FCompressorName, L"Default Compressor");
}

TEST_F(Recording, FrameWindowFollowsTheRectangleDuringTheRecording) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  cam.FShowFrame = true;
  cam.FFrameFollows = true;
  AreaControl area(200, 200, 100, 100);
  cam.StartRecording(&area, testing_support::ArtifactPath(L"engine", L"framed.avi"));
  ASSERT_TRUE(PumpUntil([this] { return starts > 0; }, 10000));
  testing_support::PumpFor(300);
  HWND frame = cam.FFrameWnd->Handle();
  EXPECT_TRUE(::IsWindowVisible(frame));
  RECT r;
  ::GetWindowRect(frame, &r);
  EXPECT_EQ(r.left, 192);
  EXPECT_EQ(r.top, 192);
  EXPECT_EQ(r.right, 308);
  EXPECT_EQ(r.bottom, 308);
  cam.StopRecording();
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  EXPECT_FALSE(::IsWindowVisible(frame));
}

TEST(RecordingShutdown, DestroyingTheEngineFinishesTheFile) {
  ScopedTestCodec codec;
  fw::TForm owner(nullptr);
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"shutdown.avi");
  int written = 0, lastSlot = 0;
  {
    recorder::TScreenCam cam(&owner);
    cam.FShowFrame = true; // hand-offs are pending while the engine goes
    ASSERT_TRUE(ChooseTestCodec(cam));
    AreaControl area(0, 0, 96, 64);
    cam.StartRecording(&area, file);
    testing_support::PumpFor(800);
    ASSERT_TRUE(cam.FWorker);
    // ~TScreenCam stops the recording and waits for the worker.
    cam.FOnStop = [&](fw::TObject*) {
      written = cam.FFramesWritten;
      lastSlot = cam.FFrameIndex;
    };
  }
  EXPECT_GT(written, 0);
  testing_support::WriteFacts(file + L".facts", {{"file", fw::WideToUtf8(file)},
                                                 {"codec_type", "video"},
                                                 {"codec", "rawvideo"},
                                                 {"width", "96"},
                                                 {"height", "64"},
                                                 {"rate", "10/1"},
                                                 {"frames_written", std::to_string(written)},
                                                 {"slots", std::to_string(lastSlot + 1)}});
}

TEST_F(Recording, DefaultCompressorSizeIsAlignedToo) {
  // Video 1 takes only multiples of 4; the default path aligns like a chosen compressor.
  auto video1 = recorder::InstallBuiltinVideo1();
  ASSERT_EQ(cam.FCompressorIndex, -1);
  PictureWindow picture(10, 10, 321, 201);
  AreaControl area(10, 10, 321, 201);
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"default_aligned.avi");
  MessageBoxRecorder boxes;
  Record(&area, file, 600);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(cam.FFrameWidth, 324);
  EXPECT_EQ(cam.FFrameHeight, 204);
  EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
  EXPECT_GT(cam.FFramesWritten, 0);
  extraFacts = {{"pixel.1", "40,40,255,0,0"}, {"pixel.2", "280,160,255,255,0"}};
  WriteRecordingFacts(file, "msvideo1");
}

TEST_F(Recording, CompressorListNamesEachCompressorOnce) {
  auto video1 = recorder::InstallBuiltinVideo1();
  ScopedTestCodec codec;
  for (int round = 0; round < 2; ++round) { // reopening gives the same list
    cam.ListCompressors();
    ASSERT_GE(cam.FCompressorCount, 2);
    ASSERT_LE(cam.FCompressorCount, recorder::TScreenCam::kMaxCompressors);
    int video1Entries = 0, testEntries = 0;
    for (int i = 0; i < cam.FCompressorCount; ++i) {
      const ICINFO& entry = cam.FCompressors[static_cast<size_t>(i)];
      video1Entries += (entry.fccHandler & 0xDFDFDFDF) == recorder::kDefaultCompressor;
      testEntries += entry.fccHandler == testing_support::kTestCodecHandler;
      EXPECT_NE(entry.szDescription[0], L'\0') << i;
    }
    EXPECT_EQ(video1Entries, 1);
    EXPECT_EQ(testEntries, 1);
  }
}

// What reaches the compressor with every frame: the quality of the settings, and a key frame
// asked for at the first frame and then whenever the key-frame interval has passed since the
// last one (counted in slots).
TEST_F(Recording, CompressorGetsTheQualityAndKeyFrameInterval) {
  for (auto [quality, keyEvery] : {std::pair{4300, 3}, std::pair{10000, 1}, std::pair{0, 7}}) {
    SCOPED_TRACE(keyEvery);
    ScopedTestCodec codec;
    ASSERT_TRUE(ChooseTestCodec(cam));
    cam.FQuality = quality;
    cam.FKeyFrameEvery = keyEvery;
    cam.FMsPerFrame = 20;
    AreaControl area(0, 0, 64, 48);
    Record(&area, testing_support::ArtifactPath(L"engine", L"options.avi"), 600);
    auto calls = ScopedTestCodec::Calls();
    ASSERT_GE(calls.size(), 10u);
    ASSERT_EQ(calls.size(), static_cast<size_t>(cam.FFramesWritten));
    for (const auto& call : calls)
      EXPECT_EQ(call.quality, static_cast<DWORD>(quality)) << call.frameNum;
    EXPECT_EQ(testing_support::KeyFrameMismatches(calls, keyEvery), std::vector<long>{});
  }
}

// A recording crossing the (lowered) size limit three times goes on in three follow-on files:
// the script checks each with ffprobe, their timelines starting at their first frames and their
// slots adding up to the whole recording. Frames take three slots to compress, so empty slots
// come before every frame, also before the first of each follow-on file. A file the user has
// under a follow-on name keeps its bytes: that number is skipped, and a notice, shown by the main
// thread once the recording has ended, names the files.
TEST_F(Recording, LongRecordingsGoOnInFollowOnFiles) {
  ScopedTestCodec codec({.compressMs = 30});
  ASSERT_TRUE(ChooseTestCodec(cam));
  cam.FMsPerFrame = 10;
  AreaControl area(0, 0, 96, 64);
  const DWORD frameBytes = 96 * 64 * static_cast<DWORD>(cam.FBitsPerPixel) / 8;
  cam.FileSizeLimit = recorder::kCloseReserve + 12 * (frameBytes + 200);
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"split.avi");
  auto exists = [](const std::wstring& name) {
    return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  for (int part = 1; part <= 6; ++part)
    ::DeleteFileW(recorder::FollowOnName(file, part).c_str());
  const std::wstring users = recorder::FollowOnName(file, 3);
  {
    HANDLE h = ::CreateFileW(users.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, "the user's", 10, &written, nullptr);
    ::CloseHandle(h);
  }
  MessageBoxRecorder boxes;
  cam.StartRecording(&area, file);
  ASSERT_TRUE(PumpUntil([&] { return exists(recorder::FollowOnName(file, 5)); }, 30000));
  testing_support::PumpFor(100);
  cam.StopRecording();
  const DWORD elapsed = ::timeGetTime() - cam.FStartTime;
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  EXPECT_FALSE(exists(recorder::FollowOnName(file, 6)));
  for (int part : {1, 2, 4, 5}) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW(recorder::FollowOnName(file, part).c_str(),
                                       GetFileExInfoStandard, &data));
    EXPECT_LE(data.nFileSizeLow, cam.FileSizeLimit) << part;
  }
  WIN32_FILE_ATTRIBUTE_DATA kept{};
  ASSERT_TRUE(::GetFileAttributesExW(users.c_str(), GetFileExInfoStandard, &kept));
  EXPECT_EQ(kept.nFileSizeLow, 10u) << "the user's file is untouched";
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"The recording was saved in 4 files, because one AVI file holds at "
                           L"most 2 GB:\n" +
                               file + L"\n" + recorder::FollowOnName(file, 2) + L"\n" +
                               recorder::FollowOnName(file, 4) + L"\n" +
                               recorder::FollowOnName(file, 5));
  EXPECT_EQ(shown[0].threadId, mainThread);
  EXPECT_EQ(shown[0].owner, owner.Handle());
  EXPECT_EQ(shown[0].type,
            static_cast<UINT>(MB_ICONEXCLAMATION | recorder::TScreenCam::kMessageOnTop));
  // The slots of all files cover the time recorded.
  EXPECT_NEAR(static_cast<double>(cam.FFrameIndex + 1), elapsed / 10.0, 10);
  extraFacts = {{"files", "split.avi,split-2.avi,split-4.avi,split-5.avi"}};
  WriteRecordingFacts(file, "rawvideo");
}

// With sound (the default input of the test run's sound server), each follow-on file has the
// sound from its first frame on; the script checks with ffprobe that each file's sound lasts as
// long as its picture and that together they hold the recording's sound once.
TEST_F(Recording, SoundGoesIntoEachFollowOnFileFromItsFirstFrame) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  cam.FMsPerFrame = 20;
  cam.Sound.record = true;
  AreaControl area(0, 0, 96, 64);
  cam.FileSizeLimit = recorder::kCloseReserve + 1024 * 1024;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"sound_split.avi");
  for (int part = 1; part <= 9; ++part)
    ::DeleteFileW(recorder::FollowOnName(file, part).c_str());
  MessageBoxRecorder boxes;
  cam.StartRecording(&area, file);
  ASSERT_TRUE(PumpUntil(
      [&] {
        return ::GetFileAttributesW(recorder::FollowOnName(file, 3).c_str()) !=
                   INVALID_FILE_ATTRIBUTES ||
               !cam.FWorker;
      },
      30000));
  testing_support::PumpFor(500);
  cam.StopRecording();
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 20000));
  // The sound was opened (a busy machine may leave a gap, which is told).
  for (const auto& box : boxes.Boxes())
    EXPECT_EQ(box.text.find(L"Record without sound?"), std::wstring::npos)
        << fw::WideToUtf8(box.text);
  ASSERT_GE(cam.FilesWritten.size(), 3u);
  std::string names;
  for (const std::wstring& name : cam.FilesWritten)
    names += (names.empty() ? "" : ",") + fw::WideToUtf8(name.substr(name.find_last_of(L'\\') + 1));
  extraFacts = {{"files", names}, {"rate", "50/1"}, {"sound", "44100"}};
  WriteRecordingFacts(file, "rawvideo");
}

// A follow-on file that cannot be made ends the recording with a notice; the first file is
// complete. (The first name is as long as a path may be: the follow-on's is two longer.)
TEST_F(Recording, AFollowOnFileThatCannotBeMadeStopsTheRecording) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  cam.FMsPerFrame = 20;
  AreaControl area(0, 0, 96, 64);
  cam.FileSizeLimit = recorder::kCloseReserve + 5 * 96 * 64 * 4;
  std::wstring file = testing_support::ArtifactPath(L"engine", L"b");
  file += std::wstring(MAX_PATH - 1 - file.size() - 4, L'b') + L".avi";
  MessageBoxRecorder boxes;
  cam.StartRecording(&area, file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"The recording was stopped because its next file could not be "
                           L"created. Everything recorded until now has been saved.");
  EXPECT_EQ(shown[0].caption, L"Notice");
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(stops, 1);
  const std::wstring kept = testing_support::ArtifactPath(L"engine", L"blocked.avi");
  ASSERT_TRUE(::MoveFileExW(file.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING));
  extraFacts = {{"slots", ""}}; // the last capture went to no file
  WriteRecordingFacts(kept, "rawvideo");
}

// A follow-on file that opens but whose stream takes no format is removed and not named: the
// recording stops as when the file cannot be made at all, and the notice names no files.
TEST_F(Recording, AFollowOnFileWhoseStreamFailsIsRemoved) {
  ScopedTestCodec codec({.failFormatAfter = 3});
  ASSERT_TRUE(ChooseTestCodec(cam));
  cam.FMsPerFrame = 20;
  AreaControl area(0, 0, 96, 64);
  cam.FileSizeLimit = recorder::kCloseReserve + 5 * 96 * 64 * 4;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"no_stream.avi");
  const std::wstring next = recorder::FollowOnName(file, 2);
  ::DeleteFileW(next.c_str());
  MessageBoxRecorder boxes;
  cam.StartRecording(&area, file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  EXPECT_EQ(::GetFileAttributesW(next.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(cam.FilesWritten, std::vector<std::wstring>{file});
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u) << "no notice names the files";
  EXPECT_EQ(shown[0].text, L"The recording was stopped because its next file could not be "
                           L"created. Everything recorded until now has been saved.");
  extraFacts = {{"slots", ""}};
  WriteRecordingFacts(file, "rawvideo");
}

// Once frames exist, a failing compressor stops the recording with a notice and the file keeps
// them: no offer of the default compressor, which would record over them.
TEST_F(Recording, AFailureAfterTheFirstFramesKeepsThem) {
  ScopedTestCodec codec({.failAfter = 5});
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(0, 0, 64, 48);
  cam.FMsPerFrame = 20;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"failed_later.avi");
  MessageBoxRecorder boxes(IDYES);
  cam.StartRecording(&area, file);
  ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"The recording was stopped because a frame could not be written or "
                           L"compressed. Everything recorded until now has been saved.");
  EXPECT_EQ(shown[0].threadId, mainThread);
  EXPECT_EQ(cam.FFramesWritten, 5);
  EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler);
  extraFacts = {{"slots", ""}};
  WriteRecordingFacts(file, "rawvideo");
}

// The default compressor takes over aligned for it (Video 1: multiples of 4) on every path: when
// the chosen one takes no alignment, and on the retry after the chosen one failed.
TEST_F(Recording, TheDefaultCompressorIsAlignedOnEveryFallback) {
  auto video1 = recorder::InstallBuiltinVideo1();
  AreaControl area(10, 10, 321, 201);
  {
    ScopedTestCodec codec({.alignment = 2, .maxWidth = 320});
    ASSERT_TRUE(ChooseTestCodec(cam));
    MessageBoxRecorder boxes;
    cam.FRecording = false; // only the checks and the file set-up run
    cam.RecordToFile(&area, testing_support::ArtifactPath(L"engine", L"fallback.avi"));
    EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
    EXPECT_EQ(cam.FFrameWidth, 324);
    EXPECT_EQ(cam.FFrameHeight, 204);
  }
  ScopedTestCodec codec({.failCompress = true});
  ASSERT_TRUE(ChooseTestCodec(cam));
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"retried.avi");
  MessageBoxRecorder boxes(IDYES);
  PictureWindow picture(10, 10, 321, 201);
  Record(&area, file, 600);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].caption, L"Notice") << "the offer of the default compressor";
  EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
  EXPECT_EQ(cam.FFrameWidth, 324);
  EXPECT_EQ(cam.FFrameHeight, 204);
  EXPECT_GT(cam.FFramesWritten, 0);
  WriteRecordingFacts(file, "msvideo1");
}

// Each recording reads the screen's size and depth anew (a resolution changed since); one that
// stops before its first frame says that nothing was recorded and leaves no empty file.
TEST_F(Recording, EachRecordingReadsTheScreenAndSaysWhenNothingWasRecorded) {
  const int depth = cam.FBitsPerPixel;
  cam.FScreenWidth = 640;
  cam.FScreenHeight = 480;
  cam.FBitsPerPixel = depth == 8 ? 16 : 8;
  ScopedTestCodec codec;
  cam.FCompressorHandler = testing_support::kTestCodecHandler;
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"nothing.avi");
  MessageBoxRecorder boxes;
  cam.FRecording = false;
  EXPECT_EQ(cam.RecordToFile(nullptr, file), 1);
  EXPECT_EQ(cam.FFrameWidth, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cam.FFrameHeight, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(cam.FBitsPerPixel, depth);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            L"Nothing was recorded: the recording was stopped before its first frame.");
  EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A recording that stops before its first frame removes only a file it made: a file that had the
// name before (the user agreed to replace it) is never deleted.
TEST_F(Recording, NothingRecordedKeepsAFileThatExistedBefore) {
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(0, 0, 64, 48);
  const std::wstring file = testing_support::ArtifactPath(L"engine", L"existing.avi");
  {
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, "the user's", 10, &written, nullptr);
    ::CloseHandle(h);
  }
  MessageBoxRecorder boxes;
  cam.FRecording = false;
  EXPECT_EQ(cam.RecordToFile(&area, file), 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(cam.FilesWritten.empty());
}

// A worker thread that cannot be started (the address space is used up) is reported, and leaves
// the engine ready for the next start: no recording flag, no worker.
TEST_F(Recording, AWorkerThatCannotStartLeavesNothingBehind) {
  if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit address space cannot be used up";
  ScopedTestCodec codec;
  ASSERT_TRUE(ChooseTestCodec(cam));
  AreaControl area(0, 0, 64, 48);
  MessageBoxRecorder boxes;
  std::vector<void*> taken;
  for (SIZE_T size = 64u << 20; size >= (1u << 20); size /= 2)
    while (void* p = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
      taken.push_back(p);
  const bool started = cam.StartRecording(&area, L"C:\\never.avi");
  for (void* p : taken)
    ::VirtualFree(p, 0, MEM_RELEASE);
  EXPECT_FALSE(started);
  EXPECT_FALSE(cam.FRecording);
  EXPECT_EQ(cam.FWorker, nullptr);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            L"The recording could not be started: the system could not start its thread.");
  // The next start works.
  Record(&area, testing_support::ArtifactPath(L"engine", L"after_no_thread.avi"), 300);
  EXPECT_GT(cam.FFramesWritten, 0);
}
