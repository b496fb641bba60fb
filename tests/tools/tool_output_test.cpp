// What the tools print, as it reaches a terminal or a pipe: the report's
// encoding, the column header, the output order over many files whatever the
// number of jobs, the corners found on a folder of scans and the progress line.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/text/big5.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"
#include "tool_run.h"

namespace zorvel::test {
namespace {

// A proof text of a few lines: marks of two and three readings, one that does
// not close (its message is Chinese) and one on a page whose scan is missing.
std::string ProofText(int lines) {
  std::string utf8;
  for (int i = 1; i <= lines; ++i) {
    char head[32];
    std::snprintf(head, sizeof head, "T01n0001_p%04da%02d", 1 + i / 3, i % 29 + 1);
    utf8 += std::string(head) + "║如是{{我||于}}聞{{一||壹||一}}時";
    utf8 += i % 4 == 3 ? "佛{{在||于\r\n" : "佛在\r\n";
  }
  return Utf8ToBig5(utf8);
}

ToolRunOptions In(const TempDir& dir, bool outTerminal = false) {
  return {.OutTerminal = outTerminal, .Folder = dir.Path().string()};
}

TEST(ZorvelMarks, UnicodeOnATerminalAndBig5IntoAPipeUnlessAsked) {
  TempDir dir;
  WriteFile(dir.File("t.txt"), ProofText(4));
  const ToolResult piped = RunProgram("zorvel-marks", {"t.txt"}, In(dir));
  const ToolResult terminal = RunProgram("zorvel-marks", {"t.txt"}, In(dir, true));
  ASSERT_EQ(std::pair(piped.Status, terminal.Status), std::pair(0, 0)) << piped.Err << terminal.Err;
  ASSERT_NE(piped.Out, terminal.Out) << "the unclosed mark's message is Chinese";
  EXPECT_EQ(terminal.Out, Big5ToUtf8(piped.Out));
  EXPECT_NE(piped.Out.find(Utf8ToBig5("錯誤")), std::string::npos) << piped.Out;

  EXPECT_EQ(RunProgram("zorvel-marks", {"--big5", "t.txt"}, In(dir, true)).Out, piped.Out);
  EXPECT_EQ(RunProgram("zorvel-marks", {"--utf8", "t.txt"}, In(dir)).Out, terminal.Out);
  EXPECT_EQ(RunProgram("zorvel-marks", {"--utf8", "--big5", "t.txt"}, In(dir)).Out, piped.Out)
      << "the last choice counts";
}

TEST(ZorvelMarks, ManyTextsComeInTheOrderGivenWhateverTheJobs) {
  TempDir dir;
  std::vector<std::string> arguments = {"--header"};
  std::string expected;
  const char* const columns =
      "offset\tline\tVol\tSutra\tPage\tField\tLine\tChar\treadings\tfileName\texists\tmessage\n";
  // Long texts first, so that with many jobs the short ones finish earlier.
  for (int i = 0; i < 12; ++i) {
    const std::string name = "t" + std::to_string(i) + ".txt";
    WriteFile(dir.File(name), ProofText(400 - 30 * i));
    arguments.push_back(name);
    const ToolResult one = RunProgram("zorvel-marks", {"--header", name}, In(dir));
    ASSERT_EQ(one.Status, 0) << one.Err;
    ASSERT_EQ(one.Out.rfind(columns, 0), 0u) << one.Out.substr(0, 200);
    std::istringstream rows(one.Out.substr(std::string(columns).size()));
    for (std::string row; std::getline(rows, row);) expected += name + "\t" + row + "\n";
  }
  for (const char* jobs : {"1", "5"}) {
    std::vector<std::string> withJobs = arguments;
    withJobs.insert(withJobs.begin(), {"--jobs", jobs});
    const ToolResult all = RunProgram("zorvel-marks", withJobs, In(dir));
    EXPECT_EQ(all.Status, 0) << all.Err;
    EXPECT_EQ(all.Out, std::string("text\t") + columns + expected) << "--jobs " << jobs;
  }

  // A text that cannot be read is told, the others are reported, the run fails.
  const ToolResult missing =
      RunProgram("zorvel-marks", {"--jobs", "3", "t0.txt", "none.txt", "t1.txt"}, In(dir));
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("cannot read none.txt"), std::string::npos) << missing.Err;
  EXPECT_EQ(missing.Out, RunProgram("zorvel-marks", {"t0.txt", "t1.txt"}, In(dir)).Out);
}

// A folder of pages: some decode, one is blank, one is broken.
class ZorvelG4Folder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 9; ++i) {
      const std::string name = dir.File("p" + std::to_string(i) + ".tif");
      if (i == 4)
        WriteFile(name, std::string_view("II*\0not a page", 15));
      else
        ASSERT_TRUE(pagegen::WriteG4Tiff(
            name, i == 6 ? pagegen::Bitmap(1200, 1700) : pagegen::DrawTextPage({}, 10 + i)));
    }
  }
  TempDir dir;
};

