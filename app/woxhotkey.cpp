#include "app/woxhotkey.h"

namespace app {

namespace {
// Atoms made by GlobalAddAtom for names are 0xC000..0xFFFF; hot-key identifiers of programs
// (as opposed to shared libraries) must lie in 0..0xBFFF.
constexpr int kAtomBase = 0xC000;

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}
} // namespace

TWoxhotkey::~TWoxhotkey() {
  for (int n = 1; n <= Count(); ++n) {
    size_t i = static_cast<size_t>(n - 1);
    ::UnregisterHotKey(FWindows[i], FIds[i]);
    ::GlobalDeleteAtom(static_cast<ATOM>(FIds[i] + kAtomBase));
  }
}

void TWoxhotkey::AddHotKey(fw::TWinControl* Window, bool Ctrl, bool Alt, bool Shift, bool Win,
                           WORD Key) {
  THotKeyCombo combo{static_cast<std::uint8_t>(Ctrl), static_cast<std::uint8_t>(Alt),
                     static_cast<std::uint8_t>(Shift), static_cast<std::uint8_t>(Win), Key};
  int n = FKeys.Add(combo);
  if (n == 0) return;
  size_t i = static_cast<size_t>(n - 1);
  FWindows[i] = Window->Handle();
  ATOM atom = ::GlobalAddAtomW(HotKeyAtomName(ProgramPath(), n).c_str());
  FIds[i] = static_cast<int>(atom) - kAtomBase;
  registered_[i] = ::RegisterHotKey(FWindows[i], FIds[i], ModifierValue(combo), Key) != FALSE;
}

int TWoxhotkey::WhichHotKey(THotKeyMessage& Message) const {
  int n = FKeys.Match(static_cast<std::uint32_t>(Message.LParam));
  if (n) Message.Result = 1;
  return n;
}

} // namespace app
