#include "app/skin_choice.h"

#include "app/core/skin_file_check.h"
#include "framework/dialogs.h"
#include "framework/menus.h"
#include "framework/message_box.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_environment_win.h"

namespace app {

TSkinChoice::TSkinChoice(HWND window, skin::TSkinData& data) : window_(window), data_(data) {
  // A damaged skin in the main form leaves the program without one: nothing to go back to.
  if (!data_.SkinMissing()) embedded_ = data_.SkinBytes();
  if (!data_.Active() || data_.SkinMissing()) current_ = SkinChoice::kNone;
  AddMenuItems();
  UpdateCheckMarks();
}

void TSkinChoice::AddMenuItems() {
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, kChooseFileCommand, kChooseFileText);
  ::AppendMenuW(menu, MF_STRING, kEmbeddedCommand, kEmbeddedText);
  ::AppendMenuW(menu, MF_STRING, kNoSkinCommand, kNoSkinText);
}

void TSkinChoice::UpdateCheckMarks() {
  HMENU menu = ::GetSystemMenu(window_, FALSE);
  if (!menu) return;
  auto mark = [&](UINT command, SkinChoice choice) {
    ::CheckMenuItem(menu, command, MF_BYCOMMAND | (current_ == choice ? MF_CHECKED : MF_UNCHECKED));
  };
  mark(kChooseFileCommand, SkinChoice::kFile);
  mark(kEmbeddedCommand, SkinChoice::kEmbedded);
  mark(kNoSkinCommand, SkinChoice::kNone);
  ::EnableMenuItem(menu, kEmbeddedCommand,
                   MF_BYCOMMAND | (embedded_.empty() ? MF_GRAYED : MF_ENABLED));
}

void TSkinChoice::Start(const StartOptions& options) {
  if (!options.problem.empty())
    fw::ShowMessageBox(nullptr, options.problem + L"\n\n" + kCommandLineUsage, kFailureCaption,
                       MB_OK | MB_ICONINFORMATION);
  if (options.skin == StartSkin::kNone) UseNoSkin();
  if (options.skin == StartSkin::kFile) UseSkinFile(options.skinFile);
}

bool TSkinChoice::SystemCommand(WPARAM command) {
  switch (fw::SysCommandOf(command)) {
  case kChooseFileCommand:
    ChooseSkinFile();
    return true;
  case kEmbeddedCommand:
    UseEmbeddedSkin();
    return true;
  case kNoSkinCommand:
    UseNoSkin();
    return true;
  default:
    return false;
  }
}

void TSkinChoice::ChooseSkinFile() {
  fw::TOpenDialog dialog(nullptr);
  dialog.Filter = kFileFilter;
  dialog.Title = L"更换皮肤";
  dialog.FileName = file_;
  if (dialog.Execute()) UseSkinFile(dialog.FileName);
}

bool TSkinChoice::UseSkinFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  if (!skin::ReadSkinFile(path, bytes)) {
    ReportUnusable(path, L"it cannot be read (there is no such file, or it is not readable)");
    return false;
  }
  if (const std::wstring problem = SkinFileProblem(bytes, skin::SystemSkinEnvironment());
      !problem.empty()) {
    ReportUnusable(path, problem);
    return false;
  }
  if (!data_.SetSkinFile(path)) { // the skin in use stays
    ReportUnusable(path, L"it changed while it was being loaded");
    return false;
  }
  current_ = SkinChoice::kFile;
  file_ = path;
  SwitchOn();
  return true;
}

void TSkinChoice::UseEmbeddedSkin() {
  if (embedded_.empty()) return;
  LoadSkinBytes(embedded_);
  current_ = SkinChoice::kEmbedded;
  file_.clear();
  SwitchOn();
}

void TSkinChoice::UseNoSkin() {
  data_.SetActive(false);
  current_ = SkinChoice::kNone;
  UpdateCheckMarks();
}

void TSkinChoice::LoadSkinBytes(const std::vector<std::uint8_t>& bytes) {
  data_.SetSkinFile(L""); // the skin comes from the bytes, not from a file
  data_.ReadSkinStream(skin::WriteSkinStreamValue(bytes));
  data_.ApplySkinChange();
}

void TSkinChoice::SwitchOn() {
  // After "no skin" the windows are skinned again; a newer request replaces the skin change
  // the load asked for.
  if (!data_.Active()) data_.SetActive(true);
  UpdateCheckMarks();
}

void TSkinChoice::ReportUnusable(const std::wstring& path, const std::wstring& problem) {
  const std::wstring text = L"The skin file\n" + path + L"\ncannot be used: " + problem +
                            L".\n\nThe program keeps its current look.";
  fw::ShowMessageBox(::IsWindowVisible(window_) ? window_ : nullptr, text, kFailureCaption,
                     MB_OK | MB_ICONINFORMATION);
}

} // namespace app
