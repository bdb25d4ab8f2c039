#include "recorder/core/avi_repair.h"

#include "recorder/core/fourcc.h"
#include "recorder/core/little_endian.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace recorder {

namespace {

constexpr std::uint32_t kRiff = FourCC("RIFF"), kAvi = FourCC("AVI "), kList = FourCC("LIST"),
                        kHdrl = FourCC("hdrl"), kAvih = FourCC("avih"), kStrl = FourCC("strl"),
                        kStrh = FourCC("strh"), kStrf = FourCC("strf"), kMovi = FourCC("movi"),
                        kIdx1 = FourCC("idx1"), kJunk = FourCC("JUNK");
// Main header flag: the file has an index.
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kAvihBytes = 56, kStrhBytes = 56, kChunkHeader = 8, kIndexEntry = 16,
                        kListHeader = 12;
// Where the first chunk is looked for: AVIFile reserves a few kilobytes for the headers, in
// whole blocks of 2 KB, and puts the first chunk (or the "movi" list header before it) at the
// end of that room.
constexpr std::size_t kHeadScan = 1 << 20;
constexpr std::size_t kRoomBlock = 2048;
// RIFF sizes are 32-bit.
constexpr std::uint64_t kLargestRiff = 0xFFFFFFFFull;
// Chunk headers are read in blocks of this size; index entries are written this many at a time.
constexpr std::size_t kReadBlock = 1 << 16;
constexpr std::size_t kIndexBlockEntries = 4096;
// How often the walk reports its progress, in chunks.
constexpr std::int64_t kProgressEvery = 1 << 16;

enum class ChunkKind { Frame, Sound, Palette, Other };

struct ChunkId {
  ChunkKind kind = ChunkKind::Other;
  std::uint16_t stream = 0;
};

int HexDigit(std::uint32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// "NNdc", "NNdb", "NNwb", "NNpc" of a stream NN (two hex digits) the journal has.
ChunkId Classify(std::uint32_t id, std::size_t streams) {
  const int high = HexDigit(id & 0xFF), low = HexDigit((id >> 8) & 0xFF);
  if (high < 0 || low < 0) return {};
  const auto stream = static_cast<std::uint16_t>(high * 16 + low);
  if (stream >= streams) return {};
  const std::uint32_t type = id >> 16;
  const auto two = [](const char(&t)[3]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(t[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[1])) << 8;
  };
  if (type == two("dc") || type == two("db")) return {ChunkKind::Frame, stream};
  if (type == two("wb")) return {ChunkKind::Sound, stream};
  if (type == two("pc")) return {ChunkKind::Palette, stream};
  return {};
}

// Chunk headers read through a block buffer: the walk reads 8 bytes at offsets that mostly lie
// close together (empty chunks are just their header).
class HeaderReader {
public:
  explicit HeaderReader(ByteSource& file) : file_(file), size_(file.Size()) {}
  std::uint64_t Size() const { return size_; }
  bool Read(std::uint64_t offset, std::uint8_t (&out)[kChunkHeader]) {
    if (offset < start_ || offset + kChunkHeader > start_ + block_.size()) {
      const auto bytes =
          static_cast<std::size_t>(std::min<std::uint64_t>(kReadBlock, size_ - offset));
      block_.resize(bytes);
      start_ = offset;
      if (!file_.Read(offset, block_.data(), bytes)) {
        block_.clear();
        // A bad spot elsewhere in the block need not be in this header.
        return file_.Read(offset, out, kChunkHeader);
      }
    }
    std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(offset - start_), kChunkHeader, out);
    return true;
  }

private:
  ByteSource& file_;
  const std::uint64_t size_;
  std::vector<std::uint8_t> block_;
  std::uint64_t start_ = 0;
};

struct Chunk {
  std::uint32_t id = 0;
  ChunkId what;
  std::uint64_t offset = 0; // of the chunk header
  std::uint32_t size = 0;
};

enum class WalkStop { End, CutShort, Index, Foreign, ReadFailed };

struct WalkEnd {
  WalkStop stop = WalkStop::End;
  std::uint64_t end = 0; // after the last whole chunk: where the index goes
};

// Visits the chunks from `first` on, up to the last one that lies whole in the file (JUNK is
// passed over), and says why the walk ended.
template <class Visit>
WalkEnd Walk(HeaderReader& reader, std::uint64_t first, std::size_t streams, Visit&& visit) {
  const std::uint64_t size = reader.Size();
  std::uint64_t off = first;
  std::uint8_t header[kChunkHeader];
  for (;;) {
    if (off + kChunkHeader > size) return {WalkStop::End, off};
    if (!reader.Read(off, header)) return {WalkStop::ReadFailed, off};
    const std::uint32_t id = LoadU32(header), bytes = LoadU32(header + 4);
    if (id == kIdx1) return {WalkStop::Index, off};
    const ChunkId what = Classify(id, streams);
    if (what.kind == ChunkKind::Other && id != kJunk) return {WalkStop::Foreign, off};
    if (off + kChunkHeader + bytes > size) return {WalkStop::CutShort, off};
    if (what.kind != ChunkKind::Other && !visit(Chunk{id, what, off, bytes}))
      return {WalkStop::ReadFailed, off};
    // A pad byte missing at the very end is written with the index.
    off += kChunkHeader + std::uint64_t{bytes} + (bytes & 1);
  }
}

struct StreamCount {
  std::uint64_t chunks = 0, bytes = 0;
  std::uint32_t largest = 0;
};

// Where the first chunk lies, or why the file is not one to mend.
struct FirstChunk {
  RepairOutcome refusal = RepairOutcome::Mended;
  std::uint64_t offset = 0;
};

bool IsChunkOf(const std::uint8_t* at, std::size_t streams) {
  return Classify(LoadU32(at), streams).kind != ChunkKind::Other;
}

// The head as AVIFile leaves it before the close: zeros, then the first chunk (or the "movi"
// list header right before it).
FirstChunk AfterZeros(const std::vector<std::uint8_t>& head, std::uint64_t fileSize,
                      std::size_t streams) {
  const auto nonZero = std::find_if(head.begin(), head.end(), [](std::uint8_t b) { return b; });
  if (nonZero == head.end())
    return {fileSize <= head.size() ? RepairOutcome::NothingRecorded : RepairOutcome::NotRecorded};
  const auto p = static_cast<std::size_t>(nonZero - head.begin());
  if (p % 2 != 0 || p + kListHeader > head.size()) return {RepairOutcome::NotRecorded};
  std::size_t first = p;
  if (LoadU32(&head[p]) == kList && LoadU32(&head[p + 8]) == kMovi) {
    first = p + kListHeader;
    if (first + kChunkHeader <= head.size() && !IsChunkOf(&head[first], streams))
      return {RepairOutcome::NotRecorded};
  } else if (p < kListHeader || !IsChunkOf(&head[p], streams)) {
    return {RepairOutcome::NotRecorded};
  }
  if (first % kRoomBlock != 0 && (first - kListHeader) % kRoomBlock != 0)
    return {RepairOutcome::NotRecorded};
  return {RepairOutcome::Mended, first};
}

// Headers that AVIFile or an earlier mend wrote: each stream's type and format must be the
// journal's, and the "movi" list must follow them.
FirstChunk AfterHeaders(const std::vector<std::uint8_t>& head, const JournalHeader& journal) {
  const auto u32 = [&](std::uint64_t at) -> std::optional<std::uint32_t> {
    if (at + 4 > head.size()) return std::nullopt;
    return LoadU32(&head[static_cast<std::size_t>(at)]);
  };
  if (u32(0) != kRiff || u32(8) != kAvi || u32(12) != kList || u32(20) != kHdrl)
    return {RepairOutcome::NotRecorded};
  const std::uint64_t hdrlEnd = 20 + std::uint64_t{*u32(16)};
  std::size_t stream = 0;
  std::uint64_t at = 24;
  while (at + kChunkHeader <= hdrlEnd) {
    const auto id = u32(at), bytes = u32(at + 4);
    if (!id || !bytes) return {RepairOutcome::NotRecorded};
    if (*id == kList && u32(at + 8) == kStrl) {
      if (stream >= journal.streams.size()) return {RepairOutcome::NotRecorded};
      const JournalStream& want = journal.streams[stream++];
      const std::uint64_t strh = at + kListHeader;
      const auto strhBytes = u32(strh + 4);
      if (u32(strh) != kStrh || !strhBytes || u32(strh + 8) != want.type)
        return {RepairOutcome::NotRecorded};
      const std::uint64_t strf = strh + kChunkHeader + std::uint64_t{*strhBytes};
      const auto strfBytes = u32(strf + 4);
      if (u32(strf) != kStrf || strfBytes != want.format.size() ||
          strf + kChunkHeader + *strfBytes > head.size() ||
          !std::equal(want.format.begin(), want.format.end(),
                      head.begin() + static_cast<std::ptrdiff_t>(strf + kChunkHeader)))
        return {RepairOutcome::NotRecorded};
    }
    at += kChunkHeader + std::uint64_t{*bytes} + (*bytes & 1);
  }
  if (stream != journal.streams.size()) return {RepairOutcome::NotRecorded};
  at = hdrlEnd + (hdrlEnd & 1);
  for (;;) {
    const auto id = u32(at), bytes = u32(at + 4);
    if (!id || !bytes) return {RepairOutcome::NotRecorded};
    if (*id == kList && u32(at + 8) == kMovi) return {RepairOutcome::Mended, at + kListHeader};
    if (*id != kJunk) return {RepairOutcome::NotRecorded};
    at += kChunkHeader + std::uint64_t{*bytes} + (*bytes & 1);
  }
}

FirstChunk FindFirstChunk(ByteSource& file, const JournalHeader& journal) {
  const std::uint64_t size = file.Size();
  if (size == 0) return {RepairOutcome::NothingRecorded};
  std::vector<std::uint8_t> head(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadScan)));
  if (!file.Read(0, head.data(), head.size())) return {RepairOutcome::ReadFailed};
  if (head.size() >= 4 && LoadU32(head.data()) == kRiff) return AfterHeaders(head, journal);
  if (head[0] == 0) return AfterZeros(head, size, journal.streams.size());
  return {RepairOutcome::NotRecorded};
}

