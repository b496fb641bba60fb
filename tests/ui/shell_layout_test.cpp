// The window layout and toolbar places read from zorvel.ini at start and
// written at close, and the close sequence's questions.

#include <sys/inotify.h>
#include <unistd.h>

#include <QToolBar>
#include <filesystem>

#include "core/settings/ini_file.h"
#include "ui/image_sample.h"
#include "ui/shell/toolbar_layout.h"

namespace {

using zorvel::Answer;

// Counts the writes that reach a file of a folder: a rename onto its name (the
// safe write) or a write of the file itself (in place).
class WriteCounter {
 public:
  WriteCounter(const std::string& folder, std::string name)
      : fd_(inotify_init1(IN_NONBLOCK)), name_(std::move(name)) {
    inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~WriteCounter() { close(fd_); }
  int Count() {
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (char* p = buffer; p < buffer + n;
           p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
        count_ += reinterpret_cast<inotify_event*>(p)->len > 0 &&
                  name_ == reinterpret_cast<inotify_event*>(p)->name;
    }
    return count_;
  }

 private:
  int fd_;
  std::string name_;
  int count_ = 0;
};

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
  QApplication::processEvents();
  // The file goes to the start folder whatever the current folder is.
  zorvel::test::TempDir elsewhere;
  QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));
  // A zoomed scale not saved yet goes into the close's one write.
  ASSERT_TRUE(ImageForm()->ZoomStep(+1));
  WriteCounter writes(dir_.Path().string(), "zorvel.ini");

  MainForm()->close();
  EXPECT_FALSE(MainForm()->isVisible());
  EXPECT_EQ(writes.Count(), 1);
  EXPECT_EQ(Read("Picture", "PictureRatio"), std::to_string(Bench().Settings().PictureRatio));
  EXPECT_NE(Read("Picture", "PictureRatio"), "100");
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
  EXPECT_EQ(Read("tbText", "Visible"), "0");
  EXPECT_EQ(Read("tbBigOne", "DockedTo"), "Dock972");
  EXPECT_EQ(Read("tbSpecial", "DockedTo"), "nil");
  EXPECT_EQ(Read("tbSpecial", "FloatTop"), "220");

  QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
  Start();
  EXPECT_EQ(QRect(MainForm()->pos(), MainForm()->size()), QRect(20, 10, 740, 560));
  EXPECT_EQ(Child(TextForm()), QRect(280, 0, 450, 300));
  EXPECT_EQ(Child(ImageForm()), QRect(0, 10, 480, 320));
  EXPECT_EQ(MainForm()->toolBarArea(Bar("tbBigOne")), Qt::BottomToolBarArea);
  EXPECT_TRUE(Bar("tbText")->isHidden());
  ASSERT_TRUE(Bar("tbSpecial")->isFloating());
  EXPECT_EQ(Bar("tbSpecial")->geometry().topLeft(), QPoint(200, 220));
  MainForm()->close();  // a hidden toolbar keeps its place through a second round
  EXPECT_EQ(Read("tbText", "DockedTo"), "Dock971");
  EXPECT_EQ(Read("tbText", "DockRow"), "0");
}

TEST_F(ShellLayoutTest, ModifiedTextIsAskedAboutFirst) {
  Start();
  TextForm()->Editor().SetText("text");
  TextForm()->Editor().SetModified(true);
  // Yes, but the save dialog is cancelled: the window stays, the changes are
  // not dropped and nothing is written.
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
  EXPECT_TRUE(std::filesystem::exists(Ini()));
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

}  // namespace
