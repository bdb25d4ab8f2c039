// skin_probe TITLE-PREFIX: finds the first visible top-level window whose caption starts with
// TITLE-PREFIX and prints one line per child window:
//   class|id|left,top,right,bottom|answer|text
// where answer is what the child answers to the skinning engine's "are you skinned?" message
// (1: skinned) and text is the caption, for an edit what it holds (asked by WM_GETTEXT: another
// process reads only an edit's caption from its creation). Exits 1 when no such window exists.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kIsSkinned = 0x3523; // the engine's query; every skinned window answers 1

std::string Utf8(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

std::wstring Text(HWND wnd) {
  wchar_t buffer[256] = {};
  ::GetWindowTextW(wnd, buffer, 255);
  return buffer;
}

struct Search {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK FindTop(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (::IsWindowVisible(wnd) && Text(wnd).rfind(search->prefix, 0) == 0) {
    search->found = wnd;
    return FALSE;
  }
  return TRUE;
}

// What an edit holds now.
std::wstring EditText(HWND wnd) {
  wchar_t buffer[256] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(wnd, WM_GETTEXT, 255, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, &copied);
  return buffer;
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM) {
  wchar_t cls[128] = {};
  ::GetClassNameW(wnd, cls, 127);
  const bool edit = ::lstrcmpiW(cls, L"Edit") == 0;
  RECT r{};
  ::GetWindowRect(wnd, &r);
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(wnd, kIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  std::printf("%s|%d|%ld,%ld,%ld,%ld|%lu|%s\n", Utf8(cls).c_str(), ::GetDlgCtrlID(wnd), r.left,
              r.top, r.right, r.bottom, static_cast<unsigned long>(answer),
              Utf8(edit ? EditText(wnd) : Text(wnd)).c_str());
  return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_probe TITLE-PREFIX\n");
    return 2;
  }
  Search search{argv[1]};
  ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  ::EnumChildWindows(search.found, PrintChild, 0);
  std::fflush(stdout);
  return 0;
}
