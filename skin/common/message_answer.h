// The answer of a message handler of a window skin or a control skin: it answered the message
// itself (the message's Result is what the window procedure returns, and nothing after the
// handler sees the message), or it passes the message on to the next handler in line and in the
// end to the window's own procedure.
#pragma once

namespace skin {

enum class TMessageAnswer { Handled, PassOn };

} // namespace skin
