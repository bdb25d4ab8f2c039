#include "skin/data/skin_environment_win.h"

#include "framework/bitmap.h"

#include <windows.h>

namespace skin {

TSkinEnvironment SystemSkinEnvironment() {
  TSkinEnvironment env;
  for (int i = 0; i < kSystemColourCount; ++i)
    env.SystemColours[static_cast<std::size_t>(i)] = ::GetSysColor(i);
  env.HorzScrollArrowWidth = ::GetSystemMetrics(SM_CXHSCROLL);
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  env.TrackImage = fw::LoadBitmapResource(module, L"TRACK");
  env.TrackVertImage = fw::LoadBitmapResource(module, L"TRACKVERT");
  return env;
}

} // namespace skin
