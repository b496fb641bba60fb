// The choice window by itself: its controls, the default button and what Enter
// takes, the paste and font buttons, the layout, its hot keys and every way its
// wait for an answer ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "core/proof/difference_mark.h"
#include "core/text/big5.h"
#include "ui/application.h"
#include "ui/image_sample.h"
#include "ui/qt_prompts.h"
#include "ui/select_form.h"

namespace {

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

TEST_F(SelectFormTest, WindowAndControlsAsDesigned) {
  EXPECT_EQ(Form().windowTitle(), U("請選擇 (儘量別使用其它視窗之功能)"));
  EXPECT_TRUE(Form().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(Form().pos(), QPoint(271, 293));
  EXPECT_EQ(Form().font().family(), U("細明體"));
  EXPECT_EQ(Form().font().pixelSize(), 16);
  const char* buttons[][3] = {{"btFirstStr", "選第一組", ""},
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
                              {"btCancelToNext", "取消+下組", "取消並且選下一組"}};
  for (const auto& [name, caption, hint] : buttons) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Button(name)->text(), U(caption));
    EXPECT_EQ(Button(name)->toolTip(), U(hint));
    const bool red = QByteArray("btCenterLine btBigWord btSmallWord").contains(name);
    EXPECT_EQ(Button(name)->palette().color(QPalette::ButtonText) == QColor(Qt::red), red);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(Field(kFields[i])->isReadOnly()) << kFields[i];
    EXPECT_EQ(Base(kFields[i]), kYellow) << kFields[i];
  }
  EXPECT_FALSE(Field("edUserStr")->isReadOnly());

  // Tab order: the user string, then the buttons in their numbered order; the
  // reading fields take no tab.
  QStringList order;
  QWidget* w = Field("edUserStr");
  do {
    if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != Field("edUserStr") && order.size() < 20);
  EXPECT_EQ(order, QStringList({"edUserStr", "btFirstStr", "btSecondStr", "btThirdStr", "btUserStr",
                                "btFirstPasteStr", "btSecondPasteStr", "btThirdPasteStr", "btCenterLine",
                                "btBigWord", "btSmallWord", "btCancelSel", "btCancelToNext"}));

  QStringList items;
  for (QAction* item : Form().pmSelect()->actions()) {
    items << (item->isSeparator() ? "-" : item->objectName() + " " + item->shortcut().toString());
  }
  EXPECT_EQ(items, QStringList({"miSelFirstStr Ctrl+F", "miSelSecondStr Ctrl+S", "miSelThirdStr Ctrl+T",
                                "miSelUserStr Ctrl+U", "-", "miCancelSel Esc", "miCancelToNext Ctrl+N"}));
  EXPECT_EQ(Form().pmSelect()->actions()[6]->text(), U("取消 && 下一組"));
}