std::vector<std::uint8_t> Headers(const JournalHeader& j, const std::vector<StreamCount>& counts,
                                  std::uint32_t riffSize) {
  const JournalStream& video = j.streams.front();
  const auto scaleOf = [](const JournalStream& s) { return s.scale ? s.scale : 1; };
  const auto rateOf = [](const JournalStream& s) { return s.rate ? s.rate : 1; };
  const auto clamp32 = [](std::uint64_t v) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(v, 0xFFFFFFFFu));
  };
  std::uint32_t largest = 0;
  for (const StreamCount& c : counts)
    largest = std::max(largest, c.largest);
  std::uint64_t strls = 0;
  for (const JournalStream& s : j.streams)
    strls += kListHeader + kChunkHeader + kStrhBytes + kChunkHeader + s.format.size() +
             (s.format.size() & 1);
  LittleEndianBytes b;
  b.U32(kRiff);
  b.U32(riffSize);
  b.U32(kAvi);
  b.U32(kList);
  b.U32(clamp32(4 + kChunkHeader + kAvihBytes + strls));
  b.U32(kHdrl);
  b.U32(kAvih);
  b.U32(kAvihBytes);
  b.U32(clamp32(1000000ull * scaleOf(video) / rateOf(video))); // microseconds per frame
  b.U32(clamp32(std::uint64_t{largest} * rateOf(video) / scaleOf(video)));
  b.U32(0); // padding granularity
  b.U32(kHasIndex);
  b.U32(clamp32(counts.front().chunks)); // frames, empty slots included
  b.U32(0);                              // initial frames
  b.U32(static_cast<std::uint32_t>(j.streams.size()));
  b.U32(largest);
  b.U32(static_cast<std::uint32_t>(video.width));
  b.U32(static_cast<std::uint32_t>(video.height));
  for (int i = 0; i < 4; ++i)
    b.U32(0); // reserved
  for (std::size_t n = 0; n < j.streams.size(); ++n) {
    const JournalStream& s = j.streams[n];
    const StreamCount& c = counts[n];
    const auto strfBytes = static_cast<std::uint32_t>(s.format.size());
    b.U32(kList);
    b.U32(4 + kChunkHeader + kStrhBytes + kChunkHeader + strfBytes + (strfBytes & 1));
    b.U32(kStrl);
    b.U32(kStrh);
    b.U32(kStrhBytes);
    b.U32(s.type);
    b.U32(s.handler);
    b.U32(0); // flags
    b.U16(0); // priority
    b.U16(0); // language
    b.U32(0); // initial frames
    b.U32(scaleOf(s));
    b.U32(rateOf(s));
    b.U32(0); // start
    b.U32(clamp32(s.sampleSize ? c.bytes / s.sampleSize : c.chunks));
    b.U32(c.largest);
    b.U32(0xFFFFFFFFu); // quality: the compressor's default
    b.U32(s.sampleSize);
    b.U16(0);
    b.U16(0);
    b.U16(static_cast<std::uint16_t>(s.width));
    b.U16(static_cast<std::uint16_t>(s.height));
    b.U32(kStrf);
    b.U32(strfBytes);
    b.Append(s.format);
    if (strfBytes & 1) b.data.push_back(0);
  }
  return b.data;
}

