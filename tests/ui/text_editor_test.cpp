// The shared editor suite on the Qt editor, and what only the Qt editor does:
// typed text, the system clipboard, and the line index through Qt's own edits
// and its undo stack.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <random>

#include "core/text/big5.h"
#include "core/text/editor_suite.h"
#include "core/text/memory_editor.h"
#include "ui/text/qt_text_editor.h"

namespace zorvel::test {
namespace {

struct QtEditorFactory {
  static std::unique_ptr<TextEditor> Make(std::string_view bytes) {
    auto editor = std::make_unique<QtTextEditor>();
    editor->resize(400, 300);
    editor->show();
    editor->SetText(bytes);
    return editor;
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, EditorSuite, ::testing::Types<QtEditorFactory>);

class QtTextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.resize(400, 300);
    editor.show();
    editor.OnCharactersReplaced = [this](int count) { replaced.push_back(count); };
  }
  void Type(const QString& text) {
    for (QChar c : text) Key(0, QString(c));
  }
  void Key(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
  }

  QtTextEditor editor;
  std::vector<int> replaced;
};

TEST_F(QtTextEditorTest, TypedTextBecomesBig5AndUnholdableCharactersQuestionMarks) {
  editor.SetText("ab\ncd");
  editor.SetModified(false);
  editor.SetSelStart(1);
  Type(QString::fromUtf8("中é"));
  EXPECT_EQ(editor.Text(), "a\xA4\xA4?b\ncd");
  EXPECT_EQ(replaced, std::vector<int>{1});
  EXPECT_TRUE(editor.Modified());
  // Enter makes a CR LF line end; the lone LF of the line stays as it was.
  Key(Qt::Key_Return);
  EXPECT_EQ(editor.Text(), "a\xA4\xA4?\r\nb\ncd");
  EXPECT_EQ(editor.SelStart(), 6);
  for (int i = 0; i < 2; ++i) editor.Undo();
  EXPECT_EQ(editor.Text(), "ab\ncd");
  EXPECT_FALSE(editor.Modified());
}

// The system clipboard holds Unicode: a paste goes in as typed text does
// (OperatorTextToBig5), a copy gives LF between lines (Big5ToCopiedText).
TEST_F(QtTextEditorTest, TheSystemClipboardIsConvertedBothWays) {
  editor.SetText("x");
  editor.SetSelStart(1);
  QApplication::clipboard()->setText(QString::fromUtf8("甲\n😀"));
  editor.Paste();
  EXPECT_EQ(editor.Text(), "x\xA5\xD2\r\n?");
  EXPECT_EQ(replaced, std::vector<int>{1});
  EXPECT_EQ(editor.SelStart(), editor.TextLength());
  editor.SelectAll();
  editor.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("x甲\n?"));
}

// Edits made by Qt itself (inserts, deletes, undo and redo) keep the line
// index right: the in-memory editor loaded with the same bytes agrees on every
// line and on find, and undoing everything gives back the bytes.
TEST_F(QtTextEditorTest, LineIndexFollowsQtsOwnEdits) {
  const std::string original = "head\xF9\xF8\xA4\x40\r\nlone lf\nlone cr\r\x80\xA2\xCC\r\n\r\nlast";
  editor.SetText(original);
  std::mt19937 random(17);
  const QString inserts[] = {QString::fromUtf8("中"), "x", "\n", QString::fromUtf8("甲\n乙"), "||"};
  QTextDocument* document = editor.document();
  for (int round = 0; round < 120; ++round) {
    SCOPED_TRACE(round);
    QTextCursor c(document);
    const int size = document->characterCount() - 1;
    c.setPosition(static_cast<int>(random() % static_cast<unsigned>(size + 1)));
    switch (random() % 4) {
      case 0:
        c.insertText(inserts[random() % std::size(inserts)]);
        break;
      case 1:
        c.setPosition(std::min(size, c.position() + static_cast<int>(random() % 6)), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        break;
      case 2:
        document->undo();
        break;
      default:
        document->redo();
        break;
    }
    const std::string bytes = editor.Text();
    const MemoryEditor model(bytes);
    ASSERT_EQ(editor.TextLength(), static_cast<int>(bytes.size()));
    ASSERT_EQ(editor.LineCount(), model.LineCount());
    for (int line = 0; line < model.LineCount(); ++line) {
      ASSERT_EQ(editor.LineStart(line), model.LineStart(line)) << "line " << line;
      ASSERT_EQ(editor.LineBytes(line), model.LineBytes(line)) << "line " << line;
    }
    for (const char* what : {"||", "\xA4\x40", "x", "\xA4", "X", "lf"}) {
      ASSERT_EQ(editor.Find(what, 0, model.TextLength(), {}), model.Find(what, 0, model.TextLength(), {}))
          << ::testing::PrintToString(std::string(what));
    }
  }
  while (document->isUndoAvailable()) document->undo();
  EXPECT_EQ(editor.Text(), original);
}

}  // namespace
}  // namespace zorvel::test
