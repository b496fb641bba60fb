// The main window: its menus, toolbars, status line, window commands and the
// edit commands, on the whole window set as the program builds it.
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

#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_form.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"
#include "ui/toolbar_layout.h"

namespace {

QString U(const char* text) {
  return QString::fromUtf8(text);
}

// The whole window set, started in a fresh folder with scripted prompts.
class MainFormTest : public ::testing::Test {
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
  void Start() {
    zorvel::CreateZorvelWindows();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  }
  // The menu items of a menu by name, separators as "-".
  static QStringList ItemNames(QMenu* menu) {
    QStringList names;
    for (QAction* item : menu->actions()) names << (item->isSeparator() ? "-" : item->objectName());
    return names;
  }
  static QAction* Item(const char* name) { return MainForm->findChild<QAction*>(name); }

  zorvel::test::TempDir dir_;
  zorvel::test::ScriptedPrompts prompts_;
  QString oldFolder_;
};

TEST_F(MainFormTest, FrameCarriesItsTitlesFontAndWindows) {
  Start();
  EXPECT_EQ(QApplication::applicationName(), "Zorvel");
  EXPECT_EQ(MainForm->windowTitle(), U("Zorvel程式"));
  EXPECT_EQ(MainForm->StartFolder, QDir::currentPath());
  EXPECT_TRUE(MainForm->TextFileName.isEmpty());
  EXPECT_EQ(MainForm->ClientArea()->background().color(), QApplication::palette().color(QPalette::Dark));
  // "細明體" resolves to the installed Ming face.
  EXPECT_EQ(MainForm->font().family(), U("細明體"));
  EXPECT_EQ(MainForm->font().pointSize(), 12);
  EXPECT_TRUE(QFontInfo(MainForm->font()).family().startsWith("AR PL UMing"))
      << QFontInfo(MainForm->font()).family().toStdString();
  // The two working windows are the children of the client area.
  ASSERT_NE(ImageForm, nullptr);
  ASSERT_NE(TextForm, nullptr);
  ASSERT_NE(OptionForm, nullptr);
  EXPECT_EQ(MainForm->ClientArea()->subWindowList().size(), 2);
  EXPECT_EQ(ImageForm->parentWidget()->windowTitle(), "(no image)");
}

TEST_F(MainFormTest, MenusHoldEveryItemWithCaptionShortcutAndHint) {
  Start();
  QStringList titles;
  for (QAction* menu : MainForm->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({U("檔案 (&F)"), U("編輯 (&E)"), U("工具 (&U)"), U("文字區 (&T)"),
                                 U("圖形區 (&P)"), U("視窗 (&W)"), U("說明 (&H)")}));
  const QList<QAction*> menus = MainForm->menuBar()->actions();
  EXPECT_EQ(ItemNames(menus[0]->menu()),
            QStringList({"FileOpenItem", "FileSaveItem", "FileSaveAsItem", "-", "FileExitItem"}));
  EXPECT_EQ(ItemNames(menus[1]->menu()),
            QStringList({"EditUndoItem", "-", "EditCutItem", "EditCopyItem", "EditPasteItem", "-", "A1"}));
  EXPECT_EQ(ItemNames(menus[2]->menu()), QStringList({"miToolBar", "-", "miOption"}));
  EXPECT_EQ(ItemNames(Item("miToolBar")->menu()),
            QStringList({"miMain", "miText", "miImage", "miSpecial", "miBigOne"}));
  EXPECT_EQ(ItemNames(menus[3]->menu()), QStringList({"miFindSign", "miShowWord", "miSelectWord", "-",
                                                      "miAll", "-", "N22", "N24", "-", "N3", "N19", "N21"}));
  EXPECT_EQ(ItemNames(menus[4]->menu()), QStringList({"N14", "N15", "-", "N7", "-", "miPreviousPicture",
                                                      "miNextPicture", "N10", "N20", "-", "N17", "N25"}));
  EXPECT_EQ(ItemNames(menus[5]->menu()), QStringList({"H1", "WindowTileItem", "WindowCascadeItem"}));
  EXPECT_EQ(ItemNames(menus[6]->menu()), QStringList({"HelpAboutItem"}));

  struct Expected {
    const char* Name;
    const char* Caption;
    const char* Shortcut;
    const char* Hint;
  };
  const Expected items[] = {
      {"FileOpenItem", "開啟舊檔 (&O)...", "Ctrl+O", "Open an existing file"},
      {"FileSaveItem", "儲存檔案 (&S)", "Ctrl+S", "Save current file"},
      {"FileSaveAsItem", "另存新檔 (&A)...", "", "Save current file under a new name"},
      {"FileExitItem", "離開 (&X)", "", "Exit this application"},
      {"EditUndoItem", "復原 (&U)", "", ""},
      {"EditCutItem", "剪下 (&T)", "", "Delete selected item"},
      {"EditCopyItem", "複製 (&C)", "", "Copy selected item to clipboard"},
      {"EditPasteItem", "貼上 (&P)", "", "Paste contents of clipboard"},
      {"A1", "全選 (&A)", "", ""},
      {"miToolBar", "工具列", "", ""},
      {"miMain", "一般", "", ""},
      {"miText", "文字區", "", ""},
      {"miImage", "圖形區", "", ""},
      {"miSpecial", "特殊用途", "", ""},
      {"miBigOne", "大按鈕", "", ""},
      {"miOption", "選項...(&O)", "", ""},
      {"miFindSign", "尋找差異符號", "F2", ""},
      {"miShowWord", "秀出圖形位置", "F3", ""},
      {"miSelectWord", "選擇正確字串", "F4", ""},
      {"miAll", "以上三者全部", "F1", ""},
      {"N22", "設定取代字串...", "", ""},
      {"N24", "進行字串取代", "", ""},
      {"N3", "尋找與取代...", "Ctrl+F", ""},
      {"N19", "設定字型...", "", ""},
      {"N21", "書籤...", "", ""},
      {"N14", "開啟大正藏圖檔", "", ""},
      {"N15", "儲存圖形偏移資訊", "", ""},
      {"N7", "連續開啟圖檔...", "", ""},
      {"miPreviousPicture", "上一張圖", "F5", ""},
      {"miNextPicture", "下一張圖", "F6", ""},
      {"N10", "移至右上角", "", ""},
      {"N20", "切換圖形的中心線", "", ""},
      {"N17", "設定特殊欄位偏移", "", ""},
      {"N25", "設定圖形比例", "", ""},
      {"H1", "垂直並排 (&V)", "", ""},
      {"WindowTileItem", "水平並排 (&H)", "", "Tile all windows"},
      {"WindowCascadeItem", "重疊顯示 (&C)", "", "Cascade all windows"},
      {"HelpAboutItem", "關於 (&A)...", "", "Show program information"},
  };
  for (const Expected& expected : items) {
    SCOPED_TRACE(expected.Name);
    QAction* item = MainForm->findChild<QAction*>(expected.Name, Qt::FindDirectChildrenOnly);
    if (!item) item = Item(expected.Name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), U(expected.Caption));
    EXPECT_EQ(item->shortcut().toString(), expected.Shortcut);
    EXPECT_EQ(item->statusTip(), expected.Hint);
  }
}

