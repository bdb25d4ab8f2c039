#include "skin/controls/scroll_bar.h"

#include "framework/bitmap.h"
#include "framework/list_view.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/scroll_bar_traits.h"
#include "skin/controls/list_view.h"
#include "skin/controls/scroll_control.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

namespace skin {

namespace {

void ToWindowCoordinates(HWND wnd, RECT& r) {
  RECT window;
  ::GetWindowRect(wnd, &window);
  ::OffsetRect(&r, -window.left, -window.top);
}

constexpr wchar_t kFixedColor[] = L"FixedColor";

bool HasIntegerProperty(fw::TWinControl& control, const wchar_t* name) {
  const fw::TPropInfo* p = fw::FindProperty(control, name);
  return p && p->Kind == fw::TPropKind::Integer && p->SetOrd;
}

} // namespace

void TSkinScrollbar::Attached() {
  if (FControl) {
    const auto border = fw::GetEnumProp(*FControl, L"BorderStyle");
    FBorder = border && AsciiLower(fw::WideToUtf8(*border)) != "bsnone" && !FParentBackgroundOff;
    TakeFixedColour();
  }
  MakeBars();
}

void TSkinScrollbar::TakeFixedColour() {
  if (!FControl || !HasIntegerProperty(*FControl, kFixedColor)) return;
  FSavedFixedColour = static_cast<fw::TColor>(fw::GetOrdProp(*FControl, kFixedColor).value_or(0));
  FFixedColourSet = true;
  FixedColourToFace();
}

void TSkinScrollbar::GiveBackFixedColour() {
  if (FFixedColourSet && FControl && FState != TSkinLife::Destroyed)
    fw::SetOrdProp(*FControl, kFixedColor, static_cast<int>(FSavedFixedColour));
  FFixedColourSet = false;
}

void TSkinScrollbar::FixedColourToFace() {
  if (FFixedColourSet && FControl && FSkinData.Elements)
    fw::SetOrdProp(*FControl, kFixedColor, static_cast<int>(SkinColour(kButtonFace)));
}

void TSkinScrollbar::SkinChanged(const TControlSkinSource& skinData) {
  // The control's own colour stays saved: only the face colour is taken up again.
  TSkinControl::SkinChanged(skinData);
  FixedColourToFace();
}

void TSkinScrollbar::MakeBars() {
  FHorzBar = std::make_unique<TWScrollbar>(FSkinData);
  FHorzBar->AttachToWindow(FHandle, ScrollBarKind::Horizontal);
  FVertBar = std::make_unique<TWScrollbar>(FSkinData);
  FVertBar->AttachToWindow(FHandle, ScrollBarKind::Vertical);
  RedrawSkin(nullptr);
}

void TSkinScrollbar::Deactivate() {
  GiveBackFixedColour();
  TSkinControl::Deactivate();
  if (FState != TSkinLife::Destroyed) DropBars();
}

void TSkinScrollbar::DropBars() {
  FHorzBar.reset();
  FVertBar.reset();
  ::RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); // the system's bars
}

void TSkinScrollbar::SkinSwitched(bool on) {
  TSkinControl::SkinSwitched(on);
  if (on) {
    TakeFixedColour();
    MakeBars();
  } else {
    GiveBackFixedColour();
    DropBars();
  }
}

void TSkinScrollbar::PlaceBars() {
  for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
    if (bar) bar->Place();
}

void TSkinScrollbar::RepaintBars() {
  for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
    if (bar) bar->Repaint();
}

