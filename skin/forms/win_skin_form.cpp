#include "skin/forms/win_skin_form.h"

#include "framework/application.h"
#include "framework/form.h"
#include "skin/common/window_class.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_shared.h"
#include "skin/forms/skin_manager.h"

#include <windowsx.h>

namespace skin {

namespace {

fw::Font CaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return fw::Font(::CreateFontIndirectW(&metrics.lfCaptionFont));
  return fw::Font(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

} // namespace

void TellMdiMaximized(bool maximized) {
  if (TSkinManage* manager = SkinManager()) manager->SetMdiMaximized(maximized);
}

bool ManagerKnowsMdiMaximized() {
  const TSkinManage* manager = SkinManager();
  return manager && manager->MdiMaximized;
}

TWinSkinForm::TWinSkinForm(TFormSkinSource source)
    : fw::TComponent(nullptr), FSource(source),
      FSubclass([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return SkinWndProc(msg, wParam, lParam);
      }),
      FClientSubclass([this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return ClientWndProc(msg, wParam, lParam);
      }),
      FCaptionFont(CaptionFont()),
      FMenus(std::make_unique<TFormMenus>(static_cast<TMenuHost&>(*this), FSource)) {}

TWinSkinForm::~TWinSkinForm() {
  FreeControls();
  if (FSubclass.Hooked()) {
    StopHoverTimer();
    FSubclass.Unhook(); // quietly: the window keeps whatever it has
  }
  // A form that lives on must not keep item painters that point to the menus.
  if (!Going() && ::IsWindow(FHandle)) FMenus->TakeBackPainters();
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
  FMenus->Attach(FHandle, FForm, FKind);
  if (FKind.mdiKind == kMdiFrame && FClientWnd) {
    FMenus->SaveMenuUpdate();
    FClientSubclass.Hook(FClientWnd);
  }
  if (FSkinFrame) FMenus->SkinMenuBar();
  if (FSkinFrame)
    CalcFrame();
  else
    FState = TFormLife::Running;
  if (FForm && FSkinFrame && FSource.Elements) {
    // The form's background joins the skin; it gets its own colour back at unhook.
    FSavedColor = FForm->Color();
    FForm->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  }
  if (FKind.IsMdiChild() && FWindowState == kStateMaximized) TellMdiMaximized(true);
  return true;
}

void TWinSkinForm::Unhook() {
  if (!FSubclass.Hooked()) return;
  StopHoverTimer();
  FSubclass.Unhook();
  if (FClientSubclass.Hooked()) FMenus->GiveBackMenuUpdate(); // children may be open
  FClientSubclass.Unhook();
  FreeControls();
  // Every control paints itself in its own look again.
  if (FState != TFormLife::Destroying)
    ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (!FSkinFrame) {
    FMenus->SkinPopupMenus(false);
    return;
  }
  const bool hadMenuBar = FMenus->HasMenuBar();
  FMenus->Unhook();
  if (FForm && FSource.Elements && FState != TFormLife::Destroying) FForm->SetColor(FSavedColor);
  SetSysMenuStyle(false);
  RECT window;
  ::GetWindowRect(FHandle, &window);
  if (FState != TFormLife::Destroying && (!FKind.isChild || FKind.IsMdiChild())) {
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
  FState = TFormLife::Hooked; // as before the start
}

// ---- the chain of message units --------------------------------------------------------------

LRESULT TWinSkinForm::SkinWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  fw::TMessage message{msg, wParam, lParam, 0};
  // A unit may run a modal loop (menu tracking, a dialog, the system's size-and-move loop) in
  // which the skin is switched off and this object freed: then no later unit runs.
  const TLiveness::TWatch alive = FLiveness.Watch();
  if (LifeMessage(message) == TMessageAnswer::Handled || !alive) return message.Result;
  if (ControlsMessage(message) == TMessageAnswer::Handled || !alive) return message.Result;
  if (FMenus->Message(message) == TMessageAnswer::Handled || !alive) return message.Result;
  if (FrameMessage(message) == TMessageAnswer::Handled || !alive) return message.Result;
  return CallWindow(message); // a handler may have changed what the window gets
}

bool TWinSkinForm::SkinsFrame() const {
  return FSkinFrame && !(FKind.isChild && !FKind.IsMdiChild());
}

bool TWinSkinForm::DrawsFrame() const {
  return SkinsFrame() && FState != TFormLife::Hooked && !MaximizedMdiChild();
}

// ---- the window skin's own life ---------------------------------------------------------------

TMessageAnswer TWinSkinForm::LifeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case SM_STARTSKIN:
    StartSkin();
    break;
  case SM_SKINCHANGED:
    SkinChanged();
    break;
  case WM_NCDESTROY:
    return WindowDestroyed(message);
  case SM_ISSKINNED:
    return SkinnedAsked(message);
  default:
    return TMessageAnswer::PassOn;
  }
  message.Result = 0;
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::WindowDestroyed(fw::TMessage& message) {
  FState = TFormLife::Destroying;
  StopHoverTimer();
  FreeControls(); // the controls' windows are gone before their parent's
  message.Result = CallWindow(message);
  FState = TFormLife::Destroyed;
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::SkinnedAsked(fw::TMessage& message) {
  ::PostMessageW(FHandle, SM_SKINNEDNOTICE, 0, kSkinMagic);
  message.Result = 1;
  return TMessageAnswer::Handled;
}

void TWinSkinForm::StartSkin() {
  RECT window, client;
  ::GetWindowRect(FHandle, &window);
  ::GetClientRect(FHandle, &client);
  MakeIconBitmap();
  FStdFrame = {0, 0, (window.right - window.left) - client.right,
               (window.bottom - window.top) - client.bottom};
  FClientRect = client;
  FClientRect.bottom -= FMenus->ClientGrowth(); // the system's menu bar went before the start
  DiscoverControls();
  if (FState == TFormLife::Hooked && FSkinFrame) {
    if (FKind.IsMdiChild()) {
      StartMdiChild();
    } else if (!FKind.isChild && FKind.borderKind != kBorderNone &&
               FWindowState != kStateMinimized) {
      FState = TFormLife::Fitting;
      FitWindow(false);
      FState = TFormLife::Running;
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
  FState = TFormLife::Running;
  StartHoverTimer();
}

void TWinSkinForm::StartMdiChild() {
  // A maximized child's frame lies outside the MDI client and a minimized one shows only its
  // title: only a normal child is fitted to the skin's frame.
  if (FWindowState != kStateNormal) return;
  FState = TFormLife::Fitting;
  FitWindow(false);
  FState = TFormLife::Running;
  UpdateRegion();
}

void TWinSkinForm::SkinChanged() {
  if (FForm && FSource.Elements) FForm->SetColor(static_cast<fw::TColor>(SkinColour(kButtonFace)));
  ControlsSkinChanged();
  FState = TFormLife::ChangingSkin;
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
  FState = TFormLife::Running;
}

// ---- what the menus ask of the window skin -----------------------------------------------------

TRect TWinSkinForm::MenuBarRect() const {
  RECT w;
  ::GetWindowRect(FHandle, &w);
  return {FFrame.left, FFrame.top, (w.right - w.left) - FFrame.right, FFrame.top + FMenuHeight};
}

void TWinSkinForm::FitMenuBar() {
  CalcFrame();
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
}

} // namespace skin
