// The replacement table (building it, the longest-match lookup, the run over a
// document), and find next, replace and replace all of the find/replace dialog.
#include "core/proof/replace_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <tuple>

#include "core/proof/find_replace.h"
#include "core/proof/go_to_line_head.h"
#include "core/proof/mark_counter.h"
#include "core/text/memory_editor.h"
#include "proof_suite.h"

namespace zorvel::test {
namespace {

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
      editor_.SetSelStart(4);
      editor_.SetSelLength(2);
    }
    return true;
  });
  EXPECT_EQ(prompts_.Shown,
            (std::vector<std::string>{std::string(kReplaceMismatch), std::string(kReplaceFinished)}));
  EXPECT_EQ(editor_.Text(), "z" + B("乙丙甲"));
}

class FindReplaceTest : public ::testing::Test {
 protected:
  void SetText(std::string_view text, int cursor) {
    editor_.SetText(text);
    editor_.SetSelStart(cursor);
  }
  bool Find(std::string_view what, FindOptions options = {}) {
    return steps_.ReplaceDialogFind(editor_, prompts_, what, options);
  }
  int Replace(std::string_view what, std::string_view with, bool all = false, FindOptions options = {}) {
    return steps_.ReplaceDialogReplace(editor_, prompts_, what, with, options, all);
  }
  std::pair<int, int> Selection() const { return {editor_.SelStart(), editor_.SelLength()}; }

  MemoryEditor editor_;
  ScriptedPrompts prompts_;
  FindReplace steps_;
};

TEST_F(FindReplaceTest, FindNextSelectsEachMatchInTurnAndStopsAtTheEnd) {
  SetText("cat cat cat", 1);
  EXPECT_TRUE(Find("cat") && Find("cat"));
  // No wrap around: the message, and the selection of the last match stays.
  EXPECT_FALSE(Find("cat"));
  EXPECT_EQ(Selection(), std::make_pair(8, 3));
  EXPECT_FALSE(steps_.FindSelected);
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{std::string(kFindNotFound)});
}

TEST_F(FindReplaceTest, ReplaceActsOnWhatFindFoundElseOnTheNextOccurrence) {
  SetText("cat cat cat", 0);
  ASSERT_TRUE(Find("cat"));  // the one after the (empty) selection: at 0
  Replace("cat", "mouse");
  EXPECT_EQ(Selection(), std::make_pair(0, 5));
  EXPECT_FALSE(steps_.FindSelected);
  Replace("cat", "mouse");
  EXPECT_EQ(editor_.Text(), "mouse mouse cat");
  EXPECT_EQ(Selection(), std::make_pair(6, 5));
  // A selection that find next did not make is skipped: the next one is replaced at once.
  SetText("cat cat", 0);
  editor_.SetSelLength(3);
  EXPECT_EQ(Replace("cat", "dog"), 1);
  EXPECT_EQ(editor_.Text(), "cat dog");
  EXPECT_TRUE(prompts_.Shown.empty());
}

TEST_F(FindReplaceTest, ReplaceAllFromTheMiddleChangesOnlyWhatFollowsAndDoesNotLoop) {
  SetText("ab\r\nab\r\nab\r\nab", 5);
  EXPECT_EQ(Replace("ab", "\xA5\xD2", true), 2);
  EXPECT_EQ(editor_.Text(), "ab\r\nab\r\n\xA5\xD2\r\n\xA5\xD2");
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{std::string(kReplaceNotFound)});
  // A replacement that holds the find text is not taken up again.
  SetText("a-a-a", 0);
  EXPECT_EQ(Replace("a", "aa", true), 3);
  EXPECT_EQ(editor_.Text(), "aa-aa-aa");
}

// Moving through the text: the marks left and the previous mark against F2's own
// search under random edits, the jump to a typed line head, and the proofreading
// loop on the in-memory editor.
// Where repeated F2 finds the opening token, from the start of the text.
std::vector<int> FoundByF2(const TextEditor& editor, std::string_view sign) {
  std::vector<int> found;
  for (int at = editor.Find(sign, 0, editor.TextLength(), {}); at >= 0;
       at = editor.Find(sign, at + 1, editor.TextLength(), {})) {
    found.push_back(at);
  }
  return found;
}

