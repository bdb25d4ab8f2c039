// System-wide hot keys for a window: registers them under process-unique identifiers made from
// global atoms named after the program file, and tells which of them a hot-key message is.
#pragma once

#include "app/core/hotkey_table.h"
#include "framework/control.h"

#include <windows.h>

#include <array>

namespace app {

// A hot-key message as the window receives it; Result is what the window procedure returns.
struct THotKeyMessage {
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

class TWoxhotkey : public fw::TObject {
public:
  static constexpr int kCapacity = THotKeyTable::kCapacity;

  TWoxhotkey() = default;
  // Unregisters every hot key and releases its atom.
  ~TWoxhotkey() override;

  // Registers Key with the modifiers for the window as hot key number FCount + 1; ignored once
  // 20 are registered. A combination another program holds is kept but never fires: Registered
  // tells which.
  void AddHotKey(fw::TWinControl* Window, bool Ctrl, bool Alt, bool Shift, bool Win, WORD Key);

  // Number 1..20 of the first hot key whose key and modifiers the message carries (its Result
  // then becomes 1), or 0. The identifier in wParam is not compared.
  int WhichHotKey(THotKeyMessage& Message) const;

  int Count() const { return FKeys.Count(); }
  // Identifier of hot key n (1..Count).
  int Id(int n) const { return FIds[static_cast<size_t>(n - 1)]; }
  // Whether the system gave hot key n (1..Count) to this program.
  bool Registered(int n) const { return registered_[static_cast<size_t>(n - 1)]; }

private:
  std::array<int, kCapacity> FIds{};
  std::array<HWND, kCapacity> FWindows{};
  std::array<bool, kCapacity> registered_{};
  THotKeyTable FKeys;
};

} // namespace app
