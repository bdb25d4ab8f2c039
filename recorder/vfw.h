// Video for Windows declarations and owning wrappers for its objects.
#pragma once

#include <windows.h>
// windows.h first: vfw.h relies on its types.
#include <vfw.h>

#include <utility>

namespace recorder::vfw {

// AVIFileInit for the lifetime of the object; AVIFileExit at its end.
class AviLibrary {
public:
  AviLibrary() { ::AVIFileInit(); }
  AviLibrary(const AviLibrary&) = delete;
  AviLibrary& operator=(const AviLibrary&) = delete;
  ~AviLibrary() { ::AVIFileExit(); }
};

// A COM-style AVIFile reference released by the matching AVIFile call.
template <class Interface, ULONG(WINAPI* Release)(Interface*)> class AviRef {
public:
  AviRef() = default;
  AviRef(const AviRef&) = delete;
  AviRef& operator=(const AviRef&) = delete;
  ~AviRef() { reset(); }
  Interface* get() const { return ptr_; }
  Interface** out() {
    reset();
    return &ptr_;
  }
  explicit operator bool() const { return ptr_ != nullptr; }
  void reset() {
    if (ptr_) Release(std::exchange(ptr_, nullptr));
  }

private:
  Interface* ptr_ = nullptr;
};

using AviFile = AviRef<IAVIFile, ::AVIFileRelease>;
using AviStream = AviRef<IAVIStream, ::AVIStreamRelease>;

// An open compressor, closed with ICClose.
class Compressor {
public:
  Compressor(DWORD type, DWORD handler, UINT mode) : hic_(::ICOpen(type, handler, mode)) {}
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
  ~Compressor() {
    if (hic_) ::ICClose(hic_);
  }
  HIC get() const { return hic_; }
  explicit operator bool() const { return hic_ != nullptr; }
  // ICCompressQuery with no output format: does it take this input?
  bool Accepts(const BITMAPINFOHEADER* input) const {
    return ::ICSendMessage(hic_, ICM_COMPRESS_QUERY, reinterpret_cast<DWORD_PTR>(input), 0) ==
           ICERR_OK;
  }

private:
  HIC hic_;
};

} // namespace recorder::vfw
