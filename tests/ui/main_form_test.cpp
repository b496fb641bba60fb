// The main window: menus, toolbars, status line, window and edit commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <string>
#include <vector>

#include "core/settings/command_table.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_form.h"
#include "ui/image_sample.h"
#include "ui/main_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"
#include "ui/toolbar_layout.h"

namespace {

QString U(const char* text) {
  return QString::fromUtf8(text);
}

class MainFormTest : public zorvel::test::WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    Start();
  }
  static QAction* Item(const char* name) { return MainForm()->findChild<QAction*>(name); }
  static QRect Child(QWidget* form) { return form->parentWidget()->geometry(); }
};

TEST_F(MainFormTest, FrameCarriesItsTitlesFontAndWindows) {
  EXPECT_EQ(QApplication::applicationName(), "Zorvel");
  EXPECT_EQ(MainForm()->windowTitle(), U("Zorvel程式"));
  EXPECT_EQ(MainForm()->StartFolder, QDir::currentPath());
  EXPECT_EQ(MainForm()->ClientArea()->background().color(), QApplication::palette().color(QPalette::Dark));
  EXPECT_EQ(MainForm()->font().family(), U("細明體"));
  EXPECT_TRUE(QFontInfo(MainForm()->font()).family().startsWith("AR PL UMing"))
      << QFontInfo(MainForm()->font()).family().toStdString();
  EXPECT_EQ(MainForm()->ClientArea()->subWindowList().size(), 2);
  EXPECT_EQ(ImageForm()->parentWidget()->windowTitle(), "(no image)");
}

// Each item of a menu as "name caption [shortcut] [: hint]", separators as "-".
QStringList Items(QMenu* menu) {
  QStringList items;
  for (QAction* item : menu->actions()) {
    QString text = item->objectName() + " " + item->text();
    if (!item->shortcut().isEmpty()) text += " " + item->shortcut().toString();
    if (!item->statusTip().isEmpty()) text += " : " + item->statusTip();
    items << (item->isSeparator() ? "-" : text);
  }
  return items;
}

TEST_F(MainFormTest, MenusHoldEveryItemWithCaptionShortcutAndHint) {
  const std::pair<const char*, QStringList> menus[] = {
      {"檔案 (&F)",
       {U("FileOpenItem 開啟舊檔 (&O)... Ctrl+O : Open an existing file"),
        U("FileSaveItem 儲存檔案 (&S) Ctrl+S : Save current file"),
        U("FileSaveAsItem 另存新檔 (&A)... : Save current file under a new name"), "-",
        U("FileExitItem 離開 (&X) : Exit this application")}},
      {"編輯 (&E)",
       {U("EditUndoItem 復原 (&U)"), "-", U("EditCutItem 剪下 (&T) : Delete selected item"),
        U("EditCopyItem 複製 (&C) : Copy selected item to clipboard"),
        U("EditPasteItem 貼上 (&P) : Paste contents of clipboard"), "-", U("A1 全選 (&A)")}},
      {"工具 (&U)", {U("miToolBar 工具列"), "-", U("miOption 選項...(&O)")}},
      {"文字區 (&T)",
       {U("miFindSign 尋找差異符號 F2"), U("miShowWord 秀出圖形位置 F3"), U("miSelectWord 選擇正確字串 F4"),
        "-", U("miAll 以上三者全部 F1"), "-", U("N22 設定取代字串..."), U("N24 進行字串取代"), "-",
        U("N3 尋找與取代... Ctrl+F"), U("N19 設定字型..."), U("N21 書籤...")}},
      {"圖形區 (&P)",
       {U("N14 開啟大正藏圖檔"), U("N15 儲存圖形偏移資訊"), "-", U("N7 連續開啟圖檔..."), "-",
        U("miPreviousPicture 上一張圖 F5"), U("miNextPicture 下一張圖 F6"), U("N10 移至右上角"),
        U("N20 切換圖形的中心線"), "-", U("N17 設定特殊欄位偏移"), U("N25 設定圖形比例")}},
      {"視窗 (&W)",
       {U("H1 垂直並排 (&V)"), U("WindowTileItem 水平並排 (&H) : Tile all windows"),
        U("WindowCascadeItem 重疊顯示 (&C) : Cascade all windows")}},
      {"說明 (&H)", {U("HelpAboutItem 關於 (&A)... : Show program information")}}};
  const QList<QAction*> bar = MainForm()->menuBar()->actions();
  ASSERT_EQ(bar.size(), std::ssize(menus));
  for (int i = 0; i < bar.size(); ++i) {
    SCOPED_TRACE(menus[i].first);
    EXPECT_EQ(bar[i]->text(), U(menus[i].first));
    EXPECT_EQ(Items(bar[i]->menu()), menus[i].second);
  }
  EXPECT_EQ(Items(Item("miToolBar")->menu()),
            QStringList({U("miMain 一般"), U("miText 文字區"), U("miImage 圖形區"), U("miSpecial 特殊用途"),
                         U("miBigOne 大按鈕")}));
}

