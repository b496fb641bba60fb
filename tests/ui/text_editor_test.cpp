// The shared editor suite on the Qt editor, and what only the Qt editor does:
// typed, pasted and dropped text, line ends through the undo stack, the limit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <random>

#include "core/text/big5.h"
#include "core/text/editor_suite.h"
#include "core/text/memory_editor.h"
#include "ui/qt_text_editor.h"

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

struct TestEditor : QtTextEditor {
  using QtTextEditor::insertFromMimeData;
};

class QtTextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.resize(400, 300);
    editor.show();
    editor.OnCharactersReplaced = [this](int count) { replaced.push_back(count); };
  }
  void Type(const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(&editor, &press);
    }
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&editor, &press);
  }

  TestEditor editor;
  std::vector<int> replaced;
};

TEST_F(QtTextEditorTest, ShowsUnicodeAndKeepsBytes) {
  editor.SetText("\xA4\xA4\xA4\xE5\x80\xA2\xCC\r\nx");
  const QString first = editor.document()->firstBlock().text();
  EXPECT_EQ(first.left(2), QString::fromUtf8("中文"));
  EXPECT_EQ(first.at(4), QChar(u'十'));  // the duplicate shows its character
  EXPECT_EQ(editor.document()->blockCount(), 2);
  EXPECT_EQ(editor.Text(), "\xA4\xA4\xA4\xE5\x80\xA2\xCC\r\nx");
}

TEST_F(QtTextEditorTest, TypedTextBecomesBig5AndUnholdableCharactersQuestionMarks) {
  editor.SetText("ab\ncd");
  editor.SetModified(false);
  editor.SetSelStart(1);
  Type(QString::fromUtf8("中é"));
  EXPECT_EQ(editor.Text(), "a\xA4\xA4?b\ncd");
  EXPECT_EQ(replaced, std::vector<int>{1});
  EXPECT_TRUE(editor.Modified());
  // Enter makes a CR LF line end; the lone LF of the line stays where it was.
  Key(Qt::Key_Return);
  EXPECT_EQ(editor.Text(), "a\xA4\xA4?\r\nb\ncd");
  EXPECT_EQ(editor.SelStart(), 6);
  editor.Undo();
  EXPECT_EQ(editor.Text(), "a\xA4\xA4?b\ncd");
  editor.Undo();
  EXPECT_EQ(editor.Text(), "ab\ncd");
  EXPECT_FALSE(editor.Modified());
}

TEST_F(QtTextEditorTest, PasteAndDropConvertLineBreaksAndCountReplacements) {
  editor.SetText("x");
  editor.SetSelStart(1);
  QApplication::clipboard()->setText(QString::fromUtf8("甲\n乙\r\n😀ü"));
  editor.Paste();
  EXPECT_EQ(editor.Text(), "x\xA5\xD2\r\n\xA4\x41\r\n??");
  EXPECT_EQ(replaced, std::vector<int>{2});
  EXPECT_EQ(editor.SelStart(), editor.TextLength());
  QMimeData drop;
  drop.setText(QString::fromUtf8("丙"));
  editor.SetSelStart(0);
  editor.insertFromMimeData(&drop);
  EXPECT_EQ(editor.Text(),
            "\xA4\xFE"
            "x\xA5\xD2\r\n\xA4\x41\r\n??");
  EXPECT_EQ(replaced.size(), 1u);  // nothing replaced this time
}

TEST_F(QtTextEditorTest, LineEndsSurviveDeleteAndUndo) {
  const std::string text = "one\ntwo\rthree\r\nfour";
  editor.SetText(text);
  // Delete the lone LF with the keyboard, then undo: the LF comes back as LF.
  editor.SetSelStart(3);
  Key(Qt::Key_Delete);
  EXPECT_EQ(editor.Text(), "onetwo\rthree\r\nfour");
  editor.Undo();
  EXPECT_EQ(editor.Text(), text);
  // Select across all three kinds, cut, undo.
  editor.SetSelStart(1);
  editor.SetSelLength(16);
  editor.Cut();
  EXPECT_EQ(editor.Text(), "our");
  editor.Undo();
  EXPECT_EQ(editor.Text(), text);
  EXPECT_EQ(editor.LineStart(3), 15);
}

