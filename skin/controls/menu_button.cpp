#include "skin/controls/menu_button.h"

#include "framework/bitmap.h"
#include "skin/controls/bit_button.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/glyph_layout.h"
#include "skin/data/core/skin_colours.h"

namespace skin {

namespace {

constexpr int kFocusInflate = 2;

} // namespace

COLORREF TSkinMenuButton::TextColour(ButtonFace face) const {
  if (!FWindowEnabled) return fw::ColorToRGB(fw::clBtnShadow);
  const TDataSkinButton& e = *Element();
  COLORREF colour = FControl ? fw::ColorToRGB(FControl->Font().Color()) : SkinColour(kButtonText);
  if (face == ButtonFace::Normal && e.HasNormalColour2) colour = e.NormalColour2 & 0xFFFFFF;
  if (face == ButtonFace::Hot && e.HasMouseOverColour2) colour = e.MouseOverColour2 & 0xFFFFFF;
  if (face == ButtonFace::Pressed && e.HasPressedColour2) colour = e.PressedColour2 & 0xFFFFFF;
  return colour;
}

void TSkinMenuButton::DoPaint(HDC dc, TRect rect) {
  FFocused = ::GetFocus() == FHandle;
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  FCaption = ReadCaption();
  const ButtonFace face = MenuButtonFace(FMouseState, FFocused, FWindowEnabled);
  DrawFace(dc, rect, face);
  fw::SelectGuard font(dc, ControlFont());

  TBitmap* glyph = FControl ? GlyphOf(*FControl, L"Glyph") : nullptr;
  const TSizeXY client{rect.Width(), rect.Height()};
  const TSizeXY glyphSize = glyph ? TSizeXY{glyph->Width(), glyph->Height()} : TSizeXY{};
  TSizeXY textSize;
  if (!FCaption.empty()) {
    const TRect bounds = MenuButtonTextBounds(client, glyphSize);
    RECT t = fw::ToRECT(bounds);
    ::DrawTextW(dc, FCaption.c_str(), -1, &t, kDtCalcRect | kDtWordBreak);
    textSize = {t.right - t.left, t.bottom - t.top};
  }
  const int margin = FControl ? fw::GetOrdProp(*FControl, L"Margin").value_or(-1) : -1;
  const int spacing = FControl ? fw::GetOrdProp(*FControl, L"Spacing").value_or(-1) : -1;
  const MenuButtonPlacement place = PlaceMenuButton(client, glyphSize, textSize, margin, spacing);

  if (glyph) DrawGlyphFrame(dc, rect.Left + place.glyph.x, rect.Top + place.glyph.y, 1, 1, *glyph);
  const COLORREF text = TextColour(face);
  const COLORREF mark = FWindowEnabled ? fw::ColorToRGB(fw::clWindowText) : text;
  {
    fw::Brush brush(::CreateSolidBrush(mark));
    fw::Pen pen(::CreatePen(PS_SOLID, 1, mark));
    fw::SelectGuard useBrush(dc, brush.get());
    fw::SelectGuard usePen(dc, pen.get());
    const int x = rect.Left + place.arrow.x, y = rect.Top + place.arrow.y;
    const POINT triangle[3] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
    ::Polygon(dc, triangle, 3);
  }
  if (FCaption.empty()) return;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, text);
  RECT r{rect.Left + place.text.x, rect.Top + place.text.y, rect.Left + place.text.x + textSize.x,
         rect.Top + place.text.y + textSize.y};
  ::DrawTextW(dc, FCaption.c_str(), -1, &r, RightToLeftFlags(kDtWordBreak));
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
  if (FFocused && !FSkinData.Options.Contains(xoNoFocusRect)) {
    ::InflateRect(&r, kFocusInflate, kFocusInflate);
    ::DrawFocusRect(dc, &r);
  }
}

const TControlSkinKind kMenuButtonKind{"MenuButton"_kind, MakeSkin<TSkinMenuButton>};

} // namespace skin
