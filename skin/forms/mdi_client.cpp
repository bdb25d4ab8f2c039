#include "skin/forms/win_skin_form.h"

#include "skin/common/skin_paint.h"
#include "skin/forms/form_shared.h"

#include <algorithm>

namespace skin {

// ---- the MDI client of an MDI frame: its procedure is a unit of its own
// ----------------------------

LRESULT TWinSkinForm::ClientWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_NCDESTROY:
    return ClientDestroyed(wParam, lParam);
  case WM_NCCALCSIZE:
    return ClientCalcSize(wParam, lParam);
  case WM_MDICREATE:
    return ClientCreatesChild(wParam, lParam);
  case WM_MDIDESTROY:
    return ClientDestroysChild(wParam, lParam);
  case WM_MDITILE:
  case WM_MDICASCADE:
    return ClientArranges(msg, wParam, lParam);
  case WM_MDISETMENU:
    return ClientSetsMenu(wParam, lParam);
  case SM_MDIREDRAW:
    return ClientRedrawsFrame();
  default:
    return FClientSubclass.PassOn(msg, wParam, lParam);
  }
}

LRESULT TWinSkinForm::ClientDestroyed(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_NCDESTROY, wParam, lParam);
  FClientSubclass.Unhook();
  return result;
}

LRESULT TWinSkinForm::ClientCalcSize(WPARAM wParam, LPARAM lParam) {
  // The skin's frame has no look for the client's scroll bars: unless the skin asks for them,
  // children beyond the client's edges show no bars.
  constexpr LONG kBothBars = WS_HSCROLL | WS_VSCROLL;
  const HWND client = FClientSubclass.Window();
  const LONG style = ::GetWindowLongW(client, GWL_STYLE);
  if (FSkinFrame && !FSource.Options.Contains(xoMDIScrollbar) && (style & kBothBars))
    ::SetWindowLongW(client, GWL_STYLE, style & ~kBothBars);
  return FClientSubclass.PassOn(WM_NCCALCSIZE, wParam, lParam);
}

LRESULT TWinSkinForm::ClientCreatesChild(WPARAM wParam, LPARAM lParam) {
  FMenus->MdiCreate();
  return FClientSubclass.PassOn(WM_MDICREATE, wParam, lParam);
}

LRESULT TWinSkinForm::ClientDestroysChild(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_MDIDESTROY, wParam, lParam);
  if (!FSkinFrame) return result;
  bool maximized = false;
  const HWND active = ActiveMdiChild(&maximized);
  TellMdiMaximized(maximized);
  FMenus->MdiDestroyed(active == nullptr);
  return result;
}

LRESULT TWinSkinForm::ClientArranges(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FSkinFrame && ManagerKnowsMdiMaximized()) TellMdiMaximized(false);
  return FClientSubclass.PassOn(msg, wParam, lParam);
}

LRESULT TWinSkinForm::ClientSetsMenu(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_MDISETMENU, wParam, lParam);
  if (FSkinFrame) FMenus->MdiSetMenu(reinterpret_cast<HMENU>(wParam));
  return result;
}

LRESULT TWinSkinForm::ClientRedrawsFrame() {
  ::RedrawWindow(FHandle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  return 0;
}

// ---- the active child and its buttons in the menu bar -------------------------------------------

HWND TWinSkinForm::ActiveMdiChild(bool* maximized) const {
  if (FKind.mdiKind != kMdiFrame || !FClientWnd || !::IsWindow(FClientWnd)) return nullptr;
  BOOL isMaximized = FALSE;
  auto child = reinterpret_cast<HWND>(
      ::SendMessageW(FClientWnd, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
  if (maximized) *maximized = child && isMaximized;
  return child;
}

void TWinSkinForm::SendToActiveChild(UINT command) {
  if (HWND child = ActiveMdiChild()) ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// A maximized MDI child's minimize, restore and close buttons, which the menu bar shows.
bool TWinSkinForm::InMenuBar(const TWinSysButton& b) {
  return b.FVisible && b.FData->Visibility == kVisibleInMenuBar && !b.FData->Bitmap.Empty();
}

int TWinSkinForm::MdiChildButtonsLeft() const {
  int left = -1;
  for (const TWinSysButton& b : FButtons)
    if (InMenuBar(b)) left = left < 0 ? b.FBounds.Left : std::min(left, b.FBounds.Left);
  return left;
}

void TWinSkinForm::DrawMdiChildButtons(HDC dc, TRect bar) {
  bool drawn = false;
  for (const TWinSysButton& b : FButtons) {
    if (!InMenuBar(b)) continue;
    const TRect r{b.FBounds.Left - bar.Left, b.FBounds.Top - bar.Top, b.FBounds.Right - bar.Left,
                  b.FBounds.Bottom - bar.Top};
    DrawFrame(dc, r, b.FData->Bitmap, true, b.FData->FrameCount, 1);
    drawn = true;
  }
  if (drawn && !ManagerKnowsMdiMaximized()) TellMdiMaximized(true);
}

} // namespace skin
