// zorvel-marks --log: a second proofreader checks the first one's decision log
// against the text as it was saved, and as someone edited it afterwards.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "core/proof/decision_log.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "core/text/memory_editor.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

struct MarksRun {
  std::string Out;
  int Status = -1;
};

MarksRun Marks(const std::string& arguments) {
  MarksRun run;
  const std::string command =
      std::string(ZORVEL_BINARY_DIR) + "/bin/zorvel-marks " + arguments + " 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.Out += buffer.data();
  const int status = ::pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

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
    for (Selection answer : {Selection::Second, Selection::Third}) {
      prompts.Choices.push_back(ChoiceAnswer{answer, {}, false});
      proofreader.RunLoop();
    }
    editor.SetSelStart(0);
    prompts.Choices.push_back(ChoiceAnswer{Selection::First, {}, false});
    proofreader.RunLoop();
    ASSERT_EQ(Big5ToUtf8(editor.Text()), "T01n0001_p0001a01║如是我問\r\nT01n0001_p0001a02║一時佛在\r\n");
    WriteFile(textPath, editor.Text());
  }
  const std::string args = "--log '" + logPath + "' '" + textPath + "'";
  MarksRun run = Marks(args);
  EXPECT_EQ(run.Status, 0) << run.Out;
  EXPECT_EQ(run.Out, "decisions=3 standing=3 changed=0 unreadable=0\n");

  // Someone changed the second reading back after the session.
  WriteFile(textPath, Utf8ToBig5("T01n0001_p0001a01║如是我聞\r\nT01n0001_p0001a02║一時佛在\r\n"));
  run = Marks(args);
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(
      run.Out,
      "log line 2: T01n0001_p0001a01║ offset 33 (now 25): \"問\" no longer stands there; the text holds "
      "\"聞\"\n"
      "decisions=3 standing=2 changed=1 unreadable=0\n");

  EXPECT_EQ(Marks("--log '" + logPath + "'").Status, 2);
  EXPECT_EQ(Marks("--log '" + dir.File("none.log.tsv") + "' '" + textPath + "'").Status, 2);
}

}  // namespace
}  // namespace zorvel::test
