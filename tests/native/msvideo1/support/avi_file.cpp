#include "tests/native/msvideo1/support/avi_file.h"

#include <algorithm>
#include <fstream>

namespace msvideo1_test {
namespace {

class Bytes {
public:
  void U16(std::uint32_t v) {
    data_.push_back(static_cast<std::uint8_t>(v & 0xFF));
    data_.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Code(const char (&fourcc)[5]) { data_.insert(data_.end(), fourcc, fourcc + 4); }
  void Append(const std::vector<std::uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
  }
  // Opens a chunk (or LIST/RIFF with a form type) and returns where its size goes.
  std::size_t Open(const char (&id)[5]) {
    Code(id);
    std::size_t at = data_.size();
    U32(0);
    return at;
  }
  // Fills in the size and pads to an even length, as RIFF requires.
  void Close(std::size_t sizeAt) {
    std::uint32_t size = static_cast<std::uint32_t>(data_.size() - sizeAt - 4);
    for (int i = 0; i < 4; ++i)
      data_[sizeAt + i] = static_cast<std::uint8_t>(size >> (8 * i));
    if (data_.size() % 2) data_.push_back(0);
  }
  std::size_t Size() const { return data_.size(); }
  const std::vector<std::uint8_t>& Data() const { return data_; }

private:
  std::vector<std::uint8_t> data_;
};

constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kKeyFrameFlag = 0x10;

} // namespace

bool WriteAvi(const std::string& path, const VideoStream& stream) {
  std::uint32_t largest = 0;
  for (const CompressedFrame& f : stream.frames)
    largest = std::max(largest, static_cast<std::uint32_t>(f.bytes.size()));
  const std::uint32_t frameCount = static_cast<std::uint32_t>(stream.frames.size());
  const std::uint32_t w = static_cast<std::uint32_t>(stream.width);
  const std::uint32_t h = static_cast<std::uint32_t>(stream.height);

  Bytes b;
  std::size_t riff = b.Open("RIFF");
  b.Code("AVI ");
  std::size_t hdrl = b.Open("LIST");
  b.Code("hdrl");
  std::size_t avih = b.Open("avih");
  b.U32(1000000 / static_cast<std::uint32_t>(stream.framesPerSecond));
  b.U32(0); // max bytes per second
  b.U32(0); // padding granularity
  b.U32(kHasIndex);
  b.U32(frameCount);
  b.U32(0); // initial frames
  b.U32(1); // streams
  b.U32(largest);
  b.U32(w);
  b.U32(h);
  for (int i = 0; i < 4; ++i)
    b.U32(0);
  b.Close(avih);

  std::size_t strl = b.Open("LIST");
  b.Code("strl");
  std::size_t strh = b.Open("strh");
  b.Code("vids");
  b.Code("MSVC");
  b.U32(0); // flags
  b.U16(0); // priority
  b.U16(0); // language
  b.U32(0); // initial frames
  b.U32(1); // scale
  b.U32(static_cast<std::uint32_t>(stream.framesPerSecond));
  b.U32(0); // start
  b.U32(frameCount);
  b.U32(largest);
  b.U32(0xFFFFFFFF); // quality: default
  b.U32(0);          // sample size: varies
  b.U16(0);
  b.U16(0);
  b.U16(w);
  b.U16(h);
  b.Close(strh);
  std::size_t strf = b.Open("strf");
  b.U32(40);
  b.U32(w);
  b.U32(h);
  b.U16(1);
  b.U16(16);
  b.Code("CRAM");
  b.U32(w * h * 2);
  for (int i = 0; i < 4; ++i)
    b.U32(0);
  b.Close(strf);
  b.Close(strl);
  b.Close(hdrl);

  std::size_t movi = b.Open("LIST");
  const std::size_t moviCode = b.Size();
  b.Code("movi");
  std::vector<std::uint32_t> offsets;
  for (const CompressedFrame& f : stream.frames) {
    offsets.push_back(static_cast<std::uint32_t>(b.Size() - moviCode));
    std::size_t chunk = b.Open("00dc");
    b.Append(f.bytes);
    b.Close(chunk);
  }
  b.Close(movi);

  std::size_t idx1 = b.Open("idx1");
  for (std::size_t i = 0; i < stream.frames.size(); ++i) {
    b.Code("00dc");
    b.U32(stream.frames[i].keyFrame ? kKeyFrameFlag : 0);
    b.U32(offsets[i]);
    b.U32(static_cast<std::uint32_t>(stream.frames[i].bytes.size()));
  }
  b.Close(idx1);
  b.Close(riff);

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(b.Data().data()),
             static_cast<std::streamsize>(b.Data().size()));
  return static_cast<bool>(file);
}

} // namespace msvideo1_test
