// The installed video compressors that accept the screen's frames.
#include "recorder/scrcam.h"

#include "recorder/core/fourcc.h"

namespace recorder {

void TScreenCam::ListCompressors() {
  BITMAPINFOHEADER* probe = CaptureFrame(0, 0, 320, 200);
  FCompressorCount = 0;
  for (DWORD i = 0; i < kMaxCompressors; ++i) {
    ICINFO& entry = FCompressors[static_cast<size_t>(FCompressorCount)];
    entry = ICINFO{};
    entry.dwSize = sizeof(ICINFO);
    if (!::ICInfo(kCompressorTypeVideo, i, &entry)) continue;
    vfw::Compressor compressor(entry.fccType, entry.fccHandler, ICMODE_QUERY);
    if (!compressor) continue;
    if (probe && compressor.Accepts(probe)) {
      ::ICGetInfo(compressor.get(), &entry, sizeof(ICINFO));
      ++FCompressorCount;
    }
  }
  // Entries past the count may hold a rejected compressor's partial record.
  for (size_t i = static_cast<size_t>(FCompressorCount); i < FCompressors.size(); ++i)
    FCompressors[i] = ICINFO{};
  ReleaseFrame(probe);
}

} // namespace recorder
