// The skin manager with a multiple-document interface: a frame window with an MDI client and
// children made with WM_MDICREATE, skinned through the manager's hook; the switch for a maximized
// child, skinning one window anew and freeing the skins of destroyed windows.
#include "tests/windows/skin_manager/skin_manager_fixture.h"

using namespace skin;
using namespace skin_manager_testing;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto client = reinterpret_cast<HWND>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_CREATE) {
    CLIENTCREATESTRUCT create{nullptr, 0xFF00};
    client = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                               WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, wnd, nullptr,
                               ::GetModuleHandleW(nullptr), &create);
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    return client ? 0 : -1;
  }
  return ::DefFrameProcW(wnd, client, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcW(wnd, msg, wParam, lParam);
}

// A shown and activated MDI frame whose children are made by its MDI client.
class MdiFrame {
public:
  MdiFrame() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpfnWndProc = FrameProc;
      wc.lpszClassName = L"tests.MdiFrame";
      ::RegisterClassW(&wc);
      wc.lpfnWndProc = ChildProc;
      wc.lpszClassName = L"tests.MdiChild";
      return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    frame_ = ::CreateWindowExW(0, L"tests.MdiFrame", L"MDI frame",
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 100, 80, 640,
                               480, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetForegroundWindow(frame_);
    ::SetActiveWindow(frame_);
  }
  ~MdiFrame() { ::DestroyWindow(frame_); }
  MdiFrame(const MdiFrame&) = delete;
  MdiFrame& operator=(const MdiFrame&) = delete;

