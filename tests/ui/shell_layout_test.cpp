// The window layout and the toolbar places read from zorvel.ini at start and
// written at close, the close sequence's questions, and the hot keys that the
// settings load puts on the menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>

#include <filesystem>

#include "core/settings/ini_file.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_form.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"
#include "ui/toolbar_layout.h"

namespace {

using zorvel::Answer;

class ShellLayoutTest : public ::testing::Test {
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
  void Restart() {
    zorvel::DestroyZorvelWindows();
    Start();
  }
  std::string Ini() const { return dir_.File("zorvel.ini"); }
  int ReadInt(const char* section, const char* key) const {
    return zorvel::IniFile(Ini()).ReadInteger(section, key, -999);
  }
  std::string ReadText(const char* section, const char* key) const {
    return zorvel::IniFile(Ini()).ReadString(section, key, "?");
  }
  static QRect Child(QWidget* form) { return form->parentWidget()->geometry(); }
  static QToolBar* Bar(const char* name) { return MainForm->Toolbar(name); }

  zorvel::test::TempDir dir_;
  zorvel::test::ScriptedPrompts prompts_;
  QString oldFolder_;
};

TEST_F(ShellLayoutTest, FirstStartWithoutIniTakesTheDefaultLayout) {
  Start();
  EXPECT_EQ(MainForm->SaveScreen, 1);
  EXPECT_EQ(MainForm->pos(), QPoint(0, 0));
  EXPECT_EQ(MainForm->size(), QSize(400, 400));
  EXPECT_EQ(Child(TextForm), QRect(0, 0, 100, 400));
  EXPECT_EQ(Child(ImageForm), QRect(100, 0, 300, 400));
  for (QToolBar* bar : MainForm->Toolbars()) {
    EXPECT_EQ(MainForm->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_FALSE(bar->isHidden());
  }
  // Nothing is written at start.
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(ShellLayoutTest, LayoutAndToolbarPlacesAreReadAtStart) {
  zorvel::test::WriteFile(Ini(),
                          "[Screen]\r\nSaveScreen=0\r\nMainTop=30\r\nMainLeft=0x28\r\nMainWidth=900\r\n"
                          "MainHeight=700\r\nTextTop=5\r\nTextLeft=310\r\nTextWidth=400\r\nTextHeight=300\r\n"
                          "ImageTop=7\r\nImageLeft=3\r\nImageWidth=abc\r\nImageHeight=250\r\n"
                          "[tbMain]\r\nDockedTo=Dock972\r\nDockRow=0\r\nDockPos=0\r\n"
                          "[tbText]\r\nVisible=0\r\n"
                          "[tbImage]\r\nDockedTo=dock973\r\nDockRow=0\r\nDockPos=0\r\n"
                          "[tbSpecial]\r\nVisible=1\r\nDockedTo=nil\r\nFloatLeft=100\r\nFloatTop=120\r\n"
                          "FloatRight=400\r\nFloatBottom=150\r\n"
                          "[tbBigOne]\r\nDockedTo=Dock974\r\nDockRow=3\r\nDockPos=40\r\n");
  Start();
  EXPECT_EQ(MainForm->SaveScreen, 0);
  EXPECT_EQ(MainForm->pos(), QPoint(40, 30));
  EXPECT_EQ(MainForm->size(), QSize(900, 700));
  EXPECT_EQ(Child(TextForm), QRect(310, 5, 400, 300));
  EXPECT_EQ(MainForm->ImageWidth, 300);  // not a number: the default
  EXPECT_EQ(Child(ImageForm), QRect(3, 7, 300, 250));

  EXPECT_EQ(MainForm->toolBarArea(Bar("tbMain")), Qt::BottomToolBarArea);
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbImage")), Qt::LeftToolBarArea);
  EXPECT_EQ(Bar("tbImage")->orientation(), Qt::Vertical);
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbBigOne")), Qt::RightToolBarArea);
  // Without "DockedTo" a toolbar stays in its first place, hidden here.
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbText")), Qt::TopToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_FALSE(Bar("tbSpecial")->isHidden());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(100, 120));
  EXPECT_TRUE(Bar("tbSpecial")->findChild<QWidget*>("tbSpecialCloseBox")->isVisible());
}

TEST_F(ShellLayoutTest, UnknownDocksAndBadNumbersLeaveToolbarsWhereTheyAre) {
  zorvel::test::WriteFile(Ini(),
                          "[tbMain]\r\nDockedTo=Dock999\r\nVisible=yes\r\n"
                          "[tbText]\r\nDockedTo=\r\nVisible=0x0\r\n"
                          "[tbImage]\r\nDockedTo=Dock972\r\nDockRow=x\r\nDockPos=\r\n");
  Start();
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbMain")), Qt::TopToolBarArea);
  EXPECT_FALSE(Bar("tbMain")->isHidden());
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbText")), Qt::TopToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbImage")), Qt::BottomToolBarArea);
  EXPECT_FALSE(Bar("tbImage")->isHidden());
  // The rest keep their first rows.
  EXPECT_LT(Bar("tbMain")->geometry().top(), Bar("tbSpecial")->geometry().top());
  EXPECT_EQ(Bar("tbSpecial")->geometry().top(), Bar("tbBigOne")->geometry().top());
}

