// The options dialog on the whole window set: loading at every showing, the
// strict numbers and where they stop, the key fields, and confirming: settings
// in force, hot keys on all four windows, the file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/hot_key_field.h"
#include "ui/image_form.h"
#include "ui/option_form.h"
#include "ui/select_form.h"
#include "ui/text_form.h"

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
  IniFile Ini() const { return IniFile(dir_.File("zorvel.ini")); }
};

TEST_F(OptionFormTest, EveryShowingStartsFromTheSettingsAndCancelChangesNothing) {
  OptionForm()->Settings.Sign1 = "\xA1\x5D";  // Big5 "（"
  OptionForm()->Settings.LineSpace = 71;
  OptionForm()->Settings.ShowWay = 1;
  OptionForm()->Settings.CoverRightTop = true;
  MainForm()->findChild<QAction*>("miFindSign", Qt::FindDirectChildrenOnly)->setShortcut(QKeySequence("F9"));
  Open();
  EXPECT_EQ(Edit("edSign1")->text(), U("（"));
  EXPECT_EQ(Edit("edLineSpace")->text(), "71");
  EXPECT_TRUE(Find<QRadioButton>("rgShowWay1")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("cbCoverRightTop")->isChecked());
  EXPECT_EQ(Key("hkFindSign")->text(), "F9");

  const Settings before = OptionForm()->Settings;
  Type("edSign1", "<<");
  Type("edLineSpace", "99");
  Key("hkFindSign")->SetHotKey(HotKeyFromText("F11"));
  Find<QRadioButton>("rgShowWay0")->setChecked(true);
  OptionForm()->PageControl()->setCurrentIndex(3);
  QTest::mouseClick(Find<QPushButton>("Cancel"), Qt::LeftButton);
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings, before);
  EXPECT_EQ(MainKey("miFindSign"), "F9");
  EXPECT_EQ(ReadFile(dir_.File("zorvel.ini")), "");

  // Shown again: the stored values, on the page shown last.
  Open();
  EXPECT_EQ(Edit("edLineSpace")->text(), "71");
  EXPECT_EQ(OptionForm()->PageControl()->currentIndex(), 3);
}

TEST_F(OptionFormTest, ABadNumberStopsWithTheEarlierFieldsTaken) {
  Open();
  const Settings before = OptionForm()->Settings;
  Type("edSign1", "[[");
  Type("edVolStart", "3");
  Type("edLineSpace", "7 0");
  Type("edWordWidth", "50");
  Key("hkAll")->SetHotKey(HotKeyFromText("F7"));
  ClickOk();
  EXPECT_EQ(prompts_.Shown,
            std::vector<std::string>{"行距欄要填入數字 : '7 0' is not a valid integer value"});
  EXPECT_TRUE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->PageControl()->currentWidget()->objectName(), "tsImage");
  EXPECT_TRUE(Edit("edLineSpace")->hasFocus());
  EXPECT_EQ(OptionForm()->Settings.Sign1, "[[");
  EXPECT_EQ(OptionForm()->Settings.VolStart, 3);
  EXPECT_EQ(OptionForm()->Settings.LineSpace, before.LineSpace);
  EXPECT_EQ(OptionForm()->Settings.WordWidth, before.WordWidth);
  EXPECT_EQ(MainKey("miAll"), "F1");
  EXPECT_EQ(ReadFile(dir_.File("zorvel.ini")), "");

  Type("edLineSpace", "70");
  ClickOk();
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.WordWidth, 50);
  EXPECT_EQ(MainKey("miAll"), "F7");
  EXPECT_EQ(Ini().ReadString("HotKey", "All", ""), "F7");
}

TEST_F(OptionFormTest, AScaleOfZeroOrLessIsRefusedButZeroSpacingsPass) {
  Open();
  Type("edLineSpace", "0");
  Type("edWordHeight", "-3");
  Type("edMaxLineWord", "-1");
  for (const char* bad : {"0", "-50"}) {
    Type("edPictureRatio", bad);
    ClickOk();
    EXPECT_TRUE(OptionForm()->isVisible()) << bad;
    EXPECT_EQ(prompts_.Shown.back(), "錯誤 : 圖形比例必須大於 0 !");
  }
  EXPECT_EQ(OptionForm()->Settings.PictureRatio, 100);
  EXPECT_EQ(OptionForm()->Settings.MaxLineWord, 17);
  Type("edPictureRatio", "1");
  ClickOk();
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.PictureRatio, 1);
  EXPECT_EQ(OptionForm()->Settings.LineSpace, 0);
  EXPECT_EQ(OptionForm()->Settings.MaxLineWord, -1);
  EXPECT_EQ(Ini().ReadInteger("Picture", "WordHeight", 0), -3);
}

