// Start-up installation of the built-in Microsoft Video 1 compressor. The recorder's default
// compressor is "MSVC"; where the system's own cannot compress the screen (Wine's decodes only,
// Microsoft's takes only 8- and 16-bit input), ours is installed in this process under that
// handler, so that the default path, the compressor list and the fallback all find a working one.
#pragma once

namespace recorder {

// Does the "vidc"/"MSVC" compressor that ICOpen finds now open for compression and accept frames
// of this depth at this size (rounded down to multiples of 4)?
bool Video1CompressorAccepts(int bitsPerPixel, int width, int height);

// Owns the in-process installation: ICRemove when it ends. Empty when nothing was installed.
class BuiltinVideo1Installation {
public:
  BuiltinVideo1Installation() = default;
  BuiltinVideo1Installation(BuiltinVideo1Installation&& other) noexcept;
  BuiltinVideo1Installation& operator=(BuiltinVideo1Installation&& other) noexcept;
  BuiltinVideo1Installation(const BuiltinVideo1Installation&) = delete;
  BuiltinVideo1Installation& operator=(const BuiltinVideo1Installation&) = delete;
  ~BuiltinVideo1Installation();

  bool Installed() const { return installed_; }

private:
  friend BuiltinVideo1Installation InstallBuiltinVideo1();
  bool installed_ = false;
};

// Installs ours unconditionally (one installation per process at a time; a second call while
// one is alive returns an empty object).
[[nodiscard]] BuiltinVideo1Installation InstallBuiltinVideo1();

// Installs ours only when the system's compressor cannot compress the screen's frames: call once
// at start-up with the screen's bits per pixel and size, and keep the result until the end.
[[nodiscard]] BuiltinVideo1Installation InstallBuiltinVideo1IfNeeded(int bitsPerPixel, int width,
                                                                     int height);

} // namespace recorder
