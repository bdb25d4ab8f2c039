// Component classes by name, for the form reader: a form description names the class of each
// component it holds, and the reader creates it through this registry. A description that names
// an unregistered class fails to load ("Class TXxx not found"): a component that brings its own
// class (the skin component, say) registers it before the first form is read.
#pragma once

#include "framework/component.h"

#include <functional>
#include <string>

namespace fw {

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

void RegisterComponentClass(const std::wstring& className, TComponentFactory factory);
template <class T> void RegisterComponentClass(const std::wstring& className) {
  RegisterComponentClass(className, [](TComponent* owner) { return new T(owner); });
}
bool IsComponentClassRegistered(const std::wstring& className);

// A new component of the named class owned by `owner`; throws when the class is unknown.
TComponent* CreateComponent(const std::wstring& className, TComponent* owner);

// Registers the framework's own controls (buttons, labels, sliders, ...); called by the form
// reader before it reads its first description.
void RegisterStandardClasses();

} // namespace fw
