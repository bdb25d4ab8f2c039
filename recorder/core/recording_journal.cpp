#include "recorder/core/recording_journal.h"

#include "recorder/core/fourcc.h"
#include "recorder/core/little_endian.h"

#include <algorithm>
#include <span>

namespace recorder {

namespace {

constexpr std::uint32_t kJournalMagic = FourCC("RJNL");
constexpr std::uint32_t kFirstVersion = 1;
// The magic, the version and the header length.
constexpr std::size_t kLeadBytes = 12;
// Records of version 1 (flags) and of version 2 (stream and flags, size).
constexpr std::size_t kFirstRecordBytes = 4, kRecordBytes = 8;
// Guards against lengths no journal can have (a damaged file).
constexpr std::uint32_t kMaxFormatBytes = 1 << 16;
constexpr std::uint32_t kMaxPathUnits = 1 << 15;
constexpr std::uint32_t kMaxHeaderBytes = 2 << 20;
// Records are read this many at a time.
constexpr std::size_t kRecordsPerBlock = 16384;

class Reader {
public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool U32(std::uint32_t& v) {
    if (bytes_.size() - pos_ < 4) return false;
    v = LoadU32(&bytes_[pos_]);
    pos_ += 4;
    return true;
  }
  bool U64(std::uint64_t& v) {
    std::uint32_t low = 0, high = 0;
    if (!U32(low) || !U32(high)) return false;
    v = (static_cast<std::uint64_t>(high) << 32) | low;
    return true;
  }
  bool I32(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!U32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool Bytes(std::vector<std::uint8_t>& out, std::size_t n) {
    if (bytes_.size() - pos_ < n) return false;
    out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
               bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
  }
  bool Format(std::vector<std::uint8_t>& out) {
    std::uint32_t n = 0;
    return U32(n) && n <= kMaxFormatBytes && Bytes(out, n);
  }
  bool Path(std::u16string& out) {
    std::uint32_t units = 0;
    std::vector<std::uint8_t> path;
    if (!U32(units) || units > kMaxPathUnits || !Bytes(path, std::size_t{units} * 2)) return false;
    for (std::size_t i = 0; i < path.size(); i += 2)
      out.push_back(static_cast<char16_t>(path[i] | path[i + 1] << 8));
    return true;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

bool DecodeVersion1(Reader& r, JournalHeader& h) {
  JournalStream s;
  s.type = kStreamTypeVideo;
  if (!r.U32(h.volumeSerial) || !r.U64(h.fileIndex) || !r.U32(s.rate) || !r.U32(s.scale) ||
      !r.U32(s.handler) || !r.I32(s.width) || !r.I32(s.height) || !r.Format(s.format) ||
      !r.Path(h.aviPath))
    return false;
  h.streams.push_back(std::move(s));
  return true;
}

bool DecodeVersion2(Reader& r, JournalHeader& h) {
  std::uint32_t count = 0;
  if (!r.U32(h.volumeSerial) || !r.U64(h.fileIndex) || !r.U64(h.fileWrittenAtStart) ||
      !r.U64(h.journalStarted) || !r.Path(h.aviPath) || !r.U32(count) || count == 0 ||
      count > kMaxJournalStreams)
    return false;
  h.streams.resize(count);
  for (JournalStream& s : h.streams)
    if (!r.U32(s.type) || !r.U32(s.handler) || !r.U32(s.rate) || !r.U32(s.scale) ||
        !r.U32(s.sampleSize) || !r.I32(s.width) || !r.I32(s.height) || !r.Format(s.format))
      return false;
  return true;
}

} // namespace

bool WrittenAfterRecording(const JournalHeader& journal, std::uint64_t journalWritten,
                           std::uint64_t fileWritten) {
  const auto file = static_cast<std::int64_t>(fileWritten);
  const auto written = static_cast<std::int64_t>(journalWritten);
  if (journal.fileWrittenAtStart == 0 || journal.journalStarted == 0)
    return file > written + kLaterWriteAllowed;
  const std::int64_t recordingLasted =
      std::max<std::int64_t>(written - static_cast<std::int64_t>(journal.journalStarted), 0);
  const std::int64_t fileLasted = file - static_cast<std::int64_t>(journal.fileWrittenAtStart);
  return fileLasted > recordingLasted + kLaterWriteAllowed;
}

std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& h) {
  LittleEndianBytes w;
  w.U32(kJournalMagic);
  w.U32(kJournalVersion);
  w.U32(0); // header length, filled in below
  w.U32(h.volumeSerial);
  w.U64(h.fileIndex);
  w.U64(h.fileWrittenAtStart);
  w.U64(h.journalStarted);
  w.U32(static_cast<std::uint32_t>(h.aviPath.size()));
  for (char16_t c : h.aviPath)
    w.U16(c);
  w.U32(static_cast<std::uint32_t>(h.streams.size()));
  for (const JournalStream& s : h.streams) {
    w.U32(s.type);
    w.U32(s.handler);
    w.U32(s.rate);
    w.U32(s.scale);
    w.U32(s.sampleSize);
    w.U32(static_cast<std::uint32_t>(s.width));
    w.U32(static_cast<std::uint32_t>(s.height));
    w.U32(static_cast<std::uint32_t>(s.format.size()));
    w.Append(s.format);
  }
  w.PutU32(8, static_cast<std::uint32_t>(w.data.size()));
  return w.data;
}

std::vector<std::uint8_t> EncodeJournalRecord(std::uint16_t stream, std::uint32_t flags,
                                              std::uint32_t bytes) {
  LittleEndianBytes w;
  w.U32(static_cast<std::uint32_t>(stream) << 16 | (flags & 0xFFFF));
  w.U32(bytes);
  return w.data;
}

std::optional<JournalHeader> ReadJournalHeader(ByteSource& journal) {
  const std::uint64_t size = journal.Size();
  std::uint8_t lead[kLeadBytes];
  if (size < kLeadBytes || !journal.Read(0, lead, sizeof lead)) return std::nullopt;
  const std::uint32_t version = LoadU32(lead + 4), length = LoadU32(lead + 8);
  if (LoadU32(lead) != kJournalMagic || version < kFirstVersion || version > kJournalVersion ||
      length < kLeadBytes || length > kMaxHeaderBytes || length > size)
    return std::nullopt;
  std::vector<std::uint8_t> bytes(length - kLeadBytes);
  if (!bytes.empty() && !journal.Read(kLeadBytes, bytes.data(), bytes.size())) return std::nullopt;
  JournalHeader h;
  h.version = version;
  h.recordsOffset = length;
  Reader r(bytes);
  const bool decoded = version == kFirstVersion ? DecodeVersion1(r, h) : DecodeVersion2(r, h);
  if (!decoded || !r.AtEnd()) return std::nullopt;
  return h;
}

JournalRecords::JournalRecords(ByteSource& journal, const JournalHeader& header,
                               std::uint16_t stream)
    : journal_(journal), stream_(stream), version1_(!header.RecordsEveryChunk()),
      recordBytes_(version1_ ? kFirstRecordBytes : kRecordBytes), next_(header.recordsOffset) {
  const std::uint64_t size = journal.Size();
  end_ = size < next_ ? next_ : next_ + (size - next_) / recordBytes_ * recordBytes_;
}

bool JournalRecords::Fill() {
  if (next_ >= end_) return false;
  const std::size_t bytes = static_cast<std::size_t>(
      std::min<std::uint64_t>(end_ - next_, kRecordsPerBlock * recordBytes_));
  block_.resize(bytes);
  at_ = 0;
  if (!journal_.Read(next_, block_.data(), bytes)) {
    block_.clear();
    next_ = end_;
    return false;
  }
  next_ += bytes;
  return true;
}

std::optional<ChunkRecord> JournalRecords::Next() {
  if (version1_ && stream_ != 0) return std::nullopt;
  for (;;) {
    if (at_ == block_.size() && !Fill()) return std::nullopt;
    const std::uint32_t word = LoadU32(&block_[at_]);
    if (version1_) {
      at_ += recordBytes_;
      return ChunkRecord{word, std::nullopt};
    }
    const std::uint32_t bytes = LoadU32(&block_[at_ + 4]);
    at_ += recordBytes_;
    if (word >> 16 == stream_) return ChunkRecord{word & 0xFFFF, bytes};
  }
}

} // namespace recorder