TEST_F(OptionFormTest, KeyFieldsTakeTheirSubstitutes) {
  Open();
  OptionForm()->PageControl()->setCurrentIndex(4);
  THotKeyField* first = Key("hkSelFirstStr");
  THotKeyField* find = Key("hkFindSign");
  const struct {
    THotKeyField* Field;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Shown;
  } rows[] = {
      {first, Qt::Key_F7, Qt::NoModifier, "Ctrl+F7"},
      {first, Qt::Key_F7, Qt::ShiftModifier, "Ctrl+F7"},
      {first, Qt::Key_F7, Qt::ShiftModifier | Qt::ControlModifier, "Shift+Ctrl+F7"},
      {find, Qt::Key_F7, Qt::ShiftModifier, "F7"},
      {find, Qt::Key_Escape, Qt::NoModifier, "Esc"},
      {find, Qt::Key_G, Qt::AltModifier, "Alt+G"},
      {find, Qt::Key_Control, Qt::ControlModifier, "Alt+G"},  // a modifier alone changes nothing
      {find, Qt::Key_Backspace, Qt::NoModifier, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Shown);
    row.Field->setFocus();
    QTest::keyClick(row.Field, row.Key, row.Modifiers);
    EXPECT_EQ(row.Field->text(), row.Shown);
  }
  EXPECT_TRUE(OptionForm()->isVisible());  // Esc went into the field
  EXPECT_TRUE(find->HotKey().IsNone());

  // An empty field removes the command's key everywhere.
  ClickOk();
  EXPECT_EQ(MainKey("miFindSign"), "");
  EXPECT_EQ(ItemKey(TextForm(), "miFindSign"), "");
  EXPECT_EQ(ItemKey(SelectForm(), "miSelFirstStr"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7).toString());
  IniFile ini = Ini();
  EXPECT_TRUE(ini.HasKey("HotKey", "FindSign"));
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", "x"), "");
  EXPECT_EQ(ini.ReadString("HotKey", "SelFirstStr", ""), "Shift+Ctrl+F7");
}

TEST_F(OptionFormTest, CoverRightTopIsDisabledWithItsMarkKeptAndStored) {
  OptionForm()->Settings.CoverRightTop = true;
  Open();
  QCheckBox* cover = Find<QCheckBox>("cbCoverRightTop");
  EXPECT_TRUE(cover->isEnabled());
  Find<QCheckBox>("cbAutoSetRightTop")->click();
  EXPECT_FALSE(cover->isEnabled());
  EXPECT_TRUE(cover->isChecked());
  ClickOk();
  EXPECT_FALSE(OptionForm()->Settings.AutoSetRightTop);
  EXPECT_TRUE(OptionForm()->Settings.CoverRightTop);
  EXPECT_EQ(Ini().ReadString("RightTop", "AutoSetRightTop", ""), "0");
  EXPECT_EQ(Ini().ReadString("RightTop", "CoverRightTop", ""), "1");
  Open();
  EXPECT_TRUE(cover->isChecked());
  EXPECT_FALSE(cover->isEnabled());
}

TEST_F(OptionFormTest, TheSavedFileHoldsEverySectionAndKeyAndReadsBackTheSame) {
  Open();
  Type("edUserStr", "自訂");
  Type("edRightTopX", "-7");
  ClickOk();
  ASSERT_FALSE(OptionForm()->isVisible());
  IniFile ini = Ini();
  const std::pair<const char*, std::vector<const char*>> sections[] = {
      {"CheckSign", {"Sign1", "Sign2", "Sign3", "UserString"}},
      {"LineHead",
       {"VolStart", "SutraStart", "PageStart", "FieldStart", "LineStart", "VolLength", "SutraLength",
        "PageLength", "FieldLength", "LineLength", "LineHeadLength"}},
      {"Picture",
       {"FieldSpace", "LineSpace", "WordSpace", "WordHeight", "WordWidth", "IgnoreShift", "PictureRatio",
        "MaxLineWord", "PictureFileNameFormat"}},
      {"RightTop", {"RightTopX", "RightTopY", "AutoSetRightTop", "CoverRightTop", "ShowWay"}},
      {"HotKey",
       {"FindSign", "ShowWord", "SelectWord", "All", "PreviousPicture", "NextPicture", "SelFirstStr",
        "SelSecondStr", "SelThirdStr", "SelUserStr", "CancelSel", "CancelToNext"}},
  };
  for (const auto& [section, keys] : sections) {
    for (const char* key : keys) EXPECT_TRUE(ini.HasKey(section, key)) << section << " " << key;
  }
  EXPECT_EQ(ini.ReadString("CheckSign", "UserString", ""), "\xA6\xDB\xAD\x71");  // Big5 自訂

  // A fresh start reads every value as saved.
  const Settings saved = OptionForm()->Settings;
  StopWindows();
  StartWindows();
  EXPECT_EQ(OptionForm()->Settings, saved);
  EXPECT_EQ(OptionForm()->Settings.RightTopX, -7);
  Open();
  EXPECT_EQ(Edit("edUserStr")->text(), U("自訂"));
}

