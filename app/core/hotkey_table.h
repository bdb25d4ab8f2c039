// The hot-key table without the system calls: key combinations, their modifier value as the
// system reports it in a hot-key message, matching, and the atom names that identify them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace app {

// One combination, six bytes as the hot-key object stores it.
#pragma pack(push, 1)
struct THotKeyCombo {
  std::uint8_t Ctrl = 0, Alt = 0, Shift = 0, Win = 0;
  std::uint16_t Key = 0;
};
#pragma pack(pop)
static_assert(sizeof(THotKeyCombo) == 6);

// MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8.
unsigned ModifierValue(const THotKeyCombo& combo);

class THotKeyTable {
public:
  static constexpr int kCapacity = 20;

  // Number of the new entry (1..20), or 0 when the table is full and nothing was added.
  int Add(const THotKeyCombo& combo);
  int Count() const { return count_; }
  // Entry n, numbered from 1.
  const THotKeyCombo& Entry(int n) const { return combos_[static_cast<std::size_t>(n - 1)]; }

  // Number of the first entry whose key equals lParam's high word and whose modifier value
  // equals its low word, or 0.
  int Match(std::uint32_t lParam) const;

private:
  std::array<THotKeyCombo, kCapacity> combos_{};
  int count_ = 0;
};

// The program's file name without folders, cut before its first "." (empty when it has none),
// followed by n: C:\x\recorder.exe and 1 give recorder1.
std::wstring HotKeyAtomName(const std::wstring& programPath, int n);

} // namespace app
