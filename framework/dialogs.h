// The file-save dialog. Its parameters and its name buffer are made once and reused by every
// Execute; the dialog window itself is the system's, made for each run (GetSaveFileName).
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

namespace fw {

class TSaveDialog : public TComponent {
public:
  explicit TSaveDialog(TComponent* owner) : TComponent(owner) {}
  std::wstring ClassName() const override { return L"TSaveDialog"; }

  // "Description|pattern|Description|pattern..."
  std::wstring Filter;
  std::wstring FileName;
  // Empty: no extension is added to a name typed without one.
  std::wstring DefaultExt;
  std::wstring Title;

  // Runs the dialog owned by the owner form's window (the active window when the owner is no
  // window); true when the user chose a name (FileName).
  bool Execute();

protected:
  void DefineProperties(TPropertyList& list) const override;

private:
  OPENFILENAMEW ofn_{};
  std::vector<wchar_t> name_;
  std::wstring filter_; // Filter with NULs for the "|" separators, as the dialog takes it
};

} // namespace fw