TEST_F(MainFormTest, ToolbarsHoldEveryButtonWithHintAndIcon) {
  Start();
  struct Bar {
    const char* Name;
    const char* Caption;
    QStringList Buttons;  // "-" for a separator
  };
  const Bar bars[] = {
      {"tbMain",
       "一般",
       {"ToolbarButton971", "ToolbarButton972", "-", "ToolbarButton973", "ToolbarButton976",
        "ToolbarButton975", "ToolbarButton977", "-", "ToolbarButton978", "ToolbarButton979",
        "ToolbarButton9711"}},
      {"tbText",
       "文字區",
       {"ToolbarButton9733", "ToolbarButton9734", "-", "ToolbarButton9712", "ToolbarButton9710",
        "ToolbarButton9714", "ToolbarButton9713", "-", "ToolbarButton9729", "ToolbarButton9732", "-",
        "ToolbarButton9738", "ToolbarButton9728", "ToolbarButton9731"}},
      {"tbSpecial",
       "圖形特殊設定區",
       {"ToolbarButton9724", "ToolbarButton9723", "ToolbarButton9722", "-", "ToolbarButton9719",
        "ToolbarButton9720", "ToolbarButton9721", "-", "ToolbarButton9726", "ToolbarButton9727",
        "ToolbarButton9717"}},
      {"tbImage",
       "圖形區",
       {"ToolbarButton9718", "ToolbarButton9725", "-", "ToolbarButton9737", "-", "ToolbarButton9716",
        "ToolbarButton974", "ToolbarButton9715", "ToolbarButton9730", "ToolbarButton9736"}},
      {"tbBigOne", "大按鈕", {"ToolbarButton9735"}},
  };
  QList<QImage> distinctIcons;
  int iconButtons = 0;
  for (const Bar& expected : bars) {
    SCOPED_TRACE(expected.Name);
    QToolBar* bar = MainForm->Toolbar(expected.Name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), U(expected.Caption));
    EXPECT_EQ(MainForm->toolBarArea(bar), Qt::TopToolBarArea);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
      if (action->objectName().endsWith("CloseBox")) continue;  // shows only while floating
      buttons << (action->isSeparator() ? "-" : action->objectName());
      if (action->isSeparator()) continue;
      EXPECT_EQ(action->toolTip(), action->statusTip());
      auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
      ASSERT_NE(button, nullptr);
      const QString name = action->objectName();
      if (name == "ToolbarButton9713" || name == "ToolbarButton9730" || name == "ToolbarButton9735") {
        EXPECT_TRUE(action->icon().isNull()) << name.toStdString();
      } else {
        EXPECT_FALSE(action->icon().isNull()) << name.toStdString();
        // Buttons of the same command share an icon; all others differ.
        const QImage image = action->icon().pixmap(16, 16).toImage();
        if (!distinctIcons.contains(image)) distinctIcons << image;
        ++iconButtons;
      }
      if (name == "ToolbarButton9735") {
        EXPECT_EQ(button->size(), QSize(66, 66));
      } else {
        EXPECT_EQ(button->size(), QSize(23, 22)) << name.toStdString();
      }
    }
    EXPECT_EQ(buttons, expected.Buttons);
  }
  EXPECT_EQ(iconButtons, 35);
  // Open, save, previous and next picture stand on two toolbars each with the
  // same icon; every other button has one of its own.
  EXPECT_EQ(distinctIcons.size(), 31);

  auto hint = [](const char* name) { return MainForm->findChild<QAction*>(name)->statusTip(); };
  EXPECT_EQ(hint("ToolbarButton9712"), U("尋找差異記號"));
  EXPECT_EQ(hint("ToolbarButton9728"), U("設定文字區字型"));
  EXPECT_EQ(hint("ToolbarButton9717"), U("特殊欄的行偏移"));
  EXPECT_EQ(hint("ToolbarButton9715"), U("圖形移至右上角"));
  EXPECT_EQ(hint("ToolbarButton9713"), U("尋找差異+秀圖+選字"));
  EXPECT_EQ(hint("ToolbarButton9735"), U("尋找差異+秀圖+選字"));
  EXPECT_EQ(MainForm->findChild<QAction*>("ToolbarButton9713")->text(), "All");
  EXPECT_EQ(MainForm->findChild<QAction*>("ToolbarButton9730")->text(), U("＋"));
  EXPECT_EQ(MainForm->findChild<QAction*>("ToolbarButton9735")->text(), U("尋秀選"));
  auto* plus = MainForm->findChild<QToolButton*>("ToolbarButton9730");
  EXPECT_EQ(plus->palette().color(QPalette::ButtonText), QColor(Qt::red));
}

