// The text window: its edit control, popup menu, font command, document
// operations through the dialog hooks, and the count of replaced characters.
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
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>

#include "core/text/big5.h"
#include "support/canon_text.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/qt_prompts.h"

namespace zorvel::test {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

class TextFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppPrompts(&prompts);
    form.resize(500, 300);
    form.show();
    form.OpenFileNameHook = [this] { return Next(opens); };
    form.SaveFileNameHook = [this] { return Next(saves); };
  }
  void TearDown() override { SetAppPrompts(nullptr); }
  QString Next(std::deque<QString>& queue) {
    if (queue.empty()) return {};
    QString s = queue.front();
    queue.pop_front();
    return s;
  }

  ScriptedPrompts prompts;
  TTextForm form;
  std::deque<QString> opens;
  std::deque<QString> saves;
};

TEST_F(TextFormTest, EditControlAsDesigned) {
  QPlainTextEdit* edit = form.RichEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->objectName(), "RichEdit");
  EXPECT_EQ(form.findChild<QPlainTextEdit*>("RichEdit"), edit);
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->font().family(), U("細明體"));
  EXPECT_EQ(edit->font().pixelSize(), 16);
  EXPECT_EQ(edit->palette().color(QPalette::Inactive, QPalette::Highlight),
            edit->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(form.windowTitle(), "(no file)");
  EXPECT_EQ(edit->geometry(), form.rect());  // fills the window
}

