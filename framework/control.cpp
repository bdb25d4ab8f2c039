#include "framework/control.h"

#include "framework/application.h"
#include "framework/exception.h"
#include "framework/font_fallback.h"

#include <algorithm>
#include <climits>
#include <set>
#include <utility>

namespace fw {

namespace {

constexpr wchar_t kObjectProp[] = L"fw.TWinControl";

// The control whose window of our own class is being created on this thread: its first
// messages (WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE) arrive before CreateWindowEx returns.
thread_local TWinControl* creatingControl = nullptr;

void RegisterOwnClass(const TCreateParams& params) {
  static std::set<std::wstring> registered;
  if (registered.count(params.WinClassName)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = params.ClassStyle;
  wc.lpfnWndProc = TWinControl::ClassWndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = params.Cursor ? params.Cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = params.Background;
  wc.hIcon = params.Icon;
  wc.hIconSm = params.IconSmall;
  wc.lpszClassName = params.WinClassName.c_str();
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception(L"Cannot register the window class " + params.WinClassName);
  registered.insert(params.WinClassName);
}

// Child window identifiers: unique in the process, clear of IDOK..IDHELP.
UINT_PTR NextControlId() {
  static UINT_PTR next = 100;
  if (next > 0xFFF0) next = 100;
  return next++;
}

} // namespace

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] {
    // A font set on the control itself no longer follows the parent's.
    if (!followingParent_) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
  }
}

void TControl::SetColor(TColor color) {
  color_ = color;
  if (!followingParentColor_) parentColor_ = false;
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor_ && parent_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  followingParentColor_ = true;
  SetColor(parent_->Color());
  followingParentColor_ = false;
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont_ && parent_) ParentFontChanged();
}

HFONT TControl::TextFont() {
  return FontForText(font_->Handle(), Text());
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  followingParent_ = true;
  font_->Assign(parent_->Font());
  followingParent_ = false;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::DefineProperties(TPropertyList& list) const {
  TComponent::DefineProperties(list);
  TPropertyDefiner<TControl> d(list);
  d.Integer(L"Left", &TControl::Left, &TControl::SetLeft);
  d.Integer(L"Top", &TControl::Top, &TControl::SetTop);
  d.Integer(L"Width", &TControl::Width, &TControl::SetWidth);
  d.Integer(L"Height", &TControl::Height, &TControl::SetHeight);
  d.Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible);
  d.Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled);
  d.Integer(L"Color", &TControl::Color, &TControl::SetColor);
  d.Object(L"Font", [](TControl& c) -> TPersistent* { return &c.Font(); });
  d.Boolean(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  d.Boolean(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  d.Integer(L"Cursor", &TControl::Cursor, &TControl::SetCursor);
  d.Event(L"OnClick", &TControl::OnClick);
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner),
      WindowProc([this](TMessage& m) { m.Result = WndProc(m.Msg, m.WParam, m.LParam); }) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // The child objects belong to their owner and may outlive this parent.
  for (TControl* child : controls_)
    child->parent_ = nullptr;
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (control == mouseControl_) mouseControl_ = nullptr;
  if (control == captureControl_) captureControl_ = nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::DefineProperties(TPropertyList& list) const {
  TControl::DefineProperties(list);
  TPropertyDefiner<TWinControl> d(list);
  d.Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  d.Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  d.Boolean(L"ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground);
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::BringToFront() {
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring TWinControl::Text() const {
  if (!handle_) return text_;
  int n = ::GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(handle_, text.data(), n + 1)));
  return text;
}

void TWinControl::SetText(const std::wstring& text) {
  TControl::SetText(text);
  if (!handle_) return;
  ::SetWindowTextW(handle_, text.c_str());
  // A text in another script may need another face.
  HFONT font = TextFont();
  if (reinterpret_cast<HFONT>(::SendMessageW(handle_, WM_GETFONT, 0, 0)) != font)
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TWinControl::SetColor(TColor color) {
  TControl::SetColor(color);
  if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
  for (TControl* child : controls_)
    child->ParentColorChanged();
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (handle_) ::EnableWindow(handle_, enabled);
}

void TWinControl::FontChanged() {
  if (handle_) {
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont()), TRUE);
    ::InvalidateRect(handle_, nullptr, TRUE);
  }
  for (TControl* child : controls_)
    child->ParentFontChanged();
}

HBRUSH TWinControl::CNCtlColor(HDC dc) {
  ::SetTextColor(dc, ColorToRGB(Font().Color()));
  ::SetBkColor(dc, ColorToRGB(color_));
  return ColorBrush();
}

HBRUSH TWinControl::ColorBrush() {
  if (!brush_ || brushColor_ != color_) {
    brush_.reset(::CreateSolidBrush(ColorToRGB(color_)));
    brushColor_ = color_;
  }
  return brush_.get();
}

void TWinControl::DestroyHandle() {
  if (handle_) ::DestroyWindow(handle_); // WM_NCDESTROY detaches
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = text_;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  if (parent_) {
    params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = parent_->Handle();
    params.Id = NextControlId();
  }
  if (visible_) params.Style |= WS_VISIBLE;
  if (!enabled_) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  CreateWindowHandle(params);
  HandleCreated();
  CreateChildHandles();
}

void TWinControl::HandleCreated() {
  ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont()), FALSE);
}

