// The window layout, the toolbar places and the loupe read from zorvel.ini at
// start and written at close, and the close sequence's questions.

#include <sys/inotify.h>
#include <unistd.h>

#include <QAction>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <filesystem>

#include "core/settings/ini_file.h"
#include "core/settings/window_bounds.h"
#include "ui/image/loupe_controller.h"
#include "ui/image_sample.h"
#include "ui/shell/toolbar_layout.h"

namespace {

using zorvel::Answer;

class ShellLayoutTest : public zorvel::test::WindowSetTest {
 protected:
  void Start() {
    StopWindows();
    WindowSetTest::Start();
  }
  std::string Ini() const { return dir_.File("zorvel.ini"); }
  std::string Read(const char* section, const char* key) const {
    return zorvel::IniFile(Ini()).ReadString(section, key, "?");
  }
  static QRect Child(QWidget* form) { return form->parentWidget()->geometry(); }
  static QToolBar* Bar(const char* name) { return MainForm()->Toolbar(name); }
};

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
  // The loupe's zoom and its hidden state, its item unchecked.
  Bench().Run(zorvel::CommandId::NextLoupeZoom);
  Bench().Run(zorvel::CommandId::ToggleLoupe);
  EXPECT_FALSE(MainForm()->CommandItem(zorvel::CommandId::ToggleLoupe)->isChecked());
  QApplication::processEvents();
  // The file goes to the start folder whatever the current folder is.
  zorvel::test::TempDir elsewhere;
  QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));
  // A zoomed scale not saved yet goes into the close's one write.
  ASSERT_TRUE(ImageForm()->ZoomStep(+1));
  const int watch = inotify_init1(IN_NONBLOCK);
  inotify_add_watch(watch, dir_.Path().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);

  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
  // Each write of zorvel.ini ends in a rename onto its name (the safe write) or
  // the close of the file written in place.
  alignas(inotify_event) char events[8192];
  int writes = 0;
  for (ssize_t n = read(watch, events, sizeof events), at = 0; at < n;
       at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(events + at)->len)
    writes += std::string_view(reinterpret_cast<inotify_event*>(events + at)->name) == "zorvel.ini";
  close(watch);
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(Read("Picture", "PictureRatio"), std::to_string(Bench().Settings().PictureRatio));
  EXPECT_TRUE(prompts_.Shown.empty());
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("zorvel.ini")));
  // What the next start restores is what the close wrote.
  QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
  Start();
  EXPECT_EQ(QRect(MainForm()->pos(), MainForm()->size()), QRect(20, 10, 740, 560));
  EXPECT_EQ(Child(TextForm()), QRect(280, 0, 450, 300));
  EXPECT_EQ(Child(ImageForm()), QRect(0, 10, 480, 320));
  EXPECT_EQ(MainForm()->toolBarArea(Bar("tbBigOne")), Qt::BottomToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(200, 220));
  EXPECT_TRUE(MainForm()->Loupe()->Dock()->isHidden());
  EXPECT_EQ(MainForm()->Loupe()->Loupe()->Zoom(), 300);
  MainForm()->close();  // a hidden toolbar keeps its place through a second round
  EXPECT_EQ(Read("tbText", "DockedTo"), "Dock971");
  EXPECT_EQ(Read("tbText", "DockRow"), "0");
}

// 垂直並排 and 水平並排 (the active window on top) place the windows as the
// tiling rules give them.
TEST_F(ShellLayoutTest, TilingPlacesTheWindowsInTheClientArea) {
  Start();
  const QRect area = MainForm()->ClientArea()->viewport()->rect();
  const auto rect = [](const zorvel::WindowBounds& b) { return QRect(b.Left, b.Top, b.Width, b.Height); };
  const zorvel::SideBySideBounds sides = zorvel::SideBySide({0, 0, area.width(), area.height()});
  Bench().Run(zorvel::CommandId::TileVertically);
  EXPECT_EQ(std::pair(Child(ImageForm()), Child(TextForm())), std::pair(rect(sides.Image), rect(sides.Text)));
  MainForm()->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(TextForm()->parentWidget()));
  Bench().Run(zorvel::CommandId::TileHorizontally);
  const std::vector<zorvel::WindowBounds> rows = zorvel::Rows({0, 0, area.width(), area.height()}, 2);
  EXPECT_EQ(std::pair(Child(TextForm()), Child(ImageForm())), std::pair(rect(rows[0]), rect(rows[1])));
}

// The close asks about the unsaved text first (the answers are
// SettleUnsavedChanges'): Yes with the save dialog cancelled keeps the window
// and the changes, and asks nothing of zorvel.ini. Then a zorvel.ini that
// cannot be written asks whether to close anyway.
TEST_F(ShellLayoutTest, TheCloseAsksAboutTheTextThenAboutAnUnwritableIni) {
  std::filesystem::create_directory(Ini());  // a folder where the file should be
  Start();
  TextForm()->Editor().SetText("text");
  TextForm()->Editor().SetModified(true);
  TextForm()->SaveFileNameHook = [] { return QString(); };
  prompts_.Answers = {Answer::Yes};
  MainForm()->close();
  EXPECT_TRUE(MainForm()->isVisible());
  EXPECT_TRUE(TextForm()->Editor().Modified());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{zorvel::kTextModifiedQuestion.data()});

  TextForm()->Editor().SetModified(false);
  prompts_.Shown.clear();
  prompts_.Answers = {Answer::No};
  MainForm()->close();
  EXPECT_TRUE(MainForm()->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入! 是否確定結束?"});
  prompts_.Answers = {Answer::Yes};
  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
}

}  // namespace
