// The bookmark list: its sections in zorvel.ini, reading once per run, saving
// on close after a change, and the jump.
#include "core/proof/bookmarks.h"

#include <gtest/gtest.h>

#include "core/settings/ini_file.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

class BookmarksTest : public ::testing::Test {
 protected:
  std::string IniPath() const { return dir_.File("zorvel.ini"); }
  TempDir dir_;
  ScriptedPrompts prompts_;
};

TEST_F(BookmarksTest, AMissingSectionLoadsAsANoneRowAndTheCountIsBoundedByTheSections) {
  WriteFile(IniPath(),
            "[BookMark]\r\nCount=3\r\n"
            "[BookMark1]\r\nTitle=one\r\nFileName=C:\\a.txt\r\nLocation=12\r\nDate=d1\r\n"
            "[BookMark3]\r\nTitle=three\r\nFileName=/b.txt\r\nLocation=7\r\nDate=d3\r\n");
  EXPECT_EQ(LoadBookmarks(IniFile(IniPath())),
            (std::vector<Bookmark>{
                {"one", "C:\\a.txt", "12", "d1"}, {"None", "", "", ""}, {"three", "/b.txt", "7", "d3"}}));

  // A count beyond the sections reads the entries that exist; one that is no number reads none.
  const std::string sections =
      "[BookMark1]\r\nTitle=one\r\n[bookmark3]\r\nTitle=three\r\n[BookMark03]\r\n[BookMark9x]\r\n";
  // A small count first, so that an unbounded read fails before it runs long.
  const std::pair<const char*, std::size_t> cases[] = {{"5", 3}, {"2147483647", 3}, {"2", 2}, {"lots", 0}};
  for (const auto& [count, rows] : cases) {
    WriteFile(IniPath(), "[BookMark]\r\nCount=" + std::string(count) + "\r\n" + sections);
    ASSERT_EQ(LoadBookmarks(IniFile(IniPath())).size(), rows) << count;
  }
}

TEST_F(BookmarksTest, APathBig5CannotWriteIsKeptAsTheSystemsBytes) {
  IniFile ini(IniPath());
  BookmarkList list;
  list.FormShow(ini);
  const std::string chinese = "/t/\xE7\x94\xB2.txt";               // 甲: Big5 A5 D2
  const std::string accented = "/t/caf\xC3\xA9/\xE3\x81\x82.txt";  // café/あ
  list.AddBookmark("a", chinese, "1", "d");
  list.AddBookmark("b", accented, "2", "d");
  EXPECT_EQ(list.Entries()[0].FileName, "/t/\xA5\xD2.txt");
  list.FormClose(ini, prompts_);
  // The Big5 entry keeps its four keys; the other says how it is stored.
  EXPECT_FALSE(ini.HasKey("BookMark1", kNativeFileNameKey));
  EXPECT_EQ(ini.ReadString("BookMark2", "FileName", ""), accented);
  const std::vector<Bookmark> loaded = LoadBookmarks(ini);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(BookmarkPath(loaded[0]) + "|" + BookmarkPath(loaded[1]), chinese + "|" + accented);
}

TEST_F(BookmarksTest, DeletingTheMiddleOfThreeWritesTwoAndLeavesTheOldThird) {
  WriteFile(IniPath(), "[Screen]\r\nMainTop=5\r\n");
  IniFile ini(IniPath());
  BookmarkList list;
  ASSERT_TRUE(list.FormShow(ini));
  list.AddBookmark("one", "/t/1.txt", "10", "d1");
  list.AddBookmark("two", "/t/2.txt", "20", "d2");
  list.AddBookmark("\xA5\xD2", "/t/3.txt", "30", "d3");  // Big5 passes through
  list.FormClose(ini, prompts_);
  list.Delete(1);
  list.FormClose(ini, prompts_);
  EXPECT_EQ(ini.ReadString("BookMark2", "Title", ""), "\xA5\xD2");
  // The old third section stays; Count keeps it from being read.
  EXPECT_EQ(ini.ReadString("BookMark3", "Title", ""), "\xA5\xD2");
  EXPECT_EQ(ini.ReadString("Screen", "MainTop", ""), "5");
  EXPECT_EQ(LoadBookmarks(ini).size(), 2u);
}

