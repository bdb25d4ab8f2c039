// Start-up installation: ours only where the system's "MSVC" cannot compress the screen, and
// gone again when the installation ends.
#include "recorder/builtin_video1_driver.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/vfw.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool RunningUnderWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

// The descriptions of the "vidc"/"MSVC" compressors that ICInfo enumerates.
std::vector<std::wstring> ListedVideo1Descriptions() {
  std::vector<std::wstring> found;
  for (DWORD i = 0; i < 64; ++i) {
    ICINFO info{};
    info.dwSize = sizeof info;
    if (!::ICInfo(ICTYPE_VIDEO, i, &info)) continue;
    if ((info.fccHandler | 0x20202020) != (recorder::kVideo1Handler | 0x20202020)) continue;
    recorder::vfw::Compressor hic(info.fccType, info.fccHandler, ICMODE_QUERY);
    if (hic && ::ICGetInfo(hic.get(), &info, sizeof info)) found.push_back(info.szDescription);
  }
  return found;
}

} // namespace

TEST(BuiltinVideo1Installation, OnlyWhereTheSystemCannotCompress) {
  for (int bpp : {16, 32}) {
    const bool systemCompresses = recorder::Video1CompressorAccepts(bpp, 1280, 1024);
    // Wine's own "msvc" only decodes.
    if (RunningUnderWine()) {
      EXPECT_FALSE(systemCompresses) << bpp;
    }
    {
      auto installation = recorder::InstallBuiltinVideo1IfNeeded(bpp, 1280, 1024);
      EXPECT_EQ(installation.Installed(), !systemCompresses) << bpp;
      EXPECT_TRUE(recorder::Video1CompressorAccepts(bpp, 1280, 1024)) << bpp;
      // Screen sizes that are no multiple of 4 are probed at the multiple below.
      EXPECT_TRUE(recorder::Video1CompressorAccepts(bpp, 1366, 769)) << bpp;
      // A second start-up check finds a working compressor and installs nothing more.
      auto second = recorder::InstallBuiltinVideo1IfNeeded(bpp, 1280, 1024);
      EXPECT_FALSE(second.Installed()) << bpp;
      if (installation.Installed()) {
        auto listed = ListedVideo1Descriptions();
        // The system's entry, where it is enumerated too, now opens ours as well.
        ASSERT_FALSE(listed.empty());
        for (const std::wstring& description : listed)
          EXPECT_NE(description.find(L"built into"), std::wstring::npos);
      }
    }
    EXPECT_EQ(recorder::Video1CompressorAccepts(bpp, 1280, 1024), systemCompresses) << bpp;
  }
}

TEST(BuiltinVideo1Installation, MovesWithItsOwnerAndEndsOnce) {
  auto first = recorder::InstallBuiltinVideo1();
  ASSERT_TRUE(first.Installed());
  EXPECT_FALSE(recorder::InstallBuiltinVideo1().Installed()); // one at a time
  recorder::BuiltinVideo1Installation moved = std::move(first);
  EXPECT_FALSE(first.Installed());
  EXPECT_TRUE(moved.Installed());
  EXPECT_TRUE(recorder::Video1CompressorAccepts(32, 640, 480));
  moved = recorder::BuiltinVideo1Installation();
  EXPECT_FALSE(moved.Installed());
  auto again = recorder::InstallBuiltinVideo1();
  EXPECT_TRUE(again.Installed());
}