// The page lines without their timings.
std::string Untimed(const std::string& out) {
  return std::regex_replace(out, std::regex("decode_ms=[0-9.]+"), "decode_ms=T");
}

// The generated frame's top border starts at row 180 and its right border ends
// at column 2249: the corner is 196,225 with the default distances.
TEST_F(ZorvelG4Folder, CornersAndJobsGiveTheOutputOfOneJob) {
  const ToolRunOptions options = In(dir);
  const ToolResult one = RunProgram("zorvel-g4", {"--jobs", "1", ".", "--corner"}, options);
  ASSERT_EQ(one.Status, 1) << "one page is broken";
  const std::string out = Untimed(one.Out);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 9) << out;
  for (const char* line : {"p0.tif result=1 width=2400 height=3400 decode_ms=T corner=196,225\n",
                           "p4.tif result=3 width=0 height=0 decode_ms=T corner=none\n",
                           "p6.tif result=1 width=1200 height=1700 decode_ms=T corner=none\n"})
    EXPECT_NE(out.find(line), std::string::npos) << out;
  for (const char* jobs : {"2", "4", "9"}) {
    const ToolResult many = RunProgram("zorvel-g4", {"--jobs", jobs, ".", "--corner"}, options);
    EXPECT_EQ(many.Status, 1);
    EXPECT_EQ(Untimed(many.Out), Untimed(one.Out)) << "--jobs " << jobs;
    EXPECT_EQ(many.Err, one.Err) << "--jobs " << jobs;
  }

  // One page, with the distances of a settings file; a page without a corner
  // still decoded; a settings file named but missing fails.
  WriteFile(dir.File("zorvel.ini"), "[RightTop]\r\nRightTopX=10\r\nRightTopY=-20\r\n");
  const ToolResult page = RunProgram("zorvel-g4", {"p0.tif", "--corner", "--ini", "zorvel.ini"}, options);
  EXPECT_EQ(Untimed(page.Out), "result=1 width=2400 height=3400 decode_ms=T corner=161,160\n");
  EXPECT_EQ(page.Status, 0);
  EXPECT_EQ(RunProgram("zorvel-g4", {"p6.tif", "--corner"}, options).Status, 0);
  EXPECT_EQ(RunProgram("zorvel-g4", {"--corner", "--ini", "none.ini", "."}, options).Status, 1);
}

TEST_F(ZorvelG4Folder, AProgressLineOnATerminalOnly) {
  ToolRunOptions options = In(dir);
  const ToolResult piped = RunProgram("zorvel-g4", {"."}, options);
  EXPECT_EQ(piped.Err.find('\r'), std::string::npos) << piped.Err;
  EXPECT_EQ(piped.Err.find("pages/s"), std::string::npos) << piped.Err;

  options.ErrTerminal = true;
  for (const char* jobs : {"1", "3"}) {
    const ToolResult shown = RunProgram("zorvel-g4", {"--jobs", jobs, "."}, options);
    EXPECT_EQ(Untimed(shown.Out), Untimed(piped.Out)) << "standard output stays as it is";
    EXPECT_TRUE(std::regex_search(shown.Err, std::regex("\r9/9 pages, [0-9]+\\.[0-9] pages/s\x1b\\[K")))
        << shown.Err;
    // The line is taken off before the summary, which stands alone on its line.
    EXPECT_TRUE(shown.Err.ends_with("\r\x1b[K9 pages, 1 failed\n")) << shown.Err;
  }
}

}  // namespace
}  // namespace zorvel::test
