// The replacement table: building it from the table text, the longest-match
// lookup and the run over a document.

#include "core/proof/replace_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// Test texts in UTF-8, turned into Big5 through a small table of their own.
std::string B(std::string_view utf8) {
  // clang-format off
  static const std::map<std::string, std::string> kBig5 = {
      {"甲", "\xA5\xD2"}, {"乙", "\xA4\x41"}, {"丙", "\xA4\xFE"}, {"丁", "\xA4\x42"}, {"＝", "\xA1\xD7"},
      {"加", "\xA5\x5B"},  // second byte is the code of "["
  };
  // clang-format on
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::string ch(utf8.substr(i, n));
    if (n == 1) {
      out += ch;
    } else {
      const auto it = kBig5.find(ch);
      if (it == kBig5.end()) {
        ADD_FAILURE() << "no Big5 bytes for " << ch;
        return out;
      }
      out += it->second;
    }
    i += n;
  }
  return out;
}

ReplaceAnswer Reply(int result, std::string dest = {}) {
  return ReplaceAnswer{result, std::move(dest)};
}

ReplaceTable Table(std::string_view utf8Text, std::string_view split = kDefaultSplitChar) {
  ReplaceTable table;
  EXPECT_TRUE(table.BuildReplaceTable(B(utf8Text), split));
  return table;
}

// ---------------------------------------------------------------- building

TEST(ReplaceTableBuild, OneEntryPerLineWithTheFirstSplitEndingTheSource) {
  ReplaceTable table = Table("甲＝乙＝丙\r\n丁＝\r\nno split here\r\n＝乙\r\n\r\nab＝c");
  ASSERT_EQ(table.Pairs().size(), 6u);
  EXPECT_EQ(table.Pairs()[0].Source, B("甲"));
  EXPECT_EQ(table.Pairs()[0].Dest, B("乙＝丙"));
  EXPECT_EQ(table.Pairs()[0].SourceLength, 2);
  EXPECT_EQ(table.Pairs()[1].Dest, "");  // an empty destination deletes
  EXPECT_EQ(table.Pairs()[2].SourceLength, 0);
  EXPECT_EQ(table.Pairs()[3].SourceLength, 0);  // empty source
  EXPECT_EQ(table.Pairs()[4].SourceLength, 0);
  // Only the entries with a source are in the lookup table, sorted by bytes.
  ASSERT_EQ(table.ReplaceCount(), 3);
  EXPECT_EQ(table.Entry(0).Source, "ab");
  EXPECT_EQ(table.Entry(1).Source, B("丁"));  // A4 42
  EXPECT_EQ(table.Entry(2).Source, B("甲"));  // A5 D2
}

TEST(ReplaceTableBuild, LineBreaksOfEveryKindAndTheLastLine) {
  EXPECT_EQ(SplitTableLines("").size(), 1u);
  EXPECT_EQ(SplitTableLines("a\r\nb\nc\rd").size(), 4u);
  EXPECT_EQ(SplitTableLines("a\r\n").size(), 1u);
  EXPECT_EQ(SplitTableLines("a\r\n\r\n").size(), 2u);
  ReplaceTable table = Table("a=1\nb=2\rc=3\r\n", "=");
  ASSERT_EQ(table.ReplaceCount(), 3);
  EXPECT_EQ(table.Entry(2).Dest, "3");
}

TEST(ReplaceTableBuild, SecondBytesAreNeverTakenForTheSplit) {
  // 加 is A5 5B: its second byte is the code of "[".
  const ReplacePair pair = MakeReplacePair(B("加x[加"), "[");
  EXPECT_EQ(pair.Source, B("加x"));
  EXPECT_EQ(pair.Dest, B("加"));
  EXPECT_EQ(MakeReplacePair(B("加加"), "[").SourceLength, 0);
  EXPECT_EQ(MakeReplacePair("a=b", "").SourceLength, 0);
}

