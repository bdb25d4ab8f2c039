// Runs the built skinpack tool as a skin author would.
#include "tools/skinpack/sample_skin.h"
#include "tools/skinpack/skin_folder.h"

#include "test_skins.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;
using skintest::Bytes;

namespace {

struct Result {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class SkinpackTool : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("skinpack_test_" + std::to_string(::getpid()) + "_" + test->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
      quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  }

  Result Run(const std::vector<std::string>& args) const {
    std::string command = Quote(SKINPACK_PATH);
    for (const auto& arg : args)
      command += " " + Quote(arg);
    const fs::path errFile = dir_ / "stderr.txt";
    command += " 2>" + Quote(errFile.string());
    Result result;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, n);
      const int status = ::pclose(pipe);
      result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    result.err = skintest::ToText(skinpack::ReadFileBytes(errFile));
    return result;
  }

  fs::path Path(const std::string& name) const { return dir_ / name; }

  // Writes the tiny sample skin with some names in upper case, and returns its folder.
  fs::path MakeSkinFolder() const {
    const fs::path folder = Path("in");
    fs::create_directories(folder);
    for (const auto& entry : skinpack::MakeSampleSkin(skinpack::SampleSize::kTiny)) {
      const std::string name = entry.name == "top.bmp" ? "Top.BMP" : entry.name;
      skinpack::WriteFileBytes(folder / name, entry.data);
    }
    skinpack::WriteFileBytes(folder / "empty.bmp", {});
    return folder;
  }

  fs::path dir_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

} // namespace

TEST_F(SkinpackTool, PackListUnpackReproducesTheFolder) {
  const fs::path folder = MakeSkinFolder();
  ASSERT_EQ(Run({"pack", folder.string(), Path("s.skn").string()}).exitCode, 0);

  const Result list = Run({"list", Path("s.skn").string()});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const auto lines = Lines(list.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "version 20000");
  std::vector<std::string> expected;
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(folder)) {
    std::string name = item.path().filename().string();
    for (char& c : name)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const auto& name : names) {
    const auto size = fs::file_size(folder / (name == "top.bmp" ? "Top.BMP" : name));
    expected.push_back(name + "\t" + std::to_string(size));
  }
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);

  ASSERT_EQ(Run({"unpack", Path("s.skn").string(), Path("out").string()}).exitCode, 0);
  for (const auto& name : names) {
    const fs::path original = folder / (name == "top.bmp" ? "Top.BMP" : name);
    ASSERT_TRUE(fs::exists(Path("out") / name)) << name;
    EXPECT_EQ(skinpack::ReadFileBytes(Path("out") / name), skinpack::ReadFileBytes(original))
        << name;
  }
}

TEST_F(SkinpackTool, QueriesTheIniDescription) {
  ASSERT_EQ(Run({"pack", MakeSkinFolder().string(), Path("s.skn").string()}).exitCode, 0);
  const std::string skin = Path("s.skn").string();
  EXPECT_EQ(Run({"ini", skin, "personality", "TOP"}).out, "top.bmp\n");
  EXPECT_EQ(Run({"ini", skin, "Personality", "Missing", "fallback"}).out, "fallback\n");
  EXPECT_EQ(Run({"ini", skin, "Personality", "ExplorerBmp"}).out, "\n");
  EXPECT_EQ(Run({"int", skin, "Buttons", "MouseOverColour", "-1"}).out, "8323072\n");
  EXPECT_EQ(Run({"int", skin, "Buttons", "PressedColour", "-1"}).out, "255\n");
  EXPECT_EQ(Run({"int", skin, "Personality", "Top", "-7"}).out, "-7\n");

  const auto sections = Lines(Run({"sections", skin}).out);
  ASSERT_GE(sections.size(), 3u);
  EXPECT_EQ(sections[0], "Personality");
  EXPECT_NE(std::find(sections.begin(), sections.end(), "ExtraImages"), sections.end());
}

TEST_F(SkinpackTool, DuplicatesAndUnsafeNamesOnUnpack) {
  skintest::RawArchive archive = skintest::ArchiveOf(
      {{"a.bmp", "first"}, {"A.BMP", "second"}, {"../escape.bmp", "x"}, {"skin.ini", "[S]"}});
  skinpack::WriteFileBytes(Path("d.skn"), skintest::SkinFileOf(archive.Build()));
  const Result result = Run({"unpack", Path("d.skn").string(), Path("out").string()});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.err.find("../escape.bmp"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Path("escape.bmp")));
  EXPECT_EQ(skintest::ToText(skinpack::ReadFileBytes(Path("out") / "a.bmp")), "first");
  EXPECT_EQ(skintest::ToText(skinpack::ReadFileBytes(Path("out") / "skin.ini")), "[S]");
}

TEST_F(SkinpackTool, BadInputFailsWithAMessage) {
  // An archive version outside the table.
  skintest::RawArchive older = skintest::ArchiveOf({{"a.ini", "[A]"}});
  older.version = 10000;
  skinpack::WriteFileBytes(Path("older.skn"), skintest::SkinFileOf(older.Build()));
  // A folder with two descriptions, and one with a stray file.
  fs::create_directories(Path("two"));
  skinpack::WriteFileBytes(Path("two") / "a.ini", skintest::ToBytes("[A]"));
  skinpack::WriteFileBytes(Path("two") / "b.ini", skintest::ToBytes("[B]"));
  fs::create_directories(Path("stray"));
  skinpack::WriteFileBytes(Path("stray") / "a.ini", skintest::ToBytes("[A]"));
  skinpack::WriteFileBytes(Path("stray") / "notes.txt", skintest::ToBytes("x"));

  const std::vector<std::vector<std::string>> failures = {
      {"list", Path("missing.skn").string()},
      {"list", Path("older.skn").string()},
      {"ini", Path("older.skn").string(), "A", "B"},
      {"sections", Path("two").string()},
      {"pack", Path("two").string(), Path("x.skn").string()},
      {"pack", Path("stray").string(), Path("x.skn").string()},
      {"pack", Path("nowhere").string(), Path("x.skn").string()},
  };
  for (const auto& args : failures) {
    const Result result = Run(args);
    EXPECT_EQ(result.exitCode, 1) << args[0] << " " << args[1];
    EXPECT_FALSE(result.err.empty()) << args[0] << " " << args[1];
    EXPECT_TRUE(result.out.empty()) << args[0] << " " << args[1];
  }
  EXPECT_NE(Run({"list", Path("older.skn").string()}).err.find("10000"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("x.skn")));

  EXPECT_EQ(Run({}).exitCode, 2);
  EXPECT_EQ(Run({"list"}).exitCode, 2);
  EXPECT_EQ(Run({"frobnicate", "a"}).exitCode, 2);
}
