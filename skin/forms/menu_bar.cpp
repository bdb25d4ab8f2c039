#include "skin/forms/menu_bar.h"

#include "framework/bitmap.h"
#include "framework/handles.h"
#include "skin/common/skin_paint.h"
#include "skin/forms/core/menu_geometry.h"

namespace skin {

namespace {

// The bar image holds two frames stacked: active and inactive.
constexpr int kBarFrames = 2;

int CaptionWidth(HDC dc, const std::wstring& caption) {
  if (caption.empty()) return 0;
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  return r.right;
}

} // namespace

COLORREF TWinSkinMenu::Colour(int index) const {
  return FSource.Elements ? static_cast<COLORREF>(FSource.Elements->Colour(index) & 0xFFFFFF)
                          : ::GetSysColor(COLOR_MENU);
}

bool TWinSkinMenu::BuildItems(HWND wnd, HMENU handle, fw::TMainMenu* menu, bool mdiMerge) {
  if (!handle) handle = ::GetMenu(wnd);
  if (handle) FMenuHandle = handle;
  if (!FMenuHandle) return false;
  FMenu = menu;
  FItems.clear();
  const int count = ::GetMenuItemCount(FMenuHandle);
  if (count <= 0) return false;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    ::GetMenuItemInfoW(FMenuHandle, static_cast<UINT>(i), TRUE, &info);
    TMenuBtn item;
    item.FIndex = i;
    item.FSubMenu = info.hSubMenu;
    item.FItemEnabled = (info.fState & MFS_DISABLED) == 0;
    item.FCommand = info.wID;
    item.FCaption = fw::MenuItemText(FMenuHandle, static_cast<UINT>(i), true);
    if (FMenu && (!mdiMerge || item.FCaption.empty()))
      if (fw::TMenuItem* framework = FMenu->FindItem(info.wID)) {
        item.FCaption = framework->Caption();
        item.FItemEnabled = framework->Enabled();
        item.FFrameworkItem = true;
        item.FCommand = framework->Command();
        item.FSubMenu = framework->Count() > 0 ? framework->Handle() : nullptr;
      }
    FItems.push_back(item);
  }
  ::SetMenu(wnd, nullptr);
  return true;
}

int TWinSkinMenu::StartOffset(TRect bar, bool rightToLeft) const {
  const TDataSkinObject* e = BarElement();
  const int start = MenuBarStart(e != nullptr, e ? e->LeftWidth : 0, e ? e->RightWidth : 0,
                                 rightToLeft, bar.Width());
  return rightToLeft && FMdiButtonsLeft >= 0
             ? StartBesideMdiButtons(start, bar.Width(), FMdiButtonsLeft - bar.Left)
             : start;
}

void TWinSkinMenu::Layout(HWND wnd, TRect bar, bool rightToLeft) {
  if (bar.Width() <= 0 || bar.Height() <= 0) return;
  fw::WindowDC dc(wnd);
  fw::SelectGuard font(dc.get(), fw::MenuFont());
  std::vector<MenuBarEntry> entries;
  for (const TMenuBtn& item : FItems)
    entries.push_back({CaptionWidth(dc.get(), item.FCaption), item.FVisible});
  const std::vector<TRect> bounds =
      LayoutMenuBar(bar, StartOffset(bar, rightToLeft), entries, rightToLeft);
  for (size_t i = 0; i < FItems.size(); ++i)
    FItems[i].FBounds = bounds[i];
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& item, RECT r) const {
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, item.FItemEnabled ? Colour(kMenuBarText) : ::GetSysColor(COLOR_BTNSHADOW));
  ::DrawTextW(dc, item.FCaption.c_str(), static_cast<int>(item.FCaption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

void TWinSkinMenu::PaintBar(HWND wnd, HDC dc, TRect rect, bool active, bool rightToLeft,
                            const std::function<void(HDC)>& overlay) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  Layout(wnd, rect, rightToLeft);
  TBitmap canvas(rect.Width(), rect.Height(), fw::TPixelFormat::pf32bit);
  const TRect r{0, 0, rect.Width(), rect.Height()};
  fw::DrawInto(canvas, [&](HDC memory) {
    if (const TDataSkinObject* e = BarElement()) {
      const int frame = active ? 1 : 2;
      const TMargins margins{e->LeftWidth, 0, e->RightWidth, 0};
      if (e->Tile == 1)
        DrawNineSlice(memory, r, e->Bitmap, true, false, false, kBarFrames, frame, margins);
      else
        DrawThreeSlice(memory, r, e->Bitmap, true, false, kBarFrames, frame, margins);
    } else {
      fw::Brush brush(::CreateSolidBrush(Colour(kMenubar)));
      const RECT all{0, 0, r.Right, r.Bottom};
      ::FillRect(memory, &all, brush.get());
    }
  });
  FBarRect = rect;
  FBarBitmap = canvas;
  fw::DrawInto(canvas, [&](HDC memory) {
    fw::SelectGuard font(memory, fw::MenuFont());
    for (const TMenuBtn& item : FItems) {
      if (item.FBounds.Width() <= 0) continue;
      DrawCaption(memory, item,
                  {item.FBounds.Left - rect.Left, 0, item.FBounds.Right - rect.Left, r.Bottom - 1});
    }
    if (overlay) overlay(memory);
  });
  fw::DrawBitmap(dc, rect.Left, rect.Top, canvas);
}

void TWinSkinMenu::PaintItem(HWND wnd, int index) {
  if (index < 0 || index >= static_cast<int>(FItems.size()) || FBarBitmap.Empty()) return;
  const TMenuBtn& item = FItems[static_cast<size_t>(index)];
  if (item.FBounds.Width() <= 0) return;
  const int w = item.FBounds.Width(), h = FBarRect.Height();
  TBitmap canvas(w, h, fw::TPixelFormat::pf32bit);
  fw::CopyPixels(canvas, 0, 0, FBarBitmap,
                 {item.FBounds.Left - FBarRect.Left, 0, item.FBounds.Right - FBarRect.Left, h});
  fw::DrawInto(canvas, [&](HDC memory) {
    fw::SelectGuard font(memory, fw::MenuFont());
    RECT box{0, 0, w, item.FBounds.Height()};
    if (item.FButtonState == TButtonState::Pressed || item.FButtonState == TButtonState::Hot) {
      fw::Brush frame(::CreateSolidBrush(Colour(kButtonHilight)));
      ::FrameRect(memory, &box, frame.get());
    }
    DrawCaption(memory, item, box);
  });
  HDC dc = ::GetWindowDC(wnd);
  if (!dc) return;
  fw::DrawBitmap(dc, item.FBounds.Left, FBarRect.Top, canvas);
  ::ReleaseDC(wnd, dc);
}

int TWinSkinMenu::ItemAtPoint(POINT p) const {
  for (const TMenuBtn& item : FItems)
    if (!item.FCaption.empty() && item.FBounds.Contains(p.x, p.y)) return item.FIndex;
  return -1;
}

int TWinSkinMenu::FindAccelItem(wchar_t key) const {
  for (const TMenuBtn& item : FItems)
    if (item.FItemEnabled && item.FVisible && fw::IsAccel(key, item.FCaption)) return item.FIndex;
  return -1;
}

std::vector<TRect> TWinSkinMenu::Bounds() const {
  std::vector<TRect> bounds;
  for (const TMenuBtn& item : FItems)
    bounds.push_back(item.FBounds);
  return bounds;
}

} // namespace skin
