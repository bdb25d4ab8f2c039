#include "app/pause_icon.h"

#include "framework/handles.h"

namespace app {

namespace {
constexpr COLORREF kSignBack = RGB(255, 255, 255);
constexpr COLORREF kSignBars = RGB(20, 40, 120);
} // namespace

TPauseIcon::~TPauseIcon() {
  if (icon_) ::DestroyIcon(icon_);
}

HICON TPauseIcon::Get(HICON base) {
  if (icon_ || !base) return icon_ ? icon_ : base;
  const int w = ::GetSystemMetrics(SM_CXSMICON), h = ::GetSystemMetrics(SM_CYSMICON);
  // A 24-bit picture and a mask: the icon has no alpha channel that GDI's drawing could spoil.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  fw::Bitmap colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::Bitmap mask(::CreateBitmap(w, h, 1, 1, nullptr));
  fw::MemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!colour || !mask || !dc) return base;
  const RECT sign{w / 2 - 1, h / 2 - 1, w, h};
  const int bar = w / 8 > 1 ? w / 8 : 1;
  {
    fw::SelectGuard select(dc.get(), colour.get());
    ::DrawIconEx(dc.get(), 0, 0, base, w, h, 0, nullptr, DI_IMAGE);
    fw::Brush back(::CreateSolidBrush(kSignBack)), bars(::CreateSolidBrush(kSignBars));
    ::FillRect(dc.get(), &sign, back.get());
    const RECT left{sign.left + bar, sign.top + bar, sign.left + 2 * bar + 1, sign.bottom - bar};
    const RECT right{sign.right - 2 * bar - 1, sign.top + bar, sign.right - bar, sign.bottom - bar};
    ::FillRect(dc.get(), &left, bars.get());
    ::FillRect(dc.get(), &right, bars.get());
  }
  {
    fw::SelectGuard select(dc.get(), mask.get());
    ::DrawIconEx(dc.get(), 0, 0, base, w, h, 0, nullptr, DI_MASK);
    ::FillRect(dc.get(), &sign, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
  ICONINFO made{TRUE, 0, 0, mask.get(), colour.get()};
  icon_ = ::CreateIconIndirect(&made);
  return icon_ ? icon_ : base;
}

} // namespace app
