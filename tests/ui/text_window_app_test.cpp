// The text window inside the program's window set: the File menu reaches its
// document operations, the MDI child's title follows the caption, and the main
// window hears of replaced characters.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "support/canon_text.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/main_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"

namespace zorvel::test {
namespace {

class TextWindowAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_folder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    SetAppPrompts(&prompts_);
    CreateZorvelWindows();
    ASSERT_NE(TextForm, nullptr);
    MainForm->resize(900, 600);
    MainForm->show();
  }
  void TearDown() override {
    DestroyZorvelWindows();
    SetAppPrompts(nullptr);
    QDir::setCurrent(old_folder_);
  }
  QMdiSubWindow* TextWindow() const {
    for (QMdiSubWindow* w : MainForm->ClientArea()->subWindowList()) {
      if (w->widget() == TextForm) return w;
    }
    return nullptr;
  }

  TempDir dir_;
  ScriptedPrompts prompts_;
  QString old_folder_;
};

TEST_F(TextWindowAppTest, OpenTypeSaveFromTheMainWindow) {
  CanonTextOptions options;
  options.TargetBytes = 3000;
  std::string text = MakeCanonText(options);
  text.insert(text.find("\r\n") + 2, "\x80\xFF");  // invalid bytes at the start of line 2
  const std::string path = dir_.File("T01.txt");
  WriteFile(path, text);
  QMdiSubWindow* window = TextWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "(no file)");

  TextForm->OpenFileNameHook = [&] { return QString::fromStdString(path); };
  MainForm->FileOpen();
  EXPECT_EQ(MainForm->TextFileName, QString::fromStdString(path));
  EXPECT_EQ(window->windowTitle(), QString::fromStdString(path));
  EXPECT_EQ(TextForm->Editor().Text(), text);

  // Type a character Big5 cannot hold at the start of line 3 (the euro sign it
  // can: A3E1).
  TextForm->Editor().SetSelStart(TextForm->Editor().LineStart(2));
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("é"));
  QApplication::sendEvent(TextForm->RichEdit(), &press);
  MainForm->FileSave();
  std::string expected = text;
  expected.insert(static_cast<std::size_t>(TextForm->Editor().LineStart(2)), "?");
  EXPECT_TRUE(ReadFile(path) == expected) << "the saved bytes differ from the typed edit";
  EXPECT_FALSE(TextForm->Editor().Modified());
  EXPECT_TRUE(prompts_.Shown.empty());

  const QByteArray shots = qgetenv("ZORVEL_SCREENSHOT_DIR");
  if (!shots.isEmpty()) {
    EXPECT_TRUE(MainForm->grab().save(QString::fromLocal8Bit(shots) + "/text_window_in_main.png"));
  }
}

}  // namespace
}  // namespace zorvel::test
