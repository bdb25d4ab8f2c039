// The small modal loops of the skins (a menu-bar item highlighted without a drop-down, a list's
// thumb dragged by hand): they take the input they are about and dispatch everything else as the
// program's own loop would, until their input ends them, they can no longer go on, or the program
// quits.
#pragma once

#include <windows.h>

#include <functional>

namespace skin {

// What the loop's input handler did with one message.
enum class TLoopInput {
  Taken,  // used; the loop goes on
  Passed, // not the loop's: dispatched as usual
  Ends,   // used, and the loop ends
};

// How a loop ended.
enum class TLoopEnd {
  ByInput, // its input handler said so
  Stopped, // `goOn` said no
  Quit,    // WM_QUIT came (the request is left for the program's own loop)
};

// Runs the loop. `goOn` is asked before each message, after every wake-up (sent messages, which
// may take the capture away or hide a window, are handled while the loop waits); `input` is
// offered each posted message.
TLoopEnd RunModalLoop(const std::function<bool()>& goOn,
                      const std::function<TLoopInput(const MSG&)>& input);

} // namespace skin
