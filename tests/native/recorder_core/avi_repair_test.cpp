// Mending files that AVIFile never closed, laid out as it leaves them: zeros where the headers go,
// then one chunk per slot ("00db"/"00dc", empty for a slot without a frame; "01wb" for sound),
// the last one possibly cut short. ffprobe reads what the mend leaves, where it is installed.
#include "recorder/core/avi_repair.h"
#include "recorder/core/fourcc.h"
#include "recorder/core/recording_end.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

using namespace recorder;

namespace {

class MemoryFile : public RepairTarget {
public:
  std::uint64_t Size() override { return bytes.size(); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    if (offset + n > bytes.size() || (offset < badSpot + 1 && offset + n > badSpot)) return false;
    std::memcpy(data, bytes.data() + offset, n);
    return true;
  }
  bool Write(std::uint64_t offset, const void* data, std::size_t n) override {
    if (writesLeft-- == 0) return false;
    if (onFirstWrite) std::exchange(onFirstWrite, nullptr)(*this);
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
  std::uint64_t badSpot = ~0ull;                 // reads covering this offset fail
  int writesLeft = -1;                           // writes that succeed (-1: all)
  std::function<void(MemoryFile&)> onFirstWrite; // the file changes as the mend begins to write
};

// A 4 x 2 picture of 32-bit pixels (rawvideo for ffprobe) and, with `sound`, 8 kHz mono PCM.
JournalHeader TestHeader(bool sound = false) {
  JournalHeader h;
  h.aviPath = u"C:\\clips\\clip.avi";
  JournalStream video;
  video.type = kStreamTypeVideo;
  video.rate = 10;
  video.handler = 0;
  video.width = 4;
  video.height = 2;
  video.format = {40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 32, 0};
  video.format.resize(40, 0);
  h.streams.push_back(video);
  if (sound) {
    JournalStream audio;
    audio.type = FourCC("auds");
    audio.rate = 8000;
    audio.scale = 1;
    audio.sampleSize = 2;
    // WAVE_FORMAT_PCM, 1 channel, 8000 Hz, 16000 bytes/s, block 2, 16 bits, no extra bytes.
    audio.format = {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 0, 0};
    h.streams.push_back(audio);
  }
  return h;
}

// The journal's bytes as a recording leaves them: the header and a record per chunk.
class MemoryJournal : public ByteSource {
public:
  explicit MemoryJournal(const JournalHeader& h) : bytes(EncodeJournalHeader(h)) {}
  std::uint64_t Size() override { return bytes.size(); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    if (offset + n > bytes.size()) return false;
    std::memcpy(data, bytes.data() + offset, n);
    return true;
  }
  MemoryJournal& Record(std::uint16_t stream, std::uint32_t flags, std::uint32_t size) {
    const auto r = EncodeJournalRecord(stream, flags, size);
    bytes.insert(bytes.end(), r.begin(), r.end());
    return *this;
  }
  JournalHeader Header() {
    auto h = ReadJournalHeader(*this);
    EXPECT_TRUE(h);
    return h ? *h : JournalHeader{};
  }
  std::vector<std::uint8_t> bytes;
};

RepairResult Mend(MemoryFile& f, MemoryJournal& j) {
  return RepairAvi(f, j, j.Header());
}

// Offset of the first occurrence of a fourcc in the file (chunk ids, list types).
std::uint64_t Find(const MemoryFile& f, const char (&id)[5]) {
  for (std::uint64_t off = 0; off + 4 <= f.bytes.size(); off += 2)
    if (f.At(off) == FourCC(id)) return off;
  return 0;
}

// ffprobe's "stream,length,packets" lines for a file, or empty without ffprobe.
std::string Probe(const MemoryFile& f, const std::string& name) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(f.bytes.data()),
             static_cast<std::streamsize>(f.bytes.size()));
  std::FILE* p = ::popen(("ffprobe -v error -count_packets -show_entries "
                          "stream=codec_type,nb_frames,nb_read_packets -of csv=p=0 '" +
                          path + "' 2>/dev/null")
                             .c_str(),
                         "r");
  std::string out;
  char line[256];
  while (p && std::fgets(line, sizeof line, p))
    out += line;
  if (p) ::pclose(p);
  return out;
}

bool HaveFfprobe() {
  return std::system("ffprobe -version >/dev/null 2>&1") == 0;
}

} // namespace

