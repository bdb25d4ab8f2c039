#include "framework/class_registry.h"

#include "framework/exception.h"

#include <map>

namespace fw {

namespace {
std::map<std::wstring, TComponentFactory>& Registry() {
  static std::map<std::wstring, TComponentFactory> registry;
  return registry;
}
} // namespace

void RegisterComponentClass(const std::wstring& className, TComponentFactory factory) {
  Registry()[className] = std::move(factory);
}

bool IsComponentClassRegistered(const std::wstring& className) {
  return Registry().count(className) != 0;
}

TComponent* CreateComponent(const std::wstring& className, TComponent* owner) {
  auto it = Registry().find(className);
  if (it == Registry().end()) throw Exception(L"Class " + className + L" not found");
  return it->second(owner);
}

} // namespace fw
