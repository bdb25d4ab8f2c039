#include "skin/controls/combo_box.h"

#include "framework/bitmap.h"
#include "framework/stdctrls.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/combo_list_scroll.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/combo_box_modes.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/core/skin_colours.h"
#include "skin/skin_messages.h"

#include <windowsx.h>

namespace skin {

namespace {

constexpr int kButtonCells = 4;
constexpr DWORD kComboTypeMask = 3; // CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST
constexpr LONG kInvisible = 0x8000; // STATE_SYSTEM_INVISIBLE
constexpr int kComposedButton = 2;  // ComboButton Style: one nine-part image
constexpr int kSimpleButton = 1;    // ComboButton Style: a plain cell beside a filled column

bool GetInfo(HWND combo, COMBOBOXINFO& info) {
  info = {};
  info.cbSize = sizeof info;
  return ::GetComboBoxInfo(combo, &info) != 0;
}

int Cells(const TDataSkinObject& e) {
  return e.FrameCount > 0 ? e.FrameCount : kButtonCells;
}

} // namespace

TSkinComBox::TSkinComBox() = default;

TSkinComBox::~TSkinComBox() {
  UnhookEdit();
}

void TSkinComBox::Attached() {
  Attach(true);
}

void TSkinComBox::Attach(bool withScrollSkins) {
  FStyle = static_cast<DWORD>(::GetWindowLongW(FHandle, GWL_STYLE));
  COMBOBOXINFO info;
  if ((FStyle & kComboTypeMask) != CBS_SIMPLE) {
    if (withScrollSkins && GetInfo(FHandle, info) && info.hwndList) {
      FDropScroll = std::make_unique<TComboxScrollBar>();
      FDropScroll->AttachWindow(info.hwndList, FSkinData, nullptr);
    }
    HookEdit();
    FListWnd = nullptr;
    return;
  }
  if (!GetInfo(FHandle, info)) return;
  FListWnd = info.hwndList;
  FStyle = static_cast<DWORD>(::GetWindowLongW(FListWnd, GWL_STYLE));
  if (withScrollSkins && (FStyle & WS_CHILD) && !(FStyle & WS_POPUP) &&
      ::GetParent(FListWnd) != ::GetDesktopWindow()) {
    FListScroll = std::make_unique<TSkinScrollbarH>();
    FListScroll->AttachWindow(FListWnd, FSkinData, nullptr);
  }
}

void TSkinComBox::HookEdit() {
  FEditWnd = ::GetWindow(FHandle, GW_CHILD);
  if (!FEditWnd) return;
  FEditProc = std::make_unique<TWindowSubclass>([this](UINT msg, WPARAM wParam, LPARAM lParam) {
    // The edit is skinned with its combo box.
    if (msg == SM_ISSKINNED) return LRESULT{1};
    const LRESULT result = FEditProc->PassOn(msg, wParam, lParam);
    try {
      switch (msg) {
      case WM_PAINT:
        if (FSkinOn) RedrawSkin(nullptr);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_LBUTTONUP:
        FMouseState.SetPressed(msg != WM_LBUTTONUP);
        if (FSkinOn) Refresh();
        break;
      case WM_NCDESTROY:
        FEditWnd = nullptr;
        break;
      default:
        break;
      }
    } catch (...) {
      // The edit works on without the combo's skin.
    }
    return result;
  });
  if (!FEditProc->Hook(FEditWnd)) {
    FEditProc.reset();
    FEditWnd = nullptr;
  }
}

void TSkinComBox::UnhookEdit() {
  if (FEditProc) FEditProc->Unhook();
  FEditProc.reset();
}

void TSkinComBox::Deactivate() {
  TSkinControl::Deactivate();
  UnhookEdit();
  if (FListScroll) FListScroll->Deactivate();
  if (FDropScroll) FDropScroll->Deactivate();
  FListScroll.reset();
  FDropScroll.reset();
}

void TSkinComBox::SkinSwitched(bool on) {
  TSkinControl::SkinSwitched(on);
  // The list's scroll bars go and come with the combo box's skin.
  for (TSkinControl* list : {static_cast<TSkinControl*>(FListScroll.get()),
                             static_cast<TSkinControl*>(FDropScroll.get())})
    if (list && list->State() != TSkinLife::Destroyed) list->SwitchSkin(on);
}

void TSkinComBox::SkinTaken() {
  if (FListScroll) FListScroll->SkinChanged(FSkinData);
  if (FDropScroll) FDropScroll->SkinChanged(FSkinData);
}

void TSkinComBox::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    // The combo repaints itself; its WM_PAINT brings the button along.
    break;
  case WM_MOUSEMOVE:
    MouseMove(message.LParam);
    break;
  case WM_DRAWITEM:
  case WM_NCPAINT:
    // An extended combo box draws the item of the combo box inside it: repainting its own
    // window would paint over that child, so only the skin is drawn again.
    if (FExtended)
      RedrawSkin(nullptr);
    else
      Refresh();
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    FMouseState.SetPressed(true);
    Refresh();
    break;
  case WM_LBUTTONUP:
    FMouseState.SetPressed(false);
    Refresh();
    break;
  case WM_MOUSELEAVE:
    if (FMouseState.Hot()) {
      FMouseState.SetHot(false);
      Refresh();
    }
    break;
  case WM_CAPTURECHANGED:
    // The list closed with the press still marked (the button-up went elsewhere).
    if (FMouseState.Pressed() && !(::GetKeyState(VK_LBUTTON) & 0x8000)) {
      FMouseState.SetPressed(false);
      Refresh();
    }
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinComBox::MouseMove(LPARAM point) {
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const RECT button = fw::ToRECT(FButtonRect);
  const bool inside = ::PtInRect(&button, p) != 0;
  const bool enabled = ::IsWindowEnabled(FHandle) != 0;
  if (!FMouseState.Hot() && inside && enabled) {
    FMouseState.SetHot(true);
    Refresh();
  } else if (FMouseState.Hot() && !inside && enabled) {
    FMouseState.SetHot(false);
    Refresh();
  }
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
  ::TrackMouseEvent(&track);
}

ComboButtonCell TSkinComBox::CurrentCell() const {
  if (!FWindowEnabled) return ComboButtonCell::Disabled;
  if (FMouseState.Pressed()) return ComboButtonCell::Pressed;
  if (FFocused || FMouseState.Hot()) return ComboButtonCell::HotOrFocused;
  return ComboButtonCell::Normal;
}

void TSkinComBox::DrawSkin(HDC dc, TRect rect) {
  const TDataSkinBorder* button =
      FSkinData.Elements ? FSkinData.Elements->ComboButton.get() : nullptr;
  if (!button || button->Bitmap.Empty()) return;
  FStyle = static_cast<DWORD>(::GetWindowLongW(FHandle, GWL_STYLE));
  FExStyle = static_cast<DWORD>(::GetWindowLongW(FHandle, GWL_EXSTYLE));
  COMBOBOXINFO info;
  if (GetInfo(FHandle, info)) {
    FButtonRect = {info.rcButton.left, info.rcButton.top, info.rcButton.right,
                   info.rcButton.bottom};
    if (info.stateButton & kInvisible) return; // a simple combo has no button
  }
  if (button->Style == kSimpleButton) {
    DrawSimpleVariant(dc, rect);
    return;
  }
  FFocused = ::GetFocus() == FHandle || (FEditWnd && ::GetFocus() == FEditWnd);
  FWindowEnabled = !(FStyle & WS_DISABLED);
  const ComboButtonCell cell = CurrentCell();
  if (FExtended) {
    DrawExtended(dc, rect, cell);
    return;
  }
  if (button->Style == kComposedButton) {
    const TDataSkinObject* face = button;
    if ((FExStyle & WS_EX_LEFTSCROLLBAR) && FSkinData.Elements->SunkEdge)
      face = FSkinData.Elements->SunkEdge.get();
    // The composed image is magenta where the combo shows its own text.
    DrawElementFrame(dc, rect, Cells(*face), static_cast<int>(cell), *face, true);
    return;
  }
  DrawParts(dc, rect, cell);
}

void TSkinComBox::DrawParts(HDC dc, TRect rect, ComboButtonCell cell) {
  const TSkinElements& e = *FSkinData.Elements;
  const TDataSkinBorder& button = *e.ComboButton;
  const int s = ::GetSystemMetrics(SM_CXHSCROLL);
  const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  TRect inner, column, glyph;
  if (!left) {
    inner = {2, 2, rect.Right - s - 4, rect.Bottom - 2};
    column = {rect.Right - s - 2, rect.Top, rect.Right, rect.Bottom};
    glyph = {column.Left, rect.Top, rect.Right - 2, rect.Bottom};
  } else {
    inner = {s + 4, 2, rect.Right - 2, rect.Bottom - 2};
    column = {rect.Left, rect.Top, rect.Left + s + 2, rect.Bottom};
    glyph = {2, rect.Top, s + 2, rect.Bottom};
  }
  const TBitmap& image = left && !button.Bitmap2.Empty() ? button.Bitmap2 : button.Bitmap;
  const int saved = ::SaveDC(dc);
  ::ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
  if (e.SunkEdge && !e.SunkEdge->Bitmap.Empty())
    DrawElementFrame(dc, rect, Cells(*e.SunkEdge), static_cast<int>(cell), *e.SunkEdge);
  DrawFrame(dc, column, image, true, Cells(button), static_cast<int>(cell));
  FButtonRect = column;
  if (e.ExtraImages && !e.ExtraImages->Bitmap.Empty())
    DrawFrameCentred(dc, glyph, e.ExtraImages->Bitmap, true, Cells(*e.ExtraImages),
                     static_cast<int>(cell));
  ::RestoreDC(dc, saved);
}

void TSkinComBox::DrawExtended(HDC dc, TRect rect, ComboButtonCell cell) {
  RECT client;
  ::GetClientRect(FHandle, &client);
  if (client.right < rect.Width() && client.bottom < rect.Height()) DrawShadowRing(dc, rect, 1);
  // The button belongs to the combo box inside, which paints over its parent: the arrow goes
  // onto that window itself, over its button only, so that its text stays readable.
  const TDataSkinObject* arrow = FSkinData.Elements->ComboxArrow.get();
  COMBOBOXINFO info;
  if (!FEditWnd || !arrow || arrow->Bitmap.Empty() || !GetInfo(FEditWnd, info) ||
      (info.stateButton & kInvisible))
    return;
  RECT window;
  ::GetWindowRect(FEditWnd, &window);
  POINT origin{0, 0};
  ::ClientToScreen(FEditWnd, &origin);
  RECT r = info.rcButton;
  ::OffsetRect(&r, origin.x - window.left, origin.y - window.top);
  const TRect button = fw::ToTRect(r);
  HDC inner = ::GetWindowDC(FEditWnd);
  if (!inner) return;
  FillFace(inner, button);
  DrawFrame(inner, button, arrow->Bitmap, true, Cells(*arrow), static_cast<int>(cell));
  ::ReleaseDC(FEditWnd, inner);
  // The button in this window's coordinates, for hot tracking.
  ::GetWindowRect(FHandle, &window);
  RECT screen = info.rcButton;
  ::MapWindowPoints(FEditWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  FButtonRect = {screen.left - window.left, screen.top - window.top, screen.right - window.left,
                 screen.bottom - window.top};
}

void TSkinComBox::DrawSimpleVariant(HDC dc, TRect rect) {
  const TDataSkinBorder& button = *FSkinData.Elements->ComboButton;
  FFocused = ::GetFocus() == FHandle;
  FWindowEnabled = !(FStyle & WS_DISABLED);
  const ComboButtonCell cell = CurrentCell();
  const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  HBRUSH background = static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH));
  RECT r{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  ::FrameRect(dc, &r, background);
  ::InflateRect(&r, -1, -1);
  const int thumb = ::GetSystemMetrics(SM_CYVTHUMB);
  RECT filled = r;
  if (left)
    filled.right = filled.left + thumb;
  else
    filled.left = filled.right - thumb;
  ::FillRect(dc, &filled, background);
  FrameColour(dc, rect, SkinColour(kButtonShadow));
  const int cellWidth = button.Bitmap.Width() / Cells(button);
  TRect cellRect = fw::ToTRect(r);
  if (left)
    cellRect.Right = cellRect.Left + cellWidth;
  else
    cellRect.Left = cellRect.Right - cellWidth;
  if (button.Bitmap.Height() < thumb) cellRect.Bottom = cellRect.Top + button.Bitmap.Height();
  FButtonRect = cellRect;
  DrawFrame(dc, cellRect, button.Bitmap, true, Cells(button), static_cast<int>(cell));
}

namespace {
// The combo box of an extended combo box control is drawn in its own way.
std::unique_ptr<TSkinControl> MakeComboBox(const ControlDecision& decision) {
  auto combo = std::make_unique<TSkinComBox>();
  combo->SetExtended(decision.mode == kExtendedCombo);
  return combo;
}
} // namespace

const TControlSkinKind kComboBoxKind{"ComboBox"_kind, MakeComboBox, false,
                                     ProbeIsA<"ComboBox", fw::TComboBox>};

} // namespace skin
