#include "framework/sysutils.h"

#include <cstdint>

namespace fw {

bool TryStrToInt(const std::wstring& text, int& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  unsigned base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' &&
             (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return false;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    wchar_t c = text[i];
    unsigned digit;
    if (c >= L'0' && c <= L'9')
      digit = static_cast<unsigned>(c - L'0');
    else if (base == 16 && c >= L'a' && c <= L'f')
      digit = static_cast<unsigned>(c - L'a' + 10);
    else if (base == 16 && c >= L'A' && c <= L'F')
      digit = static_cast<unsigned>(c - L'A' + 10);
    else
      return false;
    magnitude = magnitude * base + digit;
    if (magnitude > 0x80000000LL) return false;
  }
  std::int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX) return false;
  value = static_cast<int>(result);
  return true;
}

int StrToInt(const std::wstring& text) {
  int value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError(L"'" + text + L"' is not a valid integer value");
  return value;
}

} // namespace fw
