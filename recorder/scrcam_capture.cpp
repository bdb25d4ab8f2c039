// Screen frame capture: one rectangle of the screen, the arrow cursor drawn in, converted to a
// DIB in one block of global memory.
#include "recorder/scrcam.h"

#include "framework/handles.h"
#include "recorder/core/frame_layout.h"
#include "recorder/screen_area.h"

#include <utility>

namespace recorder {

BITMAPINFOHEADER* TScreenCam::CaptureFrame(int Left, int Top, int Width, int Height) {
  fw::WindowDC screen(nullptr);
  const bool marking = FShowFrame && FWorker;
  if (marking) {
    if (FFrameFollows) FWorker->PlaceFrame(Left, Top, Width, Height);
    FWorker->MarkFrame(true);
  }

  fw::MemoryDC memory(::CreateCompatibleDC(screen.get()));
  fw::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), Width, Height));
  HGLOBAL block = nullptr;
  if (memory && bitmap) {
    {
      fw::SelectGuard select(memory.get(), bitmap.get());
      // What lies off the screen (a followed window partly outside it) stays black.
      const Rect area{Left, Top, Left + Width, Top + Height};
      const VisiblePart part = VisiblePartOf(area, VirtualScreen());
      if (part.source != area) ::PatBlt(memory.get(), 0, 0, Width, Height, BLACKNESS);
      if (!IsEmpty(part.source))
        ::BitBlt(memory.get(), part.offset.x, part.offset.y, recorder::Width(part.source),
                 recorder::Height(part.source), screen.get(), part.source.left, part.source.top,
                 SRCCOPY);

      POINT pos{};
      ::GetCursorPos(&pos);
      pos.x -= Left;
      pos.y -= Top;
      HCURSOR current = ::GetCursor();
      if (FDrawCursor) {
        ICONINFO info{};
        if (current && ::GetIconInfo(current, &info)) {
          pos.x -= static_cast<LONG>(info.xHotspot);
          pos.y -= static_cast<LONG>(info.yHotspot);
          if (info.hbmMask) ::DeleteObject(info.hbmMask);
          if (info.hbmColor) ::DeleteObject(info.hbmColor);
        }
        ::DrawIcon(memory.get(), pos.x, pos.y, FCursorHandle);
      }
    } // the bitmap leaves the memory context before it is converted
    block = MakeDIB(bitmap.get(), FBitsPerPixel);
  }

  auto* frame = block ? static_cast<BITMAPINFOHEADER*>(::GlobalLock(block)) : nullptr;
  if (!frame) {
    if (block) ::GlobalFree(block);
    Ask(L"Error capturing a frame!", L"Error", MB_ICONEXCLAMATION);
    return nullptr;
  }
  bitmap.reset();
  memory.reset();
  if (marking) FWorker->MarkFrame(false);
  return frame;
}

HGLOBAL TScreenCam::MakeDIB(HBITMAP Bitmap, int BitCount) {
  BITMAP info{};
  if (!::GetObjectW(Bitmap, sizeof info, &info)) return nullptr;

  const std::uint32_t tableBytes = ColorTableBytes(BitCount);
  const std::int64_t blockSize = FrameBlockSize(info.bmWidth, info.bmHeight, BitCount);
  if (blockSize <= 0 || blockSize > 0x7FFFFFFF) return nullptr;

  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(blockSize));
  if (!block) return nullptr;
  auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
  if (!header) {
    ::GlobalFree(block);
    return nullptr;
  }
  header->biSize = kInfoHeaderSize;
  header->biWidth = info.bmWidth;
  header->biHeight = info.bmHeight;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(BitCount);
  header->biCompression = BI_RGB;
  header->biSizeImage = static_cast<DWORD>(blockSize - kInfoHeaderSize - tableBytes);
  header->biClrUsed = ColorTableEntries(BitCount);

  fw::MemoryDC dc(::CreateCompatibleDC(nullptr));
  auto* pixels = reinterpret_cast<BYTE*>(header) + kInfoHeaderSize + tableBytes;
  if (!dc || ::GetDIBits(dc.get(), Bitmap, 0, static_cast<UINT>(info.bmHeight), pixels,
                         reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS) == 0)
    Ask(L"Error retrieving bitmap bits", L"Error", MB_OK);
  // GetDIBits may rewrite the count; consumers rely on the full table.
  header->biClrUsed = ColorTableEntries(BitCount);
  ::GlobalUnlock(block);
  return block;
}

void TScreenCam::ReleaseFrame(BITMAPINFOHEADER*& Frame) {
  FrameBlock(std::exchange(Frame, nullptr)).reset();
}

} // namespace recorder
