// Find next, replace and replace all of the find/replace dialog.
#include "core/proof/find_replace.h"

#include <gtest/gtest.h>

#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

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

}  // namespace
}  // namespace zorvel::test
