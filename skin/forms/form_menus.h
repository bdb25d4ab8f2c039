// The menu side of a form skin: the skinned menu bar inside the skinned frame and the tracking of
// its drop-downs (arrow keys and the mouse move between bar items, as on a real menu bar: an item
// without a drop-down is highlighted, not run, and a click on the open item's title closes it),
// the skinned system menu, the owner-drawn entries of drop-downs and of the form's popup menus,
// and the form's menu messages (the mouse over the bar and SM_MENUBARCLICK, WM_INITMENUPOPUP,
// WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR, WM_MENUSELECT, menu commands, SC_KEYMENU with
// Alt+Space, CM_MENUCHANGED, CM_DIALOGCHAR). The form skin owns one; it is a unit of the form
// skin's chain of message handlers and sees the form skin only through TMenuHost. Its parts: the
// messages and the bar (form_menus.cpp), the tracking of the bar's drop-downs and highlights
// (menu_tracking.cpp), the skinned system menu (system_menu.cpp).
//
// Menu loops run timers and commands, and any of them may switch the skin off or destroy the
// window, freeing this object while one of its calls waits for the loop: such a call keeps what
// it needs on its stack and touches nothing of the object after the loop unless its TLiveness
// watch says it still lives. Its open menu ends with it.
#pragma once

#include "framework/control.h"
#include "framework/menus.h"
#include "skin/common/liveness.h"
#include "skin/common/message_answer.h"
#include "skin/common/modal_loop.h"
#include "skin/forms/core/frame_geometry.h"
#include "skin/forms/core/menu_geometry.h"
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

class TFormMenus;

// What one drop-down's tracking keeps while TrackPopupMenu's loop runs. It lives on the stack of
// TrackDropDown; entries are known by their menu and position only, since a command handler may
// rebuild any menu. `menus` is cleared when the menus go during the loop, so the filter never
// reaches a freed object.
struct TMenuTrackingState {
  TFormMenus* menus = nullptr;
  int openIndex = -1;
  HMENU trackedMenu = nullptr;
  HMENU selectedMenu = nullptr; // the menu of the entry selected in the drop-down
  bool selectedHasSubMenu = false;
  bool downKeySent = false;
  int switchTo = -1; // the bar item that comes once the drop-down closed
  TBarApproach switchHow = TBarApproach::Neighbour;
  POINT lastMouse{};
};

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
  // Caption buttons lie over the bar's strip first: one lies at the frame point.
  virtual bool CaptionButtonAt(POINT framePoint) = 0;
  // The mouse went onto the bar: the caption button it came from is hot no more.
  virtual void CaptionHoverEnds() = 0;
  // Pops the window's system menu up at a screen point (Alt+Space).
  virtual void ShowSystemMenu(POINT screen) = 0;

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

  // The menus' unit of the window skin's message chain.
  TMessageAnswer Message(fw::TMessage& message);

  // An MDI frame's client: a child is made (the menu merge is to come), a frame menu is set (the
  // bar shows the merged menu), a child was destroyed (`last`: none is left).
  void MdiCreate();
  void MdiSetMenu(HMENU frameMenu);
  void MdiDestroyed(bool last);
  // The hover tick: a hot item the cursor left goes back to normal.
  void HoverTick(POINT framePoint);

  // For tests: the bar, the items opened so far, in order, and the highlighted one (-1 for none).
  const TWinSkinMenu* Bar() const { return FBar.get(); }
  const std::vector<int>& OpenedItems() const { return FOpened; }
  int HotItem() const { return FHotItem; }
  const fw::TPopupMenu* SystemMenu() const { return FSysMenu.get(); }

private:
  // The menu messages, one named handler each.
  // Non-client mouse messages over the bar, where no caption button lies over it.
  TMessageAnswer BarMouse(fw::TMessage& message);
  TMessageAnswer BarClick(fw::TMessage& message);
  TMessageAnswer NonClientMouse(UINT msg, POINT framePoint);
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
  bool OpenByKey(LPARAM lParam);

  friend struct TSkinItemPainter;
  friend struct TSkinItemMeasure;
  // What comes after a drop-down closed or a highlight ended: the item to go to (-1 for none) and
  // how it was reached, and the command chosen (0 for none).
  struct TBarStep {
    int next = -1;
    TBarApproach approach = TBarApproach::Neighbour;
    UINT command = 0;
  };
  // Does with bar item `index` what the way it was reached asks (opens its drop-down, highlights
  // it or runs its command) and goes on to the items the user moves to from there.
  void OpenMenuItem(int index, TBarApproach approach);
  // The drop-down of `item` until it closes.
  TBarStep TrackDropDown(const TMenuBtn& item);
  // Item `index` highlighted without a drop-down: the bar keeps the keyboard and the mouse until
  // the user runs it, moves to an item that opens, or leaves.
  TBarStep HighlightItem(int index);
  // One message of the highlight: Ends when the highlight ends (with `step` filled in).
  TLoopInput HighlightInput(const MSG& m, int& index, TBarStep& step);
  bool HighlightKey(WPARAM key, int& index, TBarStep& step);
  bool HighlightPress(POINT screen, int index, TBarStep& step);
  // The highlight moves to `next`; an item that opens ends it.
  bool MoveHighlight(int next, int& index, TBarStep& step);
  // Asks the open drop-down to close and item `index` to come after it.
  void SwitchTo(int index, TBarApproach approach);
  // A press on bar item `index` while a drop-down is open: on its own title it closes it (as a
  // real bar does), on another item that one comes next.
  void PressDuringDropDown(int index);
  // The menu loop's messages; true for a message the bar took for itself.
  bool OnMenuFilter(int code, MSG& m);
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
  // Shared with the system menu's own loop, which outlives this object when it frees it.
  std::shared_ptr<fw::TPopupMenu> FSysMenu;
  int FClientGrowth = 0;
  bool FMenuTracking = false;    // a drop-down of the bar is open, or an item highlighted
  bool FSystemMenuShown = false; // the skinned system menu is open
  int FHotItem = -1;
  std::vector<int> FOpened;
  TMenuTrackingState* FTracking = nullptr; // the open drop-down's tracking (on its stack)
  HMENU FDropDownMenu = nullptr;           // the menu of the last drop-down opened
  POINT FLastMouse{};                      // where the mouse was last seen during a highlight
  TLiveness FLiveness;
};

} // namespace skin
