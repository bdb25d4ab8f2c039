// What the skin manager tests share: a manager with the program's own skin, loaded as the main
// form's skin component is, and pictures of windows for people to look at.
#pragma once

#include "framework/bitmap.h"
#include "framework/form.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace skin_manager_testing {

inline bool Skinned(HWND wnd) {
  return ::SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0) == 1;
}

// The window's area of the screen as a .bmp test artefact.
inline void SaveShot(HWND wnd, const wchar_t* name) {
  testing_support::SaveWindowShot(wnd, 10, L"skin_manager", name);
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
