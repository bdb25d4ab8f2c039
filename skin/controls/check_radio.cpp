#include "skin/controls/check_radio.h"

#include "framework/bitmap.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "skin/common/skin_paint.h"
#include "skin/common/window_class.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

namespace skin {

namespace {

constexpr int kParentBackTag = 5555;

std::string LowerEnumProp(fw::TPersistent& object, const wchar_t* name, bool& present) {
  const auto value = fw::GetEnumProp(object, name);
  present = value.has_value();
  return value ? AsciiLower(fw::WideToUtf8(*value)) : std::string();
}

bool HasProperty(fw::TPersistent& object, const wchar_t* name) {
  return object.Properties().Find(name) != nullptr;
}

} // namespace

// --- Both

const TBitmap* TSkinCheckRadio::Strip() const {
  const TDataSkinButton* buttons = FSkinData.Elements ? FSkinData.Elements->Buttons.get() : nullptr;
  if (!buttons) return nullptr;
  const TBitmap& strip = IsRadio() ? buttons->RadioBitmap : buttons->CheckBitmap;
  return strip.Empty() ? nullptr : &strip;
}

int TSkinCheckRadio::StripFrames() const {
  const TDataSkinButton& buttons = *FSkinData.Elements->Buttons;
  return std::max(1, IsRadio() ? buttons.RadioButtonFrame : buttons.CheckButtonFrame);
}

void TSkinCheckRadio::Attached() {
  // Our controls with a strip are painted whole; bare windows only get the box drawn over them.
  FPaintMode = FControl && Strip() ? TPaintMode::Whole : TPaintMode::Overlay;
  FParentBack =
      (FControl && FControl->Tag == kParentBackTag) || FSkinData.Options.Contains(xoTransparent);
}

TMessageAnswer TSkinCheckRadio::EraseBackground(fw::TMessage& message) {
  if (!FParentBack) return TMessageAnswer::PassOn;
  EraseWithParent(message);
  return TMessageAnswer::Handled;
}

void TSkinCheckRadio::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case BM_SETCHECK:
    CheckSet(message.WParam);
    Refresh();
    break;
  case BM_SETSTATE: // the system draws its pushed box at once: ours goes over it again
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case CM_EXIT:
  case CM_CHECKCHANGED:
    Refresh();
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinCheckRadio::DrawSkin(HDC dc, TRect rect) {
  if (!Strip()) {
    FPaintMode = TPaintMode::Overlay; // for good: the control paints itself
    return;
  }
  TSkinControl::DrawSkin(dc, rect);
}

CheckLayout TSkinCheckRadio::MarkLayout(TRect rect) const {
  const TBitmap& strip = *Strip();
  const int style = ::GetWindowLongW(FHandle, GWL_STYLE);
  return LayoutCheckMark(rect, strip.Width() / StripFrames(), strip.Height(), style & BS_LEFTTEXT,
                         IsRadio(), RightToLeft());
}

void TSkinCheckRadio::DrawMark(HDC dc, TRect image) {
  const int frames = StripFrames();
  DrawFrame(dc, image, *Strip(), true, frames, CurrentFrame(frames));
}

void TSkinCheckRadio::DrawOver(HDC dc, TRect rect) {
  DrawMark(dc, MarkLayout(rect).image);
}

void TSkinCheckRadio::DoPaint(HDC dc, TRect rect) {
  const CheckLayout layout = MarkLayout(rect);
  if (FParentBack)
    PaintParentInto(FHandle, dc);
  else
    FillFace(dc, rect);
  DrawMark(dc, layout.image);
  DrawCaption(dc, layout.text, layout.textFlags);
}

void TSkinCheckRadio::DrawCaption(HDC dc, TRect textRect, unsigned flags) {
  FCaption = ReadCaption();
  const bool enabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  const int saved = ::SaveDC(dc); // the DC's font, colours and mode are given back at the end
  ::SelectObject(dc, ControlFont());
  const fw::TColor fontColour = FControl ? FControl->Font().Color() : fw::clWindowText;
  ::SetTextColor(dc, fw::ColorToRGB(enabled ? fontColour : fw::clBtnShadow));
  ::SetBkColor(dc, SkinColour(kButtonFace));
  ::SetBkMode(dc, TRANSPARENT);
  RECT measured = fw::ToRECT(textRect);
  ::DrawTextW(dc, FCaption.c_str(), -1, &measured,
              flags | kDtCalcRect | kDtNoClip | kDtExpandTabs | kDtWordBreak);
  const int shift = (textRect.Height() - (measured.bottom - measured.top)) / 2;
  textRect.Top += shift;
  textRect.Bottom += shift;
  if (CheckFocusRectShown(WindowsMajorVersion(), ::GetFocus() == FHandle, FCaption.empty()))
    DrawCaptionFocus(dc, flags | kDtExpandTabs | kDtWordBreak, textRect);
  RECT r = fw::ToRECT(textRect);
  ::DrawTextW(dc, FCaption.c_str(), -1, &r, flags | kDtExpandTabs | kDtWordBreak);
  ::RestoreDC(dc, saved);
}

// --- Check box

void TSkinCheckBox::Attached() {
  if (FControl) FCheckState = 0;
  TSkinCheckRadio::Attached();
}

int TSkinCheckBox::CurrentFrame(int frameCount) const {
  const LRESULT state = ::SendMessageW(FHandle, BM_GETSTATE, 0, 0);
  CheckBoxFacts facts;
  facts.checked = state & BST_CHECKED;
  facts.indeterminate = state & BST_INDETERMINATE;
  facts.disabled = ::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED;
  facts.frameCount = frameCount;
  std::string stateName;
  if (FControl) {
    stateName = LowerEnumProp(*FControl, L"State", facts.hasStateProperty);
    facts.stateName = stateName.c_str();
    facts.hasDataField = HasProperty(*FControl, L"DataField");
    facts.lastSetCheck = FCheckState;
    facts.hasDataBinding = HasProperty(*FControl, L"DataBinding");
  }
  return CheckBoxFrame(facts);
}

// --- Radio button

int TSkinRadioButton::CurrentFrame(int frameCount) const {
  RadioFacts facts;
  facts.checked = ::SendMessageW(FHandle, BM_GETCHECK, 0, 0) & BST_CHECKED;
  if (FControl) {
    bool present = false;
    const std::string checked = LowerEnumProp(*FControl, L"Checked", present);
    if (present) facts.checked = checked == "true";
  }
  facts.disabled = ::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED;
  facts.frameCount = frameCount;
  return RadioButtonFrame(facts);
}

const TControlSkinKind kCheckBoxKind{"CheckBox"_kind, MakeSkin<TSkinCheckBox>, true,
                                     ProbeIsA<"CheckBox", fw::TCheckBox>};
const TControlSkinKind kRadioButtonKind{"RadioButton"_kind, MakeSkin<TSkinRadioButton>, true,
                                        ProbeIsA<"RadioButton", fw::TRadioButton>};

} // namespace skin
