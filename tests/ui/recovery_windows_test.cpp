// The recovery file through the real windows: the offer on open, the periodic
// write and its removal at close.

#include <QKeyEvent>
#include <QStatusBar>
#include <filesystem>

#include "core/text/document_recovery.h"
#include "image_sample.h"
#include "ui/text/text_recovery.h"

namespace zorvel::test {
namespace {

TEST_F(WindowSetTest, RecoveryFileFromOpenToClose) {
  Start();
  const std::string path = dir_.File("T01.txt");
  const std::string backup = path + ".zorvel-recovery";
  WriteFile(path, "original\r\n");
  WriteFile(backup, "recovered\r\n");
  std::filesystem::last_write_time(backup, std::filesystem::last_write_time(path) + std::chrono::seconds(5));

  // Restored: the recovered text, modified, under the text's own name.
  prompts_.Answers.push_back(Answer::Yes);
  TextForm()->OpenFileNameHook = [&] { return QString::fromStdString(path); };
  TextForm()->FileOpen();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{DocumentRecovery::RestoreQuestion(path)});
  EXPECT_EQ(TextForm()->FileName(), QString::fromStdString(path));
  EXPECT_EQ(TextForm()->Editor().Text(), "recovered\r\n");
  EXPECT_TRUE(TextForm()->Editor().Modified());

  // Typing reaches the periodic write (the timer made quick here); the status
  // line tells of a character the text cannot hold.
  TextForm()->Editor().SetSelStart(TextForm()->Editor().TextLength());
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, U("é"));
  QApplication::sendEvent(TextForm()->RichEdit(), &press);
  EXPECT_TRUE(MainForm()->StatusLine()->currentMessage().startsWith(U("已將 1 個 Big5")));
  TextForm()->Recovery().AutoSaveTimer()->setInterval(10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadFile(backup) == "recovered\r\n?"; }, 5000));

  // Closed with "No": the changes and the recovery file go, the text stays.
  prompts_.Answers.push_back(Answer::No);
  EXPECT_TRUE(MainForm()->close());
  TextForm()->Recovery().Rules().Writer().Wait();
  EXPECT_FALSE(std::filesystem::exists(backup));
  EXPECT_EQ(ReadFile(path), "original\r\n");
}

}  // namespace
}  // namespace zorvel::test
