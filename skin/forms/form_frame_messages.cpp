#include "skin/forms/win_skin_form.h"

#include "framework/menus.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_shared.h"

#include <windowsx.h>

namespace skin {

namespace {

// The caption-drawing request of the system's visual styles (WM_NCUAHDRAWCAPTION): the skin
// draws the caption, so it is answered without drawing.
constexpr UINT kThemedCaptionRequest = 0x00AE;
// The framework's hint timing: a caption-button hint shows after 2 x HintPause of rest over the
// button, for HintHidePause.
constexpr int kHintPause = 500, kHintHidePause = 2500;
// The hover timer: while it runs, the hot caption button is let go when the cursor has left it
// without a non-client message, caption hints show, and the skins of controls that are gone are
// freed.
constexpr UINT_PTR kHoverTimer = 0x5EED;
constexpr UINT kHoverInterval = 250;

} // namespace

// ---- the frame and its caption buttons: a unit of the window skin's message chain --------------

TMessageAnswer TWinSkinForm::FrameMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NCPAINT:
    return NcPaint(message);
  case WM_NCACTIVATE:
    return NcActivate(message);
  case WM_ACTIVATE:
    return Activate(message);
  case WM_NCCALCSIZE:
    return NcCalcSize(message);
  case WM_NCHITTEST:
    return NcHitTest(message);
  case WM_NCMOUSEMOVE:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
    return NcMouse(message);
  case WM_NCRBUTTONDOWN:
    return NcRightButtonDown(message);
  case WM_SIZE:
    return Size(message);
  case WM_GETMINMAXINFO:
    return AnsweredThen(message, &TWinSkinForm::ReadWindowState);
  case WM_WINDOWPOSCHANGED:
    return WindowPosChanged(message);
  case WM_SETICON:
    return AnsweredThen(message, &TWinSkinForm::MakeIconBitmap);
  case WM_SETTEXT:
    return SetText(message);
  case WM_SYSCOMMAND:
    return SysCommand(message);
  case WM_TIMER:
    return HoverTimer(message);
  case SM_REDRAWFRAME:
    return RedrawFrame(message);
  case SM_PAINTFRAMEDC:
    return PaintFrameInto(message);
  case SM_FRAMEQUERY:
    return FrameQuery(message);
  case kThemedCaptionRequest:
    return Answer(message, 0);
  default:
    return TMessageAnswer::PassOn;
  }
}

TMessageAnswer TWinSkinForm::NcPaint(fw::TMessage& message) {
  if (FState == TFormLife::Hooked) return Answer(message, 0); // never a half-skinned frame
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  SetSysMenuStyle(true);
  if (FKind.borderKind == kBorderNone) return TMessageAnswer::PassOn;
  PaintFrame(nullptr);
  return Answer(message, 0);
}

TMessageAnswer TWinSkinForm::NcActivate(fw::TMessage& message) {
  if (FState == TFormLife::Hooked && !FKind.IsMdiChild()) return Answer(message, 0);
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  FActive = (message.WParam & 0xFF) != 0;
  // Hover feedback is for the active window only.
  if (FActive) {
    StartHoverTimer();
  } else {
    StopHoverTimer();
    MouseLeave();
  }
  // The MDI client hands the frame's activation on to the active child's caption.
  if (FKind.mdiKind == kMdiFrame && FClientWnd)
    ::SendMessageW(FClientWnd, WM_NCACTIVATE, message.WParam, 0);
  if (FKind.IsMdiChild()) CallWindow(message);
  PaintFrame(nullptr);
  return Answer(message, 1);
}

TMessageAnswer TWinSkinForm::Activate(fw::TMessage& message) {
  if (SkinsFrame()) FActive = (message.WParam & 0xFF) != 0;
  return TMessageAnswer::PassOn;
}

TMessageAnswer TWinSkinForm::NcCalcSize(fw::TMessage& message) {
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  return Answer(message, CalcClientArea(message.WParam, message.LParam));
}

TMessageAnswer TWinSkinForm::NcHitTest(fw::TMessage& message) {
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  return Answer(message, HitTest(message.WParam, message.LParam));
}

