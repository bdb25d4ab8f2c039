// Prints the cost of one frame grab (CaptureFrame + ReleaseFrame) at the full screen, and how
// many frames a recording writes per second when the interval is 1 ms, through the in-process
// uncompressed test compressor (so the figure is the engine's, not a codec's).
#include "framework/application.h"
#include "recorder/scrcam.h"
#include "tests/windows/support/test_codec.h"
#include "tests/windows/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

class ScreenArea : public fw::TControl {
public:
  ScreenArea(int w, int h) : fw::TControl(nullptr) { SetBounds(0, 0, w, h); }
};

} // namespace

int main() {
  fw::TApplication application;
  fw::TForm owner(nullptr);
  recorder::TScreenCam cam(&owner);
  cam.FShowFrame = false;
  std::printf("screen %dx%d at %d bpp\n", cam.FScreenWidth, cam.FScreenHeight, cam.FBitsPerPixel);

  // The grab on the main thread (as the compressor list takes its probe) and on a worker thread
  // (as a recording takes every frame).
  auto measure = [&cam](const char* where) {
    std::vector<double> times;
    for (int i = 0; i < 60; ++i) {
      const double start = testing_support::MillisecondsNow();
      BITMAPINFOHEADER* frame = cam.CaptureFrame(0, 0, cam.FScreenWidth, cam.FScreenHeight);
      cam.ReleaseFrame(frame);
      if (i >= 5) times.push_back(testing_support::MillisecondsNow() - start); // warm-up
    }
    std::sort(times.begin(), times.end());
    std::printf("CaptureFrame+ReleaseFrame, full screen, %s: median %.2f ms, min %.2f ms, "
                "max %.2f ms (%zu grabs)\n",
                where, times[times.size() / 2], times.front(), times.back(), times.size());
  };
  measure("main thread");
  std::thread worker([&] { measure("worker thread"); });
  worker.join();

  testing_support::ScopedTestCodec codec;
  cam.ListCompressors();
  for (int i = 0; i < cam.FCompressorCount; ++i)
    if (cam.FCompressors[static_cast<size_t>(i)].fccHandler == testing_support::kTestCodecHandler) {
      cam.FCompressorIndex = i;
      cam.FCompressorHandler = testing_support::kTestCodecHandler;
    }
  for (auto [w, h] : {std::pair{cam.FScreenWidth, cam.FScreenHeight}, std::pair{640, 480}}) {
    ScreenArea area(w, h);
    cam.FMsPerFrame = 1;
    cam.FPlaybackRate = 50;
    std::wstring file = testing_support::ArtifactPath(L"bench", L"throughput.avi");
    cam.StartRecording(&area, file);
    testing_support::PumpUntil([&] { return cam.FFramesWritten > 0 || !cam.FWorker; }, 10000);
    const auto before = cam.FFramesWritten.load();
    const double start = testing_support::MillisecondsNow();
    testing_support::PumpFor(3000);
    const auto written = static_cast<double>(cam.FFramesWritten - before);
    const double seconds = (testing_support::MillisecondsNow() - start) / 1000.0;
    cam.StopRecording();
    testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 20000);
    std::printf("recording %dx%d, 1 ms per frame, test compressor: %.1f frames written per second "
                "(%lld slots dropped)\n",
                w, h, written / seconds, static_cast<long long>(cam.FDroppedFrames));
    ::DeleteFileW(file.c_str());
  }
  return 0;
}
