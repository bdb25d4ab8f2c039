// A check box or radio button that draws its mark from a strip of glyph cells when
// UseCustomGlyphs is set (cells: unchecked, checked, grayed; the same pressed; the same disabled
// for a check box, and unchecked, checked; pressed; disabled for a radio button), keyed on
// TransparentColor; otherwise the system's mark.
#pragma once

#include "framework/buttons.h"
#include "framework/control.h"

#include <string>

namespace fw {

class TGlyphCheckBox : public TWinControl {
public:
  explicit TGlyphCheckBox(TComponent* owner, bool radio = false);
  std::wstring ClassName() const override {
    return radio_ ? L"TGlyphRadioButton" : L"TGlyphCheckBox";
  }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  TGlyphBitmap CustomGlyphs;
  int TransparentColor = 0xFF00FF;
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  void SetUseCustomGlyphs(bool use);
  // How often the glyphs were taken up again (UseCustomGlyphs switched on).
  int GlyphReloads = 0;

protected:
  void DefineProperties(TPropertyList& list) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);

  bool radio_;
  bool checked_ = false;
  bool useCustomGlyphs_ = false;
};

} // namespace fw