void TWinControl::CreateChildHandles() {
  // The order of the child windows is the tab order the dialog keys follow.
  std::vector<TWinControl*> children;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
  auto key = [](TWinControl* w) { return w->tabOrder_ < 0 ? INT_MAX : w->tabOrder_; };
  std::stable_sort(children.begin(), children.end(),
                   [&](TWinControl* a, TWinControl* b) { return key(a) < key(b); });
  for (TWinControl* child : children)
    child->Handle();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  bool own = params.SystemClass.empty();
  ownClass_ = own;
  if (own) RegisterOwnClass(params);
  const std::wstring& cls = own ? params.WinClassName : params.SystemClass;
  TWinControl* outer = std::exchange(creatingControl, own ? this : nullptr);
  HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(params.Id) : params.Menu;
  HWND wnd = ::CreateWindowExW(params.ExStyle, cls.c_str(), params.Caption.c_str(), params.Style,
                               params.X, params.Y, params.Width, params.Height, params.WndParent,
                               id, ::GetModuleHandleW(nullptr), nullptr);
  creatingControl = outer;
  if (!wnd) throw Exception(L"Error creating window of class " + cls);
  if (!own) Attach(wnd, true);
  ReadBoundsFromWindow();
}

void TWinControl::Attach(HWND wnd, bool subclass) {
  handle_ = wnd;
  ::SetPropW(wnd, kObjectProp, this);
  // A system control is subclassed: messages reach WndProc first and its own procedure through
  // DefaultHandler.
  if (subclass)
    defaultProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
}

LRESULT CALLBACK TWinControl::ClassWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FromHandle(wnd) && creatingControl) {
    creatingControl->Attach(wnd, false);
    creatingControl = nullptr;
  }
  return StaticWndProc(wnd, msg, wParam, lParam);
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(::GetPropW(wnd, kObjectProp)) : nullptr;
}

