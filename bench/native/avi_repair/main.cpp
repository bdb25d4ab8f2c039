// Mending a long take: writes an unfinished recording of CHUNKS chunks (one in every 50 a frame
// of 2 KB, the rest empty slots, as a screen that rarely changes leaves at 1 ms per frame) and
// its journal into FOLDER, mends the file on disk and prints the time, the file's sizes and the
// peak resident memory of the process, which stays the same whatever the take's length.
//   avi_repair_bench [CHUNKS] [FOLDER]      (default 10,000,000 chunks in /tmp)
#include "recorder/core/avi_repair.h"
#include "recorder/core/fourcc.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <vector>

using namespace recorder;

namespace {

class DiskFile : public RepairTarget {
public:
  explicit DiskFile(const std::string& path) : fd_(::open(path.c_str(), O_RDWR)) {}
  ~DiskFile() override { ::close(fd_); }
  std::uint64_t Size() override { return static_cast<std::uint64_t>(::lseek(fd_, 0, SEEK_END)); }
  bool Read(std::uint64_t offset, void* data, std::size_t n) override {
    return ::pread(fd_, data, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
  }
  bool Write(std::uint64_t offset, const void* data, std::size_t n) override {
    return ::pwrite(fd_, data, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
  }
  bool SetSize(std::uint64_t size) override {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
  }

private:
  int fd_;
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Resident memory now, from /proc/self/statm.
long ResidentKb() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKb() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
  const long long chunks = argc > 1 ? std::atoll(argv[1]) : 10'000'000;
  const std::string folder = argc > 2 ? argv[2] : "/tmp";
  const std::string avi = folder + "/long-take.avi", journalPath = folder + "/long-take.journal";
  constexpr std::uint32_t kFrameBytes = 2048;
  constexpr long long kFrameEvery = 50;

  JournalHeader header;
  header.aviPath = u"C:\\long-take.avi";
  JournalStream video;
  video.type = kStreamTypeVideo;
  video.handler = FourCC("MSVC");
  video.rate = 1000;
  video.width = 1280;
  video.height = 1024;
  video.format.assign(40, 0);
  video.format[0] = 40;
  header.streams.push_back(video);
  {
    std::FILE* f = std::fopen(avi.c_str(), "wb");
    std::FILE* j = std::fopen(journalPath.c_str(), "wb");
    const auto head = EncodeJournalHeader(header);
    std::fwrite(head.data(), 1, head.size(), j);
    std::vector<std::uint8_t> block(2048, 0), records;
    const std::vector<std::uint8_t> frame(kFrameBytes, 0x55);
    for (long long n = 0; n < chunks; ++n) {
      const bool full = n % kFrameEvery == 0;
      Put32(block, FourCC("00dc"));
      Put32(block, full ? kFrameBytes : 0);
      if (full) block.insert(block.end(), frame.begin(), frame.end());
      const auto record = EncodeJournalRecord(0, n % (kFrameEvery * 10) == 0 ? kIndexKeyFrame : 0,
                                              full ? kFrameBytes : 0);
      records.insert(records.end(), record.begin(), record.end());
      if (block.size() > (1 << 20)) {
        std::fwrite(block.data(), 1, block.size(), f);
        block.clear();
      }
      if (records.size() > (1 << 20)) {
        std::fwrite(records.data(), 1, records.size(), j);
        records.clear();
      }
    }
    std::fwrite(block.data(), 1, block.size(), f);
    std::fwrite(records.data(), 1, records.size(), j);
    std::fclose(f);
    std::fclose(j);
  }
  const long beforeKb = PeakKb();
  DiskFile file(avi), journal(journalPath);
  const std::uint64_t unfinished = file.Size();
  const auto read = ReadJournalHeader(journal);
  if (!read) return 1;
  const auto start = std::chrono::steady_clock::now();
  int reports = 0;
  const long residentBefore = ResidentKb();
  long residentMost = residentBefore;
  const RepairResult r = RepairAvi(file, journal, *read, [&](std::uint64_t, std::uint64_t) {
    ++reports;
    residentMost = std::max(residentMost, ResidentKb());
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "chunks %lld (frames %lld), file %.1f MB unfinished, %.1f MB mended, journal %.1f MB\n",
      static_cast<long long>(r.slots), static_cast<long long>(r.frames), unfinished / 1e6,
      file.Size() / 1e6, journal.Size() / 1e6);
  std::printf("outcome %s, %.2f s (%.0f chunks/s), %d progress reports\n",
              r.outcome == RepairOutcome::Mended ? "mended" : "NOT mended", seconds,
              static_cast<double>(r.chunks) / seconds, reports);
  std::printf("resident memory: %ld KB before the mend, at most %ld KB during it; peak of the "
              "process %ld KB (%ld KB before the mend, the file's making included)\n",
              residentBefore, residentMost, PeakKb(), beforeKb);
  ::unlink(avi.c_str());
  ::unlink(journalPath.c_str());
  return r.outcome == RepairOutcome::Mended ? 0 : 1;
}
