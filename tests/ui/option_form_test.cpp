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

// A bad number, or a key another command of the main window has (named),
// stops the dialog at its field; confirmed, the settings are in force, the file
// written, the new hot keys on all four windows and the other commands' keys
// on the menu, and read again at the next start.
TEST_F(WindowSetTest, OptionsDialogStopsAtABadNumberOrATakenKeyAndPutsSettingsAndKeysInForce) {
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
  THotKeyField* all = OptionForm()->HotKeyField(HotKeyCommand::All);
  all->SetHotKey(HotKeyFromText("Ctrl+L"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(prompts_.Shown.back(), HotKeyTakenMessage(HotKeyFromText("Ctrl+L"), "顯示放大鏡"));
  EXPECT_TRUE(all->hasFocus());

  all->SetHotKey(HotKeyFromText("F7"));
  OptionForm()->CommandKeyField(CommandId::ToggleLoupe)->SetHotKey(HotKeyFromText("Ctrl+K"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.Sign1, "[[");
  EXPECT_EQ(OptionForm()->Settings.WordWidth, 50);
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("HotKey", "All", ""), "F7");
  EXPECT_EQ(key(MainForm(), "miAll"), "F7");
  EXPECT_EQ(key(TextForm(), "miAll"), "F7");
  EXPECT_EQ(key(ImageForm(), "miNextPicture"), "F8");
  EXPECT_EQ(key(SelectForm(), "miCancelSel"), "Q");
  EXPECT_EQ(key(MainForm(), "miLoupe"), "Ctrl+K");
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("HotKey", "ToggleLoupe", ""), "Ctrl+K");

  ASSERT_TRUE(MainForm()->close());
  StopWindows();
  Start();
  EXPECT_EQ(key(MainForm(), "miLoupe"), "Ctrl+K");
}

}  // namespace
}  // namespace zorvel::test
