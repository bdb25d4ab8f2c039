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
      [this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        std::lock_guard lock(mutex_);
        boxes_.push_back({text, caption, type, ::GetCurrentThreadId()});
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

} // namespace testing_support
