#include "skin/data/skin_text_win.h"

#include <vector>

namespace skin {

bool IsNtPlatform() {
  static const bool nt = [] {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&info)) return true;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }();
  return nt;
}

int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  if (IsNtPlatform())
    return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  const int bytes =
      ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::vector<char> ansi(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
  return ::DrawTextA(dc, ansi.data(), -1, &rect, format);
}

std::wstring WindowTextWide(HWND wnd) {
  if (IsNtPlatform()) {
    const int length = ::GetWindowTextLengthW(wnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(wnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
  }
  char buffer[1000] = {};
  ::SendMessageA(wnd, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
  buffer[sizeof(buffer) - 1] = '\0';
  const int chars = ::MultiByteToWideChar(CP_ACP, 0, buffer, -1, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(chars > 0 ? chars : 1), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, buffer, -1, text.data(), chars);
  text.resize(text.size() - 1); // the terminating character
  return text;
}

} // namespace skin
