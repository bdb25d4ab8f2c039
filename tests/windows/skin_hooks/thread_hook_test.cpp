#include "skin/common/thread_hook.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using skin::TThreadHook;

namespace {

struct Event {
  int code;
  HWND wnd;
};

HWND MakeTopLevel() {
  return ::CreateWindowExW(0, L"STATIC", L"hooked", WS_OVERLAPPEDWINDOW, 10, 10, 100, 80, nullptr,
                           nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

int Count(const std::vector<Event>& events, int code, HWND wnd) {
  int n = 0;
  for (const Event& e : events)
    n += e.code == code && e.wnd == wnd;
  return n;
}

} // namespace

TEST(ThreadHook, SeesCreationActivationAndDestruction) {
  std::vector<Event> events;
  HWND wnd = nullptr;
  {
    TThreadHook hook(WH_CBT, [&](int code, WPARAM wParam, LPARAM) {
      events.push_back({code, reinterpret_cast<HWND>(wParam)});
    });
    ASSERT_TRUE(hook.Installed());
    wnd = MakeTopLevel();
    ::ShowWindow(wnd, SW_SHOW);
    ::SetActiveWindow(wnd);
    ::DestroyWindow(wnd);
    EXPECT_EQ(Count(events, HCBT_CREATEWND, wnd), 1);
    EXPECT_GE(Count(events, HCBT_ACTIVATE, wnd), 1);
    EXPECT_EQ(Count(events, HCBT_DESTROYWND, wnd), 1);
  }
  // Removed with the object: later windows are not seen.
  events.clear();
  HWND later = MakeTopLevel();
  ::DestroyWindow(later);
  EXPECT_TRUE(events.empty());
}

TEST(ThreadHook, ThrowingCallbackNeitherStopsTheEventNorTheChain) {
  int outerSeen = 0;
  TThreadHook outer(WH_CBT, [&](int code, WPARAM, LPARAM) { outerSeen += code == HCBT_CREATEWND; });
  {
    TThreadHook inner(WH_CBT,
                      [](int, WPARAM, LPARAM) { throw std::runtime_error("skin failure"); });
    HWND wnd = MakeTopLevel();
    EXPECT_NE(wnd, nullptr); // creation went ahead
    ::DestroyWindow(wnd);
  }
  // The older hook takes over again when the newer one goes.
  HWND wnd = MakeTopLevel();
  ::DestroyWindow(wnd);
  EXPECT_GE(outerSeen, 1);
}

TEST(ThreadHook, SilencedHookCallsNothing) {
  int seen = 0;
  TThreadHook hook(WH_CBT, [&](int, WPARAM, LPARAM) { ++seen; });
  hook.Silence();
  HWND wnd = MakeTopLevel();
  ::DestroyWindow(wnd);
  EXPECT_EQ(seen, 0);
}
