#include "recorder/core/file_room.h"

#include <gtest/gtest.h>

using namespace recorder;

TEST(FileRoom, AFrameFitsOnlyWithRoomLeftToCloseTheFile) {
  const std::uint32_t frame = 100000;
  const std::uint64_t need = frame + 1 + 50 * kBytesPerSlot + kCloseReserve;
  EXPECT_TRUE(FitsOnVolume(need, frame, 50));
  EXPECT_FALSE(FitsOnVolume(need - 1, frame, 50));
  // Every slot of the timeline costs index room, empty ones too.
  EXPECT_FALSE(FitsOnVolume(need, frame, 51));
  EXPECT_FALSE(FitsOnVolume(0, 0, 0));
}

TEST(FileRoom, TheSizeLimitKeepsRoomForTheIndex) {
  const std::uint32_t frame = 1000;
  const std::uint64_t limit = 1 << 20;
  const std::uint64_t last = limit - kCloseReserve - (frame + 1) - 10 * kBytesPerSlot;
  EXPECT_TRUE(FitsInFile(last, frame, 10, limit));
  EXPECT_FALSE(FitsInFile(last + 1, frame, 10, limit));
  EXPECT_FALSE(FitsInFile(last, frame, 11, limit));
  EXPECT_LT(kAviFileSizeLimit, 1ull << 31) << "below 2 GB";
}

TEST(FileRoom, FollowOnNamesNumberThePartBeforeTheExtension) {
  EXPECT_EQ(FollowOnName(L"C:\\rec\\clip.avi", 1), L"C:\\rec\\clip.avi");
  EXPECT_EQ(FollowOnName(L"C:\\rec\\clip.avi", 2), L"C:\\rec\\clip-2.avi");
  EXPECT_EQ(FollowOnName(L"clip.avi", 12), L"clip-12.avi");
  EXPECT_EQ(FollowOnName(L"my.avi.old", 3), L"my.avi-3.old");
  EXPECT_EQ(FollowOnName(L"C:\\v1.0\\clip", 2), L"C:\\v1.0\\clip-2");
  EXPECT_EQ(FolderOf(L"C:\\rec\\clip.avi"), L"C:\\rec\\");
  EXPECT_EQ(FolderOf(L"D:clip.avi"), L"D:");
  EXPECT_EQ(FolderOf(L"clip.avi"), L"");
}
