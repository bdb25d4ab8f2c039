// Wide-text drawing of the painters: captions and control texts are kept as wide strings. (A
// window's text is read with fw::WindowText.)
#pragma once

#include <windows.h>

#include <string>

namespace skin {

// DrawTextW with the text's length.
int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format);

} // namespace skin
