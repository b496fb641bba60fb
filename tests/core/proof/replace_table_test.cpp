// The replacement table: building it, the longest-match lookup, the run over a
// document.
#include "core/proof/replace_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "core/text/memory_editor.h"
#include "support/big5_bytes.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

std::string B(std::string_view utf8) {
  return Big5Bytes(utf8);
}

ReplaceAnswer Reply(ReplaceDecision result, std::string dest = {}) {
  return ReplaceAnswer{result, std::move(dest)};
}

ReplaceTable Table(std::string_view utf8Text, std::string_view split = kDefaultSplitChar) {
  ReplaceTable table;
  EXPECT_TRUE(table.BuildReplaceTable(B(utf8Text), split));
  return table;
}

// ---------------------------------------------------------------- building

TEST(ReplaceTableBuild, OneEntryPerLineWithTheFirstSplitEndingTheSource) {
  ReplaceTable table = Table("甲＝乙＝丙\r\n丁＝\nno split here\r＝乙\r\n\r\nab＝c\r\n");
  ASSERT_EQ(table.Pairs().size(), 6u);  // a last line end makes no empty last line
  EXPECT_EQ(table.Pairs()[0].Dest, B("乙＝丙"));
  for (int i : {2, 3, 4}) EXPECT_EQ(table.Pairs()[i].SourceLength, 0) << i;  // no split, empty source
  // Only the entries with a source are in the lookup table, sorted by bytes;
  // an empty destination deletes.
  ASSERT_EQ(table.ReplaceCount(), 3);
  EXPECT_EQ(table.Entry(0).Source + "=" + table.Entry(0).Dest, "ab=c");
  EXPECT_EQ(table.Entry(1).Source + "=" + table.Entry(1).Dest, B("丁="));  // A4 42
  EXPECT_EQ(table.Entry(2).Source, B("甲"));                               // A5 D2
}

TEST(ReplaceTableBuild, SecondBytesAreNeverTakenForTheSplit) {
  // 加 is A5 5B: its second byte is the code of "[".
  const ReplacePair pair = MakeReplacePair(B("加x[加"), "[");
  EXPECT_EQ(pair.Source, B("加x"));
  EXPECT_EQ(pair.Dest, B("加"));
  EXPECT_EQ(MakeReplacePair(B("加加"), "[").SourceLength, 0);
}

TEST(ReplaceTableBuild, ConfirmingFollowsTheTextAndTheSplitField) {
  ScriptedPrompts prompts;
  ReplaceTable table;
  ReplaceConfirm r = ConfirmReplaceTable(B("甲＝乙"), kDefaultSplitChar, table, prompts);
  EXPECT_TRUE(r.Built && r.Close);

  // A table text with an empty split field: the message, and the old table stays.
  r = ConfirmReplaceTable(B("丙＝丁"), "", table, prompts);
  EXPECT_FALSE(r.Built || r.Close);
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{std::string(kMissingSplitChar)});
  ASSERT_EQ(table.ReplaceCount(), 1);
  EXPECT_EQ(table.Entry(0).Source, B("甲"));
}

// ---------------------------------------------------------------- lookup

// Equal sources take the first line; bytes compare unsigned; letters match in their own case.
TEST(ReplaceTableLookup, AgreesWithABruteForceLongestMatchOnRandomTables) {
  // Whole characters only, so that the split "=" is never a second byte.
  const char* const kUnits[] = {"a", "A", "\xA4\xFE", "\xA4\x61"};
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    std::string text;
    std::vector<std::string> sources;
    const int count = 1 + static_cast<int>(rng() % 200);
    for (int i = 0; i < count; ++i) {
      std::string s;
      const int len = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < len; ++k) s += kUnits[rng() % 4];
      sources.push_back(s);
      text += s + "=" + std::to_string(i) + "\n";
    }
    ReplaceTable table;
    ASSERT_TRUE(table.BuildReplaceTable(text, "="));
    std::string hay;
    for (int k = 0; k < 200; ++k) hay += kUnits[rng() % 4];
    for (std::size_t pos = 0; pos < hay.size(); ++pos) {
      int best = -1;
      for (int i = 0; i < count; ++i)
        if (hay.compare(pos, sources[i].size(), sources[i]) == 0 &&
            (best < 0 || sources[i].size() > sources[best].size()))
          best = i;
      const ReplacePair* got = table.Match(hay, pos);
      EXPECT_EQ(got ? got->Dest : "none", best < 0 ? "none" : std::to_string(best)) << round << " " << pos;
    }
  }
}

// ---------------------------------------------------------------- the run

