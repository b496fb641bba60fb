// What the main window keeps from one run to the next and shows of the text:
// the text at start, 最近開啟, the modified marker, and the other commands' keys.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/hot_key_field.h"

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
  // Closes the main window as the operator does and starts a fresh workbench
  // in the same folder.
  void Restart() {
    ASSERT_TRUE(MainForm()->close());
    StopWindows();
    Start();
  }
};

// Two texts opened: the later one heads 最近開啟 and is reopened at the next
// start with the cursor where it was and its page shown; a listed text that
// is gone is told and leaves the list.
TEST_F(SessionTest, TheLastTextIsReopenedWhereItWasAndAGoneTextLeavesTheList) {
  const QString other = File("other.txt");
  WriteFile(dir_.File("other.txt"), "T01n0001_p0001a01\xA4\x40\r\n");
  Start();
  ASSERT_TRUE(MainForm()->OpenText(other));
  ASSERT_TRUE(MainForm()->OpenText(SampleText()));
  EXPECT_EQ(RecentItems(), QStringList({SampleText(), other}));
  const int position = TextForm()->Editor().LineStart(3);
  TextForm()->Editor().SetSelStart(position);

  Restart();
  MainForm()->OpenStartText(QString());
  EXPECT_EQ(TextForm()->FileName(), SampleText());
  EXPECT_EQ(TextForm()->Editor().SelStart(), position);
  EXPECT_EQ(ImageForm()->PicturePage(), 1);
  EXPECT_TRUE(ImageForm()->HasMarker());
  EXPECT_EQ(RecentItems(), QStringList({SampleText(), other}));

  ASSERT_TRUE(QFile::remove(other));
  MainForm()->RecentMenu()->findChild<QAction*>("miRecent2")->trigger();
  EXPECT_EQ(prompts_.Shown.size(), 1u);
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

// The other commands' keys: a key another command of the main window has is
// refused, naming it; a free one is in force on the menu and its popup copy,
// written to zorvel.ini and read back at the next start.
TEST_F(SessionTest, OtherKeysAreCheckedAppliedStoredAndReadAtStart) {
  Start();
  THotKeyField* loupe = OptionForm()->CommandKeyField(CommandId::ToggleLoupe);
  ASSERT_NE(loupe, nullptr);
  OptionForm()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(OptionForm()));
  // The hot key changed to the loupe's key is the one refused.
  THotKeyField* all = OptionForm()->HotKeyField(HotKeyCommand::All);
  all->SetHotKey(HotKeyFromText("Ctrl+L"));
  QPushButton* ok = OptionForm()->findChild<QPushButton*>("OK");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(prompts_.Shown,
            std::vector<std::string>{HotKeyTakenMessage(HotKeyFromText("Ctrl+L"), "顯示放大鏡")});
  EXPECT_TRUE(OptionForm()->isVisible());
  EXPECT_TRUE(all->hasFocus());

  loupe->SetHotKey(HotKeyFromText("Ctrl+K"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(MainForm()->CommandItem(CommandId::ToggleLoupe)->shortcut().toString(), "Ctrl+K");
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("HotKey", "ToggleLoupe", ""), "Ctrl+K");

  Restart();
  EXPECT_EQ(MainForm()->CommandItem(CommandId::ToggleLoupe)->shortcut().toString(), "Ctrl+K");
}

}  // namespace
}  // namespace zorvel::test
