// The program's main form as it starts: its description's SkinData1 is read with the embedded
// skin, decodes it while the form is read, and keeps the values the description gives.
#include "app/Unit1.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace {

bool menuSkinned = false;

TEST(MainFormSkin, SkinData1HoldsTheDecodedEmbeddedSkin) {
  const auto start = std::chrono::steady_clock::now();
  app::TForm1 form(nullptr);
  std::printf(
      "main form created (description read, skin decoded) in %.1f ms\n",
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  auto* data = dynamic_cast<skin::TSkinData*>(form.FindComponent(L"SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Owner(), &form);
  EXPECT_TRUE(data->Active()) << "a loaded skin keeps the component active after Loaded";
  EXPECT_EQ(data->DisableTag, 99);
  EXPECT_FALSE(data->SkinMissing());
  EXPECT_EQ(data->SkinFormtype, skin::sfMainform);
  EXPECT_EQ(data->Skin3rd().size(), 118u);
  EXPECT_EQ(data->SkinStore(), L"(none)");
  EXPECT_FALSE(data->SkinControls.Contains(skin::xcMenuItem));
  EXPECT_TRUE(data->SkinControls.Contains(skin::xcSystemMenu));
  const skin::TSkinElements& e = data->Elements();
  EXPECT_FALSE(e.Top->Bitmap.Empty());
  EXPECT_FALSE(e.Buttons->Bitmap.Empty());
  ASSERT_NE(e.Scrollbar, nullptr);
  EXPECT_EQ(e.CaptionButtons.size(), 8u);
  EXPECT_EQ(data->SkinName(), L"Lanlin Lake");
  // The form's copy is the build's skin file, and the property writes back what it read.
  EXPECT_EQ(data->SkinBytes(), testing_support::RcDataResource(L"RECORDERSKIN"));
  EXPECT_EQ(data->WriteSkinStream(),
            skin::WriteSkinStreamValue(testing_support::RcDataResource(L"RECORDERSKIN")));
}

BOOL CALLBACK FindVisibleMenu(HWND wnd, LPARAM found) {
  wchar_t name[16] = {};
  if (::IsWindowVisible(wnd) && ::GetClassNameW(wnd, name, 16) && std::wstring(name) == L"#32768")
    *reinterpret_cast<HWND*>(found) = wnd;
  return TRUE;
}

// Once the system menu shows: notes whether it is skinned, keeps its picture, closes it.
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleMenu, reinterpret_cast<LPARAM>(&menu));
  if (!menu) return;
  ::KillTimer(nullptr, id);
  menuSkinned = ::SendMessageW(menu, skin::SM_ISSKINNED, 0, 0) == 1;
  testing_support::SaveWindowShot(menu, 40, L"skin_menus", L"main_window_system_menu.bmp");
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(MainFormSkin, TheMainWindowsSystemMenuIsDrawnFromTheSkin) {
  skin::TSkinManagerScope manager;
  app::TForm1 form(nullptr);
  form.Show();
  ::SetForegroundWindow(form.Handle());
  testing_support::PumpFor(500);
  ASSERT_EQ(::SendMessageW(form.Handle(), skin::SM_ISSKINNED, 0, 0), 1);
  menuSkinned = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, LookAtMenu);
  ::SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' '); // Alt+Space
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(menuSkinned);
}

} // namespace
