// The steps of LoadSkinElements, one file each; shared by skin_loader.cpp only.
#pragma once

#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"

namespace skin::loader {

// The reader, INI and environment of one load.
struct TLoadContext {
  const TSkinReader& reader;
  const TQuickIni& ini;
  const TSkinEnvironment& env;
};

TBitmap Image(const TLoadContext& c, std::string_view section, std::string_view key);

// Reads the colour table, custom colours and colour sections.
void LoadColours(const TLoadContext& c, TSkinColourTable& table);

// The caption buttons of the BUTTON... sections plus the three MDI child buttons.
void LoadCaptionButtons(const TLoadContext& c, TSkinElements& e);

// The combined combo box images and the combo arrow.
void ComposeComboImages(const TLoadContext& c, TSkinElements& e);
void MakeComboArrow(TSkinElements& e);

} // namespace skin::loader