class ReplaceRun : public ::testing::Test {
 protected:
  void Run(std::string_view tableUtf8, std::string_view textUtf8, int cursor = 0,
           const std::function<bool()>& showWord = {}) {
    table_ = Table(tableUtf8);
    editor_.SetText(B(textUtf8));
    editor_.SetSelStart(cursor);
    RunReplaceTable(table_, editor_, prompts_, showWord);
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> q;
    for (const auto& r : prompts_.ReplaceQuestions) q.push_back(r.Source + "/" + r.Dest);
    return q;
  }
  ReplaceTable table_;
  MemoryEditor editor_;
  ScriptedPrompts prompts_;
};

TEST_F(ReplaceRun, EachOccurrenceIsOfferedInTurn) {
  const std::string fin(kReplaceFinished);
  const struct {
    const char* name;
    const char* table;
    const char* text;
    int cursor;
    std::vector<ReplaceAnswer> replies;  // empty: decline everything
    std::vector<std::string> questions;
    std::string result;
    std::vector<std::string> shown;
  } cases[] = {
      // clang-format off
      // xyz12 for the first 甲, the first 丁 kept, the second 甲 deleted, and
      // the last 丁 found at its place in the changed document.
      {"edited destinations", "甲＝乙\r\n丁＝丙", "甲丁a甲丁", 0, {Reply(ReplaceDecision::Replace, "xyz12"), Reply(ReplaceDecision::Skip), Reply(ReplaceDecision::Replace, ""), Reply(ReplaceDecision::Replace, "Q")},
       {B("甲/乙"), B("丁/丙"), B("甲/乙"), B("丁/丙")}, "xyz12" + B("丁") + "aQ", {fin}},
      {"declining moves one character", "甲甲＝X", "甲甲甲", 0, {Reply(ReplaceDecision::Skip), Reply(ReplaceDecision::Replace, "X")},
       {B("甲甲/X"), B("甲甲/X")}, B("甲") + "X", {fin}},
      {"a destination is never scanned again; text before the cursor stays", "甲＝甲甲", "甲丙甲丙甲", 4,
       {Reply(ReplaceDecision::Replace, B("甲甲")), Reply(ReplaceDecision::Replace, B("甲甲"))}, {B("甲/甲甲"), B("甲/甲甲")}, B("甲丙甲甲丙甲甲"), {fin}},
      {"abort", "甲＝乙", "甲甲", 0, {Reply(ReplaceDecision::Abort)}, {B("甲/乙")}, B("甲甲"), {fin}},
      {"empty table", "", "甲", 0, {}, {}, B("甲"), {std::string(kNoReplaceTable)}},
      // 乙 is A4 41, its second byte "A"; 加 is A5 5B, its second byte "[".
      {"second bytes start no source", "A＝x\r\n[A＝y", "乙加A[A", 0, {}, {"A/x", "[A/y", "A/x"}, B("乙加A[A"), {fin}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_ = ScriptedPrompts{};
    prompts_.Replies.assign(c.replies.begin(), c.replies.end());
    prompts_.UseDefaultReply = c.replies.empty();
    Run(c.table, c.text, c.cursor);
    EXPECT_EQ(Questions(), c.questions);
    EXPECT_EQ(editor_.Text(), c.result);
    EXPECT_EQ(prompts_.Shown, c.shown);
  }
}

TEST_F(ReplaceRun, ShowWordRunsForEachOccurrenceAndCanEndTheRun) {
  int calls = 0;
  prompts_.Replies = {Reply(ReplaceDecision::Skip)};
  Run("甲＝乙", "甲丙甲", 0, [&] {
    ++calls;
    EXPECT_EQ(editor_.SelStart(), calls == 1 ? 0 : 4);
    return calls < 2;
  });
  EXPECT_EQ(calls, 2);
  // Ended by the second ShowWord: no closing message.
  EXPECT_TRUE(prompts_.Shown.empty());
}

TEST_F(ReplaceRun, ADocumentThatNoLongerMatchesTheSnapshotEndsTheRun) {
  // Something changes the document behind the run's back while it shows the page.
  prompts_.Replies = {Reply(ReplaceDecision::Replace, B("乙"))};
  int calls = 0;
  Run("甲＝乙", "甲丙甲", 0, [&] {
    if (++calls == 2) {
      editor_.SetSelStart(0);
      editor_.ReplaceSelection("z");
      editor_.SetSelection(4, 2);
    }
    return true;
  });
  EXPECT_EQ(prompts_.Shown,
            (std::vector<std::string>{std::string(kReplaceMismatch), std::string(kReplaceFinished)}));
  EXPECT_EQ(editor_.Text(), "z" + B("乙丙甲"));
}

}  // namespace
}  // namespace zorvel::test
