#include "recorder/core/file_room.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(FileRoom, FollowOnFilesTakeTheNextNumberNoFileHas) {
  const std::set<std::wstring> existing{L"C:\\rec\\clip-2.avi", L"C:\\rec\\clip-3.avi",
                                        L"C:\\rec\\clip-5.avi"};
  auto exists = [&](const std::wstring& name) { return existing.count(name) > 0; };
  int part = 1;
  EXPECT_EQ(NextFollowOnName(L"C:\\rec\\clip.avi", part, exists), L"C:\\rec\\clip-4.avi");
  EXPECT_EQ(part, 4);
  EXPECT_EQ(NextFollowOnName(L"C:\\rec\\clip.avi", part, exists), L"C:\\rec\\clip-6.avi");
  EXPECT_EQ(part, 6);
}

TEST(FileRoom, AFailedFreeSpaceQueryIsAskedOnceMore) {
  int asked = 0;
  auto failingOnce = [&]() -> std::optional<std::uint64_t> {
    return ++asked == 1 ? std::nullopt : std::optional<std::uint64_t>(5000);
  };
  EXPECT_EQ(FreeBytesAskedTwice(failingOnce), 5000u);
  EXPECT_EQ(asked, 2);
  asked = 0;
  auto failing = [&]() -> std::optional<std::uint64_t> {
    ++asked;
    return std::nullopt;
  };
  EXPECT_FALSE(FreeBytesAskedTwice(failing));
  EXPECT_EQ(asked, 2) << "twice, not more";
}
