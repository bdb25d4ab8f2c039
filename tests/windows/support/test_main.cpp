// GoogleTest entry for Windows tests: the application object exists for the whole run, as it
// does in the program, and message boxes are answered without a person.
#include "framework/application.h"
#include "framework/exception.h"
#include "framework/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  fw::TApplication application;
  fw::SetMessageBoxHandler(
      [](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        std::fprintf(stderr, "[message box] %s: %s\n", fw::WideToUtf8(caption).c_str(),
                     fw::WideToUtf8(text).c_str());
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
      });
  return RUN_ALL_TESTS();
}
