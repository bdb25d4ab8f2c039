// AVIFile drives the built-in compressor the way the recording engine does; ffprobe and ffmpeg
// check the files afterwards (facts written next to them).
#include "recorder/builtin_video1_driver.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/vfw.h"
#include "tests/windows/msvc_codec/video1_test_frames.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <string>

using msvc_codec_tests::TestFrame;

namespace {

constexpr int kWidth = 320, kHeight = 240, kFramesWritten = 9;

// Writes frames at slots 0, 2, 4, ... through a compressed stream with handler "MSVC".
void WriteFile(const std::wstring& path, int bitsPerPixel) {
  recorder::vfw::AviLibrary library;
  recorder::vfw::AviFile file;
  ASSERT_EQ(::AVIFileOpenW(file.out(), path.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
  TestFrame first(kWidth, kHeight, bitsPerPixel, 0);
  AVISTREAMINFOW info{};
  info.fccType = streamtypeVIDEO;
  info.dwScale = 1;
  info.dwRate = 10;
  info.dwSuggestedBufferSize = first.Header()->biSizeImage;
  info.rcFrame = {0, 0, kWidth, kHeight};
  recorder::vfw::AviStream plain, compressed;
  ASSERT_EQ(::AVIFileCreateStreamW(file.get(), plain.out(), &info), AVIERR_OK);
  AVICOMPRESSOPTIONS options{};
  options.fccType = streamtypeVIDEO;
  options.fccHandler = recorder::kVideo1Handler;
  options.dwKeyFrameEvery = 5;
  options.dwQuality = 6550;
  options.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
  ASSERT_EQ(::AVIMakeCompressedStream(compressed.out(), plain.get(), &options, nullptr), AVIERR_OK);
  ASSERT_EQ(::AVIStreamSetFormat(compressed.get(), 0, first.Header(), first.FormatBytes()),
            AVIERR_OK);
  for (int i = 0; i < kFramesWritten; ++i) {
    TestFrame frame(kWidth, kHeight, bitsPerPixel, i * 8);
    ASSERT_EQ(::AVIStreamWrite(compressed.get(), 2 * i, 1, frame.Pixels(), frame.PixelBytes(), 0,
                               nullptr, nullptr),
              AVIERR_OK)
        << "frame " << i;
  }
}

// Key frames among the written slots, read back through AVIFile.
int KeyFramesIn(const std::wstring& path) {
  recorder::vfw::AviLibrary library;
  recorder::vfw::AviFile file;
  if (::AVIFileOpenW(file.out(), path.c_str(), OF_READ, nullptr) != AVIERR_OK) return -1;
  recorder::vfw::AviStream stream;
  if (::AVIFileGetStream(file.get(), stream.out(), streamtypeVIDEO, 0) != AVIERR_OK) return -1;
  int keys = 0;
  for (int i = 0; i < kFramesWritten; ++i)
    keys += AVIStreamIsKeyFrame(stream.get(), 2 * i) ? 1 : 0;
  return keys;
}

} // namespace

TEST(BuiltinVideo1AviFile, EveryDepthGivesAStreamThatFfmpegDecodes) {
  auto installation = recorder::InstallBuiltinVideo1();
  ASSERT_TRUE(installation.Installed());
  for (int bpp : {8, 16, 24, 32}) {
    const std::wstring path = testing_support::ArtifactPath(
        L"msvc_codec", L"avifile_" + std::to_wstring(bpp) + L"bpp.avi");
    WriteFile(path, bpp);
    if (HasFatalFailure()) return;
    const int keys = KeyFramesIn(path);
    EXPECT_GE(keys, 1) << bpp;              // the first frame at least
    EXPECT_LT(keys, kFramesWritten) << bpp; // delta frames are marked as such
    // Quadrant centres of the first frame, counted from the top-left.
    testing_support::WriteFacts(path + L".facts",
                                {{"codec_type", "video"},
                                 {"codec", "msvideo1"},
                                 {"width", std::to_string(kWidth)},
                                 {"height", std::to_string(kHeight)},
                                 {"rate", "10/1"},
                                 {"slots", std::to_string(2 * kFramesWritten - 1)},
                                 {"frames_written", std::to_string(kFramesWritten)},
                                 {"pixel.1", "80,60,255,0,0"},
                                 {"pixel.2", "240,60,0,200,0"},
                                 {"pixel.3", "80,180,0,0,255"},
                                 {"pixel.4", "240,180,255,255,0"},
                                 {"pixel.5", "3,3,255,255,255"}});
  }
}
