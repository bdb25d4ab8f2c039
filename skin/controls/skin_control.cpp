#include "skin/controls/skin_control.h"

#include "framework/bitmap.h"
#include "framework/sysutils.h"
#include "skin/common/skin_paint.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

namespace skin {

namespace {

// Controls this large get their mouse position from the cursor: the message's 16-bit
// coordinates would wrap.
constexpr int kLargestMessageCoordinate = 0x8000;

} // namespace

// --- TPaintBuffer

HDC TPaintBuffer::Prepare(HDC reference, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!FDc) FDc.reset(::CreateCompatibleDC(reference));
  if (width > FWidth || height > FHeight || !FBitmap) {
    FWidth = std::max(width, FWidth);
    FHeight = std::max(height, FHeight);
    fw::Bitmap bigger(::CreateCompatibleBitmap(reference, FWidth, FHeight));
    if (!bigger) return nullptr;
    HGDIOBJ previous = ::SelectObject(FDc.get(), bigger.get());
    if (!FOriginal) FOriginal = previous;
    FBitmap = std::move(bigger);
  }
  return FDc.get();
}

TPaintBuffer::~TPaintBuffer() {
  if (FDc && FOriginal) ::SelectObject(FDc.get(), FOriginal);
}

void TPaintBuffer::Present(HDC target, int x, int y, int width, int height) const {
  ::BitBlt(target, x, y, width, height, FDc.get(), 0, 0, SRCCOPY);
}

// --- TSkinControl: attaching and letting go

TSkinControl::TSkinControl() : fw::TComponent(nullptr) {}

TSkinControl::~TSkinControl() {
  Release();
}

void TSkinControl::Register(TControlSkinOwner* skinForm) {
  FSkinForm = skinForm;
  if (FSkinForm) FSkinForm->AddControl(this);
}

void TSkinControl::BindControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                               const TControlSkinSource& skinData, bool setColour) {
  FSetColor = setColour;
  FSkinData = skinData;
  FControl = &control;
  FHandle = control.Handle();
  Register(skinForm);
}

void TSkinControl::MarkAttached() {
  FAttached = true;
  FState = TSkinLife::Attached;
}

void TSkinControl::AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                                 const TControlSkinSource& skinData, bool setColour) {
  if (FAttached) return;
  BindControl(control, skinForm, skinData, setColour);
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  FOldWindowProc = control.WindowProc;
  control.WindowProc = [this](fw::TMessage& message) { SkinWndProc(message); };
  TakeSkinColours();
  control.Invalidate();
  MarkAttached();
  Attached();
}

void TSkinControl::AttachWindow(HWND handle, const TControlSkinSource& skinData,
                                TControlSkinOwner* skinForm) {
  FSkinData = skinData;
  FHandle = handle;
  FWindowEnabled = true;
  Register(skinForm);
  FCaption = ReadCaption();
  FSubclass = std::make_unique<TWindowSubclass>([this](UINT msg, WPARAM wParam, LPARAM lParam) {
    fw::TMessage message{msg, wParam, lParam, 0};
    SkinWndProc(message);
    return message.Result;
  });
  FSubclass->Hook(handle);
  ::InvalidateRect(handle, nullptr, TRUE);
  MarkAttached();
  Attached();
}

void TSkinControl::Release() {
  if (FControl && FOldWindowProc) FControl->WindowProc = FOldWindowProc;
  FOldWindowProc = nullptr;
  FControl = nullptr;
  if (FSubclass) FSubclass->Unhook();
}

void TSkinControl::TakeSkinColours() {
  if (!FSetColor || !FControl || !FSkinData.Elements) return;
  SetParentBackground(true);
  FSavedColor = FControl->Color();
  FSavedParentColour = FControl->ParentColor();
  FControl->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  FColoursTaken = true;
}

void TSkinControl::GiveBackColours() {
  if (!FColoursTaken || !FControl || FState == TSkinLife::Destroyed) return;
  FColoursTaken = false;
  SetParentBackground(false);
  FControl->SetColor(FSavedColor);
  if (FSavedParentColour) FControl->SetParentColor(true); // follows its parent again
}

void TSkinControl::Deactivate() {
  if (!FSkinOn) return;
  FSkinOn = false;
  GiveBackColours();
}

void TSkinControl::SwitchSkin(bool on) {
  if (on != FSkinOn) {
    FSkinOn = on;
    SkinSwitched(on);
  }
  // Either way the control shows its new look at once.
  Refresh();
}

void TSkinControl::SkinSwitched(bool on) {
  if (on)
    TakeSkinColours();
  else
    GiveBackColours();
}

void TSkinControl::SkinChanged(const TControlSkinSource& skinData) {
  FSkinData = skinData;
  FRenderings.clear(); // the elements' images were loaded anew
  SkinTaken();
  if (FColoursTaken && FControl && FSkinData.Elements && FSkinOn)
    FControl->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  Refresh();
}