// The index entries, written to the file in blocks after the "idx1" header at `at`; flags come
// from each stream's journal records.
class IndexWriter {
public:
  IndexWriter(RepairTarget& file, ByteSource& journal, const JournalHeader& header,
              std::uint64_t at, std::uint64_t moviFourCC)
      : file_(file), everyChunk_(header.RecordsEveryChunk()), next_(at + kChunkHeader),
        moviFourCC_(moviFourCC), firstFrame_(header.streams.size(), true) {
    records_.reserve(header.streams.size());
    for (std::size_t n = 0; n < header.streams.size(); ++n)
      records_.emplace_back(journal, header, static_cast<std::uint16_t>(n));
  }

  bool Add(const Chunk& c) {
    entries_.U32(c.id);
    entries_.U32(Flags(c));
    entries_.U32(static_cast<std::uint32_t>(c.offset - moviFourCC_));
    entries_.U32(c.size);
    return entries_.data.size() < kIndexBlockEntries * kIndexEntry || Flush();
  }

  bool Flush() {
    if (entries_.data.empty()) return true;
    if (!file_.Write(next_, entries_.data.data(), entries_.data.size())) return false;
    next_ += entries_.data.size();
    entries_.data.clear();
    return true;
  }

private:
  std::uint32_t Flags(const Chunk& c) {
    if (c.what.kind == ChunkKind::Palette) return kIndexNoTime;
    const bool first = c.size > 0 && c.what.kind == ChunkKind::Frame && firstFrame_[c.what.stream];
    if (c.size > 0 && c.what.kind == ChunkKind::Frame) firstFrame_[c.what.stream] = false;
    // Older journals have records only for frames with data.
    if (!everyChunk_ && c.size == 0) return 0;
    if (const auto record = records_[c.what.stream].Next()) return record->flags;
    // Past the journal's records: sound is always a key frame, as is a stream's first frame.
    return c.what.kind == ChunkKind::Sound || first ? kIndexKeyFrame : 0;
  }

