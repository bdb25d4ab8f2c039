#include "skin/controls/obj_image.h"

#include "framework/buttons.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/glyph_cells.h"
#include "skin/controls/core/obj_image_modes.h"

#include <algorithm>

namespace skin {

namespace {

constexpr int kMagenta = 0xFF00FF;

} // namespace

std::unique_ptr<TSkinControl> TSkinObjImage::Create(const ControlDecision& decision) {
  auto skin = std::make_unique<TSkinObjImage>();
  skin->FGlyphKind = decision.mode == kObjImageRadio   ? TGlyphKind::Radio
                     : decision.mode == kObjImageThird ? TGlyphKind::CheckGlyph
                                                       : TGlyphKind::Check;
  return skin;
}

void TSkinObjImage::AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                                  const TControlSkinSource& skinData, bool setColour) {
  if (FAttached) return;
  BindControl(control, skinForm, skinData, setColour);
  BuildGlyphs();
  MarkAttached();
}

bool TSkinObjImage::ControlAlive() const {
  return FControl && ::IsWindow(FHandle) && fw::TWinControl::FromHandle(FHandle) == FControl;
}

void TSkinObjImage::BuildGlyphs() {
  if (!ControlAlive() || !FSkinData.Elements || !FSkinData.Elements->Buttons) return;
  const TDataSkinButton& buttons = *FSkinData.Elements->Buttons;
  const bool radio = FGlyphKind == TGlyphKind::Radio;
  const TBitmap& source = radio ? buttons.RadioBitmap : buttons.CheckBitmap;
  const int frames = std::max(radio ? buttons.RadioButtonFrame : buttons.CheckButtonFrame, 1);
  if (source.Empty()) return;
  const int w = source.Width() / frames, h = source.Height();
  TBitmap strip(w * GlyphCellCount(FGlyphKind), h);
  strip.Fill(fw::kMagentaPixel); // empty cells show nothing
  for (const auto& [cell, frame] : GlyphCellSources(FGlyphKind, frames))
    fw::CopyPixels(strip, cell * w, 0, source, {frame * w, 0, (frame + 1) * w, h});

  if (FGlyphKind == TGlyphKind::CheckGlyph) {
    const auto properties = fw::GetObjectProp(*FControl, L"Properties");
    if (!properties || !*properties) return;
    const auto glyph = fw::GetObjectProp(**properties, L"Glyph");
    if (auto* bitmap = glyph ? dynamic_cast<fw::TGlyphBitmap*>(*glyph) : nullptr) {
      bitmap->Image = std::move(strip);
      bitmap->Image.Transparent = false;
      bitmap->Image.TransparentColor = kMagenta;
    }
    return;
  }
  const auto glyphs = fw::GetObjectProp(*FControl, L"CustomGlyphs");
  auto* bitmap = glyphs ? dynamic_cast<fw::TGlyphBitmap*>(*glyphs) : nullptr;
  if (!bitmap) return;
  bitmap->Image = std::move(strip);
  fw::SetOrdProp(*FControl, L"transparentcolor", kMagenta);
  // Off and on again, so that the control takes the new glyphs up.
  fw::SetEnumProp(*FControl, L"UseCustomGlyphs", L"False");
  fw::SetEnumProp(*FControl, L"UseCustomGlyphs", L"True");
}

void TSkinObjImage::SkinChanged(const TControlSkinSource& skinData) {
  FSkinData = skinData;
  BuildGlyphs();
}

void TSkinObjImage::Deactivate() {
  if (!FSkinOn) return;
  FSkinOn = false;
  // The control may have gone without telling: this skin hooks none of its messages.
  if (!ControlAlive()) return;
  if (FGlyphKind == TGlyphKind::CheckGlyph) {
    const auto properties = fw::GetObjectProp(*FControl, L"Properties");
    const auto glyph =
        properties && *properties ? fw::GetObjectProp(**properties, L"Glyph") : std::nullopt;
    if (auto* bitmap = glyph ? dynamic_cast<fw::TGlyphBitmap*>(*glyph) : nullptr)
      bitmap->Image.Clear();
    return;
  }
  fw::SetEnumProp(*FControl, L"UseCustomGlyphs", L"False");
}

const TControlSkinKind kObjImageKind{"ObjImage"_kind, TSkinObjImage::Create};

} // namespace skin
