// Microsoft Video 1 ("MSVC", "CRAM") encoder, 16-bit form: 4×4 blocks coded as skip, fill, two
// colours or two colours per quadrant. Delta frames refer to the decoder's picture as this encoder
// has reconstructed it, so coding errors never add up from frame to frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "recorder/core/msvideo1_format.h"
#include "recorder/core/msvideo1_pixels.h"

namespace recorder::msvideo1 {

inline constexpr int kMaxQuality = 10000;
// The recorder's own default; a root-mean-square error of about two 5-bit steps per block.
inline constexpr int kDefaultQuality = 6550;

// The squared error (5-bit units, summed over a block's 48 components) a block may carry at a
// quality of 0..10000: none at 10000, more the lower the quality. Values outside are clamped.
int AllowedBlockError(int quality);

struct EncodedFrame {
  std::size_t bytes = 0;
  bool keyFrame = false; // holds no skip block, so it decodes without any earlier frame
};

class Encoder {
public:
  // Prepares for frames of `format`; `colourTable` (RGBQUAD entries) is read for 8-bit input.
  // The first frame after Start is a key frame.
  Status Start(const InputFormat& format, std::span<const std::uint8_t> colourTable = {});
  void Stop();
  bool Started() const { return started_; }
  const InputFormat& Format() const { return format_; }

  // A new colour table for the frames that follow (8-bit input).
  void SetColourTable(std::span<const std::uint8_t> colourTable);

  // Compresses one frame of bottom-up rows. A key frame is made when `keyFrame` is set or no
  // earlier frame exists; otherwise unchanged blocks are skipped. `out` must hold
  // MaxCompressedBytes(format) bytes.
  Status Encode(std::span<const std::uint8_t> pixels, bool keyFrame, int quality,
                std::span<std::uint8_t> out, EncodedFrame& frame);

  // What a decoder shows after the last frame: bottom-up rows of RGB555.
  std::span<const Rgb555> Reconstruction() const { return reconstruction_; }

private:
  bool started_ = false;
  InputFormat format_;
  std::size_t stride_ = 0;
  Palette555 palette_;
  // Input bytes of the last frame: a block whose bytes did not change is skipped without any
  // arithmetic, which keeps still screens cheap.
  std::vector<std::uint8_t> lastInput_;
  bool lastInputValid_ = false;
  int lastAllowedError_ = -1;
  std::vector<Rgb555> reconstruction_;
  std::vector<Rgb555> rowBuffer_; // one block row of converted source pixels
};

} // namespace recorder::msvideo1
