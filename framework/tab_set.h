// The tab set: a row of tabs along the bottom of a strip (below a notebook, say), drawn by the
// control itself from StartMargin on, starting with tab FirstIndex; tabs that do not fit before
// EndMargin are left out. A click selects a tab. When not all tabs fit, the scroller (a
// horizontal up-down at the right end, the tab set's first owned component) shows and steps
// FirstIndex; while it shows, the tabs stay 12 pixels further clear of the end.
#pragma once

#include "framework/comctrls.h"

#include <string>
#include <vector>

namespace fw {

class TTabSet : public TWinControl {
public:
  explicit TTabSet(TComponent* owner);
  std::wstring ClassName() const override { return L"TTabSet"; }

  std::vector<std::wstring> Tabs;
  int TabIndex = -1;
  int FirstIndex = 0;
  int StartMargin = 5;
  int EndMargin = 5;

  // The tabs' left and right edges as drawn (for the ones that fit), measured with the font.
  std::vector<std::pair<int, int>> TabExtents(HDC dc);
  // Shows the scroller when some tabs do not fit (call after changing Tabs).
  void UpdateScroller();
  TUpDown* Scroller() const { return scroller_; }

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  void HandleCreated() override;

private:
  void Paint(HDC dc);
  // Whether every tab from the first on fits without the scroller.
  bool AllTabsFit(HDC dc);

  TUpDown* scroller_;
};

} // namespace fw
