// The journal of an unfinished recording. AVIFile writes an AVI file's headers and index only
// when the file is closed, so a recording whose process dies (killed, crashed, the session ended
// under it), or whose close fails (the folder gone, the disk full), leaves chunks that no player
// reads. While a file is being recorded, a small journal in a folder of the program's own names
// it, says how to rebuild its headers (each stream's format, rate and size, which AVIFile keeps
// to itself until the end) and gets one record for every chunk written to the file; it is deleted
// once the file is known to be whole. A journal found later belongs to a file that was never
// finished: the repair (avi_repair.h) mends it.
//
// Layout, little-endian, version 2:
//   "RJNL", version (2), header length (bytes up to the first record),
//   volume serial (u32), file index (u64) of the AVI file,
//   the AVI file's last-write time when the journal began, as its volume tells it (FILETIME, u64,
//   0 when unknown), and the time the journal began by the recorder's own clock (FILETIME, u64),
//   path length in UTF-16 units (u32) and the path,
//   stream count (u32, 1..16, video first), then per stream: type ("vids", "auds"), handler,
//   rate, scale, sample size (0 for video), width, height (i32, 0 for sound), format length (u32)
//   and the format bytes (BITMAPINFOHEADER and colours, or WAVEFORMATEX);
// then one record per chunk written, empty chunks included, in the order written: a 32-bit word
// with the stream number in the high 16 bits and the chunk's AVI index flags in the low 16 bits,
// and the chunk's size in bytes (u32), by which the repair knows the file's chunks for the
// recording's own.
// Version 1 (still read): volume serial, file index, rate, scale, handler, width, height, format,
// path; one video stream; records are the 32-bit index flags of the frames that had data.
// A record cut short at the end (the process ended while appending it) is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace recorder {

inline constexpr std::uint32_t kJournalVersion = 2;
// AVI index flags (AVIIF_KEYFRAME, AVIIF_NO_TIME).
inline constexpr std::uint32_t kIndexKeyFrame = 0x10;
inline constexpr std::uint32_t kIndexNoTime = 0x100;
// Most streams a recording (and so a journal) has.
inline constexpr std::size_t kMaxJournalStreams = 16;

// Bytes read at offsets: a journal or an AVI file.
class ByteSource {
public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() = 0;
  virtual bool Read(std::uint64_t offset, void* data, std::size_t bytes) = 0;
};

struct JournalStream {
  std::uint32_t type = 0, handler = 0, rate = 0, scale = 1, sampleSize = 0;
  std::int32_t width = 0, height = 0;
  std::vector<std::uint8_t> format;
  bool operator==(const JournalStream&) const = default;
};

struct JournalHeader {
  std::uint32_t version = kJournalVersion;
  std::u16string aviPath; // the file being recorded, as the program opened it
  // Which file that is: names can be reused, a file's identity on its volume cannot.
  std::uint32_t volumeSerial = 0;
  std::uint64_t fileIndex = 0;
  // Times in FILETIME units: the file's last write when the journal began (on its volume's clock,
  // which may differ from ours), and the journal's start on our clock.
  std::uint64_t fileWrittenAtStart = 0;
  std::uint64_t journalStarted = 0;
  std::vector<JournalStream> streams; // video first
  std::uint64_t recordsOffset = 0;    // where the records begin (the header's length)
  bool operator==(const JournalHeader&) const = default;

  // Version 1 kept records only for frames with data; version 2 keeps one for every chunk.
  bool RecordsEveryChunk() const { return version >= 2; }
};

// Whether the AVI file was written after its recording ended (by someone else: AVIFile writes
// each chunk right before its journal record, and only a close, or a mend, which keeps its
// journal's time moving, writes it later, within `kLaterWriteAllowed`). The times are FILETIME
// units: the journal's last write on our clock, the file's on its volume's, which may be off
// ours (a server's): what counts is how long after the journal began the file was last written,
// on its own clock, against how long the journal was written, on ours. Older journals without
// the file's time at the start know only our clock.
inline constexpr std::int64_t kLaterWriteAllowed = 60ll * 10'000'000;
bool WrittenAfterRecording(const JournalHeader& journal, std::uint64_t journalWritten,
                           std::uint64_t fileWritten);

// The bytes a journal starts with (recordsOffset is ignored).
std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& header);

// The record appended for one chunk written.
std::vector<std::uint8_t> EncodeJournalRecord(std::uint16_t stream, std::uint32_t flags,
                                              std::uint32_t bytes);

// One chunk as its journal recorded it; older journals know no sizes.
struct ChunkRecord {
  std::uint32_t flags = 0;
  std::optional<std::uint32_t> bytes;
  bool operator==(const ChunkRecord&) const = default;
};

// Reads a journal's header (version 1 or 2); nothing when the bytes are not one, or a read fails.
std::optional<JournalHeader> ReadJournalHeader(ByteSource& journal);

// The records of one stream, in the order written, read from the journal in blocks.
class JournalRecords {
public:
  JournalRecords(ByteSource& journal, const JournalHeader& header, std::uint16_t stream);
  // The next record; nothing at the end of the journal (or when a read fails).
  std::optional<ChunkRecord> Next();

private:
  bool Fill();

  ByteSource& journal_;
  const std::uint16_t stream_;
  const bool version1_;
  const std::size_t recordBytes_;
  std::uint64_t next_; // offset of the next block
  std::uint64_t end_;  // end of the last whole record
  std::vector<std::uint8_t> block_;
  std::size_t at_ = 0;
};

} // namespace recorder
