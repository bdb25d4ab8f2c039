#include "recorder/core/msvideo1_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "recorder/core/msvideo1_block.h"

namespace recorder::msvideo1 {
namespace {

// Collects consecutive skipped blocks into as few skip words as possible.
class FrameWriter {
public:
  explicit FrameWriter(std::uint8_t* out) : start_(out), out_(out) {}

  void Skip(std::uint32_t blocks) {
    pendingSkips_ += blocks;
    anySkip_ = anySkip_ || blocks > 0;
  }

  void Block(const BlockCode& code) {
    FlushSkips();
    out_ += WriteBlock(code, out_);
  }

  void FlushSkips() {
    while (pendingSkips_ > 0) {
      std::uint32_t run = std::min(pendingSkips_, kMaxSkipRun);
      // High byte 0x84..0x87 carries the top two bits of the count.
      std::uint16_t word = static_cast<std::uint16_t>(0x8400 | run);
      out_[0] = static_cast<std::uint8_t>(word & 0xFF);
      out_[1] = static_cast<std::uint8_t>(word >> 8);
      out_ += 2;
      pendingSkips_ -= run;
    }
  }

  std::size_t Bytes() const { return static_cast<std::size_t>(out_ - start_); }
  bool AnySkip() const { return anySkip_; }

private:
  std::uint8_t* start_;
  std::uint8_t* out_;
  std::uint32_t pendingSkips_ = 0;
  bool anySkip_ = false;
};

// Loosest allowance, at quality 0: a root-mean-square error of this many 5-bit steps per component.
constexpr double kCoarsestRmsError = 6.0;

} // namespace

int AllowedBlockError(int quality) {
  int q = std::clamp(quality, 0, kMaxQuality);
  double rms = kCoarsestRmsError * (kMaxQuality - q) / kMaxQuality;
  return static_cast<int>(std::lround(48.0 * rms * rms));
}

Status Encoder::Start(const InputFormat& format, std::span<const std::uint8_t> colourTable) {
  Stop();
  if (Status s = CheckInputFormat(format); s != Status::Ok) return s;
  format_ = format;
  stride_ = InputStride(format);
  palette_.Assign(colourTable);
  lastInput_.assign(InputFrameBytes(format), 0);
  reconstruction_.assign(static_cast<std::size_t>(format.width) * format.height, 0);
  rowBuffer_.assign(static_cast<std::size_t>(format.width) * kBlockSide, 0);
  lastInputValid_ = false;
  lastAllowedError_ = -1;
  started_ = true;
  return Status::Ok;
}

void Encoder::Stop() {
  started_ = false;
  lastInputValid_ = false;
  // Given back, not only emptied ("= {}" keeps the capacity): a compressor that is ended but
  // never closed (Wine's AVIFile does that) must not keep a frame's worth of memory.
  std::vector<std::uint8_t>().swap(lastInput_);
  std::vector<Rgb555>().swap(reconstruction_);
  std::vector<Rgb555>().swap(rowBuffer_);
}

void Encoder::SetColourTable(std::span<const std::uint8_t> colourTable) {
  Palette555 next(colourTable);
  if (next == palette_) return;
  palette_ = next;
  // Equal index bytes no longer mean equal colours.
  lastInputValid_ = false;
}

Status Encoder::Encode(std::span<const std::uint8_t> pixels, bool keyFrame, int quality,
                       std::span<std::uint8_t> out, EncodedFrame& frame) {
  frame = {};
  if (!started_) return Status::NotStarted;
  if (pixels.data() == nullptr || out.data() == nullptr) return Status::NullPointer;
  if (pixels.size() < InputFrameBytes(format_)) return Status::InputTooSmall;
  if (out.size() < MaxCompressedBytes(format_)) return Status::OutputTooSmall;

  const int allowed = AllowedBlockError(quality);
  const bool key = keyFrame || lastAllowedError_ < 0;
  // Unchanged input bytes may be skipped blindly only when the picture behind them was coded
  // under the same allowance: a stricter one must look at every block again.
  const bool skipUnchangedBytes = !key && lastInputValid_ && allowed == lastAllowedError_;
  const int width = format_.width;
  const int blocksPerRow = width / kBlockSide;
  const std::size_t blockBytes = static_cast<std::size_t>(format_.bitsPerPixel / 2);
  const std::size_t blockRowBytes = stride_ * kBlockSide;

  FrameWriter writer(out.data());
  for (int by = 0; by < format_.height / kBlockSide; ++by) {
    const std::uint8_t* rows = pixels.data() + by * blockRowBytes;
    std::uint8_t* kept = lastInput_.data() + by * blockRowBytes;
    if (skipUnchangedBytes && std::memcmp(rows, kept, blockRowBytes) == 0) {
      writer.Skip(static_cast<std::uint32_t>(blocksPerRow));
      continue;
    }
    for (int r = 0; r < kBlockSide; ++r)
      ConvertRow(rows + r * stride_, format_.bitsPerPixel, width, palette_,
                 rowBuffer_.data() + static_cast<std::size_t>(r) * width);
    Rgb555* picture = reconstruction_.data() + static_cast<std::size_t>(by) * kBlockSide * width;

    for (int bx = 0; bx < blocksPerRow; ++bx) {
      if (skipUnchangedBytes) {
        bool same = true;
        for (int r = 0; r < kBlockSide && same; ++r) {
          std::size_t at = r * stride_ + bx * blockBytes;
          same = std::memcmp(rows + at, kept + at, blockBytes) == 0;
        }
        if (same) {
          writer.Skip(1);
          continue;
        }
      }
      BlockPixels source, shown;
      for (int r = 0; r < kBlockSide; ++r) {
        const std::size_t at = static_cast<std::size_t>(r) * width + bx * kBlockSide;
        std::memcpy(&source[r * 4], &rowBuffer_[at], 4 * sizeof(Rgb555));
        std::memcpy(&shown[r * 4], &picture[at], 4 * sizeof(Rgb555));
      }
      BlockCode code = ChooseBlockCode(source, key ? nullptr : &shown, allowed);
      if (code.mode == BlockMode::Skip) {
        writer.Skip(1);
        continue;
      }
      writer.Block(code);
      DecodeBlock(code, shown);
      for (int r = 0; r < kBlockSide; ++r)
        std::memcpy(&picture[static_cast<std::size_t>(r) * width + bx * kBlockSide], &shown[r * 4],
                    4 * sizeof(Rgb555));
    }
    std::memcpy(kept, rows, blockRowBytes);
  }
  writer.FlushSkips();

  lastInputValid_ = true;
  lastAllowedError_ = allowed;
  frame.bytes = writer.Bytes();
  frame.keyFrame = !writer.AnySkip();
  return Status::Ok;
}

} // namespace recorder::msvideo1
