// Text that reads: the settings dialog's quality value shows whole (its slider no longer covers
// the top of its digits), and, in a Wine prefix without font links (run by run_tests.sh with
// RECORDER_PLAIN_PREFIX set), the program's Chinese captions, buttons and labels are drawn with
// glyphs, not as missing-glyph boxes. The judge of the latter is the screen: the characters of a
// text drawn as boxes are all the same picture, real glyphs are not.
#include "app/Unit1.h"
#include "app/optdlg.h"
#include "framework/bitmap.h"
#include "framework/exception.h"
#include "framework/font_fallback.h"
#include "framework/timer.h"
#include "recorder/scrcam.h"
#include "skin/forms/skin_manager.h"
#include "skin/skin_messages.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using testing_support::PumpUntil;

int Luma(fw::Pixel p) {
  return static_cast<int>((299 * (p >> 16 & 0xFF) + 587 * (p >> 8 & 0xFF) + 114 * (p & 0xFF)) /
                          1000);
}

// Dark text on a light face; its anti-aliased strokes may be no darker than mid-grey.
bool DarkInk(fw::Pixel p) {
  return Luma(p) < 160;
}
bool LightInk(fw::Pixel p) {
  return Luma(p) > 215;
}

// The rows of `picture` that hold ink, as [first, last]; {-1, -1} when none does.
std::pair<int, int> InkRows(const fw::TBitmap& picture, const std::function<bool(fw::Pixel)>& ink) {
  std::pair<int, int> rows{-1, -1};
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (ink(picture.At(x, y))) {
        if (rows.first < 0) rows.first = y;
        rows.second = y;
      }
  return rows;
}

// How the ink of a picture of text fills its columns, over the rows that hold ink.
struct InkColumns {
  int full = 0;  // inked from the top ink row to the bottom one: a box's side
  int ends = 0;  // inked only in those two rows: a box's top and bottom
  int drawn = 0; // anything else: strokes of a glyph
};

InkColumns ColumnsOf(const fw::TBitmap& picture, const std::function<bool(fw::Pixel)>& ink) {
  InkColumns columns;
  const auto [top, bottom] = InkRows(picture, ink);
  if (top < 0 || bottom - top < 2) return columns;
  for (int x = 0; x < picture.Width(); ++x) {
    int inked = 0;
    for (int y = top; y <= bottom; ++y)
      inked += ink(picture.At(x, y)) ? 1 : 0;
    if (inked == 0) continue;
    if (inked == bottom - top + 1)
      ++columns.full;
    else if (inked == 2 && ink(picture.At(x, top)) && ink(picture.At(x, bottom)))
      ++columns.ends;
    else
      ++columns.drawn;
  }
  return columns;
}

// Text drawn as missing-glyph boxes: a row of rectangle outlines, every inked column a box's
// side or its top and bottom.
bool LooksLikeBoxes(const fw::TBitmap& picture, const std::function<bool(fw::Pixel)>& ink) {
  const InkColumns c = ColumnsOf(picture, ink);
  return c.full >= 2 && c.ends > 0 && c.drawn == 0;
}

// Text drawn with glyphs: columns of strokes that no box has.
bool LooksLikeGlyphs(const fw::TBitmap& picture, const std::function<bool(fw::Pixel)>& ink) {
  return ColumnsOf(picture, ink).drawn >= 6;
}

// `text` drawn in `font`, black on white.
fw::TBitmap Drawn(HFONT font, const std::wstring& text) {
  fw::TBitmap picture(200, 40, fw::TPixelFormat::pf32bit);
  picture.Fill(fw::RgbPixel(255, 255, 255));
  fw::DrawInto(picture, [&](HDC dc) {
    ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
  });
  return picture;
}

fw::TBitmap OnScreen(HWND wnd, RECT inWindow) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return testing_support::ScreenPixels({r.left + inWindow.left, r.top + inWindow.top,
                                        r.left + inWindow.right, r.top + inWindow.bottom});
}

fw::TBitmap Inside(fw::TWinControl& control, int inset) {
  RECT r;
  ::GetWindowRect(control.Handle(), &r);
  return testing_support::ScreenPixels(
      {r.left + inset, r.top + inset, r.right - inset, r.bottom - inset});
}

// Runs `action` from the modal loop of the settings dialog once it shows, then cancels it.
void WithSettingsShown(app::TOptionDlg& dialog, recorder::TScreenCam& cam,
                       const std::function<void()>& action) {
  fw::TTimer timer(nullptr);
  timer.SetInterval(50);
  timer.OnTimer = [&](fw::TObject*) {
    if (!dialog.HandleAllocated() || !::IsWindowVisible(dialog.Handle())) return;
    timer.SetEnabled(false);
    PumpUntil([&] { return ::SendMessageW(dialog.Handle(), skin::SM_ISSKINNED, 0, 0) == 1; }, 3000);
    testing_support::PumpFor(300);
    action();
    ::SendMessageW(dialog.Button3->Handle(), BM_CLICK, 0, 0); // Cancel
  };
  dialog.EditSettings(cam);
}

