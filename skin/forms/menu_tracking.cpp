#include "skin/forms/form_menus.h"

#include "skin/common/modal_loop.h"
#include "skin/common/thread_hook.h"
#include "skin/forms/skin_manager.h"

#include <utility>

namespace skin {

namespace {

// Entries made owner-drawn for one tracking, given back their own drawing afterwards.
using OwnerDrawnEntries = std::vector<std::pair<HMENU, UINT>>;

void MakeOwnerDrawn(HMENU menu, OwnerDrawnEntries& changed) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      // Only the type changes: the entry keeps its text for measuring and mnemonics.
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
      changed.emplace_back(menu, static_cast<UINT>(i));
    }
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, changed);
  }
}

void RestoreOwnerDrawn(const OwnerDrawnEntries& changed) {
  for (const auto& [menu, position] : changed) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
    info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
    ::SetMenuItemInfoW(menu, position, TRUE, &info);
  }
}

} // namespace

void TFormMenus::SwitchTo(int index, TBarApproach approach) {
  if (FTracking) {
    FTracking->switchTo = index;
    FTracking->switchHow = approach;
  }
  ::EndMenu();
}

void TFormMenus::PressDuringDropDown(int index) {
  if (FTracking && index == FTracking->openIndex)
    SwitchTo(-1, TBarApproach::Click);
  else
    SwitchTo(index, TBarApproach::Click);
}

void TFormMenus::OpenMenuItem(int index, TBarApproach approach) {
  // The loop keeps on its stack what it needs after a menu loop: that loop may free this object.
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  while (index >= 0 && FBar && index < static_cast<int>(FBar->FItems.size())) {
    FBar->Layout(wnd, BarRect(), RightToLeft());
    // A copy: a command handler run meanwhile may rebuild the bar's items.
    const TMenuBtn item = FBar->FItems[static_cast<size_t>(index)];
    TBarStep step;
    switch (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, approach)) {
    case TBarLanding::RunCommand:
      ::PostMessageW(wnd, WM_COMMAND, item.FCommand, 0);
      return;
    case TBarLanding::Nothing:
      return;
    case TBarLanding::Highlight:
      step = HighlightItem(item.FIndex);
      break;
    case TBarLanding::OpenDropDown:
      // A framework item hears of its opening (its OnClick); a plain menu's drop-down has no
      // command of its own.
      if (item.FFrameworkItem) ::PostMessageW(wnd, WM_COMMAND, item.FCommand, 0);
      step = TrackDropDown(item);
      break;
    }
    // The command chosen reaches the window even when its skin went meanwhile.
    if (step.command) ::PostMessageW(wnd, WM_COMMAND, step.command, 0);
    if (!alive) return;
    index = step.next;
    approach = step.approach;
  }
}

TFormMenus::TBarStep TFormMenus::TrackDropDown(const TMenuBtn& item) {
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  const bool rightToLeft = RightToLeft();
  TMenuTrackingState state;
  state.menus = this;
  state.openIndex = item.FIndex;
  state.trackedMenu = FDropDownMenu = item.FSubMenu;
  ::GetCursorPos(&state.lastMouse);
  FTracking = &state;
  OwnerDrawnEntries ownerDrawn;
  MakeOwnerDrawn(item.FSubMenu, ownerDrawn);
  FMenuTracking = true;
  RECT w;
  ::GetWindowRect(wnd, &w);
  const int x = (rightToLeft ? item.FBounds.Right : item.FBounds.Left) + w.left;
  const int y = item.FBounds.Bottom + w.top;
  const TMenuOpeningScope opening({MenuKind::BarDropDown, true});
  SetHot(item.FIndex, TButtonState::Pressed);
  auto hook = std::make_unique<TThreadHook>(
      [&state](int code, MSG& m) { return state.menus && state.menus->OnMenuFilter(code, m); });
  FOpened.push_back(item.FIndex);
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      item.FSubMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD | (rightToLeft ? TPM_RIGHTALIGN : 0), x, y, 0,
      wnd, nullptr));
  hook.reset();
  RestoreOwnerDrawn(ownerDrawn);
  const TBarStep step{state.switchTo, state.switchHow, command};
  if (!alive) return step;
  FTracking = nullptr;
  FMenuTracking = false;
  SetHot(-1, TButtonState::Normal);
  return step;
}

TFormMenus::TBarStep TFormMenus::HighlightItem(int index) {
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  TBarStep step;
  FMenuTracking = true;
  SetHot(index, TButtonState::Hot);
  ::GetCursorPos(&FLastMouse);
  // The bar's own little menu loop: keys and the mouse are the bar's until the highlight ends;
  // everything else is dispatched as usual.
  ::SetCapture(wnd);
  auto goOn = [&] {
    if (!alive) return false;
    // A command handler took the menu away or rebuilt it shorter: nothing is left to highlight.
    if (!FBar || index >= static_cast<int>(FBar->FItems.size())) {
      step = {};
      return false;
    }
    // Another window took the mouse (activation went elsewhere, a cancel): the bar lets go.
    return ::GetCapture() == wnd;
  };
  RunModalLoop(goOn, [&](const MSG& m) { return HighlightInput(m, index, step); });
  if (::GetCapture() == wnd) ::ReleaseCapture();
  if (!alive) return step;
  FMenuTracking = false;
  SetHot(-1, TButtonState::Normal);
  return step;
}

