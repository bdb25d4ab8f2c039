// Size alignment for compressors that accept only widths and heights of some multiple.
#pragma once

#include <cstdint>

namespace recorder {

// Raises `value` to the next multiple of `alignment`, or lowers it to the previous one when the
// raised value would exceed `limit` (the screen's size). A multiple stays as it is.
constexpr std::int32_t AlignDimension(std::int32_t value, std::int32_t alignment,
                                      std::int32_t limit) {
  if (alignment <= 1 || value % alignment == 0) return value;
  std::int32_t lowered = value - value % alignment;
  std::int32_t raised = lowered + alignment;
  return raised > limit ? lowered : raised;
}

} // namespace recorder
