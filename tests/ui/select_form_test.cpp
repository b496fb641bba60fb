// The choice window by itself: its controls, the default button and what Enter
// takes, the paste and font buttons, the layout, the hot keys of its popup menu
// and every way its wait for an answer ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "core/text/big5.h"
#include "ui/application.h"
#include "ui/qt_prompts.h"
#include "ui/select_form.h"

namespace {

QString U(const char* text) {
  return QString::fromUtf8(text);
}

std::string B(const char* utf8) {
  return zorvel::Utf8ToBig5(utf8);
}

zorvel::ChoiceRequest Request(const char* first, const char* second, const char* third = nullptr) {
  zorvel::ChoiceRequest r;
  r.FirstStr = B(first);
  r.SecondStr = B(second);
  if (third) {
    r.ThirdStr = B(third);
    r.ThreeReadings = true;
    // As the mark parser marks agreeing readings: later checks win.
    if (r.SecondStr == r.ThirdStr) r.Agree[1] = r.Agree[2] = true, r.DefaultButton = 2;
    if (r.FirstStr == r.ThirdStr) r.Agree[0] = r.Agree[2] = true, r.DefaultButton = 1;
    if (r.FirstStr == r.SecondStr) r.Agree[0] = r.Agree[1] = true, r.DefaultButton = 1;
  }
  return r;
}

class SelectFormTest : public ::testing::Test {
 protected:
  SelectFormTest() { SelectForm = &form_; }
  static void SetUpTestSuite() { zorvel::InstallFontSubstitutions(); }
  ~SelectFormTest() override { SelectForm = nullptr; }

  template <typename T>
  T* Control(const char* name) {
    T* control = form_.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QLineEdit* Field(const char* name) { return Control<QLineEdit>(name); }
  QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
  QAction* Item(const char* name) { return Control<QAction>(name); }

  // Runs one choice through the real prompts; `act` runs inside the wait, as
  // the operator would, and must answer. A wait it leaves open fails the test
  // and is closed, so that no test hangs.
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request, std::function<void()> act) {
    QTimer::singleShot(0, &form_, [this, act] {
      EXPECT_TRUE(form_.Waiting());
      EXPECT_TRUE(form_.isVisible());
      QApplication::setActiveWindow(&form_);
      act();
      if (form_.Waiting()) {
        ADD_FAILURE() << "the choice window still waits";
        form_.close();
      }
    });
    zorvel::ChoiceAnswer answer = RealPrompts().Choose(request);
    EXPECT_FALSE(form_.Waiting());
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.SelectResult, answer.SelectResult);
    return answer;
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form_, Qt::Key(key),
                    modifiers);
  }
  QColor Base(const char* field) { return Field(field)->palette().color(QPalette::Base); }

  TSelectForm form_;
};

const QColor kYellow(255, 255, 0);
const QColor kLime(0, 255, 0);

