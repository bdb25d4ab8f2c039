#include "app/core/file_names.h"

namespace app {

namespace {

// Only A to Z: the comparison must not depend on the user's locale.
std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

} // namespace

std::wstring EnsureExtension(const std::wstring& Name, const std::wstring& Extension) {
  const bool ends =
      Name.size() >= Extension.size() &&
      LowerAscii(Name.substr(Name.size() - Extension.size())) == LowerAscii(Extension);
  return ends ? Name : Name + Extension;
}

std::wstring DirectoryPart(const std::wstring& FileName) {
  auto last = FileName.find_last_of(L"\\:");
  return last == std::wstring::npos ? std::wstring() : FileName.substr(0, last + 1);
}

} // namespace app
