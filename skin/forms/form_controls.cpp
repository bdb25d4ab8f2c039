#include "skin/forms/win_skin_form.h"

#include "framework/control.h"
#include "framework/form.h"
#include "skin/controls/control_table.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_shared.h"

#include <algorithm>

namespace skin {

// ---- the controls' upkeep: a unit of the window skin's message chain ---------------------------

TMessageAnswer TWinSkinForm::ControlsMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case SM_RESKINSCROLL:
    if (Working()) ReskinScroll(reinterpret_cast<HWND>(message.WParam));
    break;
  case SM_OFFERCHILD:
    if (Working() && ::IsWindow(reinterpret_cast<HWND>(message.WParam)))
      OfferChildWindow(reinterpret_cast<HWND>(message.WParam));
    break;
  case SM_OFFERCONTROL:
    if (Working()) OfferControl(reinterpret_cast<HWND>(message.WParam));
    break;
  case WM_ERASEBKGND:
    return EraseBareWindow(message);
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    return ColourBareControl(message);
  default:
    return TMessageAnswer::PassOn;
  }
  message.Result = 0;
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::EraseBareWindow(fw::TMessage& message) {
  if (!IsBareWindow() || !FSource.Elements) return TMessageAnswer::PassOn;
  CallWindow(message);
  RECT client;
  ::GetClientRect(FHandle, &client);
  ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, ButtonFaceBrush());
  message.Result = 1;
  return TMessageAnswer::Handled;
}

TMessageAnswer TWinSkinForm::ColourBareControl(fw::TMessage& message) {
  if (!IsBareWindow() || !FSource.Elements) return TMessageAnswer::PassOn;
  message.Result = CallWindow(message);
  ::SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
  if (message.Msg == WM_CTLCOLORSTATIC)
    message.Result = reinterpret_cast<LRESULT>(ButtonFaceBrush());
  return TMessageAnswer::Handled;
}

// ---- the control skins ------------------------------------------------------------------------

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
  AddDiscovered(discovery.Results());
  AttachControlSkins(discovery.Results());
}

void TWinSkinForm::OfferControl(HWND wnd) {
  // Only one of this form's own controls: other windows (a control's inner parts, a skin's
  // own windows) are not controls to skin.
  auto* control = ::IsWindow(wnd) ? fw::TWinControl::FromHandle(wnd) : nullptr;
  if (!FForm || !control || !OwnsControl(control)) return;
  // A window made just before the start is offered after the start looked at it: it is decided
  // once (a control without a skin would be taken again).
  for (const TDiscoveredControl& found : FDiscovered)
    if (found.Control == control && found.Window == wnd) return;
  TControlDiscovery discovery(TDiscoveryRules::From(FSource.Component, FSource.Elements, this));
  discovery.DiscoverLateControl(*control);
  AddDiscovered(discovery.Results());
  AttachControlSkins(discovery.Results());
}

void TWinSkinForm::AddDiscovered(const std::vector<TDiscoveredControl>& found) {
  // A control whose window was made again, or a window that is gone, leaves its old decision.
  auto replaced = [&](const TDiscoveredControl& old) {
    if (old.Window && !::IsWindow(old.Window)) return true;
    return std::any_of(found.begin(), found.end(), [&](const TDiscoveredControl& now) {
      return now.Control ? now.Control == old.Control : now.Window == old.Window;
    });
  };
  std::erase_if(FDiscovered, replaced);
  FDiscovered.insert(FDiscovered.end(), found.begin(), found.end());
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
  bool setColour = false;
  if (auto* given = dynamic_cast<TSkinControl*>(found.HandlerSkin)) {
    // A control skin from the application's OnSkinControl handler belongs to this window skin
    // from now on, like every skin registered here.
    if (AddControl(given)) return; // listed already: attached before
    skin = RemoveControl(given);
  } else if (const TControlSkinKind* row = FindControlSkinKind(decision.kind)) {
    skin = row->create(decision);
    setColour = row->setColour;
  }
  if (auto* graphic = dynamic_cast<fw::TGraphicControl*>(found.Control)) {
    // A control without a window: only a skin that can take over its window method fits.
    if (!skin || !skin->TakesGraphicControls() || graphic->Perform(SM_ISSKINNED) == 1) return;
    TSkinControl* raw = skin.get();
    FControls.push_back(std::move(skin));
    raw->AttachGraphic(*graphic, this, {FSource.Elements, FSource.Options});
    return;
  }
  if (!skin || !found.Window || IsControlSkinned(found.Window)) return;
  TSkinControl* raw = skin.get();
  FControls.push_back(std::move(skin));
  const TControlSkinSource source{FSource.Elements, FSource.Options, FSource.SkinControls};
  if (windowed)
    raw->AttachControl(*windowed, this, source, setColour);
  else
    raw->AttachWindow(found.Window, source, this);
}

void TWinSkinForm::ReskinScroll(HWND control) {
  for (size_t i = FControls.size(); i-- > 0;) {
    if (!FControls[i]->SkinsWindow(control)) continue;
    const std::optional<TSkinControl::TRenewal> renewal = FControls[i]->Renewal();
    std::unique_ptr<TSkinControl> old = std::move(FControls[i]);
    FControls.erase(FControls.begin() + static_cast<std::ptrdiff_t>(i));
    if (old->State() != TSkinLife::Destroyed) old->Deactivate();
    old.reset();
    // A control freed since it asked keeps nothing to skin.
    if (renewal && renewal->control && OwnsControl(renewal->control))
      AttachControlSkin(
          {renewal->control, renewal->control->Handle(), {}, renewal->decision, nullptr});
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
    if (listed->SkinsWindow(control) && listed->State() != TSkinLife::Destroyed) return true;
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
    if (FState != TFormLife::Destroying && skin->State() != TSkinLife::Destroyed)
      skin->Deactivate();
    skin.reset();
  }
}

void TWinSkinForm::ControlsSkinChanged() {
  const TControlSkinSource source{FSource.Elements, FSource.Options, FSource.SkinControls};
  for (const auto& skin : FControls)
    if (skin->State() != TSkinLife::Destroyed) skin->SkinChanged(source);
}

bool TWinSkinForm::IsBareWindow() const {
  return fw::TWinControl::FromHandle(FHandle) == nullptr;
}

HBRUSH TWinSkinForm::ButtonFaceBrush() {
  if (FSource.Component) return FSource.Component->ButtonFaceBrush();
  if (!FFaceBrush) FFaceBrush.reset(::CreateSolidBrush(ToColourRef(SkinColour(kButtonFace))));
  return FFaceBrush.get();
}

} // namespace skin
