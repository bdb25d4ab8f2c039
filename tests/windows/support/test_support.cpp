#include "tests/windows/support/test_support.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/core/bmp_writer.h"
#include "framework/exception.h"
#include "framework/message_box.h"

#include <cstdio>

namespace testing_support {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return done();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    if (fw::Application) fw::Application->ProcessMessages();
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

std::wstring ArtifactPath(const std::wstring& folder, const std::wstring& name) {
  wchar_t buffer[1024] = {};
  std::wstring dir;
  if (::GetEnvironmentVariableW(L"RECORDER_ARTIFACTS", buffer, 1024)) {
    dir = buffer;
    if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir; // a Unix path seen through Wine
    for (auto& c : dir)
      if (c == L'/') c = L'\\';
    ::CreateDirectoryW(dir.c_str(), nullptr);
    dir += L"\\" + folder;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + name;
  }
  return name;
}

std::vector<std::uint8_t> RcDataResource(const wchar_t* name) {
  HRSRC found = ::FindResourceW(nullptr, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!found) return {};
  const auto* data =
      static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, found)));
  return {data, data + ::SizeofResource(nullptr, found)};
}

double MillisecondsNow() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void WriteFacts(const std::wstring& path, const std::map<std::string, std::string>& facts) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return;
  for (const auto& [key, value] : facts)
    std::fprintf(f, "%s=%s\n", key.c_str(), value.c_str());
  std::fclose(f);
}

namespace {
LRESULT CALLBACK PictureProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(wnd, &ps);
    RECT r;
    ::GetClientRect(wnd, &r);
    const int midX = r.right / 2, midY = r.bottom / 2;
    auto fill = [dc](int l, int t, int rr, int b, COLORREF c) {
      RECT q{l, t, rr, b};
      HBRUSH brush = ::CreateSolidBrush(c);
      ::FillRect(dc, &q, brush);
      ::DeleteObject(brush);
    };
    fill(0, 0, midX, midY, PictureWindow::kTopLeft);
    fill(midX, 0, r.right, midY, PictureWindow::kTopRight);
    fill(0, midY, midX, r.bottom, PictureWindow::kBottomLeft);
    fill(midX, midY, r.right, r.bottom, PictureWindow::kBottomRight);
    ::EndPaint(wnd, &ps);
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}
} // namespace

PictureWindow::PictureWindow(int left, int top, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"tests.PictureWindow";
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc);
    registered = true;
  }
  wnd_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"tests.PictureWindow", L"picture",
                           WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
  ::UpdateWindow(wnd_);
  PumpFor(200);
}

PictureWindow::~PictureWindow() {
  if (wnd_) ::DestroyWindow(wnd_);
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : answer_(answer) {
  previous_ = fw::SetMessageBoxHandler(
      [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
        std::lock_guard lock(mutex_);
        boxes_.push_back({text, caption, type, ::GetCurrentThreadId(), owner});
        return answer_;
      });
}

MessageBoxRecorder::~MessageBoxRecorder() {
  fw::SetMessageBoxHandler(previous_);
}

std::vector<MessageBoxRecorder::Box> MessageBoxRecorder::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

void MessageBoxRecorder::SetAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answer_ = answer;
}

fw::TBitmap ScreenPixels(RECT r) {
  fw::TBitmap shot(std::max(1L, r.right - r.left), std::max(1L, r.bottom - r.top),
                   fw::TPixelFormat::pf32bit);
  fw::DrawInto(shot, [&](HDC dc) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
  return shot;
}

COLORREF ScreenPixel(int x, int y) {
  const fw::Pixel p = ScreenPixels({x, y, x + 1, y + 1}).At(0, 0);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void SaveWindowShot(HWND wnd, int margin, const std::wstring& folder, const std::wstring& name) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const fw::TBitmap shot =
      ScreenPixels({r.left - margin, r.top - margin, r.right + margin, r.bottom + margin});
  const auto bytes = fw::SaveBmp24(shot);
  if (FILE* f = _wfopen(ArtifactPath(folder, name).c_str(), L"wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

namespace {

std::uint32_t Crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(body.data(), body.size()));
}

// RGB rows, each led by filter byte 0, in a zlib stream of stored blocks.
std::vector<std::uint8_t> PngBytes(const fw::TBitmap& image) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.Width(); ++x) {
      const fw::Pixel p = image.At(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                             static_cast<std::uint8_t>(p)});
    }
  }
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t pos = 0; pos < raw.size() || pos == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z.insert(z.end(), {static_cast<std::uint8_t>(last ? 1 : 0), static_cast<std::uint8_t>(n),
                       static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(~n),
                       static_cast<std::uint8_t>(~n >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
    if (last) break;
  }
  PutBig32(z, (b << 16) | a);
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.Width()));
  PutBig32(header, static_cast<std::uint32_t>(image.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", z);
  PutChunk(out, "IEND", {});
  return out;
}

} // namespace

void SaveWindowPng(HWND wnd, int margin, const std::wstring& folder, const std::wstring& name) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  // The part on the screen: a copy reaching past its edge comes out black under Wine.
  const RECT around{std::max(r.left - margin, 0L), std::max(r.top - margin, 0L),
                    std::min<LONG>(r.right + margin, ::GetSystemMetrics(SM_CXSCREEN)),
                    std::min<LONG>(r.bottom + margin, ::GetSystemMetrics(SM_CYSCREEN))};
  const auto bytes = PngBytes(ScreenPixels(around));
  if (FILE* f = _wfopen(ArtifactPath(folder, name).c_str(), L"wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

} // namespace testing_support
