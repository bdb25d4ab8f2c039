#include "skin/common/modal_loop.h"

namespace skin {

TLoopEnd RunModalLoop(const std::function<bool()>& goOn,
                      const std::function<TLoopInput(const MSG&)>& input) {
  for (;;) {
    if (!goOn()) return TLoopEnd::Stopped;
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return TLoopEnd::Quit;
    }
    switch (input(msg)) {
    case TLoopInput::Ends:
      return TLoopEnd::ByInput;
    case TLoopInput::Passed:
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
      break;
    case TLoopInput::Taken:
      break;
    }
  }
}

} // namespace skin
