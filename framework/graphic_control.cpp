// Window-less child controls (TGraphicControl) and their hosting by a windowed parent: painting
// over the parent's own painting, mouse routing and the control under the mouse.
#include "framework/control.h"

#include <algorithm>

namespace fw {

bool TWinControl::HasGraphicChildren() const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [](TControl* c) { return dynamic_cast<TGraphicControl*>(c) != nullptr; });
}

TGraphicControl* TWinControl::GraphicChildAt(int x, int y) const {
  // The last one parented lies on top.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* graphic = dynamic_cast<TGraphicControl*>(*it);
    if (graphic && graphic->Visible() && x >= graphic->Left() && y >= graphic->Top() &&
        x < graphic->Left() + graphic->Width() && y < graphic->Top() + graphic->Height())
      return graphic;
  }
  return nullptr;
}

void TWinControl::PaintGraphicChildren(HDC dc) {
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (!graphic || !graphic->Visible()) continue;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, graphic->Left(), graphic->Top(), graphic->Left() + graphic->Width(),
                        graphic->Top() + graphic->Height());
    ::OffsetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
    graphic->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    ::RestoreDC(dc, saved);
  }
}

void TWinControl::SetMouseControl(TGraphicControl* control) {
  if (control == mouseControl_) return;
  TGraphicControl* left = mouseControl_;
  mouseControl_ = control;
  if (left) left->Perform(CM_MOUSELEAVE);
  if (control) {
    control->Perform(CM_MOUSEENTER);
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    ::TrackMouseEvent(&track);
  }
}

bool TWinControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  auto inChild = [&](TGraphicControl* c) {
    return static_cast<LPARAM>(MAKELPARAM(x - c->Left(), y - c->Top()));
  };
  switch (msg) {
  case WM_MOUSEMOVE: {
    TGraphicControl* over = GraphicChildAt(x, y);
    SetMouseControl(over);
    TGraphicControl* target = captureControl_ ? captureControl_ : over;
    if (!target) return false;
    target->Perform(msg, wParam, inChild(target));
    return true;
  }
  case WM_MOUSELEAVE:
    if (!captureControl_) SetMouseControl(nullptr);
    return false;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    TGraphicControl* target = GraphicChildAt(x, y);
    if (!target || !target->Enabled()) return false;
    captureControl_ = target;
    ::SetCapture(handle_);
    target->Perform(msg, wParam, inChild(target));
    return true;
  }
  case WM_LBUTTONUP: {
    TGraphicControl* target = captureControl_;
    if (!target) return false;
    captureControl_ = nullptr;
    if (::GetCapture() == handle_) ::ReleaseCapture();
    target->Perform(msg, wParam, inChild(target));
    SetMouseControl(GraphicChildAt(x, y));
    return true;
  }
  default:
    return false;
  }
}

// --- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner),
      WindowProc([this](TMessage& m) { m.Result = WndProc(m.Msg, m.WParam, m.LParam); }) {
  visible_ = true;
}

TGraphicControl::~TGraphicControl() {
  try {
    Perform(CM_RELEASE);
  } catch (...) {
    // Going anyway.
  }
}

LRESULT TGraphicControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  if (WindowProc) WindowProc(message);
  return message.Result;
}

LRESULT TGraphicControl::WndProc(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  if (msg == WM_PAINT && wParam) Paint(reinterpret_cast<HDC>(wParam));
  return 0;
}

void TGraphicControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  const RECT r{left_, top_, left_ + width_, top_ + height_};
  ::InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  TControl::SetBounds(left, top, width, height);
  Invalidate();
}

void TGraphicControl::SetVisible(bool visible) {
  Invalidate();
  TControl::SetVisible(visible);
  Invalidate();
}

void TGraphicControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  Invalidate();
}

void TGraphicControl::SetText(const std::wstring& text) {
  TControl::SetText(text);
  Invalidate();
}

TGraphicControl::TControlDC::TControlDC(TGraphicControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  wnd_ = parent->Handle();
  dc_ = ::GetDC(wnd_);
  if (!dc_) return;
  ::IntersectClipRect(dc_, control.Left(), control.Top(), control.Left() + control.Width(),
                      control.Top() + control.Height());
  ::SetViewportOrgEx(dc_, control.Left(), control.Top(), nullptr);
}

TGraphicControl::TControlDC::~TControlDC() {
  if (dc_) ::ReleaseDC(wnd_, dc_);
}

} // namespace fw
