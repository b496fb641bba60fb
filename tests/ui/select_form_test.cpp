// The choice window by itself: its controls, the default button and what Enter
// takes, the paste and font buttons, the layout, its hot keys and every way its
// wait for an answer ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "core/proof/difference_mark.h"
#include "core/text/big5.h"
#include "ui/shell/application.h"
#include "ui/image_sample.h"
#include "ui/shell/qt_prompts.h"
#include "ui/dialogs/select_form.h"

namespace {

using S = zorvel::Selection;

QString U(const char* text) {
  return QString::fromUtf8(text);
}

std::string B(const char* utf8) {
  return zorvel::Utf8ToBig5(utf8);
}

// A request with its agreeing readings marked; later checks win the default
// button.
zorvel::ChoiceRequest Request(const char* first, const char* second, const char* third = nullptr,
                              const char* user = "") {
  zorvel::ChoiceRequest r;
  r.FirstStr = B(first);
  r.SecondStr = B(second);
  r.UserString = B(user);
  r.ThreeReadings = third != nullptr;
  r.Writable[2] = third != nullptr;
  if (third) r.ThirdStr = B(third);
  const std::pair<int, int> pairs[] = {{1, 2}, {0, 2}, {0, 1}};
  const std::string* readings[] = {&r.FirstStr, &r.SecondStr, &r.ThirdStr};
  for (const auto& [a, b] : pairs) {
    if ((b == 2 && !third) || *readings[a] != *readings[b]) continue;
    r.Agree[a] = r.Agree[b] = true;
    r.DefaultButton = a + 1;
  }
  return r;
}

const QColor kYellow(255, 255, 0);
const QColor kLime(0, 255, 0);
const char* const kFields[] = {"edFirstStr", "edSecondStr", "edThirdStr", "edUserStr"};

class SelectFormTest : public zorvel::test::WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    StartWindows();
  }
  TSelectForm& Form() { return Bench().SelectForm(); }

  template <typename T>
  T* Control(const char* name) {
    T* control = Form().findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QLineEdit* Field(const char* name) { return Control<QLineEdit>(name); }
  QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
  QColor Base(const char* field) { return Field(field)->palette().color(QPalette::Base); }

  // Runs one choice through the real prompts; `act` runs inside the wait, as
  // the operator would, and must answer. A wait it leaves open fails the test
  // and is closed, so that no test hangs.
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request, std::function<void()> act) {
    QTimer::singleShot(0, &Form(), [this, act] {
      EXPECT_TRUE(Form().isVisible());
      QApplication::setActiveWindow(&Form());
      act();
      if (Form().Waiting()) {
        ADD_FAILURE() << "the choice window still waits";
        Form().close();
      }
    });
    zorvel::ChoiceAnswer answer = Bench().RealPrompts().Choose(request);
    EXPECT_FALSE(Form().isVisible());
    EXPECT_EQ(Form().SelectResult, answer.SelectResult);
    return answer;
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &Form(), Qt::Key(key),
                    modifiers);
  }
};

TEST_F(SelectFormTest, AgreeingReadingsAreLimeGreenAndEnterTakesTheDefault) {
  struct Case {
    const char *first, *second, *third;
    bool green[3];
    zorvel::Selection enter;
  };
  const Case cases[] = {
      {"甲", "乙", "乙", {false, true, true}, S::Second},
      {"甲", "乙", "甲", {true, false, true}, S::First},
      {"甲", "甲", "乙", {true, true, false}, S::First},
      {"甲", "甲", "甲", {true, true, true}, S::First},
      {"甲", "乙", "丙", {false, false, false}, S::First},
      {"甲", "甲", nullptr, {false, false, false}, S::First},  // two readings are never green
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + c.second + (c.third ? c.third : ""));
    const auto answer = Choose(Request(c.first, c.second, c.third, "丙"), [&] {
      for (int i = 0; i < 3; ++i) EXPECT_EQ(Base(kFields[i]), c.green[i] ? kLime : kYellow) << kFields[i];
      EXPECT_EQ(Field("edFirstStr")->text(), U(c.first));
      EXPECT_EQ(Field("edThirdStr")->isVisible(), c.third != nullptr);
      EXPECT_EQ(Button("btThirdPasteStr")->isVisible(), c.third != nullptr);
      EXPECT_EQ(QApplication::focusWidget(), Field("edUserStr"));
      Key(c.third ? Qt::Key_Return : Qt::Key_Enter, c.third ? Qt::NoModifier : Qt::KeypadModifier);
    });
    EXPECT_EQ(answer.SelectResult, c.enter);
    EXPECT_FALSE(answer.GoNext);
    EXPECT_EQ(answer.UserStr, B("丙"));
  }
}

