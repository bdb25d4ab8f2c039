// TSkinEdit: single-line edits with a skinned border. The edit paints itself; the skin then
// draws a three-pixel ring (ButtonShadow outside, white inside) over the edit's own sunken
// border through the window's device context. An edit without a border is left alone. With the
// skin's spin option an up-down child of the edit gets its own skin, made and owned here.
#pragma once

#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

class TSkinEdit : public TSkinControl {
public:
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  // The skin of the edit's up-down child, or null.
  TSkinControl* UpDown() const { return FUpDown.get(); }

private:
  void FindUpDown();
  // WM_PRINTCLIENT and paints without a DC: a one-pixel ring in the edit's own background inside
  // a ButtonShadow one.
  void PrintBorder(HDC dc);

  std::unique_ptr<TSkinControl> FUpDown;
};

// The first child of `edit` whose class is an up-down ("msctls_updown32", or any class naming
// "spin" or "updown" in any letter case), or null.
HWND FindUpDownChild(HWND edit);

} // namespace skin
