// What the skin manager tests share: a manager with the program's own skin, loaded as the main
// form's skin component is, and pictures of windows for people to look at.
#pragma once

#include "framework/bitmap.h"
#include "framework/core/bmp_writer.h"
#include "framework/form.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>

namespace skin_manager_testing {

inline bool Skinned(HWND wnd) {
  return ::SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0) == 1;
}

// The window's area of the screen as a .bmp test artefact.
inline void SaveShot(HWND wnd, const wchar_t* name) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  fw::TBitmap shot(r.right - r.left + 20, r.bottom - r.top + 20, fw::TPixelFormat::pf32bit);
  fw::DrawInto(shot, [&](HDC dc) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, shot.Width(), shot.Height(), screen, r.left - 10, r.top - 10, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
  const auto bytes = fw::SaveBmp24(shot);
  if (FILE* f = _wfopen(testing_support::ArtifactPath(L"skin_manager", name).c_str(), L"wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

} // namespace skin_manager_testing

// The manager and the program's skin component, which has requested skinning on (before any
// window was activated, so that only switched the manager on).
class SkinManager : public ::testing::Test {
protected:
  void SetUp() override {
    data = testing_support::ReadProgramSkin();
    data->OnSkinChanged = [this](fw::TObject*) { ++skinChanges; };
    data->Loaded(); // as the form reader does at the end of the main form
    ASSERT_FALSE(data->SkinMissing());
    ASSERT_NE(skin::SkinManager(), nullptr);
  }
  void TearDown() override { data.reset(); }

  skin::TSkinManagerScope scope;
  std::unique_ptr<skin::TSkinData> data;
  int skinChanges = 0;
};
