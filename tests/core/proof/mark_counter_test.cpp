// Counting the marks left: the counter against F2's own search under random
// edits, and the search back to the previous mark.

#include "core/proof/mark_counter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"

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
        const int after =
            static_cast<int>(found.end() - std::lower_bound(found.begin(), found.end(), cursor));
        ASSERT_EQ(counter.CountFrom(editor, cursor), (MarkCount{after, static_cast<int>(found.size())}))
            << "round " << round << " cursor " << cursor;
        const auto before = std::lower_bound(found.begin(), found.end(), cursor);
        const int previous = before == found.begin() ? -1 : *(before - 1);
        ASSERT_EQ(counter.PreviousMark(editor, cursor), previous)
            << "round " << round << " cursor " << cursor;
        ASSERT_EQ(FindPreviousMark(editor, sign, cursor), previous) << "round " << round;
      }
    }
  }
  EXPECT_EQ(MarkCountText(MarkCount{2, 3}), "差異 2 / 3");
}

TEST(PreviousMark, SelectsTheNearestOpeningTokenBeforeTheCursor) {
  const std::string text = Utf8ToBig5("甲{{乙||丙}}丁\r\n\r\n戊") + "\xA4{{{" + Utf8ToBig5("己}}");
  struct Case {
    int Cursor;
    int Selected;  // -1: none
  };
  // The tokens stand at 2, and at 22 (the "{" at 21 is the second byte of a
  // character).
  const Case cases[] = {{2, -1}, {3, 2}, {22, 2}, {23, 22}};
  for (const Case& c : cases) {
    SCOPED_TRACE("cursor " + std::to_string(c.Cursor));
    MemoryEditor editor;
    editor.SetText(text);
    Settings settings;
    ScriptedPrompts prompts;
    TextProofreader proofreader(editor, settings, prompts, nullptr);
    editor.SetSelStart(c.Cursor);
    EXPECT_EQ(proofreader.FindPreviousSign(nullptr), c.Selected >= 0);
    EXPECT_EQ(editor.SelStart(), c.Selected >= 0 ? c.Selected : c.Cursor);
    EXPECT_EQ(editor.SelLength(), c.Selected >= 0 ? 2 : 0);
    EXPECT_EQ(prompts.Shown.empty(), c.Selected >= 0);
  }
}

}  // namespace
}  // namespace zorvel::test
