#include "skin/controls/button.h"

#include "framework/bitmap.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "skin/common/skin_paint.h"
#include "skin/common/window_class.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

namespace skin {

namespace {

// A button of the application whose Tag is this shows its parent around the face.
constexpr int kParentBackTag = 5555;
// The timer some button classes animate with; the skin paints without it.
constexpr UINT_PTR kButtonAnimationTimer = 1;
constexpr int kButtonFaceFrames = 5;

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

} // namespace

const TDataSkinButton* TSkinButton::Element() const {
  const TDataSkinButton* buttons = FSkinData.Elements ? FSkinData.Elements->Buttons.get() : nullptr;
  return buttons && !buttons->Bitmap.Empty() ? buttons : nullptr;
}

void TSkinButton::Attached() {
  FParentBack = FSkinData.Options.Contains(xoTransparent);
  if (!FControl) return;
  // Button classes that paint their own background get the face over the whole window.
  const std::string name = AsciiLower(fw::WideToUtf8(FControl->ClassName()));
  FFaceOverWindow = StartsWith(name, "trz") || StartsWith(name, "tel");
  FParentBack = FParentBack || FControl->Tag == kParentBackTag;
}

TMessageAnswer TSkinButton::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_TIMER:
    ::KillTimer(FHandle, kButtonAnimationTimer);
    return TMessageAnswer::Handled;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseDown(message);
    return TMessageAnswer::Handled;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

void TSkinButton::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_SETTEXT:
    RedrawSkin(nullptr);
    break;
  case WM_KEYDOWN:
  case WM_KEYUP:
    if (message.WParam == VK_SPACE) SpaceKey(message.Msg == WM_KEYDOWN);
    break;
  case WM_MOUSEMOVE:
    MouseMove();
    break;
  case WM_LBUTTONUP:
    MouseUp();
    break;
  case WM_MOUSELEAVE:
    MouseLeave();
    break;
  case CM_DIALOGKEY:
  case CM_FOCUSCHANGED:
    Refresh();
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinButton::MouseDown(fw::TMessage& message) {
  if (::GetFocus() != FHandle) ::SetFocus(FHandle);
  FMouseState.SetPressed(true);
  RedrawSkin(nullptr);
  if (FControl && !FFaceOverWindow) EmulateMouseDown(message);
  message.Result = 0;
}

void TSkinButton::MouseMove() {
  if (FWindowEnabled && !FMouseState.Hot()) {
    FMouseState.SetHot(true);
    Refresh();
  }
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
  ::TrackMouseEvent(&track);
}

void TSkinButton::MouseUp() {
  if (!FMouseState.Pressed()) return;
  FMouseState.SetPressed(false);
  Refresh();
  Click();
}

void TSkinButton::MouseLeave() {
  FMouseState.Clear();
  Refresh();
}

void TSkinButton::SpaceKey(bool down) {
  FMouseState.SetPressed(down);
  Refresh();
}

void TSkinButton::Click() {
  if (FControl) {
    FControl->Click();
    return;
  }
  // A bare button tells its parent, as the system's button would.
  const WPARAM id = AsciiLower(WindowClassName(FHandle)) == "tbutton" ? 0 : ::GetDlgCtrlID(FHandle);
  ::PostMessageW(::GetParent(FHandle), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(FHandle));
}

ButtonFace TSkinButton::CurrentFace() const {
  ButtonFacts facts;
  facts.mouse = FMouseState;
  facts.focused = FFocused;
  facts.enabled = FWindowEnabled;
  if (FControl) {
    const auto value = fw::GetEnumProp(*FControl, L"Default");
    facts.isDefault = value && AsciiLower(fw::WideToUtf8(*value)) == "true";
  } else {
    // A bare window has no Default property: its style says it.
    facts.isDefault = (::GetWindowLongW(FHandle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }
  return PushButtonFace(facts);
}

COLORREF TSkinButton::CaptionColour(ButtonFace face) const {
  const TDataSkinButton& e = *FSkinData.Elements->Buttons;
  COLORREF colour = FControl ? fw::ColorToRGB(FControl->Font().Color()) : SkinColour(kButtonText);
  if (e.HasNormalColour2) colour = e.NormalColour2 & 0xFFFFFF;
  if (face == ButtonFace::Hot && e.HasMouseOverColour2) colour = e.MouseOverColour2 & 0xFFFFFF;
  if (face == ButtonFace::Pressed && e.HasPressedColour2) colour = e.PressedColour2 & 0xFFFFFF;
  if (!FWindowEnabled) colour = fw::ColorToRGB(fw::clBtnShadow);
  return colour;
}

void TSkinButton::DrawSkin(HDC dc, TRect rect) {
  if (!Element()) return;
  DrawBuffered(dc, rect);
}

void TSkinButton::DrawFace(HDC dc, TRect rect, ButtonFace face) {
  const TDataSkinButton& element = *Element();
  if (FParentBack)
    PaintParentInto(FHandle, dc);
  else
    FillFace(dc, rect);
  DrawElementFrame(dc, rect, element.FrameCount > 0 ? element.FrameCount : kButtonFaceFrames,
                   static_cast<int>(face), element);
}

void TSkinButton::DoPaint(HDC dc, TRect rect) {
  FFocused = ::GetFocus() == FHandle;
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  FCaption = ReadCaption();
  const ButtonFace face = CurrentFace();
  DrawFace(dc, rect, face);
  fw::SelectGuard font(dc, ControlFont());
  const COLORREF previous = ::SetTextColor(dc, CaptionColour(face));
  DrawButtonCaption(dc, rect, kDtCenter, FCaption);
  ::SetTextColor(dc, previous);
}

void TSkinButton::DrawButtonCaption(HDC dc, TRect rect, unsigned alignment,
                                    const std::wstring& text) {
  const std::wstring caption = ButtonCaptionText(text);
  RECT measured{rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2};
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextW(dc, caption.c_str(), -1, &measured,
              alignment | kDtCalcRect | kDtNoClip | kDtExpandTabs | kDtWordBreak);
  const TRect t = PlaceMeasuredText(rect, measured.right - measured.left,
                                    measured.bottom - measured.top, alignment & kDtCenter);
  RECT r = fw::ToRECT(t);
  ::DrawTextW(dc, caption.c_str(), -1, &r,
              RightToLeftFlags(alignment | kDtExpandTabs | kDtWordBreak));
  ::SetBkMode(dc, oldMode);
  if (FFocused && !FSkinData.Options.Contains(xoNoFocusRect)) {
    RECT focus{t.Left - 2, t.Top - 2, t.Right + 2, t.Bottom + 2};
    ::DrawFocusRect(dc, &focus);
  }
}

const TControlSkinKind kButtonKind{"Button"_kind, MakeSkin<TSkinButton>, false,
                                   ProbeIsA<"PushButton", fw::TButton>};

} // namespace skin