TEST_F(SelectFormTest, WindowAndControlsAsDesigned) {
  EXPECT_EQ(form_.windowTitle(), U("請選擇 (儘量別使用其它視窗之功能)"));
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form_.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form_.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form_.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form_.isVisible());
  EXPECT_EQ(form_.pos(), QPoint(271, 293));
  EXPECT_EQ(form_.font().family(), U("細明體"));
  EXPECT_EQ(form_.font().pixelSize(), 16);

  struct Expected {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const Expected buttons[] = {
      {"btFirstStr", "選第一組", ""},
      {"btSecondStr", "選第二組", ""},
      {"btThirdStr", "選第三組", ""},
      {"btUserStr", "自訂字串", ""},
      {"btFirstPasteStr", "貼", "貼到自訂字串區"},
      {"btSecondPasteStr", "貼", "貼到自訂字串區"},
      {"btThirdPasteStr", "貼", "貼到自訂字串區"},
      {"btCenterLine", "＋", "切換圖形的中心線"},
      {"btBigWord", "大", "字型變大"},
      {"btSmallWord", "小", "字型變小"},
      {"btCancelSel", "取消", "取消"},
      {"btCancelToNext", "取消+下組", "取消並且選下一組"},
  };
  for (const Expected& e : buttons) {
    QPushButton* b = Button(e.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), U(e.caption)) << e.name;
    EXPECT_EQ(b->toolTip(), U(e.hint)) << e.name;
  }
  for (const char* red : {"btCenterLine", "btBigWord", "btSmallWord"}) {
    EXPECT_EQ(Button(red)->palette().color(QPalette::ButtonText), QColor(Qt::red)) << red;
  }
  EXPECT_NE(Button("btFirstStr")->palette().color(QPalette::ButtonText), QColor(Qt::red));

  // The rows of the designed client size: 24 pixels each.
  EXPECT_EQ(Button("btFirstStr")->geometry(), QRect(0, 0, 80, 24));
  EXPECT_EQ(Button("btUserStr")->geometry(), QRect(0, 72, 80, 24));
  EXPECT_EQ(Field("edFirstStr")->geometry().topLeft(), QPoint(80, 0));
  EXPECT_EQ(Field("edUserStr")->geometry().topLeft(), QPoint(80, 72));

  for (const char* name : {"edFirstStr", "edSecondStr", "edThirdStr"}) {
    EXPECT_TRUE(Field(name)->isReadOnly()) << name;
    EXPECT_FALSE(Field(name)->focusPolicy() & Qt::TabFocus) << name;
    EXPECT_EQ(Base(name), kYellow) << name;
  }
  EXPECT_FALSE(Field("edUserStr")->isReadOnly());

  // Tab order: the user string, then the buttons in their numbered order.
  const char* order[] = {"edUserStr",     "btFirstStr",      "btSecondStr",      "btThirdStr",
                         "btUserStr",     "btFirstPasteStr", "btSecondPasteStr", "btThirdPasteStr",
                         "btCenterLine",  "btBigWord",       "btSmallWord",      "btCancelSel",
                         "btCancelToNext"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget* w = form_.findChild<QWidget*>(order[i - 1]);
    ASSERT_NE(w, nullptr);
    QWidget* next = w->nextInFocusChain();
    while (next && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->objectName(), order[i]) << "after " << order[i - 1];
  }

  QStringList items, texts, keys;
  for (QAction* item : form_.pmSelect()->actions()) {
    items << (item->isSeparator() ? "-" : item->objectName());
    texts << item->text();
    keys << item->shortcut().toString();
  }
  EXPECT_EQ(items, QStringList({"miSelFirstStr", "miSelSecondStr", "miSelThirdStr", "miSelUserStr", "-",
                                "miCancelSel", "miCancelToNext"}));
  EXPECT_EQ(texts[6], U("取消 && 下一組"));
  EXPECT_EQ(keys, QStringList({"Ctrl+F", "Ctrl+S", "Ctrl+T", "Ctrl+U", "", "Esc", "Ctrl+N"}));
}

