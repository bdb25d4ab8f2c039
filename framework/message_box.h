// Message boxes go through one replaceable function so that tests can answer them without a
// person in front of the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

using MessageBoxHandler = std::function<int(HWND owner, const std::wstring& text,
                                            const std::wstring& caption, UINT type)>;

// Shows a box (MessageBoxW unless a handler is installed) and returns the button pressed.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Installs a handler for every later box, from any thread, and returns the one it replaces; an
// empty handler restores MessageBoxW.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace fw
