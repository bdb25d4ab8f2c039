#include "skin/controls/scroll_overlay.h"

#include "skin/common/skin_paint.h"
#include "skin/data/core/skin_colours.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {

namespace {

constexpr wchar_t kOverlayClass[] = L"TWScrollbar";
constexpr DWORD kInvisible = STATE_SYSTEM_INVISIBLE;
constexpr DWORD kUnavailable = STATE_SYSTEM_UNAVAILABLE;
constexpr int kArrowFrames = 23;
constexpr int kTrackFrames = 4;
constexpr int kThumbFrames = 3;
// How often a shown overlay looks whether its bar changed without a paint (a range or position
// set without redrawing, the control disabled): it then shows the bar as it is now.
constexpr UINT_PTR kStaleCheckTimer = 1;
constexpr UINT kStaleCheckInterval = 200;

bool HasImage(const std::unique_ptr<TDataSkinObject>& e) {
  return e && !e->Bitmap.Empty();
}

void DrawElement(HDC dc, TRect rect, const TDataSkinObject& e, int frameCount, int frame) {
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top || e.Bitmap.Empty()) return;
  DrawNineSlice(dc, rect, e.Bitmap, false, e.Tile == 1, e.Trans == 1, frameCount, frame,
                {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight});
}

// Overlays lie over the control: the control must not draw its own bar over them.
void ClipSiblings(HWND target) {
  const LONG style = ::GetWindowLongW(target, GWL_STYLE);
  if (!(style & WS_CLIPSIBLINGS)) ::SetWindowLongW(target, GWL_STYLE, style | WS_CLIPSIBLINGS);
}

} // namespace

// --- Geometry and drawing

bool ReadScrollBar(HWND target, ScrollBarKind kind, int arrowSize, ScrollBarGeometry& out) {
  if (kind == ScrollBarKind::Control) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetWindowRect(target, &out.bar) || !::GetScrollInfo(target, SB_CTL, &si)) return false;
    const bool vertical = (::GetWindowLongW(target, GWL_STYLE) & SBS_VERT) != 0;
    const int length = vertical ? out.bar.bottom - out.bar.top : out.bar.right - out.bar.left;
    out.thumb = ControlThumb({si.nMin, si.nMax, si.nPage, si.nPos}, length, arrowSize);
    out.state = ::IsWindowEnabled(target) ? 0 : kUnavailable;
    if (!::IsWindowVisible(target)) out.state |= kInvisible;
    return true;
  }
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const LONG object = kind == ScrollBarKind::Horizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
  if (!::GetScrollBarInfo(target, object, &info)) return false;
  out.bar = info.rcScrollBar;
  out.thumb = {info.xyThumbTop, info.xyThumbBottom};
  out.state = info.rgstate[0];
  // The bars of a disabled window are disabled with it.
  if (!::IsWindowEnabled(target)) out.state |= kUnavailable;
  return true;
}

void DrawScrollBar(HDC dc, int x, int y, const TSkinElements& e, const ScrollBarLook& look,
                   TPaintBuffer& buffer) {
  if (!HasImage(e.Scrollbar)) return;
  const TBitmap& arrows = e.Scrollbar->Bitmap;
  const int length = look.trackLength;
  const int thickness = look.thickness;
  const int w = look.vertical ? thickness : length, h = look.vertical ? length : thickness;
  HDC b = buffer.Prepare(dc, w, h);
  if (!b) return;
  ::SetStretchBltMode(b, COLORONCOLOR);
  const TRect whole{0, 0, w, h};
  fw::Brush face(::CreateSolidBrush(e.Colour(kButtonFace) & 0xFFFFFF));
  const RECT all{0, 0, w, h};
  ::FillRect(b, &all, face.get());
  auto along = [&](int from, int to) {
    return look.vertical ? TRect{0, from, w, to} : TRect{from, 0, to, h};
  };
  // Track between the arrows.
  const auto& track = look.vertical ? e.VertScroll : e.HorzScroll;
  if (HasImage(track))
    DrawElement(b, along(look.arrowSize, length - look.arrowSize), *track, kTrackFrames,
                TrackFrame(look.enabled));
  // Arrows.
  const int arrowLength = ArrowLength(length, look.arrowSize);
  for (bool second : {false, true}) {
    const ScrollPart part = second ? ScrollPart::SecondArrow : ScrollPart::FirstArrow;
    ArrowLook state = ArrowLook::Normal;
    if (look.hotPart == part) state = look.tracking ? ArrowLook::Pressed : ArrowLook::Hot;
    const TRect r = second ? along(length - arrowLength, length) : along(0, arrowLength);
    DrawFrame(b, r, arrows, true, kArrowFrames, ArrowFrame(look.vertical, second, state));
  }
  // Thumb and its grip.
  if (look.enabled && look.thumb.Length() > 0 && look.thumb.end <= length) {
    ArrowLook state = ArrowLook::Normal;
    if (look.hotPart == ScrollPart::Thumb)
      state = look.tracking ? ArrowLook::Pressed : ArrowLook::Hot;
    const auto& thumb = look.vertical ? e.VertScrollThumb : e.HorzScrollThumb;
    if (HasImage(thumb)) {
      const int frames = thumb->FrameCount > 0 ? thumb->FrameCount : kThumbFrames;
      DrawElement(b, along(look.thumb.start, look.thumb.end), *thumb, frames, ThumbFrame(state));
    }
    const int grip = arrows.Height();
    if (look.thumb.Length() > grip + 2) {
      const int start = look.thumb.start + (look.thumb.Length() - grip) / 2;
      const int across = (thickness - grip) / 2;
      const TRect r = look.vertical ? TRect{across, start, across + grip, start + grip}
                                    : TRect{start, across, start + grip, across + grip};
      DrawFrame(b, r, arrows, true, kArrowFrames, GripFrame(look.vertical, state));
    }
  }
  buffer.Present(dc, x, y, whole.Width(), whole.Height());
}

