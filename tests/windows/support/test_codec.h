// A video compressor installed in this process only: it stores frames uncompressed and can be
// told to accept only sizes of some multiple or to fail every frame, so that every path of a
// recording can be driven for real through AVIFile. It records what reaches it with each frame
// (the quality, whether a key frame was asked for), so tests can check the options a recording
// gave AVIFile.
#pragma once

#include <windows.h>

#include <vector>

namespace testing_support {

inline constexpr DWORD kTestCodecHandler = mmioFOURCC('T', 'S', 'T', 'C');

struct TestCodecBehaviour {
  int alignment = 1;         // accept only widths and heights that are multiples of this
  bool failCompress = false; // ICM_COMPRESS answers an error
  int failAfter = 0;         // when set, ICM_COMPRESS fails from this many frames on
  bool rejectEverything = false;
  int maxWidth = 0;   // when set, reject wider frames
  int compressMs = 0; // time each frame takes to compress
  // When set, a stream made once this many frames were compressed gets no format
  // (ICM_COMPRESS_GET_FORMAT and ICM_COMPRESS_BEGIN fail), as a compressor that went away would.
  int failFormatAfter = 0;
};

// One ICM_COMPRESS call.
struct CompressCall {
  long frameNum;      // the frame number AVIFile gave
  DWORD quality;      // quality asked for this frame
  bool keyFrameAsked; // ICCOMPRESS_KEYFRAME was set
};

// Frame numbers whose key-frame request differs from a key-frame interval of `every`: a key frame
// asked for at the first frame and then whenever `every` frame numbers have passed since the
// last one.
std::vector<long> KeyFrameMismatches(const std::vector<CompressCall>& calls, int every);

// Installs the compressor ("vidc"/"TSTC") with the given behaviour; uninstalls on destruction.
class ScopedTestCodec {
public:
  explicit ScopedTestCodec(TestCodecBehaviour behaviour = {});
  ~ScopedTestCodec();
  ScopedTestCodec(const ScopedTestCodec&) = delete;
  ScopedTestCodec& operator=(const ScopedTestCodec&) = delete;

  // Frames compressed since installation.
  static long FramesCompressed();
  // Every frame compressed since installation, in order.
  static std::vector<CompressCall> Calls();
};

} // namespace testing_support
