// F2, F4 and F1 on the whole window set, through the real choice window, driven
// with keys as the operator drives them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <deque>
#include <functional>

#include "core/proof/difference_mark.h"
#include "core/proof/line_head_watch.h"
#include "core/proof/text_proofreader.h"
#include "core/text/big5.h"
#include "support/test_support.h"
#include "ui/shell/application.h"
#include "ui/image/image_form.h"
#include "ui/image_sample.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/dialogs/select_form.h"
#include "ui/text/text_form.h"

namespace {

std::string B(const char* utf8) {
  return zorvel::Utf8ToBig5(utf8);
}

// The line head of a proof text line: 17 ASCII bytes and the double-byte "║".
const std::string kHead = "T10n0289_p0592a05\xF9\xF8";
const int kHeadSize = int(kHead.size());
const char* const kNoMark = "我沒有找到差異起始符號耶.";

// Messages are recorded; the choice goes to the real choice window, where the
// next queued action of the operator answers it.
class OperatorPrompts : public zorvel::test::ScriptedPrompts {
 public:
  std::deque<std::function<void()>> Acts;
  std::vector<bool> EditorEnabled;  // the editor's state at each choice
  int Choices = 0;

  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request) override {
    ++Choices;
    EditorEnabled.push_back(TextForm()->RichEdit()->isEnabled());
    std::function<void()> act = Acts.empty() ? nullptr : std::move(Acts.front());
    if (!Acts.empty()) Acts.pop_front();
    QTimer::singleShot(0, SelectForm(), [act] {
      QApplication::setActiveWindow(SelectForm());
      if (act) {
        act();
      } else {
        ADD_FAILURE() << "a choice nobody answers";
      }
      if (SelectForm()->Waiting()) {
        ADD_FAILURE() << "the choice window still waits";
        SelectForm()->close();
      }
    });
    return Bench().RealPrompts().Choose(request);
  }
};

// A key as the operator types it into the window that has the focus.
void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget();
  if (!target) target = QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

class SelectLoopTest : public zorvel::test::WindowSetTest {
 protected:
  void SetUp() override { WindowSetTest::SetUp(); }
  // Starts the window set on lines, one line head each, CR LF between them.
  void Start(const std::vector<std::string>& lines, const std::string& ini = {}) {
    if (!ini.empty()) zorvel::test::WriteFile(dir_.File("zorvel.ini"), ini);
    WindowSetTest::Start();
    Bench().SetPrompts(&operator_);
    lines_ = lines;
    TextForm()->Editor().SetText(Lines(lines));
    TextForm()->Editor().SetSelStart(0);
  }
  static std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += kHead + line + "\r\n";
    return text;
  }
  std::string Text() { return TextForm()->Editor().Text(); }
  // The byte position of a column of a line of the text as it was loaded.
  int At(int line, int column) const {
    int pos = 0;
    for (int i = 0; i < line; ++i) pos += kHeadSize + int(lines_[i].size()) + 2;
    return pos + kHeadSize + column;
  }
  // A key on the main window, back in front after a choice.
  void MainKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(MainForm());
    TextForm()->RichEdit()->setFocus();
    Type(key, modifiers);
  }
  void ExpectCursor(int pos) {
    EXPECT_EQ(TextForm()->Editor().SelStart(), pos);
    EXPECT_EQ(TextForm()->Editor().SelLength(), 0);
  }

  OperatorPrompts operator_;
  std::vector<std::string> lines_;
};

TEST_F(SelectLoopTest, F2FindsF4ChoosesWithEnterAndTheCursorStandsAtTheMark) {
  Start({B("甲{{甲||乙}}丙"), B("丁{{丙||丁||丁}}")});
  MainKey(Qt::Key_F2);
  EXPECT_EQ(TextForm()->Editor().SelStart(), At(0, 2));
  EXPECT_EQ(TextForm()->Editor().SelLength(), 2);
  operator_.Acts.push_back([] { Type(Qt::Key_Return); });
  MainKey(Qt::Key_F4);
  EXPECT_EQ(Text(), Lines({B("甲甲丙"), lines_[1]}));
  ExpectCursor(At(0, 2));
  EXPECT_TRUE(TextForm()->RichEdit()->isEnabled());
  EXPECT_EQ(operator_.EditorEnabled, std::vector<bool>{false});
  // The agreeing readings of the three-reading mark make Enter take 丁.
  MainKey(Qt::Key_F2);
  operator_.Acts.push_back([] { Type(Qt::Key_Return); });
  MainKey(Qt::Key_F4);
  EXPECT_EQ(Text(), Lines({B("甲甲丙"), B("丁丁")}));
  EXPECT_TRUE(operator_.Shown.empty());
}

