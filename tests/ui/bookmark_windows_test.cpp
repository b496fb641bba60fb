// The bookmark window and the name dialog, on the whole window set as the
// program builds it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "core/settings/ini_file.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/bookmark_form.h"
#include "ui/get_name_form.h"
#include "ui/main_form.h"
#include "ui/qt_prompts.h"
#include "ui/text_form.h"

namespace {

QString U(const char* text) {
  return QString::fromUtf8(text);
}

// Runs act once the modal dialog is up (it is polled for), while exec() waits.
void WhenShown(QWidget* dialog, std::function<void()> act, int tries = 200) {
  QTimer::singleShot(5, dialog, [dialog, act, tries] {
    if (dialog->isVisible()) {
      act();
    } else if (tries > 0) {
      WhenShown(dialog, act, tries - 1);
    } else {
      ADD_FAILURE() << "dialog never showed";
    }
  });
}

class BookmarkWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    SetAppPrompts(&prompts_);
  }
  void Start() {
    zorvel::CreateZorvelWindows();
    ASSERT_NE(fmBookMark, nullptr);
    ASSERT_NE(fmGetName, nullptr);
  }
  void TearDown() override {
    zorvel::DestroyZorvelWindows();
    SetAppPrompts(nullptr);
    QDir::setCurrent(oldFolder_);
  }
  std::string Ini() const { return dir_.File("zorvel.ini"); }
  QString File(const char* name) const { return QString::fromStdString(dir_.File(name)); }
  // Opens a proof text in the text window as the open dialog would.
  void OpenText(const char* name) {
    TextForm->OpenFileNameHook = [this, name] { return File(name); };
    TextForm->FileOpen();
    ASSERT_EQ(MainForm->TextFileName, File(name));
  }
  // Sets a bookmark at pos through the name dialog.
  void SetBookmark(int pos, const QString& name) {
    TextForm->Editor().SetSelStart(pos);
    WhenShown(fmGetName, [name] {
      fmGetName->edName->setText(name);
      fmGetName->Button1->click();
    });
    fmBookMark->btSetClick();
  }
  QStringList Row(int i) const {
    QStringList texts;
    QTreeWidgetItem* item = fmBookMark->ListView->topLevelItem(i);
    for (int c = 0; c < 4; ++c) texts << item->text(c);
    return texts;
  }

  zorvel::test::TempDir dir_;
  zorvel::test::ScriptedPrompts prompts_;
  QString oldFolder_;
};

TEST_F(BookmarkWindowsTest, ColumnsSelectionAndTheItemsThatOpenIt) {
  Start();
  QTreeWidget* list = fmBookMark->ListView;
  EXPECT_EQ(list->columnWidth(0), 150);
  EXPECT_EQ(list->columnWidth(1), 250);
  EXPECT_EQ(list->columnWidth(3), 200);
  EXPECT_FALSE(list->header()->sectionsClickable());
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
  // The menu items and the popup item open the window.
  for (QAction* item :
       {MainForm->findChild<QAction*>("N21"), MainForm->findChild<QAction*>("ToolbarButton9731"),
        TextForm->TextPopupMenu()->findChild<QAction*>("N10")}) {
    ASSERT_NE(item, nullptr);
    bool shown = false;
    WhenShown(fmBookMark, [&] {
      shown = true;
      fmBookMark->btExit->click();
    });
    item->trigger();
    EXPECT_TRUE(shown);
  }
}

TEST_F(BookmarkWindowsTest, TheListIsReadOnTheFirstShowingOnly) {
  zorvel::test::WriteFile(Ini(),
                          "[BookMark]\r\nCount=3\r\n[BookMark1]\r\nTitle=one\r\nFileName=/a.txt\r\n"
                          "Location=5\r\nDate=d\r\n[BookMark3]\r\nTitle=\xA5\xD2\r\n");
  Start();
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 0);
  fmBookMark->show();
  ASSERT_EQ(fmBookMark->ListView->topLevelItemCount(), 3);
  EXPECT_EQ(Row(0), QStringList({"one", "/a.txt", "5", "d"}));
  EXPECT_EQ(Row(1), QStringList({"None", "", "", ""}));
  EXPECT_EQ(Row(2)[0], U("甲"));
  fmBookMark->close();
  zorvel::test::WriteFile(Ini(), "[BookMark]\r\nCount=0\r\n");
  fmBookMark->show();
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 3);
  fmBookMark->close();
  // Nothing changed: nothing written.
  EXPECT_EQ(zorvel::test::ReadFile(Ini()), "[BookMark]\r\nCount=0\r\n");
}

TEST_F(BookmarkWindowsTest, SettingNeedsANamedFileAndANameThenSavesOnClose) {
  zorvel::test::WriteFile(dir_.File("a.txt"), "\xA5\xD2\xA4\x41 line\r\nsecond\r\n");
  Start();
  fmBookMark->show();
  // No file yet: nothing happens, not even the name dialog.
  fmBookMark->btSetClick();
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 0);

  OpenText("a.txt");
  SetBookmark(4, "");  // an empty name counts as cancel
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 0);
  WhenShown(fmGetName, [] {
    fmGetName->edName->setText("x");
    fmGetName->Button2->click();
  });
  fmBookMark->btSetClick();
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 0);
  EXPECT_FALSE(fmBookMark->List().ListChanged);

  const QDateTime before = QDateTime::currentDateTime();
  SetBookmark(4, U(" 第一 "));
  ASSERT_EQ(fmBookMark->ListView->topLevelItemCount(), 1);
  EXPECT_EQ(Row(0)[0], U(" 第一 "));  // taken as typed
  EXPECT_EQ(Row(0)[1], File("a.txt"));
  EXPECT_EQ(Row(0)[2], "4");
  // The date column: the system's short date and long time, a moment ago.
  EXPECT_TRUE(Row(0)[3] == TfmBookMark::DateText(before) ||
              Row(0)[3] == TfmBookMark::DateText(QDateTime::currentDateTime()))
      << Row(0)[3].toStdString();
  fmBookMark->close();
  zorvel::IniFile ini(Ini());
  EXPECT_EQ(ini.ReadInteger("BookMark", "Count", 0), 1);
  EXPECT_NE(zorvel::test::ReadFile(Ini()).find("Title= \xB2\xC4\xA4\x40 \r\n"), std::string::npos);
  EXPECT_EQ(ini.ReadString("BookMark1", "Location", ""), "4");
}

