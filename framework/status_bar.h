// The status bar: the system's status window with panels (text, width, alignment, bevel, style
// and a right-to-left flag each) or one simple panel, an optional size grip, and an event for
// panels it does not draw itself.
#pragma once

#include "framework/control.h"

#include <functional>
#include <string>
#include <vector>

namespace fw {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };
enum TBiDiMode { bdLeftToRight, bdRightToLeft };

struct TStatusPanel {
  std::wstring Text;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
  TStatusPanelBevel Bevel = pbLowered;
  TStatusPanelStyle Style = psText;
  bool RightToLeft = false; // the panel reads right to left: its alignment is mirrored
};

class TStatusBar : public TWinControl {
public:
  explicit TStatusBar(TComponent* owner);
  std::wstring ClassName() const override { return L"TStatusBar"; }

  const std::vector<TStatusPanel>& Panels() const { return panels_; }
  void SetPanels(const std::vector<TStatusPanel>& panels);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  const std::wstring& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::wstring& text);
  // Set before the window is made.
  bool SizeGrip = true;
  TBiDiMode BiDiMode = bdLeftToRight;

  // Draws an owner-drawn panel in `rect` (client coordinates).
  std::function<void(TStatusBar* sender, const TStatusPanel& panel, RECT rect)> OnDrawPanel;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  void UpdateWindow();

  std::vector<TStatusPanel> panels_;
  bool simplePanel_ = false;
  std::wstring simpleText_;
};

} // namespace fw