TEST_F(MainFormTest, InitialLayoutHasTwoRowsInTheTopDock) {
  Start();
  auto top = [](const char* name) { return MainForm->Toolbar(name)->geometry().top(); };
  auto left = [](const char* name) { return MainForm->Toolbar(name)->geometry().left(); };
  EXPECT_EQ(top("tbMain"), top("tbText"));
  EXPECT_LT(left("tbMain"), left("tbText"));
  EXPECT_GT(top("tbSpecial"), top("tbMain"));
  EXPECT_EQ(top("tbSpecial"), top("tbImage"));
  EXPECT_EQ(top("tbSpecial"), top("tbBigOne"));
  EXPECT_LT(left("tbSpecial"), left("tbImage"));
  EXPECT_LT(left("tbImage"), left("tbBigOne"));
}

TEST_F(MainFormTest, StatusLineShowsTheHintOfTheItemUnderTheMouse) {
  Start();
  QAction* open = Item("FileOpenItem");
  open->showStatusText(MainForm->menuBar());
  EXPECT_EQ(MainForm->StatusLine()->currentMessage(), "Open an existing file");
  QToolBar* text = MainForm->Toolbar("tbText");
  QAction* find = Item("ToolbarButton9712");
  find->showStatusText(text->widgetForAction(find));
  EXPECT_EQ(MainForm->StatusLine()->currentMessage(), U("尋找差異記號"));
  // An item without a hint clears the line.
  Item("A1")->showStatusText(MainForm->menuBar());
  EXPECT_TRUE(MainForm->StatusLine()->currentMessage().isEmpty());
  // The status line sits between the client area and the bottom dock.
  EXPECT_GT(MainForm->StatusLine()->mapTo(MainForm, QPoint(0, 0)).y(),
            MainForm->ClientArea()->mapTo(MainForm, QPoint(0, 0)).y());
}

