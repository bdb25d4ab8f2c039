// The recorder engine: captures screen frames with the cursor and records them into a compressed
// AVI file on a worker thread, one frame per time slot.
#pragma once

#include "recorder/core/recording_pause.h"
#include "recorder/frame_block.h"
#include "recorder/record_area.h"
#include "recorder/sound_sources.h"
#include "recorder/vfw.h"

#include "framework/control.h"
#include "framework/form.h"
#include "framework/hand_off.h"
#include "framework/handles.h"
#include "framework/thread.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace recorder {

class TFlashingWnd;
class TScreenCam;
class RecordingRun;

// What one recording run ends with.
enum class RecordResult {
  Written,          // the file was written (or the run ended before its first frame, and said so)
  Failed,           // a failure, already reported to the user
  RetryWithDefault, // the user asked to record again with the default compressor
};

// One recording: runs the recording, again while it asks for a retry with the default compressor.
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
  // What puts the program's message boxes on top of other programs' windows: modal to their
  // owner as MB_APPLMODAL is, with WS_EX_TOPMOST (Wine does not honour MB_TOPMOST).
  static constexpr UINT kMessageOnTop = MB_SYSTEMMODAL;

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
  // Starts a worker and returns true; does nothing and returns false while a recording or its
  // worker exists, once the engine is shutting down, or when no thread can be started (the user
  // is told; nothing is left behind).
  bool StartRecording(fw::TControl* Area, const std::wstring& FileName);
  // The same for what the user chose: the screen, all screens, a region, a window followed as it
  // moves, or an area following the mouse.
  bool StartRecording(const TRecordArea& Area, const std::wstring& FileName);
  void StopRecording();
  // Asks the running recording to pause (nothing is captured until it resumes) or to resume (the
  // file goes on where it paused: the time in between is not in it). Seen by the worker at its
  // next step; a stop ends a paused recording as it ends a running one.
  void PauseRecording(bool Paused);
  bool PauseRequested() const { return pauseRequested_; }
  // The worker has taken up the pause: nothing is captured until it resumes.
  bool Paused() const { return pauseState_ == TPauseState::Paused; }
  // Serves the main thread's messages until the worker of the last recording has ended (its
  // file finished, its notices shown): what a start that arrives while a recording is still
  // being closed waits for.
  void WaitForWorker();
  // The session ends (log-off, shutdown) or the program closes: stops a running recording and
  // waits until its file is finished. From here on nothing starts and no message is shown.
  void FinishForShutdown();
  // Runs one recording on the calling (worker) thread (recorder/recording_run.h). Retrying with
  // the default compressor is offered only while nothing has been written (once frames exist, a
  // failing write stops the recording with a notice and the file keeps them).
  // A recording stops by itself, with the file closed and a notice to the user, when its volume
  // is about to fill or its folder can no longer be reached. A file about to pass FileSizeLimit
  // is closed and the recording goes on in follow-on files (clip-2.avi, clip-3.avi, ... with the
  // next number no existing file has), each with its own timeline starting at its first frame.
  // While a file is written its journal (JournalFolder) lets the next start mend it should the
  // process end before the file is closed.
  RecordResult Record(fw::TControl* Area, const std::wstring& FileName);
  // The same as a number: 1 file written, 0 failure already reported, -1 retry with the default
  // compressor.
  int RecordToFile(fw::TControl* Area, const std::wstring& FileName);
  void WorkerDone(fw::TObject* Sender);

  // Rebuilds the list of installed compressors that accept the screen's frames.
  void ListCompressors();

  fw::TForm* FOwner;
  int FBitsPerPixel;
  DWORD FCompressorHandler;
  std::wstring FCompressorName;
  std::atomic<bool> FRecording{false};
  // The screen's depth and size, read again at the start of every recording.
  int FScreenWidth, FScreenHeight;
  // timeGetTime when the frame loop of the last recording began.
  DWORD FStartTime = 0;
  // Slots and frames in 64 bits: at 1 ms per frame a recording passes slot 2^31 after 24.8 days.
  std::int64_t FDroppedFrames = 0;
  std::atomic<std::int64_t> FFrameIndex{0};
  std::atomic<std::int64_t> FFramesWritten{0};
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
  // The sound of the next recordings, as the settings dialog chose it (none by default).
  TSoundSettings Sound;
  // Largest size of one AVI file; lowered by tests.
  std::uint64_t FileSizeLimit;
  // Raised on the main thread when a recording's worker has ended, however it ended, before the
  // notices of the recording are shown.
  fw::TNotifyEvent OnFinished;
  // Where journals of files being recorded are kept (empty: none); tests use folders of their
  // own.
  std::wstring JournalFolder;
  // The files of the last recording: the chosen name, then any follow-on files.
  std::vector<std::wstring> FilesWritten;
  // What recordings started from the main window take, chosen in the settings; the size of the
  // area that follows the mouse; the last region chosen while the program runs.
  TAreaKind AreaKind = TAreaKind::FullScreen;
  int FollowWidth = 640, FollowHeight = 480;
  std::optional<Rect> LastRegion;

