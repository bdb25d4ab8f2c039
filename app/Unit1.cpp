#include "app/Unit1.h"

#include "app/core/file_names.h"
#include "app/form_fields.h"
#include "app/optdlg.h"
#include "app/shell_open.h"
#include "app/skin_choice.h"
#include "app/woxhotkey.h"
#include "recorder/scrcam.h"
#include "skin/data/skin_data.h"

namespace app {

TForm1* Form1 = nullptr;

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
  FScreenCam = new recorder::TScreenCam(this);
  FScreenCam->FOnFinished = [this](fw::TObject* s) { RecordingFinished(s); };
  FHotKeys = new TWoxhotkey();
  FHotKeys->AddHotKey(this, false, false, false, false, kStartKey);
  FHotKeys->AddHotKey(this, false, false, false, false, kStopKey);
  FSkinChoice = std::make_unique<TSkinChoice>(Handle(), *SkinData1);
}

void TForm1::FormDestroy(fw::TObject*) {
  // The engine stops a running recording and finishes its file before it goes, serving messages
  // while it waits: hot keys and clicks that arrive meanwhile must do nothing.
  FClosing = true;
  delete FScreenCam;
  FScreenCam = nullptr;
  delete FHotKeys;
  FHotKeys = nullptr;
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY && FHotKeys && !FClosing) {
    THotKeyMessage message{wParam, lParam, 0};
    switch (FHotKeys->WhichHotKey(message)) {
    case 1:
      Button1->Click();
      break;
    case 2:
      Button2->Click();
      break;
    default:
      break;
    }
    return message.Result;
  }
  if (msg == WM_SYSCOMMAND && FSkinChoice && FSkinChoice->SystemCommand(wParam)) return 0;
  return fw::TForm::WndProc(msg, wParam, lParam);
}

void TForm1::Button1Click(fw::TObject*) {
  if (FClosing || !SaveDialog1->Execute()) return;
  // Recordings started here show no frame around the screen.
  FScreenCam->FShowFrame = false;
  FScreenCam->FFrameFollows = true;
  Hide();
  std::wstring fileName = EnsureExtension(SaveDialog1->FileName, L".avi");
  FScreenCam->StartRecording(nullptr, fileName);
}

void TForm1::Button2Click(fw::TObject*) {
  if (FClosing) return;
  FScreenCam->StopRecording();
  Show();
}

void TForm1::RecordingFinished(fw::TObject*) {
  // Also after a recording that ended by itself (a failure, a full disk).
  if (!FClosing) Show();
}

void TForm1::Button3Click(fw::TObject*) {
  FScreenCam->ListCompressors();
  OptionDlg->EditSettings(*FScreenCam);
}

void TForm1::Label2Click(fw::TObject*) {
  OpenDocument(kAuthorPage, L"");
}

} // namespace app