  RepairTarget& file_;
  const bool everyChunk_;
  std::uint64_t next_;
  const std::uint64_t moviFourCC_;
  std::vector<JournalRecords> records_;
  std::vector<bool> firstFrame_;
  LittleEndianBytes entries_;
};

// The mend's progress over its two walks: the first is the first half of the work.
struct ProgressReport {
  const RepairProgress& progress;
  std::uint64_t total = 0;
  void operator()(std::uint64_t done) const {
    if (progress) progress(done, total);
  }
};

// What the first walk found: each stream's chunks, and where the last whole chunk ends.
struct Survey {
  std::vector<StreamCount> counts;
  WalkEnd end;
};

// First walk: what the file holds, and whether its chunks are the ones the journal recorded.
// Frames, slots and chunks are counted into `result`; a file not to mend gives its refusal.
std::optional<RepairOutcome> SurveyChunks(HeaderReader& reader, ByteSource& journal,
                                          const JournalHeader& header, std::uint64_t first,
                                          const ProgressReport& report, Survey& survey,
                                          RepairResult& result) {
  const std::size_t streams = header.streams.size();
  survey.counts.assign(streams, StreamCount{});
  std::vector<JournalRecords> records;
  records.reserve(streams);
  for (std::size_t n = 0; n < streams; ++n)
    records.emplace_back(journal, header, static_cast<std::uint16_t>(n));
  bool foreignChunk = false;
  survey.end = Walk(reader, first, streams, [&](const Chunk& c) {
    if (c.what.kind != ChunkKind::Palette && header.RecordsEveryChunk()) {
      const auto record = records[c.what.stream].Next();
      if (record && record->bytes != c.size) {
        foreignChunk = true;
        return false;
      }
    }
    StreamCount& s = survey.counts[c.what.stream];
    ++s.chunks;
    s.bytes += c.size;
    s.largest = std::max(s.largest, c.size);
    if (c.what.stream == 0 && c.what.kind == ChunkKind::Frame) {
      ++result.slots;
      if (c.size > 0) ++result.frames;
    }
    if (++result.chunks % kProgressEvery == 0) report(c.offset);
    return true;
  });
  if (foreignChunk) return RepairOutcome::NotRecorded;
  if (survey.end.stop == WalkStop::ReadFailed) return RepairOutcome::ReadFailed;
  if (survey.end.stop == WalkStop::Foreign) return RepairOutcome::Damaged;
  if (result.chunks == 0) return RepairOutcome::NothingRecorded;
  return std::nullopt;
}