TEST_F(SelectFormTest, TwoReadingsHideTheThirdRowAndEnterTakesTheFirst) {
  zorvel::ChoiceRequest r = Request("甲", "乙");
  r.UserString = B("丙");
  const auto answer = Choose(r, [this] {
    EXPECT_EQ(Field("edFirstStr")->text(), U("甲"));
    EXPECT_EQ(Field("edSecondStr")->text(), U("乙"));
    EXPECT_EQ(Field("edUserStr")->text(), U("丙"));
    EXPECT_FALSE(Field("edThirdStr")->isVisible());
    EXPECT_FALSE(Button("btThirdStr")->isVisible());
    EXPECT_FALSE(Button("btThirdPasteStr")->isVisible());
    EXPECT_TRUE(Button("btFirstStr")->isDefault());
    EXPECT_FALSE(Button("btUserStr")->isDefault());
    EXPECT_EQ(QApplication::focusWidget(), Field("edUserStr"));
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(answer.SelectResult, 1);
  EXPECT_FALSE(answer.GoNext);
  EXPECT_EQ(answer.UserStr, B("丙"));

  // The next choice with three readings shows the third row again.
  const auto again = Choose(Request("甲", "乙", "丙"), [this] {
    EXPECT_TRUE(Field("edThirdStr")->isVisible());
    EXPECT_EQ(Field("edThirdStr")->text(), U("丙"));
    EXPECT_TRUE(Button("btThirdStr")->isVisible());
    Key(Qt::Key_Enter, Qt::KeypadModifier);
  });
  EXPECT_EQ(again.SelectResult, 1);
}

TEST_F(SelectFormTest, AgreeingReadingsAreLimeGreenAndTheirButtonIsTheDefault) {
  struct Case {
    const char *first, *second, *third;
    bool green[3];
    int enter;
  };
  const Case cases[] = {
      {"甲", "乙", "乙", {false, true, true}, 2},   {"甲", "乙", "甲", {true, false, true}, 1},
      {"甲", "甲", "乙", {true, true, false}, 1},   {"甲", "甲", "甲", {true, true, true}, 1},
      {"甲", "乙", "丙", {false, false, false}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + c.second + c.third);
    const auto answer = Choose(Request(c.first, c.second, c.third), [&] {
      const char* fields[] = {"edFirstStr", "edSecondStr", "edThirdStr"};
      for (int i = 0; i < 3; ++i) EXPECT_EQ(Base(fields[i]), c.green[i] ? kLime : kYellow) << fields[i];
      Key(Qt::Key_Return);
    });
    EXPECT_EQ(answer.SelectResult, c.enter);
  }
  // Two readings never show green, even when they agree.
  const auto two = Choose(Request("甲", "甲"), [this] {
    EXPECT_EQ(Base("edFirstStr"), kYellow);
    EXPECT_EQ(Base("edSecondStr"), kYellow);
    Key(Qt::Key_Escape);
  });
  EXPECT_EQ(two.SelectResult, 0);
}

TEST_F(SelectFormTest, TypingAndPastingMoveTheDefaultToTheUserString) {
  const auto typed = Choose(Request("甲", "乙", "乙"), [this] {
    EXPECT_TRUE(Button("btSecondStr")->isDefault());
    QTest::keyClicks(Field("edUserStr"), "ab");
    EXPECT_TRUE(Button("btUserStr")->isDefault());
    EXPECT_FALSE(Button("btSecondStr")->isDefault());
    EXPECT_FALSE(Button("btFirstStr")->isDefault());
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(typed.SelectResult, 4);
  EXPECT_EQ(typed.UserStr, "ab");

  // An emptied user string is an answer too: it deletes the mark.
  zorvel::ChoiceRequest preset = Request("甲", "乙");
  preset.UserString = B("丁");
  const auto emptied = Choose(preset, [this] {
    EXPECT_TRUE(Button("btFirstStr")->isDefault());  // the preset is no typing
    Key(Qt::Key_Backspace);
    EXPECT_TRUE(Field("edUserStr")->text().isEmpty());
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(emptied.SelectResult, 4);
  EXPECT_EQ(emptied.UserStr, "");

  const auto pasted = Choose(Request("甲", "乙", "丙"), [this] {
    Button("btThirdPasteStr")->click();
    Button("btFirstPasteStr")->click();
    EXPECT_EQ(Field("edUserStr")->text(), U("丙甲"));
    EXPECT_EQ(QApplication::focusWidget(), Field("edUserStr"));
    EXPECT_TRUE(Button("btUserStr")->isDefault());
    Button("btSecondPasteStr")->click();
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(pasted.SelectResult, 4);
  EXPECT_EQ(pasted.UserStr, B("丙甲乙"));
}

TEST_F(SelectFormTest, HotKeysAnswerWhileTheUserStringHasTheFocus) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int result;
    bool goNext;
  };
  const Case cases[] = {
      {Qt::Key_F, Qt::ControlModifier, 1, false}, {Qt::Key_S, Qt::ControlModifier, 2, false},
      {Qt::Key_T, Qt::ControlModifier, 3, false}, {Qt::Key_U, Qt::ControlModifier, 4, false},
      {Qt::Key_Escape, Qt::NoModifier, 0, false}, {Qt::Key_N, Qt::ControlModifier, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    zorvel::ChoiceRequest r = Request("甲", "乙");  // the third key acts with two readings too
    r.UserString = B("戊");
    const auto answer = Choose(r, [&] {
      ASSERT_EQ(QApplication::focusWidget(), Field("edUserStr"));
      Key(c.key, c.modifiers);
    });
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.GoNext, c.goNext);
    EXPECT_EQ(answer.UserStr, B("戊"));  // Ctrl+U did not clear the field
  }
  // Keys of the operator's choosing replace the defaults; Esc then does nothing.
  Item("miCancelSel")->setShortcut(QKeySequence(Qt::Key_F9));
  const auto rebound = Choose(Request("甲", "乙"), [this] {
    Key(Qt::Key_Escape);
    EXPECT_TRUE(form_.Waiting());
    Key(Qt::Key_F9);
  });
  EXPECT_EQ(rebound.SelectResult, 0);
  // A hot key that is also an editing key of the field acts as the hot key.
  Item("miSelUserStr")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  zorvel::ChoiceRequest preset = Request("甲", "乙");
  preset.UserString = B("戊");
  const auto selectAll = Choose(preset, [this] { Key(Qt::Key_A, Qt::ControlModifier); });
  EXPECT_EQ(selectAll.SelectResult, 4);
  EXPECT_EQ(selectAll.UserStr, B("戊"));
}

TEST_F(SelectFormTest, ButtonsPopupItemsAndTheCloseBoxEndTheWait) {
  const std::pair<const char*, int> buttons[] = {{"btFirstStr", 1},  {"btSecondStr", 2},
                                                 {"btThirdStr", 3},  {"btUserStr", 4},
                                                 {"btCancelSel", 0}, {"btCancelToNext", 0}};
  for (const auto& [name, result] : buttons) {
    const auto answer =
        Choose(Request("甲", "乙", "丙"), [&] { QTest::mouseClick(Button(name), Qt::LeftButton); });
    EXPECT_EQ(answer.SelectResult, result) << name;
    EXPECT_EQ(answer.GoNext, std::string(name) == "btCancelToNext") << name;
  }
  const std::pair<const char*, int> items[] = {{"miSelFirstStr", 1}, {"miSelSecondStr", 2},
                                               {"miSelThirdStr", 3}, {"miSelUserStr", 4},
                                               {"miCancelSel", 0},   {"miCancelToNext", 0}};
  for (const auto& [name, result] : items) {
    const auto answer = Choose(Request("甲", "乙", "丙"), [&] { Item(name)->trigger(); });
    EXPECT_EQ(answer.SelectResult, result) << name;
    EXPECT_EQ(answer.GoNext, std::string(name) == "miCancelToNext") << name;
  }
  // The close box counts as cancel.
  const auto closed = Choose(Request("甲", "乙"), [this] { form_.windowHandle()->close(); });
  EXPECT_EQ(closed.SelectResult, 0);
  EXPECT_FALSE(closed.GoNext);
  // A second choice asked while one waits is refused at once; the first goes on.
  const auto outer = Choose(Request("甲", "乙"), [this] {
    const auto inner = RealPrompts().Choose(Request("丙", "丁"));
    EXPECT_EQ(inner.SelectResult, 0);
    EXPECT_TRUE(form_.Waiting());
    EXPECT_EQ(Field("edFirstStr")->text(), U("甲"));
    Key(Qt::Key_S, Qt::ControlModifier);
  });
  EXPECT_EQ(outer.SelectResult, 2);
}

TEST_F(SelectFormTest, FontButtonsStopAtEightPointsAndGrowWithoutLimit) {
  EXPECT_EQ(form_.FieldFontSize(), 12);
  form_.SetFieldFontSize(9);
  Button("btSmallWord")->click();
  EXPECT_EQ(form_.FieldFontSize(), 8);
  Button("btSmallWord")->click();
  EXPECT_EQ(form_.FieldFontSize(), 8);
  for (int i = 0; i < 30; ++i) Button("btBigWord")->click();
  EXPECT_EQ(form_.FieldFontSize(), 68);
  for (const char* name : {"edFirstStr", "edSecondStr", "edThirdStr", "edUserStr"}) {
    EXPECT_EQ(Field(name)->font().pointSize(), 68) << name;
    EXPECT_EQ(Field(name)->font().family(), U("細明體")) << name;
  }
  // The buttons keep the window's font.
  EXPECT_EQ(Button("btFirstStr")->font().pixelSize(), 16);
  // The size stays for the next choice.
  Choose(Request("甲", "乙"), [this] { Key(Qt::Key_Escape); });
  EXPECT_EQ(form_.FieldFontSize(), 68);
}

TEST_F(SelectFormTest, FormResizeSplitsTheClientIntoFourRowsAndKeepsAMinimum) {
  struct Case {
    int cw, ch;  // the client size
    int lw, h;   // what the layout works with: width and row height
  };
  const Case cases[] = {{385, 96, 385, 24}, {500, 203, 500, 50}, {120, 40, 250, 24}, {251, 99, 251, 24}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cw) + "x" + std::to_string(c.ch));
    form_.resize(c.cw, c.ch);
    form_.FormResize();  // as the resize does, also while the window is hidden
    const char* buttons[] = {"btFirstStr", "btSecondStr", "btThirdStr", "btUserStr"};
    const char* fields[] = {"edFirstStr", "edSecondStr", "edThirdStr", "edUserStr"};
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(Button(buttons[r])->geometry(), QRect(0, r * c.h, 80, c.h)) << buttons[r];
      EXPECT_EQ(Field(fields[r])->geometry(), QRect(80, r * c.h, c.lw - 160, c.h)) << fields[r];
    }
    const char* pastes[] = {"btFirstPasteStr", "btSecondPasteStr", "btThirdPasteStr"};
    for (int r = 0; r < 3; ++r) EXPECT_EQ(Button(pastes[r])->geometry(), QRect(c.lw - 80, r * c.h, 25, c.h));
    EXPECT_EQ(Button("btCancelToNext")->geometry(), QRect(c.lw - 80, 3 * c.h, 80, 24));
    EXPECT_EQ(Button("btCancelSel")->geometry(), QRect(c.lw - 50, 2 * c.h, 50, 24));
    EXPECT_EQ(Button("btBigWord")->geometry(), QRect(c.lw - 50, 0, 25, 24));
    EXPECT_EQ(Button("btSmallWord")->geometry(), QRect(c.lw - 50, c.h, 25, 24));
    EXPECT_EQ(Button("btCenterLine")->geometry(), QRect(c.lw - 26, 0, 25, 24));
  }
}

}  // namespace

namespace {

// How many pixels of a rectangle of the picture have exactly the colour.
int CountColour(const QImage& image, const QRect& rect, const QColor& colour) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) n += image.pixelColor(x, y) == colour;
  return n;
}

// Dark pixels: the strokes of the glyphs.
int CountDark(const QImage& image, const QRect& rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) n += qGray(image.pixel(x, y)) < 100;
  return n;
}

