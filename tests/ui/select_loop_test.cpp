// F2, F4 and F1 on the whole window set, through the real choice window, driven
// with keys as the operator drives them.

#include <QAction>
#include <QStatusBar>
#include <chrono>
#include <deque>

#include "core/proof/line_head_watch.h"
#include "core/proof/text_proofreader.h"
#include "core/text/big5.h"
#include "ui/image_sample.h"

namespace {

using zorvel::Utf8ToBig5;

// The line head of a proof text line: 17 ASCII bytes and the double-byte "║".
const std::string kHead = "T10n0289_p0592a05\xF9\xF8";

// Messages are recorded; the choice goes to the real choice window, where the
// next queued action of the operator answers it.
class OperatorPrompts : public zorvel::test::ScriptedPrompts {
 public:
  std::deque<std::function<void()>> Acts;
  int Choices = 0;

  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request) override {
    ++Choices;
    std::function<void()> act = Acts.empty() ? nullptr : std::move(Acts.front());
    if (!Acts.empty()) Acts.pop_front();
    QTimer::singleShot(0, SelectForm(), [act] {
      QApplication::setActiveWindow(SelectForm());
      if (act) act();
      if (!act || SelectForm()->Waiting()) {
        ADD_FAILURE() << "a choice nobody answers";
        SelectForm()->close();
      }
    });
    return Bench().RealPrompts().Choose(request);
  }
};

// A key as the operator types it into the window that has the focus.
void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

class SelectLoopTest : public zorvel::test::WindowSetTest {
 protected:
  // Starts the window set on lines, one line head each, CR LF between them.
  void Start(const std::vector<const char*>& lines) {
    WindowSetTest::Start();
    Bench().SetPrompts(&operator_);
    TextForm()->Editor().SetText(Lines(lines));
    TextForm()->Editor().SetSelStart(0);
  }
  static std::string Lines(const std::vector<const char*>& lines) {
    std::string text;
    for (const char* line : lines) text += kHead + Utf8ToBig5(line) + "\r\n";
    return text;
  }
  std::string Text() { return TextForm()->Editor().Text(); }
  // A key on the main window, back in front after a choice.
  void MainKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(MainForm());
    TextForm()->RichEdit()->setFocus();
    Type(key, modifiers);
  }
  // The cursor stands at byte `pos` with nothing selected.
  void ExpectCursor(int pos) {
    EXPECT_EQ(std::pair(TextForm()->Editor().SelStart(), TextForm()->Editor().SelLength()),
              std::pair(pos, 0));
  }

  OperatorPrompts operator_;
};

TEST_F(SelectLoopTest, F1RunsTheWholeLoopAndEscKeepsTheMark) {
  Start({"{{甲||乙}}{{丙||丁}}"});
  operator_.Acts.push_back([] { Type(Qt::Key_Escape); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines({"{{甲||乙}}{{丙||丁}}"}));
  ExpectCursor(int(kHead.size()));
  ASSERT_EQ(operator_.Shown.size(), 1u);  // the missing page
  // F1 from there skips the kept mark and takes the next; Ctrl+S picks 丁.
  // After the answer the keyboard is back in the main window: the next F1
  // goes straight there. (A bare X server without a window manager leaves
  // the focus nowhere when a window goes; there the operator clicks.)
  operator_.Acts.push_back([] { Type(Qt::Key_S, Qt::ControlModifier); });
  QApplication::processEvents();
  if (QGuiApplication::platformName() != "offscreen") QApplication::setActiveWindow(MainForm());
  ASSERT_EQ(QApplication::activeWindow(), MainForm());
  Type(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines({"{{甲||乙}}丁"}));
  ExpectCursor(int(kHead.size()) + 10);
  MainKey(Qt::Key_F1);  // no mark after the cursor: the message, no choice
  EXPECT_EQ(operator_.Shown.back(), "我沒有找到差異起始符號耶.");
  EXPECT_EQ(operator_.Choices, 2);
}

TEST_F(SelectLoopTest, WhileTheChoiceWaitsTheEditorIsDisabledAndOtherCommandsStayUsable) {
  Start({"{{甲||乙}}", "{{丙||丁}}"});
  operator_.Acts.push_back([] {
    EXPECT_FALSE(TextForm()->RichEdit()->isEnabled());
    // F2 still moves on to the next mark; F4 and F1 start no second choice.
    MainForm()->findChild<QAction*>("miFindSign")->trigger();
    EXPECT_EQ(TextForm()->Editor().SelStart(), int(Lines({"{{甲||乙}}"}).size() + kHead.size()));
    MainForm()->findChild<QAction*>("miSelectWord")->trigger();
    MainForm()->findChild<QAction*>("miAll")->trigger();
    EXPECT_TRUE(SelectForm()->Waiting());
    QApplication::setActiveWindow(SelectForm());
    Type(Qt::Key_S, Qt::ControlModifier);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(operator_.Choices, 1);
  // The answer still goes to the mark it was asked for.
  EXPECT_EQ(Text(), Lines({"乙", "{{丙||丁}}"}));
  ExpectCursor(int(kHead.size()));
  EXPECT_TRUE(TextForm()->RichEdit()->isEnabled());
}

// The operator strikes Enter once more than the choice needs: the second
// stroke reaches the text at once and is dropped. A line break typed later
// goes in, and the status line tells of the line without a head.
TEST_F(SelectLoopTest, ASecondEnterRightAfterTheChoiceLeavesTheLineWhole) {
  Start({"甲{{甲||乙}}丙", "丁"});
  operator_.Acts.push_back([] { Type(Qt::Key_Return); });
  MainKey(Qt::Key_F1);
  MainKey(Qt::Key_Return);
  EXPECT_EQ(Text(), Lines({"甲甲丙", "丁"}));
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), "");

  using namespace std::chrono_literals;
  TextForm()->Proofreader().EnterGuard.ChoiceClosed(zorvel::EnterGuard::Clock::now() - 1s);
  MainKey(Qt::Key_Return);
  EXPECT_EQ(Text(), kHead + Utf8ToBig5("甲\r\n甲丙\r\n") + kHead + Utf8ToBig5("丁\r\n"));
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), QString::fromUtf8(zorvel::kLineSplitNote.data()));
}

}  // namespace
