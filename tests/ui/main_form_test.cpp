// The main window: every command by its item, buttons and key, and the edit
// commands and hot keys whatever window is active.

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <map>

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
// toolbar buttons, its popup items and its key, and each way runs that command
// and no other. The popup items show the key of the main window's item.
TEST_F(MainFormTest, EveryCommandIsReachedByItsItemItsButtonsAndItsKey) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  std::vector<zorvel::CommandId> ran;
  MainForm()->BeforeCommand = [&ran](zorvel::CommandId id) {
    ran.push_back(id);
    return false;  // routing only: no dialog opens
  };
  auto runs = [&ran](zorvel::CommandId id, std::string_view way) {
    EXPECT_EQ(ran, std::vector<zorvel::CommandId>{id}) << way;
    ran.clear();
  };
  auto name = [](std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); };
  std::map<zorvel::CommandId, int> ways;
  for (const zorvel::ToolButtonEntry& button : zorvel::ToolButtons()) {
    auto* widget = MainForm()->Toolbar(name(button.Toolbar))->findChild<QToolButton*>(name(button.Name));
    ASSERT_NE(widget, nullptr) << button.Name;
    QTest::mouseClick(widget, Qt::LeftButton);
    runs(button.Command, button.Name);
    ++ways[button.Command];
  }
  for (const auto& [popup, menu] : {std::pair{&zorvel::TextPopup(), TextForm()->TextPopupMenu()},
                                    std::pair{&zorvel::ImagePopup(), ImageForm()->ImagePopupMenu()}}) {
    for (const zorvel::PopupItemEntry& entry : popup->Items) {
      const std::string_view item = entry.Item.empty() ? zorvel::CommandOf(entry.Command).Item : entry.Item;
      QAction* action = menu->findChild<QAction*>(name(item));
      ASSERT_NE(action, nullptr) << item;
      action->trigger();
      runs(entry.Command, item);
      if (QAction* main = MainForm()->CommandItem(entry.Command)) {
        EXPECT_EQ(action->shortcut(), main->shortcut());
      }
      ++ways[entry.Command];
    }
  }
  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    QAction* item = MainForm()->CommandItem(command.Id);
    if (!command.Menu.empty()) {
      ASSERT_NE(item, nullptr) << command.Name;
      item->trigger();
      runs(command.Id, command.Item);
    } else {
      EXPECT_GT(ways[command.Id], 0) << command.Name << " has neither an item, a button nor a popup item";
    }
    if (command.Key.empty()) continue;
    ASSERT_FALSE(item->shortcut().isEmpty()) << command.Name;
    TextForm()->RichEdit()->setFocus();
    QTest::keySequence(TextForm()->RichEdit(), item->shortcut());
    runs(command.Id, command.Key);
  }
}

}  // namespace