  HWND Frame() const { return frame_; }
  HWND Client() const { return reinterpret_cast<HWND>(::GetWindowLongPtrW(frame_, GWLP_USERDATA)); }
  HWND AddChild(int at) const {
    MDICREATESTRUCTW create{
        L"tests.MdiChild", L"Child", ::GetModuleHandleW(nullptr), at, at, 260, 180, 0, 0};
    return reinterpret_cast<HWND>(
        ::SendMessageW(Client(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  }

private:
  HWND frame_ = nullptr;
};

TWinSkinForm* SkinOf(HWND wnd) {
  return skin::SkinManager()->FindSkinForm(wnd);
}

// The skin has run its start (a normal child is fitted and has its region).
bool Started(HWND wnd) {
  return PumpUntil([&] { return SkinOf(wnd) && SkinOf(wnd)->State() == skin::TFormLife::Running; },
                   3000);
}

// The window's (or its client area's) rectangle in the coordinates of `to` (the screen: null).
RECT RectIn(HWND wnd, HWND to, bool client = false) {
  RECT r;
  if (client) {
    ::GetClientRect(wnd, &r);
    ::MapWindowPoints(wnd, to, reinterpret_cast<POINT*>(&r), 2);
  } else {
    ::GetWindowRect(wnd, &r);
    ::MapWindowPoints(nullptr, to, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

bool Same(const RECT& a, const RECT& b) {
  return ::EqualRect(&a, &b) != FALSE;
}

bool HasRegion(HWND wnd) {
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  return ::GetWindowRgn(wnd, region.get()) != ERROR;
}

} // namespace

TEST_F(SkinManager, MdiFramesAndChildrenAreSkinnedAndToldApart) {
  MdiFrame mdi;
  ASSERT_TRUE(PumpUntil([&] { return SkinOf(mdi.Frame()) != nullptr; }, 3000));
  EXPECT_EQ(SkinOf(mdi.Frame())->MdiKind(), kMdiFrame);
  EXPECT_EQ(SkinOf(mdi.Frame())->MdiClient(), mdi.Client());
  EXPECT_EQ(SkinOf(mdi.Client()), nullptr); // a plain child window

  // The hook skins an MDI child as it is created, without waiting for an activation.
  HWND child = mdi.AddChild(20);
  ASSERT_NE(SkinOf(child), nullptr);
  EXPECT_EQ(SkinOf(child)->MdiKind(), kMdiChild);
  const RECT systemClient = RectIn(child, child, true);
  ASSERT_TRUE(Started(child));
  EXPECT_TRUE(Skinned(child));
  // Fitted to the skin's frame: the client area keeps its size and lies inside the borders.
  EXPECT_TRUE(Same(RectIn(child, child, true), systemClient));
  const RECT window = RectIn(child, nullptr), client = RectIn(child, nullptr, true);
  const FrameSizes& frame = SkinOf(child)->Frame();
  EXPECT_EQ(client.left - window.left, frame.left);
  EXPECT_EQ(window.bottom - client.bottom, frame.bottom);
  EXPECT_TRUE(HasRegion(child));
  PumpFor(200);
  SaveShot(mdi.Frame(), L"mdi_frame.bmp");

  // The MDI client's scroll bars have no look in the skin: its next frame calculation takes them
  // off.
  const HWND mdiClient = mdi.Client();
  ::SetWindowLongW(mdiClient, GWL_STYLE,
                   ::GetWindowLongW(mdiClient, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
  ::SetWindowPos(mdiClient, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_EQ(::GetWindowLongW(mdiClient, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

  // The active child's caption follows the frame's activation.
  ::SendMessageW(mdi.Frame(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(SkinOf(child)->Active());
  ::SendMessageW(mdi.Frame(), WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(SkinOf(child)->Active());
}

TEST_F(SkinManager, AMaximizedMdiChildSwitchesEveryChildFrameOffUntilItIsRestored) {
  MdiFrame mdi;
  HWND first = mdi.AddChild(10), second = mdi.AddChild(50);
  ASSERT_TRUE(Started(first) && Started(second));
  const RECT normal = RectIn(second, mdi.Client());

  // WM_MDIMAXIMIZE bypasses the skin's caption buttons; the manager learns it all the same. The
  // maximized child has the client area the system gives it: all of the MDI client's.
  ::SendMessageW(mdi.Client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  PumpFor(200);
  EXPECT_TRUE(skin::SkinManager()->MdiMaximized);
  EXPECT_TRUE(Same(RectIn(second, nullptr, true), RectIn(mdi.Client(), nullptr, true)));
  for (HWND child : {first, second})
    EXPECT_TRUE(!SkinOf(child)->SkinFrame() && !HasRegion(child));
  EXPECT_TRUE(SkinOf(mdi.Frame())->SkinFrame());
  SaveShot(mdi.Frame(), L"mdi_maximized.bmp");

  ::SendMessageW(second, WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpFor(200);
  EXPECT_FALSE(skin::SkinManager()->MdiMaximized);
  for (HWND child : {first, second})
    EXPECT_TRUE(SkinOf(child)->SkinFrame() && HasRegion(child));
  EXPECT_TRUE(Same(RectIn(second, mdi.Client()), normal));
}

TEST_F(SkinManager, TheMdiSwitchLeavesMinimizedChildrenMinimizedWithTheSystemsClientArea) {
  MdiFrame mdi;
  skin::SkinManager()->Enabled = false;
  HWND plain = mdi.AddChild(10);
  skin::SkinManager()->Enabled = true;
  HWND normal = mdi.AddChild(30), minimized = mdi.AddChild(50);
  ASSERT_TRUE(SkinOf(plain) == nullptr && Started(normal) && Started(minimized));
  for (HWND child : {plain, minimized})
    ::ShowWindow(child, SW_MINIMIZE);
  PumpFor(200);
  ASSERT_EQ(SkinOf(minimized)->WindowState(), kStateMinimized);
  EXPECT_TRUE(Same(RectIn(minimized, minimized, true), RectIn(plain, plain, true)));
  const RECT client = RectIn(normal, nullptr, true);

  skin::SkinManager()->SetMdiMaximized(true);
  EXPECT_TRUE(!SkinOf(normal)->SkinFrame() && !SkinOf(minimized)->SkinFrame());
  EXPECT_FALSE(HasRegion(normal));
  skin::SkinManager()->SetMdiMaximized(false);
  EXPECT_TRUE(SkinOf(normal)->SkinFrame() && HasRegion(normal));
  EXPECT_TRUE(Same(RectIn(normal, nullptr, true), client));
  EXPECT_TRUE(SkinOf(minimized)->SkinFrame() && ::IsIconic(minimized));

  // When the main component leaves MDI child frames to the system, only the value is kept.
  data->Options.Include(xoMDIChildBorder);
  skin::SkinManager()->SetMdiMaximized(true);
  EXPECT_TRUE(skin::SkinManager()->MdiMaximized);
  EXPECT_TRUE(SkinOf(normal)->SkinFrame() && HasRegion(normal));
}

TEST_F(SkinManager, ActionsReskinOneWindowWithoutAnEventAndFreeTheSkinsOfDestroyedOnes) {
  MdiFrame mdi;
  HWND child = mdi.AddChild(20), gone = mdi.AddChild(60);
  ASSERT_TRUE(Started(child) && Started(gone));
  // Size changes, each with a new region, tell the old skin from a fresh one.
  for (int width : {280, 300, 320})
    ::SetWindowPos(child, nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
  const int oldBuilds = SkinOf(child)->RegionBuilds();
  ASSERT_GE(oldBuilds, 3);
  const RECT place = RectIn(child, mdi.Client()), client = RectIn(child, child, true);
  const size_t count = skin::SkinManager()->SkinnedCount();

  skin::SkinManager()->ReskinWindow = child;
  skin::SkinManager()->Request(data.get(), kReskinWindow, 10);
  ASSERT_TRUE(
      PumpUntil([&] { return SkinOf(child) && SkinOf(child)->RegionBuilds() < oldBuilds; }, 3000));
  EXPECT_TRUE(Started(child) && Skinned(child));
  EXPECT_EQ(skin::SkinManager()->SkinnedCount(), count);
  EXPECT_EQ(skinChanges, 0);
  EXPECT_EQ(skin::SkinManager()->PendingSkinData, data.get());
  // Let go and skinned again, the child keeps its place and its client area.
  EXPECT_TRUE(Same(RectIn(child, mdi.Client()), place));
  EXPECT_TRUE(Same(RectIn(child, child, true), client));

  // A destroyed window's skin waits in the destroyed state until the list is purged.
  ::SendMessageW(mdi.Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(gone), 0);
  ASSERT_EQ(skin::SkinManager()->SkinnedCount(), count);
  EXPECT_EQ(SkinOf(gone), nullptr);
  skin::SkinManager()->Request(data.get(), kSkinPurge, 10);
  EXPECT_TRUE(PumpUntil([&] { return skin::SkinManager()->SkinnedCount() == count - 1; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return skinChanges == 1; }, 1000));
  EXPECT_EQ(skin::SkinManager()->PendingSkinData, nullptr);
  EXPECT_TRUE(Skinned(child));
}
