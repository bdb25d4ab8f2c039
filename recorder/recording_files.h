// The files of one recording: the AVI objects of the file being written (the file, its video
// stream and the compressed stream that feeds it, and with sound its audio stream), its journal,
// and the follow-on files a long recording continues in. Made, written and closed on the
// recording's own thread only.
#pragma once

#include "recorder/core/recording_end.h"
#include "recorder/unfinished_recordings.h"
#include "recorder/vfw.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace recorder {

// The audio stream of a recording with sound: its format (WAVEFORMATEX and its extra bytes) and
// header values. Its samples are blocks of `sampleSize` bytes (a PCM frame, an IMA ADPCM block),
// rate / scale of them a second.
struct SoundStreamFormat {
  std::vector<BYTE> format;
  DWORD scale = 1, rate = 0, sampleSize = 0, bytesPerSecond = 0;
};

class RecordingFiles {
public:
  // `format` is the format frame's header and colour table, copied for every file; the video
  // plays `rate` / `scale` frames a second; `options` must outlive the object. With `sound`,
  // every file gets an audio stream of that format after its video stream.
  RecordingFiles(const std::wstring& name, const BITMAPINFOHEADER* format, int rate, int scale,
                 AVICOMPRESSOPTIONS& options, const std::wstring& journalFolder,
                 const SoundStreamFormat* sound = nullptr);
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
  // one, whose timeline starts with that frame; `closing` runs first (the sound up to that
  // moment goes into the file being closed). `lastSlot` was the last slot written. A next file
  // that cannot be made ends the recording: the files so far are complete.
  StopCause MakeRoom(std::uint32_t frameBytes, std::int64_t slot, std::int64_t lastSlot,
                     std::uint64_t limit, const std::function<void()>& closing = {});

  // Writes one frame's pixel rows at `slot` of the recording.
  HRESULT Write(std::int64_t slot, const BYTE* data, std::uint32_t bytes);
  // Appends encoded sound, whole samples of the audio stream, to the file being written.
  HRESULT WriteSound(const BYTE* data, std::size_t bytes);

  // Released in the order file, stream, compressed stream; the file is written out when its
  // last reference goes, and its journal goes once the file is seen to be whole. A file that is
  // not whole is mended at once from its journal (or keeps the journal for a later start).
  void Close();

  // What the user is told about files whose close did not leave them whole.
  const std::vector<std::wstring>& CloseNotices() const { return closeNotices_; }

  // The files made so far, the first one included.
  const std::vector<std::wstring>& Names() const { return names_; }
  // Those of them that no file had the name of before: the only ones the recording may remove.
  const std::vector<std::wstring>& Created() const { return created_; }

private:
  HRESULT Open(const std::wstring& partName);
  HRESULT OpenAudio();

  const std::wstring name_, folder_, journalFolder_;
  std::vector<BYTE> format_; // header and colour table, for every file
  const int rate_, scale_;
  AVICOMPRESSOPTIONS& options_;
  const SoundStreamFormat* const sound_;
  vfw::AviFile file_;
  vfw::AviStream plain_, compressed_, audio_;
  LONG soundPosition_ = 0; // samples of the audio stream written to this file
  RecordingJournal journal_;
  int part_ = 1;
  std::vector<std::wstring> names_, created_;
  std::vector<std::wstring> closeNotices_;
  std::uint64_t bytes_ = 0;    // what the file being written takes so far, its index aside
  std::int64_t firstSlot_ = 0; // slot of the recording at position 0 of this file
};

} // namespace recorder
