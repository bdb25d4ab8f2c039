#include "skin/controls/date_time.h"

#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/skin_colours.h"
#include "skin/skin_messages.h"

#include <windowsx.h>

namespace skin {

namespace {

constexpr wchar_t kArrowClass[] = L"TArrowButton";
constexpr int kArrowCells = 4;
constexpr int kNormalCell = 1, kHotCell = 4;

} // namespace

// --- TArrowButton

TArrowButton::TArrowButton(HWND target, const TControlSkinSource& skin)
    : FSkin(skin), FArrowWidth(::GetSystemMetrics(SM_CXHSCROLL)), FTargetWnd(target) {
  FWindow = std::make_unique<TSkinChildWindow>(
      kArrowClass, WS_EX_NOPARENTNOTIFY, WS_CHILD | WS_VISIBLE, target,
      [this](fw::TMessage& message) { return WindowMessage(message); });
  FWnd = FWindow->Handle();
  // The picker must not paint its own button over the arrow.
  const LONG style = ::GetWindowLongW(target, GWL_STYLE);
  ::SetWindowLongW(target, GWL_STYLE, style | WS_CLIPCHILDREN);
}

TArrowButton::~TArrowButton() = default;

void TArrowButton::Place(bool left) {
  if (!FWnd) return;
  RECT client;
  ::GetClientRect(FTargetWnd, &client);
  const int x = left ? 0 : client.right - FArrowWidth;
  RECT now;
  ::GetWindowRect(FWnd, &now);
  ::MapWindowPoints(nullptr, FTargetWnd, reinterpret_cast<POINT*>(&now), 2);
  if (now.left != x || now.top != 0 || now.right - now.left != FArrowWidth ||
      now.bottom != client.bottom)
    ::SetWindowPos(FWnd, HWND_TOP, x, 0, FArrowWidth, client.bottom, SWP_NOACTIVATE);
}

TMessageAnswer TArrowButton::WindowMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
    Paint();
    break;
  case WM_MOUSEMOVE: {
    if (!FHot) SetHot(true);
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FWnd, 0};
    ::TrackMouseEvent(&track);
    break;
  }
  case WM_MOUSELEAVE:
    SetHot(false);
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseDown(message.WParam, message.LParam);
    break;
  case WM_LBUTTONUP:
    ::SetFocus(FTargetWnd);
    break;
  default:
    return TMessageAnswer::PassOn;
  }
  message.Result = 0;
  return TMessageAnswer::Handled;
}

void TArrowButton::SetHot(bool hot) {
  if (!::IsWindowEnabled(FTargetWnd) || FHot == hot) return;
  FHot = hot;
  ::InvalidateRect(FWnd, nullptr, FALSE);
}

void TArrowButton::MouseDown(WPARAM keys, LPARAM point) {
  POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ::MapWindowPoints(FWnd, FTargetWnd, &p, 1);
  // The picker opens its calendar as if its own button was clicked.
  ::PostMessageW(FTargetWnd, WM_LBUTTONDOWN, keys, MAKELPARAM(p.x, p.y));
  ::PostMessageW(FTargetWnd, WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
  ::InvalidateRect(FWnd, nullptr, FALSE);
}

void TArrowButton::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(FWnd, &ps);
  RECT client;
  ::GetClientRect(FWnd, &client);
  if (dc && FSkin.Elements) {
    fw::Brush face(::CreateSolidBrush(FSkin.Elements->Colour(kButtonFace) & 0xFFFFFF));
    ::FillRect(dc, &client, face.get());
    const TDataSkinObject* arrow = FSkin.Elements->ComboxArrow.get();
    if (arrow && !arrow->Bitmap.Empty())
      DrawFrame(dc, {0, 0, client.right, client.bottom}, arrow->Bitmap, false, kArrowCells,
                FHot ? kHotCell : kNormalCell);
  }
  ::EndPaint(FWnd, &ps);
}

// --- TSkinDateTime

void TSkinDateTime::Attached() {
  TCompanionSkin::Attached();
  RedrawSkin(nullptr);
}

void TSkinDateTime::MakeCompanion() {
  if (!FCompanion) FCompanion = std::make_unique<TArrowButton>(FHandle, FSkinData);
}

void TSkinDateTime::AfterMessage(fw::TMessage& message) {
  if (message.Msg == WM_SIZE && FCompanion) ::InvalidateRect(FCompanion->Handle(), nullptr, FALSE);
  TSkinControl::AfterMessage(message);
}

void TSkinDateTime::DrawSkin(HDC dc, TRect rect) {
  if (FCompanion)
    FCompanion->Place((::GetWindowLongW(FHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0);
  if (!FSkinData.Elements) return;
  RECT client;
  ::GetClientRect(FHandle, &client);
  if (client.right >= rect.Width() || client.bottom >= rect.Height()) return;
  DrawShadowRing(dc, rect, 1);
}

const TControlSkinKind kDateTimeKind{"DateTime"_kind, MakeSkin<TSkinDateTime>};

} // namespace skin
