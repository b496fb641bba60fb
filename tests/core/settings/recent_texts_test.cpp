// The last text, the cursor in it and the recent texts, in zorvel.ini.

#include "core/settings/recent_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/ini_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST(RecentTexts, TheListKeepsEightMostRecentFirstWithoutRepeats) {
  RecentTexts recent;
  for (int i = 1; i <= 10; ++i) NoteRecentText(recent, "/t/" + std::to_string(i) + ".txt");
  NoteRecentText(recent, "/t/./5.txt");  // the same file, named otherwise, moves up
  NoteRecentText(recent, "");
  EXPECT_EQ(recent.Files, (std::vector<std::string>{"/t/./5.txt", "/t/10.txt", "/t/9.txt", "/t/8.txt",
                                                    "/t/7.txt", "/t/6.txt", "/t/4.txt", "/t/3.txt"}));
}

TEST(RecentTexts, WrittenAndReadBackBesideTheOtherSections) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
  WriteFile(ini.Path(), "[Screen]\r\nMainTop=5\r\n");

  RecentTexts recent;
  for (int i = 1; i <= 8; ++i) NoteRecentText(recent, dir.File("T0" + std::to_string(i) + "n0001.txt"));
  NoteLastPosition(recent, recent.Files[0], 4242);
  ASSERT_TRUE(WriteRecentTexts(ini, recent));
  EXPECT_EQ(ReadRecentTexts(ini), recent);
  EXPECT_EQ(ini.ReadInteger("Screen", "MainTop", 0), 5);

  // A shorter list leaves no old entries behind; a path the file cannot hold
  // is left out rather than refusing the rest.
  RecentTexts shorter;
  NoteRecentText(shorter, "/a/one.txt");
  NoteRecentText(shorter, "/a/bad\nname.txt");
  ASSERT_TRUE(WriteRecentTexts(ini, shorter));
  EXPECT_EQ(ReadRecentTexts(ini).Files, std::vector<std::string>{"/a/one.txt"});
}

TEST(RecentTexts, GarbageInTheSectionReadsQuietly) {
  TempDir dir;
  IniFile ini(dir.File("zorvel.ini"));
  const struct {
    const char* Section;
    RecentTexts Expected;
  } cases[] = {
      // clang-format off
      {"LastText=/a.txt\r\nLastPosition=-5\r\n", {"/a.txt", 0, {}}}, {"LastPosition=12\r\n", {"", 0, {}}},
      {"File1=/a.txt\r\nFile2=\r\nFile3=/b.txt\r\nFile4=/a.txt\r\nFile5=//b.txt\r\nFile9=/c.txt\r\n",
       {"", 0, {"/a.txt", "/b.txt"}}},
      {"File1\r\n=/x\r\nLastText\r\n", {"", 0, {}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Section);
    WriteFile(ini.Path(), std::string("[Recent]\r\n") + c.Section);
    EXPECT_EQ(ReadRecentTexts(ini), c.Expected);
  }
}

}  // namespace
}  // namespace zorvel::test
