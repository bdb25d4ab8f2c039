// Recordings that survive the end of their process. While an AVI file is being recorded, its
// journal (recorder/core/recording_journal.h) lies in a folder of the program's own and is kept
// open and locked; it is deleted once AVIFile has closed the file. Whatever ends the process
// before that (killed, crashed, the session ended), the journal stays, and the program's next
// start mends the file it names in place (recorder/core/avi_repair.h) and tells the user. Only
// files that journals name, and only while they are still the very files recorded (same volume
// and file identity, not written since), are ever touched.
#pragma once

#include "recorder/core/avi_repair.h"
#include "recorder/vfw.h"

#include "framework/handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace recorder {

// %LOCALAPPDATA%\栎澜屏幕录像\Unfinished recordings, or empty when the system names no such
// folder (then nothing is journalled).
std::wstring DefaultJournalFolder();

// The journal of one AVI file while it is recorded.
class RecordingJournal {
public:
  RecordingJournal() = default;
  RecordingJournal(const RecordingJournal&) = delete;
  RecordingJournal& operator=(const RecordingJournal&) = delete;
  // Closes the journal and leaves it: the file was not finished.
  ~RecordingJournal();

  // Starts the journal of `aviPath` in `folder` once the file's stream `stream` has its format;
  // false (and no journal) when it cannot be written, which does not stop the recording.
  bool Begin(const std::wstring& folder, const std::wstring& aviPath, PAVISTREAM stream,
             DWORD handler, int width, int height);
  // Records the frame AVIFile just wrote as the last sample of `stream`.
  void FrameWritten(PAVISTREAM stream);
  // The file has been closed: the journal goes.
  void Finish();

private:
  fw::KernelHandle file_;
  std::wstring name_;
};

// What became of one unfinished recording found at start-up.
struct MendedRecording {
  std::wstring file;
  RepairOutcome outcome;
  std::int64_t frames;
};

// Mends the files named by the journals left in `folder` and removes those journals. A file that
// is gone, is no longer the file recorded (another file of its volume identity, written since, or
// not laid out as AVIFile leaves a recording) is left alone and not reported; a journal whose file
// is in use elsewhere, or whose recording is still running, is kept for a later start.
std::vector<MendedRecording> MendUnfinishedRecordings(const std::wstring& folder);

// What the user is told about one mended (or unmendable) recording.
std::wstring MendedNotice(const MendedRecording& mended);

} // namespace recorder
