// The file-save dialog.
#pragma once

#include "framework/component.h"

#include <string>

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

  // Runs the dialog owned by the active window; true when the user chose a name (FileName).
  bool Execute();

protected:
  void DefineProperties(TPropertyList& list) const override;
};

} // namespace fw