TEST_F(SelectLoopTest, F1RunsTheWholeLoopAndEscOrTheCloseBoxKeepsTheMark) {
  Start({B("{{甲||乙}}{{丙||丁}}")});
  operator_.Acts.push_back([] { Type(Qt::Key_Escape); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines(lines_));
  ExpectCursor(At(0, 0));
  ASSERT_EQ(operator_.Shown.size(), 1u);  // the missing page
  EXPECT_EQ(operator_.Shown[0].rfind("錯誤 : 檔案 ", 0), 0u) << operator_.Shown[0];
  // F1 from there skips the kept mark and takes the next; Ctrl+S picks 丁.
  operator_.Acts.push_back([] { Type(Qt::Key_S, Qt::ControlModifier); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines({B("{{甲||乙}}丁")}));
  ExpectCursor(At(0, 10));
  MainKey(Qt::Key_F1);  // no mark after the cursor: the message, no choice
  EXPECT_EQ(operator_.Shown.back(), kNoMark);
  EXPECT_EQ(operator_.Choices, 2);
  TextForm()->Editor().SetSelStart(0);
  operator_.Acts.push_back([] { SelectForm()->windowHandle()->close(); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines({B("{{甲||乙}}丁")}));
  ExpectCursor(At(0, 0));
}

TEST_F(SelectLoopTest, WhileTheChoiceWaitsTheEditorIsDisabledAndOtherCommandsStayUsable) {
  Start({B("{{甲||乙}}"), B("{{丙||丁}}")});
  operator_.Acts.push_back([this] {
    EXPECT_FALSE(TextForm()->RichEdit()->isEnabled());
    // F2 still moves on to the next mark; F4 and F1 start no second choice.
    MainForm()->findChild<QAction*>("miFindSign")->trigger();
    EXPECT_EQ(TextForm()->Editor().SelStart(), At(1, 0));
    MainForm()->findChild<QAction*>("miSelectWord")->trigger();
    MainForm()->findChild<QAction*>("miAll")->trigger();
    EXPECT_TRUE(SelectForm()->Waiting());
    QApplication::setActiveWindow(SelectForm());
    Type(Qt::Key_S, Qt::ControlModifier);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(operator_.Choices, 1);
  // The answer still goes to the mark it was asked for.
  EXPECT_EQ(Text(), Lines({B("乙"), lines_[1]}));
  ExpectCursor(At(0, 0));
  EXPECT_TRUE(TextForm()->RichEdit()->isEnabled());
}

TEST_F(SelectLoopTest, HotKeysFromTheSettingsAndTheTextPopupRunTheLoop) {
  Start({B("{{甲||乙||丙}}{{丙||丁}}{{戊||己}}")},
        "[HotKey]\r\nFindSign=ctrl+shift+f2\r\nShowWord=F8\r\nSelectWord=Shift+F4\r\nAll=F11\r\n"
        "SelFirstStr=Ctrl+1\r\nSelSecondStr=Ctrl+2\r\nSelThirdStr=Ctrl+3\r\nSelUserStr=Ctrl+4\r\n"
        "CancelSel=F12\r\nCancelToNext=Ctrl+5\r\n");
  const std::pair<const char*, const char*> keys[] = {
      {"miFindSign", "Ctrl+Shift+F2"}, {"miShowWord", "F8"},
      {"miSelectWord", "Shift+F4"},    {"miAll", "F11"},
      {"miSelFirstStr", "Ctrl+1"},     {"miSelSecondStr", "Ctrl+2"},
      {"miSelThirdStr", "Ctrl+3"},     {"miSelUserStr", "Ctrl+4"},
      {"miCancelSel", "F12"},          {"miCancelToNext", "Ctrl+5"}};
  for (const auto& [name, key] : keys) {
    QList<QAction*> items = MainForm()->findChildren<QAction*>(name, Qt::FindDirectChildrenOnly);
    items += TextForm()->TextPopupMenu()->findChildren<QAction*>(name);
    items += SelectForm()->findChildren<QAction*>(name);
    ASSERT_FALSE(items.isEmpty()) << name;
    for (QAction* item : items) EXPECT_EQ(item->shortcut().toString(), key) << name;
  }
  operator_.Acts.push_back([] { Type(Qt::Key_3, Qt::ControlModifier); });
  MainKey(Qt::Key_F11);
  EXPECT_EQ(Text(), Lines({B("丙{{丙||丁}}{{戊||己}}")}));
  MainKey(Qt::Key_F2, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(TextForm()->Editor().SelStart(), At(0, 2));
  operator_.Acts.push_back([] { Type(Qt::Key_F12); });
  MainKey(Qt::Key_F4, Qt::ShiftModifier);
  EXPECT_EQ(operator_.Choices, 2);
  // The popup's items run the same commands.
  TextForm()->Editor().SetSelStart(0);
  TextForm()->TextPopupMenu()->findChild<QAction*>("miFindSign")->trigger();
  EXPECT_EQ(TextForm()->Editor().SelStart(), At(0, 2));
  operator_.Acts.push_back([] { Type(Qt::Key_1, Qt::ControlModifier); });
  TextForm()->TextPopupMenu()->findChild<QAction*>("miSelectWord")->trigger();
  operator_.Acts.push_back([] { Type(Qt::Key_4, Qt::ControlModifier); });
  TextForm()->TextPopupMenu()->findChild<QAction*>("miAll")->trigger();
  EXPECT_EQ(Text(), Lines({B("丙丙")}));
}

// The operator strikes Enter once more than the choice needs: the second
// stroke reaches the text at once and is dropped. A line break typed later
// goes in, and the status line tells of the line without a head.
TEST_F(SelectLoopTest, ASecondEnterRightAfterTheChoiceLeavesTheLineWhole) {
  Start({B("甲{{甲||乙}}丙"), B("丁")});
  operator_.Acts.push_back([] { Type(Qt::Key_Return); });
  MainKey(Qt::Key_F1);
  MainKey(Qt::Key_Return);
  EXPECT_EQ(Text(), Lines({B("甲甲丙"), B("丁")}));
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), "");

  using namespace std::chrono_literals;
  TextForm()->Proofreader().EnterGuard.ChoiceClosed(zorvel::EnterGuard::Clock::now() - 1s);
  MainKey(Qt::Key_Return);
  const std::string split = kHead + B("甲") + "\r\n" + B("甲丙") + "\r\n";
  EXPECT_EQ(Text(), split + kHead + B("丁") + "\r\n");
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), QString::fromUtf8(zorvel::kLineSplitNote.data()));

  // Backspace at the start of the next line buries its head in the line before.
  MainForm()->StatusLine()->clearMessage();
  TextForm()->Editor().SetSelStart(int(split.size()));
  MainKey(Qt::Key_Backspace);
  EXPECT_EQ(Text(), split.substr(0, split.size() - 2) + kHead + B("丁") + "\r\n");
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), QString::fromUtf8(zorvel::kLineJoinNote.data()));
}

