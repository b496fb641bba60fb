// The replacement table editor, the replace question and the find and replace
// dialog, on the whole window set.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "image_sample.h"
#include "ui/dialogs/ask_replace_form.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/qt_text_editor.h"

namespace zorvel::test {
namespace {

const std::string kJia = "\xA5\xD2";  // 甲
const std::string kYi = "\xA4\x41";   // 乙
const std::string kEq = "\xA1\xD7";   // ＝

class ReplaceWindowsTest : public WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    StartWindows();
    fmReplace()->OpenFileNameHook = [this] { return openName_; };
    fmReplace()->SaveFileNameHook = [this](const QString& preset) {
      savePresets_ << preset;
      return saveName_;
    };
  }
  QString openName_, saveName_;
  QStringList savePresets_;
};

// A table file loads byte for byte (a byte that is no character included);
// unsaved edits are saved first, under the name chosen in the save dialog,
// which is preset with the last name.
TEST_F(ReplaceWindowsTest, TablesLoadByteForByteAndUnsavedEditsAreSavedFirst) {
  const std::string table = kJia + kEq + kYi + "\r\n\x80x" + kEq + "y\r\n";
  WriteFile(dir_.File("table.txt"), table);
  openName_ = File("table.txt");
  fmReplace()->btLoadFileClick();
  fmReplace()->Memo->SetSelStart(0);
  fmReplace()->Memo->ReplaceSelection("a=b\r\n");
  saveName_ = File("saved.txt");
  prompts_.Answers = {Answer::Yes};
  fmReplace()->btLoadFileClick();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"原字串表已修改, 是否儲存?"});
  EXPECT_EQ(savePresets_, QStringList{File("table.txt")});
  EXPECT_EQ(ReadFile(dir_.File("saved.txt")), "a=b\r\n" + table);
  EXPECT_EQ(fmReplace()->Memo->Text(), table);
  fmReplace()->btOkClick();
  EXPECT_EQ(fmReplace()->ReplaceCount(), 2);
}

// Enter in the destination field replaces with the destination as edited; an
// unedited destination comes back byte for byte, odd bytes included.
TEST_F(ReplaceWindowsTest, TheQuestionsAnswersAndEnterReplaces) {
  struct Case {
    const char* what;
    std::function<void()> act;
    ReplaceDecision decision;
    std::string dest;
  };
  const Case cases[] = {
      {"中止", [] { fmAskReplace()->Button3->click(); }, ReplaceDecision::Abort, ""},
      {"不取代", [] { fmAskReplace()->Button2->click(); }, ReplaceDecision::Skip, ""},
      {"取代", [] { fmAskReplace()->btReplace->click(); }, ReplaceDecision::Replace, "\x80" + kYi + "\xFF"},
      {"Enter",
       [] {
         fmAskReplace()->edDest->setFocus();
         fmAskReplace()->edDest->setText(U("丁"));
         QTest::keyClick(fmAskReplace()->edDest, Qt::Key_Return);
       },
       ReplaceDecision::Replace, "\xA4\x42"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WhenShown(fmAskReplace(), c.act);
    const ReplaceAnswer a = Bench().RealPrompts().AskReplace({kJia, "\x80" + kYi + "\xFF"});
    EXPECT_EQ(a.AskResult, c.decision);
    if (c.decision == ReplaceDecision::Replace) {
      EXPECT_EQ(a.Dest, c.dest);
    }
  }
}

// The dialog is preset from the selection; Enter in either field finds the
// next occurrence and replaces nothing.
TEST_F(ReplaceWindowsTest, FindAndReplaceIsPresetFromTheSelectionAndEnterFindsTheNext) {
  TFindReplaceDialog& dialog = Bench().FindReplaceDialog();
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText("cat dog Cat");
  editor.SetSelStart(0);
  editor.SetSelLength(3);
  TextForm()->TextPopupMenu()->findChild<QAction*>("miFindReplace")->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.edFindText->text(), "cat");
  dialog.edReplaceText->setText(U("狗"));
  for (QLineEdit* field : {dialog.edFindText, dialog.edReplaceText}) {
    editor.SetSelStart(1);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(editor.SelStart(), 8);
    EXPECT_EQ(editor.SelLength(), 3);
    EXPECT_EQ(editor.Text(), "cat dog Cat");
  }
  dialog.btReplace->click();
  EXPECT_EQ(editor.Text(), "cat dog \xAA\xAF");
  dialog.cbMatchCase->setChecked(true);
  dialog.edFindText->setText("CAT");
  dialog.btFindNext->click();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"找不到該字串 !"});
  dialog.close();
}

}  // namespace
}  // namespace zorvel::test
