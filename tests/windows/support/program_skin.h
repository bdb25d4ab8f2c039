// The program's own skin in a skin component, for tests that link it in (recorder_embed_skin).
#pragma once

#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "tests/windows/support/test_support.h"

#include <memory>

namespace testing_support {

// A skin component that has read the embedded skin as the form reader reads the main form's:
// active, with its skin stream, still being read. The caller sets its events, then calls Loaded.
inline std::unique_ptr<skin::TSkinData> ReadProgramSkin() {
  auto data = std::make_unique<skin::TSkinData>(nullptr);
  data->SetReading(true);
  data->SetActive(true);
  data->ReadSkinStream(skin::WriteSkinStreamValue(RcDataResource(L"RECORDERSKIN")));
  return data;
}

// Reads the embedded skin into `data` the way a program loads a skin file, leaving the component
// inactive (benchmarks paint with it directly); false when it did not load.
inline bool LoadProgramSkin(skin::TSkinData& data) {
  data.ReadSkinStream(skin::WriteSkinStreamValue(RcDataResource(L"RECORDERSKIN")));
  return !data.SkinMissing();
}

} // namespace testing_support
