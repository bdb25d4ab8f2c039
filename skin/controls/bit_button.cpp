#include "skin/controls/bit_button.h"

#include "framework/bitmap.h"
#include "framework/buttons.h"
#include "framework/image_list.h"
#include "framework/sysutils.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bit_button_modes.h"
#include "skin/data/core/bitmap_routines.h"
#include "skin/data/core/skin_text.h"

#include <algorithm>

namespace skin {

namespace {

constexpr const wchar_t* kPngImageProperty = L"PngImage";
constexpr int kFocusInflate = 2;

// The disabled look of a glyph, embossed in the system's button colours.
TBitmap Greyed(const TBitmap& glyph) {
  TDisabledColours colours;
  colours.face = ::GetSysColor(COLOR_BTNFACE);
  colours.highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  colours.shadow = ::GetSysColor(COLOR_BTNSHADOW);
  return DisabledImage(glyph, colours);
}

std::string LowerEnum(fw::TControl& control, const wchar_t* name) {
  return AsciiLower(fw::WideToUtf8(fw::GetEnumProp(control, name).value_or(L"")));
}

} // namespace

std::unique_ptr<TSkinControl> TSkinBitButton::Create(const ControlDecision& decision) {
  auto skin = std::make_unique<TSkinBitButton>();
  if (decision.mode == kPngGlyph) skin->FImageProperty = kPngImageProperty;
  return skin;
}

TBitmap* GlyphOf(fw::TControl& control, const std::wstring& property) {
  const auto object = fw::GetObjectProp(control, property);
  auto* glyph = object ? dynamic_cast<fw::TGlyphBitmap*>(*object) : nullptr;
  return glyph && !glyph->Image.Empty() ? &glyph->Image : nullptr;
}

void DrawGlyphFrame(HDC dc, int x, int y, int numGlyphs, int index, const TBitmap& glyph) {
  numGlyphs = std::max(numGlyphs, 1);
  const int width = glyph.Width() / numGlyphs, height = glyph.Height();
  if (width <= 0 || height <= 0) return;
  const int frame = numGlyphs < index ? 0 : index - 1;
  TBitmap part(width, height);
  fw::CopyPixels(part, 0, 0, glyph, {frame * width, 0, (frame + 1) * width, height});
  if (index == 2 && numGlyphs == 1) {
    part = Greyed(part);
  }
  // The strip's transparent colour is its bottom-left pixel.
  DrawTransparent(dc, {x, y, x + width, y + height}, part, fw::ColourOf(part.At(0, height - 1)));
}

// The image list a bit button without a Glyph draws from, and the image it shows (-1: none).
struct TListImage {
  fw::TImageList* list = nullptr;
  int index = -1;
};

TListImage ListImageOf(fw::TControl& control, bool enabled) {
  const auto object = fw::GetObjectProp(control, L"Images");
  auto* list = object ? dynamic_cast<fw::TImageList*>(*object) : nullptr;
  if (!list || !list->Handle()) return {};
  int index = fw::GetOrdProp(control, L"ImageIndex").value_or(-1);
  const int disabled = fw::GetOrdProp(control, L"DisabledIndex").value_or(-1);
  if (!enabled && disabled != -1) index = disabled;
  if (index < 0 || index >= list->Count()) return {};
  return {list, index};
}

// An image of a list, greyed when `disabled`, as the list's disabled style draws it.
void DrawListImage(HDC dc, int x, int y, const TListImage& image, bool disabled) {
  if (!disabled) {
    ImageList_Draw(image.list->Handle(), image.index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  const int w = image.list->Width(), h = image.list->Height();
  TBitmap part(w, h);
  part.Fill(fw::kMagentaPixel);
  fw::DrawInto(part, [&](HDC b) {
    ImageList_Draw(image.list->Handle(), image.index, b, 0, 0, ILD_TRANSPARENT);
  });
  part = Greyed(part);
  DrawTransparent(dc, {x, y, x + w, y + h}, part, fw::ColourOf(part.At(0, h - 1)));
}

bool TSkinBitButton::HasGlyph(fw::TControl& control) const {
  return GlyphOf(control, FImageProperty.empty() ? L"Glyph" : FImageProperty) != nullptr;
}

void TSkinBitButton::DoPaint(HDC dc, TRect rect) {
  if (!FControl) {
    TSkinButton::DoPaint(dc, rect);
    return;
  }
  FFocused = ::GetFocus() == FHandle;
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  FCaption = ReadCaption();
  ButtonFace face = CurrentFace();
  // With an image property only focus shows the focused frame; Default is not looked at.
  if (!FImageProperty.empty() && face == ButtonFace::Focused && !FFocused)
    face = ButtonFace::Normal;
  DrawFace(dc, rect, face);
  fw::SelectGuard font(dc, ControlFont());
  const COLORREF previous = ::SetTextColor(dc, CaptionColour(face));
  DrawGlyphAndCaption(dc, rect, *FControl, GlyphFrame(face, false), false);
  ::SetTextColor(dc, previous);
}

void TSkinBitButton::DrawGlyphAndCaption(HDC dc, TRect rect, fw::TControl& control, int glyphFrame,
                                         bool speedButton) {
  const bool imageProperty = !FImageProperty.empty();
  TBitmap* glyph = GlyphOf(control, imageProperty ? FImageProperty : L"Glyph");
  const int numGlyphs =
      imageProperty ? 1 : std::max(fw::GetOrdProp(control, L"NumGlyphs").value_or(1), 1);
  const TSizeXY client{rect.Width(), rect.Height()};
  const bool disabled = glyphFrame == 2;
  const TListImage listImage =
      glyph || imageProperty || speedButton ? TListImage{} : ListImageOf(control, !disabled);
  const TSizeXY glyphSize = glyph ? TSizeXY{glyph->Width() / numGlyphs, glyph->Height()}
                            : listImage.list
                                ? TSizeXY{listImage.list->Width(), listImage.list->Height()}
                                : TSizeXY{};
  const GlyphLayout layout = GlyphLayoutFromName(LowerEnum(control, L"Layout"));

  const std::wstring caption = ButtonCaptionText(FCaption);
  TSizeXY textSize;
  if (!caption.empty()) {
    const TRect bounds = GlyphTextBounds(client, glyphSize, layout);
    RECT t = fw::ToRECT(bounds);
    ::DrawTextW(dc, caption.c_str(), -1, &t, kDtCalcRect | kDtWordBreak);
    textSize = {t.right - t.left, t.bottom - t.top};
  }
  int margin = fw::GetOrdProp(control, L"Margin").value_or(-1);
  const int spacing = fw::GetOrdProp(control, L"Spacing").value_or(-1);
  if (!speedButton && fw::GetEnumProp(control, L"Alignment").value_or(L"") == L"taCenter")
    margin = -1;
  const GlyphPlacement place =
      PlaceGlyphAndText(client, glyphSize, textSize, layout, margin, spacing, speedButton);

  const int x = rect.Left + place.glyph.x, y = rect.Top + place.glyph.y;
  if (glyph && imageProperty) {
    TPreparedImage(*glyph, glyph->Transparent).Draw(dc, x, y);
  } else if (glyph) {
    DrawGlyphFrame(dc, x, y, numGlyphs, glyphFrame, *glyph);
  } else if (listImage.list) {
    DrawListImage(dc, x, y, listImage, disabled);
  }
  if (caption.empty()) return;
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  RECT r{rect.Left + place.text.Left, rect.Top + place.text.Top, rect.Left + place.text.Right,
         rect.Top + place.text.Bottom};
  ::DrawTextW(dc, caption.c_str(), -1, &r, RightToLeftFlags(place.textFlags));
  ::SetBkMode(dc, oldMode);
  if (FFocused && !FSkinData.Options.Contains(xoNoFocusRect)) {
    ::InflateRect(&r, kFocusInflate, kFocusInflate);
    ::DrawFocusRect(dc, &r);
  }
}

const TControlSkinKind kBitButtonKind{"BitButton"_kind, TSkinBitButton::Create};

} // namespace skin
