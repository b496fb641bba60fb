// The jump to a line head the operator types.
#include "core/proof/go_to_line_head.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"

namespace zorvel::test {
namespace {

// Two texts of volume 1 share page 3; the second is volume 2's.
const char* const kLines[] = {
    "沒有行首的一行",              // 0: no head, none above
    "T01n0001_p0003b18║如是我聞",  // 1
    "T01n0001_p0003b19║一時佛在",  // 2
    "T01n0001_p0012c01║舍衛國",    // 3
    "",                            // 4: no head
    "T01n0002_p0003b19║祇樹",      // 5
    "T02n0099_p0003b19║給孤獨園",  // 6
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
      {" 3B19 ", 1, 2, ""}, {"P12c1", 2, 3, ""}, {"3b19", 6, 6, ""},
      // The cursor on a line without a head: the nearest head above counts, and there must be one.
      {"3b18", 4, 1, ""}, {"3b19", 0, -1, std::string(kNoLineHeadAtCursor)},
      // Whole heads, with or without the "║", from anywhere.
      {"T01n0002_p0003b19", 0, 5, ""}, {"T02n0099_p0003b19║", 2, 6, ""}, {"2a1", 1, 507, ""},
      // Lines the text lacks name the head looked for.
      {"3a19", 5, -1, "找不到行首為 T01n0002_p0003a19║ 的文字行."},
      // Forms that cannot be read.
      {"  ", 1, -1, "請輸入行首, 例如 p0003b19 或 3b19."}, {"b19", 1, -1, Unreadable("b19")},
      {"3-b19", 1, -1, Unreadable("3-b19")}, {"T01n0001_p00031b9", 1, -1, Unreadable("T01n0001_p00031b9")},
      {"T01nxx01_p0003b19", 1, -1, "錯誤 : 行首 \"T01nxx01_p0003b19\" 中的 \"xx01\" 不是數字."},
      {"00003b19", 1, -1, "錯誤 : 頁數最多 4 位數."}, {"3b00", 1, -1, "錯誤 : 行數要從 1 算起."},
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

}  // namespace
}  // namespace zorvel::test
