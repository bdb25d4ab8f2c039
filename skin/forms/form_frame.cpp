#include "skin/forms/win_skin_form.h"

#include "framework/bitmap.h"
#include "framework/font_fallback.h"
#include "framework/form.h"
#include "skin/common/skin_paint.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_shared.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {

// ---- geometry and window state ------------------------------------------------------------------

const TDataSkinBorder& TWinSkinForm::Border(TBorderSide side) const {
  const TSkinElements& e = *FSource.Elements;
  switch (side) {
  case TBorderSide::Left:
    return *e.Left;
  case TBorderSide::Right:
    return *e.Right;
  case TBorderSide::Top:
    return *e.Top;
  case TBorderSide::Bottom:
    break;
  }
  return *e.Bottom;
}

TColor TWinSkinForm::SkinColour(int index) const {
  return FSource.Elements ? FSource.Elements->Colour(index) : 0;
}

void TWinSkinForm::CalcFrame() {
  if (!FSource.Elements) return;
  const TSkinElements& e = *FSource.Elements;
  FFrame = CalcFrameSizes(FKind.borderKind, *e.Left, *e.Top, *e.Right, *e.Bottom);
  // The menu bar's strip under the caption, or an MDI child's strip under a low caption.
  FMenuHeight =
      FMenus->HasMenuBar()
          ? FMenus->MenuBarHeight()
          : MdiChildCaptionPad(FKind, FFrame.top,
                               ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME));
  FHotObject = nullptr;
  FBorderCache = {}; // a new skin: render the borders anew
  FButtons.clear();
  for (const auto& descriptor : e.CaptionButtons) {
    TWinSysButton button;
    button.FData = descriptor.get();
    FButtons.push_back(button);
  }
  LayoutCaption();
}

void TWinSkinForm::ReadWindowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(FHandle, &placement))
    FWindowState = WindowStateFromShowCmd(placement.showCmd);
}

int TWinSkinForm::StyleWindowState() const {
  const LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  if (style & WS_MINIMIZE) return kStateMinimized;
  if (style & WS_MAXIMIZE) return kStateMaximized;
  return kStateNormal;
}

bool TWinSkinForm::MaximizedMdiChild() const {
  return FKind.IsMdiChild() && StyleWindowState() == kStateMaximized;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (FKind.caps & kCapKeepStyle) return;
  LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  if (remove)
    style &= ~WS_SYSMENU;
  else if (FKind.caps & kCapSystemMenu)
    style |= WS_SYSMENU;
  ::SetWindowLongW(FHandle, GWL_STYLE, style);
  FStyle = static_cast<std::uint32_t>(style);
}

void TWinSkinForm::ResumeSkinFrame() {
  if (!FFrameAllowed) return;
  FWindowState = kStateNormal;
  CalcFrame();
  FSkinFrame = true;
  if (FOwnsRegion) return;
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
  // A window whose client size stayed the same got no WM_SIZE, and no region with it: without one,
  // the magenta corners of transparent borders would show.
  if (!FOwnsRegion && FState == TFormLife::Running) UpdateRegion();
}

