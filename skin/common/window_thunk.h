// Method thunks: small pieces of executable code that turn a plain window procedure call into a
// call on one object, so that every hooked window reaches its own skinner directly, without a
// lookup, and several skinners can subclass the same window.
#pragma once

#include <windows.h>

namespace skin {

// The procedure a thunk forwards to: the first argument is the object the thunk was made for,
// standing in for the window handle.
using ThunkTarget = LRESULT(CALLBACK*)(void* object, UINT msg, WPARAM wParam, LPARAM lParam);

class TWindowThunk {
public:
  TWindowThunk(void* object, ThunkTarget target);
  ~TWindowThunk();
  TWindowThunk(const TWindowThunk&) = delete;
  TWindowThunk& operator=(const TWindowThunk&) = delete;

  // The code as a window procedure.
  WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(FCode); }
  // Points the thunk at another object and procedure (the code address stays the same).
  void Retarget(void* object, ThunkTarget target);
  // Hands the code over: it stays valid for the rest of the process. For a window that another
  // subclasser still calls through us.
  void Abandon() { FAbandoned = true; }

private:
  unsigned char* FCode;
  bool FAbandoned = false;
};

} // namespace skin
