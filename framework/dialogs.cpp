#include "framework/dialogs.h"

#include "framework/control.h"

#include <algorithm>

namespace fw {

namespace {
constexpr size_t kLongestName = 32768;
}

bool TOpenDialog::Execute() {
  if (name_.empty()) {
    name_.assign(kLongestName, L'\0');
    ofn_.lStructSize = sizeof ofn_;
    ofn_.lpstrFile = name_.data();
    ofn_.nMaxFile = static_cast<DWORD>(name_.size());
  }
  ofn_.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  // The filter's "|" separators become the NULs the dialog expects, with a double NUL at the end.
  filter_ = Filter;
  for (wchar_t& c : filter_)
    if (c == L'|') c = L'\0';
  filter_.append(2, L'\0');
  std::fill(name_.begin(), name_.end(), L'\0');
  FileName.copy(name_.data(), name_.size() - 1);

  auto* owner = dynamic_cast<TWinControl*>(Owner());
  ofn_.hwndOwner = owner && owner->HandleAllocated() ? owner->Handle() : ::GetActiveWindow();
  ofn_.lpstrFilter = Filter.empty() ? nullptr : filter_.c_str();
  ofn_.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn_.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  if (!Run(ofn_)) return false;
  FileName = name_.data();
  return true;
}

BOOL TOpenDialog::Run(OPENFILENAMEW& ofn) {
  ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  return ::GetOpenFileNameW(&ofn);
}

BOOL TSaveDialog::Run(OPENFILENAMEW& ofn) {
  if (HasOption(TOpenOption::ofOverwritePrompt)) ofn.Flags |= OFN_OVERWRITEPROMPT;
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
  d.Set(
      L"Options", {L"ofOverwritePrompt"}, [](TOpenDialog& s) { return s.Options; },
      [](TOpenDialog& s, int v) { s.Options = v; });
}

} // namespace fw