// The window as the operator sees it with three readings, two of them agreeing:
// green and yellow fields with their Ming glyphs, every caption drawn. With
// ZORVEL_SCREENSHOT_DIR set, the picture is kept there as choice_window.png.
TEST_F(SelectFormTest, RenderedWindowShowsColoursAndGlyphs) {
  QImage shot;
  zorvel::ChoiceRequest r = Request("般若波羅蜜", "般若波羅密", "般若波羅密");
  Choose(r, [&] {
    shot = form_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Key(Qt::Key_Escape);
  });
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(QFontInfo(Field("edFirstStr")->font()).family().left(10), "AR PL UMin");
  const QRect first = Field("edFirstStr")->geometry().adjusted(3, 3, -3, -3);
  const QRect second = Field("edSecondStr")->geometry().adjusted(3, 3, -3, -3);
  const QRect third = Field("edThirdStr")->geometry().adjusted(3, 3, -3, -3);
  EXPECT_GT(CountColour(shot, first, kYellow), first.width() * first.height() / 2);
  EXPECT_GT(CountColour(shot, second, kLime), second.width() * second.height() / 2);
  EXPECT_GT(CountColour(shot, third, kLime), third.width() * third.height() / 2);
  // Five characters in each reading field.
  for (const QRect& field : {first, second, third}) EXPECT_GT(CountDark(shot, field), 100);
  // The red captions of the three small buttons.
  for (const char* name : {"btCenterLine", "btBigWord", "btSmallWord"}) {
    const QRect b = Button(name)->geometry();
    int red = 0;
    for (int y = b.top(); y <= b.bottom(); ++y)
      for (int x = b.left(); x <= b.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        red += c.red() - std::max(c.green(), c.blue()) > 60;
      }
    EXPECT_GT(red, 3) << name;
  }
  const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
  if (!dir.isEmpty()) EXPECT_TRUE(shot.save(QString::fromLocal8Bit(dir) + "/choice_window.png"));
}

}  // namespace
