// Records the whole screen uncompressed (through the in-process test compressor, about 5 MB a
// frame at 1280 x 1024 x 32) as fast as it can until the recording's files hold a given number
// of megabytes or the recording ends by itself, then stops and prints what happened: frames,
// slots, the message boxes shown, and the size of every file written.
//   avi_limit_probe FILE MEGABYTES [nolimit]
// "nolimit" raises the engine's file size limit out of reach, to see what AVIFile does past 2 GB.
#include "framework/application.h"
#include "framework/exception.h"
#include "recorder/core/file_room.h"
#include "recorder/scrcam.h"
#include "tests/windows/support/test_codec.h"
#include "tests/windows/support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

std::uint64_t FileSize(const std::wstring& name) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Bytes in the recording's files: the name and its follow-on files.
std::uint64_t RecordedBytes(const std::wstring& file, int* parts) {
  std::uint64_t total = 0;
  *parts = 0;
  for (int part = 1; part < 1000; ++part) {
    const std::wstring name = recorder::FollowOnName(file, part);
    if (::GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) break;
    total += FileSize(name);
    *parts = part;
  }
  return total;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: avi_limit_probe FILE MEGABYTES [nolimit]\n");
    return 2;
  }
  const std::wstring file = fw::Utf8ToWide(argv[1]);
  const std::uint64_t stopAt = std::strtoull(argv[2], nullptr, 10) << 20;
  const bool noLimit = argc > 3 && std::strcmp(argv[3], "nolimit") == 0;

  fw::TApplication application;
  testing_support::ScopedTestCodec codec;
  testing_support::MessageBoxRecorder boxes;
  fw::TForm owner(nullptr);
  recorder::TScreenCam cam(&owner);
  cam.FShowFrame = false;
  cam.FMsPerFrame = 1;
  cam.ListCompressors();
  for (int i = 0; i < cam.FCompressorCount; ++i)
    if (cam.FCompressors[static_cast<size_t>(i)].fccHandler == testing_support::kTestCodecHandler)
      cam.FCompressorIndex = i;
  cam.FCompressorHandler = testing_support::kTestCodecHandler;
  if (noLimit) cam.FileSizeLimit = std::numeric_limits<std::uint64_t>::max();
  int errors = 0;
  cam.FOnError = [&](fw::TObject*) { ++errors; };
  std::printf("screen %dx%d at %d bpp, file size limit %s\n", cam.FScreenWidth, cam.FScreenHeight,
              cam.FBitsPerPixel, noLimit ? "off" : "on");

  const double start = testing_support::MillisecondsNow();
  auto seconds = [&] { return (testing_support::MillisecondsNow() - start) / 1000; };
  cam.StartRecording(nullptr, file);
  int parts = 0;
  std::uint64_t nextReport = 256u << 20, lastBytes = 0;
  double lastGrowth = 0;
  // Bounded: ten minutes at most, and a stop once the files have not grown for ten seconds.
  while (cam.FWorker && lastBytes < stopAt && seconds() < 600 && seconds() - lastGrowth < 10) {
    testing_support::PumpFor(200);
    const std::uint64_t bytes = RecordedBytes(file, &parts);
    if (bytes != lastBytes) lastBytes = bytes, lastGrowth = seconds();
    if (bytes >= nextReport) {
      std::printf("  %4.0f s: %llu MB in %d file(s), %lld frames\n", seconds(),
                  static_cast<unsigned long long>(bytes >> 20), parts,
                  static_cast<long long>(cam.FFramesWritten));
      std::fflush(stdout);
      nextReport += 256u << 20;
    }
  }
  if (cam.FWorker && seconds() - lastGrowth >= 10)
    std::printf("the files stopped growing at %llu bytes, %.0f s ago; %lld frames written by now\n",
                static_cast<unsigned long long>(lastBytes), seconds() - lastGrowth,
                static_cast<long long>(cam.FFramesWritten));
  const bool endedByItself = cam.FWorker == nullptr;
  cam.StopRecording();
  const bool ended = testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 60000);
  std::printf("%s after %.0f s: %lld frames written, last slot %lld, %d error event(s)%s\n",
              endedByItself ? "ended by itself" : "stopped", seconds(),
              static_cast<long long>(cam.FFramesWritten), static_cast<long long>(cam.FFrameIndex),
              errors, ended ? "" : "; the worker did not end within 60 s");
  for (const auto& box : boxes.Boxes())
    std::printf("message box \"%s\": %s\n", fw::WideToUtf8(box.caption).c_str(),
                fw::WideToUtf8(box.text).c_str());
  RecordedBytes(file, &parts);
  for (int part = 1; part <= parts; ++part) {
    const std::wstring name = recorder::FollowOnName(file, part);
    std::printf("file %s: %llu bytes\n", fw::WideToUtf8(name).c_str(),
                static_cast<unsigned long long>(FileSize(name)));
  }
  std::fflush(stdout);
  // A worker that hangs would keep the engine's destructor waiting.
  if (!ended) ::TerminateProcess(::GetCurrentProcess(), 3);
  return 0;
}
