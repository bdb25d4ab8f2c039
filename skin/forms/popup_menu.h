// TWinSkinPopMenu: the skin of one popup menu window (class "#32768"). It subclasses the window,
// paints the skin's MenuBackground element as the popup's 3-pixel border and keeps the whole
// background at the popup's size, from which owner-drawn entries copy the part under them. The
// skin manager makes one for each popup menu window as it is created and frees it with the
// window. While the popup paints its entries, their owner's code runs: when that frees this
// object, nothing of it is touched afterwards.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/common/liveness.h"
#include "skin/common/window_subclass.h"
#include "skin/forms/skin_source.h"

#include <windows.h>

namespace skin {

class TWinSkinPopMenu {
public:
  explicit TWinSkinPopMenu(TFormSkinSource source);
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  bool Hook(HWND wnd, int level);
  void Unhook();

  HWND Handle() const { return FHandle; }
  // The menu the popup shows (asked of the window once it knows it).
  HMENU MenuHandle();
  // The popup's background at its current size; empty without a MenuBackground element.
  const TBitmap& Background() const { return FBackground; }
  // Where the rectangle of an entry (in the popup's client coordinates, as WM_DRAWITEM gives it)
  // lies in the background: the client area's offset inside the window. The system's popup has
  // a 3-pixel non-client border; a popup that draws its border inside its client area has none.
  POINT ItemOffset() const { return FItemOffset; }

  bool FMarked = false;
  bool FFromMenuBar = false;
  int FLevel = 0;

private:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT PassOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    return FSubclass.PassOn(msg, wParam, lParam);
  }
  bool HasBackgroundElement() const;
  // Renders the background at the window's size when the size changed.
  void BuildBackground();
  // The 3-pixel border of the background on the window.
  void PaintBorder();
  POINT ClientOffset() const;

  TFormSkinSource FSource;
  TWindowSubclass FSubclass;
  HWND FHandle = nullptr;
  HMENU FMenuHandle = nullptr;
  TBitmap FBackground;
  POINT FItemOffset{}; // measured with the background
  TLiveness FLiveness;
};

// The skinned popup that shows `menu`, or null (also without a skin manager).
const TWinSkinPopMenu* PopupShowing(HMENU menu);

} // namespace skin
