#include "recorder/builtin_video1_driver.h"

#include "recorder/core/msvideo1_encoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <span>

namespace recorder {
namespace {

namespace mv1 = msvideo1;

bool SameCode(DWORD a, DWORD b) {
  for (int shift = 0; shift < 32; shift += 8) {
    auto lower = [shift](DWORD v) {
      unsigned char c = static_cast<unsigned char>(v >> shift);
      return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    };
    if (lower(a) != lower(b)) return false;
  }
  return true;
}

// The uncompressed frames the encoder takes: BI_RGB, bottom-up, 8/16/24/32 bits, sizes in
// multiples of 4.
std::optional<mv1::InputFormat> AcceptedInput(const BITMAPINFOHEADER* in) {
  if (!in || in->biSize < sizeof(BITMAPINFOHEADER) || in->biCompression != BI_RGB)
    return std::nullopt;
  mv1::InputFormat format{in->biWidth, in->biHeight, in->biBitCount};
  if (mv1::CheckInputFormat(format) != mv1::Status::Ok) return std::nullopt;
  return format;
}

bool SameFormat(const mv1::InputFormat& a, const mv1::InputFormat& b) {
  return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel;
}

// The colour table behind the header of an 8-bit frame; none for deeper ones.
std::span<const std::uint8_t> ColourTable(const BITMAPINFOHEADER* in) {
  if (in->biBitCount != 8) return {};
  DWORD entries = in->biClrUsed == 0 || in->biClrUsed > 256 ? 256 : in->biClrUsed;
  return {reinterpret_cast<const std::uint8_t*>(in) + in->biSize, entries * 4u};
}

bool IsOurOutput(const BITMAPINFOHEADER* out, const mv1::InputFormat& in) {
  return out->biSize >= sizeof(BITMAPINFOHEADER) && out->biBitCount == 16 &&
         (SameCode(out->biCompression, kVideo1Format) ||
          SameCode(out->biCompression, kVideo1Handler)) &&
         out->biWidth == in.width && std::abs(out->biHeight) == in.height;
}

void FillOutputFormat(const mv1::InputFormat& in, BITMAPINFOHEADER* out) {
  std::memset(out, 0, sizeof(BITMAPINFOHEADER));
  out->biSize = sizeof(BITMAPINFOHEADER);
  out->biWidth = in.width;
  out->biHeight = in.height;
  out->biPlanes = 1;
  out->biBitCount = 16;
  out->biCompression = kVideo1Format;
  out->biSizeImage = static_cast<DWORD>(mv1::MaxCompressedBytes(in));
}

LRESULT GetInfo(ICINFO* info, LPARAM size) {
  if (!info) return sizeof(ICINFO);
  if (size < static_cast<LPARAM>(sizeof(ICINFO))) return 0;
  std::memset(info, 0, sizeof(ICINFO));
  info->dwSize = sizeof(ICINFO);
  info->fccType = ICTYPE_VIDEO;
  info->fccHandler = kVideo1Handler;
  // Our own reconstruction stands in for the previous frame, so AVIFile need not decompress.
  info->dwFlags = VIDCF_QUALITY | VIDCF_TEMPORAL | VIDCF_FASTTEMPORALC;
  info->dwVersion = 1;
  info->dwVersionICM = ICVERSION;
  std::wcscpy(info->szName, L"MSVC");
  std::wcscpy(info->szDescription, L"Microsoft Video 1 (built into the recorder)");
  return sizeof(ICINFO);
}

LRESULT WriteDword(LPARAM where, DWORD value) {
  if (!where) return ICERR_BADPARAM;
  *reinterpret_cast<DWORD*>(where) = value;
  return ICERR_OK;
}

// One opened compressor: the compression messages of one ICOpen handle.
class Instance {
public:
  LRESULT Query(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) const {
    auto format = AcceptedInput(in);
    if (!format || (out && !IsOurOutput(out, *format))) return ICERR_BADFORMAT;
    return ICERR_OK;
  }

  LRESULT GetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) const {
    auto format = AcceptedInput(in);
    if (!format) return ICERR_BADFORMAT;
    if (!out) return sizeof(BITMAPINFOHEADER);
    FillOutputFormat(*format, out);
    return ICERR_OK;
  }

  LRESULT GetSize(const BITMAPINFOHEADER* in) const {
    auto format = AcceptedInput(in);
    return format ? static_cast<LRESULT>(mv1::MaxCompressedBytes(*format)) : 0;
  }

  LRESULT Begin(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) {
    if (LRESULT r = Query(in, out); r != ICERR_OK) return r;
    return encoder_.Start(*AcceptedInput(in), ColourTable(in)) == mv1::Status::Ok ? ICERR_OK
                                                                                  : ICERR_BADFORMAT;
  }

