// The bookmark list: its sections in zorvel.ini, reading once per run, saving
// on close after a change, and the jump.
#include "core/proof/bookmarks.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/proof/decision_log.h"
#include "core/proof/replace_table.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
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

// The decision log: the lines a run of choices and a replacement run append,
// a log that cannot be written, and the check of a log against the saved text.
std::string B(std::string_view utf8) {
  return Utf8ToBig5(utf8);
}

ChoiceAnswer Answer(Selection selection, std::string userStr = {}) {
  return ChoiceAnswer{selection, std::move(userStr), false};
}

// A text of three marked lines; a session chooses over it and logs.
class DecisionSession : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_.SetText(
        B("T01n0001_p0001a01║如{{是||時}}我聞\r\n"
          "T01n0001_p0001a02║一{{時||詩||時}}佛在\r\n"
          "T01n0001_p0001a03║舍{{衛||術}}國祇樹\r\n"));
    proofreader_.SetDecisionSink(&log_);
  }
  // F1 from the cursor with the given answer.
  void Choose(ChoiceAnswer answer) {
    prompts_.Choices.push_back(std::move(answer));
    proofreader_.RunLoop();
  }

  TempDir dir_;
  std::string path_ = DecisionLogPath(dir_.File("T01n0001.txt"));
  std::vector<std::string> failures_;
  DecisionLog log_{path_, [this](const std::string& m) { failures_.push_back(m); },
                   [] { return std::string("2026-12-06 09:30:00"); }};
  MemoryEditor editor_;
  Settings settings_;
  ScriptedPrompts prompts_;
  TextProofreader proofreader_{editor_, settings_, prompts_, nullptr};
};

TEST_F(DecisionSession, EachChoiceAndReplacementAppendsOneLine) {
  EXPECT_EQ(path_, dir_.File("T01n0001.log.tsv"));
  editor_.SetSelStart(0);
  Choose(Answer(Selection::Second));
  Choose(Answer(Selection::Cancel));  // a cancel writes nothing and keeps nothing
  editor_.SetSelStart(0);
  Choose(Answer(Selection::Second));  // the second mark, after the first choice
  Choose(Answer(Selection::UserString, B("衛\t\\n\r\n國")));
  ReplaceTable table;
  ASSERT_TRUE(table.BuildReplaceTable(B("佛在＝佛住"), kDefaultSplitChar));
  prompts_.Replies.push_back(ReplaceAnswer{ReplaceDecision::Replace, B("佛住")});
  editor_.SetSelStart(0);
  RunReplaceTable(table, editor_, prompts_, {}, &log_, settings_.LineHeadLength);

  EXPECT_EQ(ReadFile(path_),
            "time\tline_head\toffset\tmark\treading\tchosen\n"
            "2026-12-06 09:30:00\tT01n0001_p0001a01║\t21\t{{是||時}}\t時\tsecond\n"
            "2026-12-06 09:30:00\tT01n0001_p0001a02║\t50\t{{時||詩||時}}\t詩\tsecond\n"
            "2026-12-06 09:30:00\tT01n0001_p0001a03║\t79\t{{衛||術}}\t衛\\t\\\\n\\r\\n國\tuser\n"
            "2026-12-06 09:30:00\tT01n0001_p0001a02║\t52\t佛在\t佛住\ttable\n");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(DecisionSession, ALogThatCannotBeWrittenLosesNoChoiceAndIsToldOnce) {
  DecisionLog broken(dir_.File("missing/folder/T.log.tsv"),
                     [this](const std::string& m) { failures_.push_back(m); });
  proofreader_.SetDecisionSink(&broken);
  editor_.SetSelStart(0);
  Choose(Answer(Selection::First));
  Choose(Answer(Selection::First));
  EXPECT_EQ(editor_.LineBytes(1), B("T01n0001_p0001a02║一時佛在"));
  EXPECT_EQ(failures_,
            std::vector<std::string>{DecisionLogFailedMessage(dir_.File("missing/folder/T.log.tsv"))});
  EXPECT_TRUE(broken.Failing());
}

// A log written by hand: offsets as they were at each decision.
std::string Line(int offset, std::string_view mark, std::string_view reading,
                 std::string_view chosen = "first") {
  return "2026-12-06 10:00:00\tT01n0001_p0001a01║\t" + std::to_string(offset) + "\t" + std::string(mark) +
         "\t" + std::string(reading) + "\t" + std::string(chosen) + "\n";
}

TEST(DecisionLogCheck, LaterDecisionsMoveEarlierOnesAndEditsShowUp) {
  // "{{甲||乙}}xx{{丙||丁}}yy{{戊||己}}" chosen out of order: the middle mark
  // first, then the first (which moves the middle one back), then the last.
  const std::string log = std::string(kDecisionLogHeader) + Line(12, "{{丙||丁}}", "丁", "second") +
                          Line(0, "{{甲||乙}}", "甲乙", "user") + Line(10, "{{戊||己}}", "", "first");
  EXPECT_EQ(CheckDecisionLog(log, B("甲乙xx丁yy")).Standing, 3);

  // The saved text was edited afterwards: the middle reading no longer stands.
  LogCheck check = CheckDecisionLog(log, B("甲乙xx丙yy"));
  EXPECT_EQ(check.Standing, 2);
  ASSERT_EQ(check.Changed.size(), 1u);
  EXPECT_EQ(DescribeLogFinding(check.Changed.at(0)),
            "log line 2: T01n0001_p0001a01║ offset 12 (now 6): \"丁\" no longer stands there; the text holds "
            "\"丙\"");

  // A later decision that replaced part of an earlier reading; a reading past
  // the end of the text; lines that cannot be read.
  const std::string overwritten = Line(0, "{{甲||乙}}", "甲乙") + Line(2, "乙", "丙", "table") +
                                  Line(40, "{{x||y}}", "y") + "t\th\tnot-a-number\tm\tr\tfirst\n" +
                                  "t\th\t1\tm\\q\tr\tfirst\n";
  check = CheckDecisionLog(overwritten, B("甲丙"));
  EXPECT_EQ(std::tuple(check.Decisions, check.Standing, check.Changed.size(), check.Unreadable.size()),
            std::tuple(3, 1, 2u, 2u));
  EXPECT_EQ(DescribeLogFinding(check.Changed.at(0)),
            "log line 1: T01n0001_p0001a01║ offset 0: \"甲乙\" was replaced by the decision of log line 2");
  EXPECT_EQ(check.Changed.at(1).LogLine, 3);
}

}  // namespace
}  // namespace zorvel::test