TEST_F(SelectFormTest, AgreeingReadingsAreLimeGreenAndEnterTakesTheDefault) {
  struct Case {
    const char *first, *second, *third;
    bool green[3];
    int enter;
  };
  const Case cases[] = {
      {"甲", "乙", "乙", {false, true, true}, 2},
      {"甲", "乙", "甲", {true, false, true}, 1},
      {"甲", "甲", "乙", {true, true, false}, 1},
      {"甲", "甲", "甲", {true, true, true}, 1},
      {"甲", "乙", "丙", {false, false, false}, 1},
      {"甲", "甲", nullptr, {false, false, false}, 1},  // two readings are never green
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
  EXPECT_EQ(typed.SelectResult, 4);
  EXPECT_EQ(typed.UserStr, "ab");

  // An emptied user string is an answer too: it deletes the mark.
  const auto emptied = Choose(Request("甲", "乙", nullptr, "丁"), [this] {
    EXPECT_TRUE(Button("btFirstStr")->isDefault());  // the preset is no typing
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(emptied.SelectResult, 4);
  EXPECT_EQ(emptied.UserStr, "");

  const auto pasted = Choose(Request("甲", "乙", "丙"), [this] {
    Button("btThirdPasteStr")->click();
    Button("btFirstPasteStr")->click();
    EXPECT_EQ(QApplication::focusWidget(), Field("edUserStr"));
    EXPECT_TRUE(Button("btUserStr")->isDefault());
    Button("btSecondPasteStr")->click();
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(pasted.SelectResult, 4);
  EXPECT_EQ(pasted.UserStr, B("丙甲乙"));
}

TEST_F(SelectFormTest, HotKeysButtonsItemsAndTheCloseBoxEndTheWait) {
  struct Case {
    const char* what;
    std::function<void()> act;
    int result;
    bool goNext;
  };
  auto key = [this](int k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
    return [=, this] { Key(k, m); };
  };
  auto click = [this](const char* name) {
    return [=, this] { QTest::mouseClick(Button(name), Qt::LeftButton); };
  };
  auto item = [this](const char* name) { return [=, this] { Control<QAction>(name)->trigger(); }; };
  const Case cases[] = {{"Ctrl+F", key(Qt::Key_F), 1, false},
                        {"Ctrl+S", key(Qt::Key_S), 2, false},
                        // The third reading is not offered: its key and item do nothing.
                        {"Ctrl+T",
                         [this] {
                           Key(Qt::Key_T, Qt::ControlModifier);
                           EXPECT_TRUE(Form().Waiting());
                           Key(Qt::Key_S, Qt::ControlModifier);
                         },
                         2, false},
                        {"miSelThirdStr",
                         [this] {
                           Control<QAction>("miSelThirdStr")->trigger();
                           EXPECT_TRUE(Form().Waiting());
                           Key(Qt::Key_Escape, Qt::NoModifier);
                         },
                         0, false},
                        {"Ctrl+U", key(Qt::Key_U), 4, false},
                        {"Esc", key(Qt::Key_Escape, Qt::NoModifier), 0, false},
                        {"Ctrl+N", key(Qt::Key_N), 0, true},
                        {"btSecondStr", click("btSecondStr"), 2, false},
                        {"btUserStr", click("btUserStr"), 4, false},
                        {"btCancelSel", click("btCancelSel"), 0, false},
                        {"btCancelToNext", click("btCancelToNext"), 0, true},
                        {"miCancelToNext", item("miCancelToNext"), 0, true},
                        {"close box", [this] { Form().windowHandle()->close(); }, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto answer = Choose(Request("甲", "乙", nullptr, "戊"), c.act);
    EXPECT_EQ(answer.SelectResult, c.result);
    EXPECT_EQ(answer.GoNext, c.goNext);
    EXPECT_EQ(answer.UserStr, B("戊"));  // Ctrl+U did not clear the field
  }
  // A second choice asked while one waits is refused at once; the first goes on.
  const auto outer = Choose(Request("甲", "乙"), [this] {
    EXPECT_EQ(Bench().RealPrompts().Choose(Request("丙", "丁")).SelectResult, 0);
    EXPECT_EQ(Field("edFirstStr")->text(), U("甲"));
    Key(Qt::Key_S, Qt::ControlModifier);
  });
  EXPECT_EQ(outer.SelectResult, 2);
  // Keys of the operator's choosing replace the defaults, also over the
  // field's own editing keys.
  Control<QAction>("miCancelSel")->setShortcut(QKeySequence(Qt::Key_F9));
  Control<QAction>("miSelUserStr")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  const auto rebound = Choose(Request("甲", "乙", nullptr, "戊"), [this] {
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Form().Waiting());
    Key(Qt::Key_A, Qt::ControlModifier);
  });
  EXPECT_EQ(rebound.SelectResult, 4);
  EXPECT_EQ(rebound.UserStr, B("戊"));
}

// A third reading that is shown but may not be written (it still holds the
// separator) is no answer by any way; the status line says why.
TEST_F(SelectFormTest, AReadingThatMayNotBeWrittenIsNoAnswer) {
  zorvel::ChoiceRequest four = Request("甲", "乙", "丙||丁", "戊");
  four.Writable[2] = false;
  four.Note = zorvel::kThirdHoldsSeparator;
  struct Case {
    const char* what;
    zorvel::ChoiceRequest request;
    std::function<void()> act;
    int result;
  };
  const Case cases[] = {
      {"Ctrl+T", four, [this] { Key(Qt::Key_T, Qt::ControlModifier); }, 4},
      {"miSelThirdStr", four, [this] { Control<QAction>("miSelThirdStr")->trigger(); }, 4},
      {"btThirdStr", four, [this] { QTest::mouseClick(Button("btThirdStr"), Qt::LeftButton); }, 4},
      {"three readings", Request("甲", "乙", "丙"), [this] { Key(Qt::Key_T, Qt::ControlModifier); }, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool blocked = !c.request.Writable[2];
    const auto answer = Choose(c.request, [&, this] {
      EXPECT_TRUE(Field("edThirdStr")->isVisible());
      EXPECT_EQ(Button("btThirdStr")->isEnabled(), !blocked);
      auto* status = Form().findChild<QLabel*>("StatusLine");
      ASSERT_NE(status, nullptr);
      EXPECT_EQ(status->isVisible(), blocked);
      if (blocked) {
        EXPECT_EQ(status->text(), QString::fromUtf8(zorvel::kThirdHoldsSeparator.data()));
        EXPECT_LE(status->geometry().bottom(), Form().height());
        EXPECT_GE(status->y(), Field("edUserStr")->geometry().bottom());
        const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
        if (!dir.isEmpty()) Form().grab().save(QString::fromLocal8Bit(dir) + "/choice_note.png");
      }
      c.act();
      if (!blocked) return;
      EXPECT_TRUE(Form().Waiting());
      Key(Qt::Key_U, Qt::ControlModifier);  // the user string still answers
    });
    EXPECT_EQ(answer.SelectResult, c.result);
  }
  // The next choice has nothing to say: the status line goes, the rows stay whole.
  Choose(Request("甲", "乙"), [this] {
    EXPECT_FALSE(Form().findChild<QLabel*>("StatusLine")->isVisible());
    EXPECT_GE(Field("edUserStr")->geometry().bottom(), Form().height() - 2);
    Key(Qt::Key_Escape);
  });
}

// Clicking a button beside the readings gives it the focus; Enter must still
// take the default reading (or, after a paste, the user string).
TEST_F(SelectFormTest, ButtonsBesideTheReadingsLeaveEnterToTheDefault) {
  struct Case {
    const char* button;
    const char* third;
    int result;
    const char* user;
  };
  const Case cases[] = {
      {"btBigWord", "乙", 2, ""},         {"btSmallWord", "乙", 2, ""},
      {"btCenterLine", "乙", 2, ""},      {"btSecondPasteStr", "乙", 4, "乙"},
      {"btFirstPasteStr", "乙", 4, "甲"}, {"btThirdPasteStr", "", 1, ""}};  // an empty reading pastes nothing
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

TEST_F(SelectFormTest, FormResizeSplitsTheClientIntoFourRowsAndKeepsAMinimum) {
  struct Case {
    int cw, ch;  // the client size
    int lw, h;   // what the layout works with: width and row height
  };
  const Case cases[] = {{385, 96, 385, 24}, {500, 203, 500, 50}, {120, 40, 250, 24}, {251, 99, 251, 24}};
  const char* buttons[] = {"btFirstStr", "btSecondStr", "btThirdStr", "btUserStr"};
  const char* pastes[] = {"btFirstPasteStr", "btSecondPasteStr", "btThirdPasteStr"};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cw) + "x" + std::to_string(c.ch));
    Form().resize(c.cw, c.ch);
    Form().FormResize();  // as the resize does, also while the window is hidden
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(Button(buttons[r])->geometry(), QRect(0, r * c.h, 80, c.h)) << buttons[r];
      EXPECT_EQ(Field(kFields[r])->geometry(), QRect(80, r * c.h, c.lw - 160, c.h)) << kFields[r];
      if (r < 3) {
        EXPECT_EQ(Button(pastes[r])->geometry(), QRect(c.lw - 80, r * c.h, 25, c.h)) << pastes[r];
      }
    }
    EXPECT_EQ(Button("btCancelToNext")->geometry(), QRect(c.lw - 80, 3 * c.h, 80, 24));
    EXPECT_EQ(Button("btCancelSel")->geometry(), QRect(c.lw - 50, 2 * c.h, 50, 24));
    EXPECT_EQ(Button("btBigWord")->geometry(), QRect(c.lw - 50, 0, 25, 24));
    EXPECT_EQ(Button("btSmallWord")->geometry(), QRect(c.lw - 50, c.h, 25, 24));
    EXPECT_EQ(Button("btCenterLine")->geometry(), QRect(c.lw - 26, 0, 25, 24));
  }
}

// Pixels of a rectangle that pass a test.
int Count(const QImage& image, const QRect& r, const std::function<bool(QColor)>& test) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += test(image.pixelColor(x, y));
  return n;
}

// The window as the operator sees it: green and yellow fields with their Ming
// glyphs. With ZORVEL_SCREENSHOT_DIR set, the picture is
// kept there as choice_window.png.
TEST_F(SelectFormTest, RenderedWindowShowsColoursAndGlyphs) {
  QImage shot;
  Choose(Request("般若波羅蜜", "般若波羅密", "般若波羅密"), [&] {
    shot = Form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    Key(Qt::Key_Escape);
  });
  ASSERT_FALSE(shot.isNull());
  EXPECT_TRUE(QFontInfo(Field("edFirstStr")->font()).family().startsWith("AR PL UMing"));
  const QColor colours[] = {kYellow, kLime, kLime};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kFields[i]);
    const QRect field = Field(kFields[i])->geometry().adjusted(3, 3, -3, -3);
    EXPECT_GT(Count(shot, field, [&](QColor c) { return c == colours[i]; }),
              field.width() * field.height() / 2);
    EXPECT_GT(Count(shot, field, [](QColor c) { return qGray(c.rgb()) < 100; }), 100);
  }
  const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(dir) + "/choice_window.png"));
  }
}

