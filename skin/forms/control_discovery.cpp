#include "skin/forms/control_discovery.h"

#include "framework/exception.h"
#include "framework/form.h"
#include "framework/panel.h"
#include "skin/common/window_class.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/combo_box_modes.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_text.h"
#include "skin/data/skin_data.h"
#include "skin/skin_messages.h"

#include <algorithm>

namespace skin {

namespace {

bool AnswersSkinned(HWND wnd) {
  return wnd && ::SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1;
}

HWND WindowOf(fw::TControl& control) {
  auto* windowed = dynamic_cast<fw::TWinControl*>(&control);
  return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

bool IsGroupOfButtons(const std::string& className) {
  const std::string lower = AsciiLower(className);
  return lower.find("radiogroup") != std::string::npos ||
         lower.find("checkgroup") != std::string::npos;
}

// The windowed controls of a container in tab order, each followed by its own.
void CollectTabOrder(fw::TWinControl& parent, std::vector<fw::TWinControl*>& out) {
  std::vector<fw::TWinControl*> children;
  for (fw::TControl* child : parent.Controls())
    if (auto* windowed = dynamic_cast<fw::TWinControl*>(child)) children.push_back(windowed);
  std::stable_sort(children.begin(), children.end(),
                   [](const fw::TWinControl* a, const fw::TWinControl* b) {
                     return a->TabOrder() < b->TabOrder();
                   });
  for (fw::TWinControl* child : children) {
    out.push_back(child);
    CollectTabOrder(*child, out);
  }
}

} // namespace

TDiscoveryRules TDiscoveryRules::From(TSkinData* data, const TSkinElements* elements,
                                      fw::TComponent* sender) {
  TDiscoveryRules rules;
  rules.SkinData = data;
  rules.Sender = sender;
  rules.SkinHasTabs = elements && elements->Tabs != nullptr;
  if (data) {
    for (const std::wstring& line : data->Skin3rd())
      rules.Skin3rd.push_back(fw::WideToUtf8(line));
    rules.Members = data->SkinControls;
    rules.DisableTag = data->DisableTag;
  }
  return rules;
}

ControlFacts FactsOf(fw::TControl& control) {
  ControlFacts facts;
  facts.className = fw::WideToUtf8(control.ClassName());
  ProbeTraits(control, facts);
  if (HWND wnd = WindowOf(control)) {
    facts.windowed = true;
    facts.style = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_STYLE));
    RECT window, client;
    ::GetWindowRect(wnd, &window);
    ::GetClientRect(wnd, &client);
    facts.hasBorder =
        (window.right - window.left) > client.right || (window.bottom - window.top) > client.bottom;
  }
  facts.kindProperty = fw::WideToUtf8(fw::GetEnumProp(control, L"Kind").value_or(L""));
  facts.numButtons = fw::GetOrdProp(control, L"NumButtons").value_or(-1);
  return facts;
}

void TControlDiscovery::Record(fw::TControl* control, HWND window, std::string className,
                               ControlDecision decision, fw::TComponent* handlerSkin) {
  FResults.push_back({control, window, std::move(className), decision, handlerSkin});
}

void TControlDiscovery::DiscoverForm(fw::TWinControl& form) {
  // Disabled button groups pass their tag on before any of their buttons is looked at.
  for (fw::TComponent* component : form.Components())
    if (auto* group = dynamic_cast<fw::TWinControl*>(component))
      if (group->Tag == FRules.DisableTag && IsGroupOfButtons(fw::WideToUtf8(group->ClassName())))
        for (fw::TControl* child : group->Controls())
          child->Tag = FRules.DisableTag;
  for (fw::TComponent* component : form.Components())
    if (auto* control = dynamic_cast<fw::TControl*>(component)) DiscoverControl(*control, form);
  std::vector<fw::TWinControl*> tabOrder;
  CollectTabOrder(form, tabOrder);
  for (fw::TWinControl* control : tabOrder)
    if (control->HandleAllocated() && control->Tag != FRules.DisableTag)
      DiscoverControl(*control, form);
}

