#include "skin/data/skin_text_win.h"

namespace skin {

int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

} // namespace skin
