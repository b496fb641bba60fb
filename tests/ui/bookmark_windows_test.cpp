// The bookmark window and the name dialog, on the whole window set.

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/get_name_form.h"

namespace zorvel::test {
namespace {

// Setting asks for a name (an empty one or Cancel sets nothing), the list is
// saved as the window closes, and a double-click on a row asks about the
// changes, then opens the file at the place; cleaning deletes the selected row.
TEST_F(WindowSetTest, BookmarksAreSetNamedAndJumpedTo) {
  WriteFile(dir_.File("a.txt"), "first file\r\n");
  WriteFile(dir_.File("b.txt"), "line one\r\n\xA5\xD2\xA4\x41 two\r\n");
  StartWindows();
  MainForm()->OpenText(File("b.txt"));
  fmBookMark()->show();
  TextForm()->Editor().SetSelStart(14);
  for (auto [typed, ok] : {std::pair{"", true}, std::pair{"x", false}, std::pair{" 第一 ", true}}) {
    WhenShown(fmGetName(), [name = typed, ok = ok] {
      fmGetName()->edName->setText(U(name));
      (ok ? fmGetName()->Button1 : fmGetName()->Button2)->click();
    });
    fmBookMark()->btSetClick();
  }
  QTreeWidget* list = fmBookMark()->ListView;
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), U(" 第一 "));  // the name as typed
  EXPECT_EQ(list->topLevelItem(0)->text(1), File("b.txt"));
  EXPECT_EQ(list->topLevelItem(0)->text(2), "14");
  fmBookMark()->close();
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("BookMark1", "Location", ""), "14");

  MainForm()->OpenText(File("a.txt"));
  TextForm()->Editor().SetSelStart(0);
  TextForm()->Editor().ReplaceSelection("edited ");
  fmBookMark()->show();
  prompts_.Answers = {Answer::No};
  const QRect r = list->visualItemRect(list->topLevelItem(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
  EXPECT_FALSE(fmBookMark()->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"文件已修改, 是否儲存?"});
  EXPECT_EQ(MainForm()->TextFileName, File("b.txt"));
  EXPECT_EQ(TextForm()->Editor().SelStart(), 14);
  EXPECT_EQ(ReadFile(dir_.File("a.txt")), "first file\r\n");
  fmBookMark()->show();
  list->topLevelItem(0)->setSelected(true);
  fmBookMark()->btClean->click();
  EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace zorvel::test
