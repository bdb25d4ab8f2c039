#include "framework/dialogs.h"

#include <vector>

namespace fw {

bool TOpenDialog::Execute() {
  // The filter's "|" separators become the NULs the dialog expects, with a double NUL at the end.
  std::wstring filter = Filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  std::vector<wchar_t> name(32768, L'\0');
  FileName.copy(name.data(), name.size() - 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = ::GetActiveWindow();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!Run(ofn)) return false;
  FileName = name.data();
  return true;
}

BOOL TOpenDialog::Run(OPENFILENAMEW& ofn) {
  ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  return ::GetOpenFileNameW(&ofn);
}

BOOL TSaveDialog::Run(OPENFILENAMEW& ofn) {
  return ::GetSaveFileNameW(&ofn);
}

void TOpenDialog::DefineProperties(TPropertyList& list) const {
  TComponent::DefineProperties(list);
  TPropertyDefiner<TOpenDialog> d(list);
  d.String(
      L"Filter", [](TOpenDialog& s) { return s.Filter; },
      [](TOpenDialog& s, const std::wstring& v) { s.Filter = v; });
  d.String(
      L"FileName", [](TOpenDialog& s) { return s.FileName; },
      [](TOpenDialog& s, const std::wstring& v) { s.FileName = v; });
  d.String(
      L"DefaultExt", [](TOpenDialog& s) { return s.DefaultExt; },
      [](TOpenDialog& s, const std::wstring& v) { s.DefaultExt = v; });
  d.String(
      L"Title", [](TOpenDialog& s) { return s.Title; },
      [](TOpenDialog& s, const std::wstring& v) { s.Title = v; });
}

} // namespace fw
