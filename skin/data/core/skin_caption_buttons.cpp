// The caption buttons: one per BUTTON... section (push button, check box and radio sections and
// hidden decorations excepted), then the three MDI child buttons cut from the MDICONTROLS image.
#include "skin/data/core/skin_loader_parts.h"

#include "skin/data/core/skin_text.h"

namespace skin::loader {

namespace {

bool IsCaptionButtonSection(const TLoadContext& c, const std::string& upper) {
  if (!upper.starts_with("BUTTON")) return false;
  if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
      upper == "BUTTON.CHECKBOX") {
    return false;
  }
  // A decoration (Action -1) is kept only when it is always visible.
  return !(c.ini.ReadInteger(upper, "Action", 0) == -1 &&
           c.ini.ReadInteger(upper, "Visibility", -1) != 0);
}

std::unique_ptr<TDataSkinSysButton> ReadCaptionButton(const TLoadContext& c,
                                                      const std::string& name) {
  auto b = std::make_unique<TDataSkinSysButton>(name);
  b->Action = c.ini.ReadInteger(name, "Action", 0);
  b->Align = c.ini.ReadInteger(name, "Align", 0);
  b->XCoord = c.ini.ReadInteger(name, "Xcoord", 0);
  b->YCoord = c.ini.ReadInteger(name, "Ycoord", 0);
  b->Visibility = c.ini.ReadInteger(name, "Visibility", 0);
  b->Visibility1 = c.ini.ReadInteger(name, "Visibility1", b->Action == -1 ? -1 : 0);
  b->CombineOp = c.ini.ReadInteger(name, "CombineOp", -1);
  b->FrameCount = c.ini.ReadInteger(name, "frame", 0);
  b->Bitmap = Image(c, name, "ButtonImage");
  return b;
}

// Without a frame count the image's shape decides: a strip at most 3.8 times as wide as high
// holds 3 frames, a longer one 6; decorations always 6.
void SettleFrameCount(TDataSkinSysButton& b) {
  if (b.FrameCount != 0) return;
  b.FrameCount = 6;
  if (!b.Bitmap.Empty()) {
    const double ratio = static_cast<double>(b.Bitmap.Width()) / b.Bitmap.Height();
    b.FrameCount = ratio <= 3.8 ? 3 : 6;
    if (b.Action < 0) b.FrameCount = 6;
  }
  if (b.IsWindowIcon()) b.Bitmap.Clear(); // the window icon is drawn instead
}

void AddMdiButtons(const TLoadContext& c, TSkinElements& e) {
  const TBitmap cells = Image(c, "MDICONTROLS", "Image");
  const int w = cells.Width() / 12;
  constexpr int kActions[3] = {kActionChildMinimize, kActionChildRestore, kActionChildClose};
  constexpr const char* kNames[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
  for (int i = 0; i < 3; ++i) {
    auto b = std::make_unique<TDataSkinSysButton>(kNames[i]);
    b->Action = kActions[i];
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->FrameCount = 4;
    if (!cells.Empty()) {
      b->Bitmap.SetSize(4 * w, cells.Height());
      fw::CopyPixels(b->Bitmap, 0, 0, cells, {4 * i * w, 0, 4 * (i + 1) * w, cells.Height()});
      b->XCoord = (w + 4) * (3 - i);
    }
    e.CaptionButtons.push_back(std::move(b));
  }
}

} // namespace

void LoadCaptionButtons(const TLoadContext& c, TSkinElements& e) {
  e.CaptionButtons.clear();
  int maxX = 0, maxY = 0; // position of the last maximize button shown while not maximized
  for (const std::string& section : c.ini.ReadSections()) {
    const std::string upper = AsciiUpper(section);
    if (!IsCaptionButtonSection(c, upper)) continue;
    auto b = ReadCaptionButton(c, upper);
    if (b->Action == kActionMaximize && b->Visibility == 2) {
      maxX = b->XCoord;
      maxY = b->YCoord;
    } else if (b->Action == kActionHelp) { // the help button takes the maximize button's place
      b->XCoord = maxX;
      b->YCoord = maxY;
    }
    SettleFrameCount(*b);
    e.CaptionButtons.push_back(std::move(b));
  }
  AddMdiButtons(c, e);
}

} // namespace skin::loader
