#include "app/Unit1.h"

#include "app/area_chooser.h"
#include "app/core/file_names.h"
#include "app/form_fields.h"
#include "app/mend_window.h"
#include "app/optdlg.h"
#include "app/shell_open.h"
#include "app/single_instance.h"
#include "app/skin_choice.h"
#include "app/woxhotkey.h"
#include "framework/message_box.h"
#include "recorder/scrcam.h"
#include "recorder/unfinished_recordings.h"
#include "skin/data/skin_data.h"

namespace app {

TForm1* Form1 = nullptr;

namespace {

// Hot key n of the main window: F4 starts, F5 stops, F6 pauses and resumes.
enum HotKeyNumber { kStartHotKey = 1, kStopHotKey = 2, kPauseHotKey = 3 };

std::wstring TakenKeyNotice(WORD key) {
  if (key == TForm1::kStartKey)
    return L"The key F4 could not be registered: another program is using it. To start a "
           L"recording, click \"开始录制\" in the main window.";
  if (key == TForm1::kStopKey)
    return L"The key F5 could not be registered: another program is using it. To stop a "
           L"recording, click the recorder's icon in the notification area, or start the program "
           L"again to bring its window back.";
  return L"The key F6 could not be registered: another program is using it. To pause or resume "
         L"a recording, right-click the recorder's icon in the notification area.";
}

WORD HotKeyOf(int n) {
  return n == kStartHotKey ? TForm1::kStartKey
                           : (n == kStopHotKey ? TForm1::kStopKey : TForm1::kPauseKey);
}

} // namespace

TForm1::TForm1(fw::TComponent* owner) : fw::TForm(owner) {
  DefineMethod(L"FormCreate", [this](fw::TObject* s) { FormCreate(s); });
  DefineMethod(L"FormDestroy", [this](fw::TObject* s) { FormDestroy(s); });
  DefineMethod(L"Button1Click", [this](fw::TObject* s) { Button1Click(s); });
  DefineMethod(L"Button2Click", [this](fw::TObject* s) { Button2Click(s); });
  DefineMethod(L"Button3Click", [this](fw::TObject* s) { Button3Click(s); });
  DefineMethod(L"Label2Click", [this](fw::TObject* s) { Label2Click(s); });
  skin::RegisterSkinDataClass(); // the description holds the skin component SkinData1
  InitFromResource(L"TFORM1");
}

TForm1::~TForm1() {
  DoDestroy();
}

void TForm1::Loaded() {
  fw::TForm::Loaded();
  Field(*this, L"Button1", Button1);
  Field(*this, L"Button2", Button2);
  Field(*this, L"Button3", Button3);
  Field(*this, L"Label1", Label1);
  Field(*this, L"Label2", Label2);
  Field(*this, L"SaveDialog1", SaveDialog1);
  Field(*this, L"SkinData1", SkinData1);
}

void TForm1::FormCreate(fw::TObject*) {
  ScreenCam = new recorder::TScreenCam(this);
  ScreenCam->OnFinished = [this](fw::TObject* s) { RecordingFinished(s); };
  HotKeys = new TWoxhotkey();
  HotKeys->AddHotKey(this, false, false, false, false, kStartKey);
  HotKeys->AddHotKey(this, false, false, false, false, kStopKey);
  HotKeys->AddHotKey(this, false, false, false, false, kPauseKey);
  trayMenu_ = new fw::TPopupMenu(this);
  SkinChooser = std::make_unique<TSkinChoice>(Handle(), *SkinData1);
}

void TForm1::FormDestroy(fw::TObject*) {
  // The engine stops a running recording and finishes its file before it goes, serving messages
  // while it waits: hot keys and clicks that arrive meanwhile must do nothing.
  closing_ = true;
  TrayIcon.Hide();
  delete ScreenCam;
  ScreenCam = nullptr;
  delete HotKeys;
  HotKeys = nullptr;
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY && HotKeys && !closing_) {
    THotKeyMessage message{wParam, lParam, 0};
    switch (HotKeys->WhichHotKey(message)) {
    case kStartHotKey:
      Button1->Click();
      break;
    case kStopHotKey:
      Button2->Click();
      break;
    case kPauseHotKey:
      TogglePause();
      break;
    default:
      break;
    }
    return message.Result;
  }
  switch (msg) {
  case WM_SYSCOMMAND:
    if (SkinChooser && SkinChooser->SystemCommand(wParam)) return 0;
    break;
  case kTrayMessage:
    TrayIconClicked(TrayIcon.Request(wParam, lParam));
    return 0;
  case kStartUpNoticesMessage:
    ShowStartUpNotices();
    return 0;
  case WM_QUERYENDSESSION:
    QueryEndSession();
    return TRUE;
  case WM_ENDSESSION:
    if (wParam)
      EndSession();
    else
      ::ShutdownBlockReasonDestroy(Handle());
    return 0;
  default:
    break;
  }
  if (msg == TSingleInstance::ShowWindowMessage()) {
    ShowFromAnotherStart();
    return 0;
  }
  if (msg == fw::TTrayIcon::TaskbarCreatedMessage()) TrayIcon.Restore();
  return fw::TForm::WndProc(msg, wParam, lParam);
}

