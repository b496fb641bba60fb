// zorvel-marks --log: a second proofreader checks the first one's decision log
// against the text as it was saved, and as someone edited it afterwards.
#include <gtest/gtest.h>
#include <string>

#include "core/proof/decision_log.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"
#include "tool_run.h"

namespace zorvel::test {
namespace {

TEST(ZorvelMarksLog, ASessionStandsUntilTheTextIsEditedAfterwards) {
  TempDir dir;
  const std::string textPath = dir.File("T01n0001.txt");
  const std::string logPath = DecisionLogPath(textPath);
  {
    // A session: F1 on each of three marks, the second chosen before the first.
    MemoryEditor editor;
    editor.SetText(
        Utf8ToBig5("T01n0001_p0001a01║如{{是||時}}我{{聞||問}}\r\n"
                   "T01n0001_p0001a02║一{{時||詩||時}}佛在\r\n"));
    Settings settings;
    ScriptedPrompts prompts;
    DecisionLog log(logPath, {});
    TextProofreader proofreader(editor, settings, prompts, nullptr);
    proofreader.SetDecisionSink(&log);
    editor.SetSelStart(30);  // past the first mark
    for (Selection answer : {Selection::Second, Selection::Third, Selection::First}) {
      if (answer == Selection::First) editor.SetSelStart(0);
      prompts.Choices.push_back(ChoiceAnswer{answer, {}, false});
      proofreader.RunLoop();
    }
    ASSERT_EQ(Big5ToUtf8(editor.Text()), "T01n0001_p0001a01║如是我問\r\nT01n0001_p0001a02║一時佛在\r\n");
    WriteFile(textPath, editor.Text());
  }
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
