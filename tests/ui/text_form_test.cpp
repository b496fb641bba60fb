// The text window: its edit control, popup menu, font command, document
// operations through the dialog hooks, and what it draws.
#include "ui/text_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <functional>

#include "core/text/big5.h"
#include "support/canon_text.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_sample.h"
#include "ui/qt_prompts.h"

namespace zorvel::test {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

class TextFormTest : public WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    Start();
    Form().parentWidget()->resize(500, 300);
    Form().OpenFileNameHook = [this] { return opens.isEmpty() ? QString() : opens.takeFirst(); };
    Form().SaveFileNameHook = [] { return QString(); };
  }
  void Trigger(const char* item) { Form().findChild<QAction*>(item)->trigger(); }

  ScriptedPrompts& prompts = prompts_;
  static TTextForm& Form() { return *TextForm(); }
  QStringList opens;
};

TEST_F(TextFormTest, EditControlAndPopupMenuAsDesigned) {
  QPlainTextEdit* edit = Form().RichEdit();
  EXPECT_EQ(Form().findChild<QPlainTextEdit*>("RichEdit"), edit);
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->font().family(), U("細明體"));
  EXPECT_EQ(edit->font().pixelSize(), 16);
  // The selection stays visible without focus.
  EXPECT_EQ(edit->palette().color(QPalette::Inactive, QPalette::Highlight),
            edit->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(Form().windowTitle(), "(no file)");

  QStringList items;
  for (QAction* item : Form().TextPopupMenu()->actions()) {
    items << item->objectName() + (item->isSeparator() ? QString() : "=" + item->text());
  }
  EXPECT_EQ(items, QStringList({U("N7=開啟舊檔 (&O) ..."), U("N8=儲存檔案 (&S) ... "), "N6",
                                U("miFindSign=尋找差異記號"), U("miShowWord=秀出圖形位置"),
                                U("miSelectWord=選擇正確字串"), U("miAll=以上三個動作"), "N1",
                                U("N2=剪下 (&T)"), U("N3=複製 (&C)"), U("N5=貼上 (&P)"), "N4",
                                U("N12=設定取代字串..."), U("N13=進行字串取代"), "N11",
                                U("miFindReplace=尋找與取代..."), U("N9=設定字型..."), U("N10=書籤...")}));
  EXPECT_EQ(Form().findChild<QAction*>("N7")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(Form().findChild<QAction*>("miFindReplace")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(TextFormTest, PopupEditItemsActOnTheText) {
  Form().Editor().SetText("ab\xA4\x40");
  Form().Editor().SetSelStart(2);
  Form().Editor().SetSelLength(2);
  Trigger("N2");  // cut
  EXPECT_EQ(Form().Editor().Text(), "ab");
  Form().Editor().SetSelStart(0);
  Trigger("N5");  // paste
  EXPECT_EQ(Form().Editor().Text(),
            "\xA4\x40"
            "ab");
  Form().Editor().SelectAll();
  Trigger("N3");  // copy
  Form().Editor().SetSelStart(4);
  Trigger("N5");
  EXPECT_EQ(Form().Editor().Text(),
            "\xA4\x40"
            "ab\xA4\x40"
            "ab");
}

// Open, type and save through the main window are in text_window_app_test, the
// document's prompts and file errors in text_document_test.
TEST_F(TextFormTest, OpenNamesTheWindowAndTypingCountsReplacedCharacters) {
  TempDir dir;
  const std::string path = dir.File("T01.txt");
  WriteFile(path, "T01n0001_p0001a01\xF9\xF8\r\nsecond\n");
  QSignalSpy named(&Form(), &TTextForm::FileNameChanged);
  opens << QString::fromStdString(path);
  Form().FileOpen();
  EXPECT_EQ(Form().windowTitle(), QString::fromStdString(path));
  EXPECT_EQ(named.count(), 1);
  QSignalSpy replaced(&Form(), &TTextForm::CharactersReplaced);
  Form().Editor().SetSelStart(Form().Editor().LineStart(1));
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, U("é"));
  QApplication::sendEvent(Form().RichEdit(), &press);
  ASSERT_EQ(replaced.count(), 1);
  EXPECT_EQ(replaced.at(0).at(0).toInt(), 1);
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
  EXPECT_TRUE(Form().RichEdit()->isReadOnly());
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
  EXPECT_FALSE(Form().Editor().Modified());
  EXPECT_EQ(Form().Editor().Text(), bytes);
}

TEST_F(TextFormTest, FontCommandTakesTheChosenFontUnlessCancelled) {
  QFont offered;
  Form().FontDialogHook = [&](QFont& font) {
    offered = font;
    font.setPixelSize(24);
    return true;
  };
  Trigger("N9");
  EXPECT_EQ(offered.family(), U("細明體"));
  EXPECT_EQ(offered.pixelSize(), 16);
  EXPECT_EQ(Form().RichEdit()->font().pixelSize(), 24);
  Form().FontDialogHook = [](QFont& font) {
    font.setPixelSize(40);
    return false;
  };
  Trigger("N9");
  EXPECT_EQ(Form().RichEdit()->font().pixelSize(), 24);
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

// Pixels of a rectangle that pass a test.
int Count(const QImage& image, const QRect& r, const std::function<bool(QColor)>& test) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += test(image.pixelColor(x, y));
  return n;
}

TEST_F(TextFormTest, ShowsChineseGlyphsAndRedFramedPlaceholders) {
  CanonTextOptions options;
  options.TargetBytes = 2000;
  std::string text = MakeCanonText(options);
  // Invalid bytes at the start of the third line.
  text.insert(text.find("\r\n", text.find("\r\n") + 2) + 2, "\x80\xFF\x81\x30");
  Form().Editor().SetText(text);
  QApplication::processEvents();
  const QImage shot = Form().grab().toImage();
  const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(dir) + "/text_window.png"));
  }
  EXPECT_TRUE(QFontInfo(Form().RichEdit()->font()).family().startsWith("AR PL UMing"));
  const QFontMetrics metrics(Form().RichEdit()->font());
  const QRect viewport = Form().RichEdit()->viewport()->geometry();
  const int line = metrics.lineSpacing();
  const QRect first(viewport.left() + 4, viewport.top() + 4, viewport.width() - 8, line);
  const int width = metrics.horizontalAdvance(QString::fromStdU16String(Big5ToUnicode("\x80\xFF\x81\x30")));
  const QRect third(viewport.left() + 4, viewport.top() + 4 + 2 * line, width, line);
  auto dark = [](QColor c) { return qGray(c.rgb()) < 128; };
  auto red = [](QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; };
  EXPECT_GT(Count(shot, first, dark), 300);
  EXPECT_GT(Count(shot, third, dark), 20);
  EXPECT_GT(Count(shot, third.adjusted(-4, -2, 0, 2), red), 4 * line);
  EXPECT_EQ(Count(shot, first, red), 0);
}

}  // namespace
}  // namespace zorvel::test
