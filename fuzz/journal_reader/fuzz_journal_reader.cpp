// Any bytes either are no journal or give a header whose streams are within bounds, and every
// stream's records read out without fault, no more of them than the journal has room for.
#include "fuzz/fuzz_memory.h"
#include "recorder/core/recording_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::MemorySource journal(std::vector<std::uint8_t>(data, data + size));
  const auto header = recorder::ReadJournalHeader(journal);
  if (!header) return 0;
  if (header->streams.empty() || header->streams.size() > recorder::kMaxJournalStreams ||
      header->recordsOffset > size)
    std::abort();
  std::uint64_t records = 0;
  for (std::size_t s = 0; s <= header->streams.size(); ++s) {
    recorder::JournalRecords stream(journal, *header, static_cast<std::uint16_t>(s));
    while (const auto record = stream.Next()) {
      if (header->RecordsEveryChunk() && (record->flags > 0xFFFF || !record->bytes)) std::abort();
      ++records;
    }
  }
  if (records > (size - header->recordsOffset) / 4) std::abort();
  // What is read back encodes to the same header.
  const auto again = recorder::EncodeJournalHeader(*header);
  if (header->RecordsEveryChunk() &&
      (again.size() != header->recordsOffset || std::memcmp(again.data(), data, again.size()) != 0))
    std::abort();
  return 0;
}