TEST_F(ShellLayoutTest, RowsAndPositionsOrderTheToolbarsOfADock) {
  zorvel::test::WriteFile(Ini(),
                          "[tbMain]\r\nDockedTo=Dock971\r\nDockRow=5\r\nDockPos=300\r\n"
                          "[tbText]\r\nDockedTo=Dock971\r\nDockRow=5\r\nDockPos=10\r\n"
                          "[tbImage]\r\nDockedTo=Dock971\r\nDockRow=1\r\nDockPos=0\r\n"
                          "[tbSpecial]\r\nDockedTo=Dock972\r\nDockRow=0\r\nDockPos=0\r\n"
                          "[tbBigOne]\r\nDockedTo=Dock972\r\nDockRow=1\r\nDockPos=0\r\n");
  Start();
  auto top = [](const char* name) { return Bar(name)->geometry().top(); };
  auto left = [](const char* name) { return Bar(name)->geometry().left(); };
  // tbImage alone in the first row, then tbText before tbMain.
  EXPECT_LT(top("tbImage"), top("tbText"));
  EXPECT_EQ(top("tbText"), top("tbMain"));
  EXPECT_LT(left("tbText"), left("tbMain"));
  // Rows count from the window's edge inward: row 0 of the bottom dock is the
  // lowest.
  EXPECT_GT(top("tbSpecial"), top("tbBigOne"));
  EXPECT_GT(top("tbBigOne"), MainForm->ClientArea()->geometry().bottom());

  // Written back, the rows come out numbered afresh and in the same order.
  MainForm->close();
  EXPECT_EQ(ReadInt("tbImage", "DockRow"), 0);
  EXPECT_EQ(ReadInt("tbText", "DockRow"), 1);
  EXPECT_EQ(ReadInt("tbMain", "DockRow"), 1);
  EXPECT_LT(ReadInt("tbText", "DockPos"), ReadInt("tbMain", "DockPos"));
  EXPECT_EQ(ReadInt("tbSpecial", "DockRow"), 0);
  EXPECT_EQ(ReadInt("tbBigOne", "DockRow"), 1);
}

