#include "recorder/core/stream_length.h"

#include "recorder/core/little_endian.h"

#include <gtest/gtest.h>

using namespace recorder;

namespace {

void Code(LittleEndianBytes& b, const char* code) {
  for (int i = 0; i < 4; ++i)
    b.data.push_back(static_cast<std::uint8_t>(code[i]));
}

// RIFF AVI with an avih, a video strl (strh, strf), an audio strl and a JUNK chunk of odd size.
std::vector<std::uint8_t> Headers(std::uint32_t audioLength) {
  LittleEndianBytes b;
  Code(b, "RIFF");
  b.U32(0);
  Code(b, "AVI ");
  Code(b, "LIST");
  const std::size_t hdrlSize = b.data.size();
  b.U32(0);
  Code(b, "hdrl");
  Code(b, "avih");
  b.U32(56);
  b.data.resize(b.data.size() + 56);
  Code(b, "JUNK");
  b.U32(3);
  b.data.resize(b.data.size() + 4);
  for (std::uint32_t length : {250u, audioLength}) {
    Code(b, "LIST");
    b.U32(4 + 8 + 56 + 8 + 16);
    Code(b, "strl");
    Code(b, "strh");
    b.U32(56);
    Code(b, length == 250 ? "vids" : "auds");
    for (int i = 0; i < 7; ++i)
      b.U32(0);
    b.U32(length);
    b.data.resize(b.data.size() + 56 - 36);
    Code(b, "strf");
    b.U32(16);
    b.data.resize(b.data.size() + 16);
  }
  b.PutU32(hdrlSize, static_cast<std::uint32_t>(b.data.size() - hdrlSize - 4));
  Code(b, "LIST");
  b.U32(4);
  Code(b, "movi");
  return b.data;
}

} // namespace

TEST(StreamLength, FoundInTheStreamsHeaderAndNowhereElse) {
  const std::vector<std::uint8_t> head = Headers(77);
  const auto video = StreamLengthOffset(head, 0), audio = StreamLengthOffset(head, 1);
  ASSERT_TRUE(video && audio);
  EXPECT_EQ(LoadU32(head.data() + *video), 250u);
  EXPECT_EQ(LoadU32(head.data() + *audio), 77u);
  EXPECT_FALSE(StreamLengthOffset(head, 2)) << "only two streams";
  // Cut short, or not an AVI file.
  EXPECT_FALSE(StreamLengthOffset(std::span(head).first(*audio + 2), 1));
  std::vector<std::uint8_t> other = head;
  other[8] = 'W';
  EXPECT_FALSE(StreamLengthOffset(other, 0));
}