void TSkinControl::SetParentBackground(bool on) {
  if (FSkinData.Options.Contains(xoParentBackGround) || !FControl) return;
  if (on) {
    const auto value = fw::GetEnumProp(*FControl, L"ParentBackground");
    if (!value) return;
    FParentBackgroundOff = AsciiLower(fw::WideToUtf8(*value)) == "true";
    if (FParentBackgroundOff) fw::SetEnumProp(*FControl, L"ParentBackground", L"False");
  } else if (FParentBackgroundOff) {
    fw::SetEnumProp(*FControl, L"ParentBackground", L"True");
  }
}

// --- Messages

namespace {

// The control goes: its window (WM_NCDESTROY), or a control without a window (CM_RELEASE).
bool EndOfControl(UINT msg) {
  return msg == WM_NCDESTROY || msg == fw::CM_RELEASE;
}

} // namespace

void TSkinControl::SkinWndProc(fw::TMessage& message) {
  // Any call below may run a modal loop in which this skin is freed: after each, the skin
  // touches nothing of itself unless it still lives.
  const TLiveness::TWatch alive = FLiveness.Watch();
  bool passed = false;
  try {
    if (message.Msg == SM_SKINENABLE) {
      SwitchSkin(message.WParam > 0);
      return;
    }
    // A skin switched off still hears the end of its control, so that it lets go of it.
    if (!FSkinOn && !EndOfControl(message.Msg)) {
      passed = true;
      CallOldProc(message);
      return;
    }
    if (BeforeMessage(message) == TMessageAnswer::PassOn && alive) {
      passed = true;
      if (CallOldProc(message)) AfterMessage(message);
    }
  } catch (...) {
    // A control never fails because of its skin: what the skin could not do is dropped, and a
    // message it had not passed on yet still reaches the control.
    if (!passed && alive && message.Msg != SM_SKINENABLE) CallOldProc(message);
  }
}

bool TSkinControl::CallOldProc(fw::TMessage& message) {
  const TLiveness::TWatch alive = FLiveness.Watch();
  if (FOldWindowProc)
    FOldWindowProc(message);
  else if (FSubclass)
    message.Result = FSubclass->PassOn(message.Msg, message.WParam, message.LParam);
  else
    message.Result = ::DefWindowProcW(FHandle, message.Msg, message.WParam, message.LParam);
  return alive.Alive();
}

TMessageAnswer TSkinControl::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NCDESTROY:
    return WindowDestroyed(message);
  case SM_ISSKINNED:
    message.Result = 1;
    return TMessageAnswer::Handled;
  case WM_PAINT:
  case WM_PRINT:
  case WM_PRINTCLIENT:
    return PaintRequest(message);
  case WM_ERASEBKGND:
    return EraseBackground(message);
  default:
    return TMessageAnswer::PassOn;
  }
}

TMessageAnswer TSkinControl::WindowDestroyed(fw::TMessage& message) {
  // The window is going: the control gets its window method back (its own procedure is given
  // back by the subclass itself after this message), and the skin waits to be freed.
  FState = TSkinLife::Destroyed;
  if (!CallOldProc(message)) return TMessageAnswer::Handled;
  if (FControl) {
    FControl->WindowProc = FOldWindowProc;
    FOldWindowProc = nullptr;
    FControl = nullptr;
  }
  if (FSkinOn) Deactivate();
  return TMessageAnswer::Handled;
}

TMessageAnswer TSkinControl::PaintRequest(fw::TMessage& message) {
  const TPrintRequests prints = PrintRequests();
  const bool answered = message.Msg == WM_PAINT ||
                        (message.Msg == WM_PRINTCLIENT && prints != TPrintRequests::None) ||
                        (message.Msg == WM_PRINT && prints == TPrintRequests::ClientAndWindow);
  if (!answered || !PaintsWhole()) return TMessageAnswer::PassOn;
  PaintNow(message);
  return TMessageAnswer::Handled;
}

TMessageAnswer TSkinControl::EraseBackground(fw::TMessage& message) {
  if (!PaintsWhole()) return TMessageAnswer::PassOn;
  message.Result = 1;
  return TMessageAnswer::Handled;
}

void TSkinControl::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
  case CM_ENABLEDCHANGED:
    Refresh();
    break;
  case WM_PAINT:
    RedrawSkin(reinterpret_cast<HDC>(message.WParam));
    break;
  default:
    break;
  }
}

// --- Painting

void TSkinControl::Refresh() {
  ::InvalidateRect(FHandle, nullptr, TRUE);
  ::UpdateWindow(FHandle);
}

