// The files of one recording: the AVI objects of the file being written (the file, its video
// stream and the compressed stream that feeds it), its journal, and the follow-on files a long
// recording continues in. Made, written and closed on the recording's own thread only.
#pragma once

#include "recorder/core/recording_end.h"
#include "recorder/unfinished_recordings.h"
#include "recorder/vfw.h"

#include <cstdint>
#include <string>
#include <vector>

namespace recorder {

class RecordingFiles {
public:
  // `format` is the format frame's header and colour table, copied for every file; `options`
  // must outlive the object.
  RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate,
                 AVICOMPRESSOPTIONS& options, const std::wstring& journalFolder);
  RecordingFiles(const RecordingFiles&) = delete;
  RecordingFiles& operator=(const RecordingFiles&) = delete;
  ~RecordingFiles() { Close(); }

  // Opens the first file, its stream and compressed stream and sets the format; the first
  // failing call's result.
  HRESULT Open() { return Open(name_); }

  // Whether the frame of `slot`, at most `frameBytes` long, may be written (None): the volume
  // must keep room to close the file after it, and the folder must still be there.
  StopCause CheckRoom(std::uint32_t frameBytes, std::int64_t slot) const;

  // Before the frame of `slot` would take the file past `limit`, closes it and opens the next
  // one, whose timeline starts with that frame. `lastSlot` was the last slot written. A next
  // file that cannot be made ends the recording: the files so far are complete.
  StopCause MakeRoom(std::uint32_t frameBytes, std::int64_t slot, std::int64_t lastSlot,
                     std::uint64_t limit);

  // Writes one frame's pixel rows at `slot` of the recording.
  HRESULT Write(std::int64_t slot, const BYTE* data, std::uint32_t bytes);

  // Released in the order file, stream, compressed stream; the file is written out when its
  // last reference goes, and its journal goes after it.
  void Close();

  // The files made so far, the first one included.
  const std::vector<std::wstring>& Names() const { return names_; }
  // Those of them that no file had the name of before: the only ones the recording may remove.
  const std::vector<std::wstring>& Created() const { return created_; }

private:
  HRESULT Open(const std::wstring& partName);

  const std::wstring name_, folder_, journalFolder_;
  std::vector<BYTE> format_; // header and colour table, for every file
  const int rate_;
  AVICOMPRESSOPTIONS& options_;
  vfw::AviFile file_;
  vfw::AviStream plain_, compressed_;
  RecordingJournal journal_;
  int part_ = 1;
  std::vector<std::wstring> names_, created_;
  std::uint64_t bytes_ = 0;    // what the file being written takes so far, its index aside
  std::int64_t firstSlot_ = 0; // slot of the recording at position 0 of this file
};

} // namespace recorder
