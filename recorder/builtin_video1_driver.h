// The built-in Microsoft Video 1 compressor as a Video for Windows driver procedure, for
// installation in this process with ICInstall(ICINSTALL_FUNCTION) under "vidc"/"MSVC".
#pragma once

#include <windows.h>
// windows.h first: vfw.h relies on its types.
#include <vfw.h>

namespace recorder {

inline constexpr DWORD kVideo1Handler = mmioFOURCC('M', 'S', 'V', 'C');
// The stream format's biCompression: the code Microsoft's own Video 1 writes.
inline constexpr DWORD kVideo1Format = mmioFOURCC('C', 'R', 'A', 'M');
inline constexpr DWORD kVideo1KeyFrameRate = 15;

// Answers the driver and compression messages; every other message gets ICERR_UNSUPPORTED.
LRESULT CALLBACK BuiltinVideo1DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message,
                                         LPARAM lParam1, LPARAM lParam2);

} // namespace recorder
