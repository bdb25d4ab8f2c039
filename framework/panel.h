// The panel: a plain container in its Color with a raised one-pixel bevel and its caption in the
// middle; the controls on it are its children.
#pragma once

#include "framework/control.h"

namespace fw {

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* owner);
  std::wstring ClassName() const override { return L"TPanel"; }

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
};

} // namespace fw