bool TForm1::ChooseFile(std::wstring& fileName) {
  for (;;) {
    if (!SaveDialog1->Execute()) return false;
    // The dialog asked about the name it gives; a name completed here is asked about as it would.
    fileName = EnsureExtension(SaveDialog1->FileName, L".avi");
    if (fileName == SaveDialog1->FileName ||
        ::GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
      return true;
    if (fw::ShowMessageBox(Handle(), fileName + L" already exists.\nDo you want to replace it?",
                           L"Confirm Save As", MB_YESNO | MB_ICONWARNING) == IDYES)
      return true;
  }
}

void TForm1::Button1Click(fw::TObject*) {
  if (closing_ || starting_ || mending_) return;
  starting_ = true;
  std::wstring fileName;
  if (ChooseFile(fileName)) {
    // A recording still being closed is waited for: the new one starts after it, never into a
    // hidden window with nothing recording. (While one runs, the engine ignores the start.)
    if (!ScreenCam->FRecording) ScreenCam->WaitForWorker();
    // Recordings of the screen show no frame around it; a region, a window or a following area
    // is marked where it is, frame by frame.
    ScreenCam->FShowFrame = recorder::MarksAround(ScreenCam->AreaKind);
    ScreenCam->FFrameFollows = true;
    Hide();
    if (ScreenCam->FRecording || !ChooseRecordArea()) {
      // Cancelled: nothing is recorded and no file is made.
      if (!ScreenCam->FRecording && !closing_) Show();
    } else if (ScreenCam->StartRecording(recordArea_, fileName)) {
      ShowRecordingIcon();
    } else if (!ScreenCam->FRecording && !closing_) {
      Show();
    }
  }
  starting_ = false;
}

void TForm1::Button2Click(fw::TObject*) {
  if (closing_) return;
  ScreenCam->StopRecording();
  Show();
}

bool TForm1::ChooseRecordArea() {
  recordArea_ = {
      ScreenCam->AreaKind, {0, 0, ScreenCam->FollowWidth, ScreenCam->FollowHeight}, nullptr};
  if (recordArea_.Kind != recorder::TAreaKind::Region &&
      recordArea_.Kind != recorder::TAreaKind::Window)
    return true;
  const bool window = recordArea_.Kind == recorder::TAreaKind::Window;
  auto chosen =
      ChooseArea(window ? TChooserMode::Window : TChooserMode::Region, ScreenCam->LastRegion);
  if (!chosen || closing_) return false;
  recordArea_.Bounds = chosen->rect;
  recordArea_.Window = chosen->window;
  if (!window) ScreenCam->LastRegion = chosen->rect;
  return true;
}

void TForm1::TogglePause() {
  if (closing_ || !ScreenCam || !ScreenCam->FRecording) return;
  ScreenCam->PauseRecording(!ScreenCam->PauseRequested());
  ShowRecordingIcon();
}

void TForm1::RecordingFinished(fw::TObject*) {
  TrayIcon.Hide();
  // Also after a recording that ended by itself (a failure, a full disk).
  if (!closing_) Show();
}

void TForm1::ShowRecordingIcon() {
  if (ScreenCam->PauseRequested()) {
    const bool f6 = HotKeys && HotKeys->Registered(kPauseHotKey);
    TrayIcon.Show(Handle(), pauseIcon_.Get(fw::ProgramIcon(true)),
                  f6 ? L"栎澜屏幕录像已暂停：按 F6 或右键单击此图标选择“继续录制”继续"
                     : L"栎澜屏幕录像已暂停：右键单击此图标选择“继续录制”继续");
    return;
  }
  const bool f5 = HotKeys && HotKeys->Registered(kStopHotKey);
  TrayIcon.Show(Handle(), fw::ProgramIcon(true),
                f5 ? L"栎澜屏幕录像正在录制：单击此图标或按 F5 停止"
                   : L"栎澜屏幕录像正在录制：单击此图标停止");
}

void TForm1::ShowTrayMenu(POINT at) {
  trayMenu_->Items().Clear();
  trayMenu_->Items().Add(ScreenCam->PauseRequested() ? L"继续录制" : L"暂停录制",
                         [this](fw::TObject*) { TogglePause(); });
  trayMenu_->Items().Add(L"停止录入", [this](fw::TObject*) {
    if (ScreenCam && ScreenCam->FRecording) Button2Click(this);
  });
  // The menu takes the keyboard, and closes when the user clicks elsewhere or switches away, only
  // while this thread is in the foreground; the message posted after it lets the next click on
  // the icon open it again at once.
  ::SetForegroundWindow(Handle());
  trayMenu_->Alignment = TPM_RIGHTALIGN | TPM_BOTTOMALIGN;
  trayMenu_->Popup(at.x, at.y);
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TForm1::TrayIconClicked(const fw::TTrayRequest& request) {
  switch (request.action) {
  case fw::TTrayAction::Menu:
    if (ScreenCam && ScreenCam->FRecording && !closing_) ShowTrayMenu(request.at);
    break;
  case fw::TTrayAction::Choose:
    if (ScreenCam && ScreenCam->FRecording) Button2Click(this);
    if (!closing_) ::SetForegroundWindow(Handle());
    break;
  case fw::TTrayAction::None:
    break;
  }
}

void TForm1::ShowFromAnotherStart() {
  if (closing_) return;
  Show();
  if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
  ::SetForegroundWindow(Handle());
}

void TForm1::PostStartUpNotices() {
  ::PostMessageW(Handle(), kStartUpNoticesMessage, 0, 0);
}

void TForm1::ShowStartUpNotices() {
  if (closing_ || !ScreenCam) return;
  auto notice = [this](const std::wstring& text) {
    fw::ShowMessageBox(Handle(), text, L"Notice",
                       MB_ICONEXCLAMATION | recorder::TScreenCam::kMessageOnTop);
  };
  // No recording starts while the files of the last run are mended (one may be the file chosen).
  mending_ = true;
  const auto mended = MendWithProgress(this, ScreenCam->JournalFolder);
  mending_ = false;
  if (closing_) return;
  for (const auto& one : mended)
    notice(recorder::MendedNotice(one));
  for (int n : {kStartHotKey, kStopHotKey, kPauseHotKey})
    if (HotKeys && !HotKeys->Registered(n)) notice(TakenKeyNotice(HotKeyOf(n)));
}

void TForm1::QueryEndSession() {
  // Said at once, so that the system shows why the program holds the session's end while the
  // file is finished.
  if (ScreenCam && (ScreenCam->FRecording || ScreenCam->FWorker))
    ::ShutdownBlockReasonCreate(Handle(), kFinishingReason);
}

void TForm1::EndSession() {
  closing_ = true;
  // Windows may end the program right after this returns: the file is finished first, also when
  // one of the recording's message boxes is open (this may run in its message loop).
  ::ShutdownBlockReasonCreate(Handle(), kFinishingReason);
  ScreenCam->FinishForShutdown();
  TrayIcon.Hide();
  ::ShutdownBlockReasonDestroy(Handle());
}

void TForm1::Button3Click(fw::TObject*) {
  // The settings dialog is freed before the main window at shutdown.
  if (closing_ || !OptionDlg) return;
  ScreenCam->ListCompressors();
  OptionDlg->EditSettings(*ScreenCam);
}

void TForm1::Label2Click(fw::TObject*) {
  OpenDocument(kAuthorPage, L"");
}

} // namespace app