TEST_F(MainFormTest, ToolbarsHoldEveryButtonWithHintAndIconInTwoRows) {
  struct Bar {
    const char* Name;
    const char* Caption;
    QStringList Buttons;  // numbers after "ToolbarButton", "-" for a separator
  };
  const Bar bars[] = {
      {"tbMain", "一般", {"971", "972", "-", "973", "976", "975", "977", "-", "978", "979", "9711"}},
      {"tbText",
       "文字區",
       {"9733", "9734", "-", "9712", "9710", "9714", "9713", "-", "9729", "9732", "-", "9738", "9728",
        "9731"}},
      {"tbSpecial",
       "圖形特殊設定區",
       {"9724", "9723", "9722", "-", "9719", "9720", "9721", "-", "9726", "9727", "9717"}},
      {"tbImage", "圖形區", {"9718", "9725", "-", "9737", "-", "9716", "974", "9715", "9730", "9736"}},
      {"tbBigOne", "大按鈕", {"9735"}},
  };
  const QStringList textButtons = {"9713", "9730", "9735"};
  QList<QImage> distinctIcons;
  int iconButtons = 0;
  for (const Bar& expected : bars) {
    SCOPED_TRACE(expected.Name);
    QToolBar* bar = MainForm()->Toolbar(expected.Name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), U(expected.Caption));
    QStringList buttons;
    for (QAction* action : bar->actions()) {
      if (action->objectName().endsWith("CloseBox")) continue;  // shows only while floating
      const QString number = action->objectName().mid(QString("ToolbarButton").size());
      buttons << (action->isSeparator() ? "-" : number);
      if (action->isSeparator()) continue;
      EXPECT_EQ(action->toolTip(), action->statusTip());
      EXPECT_EQ(bar->widgetForAction(action)->size(), number == "9735" ? QSize(66, 66) : QSize(23, 22));
      EXPECT_EQ(action->icon().isNull(), textButtons.contains(number)) << number.toStdString();
      if (action->icon().isNull()) continue;
      const QImage image = action->icon().pixmap(16, 16).toImage();
      if (!distinctIcons.contains(image)) distinctIcons << image;
      ++iconButtons;
    }
    EXPECT_EQ(buttons, expected.Buttons);
  }
  // Open, save, previous and next picture stand on two toolbars each with the
  // same icon; every other button has one of its own.
  EXPECT_EQ(iconButtons, 35);
  EXPECT_EQ(distinctIcons.size(), 31);
  EXPECT_EQ(Item("ToolbarButton9712")->statusTip(), U("尋找差異記號"));
  EXPECT_EQ(Item("ToolbarButton9735")->statusTip(), U("尋找差異+秀圖+選字"));
  EXPECT_EQ(Item("ToolbarButton9713")->text(), "All");
  EXPECT_EQ(Item("ToolbarButton9735")->text(), U("尋秀選"));
  EXPECT_EQ(MainForm()->findChild<QToolButton*>("ToolbarButton9730")->palette().color(QPalette::ButtonText),
            QColor(Qt::red));

  // Two rows in the top dock: main and text, then special, image and big one.
  auto place = [](const char* name) { return MainForm()->Toolbar(name)->geometry().topLeft(); };
  EXPECT_EQ(place("tbMain").y(), place("tbText").y());
  EXPECT_LT(place("tbMain").x(), place("tbText").x());
  EXPECT_GT(place("tbSpecial").y(), place("tbMain").y());
  EXPECT_EQ(place("tbSpecial").y(), place("tbBigOne").y());
  EXPECT_LT(place("tbSpecial").x(), place("tbImage").x());
  EXPECT_LT(place("tbImage").x(), place("tbBigOne").x());
}