// --- TWScrollbar

TWScrollbar::TWScrollbar(const TControlSkinSource& skin) : FSkin(skin) {
  FArrowSize = ::GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar() = default;

void TWScrollbar::AttachToWindow(HWND target, ScrollBarKind kind) {
  FTarget = target;
  FKind = kind;
  FWindow = std::make_unique<TSkinChildWindow>(
      kOverlayClass, WS_EX_TOOLWINDOW | WS_EX_NOPARENTNOTIFY, WS_CHILD | WS_CLIPSIBLINGS,
      ::GetParent(target), [this](fw::TMessage& message) { return WindowMessage(message); });
  FWnd = FWindow->Handle();
  if (!FWnd) return;
  ClipSiblings(target);
  Place();
}

bool TWScrollbar::Vertical() const {
  if (FKind == ScrollBarKind::Control)
    return (::GetWindowLongW(FTarget, GWL_STYLE) & SBS_VERT) != 0;
  return FKind == ScrollBarKind::Vertical;
}

bool TWScrollbar::Geometry(ScrollBarGeometry& g) const {
  return ReadScrollBar(FTarget, FKind, FArrowSize, g);
}

void TWScrollbar::Place() {
  if (!FWnd) return;
  ScrollBarGeometry g;
  if (!Geometry(g)) {
    HideBar();
    return;
  }
  if (!(::GetWindowLongW(FTarget, GWL_STYLE) & WS_VISIBLE) || (g.state & kInvisible) ||
      ::IsRectEmpty(&g.bar)) {
    HideBar();
    return;
  }
  FBarRect = g.bar;
  FTrackLength = Vertical() ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left;
  FBarOrigin = {g.bar.left, g.bar.top};
  POINT topLeft = FBarOrigin;
  ::ScreenToClient(::GetParent(FWnd), &topLeft);
  const int w = g.bar.right - g.bar.left, h = g.bar.bottom - g.bar.top;
  RECT now;
  ::GetWindowRect(FWnd, &now);
  const bool moved = !::EqualRect(&now, &g.bar);
  const bool shown = ::IsWindowVisible(FWnd) != 0;
  if (moved || !shown || !AboveTarget()) {
    // Directly above the control, unless already above it: moving among siblings would make
    // the control repaint its frame, and that repaint places the bars again.
    HWND before = ::GetWindow(FTarget, GW_HWNDPREV);
    UINT flags = SWP_SHOWWINDOW | SWP_NOACTIVATE;
    if (AboveTarget()) flags |= SWP_NOZORDER;
    ::SetWindowPos(FWnd, before ? before : HWND_TOP, topLeft.x, topLeft.y, w, h, flags);
  }
  if (!FShown) ::SetTimer(FWnd, kStaleCheckTimer, kStaleCheckInterval, nullptr);
  FShown = true;
  Repaint();
}

bool TWScrollbar::AboveTarget() const {
  for (HWND w = ::GetWindow(FWnd, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
    if (w == FTarget) return true;
  return false;
}

void TWScrollbar::HideBar() {
  if (FWnd) {
    ::KillTimer(FWnd, kStaleCheckTimer);
    ::ShowWindow(FWnd, SW_HIDE);
  }
  FShown = false;
}

void TWScrollbar::CheckStale() {
  if (!FShown || FTracking) return;
  ScrollBarGeometry g;
  if (!Geometry(g) || !::EqualRect(&g.bar, &FBarRect) || (g.state & kInvisible)) {
    Place(); // moved, resized or gone
    return;
  }
  if (g.thumb.start != FPainted.thumb.start || g.thumb.end != FPainted.thumb.end ||
      g.state != FPainted.state) {
    FPainted = g;
    Repaint();
  }
}

ScrollPart TWScrollbar::HitTest(POINT client) const {
  return HitScrollPart(Vertical() ? client.y : client.x, FTrackLength, FArrowSize, FThumb);
}

void TWScrollbar::Repaint() {
  if (!FWnd || !FShown) return;
  ::InvalidateRect(FWnd, nullptr, FALSE);
  ::UpdateWindow(FWnd);
}

TMessageAnswer TWScrollbar::WindowMessage(fw::TMessage& message) {
  const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  switch (message.Msg) {
  case WM_PAINT:
    Paint();
    break;
  case WM_MOUSEMOVE:
    MouseMove(p);
    break;
  case WM_MOUSELEAVE:
    MouseLeave();
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseDown(p);
    break;
  case WM_LBUTTONUP:
    MouseUp(p);
    break;
  case WM_TIMER:
    if (message.WParam != kStaleCheckTimer) return TMessageAnswer::PassOn;
    CheckStale();
    break;
  default:
    return TMessageAnswer::PassOn;
  }
  message.Result = 0;
  return TMessageAnswer::Handled;
}

void TWScrollbar::MouseMove(POINT p) {
  const ScrollPart part = HitTest(p);
  if (part != FHotPart) {
    FHotPart = part;
    ::InvalidateRect(FWnd, nullptr, FALSE);
  }
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FWnd, 0};
  ::TrackMouseEvent(&track);
}

void TWScrollbar::MouseLeave() {
  if (FTracking) return;
  FHotPart = ScrollPart::None;
  ::InvalidateRect(FWnd, nullptr, FALSE);
}

void TWScrollbar::MouseDown(POINT p) {
  ::GetCursorPos(&FPressCursor);
  ScrollBarGeometry g;
  // A disabled bar scrolls nothing: the system is not asked to track it.
  if (!Geometry(g) || (g.state & kUnavailable)) return;
  FThumb = g.thumb;
  FPressThumbStart = g.thumb.start;
  FHotPart = HitTest(p);
  if (FKind != ScrollBarKind::Control) FBarOrigin = {g.bar.left, g.bar.top};
  FTracking = true;
  Repaint();
  ::ReleaseCapture();
  // The system's own tracking runs inside this call until the button is released; the skin may
  // be switched off meanwhile, and this overlay freed with it.
  const TLiveness::TWatch alive = FLiveness.Watch();
  HandToTarget(p, TPress::Down);
  if (!alive) return;
  FTracking = false;
  ::ReleaseCapture();
  if (::IsWindow(FWnd)) Repaint();
}

void TWScrollbar::MouseUp(POINT p) {
  FTracking = false;
  ::ReleaseCapture();
  HandToTarget(p, TPress::Up);
}

void TWScrollbar::HandToTarget(POINT p, TPress press) {
  POINT target = p;
  if (FKind == ScrollBarKind::Control)
    ::MapWindowPoints(FWnd, FTarget, &target, 1);
  else
    target = {p.x + FBarOrigin.x, p.y + FBarOrigin.y};
  const LPARAM at = MAKELPARAM(target.x, target.y);
  const bool control = FKind == ScrollBarKind::Control;
  const WPARAM wParam =
      control ? MK_LBUTTON : (FKind == ScrollBarKind::Vertical ? HTVSCROLL : HTHSCROLL);
  if (press == TPress::Down)
    ::SendMessageW(FTarget, control ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN, wParam, at);
  else
    ::PostMessageW(FTarget, control ? WM_LBUTTONUP : WM_NCLBUTTONUP, wParam, at);
}

void TWScrollbar::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(FWnd, &ps);
  ScrollBarGeometry g;
  if (dc && FSkin.Elements && HasImage(FSkin.Elements->Scrollbar) && Geometry(g) &&
      !(g.state & kInvisible)) {
    RECT client;
    ::GetClientRect(FWnd, &client);
    const int w = g.bar.right - g.bar.left, h = g.bar.bottom - g.bar.top;
    if (w <= client.right && h <= client.bottom) {
      ScrollBarLook look;
      look.vertical = Vertical();
      look.enabled = !(g.state & kUnavailable);
      look.trackLength = FTrackLength = look.vertical ? h : w;
      const int across = look.vertical ? w : h;
      look.thickness = across;
      look.arrowSize = std::min(FArrowSize, FTrackLength / 2);
      FThumb = g.thumb;
      if (FTracking && FHotPart == ScrollPart::Thumb && FKind != ScrollBarKind::Control) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        const int moved = look.vertical ? cursor.y - FPressCursor.y : cursor.x - FPressCursor.x;
        FThumb = DraggedThumb(FPressThumbStart, moved, g.thumb.Length(), FTrackLength, FArrowSize);
      }
      look.thumb = FThumb;
      look.hotPart = FHotPart;
      look.tracking = FTracking;
      DrawScrollBar(dc, 0, 0, *FSkin.Elements, look, FBuffer);
      FPainted = g;
    }
  }
  ::EndPaint(FWnd, &ps);
}

} // namespace skin
