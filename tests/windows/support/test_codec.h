// A video compressor installed in this process only: it stores frames uncompressed and can be
// told to accept only sizes of some multiple or to fail every frame, so that every path of a
// recording can be driven for real through AVIFile.
#pragma once

#include <windows.h>

namespace testing_support {

inline constexpr DWORD kTestCodecHandler = mmioFOURCC('T', 'S', 'T', 'C');

struct TestCodecBehaviour {
  int alignment = 1;         // accept only widths and heights that are multiples of this
  bool failCompress = false; // ICM_COMPRESS answers an error
  bool rejectEverything = false;
  int maxWidth = 0; // when set, reject wider frames
};

// Installs the compressor ("vidc"/"TSTC") with the given behaviour; uninstalls on destruction.
class ScopedTestCodec {
public:
  explicit ScopedTestCodec(TestCodecBehaviour behaviour = {});
  ~ScopedTestCodec();
  ScopedTestCodec(const ScopedTestCodec&) = delete;
  ScopedTestCodec& operator=(const ScopedTestCodec&) = delete;

  // Frames compressed since installation.
  static long FramesCompressed();
};

} // namespace testing_support