TEST_F(MainFormTest, ToolbarClosedByItsCloseBoxComesBackThroughItsMenuItem) {
  Start();
  QToolBar* bar = MainForm->Toolbar("tbImage");
  auto* closeBox = bar->findChild<QToolButton*>("tbImageCloseBox");
  ASSERT_NE(closeBox, nullptr);
  EXPECT_FALSE(closeBox->isVisible());  // docked: no close box
  FloatToolbar(bar, QRect(50, 60, 260, 30));
  ASSERT_TRUE(bar->isFloating());
  EXPECT_TRUE(closeBox->isVisible());
  QTest::mouseClick(closeBox, Qt::LeftButton);
  EXPECT_TRUE(bar->isHidden());

  // The check mark still says visible until the submenu opens.
  QAction* item = Item("miImage");
  EXPECT_TRUE(item->isChecked());
  QMenu* toolbars = Item("miToolBar")->menu();
  emit toolbars->aboutToShow();
  EXPECT_FALSE(item->isChecked());
  EXPECT_TRUE(Item("miMain")->isChecked());
  item->trigger();
  EXPECT_FALSE(bar->isHidden());
  EXPECT_TRUE(bar->isFloating());
  EXPECT_TRUE(item->isChecked());

  // Each item inverts its own toolbar against its own state.
  Item("miMain")->trigger();
  EXPECT_TRUE(MainForm->Toolbar("tbMain")->isHidden());
  EXPECT_FALSE(Item("miMain")->isChecked());
  EXPECT_FALSE(MainForm->Toolbar("tbText")->isHidden());
}

// The client area's viewport made exactly width pixels wide.
void SetClientWidth(int width) {
  for (int i = 0; i < 4 && MainForm->ClientArea()->viewport()->width() != width; ++i) {
    MainForm->resize(MainForm->width() + width - MainForm->ClientArea()->viewport()->width(), 700);
    QApplication::processEvents();
  }
  ASSERT_EQ(MainForm->ClientArea()->viewport()->width(), width);
}

TEST_F(MainFormTest, WindowVertSplitsAnOddClientAreaIntoTwoNarrowHalves) {
  Start();
  SetClientWidth(801);
  const int height = MainForm->ClientArea()->viewport()->height();
  MainForm->WindowVert();
  EXPECT_EQ(ImageForm->parentWidget()->geometry(), QRect(0, 0, 399, height));
  EXPECT_EQ(TextForm->parentWidget()->geometry(), QRect(399, 0, 399, height));
  SetClientWidth(1000);
  MainForm->WindowVert();
  EXPECT_EQ(ImageForm->parentWidget()->geometry(), QRect(0, 0, 499, height));
  EXPECT_EQ(TextForm->parentWidget()->geometry(), QRect(499, 0, 499, height));
}

