#include "skin/controls/group_box.h"

#include "framework/bitmap.h"
#include "framework/stdctrls.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bar_layout.h"
#include "skin/data/core/skin_colours.h"

namespace skin {

namespace {

constexpr int kCornerEllipse = 5;

} // namespace

void TSkinGroupBox::Attached() {
  if (FControl) FPaintMode = TPaintMode::Whole;
}

TMessageAnswer TSkinGroupBox::BeforeMessage(fw::TMessage& message) {
  if (message.Msg != WM_CTLCOLORSTATIC || !PaintsWhole())
    return TSkinControl::BeforeMessage(message);
  // Labels and track bars inside stand on the face colour; their text colour stays theirs.
  if (!CallOldProc(message)) return TMessageAnswer::Handled;
  const COLORREF face = SkinColour(kButtonFace);
  ::SetBkColor(reinterpret_cast<HDC>(message.WParam), face);
  message.Result = reinterpret_cast<LRESULT>(FFaceBrush.Get(face));
  return TMessageAnswer::Handled;
}

void TSkinGroupBox::SkinChanged(const TControlSkinSource& skinData) {
  TSkinControl::SkinChanged(skinData);
  // The children ask for their background again.
  ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TSkinGroupBox::DoPaint(HDC dc, TRect rect) {
  DrawFrameAndCaption(dc, rect, true);
}

void TSkinGroupBox::DrawOver(HDC dc, TRect rect) {
  DrawFrameAndCaption(dc, rect, false); // over what the system just painted
}

void TSkinGroupBox::DrawFrameAndCaption(HDC dc, TRect rect, bool whole) {
  FCaption = ReadCaption();
  const COLORREF face = SkinColour(kButtonFace);
  if (whole) FillFace(dc, rect);
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, ControlFont());
  ::SetTextColor(dc, FControl ? fw::ColorToRGB(FControl->Font().Color()) : SkinColour(kButtonText));
  SIZE zero{};
  ::GetTextExtentPoint32A(dc, "0", 1, &zero);
  const int top = GroupBoxFrameTop(zero.cy);
  if (!whole) {
    // The system's 3D edge goes under the face colour first.
    HBRUSH brush = FFaceBrush.Get(face);
    RECT outer{0, top, rect.Right, rect.Bottom};
    ::FrameRect(dc, &outer, brush);
    RECT inner{1, top + 1, rect.Right - 1, rect.Bottom - 1};
    ::FrameRect(dc, &inner, brush);
  }
  fw::Pen pen(::CreatePen(PS_SOLID, 1, SkinColour(kButtonShadow)));
  ::SelectObject(dc, pen.get());
  ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::RoundRect(dc, 1, top, rect.Right - 1, rect.Bottom - 1, kCornerEllipse, kCornerEllipse);
  // Opaque on the face colour: the caption cuts the frame line.
  ::SetBkColor(dc, face);
  ::SetBkMode(dc, OPAQUE);
  const bool right = ::GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT;
  RECT text = [&] {
    const TRect t = GroupBoxCaptionRect(rect, right);
    return fw::ToRECT(t);
  }();
  ::DrawTextW(dc, FCaption.c_str(), -1, &text,
              right ? RightToLeftFlags(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS);
  ::RestoreDC(dc, saved);
}

const TControlSkinKind kGroupBoxKind{"GroupBox"_kind, MakeSkin<TSkinGroupBox>, true,
                                     ProbeIsA<"GroupBox", fw::TGroupBox>};

} // namespace skin
