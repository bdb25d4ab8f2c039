// The end of a recording: why its frame loop ended, and what the user is told about it once its
// files are closed (why it stopped by itself, what the files hold, which files it was saved in).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace recorder {

// Why a frame loop ended; None while it goes on.
enum class StopCause {
  None,
  Requested,        // the user stopped it (or it was stopped before its first pass)
  DiskFull,         // the volume kept just the room to close the file
  TargetGone,       // the folder of the recording can no longer be reached
  NoFollowOnFile,   // the next file of a long recording could not be made
  WriteFailed,      // a frame failed after others were written: they are kept
  SoundWriteFailed, // the sound could not be written after frames were: they are kept
  FileFailed,       // the file, its streams or its first frame could not be written
  WindowClosed,     // the window being recorded was closed
};

// What the user is told when a recording ends by itself or before its first frame (empty when it
// was stopped after frames were written): why, and what the files hold.
std::wstring EndNotice(StopCause cause, std::int64_t frames);

// The same when some of its files could not be finished at their close: their own notices
// (what each holds now) stand in for the claim that everything was saved.
std::wstring EndNotice(StopCause cause, std::int64_t frames,
                       const std::vector<std::wstring>& closeNotices);

// The notice naming the files of a recording that went on in follow-on files.
std::wstring FilesNotice(const std::vector<std::wstring>& files);

} // namespace recorder
