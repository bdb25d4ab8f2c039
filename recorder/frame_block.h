// A captured frame that frees itself: owns the locked block of global memory that
// TScreenCam::CaptureFrame hands out (header, colour table, pixel rows) and gives it back when it
// goes, whichever way the code that holds it is left.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace recorder {

class FrameBlock {
public:
  FrameBlock() = default;
  // Takes over a frame of CaptureFrame (null: no frame).
  explicit FrameBlock(BITMAPINFOHEADER* frame) : frame_(frame) {}
  FrameBlock(const FrameBlock&) = delete;
  FrameBlock& operator=(const FrameBlock&) = delete;
  FrameBlock(FrameBlock&& other) noexcept : frame_(std::exchange(other.frame_, nullptr)) {}
  FrameBlock& operator=(FrameBlock&& other) noexcept {
    if (this != &other) {
      reset();
      frame_ = std::exchange(other.frame_, nullptr);
    }
    return *this;
  }
  ~FrameBlock() { reset(); }

  explicit operator bool() const { return frame_ != nullptr; }
  BITMAPINFOHEADER* get() const { return frame_; }
  const BITMAPINFOHEADER* operator->() const { return frame_; }

  // The header and colour table: what an AVI stream takes as the frame's format.
  std::uint32_t FormatBytes() const { return frame_->biSize + 4 * frame_->biClrUsed; }
  // The pixel rows, biSizeImage bytes, right after the format.
  const BYTE* Pixels() const { return reinterpret_cast<const BYTE*>(frame_) + FormatBytes(); }

  // Unlocks and frees the block now.
  void reset() {
    if (!frame_) return;
    HGLOBAL block = ::GlobalHandle(std::exchange(frame_, nullptr));
    ::GlobalUnlock(block);
    ::GlobalFree(block);
  }

private:
  BITMAPINFOHEADER* frame_ = nullptr;
};

} // namespace recorder
