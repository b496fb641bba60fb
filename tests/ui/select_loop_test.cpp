// F2, F4 and F1 on the whole window set, through the real choice window, driven
// with keys as the operator drives them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>

#include "core/proof/line_head_watch.h"
#include "core/proof/text_proofreader.h"
#include "core/text/big5.h"
#include "support/test_support.h"
#include "ui/dialogs/select_form.h"
#include "ui/image_sample.h"
#include "ui/shell/application.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
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
  int Choices = 0;

  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request) override {
    ++Choices;
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
  // Starts the window set on lines, one line head each, CR LF between them.
  void Start(const std::vector<std::string>& lines) {
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

TEST_F(SelectLoopTest, F1RunsTheWholeLoopAndEscKeepsTheMark) {
  Start({B("{{甲||乙}}{{丙||丁}}")});
  operator_.Acts.push_back([] { Type(Qt::Key_Escape); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines(lines_));
  ExpectCursor(At(0, 0));
  ASSERT_EQ(operator_.Shown.size(), 1u);  // the missing page
  EXPECT_EQ(operator_.Shown[0].rfind("錯誤 : 檔案 ", 0), 0u) << operator_.Shown[0];
  // F1 from there skips the kept mark and takes the next; Ctrl+S picks 丁.
  // After the answer the keyboard is back in the main window: the next F1
  // goes straight there. (A bare X server without a window manager leaves
  // the focus nowhere when a window goes; there the operator clicks.)
  operator_.Acts.push_back([] { Type(Qt::Key_S, Qt::ControlModifier); });
  QApplication::processEvents();
  if (QGuiApplication::platformName() != "offscreen") QApplication::setActiveWindow(MainForm());
  ASSERT_EQ(QApplication::activeWindow(), MainForm());
  Type(Qt::Key_F1);
  EXPECT_EQ(Text(), Lines({B("{{甲||乙}}丁")}));
  ExpectCursor(At(0, 10));
  MainKey(Qt::Key_F1);  // no mark after the cursor: the message, no choice
  EXPECT_EQ(operator_.Shown.back(), kNoMark);
  EXPECT_EQ(operator_.Choices, 2);
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
}

}  // namespace
