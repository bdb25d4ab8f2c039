// The windows of windowed controls: their creation (our own window classes registered on first
// use), the window procedure with its message reflection and hosting of graphic children, and the
// exception policy of window procedures.
#include "framework/control.h"

#include "framework/application.h"
#include "framework/exception.h"

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

} // namespace fw
