// The recovery file over the in-memory editor and real files: the periodic and
// the exit write, removal after a save or a discard, and the offer on open.
#include "core/text/document_recovery.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>

#include "support/test_support.h"

namespace zorvel::test {
namespace {

namespace fs = std::filesystem;

// Sets a file's modification time to now plus seconds.
void Touch(const std::string& path, int seconds) {
  fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(seconds));
}

class DocumentRecoveryTest : public ::testing::Test, protected DocumentBench {
 protected:
  void Type(std::string_view bytes) {
    DocumentBench::Type(bytes);
    recovery.NoteChange();
  }
  void AutoSaveAndWait() {
    recovery.AutoSave();
    recovery.Writer().Wait();
  }

  DocumentRecovery recovery{editor, document, Prompter(), dir.Path().string()};
  const std::string text = dir.File("T01.txt");
  const std::string backup = text + ".zorvel-recovery";
};

TEST_F(DocumentRecoveryTest, PeriodicWriteKeepsTheModifiedTextBesideTheFile) {
  WriteFile(text, "old\r\n");
  Open(text);
  AutoSaveAndWait();
  EXPECT_FALSE(fs::exists(backup)) << "an unmodified text needs no recovery file";

  Type("new");
  AutoSaveAndWait();
  EXPECT_EQ(ReadFile(backup), "old\r\nnew");
  EXPECT_EQ(ReadFile(text), "old\r\n") << "the operator's text is never written unasked";

  // Back to the text as saved: the recovery file goes.
  editor.SetModified(false);
  AutoSaveAndWait();
  EXPECT_FALSE(fs::exists(backup));
  EXPECT_TRUE(prompts.Shown.empty());
}

TEST_F(DocumentRecoveryTest, SaveDiscardAndCloseRemoveTheRecoveryFile) {
  const std::string other = dir.File("T02.txt");
  WriteFile(text, "a");
  WriteFile(other, "b");
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"saved", [&] { EXPECT_EQ(document.FileSave(), SaveResult::Saved); }},
      {"discarded by an open", [&] { prompts.Answers.push_back(Answer::No), Open(other); }},
      {"closed", [&] { recovery.SessionClosed(); }},
  };
  for (const auto& [name, end] : cases) {
    SCOPED_TRACE(name);
    Open(text);
    Type("+");
    AutoSaveAndWait();
    ASSERT_TRUE(fs::exists(backup));
    end();
    recovery.Writer().Wait();
    EXPECT_FALSE(fs::exists(backup));
  }
}

TEST_F(DocumentRecoveryTest, ExitWriteIsImmediateAndFinal) {
  // An unnamed text goes to the start folder.
  Type("typed");
  EXPECT_TRUE(recovery.SaveForExit());
  const std::string unnamed = dir.File("zorvel-untitled.txt.zorvel-recovery");
  // Whatever the close sequence still does afterwards keeps the file.
  recovery.SessionClosed();
  recovery.Writer().Wait();
  EXPECT_EQ(ReadFile(unnamed), "typed");
}

TEST_F(DocumentRecoveryTest, ARecoveryFileOfAnotherRunIsMovedAsideNotOverwritten) {
  WriteFile(text, "a");
  WriteFile(backup, "earlier run");
  Touch(backup, -100);  // older than the text: not offered
  Open(text);
  EXPECT_TRUE(prompts.Shown.empty());
  Type("+");
  AutoSaveAndWait();
  EXPECT_EQ(ReadFile(backup), "a+");
  EXPECT_EQ(ReadFile(backup + ".kept"), "earlier run");
}

TEST_F(DocumentRecoveryTest, OpenOffersANewerRecoveryFile) {
  // Yes restores it, No drops it, Cancel keeps it for later; the text stays as it was.
  const std::tuple<Answer, std::string, bool> cases[] = {
      {Answer::Yes, "recovered", true}, {Answer::No, "original", false}, {Answer::Cancel, "original", true}};
  for (const auto& [answer, shown, stays] : cases) {
    SCOPED_TRACE(static_cast<int>(answer));
    prompts.Shown.clear();
    WriteFile(text, "original");
    WriteFile(backup, "recovered");
    Touch(backup, 10);
    prompts.Answers.push_back(answer);
    Open(text);
    EXPECT_EQ(prompts.Shown, std::vector<std::string>{DocumentRecovery::RestoreQuestion(text)});
    EXPECT_EQ(editor.Text(), shown);
    EXPECT_EQ(ReadFile(text), "original");
    EXPECT_EQ(fs::exists(backup), stays);
    editor.SetModified(false);
    AutoSaveAndWait();
  }

  // A recovery file as new as the text counts as newer.
  WriteFile(backup, "recovered");
  fs::last_write_time(backup, fs::last_write_time(text));
  prompts.Answers.push_back(Answer::Yes);
  Open(text);
  EXPECT_EQ(editor.Text(), "recovered");
}

TEST_F(DocumentRecoveryTest, FailedBackgroundWriteIsReportedOnce) {
  const std::string locked = dir.File("locked");
  fs::create_directory(locked);
  const std::string inside = locked + "/T01.txt";
  WriteFile(inside, "a");
  Open(inside);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  for (int i = 0; i < 2; ++i) {
    Type("+");
    AutoSaveAndWait();
  }
  recovery.AutoSave();
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_EQ(prompts.Shown,
            std::vector<std::string>{DocumentRecovery::WriteFailedWarning(inside + ".zorvel-recovery")});
}

}  // namespace
}  // namespace zorvel::test