TEST(ReplaceTableBuild, ConfirmingFollowsTheTextAndTheSplitField) {
  ScriptedPrompts prompts;
  ReplaceTable table;
  ReplaceConfirm r = ConfirmReplaceTable(B("甲＝乙"), kDefaultSplitChar, table, prompts);
  EXPECT_TRUE(r.Built && r.Close);
  EXPECT_EQ(table.SplitLength, 2);

  // A table text with an empty split field: the message, and the old table stays.
  r = ConfirmReplaceTable(B("丙＝丁"), "", table, prompts);
  EXPECT_FALSE(r.Built || r.Close);
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{std::string(kMissingSplitChar)});
  ASSERT_EQ(table.ReplaceCount(), 1);
  EXPECT_EQ(table.Entry(0).Source, B("甲"));

  // A text that gives no entry: the window stays open with no table.
  r = ConfirmReplaceTable("no pair", kDefaultSplitChar, table, prompts);
  EXPECT_TRUE(r.Built);
  EXPECT_FALSE(r.Close);
  EXPECT_EQ(table.ReplaceCount(), 0);

  // An empty text closes the window, also with an empty split field.
  ConfirmReplaceTable(B("甲＝乙"), kDefaultSplitChar, table, prompts);
  r = ConfirmReplaceTable("", "", table, prompts);
  EXPECT_TRUE(r.Built && r.Close);
  EXPECT_EQ(table.ReplaceCount(), 0);
  EXPECT_EQ(prompts.Shown.size(), 1u);
}

// ---------------------------------------------------------------- lookup

TEST(ReplaceTableLookup, OffersTheLongestSourceThatMatches) {
  ReplaceTable table = Table("ab=1\nabc=2\nb=3\nabcde=4", "=");
  auto dest = [&](std::string_view text, std::size_t pos = 0) -> std::string {
    const ReplacePair* p = table.Match(text, pos);
    return p ? p->Dest : "-";
  };
  EXPECT_EQ(dest("abd"), "1");  // the prefix search of old offered nothing here
  EXPECT_EQ(dest("aba"), "1");
  EXPECT_EQ(dest("abc"), "2");
  EXPECT_EQ(dest("abcd"), "2");  // abcde runs past the end
  EXPECT_EQ(dest("abcdef"), "4");
  EXPECT_EQ(dest("xab", 1), "1");
  EXPECT_EQ(dest("xab", 2), "3");
  EXPECT_EQ(dest("a"), "-");
  EXPECT_EQ(dest("ab", 2), "-");
}

TEST(ReplaceTableLookup, EqualSourcesTakeTheFirstLineAndBytesCompareUnsigned) {
  ReplaceTable table;
  ASSERT_TRUE(table.BuildReplaceTable("x=first\nx=second\n\xA4\x41=big\nA=ascii", "="));
  EXPECT_EQ(table.Match("x", 0)->Dest, "first");
  EXPECT_EQ(table.Match("\xA4\x41", 0)->Dest, "big");
  EXPECT_EQ(table.Match("A", 0)->Dest, "ascii");
  EXPECT_EQ(table.Match("a", 0), nullptr);  // letters match in their own case only
  EXPECT_EQ(table.Entry(table.ReplaceCount() - 1).Source, "\xA4\x41");
}

TEST(ReplaceTableLookup, AgreesWithABruteForceLongestMatchOnRandomTables) {
  // Whole characters only, so that the split "=" is never a second byte.
  const char* const kUnits[] = {"a", "b", "\xA4\xFE", "\xA4\x61"};
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
      for (int i = 0; i < count; ++i) {
        if (hay.compare(pos, sources[i].size(), sources[i]) == 0 &&
            (best < 0 || sources[i].size() > sources[best].size()))
          best = i;
      }
      const ReplacePair* got = table.Match(hay, pos);
      if (best < 0) {
        EXPECT_EQ(got, nullptr) << "round " << round << " pos " << pos;
      } else {
        ASSERT_NE(got, nullptr) << "round " << round << " pos " << pos;
        EXPECT_EQ(got->Dest, std::to_string(best)) << "round " << round << " pos " << pos;
      }
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

TEST_F(ReplaceRun, ReplacesEveryAcceptedOccurrenceAndEndsWithTheMessage) {
  prompts_.Replies = {Reply(1, B("乙")), Reply(1, B("乙"))};
  Run("甲＝乙", "丙甲丁甲");
  EXPECT_EQ(editor_.Text(), B("丙乙丁乙"));
  EXPECT_EQ(Questions(), std::vector<std::string>(2, B("甲/乙")));
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{std::string(kReplaceFinished)});
}

