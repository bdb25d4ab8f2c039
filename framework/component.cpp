#include "framework/component.h"

#include <algorithm>

namespace fw {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  while (!components_.empty())
    delete components_.back(); // each removes itself
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::RemoveComponent(TComponent* child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it != components_.end()) components_.erase(it);
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  for (TComponent* c : components_)
    if (c->Name == name) return c;
  return nullptr;
}

void TComponent::DefineProperties(TPropertyList& list) const {
  TPropertyDefiner<TComponent> d(list);
  d.String(
      L"Name", [](TComponent& c) { return c.Name; },
      [](TComponent& c, const std::wstring& v) { c.Name = v; });
  d.Integer(
      L"Tag", [](TComponent& c) { return c.Tag; }, [](TComponent& c, int v) { c.Tag = v; });
}

} // namespace fw