TEST_F(BookmarksTest, TheListIsReadOnceAndWrittenOnlyAfterAChange) {
  IniFile ini(IniPath());
  WriteFile(IniPath(), "[BookMark]\r\nCount=1\r\n[BookMark1]\r\nTitle=old\r\n");
  BookmarkList list;
  EXPECT_TRUE(list.FormShow(ini));
  // Changed outside meanwhile: the second showing reads nothing.
  WriteFile(IniPath(), "[BookMark]\r\nCount=0\r\n");
  EXPECT_FALSE(list.FormShow(ini));
  // Closing without a change writes nothing.
  list.FormClose(ini, prompts_);
  EXPECT_EQ(ReadFile(IniPath()), "[BookMark]\r\nCount=0\r\n");
}

TEST_F(BookmarksTest, ARefusedWriteIsReportedAndKeepsTheChangeForTheNextClose) {
  IniFile ini(dir_.File("no-such-folder/zorvel.ini"));
  BookmarkList list;
  list.FormShow(ini);
  list.AddBookmark("a", "/a.txt", "0", "d");
  list.FormClose(ini, prompts_);
  EXPECT_TRUE(list.ListChanged && prompts_.Shown.size() == 1u);
}

TEST(BookmarkLocation, OnlyDecimalIntegersAreLocations) {
  int v = -1;
  EXPECT_TRUE(ParseLocation(" -4 ", v) && v == -4);
  for (const char* bad : {"", "12a", "0x10", "$10", "99999999999", "+", "+-5"})
    EXPECT_FALSE(ParseLocation(bad, v)) << bad;
}

// The text window as a jump sees it.
class FakeTarget : public BookmarkTarget {
 public:
  TextEditor& Editor() override { return editor; }
  SaveResult FileSave() override {
    ++saves;
    if (saveWorks) editor.SetModified(false);
    return saveWorks ? SaveResult::Saved : SaveResult::Failed;
  }
  void SetFileName(const std::string& path) override { fileName = path; }
  MemoryEditor editor;
  std::string fileName = "/old.txt";
  int saves = 0;
  bool saveWorks = true;
};

class BookmarkJump : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_.File("proof.txt"), "line one\r\nline two\r\n");
    target_.editor.SetText("edited");
    target_.editor.SetModified(true);
  }
  Bookmark Mark(std::string location = "10") const { return {"t", dir_.File("proof.txt"), location, "d"}; }
  TempDir dir_;
  ScriptedPrompts prompts_;
  FakeTarget target_;
};

// The question is SettleUnsavedChanges' (text_document_test): here, that
// the jump asks it first and stops when the text was not saved.
TEST_F(BookmarkJump, TheModifiedQuestionComesFirst) {
  target_.saveWorks = false;
  prompts_.Answers = {Answer::Yes};
  EXPECT_EQ(JumpToBookmark(Mark(), target_, prompts_), JumpResult::NotDone);
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
  EXPECT_EQ(target_.saves, 1);
  EXPECT_EQ(target_.editor.Text() + target_.fileName, "edited/old.txt");

  // No discards; the cursor lands on the location, in an editor with the focus.
  prompts_.Answers = {Answer::No};
  EXPECT_EQ(JumpToBookmark(Mark("3"), target_, prompts_), JumpResult::Jumped);
  EXPECT_EQ(target_.editor.Text(), "line one\r\nline two\r\n");
  EXPECT_EQ(std::pair(target_.fileName, target_.editor.SelStart()), std::pair(dir_.File("proof.txt"), 3));
  EXPECT_TRUE(target_.editor.HasFocus());
}

TEST_F(BookmarkJump, AnUnreadableFileOrABadLocationIsReported) {
  target_.editor.SetModified(false);
  Bookmark gone{"t", dir_.File("gone.txt"), "1", "d"};
  EXPECT_EQ(JumpToBookmark(gone, target_, prompts_), JumpResult::NotDone);
  EXPECT_EQ(target_.editor.Text() + target_.fileName, "edited/old.txt");
  ASSERT_EQ(prompts_.Shown.size(), 1u);
  // A location that is no number: the file is loaded, then the report.
  EXPECT_EQ(JumpToBookmark(Mark("abc"), target_, prompts_), JumpResult::Failed);
  EXPECT_EQ(target_.fileName, dir_.File("proof.txt"));
  EXPECT_EQ(prompts_.Shown.back(), "'abc' is not a valid integer value");
}

}  // namespace
}  // namespace zorvel::test