TMessageAnswer TWinSkinForm::NcMouse(fw::TMessage& message) {
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  if (CaptionMouse(message) == TMessageAnswer::Handled) return Answer(message, 0);
  if (message.Msg == WM_NCLBUTTONDOWN && FWindowState == kStateMaximized &&
      message.WParam == HTCAPTION && FActive)
    message.WParam = HTMENU; // a maximized window cannot be dragged by its caption
  return TMessageAnswer::PassOn;
}

TMessageAnswer TWinSkinForm::NcRightButtonDown(fw::TMessage& message) {
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  if (FSource.Component) FSource.Component->HideCaptionHint();
  if (message.WParam != HTCAPTION || FKind.IsMdiChild()) return TMessageAnswer::PassOn;
  ShowSystemMenu({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
  return Answer(message, 0);
}

TMessageAnswer TWinSkinForm::Size(fw::TMessage& message) {
  if (!SkinsFrame()) return TMessageAnswer::PassOn;
  message.Result = CallWindow(message);
  FWindowState = message.WParam == SIZE_MINIMIZED   ? kStateMinimized
                 : message.WParam == SIZE_MAXIMIZED ? kStateMaximized
                                                    : kStateNormal;
  if (FWindowState == kStateMinimized) return TMessageAnswer::Handled;
  if (FKind.IsMdiChild()) {
    // However the child was maximized (our caption button, its system menu, WM_MDIMAXIMIZE), the
    // manager learns it: a region cut for the normal size would clip the maximized child.
    if (FWindowState == kStateMaximized) TellMdiMaximized(true);
    if (FWindowState != kStateNormal || ManagerKnowsMdiMaximized()) return TMessageAnswer::Handled;
  }
  if (Working()) UpdateRegion();
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::AnsweredThen(fw::TMessage& message, void (TWinSkinForm::*then)()) {
  if (!SkinsFrame()) return TMessageAnswer::PassOn;
  message.Result = CallWindow(message);
  (this->*then)();
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::WindowPosChanged(fw::TMessage& message) {
  if (!SkinsFrame()) return TMessageAnswer::PassOn;
  ReadWindowState();
  const TLiveness::TWatch alive = FLiveness.Watch();
  message.Result = CallWindow(message); // its WM_SIZE may end the skin
  // The caption is laid out for the new size and state before anything hit-tests it.
  if (alive && Working() && FSource.Elements) LayoutCaption();
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::SetText(fw::TMessage& message) {
  if (!FSkinFrame || FState != TFormLife::Running || !::IsWindowVisible(FHandle))
    return TMessageAnswer::PassOn;
  // The system repaints its own caption for a new text: paint ours over it at once.
  message.Result = CallWindow(message);
  if (FWindowState == kStateMinimized)
    PaintFrame(nullptr);
  else
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::SysCommand(fw::TMessage& message) {
  // Restoring an MDI child ends the maximized state of the whole MDI. It is seen whatever the
  // frame switch says, because the manager switched this child's frame off while a child was
  // maximized.
  if (FKind.IsMdiChild() && fw::SysCommandOf(message.WParam) == SC_RESTORE) TellMdiMaximized(false);
  if (!SkinsFrame()) return TMessageAnswer::PassOn;
  // Before the start the skin only follows the window state.
  if (FState == TFormLife::Hooked)
    return Answer(message, TrackSystemCommand(message.WParam, message.LParam));
  if (MaximizedMdiChild()) return TMessageAnswer::PassOn;
  return Answer(message, TrackSystemCommand(message.WParam, message.LParam));
}

void TWinSkinForm::StartHoverTimer() {
  ::SetTimer(FHandle, kHoverTimer, kHoverInterval, nullptr);
}

void TWinSkinForm::StopHoverTimer() {
  ::KillTimer(FHandle, kHoverTimer);
}

TMessageAnswer TWinSkinForm::HoverTimer(fw::TMessage& message) {
  if (message.WParam != kHoverTimer) return TMessageAnswer::PassOn;
  DropDeadControls(); // every tick frees the skins of controls that are gone
  HoverTick();
  return Answer(message, 0);
}

TMessageAnswer TWinSkinForm::RedrawFrame(fw::TMessage& message) {
  if (!DrawsFrame()) return TMessageAnswer::PassOn;
  PaintFrame(nullptr);
  return Answer(message, 0);
}

TMessageAnswer TWinSkinForm::PaintFrameInto(fw::TMessage& message) {
  // A framework form asks for its frame in a device context of its own (a print or a copy).
  if (!FForm || !FSkinFrame) return TMessageAnswer::PassOn;
  if (message.LParam == kSkinMagic && message.WParam)
    PaintFrame(reinterpret_cast<HDC>(message.WParam));
  return Answer(message, kSkinMagic);
}

TMessageAnswer TWinSkinForm::FrameQuery(fw::TMessage& message) {
  if (!FForm || !FSkinFrame) return TMessageAnswer::PassOn;
  return Answer(message, message.LParam == kSkinMagic ? kSkinMagic : 1);
}

// ---- the mouse over the caption buttons -------------------------------------------------------

TMessageAnswer TWinSkinForm::CaptionMouse(const fw::TMessage& message) {
  const POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TWinSysButton* hit = FindButton(WindowToFrame(screen));
  switch (message.Msg) {
  case WM_NCMOUSEMOVE:
    return CaptionMouseMove(hit);
  case WM_NCLBUTTONDOWN:
    return CaptionPress(hit);
  case WM_NCLBUTTONUP:
    return CaptionRelease(hit, screen);
  case WM_NCLBUTTONDBLCLK:
    return CaptionDoubleClick(hit);
  default:
    return TMessageAnswer::PassOn;
  }
}

TMessageAnswer TWinSkinForm::CaptionMouseMove(TWinSysButton* hit) {
  if (!FActive) return TMessageAnswer::Handled; // dropped while inactive
  if (!hit) {
    MouseLeave();
    return TMessageAnswer::PassOn;
  }
  if (hit != FHotObject) {
    MouseLeave();
    SetHot(hit, TButtonState::Hot);
  }
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::CaptionPress(TWinSysButton* hit) {
  if (FSource.Component) FSource.Component->HideCaptionHint();
  if (!hit) return TMessageAnswer::PassOn;
  if (!FActive) ::SetForegroundWindow(FHandle);
  if (FHotObject && FHotObject != hit) MouseLeave();
  SetHot(hit, TButtonState::Pressed);
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::CaptionRelease(TWinSysButton* hit, POINT screen) {
  if (FSource.Component) FSource.Component->HideCaptionHint();
  if (!hit) return TMessageAnswer::PassOn;
  if (hit == FHotObject) {
    SetHot(hit, TButtonState::Hot);
    ButtonAction(*hit, screen);
  }
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::CaptionDoubleClick(const TWinSysButton* hit) {
  if (hit) {
    // A double click on the window icon closes the window; on other buttons it does nothing.
    if (hit->FData->IsWindowIcon()) {
      StopHoverTimer();
      ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return TMessageAnswer::Handled;
  }
  if (FWindowState != kStateNormal) {
    Restore();
    return TMessageAnswer::Handled;
  }
  if (FKind.caps & kCapMaximize) {
    ToggleMaximize();
    return TMessageAnswer::Handled;
  }
  return TMessageAnswer::PassOn;
}

TWinSysButton* TWinSkinForm::FindButton(POINT p) {
  if (!FSource.Elements || !ButtonsCurrent()) return nullptr;
  for (TWinSysButton& b : FButtons)
    if (b.FVisible && b.FData->Action >= 0 && b.FBounds.Contains(p.x, p.y)) return &b;
  return nullptr;
}

void TWinSkinForm::SetHot(TWinSysButton* button, TButtonState state) {
  FHotObject = button;
  button->FButtonState = state;
  DrawSysButton(*button, state);
}

void TWinSkinForm::MouseLeave() {
  if (FSource.Component) {
    FSource.Component->HideCaptionHint();
    FSource.Component->HoverCounter = 0;
  }
  if (!FHotObject) return;
  TWinSysButton* old = FHotObject;
  FHotObject = nullptr;
  old->FButtonState = TButtonState::Normal;
  DrawSysButton(*old, TButtonState::Normal);
}

void TWinSkinForm::HoverTick() {
  if (FMenus->Tracking()) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  const POINT p = WindowToFrame(cursor);
  FMenus->HoverTick(p);
  if (!FHotObject) return;
  if (!FHotObject->FBounds.Contains(p.x, p.y)) {
    MouseLeave();
    return;
  }
  ShowCaptionHint(cursor);
}

void TWinSkinForm::ShowCaptionHint(POINT cursor) {
  TSkinData* component = FSource.Component;
  if (!component) return;
  component->HoverCounter += static_cast<int>(kHoverInterval);
  const int shown = 2 * kHintPause, hidden = shown + kHintHidePause;
  if (component->HoverCounter >= hidden) {
    component->HideCaptionHint();
  } else if (component->HoverCounter >= shown) {
    const std::string hint = HintText(FHotObject->FData->Action);
    if (!hint.empty()) {
      RECT window;
      ::GetWindowRect(FHandle, &window);
      const LONG x = window.left + FHotObject->FBounds.Left, y = cursor.y + 24;
      component->ShowCaptionHint({x, y, x, y}, std::wstring(hint.begin(), hint.end()));
    }
  }
}

// ---- window commands --------------------------------------------------------------------------

void TWinSkinForm::Restore() {
  FWindowState = kStateNormal;
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMaximize() {
  if (FWindowState == kStateMaximized) return Restore();
  if (FKind.IsMdiChild()) TellMdiMaximized(true);
  FWindowState = kStateMaximized;
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  FHotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
  if (FWindowState == kStateMinimized) return Restore();
  FWindowState = kStateMinimized;
  SetSysMenuStyle(false);
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

LRESULT TWinSkinForm::TrackSystemCommand(WPARAM wParam, LPARAM lParam) {
  switch (fw::SysCommandOf(wParam)) {
  case SC_MINIMIZE:
    FWindowState = kStateMinimized;
    break;
  case SC_MAXIMIZE:
    FWindowState = kStateMaximized;
    break;
  case SC_RESTORE:
    FWindowState = kStateNormal;
    break;
  default:
    break;
  }
  return PassOn(WM_SYSCOMMAND, wParam, lParam);
}

void TWinSkinForm::UpdateSystemMenuItems(HMENU menu) const {
  // The menu is popped up by hand, so its items are brought up to date here, as the system
  // would before showing it.
  const bool normal = FWindowState == kStateNormal;
  auto enable = [menu](UINT command, bool enabled) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(SC_RESTORE, !normal);
  enable(SC_MOVE, FWindowState != kStateMaximized);
  enable(SC_SIZE, normal && FKind.borderKind == kBorderSizeable);
  enable(SC_MINIMIZE, (FKind.caps & kCapMinimize) && FWindowState != kStateMinimized);
  enable(SC_MAXIMIZE, (FKind.caps & kCapMaximize) && FWindowState != kStateMaximized);
  ::SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
  const DWORD now = ::GetTickCount();
  if (now - FLastSysMenuClick > FDoubleClickTime) {
    FLastSysMenuClick = now;
    if (HMENU real = ::GetSystemMenu(FHandle, FALSE)) UpdateSystemMenuItems(real);
    FMenus->PopupSystemMenu(screen, FWindowState);
  } else if (FHotObject) {
    StopHoverTimer();
    ::PostMessageW(FHandle, WM_CLOSE, 0, 0);
  }
}

void TWinSkinForm::ButtonAction(TWinSysButton& b, POINT screen) {
  switch (CommandOf(b.FData->Action)) {
  case ButtonCommand::Close: {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID;
    HMENU systemMenu = ::GetSystemMenu(FHandle, FALSE);
    if (systemMenu && ::GetMenuItemInfoW(systemMenu, SC_CLOSE, FALSE, &item)) {
      StopHoverTimer();
      ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    break;
  }
  case ButtonCommand::ToggleMaximize:
    if (b.FEnabled) ToggleMaximize();
    break;
  case ButtonCommand::ToggleMinimize:
    if (b.FEnabled) ToggleMinimize();
    break;
  case ButtonCommand::ContextHelp:
    ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    break;
  case ButtonCommand::SystemMenu:
    ShowSystemMenu({screen.x + 1, screen.y + 1});
    break;
  case ButtonCommand::MinimizeChild:
    SendToActiveChild(SC_MINIMIZE);
    break;
  case ButtonCommand::RestoreChild:
    SendToActiveChild(SC_RESTORE);
    break;
  case ButtonCommand::CloseChild:
    SendToActiveChild(SC_CLOSE);
    break;
  case ButtonCommand::Application:
    ::PostMessageW(FHandle, SM_CAPTIONCOMMAND, static_cast<WPARAM>(b.FData->Action), 0);
    break;
  }
}

} // namespace skin