// A file whose headers and index are whole needs no mend; one that cannot be read is not mended.
std::optional<RepairOutcome> WholeAlready(ByteSource& file) {
  switch (CheckAviWhole(file)) {
  case AviCheck::Whole:
    return RepairOutcome::AlreadyWhole;
  case AviCheck::ReadFailed:
    return RepairOutcome::ReadFailed;
  case AviCheck::Unfinished:
    break;
  }
  return std::nullopt;
}

// The mended file's head: its headers, a JUNK chunk up to the "movi" list's header right before
// the first chunk, and that list header. Nothing where the headers do not fit in the room.
std::optional<std::vector<std::uint8_t>> MendedHead(const JournalHeader& header,
                                                    const Survey& survey, std::uint64_t fileEnd,
                                                    std::uint64_t moviList) {
  std::vector<std::uint8_t> head =
      Headers(header, survey.counts, static_cast<std::uint32_t>(fileEnd - kChunkHeader));
  const std::uint64_t gap = moviList >= head.size() ? moviList - head.size() : 0;
  if (head.size() > moviList || (gap > 0 && gap < kChunkHeader)) return std::nullopt;
  if (gap > 0) {
    LittleEndianBytes junk;
    junk.U32(kJunk);
    junk.U32(static_cast<std::uint32_t>(gap - kChunkHeader));
    head.insert(head.end(), junk.data.begin(), junk.data.end());
    head.resize(static_cast<std::size_t>(moviList), 0);
  }
  LittleEndianBytes movi;
  movi.U32(kList);
  movi.U32(static_cast<std::uint32_t>(survey.end.end - moviList - kChunkHeader));
  movi.U32(kMovi);
  head.insert(head.end(), movi.data.begin(), movi.data.end());
  return head;
}

// Second walk: the index, after the last whole chunk. Mended when every chunk of the first walk
// was indexed again; a file that changed under the mend, or a read that failed this time, is
// ReadFailed.
RepairOutcome WriteIndex(RepairTarget& file, ByteSource& journal, const JournalHeader& header,
                         std::uint64_t first, const Survey& survey, std::int64_t chunks,
                         const ProgressReport& report) {
  const std::uint64_t at = survey.end.end;
  LittleEndianBytes indexHeader;
  indexHeader.U32(kIdx1);
  indexHeader.U32(static_cast<std::uint32_t>(std::uint64_t{kIndexEntry} * std::uint64_t(chunks)));
  if (!file.Write(at, indexHeader.data.data(), indexHeader.data.size()))
    return RepairOutcome::WriteFailed;
  IndexWriter index(file, journal, header, at, first - 4);
  std::int64_t indexed = 0;
  bool written = true;
  HeaderReader reader(file);
  const WalkEnd end = Walk(reader, first, header.streams.size(), [&](const Chunk& c) {
    if (c.offset >= at) return false;
    if (++indexed % kProgressEvery == 0) report(report.total / 2 + c.offset);
    written = index.Add(c);
    return written;
  });
  if (!written || !index.Flush()) return RepairOutcome::WriteFailed;
  if (indexed != chunks || end.end != at) return RepairOutcome::ReadFailed;
  return RepairOutcome::Mended;
}

} // namespace

