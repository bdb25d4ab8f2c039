// One run of a recording on the worker's thread, as the stages it goes through in order: the
// screen and the rectangle are read, Video for Windows is checked, the format is prepared (a
// frame captured, the compressor's check), the sound source is opened, the files are opened, the
// frame loop records until something ends it and says why, the files are closed and the end is
// reported. Each stage is a
// step of its own over the run's state (rectangle, format, compression options, files, timeline);
// the frame loop calls one RecordFrame step per pass. Every AVI object is made, written and
// released on this one thread.
#pragma once

#include "recorder/area_stage.h"
#include "recorder/core/frame_timing.h"
#include "recorder/core/recording_end.h"
#include "recorder/core/recording_pause.h"
#include "recorder/frame_block.h"
#include "recorder/recording_files.h"
#include "recorder/scrcam.h"
#include "recorder/sound_stage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recorder {

class RecordingRun {
public:
  RecordingRun(TScreenCam& cam, fw::TControl* area, const std::wstring& fileName);
  RecordingRun(const RecordingRun&) = delete;
  RecordingRun& operator=(const RecordingRun&) = delete;

  // Runs the stages; what RecordToFile answers.
  RecordResult Run();

private:
  // The stages, in the order Run takes them.
  void ReadScreenAndArea();
  bool CheckVideoForWindows();
  bool PrepareFormat();
  bool OpenSound();
  void ShowFrameWindow();
  bool OpenFiles();
  StopCause RecordFrames();
  void CloseFiles();
  RecordResult ReportEnd(StopCause cause);

  // Steps of the frame loop.
  void StartTimeline();
  // Carries out a pause or resume the user asked for; true while the recording is paused.
  bool FollowPauseRequest();
  StopCause WaitWhilePaused();
  // Moves the rectangle with a followed window or the mouse; a closed window ends the recording.
  StopCause FollowArea();
  StopCause RecordFrame(std::uint64_t t);
  // Moves the marks to where the next frame will be, as soon as this one is grabbed.
  void PlaceMarksAhead();
  void ReportProgress(std::uint64_t t);
  StopCause WaitForNextSlot(std::uint64_t t);
  // Neither a stop nor a pause or resume is asked: the wait for the next slot goes on.
  bool Waiting() const;
  // With sound, the next grab waits for the start of a slot, and the sound is written between
  // the frames.
  StopCause WaitForSlotWithSound();
  // The next sleep on the way to the next grab's slot; 0 when the grab is due.
  std::uint32_t NextSleepToSlot();
  // What the sound takes of the room the files need before the next frame.
  std::uint32_t SoundBytes() const;
  // The rectangle the frame of this pass is taken from.
  const RECT& FrameRect() const { return rect_; }

  // A run that wrote nothing: the user is told, or offered the default compressor.
  RecordResult ReportFailure();
  void RemoveCreatedFiles();

  TScreenCam& cam_;
  fw::TControl* const area_;
  const std::wstring& fileName_;
  TRecordAVIThread* const worker_; // null when run outside a worker
  RECT rect_{};
  std::optional<TAreaStage> areaStage_; // what the frames take when no area control is given
  FrameBlock format_;
  std::optional<vfw::AviLibrary> library_;
  AVICOMPRESSOPTIONS options_{};
  std::uint32_t frameEstimate_ = 0; // the most one frame can take in the file
  SoundStage sound_;
  std::optional<RecordingFiles> files_;
  std::vector<std::wstring> created_;      // the files this run made, once they are closed
  std::vector<std::wstring> closeNotices_; // files whose close did not leave them whole
  std::int32_t msPerFrame_ = 1;
  std::optional<PausableClock> clock_; // recorded time: paused time left out
  SlotTracker slots_;
  std::uint64_t lastUpdate_ = 0;
};

} // namespace recorder
