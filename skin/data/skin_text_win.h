// Wide-text helpers of all painters: captions and control texts are kept as wide strings.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// DrawTextW on the NT family; elsewhere the text in the system code page with DrawTextA.
int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format);

// The window's whole text: GetWindowTextW on the NT family; elsewhere WM_GETTEXT (at most 1000
// characters) converted from the system code page.
std::wstring WindowTextWide(HWND wnd);

// The platform family, read once (Windows 95/98/Me report VER_PLATFORM_WIN32_WINDOWS).
bool IsNtPlatform();

} // namespace skin