TEST_F(ReplaceRun, TheEditedDestinationIsInsertedAndLengthChangesKeepPositions) {
  prompts_.Replies = {Reply(1, "xyz12"), Reply(0), Reply(1, ""), Reply(1, "Q")};
  Run("甲＝乙\r\n丁＝丙", "甲丁a甲丁");
  // The first 甲 became xyz12, the first 丁 was kept, the second 甲 deleted,
  // and the last 丁 was found at its place in the changed document.
  EXPECT_EQ(Questions(), (std::vector<std::string>{B("甲/乙"), B("丁/丙"), B("甲/乙"), B("丁/丙")}));
  EXPECT_EQ(editor_.Text(), "xyz12" + B("丁") + "aQ");
}

TEST_F(ReplaceRun, DecliningMovesTheScanByOneCharacter) {
  // 甲甲 declined at 0 is found again one character later.
  prompts_.Replies = {Reply(0), Reply(1, "X")};
  Run("甲甲＝X", "甲甲甲");
  EXPECT_EQ(prompts_.ReplaceQuestions.size(), 2u);
  EXPECT_EQ(editor_.Text(), B("甲") + "X");
}

TEST_F(ReplaceRun, ADestinationIsNeverScannedAgainAndTextBeforeTheCursorStays) {
  prompts_.UseDefaultReply = true;
  prompts_.DefaultReply = Reply(1);
  Run("甲＝甲甲", "甲丙甲丙甲", 4);
  EXPECT_EQ(editor_.Text(), B("甲丙甲甲丙甲甲"));
  EXPECT_EQ(prompts_.ReplaceQuestions.size(), 2u);
}

TEST_F(ReplaceRun, TheLongestSourceIsOfferedAndAcceptingSkipsIt) {
  prompts_.Replies = {Reply(1, "L"), Reply(1, "S")};
  Run("甲＝S\r\n甲乙＝L", "甲乙丙甲丁");
  EXPECT_EQ(Questions(), (std::vector<std::string>{B("甲乙/L"), B("甲/S")}));
  EXPECT_EQ(editor_.Text(), "L" + B("丙") + "S" + B("丁"));
}

TEST_F(ReplaceRun, AbortEndsTheRunWithTheClosingMessage) {
  prompts_.Replies = {Reply(-1)};
  Run("甲＝乙", "甲甲");
  EXPECT_EQ(editor_.Text(), B("甲甲"));
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{std::string(kReplaceFinished)});
  // After the run the selection stays on the occurrence.
  EXPECT_EQ(editor_.SelStart(), 0);
  EXPECT_EQ(editor_.SelLength(), 2);
}

TEST_F(ReplaceRun, AnEmptyTableOnlyWarns) {
  Run("", "甲");
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{std::string(kNoReplaceTable)});
  EXPECT_TRUE(prompts_.ReplaceQuestions.empty());
}

TEST_F(ReplaceRun, SecondBytesAreNeverTakenForASourceStart) {
  // 乙 is A4 41: its second byte is "A"; 加 is A5 5B, its second byte "[".
  prompts_.UseDefaultReply = true;
  prompts_.DefaultReply = Reply(0);
  table_ = Table("A＝x\r\n[A＝y");
  editor_.SetText(B("乙加A[A"));
  RunReplaceTable(table_, editor_, prompts_);
  EXPECT_EQ(Questions(), (std::vector<std::string>{"A/x", "[A/y", "A/x"}));
}

TEST_F(ReplaceRun, ShowWordRunsForEachOccurrenceAndCanEndTheRun) {
  int calls = 0;
  prompts_.Replies = {Reply(0)};
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
  prompts_.Replies = {Reply(1, B("乙"))};
  int calls = 0;
  Run("甲＝乙", "甲丙甲", 0, [&] {
    if (++calls == 2) {
      editor_.SetSelStart(0);
      editor_.ReplaceSelection("z");
      editor_.SetSelStart(4);
      editor_.SetSelLength(2);
    }
    return true;
  });
  EXPECT_EQ(prompts_.Shown,
            (std::vector<std::string>{std::string(kReplaceMismatch), std::string(kReplaceFinished)}));
  EXPECT_EQ(editor_.Text(), "z" + B("乙丙甲"));
}

}  // namespace
}  // namespace zorvel::test
