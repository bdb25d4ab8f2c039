// The gallery (gallery.h): a control of every kind the skin paints, skinned with the program's
// own skin (Lanlin Lake) through the skin manager as a user sees it, then with the skin off.
// Both looks are saved as pictures (gallery_skinned.png, gallery_unskinned.png) to be looked at.
#include "framework/glyph_check.h"
#include "framework/sysutils.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_control.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/skin_controls/gallery.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

using namespace skin;
using testing_support::PumpFor;
using testing_support::PumpUntil;

TEST(Gallery, EveryKindOfControlSkinnedAndUnskinned) {
  TSkinManagerScope scope;
  auto data = testing_support::ReadProgramSkin();
  testing_support::TGallery::PrepareSkin(*data);
  data->Loaded();
  ASSERT_FALSE(data->SkinMissing());

  testing_support::TGallery gallery;
  fw::TForm& form = gallery.Form();
  HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 200, 202,
                               170, 18, form.Handle(), nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
  ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
  ASSERT_TRUE(
      PumpUntil([&] { return SkinManager()->FindSkinForm(form.Handle()) != nullptr; }, 3000));
  // A bare scroll-bar window gets its skin from whoever made it.
  TSkinScControl barSkin;
  barSkin.AttachWindow(bar, {&data->Elements()}, nullptr);
  PumpFor(300);
  testing_support::SaveWindowPng(form.Handle(), 0, L"skin_controls", L"gallery_skinned.png");

  for (fw::TWinControl* control : gallery.Windowed())
    EXPECT_EQ(control->Perform(SM_ISSKINNED), 1) << fw::WideToUtf8(control->ClassName());
  for (fw::TSpeedButton* speed : gallery.Speeds())
    EXPECT_EQ(speed->Perform(SM_ISSKINNED), 1);
  EXPECT_EQ(::SendMessageW(bar, SM_ISSKINNED, 0, 0), 1);
  // The glyph check box's glyphs come from the skin.
  EXPECT_FALSE(static_cast<fw::TGlyphCheckBox*>(gallery.GlyphCheck())->CustomGlyphs.Image.Empty());
  // Magenta is the skin's see-through colour: it never reaches the screen.
  for (fw::TWinControl* control : gallery.Windowed()) {
    RECT r;
    ::GetWindowRect(control->Handle(), &r);
    const fw::TBitmap shot = testing_support::ScreenPixels(r);
    int magenta = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        magenta += (shot.At(x, y) & 0xFFFFFF) == fw::kMagentaPixel;
    EXPECT_EQ(magenta, 0) << fw::WideToUtf8(control->ClassName());
  }

  barSkin.Deactivate();
  data->SetActive(false);
  ASSERT_TRUE(
      PumpUntil([&] { return SkinManager()->FindSkinForm(form.Handle()) == nullptr; }, 3000));
  PumpFor(300);
  testing_support::SaveWindowPng(form.Handle(), 0, L"skin_controls", L"gallery_unskinned.png");
  for (fw::TWinControl* control : gallery.Windowed())
    EXPECT_EQ(control->Perform(SM_ISSKINNED), 0) << fw::WideToUtf8(control->ClassName());
  ::DestroyWindow(bar);
}