TEST_F(SelectFormTest, TypingAndPastingMoveTheDefaultToTheUserString) {
  const auto typed = Choose(Request("甲", "乙", "乙"), [this] {
    QTest::keyClicks(Field("edUserStr"), "ab");
    EXPECT_TRUE(Button("btUserStr")->isDefault());
    EXPECT_FALSE(Button("btSecondStr")->isDefault());
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(typed.SelectResult, S::UserString);
  EXPECT_EQ(typed.UserStr, "ab");

  // An emptied user string is an answer too: it deletes the mark.
  const auto emptied = Choose(Request("甲", "乙", nullptr, "丁"), [this] {
    EXPECT_TRUE(Button("btFirstStr")->isDefault());  // the preset is no typing
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(emptied.SelectResult, S::UserString);
  EXPECT_EQ(emptied.UserStr, "");

  const auto pasted = Choose(Request("甲", "乙", "丙"), [this] {
    Button("btThirdPasteStr")->click();
    Button("btFirstPasteStr")->click();
    EXPECT_EQ(QApplication::focusWidget(), Field("edUserStr"));
    EXPECT_TRUE(Button("btUserStr")->isDefault());
    Button("btSecondPasteStr")->click();
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(pasted.SelectResult, S::UserString);
  EXPECT_EQ(pasted.UserStr, B("丙甲乙"));
}

TEST_F(SelectFormTest, HotKeysButtonsItemsAndTheCloseBoxEndTheWait) {
  struct Case {
    const char* what;
    std::function<void()> act;
    zorvel::Selection result;
    bool goNext;
  };
  auto key = [this](int k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
    return [=, this] { Key(k, m); };
  };
  auto click = [this](const char* name) {
    return [=, this] { QTest::mouseClick(Button(name), Qt::LeftButton); };
  };
  auto item = [this](const char* name) { return [=, this] { Control<QAction>(name)->trigger(); }; };
  const Case cases[] = {{"Ctrl+F", key(Qt::Key_F), S::First, false},
                        {"Ctrl+S", key(Qt::Key_S), S::Second, false},
                        // The third reading is not offered: its key and item do nothing.
                        {"Ctrl+T",
                         [this] {
                           Key(Qt::Key_T, Qt::ControlModifier);
                           EXPECT_TRUE(Form().Waiting());
                           Key(Qt::Key_S, Qt::ControlModifier);
                         },
                         S::Second, false},
                        {"miSelThirdStr",
                         [this] {
                           Control<QAction>("miSelThirdStr")->trigger();
                           EXPECT_TRUE(Form().Waiting());
                           Key(Qt::Key_Escape, Qt::NoModifier);
                         },
                         S::Cancel, false},
                        {"Ctrl+U", key(Qt::Key_U), S::UserString, false},
                        {"Esc", key(Qt::Key_Escape, Qt::NoModifier), S::Cancel, false},
                        {"Ctrl+N", key(Qt::Key_N), S::Cancel, true},
                        {"btSecondStr", click("btSecondStr"), S::Second, false},
                        {"btUserStr", click("btUserStr"), S::UserString, false},
                        {"btCancelSel", click("btCancelSel"), S::Cancel, false},
                        {"btCancelToNext", click("btCancelToNext"), S::Cancel, true},
                        {"miCancelToNext", item("miCancelToNext"), S::Cancel, true},
                        {"close box", [this] { Form().windowHandle()->close(); }, S::Cancel, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto answer = Choose(Request("甲", "乙", nullptr, "戊"), c.act);
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.GoNext, c.goNext);
    EXPECT_EQ(answer.UserStr, B("戊"));  // Ctrl+U did not clear the field
  }
  // A second choice asked while one waits is refused at once; the first goes on.
  const auto outer = Choose(Request("甲", "乙"), [this] {
    EXPECT_EQ(Bench().RealPrompts().Choose(Request("丙", "丁")).SelectResult, S::Cancel);
    EXPECT_EQ(Field("edFirstStr")->text(), U("甲"));
    Key(Qt::Key_S, Qt::ControlModifier);
  });
  EXPECT_EQ(outer.SelectResult, S::Second);
  // Keys of the operator's choosing replace the defaults, also over the
  // field's own editing keys.
  Control<QAction>("miCancelSel")->setShortcut(QKeySequence(Qt::Key_F9));
  Control<QAction>("miSelUserStr")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  const auto rebound = Choose(Request("甲", "乙", nullptr, "戊"), [this] {
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Form().Waiting());
    Key(Qt::Key_A, Qt::ControlModifier);
  });
  EXPECT_EQ(rebound.SelectResult, S::UserString);
  EXPECT_EQ(rebound.UserStr, B("戊"));
}

// Clicking a button beside the readings gives it the focus; Enter must still
// take the default reading (or, after a paste, the user string).
TEST_F(SelectFormTest, ButtonsBesideTheReadingsLeaveEnterToTheDefault) {
  struct Case {
    const char* button;
    const char* third;
    zorvel::Selection result;
    const char* user;
  };
  const Case cases[] = {{"btBigWord", "乙", S::Second, ""},
                        {"btSmallWord", "乙", S::Second, ""},
                        {"btCenterLine", "乙", S::Second, ""},
                        {"btSecondPasteStr", "乙", S::UserString, "乙"},
                        {"btFirstPasteStr", "乙", S::UserString, "甲"},
                        {"btThirdPasteStr", "", S::First, ""}};  // an empty reading pastes nothing
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    const auto answer = Choose(Request("甲", "乙", c.third), [&, this] {
      QTest::mouseClick(Button(c.button), Qt::LeftButton);
      Key(Qt::Key_Return);
    });
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.UserStr, B(c.user));
  }
}

TEST_F(SelectFormTest, FontButtonsStopAtEightPointsAndGrowWithoutLimit) {
  EXPECT_EQ(Form().FieldFontSize(), 12);
  Form().SetFieldFontSize(9);
  Button("btSmallWord")->click();
  Button("btSmallWord")->click();
  EXPECT_EQ(Form().FieldFontSize(), 8);
  for (int i = 0; i < 30; ++i) Button("btBigWord")->click();
  EXPECT_EQ(Form().FieldFontSize(), 68);
  for (const char* name : kFields) EXPECT_EQ(Field(name)->font().pointSize(), 68) << name;
  EXPECT_EQ(Button("btFirstStr")->font().pixelSize(), 16);  // the buttons keep the window's font
  Choose(Request("甲", "乙"), [this] { Key(Qt::Key_Escape); });
  EXPECT_EQ(Form().FieldFontSize(), 68);
}

}  // namespace