// The program as it starts: its skin manager, main window (shown, skinned) and settings dialog.
struct Program {
  Program() {
    form.Show();
    ::SetForegroundWindow(form.Handle());
    PumpUntil([&] { return ::SendMessageW(form.Handle(), skin::SM_ISSKINNED, 0, 0) == 1; }, 3000);
    testing_support::PumpFor(300);
  }
  skin::TSkinManagerScope manager;
  app::TForm1 form{nullptr};
  app::TOptionDlg dialog{nullptr};
};

// "66" under the quality slider: the label lies above the slider's window, and its digits' ink
// starts in its top rows, which the slider's window covered before.
TEST(QualityValue, ShowsWholeBelowItsSlider) {
  if (std::getenv("RECORDER_PLAIN_PREFIX")) GTEST_SKIP() << "run in the scripts' prefix";
  Program program;
  app::TOptionDlg& dialog = program.dialog;
  WithSettingsShown(dialog, *program.form.ScreenCam, [&] {
    HWND label = dialog.LabelQuality->Handle(), slider = dialog.TrackBarQuality->Handle();
    int labelAt = -1, sliderAt = -1, i = 0;
    for (HWND w = ::GetWindow(::GetParent(label), GW_CHILD); w;
         w = ::GetWindow(w, GW_HWNDNEXT), ++i) {
      if (w == label) labelAt = i;
      if (w == slider) sliderAt = i;
    }
    EXPECT_LT(labelAt, sliderAt) << "the label is above the slider where they overlap";
    const fw::TBitmap digits = Inside(*dialog.LabelQuality, 0);
    const auto [top, bottom] = InkRows(digits, DarkInk);
    EXPECT_GE(top, 0) << "the value is drawn";
    EXPECT_LT(top, 5)
        << "the digits' tops show (the slider's window covered the label's top 5 rows)";
    EXPECT_GE(bottom - top + 1, 7) << "whole digits, not their lower halves";
    testing_support::SaveWindowPng(dialog.Handle(), 0, L"skin_choice", L"settings_quality.png");
  });
}

// In a prefix without font links the forms' fonts have no Chinese glyphs: the program draws its
// captions, buttons, group box titles and labels in a face that has them.
TEST(PlainPrefix, ChineseTextIsDrawnWithGlyphs) {
  if (!std::getenv("RECORDER_PLAIN_PREFIX")) GTEST_SKIP() << "run in a prefix without font links";
  Program program;
  app::TForm1& form = program.form;
  // The premise, and the judge: the form's own font draws this text as boxes here.
  HFONT declared = form.Button3->Font().Handle();
  ASSERT_FALSE(fw::FontDrawsText(declared, L"功能设置")) << "the prefix links no CJK font";
  ASSERT_TRUE(LooksLikeBoxes(Drawn(declared, L"功能设置"), DarkInk)) << "boxes are alike";
  EXPECT_TRUE(LooksLikeGlyphs(Drawn(form.Button3->TextFont(), L"功能设置"), DarkInk));
  EXPECT_FALSE(fw::FaceWithGlyphs(L"栎澜屏幕录像功能设置").empty());

  testing_support::SaveWindowPng(form.Handle(), 10, L"skin_choice", L"plain_prefix_main.png");
  for (fw::TButton* button : {form.Button1, form.Button2, form.Button3})
    EXPECT_TRUE(LooksLikeGlyphs(Inside(*button, 6), DarkInk)) << fw::WideToUtf8(button->Text());
  // The skinned caption: white text on the caption band, left of the close button.
  RECT window;
  ::GetWindowRect(form.Handle(), &window);
  EXPECT_TRUE(LooksLikeGlyphs(OnScreen(form.Handle(), {6, 4, window.right - window.left - 40, 26}),
                              LightInk))
      << "the caption 栎澜屏幕录像";

  WithSettingsShown(program.dialog, *form.ScreenCam, [&] {
    app::TOptionDlg& dialog = program.dialog;
    testing_support::SaveWindowPng(dialog.Handle(), 10, L"skin_choice",
                                   L"plain_prefix_settings.png");
    RECT group;
    ::GetWindowRect(dialog.Compressor->Handle(), &group);
    EXPECT_TRUE(LooksLikeGlyphs(
        testing_support::ScreenPixels({group.left + 4, group.top, group.left + 90, group.top + 14}),
        DarkInk))
        << "the group box title 压缩参数";
    auto* label = dynamic_cast<fw::TLabel*>(dialog.FindComponent(L"Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(LooksLikeGlyphs(Inside(*label, 0), DarkInk)) << "the label 视频质量";
    EXPECT_TRUE(LooksLikeGlyphs(Inside(*dialog.Button2, 6), DarkInk)) << "确定";
    EXPECT_TRUE(LooksLikeGlyphs(Inside(*dialog.Button3, 6), DarkInk)) << "取消";
  });
}

} // namespace
