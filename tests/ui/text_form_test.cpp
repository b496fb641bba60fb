// The text window: its document operations through the dialog hooks, a line
// too long to edit, and its close box.
#include "ui/text/text_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>

#include "ui/image_sample.h"

namespace zorvel::test {
namespace {

class TextFormTest : public WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    Start();
    Form().parentWidget()->resize(500, 300);
    Form().OpenFileNameHook = [this] { return opens.isEmpty() ? QString() : opens.takeFirst(); };
    Form().SaveFileNameHook = [] { return QString(); };
  }
  ScriptedPrompts& prompts = prompts_;
  static TTextForm& Form() { return *TextForm(); }
  QStringList opens;
};

TEST_F(TextFormTest, OpenNamesTheWindowAndTypingCountsReplacedCharacters) {
  TempDir dir;
  const std::string path = dir.File("T01.txt");
  WriteFile(path, "T01n0001_p0001a01\xF9\xF8\r\nsecond\n");
  QSignalSpy named(&Form(), &TTextForm::FileNameChanged);
  opens << QString::fromStdString(path);
  Form().FileOpen();
  EXPECT_EQ(Form().windowTitle(), QString::fromStdString(path));
  EXPECT_EQ(named.count(), 1);
  // The status line tells of a character the text cannot hold.
  Form().Editor().SetSelStart(Form().Editor().LineStart(1));
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, U("é"));
  QApplication::sendEvent(Form().RichEdit(), &press);
  EXPECT_TRUE(MainForm()->StatusLine()->currentMessage().startsWith(U("已將 1 個 Big5")));
  prompts.Answers.push_back(Answer::Cancel);
  EXPECT_FALSE(Form().CloseQuery());
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
}

TEST_F(TextFormTest, ATenMegabyteLineOpensReadOnlyInPiecesAndF2FindsItsMark) {
  TempDir dir;
  const std::string path = dir.File("lost-line-ends.txt");
  std::string line = "T01n0001_p0001a01\xF9\xF8";
  while (line.size() < 10 * 1024 * 1024)
    line +=
        "\xA5\xD2\xA4\x41"
        "abc\xA1\x43";
  const std::string bytes = line + "{{\xA5\xD2||\xA4\x41}}\r\n";
  WriteFile(path, bytes);
  opens << QString::fromStdString(path);
  prompts.Answers.push_back(Answer::Yes);
  Form().FileOpen();
  ASSERT_EQ(prompts.Shown.size(), 1u);
  EXPECT_EQ(prompts.Shown[0].rfind("第 1 行長達 " + std::to_string(line.size() + 10) + " 位元組", 0), 0u);
  EXPECT_EQ(Form().windowTitle(), QString::fromStdString(path) + U(" (唯讀)"));
  // Shown in pieces of at most a kilobyte, so that a view lays out little.
  EXPECT_GT(Form().RichEdit()->document()->blockCount(), static_cast<int>(bytes.size() / 1024));
  QApplication::processEvents();
  EXPECT_TRUE(Form().FindSign());
  EXPECT_EQ(Form().Editor().SelStart(), static_cast<int>(line.size()));
  EXPECT_EQ(Form().Editor().SelectedBytes(), "{{");
  QApplication::processEvents();
  // Typing changes nothing; the bytes are as they were.
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, "x");
  QApplication::sendEvent(Form().RichEdit(), &press);
  EXPECT_EQ(Form().Editor().Text(), bytes);
}

TEST_F(WindowSetTest, TextWindowCloseBoxKeepsTheWindowAndItsDocument) {
  Start();
  TTextForm* form = TextForm();
  QPointer<TTextForm> alive(form);
  auto* window = qobject_cast<QMdiSubWindow*>(form->parentWidget());
  ASSERT_NE(window, nullptr);
  form->Editor().SetText("unsaved");
  form->Editor().SetModified(true);
  window->close();
  QApplication::processEvents();
  ASSERT_FALSE(alive.isNull());
  EXPECT_TRUE(window->isMinimized());
  EXPECT_EQ(form->Editor().Text(), "unsaved");
  EXPECT_TRUE(form->Editor().Modified());
}

}  // namespace
}  // namespace zorvel::test
