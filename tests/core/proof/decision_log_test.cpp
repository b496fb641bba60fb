// The decision log: the lines a run of choices and a replacement run append,
// a log that cannot be written, and the check of a log against the saved text.
#include "core/proof/decision_log.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/proof/replace_table.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

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