TEST_F(BookmarkWindowsTest, CleaningDeletesOnlyTheFirstSelectedRow) {
  zorvel::test::WriteFile(Ini(),
                          "[BookMark]\r\nCount=3\r\n[BookMark1]\r\nTitle=one\r\n[BookMark2]\r\nTitle=two\r\n"
                          "[BookMark3]\r\nTitle=three\r\n");
  Start();
  fmBookMark->show();
  fmBookMark->btCleanClick();  // nothing selected: nothing happens
  EXPECT_EQ(fmBookMark->ListView->topLevelItemCount(), 3);
  fmBookMark->ListView->topLevelItem(2)->setSelected(true);
  fmBookMark->ListView->topLevelItem(1)->setSelected(true);
  fmBookMark->btClean->click();
  ASSERT_EQ(fmBookMark->ListView->topLevelItemCount(), 2);
  EXPECT_EQ(Row(0)[0], "one");
  EXPECT_EQ(Row(1)[0], "three");
  fmBookMark->close();
  zorvel::IniFile ini(Ini());
  EXPECT_EQ(ini.ReadInteger("BookMark", "Count", 0), 2);
  EXPECT_EQ(ini.ReadString("BookMark2", "Title", ""), "three");
  EXPECT_EQ(ini.ReadString("BookMark3", "Title", ""), "three");  // the old third stays
}

TEST_F(BookmarkWindowsTest, JumpingAsksAboutChangesThenLoadsAndLands) {
  zorvel::test::WriteFile(dir_.File("a.txt"), "first file\r\n");
  zorvel::test::WriteFile(dir_.File("b.txt"), "line one\r\n\xA5\xD2\xA4\x41 two\r\n");
  Start();
  OpenText("b.txt");
  fmBookMark->show();
  SetBookmark(14, "in b");
  OpenText("a.txt");
  TextForm->Editor().SetSelStart(0);
  TextForm->Editor().ReplaceSelection("edited ");
  fmBookMark->ListView->topLevelItem(0)->setSelected(true);

  // Cancel on the modified question: nothing changes and the window stays.
  prompts_.Answers = {zorvel::Answer::Cancel};
  fmBookMark->btLoad->click();
  EXPECT_TRUE(fmBookMark->isVisible());
  EXPECT_EQ(MainForm->TextFileName, File("a.txt"));
  EXPECT_EQ(TextForm->Editor().Text(), "edited first file\r\n");
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});

  // No: a double-click on the row jumps; the changes are lost.
  prompts_.Answers = {zorvel::Answer::No};
  QTreeWidget* list = fmBookMark->ListView;
  const QRect r = list->visualItemRect(list->topLevelItem(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_FALSE(fmBookMark->isVisible());
  EXPECT_EQ(MainForm->TextFileName, File("b.txt"));
  EXPECT_EQ(TextForm->windowTitle(), File("b.txt"));
  EXPECT_EQ(TextForm->Editor().Text(), "line one\r\n\xA5\xD2\xA4\x41 two\r\n");
  EXPECT_FALSE(TextForm->Editor().Modified());
  EXPECT_EQ(TextForm->Editor().SelStart(), 14);
  EXPECT_EQ(zorvel::test::ReadFile(dir_.File("a.txt")), "first file\r\n");
  // The new bookmark was saved when the jump closed the window.
  EXPECT_EQ(zorvel::IniFile(Ini()).ReadInteger("BookMark", "Count", 0), 1);
}

TEST_F(BookmarkWindowsTest, AFailedJumpLeavesTheWindowOpen) {
  zorvel::test::WriteFile(
      Ini(),
      "[BookMark]\r\nCount=2\r\n[BookMark1]\r\nTitle=gone\r\nFileName=/no/such/file.txt\r\n"
      "Location=1\r\n[BookMark2]\r\nTitle=bad\r\nFileName=" +
          dir_.File("a.txt") + "\r\nLocation=x1\r\n");
  zorvel::test::WriteFile(dir_.File("a.txt"), "text\r\n");
  Start();
  fmBookMark->show();
  fmBookMark->ListView->topLevelItem(0)->setSelected(true);
  fmBookMark->btLoadClick();
  EXPECT_TRUE(fmBookMark->isVisible());
  EXPECT_TRUE(MainForm->TextFileName.isEmpty());
  ASSERT_EQ(prompts_.Shown.size(), 1u);

  fmBookMark->ListView->clearSelection();
  fmBookMark->ListView->topLevelItem(1)->setSelected(true);
  fmBookMark->btLoadClick();
  EXPECT_TRUE(fmBookMark->isVisible());
  EXPECT_EQ(MainForm->TextFileName, File("a.txt"));
  EXPECT_EQ(prompts_.Shown.back(), "'x1' is not a valid integer value");
}

}  // namespace
