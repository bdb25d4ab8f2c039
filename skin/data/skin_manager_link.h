// What the skin component asks of the skin manager. The manager (a later part of the skinning
// engine) installs these when it starts; until then every request is dropped, and the component
// works on its own (skin loaded, descriptors readable, nothing skinned).
#pragma once

#include <functional>

namespace skin {

class TSkinData;

// Actions the manager runs from its timer, 250 ms after they are requested: skinning on, off,
// a changed skin, freeing the form skins of destroyed windows, and skinning one window anew.
enum TSkinAction {
  kSkinOn = 1,
  kSkinOff = 2,
  kSkinChanged = 3,
  kSkinPurge = 6,
  kReskinWindow = 7,
};

// The manager's start: before the first window was activated (requests then only switch skinning
// on or off), running, and shutting down (its hook does nothing any more).
enum class TStartState { NotStarted = 0, Running = 1, ShuttingDown = 4 };

struct TSkinManagerLink {
  // Creates the one manager if there is none (run by Loaded and ApplySkinChange).
  std::function<void()> EnsureManager;
  std::function<void(TSkinData*)> Register;
  std::function<void(TSkinData*)> Unregister;
  // Installs the window hook of the GUI thread.
  std::function<void()> InstallHook;
  // Makes `data` the pending component and requests `action` after `delayMs`.
  std::function<void(TSkinData*, TSkinAction action, int delayMs)> RequestAction;
  // sfMainform activation: the start state becomes `state`.
  std::function<void(TStartState state)> SetStartState;
  // Other form types: the manager is enabled and runs.
  std::function<void()> EnableAndStart;
  // Skins the owner form of a component that serves only it, now.
  std::function<void(TSkinData*)> SkinOwnerNow;
  // Refreshes the skin objects of every window skinned with `data`.
  std::function<void(TSkinData*)> RefreshSkinObjects;
  // The manager has seen its first window (start state 1).
  std::function<bool()> Running;
};

// The installed link (empty members until the manager installs them).
TSkinManagerLink& SkinManagerLink();

} // namespace skin
