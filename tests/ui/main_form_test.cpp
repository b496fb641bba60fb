// The main window: every command by its item, buttons and key, and the edit
// commands and hot keys whatever window is active.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <string>
#include <vector>

#include "core/settings/command_table.h"
#include "ui/image_sample.h"
#include "ui/shell/toolbar_layout.h"

namespace {

class MainFormTest : public zorvel::test::WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    Start();
  }
  static QAction* Item(const char* name) { return MainForm()->findChild<QAction*>(name); }
};

TEST_F(MainFormTest, EditCommandsActOnTheTextWhateverWindowIsActive) {
  zorvel::TextEditor& editor = TextForm()->Editor();
  editor.SetText("abc\r\ndef");
  MainForm()->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ImageForm()->parentWidget()));
  Item("A1")->trigger();
  EXPECT_EQ(editor.SelLength(), editor.TextLength());
  Item("EditCopyItem")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "abc\ndef");
  editor.SetSelStart(3);
  editor.SetSelLength(0);
  Item("EditPasteItem")->trigger();
  EXPECT_EQ(editor.Text(), "abcabc\r\ndef\r\ndef");
  Item("EditUndoItem")->trigger();
  EXPECT_EQ(editor.Text(), "abc\r\ndef");
}

// The keys reach the main window's items from the image window too, also a
// key the operator changed.
TEST_F(MainFormTest, HotKeysActWhicheverWindowHasTheFocus) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  QSignalSpy findSign(Item("miFindSign"), &QAction::triggered);
  QSignalSpy previous(Item("miPreviousPicture"), &QAction::triggered);
  Item("miFindSign")->setShortcut(QKeySequence("Shift+F4"));
  ImageForm()->setFocus();
  QTest::keyClick(ImageForm(), Qt::Key_F4, Qt::ShiftModifier);
  QTest::keyClick(ImageForm(), Qt::Key_F5);  // also on the image window's popup
  EXPECT_EQ(findSign.count(), 1);
  EXPECT_EQ(previous.count(), 1);
}

// Every command of the table is reached through its menu item, each of its
// toolbar buttons and its key, and each way runs that command and no other.
TEST_F(MainFormTest, EveryCommandIsReachedByItsItemItsButtonsAndItsKey) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  std::vector<zorvel::CommandId> ran;
  MainForm()->BeforeCommand = [&ran](zorvel::CommandId id) {
    ran.push_back(id);
    return false;  // routing only: no dialog opens
  };
  auto runs = [&ran](const zorvel::CommandEntry& command, const std::string& way) {
    ASSERT_EQ(ran.size(), 1u) << command.Name << " by " << way;
    EXPECT_EQ(ran.front(), command.Id) << command.Name << " by " << way;
    ran.clear();
  };
  std::map<zorvel::CommandId, int> buttons;
  for (const zorvel::ToolButtonEntry& button : zorvel::ToolButtons()) ++buttons[button.Command];
  const std::pair<const zorvel::PopupMenuEntry*, QMenu*> popups[] = {
      {&zorvel::TextPopup(), TextForm()->TextPopupMenu()},
      {&zorvel::ImagePopup(), ImageForm()->ImagePopupMenu()}};
  for (const auto& [popup, menu] : popups) {
    for (const zorvel::PopupItemEntry& entry : popup->Items) ++buttons[entry.Command];
  }

  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    QAction* item = MainForm()->CommandItem(command.Id);
    if (!command.Menu.empty()) {
      ASSERT_NE(item, nullptr) << command.Name;
      item->trigger();
      runs(command, "its menu item");
    } else {
      EXPECT_GT(buttons[command.Id], 0) << command.Name << " has neither an item, a button nor a popup item";
    }
    for (const zorvel::ToolButtonEntry& button : zorvel::ToolButtons()) {
      if (button.Command != command.Id) continue;
      QToolBar* bar = MainForm()->Toolbar(QString::fromUtf8(button.Toolbar.data(), button.Toolbar.size()));
      ASSERT_NE(bar, nullptr);
      auto* widget = bar->findChild<QToolButton*>(QString::fromUtf8(button.Name.data(), button.Name.size()));
      ASSERT_NE(widget, nullptr) << button.Name;
      QTest::mouseClick(widget, Qt::LeftButton);
      runs(command, std::string(button.Name));
    }
    if (!command.Key.empty()) {
      const QKeySequence key = item->shortcut();
      EXPECT_FALSE(key.isEmpty()) << command.Name;
      if (key.isEmpty()) continue;
      TextForm()->RichEdit()->setFocus();
      QTest::keySequence(TextForm()->RichEdit(), key);
      runs(command, key.toString().toStdString());
    }
  }
  // The popups' items run their commands the same way, and show the key of
  // the main window's item.
  for (const auto& [popup, menu] : popups) {
    for (const zorvel::PopupItemEntry& entry : popup->Items) {
      const zorvel::CommandEntry& command = zorvel::CommandOf(entry.Command);
      const std::string_view name = entry.Item.empty() ? command.Item : entry.Item;
      QAction* item = menu->findChild<QAction*>(QString::fromUtf8(name.data(), name.size()));
      ASSERT_NE(item, nullptr) << name;
      item->trigger();
      runs(command, std::string(popup->Name) + " " + std::string(name));
      if (QAction* main = MainForm()->CommandItem(command.Id)) {
        EXPECT_EQ(item->shortcut(), main->shortcut()) << name;
      }
    }
  }
}

}  // namespace
