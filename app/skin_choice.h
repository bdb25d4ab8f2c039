// The skin the user chooses while the program runs. The main window's system menu ends, after a
// separator, with "更换皮肤..." (a skin file picked in an open-file dialog), "默认皮肤" (the
// program's own skin, the one its main form carries) and "不用皮肤" (no skin: the system's look);
// the choice in use carries a check mark. The command line chooses before the first window shows
// (/skin FILE, /noskin).
//
// Changes go through the skin component's own paths: a new SkinFile, the embedded skin read again,
// Active off and on; the skin manager carries them to every window. A skin file is tried in full
// before it is used: one that cannot be loaded leaves the look as it was and says why.
#pragma once

#include "app/core/start_options.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skin {
class TSkinData;
}

namespace app {

enum class SkinChoice { kEmbedded, kFile, kNone };

class TSkinChoice {
public:
  // System-menu commands: below 0xF000 and multiples of 16 (the system keeps the low four bits
  // of WM_SYSCOMMAND for itself).
  static constexpr UINT kChooseFileCommand = 0x0100;
  static constexpr UINT kEmbeddedCommand = 0x0110;
  static constexpr UINT kNoSkinCommand = 0x0120;

  static constexpr const wchar_t* kChooseFileText = L"更换皮肤...";
  static constexpr const wchar_t* kEmbeddedText = L"默认皮肤";
  static constexpr const wchar_t* kNoSkinText = L"不用皮肤";
  static constexpr const wchar_t* kFileFilter = L"皮肤文件 (*.skn)|*.skn|所有文件 (*.*)|*.*";
  static constexpr const wchar_t* kFailureCaption = L"Notice";

  // `window` is the main window whose system menu gets the items; `data` the skin component whose
  // skin is in use now: the program's own.
  TSkinChoice(HWND window, skin::TSkinData& data);

  // Applies the command line's choice; a skin file that cannot be loaded is reported and the
  // program keeps its own skin.
  void Start(const StartOptions& options);

  // A WM_SYSCOMMAND of the window: true when it was one of the skin commands (then carried out).
  bool SystemCommand(WPARAM command);

  // Asks for a skin file and uses it; cancelling changes nothing.
  void ChooseSkinFile();
  // Uses the skin file `path`; false (after saying why) when it cannot be loaded.
  bool UseSkinFile(const std::wstring& path);
  void UseEmbeddedSkin();
  void UseNoSkin();

  SkinChoice Current() const { return current_; }
  const std::wstring& CurrentFile() const { return file_; }

private:
  void AddMenuItems();
  void UpdateCheckMarks();
  // Loads `bytes` (a skin file) into the component as its skin and has every window take it up.
  void LoadSkinBytes(const std::vector<std::uint8_t>& bytes);
  void SwitchOn();
  void ReportUnusable(const std::wstring& path, const std::wstring& problem);

  HWND window_;
  skin::TSkinData& data_;
  std::vector<std::uint8_t> embedded_; // the skin file the main form carries
  SkinChoice current_ = SkinChoice::kEmbedded;
  std::wstring file_;
};

} // namespace app
