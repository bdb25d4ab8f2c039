#include "skin/forms/popup_menu.h"

#include "framework/bitmap.h"
#include "skin/data/core/nine_slice.h"
#include "skin/data/skin_data.h"
#include "skin/forms/skin_manager.h"

namespace skin {

namespace {

constexpr int kBorder = 3;               // the popup's skinned border, in pixels
constexpr UINT kGetMenuOfPopup = 0x01E1; // MN_GETHMENU

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu(TFormSkinSource source)
    : FSource(source), FSubclass([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return WndProc(msg, wParam, lParam);
      }) {}

TWinSkinPopMenu::~TWinSkinPopMenu() {
  Unhook();
}

bool TWinSkinPopMenu::Hook(HWND wnd, int level) {
  FHandle = wnd;
  FLevel = level;
  FFromMenuBar = false;
  return FSubclass.Hook(wnd);
}

void TWinSkinPopMenu::Unhook() {
  if (!FSubclass.Hooked()) return;
  FSubclass.Unhook();
  FBackground = TBitmap();
}

HMENU TWinSkinPopMenu::MenuHandle() {
  if (!FMenuHandle && FHandle)
    FMenuHandle = reinterpret_cast<HMENU>(::SendMessageW(FHandle, kGetMenuOfPopup, 0, 0));
  return FMenuHandle;
}

POINT TWinSkinPopMenu::ClientOffset() const {
  RECT window;
  ::GetWindowRect(FHandle, &window);
  POINT origin{0, 0};
  ::ClientToScreen(FHandle, &origin);
  return {origin.x - window.left, origin.y - window.top};
}

bool TWinSkinPopMenu::HasBackgroundElement() const {
  const TSkinElements* e = FSource.Elements;
  if (!e || !e->MenuBackground || e->MenuBackground->Bitmap.Empty()) return false;
  return !(FSource.Component && FSource.Component->SkinMissing());
}

void TWinSkinPopMenu::BuildBackground() {
  RECT window;
  ::GetWindowRect(FHandle, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w == FBackground.Width() && h == FBackground.Height()) return;
  FItemOffset = ClientOffset();
  const TDataSkinObject& e = *FSource.Elements->MenuBackground;
  FBackground =
      RenderNineSlice(w, h, e.Bitmap, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                      false, e.Tile != 0, 1, 1);
}

void TWinSkinPopMenu::PaintBorder() {
  BuildBackground();
  if (FBackground.Empty()) return;
  const int w = FBackground.Width(), h = FBackground.Height();
  HDC dc = ::GetWindowDC(FHandle);
  if (!dc) return;
  // Only the border: the entries inside paint their own backgrounds from the same picture.
  fw::MemoryDC source(::CreateCompatibleDC(dc));
  fw::SelectGuard select(source.get(), fw::BitmapHandle(FBackground));
  const RECT parts[4] = {
      {0, 0, w, kBorder}, {0, h - kBorder, w, h}, {0, 0, kBorder, h}, {w - kBorder, 0, w, h}};
  for (const RECT& part : parts)
    ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, source.get(),
             part.left, part.top, SRCCOPY);
  ::ReleaseDC(FHandle, dc);
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_ISSKINNED) return 1;
  const TSkinManage* manager = SkinManager();
  if (manager && !manager->Enabled) return PassOn(msg, wParam, lParam);
  FMarked = false;
  switch (msg) {
  case WM_DESTROY: {
    const TLiveness::TWatch alive = FLiveness.Watch();
    const LRESULT result = PassOn(msg, wParam, lParam);
    if (alive) Unhook();
    return result;
  }
  case WM_ERASEBKGND:
    // With xoMenuBG the entries show the skin's background; nothing is erased under them.
    if (!FSource.Options.Contains(xoMenuBG)) PassOn(msg, wParam, lParam);
    return 1;
  case WM_NCPAINT:
    if (!HasBackgroundElement() || wParam != 1) return PassOn(msg, wParam, lParam);
    PaintBorder();
    return 0;
  case WM_PAINT: {
    // A popup without a non-client area draws its own border inside the client area when it
    // paints: the skin's border goes over it.
    // The entries drawn meanwhile copy their backgrounds from the popup's picture.
    if (HasBackgroundElement()) BuildBackground();
    const TLiveness::TWatch alive = FLiveness.Watch();
    const LRESULT result = PassOn(msg, wParam, lParam);
    if (alive && HasBackgroundElement() && FItemOffset.x == 0 && FItemOffset.y == 0) PaintBorder();
    return result;
  }
  case WM_PRINT: {
    if (!HasBackgroundElement()) return PassOn(msg, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    BuildBackground();
    fw::DrawBitmap(dc, 0, 0, FBackground);
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    fw::Region clip(::CreateRectRgn(kBorder, kBorder, FBackground.Width() - kBorder,
                                    FBackground.Height() - kBorder));
    ::SelectClipRgn(dc, clip.get());
    const LRESULT result = PassOn(msg, wParam, lParam);
    ::SelectClipRgn(dc, nullptr);
    ::SetBkMode(dc, mode);
    return result;
  }
  default:
    return PassOn(msg, wParam, lParam);
  }
}

const TWinSkinPopMenu* PopupShowing(HMENU menu) {
  TSkinManage* manager = SkinManager();
  return manager && menu ? manager->PopupFor(menu) : nullptr;
}

} // namespace skin
