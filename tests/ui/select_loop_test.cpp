// F2, F4 and F1 on the whole window set, through the real choice window, driven
// with keys as the operator drives them: the hot keys of the main window and of
// the choice window, Enter, Esc and the close box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <deque>
#include <functional>

#include "core/text/big5.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_form.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/select_form.h"
#include "ui/text_form.h"

namespace {

std::string B(const char* utf8) {
  return zorvel::Utf8ToBig5(utf8);
}

// The line head of a proof text line: 17 ASCII bytes and the double-byte "║".
const std::string kHead = "T10n0289_p0592a05\xF9\xF8";
const int kHeadSize = int(kHead.size());

// Messages are recorded; the choice goes to the real choice window, where the
// next queued action of the operator answers it.
class OperatorPrompts : public zorvel::test::ScriptedPrompts {
 public:
  std::deque<std::function<void()>> Acts;
  std::vector<bool> EditorEnabled;  // the editor's state at each choice
  int Choices = 0;

  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request) override {
    ++Choices;
    EditorEnabled.push_back(TextForm->RichEdit()->isEnabled());
    std::function<void()> act;
    if (!Acts.empty()) {
      act = std::move(Acts.front());
      Acts.pop_front();
    }
    QTimer::singleShot(0, SelectForm, [act] {
      EXPECT_TRUE(SelectForm->Waiting());
      QApplication::setActiveWindow(SelectForm);
      if (act) {
        act();
      } else {
        ADD_FAILURE() << "a choice nobody answers";
      }
      if (SelectForm->Waiting()) {
        ADD_FAILURE() << "the choice window still waits";
        SelectForm->close();
      }
    });
    return RealPrompts().Choose(request);
  }
};

// A key as the operator types it into the window that has the focus.
void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget();
  if (!target) target = QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

class SelectLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    SetAppPrompts(&prompts_);
  }
  void TearDown() override {
    zorvel::DestroyZorvelWindows();
    SetAppPrompts(nullptr);
    QDir::setCurrent(oldFolder_);
  }
  void Start(const std::string& ini = {}) {
    if (!ini.empty()) zorvel::test::WriteFile(dir_.File("zorvel.ini"), ini);
    zorvel::CreateZorvelWindows();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    QApplication::setActiveWindow(MainForm);
    TextForm->RichEdit()->setFocus();
  }
  // The text, one line head per line, CR LF between lines.
  void Load(const std::vector<std::string>& lines, int cursor = 0) {
    std::string text;
    for (const std::string& line : lines) text += kHead + line + "\r\n";
    TextForm->Editor().SetText(text);
    TextForm->Editor().SetSelStart(cursor);
  }
  std::string Text() { return TextForm->Editor().Text(); }
  static int At(int line, const std::vector<std::string>& lines, int column) {
    int pos = 0;
    for (int i = 0; i < line; ++i) pos += kHeadSize + int(lines[i].size()) + 2;
    return pos + kHeadSize + column;
  }
  // A key on the main window, back in front after a choice.
  void MainKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(MainForm);
    TextForm->RichEdit()->setFocus();
    Type(key, modifiers);
  }
  std::vector<std::string> Messages() const { return prompts_.Shown; }

  zorvel::test::TempDir dir_;
  OperatorPrompts prompts_;
  QString oldFolder_;
};