TEST_F(MainFormTest, StatusLineShowsHintsAndTheCountOfReplacedCharacters) {
  Item("FileOpenItem")->showStatusText(MainForm()->menuBar());
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), "Open an existing file");
  QAction* find = Item("ToolbarButton9712");
  find->showStatusText(MainForm()->Toolbar("tbText")->widgetForAction(find));
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), U("尋找差異記號"));
  Item("A1")->showStatusText(MainForm()->menuBar());  // no hint: the line clears
  EXPECT_TRUE(MainForm()->StatusLine()->currentMessage().isEmpty());
  emit TextForm()->CharactersReplaced(3);
  EXPECT_TRUE(MainForm()->StatusLine()->currentMessage().contains("3"));
}

TEST_F(MainFormTest, ToolbarClosedByItsCloseBoxComesBackThroughItsMenuItem) {
  QToolBar* bar = MainForm()->Toolbar("tbImage");
  auto* closeBox = bar->findChild<QToolButton*>("tbImageCloseBox");
  ASSERT_NE(closeBox, nullptr);
  EXPECT_FALSE(closeBox->isVisible());  // docked: no close box
  FloatToolbar(bar, QRect(50, 60, 260, 30));
  ASSERT_TRUE(bar->isFloating());
  QTest::mouseClick(closeBox, Qt::LeftButton);
  EXPECT_TRUE(bar->isHidden());

  // The check mark is refreshed when the submenu opens.
  QAction* item = Item("miImage");
  emit Item("miToolBar")->menu()->aboutToShow();
  EXPECT_FALSE(item->isChecked());
  EXPECT_TRUE(Item("miMain")->isChecked());
  item->trigger();
  EXPECT_FALSE(bar->isHidden());
  EXPECT_TRUE(bar->isFloating());
  EXPECT_TRUE(item->isChecked());
  Item("miMain")->trigger();
  EXPECT_TRUE(MainForm()->Toolbar("tbMain")->isHidden());
  EXPECT_FALSE(MainForm()->Toolbar("tbText")->isHidden());
}

TEST_F(MainFormTest, WindowCommandsSplitTheClientArea) {
  QWidget* viewport = MainForm()->ClientArea()->viewport();
  for (int i = 0; i < 4 && viewport->width() != 801; ++i) {
    MainForm()->resize(MainForm()->width() + 801 - viewport->width(), 700);
    QApplication::processEvents();
  }
  ASSERT_EQ(viewport->width(), 801);
  const int height = viewport->height();
  // An odd width: two halves of width / 2 - 1.
  MainForm()->WindowVert();
  EXPECT_EQ(Child(ImageForm()), QRect(0, 0, 399, height));
  EXPECT_EQ(Child(TextForm()), QRect(399, 0, 399, height));

  MainForm()->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(TextForm()->parentWidget()));
  MainForm()->WindowTile();
  EXPECT_EQ(Child(TextForm()), QRect(0, 0, 801, height / 2));
  EXPECT_EQ(Child(ImageForm()), QRect(0, height / 2, 801, height - height / 2));
  MainForm()->WindowCascade();
  EXPECT_NE(Child(TextForm()).topLeft(), Child(ImageForm()).topLeft());
}

TEST_F(MainFormTest, EditCommandsActOnTheTextWhateverWindowIsActive) {
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText("abc\r\ndef");
  MainForm()->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ImageForm()->parentWidget()));
  Item("A1")->trigger();
  EXPECT_EQ(editor.SelLength(), editor.TextLength());
  Item("EditCopyItem")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "abc\ndef");
  editor.SetSelStart(3);
  editor.SetSelLength(0);
  Item("EditPasteItem")->trigger();
  EXPECT_EQ(editor.Text(), "abcabc\r\ndef\r\ndef");
  Item("EditUndoItem")->trigger();
  EXPECT_EQ(editor.Text(), "abc\r\ndef");
  editor.SetSelStart(0);
  editor.SetSelLength(3);
  Item("EditCutItem")->trigger();
  EXPECT_EQ(editor.Text(), "\r\ndef");
  EXPECT_EQ(QApplication::clipboard()->text(), "abc");
}

