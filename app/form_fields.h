// Binds a form's field to the component of that name read from its description.
#pragma once

#include "framework/component.h"
#include "framework/exception.h"

#include <string>

namespace app {

template <class T> void Field(fw::TComponent& form, const std::wstring& name, T*& field) {
  field = dynamic_cast<T*>(form.FindComponent(name));
  if (!field) throw fw::Exception(L"The form has no component " + name + L" of the right class");
}

} // namespace app