TEST_F(SelectLoopTest, F2FindsF4ChoosesWithEnterAndTheCursorStandsAtTheMark) {
  Start();
  const std::vector<std::string> lines = {B("甲{{甲||乙}}丙"), B("丁{{丙||丁||丁}}")};
  Load(lines);
  MainKey(Qt::Key_F2);
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 2));
  EXPECT_EQ(TextForm->Editor().SelLength(), 2);

  prompts_.Acts.push_back([] { Type(Qt::Key_Return); });
  MainKey(Qt::Key_F4);
  EXPECT_EQ(prompts_.Choices, 1);
  EXPECT_EQ(Text(), kHead + B("甲甲丙") + "\r\n" + kHead + lines[1] + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 2));
  EXPECT_EQ(TextForm->Editor().SelLength(), 0);
  EXPECT_TRUE(TextForm->RichEdit()->isEnabled());
  EXPECT_EQ(prompts_.EditorEnabled, std::vector<bool>{false});

  // The agreeing readings of the three-reading mark make Enter take 丁.
  MainKey(Qt::Key_F2);
  prompts_.Acts.push_back([] {
    EXPECT_TRUE(SelectForm->findChild<QPushButton*>("btSecondStr")->isDefault());
    Type(Qt::Key_Return);
  });
  MainKey(Qt::Key_F4);
  EXPECT_EQ(Text(), kHead + B("甲甲丙") + "\r\n" + kHead + B("丁丁") + "\r\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SelectLoopTest, F1RunsTheWholeLoopAndEscKeepsTheMark) {
  Start();
  const std::vector<std::string> lines = {B("{{甲||乙}}{{丙||丁}}")};
  Load(lines);
  prompts_.Acts.push_back([] { Type(Qt::Key_Escape); });
  MainKey(Qt::Key_F1);
  // Esc keeps the mark; the cursor stands on it. The missing page is reported.
  EXPECT_EQ(Text(), kHead + lines[0] + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 0));
  EXPECT_EQ(TextForm->Editor().SelLength(), 0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("錯誤 : 檔案 ", 0), 0u) << Messages()[0];

  // F1 from there skips the kept mark and takes the next; Ctrl+S picks 丁.
  prompts_.Acts.push_back([] { Type(Qt::Key_S, Qt::ControlModifier); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), kHead + B("{{甲||乙}}丁") + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 10));

  // No mark after the cursor: the message, no choice.
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Messages().back(), "我沒有找到差異起始符號耶.");
  EXPECT_EQ(prompts_.Choices, 2);
}