private:
  friend class TRecordAVIThread;
  friend class RecordingRun;
  void UseDefaultCompressor();
  void Raise(const fw::TNotifyEvent& event);
  void ReadScreen();
  FrameBlock CaptureRect(const RECT& rect);
  bool CheckCompressor(RECT& rect, FrameBlock& format);
  bool FitFormat(DWORD type, DWORD handler, RECT& rect, FrameBlock& format, bool& accepted);
  std::uint32_t FrameEstimate(const BITMAPINFOHEADER* format) const;
  bool AlreadyListed(DWORD handler) const;
  // Messages of a recording, shown by the main thread owned by the main window, on top, so that
  // they are skinned like every other dialog. Ask waits for the answer (from the worker through
  // the hand-off; once shutting down the box is not shown and the answer is No or OK, and a
  // worker waiting for a box stops waiting, with that answer). Notify does not wait: from the
  // worker the notice is shown when the worker has ended.
  int Ask(const std::wstring& text, const std::wstring& caption, UINT type);
  void Notify(const std::wstring& text);
  void ShowNotices();
  HWND MessageOwner() const;
  // Ends the boxes of recordings that are open, as their unshown answer: a shutdown may have
  // come in the message loop of one of them.
  void CloseOpenBoxes();

  // A box of a recording while it is open (main thread only).
  struct OpenBox {
    HWND owner;
    std::wstring caption;
    int unshownAnswer;
  };
  using OpenBoxes = std::vector<OpenBox*>;
  static BOOL CALLBACK CloseOpenBox(HWND wnd, LPARAM openBoxes);
  static int ShowBox(std::shared_ptr<OpenBoxes> open, HWND owner, const std::wstring& text,
                     const std::wstring& caption, UINT type);

  // What the recording being started takes when no area control is given.
  TRecordArea recordArea_;
  // The user's pause request (main thread) and the state the worker put the recording in.
  std::atomic<bool> pauseRequested_{false};
  std::atomic<TPauseState> pauseState_{TPauseState::Recording};
  // The screen a chosen area is aligned within (none for an area control: aligned in place).
  std::optional<Rect> alignScreen_;
  bool shuttingDown_ = false; // main thread only
  // Set when shutting down: what the worker's wait for a box gives up on.
  fw::KernelHandle shutdownEvent_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  fw::THandOff handOff_; // the worker's boxes, shown by the main thread
  // Shared with each box being shown, which may end after the engine has gone.
  std::shared_ptr<OpenBoxes> openBoxes_ = std::make_shared<OpenBoxes>();
  std::mutex noticesLock_;
  std::vector<std::wstring> notices_; // from the worker, shown once it has ended
};

} // namespace recorder
