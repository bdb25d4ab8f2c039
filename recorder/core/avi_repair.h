// Mends an AVI file whose recording never closed it, and tells whether a closed one is whole.
//
// AVIFile reserves room for the headers at the start of a new file (zeros until it is closed),
// writes each sample as a chunk one after the other ("NNdc" or "NNdb" for a frame of stream NN,
// an empty one for a slot that got no frame, "NNwb" for sound, "NNpc" for a palette change), and
// writes the headers, the "movi" list header and the index only when the file is released. The
// repair walks the chunks that made it to disk, drops a last one cut short, and writes headers
// built from the recording's journal (recording_journal.h) into the reserved room and an index
// after the last whole chunk: every complete chunk then plays, at its place, in place.
//
// It touches only a file laid out as AVIFile leaves a recording of that journal: zeros up to the
// first chunk of one of the journal's streams, or (a process ended while closing, or a mend cut
// short) headers whose streams' formats are the journal's, followed by the "movi" list; and whose
// chunks have the sizes the journal recorded for them, as far as both go. It writes
// nothing unless the walk ended cleanly: at the end of the file, at a chunk cut short by the end,
// or at an index. A read that fails writes nothing either. The index is written before the
// headers, so a mend cut short is done again, the same way, at the next attempt. Memory stays
// bounded whatever the file holds: the chunks are walked twice (counting, then indexing) and the
// index is written out in blocks.
#pragma once

#include "recorder/core/recording_journal.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace recorder {

// The file being mended, read and written at byte offsets.
class RepairTarget : public ByteSource {
public:
  virtual bool Write(std::uint64_t offset, const void* data, std::size_t bytes) = 0;
  // Cuts the file off (or extends it) at `size`.
  virtual bool SetSize(std::uint64_t size) = 0;
};

enum class RepairOutcome {
  Mended,          // headers and index written: the file plays
  NothingRecorded, // laid out as a recording that ended before its first chunk: left untouched
  AlreadyWhole,    // this journal's recording, whole already (AVIFile closed it): left untouched
  NotRecorded,     // not laid out as this journal's recording, or its chunks are not the ones
                   // the journal recorded: left untouched
  Damaged,         // the chunks stop at something that is not a chunk of the recording, or the
                   // file is too large for AVI: left untouched
  NoRoom,          // the room before the first chunk cannot take the headers: left untouched
  ReadFailed,      // a read failed: left untouched, to be tried again
  WriteFailed,     // the file could not be written; it may be partly mended, to be tried again
};

struct RepairResult {
  RepairOutcome outcome = RepairOutcome::NotRecorded;
  std::int64_t frames = 0; // frames (video chunks with data) the mended file holds
  std::int64_t slots = 0;  // its timeline, empty slots included
  std::int64_t chunks = 0; // chunks of every stream walked
};

// Called now and then with the work done so far and the work in all.
using RepairProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

RepairResult RepairAvi(RepairTarget& file, ByteSource& journal, const JournalHeader& header,
                       const RepairProgress& progress = {});

enum class AviCheck {
  Whole,      // RIFF "AVI " with its headers, the "movi" list and the index, each within the file
  Unfinished, // anything else
  ReadFailed,
};

// Whether a closed file holds its headers, its chunks and its index where they must be.
AviCheck CheckAviWhole(ByteSource& file);

} // namespace recorder
