// The last text, the cursor in it and the recent texts, in zorvel.ini, and
// the menu 最近開啟.
#include "core/settings/recent_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST_F(SettingsFile, RecentTextsAreWrittenAndReadBack) {
  RecentTexts recent;
  for (int i = 1; i <= 8; ++i) NoteRecentText(recent, dir.File("T0" + std::to_string(i) + "n0001.txt"));
  NoteLastPosition(recent, recent.Files[0], 4242);
  ASSERT_TRUE(WriteRecentTexts(ini, recent));
  EXPECT_EQ(ReadRecentTexts(ini), recent);

  // A shorter list leaves no old entries behind; a path the file cannot hold
  // is left out rather than refusing the rest.
  RecentTexts shorter;
  NoteRecentText(shorter, "/a/one.txt");
  NoteRecentText(shorter, "/a/bad\nname.txt");
  ASSERT_TRUE(WriteRecentTexts(ini, shorter));
  EXPECT_EQ(ReadRecentTexts(ini).Files, std::vector<std::string>{"/a/one.txt"});
}

TEST_F(SettingsFile, GarbageInTheRecentTextsReadsQuietly) {
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

// A text chosen from 最近開啟 and looked for leaves it only when it is gone;
// the caption shows the path as it is, the number being the item's key.
TEST(RecentTexts, AGoneTextLeavesTheListAndTheCaptionShowsThePathAsItIs) {
  TempDir dir;
  const std::string there = dir.File("there.txt"), gone = dir.File("gone.txt");
  WriteFile(there, "");
  RecentTexts recent{"", 0, {there, gone}};
  EXPECT_FALSE(ForgetGoneRecentText(recent, there));
  EXPECT_TRUE(ForgetGoneRecentText(recent, dir.File("./gone.txt")));
  EXPECT_FALSE(ForgetGoneRecentText(recent, gone));
  EXPECT_EQ(recent.Files, std::vector<std::string>{there});
  EXPECT_EQ(RecentMenuCaption(3, "/a&b/R&&D.txt"), "&3 /a&&b/R&&&&D.txt");
}

}  // namespace
}  // namespace zorvel::test