TLoopInput TFormMenus::HighlightInput(const MSG& m, int& index, TBarStep& step) {
  const auto endsIf = [](bool ends) { return ends ? TLoopInput::Ends : TLoopInput::Taken; };
  switch (m.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    return endsIf(HighlightKey(m.wParam, index, step));
  case WM_CHAR:
  case WM_SYSCHAR:
    // The item whose accelerator the letter is comes next.
    step = {FBar->FindAccelItem(static_cast<wchar_t>(m.wParam)), TBarApproach::Accelerator};
    return endsIf(step.next >= 0);
  case WM_KEYUP:
  case WM_SYSKEYUP:
  case WM_DEADCHAR:
  case WM_SYSDEADCHAR:
    return TLoopInput::Taken;
  case WM_MOUSEMOVE:
  case WM_NCMOUSEMOVE: {
    // Only a mouse that moves moves the highlight.
    if (m.pt.x == FLastMouse.x && m.pt.y == FLastMouse.y) return TLoopInput::Taken;
    FLastMouse = m.pt;
    const int item = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
    return endsIf(item >= 0 && item != index && MoveHighlight(item, index, step));
  }
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_NCRBUTTONDOWN:
  case WM_MBUTTONDOWN:
    return endsIf(HighlightPress(m.pt, index, step));
  case WM_LBUTTONUP:
  case WM_NCLBUTTONUP:
  case WM_RBUTTONUP:
  case WM_NCRBUTTONUP:
  case WM_MBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_NCLBUTTONDBLCLK:
    return TLoopInput::Taken;
  default:
    return TLoopInput::Passed;
  }
}

bool TFormMenus::HighlightKey(WPARAM key, int& index, TBarStep& step) {
  const TBarKey action = BarKeyOf(static_cast<unsigned>(key), RightToLeft());
  switch (action) {
  case TBarKey::Previous:
  case TBarKey::Next: {
    const int next = NeighbourItem(FBar->Bounds(), index, action == TBarKey::Next ? 1 : -1);
    return next >= 0 && MoveHighlight(next, index, step);
  }
  case TBarKey::Run: {
    const TMenuBtn& item = FBar->FItems[static_cast<size_t>(index)];
    if (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, TBarApproach::Click) !=
        TBarLanding::RunCommand)
      return false; // a disabled item runs nothing
    step.command = item.FCommand;
    return true;
  }
  case TBarKey::Leave:
    return true;
  case TBarKey::None:
    return false;
  }
  return false;
}

bool TFormMenus::HighlightPress(POINT screen, int index, TBarStep& step) {
  const int item = FBar->ItemAtPoint(FHost.WindowToFrame(screen));
  if (item == index) {
    // A click on the highlighted item runs it, or, when it runs nothing, ends the highlight.
    const TMenuBtn& hot = FBar->FItems[static_cast<size_t>(index)];
    if (LandOnBarItem(hot.FSubMenu != nullptr, hot.FItemEnabled, TBarApproach::Click) ==
        TBarLanding::RunCommand)
      step.command = hot.FCommand;
    return true;
  }
  // Another item comes next; a press anywhere else ends the highlight.
  step = {item, TBarApproach::Click};
  return true;
}

bool TFormMenus::MoveHighlight(int next, int& index, TBarStep& step) {
  const TMenuBtn& item = FBar->FItems[static_cast<size_t>(next)];
  if (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, TBarApproach::Neighbour) ==
      TBarLanding::OpenDropDown) {
    step = {next, TBarApproach::Neighbour};
    return true;
  }
  index = next;
  SetHot(index, TButtonState::Hot);
  return false;
}

bool TFormMenus::OnMenuFilter(int code, MSG& m) {
  if (code != MSGF_MENU || !FBar || !FTracking) return false;
  TMenuTrackingState& state = *FTracking;
  // In a right-to-left menu the arrow keys point the other way.
  if (RightToLeft() && (m.message == WM_KEYDOWN || m.message == WM_KEYUP) &&
      (m.wParam == VK_LEFT || m.wParam == VK_RIGHT))
    m.wParam = m.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  if (!state.downKeySent) {
    state.downKeySent = true;
    ::PostMessageW(m.hwnd, WM_KEYDOWN, VK_DOWN, 0); // the drop-down's first entry is selected
  }
  int target = -1;
  switch (m.message) {
  case WM_KEYDOWN:
    if (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE) state.switchTo = -1;
    if (m.wParam == VK_LEFT && (!state.selectedMenu || state.selectedMenu == state.trackedMenu))
      target = NeighbourItem(FBar->Bounds(), state.openIndex, -1);
    if (m.wParam == VK_RIGHT && (!state.selectedMenu || !state.selectedHasSubMenu))
      target = NeighbourItem(FBar->Bounds(), state.openIndex, +1);
    break;
  case WM_SYSKEYDOWN:
    if (m.wParam == VK_MENU) FMenuTracking = false;
    return false;
  case WM_MOUSEMOVE:
    if (m.pt.x != state.lastMouse.x || m.pt.y != state.lastMouse.y) {
      target = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
      state.lastMouse = m.pt;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN: {
    // A press on the bar is the bar's: the menu would end and leave the press to reopen what it
    // closed.
    const int item = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
    if (item < 0) return false;
    PressDuringDropDown(item);
    return true;
  }
  default:
    break;
  }
  if (target >= 0 && target != state.openIndex) SwitchTo(target, TBarApproach::Neighbour);
  return false;
}

void TFormMenus::MenuSelect(WPARAM wParam, LPARAM lParam) {
  if (!FTracking) return;
  if (HIWORD(wParam) == 0xFFFF && lParam == 0) return; // the menu closes
  FTracking->selectedMenu = reinterpret_cast<HMENU>(lParam);
  FTracking->selectedHasSubMenu = (HIWORD(wParam) & MF_POPUP) != 0;
}

} // namespace skin
