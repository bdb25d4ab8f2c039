#include "tests/windows/support/freed_memory.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kPoison = 0xDD;
// Keeps the alignment malloc gives; holds the block's size.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kSlots = 1 << 16;
constexpr std::size_t kBudget = 32u << 20;
// Code addresses kept per freed block (where it was freed), and how many blocks are reported.
constexpr int kFrames = 16;
constexpr int kReports = 8;

// Zero-initialised, so usable by allocations made before any constructor ran.
struct Quarantine {
  SRWLOCK lock;
  bool active;
  std::size_t head, count, bytes;
  int written, reported;
  unsigned char* blocks[kSlots];
  std::uintptr_t freedAt[kSlots][kFrames];
} quarantine;

std::size_t SizeOf(const unsigned char* raw) {
  return *reinterpret_cast<const std::size_t*>(raw);
}

// The program's code section, for telling return addresses among the words on the stack.
struct CodeRange {
  std::uintptr_t begin = 0, end = 0;
  CodeRange() {
    auto* base = reinterpret_cast<const unsigned char*>(::GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    begin = reinterpret_cast<std::uintptr_t>(base) + nt->OptionalHeader.BaseOfCode;
    end = begin + nt->OptionalHeader.SizeOfCode;
  }
};

// The newest words on the stack that point into the program's code: the return addresses of
// the calls that led here (and a few stale ones), found without frame pointers.
__attribute__((noinline)) void WhereFrom(std::uintptr_t (&frames)[kFrames]) {
  static const CodeRange code;
  const auto* word = reinterpret_cast<const std::uintptr_t*>(__builtin_frame_address(0));
  MEMORY_BASIC_INFORMATION stack{}; // the committed part of the stack, up to its top
  ::VirtualQuery(word, &stack, sizeof stack);
  const auto* top = reinterpret_cast<const std::uintptr_t*>(
      static_cast<const char*>(stack.BaseAddress) + stack.RegionSize);
  int n = 0;
  for (int scanned = 0; word < top && scanned < 512 && n < kFrames; ++word, ++scanned)
    if (*word >= code.begin && *word < code.end) frames[n++] = *word;
  while (n < kFrames)
    frames[n++] = 0;
}

// Counts a block that lost its poison; the first few are reported with where they were freed.
void Check(std::size_t slot) {
  const unsigned char* raw = quarantine.blocks[slot];
  const std::size_t size = SizeOf(raw);
  std::size_t at = 0;
  while (at < size && raw[kHeader + at] == kPoison)
    ++at;
  if (at == size) return;
  ++quarantine.written;
  if (quarantine.reported++ >= kReports) return;
  std::uint32_t value = 0;
  std::memcpy(&value, raw + kHeader + at, std::min<std::size_t>(4, size - at));
  std::fprintf(stderr, "freed block of %u bytes written at offset %u (now 0x%08x there); freed at",
               static_cast<unsigned>(size), static_cast<unsigned>(at), value);
  for (std::uintptr_t frame : quarantine.freedAt[slot])
    if (frame) std::fprintf(stderr, " 0x%llx", static_cast<unsigned long long>(frame));
  std::fprintf(stderr, "\n");
}

// Frees the oldest quarantined block, counting it when it lost its poison.
void ReleaseOldest() {
  const std::size_t oldest = (quarantine.head + kSlots - quarantine.count) % kSlots;
  unsigned char* raw = quarantine.blocks[oldest];
  const std::size_t size = SizeOf(raw);
  Check(oldest);
  quarantine.bytes -= size;
  --quarantine.count;
  std::free(raw);
}

void* Allocate(std::size_t size) {
  auto* raw = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!raw) return nullptr;
  *reinterpret_cast<std::size_t*>(raw) = size;
  return raw + kHeader;
}

void Free(void* block) noexcept {
  if (!block) return;
  unsigned char* raw = static_cast<unsigned char*>(block) - kHeader;
  ::AcquireSRWLockExclusive(&quarantine.lock);
  if (!quarantine.active) {
    ::ReleaseSRWLockExclusive(&quarantine.lock);
    std::free(raw);
    return;
  }
  const std::size_t size = SizeOf(raw);
  std::memset(block, kPoison, size);
  while (quarantine.count > 0 && (quarantine.count == kSlots || quarantine.bytes + size > kBudget))
    ReleaseOldest();
  quarantine.blocks[quarantine.head] = raw;
  WhereFrom(quarantine.freedAt[quarantine.head]);
  quarantine.head = (quarantine.head + 1) % kSlots;
  ++quarantine.count;
  quarantine.bytes += size;
  ::ReleaseSRWLockExclusive(&quarantine.lock);
}

} // namespace

void* operator new(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  Free(block);
}
void operator delete[](void* block) noexcept {
  Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  Free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  Free(block);
}

namespace testing_support {

TFreedMemoryCheck::TFreedMemoryCheck() {
  ::AcquireSRWLockExclusive(&quarantine.lock);
  quarantine.active = true;
  quarantine.written = 0;
  ::ReleaseSRWLockExclusive(&quarantine.lock);
}

TFreedMemoryCheck::~TFreedMemoryCheck() {
  ::AcquireSRWLockExclusive(&quarantine.lock);
  quarantine.active = false;
  while (quarantine.count > 0)
    ReleaseOldest();
  ::ReleaseSRWLockExclusive(&quarantine.lock);
}

int TFreedMemoryCheck::WrittenAfterFree() const {
  ::AcquireSRWLockExclusive(&quarantine.lock);
  const int before = quarantine.written;
  for (std::size_t n = 0; n < quarantine.count; ++n)
    Check((quarantine.head + kSlots - 1 - n) % kSlots);
  const int written = quarantine.written;
  quarantine.written = before; // the blocks stay quarantined and are counted again on release
  ::ReleaseSRWLockExclusive(&quarantine.lock);
  return written;
}

std::size_t TFreedMemoryCheck::QuarantinedBytes() const {
  ::AcquireSRWLockExclusive(&quarantine.lock);
  const std::size_t bytes = quarantine.bytes;
  ::ReleaseSRWLockExclusive(&quarantine.lock);
  return bytes;
}

} // namespace testing_support
