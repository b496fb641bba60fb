// The recovery file through the real windows: the offer on open, the periodic
// write and its removal at close, and the exit on SIGTERM in a child process.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "core/settings/ini_file.h"
#include "core/text/document_recovery.h"
#include "image_sample.h"
#include "ui/shell/application.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_form.h"
#include "ui/text/text_recovery.h"

namespace zorvel::test {
namespace {

constexpr const char* kChildFolder = "ZORVEL_RECOVERY_CHILD";

void TypeText(const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(TextForm()->RichEdit(), &press);
}

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
  MainForm()->FileOpen();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{DocumentRecovery::RestoreQuestion(path)});
  EXPECT_EQ(TextForm()->Editor().Text(), "recovered\r\n");
  EXPECT_TRUE(TextForm()->Editor().Modified());

  // Typing reaches the periodic write (the timer made quick here).
  TextForm()->Editor().SetSelStart(TextForm()->Editor().TextLength());
  TypeText("x");
  TextForm()->Recovery().AutoSaveTimer()->setInterval(10);
  QElapsedTimer clock;
  clock.start();
  while (ReadFile(backup) != "recovered\r\nx" && clock.elapsed() < 5000) QTest::qWait(10);
  EXPECT_EQ(ReadFile(backup), "recovered\r\nx");

  // Closed with "No": the changes and the recovery file go, the text stays.
  prompts_.Answers.push_back(Answer::No);
  EXPECT_TRUE(MainForm()->close());
  TextForm()->Recovery().Rules().Writer().Wait();
  EXPECT_FALSE(std::filesystem::exists(backup));
  EXPECT_EQ(ReadFile(path), "original\r\n");
}

// Run only as the child of the next test: holds a modified text in the real
// windows, with the program's signal handling, until a signal ends it.
TEST(RecoveryChild, HoldsAModifiedTextUntilSignalled) {
  const QByteArray folder = qgetenv(kChildFolder);
  if (folder.isEmpty()) GTEST_SKIP() << "started by ExitSignal.SigtermKeepsTextAndLayout";
  ScriptedPrompts prompts;  // any question fails the child
  QDir::setCurrent(QString::fromLocal8Bit(folder));
  zorvel::PrepareApplication();
  Workbench bench(&prompts);
  CurrentBench() = &bench;
  InstallExitOnSignals(bench);
  MainForm()->show();
  MainForm()->move(37, 41);
  TextForm()->OpenFileNameHook = [] { return QDir::current().filePath("T01.txt"); };
  MainForm()->FileOpen();
  TextForm()->Editor().SetSelStart(TextForm()->Editor().TextLength());
  TypeText(QString::fromUtf8("改"));
  std::printf("ready\n");
  std::fflush(stdout);
  QTimer::singleShot(30000, [] { QCoreApplication::exit(3); });
  EXPECT_EQ(QCoreApplication::exec(), 0) << "no signal came";
  CurrentBench() = nullptr;
  EXPECT_TRUE(prompts.Shown.empty());
}

TEST(ExitSignal, SigtermKeepsTextAndLayout) {
  TempDir dir;
  const std::string path = dir.File("T01.txt");
  WriteFile(path, "text\r\n");
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildFolder, QString::fromStdString(dir.Path().string()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=RecoveryChild.HoldsAModifiedTextUntilSignalled"});
  ASSERT_TRUE(child.waitForStarted(10000));
  QByteArray out;
  QElapsedTimer clock;
  clock.start();
  while (!out.contains("ready\n") && clock.elapsed() < 30000 && child.state() == QProcess::Running) {
    child.waitForReadyRead(200);
    out += child.readAllStandardOutput();
  }
  ASSERT_TRUE(out.contains("ready\n")) << out.toStdString() << child.readAllStandardError().toStdString();

  ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGTERM), 0);
  if (!child.waitForFinished(30000)) {
    child.kill();
    child.waitForFinished(5000);
    FAIL() << "the child did not end on SIGTERM";
  }
  out += child.readAllStandardOutput();
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << out.toStdString();

  EXPECT_EQ(ReadFile(path), "text\r\n") << "the text itself is never written unasked";
  EXPECT_EQ(ReadFile(path + ".zorvel-recovery"), "text\r\n\xA7\xEF");
  const IniFile ini(dir.File("zorvel.ini"));
  EXPECT_EQ(ini.ReadInteger("Screen", "MainLeft", -1), 37);
  EXPECT_EQ(ini.ReadInteger("Screen", "MainTop", -1), 41);
  EXPECT_EQ(ini.ReadString("tbMain", "DockedTo", ""), "Dock971");
}

}  // namespace
}  // namespace zorvel::test
