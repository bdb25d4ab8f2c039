#include "app/core/start_options.h"

#include <gtest/gtest.h>

namespace {

using app::ParseStartOptions;
using app::StartSkin;

TEST(StartOptions, SkinFileNoSkinOrTheProgramsOwn) {
  EXPECT_EQ(ParseStartOptions({}).skin, StartSkin::kEmbedded);
  const auto file = ParseStartOptions({L"/skin", L"C:\\skins\\dark blue.skn"});
  EXPECT_EQ(file.skin, StartSkin::kFile);
  EXPECT_EQ(file.skinFile, L"C:\\skins\\dark blue.skn");
  EXPECT_TRUE(file.problem.empty());
  EXPECT_EQ(ParseStartOptions({L"-NoSkin"}).skin, StartSkin::kNone);
  EXPECT_EQ(ParseStartOptions({L"/SKIN", L"a.skn"}).skinFile, L"a.skn");
  // The last switch holds.
  EXPECT_EQ(ParseStartOptions({L"/skin", L"a.skn", L"/noskin"}).skin, StartSkin::kNone);
  const auto last = ParseStartOptions({L"/noskin", L"/skin", L"b.skn"});
  EXPECT_EQ(last.skin, StartSkin::kFile);
  EXPECT_EQ(last.skinFile, L"b.skn");
}

TEST(StartOptions, WhatIsNotUnderstoodIsNamedAndTheRestStillHolds) {
  const auto missing = ParseStartOptions({L"/skin"});
  EXPECT_EQ(missing.skin, StartSkin::kEmbedded);
  EXPECT_NE(missing.problem.find(L"/skin"), std::wstring::npos);
  const auto unknown = ParseStartOptions({L"/noskin", L"clip.avi", L"/fast"});
  EXPECT_EQ(unknown.skin, StartSkin::kNone);
  EXPECT_NE(unknown.problem.find(L"\"clip.avi\""), std::wstring::npos) << "the first one";
  EXPECT_NE(ParseStartOptions({L"/"}).problem, L"");
  EXPECT_NE(ParseStartOptions({L"/skin", L""}).problem, L"") << "an empty file name";
}

} // namespace