TEST_F(SelectLoopTest, CancelAndNextGoesOnAndTheCloseBoxCancels) {
  Start();
  const std::vector<std::string> lines = {B("{{甲||乙}}"), B("{{丙||丁||戊}}"), B("{{甲||丙}}")};
  Load(lines);
  prompts_.Acts.push_back([] { Type(Qt::Key_N, Qt::ControlModifier); });
  prompts_.Acts.push_back([] { Type(Qt::Key_T, Qt::ControlModifier); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(prompts_.Choices, 2);
  EXPECT_EQ(Text(), kHead + lines[0] + "\r\n" + kHead + B("戊") + "\r\n" + kHead + lines[2] + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(1, lines, 0));

  // Cancel and next on the last mark ends with the message.
  prompts_.Acts.push_back([] { SelectForm->findChild<QPushButton*>("btCancelToNext")->click(); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(prompts_.Choices, 3);
  EXPECT_EQ(Messages().back(), "我沒有找到差異起始符號耶.");

  // The close box leaves the mark in place, as cancel does.
  TextForm->Editor().SetSelStart(0);
  prompts_.Acts.push_back([] { SelectForm->windowHandle()->close(); });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(prompts_.Choices, 4);
  EXPECT_EQ(Text(), kHead + lines[0] + "\r\n" + kHead + B("戊") + "\r\n" + kHead + lines[2] + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 0));
  EXPECT_EQ(TextForm->Editor().SelLength(), 0);
}

TEST_F(SelectLoopTest, TheUserStringReplacesTheMarkAndAnEmptyOneDeletesIt) {
  Start("[CheckSign]\r\nUserString=X\r\n");
  const std::vector<std::string> lines = {B("甲{{甲||乙}}丙{{丙||丁}}")};
  Load(lines);
  prompts_.Acts.push_back([] {
    auto* user = SelectForm->findChild<QLineEdit*>("edUserStr");
    EXPECT_EQ(user->text(), "X");
    QTest::keyClicks(user, "yz");
    Type(Qt::Key_Return);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), kHead + B("甲") + "Xyz" + B("丙{{丙||丁}}") + "\r\n");
  prompts_.Acts.push_back([] {
    Type(Qt::Key_Backspace);
    Type(Qt::Key_Return);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), kHead + B("甲") + "Xyz" + B("丙") + "\r\n");

  // A character Big5 cannot hold goes in as "?", and the status line says so.
  TextForm->Editor().SetText(kHead + B("{{甲||乙}}") + "\r\n");
  TextForm->Editor().SetSelStart(0);
  prompts_.Acts.push_back([] {
    auto* user = SelectForm->findChild<QLineEdit*>("edUserStr");
    user->setText(QString::fromUtf8("\u0100a"));
    Type(Qt::Key_U, Qt::ControlModifier);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Text(), kHead + "?a\r\n");
  EXPECT_TRUE(MainForm->StatusLine()->currentMessage().startsWith(QString::fromUtf8("已將 1 個 Big5")))
      << MainForm->StatusLine()->currentMessage().toStdString();
}

TEST_F(SelectLoopTest, WhileTheChoiceWaitsTheEditorIsDisabledAndOtherCommandsStayUsable) {
  Start();
  const std::vector<std::string> lines = {B("{{甲||乙}}"), B("{{丙||丁}}")};
  Load(lines);
  prompts_.Acts.push_back([lines] {
    EXPECT_FALSE(TextForm->RichEdit()->isEnabled());
    // The main window's commands still run: F2 moves on to the next mark.
    MainForm->findChild<QAction*>("miFindSign")->trigger();
    EXPECT_EQ(TextForm->Editor().SelStart(), kHeadSize + int(lines[0].size()) + 2 + kHeadSize);
    // F4 and F1 do not start a second choice inside this one.
    MainForm->findChild<QAction*>("miSelectWord")->trigger();
    MainForm->findChild<QAction*>("miAll")->trigger();
    EXPECT_TRUE(SelectForm->Waiting());
    EXPECT_FALSE(TextForm->RichEdit()->isEnabled());
    QApplication::setActiveWindow(SelectForm);
    Type(Qt::Key_S, Qt::ControlModifier);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(prompts_.Choices, 1);
  // The answer still goes to the mark it was asked for.
  EXPECT_EQ(Text(), kHead + B("乙") + "\r\n" + kHead + lines[1] + "\r\n");
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 0));
  EXPECT_TRUE(TextForm->RichEdit()->isEnabled());
}

TEST_F(SelectLoopTest, HotKeysComeFromTheSettingsOnEveryMenuThatCarriesThem) {
  Start(
      "[HotKey]\r\nFindSign=F7\r\nShowWord=F8\r\nSelectWord=Shift+F4\r\nAll=F11\r\n"
      "SelFirstStr=Ctrl+1\r\nSelSecondStr=Ctrl+2\r\nSelThirdStr=Ctrl+3\r\nSelUserStr=Ctrl+4\r\n"
      "CancelSel=F12\r\nCancelToNext=Ctrl+5\r\n");
  const std::pair<const char*, const char*> keys[] = {
      {"miFindSign", "F7"},         {"miShowWord", "F8"},
      {"miSelectWord", "Shift+F4"}, {"miAll", "F11"},
      {"miSelFirstStr", "Ctrl+1"},  {"miSelSecondStr", "Ctrl+2"},
      {"miSelThirdStr", "Ctrl+3"},  {"miSelUserStr", "Ctrl+4"},
      {"miCancelSel", "F12"},       {"miCancelToNext", "Ctrl+5"},
  };
  for (const auto& [name, key] : keys) {
    QList<QAction*> items = MainForm->findChildren<QAction*>(name, Qt::FindDirectChildrenOnly);
    items += TextForm->TextPopupMenu()->findChildren<QAction*>(name);
    items += SelectForm->pmSelect()->findChildren<QAction*>(name);
    items += SelectForm->findChildren<QAction*>(name, Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(items.isEmpty()) << name;
    for (QAction* item : items) EXPECT_EQ(item->shortcut().toString(), key) << name;
  }
  const std::vector<std::string> lines = {B("{{甲||乙||丙}}{{丙||丁}}")};
  Load(lines);
  prompts_.Acts.push_back([] { Type(Qt::Key_3, Qt::ControlModifier); });
  MainKey(Qt::Key_F11);
  EXPECT_EQ(Text(), kHead + B("丙{{丙||丁}}") + "\r\n");
  MainKey(Qt::Key_F7);
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 2));
  prompts_.Acts.push_back([] { Type(Qt::Key_F12); });
  MainKey(Qt::Key_F4, Qt::ShiftModifier);
  EXPECT_EQ(Text(), kHead + B("丙{{丙||丁}}") + "\r\n");
  EXPECT_EQ(prompts_.Choices, 2);
}

TEST_F(SelectLoopTest, TheCentreLineButtonTogglesTheImageWindowsLinesDuringTheChoice) {
  Start();
  Load({B("{{甲||乙}}")});
  const bool shown = ImageForm->ShowLines();
  prompts_.Acts.push_back([shown] {
    auto* button = SelectForm->findChild<QPushButton*>("btCenterLine");
    button->click();
    EXPECT_EQ(ImageForm->ShowLines(), !shown);
    button->click();
    EXPECT_EQ(ImageForm->ShowLines(), shown);
    button->click();
    EXPECT_TRUE(SelectForm->Waiting());
    Type(Qt::Key_Escape);
  });
  MainKey(Qt::Key_F1);
  EXPECT_EQ(ImageForm->ShowLines(), !shown);
}

TEST_F(SelectLoopTest, TheTextPopupMenuRunsTheLoopToo) {
  Start();
  const std::vector<std::string> lines = {B("{{甲||乙}}{{丙||丁}}")};
  Load(lines);
  QMenu* popup = TextForm->TextPopupMenu();
  popup->findChild<QAction*>("miFindSign")->trigger();
  EXPECT_EQ(TextForm->Editor().SelStart(), At(0, lines, 0));
  prompts_.Acts.push_back([] { Type(Qt::Key_F, Qt::ControlModifier); });
  popup->findChild<QAction*>("miSelectWord")->trigger();
  EXPECT_EQ(Text(), kHead + B("甲{{丙||丁}}") + "\r\n");
  prompts_.Acts.push_back([] { Type(Qt::Key_U, Qt::ControlModifier); });
  popup->findChild<QAction*>("miAll")->trigger();
  EXPECT_EQ(Text(), kHead + B("甲") + "\r\n");
}

// An operator's session: F1 again and again over a few hundred marks, choosing
// with the keyboard only, then saving. The file holds exactly those changes.
TEST_F(SelectLoopTest, KeyboardOnlySessionOverManyMarksSavesExactlyTheChoices) {
  Start();
  std::vector<std::string> lines;
  std::string expected;
  std::vector<std::function<void()>> acts;
  for (int i = 0; i < 300; ++i) {
    switch (i % 6) {
      case 0:  // Enter: the first reading
        lines.push_back(B("甲{{乙||丙}}丁"));
        expected += kHead + B("甲乙丁") + "\r\n";
        acts.push_back([] { Type(Qt::Key_Return); });
        break;
      case 1:  // agreeing readings: Enter takes them
        lines.push_back(B("{{甲||乙||乙}}{{丙||丁}}"));
        expected += kHead + B("乙丁") + "\r\n";
        acts.push_back([] { Type(Qt::Key_Return); });
        acts.push_back([] { Type(Qt::Key_S, Qt::ControlModifier); });
        break;
      case 2:  // Esc keeps the mark
        lines.push_back(B("戊{{甲||乙}}"));
        expected += kHead + lines.back() + "\r\n";
        acts.push_back([] { Type(Qt::Key_Escape); });
        break;
      case 3:  // typed text
        lines.push_back(B("{{甲||乙}}"));
        expected += kHead + "q" + "\r\n";
        acts.push_back([] {
          Type(Qt::Key_Q);
          Type(Qt::Key_Return);
        });
        break;
      case 4:  // the third reading, empty
        lines.push_back(B("{{甲||乙||}}丙"));
        expected += kHead + B("丙") + "\r\n";
        acts.push_back([] { Type(Qt::Key_T, Qt::ControlModifier); });
        break;
      default:  // a line without a mark
        lines.push_back(B("甲乙丙"));
        expected += kHead + lines.back() + "\r\n";
        break;
    }
  }
  Load(lines);
  for (auto& act : acts) prompts_.Acts.push_back(std::move(act));
  const std::size_t presses = prompts_.Acts.size();
  // After each answer the keyboard is back in the main window: the next F1
  // goes straight there.
  MainKey(Qt::Key_F1);
  for (std::size_t i = 1; i < presses; ++i) {
    QApplication::processEvents();
    // A bare X server without a window manager leaves the focus nowhere when a
    // window goes; there the operator clicks the main window.
    if (QGuiApplication::platformName() != "offscreen") QApplication::setActiveWindow(MainForm);
    ASSERT_EQ(QApplication::activeWindow(), MainForm) << i;
    Type(Qt::Key_F1);
  }
  EXPECT_TRUE(prompts_.Acts.empty());
  EXPECT_EQ(prompts_.Choices, int(presses));
  MainKey(Qt::Key_F1);
  EXPECT_EQ(Messages().back(), "我沒有找到差異起始符號耶.");
  EXPECT_EQ(Text(), expected);

  const std::string path = dir_.File("proof.txt");
  TextForm->SaveFileNameHook = [path] { return QString::fromStdString(path); };
  TextForm->FileSave();
  EXPECT_EQ(zorvel::test::ReadFile(path), expected);
}

}  // namespace
