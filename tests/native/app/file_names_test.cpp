#include "app/core/file_names.h"

#include <gtest/gtest.h>

namespace {

using app::DirectoryPart;
using app::EnsureExtension;

TEST(EnsureExtension, AddsTheExtensionUnlessTheNameEndsInIt) {
  EXPECT_EQ(EnsureExtension(L"clip", L".avi"), L"clip.avi");
  EXPECT_EQ(EnsureExtension(L"C:\\videos\\clip", L".avi"), L"C:\\videos\\clip.avi");
  EXPECT_EQ(EnsureExtension(L"Clip.AVI", L".avi"), L"Clip.AVI");
  EXPECT_EQ(EnsureExtension(L"my.avi.old", L".avi"), L"my.avi.old.avi");
  EXPECT_EQ(EnsureExtension(L"C:\\takes.avi\\talk", L".avi"), L"C:\\takes.avi\\talk.avi");
  EXPECT_EQ(EnsureExtension(L"avi", L".avi"), L"avi.avi");
  EXPECT_EQ(EnsureExtension(L"clip.AvI", L".AVI"), L"clip.AvI");
  EXPECT_EQ(EnsureExtension(L"clip.av", L".avi"), L"clip.av.avi");
  EXPECT_EQ(EnsureExtension(L"", L".avi"), L".avi");
}

TEST(EnsureExtension, LowersOnlyLettersAToZ) {
  // Fullwidth letters are not ASCII: they never match an ASCII extension.
  EXPECT_EQ(EnsureExtension(L"clip.\xFF21VI", L".avi"), L"clip.\xFF21VI.avi");
  EXPECT_EQ(EnsureExtension(L"录像.AVI", L".avi"), L"录像.AVI");
}

TEST(DirectoryPart, EndsAtTheLastBackslashOrColon) {
  EXPECT_EQ(DirectoryPart(L"C:\\a\\b.txt"), L"C:\\a\\");
  EXPECT_EQ(DirectoryPart(L"C:b.txt"), L"C:");
  EXPECT_EQ(DirectoryPart(L"http://example.com/x"), L"http:");
  EXPECT_EQ(DirectoryPart(L"b.txt"), L"");
}

} // namespace
