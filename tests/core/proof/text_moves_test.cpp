// Moving through the text: the marks left and the previous mark against F2's own
// search under random edits, the jump to a typed line head, and the proofreading
// loop on the in-memory editor.
#include "core/proof/mark_counter.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/proof/go_to_line_head.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "proof_suite.h"

namespace zorvel::test {
namespace {

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
