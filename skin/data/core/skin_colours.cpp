#include "skin/data/core/skin_colours.h"

#include "skin/data/core/skin_text.h"

namespace skin {

TSystemColours ClassicSystemColours() {
  TSystemColours c{};
  auto rgb = [](int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); };
  c[kSysScrollbar] = rgb(212, 208, 200);
  c[1] = rgb(58, 110, 165);  // desktop
  c[2] = rgb(10, 36, 106);   // active caption
  c[3] = rgb(128, 128, 128); // inactive caption
  c[kSysMenu] = rgb(212, 208, 200);
  c[5] = rgb(255, 255, 255); // window
  c[6] = rgb(0, 0, 0);       // window frame
  c[kSysMenuText] = rgb(0, 0, 0);
  c[kSysWindowText] = rgb(0, 0, 0);
  c[kSysCaptionText] = rgb(255, 255, 255);
  c[10] = rgb(212, 208, 200); // active border
  c[11] = rgb(212, 208, 200); // inactive border
  c[12] = rgb(128, 128, 128); // application workspace
  c[kSysHighlight] = rgb(10, 36, 106);
  c[kSysHighlightText] = rgb(255, 255, 255);
  c[kSysBtnFace] = rgb(212, 208, 200);
  c[kSysBtnShadow] = rgb(128, 128, 128);
  c[17] = rgb(128, 128, 128); // grey text
  c[kSysBtnText] = rgb(0, 0, 0);
  c[kSysInactiveCaptionText] = rgb(212, 208, 200);
  c[kSysBtnHighlight] = rgb(255, 255, 255);
  c[kSys3DDkShadow] = rgb(64, 64, 64);
  c[22] = rgb(212, 208, 200); // 3-D light
  c[23] = rgb(0, 0, 0);       // tooltip text
  c[24] = rgb(255, 255, 225); // tooltip background
  c[26] = rgb(0, 0, 128);     // hot-tracked item
  c[27] = rgb(166, 202, 240); // gradient active caption
  c[28] = rgb(192, 192, 192); // gradient inactive caption
  c[29] = rgb(10, 36, 106);   // menu highlight
  c[30] = rgb(212, 208, 200); // menu bar
  return c;
}

TColor ParseColourTriple(std::string_view text, TColor defaultColour) {
  text = TrimControls(text);
  if (text.empty()) return defaultColour;
  TColor channels[3] = {0, 0, 0};
  int stored = 0;
  bool inRun = false;
  TColor run = 0;
  for (char ch : text) {
    if (ch >= '0' && ch <= '9') {
      run = (run * 10 + static_cast<TColor>(ch - '0')) % 256; // only the value modulo 256 counts
      inRun = true;
    } else if (inRun) {
      if (stored < 3) channels[stored] = run;
      ++stored;
      inRun = false;
      run = 0;
    }
  }
  if (inRun && stored == 2) channels[2] = run;
  return channels[0] | (channels[1] << 8) | (channels[2] << 16);
}

} // namespace skin