TMessageAnswer TSkinScrollbar::BeforeMessage(fw::TMessage& message) {
  if (message.Msg == WM_NCPAINT && FBorder) {
    if (!CallOldProc(message)) return TMessageAnswer::Handled;
    HDC dc = ::GetWindowDC(FHandle);
    if (dc) {
      DrawBorder(dc);
      ::ReleaseDC(FHandle, dc);
    }
    RedrawSkin(nullptr);
    return TMessageAnswer::Handled;
  }
  if (message.Msg == fw::CM_RECREATEWND) {
    RecreateWindow(message);
    return TMessageAnswer::Handled;
  }
  return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::RecreateWindow(fw::TMessage& message) {
  // The old window's end lets go of the control and of its window method: keep what is needed
  // to hand the control a fresh skin once its new window exists.
  fw::TWinControl* control = FControl;
  TControlSkinOwner* skinForm = FSkinForm;
  const HWND old = FHandle;
  const fw::TWndMethod controlProc = FOldWindowProc;
  // The fresh skin saves the control's own FixedColor, not the face colour shown now.
  if (FFixedColourSet && control) fw::SetOrdProp(*control, kFixedColor, FSavedFixedColour);
  FFixedColourSet = false;
  if (controlProc)
    controlProc(message);
  else
    CallOldProc(message);
  if (!control || !skinForm) return;
  FRecreatedControl = control;
  ::PostMessageW(skinForm->Handle(), SM_RESKINSCROLL, reinterpret_cast<WPARAM>(old), 0);
}

std::optional<TSkinControl::TRenewal> TSkinScrollbar::Renewal() const {
  return TRenewal{FControl ? FControl : FRecreatedControl, Decide("Scrollbar"_kind)};
}

void TSkinScrollbar::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_SIZE:
  case WM_WINDOWPOSCHANGED:
  case WM_SHOWWINDOW:
    PlaceBars();
    break;
  case WM_HSCROLL:
  case WM_VSCROLL: {
    TWScrollbar* bar = message.Msg == WM_HSCROLL ? FHorzBar.get() : FVertBar.get();
    if (bar) {
      bar->SetHotPart(static_cast<ScrollPart>(LOWORD(message.WParam)));
      bar->Repaint();
    }
    break;
  }
  case WM_MOUSEWHEEL:
  case WM_ENABLE:
  case WM_KEYDOWN:
    RepaintBars();
    break;
  case WM_NCPAINT:
    RedrawSkin(nullptr);
    break;
  case SM_PAINTFRAMEDC:
    if (message.LParam != kSkinMagic) break;
    if (message.WParam) DrawBorder(reinterpret_cast<HDC>(message.WParam));
    message.Result = kSkinMagic;
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinScrollbar::DrawBorder(HDC dc) {
  RECT window;
  ::GetWindowRect(FHandle, &window);
  RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  fw::Brush shadow(::CreateSolidBrush(SkinColour(kButtonShadow)));
  fw::Brush face(::CreateSolidBrush(SkinColour(kButtonFace)));
  ::FrameRect(dc, &r, shadow.get());
  ::InflateRect(&r, -1, -1);
  ::FrameRect(dc, &r, face.get());
}

bool TSkinScrollbar::SizeBox(RECT& box) const {
  if (!FHorzBar || !FVertBar || !FHorzBar->Shown() || !FVertBar->Shown()) return false;
  SCROLLBARINFO h{}, v{};
  h.cbSize = v.cbSize = sizeof h;
  if (!::GetScrollBarInfo(FHandle, OBJID_HSCROLL, &h) ||
      !::GetScrollBarInfo(FHandle, OBJID_VSCROLL, &v))
    return false;
  box = {v.rcScrollBar.left, h.rcScrollBar.top, v.rcScrollBar.right, h.rcScrollBar.bottom};
  ToWindowCoordinates(FHandle, box);
  return true;
}

void TSkinScrollbar::DrawSkin(HDC dc, TRect /*rect*/) {
  const LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
    if (!bar) continue;
    const LONG needs = bar->Kind() == ScrollBarKind::Vertical ? WS_VSCROLL : WS_HSCROLL;
    if (bar->Shown())
      bar->Repaint();
    else if (style & needs)
      bar->Place(); // a bar that appeared since gets its overlay now
  }
  RECT box;
  if (FSkinData.Elements && SizeBox(box)) FillFace(dc, fw::ToTRect(box));
}

namespace {
// A lone scroll-bar control gets one overlay; a list view overlays over its window's bars and
// skins its column header; everything else overlays over its window's bars.
std::unique_ptr<TSkinControl> MakeScrollbar(const ControlDecision& decision) {
  if (decision.mode == kSingleScrollbar) return std::make_unique<TSkinScControl>();
  if (decision.mode == kListViewBars) return std::make_unique<TSkinListView>();
  return std::make_unique<TSkinScrollbar>();
}
constexpr TTraitProbe kScrollbarProbes[] = {{kListViewTrait, IsA<fw::TListView>},
                                            {kMemoTrait, IsA<fw::TMemo>},
                                            {kListBoxTrait, IsA<fw::TListBox>}};
} // namespace

const TControlSkinKind kScrollbarKind{"Scrollbar"_kind, MakeScrollbar, false, kScrollbarProbes};

} // namespace skin
