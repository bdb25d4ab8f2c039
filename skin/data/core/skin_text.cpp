#include "skin/data/core/skin_text.h"

#include <algorithm>

namespace skin {

namespace {
bool IsControlOrBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && IsControlOrBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsControlOrBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return upper;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

} // namespace skin
