#include "app/core/hotkey_table.h"

namespace app {

unsigned ModifierValue(const THotKeyCombo& combo) {
  return (combo.Ctrl ? 2u : 0u) | (combo.Shift ? 4u : 0u) | (combo.Alt ? 1u : 0u) |
         (combo.Win ? 8u : 0u);
}

int THotKeyTable::Add(const THotKeyCombo& combo) {
  if (count_ == kCapacity) return 0;
  combos_[static_cast<std::size_t>(count_)] = combo;
  return ++count_;
}

int THotKeyTable::Match(std::uint32_t lParam) const {
  unsigned key = lParam >> 16, modifiers = lParam & 0xFFFF;
  for (int n = 1; n <= count_; ++n)
    if (Entry(n).Key == key && ModifierValue(Entry(n)) == modifiers) return n;
  return 0;
}

std::wstring HotKeyAtomName(const std::wstring& programPath, int n) {
  std::wstring name = programPath;
  if (auto slash = name.find_last_of(L"\\/:"); slash != std::wstring::npos)
    name.erase(0, slash + 1);
  // A name without "." leaves nothing: the number alone names the atom.
  auto dot = name.find(L'.');
  name = dot == std::wstring::npos ? std::wstring() : name.substr(0, dot);
  return name + std::to_wstring(n);
}

} // namespace app
