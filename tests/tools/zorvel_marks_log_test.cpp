// zorvel-marks --log: a second proofreader checks the first one's decision log
// against the text as it was saved, and as someone edited it afterwards.
#include <gtest/gtest.h>
#include <string>

#include "core/proof/decision_log.h"
#include "core/text/big5.h"
#include "support/test_support.h"
#include "tool_run.h"

namespace zorvel::test {
namespace {

TEST(ZorvelMarksLog, ASessionStandsUntilTheTextIsEditedAfterwards) {
  TempDir dir;
  const std::string textPath = dir.File("T01n0001.txt");
  const std::string logPath = DecisionLogPath(textPath);
  // The log of a session: the second mark of line 1 chosen first, then the
  // mark of line 2, then the first mark of line 1 (decision_log_test writes such logs).
  WriteFile(logPath, std::string(kDecisionLogHeader) + "t\tT01n0001_p0001a01║\t33\t{{聞||問}}\t問\tsecond\n" +
                         "t\tT01n0001_p0001a02║\t58\t{{時||詩||時}}\t時\tthird\n" +
                         "t\tT01n0001_p0001a01║\t21\t{{是||時}}\t是\tfirst\n");
  WriteFile(textPath, Utf8ToBig5("T01n0001_p0001a01║如是我問\r\nT01n0001_p0001a02║一時佛在\r\n"));
  const ToolRunOptions options{.Folder = dir.Path().string()};
  const std::vector<std::string> args = {"--log", logPath, textPath};
  ToolResult run = RunProgram("zorvel-marks", args, options);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "decisions=3 standing=3 changed=0 unreadable=0\n");

  // Someone changed the second reading back after the session.
  WriteFile(textPath, Utf8ToBig5("T01n0001_p0001a01║如是我聞\r\nT01n0001_p0001a02║一時佛在\r\n"));
  run = RunProgram("zorvel-marks", args, options);
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(
      run.Out,
      "log line 2: T01n0001_p0001a01║ offset 33 (now 25): \"問\" no longer stands there; the text holds "
      "\"聞\"\n"
      "decisions=3 standing=2 changed=1 unreadable=0\n");

  EXPECT_EQ(RunProgram("zorvel-marks", {"--log", logPath}, options).Status, 2);
  EXPECT_EQ(RunProgram("zorvel-marks", {"--log", "none.log.tsv", textPath}, options).Status, 2);
}

}  // namespace
}  // namespace zorvel::test
