// Journals and AVI files held in memory for the fuzz targets of the repair. Reads of the file
// can be made to fail at one offset (a bad spot); the file may not grow past a bound (the repair
// must keep what it writes in proportion to what it found).
#pragma once

#include "recorder/core/avi_repair.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzing {

class MemorySource : public recorder::ByteSource {
public:
  explicit MemorySource(std::vector<std::uint8_t> b) : bytes(std::move(b)) {}
  std::uint64_t Size() override { return bytes.size(); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    if (offset > bytes.size() || n > bytes.size() - offset) std::abort(); // reads stay inside
    std::memcpy(data, bytes.data() + offset, n);
    return true;
  }
  std::vector<std::uint8_t> bytes;
};

class MemoryTarget : public recorder::RepairTarget {
public:
  MemoryTarget(std::vector<std::uint8_t> b, std::uint64_t bad)
      : bytes(std::move(b)), badSpot(bad), largest(3 * bytes.size() + (1 << 16)) {}
  std::uint64_t Size() override { return bytes.size(); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    if (offset > bytes.size() || n > bytes.size() - offset) std::abort();
    if (offset <= badSpot && badSpot < offset + n) return false;
    std::memcpy(data, bytes.data() + offset, n);
    return true;
  }
  bool Write(std::uint64_t offset, const void* data, std::size_t n) override {
    if (offset + n > largest) std::abort(); // a write out of proportion to the file
    if (offset + n > bytes.size()) bytes.resize(static_cast<std::size_t>(offset + n));
    std::memcpy(bytes.data() + offset, data, n);
    ++writes;
    return true;
  }
  bool SetSize(std::uint64_t size) override {
    if (size > largest) std::abort();
    bytes.resize(static_cast<std::size_t>(size));
    ++writes;
    return true;
  }
  std::vector<std::uint8_t> bytes;
  std::uint64_t badSpot;
  std::uint64_t largest;
  int writes = 0;
};

} // namespace fuzzing
