// The replacement table editor, the replace question and the find and replace
// dialog, on the whole window set.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "image_sample.h"
#include "ui/dialogs/ask_replace_form.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/qt_text_editor.h"
#include "ui/dialogs/replace_form.h"
#include "ui/text/text_form.h"

namespace zorvel::test {
namespace {

const std::string kJia = "\xA5\xD2";   // 甲
const std::string kYi = "\xA4\x41";    // 乙
const std::string kBing = "\xA4\xFE";  // 丙
const std::string kDing = "\xA4\x42";  // 丁
const std::string kEq = "\xA1\xD7";    // ＝

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
  std::string Messages() const {
    std::string all;
    for (const auto& s : prompts_.Shown) all += s + "|";
    return all;
  }

  QString openName_, saveName_;
  QStringList savePresets_;
};

TEST_F(ReplaceWindowsTest, TablesLoadAndSaveByteForByteAndUnsavedEditsAreAskedAbout) {
  // Big5 with CR LF, a line without the split, and a byte that is no character.
  const std::string table = kJia + kEq + kYi + "\r\nno split\r\n\x80x" + kEq + "y\r\n";
  WriteFile(dir_.File("table.txt"), table);
  openName_ = File("table.txt");
  fmReplace()->btLoadFileClick();
  EXPECT_EQ(fmReplace()->Memo->Text(), table);
  EXPECT_FALSE(fmReplace()->Memo->Modified());
  EXPECT_EQ(fmReplace()->ReplaceCount(), 0);  // loading does not build

  // Edited, then loading again: Cancel keeps the text.
  fmReplace()->Memo->SetSelStart(0);
  fmReplace()->Memo->ReplaceSelection("a=b\r\n");
  ASSERT_TRUE(fmReplace()->Memo->Modified());
  prompts_.Answers = {Answer::Cancel};
  fmReplace()->btLoadFileClick();
  EXPECT_EQ(Messages(), "原字串表已修改, 是否儲存?|");
  EXPECT_EQ(fmReplace()->Memo->Text(), "a=b\r\n" + table);

  // Yes saves under the name chosen in the save dialog (preset with the last
  // name), then loads.
  saveName_ = File("saved.txt");
  prompts_.Answers = {Answer::Yes};
  fmReplace()->btLoadFileClick();
  EXPECT_EQ(savePresets_, QStringList{File("table.txt")});
  EXPECT_EQ(ReadFile(dir_.File("saved.txt")), "a=b\r\n" + table);
  EXPECT_EQ(fmReplace()->Memo->Text(), table);

  // A refused write keeps the edits and stops the load.
  fmReplace()->Memo->SetSelStart(0);
  fmReplace()->Memo->ReplaceSelection("z");
  saveName_ = File("no-such-folder/t.txt");
  prompts_.Answers = {Answer::Yes};
  fmReplace()->btLoadFileClick();
  EXPECT_EQ(fmReplace()->Memo->Text(), "z" + table);
  ASSERT_EQ(prompts_.Shown.size(), 4u);  // the question, then the error
  EXPECT_EQ(prompts_.Shown[2], "原字串表已修改, 是否儲存?");
  EXPECT_EQ(prompts_.Shown[3].rfind("無法儲存檔案", 0), 0u) << prompts_.Shown[3];
}

TEST_F(ReplaceWindowsTest, TheRunAsksThroughTheQuestionWindowAndInsertsTheEditedDestination) {
  // The real question window answers this time.
  Bench().SetPrompts(nullptr);
  fmReplace()->Memo->SetText(kJia + kEq + kYi);
  ASSERT_TRUE(zorvel::ConfirmReplaceTable(fmReplace()->Memo->Text(), kEq,
                                          const_cast<zorvel::ReplaceTable&>(fmReplace()->Table()), prompts_)
                  .Built);
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText(kBing + kJia + kDing + kJia + kJia);
  editor.SetSelStart(2);

  // First occurrence: edit the destination, then 取代; second: 不取代; third:
  // the close box (do not replace). The closing message is a real message box.
  int asked = 0;
  std::function<void()> answer = [&] {
    ++asked;
    EXPECT_EQ(fmAskReplace()->edSource->text(), U("甲"));
    EXPECT_EQ(fmAskReplace()->edDest->text(), U("乙"));
    EXPECT_TRUE(fmAskReplace()->edDest->hasFocus() || !QApplication::focusWidget());
    if (asked == 1) {
      fmAskReplace()->edDest->setText(U("丁丁"));
      fmAskReplace()->btReplace->click();
    } else if (asked == 2) {
      fmAskReplace()->Button2->click();
    } else {
      fmAskReplace()->close();
    }
    if (asked < 3) {
      WhenShown(fmAskReplace(), answer);
    } else {
      // The closing message box.
      QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
      });
    }
  };
  WhenShown(fmAskReplace(), answer);
  fmReplace()->RunReplaceTable();
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(editor.Text(), kBing + kDing + kDing + kDing + kJia + kJia);
}

