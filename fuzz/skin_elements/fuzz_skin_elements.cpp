// A skin load from any unpacked archive: the reader understands it or not, and the descriptors
// are built or the load fails with EInvalidGraphic for a damaged bitmap; then every frame count
// a painter divides by is read.
#include "framework/core/bmp_reader.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  skin::SetSkinMessageHandler({});
  skin::TSkinReader reader;
  if (!reader.LoadFromArchive(std::span<const std::uint8_t>(data, size))) return 0;
  const skin::TQuickIni ini = skin::SkinIni(reader);
  skin::TSkinElements elements;
  try {
    skin::LoadSkinElements(reader, ini, {}, elements);
  } catch (const fw::EInvalidGraphic&) {
    return 0;
  }
  volatile int frames = 0;
  for (const auto& button : elements.CaptionButtons)
    frames = frames + button->FrameCount + button->Bitmap.Width();
  frames = frames + elements.ComboxArrow->Bitmap.Width() + elements.Top->FrameCount;
  return 0;
}
