// The window layout and toolbar places read from zorvel.ini at start and
// written at close, and the close sequence's questions.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <filesystem>

#include "core/settings/ini_file.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/image_form.h"
#include "ui/image_sample.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"
#include "ui/toolbar_layout.h"

namespace {

using zorvel::Answer;

class ShellLayoutTest : public zorvel::test::WindowSetTest {
 protected:
  void Start(const std::string& ini = {}) {
    if (!ini.empty()) zorvel::test::WriteFile(Ini(), ini);
    StopWindows();
    WindowSetTest::Start();
  }
  std::string Ini() const { return dir_.File("zorvel.ini"); }
  int ReadInt(const char* section, const char* key) const {
    return zorvel::IniFile(Ini()).ReadInteger(section, key, -999);
  }
  std::string ReadText(const char* section, const char* key) const {
    return zorvel::IniFile(Ini()).ReadString(section, key, "?");
  }
  static QRect Child(QWidget* form) { return form->parentWidget()->geometry(); }
  static QToolBar* Bar(const char* name) { return MainForm()->Toolbar(name); }
  static Qt::ToolBarArea Area(const char* name) { return MainForm()->toolBarArea(Bar(name)); }
  static int Top(const char* name) { return Bar(name)->geometry().top(); }
};

TEST_F(ShellLayoutTest, FirstStartWithoutIniTakesTheDefaultLayoutAndWritesNothing) {
  Start();
  EXPECT_EQ(MainForm()->SaveScreen, 1);
  EXPECT_EQ(MainForm()->pos(), QPoint(0, 0));
  EXPECT_EQ(MainForm()->size(), QSize(400, 400));
  EXPECT_EQ(Child(TextForm()), QRect(0, 0, 100, 400));
  EXPECT_EQ(Child(ImageForm()), QRect(100, 0, 300, 400));
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(ShellLayoutTest, LayoutAndToolbarPlacesAreReadAtStart) {
  Start(
      "[Screen]\r\nSaveScreen=0\r\nMainTop=30\r\nMainLeft=0x28\r\nMainWidth=760\r\n"
      "MainHeight=560\r\nTextTop=5\r\nTextLeft=310\r\nTextWidth=400\r\nTextHeight=300\r\n"
      "ImageTop=7\r\nImageLeft=3\r\nImageWidth=abc\r\nImageHeight=250\r\n"
      "[tbMain]\r\nDockedTo=Dock972\r\nDockRow=0\r\nDockPos=0\r\n"
      "[tbText]\r\nVisible=0\r\n"
      "[tbImage]\r\nDockedTo=dock973\r\nDockRow=0\r\nDockPos=0\r\n"
      "[tbSpecial]\r\nVisible=1\r\nDockedTo=nil\r\nFloatLeft=100\r\nFloatTop=120\r\n"
      "FloatRight=400\r\nFloatBottom=150\r\n"
      "[tbBigOne]\r\nDockedTo=Dock974\r\nDockRow=3\r\nDockPos=40\r\n");
  EXPECT_EQ(MainForm()->SaveScreen, 0);
  EXPECT_EQ(MainForm()->pos(), QPoint(40, 30));
  EXPECT_EQ(MainForm()->size(), QSize(760, 560));
  EXPECT_EQ(Child(TextForm()), QRect(310, 5, 400, 300));
  EXPECT_EQ(Child(ImageForm()), QRect(3, 7, 300, 250));  // not a number: the default width
  EXPECT_EQ(Area("tbMain"), Qt::BottomToolBarArea);
  EXPECT_EQ(Area("tbImage"), Qt::LeftToolBarArea);
  EXPECT_EQ(Bar("tbImage")->orientation(), Qt::Vertical);
  EXPECT_EQ(Area("tbBigOne"), Qt::RightToolBarArea);
  // Without "DockedTo" a toolbar stays in its first place.
  EXPECT_EQ(Area("tbText"), Qt::TopToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(100, 120));
  EXPECT_TRUE(Bar("tbSpecial")->findChild<QWidget*>("tbSpecialCloseBox")->isVisible());
}

TEST_F(ShellLayoutTest, UnknownDocksAndBadNumbersLeaveToolbarsWhereTheyAre) {
  Start(
      "[tbMain]\r\nDockedTo=Dock999\r\nVisible=yes\r\n"
      "[tbText]\r\nDockedTo=\r\nVisible=0x0\r\n"
      "[tbImage]\r\nDockedTo=Dock972\r\nDockRow=x\r\nDockPos=\r\n");
  EXPECT_EQ(Area("tbMain"), Qt::TopToolBarArea);
  EXPECT_FALSE(Bar("tbMain")->isHidden());
  EXPECT_EQ(Area("tbText"), Qt::TopToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  EXPECT_EQ(Area("tbImage"), Qt::BottomToolBarArea);
  EXPECT_LT(Top("tbMain"), Top("tbSpecial"));
  EXPECT_EQ(Top("tbSpecial"), Top("tbBigOne"));
}

TEST_F(ShellLayoutTest, RowsAndPositionsOrderTheToolbarsOfADockAndAreWrittenAfresh) {
  Start(
      "[tbMain]\r\nDockedTo=Dock971\r\nDockRow=5\r\nDockPos=300\r\n"
      "[tbText]\r\nDockedTo=Dock971\r\nDockRow=5\r\nDockPos=10\r\n"
      "[tbImage]\r\nDockedTo=Dock971\r\nDockRow=1\r\nDockPos=0\r\n"
      "[tbSpecial]\r\nDockedTo=Dock972\r\nDockRow=0\r\nDockPos=0\r\n"
      "[tbBigOne]\r\nDockedTo=Dock972\r\nDockRow=1\r\nDockPos=0\r\n");
  EXPECT_LT(Top("tbImage"), Top("tbText"));
  EXPECT_EQ(Top("tbText"), Top("tbMain"));
  EXPECT_LT(Bar("tbText")->geometry().left(), Bar("tbMain")->geometry().left());
  // Rows count from the window's edge inward: row 0 of the bottom dock is lowest.
  EXPECT_GT(Top("tbSpecial"), Top("tbBigOne"));
  EXPECT_GT(Top("tbBigOne"), MainForm()->ClientArea()->geometry().bottom());

  MainForm()->close();
  EXPECT_EQ(ReadInt("tbImage", "DockRow"), 0);
  EXPECT_EQ(ReadInt("tbText", "DockRow"), 1);
  EXPECT_EQ(ReadInt("tbMain", "DockRow"), 1);
  EXPECT_LT(ReadInt("tbText", "DockPos"), ReadInt("tbMain", "DockPos"));
  EXPECT_EQ(ReadInt("tbBigOne", "DockRow"), 1);
}

TEST_F(ShellLayoutTest, CloseWritesTheLayoutThatTheNextStartRestores) {
  Start();
  MainForm()->move(20, 10);
  MainForm()->resize(740, 560);
  QApplication::processEvents();
  TextForm()->parentWidget()->setGeometry(280, 0, 450, 300);
  ImageForm()->parentWidget()->setGeometry(0, 10, 480, 320);
  MainForm()->addToolBar(Qt::BottomToolBarArea, Bar("tbBigOne"));
  FloatToolbar(Bar("tbSpecial"), QRect(200, 220, 300, 28));
  Bar("tbText")->hide();
  QApplication::processEvents();
  // The file goes to the start folder whatever the current folder is.
  zorvel::test::TempDir elsewhere;
  QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));

  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
  EXPECT_TRUE(prompts_.Shown.empty());
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("zorvel.ini")));
  // The keys of "Screen" in their order, then the toolbar sections.
  const std::string text = zorvel::test::ReadFile(Ini());
  size_t at = 0;
  for (const char* key : {"[Screen]", "SaveScreen=1", "MainTop=10", "MainLeft=20", "MainWidth=740",
                          "MainHeight=560", "TextTop=0", "TextLeft=280", "TextWidth=450", "TextHeight=300",
                          "ImageTop=10", "ImageLeft=0", "ImageWidth=480", "ImageHeight=320", "[tbMain]",
                          "[tbText]", "[tbImage]", "[tbSpecial]", "[tbBigOne]"}) {
    at = text.find(key, at);
    ASSERT_NE(at, std::string::npos) << key;
  }
  EXPECT_EQ(ReadText("tbMain", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbMain", "Visible"), 1);
  EXPECT_EQ(ReadInt("tbText", "Visible"), 0);
  EXPECT_EQ(ReadInt("tbImage", "DockRow"), 1);
  EXPECT_EQ(ReadText("tbBigOne", "DockedTo"), "Dock972");
  EXPECT_EQ(ReadText("tbSpecial", "DockedTo"), "nil");
  EXPECT_EQ(ReadInt("tbSpecial", "FloatLeft"), 200);
  EXPECT_EQ(ReadInt("tbSpecial", "FloatTop"), 220);
  EXPECT_GT(ReadInt("tbSpecial", "FloatRight"), 200);

  QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
  Start();
  EXPECT_EQ(MainForm()->pos(), QPoint(20, 10));
  EXPECT_EQ(MainForm()->size(), QSize(740, 560));
  EXPECT_EQ(Child(TextForm()), QRect(280, 0, 450, 300));
  EXPECT_EQ(Child(ImageForm()), QRect(0, 10, 480, 320));
  EXPECT_EQ(Area("tbBigOne"), Qt::BottomToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(200, 220));
  MainForm()->close();  // a hidden toolbar keeps its place through a second round
  EXPECT_EQ(ReadText("tbText", "DockedTo"), "Dock971");
  EXPECT_EQ(ReadInt("tbText", "DockRow"), 0);
}

TEST_F(ShellLayoutTest, BoundsBeyondTheScreenAreFittedAndWhatIsShownIsSaved) {
  Start(
      "[Screen]\r\nMainTop=-40\r\nMainLeft=2000\r\nMainWidth=2147483647\r\nMainHeight=300\r\n"
      "TextTop=5\r\nTextLeft=-2147483648\r\nTextWidth=-20\r\nTextHeight=2147483647\r\n"
      "ImageTop=99999\r\nImageLeft=50\r\nImageWidth=200\r\nImageHeight=100\r\n");
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  // Too wide: as wide as the screen; the height fits and stays; moved onto it.
  EXPECT_EQ(MainForm()->size(), QSize(screen.width(), 300));
  EXPECT_EQ(MainForm()->pos(), screen.topLeft());
  // The two windows within the frame's bounds: too tall, as tall as the frame;
  // too narrow, the least width; a size that fits is kept.
  EXPECT_EQ(Child(TextForm()), QRect(0, 0, 100, 300));
  EXPECT_EQ(Child(ImageForm()), QRect(50, 200, 200, 100));

  const QRect frame(MainForm()->pos(), MainForm()->size());
  const QRect text = Child(TextForm());
  MainForm()->close();
  EXPECT_EQ(ReadInt("Screen", "MainWidth"), frame.width());
  EXPECT_EQ(ReadInt("Screen", "MainHeight"), 300);
  EXPECT_EQ(ReadInt("Screen", "MainLeft"), frame.left());
  EXPECT_EQ(ReadInt("Screen", "TextLeft"), 0);
  EXPECT_EQ(ReadInt("Screen", "TextHeight"), text.height());
  EXPECT_EQ(ReadInt("Screen", "ImageTop"), 200);
}

TEST_F(ShellLayoutTest, ModifiedTextIsAskedAboutFirst) {
  Start();
  TextForm()->Editor().SetText("text");
  TextForm()->Editor().SetModified(true);
  // Cancel: the window stays and nothing is written.
  prompts_.Answers = {Answer::Cancel};
  MainForm()->close();
  EXPECT_TRUE(MainForm()->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  // Yes, but the save dialog is cancelled: the changes are not dropped.
  TextForm()->SaveFileNameHook = [] { return QString(); };
  prompts_.Answers = {Answer::Yes};
  MainForm()->close();
  EXPECT_TRUE(MainForm()->isVisible());
  EXPECT_TRUE(TextForm()->Editor().Modified());
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  // Yes with a name: saved, then closed.
  const std::string saved = dir_.File("proof.txt");
  TextForm()->SaveFileNameHook = [&] { return QString::fromStdString(saved); };
  prompts_.Answers = {Answer::Yes};
  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
  EXPECT_EQ(zorvel::test::ReadFile(saved), "text");
  EXPECT_EQ(MainForm()->TextFileName, QString::fromStdString(saved));
  EXPECT_TRUE(std::filesystem::exists(Ini()));
  // No: the changes are lost and the window closes.
  Start();
  TextForm()->Editor().SetText("other");
  TextForm()->Editor().SetModified(true);
  prompts_.Answers = {Answer::No};
  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
  EXPECT_EQ(zorvel::test::ReadFile(saved), "text");
}

TEST_F(ShellLayoutTest, UnwritableIniAsksWhetherToCloseAnyway) {
  std::filesystem::create_directory(Ini());  // a folder where the file should be
  Start();
  prompts_.Answers = {Answer::No};
  MainForm()->close();
  EXPECT_TRUE(MainForm()->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入! 是否確定結束?"});
  prompts_.Answers = {Answer::Yes};
  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
}

TEST_F(ShellLayoutTest, AnEmptyHotKeyMeansNoKeyAndAppliedKeysMoveOnEveryCopy) {
  Start("[Picture]\r\nPictureRatio=150\r\n[HotKey]\r\nNextPicture=\r\n");
  EXPECT_EQ(OptionForm()->Settings.PictureRatio, 150);
  auto keyOf = [](QWidget* form, const char* name) {
    const auto only = form == MainForm() ? Qt::FindDirectChildrenOnly : Qt::FindChildrenRecursively;
    return form->findChild<QAction*>(name, only)->shortcut();
  };
  EXPECT_TRUE(keyOf(MainForm(), "miNextPicture").isEmpty());
  EXPECT_TRUE(keyOf(ImageForm(), "miNextPicture").isEmpty());
  EXPECT_TRUE(OptionForm()->HotKeysInForce()[int(zorvel::HotKeyCommand::NextPicture)].IsNone());
  zorvel::HotKeySet changed = OptionForm()->HotKeysInForce();
  changed[int(zorvel::HotKeyCommand::NextPicture)] = zorvel::HotKey{0x4E, false, true, false};
  OptionForm()->ApplyHotKeys(changed);
  EXPECT_EQ(keyOf(MainForm(), "miNextPicture"), QKeySequence("Ctrl+N"));
  EXPECT_EQ(keyOf(ImageForm(), "miNextPicture"), QKeySequence("Ctrl+N"));
  EXPECT_EQ(OptionForm()->HotKeysInForce(), changed);
}

}  // namespace
