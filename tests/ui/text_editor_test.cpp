// The shared editor suite on the Qt editor, and what only the Qt editor does:
// typed, pasted and dropped text, line ends through the undo stack, the limit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>

#include "core/text/big5.h"
#include "core/text/editor_suite.h"
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

TEST_F(QtTextEditorTest, CopyGivesOtherProgramsPlainUnicode) {
  editor.SetText("\xA4\xA4\r\n\xA4\xE5\rz");
  editor.SelectAll();
  editor.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("中\n文\nz"));
}

}  // namespace
}  // namespace zorvel::test
