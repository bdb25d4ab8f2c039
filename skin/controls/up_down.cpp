#include "skin/controls/up_down.h"

#include "framework/bitmap.h"
#include "skin/common/window_class.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bar_layout.h"
#include "skin/data/core/nine_slice.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kArrowCells = 8;
constexpr COLORREF kEditWhite = RGB(255, 255, 255);

} // namespace

TMessageAnswer TSkinUpDown::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    Press(message);
    return TMessageAnswer::Handled;
  case WM_LBUTTONUP:
    Release(message);
    return TMessageAnswer::Handled;
  case WM_MOUSEMOVE:
    if (CallOldProc(message)) MouseMove();
    return TMessageAnswer::Handled;
  case WM_MOUSELEAVE:
    if (CallOldProc(message)) MouseLeave();
    return TMessageAnswer::Handled;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

TMessageAnswer TSkinUpDown::EraseBackground(fw::TMessage& message) {
  if (!FControl) {
    RECT client;
    ::GetClientRect(FHandle, &client);
    FillColor(reinterpret_cast<HDC>(message.WParam), fw::ToTRect(client), kEditWhite);
  }
  message.Result = 1;
  return TMessageAnswer::Handled;
}

void TSkinUpDown::Press(fw::TMessage& message) {
  // The control steps its position (and captures the mouse for the repeat) first; the parent's
  // answer to the step may run a modal loop in which this skin is freed.
  if (!CallOldProc(message)) return;
  FMouseState.SetPressed(true);
  RedrawSkin(nullptr);
}

void TSkinUpDown::Release(fw::TMessage& message) {
  FMouseState.SetPressed(false);
  if (CallOldProc(message)) RedrawSkin(nullptr);
}

void TSkinUpDown::MouseMove() {
  if (!FMouseState.Hot()) {
    FMouseState.SetHot(true);
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
    ::TrackMouseEvent(&track);
  }
  // The hot half may have changed.
  RedrawSkin(nullptr);
}

void TSkinUpDown::MouseLeave() {
  FMouseState.SetHot(false);
  RedrawSkin(nullptr);
}

bool TSkinUpDown::Horizontal() const {
  return FHorizontal || (::GetWindowLongW(FHandle, GWL_STYLE) & UDS_HORZ);
}

void TSkinUpDown::DrawSkin(HDC dc, TRect rect) {
  if (FInEdit) {
    // The edit shows white around the buttons, and its border stays visible.
    FillColor(dc, rect, kEditWhite);
    RECT self, parent;
    HWND parentWnd = ::GetParent(FHandle);
    if (::GetWindowRect(FHandle, &self) && ::GetWindowRect(parentWnd, &parent)) {
      const TRect inParent{self.left - parent.left, self.top - parent.top, self.right - parent.left,
                           self.bottom - parent.top};
      rect = KeepClearOfEditBorder(rect, inParent, parent.right - parent.left,
                                   parent.bottom - parent.top);
    }
  }
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  FPaintOrigin = {rect.Left, rect.Top};
  DrawBuffered(dc, rect);
}

void TSkinUpDown::DoPaint(HDC dc, TRect rect) {
  FillFace(dc, rect);
  POINT cursor;
  ::GetCursorPos(&cursor);
  ::ScreenToClient(FHandle, &cursor);
  cursor.x -= FPaintOrigin.x;
  cursor.y -= FPaintOrigin.y;
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  const bool horizontal = Horizontal();
  const UpDownHalves halves = SplitUpDown(rect, horizontal);
  const TRect each[2] = {halves.first, halves.second};
  for (int i = 0; i < 2; ++i) {
    const ArrowState state = HalfState(FWindowEnabled, each[i].Contains(cursor.x, cursor.y),
                                       FMouseState.Pressed(), FMouseState.Hot());
    const TArrowDirection first = horizontal ? TArrowDirection::Left : TArrowDirection::Up;
    DrawArrowButton(dc, each[i], state, static_cast<TArrowDirection>(static_cast<int>(first) + i));
  }
}

void TSkinUpDown::SkinTaken() {
  for (TCachedPicture& half : FHalves)
    half.Clear();
}