// An operator's session: F1 again and again over many marks, choosing with the
// keyboard only, then saving. The file holds exactly those changes.
TEST_F(SelectLoopTest, KeyboardOnlySessionOverManyMarksSavesExactlyTheChoices) {
  std::vector<std::string> lines, expected;
  for (int i = 0; i < 50; ++i) {
    lines.insert(lines.end(), {B("甲{{乙||丙}}丁"), B("{{甲||乙||乙}}{{丙||丁}}"), B("戊{{甲||乙}}"),
                               B("{{甲||乙}}"), B("甲乙丙")});
    expected.insert(expected.end(), {B("甲乙丁"), B("乙丁"), B("戊{{甲||乙}}"), "q", B("甲乙丙")});
    operator_.Acts.insert(operator_.Acts.end(),
                          {[] { Type(Qt::Key_Return); }, [] { Type(Qt::Key_Return); },
                           [] { Type(Qt::Key_S, Qt::ControlModifier); }, [] { Type(Qt::Key_Escape); },
                           [] {
                             Type(Qt::Key_Q);
                             Type(Qt::Key_Return);
                           }});
  }
  Start(lines);
  const int presses = int(operator_.Acts.size());
  // After each answer the keyboard is back in the main window: the next F1
  // goes straight there.
  MainKey(Qt::Key_F1);
  for (int i = 1; i < presses; ++i) {
    QApplication::processEvents();
    // A bare X server without a window manager leaves the focus nowhere when a
    // window goes; there the operator clicks the main window.
    if (QGuiApplication::platformName() != "offscreen") QApplication::setActiveWindow(MainForm());
    ASSERT_EQ(QApplication::activeWindow(), MainForm()) << i;
    Type(Qt::Key_F1);
  }
  EXPECT_EQ(operator_.Choices, presses);
  MainKey(Qt::Key_F1);
  EXPECT_EQ(operator_.Shown.back(), kNoMark);
  EXPECT_EQ(Text(), Lines(expected));
  const std::string path = dir_.File("proof.txt");
  TextForm()->SaveFileNameHook = [path] { return QString::fromStdString(path); };
  TextForm()->FileSave();
  EXPECT_EQ(zorvel::test::ReadFile(path), Lines(expected));
}

}  // namespace
