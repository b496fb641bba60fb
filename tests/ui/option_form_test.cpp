// The options dialog on the whole window set: its fields reach the settings,
// the file and the hot keys of every window.

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/hot_key_field.h"

namespace zorvel::test {
namespace {

// A bad number stops the dialog at its field; confirmed, the settings are in
// force, the file written and the new hot keys on all four windows.
TEST_F(WindowSetTest, OptionsDialogStopsAtABadNumberAndPutsSettingsAndKeysInForce) {
  Start();
  OptionForm()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(OptionForm()));
  auto field = [](const char* name) { return OptionForm()->findChild<QLineEdit*>(name); };
  auto key = [](QWidget* window, const char* name) {
    // The main window's own item, not its children's items of that name.
    const auto depth = window == MainForm() ? Qt::FindDirectChildrenOnly : Qt::FindChildrenRecursively;
    return window->findChild<QAction*>(name, depth)->shortcut().toString();
  };
  field("edSign1")->setText("[[");
  field("edLineSpace")->setText("7 0");
  field("edWordWidth")->setText("50");
  const std::pair<const char*, const char*> keys[] = {
      {"hkAll", "F7"}, {"hkNextPicture", "F8"}, {"hkCancelSel", "Q"}};
  for (auto [name, text] : keys)
    OptionForm()->findChild<THotKeyField*>(name)->SetHotKey(HotKeyFromText(text));
  QPushButton* ok = OptionForm()->findChild<QPushButton*>("OK");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(prompts_.Shown,
            std::vector<std::string>{"行距欄要填入數字 : '7 0' is not a valid integer value"});
  EXPECT_TRUE(OptionForm()->isVisible());
  EXPECT_TRUE(field("edLineSpace")->hasFocus());
  EXPECT_EQ(key(MainForm(), "miAll"), "F1");
  EXPECT_EQ(ReadFile(dir_.File("zorvel.ini")), "");

  field("edLineSpace")->setText("70");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.Sign1, "[[");
  EXPECT_EQ(OptionForm()->Settings.WordWidth, 50);
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("HotKey", "All", ""), "F7");
  EXPECT_EQ(key(MainForm(), "miAll"), "F7");
  EXPECT_EQ(key(TextForm(), "miAll"), "F7");
  EXPECT_EQ(key(ImageForm(), "miNextPicture"), "F8");
  EXPECT_EQ(key(SelectForm(), "miCancelSel"), "Q");
}

}  // namespace
}  // namespace zorvel::test