  LRESULT Compress(ICCOMPRESS* c, LPARAM size) {
    if (!c || size < static_cast<LPARAM>(sizeof(ICCOMPRESS))) return ICERR_BADPARAM;
    if (!c->lpbiInput || !c->lpInput || !c->lpbiOutput || !c->lpOutput) return ICERR_BADPARAM;
    if (!encoder_.Started()) return ICERR_ERROR;
    auto format = AcceptedInput(c->lpbiInput);
    if (!format || !SameFormat(*format, encoder_.Format())) return ICERR_BADFORMAT;
    if (format->bitsPerPixel == 8) encoder_.SetColourTable(ColourTable(c->lpbiInput));

    const int quality = c->dwQuality == static_cast<DWORD>(ICQUALITY_DEFAULT)
                            ? mv1::kDefaultQuality
                            : static_cast<int>(std::min<DWORD>(c->dwQuality, ICQUALITY_HIGH));
    const bool key = (c->dwFlags & ICCOMPRESS_KEYFRAME) != 0;
    std::span<const std::uint8_t> input(static_cast<const std::uint8_t*>(c->lpInput),
                                        mv1::InputFrameBytes(*format));
    // The caller sized the buffer by ICM_COMPRESS_GET_SIZE, which is this bound.
    std::span<std::uint8_t> output(static_cast<std::uint8_t*>(c->lpOutput),
                                   mv1::MaxCompressedBytes(*format));
    mv1::EncodedFrame frame;
    if (encoder_.Encode(input, key, quality, output, frame) != mv1::Status::Ok) return ICERR_ERROR;

    c->lpbiOutput->biSizeImage = static_cast<DWORD>(frame.bytes);
    if (c->lpckid) *c->lpckid = cktypeDIBcompressed;
    if (c->lpdwFlags) *c->lpdwFlags = frame.keyFrame ? AVIIF_KEYFRAME : 0;
    return ICERR_OK;
  }

  LRESULT End() {
    encoder_.Stop();
    return ICERR_OK;
  }

private:
  mv1::Encoder encoder_;
};

// Open instances by driver id. Ids are small numbers rather than pointers, so that they survive
// a driver manager that keeps them in 32 bits.
class Instances {
public:
  DWORD_PTR Open() {
    std::lock_guard lock(mutex_);
    if (++lastId_ == 0) ++lastId_;
    open_[lastId_] = std::make_unique<Instance>();
    return lastId_;
  }
  void Close(DWORD_PTR id) {
    std::unique_ptr<Instance> closing;
    std::lock_guard lock(mutex_);
    if (auto it = open_.find(id); it != open_.end()) {
      closing = std::move(it->second);
      open_.erase(it);
    }
  }
  // Each handle is used by one thread at a time, so the instance is used outside the lock.
  Instance* Find(DWORD_PTR id) {
    std::lock_guard lock(mutex_);
    auto it = open_.find(id);
    return it == open_.end() ? nullptr : it->second.get();
  }

private:
  std::mutex mutex_;
  DWORD_PTR lastId_ = 0;
  std::map<DWORD_PTR, std::unique_ptr<Instance>> open_;
};

Instances& OpenInstances() {
  static Instances instances;
  return instances;
}

LRESULT OpenDriver(ICOPEN* open) {
  if (open) {
    const DWORD mode = open->dwFlags & 0xFF;
    const bool compressing =
        mode == ICMODE_COMPRESS || mode == ICMODE_FASTCOMPRESS || mode == ICMODE_QUERY;
    if (!SameCode(open->fccType, ICTYPE_VIDEO) || !compressing) {
      open->dwError = ICERR_UNSUPPORTED;
      return 0;
    }
    open->dwError = ICERR_OK;
  }
  return static_cast<LRESULT>(OpenInstances().Open());
}

LRESULT InstanceMessage(Instance& instance, UINT message, LPARAM lParam1, LPARAM lParam2) {
  auto* in = reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
  auto* out = reinterpret_cast<BITMAPINFOHEADER*>(lParam2);
  switch (message) {
  case ICM_COMPRESS_QUERY:
    return instance.Query(in, out);
  case ICM_COMPRESS_GET_FORMAT:
    return instance.GetFormat(in, out);
  case ICM_COMPRESS_GET_SIZE:
    return instance.GetSize(in);
  case ICM_COMPRESS_FRAMES_INFO:
    return lParam1 ? ICERR_OK : ICERR_BADPARAM;
  case ICM_COMPRESS_BEGIN:
    return instance.Begin(in, out);
  case ICM_COMPRESS:
    return instance.Compress(reinterpret_cast<ICCOMPRESS*>(lParam1), lParam2);
  case ICM_COMPRESS_END:
    return instance.End();
  default:
    return ICERR_UNSUPPORTED;
  }
}

} // namespace

LRESULT CALLBACK BuiltinVideo1DriverProc(DWORD_PTR driverId, HDRVR, UINT message, LPARAM lParam1,
                                         LPARAM lParam2) {
  // Nothing may escape into the driver manager's C code.
  try {
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
      return DRV_OK;
    case DRV_OPEN:
      return OpenDriver(reinterpret_cast<ICOPEN*>(lParam2));
    case DRV_CLOSE:
      OpenInstances().Close(driverId);
      return DRV_OK;
    case DRV_QUERYCONFIGURE:
      return 0; // nothing to configure
    case ICM_GETINFO:
      return GetInfo(reinterpret_cast<ICINFO*>(lParam1), lParam2);
    case ICM_GETDEFAULTQUALITY:
      return WriteDword(lParam1, mv1::kDefaultQuality);
    case ICM_GETDEFAULTKEYFRAMERATE:
      return WriteDword(lParam1, kVideo1KeyFrameRate);
    case ICM_GETSTATE:
    case ICM_SETSTATE:
      return 0; // no state to save or restore
    default:
      break;
    }
    Instance* instance = OpenInstances().Find(driverId);
    return instance ? InstanceMessage(*instance, message, lParam1, lParam2) : ICERR_UNSUPPORTED;
  } catch (const std::bad_alloc&) {
    return ICERR_MEMORY;
  } catch (...) {
    return ICERR_INTERNAL;
  }
}

} // namespace recorder
