// Recordings through the engine with its default compressor "MSVC", installed the way start-up
// installs it; ffprobe and ffmpeg check the files afterwards.
#include "recorder/builtin_video1_driver.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/core/fourcc.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include "framework/exception.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using testing_support::MessageBoxRecorder;
using testing_support::PictureWindow;
using testing_support::PumpUntil;

namespace {

class DefaultCompressorRecording : public ::testing::Test {
protected:
  void SetUp() override {
    cam.FShowFrame = false;
    cam.FOnStart = [this](fw::TObject*) { ++starts; };
    cam.FOnError = [this](fw::TObject*) { ++errors; };
    ::SetCursorPos(cam.FScreenWidth - 40, cam.FScreenHeight - 40);
  }

  void Record(fw::TControl* area, const std::wstring& file, DWORD ms) {
    cam.StartRecording(area, file);
    ASSERT_TRUE(PumpUntil([this] { return starts > 0 || !cam.FWorker; }, 10000));
    testing_support::PumpFor(ms);
    cam.StopRecording();
    ASSERT_TRUE(PumpUntil([this] { return cam.FWorker == nullptr; }, 10000));
  }

  void WriteFacts(const std::wstring& file, std::map<std::string, std::string> pixels) {
    pixels.insert({{"codec_type", "video"},
                   {"codec", "msvideo1"},
                   {"width", std::to_string(cam.FFrameWidth)},
                   {"height", std::to_string(cam.FFrameHeight)},
                   {"rate", std::to_string(cam.FPlaybackRate) + "/1"},
                   {"frames_written", std::to_string(cam.FFramesWritten)},
                   {"slots", std::to_string(cam.FFrameIndex + 1)}});
    testing_support::WriteFacts(file + L".facts", pixels);
  }

  fw::TForm owner{nullptr};
  recorder::TScreenCam cam{&owner};
  // As at start-up: ours only where the system's "MSVC" cannot compress the screen.
  recorder::BuiltinVideo1Installation installation = recorder::InstallBuiltinVideo1IfNeeded(
      cam.FBitsPerPixel, cam.FScreenWidth, cam.FScreenHeight);
  std::atomic<int> starts{0}, errors{0};
};

} // namespace

TEST_F(DefaultCompressorRecording, WholeScreenWithTheDefaultSettings) {
  PictureWindow picture(0, 0, 256, 192);
  testing_support::PumpFor(200);
  EXPECT_EQ(cam.FCompressorIndex, -1);
  EXPECT_EQ(cam.FCompressorHandler, recorder::kDefaultCompressor);
  const std::wstring file = testing_support::ArtifactPath(L"msvc_codec", L"default_screen.avi");
  MessageBoxRecorder boxes;
  Record(nullptr, file, 1500);
  for (const auto& box : boxes.Boxes())
    ADD_FAILURE() << fw::WideToUtf8(box.text);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(cam.FFrameWidth, cam.FScreenWidth);
  EXPECT_EQ(cam.FFrameHeight, cam.FScreenHeight);
  EXPECT_GE(cam.FFramesWritten, 5);
  EXPECT_TRUE(cam.FCompressorName.empty()); // no fallback was needed
  WriteFacts(file, {{"pixel.1", "64,48,255,0,0"},
                    {"pixel.2", "192,48,0,200,0"},
                    {"pixel.3", "64,144,0,0,255"},
                    {"pixel.4", "192,144,255,255,0"}});
}

TEST_F(DefaultCompressorRecording, ListedAndAlignedWhenChosenInTheSettings) {
  cam.ListCompressors();
  int chosen = -1;
  for (int i = 0; i < cam.FCompressorCount && chosen < 0; ++i)
    if ((cam.FCompressors[static_cast<size_t>(i)].fccHandler | 0x20202020) ==
        (recorder::kDefaultCompressor | 0x20202020))
      chosen = i;
  ASSERT_GE(chosen, 0) << "no MSVC compressor listed";
  cam.FCompressorIndex = chosen;
  cam.FCompressorHandler = cam.FCompressors[static_cast<size_t>(chosen)].fccHandler;

  PictureWindow picture(40, 40, 200, 160);
  testing_support::PumpFor(200);
  engine_tests::AreaControl area(40, 40, 201, 161);
  const std::wstring file = testing_support::ArtifactPath(L"msvc_codec", L"aligned_area.avi");
  MessageBoxRecorder boxes;
  Record(&area, file, 800);
  for (const auto& box : boxes.Boxes())
    ADD_FAILURE() << fw::WideToUtf8(box.text);
  // Video 1 takes multiples of 4 only: the engine's alignment steps make the area fit.
  EXPECT_EQ(cam.FFrameWidth, 204);
  EXPECT_EQ(cam.FFrameHeight, 164);
  EXPECT_TRUE(cam.FCompressorName.empty());
  EXPECT_GE(cam.FFramesWritten, 3);
  WriteFacts(file, {{"pixel.1", "50,40,255,0,0"}, {"pixel.2", "150,120,255,255,0"}});
}
