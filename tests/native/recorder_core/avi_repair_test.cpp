// Mending files that AVIFile never closed, laid out as it leaves them: zeros where the headers go,
// then one chunk per slot ("00db"/"00dc", empty for a slot without a frame), the last one
// possibly cut short.
#include "recorder/core/avi_repair.h"
#include "recorder/core/fourcc.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace recorder;

namespace {

class MemoryFile : public RepairTarget {
public:
  std::uint64_t Size() override { return bytes.size(); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    if (offset + n > bytes.size()) return false;
    std::memcpy(data, bytes.data() + offset, n);
    return true;
  }
  bool Write(std::uint64_t offset, const void* data, std::size_t n) override {
    if (failWrites) return false;
    if (offset + n > bytes.size()) bytes.resize(offset + n);
    std::memcpy(bytes.data() + offset, data, n);
    return true;
  }
  bool SetSize(std::uint64_t size) override {
    bytes.resize(size);
    return true;
  }
  void Chunk(const char (&id)[5], std::uint32_t size, std::uint8_t fill) {
    U32(FourCC(id));
    U32(size);
    bytes.insert(bytes.end(), size + (size & 1), fill);
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::uint32_t At(std::uint64_t offset) const {
    std::uint32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
  }
  std::vector<std::uint8_t> bytes;
  bool failWrites = false;
};

Journal TestJournal(std::vector<std::uint32_t> flags) {
  Journal j;
  j.header.aviPath = u"C:\\clips\\clip.avi";
  j.header.rate = 10;
  j.header.scale = 1;
  j.header.handler = FourCC("MSVC");
  j.header.width = 64;
  j.header.height = 48;
  j.header.format.assign(40, 0);
  j.header.format[0] = 40;
  j.frameFlags = std::move(flags);
  return j;
}

// Offset of the first occurrence of a fourcc in the file (chunk ids, list types).
std::uint64_t Find(const MemoryFile& f, const char (&id)[5]) {
  for (std::uint64_t off = 0; off + 4 <= f.bytes.size(); off += 2)
    if (f.At(off) == FourCC(id)) return off;
  return 0;
}

} // namespace

TEST(AviRepair, HeadersAndIndexComeBackForEveryWholeChunk) {
  MemoryFile f;
  f.bytes.assign(2048, 0); // AVIFile's room for the headers
  f.Chunk("00db", 100, 1);
  f.Chunk("00dc", 0, 0); // a slot without a frame
  f.Chunk("00dc", 37, 2);
  f.Chunk("00dc", 60, 3);
  const std::uint64_t whole = f.bytes.size();
  f.Chunk("00dc", 500, 4);
  f.bytes.resize(f.bytes.size() - 300); // the process ended while writing this one

  const RepairResult r = RepairAvi(f, TestJournal({kIndexKeyFrame, 0}));
  ASSERT_EQ(r.outcome, RepairOutcome::Mended);
  EXPECT_EQ(r.frames, 3);
  EXPECT_EQ(r.slots, 4);
  ASSERT_EQ(f.At(0), FourCC("RIFF"));
  EXPECT_EQ(f.At(4), f.bytes.size() - 8);
  EXPECT_EQ(f.At(8), FourCC("AVI "));
  const std::uint64_t movi = Find(f, "movi") - 8;
  EXPECT_EQ(movi, 2048u - 12);
  EXPECT_EQ(f.At(movi), FourCC("LIST"));
  EXPECT_EQ(movi + 8 + f.At(movi + 4), whole) << "the cut chunk is gone";
  const auto avih = Find(f, "avih") + 8;
  EXPECT_EQ(f.At(avih), 100000u) << "microseconds per frame";
  EXPECT_EQ(f.At(avih + 16), 4u) << "slots";
  EXPECT_EQ(f.At(avih + 32), 64u);
  const auto strh = Find(f, "strh") + 8;
  EXPECT_EQ(f.At(strh), FourCC("vids"));
  EXPECT_EQ(f.At(strh + 4), FourCC("MSVC"));
  EXPECT_EQ(f.At(strh + 20), 1u);
  EXPECT_EQ(f.At(strh + 24), 10u);
  EXPECT_EQ(f.At(strh + 32), 4u) << "length in slots";
  EXPECT_EQ(f.At(Find(f, "strf") + 4), 40u);
  // One index entry per slot, offsets from the "movi" fourcc, flags from the journal; the frame
  // past the journal's records is no key frame.
  const auto idx1 = Find(f, "idx1");
  ASSERT_EQ(f.At(idx1 + 4), 4u * 16);
  EXPECT_EQ(idx1 + 8 + 4 * 16, f.bytes.size());
  const std::uint32_t want[4][4] = {{FourCC("00db"), kIndexKeyFrame, 4, 100},
                                    {FourCC("00dc"), 0, 112, 0},
                                    {FourCC("00dc"), 0, 120, 37},
                                    {FourCC("00dc"), 0, 166, 60}};
  for (int e = 0; e < 4; ++e)
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(f.At(idx1 + 8 + 16 * e + 4 * k), want[e][k]) << e << "," << k;

  // Mending again (the program ended during the first mend) gives the same file.
  const auto once = f.bytes;
  EXPECT_EQ(RepairAvi(f, TestJournal({kIndexKeyFrame, 0})).frames, 3);
  EXPECT_EQ(f.bytes, once);
}

TEST(AviRepair, FilesNotLaidOutByARecordingAreLeftAlone) {
  MemoryFile text;
  text.bytes.assign(4096, 'x');
  EXPECT_EQ(RepairAvi(text, TestJournal({})).outcome, RepairOutcome::NotRecorded);
  EXPECT_EQ(text.bytes, std::vector<std::uint8_t>(4096, 'x'));

  MemoryFile noFrames;
  noFrames.bytes.assign(2048, 0);
  EXPECT_EQ(RepairAvi(noFrames, TestJournal({})).outcome, RepairOutcome::NotRecorded);

  // Too little room before the first chunk for the headers.
  MemoryFile cramped;
  cramped.bytes.assign(100, 0);
  cramped.Chunk("00dc", 10, 1);
  const auto before = cramped.bytes;
  EXPECT_EQ(RepairAvi(cramped, TestJournal({kIndexKeyFrame})).outcome, RepairOutcome::NoRoom);
  EXPECT_EQ(cramped.bytes, before);

  MemoryFile locked;
  locked.bytes.assign(2048, 0);
  locked.Chunk("00dc", 10, 1);
  locked.failWrites = true;
  EXPECT_EQ(RepairAvi(locked, TestJournal({kIndexKeyFrame})).outcome, RepairOutcome::WriteFailed);
}

TEST(Journal, RoundTripsAndDropsARecordCutShort) {
  Journal j = TestJournal({});
  j.header.volumeSerial = 0xCAFE;
  j.header.fileIndex = 0x1234567890ull;
  std::vector<std::uint8_t> bytes = EncodeJournalHeader(j.header);
  for (std::uint32_t flags : {kIndexKeyFrame, 0u, 0u}) {
    auto record = EncodeFrameRecord(flags);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  bytes.push_back(0x10); // a record cut short
  auto read = DecodeJournal(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->header, j.header);
  EXPECT_EQ(read->frameFlags, (std::vector<std::uint32_t>{kIndexKeyFrame, 0, 0}));
  for (size_t cut : {size_t{0}, size_t{11}, bytes.size() / 2})
    EXPECT_FALSE(DecodeJournal(std::span(bytes).first(cut))) << cut;
  bytes[0] ^= 1;
  EXPECT_FALSE(DecodeJournal(bytes));
}
