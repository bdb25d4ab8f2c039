#include "framework/dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

namespace fw {

bool TSaveDialog::Execute() {
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
  // No overwrite question: an existing file is replaced.
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&ofn)) return false;
  FileName = name.data();
  return true;
}

void TSaveDialog::DefineProperties(TPropertyList& list) const {
  TComponent::DefineProperties(list);
  TPropertyDefiner<TSaveDialog> d(list);
  d.String(
      L"Filter", [](TSaveDialog& s) { return s.Filter; },
      [](TSaveDialog& s, const std::wstring& v) { s.Filter = v; });
  d.String(
      L"FileName", [](TSaveDialog& s) { return s.FileName; },
      [](TSaveDialog& s, const std::wstring& v) { s.FileName = v; });
  d.String(
      L"DefaultExt", [](TSaveDialog& s) { return s.DefaultExt; },
      [](TSaveDialog& s, const std::wstring& v) { s.DefaultExt = v; });
  d.String(
      L"Title", [](TSaveDialog& s) { return s.Title; },
      [](TSaveDialog& s, const std::wstring& v) { s.Title = v; });
}

} // namespace fw
