// A check for memory used after it was freed, for Windows test programs (no AddressSanitizer
// there). A program that lists freed_memory.cpp among its own sources gets global operator new
// and delete of its own. While a TFreedMemoryCheck lives, every freed block is filled with a
// poison byte and kept out of reuse (the newest blocks, up to a byte budget): a pointer read from
// a freed object is the poison, so following it crashes at once, and a block that is written
// after it was freed no longer holds only poison when it leaves the quarantine or when
// WrittenAfterFree() looks. The first few such blocks are reported on standard error with their
// size, the first byte written and the code addresses on the stack when they were freed (resolve
// them with i686-w64-mingw32-addr2line -f -C -i -e PROGRAM.exe).
#pragma once

#include <cstddef>

namespace testing_support {

class TFreedMemoryCheck {
public:
  TFreedMemoryCheck();
  // Gives every quarantined block back to the heap.
  ~TFreedMemoryCheck();
  TFreedMemoryCheck(const TFreedMemoryCheck&) = delete;
  TFreedMemoryCheck& operator=(const TFreedMemoryCheck&) = delete;

  // Freed blocks found written to so far (the quarantined ones are looked at now).
  int WrittenAfterFree() const;
  // Bytes held back from reuse now.
  std::size_t QuarantinedBytes() const;
};

} // namespace testing_support