TEST_F(ReplaceWindowsTest, QuestionAnswersAbortAndCloseBox) {
  WhenShown(fmAskReplace(), [] { fmAskReplace()->Button3->click(); });
  zorvel::ReplaceAnswer a = Bench().RealPrompts().AskReplace({kJia, kYi});
  EXPECT_EQ(a.AskResult, zorvel::ReplaceDecision::Abort);
  WhenShown(fmAskReplace(), [] { fmAskReplace()->close(); });
  a = Bench().RealPrompts().AskReplace({kJia, kYi});
  EXPECT_EQ(a.AskResult, zorvel::ReplaceDecision::Skip);
  // An unedited destination comes back byte for byte, odd bytes included.
  WhenShown(fmAskReplace(), [] { fmAskReplace()->btReplace->click(); });
  a = Bench().RealPrompts().AskReplace({kJia, "\x80" + kYi + "\xFF"});
  EXPECT_EQ(a.AskResult, zorvel::ReplaceDecision::Replace);
  EXPECT_EQ(a.Dest, "\x80" + kYi + "\xFF");
  // Enter in the destination field replaces, with the destination as edited.
  WhenShown(fmAskReplace(), [] {
    fmAskReplace()->edDest->setFocus();
    fmAskReplace()->edDest->setText(U("丁"));
    QTest::keyClick(fmAskReplace()->edDest, Qt::Key_Return);
  });
  a = Bench().RealPrompts().AskReplace({kJia, kYi});
  EXPECT_EQ(a.AskResult, zorvel::ReplaceDecision::Replace);
  EXPECT_EQ(a.Dest, kDing);
}

TEST_F(ReplaceWindowsTest, EnterInTheFindAndReplaceDialogFindsTheNext) {
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText("cat dog cat");
  editor.SetSelStart(0);
  editor.SetSelLength(3);
  TextForm()->TextPopupMenu()->findChild<QAction*>("miFindReplace")->trigger();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Bench().FindReplaceDialog()));
  Bench().FindReplaceDialog().edReplaceText->setText("x");
  for (QLineEdit* field :
       {Bench().FindReplaceDialog().edFindText, Bench().FindReplaceDialog().edReplaceText}) {
    editor.SetSelStart(1);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(editor.SelStart(), 8);
    EXPECT_EQ(editor.SelLength(), 3);
    EXPECT_EQ(editor.Text(), "cat dog cat");  // found, nothing replaced
  }
  EXPECT_TRUE(Bench().FindReplaceDialog().isVisible());
  Bench().FindReplaceDialog().close();
}

TEST_F(ReplaceWindowsTest, FindReplaceDialogIsPresetFromTheSelectionAndActsOnTheText) {
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText("one cat, two Cat\r\n" + kJia + "cat");
  editor.SetSelStart(4);
  editor.SetSelLength(3);
  TextForm()->TextPopupMenu()->findChild<QAction*>("miFindReplace")->trigger();
  ASSERT_TRUE(Bench().FindReplaceDialog().isVisible());
  EXPECT_FALSE(Bench().FindReplaceDialog().isModal());
  EXPECT_EQ(Bench().FindReplaceDialog().edFindText->text(), "cat");

  // Up still searches down; without match case Cat matches.
  Bench().FindReplaceDialog().rbUp->setChecked(true);
  Bench().FindReplaceDialog().btFindNext->click();
  EXPECT_EQ(editor.SelStart(), 13);
  EXPECT_EQ(editor.SelLength(), 3);
  EXPECT_TRUE(Bench().FindReplaceDialog().FindSelected());
  Bench().FindReplaceDialog().edReplaceText->setText(U("狗"));
  Bench().FindReplaceDialog().btReplace->click();
  EXPECT_EQ(editor.Text(), "one cat, two \xAA\xAF\r\n" + kJia + "cat");
  EXPECT_EQ(editor.SelLength(), 2);
  Bench().FindReplaceDialog().btReplaceAll->click();
  EXPECT_EQ(editor.Text(), "one cat, two \xAA\xAF\r\n" + kJia + "\xAA\xAF");
  EXPECT_EQ(Messages(), "找不到字串了 !|");

  // Opening again with no selection keeps the find text; match case finds no ONE.
  Bench().FindReplaceDialog().close();
  editor.SetSelStart(0);
  MainForm()->findChild<QAction*>("N3")->trigger();
  EXPECT_EQ(Bench().FindReplaceDialog().edFindText->text(), "cat");
  Bench().FindReplaceDialog().cbMatchCase->setChecked(true);
  Bench().FindReplaceDialog().edFindText->setText("ONE");
  Bench().FindReplaceDialog().btFindNext->click();
  EXPECT_EQ(prompts_.Shown.back(), "找不到該字串 !");
}

}  // namespace
}  // namespace zorvel::test
