#include "framework/glyph_check.h"

namespace fw {

namespace {
constexpr int kCheckCells = 9, kRadioCells = 6;
constexpr int kCheckDisabledCell = 6, kRadioDisabledCell = 4;
constexpr int kTextGap = 4;
} // namespace

TGlyphCheckBox::TGlyphCheckBox(TComponent* owner, bool radio) : TWinControl(owner), radio_(radio) {
  visible_ = true;
}

void TGlyphCheckBox::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TGlyphCheckBox> d(list);
  d.String(L"Caption", &TGlyphCheckBox::Text, &TGlyphCheckBox::SetText);
  d.Boolean(L"Checked", &TGlyphCheckBox::Checked, &TGlyphCheckBox::SetChecked);
  d.Object(L"CustomGlyphs", [](TGlyphCheckBox& c) -> TPersistent* { return &c.CustomGlyphs; });
  d.Integer(
      L"TransparentColor", [](TGlyphCheckBox& c) { return c.TransparentColor; },
      [](TGlyphCheckBox& c, int v) { c.TransparentColor = v; });
  d.Boolean(L"UseCustomGlyphs", &TGlyphCheckBox::UseCustomGlyphs,
            &TGlyphCheckBox::SetUseCustomGlyphs);
}

void TGlyphCheckBox::SetChecked(bool checked) {
  checked_ = checked;
  Invalidate();
}

void TGlyphCheckBox::SetUseCustomGlyphs(bool use) {
  if (use && !useCustomGlyphs_) ++GlyphReloads;
  useCustomGlyphs_ = use;
  Invalidate();
}

void TGlyphCheckBox::Paint(HDC dc) {
  RECT all{0, 0, width_, height_};
  ::FillRect(dc, &all, ColorBrush());
  TBitmap& strip = CustomGlyphs.Image;
  const int cells = radio_ ? kRadioCells : kCheckCells;
  int textLeft = 0;
  if (useCustomGlyphs_ && !strip.Empty()) {
    const int w = strip.Width() / cells, h = strip.Height();
    const int cell = (checked_ ? 1 : 0) + (Enabled() ? 0
                                           : radio_  ? kRadioDisabledCell
                                                     : kCheckDisabledCell);
    const int top = (height_ - h) / 2;
    // The cell with its transparent colour left out, pixel by pixel.
    TBitmap piece(w, h);
    CopyPixels(piece, 0, 0, strip, {cell * w, 0, (cell + 1) * w, h});
    const Pixel key = PixelOf(static_cast<ColorRef>(TransparentColor));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((piece.At(x, y) & 0xFFFFFF) != key) {
          const Pixel p = piece.At(x, y);
          ::SetPixel(dc, x, top + y, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    textLeft = w + kTextGap;
  } else {
    const int side = 13;
    RECT box{0, (height_ - side) / 2, side, (height_ + side) / 2};
    ::DrawFrameControl(dc, &box, DFC_BUTTON,
                       (radio_ ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) |
                           (checked_ ? DFCS_CHECKED : 0));
    textLeft = side + kTextGap;
  }
  ::SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = ::SelectObject(dc, TextFont());
  RECT text{textLeft, 0, width_, height_};
  ::DrawTextW(dc, Text().c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old);
}

LRESULT TGlyphCheckBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_PAINT:
    return PaintWith(wParam, [this](HDC dc) { Paint(dc); });
  case WM_LBUTTONUP:
    SetChecked(radio_ ? true : !checked_);
    Click();
    return 0;
  default:
    return TWinControl::WndProc(msg, wParam, lParam);
  }
}

} // namespace fw
