// The menu side of a form skin: the skinned menu bar inside the skinned frame and the tracking of
// its drop-downs (arrow keys and the mouse move between bar items), the skinned system menu, the
// owner-drawn entries of drop-downs and of the form's popup menus, and the form's menu messages
// (WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR, WM_MENUSELECT, menu commands,
// SC_KEYMENU, SM_MENUBARCLICK, CM_MENUCHANGED, CM_DIALOGCHAR). The form skin owns one and hands
// it these messages.
#pragma once

#include "framework/menus.h"
#include "skin/forms/menu_bar.h"
#include "skin/forms/menu_paint.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace skin {

class TWinSkinForm;

class TFormMenus {
public:
  explicit TFormMenus(TWinSkinForm& form);
  ~TFormMenus();
  TFormMenus(const TFormMenus&) = delete;
  TFormMenus& operator=(const TFormMenus&) = delete;

  // The window was hooked with a skinned frame: its menu becomes a skinned menu bar, and a
  // framework form's main menus get the skin's item painters (with xcMenuItem).
  void Hooked();
  // A framework form's popup menus get the skin's item painters (with xcPopupMenu), at control
  // discovery; after a skin change the main and popup menus get them again (items added since
  // included).
  void SkinPopupMenus(bool on);
  void SkinMenusAgain();
  // The window gets its menu back; main and popup menus lose the painters the skin gave them.
  void Unhook();
  // How much the client area grew when the system's menu bar was taken away.
  int ClientGrowth() const { return FClientGrowth; }
  bool HasMenuBar() const { return FBar != nullptr; }
  int MenuBarHeight() const;
  bool Tracking() const { return FMenuTracking; }

  void PaintBar(HDC dc, TRect rect);
  // Pops up the skinned system menu at a screen point.
  void PopupSystemMenu(POINT screen);

  // Message handlers; each returns whether it handled the message (with `result`).
  void InitMenuPopup(WPARAM wParam);
  bool MeasureItem(LPARAM lParam, LRESULT& result);
  bool DrawItem(LPARAM lParam, LRESULT& result);
  bool MenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result);
  void MenuSelect(WPARAM wParam, LPARAM lParam);
  bool RelayCommand(WPARAM wParam, LPARAM lParam);
  bool KeyMenu(WPARAM wParam, LPARAM lParam);
  void MenuBarClick(LPARAM lParam);
  void MenuChanged();
  bool DialogChar(WPARAM wParam);
  // An MDI frame's client: a child is made (the menu merge is to come), a frame menu is set (the
  // bar shows the merged menu), a child was destroyed (`last`: none is left).
  void MdiCreate();
  void MdiSetMenu(HMENU frameMenu);
  void MdiDestroyed(bool last);
  // Non-client mouse messages over the bar (after the caption buttons missed).
  bool NonClientMouse(UINT msg, POINT framePoint);
  // The hover tick: a hot item the cursor left goes back to normal.
  void HoverTick(POINT framePoint);

  // For tests: the bar and the items opened so far, in order.
  const TWinSkinMenu* Bar() const { return FBar.get(); }
  const std::vector<int>& OpenedItems() const { return FOpened; }
  const fw::TPopupMenu* SystemMenu() const { return FSysMenu.get(); }

private:
  friend struct TMenuTrackingState;
  friend struct TSkinItemPainter;
  friend struct TSkinItemMeasure;
  // Opens the drop-down of bar item `index` and, when the user moves to a neighbour meanwhile,
  // that one's after it closed. False for a command item.
  bool OpenMenuItem(int index);
  // Asks the open drop-down to close and item `index` to open after it.
  void SwitchTo(int index);
  void OnMenuFilter(int code, LPARAM lParam);
  void SetHot(int index, int state);
  void SkinMainMenus(bool on);
  TRect BarRect() const;
  // The bar reads from right to left: the window does, or the form's main menu.
  bool RightToLeft() const;
  // Reads the bar's items from `menu`, making the bar (and room for it) when there was none.
  void BuildBar(HMENU menu, bool mdiMerge);

  TWinSkinForm& FForm;
  TMenuPainter FPainter;
  std::unique_ptr<TWinSkinMenu> FBar;
  std::unique_ptr<fw::TPopupMenu> FSysMenu;
  int FClientGrowth = 0;
  bool FMenuTracking = false;
  int FHotItem = -1;
  std::vector<int> FOpened;
};

} // namespace skin
