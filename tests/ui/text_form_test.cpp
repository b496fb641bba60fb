// The text window: a line too long to edit, and its close box.
#include "ui/text/text_form.h"

#include <QPointer>

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
  static TTextForm& Form() { return *TextForm(); }
  QStringList opens;
};

TEST_F(TextFormTest, ATenMegabyteLineOpensReadOnlyInPiecesAndF2FindsItsMark) {
  const std::string path = dir_.File("lost-line-ends.txt");
  std::string line = "T01n0001_p0001a01\xF9\xF8";
  while (line.size() < 10 * 1024 * 1024) line += "\xA5\xD2\xA4\x41-xy\xA1\x43";
  const std::string bytes = line + "{{\xA5\xD2||\xA4\x41}}\r\n";
  WriteFile(path, bytes);
  opens << QString::fromStdString(path);
  prompts_.Answers.push_back(Answer::Yes);
  Form().FileOpen();
  ASSERT_EQ(prompts_.Shown.size(), 1u);
  QApplication::processEvents();
  EXPECT_TRUE(Form().FindSign());
  EXPECT_EQ(Form().Editor().SelStart(), static_cast<int>(line.size()));
  EXPECT_EQ(Form().Editor().SelectedBytes(), "{{");
  // Typing changes nothing; the bytes are as they were.
  QTest::keyClicks(Form().RichEdit(), "x");
  EXPECT_EQ(Form().Editor().Text(), bytes);
}

TEST_F(TextFormTest, TheCloseBoxKeepsTheWindowAndItsDocument) {
  QPointer<TTextForm> form(TextForm());
  form->Editor().SetText("unsaved");
  form->Editor().SetModified(true);
  form->parentWidget()->close();
  QApplication::processEvents();
  ASSERT_FALSE(form.isNull());
  EXPECT_TRUE(form->parentWidget()->isMinimized());
  EXPECT_EQ(form->Editor().Text(), "unsaved");
  EXPECT_TRUE(form->Editor().Modified());
}

}  // namespace
}  // namespace zorvel::test
