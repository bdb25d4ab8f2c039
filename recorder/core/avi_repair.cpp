#include "recorder/core/avi_repair.h"

#include "recorder/core/fourcc.h"
#include "recorder/core/little_endian.h"

#include <algorithm>
#include <vector>

namespace recorder {

namespace {

constexpr std::uint32_t kRiff = FourCC("RIFF"), kAvi = FourCC("AVI "), kList = FourCC("LIST"),
                        kHdrl = FourCC("hdrl"), kAvih = FourCC("avih"), kStrl = FourCC("strl"),
                        kStrh = FourCC("strh"), kStrf = FourCC("strf"), kMovi = FourCC("movi"),
                        kIdx1 = FourCC("idx1"), kJunk = FourCC("JUNK");
// Chunks of the recording's one stream: a compressed frame, an uncompressed one, and a palette
// change (kept in the file but not a slot of the timeline).
constexpr std::uint32_t kCompressedChunk = FourCC("00dc"), kUncompressedChunk = FourCC("00db"),
                        kPaletteChunk = FourCC("00pc");
// Main header flag: the file has an index.
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kAvihBytes = 56, kStrhBytes = 56, kChunkHeader = 8, kIndexEntry = 16;
// Where the first chunk is looked for: AVIFile reserves a few kilobytes for the headers.
constexpr std::size_t kHeadScan = 1 << 20;
// RIFF sizes are 32-bit.
constexpr std::uint64_t kLargestRiff = 0xFFFFFFFFull;

bool IsFrameChunk(std::uint32_t id) {
  return id == kCompressedChunk || id == kUncompressedChunk;
}

struct Chunk {
  std::uint32_t id;
  std::uint64_t offset; // of the chunk header
  std::uint32_t size;
};

// Offset of the first complete frame chunk in the head of the file, or 0.
std::uint64_t FirstChunk(const std::vector<std::uint8_t>& head, std::uint64_t fileSize) {
  for (std::size_t off = 12; off + kChunkHeader <= head.size(); off += 2) {
    const std::uint32_t id = LoadU32(&head[off]);
    if (IsFrameChunk(id) && off + kChunkHeader + LoadU32(&head[off + 4]) <= fileSize) return off;
  }
  return 0;
}

// The chunks from `first` on, up to the last one that lies whole in the file; `end` becomes the
// offset after it. The walk stops at anything else (an index, zeros, a chunk cut short).
std::vector<Chunk> WalkChunks(RepairTarget& file, std::uint64_t first, std::uint64_t& end) {
  std::vector<Chunk> chunks;
  const std::uint64_t size = file.Size();
  std::uint64_t off = first;
  std::uint8_t header[kChunkHeader];
  while (off + kChunkHeader <= size && file.Read(off, header, sizeof header)) {
    const std::uint32_t id = LoadU32(header), bytes = LoadU32(header + 4);
    const std::uint64_t next = off + kChunkHeader + bytes + (bytes & 1);
    const bool known = IsFrameChunk(id) || id == kJunk || id == kPaletteChunk;
    if (!known || off + kChunkHeader + bytes > size) break;
    if (IsFrameChunk(id)) chunks.push_back({id, off, bytes});
    off = next; // a pad byte missing at the very end is written with the index
  }
  end = off;
  return chunks;
}

std::vector<std::uint8_t> Headers(const JournalHeader& j, std::uint32_t slots,
                                  std::uint32_t largestChunk, std::uint32_t riffSize) {
  const std::uint32_t scale = j.scale ? j.scale : 1, rate = j.rate ? j.rate : 1;
  const auto strfBytes = static_cast<std::uint32_t>(j.format.size());
  const std::uint32_t strlBytes =
      4 + kChunkHeader + kStrhBytes + kChunkHeader + strfBytes + (strfBytes & 1);
  const std::uint32_t hdrlBytes = 4 + kChunkHeader + kAvihBytes + kChunkHeader + strlBytes;
  LittleEndianBytes b;
  b.U32(kRiff);
  b.U32(riffSize);
  b.U32(kAvi);
  b.U32(kList);
  b.U32(hdrlBytes);
  b.U32(kHdrl);
  b.U32(kAvih);
  b.U32(kAvihBytes);
  b.U32(static_cast<std::uint32_t>(1000000ull * scale / rate)); // microseconds per frame
  b.U32(static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::uint64_t{largestChunk} * rate / scale, 0xFFFFFFFFu)));
  b.U32(0); // padding granularity
  b.U32(kHasIndex);
  b.U32(slots);
  b.U32(0); // initial frames
  b.U32(1); // streams
  b.U32(largestChunk);
  b.U32(static_cast<std::uint32_t>(j.width));
  b.U32(static_cast<std::uint32_t>(j.height));
  for (int i = 0; i < 4; ++i)
    b.U32(0); // reserved
  b.U32(kList);
  b.U32(strlBytes);
  b.U32(kStrl);
  b.U32(kStrh);
  b.U32(kStrhBytes);
  b.U32(kStreamTypeVideo);
  b.U32(j.handler);
  b.U32(0); // flags
  b.U16(0); // priority
  b.U16(0); // language
  b.U32(0); // initial frames
  b.U32(scale);
  b.U32(rate);
  b.U32(0); // start
  b.U32(slots);
  b.U32(largestChunk);
  b.U32(0xFFFFFFFFu); // quality: the compressor's default
  b.U32(0);           // sample size: varies
  b.U16(0);
  b.U16(0);
  b.U16(static_cast<std::uint16_t>(j.width));
  b.U16(static_cast<std::uint16_t>(j.height));
  b.U32(kStrf);
  b.U32(strfBytes);
  b.Append(j.format);
  if (strfBytes & 1) b.data.push_back(0);
  return b.data;
}

} // namespace

