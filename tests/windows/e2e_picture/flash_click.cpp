// flash_click SECONDS LOGFILE: a helper of the end-to-end sound test. Covers the screen with a
// black top-most window and plays, through waveOut, a sound that is silent but for short clicks
// at irregular moments (500 to 900 ms apart); the moment the device's play position reaches a
// click, the window turns white for 150 ms. The picture and the sound thus change together, as
// near as the play position tells: under Wine the position ran up to 75 ms ahead of what the
// sound server played in a stream's first half minute, which is why the test also records the
// server's output and measures when each click was really heard. The clicks begin after a
// lead-in of silence, the stream's least settled seconds. After SECONDS it writes to LOGFILE the
// number of clicks, then one line per flash: the moment it turned white, in milliseconds of the
// system clock since 1970 (what the test compares with the moments the clicks were heard in the
// sound server's output). It stays, black, until it is ended (its window keeps the keyboard
// focus for the hot keys).
#include <windows.h>

#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kClickMs = 12;
constexpr int kWhiteMs = 150;
constexpr int kLeadInMs = 5000;
constexpr double kPi = 3.14159265358979;

COLORREF shown = RGB(0, 0, 0);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    HBRUSH brush = ::CreateSolidBrush(shown);
    ::FillRect(dc, &paint.rcPaint, brush);
    ::DeleteObject(brush);
    ::EndPaint(window, &paint);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Show(HWND window, COLORREF colour) {
  shown = colour;
  RECT all;
  ::GetClientRect(window, &all);
  HDC dc = ::GetDC(window);
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &all, brush);
  ::DeleteObject(brush);
  ::ReleaseDC(window, dc);
  ::GdiFlush();
}

// Milliseconds since 1970 of the system clock (the same clock as Linux's real-time clock), to the
// microsecond where the system tells it that finely (Windows 8 and later, Wine).
double WallMs() {
  using Reader = void(WINAPI*)(FILETIME*);
  static const auto precise = reinterpret_cast<Reader>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME now;
  if (precise)
    precise(&now);
  else
    ::GetSystemTimeAsFileTime(&now);
  constexpr std::uint64_t kTicksTo1970 = 116444736000000000ULL; // 100 ns ticks from 1601
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<double>(ticks - kTicksTo1970) / 10000.0;
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const int seconds = std::atoi(argv[1]);
  if (seconds * 1000 <= kLeadInMs + 1000) return 2;

  // The clicks: a sharp start, 12 ms of 2 kHz.
  std::mt19937 random(4711);
  std::uniform_int_distribution<int> spacing(500, 900);
  std::vector<std::int64_t> clicks;
  for (std::int64_t ms = kLeadInMs; ms < (seconds - 1) * 1000LL; ms += spacing(random))
    clicks.push_back(ms * kRate / 1000);
  std::vector<std::int16_t> sound(static_cast<std::size_t>(seconds) * kRate, 0);
  for (std::int64_t at : clicks)
    for (int i = 0; i < kClickMs * kRate / 1000; ++i)
      sound[static_cast<std::size_t>(at + i)] =
          static_cast<std::int16_t>(20000 * (std::sin(2 * kPi * 2000 * i / kRate) >= 0 ? 1 : -1));

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"FlashClick";
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&windowClass);
  HWND window =
      ::CreateWindowExW(WS_EX_TOPMOST, L"FlashClick", L"e2e-flash", WS_POPUP | WS_VISIBLE, 0, 0,
                        ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                        nullptr, windowClass.hInstance, nullptr);
  Show(window, RGB(0, 0, 0));
  Pump();

  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = kRate * 2;
  HWAVEOUT out = nullptr;
  if (::waveOutOpen(&out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    std::fprintf(stderr, "waveOutOpen failed\n");
    return 1;
  }
  WAVEHDR header{};
  header.lpData = reinterpret_cast<LPSTR>(sound.data());
  header.dwBufferLength = static_cast<DWORD>(sound.size() * 2);
  ::waveOutPrepareHeader(out, &header, sizeof header);
  ::waveOutWrite(out, &header, sizeof header);

  std::size_t next = 0;
  std::int64_t whiteUntil = -1;
  std::vector<double> flashedAt;
  const DWORD began = ::GetTickCount();
  while (::GetTickCount() - began < static_cast<DWORD>(seconds) * 1000 &&
         !(header.dwFlags & WHDR_DONE)) {
    MMTIME position{};
    position.wType = TIME_SAMPLES;
    ::waveOutGetPosition(out, &position, sizeof position);
    const std::int64_t played = position.u.sample;
    if (next < clicks.size() && played >= clicks[next]) {
      Show(window, RGB(255, 255, 255));
      flashedAt.push_back(WallMs());
      whiteUntil = clicks[next] + kWhiteMs * kRate / 1000;
      ++next;
    } else if (whiteUntil >= 0 && played >= whiteUntil) {
      Show(window, RGB(0, 0, 0));
      whiteUntil = -1;
    }
    Pump();
    ::Sleep(1);
  }
  ::waveOutReset(out);
  ::waveOutUnprepareHeader(out, &header, sizeof header);
  ::waveOutClose(out);
  if (FILE* log = std::fopen(argv[2], "w")) {
    std::fprintf(log, "%u\n", static_cast<unsigned>(next));
    for (double at : flashedAt)
      std::fprintf(log, "%.3f\n", at);
    std::fclose(log);
  }
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
