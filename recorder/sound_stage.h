// The sound stage of a recording: the source the settings chose is opened beside the files and
// captures on its own thread; the recording's thread takes its blocks, fits them to the
// recording's clock (recorder/core/sound_timeline.h) and writes what is placed into the audio
// stream of the file being written, a tenth of a second at a time, between the frames. A
// follow-on file gets the sound from its first frame's moment on; the file being closed gets the
// sound up to that moment. A device that goes away leaves the sound silent from then on; gaps and
// the loss are told at the end.
#pragma once

#include "recorder/core/frame_timing.h"
#include "recorder/core/sound_timeline.h"
#include "recorder/recording_files.h"
#include "recorder/sound_capture.h"
#include "recorder/sound_encoder.h"

#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace recorder {

class SoundStage {
public:
  SoundStage() = default;
  SoundStage(const SoundStage&) = delete;
  SoundStage& operator=(const SoundStage&) = delete;

  // Opens and starts the source of `settings`; false, with the text naming the device, when it
  // cannot be opened or its sound cannot be encoded. Settings that record no sound open nothing.
  bool Open(const TSoundSettings& settings, std::wstring& error);
  // Sound is recorded.
  bool On() const { return timeline_.has_value(); }
  // The audio stream's format and header values.
  const SoundStreamFormat& StreamFormat() const { return stream_; }
  // Bytes the sound adds to the file per slot of `msPerFrame`, and what it keeps back (written
  // at the end at the latest): counted by the room checks.
  std::uint32_t BytesPerSlot(std::int32_t msPerFrame) const;
  std::uint32_t BytesHeldBack() const;

  // The recording's clock starts: timeGetTime() `startTime` is its moment 0 (slot 0 begins).
  // The stage reads the timer itself from then on; paused time is taken out by the timeline.
  void Start(std::uint32_t startTime);
  // The recording pauses or goes on at the timer reading `now` (timeGetTime), the one the
  // picture's clock pauses or resumes at, so that no pause moves the sound against the picture:
  // the sound captured in between is dropped.
  void Pause(std::uint32_t now) {
    if (timeline_ && clock_) timeline_->Pause(static_cast<double>(clock_->Elapsed(now)));
  }
  void Resume(std::uint32_t now) {
    if (timeline_ && clock_) timeline_->Resume(static_cast<double>(clock_->Elapsed(now)));
  }
  // Takes what the device captured and writes what is placed into `files`; the first failing
  // write's result.
  HRESULT Pump(RecordingFiles& files);
  // Before the follow-on file whose first frame is `slot`: the sound up to that frame's moment
  // goes into the file being closed (waiting a moment for the device's last blocks), and what
  // comes later into the next one.
  HRESULT EndFile(std::int64_t slot, std::int32_t msPerFrame, RecordingFiles& files);
  // The recording has ended, its picture with slot `endSlot` (the slot after the last one
  // written; 0 when none was): the rest of its sound up to there is written, waiting a moment for
  // the device's last blocks, and the source closed. The sound captured since is not the
  // recording's, however long the stop took to get here.
  HRESULT Finish(std::int64_t endSlot, std::int32_t msPerFrame, RecordingFiles& files);
  // What the user is told about the sound at the end: gaps filled, the device lost; empty when
  // there is nothing to tell.
  std::wstring Notice() const;

private:
  // Milliseconds of the timer since the start, paused time included.
  std::uint64_t Now() { return clock_ ? clock_->Elapsed(::timeGetTime()) : 0; }
  void TakeBlocks();
  double BlockTime(std::uint32_t arrived);
  // Writes placed frames up to position `until` (exclusive) in chunks of at most a tenth of a
  // second, keeping back less than `keep` frames; `flush` ends the file's encoding.
  HRESULT Write(std::int64_t until, std::size_t keep, bool flush, RecordingFiles& files);
  // Writes the encoded sound waiting; what a failed write leaves waits for the next write (at the
  // end at the latest), so that one failed write neither loses sound nor moves what follows.
  HRESULT WriteEncoded(RecordingFiles& files);

  TSoundSource source_;
  std::unique_ptr<TSoundCapture> capture_;
  TSoundEncoder encoder_;
  SoundStreamFormat stream_;
  std::optional<SoundTimeline> timeline_;
  std::optional<RecordingClock> clock_;
  std::uint32_t lastArrival_ = 0; // a 32-bit timer reading, unwrapped against the start
  double lastArrivalMs_ = 0;
  std::int64_t fileStart_ = 0; // where the file being written begins in the sound
  bool lost_ = false;
  std::uint64_t lostAtMs_ = 0;
  std::vector<TSoundBlock> blocks_;
  std::vector<std::int16_t> frames_;
  std::vector<BYTE> encoded_; // encoded, not written yet
};

} // namespace recorder
