// Control discovery: inside a skinned window, which control skin each child control or child
// window gets. Framework forms are walked through their components and their tab order; bare
// windows (system dialogs, message boxes) through their child windows, matched by window class.
//
// The decision for every control is kept, so that the window's skin knows what each control is
// to become. Control skins are attached through a factory; a kind for which no control skin
// exists yet attaches nothing and the control keeps its own look.
#pragma once

#include "skin/controls/core/control_kinds.h"

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace fw {
class TComponent;
class TControl;
class TWinControl;
} // namespace fw

namespace skin {

class TSkinData;
class TSkinElements;

// What discovery looked at and what it decided for it.
struct TDiscoveredControl {
  fw::TControl* Control = nullptr; // null for a child window that is not one of our controls
  HWND Window = nullptr;           // the window the control skin goes on (may be null)
  std::string ClassName;           // the control's class, or the window's class
  ControlDecision Decision;
  // The control skin the application's OnSkinControl handler gave; it stays the application's.
  fw::TComponent* HandlerSkin = nullptr;
};

// The skin component's settings discovery reads.
struct TDiscoveryRules {
  std::vector<std::string> Skin3rd; // the class map, as written
  TSkinControlTypes Members = DefaultSkinControls();
  int DisableTag = 99;
  bool SkinHasTabs = false;
  TSkinData* SkinData = nullptr;    // for OnSkinControl; may be null
  fw::TComponent* Sender = nullptr; // the window's skin, passed to OnSkinControl

  static TDiscoveryRules From(TSkinData* data, const TSkinElements* elements,
                              fw::TComponent* sender);
};

class TControlDiscovery {
public:
  explicit TControlDiscovery(TDiscoveryRules rules) : FRules(std::move(rules)) {}

  // A framework form: each of its components that is a control, then each control window in
  // the form's tab order.
  void DiscoverForm(fw::TWinControl& form);
  // A bare window: each child window is matched by its class and style.
  void DiscoverWindows(HWND parent);
  // One child window, matched by its class and style (a size grip created later, for one).
  void MatchWindow(HWND wnd);
  // One control of a form, made (or whose window was made again) after the form's start.
  void DiscoverLateControl(fw::TWinControl& control);

  const std::vector<TDiscoveredControl>& Results() const { return FResults; }

private:
  void DiscoverControl(fw::TControl& control, fw::TComponent& container);
  void DiscoverChildren(fw::TWinControl& parent);
  void Record(fw::TControl* control, HWND window, std::string className, ControlDecision decision,
              fw::TComponent* handlerSkin = nullptr);
  bool Seen(const void* key) const { return FSeen.count(key) != 0; }

  TDiscoveryRules FRules;
  std::vector<TDiscoveredControl> FResults;
  std::set<const void*> FSeen; // controls and windows already decided in this walk
};

// The rule facts of one of the program's controls.
ControlFacts FactsOf(fw::TControl& control);

} // namespace skin
