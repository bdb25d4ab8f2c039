// LoadSkinElements: the skin's INI sections turned into descriptors, in the fixed load order
// (later steps read what earlier ones built: colours, the combo images).
#include "skin/data/core/skin_loader_parts.h"

#include "framework/core/bmp_reader.h"
#include "skin/data/core/bitmap_routines.h"

#include <algorithm>

namespace skin {

using loader::TLoadContext;

TBitmap LoadSkinImage(const TSkinReader& reader, std::string_view value) {
  const std::size_t folder = value.find_last_of("\\:");
  const std::string_view file = folder == std::string_view::npos ? value : value.substr(folder + 1);
  const std::size_t dot = file.rfind('.');
  if (file.empty() || dot == std::string_view::npos || file.substr(dot) != ".bmp") return {};
  std::vector<std::uint8_t> bytes;
  reader.ReadEntry(file, bytes);
  if (bytes.empty()) return {};
  return fw::LoadBmp(bytes);
}

TBitmap loader::Image(const TLoadContext& c, std::string_view section, std::string_view key) {
  return LoadSkinImage(c.reader, c.ini.ReadString(section, key, ""));
}

namespace {

int Int(const TLoadContext& c, std::string_view section, std::string_view key, int fallback) {
  return c.ini.ReadInteger(section, key, fallback);
}

bool HasValue(const TLoadContext& c, std::string_view section, std::string_view key) {
  return !c.ini.ReadString(section, key, "").empty();
}

void ReadMargins(const TLoadContext& c, std::string_view section, TDataSkinObject& o) {
  o.LeftWidth = Int(c, section, "LeftWidth", 0);
  o.RightWidth = Int(c, section, "RightWidth", 0);
  o.TopHeight = Int(c, section, "TopHeight", 0);
  o.BottomHeight = Int(c, section, "BottomHeight", 0);
}

// Everything the generic loader reads but the image and the frame count.
void ReadCommon(const TLoadContext& c, std::string_view section, TDataSkinObject& o,
                TColor buttonText) {
  o.Style = Int(c, section, "Style", 0);
  ReadMargins(c, section, o);
  o.Trans = Int(c, section, "Trans", 0);
  o.Tile = Int(c, section, "Tile", 0);
  if (o.Tile > 1) o.Tile = 0;
  o.NormalColour = Int(c, section, "NormalColour", -1);
  o.MouseOverColour = Int(c, section, "MouseOverColour", -1);
  o.PressedColour = Int(c, section, "PressedColour", -1);
  o.NormalColour2 = ParseColourTriple(c.ini.ReadString(section, "NormalColour2", ""), buttonText);
  o.MouseOverColour2 =
      ParseColourTriple(c.ini.ReadString(section, "MouseOverColour2", ""), buttonText);
  o.PressedColour2 = ParseColourTriple(c.ini.ReadString(section, "PressedColour2", ""), buttonText);
}

// The generic loader: null without an Image key.
template <class Object = TDataSkinObject>
std::unique_ptr<Object> Generic(const TLoadContext& c, const TSkinElements& e,
                                std::string_view section, bool readFrame = true) {
  if (!HasValue(c, section, "Image")) return nullptr;
  auto o = std::make_unique<Object>(std::string(section));
  o->Bitmap = loader::Image(c, section, "Image");
  ReadCommon(c, section, *o, e.Colour(kButtonText));
  if (readFrame) o->FrameCount = Int(c, section, "Frame", 0);
  return o;
}

// The border loader: a generic element with a second image and no frame count.
std::unique_ptr<TDataSkinBorder> Border(const TLoadContext& c, const TSkinElements& e,
                                        std::string_view section, std::string_view secondKey) {
  auto o = Generic<TDataSkinBorder>(c, e, section, false);
  if (o) o->Bitmap2 = loader::Image(c, section, secondKey);
  return o;
}

template <class Object> void SetFrames(const std::unique_ptr<Object>& o, int frames) {
  if (o) o->FrameCount = frames;
}

void LoadWindowBorder(const TLoadContext& c, TDataSkinBorder& b, const std::string& name) {
  const std::string_view s = "Personality";
  b.Bitmap = loader::Image(c, s, name);
  const int first = Int(c, s, name + "TopHeight", 0);
  const int second = Int(c, s, name + "BotHeight", 0);
  b.LeftWidth = b.RightWidth = b.TopHeight = b.BottomHeight = 0;
  if (name == "Left" || name == "Right") {
    b.TopHeight = first;
    b.BottomHeight = second;
  } else { // in a horizontal border the two keys give the fixed left and right parts
    b.LeftWidth = first;
    b.RightWidth = second;
  }
  b.FrameCount = Int(c, s, name + "Frame", 1);
  b.Tile = std::min(Int(c, s, name + "Stretch", 1), 1);
  b.Trans = Int(c, s, name + "Trans", 1);
}

void LoadPushButtons(const TLoadContext& c, TDataSkinButton& b, TColor buttonText) {
  const std::string_view s = "Buttons";
  ReadMargins(c, s, b);
  b.Trans = Int(c, s, "Trans", 0);
  b.Tile = Int(c, s, "Tile", 0);
  if (b.Tile > 1) b.Tile = 0;
  b.Bitmap = loader::Image(c, s, "Bitmap");
  b.CheckBitmap = loader::Image(c, s, "CheckButton");
  b.RadioBitmap = loader::Image(c, s, "RadioButton");
  b.NormalColour = Int(c, s, "NormalColour", -1);
  b.MouseOverColour = Int(c, s, "MouseOverColour", -1);
  b.PressedColour = Int(c, s, "PressedColour", -1);
  b.RadioButtonFrame = Int(c, s, "RadioButtonFrame", 0);
  b.CheckButtonFrame = Int(c, s, "CheckButtonFrame", 0);
  b.HasNormalColour2 = HasValue(c, s, "NormalColour2");
  b.HasMouseOverColour2 = HasValue(c, s, "MouseOverColour2");
  b.HasPressedColour2 = HasValue(c, s, "PressedColour2");
  b.NormalColour2 = ParseColourTriple(c.ini.ReadString(s, "NormalColour2", ""), buttonText);
  b.MouseOverColour2 = ParseColourTriple(c.ini.ReadString(s, "MouseOverColour2", ""), buttonText);
  b.PressedColour2 = ParseColourTriple(c.ini.ReadString(s, "PressedColour2", ""), buttonText);
  b.FrameCount = 5;
  // Strips of square cells: 13 pixels for small images, 16 otherwise; at least 4 states.
  auto frames = [](const TBitmap& strip) {
    const int cell = strip.Height() < 16 ? 13 : 16;
    return std::max(strip.Width() / cell, 4);
  };
  if (b.RadioButtonFrame == 0) b.RadioButtonFrame = frames(b.RadioBitmap);
  if (b.CheckButtonFrame == 0) b.CheckButtonFrame = frames(b.CheckBitmap);
}

TColor TextColour(const TLoadContext& c, std::string_view prefix) {
  const std::string p(prefix);
  const int r = Int(c, "Personality", p + "R", -1);
  const int g = Int(c, "Personality", p + "G", -1);
  const int b = Int(c, "Personality", p + "B", -1);
  if (r < 0 || g < 0 || b < 0) return kNoTitleColour;
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

void LoadTitle(const TLoadContext& c, TDataSkinTitle& t) {
  const std::string_view s = "Personality";
  t.Bitmap = loader::Image(c, s, "TextBack");
  t.LeftWidth = Int(c, s, "TextShift", 0);
  t.TopHeight = Int(c, s, "TextShiftVert", 0);
  t.RightWidth = Int(c, s, "TextRightClip", 0);
  t.BottomHeight = 0;
  t.TextAlignment = Int(c, s, "TextAlignment", 0);
  t.Textbackground = Int(c, s, "Textbackground", 0);
  t.TXTBackleft = Int(c, s, "TXTBackleft", 0);
  t.TXTBackRight = Int(c, s, "TXTBackRight", 0);
  t.FontHeight = Int(c, "Fonts", "FontHeight", 14);
  t.ActiveText = TextColour(c, "ActiveText");
  t.InActiveText = TextColour(c, "InActiveText");
  t.FrameCount = 2;
}

std::unique_ptr<TDataSkinBorder> LoadProgress(const TLoadContext& c) {
  const std::string_view s = "Progress";
  if (!HasValue(c, s, "Bitmap")) return nullptr;
  auto p = std::make_unique<TDataSkinBorder>(std::string(s));
  p->Bitmap = loader::Image(c, s, "Bitmap");
  p->Style = Int(c, s, "Style", 0);
  ReadMargins(c, s, *p);
  p->Trans = Int(c, s, "Trans", 0);
  p->Tile = std::min(Int(c, s, "Tile", 0), 1);
  p->FrameCount = p->Style != 0 ? 1 : 2;
  return p;
}

std::unique_ptr<TDataSkinObject> LoadMenuBar(const TLoadContext& c) {
  const std::string_view s = "Personality";
  if (!HasValue(c, s, "menuBar")) return nullptr;
  auto m = std::make_unique<TDataSkinObject>("menuBar");
  m->Bitmap = loader::Image(c, s, "menuBar");
  m->Tile = std::min(Int(c, s, "TileMenu", 1), 1);
  m->LeftWidth = Int(c, s, "TileLeftMenu", 1);
  m->RightWidth = Int(c, s, "TileRightMenu", 1);
  m->FrameCount = 2;
  return m;
}

// A track image: the skin's, or the program's own with fixed margins.
std::unique_ptr<TDataSkinObject> LoadTrack(const TLoadContext& c, const TSkinElements& e,
                                           std::string_view section, const TBitmap& fallback) {
  if (auto t = Generic(c, e, section)) return t;
  auto t = std::make_unique<TDataSkinObject>(std::string(section));
  t->Bitmap = fallback;
  t->LeftWidth = t->TopHeight = t->RightWidth = t->BottomHeight = 3;
  t->FrameCount = 1;
  return t;
}

TColor CaptionSample(const TSkinElements& e) {
  const TBitmap& top = e.Top->Bitmap;
  if (top.Empty()) return e.Colour(kButtonFace);
  const int frames = std::max(e.Top->FrameCount, 1);
  return fw::ColourOf(top.GetPixel(top.Width() / 3, top.Height() / frames / 3));
}

} // namespace

TSkinElements::TSkinElements()
    : Left(std::make_unique<TDataSkinBorder>("Left")),
      Right(std::make_unique<TDataSkinBorder>("Right")),
      Top(std::make_unique<TDataSkinBorder>("Top")),
      Bottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      ComboxArrow(std::make_unique<TDataSkinObject>("ComboxArrow")) {}

TQuickIni SkinIni(const TSkinReader& reader) {
  std::vector<std::uint8_t> text;
  std::string name;
  reader.FindEntry(".ini", text, name);
  TQuickIni ini;
  ini.LoadFromStream(text);
  return ini;
}

void LoadSkinElements(const TSkinReader& reader, const TQuickIni& ini, const TSkinEnvironment& env,
                      TSkinElements& e) {
  const TLoadContext c{reader, ini, env};
  LoadWindowBorder(c, *e.Left, "Left");
  LoadWindowBorder(c, *e.Right, "Right");
  LoadWindowBorder(c, *e.Top, "Top");
  LoadWindowBorder(c, *e.Bottom, "Bottom");
  loader::LoadColours(c, e.ColourTable);
  const TColor buttonText = e.Colour(kButtonText);
  loader::LoadCaptionButtons(c, e);
  LoadPushButtons(c, *e.Buttons, buttonText);
  LoadTitle(c, *e.Title);

  e.Progress = LoadProgress(c);
  e.ProgressChunk = Generic(c, e, "Progress.Chunk");
  e.MenuBar = LoadMenuBar(c);
  SetFrames(e.GroupBoxEdge = Generic(c, e, "GroupBoxEdge"), 2);
  e.GroupBox = Generic<TDataSkinBoxLabel>(c, e, "GroupBox", false);
  if (e.GroupBox) {
    e.GroupBox->BackgroundAlignment = Int(c, "GroupBox", "BackgroundAlignment", 0);
    e.GroupBox->BackgroundLeftShift = Int(c, "GroupBox", "BackgroundLeftShift", 0);
    e.GroupBox->BackgroundRightShift = Int(c, "GroupBox", "BackgroundRightShift", 0);
    e.GroupBox->FrameCount = 1;
  }
  SetFrames(e.Tabs = Border(c, e, "Tabs", "Border"), 5);
  SetFrames(e.StatusBarEdges = Generic(c, e, "StatusBarEdges"), 3);
  e.TabPane = Generic(c, e, "Tab.Pane");
  if (e.TabPane) {
    for (int* margin : {&e.TabPane->LeftWidth, &e.TabPane->TopHeight, &e.TabPane->RightWidth,
                        &e.TabPane->BottomHeight}) {
      *margin = std::min(*margin, 4);
    }
    e.TabPane->FrameCount = 1;
  }
  SetFrames(e.ToolBars = Generic(c, e, "ToolBars"), 5);
  SetFrames(e.ComboButton = Border(c, e, "ComboButton", "****"), 4);
  SetFrames(e.SunkEdge = Generic(c, e, "SunkEdge"), 4);
  if (e.ComboButton && !e.ComboButton->Bitmap.Empty()) {
    e.ComboButton->Bitmap2 = e.ComboButton->Bitmap;
    e.ComboButton->Bitmap2.SetPixelFormat(fw::TPixelFormat::pf24bit);
    MirrorHorizontal(e.ComboButton->Bitmap2);
  }
  SetFrames(e.ExtraImages = Generic(c, e, "ExtraImages"), 5);
  e.Headerbar = Generic(c, e, "Headerbar");
  if (e.Headerbar && !HasValue(c, "Headerbar", "Frame")) e.Headerbar->FrameCount = 5;
  SetFrames(e.MenuItem = Generic(c, e, "MenuItem"), 5);
  SetFrames(e.MenuBackground = Generic(c, e, "MenuBackground"), 1);
  SetFrames(e.Scrollbar = Generic(c, e, "Scrollbar"), 23);
  SetFrames(e.HorzScroll = Generic(c, e, "HorzScroll"), 4);
  SetFrames(e.VertScroll = Generic(c, e, "VertScroll"), 4);
  SetFrames(e.HorzScrollThumb = Generic(c, e, "HorzScrollThumb"),
            Int(c, "HorzScrollThumb", "FrameCount", 3));
  SetFrames(e.VertScrollThumb = Generic(c, e, "VertScrollThumb"),
            Int(c, "VertScrollThumb", "FrameCount", 3));
  SetFrames(e.TrackbarThumbHorz = Generic(c, e, "Trackbar.ThumbHorz"), 5);
  SetFrames(e.TrackbarThumbVert = Generic(c, e, "Trackbar.ThumbVert"), 5);
  SetFrames(e.TrackbarThumbLeft = Generic(c, e, "Trackbar.ThumbLeft"), 5);
  SetFrames(e.TrackbarThumbRight = Generic(c, e, "Trackbar.ThumbRight"), 5);
  SetFrames(e.TrackbarThumbUp = Generic(c, e, "Trackbar.ThumbUp"), 5);
  SetFrames(e.TrackbarThumbDown = Generic(c, e, "Trackbar.ThumbDown"), 5);
  SetFrames(e.UpDownHorz = Border(c, e, "UpDown.Horz", "GlyphImage"), 8);
  SetFrames(e.UpDownVert = Border(c, e, "UpDown.Vert", "GlyphImage"), 8);
  e.Track = LoadTrack(c, e, "Track", env.TrackImage);
  e.TrackVert = LoadTrack(c, e, "TRACKVERT", env.TrackVertImage);
  loader::ComposeComboImages(c, e);
  loader::MakeComboArrow(e);

  e.ColourTable.Colours[kCaptionSample] = CaptionSample(e);
  e.ColourTable.Given[kCaptionSample] = false;
  e.SkinName =
      ini.ReadString("Personality", "TitlebarSkin", ini.ReadString("Personality", "SkinName", ""));
}

} // namespace skin
