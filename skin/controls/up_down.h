// TSkinUpDown: up-down (spin arrow) controls painted whole by the skin: each arrow button is a
// cell of the skin's UpDown.Vert or UpDown.Horz strip (normal, pressed, disabled, hot; the cells
// of the second button follow those of the first) with the same cell of its glyph image centred
// on it, or a plain face with a small arrow when the skin has no such strip. The control keeps
// doing its own work: presses still step its position.
#pragma once

#include "skin/controls/cached_picture.h"
#include "skin/controls/core/bar_layout.h"
#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

class TSkinUpDown : public TSkinControl {
public:
  TSkinUpDown() { FPaintMode = TPaintMode::Whole; }

  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  // The up-down is the buddy of a skinned edit: it stays clear of the edit's border.
  void SetInEdit(bool inEdit) { FInEdit = inEdit; }
  // The buttons lie side by side whatever the style says.
  void SetHorizontal(bool horizontal) { FHorizontal = horizontal; }

protected:
  void SkinTaken() override;
  TPrintRequests PrintRequests() const override { return TPrintRequests::None; }
  // A bare up-down (an edit's buddy, a tab scroller) shows white under its buttons.
  TMessageAnswer EraseBackground(fw::TMessage& message) override;
  void DoPaint(HDC dc, TRect rect) override;

private:
  void Press(fw::TMessage& message);
  void Release(fw::TMessage& message);
  void MouseMove();
  void MouseLeave();
  bool Horizontal() const;
  enum class TArrowDirection { Up, Down, Left, Right };
  void DrawArrowButton(HDC dc, TRect half, ArrowState state, TArrowDirection direction);
  // The skin's cell, with its glyph centred on it, composed for one half.
  void DrawCell(HDC dc, TRect half, const TDataSkinBorder& strip, int cell, bool second);

  bool FInEdit = false;
  bool FHorizontal = false;
  POINT FPaintOrigin{}; // where the buffered picture goes in the window
  TCachedPicture FHalves[2];
};

// The scroller of a row of tabs (an up-down child of a tab control, tab set or page control) with
// a skin of its own, which belongs to the tab control's skin: it is not registered with the
// window skin. A scroller that has a skin already is left as it is.
class TTabScroller {
public:
  // The first "msctls_updown32" child of `parent`, skinned; true when it shows.
  bool Find(HWND parent, const TControlSkinSource& skinData);
  // Skins `scroller` (its arrows side by side when `horizontal`).
  void Attach(HWND scroller, const TControlSkinSource& skinData, bool horizontal);
  void SkinChanged(const TControlSkinSource& skinData);
  bool Visible() const;

private:
  std::unique_ptr<TSkinUpDown> FSkin;
  HWND FWindow = nullptr;
};

} // namespace skin