// Every whole chunk gets its index entry, with the flags the journal recorded for it; empty "no
// change" frames have records of their own and shift no later flag.
TEST(AviRepair, HeadersAndIndexComeBackForEveryWholeChunk) {
  MemoryFile f;
  f.bytes.assign(2048, 0); // AVIFile's room for the headers
  f.Chunk("00db", 32, 1);
  f.Chunk("00dc", 0, 0); // a slot without a frame
  f.Chunk("00dc", 32, 2);
  f.Chunk("00dc", 32, 3);
  const std::uint64_t whole = f.bytes.size();
  f.Chunk("00dc", 500, 4);
  f.bytes.resize(f.bytes.size() - 300); // the process ended while writing this one
  MemoryJournal j(TestHeader());
  j.Record(0, kIndexKeyFrame, 32).Record(0, 0, 0).Record(0, 0, 32).Record(0, kIndexKeyFrame, 32);

  const RepairResult r = Mend(f, j);
  ASSERT_EQ(r.outcome, RepairOutcome::Mended);
  EXPECT_EQ(r.frames, 3);
  EXPECT_EQ(r.slots, 4);
  ASSERT_EQ(f.At(0), FourCC("RIFF"));
  EXPECT_EQ(f.At(4), f.bytes.size() - 8);
  EXPECT_EQ(f.At(8), FourCC("AVI "));
  const std::uint64_t movi = Find(f, "movi") - 8;
  EXPECT_EQ(movi, 2048u - 12);
  EXPECT_EQ(movi + 8 + f.At(movi + 4), whole) << "the cut chunk is gone";
  const auto avih = Find(f, "avih") + 8;
  EXPECT_EQ(f.At(avih), 100000u) << "microseconds per frame";
  EXPECT_EQ(f.At(avih + 16), 4u) << "slots";
  EXPECT_EQ(f.At(avih + 24), 1u) << "streams";
  const auto strh = Find(f, "strh") + 8;
  EXPECT_EQ(f.At(strh), FourCC("vids"));
  EXPECT_EQ(f.At(strh + 24), 10u);
  EXPECT_EQ(f.At(strh + 32), 4u) << "length in slots";
  const auto idx1 = Find(f, "idx1");
  ASSERT_EQ(f.At(idx1 + 4), 4u * 16);
  EXPECT_EQ(idx1 + 8 + 4 * 16, f.bytes.size());
  const std::uint32_t want[4][4] = {{FourCC("00db"), kIndexKeyFrame, 4, 32},
                                    {FourCC("00dc"), 0, 44, 0},
                                    {FourCC("00dc"), 0, 52, 32},
                                    {FourCC("00dc"), kIndexKeyFrame, 92, 32}};
  for (int e = 0; e < 4; ++e)
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(f.At(idx1 + 8 + 16 * e + 4 * k), want[e][k]) << e << "," << k;
  EXPECT_EQ(CheckAviWhole(f), AviCheck::Whole);
  if (HaveFfprobe()) {
    EXPECT_EQ(Probe(f, "mended.avi"), "video,4,3\n");
  }

  // Mending again (the program ended after the first mend) finds it whole and leaves it.
  const auto once = f.bytes;
  const RepairResult again = Mend(f, j);
  EXPECT_EQ(again.outcome, RepairOutcome::AlreadyWhole);
  EXPECT_EQ(again.frames, 3);
  EXPECT_EQ(f.bytes, once);
}

// A mend cut short (only the index made it) is done again, to the same file.
TEST(AviRepair, AMendCutShortIsDoneAgain) {
  MemoryFile f;
  f.bytes.assign(2048, 0);
  for (int i = 0; i < 5; ++i)
    f.Chunk("00dc", i == 2 ? 0 : 32, static_cast<std::uint8_t>(i + 1));
  MemoryFile whole = f;
  MemoryJournal j(TestHeader());
  for (int i = 0; i < 5; ++i)
    j.Record(0, i == 0 ? kIndexKeyFrame : 0, i == 2 ? 0 : 32);
  ASSERT_EQ(Mend(whole, j).outcome, RepairOutcome::Mended);
  for (int writes : {0, 1, 2}) {
    MemoryFile cut = f;
    cut.writesLeft = writes;
    EXPECT_EQ(Mend(cut, j).outcome, RepairOutcome::WriteFailed) << writes;
    EXPECT_EQ(CheckAviWhole(cut), AviCheck::Unfinished);
    cut.writesLeft = -1;
    EXPECT_EQ(Mend(cut, j).outcome, RepairOutcome::Mended) << writes;
    EXPECT_EQ(cut.bytes, whole.bytes) << writes;
  }
}

