#include "app/core/start_options.h"

#include <cwctype>

namespace app {

namespace {

// The switch name of an argument that begins with '/' or '-', lower-cased; empty otherwise.
std::wstring SwitchName(const std::wstring& arg) {
  if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) return {};
  std::wstring name = arg.substr(1);
  for (wchar_t& c : name)
    c = static_cast<wchar_t>(std::towlower(c));
  return name;
}

} // namespace

StartOptions ParseStartOptions(const std::vector<std::wstring>& args) {
  StartOptions options;
  auto note = [&](const std::wstring& text) {
    if (options.problem.empty()) options.problem = text;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring name = SwitchName(args[i]);
    if (name == L"noskin") {
      options.skin = StartSkin::kNone;
      options.skinFile.clear();
    } else if (name == L"skin") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        note(L"The switch " + args[i] + L" needs the name of a skin file after it.");
        continue;
      }
      options.skin = StartSkin::kFile;
      options.skinFile = args[++i];
    } else {
      note(L"The command line holds \"" + args[i] + L"\", which this program does not know.");
    }
  }
  return options;
}

} // namespace app
