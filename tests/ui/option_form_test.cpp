// The options dialog on the whole window set: its fields reach the settings,
// the file and the hot keys of every window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/hot_key_field.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/image_form.h"
#include "ui/text/text_form.h"

namespace zorvel::test {
namespace {

class OptionFormTest : public WindowSetTest {
 protected:
  void SetUp() override {
    WindowSetTest::SetUp();
    Start();
  }
  // The dialog shown as miOptionClick shows it, without waiting in its loop.
  void Open() {
    OptionForm()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(OptionForm()));
  }
  template <typename T>
  T* Find(const char* name) const {
    T* widget = OptionForm()->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  THotKeyField* Key(const char* name) const { return Find<THotKeyField>(name); }
  void Type(const char* field, const char* text) { Edit(field)->setText(U(text)); }
  void ClickOk() { QTest::mouseClick(Find<QPushButton>("OK"), Qt::LeftButton); }
  static QString MainKey(const char* name) {
    return MainForm()->findChild<QAction*>(name, Qt::FindDirectChildrenOnly)->shortcut().toString();
  }
  static QString ItemKey(QWidget* window, const char* name) {
    return window->findChild<QAction*>(name)->shortcut().toString();
  }
};

// A bad number stops the dialog at its field; confirmed, the settings are in
// force, the file written and the new hot keys on all four windows.
TEST_F(OptionFormTest, ABadNumberStopsAndConfirmingPutsSettingsAndKeysInForce) {
  Open();
  Type("edSign1", "[[");
  Type("edLineSpace", "7 0");
  Type("edWordWidth", "50");
  Key("hkAll")->SetHotKey(HotKeyFromText("F7"));
  Key("hkNextPicture")->SetHotKey(HotKeyFromText("F8"));
  Key("hkCancelSel")->SetHotKey(HotKeyFromText("Q"));
  ClickOk();
  EXPECT_EQ(prompts_.Shown,
            std::vector<std::string>{"行距欄要填入數字 : '7 0' is not a valid integer value"});
  EXPECT_TRUE(OptionForm()->isVisible());
  EXPECT_TRUE(Edit("edLineSpace")->hasFocus());
  EXPECT_EQ(MainKey("miAll"), "F1");
  EXPECT_EQ(ReadFile(dir_.File("zorvel.ini")), "");

  Type("edLineSpace", "70");
  ClickOk();
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.Sign1, "[[");
  EXPECT_EQ(OptionForm()->Settings.WordWidth, 50);
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadString("HotKey", "All", ""), "F7");
  EXPECT_EQ(MainKey("miAll"), "F7");
  EXPECT_EQ(ItemKey(TextForm(), "miAll"), "F7");
  EXPECT_EQ(ItemKey(ImageForm(), "miNextPicture"), "F8");
  EXPECT_EQ(ItemKey(SelectForm(), "miCancelSel"), "Q");
}

}  // namespace
}  // namespace zorvel::test
