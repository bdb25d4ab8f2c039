#include "skin/controls/speed_button.h"

#include "framework/sysutils.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bit_button_modes.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

namespace skin {

namespace {

constexpr int kParentBackTag = 5555;
constexpr int kButtonFaceFrames = 5;

} // namespace

std::unique_ptr<TSkinControl> TSkinSpeedButton::Create(const ControlDecision& decision) {
  auto skin = std::make_unique<TSkinSpeedButton>();
  if (decision.mode == kPngGlyph) skin->FImageProperty = L"PngImage";
  return skin;
}

TSkinSpeedButton::~TSkinSpeedButton() {
  LetGo();
}

void TSkinSpeedButton::AttachSpeedButton(fw::TGraphicControl& button, TControlSkinOwner* skinForm,
                                         const TControlSkinSource& skinData) {
  if (FAttached) return;
  FSkinData = skinData;
  FButton = &button;
  FHandle = button.Parent() ? button.Parent()->Handle() : nullptr;
  FOldWindowProc = button.WindowProc;
  button.WindowProc = [this](fw::TMessage& message) { SkinWndProc(message); };
  Register(skinForm);
  FParentBack = button.Tag == kParentBackTag || FSkinData.Options.Contains(xoTransparent);
  MarkAttached();
  button.Invalidate();
}

void TSkinSpeedButton::LetGo() {
  if (FButton && FOldWindowProc) FButton->WindowProc = FOldWindowProc;
  FOldWindowProc = nullptr;
  FButton = nullptr;
}

TMessageAnswer TSkinSpeedButton::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
    if (message.WParam)
      DrawSkin(reinterpret_cast<HDC>(message.WParam), {0, 0, FButton->Width(), FButton->Height()});
    else
      RedrawSkin(nullptr);
    message.Result = 1;
    return TMessageAnswer::Handled;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    // The button's own Down and group logic runs first.
    if (!CallOldProc(message)) return TMessageAnswer::Handled;
    FMouseState.SetPressed(true);
    RedrawSkin(nullptr);
    return TMessageAnswer::Handled;
  case WM_LBUTTONUP:
  case WM_MOUSEMOVE:
    return TMessageAnswer::PassOn;
  default:
    return TSkinButton::BeforeMessage(message);
  }
}

void TSkinSpeedButton::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_ENABLE:
  case CM_FOCUSCHANGED:
  case CM_ENABLEDCHANGED:
  case WM_MOUSEMOVE: // hot comes with CM_MOUSEENTER
    break;
  case fw::CM_RELEASE:
    FState = TSkinLife::Destroyed;
    LetGo();
    break;
  case WM_KEYDOWN:
  case WM_KEYUP:
    if (message.WParam == VK_SPACE) {
      FMouseState.SetPressed(message.Msg == WM_KEYDOWN);
      RedrawSkin(nullptr);
    }
    break;
  case WM_LBUTTONUP:
    FMouseState.SetPressed(false);
    RedrawSkin(nullptr);
    break;
  case fw::CM_MOUSEENTER:
    FMouseState.SetHot(true);
    RedrawSkin(nullptr);
    break;
  case fw::CM_MOUSELEAVE:
    FMouseState.Clear();
    if (FButton && FButton->Visible()) RedrawSkin(nullptr);
    break;
  default:
    TSkinButton::AfterMessage(message);
    break;
  }
}

void TSkinSpeedButton::RedrawSkin(HDC dc) {
  if (!FButton) return;
  const TRect rect{0, 0, FButton->Width(), FButton->Height()};
  try {
    if (dc) {
      DrawSkin(dc, rect);
      return;
    }
    fw::TGraphicControl::TControlDC buttonDC(*FButton);
    if (buttonDC.Handle()) DrawSkin(buttonDC.Handle(), rect);
  } catch (...) {
    // A paint that fails leaves what was there.
  }
}

void TSkinSpeedButton::DrawSkin(HDC dc, TRect rect) {
  if (FPainting || !FButton || !Element() || !Property(L"Visible")) return;
  if (rect.Width() < 1 || rect.Height() < 1) return;
  FPainting = true;
  try {
    DrawBuffered(dc, rect);
  } catch (...) {
    FPainting = false;
    throw;
  }
  FPainting = false;
}

bool TSkinSpeedButton::Property(const wchar_t* name) const {
  const auto value = fw::GetEnumProp(*FButton, name);
  return value && AsciiLower(fw::WideToUtf8(*value)) == "true";
}

COLORREF TSkinSpeedButton::TextColour(ButtonFace face, bool withGlyph) const {
  if (!FWindowEnabled) return fw::ColorToRGB(fw::clBtnShadow);
  const TDataSkinButton& e = *Element();
  COLORREF colour = fw::ColorToRGB(FButton->Font().Color());
  if (e.HasNormalColour2 && (!withGlyph || face == ButtonFace::Normal))
    colour = e.NormalColour2 & 0xFFFFFF;
  if (face == ButtonFace::Hot && e.HasMouseOverColour2) colour = e.MouseOverColour2 & 0xFFFFFF;
  if (face == ButtonFace::Pressed && e.HasPressedColour2) colour = e.PressedColour2 & 0xFFFFFF;
  return colour;
}

void TSkinSpeedButton::DoPaint(HDC dc, TRect rect) {
  fw::TGraphicControl& button = *FButton;
  const bool down = Property(L"Down");
  FWindowEnabled = Property(L"Enabled");
  FFocused = false; // a control without a window never has the focus
  FCaption = fw::GetStrProp(button, L"Caption").value_or(button.Text());
  const ButtonFace face = SpeedButtonFace(FMouseState, down, FWindowEnabled);

  fw::TWinControl* parent = button.Parent();
  const auto parentColour =
      parent && FParentBack ? fw::GetOrdProp(*parent, L"Color") : std::nullopt;
  if (parentColour)
    FillColor(dc, rect, fw::ColorToRGB(*parentColour));
  else
    FillFace(dc, rect);
  const TDataSkinButton& element = *Element();
  if (SpeedButtonFaceShown(face, Property(L"Flat")))
    DrawElementFrame(dc, rect, element.FrameCount > 0 ? element.FrameCount : kButtonFaceFrames,
                     static_cast<int>(face), element);

  const bool withGlyph = HasGlyph(button);
  fw::SelectGuard font(dc, button.Font().Handle());
  const COLORREF previous = ::SetTextColor(dc, TextColour(face, withGlyph));
  if (withGlyph)
    DrawGlyphAndCaption(dc, rect, button, GlyphFrame(face, down), true);
  else
    DrawButtonCaption(dc, rect, kDtCenter, FCaption);
  ::SetTextColor(dc, previous);
}

const TControlSkinKind kSpeedButtonKind{"SpeedButton"_kind, TSkinSpeedButton::Create};

} // namespace skin
