// One copy of the program per user session. The first start holds a named mutex; a later start
// finds it held, asks the running copy to show its main window (a registered message posted to
// every top-level window, which only the running copy's main window answers) and ends: a second
// copy could not have F4 and F5, and its recordings could not be stopped.
#pragma once

#include "framework/handles.h"

namespace app {

class TSingleInstance {
public:
  TSingleInstance();
  // No other copy was running when this one started.
  bool First() const { return first_; }
  // Asks the running copy to bring its main window back.
  static void ShowRunningCopy();
  // The message the running copy's main window answers by showing itself.
  static UINT ShowWindowMessage();

private:
  fw::KernelHandle mutex_;
  bool first_ = true;
};

} // namespace app
