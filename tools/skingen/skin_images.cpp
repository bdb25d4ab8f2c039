#include "tools/skingen/skin_images.h"

#include "tools/skingen/control_images.h"
#include "tools/skingen/frame_images.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/palette.h"
#include "tools/skingen/theme.h"

namespace skingen {

std::vector<NamedImage> SkinImages(const Theme& theme) {
  std::vector<NamedImage> images;
  AddFrameImages(theme, images);
  AddControlImages(theme, images);
  return images;
}

std::vector<NamedImage> SkinImages() {
  return SkinImages(LanlinLakeTheme());
}

std::vector<NamedImage> ProgramImages() {
  // Menu glyphs on white (the image list's mask colour): restore, maximize, minimize, close.
  const GlyphRows* glyphs[4] = {&kRestoreGlyph, &kMaximizeGlyph, &kMinimizeGlyph, &kCloseGlyph};
  TBitmap menu(16 * 4, 16);
  menu.Fill(palette::kWhite);
  for (int i = 0; i < 4; ++i)
    DrawGlyph(menu, {16 * i, 0, 16 * (i + 1), 16}, *glyphs[i], Rgb(24, 32, 48), 0);
  // '+' pixels blend with white: the image list keeps them as grey edge pixels.
  return {{"glazemenu.bmp", std::move(menu)},
          {"track.bmp", TrackChannel(LanlinLakeTheme(), false)},
          {"trackvert.bmp", TrackChannel(LanlinLakeTheme(), true)}};
}

} // namespace skingen
