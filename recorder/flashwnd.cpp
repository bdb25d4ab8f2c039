#include "recorder/flashwnd.h"

#include "framework/handles.h"

namespace recorder {

TFlashingWnd::TFlashingWnd(fw::TComponent* owner) : fw::TForm(owner) {
  // Replaced by PlaceAround before the window is ever shown.
  SetBounds(430, 104, 483, 458);
}

void TFlashingWnd::CreateParams(fw::TCreateParams& params) {
  fw::TForm::CreateParams(params);
  params.Style = WS_POPUP | (params.Style & WS_VISIBLE);
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.WinClassName = L"recorder.TFlashingWnd";
  params.Background = nullptr; // hollow: the window paints no background of its own
}

LRESULT TFlashingWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_NCHITTEST:
    // The marks take no mouse input: clicks go to whatever lies below.
    return HTTRANSPARENT;
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  default:
    return fw::TForm::WndProc(msg, wParam, lParam);
  }
}

void TFlashingWnd::PlaceAround(int Left, int Top, int Width, int Height) {
  FlashGeometry g = PlaceAroundGeometry(Left, Top, Width, Height);
  SetBounds(g.window.left, g.window.top, g.window.right - g.window.left,
            g.window.bottom - g.window.top);
  FAreaLeft = g.areaLeft;
  FAreaTop = g.areaTop;
  FAreaRight = g.areaRight;
  FAreaBottom = g.areaBottom;

  fw::Region region(::CreateRectRgn(g.outer.left, g.outer.top, g.outer.right, g.outer.bottom));
  for (const Rect& cut : g.cutouts) {
    fw::Region hole(::CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom));
    ::CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
  }
  // The window system owns the region from here on.
  if (::SetWindowRgn(Handle(), region.get(), TRUE)) region.release();
}

void TFlashingWnd::FillWith(COLORREF Colour) {
  fw::WindowDC dc(Handle());
  if (!dc) return;
  if (FAreaRight > FAreaLeft && FAreaBottom > FAreaTop) {
    fw::Brush brush(::CreateSolidBrush(Colour));
    fw::Pen pen(::CreatePen(PS_SOLID, 1, Colour));
    fw::SelectGuard selectBrush(dc.get(), brush.get());
    fw::SelectGuard selectPen(dc.get(), pen.get());
    // The whole window: every mark gets the colour, wherever the rectangle lies on the screen.
    ::Rectangle(dc.get(), 0, 0, Width(), Height());
  }
}

} // namespace recorder
