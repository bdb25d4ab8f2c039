// A window hook of the calling (GUI) thread, removed when the object goes: the skin manager's
// computer-based-training hook that sees windows being created, activated and destroyed, and the
// message-filter hook of menu tracking.
#pragma once

#include <windows.h>

#include <functional>

namespace skin {

class TThreadHook {
public:
  // Called for every hook event with a non-negative code; the event is always passed on to the
  // next hook afterwards, whatever the callback does or throws.
  using Callback = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;

  // idHook is WH_CBT or WH_MSGFILTER. One object of each kind is active per thread: a newer one
  // takes over from an older one and hands it back when it goes.
  TThreadHook(int idHook, Callback callback);

  // A message filter (WH_MSGFILTER) that may keep a message for itself: when `filter` answers
  // true, the loop that asked (a menu's, a dialog's) skips the message and the rest of the chain
  // does not see it.
  using Filter = std::function<bool(int code, MSG& message)>;
  explicit TThreadHook(Filter filter);
  ~TThreadHook();
  TThreadHook(const TThreadHook&) = delete;
  TThreadHook& operator=(const TThreadHook&) = delete;

  bool Installed() const { return FHook != nullptr; }
  // Makes the hook inert without removing it: for the moments of shutdown when the objects the
  // callback uses are going away.
  void Silence() { FSilenced = true; }

private:
  template <int Kind> static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
  template <int Kind> static TThreadHook*& Current();
  // True when the event was kept.
  bool Call(int code, WPARAM wParam, LPARAM lParam);
  void Install();

  int FKind;
  Callback FCallback;
  Filter FFilter;
  HHOOK FHook = nullptr;
  TThreadHook* FOuter = nullptr;
  bool FSilenced = false;
};

} // namespace skin