void TSkinControl::RedrawSkin(HDC dc) {
  RECT window;
  if (!::GetWindowRect(FHandle, &window)) return;
  const TRect rect{0, 0, window.right - window.left, window.bottom - window.top};
  try {
    if (dc) {
      DrawSkin(dc, rect);
      return;
    }
    HDC windowDC = ::GetWindowDC(FHandle);
    if (!windowDC) return;
    try {
      DrawSkin(windowDC, rect);
    } catch (...) {
      ::ReleaseDC(FHandle, windowDC);
      throw;
    }
    ::ReleaseDC(FHandle, windowDC);
  } catch (...) {
    // A paint that fails leaves what was there.
  }
}

void TSkinControl::DrawSkin(HDC dc, TRect rect) {
  if (PaintsWhole())
    DrawBuffered(dc, rect);
  else
    DrawOver(dc, rect);
}

void TSkinControl::PaintNow(fw::TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  PAINTSTRUCT paint{};
  const bool ownPaint = dc == nullptr;
  if (ownPaint) dc = ::BeginPaint(FHandle, &paint);
  RECT window;
  if (dc && ::GetWindowRect(FHandle, &window)) {
    DrawSkin(dc, {0, 0, window.right - window.left, window.bottom - window.top});
    // The control's own painting, which paints its graphic children (speed buttons), did not
    // run: they are painted over the skin here.
    if (FControl) FControl->PaintGraphicChildren(dc);
  }
  if (ownPaint) ::EndPaint(FHandle, &paint);
  message.Result = 0;
}

void TSkinControl::EraseWithParent(fw::TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (FControl) {
    PaintParentInto(FHandle, dc);
  } else {
    RECT client;
    ::GetClientRect(FHandle, &client);
    FillParentColor(dc, fw::ToTRect(client));
  }
  message.Result = 1;
}

void TSkinControl::DrawBuffered(HDC dc, TRect rect) {
  HDC buffer = FBuffer.Prepare(dc, rect.Width(), rect.Height());
  if (!buffer) return;
  DoPaint(buffer, {0, 0, rect.Width(), rect.Height()});
  FBuffer.Present(dc, rect.Left, rect.Top, rect.Width(), rect.Height());
}

COLORREF TSkinControl::SkinColour(int index) const {
  return FSkinData.Elements ? (FSkinData.Elements->Colour(index) & 0xFFFFFF)
                            : fw::ColorToRGB(fw::clBtnFace);
}

void TSkinControl::FillColor(HDC dc, TRect rect, COLORREF colour) {
  fw::Brush brush(::CreateSolidBrush(colour));
  const RECT r = fw::ToRECT(rect);
  ::FillRect(dc, &r, brush.get());
}

void TSkinControl::FrameColour(HDC dc, TRect rect, COLORREF colour) {
  fw::Brush brush(::CreateSolidBrush(colour));
  const RECT r = fw::ToRECT(rect);
  ::FrameRect(dc, &r, brush.get());
}

void TSkinControl::DrawShadowRing(HDC dc, TRect rect, int whiteRings) const {
  FrameColour(dc, rect, SkinColour(kButtonShadow));
  for (int i = 1; i <= whiteRings; ++i)
    FrameColour(dc, {rect.Left + i, rect.Top + i, rect.Right - i, rect.Bottom - i},
                RGB(255, 255, 255));
}

void TSkinControl::FillFace(HDC dc, TRect rect) const {
  FillColor(dc, rect, SkinColour(kButtonFace));
}

void TSkinControl::FillParentColor(HDC dc, TRect rect) const {
  fw::TWinControl* parent = FControl ? FControl->Parent() : nullptr;
  const auto colour = parent ? fw::GetOrdProp(*parent, L"Color") : std::nullopt;
  FillColor(dc, rect, colour ? fw::ColorToRGB(*colour) : SkinColour(kButtonFace));
}

void TSkinControl::DrawElementFrame(HDC dc, TRect rect, int frameCount, int frame,
                                    const TDataSkinObject& element, bool transparent) {
  if (rect.Right < rect.Left || rect.Bottom < rect.Top || element.Bitmap.Empty()) return;
  frameCount = std::max(frameCount, 1);
  transparent = transparent || element.Trans == 1;
  const int width = rect.Width(), height = rect.Height();
  auto same = [&](const TRendering& r) {
    return r.element == &element && r.frameCount == frameCount && r.frame == frame &&
           r.width == width && r.height == height && r.transparent == transparent;
  };
  auto it = std::find_if(FRenderings.begin(), FRenderings.end(), same);
  if (it == FRenderings.end()) {
    // A size seen for the first time: the renderings of other sizes are not needed any more.
    std::erase_if(FRenderings, [&](const TRendering& r) {
      return r.element == &element && (r.width != width || r.height != height);
    });
    TBitmap rendering = RenderNineSlice(
        width, height, element.Bitmap,
        {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight}, false,
        element.Tile == 1, frameCount, frame);
    FRenderings.push_back({&element, frameCount, frame, width, height, transparent,
                           TPreparedImage(std::move(rendering), transparent)});
    it = std::prev(FRenderings.end());
  }
  it->image.Draw(dc, rect.Left, rect.Top);
}

