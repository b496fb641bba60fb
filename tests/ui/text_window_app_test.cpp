// The text window inside the program's window set: the File menu reaches its
// document operations and the MDI child's title follows the caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "image_sample.h"
#include "support/canon_text.h"
#include "ui/text/text_form.h"

namespace zorvel::test {
namespace {

TEST_F(WindowSetTest, TextWindowOpenTypeSaveFromTheMainWindow) {
  Start();
  CanonTextOptions options;
  options.TargetBytes = 3000;
  std::string text = MakeCanonText(options);
  text.insert(text.find("\r\n") + 2, "\x80\xFF");  // invalid bytes at the start of line 2
  const std::string path = dir_.File("T01.txt");
  WriteFile(path, text);
  QMdiSubWindow* window = qobject_cast<QMdiSubWindow*>(TextForm()->parentWidget());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "(no file)");

  TextForm()->OpenFileNameHook = [&] { return QString::fromStdString(path); };
  MainForm()->FileOpen();
  EXPECT_EQ(MainForm()->TextFileName, QString::fromStdString(path));
  EXPECT_EQ(window->windowTitle(), QString::fromStdString(path));
  EXPECT_EQ(TextForm()->Editor().Text(), text);

  // A character Big5 cannot hold, typed at the start of line 3, is saved as '?'.
  TextForm()->Editor().SetSelStart(TextForm()->Editor().LineStart(2));
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("é"));
  QApplication::sendEvent(TextForm()->RichEdit(), &press);
  MainForm()->FileSave();
  std::string expected = text;
  expected.insert(static_cast<std::size_t>(TextForm()->Editor().LineStart(2)), "?");
  EXPECT_TRUE(ReadFile(path) == expected) << "the saved bytes differ from the typed edit";
  EXPECT_FALSE(TextForm()->Editor().Modified());
  EXPECT_TRUE(prompts_.Shown.empty());
}

}  // namespace
}  // namespace zorvel::test
