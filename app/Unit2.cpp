#include "app/Unit2.h"

namespace app {

TForm2* Form2 = nullptr;

TForm2::TForm2(fw::TComponent* owner) : fw::TForm(owner) {
  InitFromResource(L"TFORM2");
}

} // namespace app
