// zorvel-g4 run as an operator runs it on a folder of scans: the page lines, the corner the
// automatic search finds on each page, and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>
#include <string>

#include "pagegen/page_generator.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

struct ToolRun {
  std::string Out;
  int Status = -1;
};

ToolRun RunTool(const std::string& arguments) {
  ToolRun run;
  const std::string command = std::string(ZORVEL_BINARY_DIR) + "/bin/zorvel-g4 " + arguments + " 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.Out += buffer.data();
  const int status = ::pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

// Frame of the generated text page: top border from row 180, right border ending at column 2249.
class ZorvelG4Corner : public ::testing::Test {
 protected:
  void SetUp() override {
    pagegen::PageLayout layout;
    ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("a.tif"), pagegen::DrawTextPage(layout, 5)));
    ASSERT_TRUE(pagegen::WriteG4Tiff(dir.File("b.tif"), pagegen::Bitmap(2400, 3400)));
    WriteFile(dir.File("c.tif"), std::string_view("II*\0not a page", 15));
  }
  TempDir dir;
};

TEST_F(ZorvelG4Corner, AFolderTellsWhichPagesHaveACorner) {
  const ToolRun run =
      RunTool("--corner --ini " + Quoted(dir.File("none.ini")) + " " + Quoted(dir.Path().string()));
  EXPECT_EQ(run.Status, 1) << "a settings file named but missing";

  const ToolRun folder = RunTool(Quoted(dir.Path().string()) + " --corner");
  const std::regex expected(
      "a\\.tif result=1 width=2400 height=3400 decode_ms=[0-9.]+ corner=196,225\n"
      "b\\.tif result=1 width=2400 height=3400 decode_ms=[0-9.]+ corner=none\n"
      "c\\.tif result=3 width=0 height=0 decode_ms=[0-9.]+ corner=none\n");
  EXPECT_TRUE(std::regex_match(folder.Out, expected)) << folder.Out;
  EXPECT_EQ(folder.Status, 1) << "one page did not decode";
}

TEST_F(ZorvelG4Corner, OnePageWithTheDistancesOfASettingsFile) {
  WriteFile(dir.File("zorvel.ini"), "[RightTop]\r\nRightTopX=10\r\nRightTopY=-20\r\n");
  const ToolRun run =
      RunTool(Quoted(dir.File("a.tif")) + " --corner --ini " + Quoted(dir.File("zorvel.ini")));
  EXPECT_TRUE(std::regex_match(run.Out, std::regex("result=1 width=2400 height=3400 decode_ms=[0-9.]+ "
                                                   "corner=161,160\n")))
      << run.Out;
  EXPECT_EQ(run.Status, 0);

  const ToolRun blank = RunTool(Quoted(dir.File("b.tif")) + " --corner");
  EXPECT_NE(blank.Out.find(" corner=none\n"), std::string::npos) << blank.Out;
  EXPECT_EQ(blank.Status, 0) << "a page without a corner still decoded";
}

}  // namespace
}  // namespace zorvel::test
