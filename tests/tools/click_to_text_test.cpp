// A click on the page lands in the text, and F3 from there comes back to the
// click: over every character of the sample workspace's pages, with the corner
// the automatic search finds on each scan, at several scales and with and
// without register shifts.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "codec/a_tif_g4.h"
#include "core/pages/marker_geometry.h"
#include "core/pages/right_top.h"
#include "core/pages/vol_shift.h"
#include "core/proof/line_head.h"
#include "core/proof/text_position.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

class ClickToText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const std::string command = std::string(ZORVEL_BINARY_DIR) + "/bin/zorvel-make-sample '" +
                                dir_->Path().string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    made_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(made_) << "zorvel-make-sample failed";
    editor_.SetText(ReadFile(dir_->File("T01n0001.txt")));
    ASSERT_GT(editor_.LineCount(), 200);
  }

  // The calibration the automatic corner search gives the scan of page.
  PageCalibration Corner(int page, int& width, int& height) {
    char name[64];
    std::snprintf(name, sizeof name, "T01/001-100/01-%03d.TIF", page);
    ATifG4 reader(dir_->File(name));
    EXPECT_EQ(ReadPage(reader), erOk);
    width = static_cast<int>(reader.Page.Width);
    height = static_cast<int>(reader.Page.Height);
    CVolShift store(dir_->Path().string());
    EXPECT_TRUE(DetectRightTop(reader.Page, settings_, store, page));
    return store.Get(page);
  }

  static TempDir* dir_;
  static bool made_;
  MemoryEditor editor_;
  Settings settings_;
};

TempDir* ClickToText::dir_ = nullptr;
bool ClickToText::made_ = false;

// Every column of a line's text where a printed character begins: a double-byte
// character other than the full stop, outside "[..]" groups and "<..>" tags,
// the "[" of a group, or the first byte of a mark token.
std::vector<int> CharacterStarts(const std::string& line, const Settings& settings) {
  std::vector<int> starts;
  char closing = 0;  // the bracket that ends the group or tag the walk is in
  for (std::size_t i = static_cast<std::size_t>(settings.LineHeadLength); i < line.size();) {
    const int length = Big5CharLength(line, i);
    const std::string_view rest = std::string_view(line).substr(i);
    if (closing == 0 && rest[0] == '[') {
      starts.push_back(static_cast<int>(i));  // a group prints as one character
      closing = ']';
    } else if (closing == 0 && rest[0] == '<') {
      closing = '>';
    }
    const bool token = rest.starts_with(settings.Sign1) || rest.starts_with(settings.Sign2) ||
                       rest.starts_with(settings.Sign3);
    if (closing == 0 && ((length == 2 && !rest.starts_with("\xA1\x43")) || token))
      starts.push_back(static_cast<int>(i));
    if (rest[0] == closing) closing = 0;
    i += token ? 2 : static_cast<std::size_t>(length);
  }
  return starts;
}

struct Case {
  int Ratio;
  bool Shifts;  // IgnoreShift off, with a shift in each register
  int MaxLineWord;
};

