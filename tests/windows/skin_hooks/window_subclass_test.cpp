#include "skin/common/window_subclass.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using skin::TWindowSubclass;

namespace {

// A window class whose procedure answers 0x7001 with 1000 and records WM_SETTEXT, in a Unicode and
// an ANSI variant.
std::wstring lastTextW;
std::string lastTextA;

LRESULT CALLBACK OriginalW(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == 0x7001) return 1000;
  if (msg == WM_SETTEXT) lastTextW = reinterpret_cast<const wchar_t*>(lParam);
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK OriginalA(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == 0x7001) return 1000;
  if (msg == WM_SETTEXT) lastTextA = reinterpret_cast<const char*>(lParam);
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND MakeWindowW() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OriginalW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"tests.SubclassW";
    ::RegisterClassW(&wc);
    registered = true;
  }
  return ::CreateWindowExW(0, L"tests.SubclassW", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

HWND MakeWindowA() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = OriginalA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "tests.SubclassA";
    ::RegisterClassA(&wc);
    registered = true;
  }
  return ::CreateWindowExA(0, "tests.SubclassA", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(WindowSubclass, SeesMessagesPassesThemOnAndRestoresTheProcedure) {
  HWND wnd = MakeWindowW();
  const LONG_PTR original = ::GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  int seen = 0;
  TWindowSubclass* self = nullptr;
  TWindowSubclass subclass([&](UINT msg, WPARAM w, LPARAM l) -> LRESULT {
    if (msg == 0x7002) return 7; // handled here
    if (msg == 0x7001) ++seen;
    return self->PassOn(msg, w, l);
  });
  self = &subclass;
  ASSERT_TRUE(subclass.Hook(wnd));
  EXPECT_FALSE(subclass.Hook(wnd)); // never hooked twice
  EXPECT_NE(::GetWindowLongPtrW(wnd, GWLP_WNDPROC), original);
  EXPECT_EQ(::SendMessageW(wnd, 0x7001, 0, 0), 1000);
  EXPECT_EQ(::SendMessageW(wnd, 0x7002, 0, 0), 7);
  EXPECT_EQ(seen, 1);
  subclass.Unhook();
  EXPECT_EQ(::GetWindowLongPtrW(wnd, GWLP_WNDPROC), original);
  EXPECT_EQ(::SendMessageW(wnd, 0x7002, 0, 0), 0); // back to the original's answer
  ::DestroyWindow(wnd);
}

TEST(WindowSubclass, ExceptionsPassTheMessageOnInsteadOfLeaving) {
  HWND wnd = MakeWindowW();
  TWindowSubclass subclass([](UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == 0x7001) throw std::runtime_error("skin failure");
    return 0;
  });
  ASSERT_TRUE(subclass.Hook(wnd));
  EXPECT_EQ(::SendMessageW(wnd, 0x7001, 0, 0), 1000);
  subclass.Unhook();
  ::DestroyWindow(wnd);
}

TEST(WindowSubclass, UnhookBelowAnotherSubclassKeepsTheChainWorking) {
  HWND wnd = MakeWindowW();
  const LONG_PTR original = ::GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  int lowerSeen = 0, upperSeen = 0;
  TWindowSubclass* lowerPtr = nullptr;
  auto lower = std::make_unique<TWindowSubclass>([&](UINT msg, WPARAM w, LPARAM l) {
    lowerSeen += msg == 0x7001;
    return lowerPtr->PassOn(msg, w, l);
  });
  lowerPtr = lower.get();
  ASSERT_TRUE(lower->Hook(wnd));
  TWindowSubclass* upperPtr = nullptr;
  TWindowSubclass upper([&](UINT msg, WPARAM w, LPARAM l) {
    upperSeen += msg == 0x7001;
    return upperPtr->PassOn(msg, w, l);
  });
  upperPtr = &upper;
  ASSERT_TRUE(upper.Hook(wnd));

  lower.reset(); // unhooked and freed while the upper one still calls it
  EXPECT_EQ(::SendMessageW(wnd, 0x7001, 0, 0), 1000);
  EXPECT_EQ(upperSeen, 1);
  EXPECT_EQ(lowerSeen, 0);
  upper.Unhook();
  EXPECT_EQ(::SendMessageW(wnd, 0x7001, 0, 0), 1000);
  EXPECT_NE(::GetWindowLongPtrW(wnd, GWLP_WNDPROC), original); // the pass-through stays
  ::DestroyWindow(wnd);
}

TEST(WindowSubclass, AnsiWindowsGetAnsiCalls) {
  HWND wnd = MakeWindowA();
  ASSERT_FALSE(::IsWindowUnicode(wnd));
  TWindowSubclass* self = nullptr;
  TWindowSubclass subclass([&](UINT msg, WPARAM w, LPARAM l) { return self->PassOn(msg, w, l); });
  self = &subclass;
  ASSERT_TRUE(subclass.Hook(wnd));
  EXPECT_FALSE(subclass.Unicode());
  ::SetWindowTextA(wnd, "plain text");
  EXPECT_EQ(lastTextA, "plain text");
  ::SetWindowTextW(wnd, L"wide text");
  EXPECT_EQ(lastTextA, "wide text"); // converted for the ANSI procedure, not garbled
  subclass.Unhook();
  ::DestroyWindow(wnd);
}

TEST(WindowSubclass, DestroyedWindowDetachesItself) {
  HWND wnd = MakeWindowW();
  bool sawDestroy = false;
  TWindowSubclass* self = nullptr;
  TWindowSubclass subclass([&](UINT msg, WPARAM w, LPARAM l) {
    sawDestroy |= msg == WM_NCDESTROY;
    return self->PassOn(msg, w, l);
  });
  self = &subclass;
  ASSERT_TRUE(subclass.Hook(wnd));
  ::DestroyWindow(wnd);
  EXPECT_TRUE(sawDestroy);
  EXPECT_FALSE(subclass.Hooked());
  subclass.Unhook(); // nothing left to do, and no crash
}
