// The document operations with scripted questions and dialogs over real files,
// the question about unsaved work, and the size limit of an opened text.
#include "core/text/unsaved_changes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/text/memory_editor.h"
#include "core/text/text_document.h"
#include "core/text/text_file.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

TEST(SettleUnsavedChanges, AnswersAndSavesDecideWhetherTheOperationGoesOn) {
  using enum AfterCancelledSave;
  const struct {
    const char* name;
    bool modified;
    Answer answer;
    SaveResult saved;
    AfterCancelledSave afterCancelled;
    bool goesOn;
    int saves;
  } cases[] = {
      {"unmodified asks nothing", false, Answer::Cancel, SaveResult::Failed, Stop, true, 0},
      {"cancel stops", true, Answer::Cancel, SaveResult::Saved, GoOn, false, 0},
      {"no drops the changes", true, Answer::No, SaveResult::Failed, Stop, true, 0},
      {"yes and saved", true, Answer::Yes, SaveResult::Saved, Stop, true, 1},
      {"failed save stops even where a cancel goes on", true, Answer::Yes, SaveResult::Failed, GoOn, false,
       1},
      {"cancelled save goes on to the next dialog", true, Answer::Yes, SaveResult::Cancelled, GoOn, true, 1},
      {"cancelled save stops a close", true, Answer::Yes, SaveResult::Cancelled, Stop, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPrompts prompts;
    prompts.Answers.push_back(c.answer);
    int saves = 0;
    const auto save = [&] { return ++saves, c.saved; };
    EXPECT_EQ(SettleUnsavedChanges(c.modified, kTextModifiedQuestion, prompts, save, c.afterCancelled),
              c.goesOn);
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
  EXPECT_EQ(TextTooLongMessage(), "錯誤 : 文字超過 104857600 位元組的上限, 無法加入.");
}

class TextDocumentTest : public ::testing::Test, protected DocumentBench {};

// Lone CR, lone LF, invalid bytes and a duplicate pair: a file that must come
// back byte for byte.
const std::string kAwkward =
    "T01n0001_p0001a01\xF9\xF8\xA4\x40{{\xA5\xD2||\xA4\x41}}\r\nlf\ncr\r\x80\xFF\x81\x30\xA2\xCC\xA4";

TEST_F(TextDocumentTest, OpenAndSaveAreByteExact) {
  const std::string path = dir.File("proof.txt");
  WriteFile(path, kAwkward);
  Open(path);
  EXPECT_EQ(editor.Text(), kAwkward);
  EXPECT_TRUE(editor.HasFocus());

  // Edit one line: only that line changes on disk.
  editor.SetSelection(editor.LineStart(1), 2);
  editor.ReplaceSelection("LF");
  EXPECT_EQ(document.FileSave(), SaveResult::Saved);
  std::string expected = kAwkward;
  expected.replace(expected.find("lf\n"), 2, "LF");
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(dialogs.Asked, std::vector<std::string>{"open"});  // Save asked no name
}

// The question itself is SettleUnsavedChanges' (above): here, that Open asks
// it first and goes on after a cancelled Save As, and that OpenFile, the open
// without its dialog, asks it too and tells whether it looked for the file.
TEST_F(TextDocumentTest, TheModifiedQuestionComesBeforeTheOpen) {
  const std::string first = dir.File("first.txt");
  WriteFile(first, "first");
  Type("typed before any open");
  prompts.Answers = {Answer::Cancel};
  EXPECT_FALSE(document.FileOpen());
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{std::string(kTextModifiedQuestion)});
  EXPECT_TRUE(dialogs.Asked.empty());

  prompts.Answers = {Answer::Yes};
  dialogs.Save.push_back("");  // Save As cancelled
  dialogs.Open.push_back(first);
  EXPECT_TRUE(document.FileOpen());
  EXPECT_EQ(dialogs.Asked, (std::vector<std::string>{"save", "open"}));
  EXPECT_EQ(document.Caption(), first);

  Type(" typed");
  const std::string gone = dir.File("gone.txt");
  prompts.Answers = {Answer::Cancel, Answer::No, Answer::No};
  EXPECT_EQ(document.OpenFile(gone), OpenResult::Stopped);
  EXPECT_EQ(document.OpenFile(gone), OpenResult::NotOpened);
  EXPECT_EQ(prompts.Shown.back(), "無法開啟檔案 " + gone + " : No such file or directory");
  EXPECT_EQ(document.OpenFile(first), OpenResult::Opened);
  EXPECT_EQ(editor.Text(), "first");
  EXPECT_EQ(prompts.Shown.size(), 6u) << "the question before each";
  EXPECT_EQ(dialogs.Asked.size(), 2u);
}

TEST_F(TextDocumentTest, ALineTooLongToEditIsOpenedReadOnlyOnlyIfTheOperatorAgrees) {
  const std::string kept = dir.File("kept.txt");
  WriteFile(kept, "kept");
  Open(kept);
  const std::string path = dir.File("one-line.txt");
  const std::string bytes = "head\r\n" + std::string(3 * 1024 * 1024, 'x') + "{{a||b}}\r\n";
  WriteFile(path, bytes);
  const std::string question =
      "第 2 行長達 3145736 位元組, 超過可編輯的上限 8192 位元組. 是否以唯讀方式開啟?";
  EXPECT_FALSE(FindLongLine(std::string(8192, 'a') + "\r\n" + std::string(8192, 'a')).has_value());
  EXPECT_EQ(FindLongLine("a\rb\n" + std::string(8193, 'b'))->Line, 2);

  // No: nothing is opened.
  dialogs.Open.push_back(path);
  prompts.Answers.push_back(Answer::No);
  EXPECT_FALSE(document.FileOpen());
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{question});
  EXPECT_EQ(document.FileName(), kept);

  // Yes: the bytes as they are, read-only, and the caption says so.
  dialogs.Open.push_back(path);
  prompts.Answers.push_back(Answer::Yes);
  ASSERT_TRUE(document.FileOpen());
  EXPECT_EQ(editor.Text(), bytes);
  EXPECT_EQ(document.Caption(), path + " (唯讀)");
  // Saving writes the same bytes back.
  EXPECT_EQ(document.FileSave(), SaveResult::Saved);
  EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(TextDocumentTest, AFileThatCannotBeWrittenOrReadLosesNothing) {
  const std::string path = dir.File("readonly.txt");
  WriteFile(path, "on disk");
  Open(path);
  ::chmod(path.c_str(), 0444);
  Type("!");
  EXPECT_EQ(document.FileSave(), SaveResult::Failed);
  EXPECT_EQ(ReadFile(path), "on disk");
  // A folder to open, the changes not saved: the text, its name and its changes stay.
  prompts.Answers.push_back(Answer::No);
  dialogs.Open.push_back(dir.Path().string());
  EXPECT_FALSE(document.FileOpen());
  ASSERT_EQ(prompts.Shown.size(), 3u);
  EXPECT_NE(prompts.Shown[0].find("Permission denied"), std::string::npos) << prompts.Shown[0];
  EXPECT_NE(prompts.Shown[2].find(" : Is a directory"), std::string::npos) << prompts.Shown[2];
  EXPECT_EQ(editor.Text() + document.FileName(), "on disk!" + path);
  EXPECT_TRUE(editor.Modified());
}

}  // namespace
}  // namespace zorvel::test
