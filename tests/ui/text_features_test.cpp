// The text side of the proofreading aids through the real windows on the
// sample workspace: the mark count and the previous mark, the decision log,
// the jump to a line head and the Ctrl+click on the page.

#include <QLabel>
#include <QStatusBar>
#include <filesystem>

#include "core/proof/decision_log.h"
#include "core/proof/text_proofreader.h"
#include "core/text/big5.h"
#include "image_sample.h"
#include "ui/text/qt_text_editor.h"

namespace zorvel::test {
namespace {

class TextFeaturesTest : public SampleWorkspaceTest {
 protected:
  void Open(const char* name) {
    Start();
    const QString path = File(name);
    TextForm()->OpenFileNameHook = [path] { return path; };
    TextForm()->FileOpen();
    TextForm()->LineHeadInputHook = [this](QString& input) { return !(input = typed_).isEmpty(); };
  }
  std::string MarkCount() {
    QApplication::processEvents();
    return MainForm()->StatusLine()->findChild<QLabel*>("MarkCount")->text().toStdString();
  }
  std::string Status() const { return MainForm()->StatusLine()->currentMessage().toStdString(); }
  TextEditor& Editor() { return TextForm()->Editor(); }
  QString typed_;
};

TEST_F(TextFeaturesTest, TheMarkCountAndThePreviousMarkFollowTheText) {
  Open("T01n0001.txt");
  auto count = [](long long after, long long total) {
    return "差異 " + std::to_string(after) + " / " + std::to_string(total);
  };
  const int marks = TextForm()->RichEdit()->toPlainText().count("{{");
  EXPECT_EQ(MarkCount(), count(marks, marks));
  Bench().Run(CommandId::FindNextMark);
  const int first = Editor().SelStart();
  Bench().Run(CommandId::FindNextMark);
  prompts_.Choices.push_back(ChoiceAnswer{Selection::First, {}, false});
  Bench().Run(CommandId::ChooseReading);
  EXPECT_EQ(MarkCount(), count(marks - 2, marks - 1));
  QApplication::setActiveWindow(MainForm());
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F2, Qt::ShiftModifier);
  EXPECT_EQ(Editor().SelStart(), first);
  Bench().Run(CommandId::FindPreviousMark);
  EXPECT_EQ(prompts_.Shown.back(), kNoPreviousMark);
  EXPECT_EQ(MarkCount(), count(marks - 1, marks - 1));
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_Home);
  QTest::keyClicks(TextForm()->RichEdit(), "{{");  // before the cursor: counted in the total only
  EXPECT_EQ(MarkCount(), count(marks - 1, marks));
  Bench().Settings().Sign1 = "||";  // a new opening token counts the text again
  Bench().Run(CommandId::SelectAll);
  const int bars = TextForm()->RichEdit()->toPlainText().count("||");
  EXPECT_EQ(MarkCount(), count(bars, bars));
}

// Choices and replacements go to NAME.log.tsv beside the text; a log that
// cannot be written is told on the status line and the choice still stands.
TEST_F(TextFeaturesTest, ChoicesAndReplacementsAreLoggedBesideTheText) {
  WriteFile(dir_.File("short.txt"), Utf8ToBig5("T01n0001_p0001a01║{{甲||乙}}甲{{乙||丙}}\r\n"));
  Open("short.txt");
  prompts_.Choices.push_back(ChoiceAnswer{Selection::Second, {}, false});
  Bench().Run(CommandId::RunLoop);
  fmReplace()->Memo->SetText(Utf8ToBig5("甲＝丙"));
  fmReplace()->btOkClick();
  prompts_.Replies.push_back(ReplaceAnswer{ReplaceDecision::Replace, Utf8ToBig5("丙")});
  Bench().Run(CommandId::RunReplaceTable);
  const std::string log = ReadFile(dir_.File("short.log.tsv"));
  EXPECT_NE(log.find("a01║\t19\t{{甲||乙}}\t乙\tsecond\n"), std::string::npos) << log;
  EXPECT_NE(log.find("a01║\t21\t甲\t丙\ttable\n"), std::string::npos) << log;

  std::filesystem::remove(dir_.File("short.log.tsv"));
  std::filesystem::create_directory(dir_.File("short.log.tsv"));
  Editor().SetSelStart(0);
  prompts_.Choices.push_back(ChoiceAnswer{Selection::First, {}, false});
  Bench().Run(CommandId::RunLoop);
  EXPECT_EQ(Big5ToUtf8(Editor().LineBytes(0)), "T01n0001_p0001a01║乙丙乙");
  EXPECT_EQ(Status(), DecisionLogFailedMessage(dir_.File("short.log.tsv")));
}

// The jump and the Ctrl+click both land on a character whose F3 puts the
// marker where it belongs; what cannot be found leaves the cursor alone.
TEST_F(TextFeaturesTest, LineHeadsAndClicksOnThePageLandInTheText) {
  Open("T01n0001.txt");
  auto marker = [](int field, int line, int charIndex) {
    const QSize client = ImageForm()->ClientSize();
    const MarkerPosition at =
        ComputeShowPosition(Bench().Settings(), Bench().VolShift().Get(ImageForm()->PicturePage()),
                            {kSamplePageWidth, client.width(), client.height()}, field, line, charIndex);
    return QPoint(at.MarkerX, at.MarkerY);
  };
  auto head = [this] { return Editor().LineBytes(Editor().LineFromPos(Editor().SelStart())).substr(0, 17); };
  for (const char* typed : {"3b19", "p0009a01"}) {
    typed_ = typed;
    Bench().Run(CommandId::GoToLineHead);
    EXPECT_EQ(head(), "T01n0001_p0003b19") << typed;
    EXPECT_EQ(Editor().SelStart() - Editor().LineStart(Editor().LineFromPos(Editor().SelStart())), 19);
    EXPECT_EQ(QPoint(ImageForm()->MarkerX(), ImageForm()->MarkerY()), marker(1, 18, 0));
  }
  EXPECT_EQ(prompts_.Shown.size(), 1u);

  QWidget* view = ImageForm()->PageArea()->viewport();
  for (int ratio : {100, 50}) {
    Bench().Settings().PictureRatio = ratio;
    ImageForm()->Rescale(ratio);
    ImageForm()->ShowPosition(1, 6, 9);
    Editor().SetSelStart(0);
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier,
                      marker(1, 6, 9) - QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos()));
    EXPECT_EQ(head(), "T01n0001_p0003b07") << ratio;
    EXPECT_EQ(TextForm()->Proofreader().LineRef.Char, 9) << ratio;
    EXPECT_EQ(QPoint(ImageForm()->MarkerX(), ImageForm()->MarkerY()), marker(1, 6, 9)) << ratio;
  }
  ImageForm()->SetHorzScrollPos(0);
  QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier,
                    QPoint(5, ImageForm()->MarkerY() - ImageForm()->VertScrollPos()));
  EXPECT_EQ(Status().rfind("找不到行首為 T01n0001_p0003b", 0), 0u) << Status();
  EXPECT_EQ(head(), "T01n0001_p0003b07");
}

}  // namespace
}  // namespace zorvel::test
