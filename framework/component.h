// Components: objects with an owner that frees them, a name and a tag.
#pragma once

#include "framework/persistent.h"

#include <string>
#include <vector>

namespace fw {

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  // Frees the owned components, last created first, then leaves the owner.
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(const std::wstring& name) const;

  std::wstring Name;
  int Tag = 0;

  // Called once after the component and its owner's whole tree have been read from a form
  // description, in reading order (the form first).
  virtual void Loaded() {}

  std::wstring ClassName() const override { return L"TComponent"; }

protected:
  void DefineProperties(TPropertyList& list) const override;

private:
  void InsertComponent(TComponent* child) { components_.push_back(child); }
  void RemoveComponent(TComponent* child);

  TComponent* owner_;
  std::vector<TComponent*> components_;
};

} // namespace fw