RepairResult RepairAvi(RepairTarget& file, const Journal& journal) {
  RepairResult result;
  const std::uint64_t size = file.Size();
  std::vector<std::uint8_t> head(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadScan)));
  if (head.size() < 12 || !file.Read(0, head.data(), head.size())) return result;
  // AVIFile's reserved room is zeros until the file is closed; a file killed while being closed
  // may have its headers already. Anything else is not a file this program recorded.
  const std::uint32_t start = LoadU32(head.data());
  if (start != 0 && !(start == kRiff && LoadU32(&head[8]) == kAvi)) return result;
  const std::uint64_t first = FirstChunk(head, size);
  if (first == 0) return result;

  std::uint64_t end = 0;
  const std::vector<Chunk> chunks = WalkChunks(file, first, end);
  const std::uint64_t indexBytes = std::uint64_t{kIndexEntry} * chunks.size();
  const std::uint64_t fileEnd = end + kChunkHeader + indexBytes;
  if (fileEnd > kLargestRiff) return result;

  // Every chunk is a slot of the timeline; empty ones are slots that got no frame. The journal
  // holds the flags of the frames in the order they were written.
  LittleEndianBytes index;
  index.U32(kIdx1);
  index.U32(static_cast<std::uint32_t>(indexBytes));
  std::uint32_t largest = 0;
  const std::uint64_t moviFourCC = first - 4;
  for (const Chunk& c : chunks) {
    std::uint32_t flags = 0;
    if (c.size > 0) {
      const auto frame = static_cast<std::size_t>(result.frames++);
      flags = frame < journal.frameFlags.size() ? journal.frameFlags[frame]
                                                : (frame == 0 ? kIndexKeyFrame : 0);
    }
    largest = std::max(largest, c.size);
    index.U32(c.id);
    index.U32(flags);
    index.U32(static_cast<std::uint32_t>(c.offset - moviFourCC));
    index.U32(c.size);
  }
  result.slots = static_cast<std::int64_t>(chunks.size());

  // Headers, then a JUNK chunk up to the "movi" list's header right before the first chunk.
  std::vector<std::uint8_t> headers =
      Headers(journal.header, static_cast<std::uint32_t>(chunks.size()), largest,
              static_cast<std::uint32_t>(fileEnd - kChunkHeader));
  const std::uint64_t moviList = first - 12;
  if (headers.size() > moviList) {
    result.outcome = RepairOutcome::NoRoom;
    return result;
  }
  const std::uint64_t gap = moviList - headers.size();
  if (gap > 0 && gap < kChunkHeader) {
    result.outcome = RepairOutcome::NoRoom;
    return result;
  }
  if (gap > 0) {
    LittleEndianBytes junk;
    junk.U32(kJunk);
    junk.U32(static_cast<std::uint32_t>(gap - kChunkHeader));
    headers.insert(headers.end(), junk.data.begin(), junk.data.end());
    headers.resize(static_cast<std::size_t>(moviList), 0);
  }
  LittleEndianBytes movi;
  movi.U32(kList);
  movi.U32(static_cast<std::uint32_t>(end - moviList - kChunkHeader));
  movi.U32(kMovi);
  headers.insert(headers.end(), movi.data.begin(), movi.data.end());

  // The index first and the headers last: a repair cut short is done again at the next start.
  result.outcome = RepairOutcome::WriteFailed;
  if (!file.Write(end, index.data.data(), index.data.size()) || !file.SetSize(fileEnd) ||
      !file.Write(0, headers.data(), headers.size()))
    return result;
  result.outcome = RepairOutcome::Mended;
  return result;
}

} // namespace recorder
