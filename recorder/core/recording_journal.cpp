#include "recorder/core/recording_journal.h"

#include "recorder/core/fourcc.h"
#include "recorder/core/little_endian.h"

namespace recorder {

namespace {

constexpr std::uint32_t kJournalMagic = FourCC("RJNL");
// Guards against lengths no journal can have (a damaged file).
constexpr std::uint32_t kMaxFieldBytes = 1 << 20;

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
  bool Bytes(std::vector<std::uint8_t>& out, size_t n) {
    if (bytes_.size() - pos_ < n) return false;
    out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
               bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
  }
  size_t Position() const { return pos_; }

private:
  std::span<const std::uint8_t> bytes_;
  size_t pos_ = 0;
};

} // namespace

std::vector<std::uint8_t> EncodeJournalHeader(const JournalHeader& h) {
  LittleEndianBytes w;
  w.U32(kJournalMagic);
  w.U32(kJournalVersion);
  w.U32(0); // header length, filled in below
  w.U32(h.volumeSerial);
  w.U64(h.fileIndex);
  w.U32(h.rate);
  w.U32(h.scale);
  w.U32(h.handler);
  w.U32(static_cast<std::uint32_t>(h.width));
  w.U32(static_cast<std::uint32_t>(h.height));
  w.U32(static_cast<std::uint32_t>(h.format.size()));
  w.Append(h.format);
  w.U32(static_cast<std::uint32_t>(h.aviPath.size()));
  for (char16_t c : h.aviPath)
    w.U16(c);
  w.PutU32(8, static_cast<std::uint32_t>(w.data.size()));
  return w.data;
}

std::vector<std::uint8_t> EncodeFrameRecord(std::uint32_t flags) {
  LittleEndianBytes w;
  w.U32(flags);
  return w.data;
}

std::optional<Journal> DecodeJournal(std::span<const std::uint8_t> bytes) {
  Reader r(bytes);
  std::uint32_t magic = 0, version = 0, headerLength = 0, formatBytes = 0, pathUnits = 0;
  if (!r.U32(magic) || magic != kJournalMagic || !r.U32(version) || version != kJournalVersion ||
      !r.U32(headerLength) || headerLength > bytes.size())
    return std::nullopt;
  Journal j;
  JournalHeader& h = j.header;
  if (!r.U32(h.volumeSerial) || !r.U64(h.fileIndex) || !r.U32(h.rate) || !r.U32(h.scale) ||
      !r.U32(h.handler) || !r.I32(h.width) || !r.I32(h.height) || !r.U32(formatBytes) ||
      formatBytes > kMaxFieldBytes || !r.Bytes(h.format, formatBytes) || !r.U32(pathUnits) ||
      pathUnits > kMaxFieldBytes)
    return std::nullopt;
  std::vector<std::uint8_t> path;
  if (!r.Bytes(path, size_t{pathUnits} * 2) || r.Position() != headerLength) return std::nullopt;
  for (size_t i = 0; i < path.size(); i += 2)
    h.aviPath.push_back(static_cast<char16_t>(path[i] | path[i + 1] << 8));
  std::uint32_t flags = 0;
  while (r.U32(flags))
    j.frameFlags.push_back(flags);
  return j;
}

} // namespace recorder
