// Small purpose-made skins for the loader tests: an INI text and images, put in an archive the
// way the packer does and loaded the way the skin component does.
#pragma once

#include "skin/data/core/skin_elements.h"

#include <string>
#include <utility>
#include <vector>

namespace elementtest {

using fw::Pixel;
using fw::TBitmap;

struct TestSkin {
  std::string ini;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> entries;
  skin::TSkinEnvironment env;

  TestSkin& Image(const std::string& name, const TBitmap& image);
  TestSkin& Raw(const std::string& name, std::vector<std::uint8_t> bytes);
  // Loads into `elements` (a fresh set unless given).
  skin::TSkinElements Load() const;
  void LoadInto(skin::TSkinElements& elements) const;
};

// An image of `frames` frames side by side, frame k (1-based) filled with `colours[k - 1]`.
TBitmap SolidFrames(int frameWidth, int height, const std::vector<Pixel>& colours);

} // namespace elementtest
