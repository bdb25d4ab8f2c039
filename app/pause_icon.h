// The notification-area icon of a paused recording: the program's small icon with a pause sign
// (two bars on a white square) in its lower right corner.
#pragma once

#include <windows.h>

namespace app {

class TPauseIcon {
public:
  TPauseIcon() = default;
  TPauseIcon(const TPauseIcon&) = delete;
  TPauseIcon& operator=(const TPauseIcon&) = delete;
  ~TPauseIcon();

  // Made from `base` the first time it is asked for; `base` when it cannot be made.
  HICON Get(HICON base);

private:
  HICON icon_ = nullptr;
};

} // namespace app
