// The journal of an unfinished recording. AVIFile writes an AVI file's headers and index only
// when the file is closed, so a recording whose process dies (killed, crashed, the session ended
// under it) leaves frame chunks that no player reads. While a file is being recorded, a small
// journal in a folder of the program's own names it, says how to rebuild its headers (the stream's
// format, rate and size, which AVIFile keeps to itself until the end) and gets the key-frame flag
// of every frame written; it is deleted once the file is closed. A journal found at the next
// start belongs to a file that was never finished: the repair (avi_repair.h) mends it.
//
// Layout, little-endian: the header (magic "RJNL", version, header length, then the fields of
// JournalHeader), followed by one 32-bit record per frame written (its AVI index flags).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace recorder {

inline constexpr std::uint32_t kJournalVersion = 1;
// AVI index flag of a key frame (AVIIF_KEYFRAME).
inline constexpr std::uint32_t kIndexKeyFrame = 0x10;

struct JournalHeader {
  std::u16string aviPath; // the file being recorded, as the program opened it
  // Which file that is: names can be reused, a file's identity on its volume cannot.
  std::uint32_t volumeSerial = 0;
  std::uint64_t fileIndex = 0;
  // The stream: rate / scale frames per second, the compressor's handler, the frame size and
  // the stream format (the compressor's output format) as the file's headers hold them.
  std::uint32_t rate = 0, scale = 1, handler = 0;
  std::int32_t width = 0, height = 0;
  std::vector<std::uint8_t> format;
  bool operator==(const JournalHeader&) const = default;
};

struct Journal {
  JournalHeader header;
  std::vector<std::uint32_t> frameFlags; // one per frame written, in order
};

// The bytes a journal starts with.
std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& header);

// The record appended for one frame written.
std::vector<std::uint8_t> EncodeFrameRecord(std::uint32_t flags);

// Reads a journal; a record cut short at the end (the process ended while appending it) is left
// out. Nothing when the bytes are not a journal of this version.
std::optional<Journal> DecodeJournal(std::span<const std::uint8_t> bytes);

} // namespace recorder
