// Shared pieces of the tests of the program's forms.
#pragma once

#include "framework/control.h"
#include "framework/form.h"

#include <windows.h>

#include <functional>
#include <string>

namespace forms_tests {

// Runs `action` once, from the message loop, as soon as `form` is visible: the way to act as the
// user on a modal form whose loop the test cannot return from.
void WhenShown(fw::TForm& form, std::function<void()> action);

// Answers the next save dialog of this thread with `name` (OK), from the message loop, once it
// shows.
void AnswerSaveDialog(const std::wstring& name);

// Clicks a button the way a mouse click does: the button notifies its parent.
void ClickButton(fw::TWinControl& button);

// Sends a key press to the focused window through the message loop (dialog keys included).
void PressKey(WORD key);

// The bounds of a control's window relative to its parent's client area.
RECT ChildBounds(fw::TWinControl& control);

std::wstring WindowText(HWND wnd);

// Saves a picture of the window (with its frame) as a PNG-less BMP artefact.
void SaveWindowPicture(HWND wnd, const std::wstring& name);

} // namespace forms_tests
