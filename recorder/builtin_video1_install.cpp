#include "recorder/builtin_video1_install.h"

#include "recorder/builtin_video1_driver.h"
#include "recorder/vfw.h"

#include <atomic>
#include <utility>
#include <vector>

namespace recorder {
namespace {

std::atomic<bool> ourDriverInstalled{false};

// A frame header of the given depth and size with a grey colour table for 8 bits: all a
// compressor needs to answer whether it takes such frames.
std::vector<BYTE> ProbeFormat(int bitsPerPixel, int width, int height) {
  const int colours = bitsPerPixel <= 8 && bitsPerPixel > 0 ? 1 << bitsPerPixel : 0;
  std::vector<BYTE> format(sizeof(BITMAPINFOHEADER) + 4 * colours, 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(format.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(bitsPerPixel);
  header->biCompression = BI_RGB;
  header->biSizeImage = static_cast<DWORD>(((width * bitsPerPixel + 31) / 32) * 4 * height);
  header->biClrUsed = static_cast<DWORD>(colours);
  auto* table = reinterpret_cast<RGBQUAD*>(format.data() + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < colours; ++i) {
    BYTE grey = static_cast<BYTE>(i * 255 / (colours - 1));
    table[i] = {grey, grey, grey, 0};
  }
  return format;
}

} // namespace

bool Video1CompressorAccepts(int bitsPerPixel, int width, int height) {
  // Video 1 codes 4×4 blocks; what matters here is the depth, not a screen size that the
  // recording's alignment would round anyway.
  width = width >= 4 ? width - width % 4 : 4;
  height = height >= 4 ? height - height % 4 : 4;
  vfw::Compressor compressor(ICTYPE_VIDEO, kVideo1Handler, ICMODE_COMPRESS);
  if (!compressor) return false;
  std::vector<BYTE> format = ProbeFormat(bitsPerPixel, width, height);
  return compressor.Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(format.data()));
}

BuiltinVideo1Installation::BuiltinVideo1Installation(BuiltinVideo1Installation&& other) noexcept
    : installed_(std::exchange(other.installed_, false)) {}

BuiltinVideo1Installation&
BuiltinVideo1Installation::operator=(BuiltinVideo1Installation&& other) noexcept {
  if (this != &other) {
    BuiltinVideo1Installation old(std::move(*this));
    installed_ = std::exchange(other.installed_, false);
  }
  return *this;
}

BuiltinVideo1Installation::~BuiltinVideo1Installation() {
  if (!installed_) return;
  ::ICRemove(ICTYPE_VIDEO, kVideo1Handler, 0);
  ourDriverInstalled = false;
}

BuiltinVideo1Installation InstallBuiltinVideo1() {
  BuiltinVideo1Installation installation;
  if (ourDriverInstalled.exchange(true)) return installation;
  if (!::ICInstall(ICTYPE_VIDEO, kVideo1Handler, reinterpret_cast<LPARAM>(BuiltinVideo1DriverProc),
                   nullptr, ICINSTALL_FUNCTION)) {
    ourDriverInstalled = false;
    return installation;
  }
  installation.installed_ = true;
  return installation;
}

BuiltinVideo1Installation InstallBuiltinVideo1IfNeeded(int bitsPerPixel, int width, int height) {
  // With ours already in place the probe would only find ours.
  if (ourDriverInstalled || Video1CompressorAccepts(bitsPerPixel, width, height)) return {};
  return InstallBuiltinVideo1();
}

} // namespace recorder
