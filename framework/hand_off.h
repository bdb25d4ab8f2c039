// A hand-off of work from other threads to the thread that made the object, which its callers
// may stop waiting for: a worker asks the main thread to run something (show a box) and waits
// for it until an event tells it to give up (the program shuts down, and the main thread may be
// inside that very box's message loop, waiting for the worker). The thread that made the object
// runs the calls from any message loop it is in, modal ones included.
#pragma once

#include <windows.h>

#include <functional>

namespace fw {

class THandOff {
public:
  // Made on the thread that runs the calls; its message loop must run for them.
  THandOff();
  ~THandOff();
  THandOff(const THandOff&) = delete;
  THandOff& operator=(const THandOff&) = delete;

  // Runs `method` on the object's thread and returns true when it has run; an exception it
  // throws is rethrown here. The wait ends early once the event `abandon` is set: then false,
  // and the method no longer starts. One that has begun runs to its end on its own, so it must
  // own, or share, what it uses after that. Called on the object's thread it runs at once.
  bool Run(std::function<void()> method, HANDLE abandon);

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  DWORD threadId_;
  HWND wnd_ = nullptr;
};

} // namespace fw
