// Long runs, to show that nothing grows: CYCLES start/stop cycles of short recordings through the
// real engine with the default Video 1 compressor (each with its journal, its file and its
// worker), then PAINTS frame paints of a window skinned with the program's own skin. Prints the
// process's private bytes (GetProcessMemoryInfo; Wine's GDI and handle counters are stubs) after a
// warm-up and at every tenth of each run, and the growth over the run as the trend of the tenths'
// samples (a least-squares line: single samples swing by a megabyte with the heap). A paint that
// leaked one GDI object would exhaust Wine's GDI handle table long before 100,000 paints: the
// program checks at the end that GDI objects can still be made.
//   soak_bench [CYCLES] [PAINTS] [test] [--max-growth MB]     (defaults 1000 and 100000)
// "test" records through the uncompressed test compressor instead of Video 1. With --max-growth
// the program is a test: it fails when a run's memory grows by more than MB, when a cycle wrote
// no frame or showed a message, or when GDI objects run out.
#include "framework/application.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/scrcam.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_codec.h"
#include "tests/windows/support/test_support.h"
#include <string>

#include <windows.h>
// windows.h first: psapi.h relies on its types.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Private bytes: the commit charge (PagefileUsage, which Windows reports equal to PrivateUsage;
// Wine 8 leaves PrivateUsage 0).
double PrivateMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / (1 << 20);
}

// The growth over the samples (run number, megabytes): the least-squares line's rise from the
// first to the last run.
double TrendGrowth(const std::vector<std::pair<double, double>>& samples) {
  const double n = static_cast<double>(samples.size());
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto& [x, y] : samples) {
    sx += x, sy += y, sxx += x * x, sxy += x * y;
  }
  const double spread = n * sxx - sx * sx;
  if (samples.size() < 2 || spread == 0) return 0;
  return (n * sxy - sx * sy) / spread * (samples.back().first - samples.front().first);
}

// Runs `step` `count` times after `warmUp` runs, printing private bytes at every tenth; returns
// the growth over the run.
double Soak(const char* what, int warmUp, int count, const std::function<void(int)>& step) {
  for (int i = 0; i < warmUp; ++i)
    step(i);
  const double start = PrivateMegabytes();
  const double begun = testing_support::MillisecondsNow();
  std::printf("%s: private %.2f MB after %d warm-up runs\n", what, start, warmUp);
  // The samples at every tenth: the heap still settles during the first.
  std::vector<std::pair<double, double>> samples;
  for (int i = 1; i <= count; ++i) {
    step(i);
    if (i % (count / 10 > 0 ? count / 10 : 1) == 0) {
      samples.emplace_back(i, PrivateMegabytes());
      std::printf("  %7d: private %.2f MB\n", i, samples.back().second);
    }
    std::fflush(stdout);
  }
  const double end = PrivateMegabytes(), growth = TrendGrowth(samples);
  std::printf("%s: %d runs in %.0f s, private %.2f MB -> %.2f MB (%+.2f MB), trend %+.2f MB\n",
              what, count, (testing_support::MillisecondsNow() - begun) / 1000, start, end,
              end - start, growth);
  return growth;
}

class Area : public fw::TControl {
public:
  Area() : fw::TControl(nullptr) { SetBounds(0, 0, 320, 240); }
};

} // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? static_cast<int>(std::strtol(argv[1], nullptr, 10)) : 1000;
  const int paints = argc > 2 ? static_cast<int>(std::strtol(argv[2], nullptr, 10)) : 100000;
  bool testCodec = false;
  double maxGrowth = -1; // not a test
  for (int i = 3; i < argc; ++i) {
    if (std::string(argv[i]) == "test") testCodec = true;
    if (std::string(argv[i]) == "--max-growth" && i + 1 < argc) maxGrowth = std::atof(argv[++i]);
  }
  fw::TApplication application;
  testing_support::MessageBoxRecorder boxes;
  std::vector<std::string> failures;

  {
    auto video1 = recorder::InstallBuiltinVideo1();
    testing_support::ScopedTestCodec codec;
    fw::TForm owner(nullptr);
    recorder::TScreenCam cam(&owner);
    cam.FShowFrame = false;
    cam.FMsPerFrame = 10;
    if (testCodec) cam.FCompressorHandler = testing_support::kTestCodecHandler;
    Area area;
    const std::wstring file = testing_support::ArtifactPath(L"soak", L"cycle.avi");
    int frames = 0, empty = 0;
    const double growth = Soak("start/stop cycles", 10, cycles, [&](int) {
      cam.FFramesWritten = 0; // no worker runs now
      cam.StartRecording(&area, file);
      testing_support::PumpUntil([&] { return cam.FFramesWritten > 0 || !cam.FWorker; }, 10000);
      cam.StopRecording();
      testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 10000);
      frames += static_cast<int>(cam.FFramesWritten);
      empty += cam.FFramesWritten == 0;
    });
    std::printf("start/stop cycles: %d frames written, %d cycles without a frame, %zu message "
                "boxes\n",
                frames, empty, boxes.Boxes().size());
    if (maxGrowth >= 0 && growth > maxGrowth) failures.push_back("the cycles' memory grew");
    if (empty > 0 || !boxes.Boxes().empty()) failures.push_back("a cycle failed");
    ::DeleteFileW(file.c_str());
  }

  skin::TSkinData data(nullptr);
  if (!testing_support::LoadProgramSkin(data)) {
    std::printf("the embedded skin did not load\n");
    return 1;
  }
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"soak", style | WS_VISIBLE, 100, 100, 293, 258,
                               nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  skin::TWinSkinForm form({&data.Elements(), data.SkinControls, data.Options});
  form.HookWindow(wnd);
  ::PostMessageW(wnd, skin::SM_STARTSKIN, 0, 1000);
  testing_support::PumpFor(300);
  const double growth = Soak("frame paints", 100, paints, [&](int i) {
    form.PaintFrame(nullptr);
    if (i % 1000 == 0) testing_support::PumpFor(0);
  });
  if (maxGrowth >= 0 && growth > maxGrowth) failures.push_back("the paints' memory grew");
  HDC screen = ::GetDC(nullptr);
  HBITMAP probe = ::CreateCompatibleBitmap(screen, 16, 16);
  std::printf("GDI objects can still be made after the paints: %s\n", probe ? "yes" : "NO");
  if (probe) ::DeleteObject(probe);
  ::ReleaseDC(nullptr, screen);
  form.Unhook();
  ::DestroyWindow(wnd);
  if (!probe) failures.push_back("GDI objects ran out");
  for (const std::string& failure : failures)
    std::printf("FAILED: %s (growth limit %.1f MB)\n", failure.c_str(), maxGrowth);
  return failures.empty() ? 0 : 1;
}