TEST_F(OptionFormTest, AnUnwritableFileIsReportedAndTheValuesStayInForce) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir_.File("zorvel.ini"))));  // a folder in its place
  Open();
  Type("edLineSpace", "66");
  Key("hkAll")->SetHotKey(HotKeyFromText("F8"));
  ClickOk();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.LineSpace, 66);
  EXPECT_EQ(MainKey("miAll"), "F8");
}

TEST_F(OptionFormTest, NewHotKeysActOnAllFourWindowsAtOnce) {
  Open();
  Key("hkAll")->SetHotKey(HotKeyFromText("F7"));
  Key("hkNextPicture")->SetHotKey(HotKeyFromText("F8"));
  Key("hkCancelSel")->SetHotKey(HotKeyFromText("Q"));
  ClickOk();
  EXPECT_EQ(MainKey("miAll"), "F7");
  EXPECT_EQ(ItemKey(TextForm(), "miAll"), "F7");
  EXPECT_EQ(ItemKey(ImageForm(), "miNextPicture"), "F8");
  EXPECT_EQ(ItemKey(SelectForm(), "miCancelSel"), "Q");

  // F7 in the text window runs the main window's command at once, and so it
  // does with the image window in front; F1 no longer does.
  QSignalSpy spy(MainForm()->findChild<QAction*>("miAll", Qt::FindDirectChildrenOnly), &QAction::triggered);
  QApplication::setActiveWindow(MainForm());
  TextForm()->RichEdit()->setFocus();
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F7);
  QTest::keyClick(TextForm()->RichEdit(), Qt::Key_F1);
  EXPECT_EQ(spy.count(), 1);
  ImageForm()->PageArea()->viewport()->setFocus();
  QTest::keyClick(ImageForm()->PageArea()->viewport(), Qt::Key_F7);
  EXPECT_EQ(spy.count(), 2);
}

// A key that another command of the same window has would leave both dead:
// "確定" refuses it, names that command and takes nothing.
TEST_F(OptionFormTest, AKeyAnotherCommandHasIsRefusedNamingThatCommand) {
  struct Case {
    const char* field;
    const char* key;
    const char* message;
  };
  const Case cases[] = {
      {"hkAll", "F2", "錯誤 : 快速鍵 F2 已經是「尋找差異符號」的快速鍵了, 請換一個."},
      {"hkNextPicture", "Ctrl+S", "錯誤 : 快速鍵 Ctrl+S 已經是「儲存檔案」的快速鍵了, 請換一個."},
      {"hkCancelToNext", "Esc", "錯誤 : 快速鍵 Esc 已經是「取消選擇」的快速鍵了, 請換一個."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    Open();
    Type("edSign1", "<<");
    Key(c.field)->SetHotKey(HotKeyFromText(c.key));
    prompts_.Shown.clear();
    ClickOk();
    EXPECT_TRUE(OptionForm()->isVisible());
    EXPECT_EQ(prompts_.Shown, std::vector<std::string>{c.message});
    EXPECT_EQ(OptionForm()->PageControl()->currentWidget()->objectName(), "tsHotKey");
    EXPECT_EQ(OptionForm()->Settings.Sign1, "{{");
    EXPECT_EQ(MainKey("miAll"), "F1");
    EXPECT_EQ(ReadFile(dir_.File("zorvel.ini")), "");
    OptionForm()->CancelClick();
  }
  // Keys swapped between two commands are no clash; a choice key that a main
  // window command has is none either.
  Open();
  Key("hkAll")->SetHotKey(HotKeyFromText("F2"));
  Key("hkFindSign")->SetHotKey(HotKeyFromText("F1"));
  Key("hkSelFirstStr")->SetHotKey(HotKeyFromText("Ctrl+O"));
  ClickOk();
  EXPECT_FALSE(OptionForm()->isVisible());
  EXPECT_EQ(MainKey("miAll"), "F2");
  EXPECT_EQ(MainKey("miFindSign"), "F1");
  EXPECT_EQ(ItemKey(SelectForm(), "miSelFirstStr"), "Ctrl+O");
}

}  // namespace
}  // namespace zorvel::test
