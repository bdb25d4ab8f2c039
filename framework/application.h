// The application object: the main thread's message loop, the hand-off that lets worker threads
// run code on the main thread, and the error box for exceptions that escape event handlers.
#pragma once

#include "framework/object.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace fw {

class TForm;

class TApplication : public TObject {
public:
  TApplication();
  ~TApplication() override;

  HINSTANCE Instance() const { return instance_; }
  DWORD MainThreadId() const { return mainThreadId_; }
  bool IsMainThread() const { return ::GetCurrentThreadId() == mainThreadId_; }

  // Title of error boxes: the program file's name without folders and extension.
  const std::wstring& Title() const { return title_; }

  // Runs the message loop until Terminate or WM_QUIT.
  void Run();
  // Waits for one message and dispatches it; false once WM_QUIT arrived.
  bool HandleMessage();
  // Dispatches every message already queued and returns.
  void ProcessMessages();
  // Ends Run at its next turn.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Runs `method` on the main thread and returns when it has run; an exception it throws is
  // rethrown in the caller. Called on the main thread it runs at once. The main thread serves
  // these requests from any message loop it is in (modal dialogs and message boxes included).
  void Synchronize(const std::function<void()>& method);

  // Shows the error box for an exception that escaped an event handler.
  void ShowException(const std::exception& e);
  // Calls `handler` and turns any exception it throws into the error box.
  void Guard(const std::function<void()>& handler);

  // The form whose closing ends the application.
  TForm* MainForm = nullptr;

  // Pre-translation of messages, in the order added (dialog keys, hot keys, ...): a filter that
  // returns true has handled the message, which is then neither translated nor dispatched.
  using MessageFilter = std::function<bool(MSG&)>;
  void AddMessageFilter(MessageFilter filter) { filters_.push_back(std::move(filter)); }

private:
  static LRESULT CALLBACK UtilityWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Dispatch(MSG& msg);

  HINSTANCE instance_;
  DWORD mainThreadId_;
  HWND utilityWnd_ = nullptr;
  std::wstring title_;
  bool terminated_ = false;
  std::vector<MessageFilter> filters_;
};

// The one application object of the process, or null before it exists.
extern TApplication* Application;

} // namespace fw
