// Owning wrappers for Win32 handles: every GDI object, device context, region, memory block and
// kernel handle the program creates is released by exactly one destructor.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// A handle with a release function; movable, not copyable.
template <class Handle, auto Release, Handle Empty = Handle{}> class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty; }
  Handle release() { return std::exchange(handle_, Empty); }
  void reset(Handle h = Empty) {
    Handle old = std::exchange(handle_, h);
    if (old != Empty) Release(old);
  }

private:
  Handle handle_ = Empty;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ h) {
  ::DeleteObject(h);
}
inline void DeleteMemoryDC(HDC h) {
  ::DeleteDC(h);
}
inline void FreeGlobal(HGLOBAL h) {
  ::GlobalFree(h);
}
inline void CloseKernelHandle(HANDLE h) {
  ::CloseHandle(h);
}
} // namespace detail

using GdiObject = UniqueHandle<HGDIOBJ, detail::DeleteGdiObject>;
using Bitmap = UniqueHandle<HBITMAP, detail::DeleteGdiObject>;
using Brush = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using Pen = UniqueHandle<HPEN, detail::DeleteGdiObject>;
using Region = UniqueHandle<HRGN, detail::DeleteGdiObject>;
using Font = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using MemoryDC = UniqueHandle<HDC, detail::DeleteMemoryDC>;
using GlobalMemory = UniqueHandle<HGLOBAL, detail::FreeGlobal>;
using KernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;

// A device context obtained with GetDC, released to its window.
class WindowDC {
public:
  explicit WindowDC(HWND wnd) : wnd_(wnd), dc_(::GetDC(wnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HWND wnd_;
  HDC dc_;
};

// Selects an object into a device context and selects the previous one back on scope exit.
class SelectGuard {
public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

private:
  HDC dc_;
  HGDIOBJ old_;
};

} // namespace fw
