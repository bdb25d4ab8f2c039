#include "framework/dialogs.h"

#include "framework/control.h"

#include <algorithm>

namespace fw {

namespace {
constexpr size_t kLongestName = 32768;
}

bool TSaveDialog::Execute() {
  if (name_.empty()) {
    name_.assign(kLongestName, L'\0');
    ofn_.lStructSize = sizeof ofn_;
    ofn_.lpstrFile = name_.data();
    ofn_.nMaxFile = static_cast<DWORD>(name_.size());
    // No overwrite question: an existing file is replaced.
    ofn_.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  }
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
  if (!::GetSaveFileNameW(&ofn_)) return false;
  FileName = name_.data();
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
