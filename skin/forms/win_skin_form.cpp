#include "skin/forms/win_skin_form.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "framework/font_fallback.h"
#include "framework/form.h"
#include "skin/controls/control_table.h"
#include "skin/controls/list_view.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/speed_button.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_menus.h"
#include "skin/forms/skin_manager.h"
#include "skin/forms/skin_paint.h"
#include "skin/forms/window_class.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {

namespace {

constexpr UINT_PTR kHoverTimer = 0x5EED;
constexpr UINT kHoverInterval = 250;
// The framework's hint timing: a caption-button hint shows after 2 x HintPause of rest over the
// button, for HintHidePause.
constexpr int kHintPause = 500, kHintHidePause = 2500;
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED; // 0x37

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

COLORREF ToColorRef(TColor colour) {
  return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// The device context of the whole window, non-client area included.
class NonClientDC {
public:
  explicit NonClientDC(HWND wnd) : wnd_(wnd), dc_(wnd ? ::GetWindowDC(wnd) : nullptr) {}
  NonClientDC(const NonClientDC&) = delete;
  NonClientDC& operator=(const NonClientDC&) = delete;
  ~NonClientDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }

private:
  HWND wnd_;
  HDC dc_;
};

// The manager's switch for a maximized MDI child, when a manager runs (a form skin also works on
// its own).
void TellMdiMaximized(bool maximized) {
  if (TSkinManage* manager = SkinManager()) manager->SetMdiMaximized(maximized);
}

bool ManagerKnowsMdiMaximized() {
  const TSkinManage* manager = SkinManager();
  return manager && manager->MdiMaximized;
}

fw::Font CaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return fw::Font(::CreateFontIndirectW(&metrics.lfCaptionFont));
  return fw::Font(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

} // namespace

TWinSkinForm::TWinSkinForm(TFormSkinSource source)
    : fw::TComponent(nullptr), FSource(source),
      FSubclass([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return SkinWndProc(msg, wParam, lParam);
      }),
      FClientSubclass([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return ClientWndProc(msg, wParam, lParam);
      }),
      FCaptionFont(CaptionFont()), FMenus(std::make_unique<TFormMenus>(*this)) {}

TWinSkinForm::~TWinSkinForm() {
  FreeControls();
  if (FSubclass.Hooked()) {
    ::KillTimer(FHandle, kHoverTimer);
    FSubclass.Unhook(); // quietly: the window keeps whatever it has
  }
}

const TDataSkinBorder& TWinSkinForm::Border(int index) const {
  const TSkinElements& e = *FSource.Elements;
  switch (index) {
  case 1:
    return *e.Left;
  case 2:
    return *e.Right;
  case 3:
    return *e.Top;
  default:
    return *e.Bottom;
  }
}

TColor TWinSkinForm::SkinColour(int index) const {
  return FSource.Elements ? FSource.Elements->Colour(index) : 0;
}

bool TWinSkinForm::HookWindow(HWND wnd) {
  if (FSubclass.Hooked() || !::IsWindow(wnd)) return false;
  FHandle = wnd;
  FForm = dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(wnd));
  if (FForm && FSource.Component && FSource.Component->OnBeforeSkinForm)
    FSource.Component->OnBeforeSkinForm(FForm, FHandle, FName);
  FStyle = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_STYLE));
  FFrameAllowed = FSource.SkinControls.Contains(xcMainMenu);
  WindowKindFacts facts;
  facts.style = FStyle;
  facts.exStyle = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_EXSTYLE));
  facts.className = WindowClassName(wnd);
  facts.hasSystemMenu = ::GetSystemMenu(wnd, FALSE) != nullptr;
  facts.hasOwner = ::GetWindow(wnd, GW_OWNER) != nullptr;
  FClientWnd = ::FindWindowExW(wnd, nullptr, L"MDIClient", nullptr);
  facts.hasMdiClient = FClientWnd != nullptr;
  const OSVERSIONINFOW& version = SystemVersion();
  facts.osMajor = static_cast<int>(version.dwMajorVersion);
  facts.osMinor = static_cast<int>(version.dwMinorVersion);
  FKind = ClassifyWindow(facts);
  if (FKind.IsMdiChild() && FSource.Options.Contains(xoMDIChildBorder)) FFrameAllowed = false;
  FSkinFrame = FFrameAllowed;
  ReadWindowState();
  if (!FSubclass.Hook(wnd)) return false;
  if (FKind.mdiKind == kMdiFrame && FClientWnd) {
    if (FSource.Component) FSavedMenuUpdate = FSource.Component->MenuUpdate;
    FClientSubclass.Hook(FClientWnd);
  }
  if (FSkinFrame) FMenus->Hooked();
  if (FSkinFrame)
    CalcFrame();
  else
    FState = 1;
  if (FForm && FSkinFrame && FSource.Elements) {
    // The form's background joins the skin; it gets its own colour back at unhook.
    FSavedColor = FForm->Color();
    FForm->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  }
  if (FKind.IsMdiChild() && FWindowState == kStateMaximized) TellMdiMaximized(true);
  return true;
}

void TWinSkinForm::CalcFrame() {
  if (!FSource.Elements) return;
  const TSkinElements& e = *FSource.Elements;
  FFrame = CalcFrameSizes(FKind.borderKind, *e.Left, *e.Top, *e.Right, *e.Bottom);
  // The menu bar's strip under the caption, or an MDI child's strip under a low caption.
  FMenuHeight =
      FMenus->HasMenuBar()
          ? FMenus->MenuBarHeight()
          : MdiChildCaptionPad(FKind, FFrame.top,
                               ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME));
  FHotObject = nullptr;
  FBorderCache = {}; // a new skin: render the borders anew
  FButtons.clear();
  for (const auto& descriptor : e.CaptionButtons) {
    TWinSysButton button;
    button.FData = descriptor.get();
    FButtons.push_back(button);
  }
}

void TWinSkinForm::ReadWindowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::GetWindowPlacement(FHandle, &placement))
    FWindowState = WindowStateFromShowCmd(placement.showCmd);
}

int TWinSkinForm::StyleWindowState() const {
  const LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  if (style & WS_MINIMIZE) return kStateMinimized;
  if (style & WS_MAXIMIZE) return kStateMaximized;
  return kStateNormal;
}

bool TWinSkinForm::MaximizedMdiChild() const {
  return FKind.IsMdiChild() && StyleWindowState() == kStateMaximized;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (FKind.caps & kCapKeepStyle) return;
  LONG style = ::GetWindowLongW(FHandle, GWL_STYLE);
  if (remove)
    style &= ~WS_SYSMENU;
  else if (FKind.caps & kCapSystemMenu)
    style |= WS_SYSMENU;
  ::SetWindowLongW(FHandle, GWL_STYLE, style);
  FStyle = static_cast<std::uint32_t>(style);
}

