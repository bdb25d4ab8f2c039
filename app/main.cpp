// Program entry: for now a short recording of the whole screen into recording.avi, printed.
#include "framework/application.h"
#include "framework/form.h"
#include "recorder/scrcam.h"

#include <cstdio>

int wmain() {
  fw::TApplication application;
  fw::TForm owner(nullptr);
  recorder::TScreenCam cam(&owner);
  cam.FShowFrame = false;
  cam.StartRecording(nullptr, L"recording.avi");
  DWORD until = ::GetTickCount() + 3000;
  while (::GetTickCount() < until) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    application.ProcessMessages();
  }
  cam.StopRecording();
  while (cam.FWorker) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    application.ProcessMessages();
  }
  std::printf("recording.avi: %dx%d at %d bpp, %d frames written, %d slots dropped\n",
              cam.FFrameWidth, cam.FFrameHeight, cam.FBitsPerPixel, cam.FFramesWritten,
              cam.FDroppedFrames);
  return 0;
}