// The index is written from a second walk over the chunks: when that walk does not find what the
// first one found (the file changed meanwhile, or a read failed only this time), the headers are
// not written, and the file is mended as it is at the next start.
TEST(AviRepair, ASecondWalkThatDisagreesWritesNoHeaders) {
  MemoryJournal j(TestHeader());
  MemoryFile recording;
  recording.bytes.assign(2048, 0);
  for (int i = 0; i < 4; ++i) {
    recording.Chunk("00dc", 32, 7);
    j.Record(0, i == 0 ? kIndexKeyFrame : 0, 32);
  }
  const std::uint64_t third = 2048 + 2 * 40;
  const std::pair<const char*, std::function<void(MemoryFile&)>> changes[] = {
      {"a read fails", [=](MemoryFile& f) { f.badSpot = third + 2; }},
      {"a chunk shrank", [=](MemoryFile& f) { f.bytes[third + 4] = 16; }}};
  for (const auto& [what, change] : changes) {
    MemoryFile f = recording;
    f.onFirstWrite = change;
    EXPECT_EQ(Mend(f, j).outcome, RepairOutcome::ReadFailed) << what;
    EXPECT_EQ(CheckAviWhole(f), AviCheck::Unfinished) << what;
    EXPECT_EQ(f.At(0), 0u) << what << ": no headers";
  }
}

// Nothing is written unless the walk ended cleanly and the file is laid out as this journal's
// recording: a read that fails, zeros or a foreign chunk amid the frames, a size that only fits
// in 64 bits, headers of another format, a first chunk of a stream the journal does not have.
TEST(AviRepair, FilesItCannotMendKeepEveryByte) {
  MemoryJournal j(TestHeader());
  j.Record(0, kIndexKeyFrame, 32);
  const auto untouched = [&](MemoryFile f, RepairOutcome want, const char* what) {
    const auto before = f.bytes;
    EXPECT_EQ(Mend(f, j).outcome, want) << what;
    EXPECT_EQ(f.bytes, before) << what;
  };
  MemoryFile recording;
  recording.bytes.assign(2048, 0);
  for (int i = 0; i < 4; ++i)
    recording.Chunk("00dc", 32, 7);

  MemoryFile badRead = recording;
  badRead.badSpot = 2048 + 3 * 40 + 2; // inside the fourth chunk's header
  untouched(badRead, RepairOutcome::ReadFailed, "a read failed");
  MemoryFile zeros = recording;
  zeros.bytes.insert(zeros.bytes.end(), 64, 0);
  zeros.Chunk("00dc", 32, 7);
  untouched(zeros, RepairOutcome::Damaged, "zeros amid the frames");
  MemoryFile otherSizes;
  otherSizes.bytes.assign(2048, 0);
  otherSizes.Chunk("00dc", 40, 7);
  untouched(otherSizes, RepairOutcome::NotRecorded, "chunks of sizes the journal did not record");
  MemoryFile foreign = recording;
  foreign.Chunk("01wb", 8, 1);
  untouched(foreign, RepairOutcome::Damaged, "a chunk of a stream the journal has not");
  MemoryFile huge;
  huge.bytes.assign(2048, 0);
  huge.U32(FourCC("00dc"));
  huge.U32(0xFFFFFFF0u);
  huge.bytes.resize(4096);
  untouched(huge, RepairOutcome::NothingRecorded, "a first chunk larger than the file");
  MemoryFile text;
  text.bytes.assign(4096, 'x');
  untouched(text, RepairOutcome::NotRecorded, "text");
  MemoryFile noFrames;
  noFrames.bytes.assign(2048, 0);
  untouched(noFrames, RepairOutcome::NothingRecorded, "only the room for the headers");
  MemoryFile otherStream;
  otherStream.bytes.assign(2048, 0);
  otherStream.Chunk("01wb", 32, 1);
  untouched(otherStream, RepairOutcome::NotRecorded, "a first chunk of another stream");
  MemoryFile elsewhere;
  elsewhere.bytes.assign(2000, 0);
  elsewhere.Chunk("00dc", 32, 1);
  untouched(elsewhere, RepairOutcome::NotRecorded, "a first chunk where AVIFile puts none");
  MemoryJournal large(TestHeader());
  JournalHeader largeFormat = large.Header();
  largeFormat.streams[0].format.resize(2100);
  MemoryFile cramped = recording;
  const auto crampedBefore = cramped.bytes;
  EXPECT_EQ(RepairAvi(cramped, large, largeFormat).outcome, RepairOutcome::NoRoom);
  EXPECT_EQ(cramped.bytes, crampedBefore) << "too little room for the headers";

  // A finished AVI of another format that took the take's place.
  MemoryFile other = recording;
  MemoryJournal otherJournal(TestHeader());
  JournalHeader otherHeader = otherJournal.Header();
  otherHeader.streams[0].format[14] = 24;
  ASSERT_EQ(RepairAvi(other, otherJournal, otherHeader).outcome, RepairOutcome::Mended);
  untouched(other, RepairOutcome::NotRecorded, "headers of another format");
}

