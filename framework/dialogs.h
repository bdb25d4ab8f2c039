// The file dialogs: open and save. A dialog's parameters and its name buffer are made once and
// reused by every Execute; the dialog window itself is the system's, made for each run.
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

namespace fw {

// Options of a file dialog, named as the form's "Options" set names them.
enum class TOpenOption {
  ofOverwritePrompt, // the save dialog asks before a name of an existing file is taken
};

// The file-open dialog; the file-save dialog is one with another question.
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::wstring ClassName() const override { return L"TOpenDialog"; }

  // "Description|pattern|Description|pattern..."
  std::wstring Filter;
  std::wstring FileName;
  // Empty: no extension is added to a name typed without one. Given to the dialog itself, so
  // that what it checks (an existing file) is the name it returns.
  std::wstring DefaultExt;
  std::wstring Title;
  // The set of TOpenOption: bit n is option n.
  int Options = 0;
  bool HasOption(TOpenOption option) const { return (Options >> static_cast<int>(option)) & 1; }

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
  // Asks before replacing an existing file only with ofOverwritePrompt.
  BOOL Run(OPENFILENAMEW& ofn) override;
};

} // namespace fw
