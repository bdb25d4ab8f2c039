// Any skin file must decode to between U and U + 59 bytes (nothing for U <= 0), never read
// outside its input, and refuse sizes beyond the limit without decoding.
#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_stream.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {
// Larger sizes are valid but only repeat the same decoding loop at great cost per input.
constexpr std::int32_t kLargestSizeDecoded = 256 * 1024;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> skinFile(data, size);
  std::vector<std::uint8_t> out;
  if (size < skin::kSizeFieldBytes) {
    try {
      skin::UnpackSkinFile(skinFile, out);
    } catch (const skin::ElzhException&) {
      return 0;
    }
    std::abort(); // a file without a size field must be refused
  }
  const std::int32_t unpackedSize = skin::ReadUnpackedSize(skinFile);
  if (unpackedSize > skin::kMaxUnpackedSize) {
    try {
      skin::TLZH().Unpack(unpackedSize, skinFile.subspan(4), out);
    } catch (const skin::ElzhException&) {
      if (out.capacity() > 0) std::abort();
      return 0;
    }
    std::abort();
  }
  if (unpackedSize > kLargestSizeDecoded) return 0;

  const std::size_t consumed = skin::TLZH().Unpack(unpackedSize, skinFile.subspan(4), out);
  if (consumed > size - skin::kSizeFieldBytes) std::abort();
  if (unpackedSize <= 0) {
    if (!out.empty() || consumed != 0) std::abort();
    return 0;
  }
  const auto wanted = static_cast<std::size_t>(unpackedSize);
  if (out.size() < wanted || out.size() > wanted + skin::kMaxUnpackOvershoot) std::abort();
  return 0;
}