TEST_F(MainFormTest, WindowTileStacksTheWindowsAtFullWidth) {
  Start();
  SetClientWidth(900);
  const QSize client = MainForm->ClientArea()->viewport()->size();
  MainForm->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(TextForm->parentWidget()));
  MainForm->WindowTile();
  const QRect text = TextForm->parentWidget()->geometry();
  const QRect image = ImageForm->parentWidget()->geometry();
  EXPECT_EQ(text, QRect(0, 0, client.width(), client.height() / 2));
  EXPECT_EQ(image, QRect(0, client.height() / 2, client.width(), client.height() - client.height() / 2));
  MainForm->WindowCascade();
  EXPECT_NE(TextForm->parentWidget()->geometry().topLeft(), ImageForm->parentWidget()->geometry().topLeft());
}

TEST_F(MainFormTest, EditCommandsActOnTheTextWhateverWindowIsActive) {
  Start();
  zorvel::TextEditor& editor = TextForm->Editor();
  editor.SetText("abc\r\ndef");
  MainForm->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ImageForm->parentWidget()));
  ASSERT_EQ(MainForm->ClientArea()->activeSubWindow()->widget(), ImageForm);
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

TEST_F(MainFormTest, HotKeysActWhicheverWindowHasTheFocus) {
  Start();
  MainForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
  QSignalSpy findSign(Item("miFindSign"), &QAction::triggered);
  QSignalSpy previous(Item("miPreviousPicture"), &QAction::triggered);
  QSignalSpy find(Item("N3"), &QAction::triggered);

  TextForm->RichEdit()->setFocus();
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F2);
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F5);
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(findSign.count(), 1);
  EXPECT_EQ(previous.count(), 1);
  EXPECT_EQ(find.count(), 1);

  QSignalSpy select(Item("miSelectWord"), &QAction::triggered);
  Item("miSelectWord")->setShortcut(QKeySequence("Shift+F4"));
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F4, Qt::ShiftModifier);
  EXPECT_EQ(select.count(), 1);

  ImageForm->setFocus();
  QTest::keyClick(ImageForm, Qt::Key_F2);
  QTest::keyClick(ImageForm, Qt::Key_F5);
  EXPECT_EQ(findSign.count(), 2);
  EXPECT_EQ(previous.count(), 2);
}

TEST_F(MainFormTest, StatusLineTellsHowManyCharactersBig5CouldNotHold) {
  Start();
  emit TextForm->CharactersReplaced(3);
  EXPECT_TRUE(MainForm->StatusLine()->currentMessage().contains("3"));
}

TEST(ShellPrompts, TestsPutTheirPromptsInPlaceOfTheRealOnes) {
  zorvel::test::ScriptedPrompts scripted;
  EXPECT_EQ(&AppPrompts(), &RealPrompts());
  SetAppPrompts(&scripted);
  AppPrompts().Message("hello");
  EXPECT_EQ(scripted.Shown, std::vector<std::string>{"hello"});
  SetAppPrompts(nullptr);
  EXPECT_EQ(&AppPrompts(), &RealPrompts());
}

TEST(ShellPrompts, ChoiceAndReplaceAnswerZeroUntilTheirWindowsRegister) {
  QtPrompts prompts;
  EXPECT_EQ(prompts.Choose({}).SelectResult, 0);
  EXPECT_EQ(prompts.AskReplace({}).AskResult, 0);
  prompts.SetChooseHandler([](const zorvel::ChoiceRequest& request) {
    zorvel::ChoiceAnswer answer;
    answer.SelectResult = request.DefaultButton;
    return answer;
  });
  prompts.SetAskReplaceHandler([](const zorvel::ReplaceQuestion& question) {
    zorvel::ReplaceAnswer answer;
    answer.AskResult = 1;
    answer.Dest = question.Dest + "!";
    return answer;
  });
  zorvel::ChoiceRequest request;
  request.DefaultButton = 2;
  EXPECT_EQ(prompts.Choose(request).SelectResult, 2);
  EXPECT_EQ(prompts.AskReplace({"a", "b"}).Dest, "b!");
}

}  // namespace