void TWinSkinForm::StartSkin() {
  FSkinStarted = true;
  RECT window, client;
  ::GetWindowRect(FHandle, &window);
  ::GetClientRect(FHandle, &client);
  MakeIconBitmap();
  FStdFrame = {0, 0, (window.right - window.left) - client.right,
               (window.bottom - window.top) - client.bottom};
  FClientRect = client;
  FClientRect.bottom -= FMenus->ClientGrowth(); // the system's menu bar went before the start
  DiscoverControls();
  if (FState == 0 && FSkinFrame) {
    if (FKind.IsMdiChild()) {
      StartMdiChild();
    } else if (!FKind.isChild && FKind.borderKind != kBorderNone &&
               FWindowState != kStateMinimized) {
      FState = 5;
      FitWindow(false);
      FState = 1;
      if (FWindowState == kStateNormal)
        UpdateRegion();
      else
        ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
    }
    // A bare window painted before it was skinned kept its old background where the fitting
    // left the client valid: all of it takes the skin's face colour now.
    if (IsBareWindow() && FSource.Elements)
      ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  ::SendMessageW(FHandle, SM_SKINNEDNOTICE, 0, kSkinMagic);
  if (FSource.Component && FSource.Component->OnAfterSkinForm)
    FSource.Component->OnAfterSkinForm(FForm, FHandle, FName);
  FState = 1;
  ::SetTimer(FHandle, kHoverTimer, kHoverInterval, nullptr);
}

void TWinSkinForm::DiscoverControls() {
  DropDeadControls();
  TControlDiscovery discovery(TDiscoveryRules::From(FSource.Component, FSource.Elements, this));
  if (auto* form = fw::TWinControl::FromHandle(FHandle))
    discovery.DiscoverForm(*form);
  else
    discovery.DiscoverWindows(FHandle);
  FDiscovered = discovery.Results();
  AttachControlSkins(FDiscovered);
  if (FForm) FMenus->SkinPopupMenus(true);
}

void TWinSkinForm::OfferChildWindow(HWND child) {
  TControlDiscovery discovery(TDiscoveryRules::From(FSource.Component, FSource.Elements, this));
  discovery.MatchWindow(child);
  for (const TDiscoveredControl& found : discovery.Results())
    FDiscovered.push_back(found);
  AttachControlSkins(discovery.Results());
}

void TWinSkinForm::AttachControlSkins(const std::vector<TDiscoveredControl>& found) {
  for (const TDiscoveredControl& each : found) {
    try {
      AttachControlSkin(each);
    } catch (...) {
      // A control whose skin cannot be attached keeps its own look.
    }
  }
}

void TWinSkinForm::AttachControlSkin(const TDiscoveredControl& found) {
  const ControlDecision& decision = found.Decision;
  auto* windowed = dynamic_cast<fw::TWinControl*>(found.Control);
  if (windowed && decision.setTransparent) fw::SetEnumProp(*windowed, L"Transparent", L"True");
  if (found.Control && decision.buttonFaceColour && FSource.Elements)
    found.Control->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));

  std::unique_ptr<TSkinControl> skin;
  bool setColor = false;
  if (auto* given = dynamic_cast<TSkinControl*>(found.HandlerSkin)) {
    // A control skin from the application's OnSkinControl handler belongs to this window skin
    // from now on, like every skin registered here.
    if (AddControl(given)) return; // listed already: attached before
    skin = RemoveControl(given);
  } else if (const TControlSkinKind* row = FindControlSkinKind(decision.kind)) {
    skin = row->create(decision);
    setColor = row->setColor;
  }
  if (auto* graphic = dynamic_cast<fw::TGraphicControl*>(found.Control)) {
    // A control without a window: only a skin that can take over its window method fits.
    auto* speed = dynamic_cast<TSkinSpeedButton*>(skin.get());
    if (!speed || graphic->Perform(SM_ISSKINNED) == 1) return;
    FControls.push_back(std::move(skin));
    speed->AttachSpeedButton(*graphic, this, {FSource.Elements, FSource.Options}, &FControlCanvas);
    return;
  }
  if (!skin || !found.Window || IsControlSkinned(found.Window)) return;
  TSkinControl* raw = skin.get();
  FControls.push_back(std::move(skin));
  const TControlSkinSource source{FSource.Elements, FSource.Options, FSource.SkinControls};
  if (windowed)
    raw->AttachControl(*windowed, this, source, setColor, &FControlCanvas);
  else
    raw->AttachWindow(found.Window, source, this, &FControlCanvas);
}

void TWinSkinForm::ReskinScroll(HWND control) {
  for (size_t i = FControls.size(); i-- > 0;) {
    if (FControls[i]->Handle() != control) continue;
    fw::TWinControl* target = FControls[i]->Control();
    if (auto* bars = dynamic_cast<TSkinScrollbar*>(FControls[i].get()); bars && !target)
      target = bars->RecreatedControl();
    ControlDecision decision;
    decision.kind = SkinnerKind::Scrollbar;
    if (dynamic_cast<TSkinListView*>(FControls[i].get())) decision.mode = SkinnerMode::ListView;
    std::unique_ptr<TSkinControl> old = std::move(FControls[i]);
    FControls.erase(FControls.begin() + static_cast<std::ptrdiff_t>(i));
    if (old->State() != TSkinLife::Destroyed) old->Deactivate();
    old.reset();
    // A control freed since it asked keeps nothing to skin.
    if (target && OwnsControl(target))
      AttachControlSkin({target, target->Handle(), {}, decision, nullptr});
    return;
  }
}

bool TWinSkinForm::OwnsControl(const fw::TControl* control) const {
  auto* root = fw::TWinControl::FromHandle(FHandle);
  if (!root) return false;
  std::vector<const fw::TWinControl*> open{root};
  while (!open.empty()) {
    const fw::TWinControl* parent = open.back();
    open.pop_back();
    for (const fw::TControl* child : parent->Controls()) {
      if (child == control) return true;
      if (auto* windowed = dynamic_cast<const fw::TWinControl*>(child)) open.push_back(windowed);
    }
  }
  return false;
}

bool TWinSkinForm::AddControl(TSkinControl* skin) {
  if (!skin) return false;
  for (const auto& listed : FControls)
    if (listed.get() == skin) return true;
  FControls.emplace_back(skin);
  return false;
}

std::unique_ptr<TSkinControl> TWinSkinForm::RemoveControl(TSkinControl* skin) {
  for (size_t i = FControls.size(); i-- > 0;)
    if (FControls[i].get() == skin) {
      std::unique_ptr<TSkinControl> taken = std::move(FControls[i]);
      FControls.erase(FControls.begin() + static_cast<std::ptrdiff_t>(i));
      return taken;
    }
  return nullptr;
}

bool TWinSkinForm::IsControlSkinned(HWND control) const {
  if (::SendMessageW(control, SM_ISSKINNED, 0, 0) == 1) return true;
  for (const auto& listed : FControls)
    if (listed->Handle() == control && listed->State() != TSkinLife::Destroyed) return true;
  return false;
}

void TWinSkinForm::DropDeadControls() {
  for (size_t i = FControls.size(); i-- > 0;)
    if (FControls[i]->State() == TSkinLife::Destroyed)
      FControls.erase(FControls.begin() + static_cast<std::ptrdiff_t>(i));
}