TEST_F(ShellLayoutTest, CloseWritesTheLayoutThatTheNextStartRestores) {
  Start();
  MainForm->move(20, 10);
  MainForm->resize(1000, 700);
  QApplication::processEvents();
  TextForm->parentWidget()->setGeometry(500, 0, 450, 300);
  ImageForm->parentWidget()->setGeometry(0, 10, 480, 320);
  MainForm->addToolBar(Qt::BottomToolBarArea, Bar("tbBigOne"));
  FloatToolbar(Bar("tbSpecial"), QRect(200, 220, 300, 28));
  Bar("tbText")->hide();
  QApplication::processEvents();

  MainForm->close();
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_TRUE(prompts_.Shown.empty());

  EXPECT_EQ(ReadInt("Screen", "SaveScreen"), 1);
  EXPECT_EQ(ReadInt("Screen", "MainTop"), 10);
  EXPECT_EQ(ReadInt("Screen", "MainLeft"), 20);
  EXPECT_EQ(ReadInt("Screen", "MainWidth"), 1000);
  EXPECT_EQ(ReadInt("Screen", "MainHeight"), 700);
  EXPECT_EQ(ReadInt("Screen", "TextLeft"), 500);
  EXPECT_EQ(ReadInt("Screen", "TextWidth"), 450);
  EXPECT_EQ(ReadInt("Screen", "ImageTop"), 10);
  EXPECT_EQ(ReadInt("Screen", "ImageHeight"), 320);
  // The keys of "Screen" in their order, then the toolbar sections.
  const std::string text = zorvel::test::ReadFile(Ini());
  size_t at = 0;
  for (const char* key :
       {"[Screen]", "SaveScreen=", "MainTop=", "MainLeft=", "MainWidth=", "MainHeight=", "TextTop=",
        "TextLeft=", "TextWidth=", "TextHeight=", "ImageTop=", "ImageLeft=", "ImageWidth=", "ImageHeight=",
        "[tbMain]", "[tbText]", "[tbImage]", "[tbSpecial]", "[tbBigOne]"}) {
    const size_t found = text.find(key, at);
    ASSERT_NE(found, std::string::npos) << key;
    at = found;
  }
  EXPECT_EQ(ReadText("tbMain", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbMain", "DockRow"), 0);
  EXPECT_EQ(ReadInt("tbMain", "Visible"), 1);
  EXPECT_EQ(ReadInt("tbText", "Visible"), 0);
  EXPECT_EQ(ReadText("tbText", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbText", "DockRow"), 0);
  EXPECT_EQ(ReadText("tbImage", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbImage", "DockRow"), 1);
  EXPECT_EQ(ReadText("tbBigOne", "DockedTo"), "Dock972");
  EXPECT_EQ(ReadText("tbSpecial", "DockedTo"), "nil");
  EXPECT_EQ(ReadInt("tbSpecial", "FloatLeft"), 200);
  EXPECT_EQ(ReadInt("tbSpecial", "FloatTop"), 220);
  EXPECT_GT(ReadInt("tbSpecial", "FloatRight"), 200);
  EXPECT_GT(ReadInt("tbSpecial", "FloatBottom"), 220);

  Restart();
  EXPECT_EQ(MainForm->pos(), QPoint(20, 10));
  EXPECT_EQ(MainForm->size(), QSize(1000, 700));
  EXPECT_EQ(Child(TextForm), QRect(500, 0, 450, 300));
  EXPECT_EQ(Child(ImageForm), QRect(0, 10, 480, 320));
  EXPECT_EQ(MainForm->toolBarArea(Bar("tbBigOne")), Qt::BottomToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(200, 220));
  EXPECT_LT(Bar("tbMain")->geometry().top(), Bar("tbImage")->geometry().top());

  // A hidden toolbar keeps its place through a second round.
  MainForm->close();
  EXPECT_EQ(ReadText("tbText", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbText", "DockRow"), 0);
  EXPECT_EQ(ReadInt("tbImage", "DockRow"), 1);
}

TEST_F(ShellLayoutTest, LayoutGoesToTheStartFolderWhateverTheCurrentFolder) {
  Start();
  zorvel::test::TempDir elsewhere;
  QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));
  MainForm->close();
  EXPECT_TRUE(std::filesystem::exists(Ini()));
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("zorvel.ini")));
}

TEST_F(ShellLayoutTest, ModifiedTextIsAskedAboutFirst) {
  Start();
  TextForm->Editor().SetText("text");
  TextForm->Editor().SetModified(true);

  // Cancel: the window stays and nothing is written.
  prompts_.Answers = {Answer::Cancel};
  MainForm->close();
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
  EXPECT_FALSE(std::filesystem::exists(Ini()));

  // Yes, but the save dialog is cancelled: the changes are not dropped.
  int dialogs = 0;
  TextForm->SaveFileNameHook = [&] {
    ++dialogs;
    return QString();
  };
  prompts_.Answers = {Answer::Yes};
  MainForm->close();
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_TRUE(TextForm->Editor().Modified());
  EXPECT_FALSE(std::filesystem::exists(Ini()));

  // Yes with a name: saved, then closed.
  const std::string saved = dir_.File("proof.txt");
  TextForm->SaveFileNameHook = [&] { return QString::fromStdString(saved); };
  prompts_.Answers = {Answer::Yes};
  MainForm->close();
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_EQ(zorvel::test::ReadFile(saved), "text");
  EXPECT_EQ(MainForm->TextFileName, QString::fromStdString(saved));
  EXPECT_TRUE(std::filesystem::exists(Ini()));
}

TEST_F(ShellLayoutTest, NoLosesTheChangesAndCloses) {
  Start();
  TextForm->Editor().SetText("text");
  TextForm->Editor().SetModified(true);
  prompts_.Answers = {Answer::No};
  MainForm->close();
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_EQ(ReadInt("Screen", "MainWidth"), 400);
}

TEST_F(ShellLayoutTest, UnwritableIniAsksWhetherToCloseAnyway) {
  // A folder where the file should be: no write can replace it.
  std::filesystem::create_directory(Ini());
  Start();
  prompts_.Answers = {Answer::No};
  MainForm->close();
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入! 是否確定結束?"});

  prompts_.Answers = {Answer::Yes};
  MainForm->close();
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_TRUE(std::filesystem::is_directory(Ini()));
}

TEST_F(ShellLayoutTest, SettingsLoadPutsTheHotKeysOnEveryMenuThatCarriesThem) {
  zorvel::test::WriteFile(Ini(),
                          "[Picture]\r\nPictureRatio=150\r\n"
                          "[HotKey]\r\nFindSign=ctrl+shift+f2\r\nAll=^A\r\nNextPicture=\r\n");
  Start();
  EXPECT_EQ(OptionForm->Settings.PictureRatio, 150);
  auto mainItem = [](const char* name) {
    return MainForm->findChild<QAction*>(name, Qt::FindDirectChildrenOnly)->shortcut();
  };
  auto popupItem = [](QWidget* form, const char* name) {
    QAction* item = form->findChild<QAction*>(name);
    EXPECT_NE(item, nullptr) << name;
    return item ? item->shortcut() : QKeySequence();
  };
  EXPECT_EQ(mainItem("miFindSign"), QKeySequence("Shift+Ctrl+F2"));
  EXPECT_EQ(popupItem(TextForm, "miFindSign"), QKeySequence("Shift+Ctrl+F2"));
  EXPECT_EQ(mainItem("miAll"), QKeySequence("Ctrl+A"));
  EXPECT_EQ(popupItem(TextForm, "miAll"), QKeySequence("Ctrl+A"));
  EXPECT_EQ(mainItem("miShowWord"), QKeySequence("F3"));
  EXPECT_EQ(popupItem(TextForm, "miSelectWord"), QKeySequence("F4"));
  EXPECT_EQ(mainItem("miPreviousPicture"), QKeySequence("F5"));
  EXPECT_EQ(popupItem(ImageForm, "miPreviousPicture"), QKeySequence("F5"));
  // An empty value: no key at all.
  EXPECT_TRUE(mainItem("miNextPicture").isEmpty());
  EXPECT_TRUE(popupItem(ImageForm, "miNextPicture").isEmpty());

  const zorvel::HotKeySet keys = OptionForm->HotKeysInForce();
  EXPECT_EQ(keys[int(zorvel::HotKeyCommand::FindSign)], (zorvel::HotKey{0x71, true, true, false}));
  EXPECT_TRUE(keys[int(zorvel::HotKeyCommand::NextPicture)].IsNone());

  // Applying keys again moves them on all copies.
  zorvel::HotKeySet changed = keys;
  changed[int(zorvel::HotKeyCommand::NextPicture)] = zorvel::HotKey{0x4E, false, true, false};
  OptionForm->ApplyHotKeys(changed);
  EXPECT_EQ(popupItem(ImageForm, "miNextPicture"), QKeySequence("Ctrl+N"));
  EXPECT_EQ(OptionForm->HotKeysInForce()[int(zorvel::HotKeyCommand::NextPicture)], changed[5]);
}

}  // namespace
