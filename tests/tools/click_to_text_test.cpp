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

TEST(ClickToText, EveryCharacterOfTheSamplePagesComesBack) {
  TempDir dir;
  const int status = std::system((std::string(ZORVEL_BINARY_DIR) + "/bin/zorvel-make-sample '" +
                                  dir.Path().string() + "' >/dev/null 2>&1")
                                     .c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "zorvel-make-sample failed";
  MemoryEditor editor(ReadFile(dir.File("T01n0001.txt")));
  ASSERT_GT(editor.LineCount(), 200);
  // The scans with the corner the automatic search finds on each.
  std::vector<DecodedPage> pages;
  std::vector<PageCalibration> corners;
  for (int page = 1; page <= 3; ++page) {
    ATifG4 reader(dir.File("T01/001-100/01-00" + std::to_string(page) + ".TIF"));
    ASSERT_EQ(ReadPage(reader), erOk);
    CVolShift store(dir.Path().string());
    ASSERT_TRUE(DetectRightTop(reader.Page, Settings{}, store, page));
    pages.push_back(reader.Page);
    corners.push_back(store.Get(page));
  }
  struct Case {
    int Ratio;
    bool Shifts;  // IgnoreShift off, with a shift in each register
    int MaxLineWord;
  };
  for (const Case c :
       {Case{100, false, 0}, {50, false, 17}, {57, true, 0}, {33, false, 0}, {200, true, 17}}) {
    SCOPED_TRACE("ratio " + std::to_string(c.Ratio) + (c.Shifts ? " with shifts" : ""));
    Settings settings;
    settings.PictureRatio = c.Ratio;
    settings.IgnoreShift = !c.Shifts;
    settings.MaxLineWord = c.MaxLineWord;
    int checked = 0;
    for (int page = 1; page <= 3; ++page) {
      const int width = static_cast<int>(pages[page - 1].Width);
      const int height = static_cast<int>(pages[page - 1].Height);
      PageCalibration calibration = corners[page - 1];
      if (c.Shifts) calibration = {calibration.FirstCharX, calibration.FirstCharY, 1, -2, 3};
      for (int line = 0; line < editor.LineCount(); ++line) {
        const std::string bytes = editor.LineBytes(line);
        LineRef ref;
        std::string bad;
        if (!DecodeLineHead(bytes, settings, ref, bad) || ref.Page != page) continue;
        for (int column : CharacterStarts(bytes, settings)) {
          std::vector<std::string> warnings;
          const int index = CountCharsBeforeCursor(bytes, column, settings, warnings);
          // Past the cap all characters share one cell; past the register's
          // height the cross lands in the next register.
          if (c.MaxLineWord != 0 && index >= c.MaxLineWord) continue;
          if ((index + 1) * settings.WordHeight > settings.FieldSpace) continue;
          const MarkerPosition marker =
              ComputeShowPosition(settings, calibration, {width, 700, 600}, ref.Field, ref.Line, index);
          const CharacterCell cell =
              CharacterAtPoint(settings, calibration, width, height, marker.MarkerX, marker.MarkerY);
          ASSERT_EQ(cell, (CharacterCell{PointPlace::Character, ref.Field, ref.Line, index}))
              << "line " << line << " column " << column;
          editor.SetSelStart(0);
          const TextTarget target = FindTextOfCharacter(editor, settings, ref.Vol, ref.Sutra, page, cell);
          ASSERT_TRUE(target.Found) << target.Message;
          ASSERT_EQ(target.Pos, editor.LineStart(line) + column) << "line " << line;
          ++checked;
        }
      }
    }
    EXPECT_GT(checked, 2000);
  }
}

}  // namespace
}  // namespace zorvel::test
