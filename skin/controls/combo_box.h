// TSkinComBox: combo boxes with a skinned border ring and drop-down button. The combo paints
// itself; the skin then paints the SunkEdge ring and the ComboButton cell of the button's state
// (normal, pressed, disabled, hot or focused) over it through the window's device context,
// leaving the combo's text area alone. A button on the left takes the mirrored button image; a
// simple combo (no button) is left as it is. The edit inside a drop-down combo is watched so
// that its paints and presses repaint the button. The drop-down list gets its scroll bar
// painted by a TComboxScrollBar, the list of a simple combo an overlay skin; both are this
// skin's own.
//
// An extended combo box (ComboBoxEx32, whose first child is the combo box it wraps) gets the
// edit's border ring on its own window and the skin's ComboxArrow cell over the button of the
// combo box inside.
#pragma once

#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

class TComboxScrollBar;
class TSkinScrollbarH;

// Cells of the button images.
enum class ComboButtonCell { Normal = 1, Pressed = 2, Disabled = 3, HotOrFocused = 4 };

class TSkinComBox : public TSkinControl {
public:
  TSkinComBox();
  ~TSkinComBox() override;

  void Attached() override;
  void Deactivate() override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  ComboButtonCell CurrentCell() const;
  // The control is an extended combo box; set before attaching.
  void SetExtended(bool extended) { FExtended = extended; }
  bool Extended() const { return FExtended; }
  TComboxScrollBar* DropScroll() const { return FDropScroll.get(); }

protected:
  void SkinTaken() override;
  void SkinSwitched(bool on) override;

private:
  void Attach(bool withScrollSkins);
  void HookEdit();
  void UnhookEdit();
  void MouseMove(LPARAM point);
  void DrawParts(HDC dc, TRect rect, ComboButtonCell cell);
  void DrawSimpleVariant(HDC dc, TRect rect);
  void DrawExtended(HDC dc, TRect rect, ComboButtonCell cell);

  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  HWND FListWnd = nullptr;
  HWND FEditWnd = nullptr;
  bool FDropped = false;
  std::unique_ptr<TWindowSubclass> FEditProc;
  std::unique_ptr<TSkinScrollbarH> FListScroll;
  std::unique_ptr<TComboxScrollBar> FDropScroll;
  TRect FButtonRect;
  bool FExtended = false;
};

} // namespace skin