// Rows of an image rectangle that hold ink.
int InkRows(const QImage& image, const QRect& r) {
  int rows = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    bool ink = false;
    for (int x = r.left(); x <= r.right() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 100;
    rows += ink;
  }
  return rows;
}

// At every size the font buttons reach, the rows are tall enough for the
// glyphs: 土 keeps its lower stroke (not 十) and 已 its open top (not 巳). Each
// field shows its text as tall as the font draws it unclipped. With
// ZORVEL_SCREENSHOT_DIR set, each size is kept there as choice_NN.png.
TEST_F(SelectFormTest, EveryFontSizeShowsTheGlyphsWhole) {
  const QByteArray dir = qgetenv("ZORVEL_SCREENSHOT_DIR");
  Form().SetFieldFontSize(8);
  for (int points = 8; points <= 40; points += 2) {
    SCOPED_TRACE(points);
    Choose(Request("土士", "已己巳", "土已"), [&, this] {
      EXPECT_EQ(Form().FieldFontSize(), points);
      const QImage shot = Form().grab().toImage().convertToFormat(QImage::Format_RGB32);
      if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + QString("/choice_%1.png").arg(points));
      for (const char* name : {"edFirstStr", "edSecondStr", "edThirdStr"}) {
        SCOPED_TRACE(name);
        QLineEdit* field = Field(name);
        ASSERT_TRUE(Form().rect().contains(field->geometry())) << "the window holds the field";
        // The same text in the same font, drawn with room to spare.
        const QFontMetrics metrics(field->font());
        QImage free(metrics.horizontalAdvance(field->text()) + 20, metrics.height() * 3,
                    QImage::Format_RGB32);
        free.fill(Qt::white);
        {
          QPainter painter(&free);
          painter.setFont(field->font());
          painter.setPen(Qt::black);
          painter.drawText(10, metrics.height() + metrics.ascent(), field->text());
        }
        const int whole = InkRows(free, free.rect());
        EXPECT_GT(whole, 0);
        EXPECT_GE(InkRows(shot, field->geometry().adjusted(4, 1, -4, -1)), whole - 1);
      }
      Key(Qt::Key_Escape);
    });
    Button("btBigWord")->click();
  }
  // Back down, the window keeps the size the operator gave it.
  const QSize big = Form().size();
  for (int i = 0; i < 20; ++i) Button("btSmallWord")->click();
  EXPECT_EQ(Form().size(), big);
}

}  // namespace
