// The choice window by itself: what it shows, what Enter takes, its buttons,
// its hot keys and every way its wait for an answer ends.

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include "core/text/big5.h"
#include "ui/image_sample.h"

namespace {

using S = zorvel::Selection;
using zorvel::Utf8ToBig5;

// A request of two readings, or three; the first is the default.
zorvel::ChoiceRequest Request(const char* first, const char* second, const char* third = nullptr,
                              const char* user = "") {
  zorvel::ChoiceRequest r;
  r.FirstStr = Utf8ToBig5(first);
  r.SecondStr = Utf8ToBig5(second);
  r.ThirdStr = Utf8ToBig5(third ? third : "");
  r.UserString = Utf8ToBig5(user);
  r.ThreeReadings = third != nullptr;
  r.Writable[2] = r.ThreeReadings;
  return r;
}

class SelectFormTest : public zorvel::test::WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    StartWindows();
  }
  TSelectForm& Form() { return Bench().SelectForm(); }
  template <typename T = QPushButton>
  T* Control(const char* name) {
    T* control = Form().findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Runs one choice through the real prompts; `act` runs inside the wait, as
  // the operator would, and must answer. A wait it leaves open fails the test
  // and is closed, so that no test hangs.
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request, std::function<void()> act) {
    QTimer::singleShot(0, &Form(), [this, act] {
      QApplication::setActiveWindow(&Form());
      act();
      if (Form().Waiting()) {
        ADD_FAILURE() << "the choice window still waits";
        Form().close();
      }
    });
    const zorvel::ChoiceAnswer answer = Bench().RealPrompts().Choose(request);
    EXPECT_FALSE(Form().isVisible());
    return answer;
  }
  static void Key(QKeyCombination key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : SelectForm();
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
  }
  static std::function<void()> Keys(std::vector<QKeyCombination> keys) {
    return [keys] {
      for (QKeyCombination key : keys) Key(key);
    };
  }
  std::function<void()> Click(std::vector<const char*> names) {
    return [this, names] {
      for (const char* name : names) QTest::mouseClick(Control(name), Qt::LeftButton);
    };
  }
};

TEST_F(SelectFormTest, AgreeingReadingsAreLimeGreenAndEnterTakesTheDefault) {
  const char* const fields[] = {"edFirstStr", "edSecondStr", "edThirdStr"};
  struct Case {
    const char* third;
    bool agree[3];
    int defaultButton;
    S enter;
  };
  for (const Case& c :
       {Case{"乙", {false, true, true}, 2, S::Second}, Case{"甲", {true, false, true}, 1, S::First},
        Case{"丙", {false, false, false}, 3, S::Third},
        Case{nullptr, {true, true, false}, 1, S::First}}) {  // two readings are never green
    SCOPED_TRACE(c.defaultButton);
    zorvel::ChoiceRequest request = Request("甲", "乙", c.third, "丙");
    std::copy(c.agree, c.agree + 3, request.Agree);
    request.DefaultButton = c.defaultButton;
    const auto answer = Choose(request, [&] {
      for (int i = 0; i < 3; ++i) {
        const QColor base = Control<QLineEdit>(fields[i])->palette().color(QPalette::Base);
        EXPECT_EQ(base, c.third && c.agree[i] ? QColor(0, 255, 0) : QColor(255, 255, 0)) << fields[i];
      }
      EXPECT_EQ(Control<QLineEdit>("edThirdStr")->isVisible(), c.third != nullptr);
      EXPECT_EQ(QApplication::focusWidget(), Control<QLineEdit>("edUserStr"));
      Key(c.third ? QKeyCombination(Qt::Key_Return) : Qt::KeypadModifier | Qt::Key_Enter);
    });
    EXPECT_EQ(answer.SelectResult, c.enter);
    EXPECT_EQ(answer.UserStr, Utf8ToBig5("丙"));
  }
}

