// The recorder engine: captures screen frames with the cursor and records them into a compressed
// AVI file on a worker thread, one frame per time slot.
#pragma once

#include "recorder/vfw.h"

#include "framework/control.h"
#include "framework/form.h"
#include "framework/thread.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

namespace recorder {

class TFlashingWnd;
class TScreenCam;

// One recording: runs RecordToFile, again while it asks for a retry with the default compressor.
class TRecordAVIThread : public fw::TThread {
public:
  TRecordAVIThread(TScreenCam* cam, std::wstring fileName, fw::TControl* area);

  // Hand-offs to the main thread, which owns the frame window; each waits until it has run.
  void MarkFrame(bool capturing);
  void PlaceFrame(int left, int top, int width, int height);
  void ShowFrameAround(int left, int top, int width, int height);
  void HideFrame();

  TScreenCam* FCam;
  std::wstring FFileName;
  fw::TControl* FArea;
  COLORREF FColour = 0;
  int FPlaceLeft = 0, FPlaceTop = 0, FPlaceWidth = 0, FPlaceHeight = 0;

protected:
  void Execute() override;

private:
  void DoFillFrame();
  void DoPlaceFrame();
};

class TScreenCam : public fw::TObject {
public:
  static constexpr int kMaxCompressors = 32;

  explicit TScreenCam(fw::TForm* owner);
  // Stops a running recording and waits for its worker (serving its hand-offs meanwhile), so the
  // file is finished before the engine goes; then frees the frame window. From its start no
  // recording can be started any more.
  ~TScreenCam() override;

  // Frame capture. The caller owns the returned locked block and gives it back to ReleaseFrame.
  BITMAPINFOHEADER* CaptureFrame(int Left, int Top, int Width, int Height);
  HGLOBAL MakeDIB(HBITMAP Bitmap, int BitCount);
  void ReleaseFrame(BITMAPINFOHEADER*& Frame);

  // Recording.
  // Ignored while a recording or its worker exists, and once the engine is being destroyed.
  void StartRecording(fw::TControl* Area, const std::wstring& FileName);
  void StopRecording();
  // 1: file written; 0: failure, already reported; -1: retry with the default compressor.
  // A recording stops by itself, with the file closed and a notice to the user, when its volume
  // is about to fill or its folder can no longer be reached. A file about to pass FFileSizeLimit
  // is closed and the recording goes on in follow-on files (clip-2.avi, clip-3.avi, ...), each
  // with its own timeline starting at its first frame.
  int RecordToFile(fw::TControl* Area, const std::wstring& FileName);
  void WorkerDone(fw::TObject* Sender);

  // Rebuilds the list of installed compressors that accept the screen's frames.
  void ListCompressors();

  fw::TForm* FOwner;
  int FBitsPerPixel;
  DWORD FCompressorHandler;
  std::wstring FCompressorName;
  std::atomic<bool> FRecording{false};
  int FScreenWidth, FScreenHeight;
  DWORD FStartTime = 0;
  double FLastInterval = 0;
  int FDroppedFrames = 0;
  int FFrameIndex = 0;
  int FFramesWritten = 0;
  int FFrameWidth = 0, FFrameHeight = 0;
  fw::TNotifyEvent FOnUpdate, FOnStart, FOnStop, FOnError;
  TRecordAVIThread* FWorker = nullptr;
  int FPlaybackRate = 10;
  int FMsPerFrame = 100;
  int FKeyFrameEvery = 5;
  int FCompressorIndex = -1;
  int FQuality = 6550;
  int FCompressorCount = 0;
  std::array<ICINFO, kMaxCompressors> FCompressors{};
  bool FDrawCursor = true;
  TFlashingWnd* FFrameWnd;
  bool FShowFrame = true;
  HCURSOR FCursorHandle;
  bool FFrameFollows = false;
  // Largest size of one AVI file; lowered by tests.
  std::uint64_t FFileSizeLimit;
  // Raised on the main thread when a recording's worker has ended, however it ended.
  fw::TNotifyEvent FOnFinished;

private:
  friend class TRecordAVIThread;
  void UseDefaultCompressor();
  void Raise(const fw::TNotifyEvent& event);
  bool CheckCompressor(RECT& rect, BITMAPINFOHEADER*& format);
  bool AlreadyListed(DWORD handler) const;
  bool FShuttingDown = false; // main thread only
};

} // namespace recorder
