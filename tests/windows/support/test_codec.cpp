#include "tests/windows/support/test_codec.h"

#include <vfw.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace testing_support {

namespace {

TestCodecBehaviour behaviour;
std::atomic<long> framesCompressed{0};
std::mutex callsMutex;
std::vector<CompressCall> calls;

bool Accepts(const BITMAPINFOHEADER* in) {
  if (!in || behaviour.rejectEverything) return false;
  if (in->biCompression != BI_RGB) return false;
  if (in->biBitCount != 8 && in->biBitCount != 16 && in->biBitCount != 24 && in->biBitCount != 32)
    return false;
  if (behaviour.maxWidth && in->biWidth > behaviour.maxWidth) return false;
  return in->biWidth % behaviour.alignment == 0 && in->biHeight % behaviour.alignment == 0;
}

bool FormatRefused() {
  return behaviour.failFormatAfter && framesCompressed >= behaviour.failFormatAfter;
}

DWORD FormatSize(const BITMAPINFOHEADER* in) {
  DWORD colours = in->biBitCount <= 8 ? (in->biClrUsed ? in->biClrUsed : 1u << in->biBitCount) : 0;
  return in->biSize + colours * 4;
}

DWORD ImageSize(const BITMAPINFOHEADER* in) {
  DWORD stride = static_cast<DWORD>(((in->biWidth * in->biBitCount + 31) / 32) * 4);
  return stride * static_cast<DWORD>(in->biHeight < 0 ? -in->biHeight : in->biHeight);
}

LRESULT CALLBACK TestDriverProc(DWORD_PTR, HDRVR, UINT msg, LPARAM lParam1, LPARAM lParam2) {
  switch (msg) {
  case DRV_LOAD:
  case DRV_FREE:
  case DRV_ENABLE:
  case DRV_DISABLE:
  case DRV_CLOSE:
    return 1;
  case DRV_OPEN:
    return 1;
  case ICM_GETINFO: {
    auto* info = reinterpret_cast<ICINFO*>(lParam1);
    if (!info || static_cast<size_t>(lParam2) < sizeof(ICINFO)) return 0;
    std::memset(info, 0, sizeof(ICINFO));
    info->dwSize = sizeof(ICINFO);
    info->fccType = ICTYPE_VIDEO;
    info->fccHandler = kTestCodecHandler;
    // Frames are stored whole, so every frame could be a key frame; it is marked as one only when
    // asked, so that AVIFile's own key-frame spacing shows in what reaches the compressor.
    info->dwFlags = VIDCF_QUALITY | VIDCF_FASTTEMPORALC;
    info->dwVersion = 1;
    info->dwVersionICM = ICVERSION;
    wcscpy(info->szName, L"TestCodec");
    wcscpy(info->szDescription, L"Uncompressed test codec");
    return sizeof(ICINFO);
  }
  case ICM_COMPRESS_QUERY:
    return Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1)) ? ICERR_OK : ICERR_BADFORMAT;
  case ICM_COMPRESS_GET_FORMAT: {
    if (FormatRefused()) return ICERR_BADFORMAT;
    auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
    auto* out = reinterpret_cast<BITMAPINFOHEADER*>(lParam2);
    if (!Accepts(in)) return ICERR_BADFORMAT;
    if (!out) return static_cast<LRESULT>(FormatSize(in));
    std::memcpy(out, in, FormatSize(in));
    out->biSizeImage = ImageSize(in);
    return ICERR_OK;
  }
  case ICM_COMPRESS_GET_SIZE:
    return Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1))
               ? static_cast<LRESULT>(ImageSize(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1)))
               : 0;
  case ICM_COMPRESS_BEGIN:
    if (FormatRefused()) return ICERR_BADFORMAT;
    return Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1)) ? ICERR_OK : ICERR_BADFORMAT;
  case ICM_COMPRESS_END:
  case ICM_COMPRESS_FRAMES_INFO:
    return ICERR_OK;
  case ICM_COMPRESS: {
    if (behaviour.failCompress) return ICERR_ERROR;
    if (behaviour.failAfter && framesCompressed >= behaviour.failAfter) return ICERR_ERROR;
    if (behaviour.compressMs) ::Sleep(static_cast<DWORD>(behaviour.compressMs));
    auto* c = reinterpret_cast<ICCOMPRESS*>(lParam1);
    DWORD size = ImageSize(c->lpbiInput);
    std::memcpy(c->lpOutput, c->lpInput, size);
    c->lpbiOutput->biSizeImage = size;
    if (c->lpckid) *c->lpckid = 0;
    const bool keyFrame = (c->dwFlags & ICCOMPRESS_KEYFRAME) != 0;
    if (c->lpdwFlags) *c->lpdwFlags = keyFrame ? AVIIF_KEYFRAME : 0;
    {
      std::lock_guard lock(callsMutex);
      calls.push_back({c->lFrameNum, c->dwQuality, keyFrame});
    }
    ++framesCompressed;
    return ICERR_OK;
  }
  case ICM_GETDEFAULTQUALITY:
    if (lParam1) *reinterpret_cast<DWORD*>(lParam1) = 7500;
    return ICERR_OK;
  case ICM_GETDEFAULTKEYFRAMERATE:
    if (lParam1) *reinterpret_cast<DWORD*>(lParam1) = 1;
    return ICERR_OK;
  default:
    return msg < DRV_USER ? 0 : ICERR_UNSUPPORTED;
  }
}

} // namespace

ScopedTestCodec::ScopedTestCodec(TestCodecBehaviour b) {
  behaviour = b;
  if (behaviour.alignment < 1) behaviour.alignment = 1;
  framesCompressed = 0;
  {
    std::lock_guard lock(callsMutex);
    calls.clear();
  }
  ::ICInstall(ICTYPE_VIDEO, kTestCodecHandler, reinterpret_cast<LPARAM>(TestDriverProc), nullptr,
              ICINSTALL_FUNCTION);
}

ScopedTestCodec::~ScopedTestCodec() {
  ::ICRemove(ICTYPE_VIDEO, kTestCodecHandler, 0);
  behaviour = {};
}

long ScopedTestCodec::FramesCompressed() {
  return framesCompressed;
}

std::vector<long> KeyFrameMismatches(const std::vector<CompressCall>& calls, int every) {
  std::vector<long> mismatches;
  long lastKey = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    const bool due = i == 0 || calls[i].frameNum - lastKey >= every;
    if (calls[i].keyFrameAsked != due) mismatches.push_back(calls[i].frameNum);
    if (calls[i].keyFrameAsked) lastKey = calls[i].frameNum;
  }
  return mismatches;
}

std::vector<CompressCall> ScopedTestCodec::Calls() {
  std::lock_guard lock(callsMutex);
  return calls;
}

} // namespace testing_support
