// The images of the program's own skin and its program bitmaps, drawn from code so that every
// pixel can be reviewed and changed in one place.
#pragma once

#include "framework/core/bitmap.h"

#include <string>
#include <vector>

namespace skingen {

struct NamedImage {
  std::string name; // the archive entry or file name, lower-case, ".bmp"
  fw::TBitmap image;
};

// Every image the skin's INI description names.
std::vector<NamedImage> SkinImages();

// The program's own bitmaps: glazemenu.bmp (16 × 16 glyphs: restore, maximize, minimize,
// close on white), track.bmp and trackvert.bmp (track bar channels).
std::vector<NamedImage> ProgramImages();

} // namespace skingen
