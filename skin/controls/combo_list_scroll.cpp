#include "skin/controls/combo_list_scroll.h"

#include "skin/common/modal_loop.h"

#include <windowsx.h>

namespace skin {

namespace {

// The list's "track the mouse" message a combo box sends it when it drops down.
constexpr UINT kListTracking = 0x1AE;

} // namespace

TMessageAnswer TComboxScrollBar::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NCMOUSEMOVE:
    if (message.WParam == HTVSCROLL || message.WParam == HTHSCROLL) {
      // The list's own hot tracking would paint over the skin.
      message.Result = 0;
      return TMessageAnswer::Handled;
    }
    return TMessageAnswer::PassOn;
  case WM_NCLBUTTONDOWN:
    if (message.WParam == HTVSCROLL &&
        ThumbDrag({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)})) {
      message.Result = 0;
      return TMessageAnswer::Handled;
    }
    return TMessageAnswer::PassOn;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

void TComboxScrollBar::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NCPAINT:
  case WM_HSCROLL:
  case WM_VSCROLL:
  case WM_MOUSEWHEEL:
  case WM_KEYDOWN:
  case WM_NCLBUTTONDOWN:
  case kListTracking:
    RedrawSkin(nullptr);
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TComboxScrollBar::DrawSkin(HDC dc, TRect /*rect*/) {
  if (!FSkinData.Elements) return;
  ScrollBarGeometry g;
  const int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
  if (!ReadScrollBar(FHandle, ScrollBarKind::Vertical, arrow, g)) return;
  if ((g.state & STATE_SYSTEM_INVISIBLE) || ::IsRectEmpty(&g.bar)) return;
  RECT window;
  ::GetWindowRect(FHandle, &window);
  ScrollBarLook look;
  look.vertical = true;
  look.enabled = !(g.state & STATE_SYSTEM_UNAVAILABLE);
  look.trackLength = g.bar.bottom - g.bar.top;
  look.thickness = g.bar.right - g.bar.left;
  look.arrowSize = arrow;
  look.thumb = g.thumb;
  DrawScrollBar(dc, g.bar.left - window.left, g.bar.top - window.top, *FSkinData.Elements, look,
                FBarBuffer);
}

void TComboxScrollBar::ScrollTo(WORD code, int pos) {
  ::SendMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(code, pos), 0);
}

bool TComboxScrollBar::ThumbDrag(POINT press) {
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!::GetScrollBarInfo(FHandle, OBJID_VSCROLL, &bar)) return false;
  const int at = press.y - bar.rcScrollBar.top;
  if (press.x < bar.rcScrollBar.left || press.x >= bar.rcScrollBar.right || at < bar.xyThumbTop ||
      at >= bar.xyThumbBottom)
    return false;
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(FHandle, SB_VERT, &si)) return false;
  const int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
  const ScrollNumbers numbers{si.nMin, si.nMax, si.nPage, si.nPos};
  const int startOffset = bar.xyThumbTop - arrow;
  const int track = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) - 2 * arrow;
  const int thumb = bar.xyThumbBottom - bar.xyThumbTop;
  int pos = si.nPos;
  // A dropped-down list may hold the mouse already (to close on a click elsewhere); it keeps it.
  const bool hadCapture = ::GetCapture() == FHandle;
  ::SetCapture(FHandle);
  // Checked after every wake-up: sent messages (a capture taken away, the list hidden) are
  // handled while waiting.
  auto goOn = [&] {
    if (!::IsWindowVisible(FHandle)) {
      FLastEnd = ThumbDragEnd::ListClosed;
      return false;
    }
    if (::GetCapture() != FHandle) {
      FLastEnd = ThumbDragEnd::CaptureLost;
      return false;
    }
    return true;
  };
  auto input = [&](const MSG& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      POINT cursor{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      if (msg.message == WM_MOUSEMOVE) ::ClientToScreen(msg.hwnd, &cursor);
      const int next = ThumbDragPosition(numbers, startOffset + (cursor.y - press.y), track, thumb);
      if (next != pos) {
        pos = next;
        // The list takes a tracked position only from the system's own tracking: the position
        // itself moves it.
        ScrollTo(SB_THUMBPOSITION, pos);
        RedrawSkin(nullptr);
      }
      return TLoopInput::Taken;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
      FLastEnd = ThumbDragEnd::Released;
      return TLoopInput::Ends;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      FLastEnd = ThumbDragEnd::Escape;
      pos = si.nPos;
      return TLoopInput::Ends;
    }
    return TLoopInput::Passed;
  };
  if (RunModalLoop(goOn, input) == TLoopEnd::Quit) FLastEnd = ThumbDragEnd::Quit;
  if (::IsWindow(FHandle)) {
    if (FLastEnd != ThumbDragEnd::ListClosed) ScrollTo(SB_THUMBPOSITION, pos);
    ::PostMessageW(FHandle, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    if (::GetCapture() == FHandle && !hadCapture) ::ReleaseCapture();
    RedrawSkin(nullptr);
  }
  return true;
}

} // namespace skin
