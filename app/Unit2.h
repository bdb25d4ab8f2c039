// A test form made at start-up and never shown.
#pragma once

#include "framework/form.h"

namespace app {

class TForm2 : public fw::TForm {
public:
  explicit TForm2(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TForm2"; }
};

extern TForm2* Form2;

} // namespace app
