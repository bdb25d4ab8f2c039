// The menu side of a form skin: the skinned menu bar inside the skinned frame and the tracking of
// its drop-downs (arrow keys and the mouse move between bar items), the skinned system menu, the
// owner-drawn entries of drop-downs and of the form's popup menus, and the form's menu messages
// (WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR, WM_MENUSELECT, menu commands,
// SC_KEYMENU, CM_MENUCHANGED, CM_DIALOGCHAR). The form skin owns one; it is a unit of the form
// skin's chain of message handlers and sees the form skin only through TMenuHost.
#pragma once

#include "framework/control.h"
#include "framework/menus.h"
#include "skin/common/message_answer.h"
#include "skin/forms/core/frame_geometry.h"
#include "skin/forms/menu_bar.h"
#include "skin/forms/menu_paint.h"
#include "skin/forms/skin_source.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace fw {
class TForm;
}

namespace skin {

// What the menus ask of the window skin they serve.
class TMenuHost {
public:
  // The frame is the skin's (menu-bar messages are the skin's only then) ...
  virtual bool SkinsFrame() const = 0;
  // ... and drawn now (drop-downs of the bar are owner-drawn, its keys the skin's).
  virtual bool DrawsFrame() const = 0;
  virtual bool FrameActive() const = 0;
  // Where the bar lies in frame coordinates, and a screen point in frame coordinates.
  virtual TRect MenuBarRect() const = 0;
  virtual POINT WindowToFrame(POINT screen) const = 0;
  virtual void RepaintFrame() = 0;
  // A bar appeared where there was none, or went: the frame makes room for it or takes it back.
  virtual void FitMenuBar() = 0;
  // An MDI frame's active child, and whether it is maximized; null for none.
  virtual HWND ActiveMdiChild(bool* maximized) const = 0;
  // The window's own procedure.
  virtual LRESULT CallWindow(const fw::TMessage& message) = 0;

protected:
  ~TMenuHost() = default;
};

class TFormMenus {
public:
  TFormMenus(TMenuHost& host, const TFormSkinSource& source);
  ~TFormMenus();
  TFormMenus(const TFormMenus&) = delete;
  TFormMenus& operator=(const TFormMenus&) = delete;

  // The window was hooked: `form` is its framework form (null for a bare window).
  void Attach(HWND wnd, fw::TForm* form, const WindowKind& kind);
  // The frame is skinned: the window's menu becomes a skinned menu bar, and a framework form's
  // main menus get the skin's item painters (with xcMenuItem).
  void SkinMenuBar();
  // A framework form's popup menus get the skin's item painters (with xcPopupMenu), at control
  // discovery; after a skin change the main and popup menus get them again (items added since
  // included).
  void SkinPopupMenus(bool on);
  void SkinMenusAgain();
  // The window gets its menu back; main and popup menus lose the painters the skin gave them.
  void Unhook();
  // Main and popup menus lose the painters the skin gave them (a form that lives on must not keep
  // painters that point here).
  void TakeBackPainters();
  // An MDI frame: the skin component's MenuUpdate as it was before MDI children came, and given
  // back when the frame is unhooked.
  void SaveMenuUpdate();
  void GiveBackMenuUpdate();
  // How much the client area grew when the system's menu bar was taken away.
  int ClientGrowth() const { return FClientGrowth; }
  // A bar shows: the window has a menu with items. (A menu emptied meanwhile stays the bar's, to
  // be given back to the window, but takes no room.)
  bool HasMenuBar() const { return FBar && !FBar->FItems.empty(); }
  int MenuBarHeight() const;
  bool Tracking() const { return FMenuTracking; }

  // Paints the bar; an MDI frame's bar shows its maximized child's buttons too (`mdiButtons`,
  // whose left edge is `mdiButtonsLeft`, -1 for none).
  void PaintBar(HDC dc, TRect rect, int mdiButtonsLeft = -1,
                const std::function<void(HDC)>& mdiButtons = {});
  // Pops up the skinned system menu at a screen point; its entries follow `windowState`.
  void PopupSystemMenu(POINT screen, int windowState);
  // Opens the bar item at a frame point, if there is one.
  void OpenItemAt(POINT framePoint);

  // The menus' unit of the window skin's message chain.
  TMessageAnswer Message(fw::TMessage& message);

  // An MDI frame's client: a child is made (the menu merge is to come), a frame menu is set (the
  // bar shows the merged menu), a child was destroyed (`last`: none is left).
  void MdiCreate();
  void MdiSetMenu(HMENU frameMenu);
  void MdiDestroyed(bool last);
  // Non-client mouse messages over the bar (after the caption buttons missed).
  TMessageAnswer NonClientMouse(UINT msg, POINT framePoint);
  // The hover tick: a hot item the cursor left goes back to normal.
  void HoverTick(POINT framePoint);

  // For tests: the bar and the items opened so far, in order.
  const TWinSkinMenu* Bar() const { return FBar.get(); }
  const std::vector<int>& OpenedItems() const { return FOpened; }
  const fw::TPopupMenu* SystemMenu() const { return FSysMenu.get(); }

private:
  // The menu messages, one named handler each.
  void InitMenuPopup(WPARAM wParam);
  TMessageAnswer MeasureItem(fw::TMessage& message);
  TMessageAnswer DrawItem(fw::TMessage& message);
  TMessageAnswer MenuChar(fw::TMessage& message);
  void MenuSelect(WPARAM wParam, LPARAM lParam);
  TMessageAnswer Command(fw::TMessage& message);
  TMessageAnswer KeyMenu(fw::TMessage& message);
  TMessageAnswer MenuChanged(fw::TMessage& message);
  // An Alt+character the window's controls did not use: a menu-bar item, else the MDI frame's
  // or the main form's.
  TMessageAnswer DialogChar(fw::TMessage& message);
  bool OpenAccelItem(wchar_t key);
  bool MeasureOwnerDrawn(MEASUREITEMSTRUCT& measure);
  bool DrawOwnerDrawn(const DRAWITEMSTRUCT& draw);
  bool OpenByKey(WPARAM wParam, LPARAM lParam);

  friend struct TMenuTrackingState;
  friend struct TSkinItemPainter;
  friend struct TSkinItemMeasure;
  // Opens the drop-down of bar item `index` and, when the user moves to a neighbour meanwhile,
  // that one's after it closed. False for a command item.
  bool OpenMenuItem(int index);
  // Asks the open drop-down to close and item `index` to open after it.
  void SwitchTo(int index);
  void OnMenuFilter(int code, LPARAM lParam);
  void SetHot(int index, TButtonState state);
  void SkinMainMenus(bool on);
  TRect BarRect() const;
  // The bar reads from right to left: the window does, or the form's main menu.
  bool RightToLeft() const;
  // Reads the bar's items from `menu`, making the bar (and room for it) when there was none; no
  // menu, no bar, and an emptied menu's bar takes its room back.
  void BuildBar(HMENU menu, bool mdiMerge);

  TMenuHost& FHost;
  TFormSkinSource FSource;
  HWND FHandle = nullptr;
  fw::TForm* FForm = nullptr; // the framework form; null for a bare window
  WindowKind FKind;
  bool FSavedMenuUpdate = true; // the component's MenuUpdate before MDI children came
  TMenuPainter FPainter;
  std::unique_ptr<TWinSkinMenu> FBar;
  std::unique_ptr<fw::TPopupMenu> FSysMenu;
  int FClientGrowth = 0;
  bool FMenuTracking = false;
  int FHotItem = -1;
  std::vector<int> FOpened;
};

} // namespace skin
