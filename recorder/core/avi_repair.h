// Mends an AVI file whose recording never closed it. AVIFile reserves room for the headers at the
// start of a new file (zeros until it is closed), writes each sample as a chunk ("00dc", or "00db"
// for uncompressed frames; an empty chunk for a slot that got no frame) one after the other, and
// writes the headers, the "movi" list header and the index only when the file is released. The
// repair walks the chunks that made it to disk, drops a last one cut short, and writes headers
// built from the recording's journal (recording_journal.h) into the reserved room and an index
// after the last whole chunk: every complete frame then plays, at its slot, in place.
#pragma once

#include "recorder/core/recording_journal.h"

#include <cstddef>
#include <cstdint>

namespace recorder {

// The file being mended, read and written at byte offsets.
class RepairTarget {
public:
  virtual ~RepairTarget() = default;
  virtual std::uint64_t Size() = 0;
  virtual bool Read(std::uint64_t offset, void* data, std::size_t bytes) = 0;
  virtual bool Write(std::uint64_t offset, const void* data, std::size_t bytes) = 0;
  // Cuts the file off (or extends it) at `size`.
  virtual bool SetSize(std::uint64_t size) = 0;
};

enum class RepairOutcome {
  Mended,      // headers and index written: the file plays
  NotRecorded, // the file does not look like an AVI file of a recording: left untouched
  NoRoom,      // the room before the first chunk cannot take the headers: left untouched
  WriteFailed, // the file could not be written; it may be partly mended
};

struct RepairResult {
  RepairOutcome outcome = RepairOutcome::NotRecorded;
  std::int64_t frames = 0; // frames the mended file holds
  std::int64_t slots = 0;  // its timeline, empty slots included
};

RepairResult RepairAvi(RepairTarget& file, const Journal& journal);

} // namespace recorder
