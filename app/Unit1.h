// The main window: settings, start and stop buttons, the F4 and F5 hot keys, and the recorder
// engine it owns. It hides while a recording runs and comes back when the recording ends, also
// when it ended by itself. A recording takes what the settings choose: the screen, a region or a
// window picked after the save dialog, or an area that follows the mouse. While recording, an icon
// in the notification area says so and stops the recording when clicked; its menu (a right click)
// and F6 pause and resume it. Once its destruction has begun, or the session is ending, nothing
// starts or stops a recording.
#pragma once

#include "app/pause_icon.h"
#include "framework/dialogs.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/stdctrls.h"
#include "framework/tray_icon.h"
#include "recorder/record_area.h"

#include <memory>

namespace recorder {
class TScreenCam;
}
namespace skin {
class TSkinData;
}

namespace app {

class TWoxhotkey;
class TSkinChoice;

class TForm1 : public fw::TForm {
public:
  // The author's web page, opened by Label2.
  static constexpr const wchar_t* kAuthorPage = L"https://example.com/";
  static constexpr WORD kStartKey = VK_F4, kStopKey = VK_F5, kPauseKey = VK_F6;
  // The notification-area icon's messages to this window.
  static constexpr UINT kTrayMessage = WM_APP + 1;
  static constexpr UINT kStartUpNoticesMessage = WM_APP + 2;
  // What the system shows while the program holds up the session's end.
  static constexpr const wchar_t* kFinishingReason = L"Finishing the recording";

  explicit TForm1(fw::TComponent* owner);
  ~TForm1() override;
  std::wstring ClassName() const override { return L"TForm1"; }

  void FormCreate(fw::TObject* Sender);
  void FormDestroy(fw::TObject* Sender);
  void Button1Click(fw::TObject* Sender); // start
  void Button2Click(fw::TObject* Sender); // stop
  void Button3Click(fw::TObject* Sender); // settings
  void Label2Click(fw::TObject* Sender);

  // What the user must know once the window is up: recordings the last run left unfinished and
  // that were mended now, and hot keys another program holds. Posted by PostStartUpNotices.
  void ShowStartUpNotices();
  void PostStartUpNotices();
  // The session is about to end: while a recording runs, the system is told at once why the
  // program holds it up.
  void QueryEndSession();
  // The session ends (log-off, shutdown): a running recording is stopped and its file finished
  // before the system ends the program.
  void EndSession();

  fw::TButton* Button1 = nullptr;
  fw::TButton* Button2 = nullptr;
  fw::TButton* Button3 = nullptr;
  fw::TLabel* Label1 = nullptr;
  fw::TLabel* Label2 = nullptr;
  fw::TSaveDialog* SaveDialog1 = nullptr;
  skin::TSkinData* SkinData1 = nullptr;

  recorder::TScreenCam* ScreenCam = nullptr;
  TWoxhotkey* HotKeys = nullptr;
  fw::TTrayIcon TrayIcon{1, kTrayMessage};
  // The skin commands of the system menu (and the command line's choice).
  std::unique_ptr<TSkinChoice> SkinChooser;

private:
  // Runs the save dialog until the user cancels (false) or chooses a name that is new or that
  // may be replaced: the name to record into, ending in ".avi".
  bool ChooseFile(std::wstring& fileName);
  void RecordingFinished(fw::TObject* Sender);
  // Asks for the region or the window to record where the settings say so; false when the user
  // cancelled.
  bool ChooseRecordArea();
  // Pauses a running recording, or resumes a paused one.
  void TogglePause();
  void ShowRecordingIcon();
  void TrayIconClicked(const fw::TTrayRequest& request);
  void ShowTrayMenu(POINT at);
  void ShowFromAnotherStart();
  recorder::TRecordArea recordArea_;
  fw::TPopupMenu* trayMenu_ = nullptr;
  TPauseIcon pauseIcon_;
  bool closing_ = false;
  bool starting_ = false; // the start button's handler runs (its save dialog, its wait)
  bool mending_ = false;  // the last run's unfinished recordings are being mended

protected:
  void Loaded() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The program's main window, made by the main block.
extern TForm1* Form1;

} // namespace app
