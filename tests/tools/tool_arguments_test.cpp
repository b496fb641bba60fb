// What every program does with its command line: help and version on standard
// output with exit 0, and a bad command line refused with the usage on
// standard error and exit 2, before anything is read, written or shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "tool_run.h"

namespace zorvel::test {
namespace {

class EveryProgram : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryProgram, HelpAndVersionGoToStandardOutput) {
  const std::string program = GetParam();
  TempDir dir;
  // The GUI answers --help and --version without a display.
  const ToolRunOptions options{.Folder = dir.Path().string(),
                               .Unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}};
  for (const char* asked : {"--help", "-h"}) {
    const ToolResult help = RunProgram(program, {asked}, options);
    EXPECT_EQ(help.Status, 0) << asked << help.Err;
    EXPECT_EQ(help.Out.rfind("usage: " + program + " ", 0), 0u) << help.Out;
    EXPECT_NE(help.Out.find("--version"), std::string::npos) << help.Out;
    EXPECT_EQ(help.Err, "");
  }
  const ToolResult version = RunProgram(program, {"--version"}, options);
  EXPECT_EQ(version.Status, 0) << version.Err;
  EXPECT_EQ(version.Out, program + " " + ZORVEL_PROJECT_VERSION + "\n");
  EXPECT_EQ(version.Err, "");
  // Neither made anything in the working folder.
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_P(EveryProgram, ABadCommandLineExitsWithTheUsageOnStandardError) {
  const std::string program = GetParam();
  TempDir dir;
  const ToolRunOptions options{.Folder = dir.Path().string(), .Env = {"QT_QPA_PLATFORM=offscreen"}};
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--no-such-option"}, {"--no-such-option", "x.txt"}, {"-x"}, {"--help=yes"}}) {
    const ToolResult run = RunProgram(program, arguments, options);
    EXPECT_EQ(run.Status, 2) << arguments[0] << ": " << run.Err;
    EXPECT_EQ(run.Out, "") << arguments[0];
    EXPECT_NE(run.Err.find("usage: " + program + " "), std::string::npos) << arguments[0] << ": " << run.Err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgram,
                         ::testing::Values("zorvel", "zorvel-g4", "zorvel-marks", "zorvel-make-sample"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

// Arguments that are missing or out of range, program by program.
struct Refused {
  const char* Program;
  std::vector<std::string> Arguments;
  const char* Reason;  // part of the first line of standard error
};

class RefusedCommandLine : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedCommandLine, ExitsTwoAndSaysWhy) {
  const Refused& refused = GetParam();
  TempDir dir;
  const ToolResult run = RunProgram(refused.Program, refused.Arguments, {.Folder = dir.Path().string()});
  EXPECT_EQ(run.Status, 2) << refused.Program << ": " << run.Err;
  EXPECT_NE(run.Err.substr(0, run.Err.find('\n')).find(refused.Reason), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("usage: "), std::string::npos) << run.Err;
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "a refused command line makes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Programs, RefusedCommandLine,
    ::testing::Values(Refused{"zorvel-make-sample", {}, "too few arguments"},
                      Refused{"zorvel-make-sample", {"a", "b"}, "too many arguments"},
                      Refused{"zorvel-g4", {}, "too few arguments"},
                      Refused{"zorvel-g4", {"page.tif", "--repeat"}, "--repeat needs N"},
                      Refused{"zorvel-g4", {"page.tif", "--repeat", "0"}, "--repeat needs a whole number"},
                      Refused{"zorvel-g4", {"pages", "--jobs", "2x"}, "--jobs needs a whole number"},
                      Refused{"zorvel-g4", {"pages", "--jobs=0"}, "--jobs needs a whole number"},
                      Refused{"zorvel-g4", {"page.tif", "--ini", "a.ini"}, "--ini is for --corner"},
                      Refused{"zorvel-g4", {"page.tif", "--corner=1"}, "--corner takes no value"},
                      Refused{"zorvel-marks", {}, "too few arguments"},
                      Refused{"zorvel-marks", {"text.txt", "--ini"}, "--ini needs FILE"},
                      Refused{"zorvel-marks", {"text.txt", "--jobs", "-1"}, "--jobs needs a whole number"}));

// "--" ends the options: what follows is a file, whatever it looks like.
TEST(ToolArguments, AfterTwoDashesAnOptionIsAFileName) {
  TempDir dir;
  const ToolRunOptions options{.Folder = dir.Path().string()};
  WriteFile(dir.File("--help"), "T01n0001_p0001a01\xF9\xF9{{a||b}}\r\n");
  const ToolResult run = RunProgram("zorvel-marks", {"--", "--help"}, options);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_NE(run.Out.find("marks=1 "), std::string::npos) << run.Out;
  EXPECT_EQ(RunProgram("zorvel-make-sample", {"--jobs=2"}, options).Status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("--jobs=2")));
}

}  // namespace
}  // namespace zorvel::test
