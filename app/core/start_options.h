// The program's command line: "/skin FILE" starts it with that skin file, "/noskin" without a
// skin; without either it starts with its own skin. Switches are matched without regard to case
// and may begin with '/' or '-'; a later switch overrides an earlier one.
#pragma once

#include <string>
#include <vector>

namespace app {

enum class StartSkin {
  kEmbedded, // the program's own skin
  kFile,     // the skin file named on the command line
  kNone,     // no skin: the system's look
};

struct StartOptions {
  StartSkin skin = StartSkin::kEmbedded;
  std::wstring skinFile; // for kFile
  // What the command line held that is not understood, in words for the user; empty when all
  // was understood.
  std::wstring problem;
};

// The usage line shown with a problem.
inline constexpr const wchar_t* kCommandLineUsage =
    L"recorder.exe [/skin FILE | /noskin]\n"
    L"  /skin FILE   start with the skin in FILE (a .skn skin file)\n"
    L"  /noskin      start without a skin";

// `args` are the arguments after the program name.
StartOptions ParseStartOptions(const std::vector<std::wstring>& args);

} // namespace app
