// Recordings that survive the end of their process, or a close that failed. While an AVI file
// is being recorded, its journal (recorder/core/recording_journal.h) lies in a folder of the
// program's own and is kept open and locked; it is deleted once AVIFile has closed the file and
// the file is seen to be whole (recorder/core/avi_repair.h `CheckAviWhole`). A file that is not
// whole after its close is mended at once from its journal; whatever ends the process before
// that (killed, crashed, the session ended), the journal stays, and a later start mends the file
// it names in place and tells the user.
//
// Only files that journals name, and only while they are still the very files recorded (same
// volume and file identity, not written since, laid out as AVIFile leaves a recording), are ever
// touched. A journal goes only once its file is mended, or when its file is plainly not the
// recording any more (gone from a folder that is there, replaced, written since, not laid out as
// a recording, damaged): the user is told that once. A file that cannot be reached or written now
// (its drive or share missing, access refused, the disk full, open elsewhere) keeps its journal
// for a later start; so does a mend cut short.
#pragma once

#include "recorder/core/avi_repair.h"
#include "recorder/vfw.h"

#include "framework/handles.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace recorder {

// %LOCALAPPDATA%\栎澜屏幕录像\Unfinished recordings, or empty when the system names no such
// folder (then nothing is journalled).
std::wstring DefaultJournalFolder();

// The journal of one AVI file while it is recorded.
class RecordingJournal {
public:
  // One stream of the file: its AVIFile stream (after its format is set), the handler its
  // headers name and, for video, the frame size.
  struct Stream {
    PAVISTREAM stream = nullptr;
    DWORD handler = 0;
    int width = 0, height = 0;
  };

  RecordingJournal() = default;
  RecordingJournal(const RecordingJournal&) = delete;
  RecordingJournal& operator=(const RecordingJournal&) = delete;
  // Closes the journal and leaves it: the file was not finished.
  ~RecordingJournal();

  // Starts the journal of `aviPath` in `folder` for the file's streams (video first); false (and
  // no journal) when it cannot be written, which does not stop the recording.
  bool Begin(const std::wstring& folder, const std::wstring& aviPath,
             std::span<const Stream> streams);
  bool Begin(const std::wstring& folder, const std::wstring& aviPath, PAVISTREAM stream,
             DWORD handler, int width, int height);
  // Records what AVIFile just wrote to the video stream `stream` (stream 0): an empty chunk for
  // each slot it filled before the sample, then the sample with its key-frame flag. The flag is
  // asked of the sample itself, so this costs the same at every frame.
  void FrameWritten(PAVISTREAM stream);
  // Records one chunk of `bytes` written to another stream (sound: every chunk a key frame).
  void ChunkWritten(std::uint16_t stream, std::uint32_t flags, std::uint32_t bytes);
  // The file is whole: the journal goes.
  void Finish();
  // The file needs mending: closes the journal, keeps it and returns its name (empty without one).
  std::wstring Keep();
  bool Active() const { return static_cast<bool>(file_); }

private:
  void Append(const std::vector<std::uint8_t>& records);

  fw::KernelHandle file_;
  std::wstring name_;
  LONG videoEnd_ = 0; // slots of the video stream journalled so far
};

// What became of one unfinished recording found.
enum class MendState {
  Mended,      // the file plays; `frames` says how many frames it holds
  Whole,       // the file was whole after all (its close could not be checked): left as it is
  Waiting,     // cannot be mended now (unreachable, refused, the disk full): tried again later
  NotThatFile, // the file is gone or no longer the recording: left alone
  Unmendable,  // the recording's file, but damaged or without room for its headers: left alone
};

struct MendedRecording {
  std::wstring file;
  MendState state = MendState::Mended;
  std::int64_t frames = 0;
};

// Called from the mending thread with the file being mended and its progress.
using MendProgress =
    std::function<void(const std::wstring& file, std::uint64_t done, std::uint64_t total)>;

// Mends the file named by the journal `journalPath` and removes the journal unless the file
// waits. Nothing (and the journal kept) when the journal is in use or cannot be read; nothing
// either for a recording that ended before its first frame (its journal goes).
std::optional<MendedRecording> MendRecording(const std::wstring& journalPath,
                                             const MendProgress& progress = {});

// The same for every journal left in `folder`.
std::vector<MendedRecording> MendUnfinishedRecordings(const std::wstring& folder,
                                                      const MendProgress& progress = {});

// What the user is told about one mended (or unmendable) recording found at start-up.
std::wstring MendedNotice(const MendedRecording& mended);
// What the user is told about a file whose close failed (FinishRecordingFile).
std::wstring ClosedNotice(const MendedRecording& mended);

// Whether the file `aviPath`, just closed, is whole. When it is not, or cannot be read, it is
// mended at once from the journal (kept for a later start when that cannot happen now).
// Nothing when the file is whole and the journal is gone.
std::optional<MendedRecording> FinishRecordingFile(RecordingJournal& journal,
                                                   const std::wstring& aviPath);

} // namespace recorder