void TWinSkinForm::FitWindow(bool keepClientRect) {
  if (FWindowState == kStateMaximized) {
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
    return;
  }
  RECT window;
  ::GetWindowRect(FHandle, &window);
  if (FKind.isDialog || keepClientRect) ::GetClientRect(FHandle, &FClientRect);
  FittedSize size = FitWindowSize(FClientRect.right - FClientRect.left,
                                  FClientRect.bottom - FClientRect.top, FFrame, FMenuHeight);
  if (FKind.isDialog && !keepClientRect && FSource.Elements) {
    const std::wstring text = fw::WindowText(FHandle);
    fw::WindowDC dc(FHandle);
    fw::SelectGuard font(dc.get(), FCaptionFont.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    WidenForCaption(size, extent.cx, *FSource.Elements->Title);
    if (size.childShift > 0) {
      // A message box grows to show its whole caption; its controls keep to the middle.
      for (HWND child = ::GetWindow(FHandle, GW_CHILD); child;
           child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        ::GetWindowRect(child, &r);
        POINT p{r.left, r.top};
        ::ScreenToClient(FHandle, &p);
        ::SetWindowPos(child, nullptr, p.x + size.childShift, p.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
      }
    }
  }
  ::SetWindowPos(FHandle, nullptr, window.left, window.top, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::DropRegion() {
  if (FOwnsRegion) ::SetWindowRgn(FHandle, nullptr, TRUE); // the system deletes it
  FOwnsRegion = false;
  FRegionWidth = FRegionHeight = 0;
}

POINT TWinSkinForm::WindowToFrame(POINT screen) const {
  POINT p = screen;
  ::ScreenToClient(FHandle, &p);
  const TOffset origin = ClientOriginInFrame(FKind, StyleWindowState(), FFrame, FMenuHeight);
  return {p.x + origin.x, p.y + origin.y};
}

LRESULT TWinSkinForm::CalcClientArea(WPARAM wParam, LPARAM lParam) {
  LRESULT result = PassOn(WM_NCCALCSIZE, wParam, lParam);
  if ((wParam & 0xFF) == 0) return 0;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  if (KeepsSystemClientArea(FKind, StyleWindowState())) {
    params->rgrc[1] = params->rgrc[0];
    return WVR_VALIDRECTS;
  }
  const WINDOWPOS* wp = params->lppos;
  const TRect client = ClientRectInFrame(wp->x, wp->y, wp->cx, wp->cy, FFrame, FMenuHeight);
  params->rgrc[0] = fw::ToRECT(client);
  params->rgrc[1] = params->rgrc[0];
  (void)result;
  return WVR_VALIDRECTS;
}

LRESULT TWinSkinForm::HitTest(WPARAM wParam, LPARAM lParam) {
  LRESULT result = PassOn(WM_NCHITTEST, wParam, lParam);
  if (result == HTNOWHERE || result == HTCAPTION) {
    const POINT p = WindowToFrame({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (p.y > 3) result = HTCAPTION;
    if (p.y > FFrame.top && FMenuHeight > 0) result = HTMENU;
  }
  return result;
}

// ---- painting ---------------------------------------------------------------------------------

void TWinSkinForm::DrawBorder(TBorderSide side, TRect rect, HDC dc) {
  if (rect.Width() < 0 || rect.Height() < 0) return;
  const TDataSkinBorder& e = Border(side);
  const int frame = FActive || e.FrameCount <= 1 ? 1 : 2;
  // A border is rendered again only when its size or state changed: repaints for activation,
  // hover and text changes then cost one blit per border.
  TBorderCache& cache = FBorderCache[static_cast<size_t>(side)];
  if (cache.width != rect.Width() || cache.height != rect.Height() || cache.frame != frame ||
      cache.source != &e) {
    // Tile holds the border's Stretch value: 1 stretches the middle.
    cache.rendering = RenderNineSlice(rect.Width(), rect.Height(), e.Bitmap, MarginsOf(e),
                                      IsAcross(side), e.Tile != 1, e.FrameCount, frame);
    cache.width = rect.Width();
    cache.height = rect.Height();
    cache.frame = frame;
    cache.source = &e;
  }
  if (!cache.rendering.Empty()) fw::DrawBitmap(dc, rect.Left, rect.Top, cache.rendering);
}

void TWinSkinForm::PaintFrame(HDC dc) {
  if (!FSource.Elements || !Working() || FKind.borderKind == kBorderNone || MaximizedMdiChild())
    return;
  // Which caption buttons show is the window's to say at every paint.
  LayoutCaption();
  DrawNonClient(dc);
  FHotObject = nullptr; // a repaint of the frame ends any hover highlight
}

void TWinSkinForm::DrawNonClient(HDC dc) {
  NonClientDC own(dc ? nullptr : FHandle);
  HDC windowDC = dc ? dc : own.get();
  try {
    RECT window;
    ::GetWindowRect(FHandle, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (FWindowState == kStateMinimized) {
      PaintCaption(windowDC, w, h, true);
    } else {
      DrawBorder(TBorderSide::Left, {0, 0, FFrame.left, h}, windowDC);
      DrawBorder(TBorderSide::Right, {w - FFrame.right, 0, w, h}, windowDC);
      DrawBorder(TBorderSide::Bottom, {FFrame.left, h - FFrame.bottom, w - FFrame.right, h},
                 windowDC);
      PaintCaption(windowDC, w, h, false);
      const TRect bar{FFrame.left, FFrame.top, w - FFrame.right, FFrame.top + FMenuHeight};
      if (FMenus->HasMenuBar() && FKind.mdiKind == kMdiFrame) {
        FMenus->PaintBar(windowDC, bar, MdiChildButtonsLeft(),
                         [this, bar](HDC picture) { DrawMdiChildButtons(picture, bar); });
      } else if (FMenus->HasMenuBar()) {
        FMenus->PaintBar(windowDC, bar);
      } else if (FMenuHeight > 0) {
        fw::Brush face(::CreateSolidBrush(ToColourRef(SkinColour(kButtonFace))));
        const RECT r = fw::ToRECT(bar);
        ::FillRect(windowDC, &r, face.get());
      }
    }
  } catch (...) {
    // A damaged skin never breaks the window's painting.
  }
}

void TWinSkinForm::PaintCaption(HDC dc, int width, int height, bool minimized) {
  const int bufferHeight = minimized ? height : FFrame.top;
  if (FCaptionBuffer.Width() != width || FCaptionBuffer.Height() != bufferHeight)
    FCaptionBuffer = TBitmap(width, bufferHeight, fw::TPixelFormat::pf32bit);
  TBitmap& buffer = FCaptionBuffer;
  if (buffer.Empty()) return;
  TRect caption;
  if (minimized) {
    buffer.Fill(fw::PixelOf(SkinColour(kButtonFace)));
    caption = {0, 0, width, FFrame.top};
  } else {
    caption = {FFrame.left, 0, width - FFrame.right, FFrame.top};
  }
  fw::DrawInto(buffer, [&](HDC bufferDC) {
    // Transparent parts of the caption show what the window already shows there.
    if (!minimized) ::BitBlt(bufferDC, 0, 0, width, FFrame.top, dc, 0, 0, SRCCOPY);
    DrawBorder(TBorderSide::Top, caption, bufferDC);
    DrawCaptionText(bufferDC, caption);
    DrawButtons(bufferDC);
  });
  fw::DrawBitmap(dc, 0, 0, buffer);
  ::SetBkMode(dc, OPAQUE);
}

std::wstring TWinSkinForm::CaptionText() const {
  return L" " + fw::WindowText(FHandle) + L"  ";
}

void TWinSkinForm::DrawCaptionText(HDC dc, TRect caption) {
  const TDataSkinTitle& title = *FSource.Elements->Title;
  const std::wstring text = CaptionText();
  // A caption the caption font has no glyphs for is drawn in a face that has them.
  fw::SelectGuard font(dc, fw::FontForText(FCaptionFont.get(), text));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColourRef(SkinColour(FActive ? kTitleTextActive : kTitleTextNoActive)));
  const CaptionTextLayout& layout = FTextLayout;
  if (!title.Bitmap.Empty())
    DrawThreeSlice(dc, {layout.bounds.Left, caption.Top, layout.bounds.Right, caption.Bottom},
                   title.Bitmap, true, true, 2, FActive ? 1 : 2,
                   {title.TXTBackleft, 0, title.TXTBackRight, 0});
  RECT r = fw::ToRECT(layout.text);
  const UINT format = FKind.rightToLeft
                          ? DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RTLREADING
                          : DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  ::SetBkMode(dc, oldMode);
}

CaptionState TWinSkinForm::CaptionStateNow() {
  CaptionState s;
  s.caps = FKind.caps;
  s.windowState = FWindowState;
  s.active = FActive;
  s.borderKind = FKind.borderKind;
  s.isDialog = FKind.isDialog;
  s.hasMenuBar = FMenus->HasMenuBar();
  bool maximized = false;
  s.mdiFrameWithMaximizedChild = ActiveMdiChild(&maximized) && maximized;
  s.askWindow = [this](int visibility, int action) {
    return static_cast<int>(::SendMessageW(FHandle, SM_BUTTONVISIBLE, visibility, action));
  };
  return s;
}

bool TWinSkinForm::IsIconButton(const TWinSysButton& b) const {
  return b.FData->IsWindowIcon() && b.FData->Bitmap.Empty();
}

const TBitmap& TWinSkinForm::ButtonImage(const TWinSysButton& b) const {
  return IsIconButton(b) ? FIconBitmap : b.FData->Bitmap;
}

void TWinSkinForm::MakeIconBitmap() {
  const int w = ::GetSystemMetrics(SM_CXSMICON), h = ::GetSystemMetrics(SM_CYSMICON);
  FIconBitmap = TBitmap(w, h, fw::TPixelFormat::pf32bit);
  FIconBitmap.Fill(fw::kMagentaPixel);
  auto icon = reinterpret_cast<HICON>(::SendMessageW(FHandle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(FHandle, WM_GETICON, ICON_BIG, 0));
  if (!icon) return; // a window without an icon shows none
  fw::DrawInto(FIconBitmap, [&](HDC dc) {
    auto sized = static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
    ::DrawIconEx(dc, 0, 0, sized ? sized : icon, w, h, 0, nullptr, DI_NORMAL);
    if (sized) ::DestroyIcon(sized);
  });
}

bool TWinSkinForm::ButtonsCurrent() const {
  const auto& descriptors = FSource.Elements->CaptionButtons;
  if (descriptors.size() != FButtons.size()) return false;
  for (size_t i = 0; i < FButtons.size(); ++i)
    if (FButtons[i].FData != descriptors[i].get()) return false;
  return true;
}

void TWinSkinForm::LayoutCaption() {
  if (!FSource.Elements) return;
  if (!ButtonsCurrent()) return CalcFrame(); // the skin was reloaded under us: it lays out anew
  RECT window;
  ::GetWindowRect(FHandle, &window);
  const int width = window.right - window.left;
  CaptionTextInput in;
  in.caption = FWindowState == kStateMinimized
                   ? TRect{0, 0, width, FFrame.top}
                   : TRect{FFrame.left, 0, width - FFrame.right, FFrame.top};
  {
    const std::wstring text = CaptionText();
    fw::WindowDC dc(FHandle);
    fw::SelectGuard font(dc.get(), fw::FontForText(FCaptionFont.get(), text));
    RECT measured = fw::ToRECT(in.caption);
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
                DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    in.textWidth = measured.right - measured.left;
    in.textHeight = measured.bottom - measured.top;
  }
  in.rightToLeft = FKind.rightToLeft;
  in.popupStyle = (FStyle & WS_POPUP) != 0;
  in.borderKind = FKind.borderKind;
  std::vector<CaptionButtonFacts> facts;
  facts.reserve(FButtons.size());
  for (const TWinSysButton& b : FButtons) {
    const TBitmap& image = ButtonImage(b);
    const int frames = IsIconButton(b) ? 1 : std::max(b.FData->FrameCount, 1);
    facts.push_back({b.FData, !image.Empty(), image.Width() / frames, image.Height(), b.FBounds});
  }
  const TDataSkinObject* menuBar = FSource.Elements->MenuBar.get();
  const CaptionLayout layout =
      skin::LayoutCaption(facts, CaptionStateNow(), in, *FSource.Elements->Title, width, FFrame,
                          FMenuHeight, menuBar ? menuBar->LeftWidth : 0);
  FTextLayout = layout.text;
  for (std::size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i].FVisible = layout.buttons[i].visible;
    FButtons[i].FEnabled = layout.buttons[i].enabled;
    FButtons[i].FBounds = layout.buttons[i].bounds;
  }
}

void TWinSkinForm::DrawButtons(HDC dc) {
  for (TWinSysButton& b : FButtons) {
    if (!b.FVisible || ButtonImage(b).Empty() || b.FData->Visibility == kVisibleInMenuBar) continue;
    if (IsIconButton(b)) {
      DrawTransparent(dc, b.FBounds, FIconBitmap, fw::kMagentaColour);
      continue;
    }
    const int frame = CaptionFrame(*b.FData, FActive, b.FEnabled);
    DrawFrame(dc, b.FBounds, b.FData->Bitmap, true, b.FData->FrameCount, frame);
  }
}

void TWinSkinForm::DrawSysButton(TWinSysButton& b, TButtonState state) {
  if (ButtonImage(b).Empty()) return;
  NonClientDC dc(FHandle);
  if (IsIconButton(b)) {
    DrawTransparent(dc.get(), b.FBounds, FIconBitmap, fw::kMagentaColour);
    return;
  }
  DrawFrame(dc.get(), b.FBounds, b.FData->Bitmap, true, b.FData->FrameCount,
            StateFrame(*b.FData, state, b.FEnabled));
}

// ---- regions ----------------------------------------------------------------------------------

void TWinSkinForm::UpdateRegion() {
  if (FState == TFormLife::Destroyed || !FSkinFrame || !FSource.Elements) return;
  RECT window;
  ::GetWindowRect(FHandle, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w * h == 0) return;
  // A minimized or maximized MDI child keeps the region of its normal size.
  if (FKind.IsMdiChild() && StyleWindowState() != kStateNormal) return;
  if (w == FRegionWidth && h == FRegionHeight && !FKind.IsMdiChild() &&
      FState != TFormLife::ChangingSkin)
    return;
  FOwnsRegion = false;

  const TSkinElements& e = *FSource.Elements;
  const bool anyTransparent = e.Left->Trans || e.Right->Trans || e.Top->Trans || e.Bottom->Trans;
  fw::Region region;
  FRegionWidth = w;
  FRegionHeight = h;
  const FrameSizes& f = FFrame;
  if (!anyTransparent) {
    region.reset(::CreateRectRgn(0, 0, w, h));
  } else {
    region.reset(::CreateRectRgn(f.left, f.top, w - f.right, h - f.bottom));
  }
  if (anyTransparent && FKind.borderKind != kBorderNone) {
    const int middle = w - f.left - f.right;
    fw::Region left = BorderRegion(TBorderSide::Left, f.left, h, 0, 0, e.Left->Trans == 1 && h > 1);
    fw::Region right =
        BorderRegion(TBorderSide::Right, f.right, h, w - f.right, 0, e.Right->Trans == 1 && h > 1);
    fw::Region bottom = BorderRegion(TBorderSide::Bottom, middle, f.bottom, f.left, h - f.bottom,
                                     e.Bottom->Trans == 1 && f.bottom >= 2);
    fw::Region top =
        BorderRegion(TBorderSide::Top, middle, f.top, f.left, 0, e.Top->Trans == 1 && f.top > 1);
    ::CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
    ::CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
    ::CombineRgn(top.get(), top.get(), left.get(), RGN_OR);
    ::CombineRgn(region.get(), region.get(), top.get(), RGN_OR);
  }
  if (::SetWindowRgn(FHandle, region.get(), TRUE)) {
    region.release(); // the window owns it now
    FOwnsRegion = true;
  }
  ++FRegionBuilds;
}

// The region of one border at (x, y): the pixels of its drawn image that are not magenta when it
// is `shaped`, else its rectangle.
fw::Region TWinSkinForm::BorderRegion(TBorderSide side, int width, int height, int x, int y,
                                      bool shaped) {
  if (shaped && width > 0 && height > 0) {
    const TDataSkinBorder& border = Border(side);
    const int frame = FActive || border.FrameCount <= 1 ? 1 : 2;
    TBitmap drawn = RenderNineSlice(width, height, border.Bitmap, MarginsOf(border), IsAcross(side),
                                    border.Tile != 1, border.FrameCount, frame);
    return RegionFromBitmap(drawn, x, y, 1, 1, 1, fw::kMagentaColour);
  }
  return fw::Region(::CreateRectRgn(x, y, x + std::max(width, 0), y + std::max(height, 0)));
}

} // namespace skin