// Sound is a stream of its own: two "strl" lists, its length in samples, every chunk of both
// streams in the index, in the order written.
TEST(AviRepair, SoundAndPictureComeBackTogether) {
  MemoryFile f;
  f.bytes.assign(4096, 0);
  for (int i = 0; i < 6; ++i) {
    f.Chunk("00dc", i == 3 ? 0 : 32, static_cast<std::uint8_t>(i));
    f.Chunk("01wb", 1600, 0x10); // 100 ms of sound
  }
  MemoryJournal j(TestHeader(true));
  for (int i = 0; i < 6; ++i)
    j.Record(0, i == 0 || i == 4 ? kIndexKeyFrame : 0, i == 3 ? 0 : 32)
        .Record(1, kIndexKeyFrame, 1600);
  const RepairResult r = Mend(f, j);
  ASSERT_EQ(r.outcome, RepairOutcome::Mended);
  EXPECT_EQ(r.frames, 5);
  EXPECT_EQ(r.slots, 6);
  EXPECT_EQ(r.chunks, 12);
  EXPECT_EQ(f.At(Find(f, "avih") + 8 + 24), 2u) << "streams";
  const auto audio = Find(f, "auds");
  ASSERT_NE(audio, 0u);
  EXPECT_EQ(f.At(audio + 32), 6u * 800) << "length in samples";
  EXPECT_EQ(f.At(audio + 44), 2u) << "sample size";
  const auto idx1 = Find(f, "idx1");
  ASSERT_EQ(f.At(idx1 + 4), 12u * 16);
  EXPECT_EQ(f.At(idx1 + 8 + 16), FourCC("01wb"));
  EXPECT_EQ(f.At(idx1 + 8 + 16 + 4), kIndexKeyFrame);
  EXPECT_EQ(f.At(idx1 + 8 + 8 * 16 + 4), kIndexKeyFrame) << "the fifth frame's own flag";
  if (HaveFfprobe()) {
    EXPECT_EQ(Probe(f, "with-sound.avi"), "video,6,5\naudio,4800,6\n");
  }
}

// A version 1 journal (one video stream, a record per frame with data) still mends its file.
TEST(AviRepair, OlderJournalsStillMend) {
  std::vector<std::uint8_t> v1;
  const auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      v1.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const JournalHeader h = TestHeader();
  for (std::uint32_t v : {FourCC("RJNL"), 1u, 0u, 0xCAFEu, 0x90u, 0x12u, 10u, 1u, 0u, 4u, 2u})
    u32(v);
  u32(40);
  v1.insert(v1.end(), h.streams[0].format.begin(), h.streams[0].format.end());
  u32(2);
  for (char c : {'C', ':'}) {
    v1.push_back(static_cast<std::uint8_t>(c));
    v1.push_back(0);
  }
  const auto length = static_cast<std::uint32_t>(v1.size());
  std::memcpy(&v1[8], &length, 4);
  u32(kIndexKeyFrame);
  u32(0);
  u32(kIndexKeyFrame);
  MemoryJournal j(h);
  j.bytes = v1;
  const JournalHeader read = j.Header();
  EXPECT_EQ(read.version, 1u);
  EXPECT_EQ(read.aviPath, u"C:");
  EXPECT_EQ(read.fileIndex, 0x1200000090ull);
  ASSERT_EQ(read.streams.size(), 1u);
  EXPECT_EQ(read.streams[0].format, h.streams[0].format);
  MemoryFile f;
  f.bytes.assign(2048, 0);
  for (std::uint32_t size : {32u, 0u, 32u, 32u})
    f.Chunk("00dc", size, 1);
  ASSERT_EQ(Mend(f, j).outcome, RepairOutcome::Mended);
  const auto idx1 = Find(f, "idx1") + 8;
  for (int e = 0; e < 4; ++e)
    EXPECT_EQ(f.At(idx1 + 16 * e + 4), (e == 0 || e == 3) ? kIndexKeyFrame : 0u) << e;
}

