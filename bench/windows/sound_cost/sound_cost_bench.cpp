// Prints what sound costs a recording: the process's CPU time per second of a recording of the
// whole screen at 100 ms per frame (the default) through the program's own Video 1 compressor,
// without sound, with 44,100 Hz stereo PCM and with IMA ADPCM, side by side; and the frames
// written per second at 1 ms per frame without and with sound. On a shared machine one run says
// little: the three are taken in turn for ROUNDS rounds, each with sound against the silent run of
// its own round, and the medians printed. Needs a sound server whose default input delivers
// (measure.sh starts one with a tone playing).
//   sound_cost_bench [SECONDS [ROUNDS]]
#include "framework/application.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/scrcam.h"
#include "tests/windows/support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double CpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

struct Figures {
  double cpuPercent, framesPerSecond;
  long long frames;
  unsigned long long bytes;
};

Figures Record(recorder::TScreenCam& cam, int msPerFrame, bool sound, bool adpcm, int seconds,
               const wchar_t* name) {
  cam.FMsPerFrame = msPerFrame;
  cam.FSound.record = sound;
  cam.FSound.adpcm = adpcm;
  const std::wstring file = testing_support::ArtifactPath(L"bench", name);
  int started = 0;
  cam.FOnStart = [&](fw::TObject*) { ++started; };
  cam.StartRecording(nullptr, file);
  testing_support::PumpUntil([&] { return started > 0 || !cam.FWorker; }, 20000);
  testing_support::PumpFor(1000);
  const long long before = cam.FFramesWritten.load();
  const double cpuBefore = CpuMs(), start = testing_support::MillisecondsNow();
  testing_support::PumpFor(static_cast<DWORD>(seconds) * 1000);
  const double cpu = CpuMs() - cpuBefore, elapsed = testing_support::MillisecondsNow() - start;
  const long long frames = cam.FFramesWritten.load() - before;
  cam.StopRecording();
  testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 30000);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
  ::DeleteFileW(file.c_str());
  return {100.0 * cpu / elapsed, frames * 1000.0 / elapsed, frames,
          (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  fw::TApplication application;
  HDC screen = ::GetDC(nullptr);
  const int bitsPerPixel = ::GetDeviceCaps(screen, BITSPIXEL);
  ::ReleaseDC(nullptr, screen);
  const recorder::BuiltinVideo1Installation video1 = recorder::InstallBuiltinVideo1IfNeeded(
      bitsPerPixel, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  fw::TForm owner(nullptr);
  // Notices at a recording's end (gaps in the sound on a busy machine) are answered and printed.
  testing_support::MessageBoxRecorder boxes;
  recorder::TScreenCam cam(&owner);
  cam.FShowFrame = false;
  cam.JournalFolder.clear();
  std::printf("screen %dx%d at %d bpp, %d s per run\n", cam.FScreenWidth, cam.FScreenHeight,
              cam.FBitsPerPixel, seconds);
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  struct Kind {
    const char* what;
    bool sound, adpcm;
    const wchar_t* file;
    std::vector<double> cpu{}, raw{}, perFrame{}, framesPerSecond{}, bytes{};
  };
  Kind kinds[] = {{"without sound", false, false, L"silent.avi"},
                  {"PCM 44.1k st.", true, false, L"pcm.avi"},
                  {"IMA ADPCM", true, true, L"adpcm.avi"}};
  for (int round = 0; round < rounds; ++round) {
    double silentCpu = 0, silentPerFrame = 0;
    for (Kind& kind : kinds) {
      const Figures f = Record(cam, 100, kind.sound, kind.adpcm, seconds, kind.file);
      if (!kind.sound) {
        silentCpu = f.cpuPercent;
        // The frames a run gets differ too: the sound's cost is also given against what the
        // silent run spent per frame, for as many frames as the run with sound wrote.
        silentPerFrame = f.cpuPercent / (f.framesPerSecond > 0 ? f.framesPerSecond : 1);
      }
      kind.cpu.push_back(f.cpuPercent);
      kind.raw.push_back(f.cpuPercent - silentCpu);
      kind.perFrame.push_back(f.cpuPercent - silentPerFrame * f.framesPerSecond);
      kind.framesPerSecond.push_back(f.framesPerSecond);
      kind.bytes.push_back(static_cast<double>(f.bytes));
    }
  }
  std::printf("100 ms per frame, medians of %d rounds\n", rounds);
  std::printf("                  CPU (one core)  raw diff  per-frame diff  frames/s  file bytes\n");
  for (const Kind& kind : kinds)
    std::printf("  %-15s %6.2f %%  %+6.2f  %+6.2f  %7.2f  %.0f\n", kind.what, Median(kind.cpu),
                Median(kind.raw), Median(kind.perFrame), Median(kind.framesPerSecond),
                Median(kind.bytes));
  const Figures fastSilent = Record(cam, 1, false, false, seconds / 2 + 1, L"fast.avi");
  const Figures fastSound = Record(cam, 1, true, false, seconds / 2 + 1, L"fast_pcm.avi");
  std::printf("1 ms per frame: %.1f frames/s without sound, %.1f with PCM sound\n",
              fastSilent.framesPerSecond, fastSound.framesPerSecond);
  for (const auto& box : boxes.Boxes())
    std::printf("notice: %ls\n", box.text.c_str());
  return 0;
}
