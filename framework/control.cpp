#include "framework/control.h"

#include "framework/application.h"
#include "framework/exception.h"

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
  wc.lpszClassName = params.WinClassName.c_str();
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception(L"Cannot register the window class " + params.WinClassName);
  registered.insert(params.WinClassName);
}

} // namespace

TControl::~TControl() = default;

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetParent(TWinControl* parent) {
  parent_ = parent;
}

TWinControl::~TWinControl() {
  DestroyHandle();
}

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::DestroyHandle() {
  if (handle_) ::DestroyWindow(handle_); // WM_NCDESTROY detaches
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  if (parent_) {
    params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = parent_->Handle();
  }
  if (visible_) params.Style |= WS_VISIBLE;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  bool own = params.SystemClass.empty();
  if (own) RegisterOwnClass(params);
  const std::wstring& cls = own ? params.WinClassName : params.SystemClass;
  TWinControl* outer = std::exchange(creatingControl, own ? this : nullptr);
  HWND wnd = ::CreateWindowExW(params.ExStyle, cls.c_str(), params.Caption.c_str(), params.Style,
                               params.X, params.Y, params.Width, params.Height, params.WndParent,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
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
  if (visible || handle_) ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(Handle(), msg, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(defaultProc_, handle_, msg, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* self = FromHandle(wnd);
  if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    WNDPROC original = self->defaultProc_;
    ::RemovePropW(wnd, kObjectProp);
    if (original != ::DefWindowProcW)
      ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    self->handle_ = nullptr;
    return ::CallWindowProcW(original, wnd, msg, wParam, lParam);
  }
  try {
    LRESULT result = self->WndProc(msg, wParam, lParam);
    if (msg == WM_WINDOWPOSCHANGED && self->handle_) self->ReadBoundsFromWindow();
    return result;
  } catch (const std::exception& e) {
    // An exception never leaves a window procedure: it becomes the application's error box.
    if (Application) Application->ShowException(e);
    return 0;
  }
}

} // namespace fw
