// The marks left and the previous mark against F2's own search under random edits.
#include "core/proof/mark_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/text/memory_editor.h"

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
      editor.SetSelection(pos, cut);
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

}  // namespace
}  // namespace zorvel::test
