#include "app/area_chooser.h"

#include "framework/handles.h"
#include "recorder/screen_area.h"
#include "skin/skin_messages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace app {

using recorder::Point;
using recorder::Rect;

namespace {

constexpr const wchar_t* kOverlayClass = L"recorder.TAreaOverlay";
// A press that moves less than this far is a click, not a drag.
constexpr int kDragThreshold = 4;
// Premultiplied BGRA pixels of the overlay. Every pixel keeps some alpha, so that the overlay
// takes the mouse everywhere; the region being chosen is all but clear.
constexpr std::uint32_t kVeil = 0x50000000;    // the screen dimmed a little
constexpr std::uint32_t kClear = 0x01000000;   // the region: the screen as it is
constexpr std::uint32_t kOutline = 0xFFE03C28; // the region's or the window's outline
constexpr int kOutlineWidth = 2;
// Time the screen gets to draw what the overlay covered before the recording looks at it.
constexpr DWORD kUncoverMs = 150;

BOOL CALLBACK AddWindowFact(HWND window, LPARAM list) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  recorder::WindowFact fact;
  fact.id = reinterpret_cast<std::uintptr_t>(window);
  fact.rect = recorder::VisibleWindowRect(window);
  fact.visible = ::IsWindowVisible(window) && !recorder::IsCloaked(window);
  fact.minimized = ::IsIconic(window) != FALSE;
  fact.ours = process == ::GetCurrentProcessId();
  reinterpret_cast<std::vector<recorder::WindowFact>*>(list)->push_back(fact);
  return TRUE;
}

