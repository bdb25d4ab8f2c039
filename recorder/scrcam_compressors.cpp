// The installed video compressors that accept the screen's frames.
#include "recorder/scrcam.h"

#include "recorder/core/fourcc.h"

namespace recorder {

namespace {
DWORD UpperFourCC(DWORD code) {
  DWORD upper = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    DWORD c = (code >> shift) & 0xFF;
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    upper |= c << shift;
  }
  return upper;
}
} // namespace

// Handlers are matched without regard to case, as ICOpen does: "MSVC" installed in-process and
// "msvc" from the registry open the same compressor, which is listed once.
bool TScreenCam::AlreadyListed(DWORD handler) const {
  for (int i = 0; i < FCompressorCount; ++i)
    if (UpperFourCC(FCompressors[static_cast<size_t>(i)].fccHandler) == UpperFourCC(handler))
      return true;
  return false;
}

void TScreenCam::ListCompressors() {
  const FrameBlock probe(CaptureFrame(0, 0, 320, 200));
  FCompressorCount = 0;
  for (DWORD i = 0; i < kMaxCompressors; ++i) {
    ICINFO& entry = FCompressors[static_cast<size_t>(FCompressorCount)];
    entry = ICINFO{};
    entry.dwSize = sizeof(ICINFO);
    if (!::ICInfo(kCompressorTypeVideo, i, &entry)) continue;
    vfw::Compressor compressor(entry.fccType, entry.fccHandler, ICMODE_QUERY);
    if (!compressor) continue;
    if (probe && compressor.Accepts(probe.get()) && !AlreadyListed(entry.fccHandler)) {
      ::ICGetInfo(compressor.get(), &entry, sizeof(ICINFO));
      ++FCompressorCount;
    }
  }
  // Entries past the count may hold a rejected compressor's partial record.
  for (size_t i = static_cast<size_t>(FCompressorCount); i < FCompressors.size(); ++i)
    FCompressors[i] = ICINFO{};
}

} // namespace recorder
