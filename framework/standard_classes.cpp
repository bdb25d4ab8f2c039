// The framework's own component classes, known to form descriptions by name.
#include "framework/class_registry.h"
#include "framework/comctrls.h"
#include "framework/dialogs.h"
#include "framework/stdctrls.h"
#include "framework/timer.h"

namespace fw {

void RegisterStandardClasses() {
  static bool done = [] {
    RegisterComponentClass<TButton>(L"TButton");
    RegisterComponentClass<TRadioButton>(L"TRadioButton");
    RegisterComponentClass<TCheckBox>(L"TCheckBox");
    RegisterComponentClass<TLabel>(L"TLabel");
    RegisterComponentClass<TEdit>(L"TEdit");
    RegisterComponentClass<TMemo>(L"TMemo");
    RegisterComponentClass<TGroupBox>(L"TGroupBox");
    RegisterComponentClass<TComboBox>(L"TComboBox");
    RegisterComponentClass<TListBox>(L"TListBox");
    RegisterComponentClass<TTrackBar>(L"TTrackBar");
    RegisterComponentClass<TProgressBar>(L"TProgressBar");
    RegisterComponentClass<TUpDown>(L"TUpDown");
    RegisterComponentClass<TOpenDialog>(L"TOpenDialog");
    RegisterComponentClass<TSaveDialog>(L"TSaveDialog");
    RegisterComponentClass<TTimer>(L"TTimer");
    return true;
  }();
  (void)done;
}

} // namespace fw