void TControlDiscovery::DiscoverLateControl(fw::TWinControl& control) {
  if (fw::TWinControl* parent = control.Parent()) DiscoverControl(control, *parent);
}

void TControlDiscovery::DiscoverChildren(fw::TWinControl& parent) {
  // A copy: a handler may add controls while the walk runs.
  const std::vector<fw::TControl*> children = parent.Controls();
  for (fw::TControl* child : children)
    DiscoverControl(*child, parent);
}

void TControlDiscovery::DiscoverControl(fw::TControl& control, fw::TComponent& container) {
  if (Seen(&control)) return;
  auto* windowed = dynamic_cast<fw::TWinControl*>(&control);
  if (control.Tag == FRules.DisableTag) {
    // A disabled button group keeps all its buttons unskinned too.
    if (windowed && IsGroupOfButtons(fw::WideToUtf8(control.ClassName())))
      for (fw::TControl* child : windowed->Controls())
        child->Tag = FRules.DisableTag;
    return;
  }
  if (!control.Parent()) return;
  HWND wnd = nullptr;
  if (windowed) {
    try {
      wnd = windowed->Handle();
    } catch (...) {
      return; // a control whose window cannot be made stays as it is
    }
    if (AnswersSkinned(wnd)) return;
  }
  FSeen.insert(&control);
  const std::string className = fw::WideToUtf8(control.ClassName());

  if (FRules.SkinData && FRules.SkinData->OnSkinControl) {
    fw::TComponent* skin = nullptr;
    FRules.SkinData->OnSkinControl(FRules.Sender, FRules.SkinData, &container, &control,
                                   fw::Utf8ToWide(AsciiUpper(className)), skin);
    if (skin) {
      Record(&control, wnd, className, {}, skin);
      if (windowed && dynamic_cast<fw::TPanel*>(&control)) DiscoverChildren(*windowed);
      return;
    }
  }

  const ControlFacts facts = FactsOf(control);
  const ControlDecision decision =
      DecideControl(facts, FRules.Skin3rd, FRules.Members, FRules.SkinHasTabs);

  if (windowed && decision.children == ChildDiscovery::Before) DiscoverChildren(*windowed);
  if (windowed && decision.childKind != SkinnerKind::None) {
    // The buttons of a radio or check group get their skin before the group.
    for (fw::TControl* child : windowed->Controls()) {
      if (child->Tag == FRules.DisableTag || Seen(child)) continue;
      FSeen.insert(child);
      ControlDecision each;
      each.kind = decision.childKind;
      each.mode = decision.childMode;
      Record(child, WindowOf(*child), fw::WideToUtf8(child->ClassName()), each);
    }
  }
  if (windowed && decision.kind == SkinnerKind::EmbedScrollbar) {
    for (fw::TControl* child : windowed->Controls()) {
      const ControlDecision each = DecideEmbeddedBars(FactsOf(*child));
      if (Seen(child) || each.kind == SkinnerKind::None) continue;
      FSeen.insert(child);
      Record(child, WindowOf(*child), fw::WideToUtf8(child->ClassName()), each);
    }
  }
  Record(&control, wnd, className, decision);
  if (windowed && decision.children == ChildDiscovery::After) DiscoverChildren(*windowed);
}

void TControlDiscovery::DiscoverWindows(HWND parent) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetWindowLongW(child, GWL_STYLE) & WS_CHILD) MatchWindow(child);
}

void TControlDiscovery::MatchWindow(HWND wnd) {
  if (!::IsWindow(wnd) || Seen(wnd) || AnswersSkinned(wnd)) return;
  FSeen.insert(wnd);
  const std::string className = WindowClassName(wnd);
  const auto style = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_STYLE));
  ControlDecision decision = DecideForeignWindow(className, style, FRules.Members);
  if (decision.children == ChildDiscovery::Before) DiscoverWindows(wnd);
  HWND target = wnd;
  if (decision.mode == kInnerComboWindow) {
    // An extended combo box is skinned through the combo box inside it.
    target = ::GetWindow(wnd, GW_CHILD);
    if (!target) decision = {};
  }
  Record(fw::TWinControl::FromHandle(wnd), target, className, decision);
}

} // namespace skin
