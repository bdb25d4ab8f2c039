// The colour table, the custom colours and the colour sections of a skin.
#include "skin/data/core/skin_loader_parts.h"

#include "skin/data/core/skin_text.h"

namespace skin::loader {

namespace {

struct TColourKey {
  const char* key;
  int index;
  int systemDefault; // -1: the value just read for ButtonFace
};

// In the order the keys are read: the Menubar default is the ButtonFace value read before it.
constexpr TColourKey kColourKeys[] = {
    {"WindowText", kWindowText, kSysWindowText},
    {"ButtonFace", kButtonFace, kSysBtnFace},
    {"Scrollbar", kScrollbar, kSysScrollbar},
    {"HilightText", kHilightText, kSysHighlightText},
    {"Hilight", kHilight, kSysHighlight},
    {"Menubar", kMenubar, -1},
    {"Menu", kMenu, kSysMenu},
    {"MenuText", kMenuText, kSysMenuText},
    {"ButtonText", kButtonText, kSysBtnText},
    {"ButtonHilight", kButtonHilight, kSysBtnHighlight},
    {"Buttonlight", kButtonlight, kSysBtnHighlight},
    {"ButtonShadow", kButtonShadow, kSysBtnShadow},
    {"ButtonDkShadow", kButtonDkShadow, kSys3DDkShadow},
    {"MenuBarText", kMenuBarText, kSysMenuText},
    {"TitleTextActive", kTitleTextActive, kSysCaptionText},
    {"TitleTextNoActive", kTitleTextNoActive, kSysInactiveCaptionText},
};

} // namespace

void LoadColours(const TLoadContext& c, TSkinColourTable& table) {
  table = TSkinColourTable{};
  const TSystemColours& sys = c.env.SystemColours;
  for (const TColourKey& k : kColourKeys) {
    const auto index = static_cast<std::size_t>(k.index);
    const std::string text = c.ini.ReadString("Colours", k.key, "");
    const TColor fallback = k.systemDefault < 0 ? table.Colours[kButtonFace]
                                                : sys[static_cast<std::size_t>(k.systemDefault)];
    table.Given[index] = !text.empty();
    table.Colours[index] = ParseColourTriple(text, fallback);
  }
  for (int i = 0; i < 10; ++i) {
    table.CustomColours[static_cast<std::size_t>(i)] = ParseColourTriple(
        c.ini.ReadString("Customcolors", "Color" + std::to_string(i), ""), 0xFFFFFF);
  }
  for (const std::string& section : c.ini.ReadSections()) {
    const std::string upper = AsciiUpper(section);
    if (upper.starts_with("COLOUR") && upper != "COLOURS") {
      table.SectionColours.push_back(
          ParseColourTriple(c.ini.ReadString(section, "color", ""), sys[kSysWindowText]));
    }
  }
}

} // namespace skin::loader