void TWinControl::ReadBoundsFromWindow() {
  RECT r;
  if (!::GetWindowRect(handle_, &r)) return;
  HWND parent = ::GetParent(handle_);
  if (parent && (::GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_)
    ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  // A child shown before its parent has a window appears with the parent.
  bool parentReady = !parent_ || parent_->HandleAllocated();
  if (handle_ || (visible && parentReady)) ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(Handle(), msg, wParam, lParam);
}

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(msg, wParam, lParam, result)) return result;
  if (msg == WM_PAINT && HasGraphicChildren())
    return PaintWith(wParam, [this](HDC dc) {
      // A system control (a group box, a tab control, a status bar) paints itself first.
      if (!ownClass_) DefaultHandler(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      PaintGraphicChildren(dc);
    });
  if (RouteMouse(msg, wParam, lParam)) return 0;
  switch (msg) {
  case CM_RECREATEWND:
    DestroyHandle();
    Handle();
    return 0;
  case CN_NOTIFY:
    // The system's control does not know the reflected message: it ends here.
    return lParam ? CNNotify(*reinterpret_cast<NMHDR*>(lParam)) : 0;
  case WM_SETCURSOR:
    return WMSetCursor(wParam, lParam);
  case WM_SYSCHAR:
    return WMSysChar(wParam, lParam);
  case WM_ERASEBKGND:
    if (ownClass_) return WMEraseBkgnd(reinterpret_cast<HDC>(wParam));
    break;
  case WM_PRINTCLIENT:
    if (ownClass_) return WMPrintClient(reinterpret_cast<HDC>(wParam), lParam);
    break;
  default:
    break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT TWinControl::WMSetCursor(WPARAM wParam, LPARAM lParam) {
  if (Cursor() != crDefault && reinterpret_cast<HWND>(wParam) == handle_ &&
      LOWORD(lParam) == HTCLIENT) {
    ::SetCursor(CursorHandle(Cursor()));
    return TRUE;
  }
  return DefaultHandler(WM_SETCURSOR, wParam, lParam);
}

LRESULT TWinControl::WMSysChar(WPARAM wParam, LPARAM lParam) {
  HWND root = ::GetAncestor(handle_, GA_ROOT);
  if (root && FromHandle(root) && ::SendMessageW(root, CM_DIALOGCHAR, wParam, lParam) != 0)
    return 0;
  return DefaultHandler(WM_SYSCHAR, wParam, lParam);
}

LRESULT TWinControl::WMEraseBkgnd(HDC dc) {
  // In Color, not in the class's brush: a form's colour may change after its class was made.
  RECT client;
  ::GetClientRect(handle_, &client);
  ::FillRect(dc, &client, ColorBrush());
  return 1;
}

LRESULT TWinControl::WMPrintClient(HDC dc, LPARAM flags) {
  // Our own windows show nothing but their background: their children are windows of their own.
  if (flags & PRF_ERASEBKGND) WMEraseBkgnd(dc);
  return 0;
}

bool TWinControl::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  TWinControl* child = nullptr;
  switch (msg) {
  case WM_COMMAND:
    if ((child = FromHandle(reinterpret_cast<HWND>(lParam))) == nullptr) return false;
    child->CNCommand(HIWORD(wParam));
    result = 0;
    return true;
  case WM_HSCROLL:
  case WM_VSCROLL:
    if ((child = FromHandle(reinterpret_cast<HWND>(lParam))) == nullptr) return false;
    child->CNScroll(LOWORD(wParam));
    result = 0;
    return true;
  case WM_NOTIFY: {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || (child = FromHandle(header->hwndFrom)) == nullptr || child == this) return false;
    // Through the child's window method, so that whoever replaced it sees the notification.
    TMessage reflected{CN_NOTIFY, wParam, lParam, 0};
    child->WindowProc(reflected);
    result = reflected.Result;
    return true;
  }
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORLISTBOX:
    if ((child = FromHandle(reinterpret_cast<HWND>(lParam))) == nullptr) return false;
    if (HBRUSH brush = child->CNCtlColor(reinterpret_cast<HDC>(wParam))) {
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    return false;
  default:
    return false;
  }
}

LRESULT TWinControl::PaintWith(WPARAM wParam, const std::function<void(HDC)>& paint) {
  if (wParam) {
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  PAINTSTRUCT ps{};
  HDC dc = ::BeginPaint(handle_, &ps);
  paint(dc);
  ::EndPaint(handle_, &ps);
  return 0;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(defaultProc_, handle_, msg, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = FromHandle(wnd);
  if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  if (msg == WM_NCDESTROY) {
    // The window method hears the end of the window too; then the object lets the window go.
    WNDPROC original = self->defaultProc_;
    try {
      self->WindowProc(message);
    } catch (const std::exception&) {
      message.Result = 0;
    }
    if (::IsWindow(wnd)) {
      ::RemovePropW(wnd, kObjectProp);
      if (original != ::DefWindowProcW)
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    self->handle_ = nullptr;
    return message.Result;
  }
  try {
    self->WindowProc(message);
    if (msg == WM_WINDOWPOSCHANGED && self->handle_) self->ReadBoundsFromWindow();
    return message.Result;
  } catch (const std::exception& e) {
    // An exception never leaves a window procedure: it becomes the application's error box.
    if (Application) Application->ShowException(e);
    return 0;
  }
}

// --- Graphic children of a windowed control

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