void TWinSkinForm::FreeControls() {
  // Taken out first: freeing a skin gives its control back, which may send messages here.
  std::vector<std::unique_ptr<TSkinControl>> controls = std::move(FControls);
  FControls.clear();
  for (auto& skin : controls) {
    if (FState != 4 && skin->State() != TSkinLife::Destroyed) skin->Deactivate();
    skin.reset();
  }
}

void TWinSkinForm::ControlsSkinChanged() {
  const TControlSkinSource source{FSource.Elements, FSource.Options, FSource.SkinControls};
  for (const auto& skin : FControls)
    if (skin->State() != TSkinLife::Destroyed) skin->SkinChanged(source);
}

void TWinSkinForm::SkinChanged() {
  if (FForm && FSource.Elements) FForm->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  ControlsSkinChanged();
  FState = 3;
  if (FSkinFrame) {
    if (FForm) FMenus->SkinMenusAgain();
    CalcFrame();
    FitWindow(true);
    RebuildRegion();
    ::RedrawWindow(FHandle, nullptr, nullptr,
                   RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  ::SendMessageW(FHandle, SM_SKINNEDNOTICE, 0, kSkinMagic);
  if (FSource.Component && FSource.Component->OnAfterSkinForm)
    FSource.Component->OnAfterSkinForm(FForm, FHandle, FName);
  FState = 1;
}

void TWinSkinForm::StartMdiChild() {
  // A maximized child's frame lies outside the MDI client and a minimized one shows only its
  // title: only a normal child is fitted to the skin's frame.
  if (FWindowState != kStateNormal) return;
  FState = 5;
  FitWindow(false);
  FState = 1;
  UpdateRegion();
}

void TWinSkinForm::ResumeSkinFrame() {
  if (!FFrameAllowed) return;
  FWindowState = kStateNormal;
  CalcFrame();
  FSkinFrame = true;
  if (FOwnsRegion) return;
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
  // A window whose client size stayed the same got no WM_SIZE, and no region with it: without one,
  // the magenta corners of transparent borders would show.
  if (!FOwnsRegion && FState == 1) UpdateRegion();
}

void TWinSkinForm::FitWindow(bool keepClientRect) {
  if (FWindowState == kStateMaximized) {
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
    return;
  }
  RECT window;
  ::GetWindowRect(FHandle, &window);
  if (FKind.isDialog || keepClientRect) ::GetClientRect(FHandle, &FClientRect);
  FittedSize size = FitWindowSize(FClientRect.right - FClientRect.left,
                                  FClientRect.bottom - FClientRect.top, FFrame, FMenuHeight);
  if (FKind.isDialog && !keepClientRect && FSource.Elements) {
    const std::wstring text = WindowText();
    fw::WindowDC dc(FHandle);
    fw::SelectGuard font(dc.get(), FCaptionFont.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    WidenForCaption(size, extent.cx, *FSource.Elements->Title);
    if (size.childShift > 0) {
      // A message box grows to show its whole caption; its controls keep to the middle.
      for (HWND child = ::GetWindow(FHandle, GW_CHILD); child;
           child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        ::GetWindowRect(child, &r);
        POINT p{r.left, r.top};
        ::ScreenToClient(FHandle, &p);
        ::SetWindowPos(child, nullptr, p.x + size.childShift, p.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
      }
    }
  }
  ::SetWindowPos(FHandle, nullptr, window.left, window.top, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::Unhook() {
  if (!FSubclass.Hooked()) return;
  ::KillTimer(FHandle, kHoverTimer);
  FSubclass.Unhook();
  if (FClientSubclass.Hooked() && FSource.Component)
    FSource.Component->MenuUpdate = FSavedMenuUpdate; // children may be open
  FClientSubclass.Unhook();
  FreeControls();
  // Every control paints itself in its own look again.
  if (FState != 4)
    ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (!FSkinFrame) {
    FMenus->SkinPopupMenus(false);
    return;
  }
  const bool hadMenuBar = FMenus->HasMenuBar();
  FMenus->Unhook();
  if (FForm && FSource.Elements && FState != 4) FForm->SetColor(FSavedColor);
  SetSysMenuStyle(false);
  RECT window;
  ::GetWindowRect(FHandle, &window);
  if (FState != 4 && (!FKind.isChild || FKind.IsMdiChild())) {
    const int width = (window.right - window.left) + FStdFrame.right - FFrame.left - FFrame.right;
    // The system's menu bar, given back, takes the place of the skin's.
    const int height = (window.bottom - window.top) + FStdFrame.bottom - FFrame.top -
                       FFrame.bottom - (hadMenuBar ? 0 : FMenuHeight);
    // SetWindowPos places a child window in its parent's client coordinates.
    POINT corner{window.left, window.top};
    if (FKind.isChild) ::MapWindowPoints(nullptr, ::GetParent(FHandle), &corner, 1);
    ::SetWindowPos(FHandle, nullptr, corner.x, corner.y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  ::SetWindowRgn(FHandle, nullptr, TRUE);
  FOwnsRegion = false;
  FRegionWidth = FRegionHeight = 0;
  FState = 0;
}

void TWinSkinForm::DropRegion() {
  if (FOwnsRegion) ::SetWindowRgn(FHandle, nullptr, TRUE); // the system deletes it
  FOwnsRegion = false;
  FRegionWidth = FRegionHeight = 0;
}

bool TWinSkinForm::IsBareWindow() const {
  return fw::TWinControl::FromHandle(FHandle) == nullptr;
}

HBRUSH TWinSkinForm::ButtonFaceBrush() {
  if (FSource.Component) return FSource.Component->ButtonFaceBrush();
  if (!FFaceBrush) FFaceBrush.reset(::CreateSolidBrush(ToColorRef(SkinColour(kButtonFace))));
  return FFaceBrush.get();
}

std::wstring TWinSkinForm::WindowText() const {
  const int length = ::GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(FHandle, text.data(), length + 1)));
  return text;
}

// ---- painting -------------------------------------------------------------------------------

void TWinSkinForm::DrawBorder(int index, TRect rect, HDC dc) {
  if (rect.Width() < 0 || rect.Height() < 0) return;
  const TDataSkinBorder& e = Border(index);
  const int frame = FActive || e.FrameCount <= 1 ? 1 : 2;
  // A border is rendered again only when its size or state changed: repaints for activation,
  // hover and text changes then cost one blit per border.
  TBorderCache& cache = FBorderCache[static_cast<size_t>(index - 1)];
  if (cache.width != rect.Width() || cache.height != rect.Height() || cache.frame != frame ||
      cache.source != &e) {
    // Tile holds the border's Stretch value: 1 stretches the middle.
    cache.rendering = RenderNineSlice(rect.Width(), rect.Height(), e.Bitmap, MarginsOf(e),
                                      index >= 3, e.Tile != 1, e.FrameCount, frame);
    cache.width = rect.Width();
    cache.height = rect.Height();
    cache.frame = frame;
    cache.source = &e;
  }
  if (!cache.rendering.Empty()) fw::DrawBitmap(dc, rect.Left, rect.Top, cache.rendering);
}

void TWinSkinForm::PaintFrame(HDC dc) {
  if (!FSource.Elements || (FState != 1 && FState != 3) || FKind.borderKind == kBorderNone ||
      MaximizedMdiChild())
    return;
  NonClientDC own(dc ? nullptr : FHandle);
  HDC windowDC = dc ? dc : own.get();
  try {
    RECT window;
    ::GetWindowRect(FHandle, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (FWindowState == kStateMinimized) {
      PaintCaption(windowDC, w, h, true);
    } else {
      DrawBorder(1, {0, 0, FFrame.left, h}, windowDC);
      DrawBorder(2, {w - FFrame.right, 0, w, h}, windowDC);
      DrawBorder(4, {FFrame.left, h - FFrame.bottom, w - FFrame.right, h}, windowDC);
      PaintCaption(windowDC, w, h, false);
      const TRect bar{FFrame.left, FFrame.top, w - FFrame.right, FFrame.top + FMenuHeight};
      if (FMenus->HasMenuBar()) {
        FMenus->PaintBar(windowDC, bar);
      } else if (FMenuHeight > 0) {
        fw::Brush face(::CreateSolidBrush(ToColorRef(SkinColour(kButtonFace))));
        const RECT r{bar.Left, bar.Top, bar.Right, bar.Bottom};
        ::FillRect(windowDC, &r, face.get());
      }
    }
  } catch (...) {
    // A damaged skin never breaks the window's painting.
  }
  FHotObject = nullptr;
}

void TWinSkinForm::PaintCaption(HDC dc, int width, int height, bool minimized) {
  const int bufferHeight = minimized ? height : FFrame.top;
  if (FCaptionBuffer.Width() != width || FCaptionBuffer.Height() != bufferHeight)
    FCaptionBuffer = TBitmap(width, bufferHeight, fw::TPixelFormat::pf32bit);
  TBitmap& buffer = FCaptionBuffer;
  if (buffer.Empty()) return;
  TRect caption;
  if (minimized) {
    buffer.Fill(fw::PixelOf(SkinColour(kButtonFace)));
    caption = {0, 0, width, FFrame.top};
  } else {
    caption = {FFrame.left, 0, width - FFrame.right, FFrame.top};
  }
  fw::DrawInto(buffer, [&](HDC bufferDC) {
    // Transparent parts of the caption show what the window already shows there.
    if (!minimized) ::BitBlt(bufferDC, 0, 0, width, FFrame.top, dc, 0, 0, SRCCOPY);
    DrawBorder(3, caption, bufferDC);
    DrawCaptionText(bufferDC, caption);
    LayoutButtons(width);
    DrawButtons(bufferDC);
  });
  fw::DrawBitmap(dc, 0, 0, buffer);
  ::SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::DrawCaptionText(HDC dc, TRect caption) {
  const TDataSkinTitle& title = *FSource.Elements->Title;
  const std::wstring text = L" " + WindowText() + L"  ";
  FRightGroupOffset = 0;
  for (const TWinSysButton& b : FButtons)
    if (b.FVisible && b.FData->Align == 1 && !b.FData->Bitmap.Empty())
      FRightGroupOffset = std::max(FRightGroupOffset, b.FData->XCoord);

  // A caption the caption font has no glyphs for is drawn in a face that has them.
  fw::SelectGuard font(dc, fw::FontForText(FCaptionFont.get(), text));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(SkinColour(FActive ? kTitleTextActive : kTitleTextNoActive)));
  RECT measured{caption.Left, caption.Top, caption.Right, caption.Bottom};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);

  CaptionTextInput in;
  in.caption = caption;
  in.textWidth = measured.right - measured.left;
  in.textHeight = measured.bottom - measured.top;
  in.rightGroupOffset = FRightGroupOffset;
  in.rightToLeft = FKind.rightToLeft;
  in.popupStyle = (FStyle & WS_POPUP) != 0;
  in.borderKind = FKind.borderKind;
  const CaptionTextLayout layout = LayoutCaptionText(in, title);
  FTextBounds = layout.bounds;
  if (!title.Bitmap.Empty())
    DrawThreeSlice(dc, {layout.bounds.Left, caption.Top, layout.bounds.Right, caption.Bottom},
                   title.Bitmap, true, true, 2, FActive ? 1 : 2,
                   {title.TXTBackleft, 0, title.TXTBackRight, 0});
  RECT r{layout.text.Left, layout.text.Top, layout.text.Right, layout.text.Bottom};
  const UINT format = FKind.rightToLeft
                          ? DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RTLREADING
                          : DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  FTextRect = layout.text;
  ::SetBkMode(dc, oldMode);
}

CaptionState TWinSkinForm::CaptionStateNow() {
  CaptionState s;
  s.caps = FKind.caps;
  s.windowState = FWindowState;
  s.active = FActive;
  s.borderKind = FKind.borderKind;
  s.isDialog = FKind.isDialog;
  s.hasMenuBar = FMenus->HasMenuBar();
  bool maximized = false;
  s.mdiFrameWithMaximizedChild = ActiveMdiChild(&maximized) && maximized;
  s.askWindow = [this](int visibility, int action) {
    return static_cast<int>(::SendMessageW(FHandle, SM_BUTTONVISIBLE, visibility, action));
  };
  return s;
}

bool TWinSkinForm::IsIconButton(const TWinSysButton& b) const {
  return (b.FData->Action == 3 || b.FData->Action == 11) && b.FData->Bitmap.Empty();
}

const TBitmap& TWinSkinForm::ButtonImage(const TWinSysButton& b) const {
  return IsIconButton(b) ? FIconBitmap : b.FData->Bitmap;
}

void TWinSkinForm::MakeIconBitmap() {
  const int w = ::GetSystemMetrics(SM_CXSMICON), h = ::GetSystemMetrics(SM_CYSMICON);
  FIconBitmap = TBitmap(w, h, fw::TPixelFormat::pf32bit);
  FIconBitmap.Fill(fw::kMagentaPixel);
  auto icon = reinterpret_cast<HICON>(::SendMessageW(FHandle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(FHandle, WM_GETICON, ICON_BIG, 0));
  if (!icon) return; // a window without an icon shows none
  fw::DrawInto(FIconBitmap, [&](HDC dc) {
    auto sized = static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
    ::DrawIconEx(dc, 0, 0, sized ? sized : icon, w, h, 0, nullptr, DI_NORMAL);
    if (sized) ::DestroyIcon(sized);
  });
}

bool TWinSkinForm::ButtonsCurrent() const {
  const auto& descriptors = FSource.Elements->CaptionButtons;
  if (descriptors.size() != FButtons.size()) return false;
  for (size_t i = 0; i < FButtons.size(); ++i)
    if (FButtons[i].FData != descriptors[i].get()) return false;
  return true;
}

void TWinSkinForm::LayoutButtons(int windowWidth) {
  if (!ButtonsCurrent()) CalcFrame(); // the skin was reloaded under us
  const CaptionState state = CaptionStateNow();
  const TDataSkinObject* menuBar = FSource.Elements->MenuBar.get();
  for (TWinSysButton& b : FButtons) {
    const ButtonVisibility v = EvaluateButton(*b.FData, state);
    b.FVisible = v.visible;
    b.FEnabled = v.enabled;
    const TBitmap& image = ButtonImage(b);
    if (!b.FVisible || image.Empty()) continue;
    const int frames = IsIconButton(b) ? 1 : std::max(b.FData->FrameCount, 1);
    b.FBounds =
        LayoutButtonSized(*b.FData, image.Width() / frames, image.Height(), windowWidth,
                          FTextBounds, FFrame, FMenuHeight, menuBar ? menuBar->LeftWidth : 0);
  }
}

void TWinSkinForm::DrawButtons(HDC dc) {
  for (TWinSysButton& b : FButtons) {
    if (!b.FVisible || ButtonImage(b).Empty() || b.FData->Visibility == 100) continue;
    if (IsIconButton(b)) {
      DrawTransparent(dc, b.FBounds, FIconBitmap, fw::kMagentaColour);
      continue;
    }
    const int frame = CaptionFrame(*b.FData, FActive, b.FEnabled);
    DrawFrame(dc, b.FBounds, b.FData->Bitmap, true, b.FData->FrameCount, frame);
  }
}

void TWinSkinForm::DrawSysButton(TWinSysButton& b, int state) {
  if (ButtonImage(b).Empty()) return;
  NonClientDC dc(FHandle);
  if (IsIconButton(b)) {
    DrawTransparent(dc.get(), b.FBounds, FIconBitmap, fw::kMagentaColour);
    return;
  }
  DrawFrame(dc.get(), b.FBounds, b.FData->Bitmap, true, b.FData->FrameCount,
            StateFrame(*b.FData, state, b.FEnabled));
}

// ---- regions --------------------------------------------------------------------------------

void TWinSkinForm::UpdateRegion() {
  if (FState == 6 || !FSkinFrame || !FSource.Elements) return;
  RECT window;
  ::GetWindowRect(FHandle, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w * h == 0) return;
  // A minimized or maximized MDI child keeps the region of its normal size.
  if (FKind.IsMdiChild() && StyleWindowState() != kStateNormal) return;
  if (w == FRegionWidth && h == FRegionHeight && !FKind.IsMdiChild() && FState != 3) return;
  FOwnsRegion = false;

  const TSkinElements& e = *FSource.Elements;
  const bool anyTransparent = e.Left->Trans || e.Right->Trans || e.Top->Trans || e.Bottom->Trans;
  fw::Region region;
  FRegionWidth = w;
  FRegionHeight = h;
  if (!anyTransparent) {
    region.reset(::CreateRectRgn(0, 0, w, h));
  } else {
    const FrameSizes& f = FFrame;
    region.reset(::CreateRectRgn(f.left, f.top, w - f.right, h - f.bottom));
    auto piece = [&](int index, int pw, int ph, int x, int y, bool shaped) {
      if (shaped && pw > 0 && ph > 0) {
        const TDataSkinBorder& border = Border(index);
        const int frame = FActive || border.FrameCount <= 1 ? 1 : 2;
        TBitmap drawn = RenderNineSlice(pw, ph, border.Bitmap, MarginsOf(border), index >= 3,
                                        border.Tile != 1, border.FrameCount, frame);
        return RegionFromBitmap(drawn, x, y, 1, 1, 1, fw::kMagentaColour);
      }
      return fw::Region(::CreateRectRgn(x, y, x + std::max(pw, 0), y + std::max(ph, 0)));
    };
    if (FKind.borderKind != kBorderNone) {
      const int middle = w - f.left - f.right;
      fw::Region left = piece(1, f.left, h, 0, 0, e.Left->Trans == 1 && h > 1);
      fw::Region right = piece(2, f.right, h, w - f.right, 0, e.Right->Trans == 1 && h > 1);
      fw::Region bottom =
          piece(4, middle, f.bottom, f.left, h - f.bottom, e.Bottom->Trans == 1 && f.bottom >= 2);
      fw::Region top = piece(3, middle, f.top, f.left, 0, e.Top->Trans == 1 && f.top > 1);
      ::CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
      ::CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
      ::CombineRgn(top.get(), top.get(), left.get(), RGN_OR);
      ::CombineRgn(region.get(), region.get(), top.get(), RGN_OR);
    }
  }
  if (::SetWindowRgn(FHandle, region.get(), TRUE)) {
    region.release(); // the window owns it now
    FOwnsRegion = true;
  }
  ++FRegionBuilds;
}

// ---- messages -------------------------------------------------------------------------------

POINT TWinSkinForm::WindowToFrame(POINT screen) const {
  POINT p = screen;
  ::ScreenToClient(FHandle, &p);
  const TOffset origin = ClientOriginInFrame(FKind, StyleWindowState(), FFrame, FMenuHeight);
  return {p.x + origin.x, p.y + origin.y};
}

TWinSysButton* TWinSkinForm::FindButton(POINT p) {
  if (!FSource.Elements || !ButtonsCurrent()) return nullptr;
  for (TWinSysButton& b : FButtons)
    if (b.FVisible && b.FData->Action >= 0 && p.x >= b.FBounds.Left && p.x < b.FBounds.Right &&
        p.y >= b.FBounds.Top && p.y < b.FBounds.Bottom)
      return &b;
  return nullptr;
}

void TWinSkinForm::SetHot(TWinSysButton* button, int state) {
  FHotObject = button;
  button->FButtonState = state;
  DrawSysButton(*button, state);
}

void TWinSkinForm::MouseLeave() {
  if (FSource.Component) {
    FSource.Component->HideCaptionHint();
    FSource.Component->HoverCounter = 0;
  }
  if (!FHotObject) return;
  TWinSysButton* old = FHotObject;
  FHotObject = nullptr;
  old->FButtonState = 1;
  DrawSysButton(*old, 1);
}

void TWinSkinForm::HoverTick() {
  if (FMenus->Tracking()) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  const POINT p = WindowToFrame(cursor);
  FMenus->HoverTick(p);
  if (!FHotObject) return;
  const TRect& b = FHotObject->FBounds;
  if (p.x < b.Left || p.x >= b.Right || p.y < b.Top || p.y >= b.Bottom) {
    MouseLeave();
    return;
  }
  TSkinData* component = FSource.Component;
  if (!component) return;
  component->HoverCounter += static_cast<int>(kHoverInterval);
  const int shown = 2 * kHintPause, hidden = shown + kHintHidePause;
  if (component->HoverCounter >= hidden) {
    component->HideCaptionHint();
  } else if (component->HoverCounter >= shown) {
    const std::string hint = HintText(FHotObject->FData->Action);
    if (!hint.empty()) {
      RECT window;
      ::GetWindowRect(FHandle, &window);
      const LONG x = window.left + b.Left, y = cursor.y + 24;
      component->ShowCaptionHint({x, y, x, y}, std::wstring(hint.begin(), hint.end()));
    }
  }
}

void TWinSkinForm::Restore() {
  FWindowState = kStateNormal;
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMaximize() {
  if (FWindowState == kStateMaximized) return Restore();
  if (FKind.IsMdiChild()) TellMdiMaximized(true);
  FWindowState = kStateMaximized;
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  FHotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
  if (FWindowState == kStateMinimized) return Restore();
  FWindowState = kStateMinimized;
  SetSysMenuStyle(false);
  ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

LRESULT TWinSkinForm::TrackSystemCommand(WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
  case SC_MINIMIZE:
    FWindowState = kStateMinimized;
    break;
  case SC_MAXIMIZE:
    FWindowState = kStateMaximized;
    break;
  case SC_RESTORE:
    FWindowState = kStateNormal;
    break;
  default:
    break;
  }
  return PassOn(WM_SYSCOMMAND, wParam, lParam);
}

void TWinSkinForm::UpdateSystemMenuItems(HMENU menu) const {
  // The menu is popped up by hand, so its items are brought up to date here, as the system
  // would before showing it.
  const bool normal = FWindowState == kStateNormal;
  auto enable = [menu](UINT command, bool enabled) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  enable(SC_RESTORE, !normal);
  enable(SC_MOVE, FWindowState != kStateMaximized);
  enable(SC_SIZE, normal && FKind.borderKind == kBorderSizeable);
  enable(SC_MINIMIZE, (FKind.caps & kCapMinimize) && FWindowState != kStateMinimized);
  enable(SC_MAXIMIZE, (FKind.caps & kCapMaximize) && FWindowState != kStateMaximized);
  ::SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
  const DWORD now = ::GetTickCount();
  if (static_cast<int>(::GetDoubleClickTime()) < 0 || now - FLastSysMenuClick > FDoubleClickTime) {
    FLastSysMenuClick = now;
    FMenus->PopupSystemMenu(screen);
  } else if (FHotObject) {
    ::KillTimer(FHandle, kHoverTimer);
    ::PostMessageW(FHandle, WM_CLOSE, 0, 0);
  }
}

void TWinSkinForm::ButtonAction(TWinSysButton& b, POINT screen) {
  switch (CommandOf(b.FData->Action)) {
  case ButtonCommand::Close: {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID;
    HMENU systemMenu = ::GetSystemMenu(FHandle, FALSE);
    if (systemMenu && ::GetMenuItemInfoW(systemMenu, SC_CLOSE, FALSE, &item)) {
      ::KillTimer(FHandle, kHoverTimer);
      ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    break;
  }
  case ButtonCommand::ToggleMaximize:
    if (b.FEnabled) ToggleMaximize();
    break;
  case ButtonCommand::ToggleMinimize:
    if (b.FEnabled) ToggleMinimize();
    break;
  case ButtonCommand::ContextHelp:
    ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    break;
  case ButtonCommand::SystemMenu:
    ShowSystemMenu({screen.x + 1, screen.y + 1});
    break;
  case ButtonCommand::MinimizeChild:
    SendToActiveChild(SC_MINIMIZE);
    break;
  case ButtonCommand::RestoreChild:
    SendToActiveChild(SC_RESTORE);
    break;
  case ButtonCommand::CloseChild:
    SendToActiveChild(SC_CLOSE);
    break;
  case ButtonCommand::Application:
    ::PostMessageW(FHandle, SM_CAPTIONCOMMAND, static_cast<WPARAM>(b.FData->Action), 0);
    break;
  }
}

LRESULT TWinSkinForm::CalcClientArea(WPARAM wParam, LPARAM lParam) {
  LRESULT result = PassOn(WM_NCCALCSIZE, wParam, lParam);
  if ((wParam & 0xFF) == 0) return 0;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  if (KeepsSystemClientArea(FKind, StyleWindowState())) {
    params->rgrc[1] = params->rgrc[0];
    return WVR_VALIDRECTS;
  }
  const WINDOWPOS* wp = params->lppos;
  const TRect client = ClientRectInFrame(wp->x, wp->y, wp->cx, wp->cy, FFrame, FMenuHeight);
  params->rgrc[0] = {client.Left, client.Top, client.Right, client.Bottom};
  params->rgrc[1] = params->rgrc[0];
  (void)result;
  return WVR_VALIDRECTS;
}

LRESULT TWinSkinForm::HitTest(WPARAM wParam, LPARAM lParam) {
  LRESULT result = PassOn(WM_NCHITTEST, wParam, lParam);
  if (result == HTNOWHERE || result == HTCAPTION) {
    const POINT p = WindowToFrame({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (p.y > 3) result = HTCAPTION;
    if (p.y > FFrame.top && FMenuHeight > 0) result = HTMENU;
  }
  return result;
}

bool TWinSkinForm::NonClientMouse(UINT msg, LPARAM lParam, LRESULT& result) {
  const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const POINT framePoint = WindowToFrame(screen);
  TWinSysButton* hit = FindButton(framePoint);
  result = 0;
  // Caption buttons first, then the menu bar's items.
  if (hit) FMenus->HoverTick(framePoint);
  if (!hit && (msg != WM_NCMOUSEMOVE || FActive) && FMenus->NonClientMouse(msg, framePoint)) {
    if (msg == WM_NCMOUSEMOVE) MouseLeave();
    return true;
  }
  switch (msg) {
  case WM_NCMOUSEMOVE:
    if (!FActive) return true; // dropped while inactive
    if (hit) {
      if (hit != FHotObject) {
        MouseLeave();
        SetHot(hit, 3);
      }
      return true;
    }
    MouseLeave();
    return false;
  case WM_NCLBUTTONDOWN:
    if (FSource.Component) FSource.Component->HideCaptionHint();
    if (hit) {
      if (!FActive) ::SetForegroundWindow(FHandle);
      if (FHotObject && FHotObject != hit) MouseLeave();
      SetHot(hit, 2);
      return true;
    }
    return false;
  case WM_NCLBUTTONUP:
    if (FSource.Component) FSource.Component->HideCaptionHint();
    if (hit) {
      if (hit == FHotObject) {
        SetHot(hit, 3);
        ButtonAction(*hit, screen);
      }
      return true;
    }
    return false;
  case WM_NCLBUTTONDBLCLK:
    if (hit) {
      if (hit->FData->Action == 3 || hit->FData->Action == 11) {
        ::KillTimer(FHandle, kHoverTimer);
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return true;
    }
    if (FWindowState != kStateNormal) {
      Restore();
      return true;
    }
    if (FKind.caps & kCapMaximize) {
      ToggleMaximize();
      return true;
    }
    return false;
  default:
    return false;
  }
}

LRESULT TWinSkinForm::SkinWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Stage 1: always.
  switch (msg) {
  case WM_NCPAINT:
    if (FState == 0) return 0; // never a half-skinned frame before the start
    break;
  case WM_NCDESTROY: {
    FState = 4;
    ::KillTimer(FHandle, kHoverTimer);
    FreeControls(); // the controls' windows are gone before their parent's
    const LRESULT result = PassOn(msg, wParam, lParam);
    FState = 6;
    return result;
  }
  case WM_NCACTIVATE:
    if (FState == 0 && !FKind.IsMdiChild()) return 0;
    break;
  case 0x00AE: // the themed caption-drawing request
    return 0;
  case SM_STARTSKIN:
    StartSkin();
    return 0;
  case SM_SKINCHANGED:
    SkinChanged();
    return 0;
  case SM_RESKINSCROLL:
    if (FState != 0 && FState < 4) ReskinScroll(reinterpret_cast<HWND>(wParam));
    return 0;
  case fw::CM_DIALOGCHAR:
    return DialogChar(wParam, lParam);
  case SM_OFFERCHILD:
    if (FState != 0 && FState < 4 && ::IsWindow(reinterpret_cast<HWND>(wParam)))
      OfferChildWindow(reinterpret_cast<HWND>(wParam));
    return 0;
  case SM_ISSKINNED:
    ::PostMessageW(FHandle, SM_SKINNEDNOTICE, 0, kSkinMagic);
    return 1;
  case SM_PAINTFRAMEDC:
    // A framework form asks for its frame in a device context of its own (a print or a copy).
    if (!FForm || !FSkinFrame) break;
    if (lParam == kSkinMagic && wParam) PaintFrame(reinterpret_cast<HDC>(wParam));
    return kSkinMagic;
  case SM_FRAMEQUERY:
    if (!FForm || !FSkinFrame) break;
    return lParam == kSkinMagic ? kSkinMagic : 1;
  case WM_ERASEBKGND:
    if (IsBareWindow() && FSource.Elements) {
      PassOn(msg, wParam, lParam);
      RECT client;
      ::GetClientRect(FHandle, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ButtonFaceBrush());
      return 1;
    }
    break;
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    if (IsBareWindow() && FSource.Elements) {
      LRESULT result = PassOn(msg, wParam, lParam);
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      if (msg == WM_CTLCOLORSTATIC) result = reinterpret_cast<LRESULT>(ButtonFaceBrush());
      return result;
    }
    break;
  case WM_SETTEXT:
    if (FSkinFrame && FState == 1 && ::IsWindowVisible(FHandle)) {
      // The system repaints its own caption for a new text: paint ours over it at once.
      const LRESULT result = PassOn(msg, wParam, lParam);
      if (FWindowState == kStateMinimized)
        PaintFrame(nullptr);
      else
        ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
      return result;
    }
    break;
  case WM_INITMENUPOPUP:
    FMenus->InitMenuPopup(wParam);
    break;
  case WM_MENUCHAR: {
    LRESULT result = 0;
    if (FMenus->MenuChar(wParam, lParam, result)) return result;
    break;
  }
  case WM_MENUSELECT:
    FMenus->MenuSelect(wParam, lParam);
    break;
  case WM_TIMER:
    if (wParam == kHoverTimer) {
      DropDeadControls();
      HoverTick();
      return 0;
    }
    break;
  case WM_SYSCOMMAND:
    // Restoring an MDI child ends the maximized state of the whole MDI. It is seen here, before
    // the frame switch, because the manager switched this child's frame off while a child was
    // maximized.
    if (FKind.IsMdiChild() && (wParam & 0xFFF0) == SC_RESTORE) TellMdiMaximized(false);
    break;
  default:
    break;
  }
  if (!FSkinFrame || (FKind.isChild && !FKind.IsMdiChild())) return PassOn(msg, wParam, lParam);

  // Stage 2: the frame is skinned.
  switch (msg) {
  case WM_SIZE: {
    const LRESULT result = PassOn(msg, wParam, lParam);
    FWindowState = wParam == SIZE_MINIMIZED   ? kStateMinimized
                   : wParam == SIZE_MAXIMIZED ? kStateMaximized
                                              : kStateNormal;
    if (FWindowState == kStateMinimized) return result;
    if (FKind.IsMdiChild()) {
      // However the child was maximized (our caption button, its system menu, WM_MDIMAXIMIZE), the
      // manager learns it: a region cut for the normal size would clip the maximized child.
      if (FWindowState == kStateMaximized) TellMdiMaximized(true);
      if (FWindowState != kStateNormal || ManagerKnowsMdiMaximized()) return result;
    }
    if (FState == 1 || FState == 3) UpdateRegion();
    return result;
  }
  case WM_ACTIVATE:
    FActive = (wParam & 0xFF) != 0;
    break;
  case WM_GETMINMAXINFO: {
    const LRESULT result = PassOn(msg, wParam, lParam);
    ReadWindowState();
    return result;
  }
  case WM_WINDOWPOSCHANGED:
    ReadWindowState();
    return PassOn(msg, wParam, lParam);
  case WM_SETICON: {
    const LRESULT result = PassOn(msg, wParam, lParam);
    MakeIconBitmap();
    return result;
  }
  case WM_SYSCOMMAND:
    if (FState == 0) return TrackSystemCommand(wParam, lParam);
    break; // the started skin looks at it below
  case WM_COMMAND:
    if (FMenus->RelayCommand(wParam, lParam)) return 0;
    return PassOn(msg, wParam, lParam);
  case SM_MENUBARCLICK:
    FMenus->MenuBarClick(lParam);
    return 0;
  case fw::CM_MENUCHANGED: {
    const LRESULT result = PassOn(msg, wParam, lParam);
    FMenus->MenuChanged();
    return result;
  }
  default:
    break;
  }

  // Stage 3: the system keeps the frame of a maximized MDI child, which lies outside the client.
  if (FState == 0 || MaximizedMdiChild()) return PassOn(msg, wParam, lParam);
  switch (msg) {
  case WM_NCCALCSIZE:
    return CalcClientArea(wParam, lParam);
  case WM_MEASUREITEM:
  case WM_DRAWITEM: {
    LRESULT result = 0;
    const bool handled = msg == WM_MEASUREITEM ? FMenus->MeasureItem(lParam, result)
                                               : FMenus->DrawItem(lParam, result);
    return handled ? result : PassOn(msg, wParam, lParam);
  }
  case WM_NCHITTEST:
    return HitTest(wParam, lParam);
  case WM_NCPAINT:
    SetSysMenuStyle(true);
    if (FKind.borderKind == kBorderNone) return PassOn(msg, wParam, lParam);
    PaintFrame(nullptr);
    return 0;
  case WM_NCACTIVATE:
    FActive = (wParam & 0xFF) != 0;
    // Hover feedback is for the active window only.
    if (FActive)
      ::SetTimer(FHandle, kHoverTimer, kHoverInterval, nullptr);
    else {
      ::KillTimer(FHandle, kHoverTimer);
      MouseLeave();
    }
    // The MDI client hands the frame's activation on to the active child's caption.
    if (FKind.mdiKind == kMdiFrame && FClientWnd)
      ::SendMessageW(FClientWnd, WM_NCACTIVATE, wParam, 0);
    if (FKind.IsMdiChild()) PassOn(msg, wParam, lParam);
    PaintFrame(nullptr);
    return 1;
  case WM_NCRBUTTONDOWN:
    if (FSource.Component) FSource.Component->HideCaptionHint();
    if (wParam == HTCAPTION && !FKind.IsMdiChild()) {
      ShowSystemMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    }
    return PassOn(msg, wParam, lParam);
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == ' ') {
      // Alt+Space: the system would pop its menu up where it draws its own caption.
      POINT origin{0, 0};
      ::ClientToScreen(FHandle, &origin);
      ShowSystemMenu(origin);
      return 0;
    }
    if (FMenus->KeyMenu(wParam, lParam)) return 1; // Alt+letter, F10 or Alt alone
    return TrackSystemCommand(wParam, lParam);
  case WM_NCMOUSEMOVE:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK: {
    LRESULT result = 0;
    if (NonClientMouse(msg, lParam, result)) return result;
    if (msg == WM_NCLBUTTONDOWN && FWindowState == kStateMaximized && wParam == HTCAPTION &&
        FActive)
      wParam = HTMENU; // a maximized window cannot be dragged by its caption
    return PassOn(msg, wParam, lParam);
  }
  case SM_REDRAWFRAME:
    PaintFrame(nullptr);
    return 0;
  default:
    return PassOn(msg, wParam, lParam);
  }
}

LRESULT TWinSkinForm::DialogChar(WPARAM wParam, LPARAM lParam) {
  if (const LRESULT own = PassOn(fw::CM_DIALOGCHAR, wParam, lParam)) return own;
  if (FSkinFrame && FState != 0 && FMenus->DialogChar(wParam)) return 1;
  if (FKind.IsMdiChild()) {
    HWND frame = ::GetParent(::GetParent(FHandle));
    return frame ? ::SendMessageW(frame, fw::CM_DIALOGCHAR, wParam, lParam) : 0;
  }
  // A secondary form's accelerators may be the main form's, unless it runs modally.
  fw::TForm* mainForm = fw::Application ? fw::Application->MainForm : nullptr;
  if (mainForm && mainForm != FForm && mainForm->HandleAllocated() && !(FForm && FForm->Modal()))
    return ::SendMessageW(mainForm->Handle(), fw::CM_DIALOGCHAR, wParam, lParam);
  return 0;
}

// ---- the MDI client of an MDI frame ---------------------------------------------------------

HWND TWinSkinForm::ActiveMdiChild(bool* maximized) const {
  if (FKind.mdiKind != kMdiFrame || !FClientWnd || !::IsWindow(FClientWnd)) return nullptr;
  BOOL isMaximized = FALSE;
  auto child = reinterpret_cast<HWND>(
      ::SendMessageW(FClientWnd, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&isMaximized)));
  if (maximized) *maximized = child && isMaximized;
  return child;
}

void TWinSkinForm::SendToActiveChild(UINT command) {
  if (HWND child = ActiveMdiChild()) ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// A maximized MDI child's minimize, restore and close buttons, which the menu bar shows.
bool TWinSkinForm::InMenuBar(const TWinSysButton& b) {
  return b.FVisible && b.FData->Visibility == 100 && !b.FData->Bitmap.Empty();
}

int TWinSkinForm::MdiChildButtonsLeft() const {
  int left = -1;
  for (const TWinSysButton& b : FButtons)
    if (InMenuBar(b)) left = left < 0 ? b.FBounds.Left : std::min(left, b.FBounds.Left);
  return left;
}

void TWinSkinForm::DrawMdiChildButtons(HDC dc, TRect bar) {
  bool drawn = false;
  for (const TWinSysButton& b : FButtons) {
    if (!InMenuBar(b)) continue;
    const TRect r{b.FBounds.Left - bar.Left, b.FBounds.Top - bar.Top, b.FBounds.Right - bar.Left,
                  b.FBounds.Bottom - bar.Top};
    DrawFrame(dc, r, b.FData->Bitmap, true, b.FData->FrameCount, 1);
    drawn = true;
  }
  if (drawn && !ManagerKnowsMdiMaximized()) TellMdiMaximized(true);
}

LRESULT TWinSkinForm::ClientWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_NCDESTROY:
    return ClientDestroyed(wParam, lParam);
  case WM_NCCALCSIZE:
    return ClientCalcSize(wParam, lParam);
  case WM_MDICREATE:
    return ClientCreatesChild(wParam, lParam);
  case WM_MDIDESTROY:
    return ClientDestroysChild(wParam, lParam);
  case WM_MDITILE:
  case WM_MDICASCADE:
    return ClientArranges(msg, wParam, lParam);
  case WM_MDISETMENU:
    return ClientSetsMenu(wParam, lParam);
  case SM_MDIREDRAW:
    return ClientRedrawsFrame();
  default:
    return FClientSubclass.PassOn(msg, wParam, lParam);
  }
}

LRESULT TWinSkinForm::ClientDestroyed(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_NCDESTROY, wParam, lParam);
  FClientSubclass.Unhook();
  return result;
}

LRESULT TWinSkinForm::ClientCalcSize(WPARAM wParam, LPARAM lParam) {
  // The skin's frame has no look for the client's scroll bars: unless the skin asks for them,
  // children beyond the client's edges show no bars.
  constexpr LONG kBothBars = WS_HSCROLL | WS_VSCROLL;
  const HWND client = FClientSubclass.Window();
  const LONG style = ::GetWindowLongW(client, GWL_STYLE);
  if (FSkinFrame && !FSource.Options.Contains(xoMDIScrollbar) && (style & kBothBars))
    ::SetWindowLongW(client, GWL_STYLE, style & ~kBothBars);
  return FClientSubclass.PassOn(WM_NCCALCSIZE, wParam, lParam);
}

LRESULT TWinSkinForm::ClientCreatesChild(WPARAM wParam, LPARAM lParam) {
  FMenus->MdiCreate();
  return FClientSubclass.PassOn(WM_MDICREATE, wParam, lParam);
}

LRESULT TWinSkinForm::ClientDestroysChild(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_MDIDESTROY, wParam, lParam);
  if (!FSkinFrame) return result;
  bool maximized = false;
  const HWND active = ActiveMdiChild(&maximized);
  TellMdiMaximized(maximized);
  FMenus->MdiDestroyed(active == nullptr);
  return result;
}

LRESULT TWinSkinForm::ClientArranges(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FSkinFrame && ManagerKnowsMdiMaximized()) TellMdiMaximized(false);
  return FClientSubclass.PassOn(msg, wParam, lParam);
}

LRESULT TWinSkinForm::ClientSetsMenu(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = FClientSubclass.PassOn(WM_MDISETMENU, wParam, lParam);
  if (FSkinFrame) FMenus->MdiSetMenu(reinterpret_cast<HMENU>(wParam));
  return result;
}

LRESULT TWinSkinForm::ClientRedrawsFrame() {
  ::RedrawWindow(FHandle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  return 0;
}

} // namespace skin
