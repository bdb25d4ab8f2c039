// The repair on any file with any journal: it never reads or writes out of bounds, grows the
// file only in proportion to what it holds, and leaves every byte as it was unless it mended the
// file (or a write failed). A mended file is whole, and mending it again changes nothing.
//
// Input: a 16-bit length, that many bytes of journal, then the AVI file. A length of 0xFFFF or
// more than there is takes a journal of a video and a sound stream instead, whose records are
// the input's next 64 bytes (8 records); the first byte after the length then names a bad spot for
// reads (255: none), in 256ths of the file.
#include "fuzz/fuzz_memory.h"
#include "recorder/core/avi_repair.h"
#include "recorder/core/fourcc.h"

namespace {

recorder::JournalHeader TwoStreams() {
  recorder::JournalHeader h;
  h.aviPath = u"C:\\take.avi";
  recorder::JournalStream video;
  video.type = recorder::kStreamTypeVideo;
  video.handler = recorder::FourCC("MSVC");
  video.rate = 10;
  video.width = 64;
  video.height = 48;
  video.format = {40, 0, 0, 0, 64, 0, 0, 0, 48, 0, 0, 0, 1, 0, 16, 0, 'C', 'R', 'A', 'M'};
  video.format.resize(40, 0);
  recorder::JournalStream sound;
  sound.type = recorder::FourCC("auds");
  sound.rate = 8000;
  sound.sampleSize = 2;
  sound.format = {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 0, 0};
  h.streams = {video, sound};
  return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t length = data[0] | data[1] << 8;
  std::vector<std::uint8_t> journalBytes;
  std::size_t at = 2;
  std::uint64_t badSpot = ~0ull;
  if (length != 0xFFFF && length <= size - 2) {
    journalBytes.assign(data + 2, data + 2 + length);
    at += length;
  } else {
    journalBytes = recorder::EncodeJournalHeader(TwoStreams());
    const std::uint8_t bad = data[at++];
    const std::size_t records = std::min<std::size_t>(64, size - at) / 4 * 4;
    journalBytes.insert(journalBytes.end(), data + at, data + at + records);
    at += records;
    if (bad != 255) badSpot = (size - at) * bad / 256;
  }
  fuzzing::MemorySource journal(journalBytes);
  const auto header = recorder::ReadJournalHeader(journal);
  if (!header) return 0;
  const std::vector<std::uint8_t> before(data + at, data + size);
  fuzzing::MemoryTarget file(before, badSpot);
  const recorder::RepairResult r = recorder::RepairAvi(file, journal, *header);
  if (r.frames > r.slots || r.slots > r.chunks || r.frames < 0) std::abort();
  switch (r.outcome) {
  case recorder::RepairOutcome::Mended: {
    if (recorder::CheckAviWhole(file) != recorder::AviCheck::Whole) std::abort();
    const auto once = file.bytes;
    fuzzing::MemoryTarget again(once, ~0ull);
    const recorder::RepairResult second = recorder::RepairAvi(again, journal, *header);
    if (second.outcome != recorder::RepairOutcome::AlreadyWhole || again.writes != 0 ||
        second.frames != r.frames)
      std::abort();
    break;
  }
  case recorder::RepairOutcome::WriteFailed:
    break;
  default:
    if (file.writes != 0 || file.bytes != before) std::abort();
  }
  return 0;
}
