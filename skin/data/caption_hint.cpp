#include "skin/data/caption_hint.h"

namespace skin {

namespace {

constexpr wchar_t kClassName[] = L"TSkinCaptionHint";
constexpr int kMaxWidth = 500;
constexpr int kPadding = 3;

void RegisterHintClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_SAVEBITS | CS_DROPSHADOW;
    wc.lpfnWndProc = ::DefWindowProcW; // a plain window: the hint only shows text
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

} // namespace

TCaptionHintWindow::~TCaptionHintWindow() {
  if (FWnd) ::DestroyWindow(FWnd);
  if (FFont) ::DeleteObject(FFont);
}

RECT TCaptionHintWindow::Measure(const std::wstring& text) const {
  RECT r{0, 0, kMaxWidth, 0};
  HDC dc = ::GetDC(FWnd);
  HGDIOBJ old = ::SelectObject(dc, FFont ? FFont : ::GetStockObject(DEFAULT_GUI_FONT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(FWnd, dc);
  r.right += 2 * kPadding + 2;
  r.bottom += 2 * kPadding;
  return r;
}

void TCaptionHintWindow::Show(POINT origin, const std::wstring& text) {
  RegisterHintClass();
  if (!FWnd) {
    FWnd =
        ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP | WS_BORDER,
                          0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!FWnd) return;
    ::SetWindowLongPtrW(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      FFont = ::CreateFontIndirectW(&metrics.lfStatusFont);
  }
  FText = text;
  RECT r = Measure(text);
  ::OffsetRect(&r, origin.x, origin.y);
  ::SetWindowPos(FWnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(FWnd, nullptr, TRUE);
  FShowing = true;
}

void TCaptionHintWindow::Hide() {
  if (FWnd) ::ShowWindow(FWnd, SW_HIDE);
  FShowing = false;
}

LRESULT CALLBACK TCaptionHintWindow::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TCaptionHintWindow*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_PAINT && self) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(wnd, &ps);
    RECT r;
    ::GetClientRect(wnd, &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_INFOBK));
    ::InflateRect(&r, -kPadding, -kPadding);
    HGDIOBJ old =
        ::SelectObject(dc, self->FFont ? self->FFont : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
    ::DrawTextW(dc, self->FText.c_str(), static_cast<int>(self->FText.size()), &r,
                DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT; // the mouse goes to the caption under it
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace skin