RepairResult RepairAvi(RepairTarget& file, ByteSource& journal, const JournalHeader& header,
                       const RepairProgress& progress) {
  RepairResult result;
  if (header.streams.empty() || header.streams.size() > kMaxJournalStreams) return result;
  const FirstChunk first = FindFirstChunk(file, header);
  if (first.refusal != RepairOutcome::Mended) {
    result.outcome = first.refusal;
    return result;
  }
  HeaderReader reader(file);
  const ProgressReport report{progress, 2 * reader.Size()};
  Survey survey;
  std::optional<RepairOutcome> refusal =
      SurveyChunks(reader, journal, header, first.offset, report, survey, result);
  if (!refusal) refusal = WholeAlready(file);
  const std::uint64_t indexBytes = std::uint64_t{kIndexEntry} * std::uint64_t(result.chunks);
  const std::uint64_t fileEnd = survey.end.end + kChunkHeader + indexBytes;
  if (!refusal && fileEnd - kChunkHeader > kLargestRiff) refusal = RepairOutcome::Damaged;
  std::optional<std::vector<std::uint8_t>> head;
  if (!refusal) head = MendedHead(header, survey, fileEnd, first.offset - kListHeader);
  if (!refusal && !head) refusal = RepairOutcome::NoRoom;
  if (refusal) {
    result.outcome = *refusal;
    return result;
  }
  // The index goes first and the headers last, so a mend cut short finds the index as the walk's
  // end and is done again.
  result.outcome = WriteIndex(file, journal, header, first.offset, survey, result.chunks, report);
  if (result.outcome != RepairOutcome::Mended) return result;
  if (!file.SetSize(fileEnd) || !file.Write(0, head->data(), head->size())) {
    result.outcome = RepairOutcome::WriteFailed;
    return result;
  }
  report(report.total);
  return result;
}

AviCheck CheckAviWhole(ByteSource& file) {
  const std::uint64_t size = file.Size();
  std::uint8_t header[kListHeader];
  if (size < kListHeader) return AviCheck::Unfinished;
  if (!file.Read(0, header, sizeof header)) return AviCheck::ReadFailed;
  const std::uint64_t riffEnd = kChunkHeader + std::uint64_t{LoadU32(header + 4)};
  if (LoadU32(header) != kRiff || LoadU32(header + 8) != kAvi || riffEnd > size)
    return AviCheck::Unfinished;
  // The top-level chunks in order: "LIST" "hdrl", then "LIST" "movi", then "idx1", each within
  // the RIFF chunk; JUNK and other chunks may lie between them.
  const std::array<std::uint32_t, 3> wanted = {kHdrl, kMovi, kIdx1};
  std::size_t found = 0;
  std::uint64_t at = kListHeader;
  while (found < wanted.size() && at + kListHeader <= riffEnd) {
    if (!file.Read(at, header, sizeof header)) return AviCheck::ReadFailed;
    const std::uint32_t id = LoadU32(header), bytes = LoadU32(header + 4);
    const std::uint64_t next = at + kChunkHeader + std::uint64_t{bytes};
    if (next > riffEnd) return AviCheck::Unfinished;
    const std::uint32_t what = id == kList ? LoadU32(header + 8) : id;
    if (what == wanted[found]) {
      if (what == kIdx1 && bytes % kIndexEntry != 0) return AviCheck::Unfinished;
      ++found;
    } else if (what == kHdrl || what == kMovi || what == kIdx1) {
      return AviCheck::Unfinished;
    }
    at = next + (bytes & 1);
  }
  // An empty index (a file without chunks) may be the last 8 bytes.
  if (found == 2 && at + kChunkHeader <= riffEnd) {
    if (!file.Read(at, header, kChunkHeader)) return AviCheck::ReadFailed;
    if (LoadU32(header) == kIdx1 && LoadU32(header + 4) == 0) ++found;
  }
  return found == wanted.size() ? AviCheck::Whole : AviCheck::Unfinished;
}

} // namespace recorder