TEST(MarkCounter, AgreesWithF2UnderRandomEdits) {
  // Pieces that make and break tokens: halves of them, Big5 characters whose
  // second byte is "{", lone lead bytes, letters of either case, line breaks.
  const std::vector<std::string> pieces = {"{", "{{", "}}",   "\xA4{", "\xA4", "a",
                                           "A", "b",  "\r\n", "\r",    "\n"};
  for (std::string_view sign : {"{{", "ab"}) {
    SCOPED_TRACE(std::string("token ") + std::string(sign));
    std::mt19937 random(1234);
    MemoryEditor editor;
    std::string start;
    for (int i = 0; i < 300; ++i) start += pieces[random() % pieces.size()];
    editor.SetText(start);
    MarkCounter counter;
    counter.Reset(editor, sign);
    for (int round = 0; round < 400; ++round) {
      const int length = editor.TextLength();
      const int pos = static_cast<int>(random() % static_cast<unsigned>(length + 1));
      const int cut = std::min(static_cast<int>(random() % 6), length - pos);
      std::string insert;
      for (int n = static_cast<int>(random() % 3); n > 0; --n) insert += pieces[random() % pieces.size()];
      // The lines the edit touches, with one on either side: a line break
      // taken out of CR LF, or put between them, changes its neighbours' ends.
      const int first = std::max(0, editor.LineFromPos(pos) - 1);
      editor.SetSelStart(pos);
      editor.SetSelLength(cut);
      editor.ReplaceSelection(insert);
      const int last =
          std::min(editor.LineCount() - 1, editor.LineFromPos(pos + static_cast<int>(insert.size())) + 1);
      counter.LinesChanged(editor, first, last);

      const std::vector<int> found = FoundByF2(editor, sign);
      ASSERT_EQ(counter.Total(), static_cast<int>(found.size())) << "round " << round;
      for (int probe = 0; probe < 5; ++probe) {
        const int cursor = static_cast<int>(random() % static_cast<unsigned>(editor.TextLength() + 1));
        const auto next = std::lower_bound(found.begin(), found.end(), cursor);
        const int after = static_cast<int>(found.end() - next),
                  previous = next == found.begin() ? -1 : next[-1];
        ASSERT_EQ(counter.CountFrom(editor, cursor), (MarkCount{after, int(found.size())}))
            << round << " " << cursor;
        ASSERT_EQ(counter.PreviousMark(editor, cursor), previous) << round << " " << cursor;
        ASSERT_EQ(FindPreviousMark(editor, sign, cursor), previous) << round << " " << cursor;
      }
    }
  }
  EXPECT_EQ(MarkCountText(MarkCount{2, 3}), "差異 2 / 3");
}

// Two texts of volume 1 share page 3; the second is volume 2's.
const char* const kLines[] = {
    "T01n0001_p0003b18║如是我聞",  // 0
    "T01n0001_p0003b19║一時佛在",  // 1
    "T01n0001_p0012c01║舍衛國",    // 2
    "",                            // 3: no head
    "T01n0002_p0003b19║祇樹",      // 4
    "T02n0099_p0003b19║給孤獨園",  // 5
};

class GoToLineHead : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text;
    for (const char* line : kLines) text += Utf8ToBig5(line) + "\r\n";
    // Far below, out of the heads' order: found by a search of the whole text.
    for (int i = 0; i < 500; ++i) text += "\r\n";
    text += Utf8ToBig5("T01n0001_p0002a01║長阿含經\r\n");
    editor_.SetText(text);
  }
  MemoryEditor editor_;
  Settings settings_;
};

std::string Unreadable(std::string_view input) {
  return "錯誤 : 看不懂行首 \"" + std::string(input) +
         "\", 請輸入如 T01n0001_p0003b19, p0003b19, 0003b19 或 3b19 的行首.";
}

TEST_F(GoToLineHead, EachFormLandsOnItsLineOrSaysWhatIsWrong) {
  const struct {
    const char* Input;
    int CursorLine;
    int Line;             // the line jumped to, or -1
    std::string Message;  // when not found
  } cases[] = {
      // clang-format off
      // Short forms, relative to the cursor's volume and text.
      {" 3B19 ", 0, 1, ""}, {"P12c1", 1, 2, ""}, {"3b19", 5, 5, ""},
      // The cursor on a line without a head: the nearest head above counts.
      {"3b18", 3, 0, ""},
      // Whole heads, with or without the "║", from anywhere.
      {"T01n0002_p0003b19", 0, 4, ""}, {"T02n0099_p0003b19║", 1, 5, ""}, {"2a1", 0, 506, ""},
      // Lines the text lacks name the head looked for.
      {"3a19", 4, -1, "找不到行首為 T01n0002_p0003a19║ 的文字行."},
      // Forms that cannot be read.
      {"  ", 0, -1, "請輸入行首, 例如 p0003b19 或 3b19."}, {"b19", 0, -1, Unreadable("b19")},
      {"3-b19", 0, -1, Unreadable("3-b19")}, {"T01n0001_p00031b9", 0, -1, Unreadable("T01n0001_p00031b9")},
      {"T01nxx01_p0003b19", 0, -1, "錯誤 : 行首 \"T01nxx01_p0003b19\" 中的 \"xx01\" 不是數字."},
      {"00003b19", 0, -1, "錯誤 : 頁數最多 4 位數."}, {"3b00", 0, -1, "錯誤 : 行數要從 1 算起."},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.Input + "\" from line " + std::to_string(c.CursorLine));
    editor_.SetSelStart(editor_.LineStart(c.CursorLine));
    const LineHeadJump jump = FindLineHead(editor_, settings_, c.Input);
    EXPECT_EQ(std::tuple(jump.Line, jump.Found, jump.Message), std::tuple(c.Line, c.Line >= 0, c.Message));
    // A jump lands at the start of the line's text.
    EXPECT_EQ(c.Line >= 0 ? jump.Pos - editor_.LineStart(c.Line) : 19, 19);
  }
}

TEST_F(GoToLineHead, AShortFormNeedsAHeadAboveTheCursor) {
  editor_.SetText(Utf8ToBig5("沒有行首的一行\r\nT01n0001_p0003b19║一時\r\n"));
  editor_.SetSelStart(0);
  EXPECT_EQ(FindLineHead(editor_, settings_, "3b19").Message, kNoLineHeadAtCursor);
  EXPECT_EQ(FindLineHead(editor_, settings_, "T01n0001_p0003b19").Line, 1);
}

// The proofreading loop on the in-memory editor.
struct MemoryEditorFactory {
  static std::unique_ptr<TextEditor> Make() { return std::make_unique<MemoryEditor>(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ProofSuite, ::testing::Types<MemoryEditorFactory>);

}  // namespace
}  // namespace zorvel::test
