// The program: the main window, the settings dialog and a test form, then the message loop until
// the main window closes. The command line may choose the skin: /skin FILE or /noskin.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/optdlg.h"
#include "app/single_instance.h"
#include "app/skin_choice.h"
#include "framework/application.h"
#include "framework/exception.h"
#include "framework/message_box.h"
#include "recorder/builtin_video1_install.h"
#include "skin/data/core/skin_reader.h"
#include "skin/forms/skin_manager.h"

#include <memory>
#include <vector>

namespace {

// The built-in Video 1 compressor stands in where the system's cannot compress the screen.
recorder::BuiltinVideo1Installation InstallDefaultCompressor() {
  HDC screen = ::GetDC(nullptr);
  int bpp = ::GetDeviceCaps(screen, BITSPIXEL);
  int width = ::GetDeviceCaps(screen, HORZRES), height = ::GetDeviceCaps(screen, VERTRES);
  ::ReleaseDC(nullptr, screen);
  return recorder::InstallBuiltinVideo1IfNeeded(bpp, width, height);
}

// Messages of the skin readers (an older skin file) reach the user as an information box.
void ShowSkinMessages() {
  skin::SetSkinMessageHandler([](const std::string& text) {
    fw::ShowMessageBox(nullptr, fw::Utf8ToWide(text), fw::Application->Title(), MB_OK);
  });
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  // A second start brings the running copy's window back instead.
  app::TSingleInstance instance;
  if (!instance.First()) {
    app::TSingleInstance::ShowRunningCopy();
    return 0;
  }
  const app::StartOptions options =
      app::ParseStartOptions(std::vector<std::wstring>(argv + 1, argv + argc));
  fw::TApplication application;
  ShowSkinMessages();
  // The skin manager starts with the main form's skin component and skins every window of the
  // program at its first activation; it goes after the forms, at the end.
  skin::TSkinManagerScope skinManager;
  // Outlives the forms: the engine may record with it until the main window goes.
  recorder::BuiltinVideo1Installation defaultCompressor = InstallDefaultCompressor();
  try {
    auto form1 = std::make_unique<app::TForm1>(nullptr);
    app::Form1 = form1.get();
    application.MainForm = form1.get();
    auto optionDlg = std::make_unique<app::TOptionDlg>(nullptr);
    app::OptionDlg = optionDlg.get();
    auto form2 = std::make_unique<app::TForm2>(nullptr);
    app::Form2 = form2.get();

    // Before the first window shows: it starts in the chosen skin.
    form1->SkinChooser->Start(options);
    form1->Show();
    form1->PostStartUpNotices();
    application.Run();

    app::Form2 = nullptr;
    app::OptionDlg = nullptr;
    app::Form1 = nullptr;
  } catch (const std::exception& e) {
    application.ShowException(e);
    return 1;
  }
  return 0;
}
