#include "skin/common/window_thunk.h"

#include "framework/exception.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace skin {

namespace {

// Every thunk takes one fixed-size slot in pages that are readable, writable and executable;
// freed slots are reused.
constexpr size_t kSlotSize = 32;

class ThunkPool {
public:
  unsigned char* Allocate() {
    std::lock_guard lock(FMutex);
    if (FFree.empty()) Grow();
    unsigned char* slot = FFree.back();
    FFree.pop_back();
    return slot;
  }
  void Release(unsigned char* slot) {
    std::lock_guard lock(FMutex);
    std::memset(slot, 0xCC, kSlotSize); // int3: a call through a stale slot stops at once
    FFree.push_back(slot);
  }

private:
  void Grow() {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const size_t size = info.dwPageSize;
    auto* page = static_cast<unsigned char*>(
        ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!page) throw fw::Exception(L"Out of memory for window thunks");
    for (size_t offset = 0; offset + kSlotSize <= size; offset += kSlotSize)
      FFree.push_back(page + offset);
  }

  std::mutex FMutex;
  std::vector<unsigned char*> FFree; // pages are never returned: thunks may outlive their owner
};

ThunkPool& Pool() {
  static ThunkPool pool;
  return pool;
}

void WriteCode(unsigned char* code, void* object, ThunkTarget target) {
#if defined(_M_X64) || defined(__x86_64__)
  // mov rcx, object ; mov rax, target ; jmp rax
  unsigned char* p = code;
  *p++ = 0x48;
  *p++ = 0xB9;
  std::memcpy(p, &object, 8);
  p += 8;
  *p++ = 0x48;
  *p++ = 0xB8;
  std::memcpy(p, &target, 8);
  p += 8;
  *p++ = 0xFF;
  *p++ = 0xE0;
#elif defined(_M_IX86) || defined(__i386__)
  // mov dword ptr [esp+4], object ; jmp target   (stdcall: the window handle is the first
  // argument on the stack)
  unsigned char* p = code;
  *p++ = 0xC7;
  *p++ = 0x44;
  *p++ = 0x24;
  *p++ = 0x04;
  std::memcpy(p, &object, 4);
  p += 4;
  *p++ = 0xE9;
  const auto next = reinterpret_cast<intptr_t>(p + 4);
  const auto relative = static_cast<std::int32_t>(reinterpret_cast<intptr_t>(target) - next);
  std::memcpy(p, &relative, 4);
#else
#error "window thunks are written for x86 and x86-64"
#endif
  ::FlushInstructionCache(::GetCurrentProcess(), code, kSlotSize);
}

} // namespace

TWindowThunk::TWindowThunk(void* object, ThunkTarget target) : FCode(Pool().Allocate()) {
  WriteCode(FCode, object, target);
}

TWindowThunk::~TWindowThunk() {
  if (!FAbandoned) Pool().Release(FCode);
}

void TWindowThunk::Retarget(void* object, ThunkTarget target) {
  WriteCode(FCode, object, target);
}

} // namespace skin
