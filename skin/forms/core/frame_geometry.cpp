#include "skin/forms/core/frame_geometry.h"

#include <algorithm>

namespace skin {

namespace {

constexpr std::uint32_t kSysMenu = 0x00080000, kMinimizeBox = 0x00020000, kMaximizeBox = 0x00010000,
                        kCaption = 0x00C00000, kThickFrame = 0x00040000, kModalFrame = 0x80,
                        kChild = 0x40000000;
constexpr std::uint32_t kExContextHelp = 0x400, kExAppWindow = 0x40000, kExMdiChild = 0x40,
                        kExDlgModalFrame = 0x1, kExLeftScrollBar = 0x4000;

int FrameCountOf(const TDataSkinObject& element) {
  return std::max(element.FrameCount, 1);
}

void Offset(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

} // namespace

WindowKind ClassifyWindow(const WindowKindFacts& f) {
  WindowKind k;
  if ((f.style & kSysMenu) || f.hasSystemMenu) k.caps |= kCapSystemMenu;
  if (f.style & kMinimizeBox) k.caps |= kCapMinimize;
  if (f.style & kMaximizeBox) k.caps |= kCapMaximize;
  if (f.exStyle & kExContextHelp) k.caps |= kCapHelp;
  if (f.hasMdiClient)
    k.mdiKind = kMdiFrame;
  else if (f.exStyle & kExMdiChild)
    k.mdiKind = kMdiChild;
  if (f.osMajor >= 5 && f.osMinor == 0 &&
      ((f.platformNT && (f.exStyle & kExAppWindow)) || (!f.hasOwner && !k.IsMdiChild())))
    k.caps |= kCapKeepStyle;

  if ((f.style & kCaption) != kCaption)
    k.borderKind = kBorderNone;
  else if (f.style & kThickFrame)
    k.borderKind = kBorderSizeable;
  else if (f.style & kModalFrame)
    k.borderKind = kBorderDialog;
  else
    k.borderKind = kBorderSingle;
  k.isDialog = f.className == "#32770" || f.className == "TMessageForm";
  if ((f.exStyle & kExDlgModalFrame) || k.isDialog) k.borderKind = kBorderDialog;
  k.rightToLeft = (f.exStyle & kExLeftScrollBar) != 0;
  k.isChild = (f.style & kChild) != 0;
  return k;
}

int WindowStateFromShowCmd(unsigned showCmd) {
  switch (showCmd) {
  case 2: // SW_SHOWMINIMIZED
  case 6: // SW_MINIMIZE
  case 7: // SW_SHOWMINNOACTIVE
    return kStateMinimized;
  case 3: // SW_SHOWMAXIMIZED
    return kStateMaximized;
  default:
    return kStateNormal;
  }
}

FrameSizes CalcFrameSizes(int borderKind, const TDataSkinObject& left, const TDataSkinObject& top,
                          const TDataSkinObject& right, const TDataSkinObject& bottom) {
  if (borderKind == kBorderNone) return {};
  FrameSizes s;
  s.top = top.Bitmap.Height() / FrameCountOf(top);
  s.left = left.Bitmap.Width() / FrameCountOf(left);
  s.right = right.Bitmap.Width() / FrameCountOf(right);
  s.bottom = bottom.Bitmap.Height() / FrameCountOf(bottom);
  return s;
}

TRect ClientRectInFrame(int x, int y, int cx, int cy, const FrameSizes& frame, int menuHeight) {
  return {x + frame.left, y + frame.top + menuHeight, x + cx - frame.right, y + cy - frame.bottom};
}

bool KeepsSystemClientArea(const WindowKind& kind, int windowState) {
  return kind.borderKind == kBorderNone || (kind.IsMdiChild() && windowState != kStateNormal);
}

TOffset ClientOriginInFrame(const WindowKind& kind, int windowState, const FrameSizes& frame,
                            int menuHeight) {
  if (kind.IsMdiChild() && windowState == kStateMinimized) return {};
  return {frame.left, frame.top + menuHeight};
}

int MdiChildCaptionPad(const WindowKind& kind, int borderTop, int systemCaptionAndFrame) {
  // A window without caption has no frame at all, so nothing to line up with.
  if (!kind.IsMdiChild() || kind.borderKind == kBorderNone) return 0;
  return std::max(systemCaptionAndFrame - borderTop, 0);
}

MdiFrameStep MdiChildFrameStep(bool maximizedChildExists, int windowState) {
  if (maximizedChildExists) return MdiFrameStep::Suspend;
  return windowState == kStateMinimized ? MdiFrameStep::SwitchOn : MdiFrameStep::Resume;
}

FittedSize FitWindowSize(int clientWidth, int clientHeight, const FrameSizes& frame,
                         int menuHeight) {
  return {clientWidth + frame.left + frame.right,
          clientHeight + frame.top + frame.bottom + menuHeight, 0};
}

void WidenForCaption(FittedSize& size, int captionTextWidth, const TDataSkinTitle& title) {
  const int needed = title.LeftWidth + captionTextWidth + title.RightWidth;
  if (size.width >= needed) return;
  size.childShift = (needed - size.width) / 2;
  size.width = needed;
}

CaptionTextLayout LayoutCaptionText(const CaptionTextInput& in, const TDataSkinTitle& title) {
  const TRect& cap = in.caption;
  // The measured text, widened by the background's fixed ends.
  TRect r{cap.Left, cap.Top, cap.Left + in.textWidth, cap.Top + in.textHeight};
  r.Right += title.TXTBackleft + title.TXTBackRight;
  const int rw = cap.Width(), tw = r.Width();

  int x = 0;
  switch (title.TextAlignment) {
  case 0:
    x = in.rightToLeft ? rw - in.rightGroupOffset - tw : title.LeftWidth;
    break;
  case 1:
    x = in.rightToLeft ? (rw - tw - in.rightGroupOffset) / 2 : (rw - tw) / 2;
    break;
  case 2:
    x = in.rightToLeft ? title.LeftWidth : rw - title.RightWidth - tw;
    break;
  default:
    x = 0;
  }
  // Half of the vertical shift is applied.
  Offset(r, x, (cap.Height() - r.Height()) / 2 + title.TopHeight / 2);
  if (in.rightToLeft && x < 1) r.Left = title.LeftWidth;

  if (in.popupStyle) {
    if (in.rightToLeft)
      Offset(r, 10, 0);
    else if (cap.Right - in.rightGroupOffset - 5 < r.Right && in.rightGroupOffset > 5)
      r.Right = cap.Right - in.rightGroupOffset - 5;
  } else if (in.rightToLeft) {
    Offset(r, 10, 0);
  } else {
    r.Right = std::min(r.Right, cap.Right - title.RightWidth);
  }
  // A dialog has no icon before its text.
  if (in.borderKind == kBorderDialog && title.TextAlignment == 0) r.Left -= 16;

  CaptionTextLayout layout;
  layout.bounds = r;
  layout.text = r;
  layout.text.Left += title.TXTBackleft;
  layout.text.Right -= title.TXTBackRight;
  return layout;
}

} // namespace skin