TEST_F(TextFormTest, PopupMenuItemsInOrder) {
  QMenu* menu = form.TextPopupMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->objectName(), "TextPopupMenu");
  const QList<QAction*> items = menu->actions();
  const std::vector<std::pair<QString, QString>> expected = {
      {"N7", U("開啟舊檔 (&O) ...")},
      {"N8", U("儲存檔案 (&S) ... ")},
      {"N6", ""},
      {"miFindSign", U("尋找差異記號")},
      {"miShowWord", U("秀出圖形位置")},
      {"miSelectWord", U("選擇正確字串")},
      {"miAll", U("以上三個動作")},
      {"N1", ""},
      {"N2", U("剪下 (&T)")},
      {"N3", U("複製 (&C)")},
      {"N5", U("貼上 (&P)")},
      {"N4", ""},
      {"N12", U("設定取代字串...")},
      {"N13", U("進行字串取代")},
      {"N11", ""},
      {"miFindReplace", U("尋找與取代...")},
      {"N9", U("設定字型...")},
      {"N10", U("書籤...")},
  };
  ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(items[k]->objectName(), expected[k].first);
    EXPECT_EQ(items[k]->isSeparator(), expected[k].second.isEmpty()) << k;
    if (!items[k]->isSeparator()) {
      EXPECT_EQ(items[k]->text(), expected[k].second);
    }
    EXPECT_EQ(form.findChild<QAction*>(expected[k].first), items[k]);
  }
  EXPECT_EQ(form.findChild<QAction*>("miFindSign")->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(form.findChild<QAction*>("miAll")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(form.findChild<QAction*>("N7")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(form.findChild<QAction*>("miFindReplace")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(TextFormTest, PopupEditItemsActOnTheText) {
  form.Editor().SetText("ab\xA4\x40");
  form.Editor().SetSelStart(2);
  form.Editor().SetSelLength(2);
  form.findChild<QAction*>("N2")->trigger();  // cut
  EXPECT_EQ(form.Editor().Text(), "ab");
  form.Editor().SetSelStart(0);
  form.findChild<QAction*>("N5")->trigger();  // paste
  EXPECT_EQ(form.Editor().Text(),
            "\xA4\x40"
            "ab");
  form.Editor().SelectAll();
  form.findChild<QAction*>("N3")->trigger();  // copy
  form.Editor().SetSelStart(4);
  form.findChild<QAction*>("N5")->trigger();
  EXPECT_EQ(form.Editor().Text(),
            "\xA4\x40"
            "ab\xA4\x40"
            "ab");
}

TEST_F(TextFormTest, OpenEditSaveThroughTheWindow) {
  TempDir dir;
  const std::string path = dir.File("T01.txt");
  const std::string bytes = "T01n0001_p0001a01\xF9\xF8\x80\xA4\x40\r\nsecond\nthird\r";
  WriteFile(path, bytes);
  QSignalSpy named(&form, &TTextForm::FileNameChanged);
  opens.push_back(QString::fromStdString(path));
  form.FileOpen();
  EXPECT_EQ(form.windowTitle(), QString::fromStdString(path));
  EXPECT_EQ(form.FileName(), QString::fromStdString(path));
  ASSERT_EQ(named.count(), 1);
  EXPECT_EQ(form.Editor().Text(), bytes);
  EXPECT_FALSE(form.Editor().Modified());

  // Type into the second line, undo it, type again and save: one line changes.
  QSignalSpy replaced(&form, &TTextForm::CharactersReplaced);
  form.Editor().SetSelStart(form.Editor().LineStart(1));
  for (QChar c : U("改é")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(form.RichEdit(), &press);
  }
  ASSERT_EQ(replaced.count(), 1);
  EXPECT_EQ(replaced.at(0).at(0).toInt(), 1);
  form.Editor().Undo();
  form.Editor().Undo();
  EXPECT_EQ(form.Editor().Text(), bytes);
  form.Editor().ReplaceSelection("\xA7\xEF");  // 改
  EXPECT_TRUE(form.Editor().Modified());
  EXPECT_TRUE(form.RichEdit()->document()->isModified());
  form.FileSave();
  EXPECT_EQ(ReadFile(path), "T01n0001_p0001a01\xF9\xF8\x80\xA4\x40\r\n\xA7\xEFsecond\nthird\r");
  EXPECT_FALSE(form.Editor().Modified());
  EXPECT_TRUE(prompts.Shown.empty());

  // Closing with unsaved changes asks; Cancel keeps the window.
  form.Editor().ReplaceSelection("x");
  prompts.Answers.push_back(Answer::Cancel);
  EXPECT_FALSE(form.CloseQuery());
  EXPECT_EQ(prompts.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
}

TEST_F(TextFormTest, OpenErrorKeepsCaptionAndText) {
  form.Editor().SetText("typed");
  form.Editor().SetModified(true);
  prompts.Answers.push_back(Answer::No);
  opens.push_back("/no/such/file.txt");
  form.FileOpen();
  ASSERT_EQ(prompts.Shown.size(), 2u);
  EXPECT_NE(prompts.Shown[1].find("No such file or directory"), std::string::npos);
  EXPECT_EQ(form.windowTitle(), "(no file)");
  EXPECT_EQ(form.Editor().Text(), "typed");
  EXPECT_TRUE(form.Editor().Modified());
}

TEST_F(TextFormTest, FontCommandTakesTheChosenFont) {
  QFont offered;
  form.FontDialogHook = [&](QFont& font) {
    offered = font;
    font.setPixelSize(24);
    return true;
  };
  form.N9Click();
  EXPECT_EQ(offered.family(), U("細明體"));
  EXPECT_EQ(offered.pixelSize(), 16);
  EXPECT_EQ(form.RichEdit()->font().pixelSize(), 24);
  form.FontDialogHook = [](QFont& font) {
    font.setPixelSize(40);
    return false;  // cancelled
  };
  form.findChild<QAction*>("N9")->trigger();
  EXPECT_EQ(form.RichEdit()->font().pixelSize(), 24);
}

TEST(TextFormWindowTest, CloseBoxKeepsTheWindowAndItsDocument) {
  QMdiArea area;
  auto* form = new TTextForm;
  QPointer<TTextForm> alive(form);
  QMdiSubWindow* window = area.addSubWindow(form);
  area.show();
  form->show();
  form->Editor().SetText("unsaved");
  form->Editor().SetModified(true);
  window->close();
  QApplication::processEvents();
  ASSERT_FALSE(alive.isNull());
  EXPECT_TRUE(window->isMinimized());
  EXPECT_EQ(form->Editor().Text(), "unsaved");
  EXPECT_TRUE(form->Editor().Modified());
}

// Count of pixels darker than mid grey in a rectangle.
int CountDark(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qGray(image.pixel(x, y)) < 128;
  return n;
}

TEST_F(TextFormTest, ShowsChineseGlyphsAndVisiblePlaceholders) {
  CanonTextOptions options;
  options.TargetBytes = 2000;
  std::string text = MakeCanonText(options);
  // Invalid bytes at the start of the third line, and a duplicate pair.
  const std::size_t third = text.find("\r\n", text.find("\r\n") + 2) + 2;
  text.insert(third, "\x80\xFF\x81\x30\xA2\xCC");
  form.Editor().SetText(text);
  form.resize(640, 300);
  QApplication::processEvents();
  const QImage shot = form.grab().toImage();
  const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(dir) + "/text_window.png"));
  }
  // The family the Ming face resolves to is AR PL UMing.
  EXPECT_TRUE(QFontInfo(form.RichEdit()->font()).family().startsWith("AR PL UMing"))
      << QFontInfo(form.RichEdit()->font()).family().toStdString();
  // Every cell of the line head and text draws ink: the first line, and the
  // placeholders of the third.
  QPlainTextEdit* edit = form.RichEdit();
  const QFontMetrics metrics(edit->font());
  const QRect viewport = edit->viewport()->geometry();
  const int line_height = metrics.lineSpacing();
  const QRect first_line(viewport.left() + 4, viewport.top() + 4, viewport.width() - 8, line_height);
  EXPECT_GT(CountDark(shot, first_line), 300);
  const int placeholders_width =
      metrics.horizontalAdvance(QString::fromStdU16String(Big5ToUnicode("\x80\xFF\x81\x30")));
  ASSERT_GT(placeholders_width, 8);
  const QRect third_line_start(viewport.left() + 4, viewport.top() + 4 + 2 * line_height, placeholders_width,
                               line_height);
  EXPECT_GT(CountDark(shot, third_line_start), 20);
  // The placeholders are framed in red; nothing else is.
  auto red = [&](const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        n += c.red() > 180 && c.green() < 80 && c.blue() < 80;
      }
    return n;
  };
  EXPECT_GT(red(third_line_start.adjusted(-4, -2, 0, 2)), 4 * line_height);
  EXPECT_EQ(red(first_line), 0);
}

}  // namespace
}  // namespace zorvel::test