TEST_F(QtTextEditorTest, TextsWithMostlyLoneLineEndsKeepEveryEnding) {
  for (const std::string text : {"a\nb\nc\r\nd\ne\rf", "a\rb\rc\r\nd\re\nf"}) {
    editor.SetText(text);
    EXPECT_EQ(editor.Text(), text);
    editor.SetSelStart(1);
    Key(Qt::Key_Return);  // a typed line end is CR LF whatever the text mostly has
    std::string expected = text;
    expected.insert(1, "\r\n");
    EXPECT_EQ(editor.Text(), expected);
    editor.SetSelStart(5);
    editor.SetSelLength(4);
    editor.ReplaceSelection("\n\r\r\n");
    std::string replaced = expected;
    replaced.replace(5, 4, "\n\r\r\n");
    EXPECT_EQ(editor.Text(), replaced);
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(editor.Text(), text);
  }
}

TEST_F(QtTextEditorTest, RefusesTextBeyondTheLimit) {
  int refused = 0;
  editor.OnTooLong = [&] { ++refused; };
  editor.SetMaxLength(6);
  editor.SetText("abcd");
  editor.SetSelStart(4);
  editor.ReplaceSelection("\xA4\x40\xA4\x40");
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(editor.Text(), "abcd");
  Type("ef");
  EXPECT_EQ(editor.Text(), "abcdef");
  Type("g");
  EXPECT_EQ(refused, 2);
  EXPECT_EQ(editor.Text(), "abcdef");
}

// Edits made by Qt itself (typing, deleting, undo and redo of them) keep the
// line index right: a fresh editor loaded with the same bytes agrees on every
// line, and undoing everything gives back the bytes, line ends included.
TEST_F(QtTextEditorTest, LineIndexFollowsQtsOwnEdits) {
  const std::string original = "head\xF9\xF8\xA4\x40\r\nlone lf\nlone cr\r\x80\xA2\xCC\r\n\r\nlast";
  editor.SetText(original);
  std::mt19937 random(17);
  const QString inserts[] = {QString::fromUtf8("中"), "x", "\n", QString::fromUtf8("甲\n乙"), "||"};
  int edits = 0;
  for (int round = 0; round < 120; ++round) {
    QTextCursor c(editor.document());
    const int size = editor.document()->characterCount() - 1;
    const int a = static_cast<int>(random() % static_cast<unsigned>(size + 1));
    c.setPosition(a);
    switch (random() % 4) {
      case 0:
        c.insertText(inserts[random() % std::size(inserts)]);
        ++edits;
        break;
      case 1: {
        const int b = std::min(size, a + static_cast<int>(random() % 6));
        c.setPosition(b, QTextCursor::KeepAnchor);
        if (c.hasSelection()) {
          c.removeSelectedText();
          ++edits;
        }
        break;
      }
      case 2:
        if (editor.document()->isUndoAvailable()) {
          editor.document()->undo();
          --edits;
        }
        break;
      default:
        if (editor.document()->isRedoAvailable()) {
          editor.document()->redo();
          ++edits;
        }
        break;
    }
    const std::string bytes = editor.Text();
    QtTextEditor fresh;
    fresh.SetText(bytes);
    ASSERT_EQ(editor.TextLength(), static_cast<int>(bytes.size())) << "round " << round;
    ASSERT_EQ(editor.LineCount(), fresh.LineCount()) << "round " << round;
    for (int line = 0; line < fresh.LineCount(); ++line) {
      ASSERT_EQ(editor.LineStart(line), fresh.LineStart(line)) << "round " << round << " line " << line;
      ASSERT_EQ(editor.LineBytes(line), fresh.LineBytes(line)) << "round " << round << " line " << line;
    }
    // Find agrees with the byte model however the lines came to be.
    const MemoryEditor model(bytes);
    for (const char* what : {"||", "\xA4\x40", "x", "\xA5\xD2", "\xA4", "X", "lf"}) {
      ASSERT_EQ(editor.Find(what, 0, model.TextLength(), {}), model.Find(what, 0, model.TextLength(), {}))
          << "round " << round << " " << ::testing::PrintToString(std::string(what));
    }
  }
  while (editor.document()->isUndoAvailable()) editor.document()->undo();
  EXPECT_EQ(editor.Text(), original);
}

TEST_F(QtTextEditorTest, CopyGivesOtherProgramsPlainUnicode) {
  editor.SetText("\xA4\xA4\r\n\xA4\xE5\rz");
  editor.SelectAll();
  editor.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("中\n文\nz"));
}

}  // namespace
}  // namespace zorvel::test
