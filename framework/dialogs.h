// The file dialogs: open and save. A dialog's parameters and its name buffer are made once and
// reused by every Execute; the dialog window itself is the system's, made for each run.
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

namespace fw {

// The file-open dialog; the file-save dialog is one with another question.
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::wstring ClassName() const override { return L"TOpenDialog"; }

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
  // Asks the system's dialog; an open dialog wants an existing file.
  virtual BOOL Run(OPENFILENAMEW& ofn);

private:
  OPENFILENAMEW ofn_{};
  std::vector<wchar_t> name_;
  std::wstring filter_; // Filter with NULs for the "|" separators, as the dialog takes it
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  std::wstring ClassName() const override { return L"TSaveDialog"; }

protected:
  // No overwrite question: an existing file is replaced.
  BOOL Run(OPENFILENAMEW& ofn) override;
};

} // namespace fw