void TSkinUpDown::DrawCell(HDC dc, TRect half, const TDataSkinBorder& strip, int cell,
                           bool second) {
  if (half.Width() <= 0 || half.Height() <= 0) return;
  TCachedPicture& picture = FHalves[second ? 1 : 0];
  const TPictureKey key{&strip, half.Width(), half.Height(), cell};
  if (!picture.Holds(key)) {
    const int cells = strip.FrameCount > 0 ? strip.FrameCount : kArrowCells;
    TBitmap& canvas = picture.Start(key);
    fw::StretchCopy(canvas, {0, 0, half.Width(), half.Height()}, strip.Bitmap,
                    FrameRect(strip.Bitmap, false, cells, cell));
    if (!strip.Bitmap2.Empty()) {
      // The glyph unstretched in the middle; its magenta leaves the cell showing.
      const TRect g = FrameRect(strip.Bitmap2, false, cells, cell);
      TBitmap glyph(g.Width(), g.Height(), fw::TPixelFormat::pf32bit);
      fw::CopyPixels(glyph, 0, 0, strip.Bitmap2, g);
      fw::DrawTransparent(canvas, (half.Width() - g.Width()) / 2, (half.Height() - g.Height()) / 2,
                          g.Width(), g.Height(), glyph, fw::kMagentaPixel);
    }
    picture.Finish(true);
  }
  picture.Draw(dc, half.Left, half.Top);
}

void TSkinUpDown::DrawArrowButton(HDC dc, TRect half, ArrowState state, TArrowDirection direction) {
  const bool second = direction == TArrowDirection::Down || direction == TArrowDirection::Right;
  const bool horizontal = direction == TArrowDirection::Left || direction == TArrowDirection::Right;
  const TSkinElements* e = FSkinData.Elements;
  const TDataSkinBorder* strip = e ? (horizontal ? e->UpDownHorz : e->UpDownVert).get() : nullptr;
  if (strip && !strip->Bitmap.Empty()) {
    DrawCell(dc, half, *strip, ArrowCell(state, second), second);
    return;
  }
  // Plain: a face, an outline and a small arrow head.
  const bool down = state == ArrowState::Pressed || state == ArrowState::Hot;
  FillColor(dc, half, SkinColour(down ? kButtonShadow : kButtonFace));
  fw::Brush outline(::CreateSolidBrush(SkinColour(kButtonDkShadow)));
  const RECT box = fw::ToRECT(half);
  ::FrameRect(dc, &box, outline.get());
  const int cx = half.Left + half.Width() / 2;
  const int cy = half.Top + half.Height() / 2 - (horizontal ? 0 : 2);
  fw::Pen pen(::CreatePen(PS_SOLID, 1,
                          SkinColour(state == ArrowState::Disabled ? kButtonShadow : kButtonText)));
  fw::SelectGuard select(dc, pen.get());
  for (int row = 0; row < 3; ++row) {
    // Rows of 1, 3 and 5 pixels from the tip.
    const int tip = second ? -row : row;
    if (horizontal) {
      ::MoveToEx(dc, cx - 1 + tip, cy - row, nullptr);
      ::LineTo(dc, cx - 1 + tip, cy + row + 1);
    } else {
      ::MoveToEx(dc, cx - row, cy + tip, nullptr);
      ::LineTo(dc, cx + row + 1, cy + tip);
    }
  }
}

// --- TTabScroller

bool TTabScroller::Find(HWND parent, const TControlSkinSource& skinData) {
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (AsciiLower(WindowClassName(c)) == "msctls_updown32") {
      Attach(c, skinData, false);
      return ::IsWindowVisible(c) != FALSE;
    }
  return false;
}

void TTabScroller::Attach(HWND scroller, const TControlSkinSource& skinData, bool horizontal) {
  if (!scroller || scroller == FWindow || ::SendMessageW(scroller, SM_ISSKINNED, 0, 0) == 1) return;
  FSkin = std::make_unique<TSkinUpDown>();
  if (horizontal) FSkin->SetHorizontal(true);
  FSkin->AttachWindow(scroller, skinData, nullptr);
  FWindow = scroller;
  ::InvalidateRect(scroller, nullptr, TRUE);
}

void TTabScroller::SkinChanged(const TControlSkinSource& skinData) {
  if (FSkin && ::IsWindow(FWindow)) FSkin->SkinChanged(skinData);
}

bool TTabScroller::Visible() const {
  return FWindow && ::IsWindow(FWindow) && ::IsWindowVisible(FWindow);
}

const TControlSkinKind kUpDownKind{"UpDown"_kind, MakeSkin<TSkinUpDown>};

} // namespace skin
