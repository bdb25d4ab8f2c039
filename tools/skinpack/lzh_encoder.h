// The LZHUF encoder that makes skin streams: the exact counterpart of the program's decoder
// (skin/data/core/lzh.h), with the same dictionary, Huffman tree and position code.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skinpack {

// The bit stream that decodes to `data`, without the size field.
std::vector<std::uint8_t> EncodeLzh(std::span<const std::uint8_t> data);

// A skin file: the 4-byte unpacked size, then the bit stream. Throws std::length_error for an
// archive larger than the program unpacks.
std::vector<std::uint8_t> PackSkinFile(std::span<const std::uint8_t> archive);

} // namespace skinpack
