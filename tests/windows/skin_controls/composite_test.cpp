// Controls that draw their check marks from a strip of glyph cells: the strips built from the
// skin's CheckButton image of 4, 5 and 12 frames and from its RadioButton image, handed to our
// glyph check box and radio button, which then show them on the screen.
#include "framework/form.h"
#include "framework/glyph_check.h"
#include "skin/controls/control_table.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using testing_support::PumpFor;
using testing_support::ScreenPixel;

namespace {

constexpr int kCell = 13;

COLORREF FrameColour(int frame) {
  return RGB(20 * frame + 10, 250 - 20 * frame, 90);
}

TBitmap Strip(int frames) {
  TBitmap b(frames * kCell, kCell);
  for (int f = 0; f < frames; ++f)
    b.FillRect({f * kCell, 0, (f + 1) * kCell, kCell}, fw::PixelOf(FrameColour(f)));
  return b;
}

// The colour of each cell of a handed strip (magenta: empty).
std::vector<COLORREF> Cells(const fw::TGlyphCheckBox& c) {
  std::vector<COLORREF> out;
  const TBitmap& s = c.CustomGlyphs.Image;
  for (int x = kCell / 2; x < s.Width(); x += kCell)
    out.push_back(fw::ColourOf(s.At(x, kCell / 2) & 0xFFFFFF));
  return out;
}

TEST(GlyphStrips, CheckAndRadioStripsFromFourFiveAndTwelveFrames) {
  TSkinElements elements;
  TDataSkinButton& b = *elements.Buttons;
  b.CheckBitmap = Strip(4);
  b.CheckButtonFrame = 4;
  b.RadioBitmap = Strip(4);
  b.RadioButtonFrame = 4;
  fw::TForm form(nullptr);
  form.SetBounds(80, 80, 300, 120);
  auto* check = new fw::TGlyphCheckBox(&form);
  check->SetParent(&form);
  check->SetBounds(10, 10, 120, 20);
  check->SetText(L"Check");
  auto* radio = new fw::TGlyphCheckBox(&form, true);
  radio->SetParent(&form);
  radio->SetBounds(10, 40, 120, 20);
  form.Show();
  PumpFor(60);
  auto skin = std::make_unique<TWinSkinForm>(
      TFormSkinSource{&elements, DefaultSkinControls(), {}, nullptr});
  ASSERT_TRUE(skin->HookWindow(form.Handle()));
  const TControlSkinSource source{&elements, DefaultSkinOptions()};
  auto attach = [&](fw::TGlyphCheckBox* control, SkinnerMode mode) {
    ControlDecision d;
    d.kind = "ObjImage"_kind;
    d.mode = mode;
    TSkinControl* made = FindControlSkinKind("ObjImage"_kind)->create(d).release();
    made->AttachControl(*control, skin.get(), source, false); // the window skin owns it
    return made;
  };
  TSkinControl* checkSkin = attach(check, "Check"_mode);
  attach(radio, "Radio"_mode);
  PumpFor(60);

  const COLORREF none = RGB(255, 0, 255);
  const COLORREF f0 = FrameColour(0), f1 = FrameColour(1), f2 = FrameColour(2), f3 = FrameColour(3),
                 f4 = FrameColour(4);
  EXPECT_EQ(Cells(*check), (std::vector{f0, f1, none, f0, f1, none, f2, f3, none}));
  EXPECT_EQ(Cells(*radio), (std::vector{f0, f1, f0, f1, f2, f3}));
  EXPECT_TRUE(check->UseCustomGlyphs());
  EXPECT_EQ(check->GlyphReloads, 1);
  // The control shows the strip: unchecked, then checked after a click.
  POINT p{kCell / 2, 10};
  ::ClientToScreen(check->Handle(), &p);
  EXPECT_EQ(ScreenPixel(p.x, p.y), f0);
  ::SendMessageW(check->Handle(), WM_LBUTTONUP, 0, 0);
  PumpFor(60);
  EXPECT_EQ(ScreenPixel(p.x, p.y), f1);

  // Five frames: the grayed cells take the fifth; twelve frames: each look's first frame.
  b.CheckBitmap = Strip(5);
  b.CheckButtonFrame = 5;
  checkSkin->SkinChanged(source);
  EXPECT_EQ(Cells(*check), (std::vector{f0, f1, f4, f0, f1, f4, f2, f3, f4}));
  b.CheckBitmap = Strip(12);
  b.CheckButtonFrame = 12;
  checkSkin->SkinChanged(source);
  const COLORREF f7 = FrameColour(7), f8 = FrameColour(8);
  EXPECT_EQ(Cells(*check), (std::vector{f0, f4, f8, f0, f4, f8, f3, f7, f8}));

  // Switching the skin off gives the controls their own marks; a control already gone is left
  // alone.
  delete radio;
  skin.reset();
  EXPECT_FALSE(check->UseCustomGlyphs());
}

} // namespace
