#include "tests/windows/support/freed_memory.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kPoison = 0xDD;
// Keeps the alignment malloc gives; holds the block's size.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kSlots = 1 << 16;
constexpr std::size_t kBudget = 32u << 20;

// Zero-initialised, so usable by allocations made before any constructor ran.
struct Quarantine {
  SRWLOCK lock;
  bool active;
  std::size_t head, count, bytes;
  int written;
  unsigned char* blocks[kSlots];
} quarantine;

std::size_t SizeOf(const unsigned char* raw) {
  return *reinterpret_cast<const std::size_t*>(raw);
}

// Frees the oldest quarantined block, counting it when it lost its poison.
void ReleaseOldest() {
  const std::size_t oldest = (quarantine.head + kSlots - quarantine.count) % kSlots;
  unsigned char* raw = quarantine.blocks[oldest];
  const std::size_t size = SizeOf(raw);
  for (std::size_t i = 0; i < size; ++i)
    if (raw[kHeader + i] != kPoison) {
      ++quarantine.written;
      break;
    }
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
  int written = quarantine.written;
  for (std::size_t n = 0; n < quarantine.count; ++n) {
    const unsigned char* raw = quarantine.blocks[(quarantine.head + kSlots - 1 - n) % kSlots];
    const std::size_t size = SizeOf(raw);
    for (std::size_t i = 0; i < size; ++i)
      if (raw[kHeader + i] != kPoison) {
        ++written;
        break;
      }
  }
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
