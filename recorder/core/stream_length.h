// Where an AVI file's headers keep a stream's length. AVIFile writes the headers when the file is
// closed; Wine's counts an audio stream's length in chunks instead of samples, so that readers
// take a minute of sound for a few hundred samples. The recorder knows how many samples it wrote
// and puts them there itself after the close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace recorder {

// The offset of the dwLength field of stream `stream`'s header (the `stream`-th "strl" list of
// the "hdrl" list of a RIFF "AVI " file), in `head`, the first bytes of the file; nothing when
// they do not hold it.
std::optional<std::size_t> StreamLengthOffset(std::span<const std::uint8_t> head,
                                              std::size_t stream);

} // namespace recorder
