// Whatever skinpack encodes, the program's decoder must give back byte for byte, consuming the
// whole stream.
#include "skin/data/core/lzh.h"
#include "tools/skinpack/lzh_encoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const std::vector<std::uint8_t> stream = skinpack::EncodeLzh(input);
  std::vector<std::uint8_t> out;
  const std::size_t consumed = skin::TLZH().Unpack(static_cast<std::int32_t>(size), stream, out);
  if (out.size() != size || !std::equal(out.begin(), out.end(), input.begin())) std::abort();
  if (size > 0 && consumed != stream.size()) std::abort();
  return 0;
}
