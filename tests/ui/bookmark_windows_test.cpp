// The bookmark window and the name dialog, on the whole window set.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/get_name_form.h"
#include "ui/text/text_form.h"

namespace zorvel::test {
namespace {

class BookmarkWindowsTest : public WindowSetTest {
 protected:
  void Start() { StartWindows(); }
  std::string Ini() const { return dir_.File("zorvel.ini"); }
  void OpenText(const char* name) {
    TextForm()->OpenFileNameHook = [this, name] { return File(name); };
    TextForm()->FileOpen();
    ASSERT_EQ(MainForm()->TextFileName, File(name));
  }
  // Sets a bookmark at pos through the name dialog, answered with button.
  void SetBookmark(int pos, const QString& name, bool ok = true) {
    TextForm()->Editor().SetSelStart(pos);
    WhenShown(fmGetName(), [name, ok] {
      fmGetName()->edName->setText(name);
      (ok ? fmGetName()->Button1 : fmGetName()->Button2)->click();
    });
    fmBookMark()->btSetClick();
  }
  QStringList Row(int i) const {
    QStringList texts;
    for (int c = 0; c < 4; ++c) texts << fmBookMark()->ListView->topLevelItem(i)->text(c);
    return texts;
  }
  int Rows() const { return fmBookMark()->ListView->topLevelItemCount(); }
  void Select(int row) { fmBookMark()->ListView->topLevelItem(row)->setSelected(true); }
};

TEST_F(BookmarkWindowsTest, SettingNeedsANameThenSavesOnClose) {
  WriteFile(dir_.File("a.txt"), "\xA5\xD2\xA4\x41 line\r\nsecond\r\n");
  Start();
  fmBookMark()->show();
  OpenText("a.txt");
  SetBookmark(4, "");  // an empty name counts as cancel
  SetBookmark(4, "x", false);
  EXPECT_EQ(Rows(), 0);
  EXPECT_FALSE(fmBookMark()->List().ListChanged);

  const QDateTime before = QDateTime::currentDateTime();
  SetBookmark(4, U(" 第一 "));
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Row(0).mid(0, 3), QStringList({U(" 第一 "), File("a.txt"), "4"}));  // the name as typed
  EXPECT_TRUE(Row(0)[3] == TfmBookMark::DateText(before) ||
              Row(0)[3] == TfmBookMark::DateText(QDateTime::currentDateTime()))
      << Row(0)[3].toStdString();
  fmBookMark()->close();
  IniFile ini(Ini());
  EXPECT_EQ(ini.ReadInteger("BookMark", "Count", 0), 1);
  EXPECT_NE(ReadFile(Ini()).find("Title= \xB2\xC4\xA4\x40 \r\n"), std::string::npos);
  EXPECT_EQ(ini.ReadString("BookMark1", "Location", ""), "4");
}

TEST_F(BookmarkWindowsTest, CleaningDeletesOnlyTheFirstSelectedRow) {
  WriteFile(Ini(),
            "[BookMark]\r\nCount=3\r\n[BookMark1]\r\nTitle=one\r\n[BookMark2]\r\nTitle=two\r\n"
            "[BookMark3]\r\nTitle=three\r\n");
  Start();
  fmBookMark()->show();
  fmBookMark()->btCleanClick();  // nothing selected: nothing happens
  EXPECT_EQ(Rows(), 3);
  Select(2);
  Select(1);
  fmBookMark()->btClean->click();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Row(0)[0], "one");
  EXPECT_EQ(Row(1)[0], "three");
}

TEST_F(BookmarkWindowsTest, JumpingAsksAboutChangesThenLoadsAndLands) {
  WriteFile(dir_.File("a.txt"), "first file\r\n");
  WriteFile(dir_.File("b.txt"), "line one\r\n\xA5\xD2\xA4\x41 two\r\n");
  Start();
  OpenText("b.txt");
  fmBookMark()->show();
  SetBookmark(14, "in b");
  OpenText("a.txt");
  TextForm()->Editor().SetSelStart(0);
  TextForm()->Editor().ReplaceSelection("edited ");
  Select(0);

  // Cancel on the modified question: nothing changes and the window stays.
  prompts_.Answers = {Answer::Cancel};
  fmBookMark()->btLoad->click();
  EXPECT_TRUE(fmBookMark()->isVisible());
  EXPECT_EQ(TextForm()->Editor().Text(), "edited first file\r\n");
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});

  // No: a double-click on the row jumps; the changes are lost.
  prompts_.Answers = {Answer::No};
  QTreeWidget* list = fmBookMark()->ListView;
  const QRect r = list->visualItemRect(list->topLevelItem(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_FALSE(fmBookMark()->isVisible());
  EXPECT_EQ(MainForm()->TextFileName, File("b.txt"));
  EXPECT_FALSE(TextForm()->Editor().Modified());
  EXPECT_EQ(TextForm()->Editor().SelStart(), 14);
  EXPECT_EQ(ReadFile(dir_.File("a.txt")), "first file\r\n");
  EXPECT_EQ(IniFile(Ini()).ReadInteger("BookMark", "Count", 0), 1);  // saved as the jump closed it
}

}  // namespace
}  // namespace zorvel::test
