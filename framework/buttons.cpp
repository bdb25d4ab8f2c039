#include "framework/buttons.h"

#include "framework/bitmap.h"
#include "framework/image_list.h"

#include <windowsx.h>

#include <algorithm>

namespace fw {

namespace {

constexpr int kUnskinnedGlyphMargin = 4;

template <class T> void DefineGlyphProperties(TPropertyDefiner<T>& d) {
  d.Object(L"Glyph", [](T& b) -> TPersistent* { return &b.GlyphSettings.Glyph; });
  d.Integer(
      L"NumGlyphs", [](T& b) { return b.GlyphSettings.NumGlyphs; },
      [](T& b, int v) { b.GlyphSettings.NumGlyphs = v; });
  d.Enumeration(
      L"Layout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"},
      [](T& b) { return static_cast<int>(b.GlyphSettings.Layout); },
      [](T& b, int v) { b.GlyphSettings.Layout = static_cast<TButtonLayout>(v); });
  d.Integer(
      L"Margin", [](T& b) { return b.GlyphSettings.Margin; },
      [](T& b, int v) { b.GlyphSettings.Margin = v; });
  d.Integer(
      L"Spacing", [](T& b) { return b.GlyphSettings.Spacing; },
      [](T& b, int v) { b.GlyphSettings.Spacing = v; });
}

} // namespace

// --- TBitBtn

void TBitBtn::DefineProperties(TPropertyList& list) const {
  TButton::DefineProperties(list);
  TPropertyDefiner<TBitBtn> d(list);
  DefineGlyphProperties(d);
  d.Object(L"Images", [](TBitBtn& b) -> TPersistent* { return b.Images; });
  d.Integer(
      L"ImageIndex", [](TBitBtn& b) { return b.ImageIndex; },
      [](TBitBtn& b, int v) { b.ImageIndex = v; });
  d.Integer(
      L"DisabledIndex", [](TBitBtn& b) { return b.DisabledIndex; },
      [](TBitBtn& b, int v) { b.DisabledIndex = v; });
}

// --- TMenuButton

void TMenuButton::Click() {
  if (DropDownMenu && HandleAllocated()) {
    RECT r;
    ::GetWindowRect(Handle(), &r);
    const int command = static_cast<int>(
        ::TrackPopupMenu(DropDownMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, r.left,
                         r.bottom, 0, Handle(), nullptr));
    if (command && Parent() && Parent()->HandleAllocated())
      ::PostMessageW(Parent()->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }
  TBitBtn::Click();
}

// --- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  width_ = 23;
  height_ = 22;
}

void TSpeedButton::DefineProperties(TPropertyList& list) const {
  TGraphicControl::DefineProperties(list);
  TPropertyDefiner<TSpeedButton> d(list);
  d.String(L"Caption", &TSpeedButton::Text, &TSpeedButton::SetText);
  DefineGlyphProperties(d);
  d.Boolean(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  d.Integer(
      L"GroupIndex", [](TSpeedButton& b) { return b.GroupIndex; },
      [](TSpeedButton& b, int v) { b.GroupIndex = v; });
  d.Boolean(
      L"AllowAllUp", [](TSpeedButton& b) { return b.AllowAllUp; },
      [](TSpeedButton& b, bool v) { b.AllowAllUp = v; });
  d.Boolean(
      L"Flat", [](TSpeedButton& b) { return b.Flat; }, [](TSpeedButton& b, bool v) { b.Flat = v; });
}

void TSpeedButton::SetDown(bool down) {
  if (GroupIndex == 0) down = false; // only buttons of a group latch
  if (down == down_) return;
  down_ = down;
  Invalidate();
  if (!down_ || !Parent()) return;
  for (TControl* other : Parent()->Controls()) {
    auto* sibling = dynamic_cast<TSpeedButton*>(other);
    if (sibling && sibling != this && sibling->GroupIndex == GroupIndex && sibling->down_) {
      sibling->down_ = false;
      sibling->Invalidate();
    }
  }
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (Enabled()) {
      pressed_ = true;
      Invalidate();
    }
    return 0;
  case WM_LBUTTONUP:
    MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE:
    hot_ = msg == CM_MOUSEENTER;
    if (Flat) Invalidate();
    return 0;
  default:
    return TGraphicControl::WndProc(msg, wParam, lParam);
  }
}

void TSpeedButton::MouseUp(int x, int y) {
  if (!pressed_) return;
  pressed_ = false;
  Invalidate();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return; // released elsewhere: no click
  if (GroupIndex != 0) SetDown(!down_ || !AllowAllUp);
  Click();
}

void TSpeedButton::Paint(HDC dc) {
  RECT r{0, 0, width_, height_};
  const bool sunken = pressed_ || down_;
  if (!Flat || hot_ || sunken)
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0));
  else
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  int textLeft = 0;
  TBitmap& glyph = GlyphSettings.Glyph.Image;
  if (!glyph.Empty()) {
    const int frameWidth = glyph.Width() / std::max(GlyphSettings.NumGlyphs, 1);
    const TRect to{kUnskinnedGlyphMargin, (height_ - glyph.Height()) / 2,
                   kUnskinnedGlyphMargin + frameWidth, (height_ + glyph.Height()) / 2};
    StretchDrawBitmap(dc, to, glyph, {0, 0, frameWidth, glyph.Height()}, COLORONCOLOR);
    textLeft = to.Right;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  HGDIOBJ old = ::SelectObject(dc, TextFont());
  RECT text{textLeft, 0, width_, height_};
  ::DrawTextW(dc, Text().c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old);
}

} // namespace fw
