// What the main window keeps from one run to the next and shows of the text:
// the text at start, 最近開啟 and the modified marker.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QStatusBar>

#include "core/settings/ini_file.h"
#include "image_sample.h"

namespace zorvel::test {
namespace {

class SessionTest : public SampleWorkspaceTest {
 protected:
  QString SampleText() const { return File("T01n0001.txt"); }
  QStringList RecentItems() const {
    QStringList items;
    for (QAction* item : MainForm()->RecentMenu()->actions()) items << item->statusTip();
    return items;
  }
};

// Two texts opened: the later one heads 最近開啟 and is reopened at the next
// start with the cursor where it was and its page shown; a listed text that
// is gone is told and leaves the list once it was looked for.
TEST_F(SessionTest, TheLastTextIsReopenedWhereItWasAndAGoneTextLeavesTheList) {
  const QString other = File("other.txt");
  WriteFile(dir_.File("other.txt"), "T01n0001_p0001a01\xA4\x40\r\n");
  Start();
  ASSERT_TRUE(MainForm()->OpenText(other));
  ASSERT_TRUE(MainForm()->OpenText(SampleText()));
  EXPECT_EQ(RecentItems(), QStringList({SampleText(), other}));
  const int position = TextForm()->Editor().LineStart(3);
  TextForm()->Editor().SetSelStart(position);

  // Closed as the operator closes it, and a fresh start in the same folder.
  ASSERT_TRUE(MainForm()->close());
  StopWindows();
  Start();
  MainForm()->OpenStartText(QString());
  EXPECT_EQ(TextForm()->FileName(), SampleText());
  EXPECT_EQ(TextForm()->Editor().SelStart(), position);
  EXPECT_EQ(ImageForm()->PicturePage(), 1);
  EXPECT_TRUE(ImageForm()->HasMarker());
  EXPECT_EQ(RecentItems(), QStringList({SampleText(), other}));

  ASSERT_TRUE(QFile::remove(other));
  // Stopped by the question about unsaved work, it was not looked for and stays.
  QAction* gone = MainForm()->RecentMenu()->findChild<QAction*>("miRecent2");
  TextForm()->Editor().SetModified(true);
  prompts_.Answers = {Answer::Cancel, Answer::No};
  gone->trigger();
  EXPECT_EQ(RecentItems(), QStringList({SampleText(), other}));
  gone->trigger();
  EXPECT_EQ(prompts_.Shown.size(), 3u);
  EXPECT_EQ(RecentItems(), QStringList({SampleText()}));
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("Recent", "File2", "?"), "");
}

// A text given at start that cannot be read is told and the window stays
// empty. The title carries "*" while the text is modified; a save takes it
// away and says so on the status line.
TEST_F(SessionTest, TheTextAtStartAndTheTitleThatMarksUnsavedChanges) {
  Start();
  MainForm()->OpenStartText(File("missing.txt"));
  EXPECT_EQ(prompts_.Shown.size(), 1u);
  EXPECT_TRUE(TextForm()->FileName().isEmpty());
  MainForm()->OpenStartText(SampleText());
  QWidget* window = TextForm()->parentWidget();
  EXPECT_FALSE(window->isWindowModified());
  QTest::keyClicks(TextForm()->RichEdit(), "x");
  EXPECT_TRUE(window->isWindowModified());
  Bench().Run(CommandId::SaveFile);
  EXPECT_FALSE(window->isWindowModified());
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(), U("已儲存"));
}

}  // namespace
}  // namespace zorvel::test
