// The question about unsaved work, and the size limit of an opened text.
#include "core/text/unsaved_changes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fcntl.h>

#include "core/text/text_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

struct SettleCase {
  const char* name;
  bool modified;
  Answer answer;
  SaveResult saved;
  AfterCancelledSave afterCancelled;
  bool goesOn;
  int saves;
};

TEST(SettleUnsavedChanges, AnswersAndSavesDecideWhetherTheOperationGoesOn) {
  using enum AfterCancelledSave;
  const SettleCase cases[] = {
      {"unmodified asks nothing", false, Answer::Cancel, SaveResult::Failed, Stop, true, 0},
      {"cancel stops", true, Answer::Cancel, SaveResult::Saved, GoOn, false, 0},
      {"no drops the changes", true, Answer::No, SaveResult::Failed, Stop, true, 0},
      {"yes and saved", true, Answer::Yes, SaveResult::Saved, Stop, true, 1},
      {"failed save stops even where a cancel goes on", true, Answer::Yes, SaveResult::Failed, GoOn, false,
       1},
      {"cancelled save goes on to the next dialog", true, Answer::Yes, SaveResult::Cancelled, GoOn, true, 1},
      {"cancelled save stops a close", true, Answer::Yes, SaveResult::Cancelled, Stop, false, 1},
  };
  for (const SettleCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPrompts prompts;
    prompts.Answers.push_back(c.answer);
    int saves = 0;
    const bool goesOn = SettleUnsavedChanges(
        c.modified, kTextModifiedQuestion, prompts,
        [&] {
          ++saves;
          return c.saved;
        },
        c.afterCancelled);
    EXPECT_EQ(goesOn, c.goesOn);
    EXPECT_EQ(saves, c.saves);
    EXPECT_EQ(prompts.Shown, c.modified ? std::vector<std::string>{kTextModifiedQuestion.data()}
                                        : std::vector<std::string>{});
  }
}

TEST(ReadTextForEditing, RefusesAFileBeyondTheLimitAndNamesIt) {
  TempDir dir;
  const std::string big = dir.File("big.txt");
  const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, kMaxTextLength + 1), 0);  // sparse: no disk used
  ::close(fd);
  std::string bytes = "kept";
  std::string message;
  EXPECT_FALSE(ReadTextForEditing(big, bytes, message));
  EXPECT_EQ(message, "無法開啟檔案 " + big + " : 檔案超過 104857600 位元組的上限");
  EXPECT_EQ(bytes, "kept");

  WriteFile(dir.File("small.txt"), "line\r\n");
  EXPECT_TRUE(ReadTextForEditing(dir.File("small.txt"), bytes, message));
  EXPECT_EQ(bytes, "line\r\n");
  EXPECT_EQ(TextTooLongMessage(), "錯誤 : 文字超過 104857600 位元組的上限, 無法加入.");
}

}  // namespace
}  // namespace zorvel::test