TEST_F(MainFormTest, FontItemAndButtonRunTheTextWindowsFontDialog) {
  for (const char* name : {"N19", "ToolbarButton9728"}) {
    SCOPED_TRACE(name);
    int shown = 0;
    TextForm()->FontDialogHook = [&](QFont& font) {
      ++shown;
      EXPECT_EQ(font, TextForm()->RichEdit()->font());
      font.setPixelSize(font.pixelSize() + 4);
      return true;
    };
    const int before = TextForm()->RichEdit()->font().pixelSize();
    Item(name)->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(TextForm()->RichEdit()->font().pixelSize(), before + 4);
  }
}

TEST_F(MainFormTest, HotKeysActWhicheverWindowHasTheFocus) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  QSignalSpy findSign(Item("miFindSign"), &QAction::triggered);
  QSignalSpy find(Item("N3"), &QAction::triggered);
  QSignalSpy previous(Item("miPreviousPicture"), &QAction::triggered);
  QSignalSpy select(Item("miSelectWord"), &QAction::triggered);
  Item("miSelectWord")->setShortcut(QKeySequence("Shift+F4"));
  TextForm()->RichEdit()->setFocus();
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F2);
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F4, Qt::ShiftModifier);
  ImageForm()->setFocus();
  QTest::keyClick(ImageForm(), Qt::Key_F2);
  QTest::keyClick(ImageForm(), Qt::Key_F5);  // also on the image window's popup
  EXPECT_EQ(findSign.count(), 2);
  EXPECT_EQ(find.count(), 1);
  EXPECT_EQ(select.count(), 1);
  EXPECT_EQ(previous.count(), 1);
}

// Every command of the table is reached through its menu item, each of its
// toolbar buttons and its key, and each way runs that command and no other.
TEST_F(MainFormTest, EveryCommandIsReachedByItsItemItsButtonsAndItsKey) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  std::vector<zorvel::CommandId> ran;
  MainForm()->BeforeCommand = [&ran](zorvel::CommandId id) {
    ran.push_back(id);
    return false;  // routing only: no dialog opens
  };
  auto runs = [&ran](const zorvel::CommandEntry& command, const std::string& way) {
    ASSERT_EQ(ran.size(), 1u) << command.Name << " by " << way;
    EXPECT_EQ(ran.front(), command.Id) << command.Name << " by " << way;
    ran.clear();
  };
  std::map<zorvel::CommandId, int> buttons;
  for (const zorvel::ToolButtonEntry& button : zorvel::ToolButtons()) ++buttons[button.Command];

  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    QAction* item = MainForm()->CommandItem(command.Id);
    if (!command.Menu.empty()) {
      ASSERT_NE(item, nullptr) << command.Name;
      item->trigger();
      runs(command, "its menu item");
    } else {
      EXPECT_GT(buttons[command.Id], 0) << command.Name << " has neither an item nor a button";
    }
    for (const zorvel::ToolButtonEntry& button : zorvel::ToolButtons()) {
      if (button.Command != command.Id) continue;
      QToolBar* bar = MainForm()->Toolbar(QString::fromUtf8(button.Toolbar.data(), button.Toolbar.size()));
      ASSERT_NE(bar, nullptr);
      auto* widget = bar->findChild<QToolButton*>(QString::fromUtf8(button.Name.data(), button.Name.size()));
      ASSERT_NE(widget, nullptr) << button.Name;
      QTest::mouseClick(widget, Qt::LeftButton);
      runs(command, std::string(button.Name));
    }
    if (!command.Key.empty()) {
      const QKeySequence key = item->shortcut();
      EXPECT_FALSE(key.isEmpty()) << command.Name;
      if (key.isEmpty()) continue;
      TextForm()->RichEdit()->setFocus();
      QTest::keySequence(TextForm()->RichEdit(), key);
      runs(command, key.toString().toStdString());
    }
  }
}

TEST(ShellPrompts, ChoiceAndReplaceAnswerZeroUntilTheirWindowsRegister) {
  QtPrompts prompts;
  EXPECT_EQ(prompts.Choose({}).SelectResult, 0);
  EXPECT_EQ(prompts.AskReplace({}).AskResult, 0);
  prompts.SetAskReplaceHandler([](const zorvel::ReplaceQuestion& question) {
    zorvel::ReplaceAnswer answer;
    answer.Dest = question.Dest + "!";
    return answer;
  });
  EXPECT_EQ(prompts.AskReplace({"a", "b"}).Dest, "b!");
}

}  // namespace