// The top-level windows in z order, topmost first.
std::vector<recorder::WindowFact> TopLevelWindows() {
  std::vector<recorder::WindowFact> windows;
  ::EnumWindows(&AddWindowFact, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The overlay window and what the user does in it.
class TAreaOverlay {
public:
  TAreaOverlay(TChooserMode mode, const std::optional<Rect>& lastRegion)
      : mode_(mode), lastRegion_(lastRegion), screen_(recorder::VirtualScreen()) {}

  std::optional<TChosenArea> Run() {
    if (!Create()) return std::nullopt;
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    Hover(CursorPoint());
    MSG msg;
    while (!done_) {
      const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(window_);
    window_ = nullptr;
    // What lay below is drawn again before the first frame is taken.
    const DWORD until = ::GetTickCount() + kUncoverMs;
    while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          ::PostQuitMessage(static_cast<int>(msg.wParam));
          return std::nullopt;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
      ::Sleep(10);
    }
    return chosen_;
  }

private:
  bool Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TAreaOverlay::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_CROSS);
    wc.lpszClassName = kOverlayClass;
    ::RegisterClassExW(&wc); // already registered by an earlier choice: fine
    window_ = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kOverlayClass,
                                L"", WS_POPUP, screen_.left, screen_.top, recorder::Width(screen_),
                                recorder::Height(screen_), nullptr, nullptr, wc.hInstance, this);
    if (!window_) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = recorder::Width(screen_);
    info.bmiHeader.biHeight = -recorder::Height(screen_);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!picture_ || !dc_) return false;
    ::SelectObject(dc_.get(), picture_.get()); // the DC goes first: it is declared after
    font_.reset(::CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, L"Tahoma"));
    return true;
  }

  static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TAreaOverlay*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) return self->Message(window, msg, wParam, lParam);
    return ::DefWindowProcW(window, msg, wParam, lParam);
  }

  LRESULT Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case skin::SM_ISSKINNED:
      return 1; // the overlay keeps its own look
    case WM_LBUTTONDOWN:
      ButtonDown(ScreenPoint(lParam));
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(ScreenPoint(lParam));
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(ScreenPoint(lParam));
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      Finish(std::nullopt);
      return 0;
    case WM_KEYDOWN:
      Key(wParam);
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      pressed_ = pressed_ && ::GetCapture() == window;
      break;
    default:
      break;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
  }

  Point ScreenPoint(LPARAM lParam) const {
    return {screen_.left + static_cast<short>(LOWORD(lParam)),
            screen_.top + static_cast<short>(HIWORD(lParam))};
  }
  static Point CursorPoint() {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
  }

  void ButtonDown(Point p) {
    pressed_ = true;
    dragged_ = false;
    from_ = p;
    ::SetCapture(window_);
  }

  void MouseMove(Point p) {
    if (pressed_ && mode_ == TChooserMode::Region &&
        (dragged_ || std::abs(p.x - from_.x) >= kDragThreshold ||
         std::abs(p.y - from_.y) >= kDragThreshold)) {
      dragged_ = true;
      Draw(recorder::DraggedRect(from_, p), true);
      return;
    }
    if (!pressed_) Hover(p);
  }

  void ButtonUp(Point p) {
    if (!pressed_) return;
    pressed_ = false;
    ::ReleaseCapture();
    if (dragged_) {
      if (auto region = recorder::ClipRegion(recorder::DraggedRect(from_, p), screen_))
        Finish(TChosenArea{*region, nullptr});
      return;
    }
    PickWindowAt(p);
  }

  void Key(WPARAM key) {
    if (key == VK_ESCAPE) {
      Finish(std::nullopt);
    } else if (key == VK_RETURN) {
      if (mode_ == TChooserMode::Region && lastRegion_) {
        if (auto region = recorder::ClipRegion(*lastRegion_, screen_))
          Finish(TChosenArea{*region, nullptr});
      } else {
        PickWindowAt(CursorPoint());
      }
    }
  }

  void PickWindowAt(Point p) {
    auto picked = recorder::WindowAt(p, TopLevelWindows());
    if (!picked) return;
    auto rect = recorder::ClipRegion(picked->rect, screen_);
    if (!rect) return;
    HWND window = reinterpret_cast<HWND>(picked->id);
    // A window is followed with the size it has, also where it reaches off the screen.
    if (mode_ == TChooserMode::Window) rect = picked->rect;
    Finish(TChosenArea{*rect, mode_ == TChooserMode::Window ? window : nullptr});
  }

  void Hover(Point p) {
    auto under = recorder::WindowAt(p, TopLevelWindows());
    Draw(under ? recorder::Intersection(under->rect, screen_) : Rect{}, false);
  }

  void Finish(std::optional<TChosenArea> chosen) {
    chosen_ = chosen;
    done_ = true;
  }

  // The veil over the screen, `area` clear and outlined, with its size beside it while dragging.
  void Draw(const Rect& area, bool withSize) {
    if (!pixels_) return;
    const int w = recorder::Width(screen_), h = recorder::Height(screen_);
    std::fill(pixels_, pixels_ + static_cast<size_t>(w) * static_cast<size_t>(h), kVeil);
    if (!recorder::IsEmpty(area)) {
      const Rect local{area.left - screen_.left, area.top - screen_.top, area.right - screen_.left,
                       area.bottom - screen_.top};
      const Rect ring{local.left - kOutlineWidth, local.top - kOutlineWidth,
                      local.right + kOutlineWidth, local.bottom + kOutlineWidth};
      Fill(ring, kOutline);
      Fill(local, kClear);
      if (withSize) DrawSize(area, local);
    }
    Present();
  }

  void Fill(const Rect& r, std::uint32_t pixel) {
    const Rect c =
        recorder::Intersection(r, {0, 0, recorder::Width(screen_), recorder::Height(screen_)});
    for (int y = c.top; y < c.bottom; ++y)
      std::fill(pixels_ + static_cast<size_t>(y) * recorder::Width(screen_) + c.left,
                pixels_ + static_cast<size_t>(y) * recorder::Width(screen_) + c.right, pixel);
  }

  void DrawSize(const Rect& area, const Rect& local) {
    const std::wstring text =
        std::to_wstring(recorder::Width(area)) + L" × " + std::to_wstring(recorder::Height(area));
    fw::SelectGuard font(dc_.get(), font_.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    // Below the region's bottom-right corner, or inside it where the screen ends.
    Rect box{local.right - extent.cx - 8, local.bottom + kOutlineWidth + 2, local.right,
             local.bottom + kOutlineWidth + 2 + extent.cy + 4};
    if (box.bottom > recorder::Height(screen_))
      box = {box.left, local.bottom - extent.cy - 6, box.right, local.bottom - 2};
    box = recorder::KeepInside(box, {0, 0, recorder::Width(screen_), recorder::Height(screen_)});
    Fill(box, 0xFFFFFFFF);
    ::SetBkMode(dc_.get(), TRANSPARENT);
    ::SetTextColor(dc_.get(), RGB(0, 0, 0));
    RECT r{box.left, box.top, box.right, box.bottom};
    ::DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::GdiFlush();
    // GDI leaves the alpha of what it draws at 0: the label is opaque.
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x)
        pixels_[static_cast<size_t>(y) * recorder::Width(screen_) + x] |= 0xFF000000;
  }

  void Present() {
    POINT origin{screen_.left, screen_.top}, source{0, 0};
    SIZE size{recorder::Width(screen_), recorder::Height(screen_)};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(window_, nullptr, &origin, &size, dc_.get(), &source, 0, &blend,
                          ULW_ALPHA);
  }

  const TChooserMode mode_;
  const std::optional<Rect> lastRegion_;
  const Rect screen_;
  HWND window_ = nullptr;
  fw::Bitmap picture_;
  fw::MemoryDC dc_;
  fw::Font font_;
  std::uint32_t* pixels_ = nullptr;
  bool pressed_ = false, dragged_ = false, done_ = false;
  Point from_{0, 0};
  std::optional<TChosenArea> chosen_;
};

} // namespace

std::optional<TChosenArea> ChooseArea(TChooserMode mode, const std::optional<Rect>& lastRegion) {
  TAreaOverlay overlay(mode, lastRegion);
  return overlay.Run();
}

} // namespace app