TEST(Journal, RoundTripsPerStreamAndDropsARecordCutShort) {
  MemoryJournal j(TestHeader(true));
  JournalHeader want = TestHeader(true);
  want.volumeSerial = 0xCAFE;
  want.fileIndex = 0x1234567890ull;
  want.fileWrittenAtStart = 0x01D9000011112222ull;
  want.journalStarted = 0x01D9000033334444ull;
  j.bytes = EncodeJournalHeader(want);
  j.Record(0, kIndexKeyFrame, 10).Record(1, kIndexKeyFrame, 20).Record(0, 0, 0).Record(0, 0, 30);
  j.bytes.push_back(0x10); // a record cut short
  JournalHeader read = j.Header();
  want.recordsOffset = read.recordsOffset;
  EXPECT_EQ(read, want);
  JournalRecords video(j, read, 0), sound(j, read, 1), none(j, read, 2);
  EXPECT_EQ(video.Next(), (ChunkRecord{kIndexKeyFrame, 10}));
  EXPECT_EQ(video.Next(), (ChunkRecord{0, 0}));
  EXPECT_EQ(video.Next(), (ChunkRecord{0, 30}));
  EXPECT_EQ(video.Next(), std::nullopt);
  EXPECT_EQ(sound.Next(), (ChunkRecord{kIndexKeyFrame, 20}));
  EXPECT_EQ(sound.Next(), std::nullopt);
  EXPECT_EQ(none.Next(), std::nullopt);
  for (size_t cut :
       {size_t{0}, size_t{11}, size_t{40}, static_cast<size_t>(read.recordsOffset - 1)}) {
    MemoryJournal shorter = j;
    shorter.bytes.resize(cut);
    EXPECT_FALSE(ReadJournalHeader(shorter)) << cut;
  }
  j.bytes[0] ^= 1;
  EXPECT_FALSE(ReadJournalHeader(j));
}

// A file closed by AVIFile is whole; one whose close did not get to write the index, or whose
// RIFF size runs past its end, is not.
TEST(AviCheck, TellsAWholeFileFromOneCutShort) {
  MemoryFile f;
  f.bytes.assign(2048, 0);
  f.Chunk("00dc", 32, 1);
  EXPECT_EQ(CheckAviWhole(f), AviCheck::Unfinished);
  MemoryJournal j(TestHeader());
  ASSERT_EQ(Mend(f, j).outcome, RepairOutcome::Mended);
  EXPECT_EQ(CheckAviWhole(f), AviCheck::Whole);
  MemoryFile noIndex = f;
  noIndex.bytes.resize(noIndex.bytes.size() - 16);
  EXPECT_EQ(CheckAviWhole(noIndex), AviCheck::Unfinished);
  MemoryFile unreadable = f;
  unreadable.badSpot = 2040;
  EXPECT_EQ(CheckAviWhole(unreadable), AviCheck::ReadFailed);
}

// A file's volume may keep another time than ours (a server's clock an hour ahead): only a write
// later than the recording lasted counts as someone else's.
TEST(Journal, AFileWrittenSinceIsToldByItsOwnClock) {
  constexpr std::uint64_t kMinute = 60ull * 10'000'000, kStart = 0x01D9000000000000ull;
  JournalHeader h = TestHeader();
  h.journalStarted = kStart;
  h.fileWrittenAtStart = kStart + 60 * kMinute; // the server is an hour ahead
  const std::uint64_t journalEnd = kStart + 10 * kMinute;
  EXPECT_FALSE(WrittenAfterRecording(h, journalEnd, h.fileWrittenAtStart + 10 * kMinute));
  EXPECT_FALSE(
      WrittenAfterRecording(h, journalEnd, h.fileWrittenAtStart + 10 * kMinute + kMinute / 2));
  EXPECT_TRUE(WrittenAfterRecording(h, journalEnd, h.fileWrittenAtStart + 12 * kMinute));
  // An older journal knows only our clock.
  h.fileWrittenAtStart = 0;
  EXPECT_FALSE(WrittenAfterRecording(h, journalEnd, journalEnd + kMinute / 2));
  EXPECT_TRUE(WrittenAfterRecording(h, journalEnd, journalEnd + 2 * kMinute));
}

// A file whose close failed is never said to be saved: what became of it is told instead.
TEST(AviCheck, ARecordingWhoseCloseFailedIsNotSaidToBeSaved) {
  const std::vector<std::wstring> closed = {L"The file \"x.avi\" could not be finished ..."};
  EXPECT_EQ(EndNotice(StopCause::DiskFull, 10, closed),
            L"The disk is almost full, so the recording was stopped.\n\n" + closed[0]);
  EXPECT_EQ(EndNotice(StopCause::Requested, 10, closed), closed[0]);
  EXPECT_EQ(EndNotice(StopCause::DiskFull, 10, {}),
            L"The disk is almost full, so the recording was stopped. Everything recorded until "
            L"now has been saved.");
  EXPECT_EQ(EndNotice(StopCause::SoundWriteFailed, 10, {}),
            L"The recording was stopped because its sound could not be written. Everything "
            L"recorded until now has been saved.");
}
