#include "tests/windows/forms/forms_test_util.h"

#include "framework/handles.h"
#include "framework/timer.h"
#include "tests/windows/support/test_support.h"

#include <commdlg.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace forms_tests {

void WhenShown(fw::TForm& form, std::function<void()> action) {
  // The timer deletes itself after the action: it lives as long as it is needed.
  auto* timer = new fw::TTimer(nullptr);
  timer->SetInterval(30);
  timer->OnTimer = [&form, action = std::move(action), timer](fw::TObject*) {
    if (!form.HandleAllocated() || !::IsWindowVisible(form.Handle())) return;
    timer->SetEnabled(false);
    auto cleanup = std::unique_ptr<fw::TTimer>(timer);
    action();
  };
}

namespace {
BOOL CALLBACK FindVisibleDialog(HWND wnd, LPARAM found) {
  wchar_t cls[16] = {};
  ::GetClassNameW(wnd, cls, 16);
  if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(wnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = wnd;
  return FALSE;
}
} // namespace

void AnswerSaveDialog(const std::wstring& name) {
  auto* timer = new fw::TTimer(nullptr);
  timer->SetInterval(50);
  timer->OnTimer = [name, timer](fw::TObject*) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog,
                        reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    timer->SetEnabled(false);
    auto cleanup = std::unique_ptr<fw::TTimer>(timer);
    // The file name box of the dialog, then OK.
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
}

void ClickButton(fw::TWinControl& button) {
  ::SendMessageW(button.Handle(), BM_CLICK, 0, 0);
}

void PressKey(WORD key) {
  HWND focus = ::GetFocus();
  ::PostMessageW(focus, WM_KEYDOWN, key, 1);
  ::PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

RECT ChildBounds(fw::TWinControl& control) {
  RECT r;
  ::GetWindowRect(control.Handle(), &r);
  ::MapWindowPoints(nullptr, ::GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring WindowText(HWND wnd) {
  wchar_t text[512] = {};
  ::GetWindowTextW(wnd, text, 512);
  return text;
}

void SaveWindowPicture(HWND wnd, const std::wstring& name) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  fw::WindowDC screen(nullptr);
  fw::MemoryDC dc(::CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  fw::Bitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    fw::SelectGuard select(dc.get(), bitmap.get());
    ::BitBlt(dc.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3), size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER file{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0, 0,
      sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::ofstream out(std::filesystem::path(testing_support::ArtifactPath(L"forms", name)),
                    std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
}

} // namespace forms_tests