// Typing and pasting move Enter to the user string; clicking any other button
// beside the readings gives it the focus, and Enter must still take the
// default.
TEST_F(SelectFormTest, EnterAfterTypingPastingOrAButtonBesideTheReadings) {
  struct Case {
    const char* third;
    const char* user;
    std::function<void()> act;
    S result;
    const char* answer;
  };
  const Case cases[] = {
      {"乙", "", [] { QTest::keyClicks(QApplication::focusWidget(), "ab"); }, S::UserString, "ab"},
      {nullptr, "丁", Keys({Qt::Key_Backspace}), S::UserString, ""},
      {"丙", "", Click({"btThirdPasteStr", "btFirstPasteStr", "btSecondPasteStr"}), S::UserString, "丙甲乙"},
      {"", "", Click({"btThirdPasteStr"}), S::First, ""},  // an empty reading pasted
      {"乙", "", Click({"btBigWord"}), S::First, ""},
      {"乙", "", Click({"btSmallWord"}), S::First, ""},
      {"乙", "", Click({"btCenterLine"}), S::First, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto answer = Choose(Request("甲", "乙", c.third, c.user), [&] {
      c.act();
      Key(Qt::Key_Return);
    });
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.UserStr, Utf8ToBig5(c.answer));
  }
}

TEST_F(SelectFormTest, HotKeysButtonsAndTheCloseBoxEndTheWait) {
  struct Case {
    std::function<void()> act;
    S result;
    bool goNext;
  };
  const Case cases[] = {{Keys({Qt::CTRL | Qt::Key_F}), S::First, false},
                        // The third reading is not offered: its key does nothing.
                        {Keys({Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key_S}), S::Second, false},
                        {Keys({Qt::CTRL | Qt::Key_U}), S::UserString, false},
                        {Keys({Qt::Key_Escape}), S::Cancel, false},
                        {Keys({Qt::CTRL | Qt::Key_N}), S::Cancel, true},
                        {Click({"btFirstStr"}), S::First, false},
                        {Click({"btSecondStr"}), S::Second, false},
                        {Click({"btUserStr"}), S::UserString, false},
                        {Click({"btCancelSel"}), S::Cancel, false},
                        {Click({"btCancelToNext"}), S::Cancel, true},
                        {[this] { Form().windowHandle()->close(); }, S::Cancel, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto answer = Choose(Request("甲", "乙", nullptr, "戊"), c.act);
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.GoNext, c.goNext);
    EXPECT_EQ(answer.UserStr,
              Utf8ToBig5("戊"));  // Ctrl+U did not clear the field
  }
  // A second choice asked while one waits is refused at once; the first goes
  // on.
  const auto outer = Choose(Request("甲", "乙"), [&] {
    EXPECT_EQ(Bench().RealPrompts().Choose(Request("丙", "丁")).SelectResult, S::Cancel);
    EXPECT_EQ(Control<QLineEdit>("edFirstStr")->text(), zorvel::test::U("甲"));
    Key(Qt::CTRL | Qt::Key_S);
  });
  EXPECT_EQ(outer.SelectResult, S::Second);
  // Keys of the operator's choosing replace the defaults, also over the
  // field's own editing keys.
  Control<QAction>("miCancelSel")->setShortcut(QKeySequence(Qt::Key_F9));
  Control<QAction>("miSelUserStr")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  const auto rebound =
      Choose(Request("甲", "乙", nullptr, "戊"), Keys({Qt::Key_Escape, Qt::CTRL | Qt::Key_A}));
  EXPECT_EQ(rebound.SelectResult, S::UserString);
  EXPECT_EQ(rebound.UserStr, Utf8ToBig5("戊"));
}

TEST_F(SelectFormTest, FontButtonsStopAtEightPointsAndGrowWithoutLimit) {
  Form().SetFieldFontSize(9);
  for (int i = 0; i < 2; ++i) Control("btSmallWord")->click();
  EXPECT_EQ(Form().FieldFontSize(), 8);
  for (int i = 0; i < 30; ++i) Control("btBigWord")->click();
  EXPECT_EQ(Control<QLineEdit>("edUserStr")->font().pointSize(), 68);
  Choose(Request("甲", "乙"), Keys({Qt::Key_Escape}));
  EXPECT_EQ(Form().FieldFontSize(), 68);
}

}  // namespace