TEST_F(ClickToText, EveryCharacterOfTheSamplePagesComesBack) {
  const Case cases[] = {{100, false, 0}, {50, false, 17}, {57, true, 0}, {33, false, 0}, {200, true, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE("ratio " + std::to_string(c.Ratio) + (c.Shifts ? " with shifts" : ""));
    settings_ = Settings{};
    settings_.PictureRatio = c.Ratio;
    settings_.IgnoreShift = !c.Shifts;
    settings_.MaxLineWord = c.MaxLineWord;
    int checked = 0;
    for (int page = 1; page <= 3; ++page) {
      int width = 0;
      int height = 0;
      PageCalibration calibration = Corner(page, width, height);
      if (c.Shifts) {
        calibration.UpperShift = 1;
        calibration.MiddleShift = -2;
        calibration.LowerShift = 3;
      }
      ViewGeometry view{width, 700, 600};
      for (int line = 0; line < editor_.LineCount(); ++line) {
        const std::string bytes = editor_.LineBytes(line);
        LineRef ref;
        std::string bad;
        if (!DecodeLineHead(bytes, settings_, ref, bad) || ref.Page != page) continue;
        for (int column : CharacterStarts(bytes, settings_)) {
          std::vector<std::string> warnings;
          const int index = CountCharsBeforeCursor(bytes, column, settings_, warnings);
          // Past the cap all characters share one cell; past the register's
          // height the cross lands in the next register.
          if (c.MaxLineWord != 0 && index >= c.MaxLineWord) continue;
          if ((index + 1) * settings_.WordHeight > settings_.FieldSpace) continue;
          const MarkerPosition marker =
              ComputeShowPosition(settings_, calibration, view, ref.Field, ref.Line, index);
          const CharacterCell cell =
              CharacterAtPoint(settings_, calibration, width, height, marker.MarkerX, marker.MarkerY);
          ASSERT_EQ(cell, (CharacterCell{PointPlace::Character, ref.Field, ref.Line, index}))
              << "line " << line << " column " << column;
          editor_.SetSelStart(0);
          const TextTarget target = FindTextOfCharacter(editor_, settings_, ref.Vol, ref.Sutra, page, cell);
          ASSERT_TRUE(target.Found) << target.Message;
          ASSERT_EQ(target.Pos, editor_.LineStart(line) + column) << "line " << line;
          ++checked;
        }
      }
    }
    EXPECT_GT(checked, 2000);
  }
}

TEST_F(ClickToText, PointsOffTheCharactersAndLinesTheTextLacks) {
  int width = 0;
  int height = 0;
  const PageCalibration calibration = Corner(2, width, height);
  settings_.PictureRatio = 50;
  const int shownWidth = width / 2;
  auto at = [&](int x, int y) { return CharacterAtPoint(settings_, calibration, width, height, x, y); };
  // Off the picture, above the first register, right of the first line.
  EXPECT_EQ(at(shownWidth, 400).Place, PointPlace::OutsidePicture);
  EXPECT_EQ(at(400, height / 2).Place, PointPlace::OutsidePicture);
  EXPECT_EQ(at(400, calibration.FirstCharY / 2 - 2).Place, PointPlace::OutsideRegisters);
  EXPECT_EQ(at(shownWidth - calibration.FirstCharX / 2 + 20, 400).Place, PointPlace::OutsideLines);
  EXPECT_EQ(FindTextOfCharacter(editor_, settings_, 1, 1, 2, at(shownWidth - 5, 400)).Message,
            std::string(kNoCharacterThere));

  // A page the text does not cover names the line head it looked for, in the
  // shape of the text's own heads.
  const CharacterCell cell = at(shownWidth - (calibration.FirstCharX + 70 * 3 + 23) / 2,
                                (calibration.FirstCharY + settings_.FieldSpace + 49 * 3 + 24) / 2);
  ASSERT_EQ(cell, (CharacterCell{PointPlace::Character, 1, 3, 3}));
  const TextTarget missing = FindTextOfCharacter(editor_, settings_, 1, 1, 5, cell);
  EXPECT_FALSE(missing.Found);
  EXPECT_EQ(missing.LineHead, "T01n0001_p0005b04║");
  EXPECT_EQ(missing.Message, "找不到行首為 T01n0001_p0005b04║ 的文字行.");
  EXPECT_FALSE(FindTextOfCharacter(editor_, settings_, 2, 1, 2, cell).Found) << "another volume";

  // Found from far away, through the search of the whole text; a click below
  // a short line's last character lands at its end.
  std::string far_away;
  for (int i = 0; i < 1000; ++i) far_away += "\xA1\x40\r\n";
  editor_.SetText(editor_.Text() + far_away);
  editor_.SetSelStart(editor_.TextLength());
  const TextTarget far =
      FindTextOfCharacter(editor_, settings_, 1, 1, 1, CharacterCell{PointPlace::Character, 0, 1, 16});
  ASSERT_TRUE(far.Found);
  EXPECT_EQ(far.Line, 1);
  EXPECT_FALSE(far.Exact);
  EXPECT_EQ(far.Pos, editor_.LineStart(1) + static_cast<int>(editor_.LineBytes(1).size()));
}

}  // namespace
}  // namespace zorvel::test
