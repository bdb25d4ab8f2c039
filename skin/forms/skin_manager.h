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
  // A menu skin tells what kind of menu opens next, and whether it drops down from a menu bar.
  void SetMenuKind(skin::MenuKind kind, bool fromBar) {
    MenuKind = kind;
    MenuFromBar = fromBar;
  }
  std::size_t PopupCount() const { return PopupMenus.size(); }

  // Whether an MDI child is maximized. While one is, every MDI child shows its system frame
  // (unless the main component skins no MDI child frames anyway, xoMDIChildBorder).
  void SetMdiMaximized(bool maximized);

  bool Enabled = false;
  bool Forcing = false;
  TStartState StartState = TStartState::NotStarted;
  skin::MenuKind MenuKind = skin::MenuKind::Popup; // of the menu about to open
  bool MenuFromBar = false;                        // handed to each new popup-menu skin
  bool MdiMaximized = false;                       // the last value given to SetMdiMaximized
  TSkinAction PendingAction = kSkinOn;
  TSkinData* PendingSkinData = nullptr;
  TSkinData* MainSkinData = nullptr;
  HWND ReskinWindow = nullptr; // the window kReskinWindow skins anew

  std::size_t SkinnedCount() const { return Forms.size(); }

private:
  static LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnHook(int code, WPARAM wParam, LPARAM lParam);
  void RunPendingAction();
  void Purge();
  void Reskin(HWND wnd);
  std::vector<fw::TForm*> ApplicationForms() const;

  std::vector<std::unique_ptr<TWinSkinForm>> Forms;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> PopupMenus;
  std::vector<TSkinData*> SkinDatas;
  std::vector<TSkinData*> FormOwners; // the component each entry of Forms was made with
  std::unique_ptr<TThreadHook> ThreadHook;
  HWND TimerWindow = nullptr;      // the timer the pending actions run from is this window's
  bool SwitchingMdiFrames = false; // SetMdiMaximized is switching the MDI children's frames
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
