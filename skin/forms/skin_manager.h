// TSkinManage: the one object that watches the program's windows (through a window hook of the
// GUI thread), decides which are skinned and with which skin component, attaches a form skin to
// each, and carries out the components' skin-on, skin-off and skin-change requests on a timer.
#pragma once

#include "skin/common/thread_hook.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/forms/core/menu_geometry.h"
#include "skin/forms/popup_menu.h"
#include "skin/forms/win_skin_form.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace fw {
class TForm;
}

namespace skin {

// The kind of menu the popup windows of one menu tracking show, and whether it drops down from a
// skinned menu bar. A menu skin hands one to the manager for the tracking it runs (the popup skins
// made meanwhile are made for it) and takes it back when the tracking ends; a menu loop the system
// runs on a window tells its kind at WM_INITMENUPOPUP instead, for as long as its popups live.
struct TMenuOpening {
  MenuKind kind = MenuKind::Popup;
  bool fromBar = false;
};

class TSkinManage;

// One tracking's opening, handed to the manager for as long as the object lives (an opening handed
// over before it comes back at its end).
class TMenuOpeningScope {
public:
  explicit TMenuOpeningScope(TMenuOpening opening);
  ~TMenuOpeningScope();
  TMenuOpeningScope(const TMenuOpeningScope&) = delete;
  TMenuOpeningScope& operator=(const TMenuOpeningScope&) = delete;

private:
  TSkinManage* FManager;
  TMenuOpening FOpening;
  const TMenuOpening* FPrevious = nullptr;
};

class TSkinManage {
public:
  TSkinManage();
  ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  void InstallHook();
  void RegisterSkinData(TSkinData* data);
  void UnregisterSkinData(TSkinData* data);

  // Attaches a form skin when the rules allow; true when one was created.
  bool SkinWindow(HWND wnd);
  void SkinForm(fw::TForm* form);
  TSkinData* ChooseSkinData(HWND wnd) const;
  TWinSkinForm* FindSkinForm(HWND wnd) const;

  // Stores the action for `data` and runs it `delayMs` later; a newer request replaces one not
  // yet run. Before the first window was activated, skin on and off only switch Enabled.
  // kReskinWindow skins ReskinWindow anew.
  void Request(TSkinData* data, TSkinAction action, int delayMs);
  // A component of another form type was loaded: skinning is on, and the manager runs.
  void StartForComponent();
  // Every form skin made with `data` takes up its newly loaded descriptors.
  void RefreshSkin(TSkinData* data);
  // Attaches a popup-menu skin to a popup menu window when the component chosen for it skins
  // the kind of menu about to open; detaches and frees it again.
  bool SkinPopupMenu(HWND wnd);
  void ReleasePopupMenu(HWND wnd);
  // The skinned popup that shows `menu`, or null.
  TWinSkinPopMenu* PopupFor(HMENU menu);
  // The system runs a menu loop on a window: its popups show `opening` until they are all gone
  // (unless a tracking of ours hands over its own).
  void SystemMenuLoopOpens(TMenuOpening opening) { FLoopOpening = opening; }
  // What the next popup window shows: the opening of the tracking that runs, else the system
  // loop's.
  TMenuOpening Opening() const { return FTracking ? *FTracking : FLoopOpening; }
  std::size_t PopupCount() const { return PopupMenus.size(); }

  // Whether an MDI child is maximized. While one is, every MDI child shows its system frame
  // (unless the main component skins no MDI child frames anyway, xoMDIChildBorder).
  void SetMdiMaximized(bool maximized);

  bool Enabled = false;
  bool Forcing = false;
  TStartState StartState = TStartState::NotStarted;
  bool MdiMaximized = false; // the last value given to SetMdiMaximized
  TSkinAction PendingAction = kSkinOn;
  TSkinData* PendingSkinData = nullptr;
  TSkinData* MainSkinData = nullptr;
  HWND ReskinWindow = nullptr; // the window kReskinWindow skins anew

  std::size_t SkinnedCount() const { return Forms.size(); }

private:
  friend class TMenuOpeningScope;
  static LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnHook(int code, WPARAM wParam, LPARAM lParam);
  void RunPendingAction();
  void Purge();
  void Reskin(HWND wnd);
  std::vector<fw::TForm*> ApplicationForms() const;

  // A form skin and the component it was made with.
  struct TSkinnedForm {
    std::unique_ptr<TWinSkinForm> skin;
    TSkinData* owner;
  };
  // Unhooks and frees the form skin at `index`.
  void ReleaseForm(std::size_t index);

  std::vector<TSkinnedForm> Forms;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus;
  std::vector<TSkinData*> SkinDatas;
  std::unique_ptr<TThreadHook> FThreadHook;
  HWND FTimerWindow = nullptr;      // the timer the pending actions run from is this window's
  bool FSwitchingMdiFrames = false; // SetMdiMaximized is switching the MDI children's frames
  const TMenuOpening* FTracking = nullptr; // handed over by the tracking that runs
  TMenuOpening FLoopOpening;               // told by the system's menu loop
};

// The program's manager, or null before the first skin component was loaded.
TSkinManage* SkinManager();

// Connects skin components to the manager (created by the first one that is loaded); the
// manager goes with the returned object, at the end of the program.
class TSkinManagerScope {
public:
  TSkinManagerScope();
  ~TSkinManagerScope();
  TSkinManagerScope(const TSkinManagerScope&) = delete;
  TSkinManagerScope& operator=(const TSkinManagerScope&) = delete;
};

} // namespace skin
