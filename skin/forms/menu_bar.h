// TWinSkinMenu: a skinned window's menu bar, drawn from the skin under the caption bar in place
// of the system's. It reads the top-level items of the window's menu (and of the form's main
// menu, whose captions and states it prefers), lays them out, paints the bar and each item's
// hover and press feedback. Opening the items' drop-downs is the form skin's (see form_menus.h).
#pragma once

#include "framework/core/bitmap.h"
#include "framework/menus.h"
#include "skin/forms/core/caption_buttons.h"
#include "skin/forms/skin_source.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace skin {

// One top-level item of the bar.
struct TMenuBtn {
  int FIndex = 0;
  std::wstring FCaption; // with its '&' accelerator
  bool FItemEnabled = true;
  bool FVisible = true;
  HMENU FSubMenu = nullptr; // the drop-down; null for a command item
  UINT FCommand = 0;
  bool FFrameworkItem = false; // the item is one of the form's main menu
  TRect FBounds;               // frame coordinates; empty while hidden
  TButtonState FButtonState = TButtonState::Normal;
};

class TWinSkinMenu {
public:
  explicit TWinSkinMenu(TFormSkinSource source) : FSource(source) {}

  // Reads the items from the menu `handle` (the window's menu when null) and, for a framework
  // form, its main menu; then takes the menu from the window so that the system draws no bar.
  // False when the menu has no items (the window keeps it, and the bar has none). After an MDI
  // merge (`mdiMerge`) the merged menu's own texts are kept; only entries without text (the child's
  // window icon) are looked up in the main menu.
  bool BuildItems(HWND wnd, HMENU handle, fw::TMainMenu* menu, bool mdiMerge = false);
  // The item rectangles in the bar rectangle `bar` (frame coordinates).
  void Layout(HWND wnd, TRect bar, bool rightToLeft);
  // Paints the bar into `dc` at `rect` (frame coordinates) and keeps its background; `overlay`
  // draws more into the bar's picture (whose origin is rect's top-left) before it reaches the
  // window.
  void PaintBar(HWND wnd, HDC dc, TRect rect, bool active, bool rightToLeft,
                const std::function<void(HDC)>& overlay = {});
  // Hover and press feedback of one item, on the window.
  void PaintItem(HWND wnd, int index);

  // The first item under a frame point whose caption is not empty; -1 for none.
  int ItemAtPoint(POINT framePoint) const;
  // The first enabled, visible item whose caption has `key` as its accelerator; -1 for none.
  int FindAccelItem(wchar_t key) const;
  std::vector<TRect> Bounds() const;

  HMENU MenuHandle() const { return FMenuHandle; }
  // The left edge of the maximized MDI child's buttons in the bar (frame coordinates), -1 for
  // none: a right-to-left bar lays its items out left of them.
  int FMdiButtonsLeft = -1;
  fw::TMainMenu* Menu() const { return FMenu; }
  std::vector<TMenuBtn> FItems;

private:
  int StartOffset(TRect bar, bool rightToLeft) const;
  const TDataSkinObject* BarElement() const {
    return FSource.Elements && FSource.Elements->MenuBar &&
                   !FSource.Elements->MenuBar->Bitmap.Empty()
               ? FSource.Elements->MenuBar.get()
               : nullptr;
  }
  COLORREF Colour(int index) const;
  void DrawCaption(HDC dc, const TMenuBtn& item, RECT r) const;

  TFormSkinSource FSource;
  fw::TMainMenu* FMenu = nullptr;
  HMENU FMenuHandle = nullptr;
  TRect FBarRect;
  TBitmap FBarBitmap; // the bar's background as last painted, without captions
};

} // namespace skin