bool TSkinControl::RightToLeft() const {
  if (FControl) {
    const auto mode = fw::GetEnumProp(*FControl, L"BiDiMode");
    if (mode && *mode == L"bdRightToLeft") return true;
  }
  return !FControl && (::GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING);
}

unsigned TSkinControl::RightToLeftFlags(unsigned flags) const {
  return RightToLeft() ? flags | kDtRtlReading : flags;
}

void TSkinControl::DrawAlignedText(HDC dc, TRect rect, unsigned alignment, bool enabled,
                                   const std::wstring& text) {
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  RECT measured = fw::ToRECT(rect);
  ::DrawTextW(dc, text.c_str(), -1, &measured, alignment | kDtCalcRect | kDtNoClip | kDtExpandTabs);
  TRect t = PlaceMeasuredText(rect, measured.right - measured.left, measured.bottom - measured.top,
                              alignment & kDtCenter);
  const COLORREF oldColour =
      enabled ? ::GetTextColor(dc) : ::SetTextColor(dc, fw::ColorToRGB(fw::clBtnShadow));
  RECT r = fw::ToRECT(t);
  ::DrawTextW(dc, text.c_str(), -1, &r, RightToLeftFlags(alignment | kDtExpandTabs));
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void TSkinControl::DrawImageAndText(HDC dc, TRect rect, PanelAlignment alignment,
                                    const std::wstring& text, int imageIndex, HIMAGELIST images) {
  int imageWidth = 0, imageHeight = 0;
  if (images && imageIndex != -1) ImageList_GetIconSize(images, &imageWidth, &imageHeight);
  if (imageWidth >= rect.Width()) imageWidth = imageHeight = 0;
  RECT measured{0, 0, rect.Width(), rect.Height()};
  if (!text.empty())
    ::DrawTextW(dc, text.c_str(), -1, &measured,
                kDtEndEllipsis | kDtCalcRect | kDtNoClip | kDtExpandTabs | kDtWordBreak);
  const int textWidth = text.empty() ? 0 : static_cast<int>(measured.right - measured.left);
  const int start = rect.Left + HeaderContentStart(alignment, rect.Width(), imageWidth, textWidth);
  if (imageWidth > 0)
    ImageList_Draw(images, imageIndex, dc, start, rect.Top + (rect.Height() - imageHeight) / 2,
                   ILD_TRANSPARENT);
  if (text.empty()) return;
  const int textHeight = measured.bottom - measured.top;
  const int top = rect.Top + (rect.Height() - textHeight) / 2;
  RECT r{start + imageWidth, top, rect.Right, std::min(top + textHeight, rect.Bottom)};
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  fw::SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
  const COLORREF oldColour =
      FWindowEnabled ? ::GetTextColor(dc) : ::SetTextColor(dc, fw::ColorToRGB(fw::clBtnShadow));
  ::DrawTextW(dc, text.c_str(), -1, &r,
              RightToLeftFlags(kDtEndEllipsis | kDtExpandTabs | kDtWordBreak));
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void TSkinControl::DrawCaptionFocus(HDC dc, unsigned flags, TRect rect) {
  RECT measured = fw::ToRECT(rect);
  ::DrawTextW(dc, FCaption.c_str(), -1, &measured, flags | kDtCalcRect | kDtNoClip);
  const RECT focus = fw::ToRECT(CaptionFocusRect(rect, measured.right - measured.left,
                                                 measured.bottom - measured.top, flags));
  ::DrawFocusRect(dc, &focus);
}

void TSkinControl::EmulateMouseDown(const fw::TMessage& message) {
  if (!FControl) return;
  int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
  if (FControl->Width() > kLargestMessageCoordinate ||
      FControl->Height() > kLargestMessageCoordinate) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(FHandle, &cursor);
    x = cursor.x;
    y = cursor.y;
  }
  FControl->MouseDown(fw::TMouseButton::mbLeft, static_cast<fw::TShiftState>(message.WParam), x, y);
}

std::wstring TSkinControl::ReadCaption() const {
  if (FControl) return fw::GetStrProp(*FControl, L"Caption").value_or(FControl->Text());
  return fw::WindowText(FHandle);
}

HFONT TSkinControl::ControlFont() const {
  if (FControl) return FControl->TextFont();
  if (auto font = reinterpret_cast<HFONT>(::SendMessageW(FHandle, WM_GETFONT, 0, 0))) return font;
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace skin
