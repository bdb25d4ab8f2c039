// The images of the skins we make (the program's own, and the second one shipped beside it) and
// the program bitmaps, drawn from code so that every pixel can be reviewed and changed in one
// place.
#pragma once

#include "framework/core/bitmap.h"

#include <string>
#include <vector>

namespace skingen {

struct NamedImage {
  std::string name; // the archive entry or file name, lower-case, ".bmp"
  fw::TBitmap image;
};

struct Theme;

// Every image a skin's INI description names, in the theme's look.
std::vector<NamedImage> SkinImages(const Theme& theme);
// The program's own skin.
std::vector<NamedImage> SkinImages();

// The program's own bitmaps: glazemenu.bmp (16 × 16 glyphs: restore, maximize, minimize,
// close on white), track.bmp and trackvert.bmp (track bar channels).
std::vector<NamedImage> ProgramImages();

} // namespace skingen
