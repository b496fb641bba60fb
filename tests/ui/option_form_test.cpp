// The options dialog on the whole window set: its pages and texts, loading at
// every showing, the strict numbers and where they stop, the key fields, and
// confirming: settings in force, hot keys on all four windows, the file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "core/settings/ini_file.h"
#include "support/test_support.h"
#include "ui/about_form.h"
#include "ui/application.h"
#include "ui/auto_load_picture_form.h"
#include "ui/auto_load_report_form.h"
#include "ui/field_shift_form.h"
#include "ui/hot_key_field.h"
#include "ui/image_form.h"
#include "ui/load_picture_form.h"
#include "ui/main_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/select_form.h"
#include "ui/set_ratio_form.h"
#include "ui/text_form.h"

namespace zorvel::test {
namespace {

QString U(const char* text) {
  return QString::fromUtf8(text);
}

class OptionFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    SetAppPrompts(&prompts_);
    zorvel::CreateZorvelWindows();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  }
  void TearDown() override {
    zorvel::DestroyZorvelWindows();
    SetAppPrompts(nullptr);
    QDir::setCurrent(oldFolder_);
  }
  // The dialog shown as miOptionClick shows it, without waiting in its loop.
  void Open() {
    OptionForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(OptionForm));
  }
  template <typename T>
  T* Find(const char* name) const {
    T* widget = OptionForm->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  THotKeyField* Key(const char* name) const { return Find<THotKeyField>(name); }
  void Type(const char* field, const char* text) { Edit(field)->setText(U(text)); }
  void ClickOk() { QTest::mouseClick(Find<QPushButton>("OK"), Qt::LeftButton); }
  // The shortcut of an item of the main window's own menus.
  static QString MainKey(const char* name) {
    return MainForm->findChild<QAction*>(name, Qt::FindDirectChildrenOnly)->shortcut().toString();
  }
  static QString ItemKey(QWidget* window, const char* name) {
    return window->findChild<QAction*>(name)->shortcut().toString();
  }
  std::string Ini() const { return ReadFile(dir_.File("zorvel.ini")); }
  // Every label's text on a page, top to bottom as laid out.
  static QStringList Labels(QWidget* page) {
    QList<QLabel*> labels = page->findChildren<QLabel*>();
    std::stable_sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) {
      const QPoint pa = a->mapTo(a->window(), QPoint(0, 0));
      const QPoint pb = b->mapTo(b->window(), QPoint(0, 0));
      return pa.y() + 4 < pb.y() || (std::abs(pa.y() - pb.y()) <= 4 && pa.x() < pb.x());
    });
    QStringList texts;
    for (QLabel* label : labels) texts << label->text();
    return texts;
  }

  TempDir dir_;
  ScriptedPrompts prompts_;
  QString oldFolder_;
};

TEST_F(OptionFormTest, FivePagesWithTheirTextsInTheMingFace) {
  Open();
  EXPECT_EQ(OptionForm->windowTitle(), U("選項"));
  EXPECT_EQ(OptionForm->font().family(), U("細明體"));
  EXPECT_EQ(OptionForm->font().pixelSize(), 16);
  EXPECT_TRUE(QFontInfo(OptionForm->font()).family().startsWith("AR PL UMing"));

  QTabWidget* tabs = Find<QTabWidget>("PageControlOpton");
  ASSERT_EQ(tabs->count(), 5);
  const char* names[5] = {"tsSign", "tsLineHead", "tsImage", "tsImage2", "tsHotKey"};
  const char* captions[5] = {"差異符號", "行首設定", "圖檔資訊(1)", "圖檔資訊(2)", "快速鍵"};
  const char* frames[5] = {" 差異符號的定義 ", " 大正藏格式檔案行首的定義 ", " 大正藏圖檔的相關資訊 ",
                           " 大正藏圖檔的相關資訊 ", "各種功能巨集設定"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), names[i]);
    EXPECT_EQ(tabs->tabText(i), U(captions[i]));
    EXPECT_EQ(tabs->widget(i)->findChild<QGroupBox*>()->title(), U(frames[i]));
    // No tab is cut short or hidden behind scroll buttons.
    EXPECT_TRUE(tabs->tabBar()->tabRect(i).right() <= tabs->tabBar()->width()) << i;
  }
  EXPECT_TRUE(Find<QPushButton>("OK")->isDefault());
  EXPECT_EQ(Find<QPushButton>("OK")->text(), U("確定"));
  EXPECT_EQ(Find<QPushButton>("Cancel")->text(), U("取消"));

  // The line-head page, row by row.
  tabs->setCurrentIndex(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(Labels(tabs->widget(1)),
            QStringList({U("由於大正藏格式檔案之行首定義，日後可能會有修改，故在此定義，以方便程式判斷‧"),
                         U("範例 : 若行首的定義為 : "),
                         U("T10n0289_p0592a05║"),
                         U("則冊數是由第 2 個字開始，共 2 個字‧"),
                         U("冊數 : 第 "),
                         U("個字開始，共"),
                         U("個字‧"),
                         U("經號 : 第 "),
                         U("個字開始，共"),
                         U("個字‧"),
                         U("頁碼 : 第 "),
                         U("個字開始，共"),
                         U("個字‧"),
                         U("欄位 : 第 "),
                         U("個字開始，共"),
                         U("個字‧"),
                         U("行數 : 第 "),
                         U("個字開始，共"),
                         U("個字‧"),
                         U("整個行首佔幾個字 (一個中文算二個字)")}));
  // Every line-head field takes two characters at most: -1 fits, 123 does not.
  for (const char* name :
       {"edVolStart", "edSutraStart", "edPageStart", "edFieldStart", "edLineStart", "edVolLength",
        "edSutraLength", "edPageLength", "edFieldLength", "edLineLength", "edLineHeadLength"}) {
    QLineEdit* edit = Edit(name);
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, "123");
    EXPECT_EQ(edit->text(), "12") << name;
    edit->clear();
    QTest::keyClicks(edit, "-1");
    EXPECT_EQ(edit->text(), "-1") << name;
  }

  // The picture pages and the keys page carry their texts.
  tabs->setCurrentIndex(2);
  QCoreApplication::processEvents();
  const QStringList image = Labels(tabs->widget(2));
  for (const char* text :
       {"本欄記載圖檔之相關資訊", "每一個欄的距離 : ", "行距 : ", "字寬 : ", "字距 : ", "字高 : ",
        "圖檔檔名結構 : ", "D:\\T<V>\\<@>\\<V>-<P>.TIF", "(若經文中有空白行資料，則可忽略偏移資訊)",
        "圖形比例 : ", "%", "秀圖每行最長字數：", "(0 表示不受限制)"}) {
    EXPECT_TRUE(image.contains(U(text))) << text;
  }
  EXPECT_LT(image.indexOf(U("每一個欄的距離 : ")), image.indexOf(U("圖形比例 : ")));
  EXPECT_EQ(Find<QCheckBox>("cbIgnoreShift")->text(), U("忽略欄偏移資訊"));
  EXPECT_EQ(Find<QGroupBox>("rgShowWay")->title(), U(" 圖檔呈現方現 "));
  EXPECT_EQ(Find<QRadioButton>("rgShowWay0")->text(), U("以游標所在之字為圖形之中心"));
  EXPECT_EQ(Find<QRadioButton>("rgShowWay1")->text(), U("以該欄的中間為圖形的中心"));
  const QStringList keys = Labels(tabs->widget(4));
  EXPECT_EQ(keys.first(), U("尋找差異符號 :"));
  EXPECT_EQ(keys.last(), U("取消並選下組 :"));
  EXPECT_EQ(keys.size(), 12);
}

TEST_F(OptionFormTest, EveryShowingStartsFromTheSettingsAndCancelChangesNothing) {
  OptionForm->Settings.Sign1 = "\xA1\x5D";  // Big5 "（"
  OptionForm->Settings.LineSpace = 71;
  OptionForm->Settings.ShowWay = 1;
  OptionForm->Settings.CoverRightTop = true;
  MainForm->findChild<QAction*>("miFindSign", Qt::FindDirectChildrenOnly)->setShortcut(QKeySequence("F9"));
  Open();
  EXPECT_EQ(Edit("edSign1")->text(), U("（"));
  EXPECT_EQ(Edit("edLineSpace")->text(), "71");
  EXPECT_EQ(Edit("edPictureFileNameFormat")->text(), "D:T<V><@><V>-<P>.TIF");
  EXPECT_TRUE(Find<QRadioButton>("rgShowWay1")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("cbCoverRightTop")->isChecked());
  EXPECT_EQ(Key("hkFindSign")->text(), "F9");
  EXPECT_EQ(Key("hkCancelSel")->text(), "Esc");
  EXPECT_EQ(Key("hkSelFirstStr")->text(), "Ctrl+F");

  const Settings before = OptionForm->Settings;
  Type("edSign1", "<<");
  Type("edLineSpace", "99");
  Key("hkFindSign")->SetHotKey(HotKeyFromText("F11"));
  Find<QRadioButton>("rgShowWay0")->setChecked(true);
  OptionForm->PageControl()->setCurrentIndex(3);
  QTest::mouseClick(Find<QPushButton>("Cancel"), Qt::LeftButton);
  EXPECT_FALSE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->Settings, before);
  EXPECT_EQ(MainKey("miFindSign"), "F9");
  EXPECT_EQ(Ini(), "");

  // Shown again: the stored values, on the page shown last.
  Open();
  EXPECT_EQ(Edit("edSign1")->text(), U("（"));
  EXPECT_EQ(Edit("edLineSpace")->text(), "71");
  EXPECT_EQ(Key("hkFindSign")->text(), "F9");
  EXPECT_TRUE(Find<QRadioButton>("rgShowWay1")->isChecked());
  EXPECT_EQ(OptionForm->PageControl()->currentIndex(), 3);
}

TEST_F(OptionFormTest, ABadNumberStopsWithTheEarlierFieldsTaken) {
  Open();
  const Settings before = OptionForm->Settings;
  Type("edSign1", "[[");
  Type("edVolStart", "3");
  Type("edLineSpace", "7 0");
  Type("edWordWidth", "50");
  Key("hkAll")->SetHotKey(HotKeyFromText("F7"));
  ClickOk();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"'7 0' is not a valid integer value"});
  EXPECT_TRUE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->PageControl()->currentWidget()->objectName(), "tsImage");
  EXPECT_TRUE(Edit("edLineSpace")->hasFocus());
  EXPECT_EQ(OptionForm->Settings.Sign1, "[[");
  EXPECT_EQ(OptionForm->Settings.VolStart, 3);
  EXPECT_EQ(OptionForm->Settings.LineSpace, before.LineSpace);
  EXPECT_EQ(OptionForm->Settings.WordWidth, before.WordWidth);
  EXPECT_EQ(MainKey("miAll"), "F1");
  EXPECT_EQ(Ini(), "");

  // Corrected, the same confirmation goes through.
  Type("edLineSpace", "70");
  ClickOk();
  EXPECT_FALSE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->Settings.WordWidth, 50);
  EXPECT_EQ(MainKey("miAll"), "F7");
  IniFile ini(dir_.File("zorvel.ini"));
  EXPECT_EQ(ini.ReadString("CheckSign", "Sign1", ""), "[[");
  EXPECT_EQ(ini.ReadString("HotKey", "All", ""), "F7");
}

TEST_F(OptionFormTest, AScaleOfZeroOrLessIsRefusedButZeroSpacingsPass) {
  Open();
  Type("edLineSpace", "0");
  Type("edWordHeight", "-3");
  Type("edFieldSpace", "0");
  Type("edPictureRatio", "0");
  Type("edMaxLineWord", "-1");
  ClickOk();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"錯誤 : 圖形比例必須大於 0 !"});
  EXPECT_TRUE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->Settings.PictureRatio, 100);
  EXPECT_EQ(OptionForm->Settings.LineSpace, 0);
  EXPECT_EQ(OptionForm->Settings.MaxLineWord, 17);
  Type("edPictureRatio", "-50");
  ClickOk();
  EXPECT_TRUE(OptionForm->isVisible());
  Type("edPictureRatio", "1");
  ClickOk();
  EXPECT_FALSE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->Settings.PictureRatio, 1);
  EXPECT_EQ(OptionForm->Settings.WordHeight, -3);
  EXPECT_EQ(OptionForm->Settings.MaxLineWord, -1);
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadInteger("Picture", "WordHeight", 0), -3);
}

TEST_F(OptionFormTest, KeyFieldsTakeTheirSubstitutes) {
  Open();
  OptionForm->PageControl()->setCurrentIndex(4);
  THotKeyField* first = Key("hkSelFirstStr");
  first->setFocus();
  QTest::keyClick(first, Qt::Key_F7);
  EXPECT_EQ(first->text(), "Ctrl+F7");
  QTest::keyClick(first, Qt::Key_F7, Qt::ShiftModifier);
  EXPECT_EQ(first->text(), "Ctrl+F7");
  QTest::keyClick(first, Qt::Key_F7, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(first->text(), "Shift+Ctrl+F7");
  THotKeyField* find = Key("hkFindSign");
  find->setFocus();
  QTest::keyClick(find, Qt::Key_F7, Qt::ShiftModifier);
  EXPECT_EQ(find->text(), "F7");
  QTest::keyClick(find, Qt::Key_Escape);
  EXPECT_EQ(find->text(), "Esc");
  EXPECT_TRUE(OptionForm->isVisible());  // Esc went into the field
  QTest::keyClick(find, Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(find->text(), "Alt+G");
  // A modifier alone changes nothing; Backspace empties the field.
  QTest::keyClick(find, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(find->text(), "Alt+G");
  QTest::keyClick(find, Qt::Key_Backspace);
  EXPECT_EQ(find->text(), "");
  EXPECT_TRUE(find->HotKey().IsNone());

  // An empty field removes the command's key everywhere.
  ClickOk();
  EXPECT_EQ(MainKey("miFindSign"), "");
  EXPECT_EQ(ItemKey(TextForm, "miFindSign"), "");
  EXPECT_EQ(ItemKey(SelectForm, "miSelFirstStr"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7).toString());
  IniFile ini(dir_.File("zorvel.ini"));
  EXPECT_TRUE(ini.HasKey("HotKey", "FindSign"));
  EXPECT_EQ(ini.ReadString("HotKey", "FindSign", "x"), "");
  EXPECT_EQ(ini.ReadString("HotKey", "SelFirstStr", ""), "Shift+Ctrl+F7");
}

TEST_F(OptionFormTest, CoverRightTopIsDisabledWithItsMarkKeptAndStored) {
  OptionForm->Settings.CoverRightTop = true;
  Open();
  QCheckBox* autoSet = Find<QCheckBox>("cbAutoSetRightTop");
  QCheckBox* cover = Find<QCheckBox>("cbCoverRightTop");
  OptionForm->PageControl()->setCurrentIndex(3);
  QCoreApplication::processEvents();
  EXPECT_TRUE(cover->isEnabled());
  autoSet->click();
  EXPECT_FALSE(autoSet->isChecked());
  EXPECT_FALSE(cover->isEnabled());
  EXPECT_TRUE(cover->isChecked());
  // Clicking IgnoreShift runs the same handler and changes nothing else.
  const bool ignore = Find<QCheckBox>("cbIgnoreShift")->isChecked();
  Find<QCheckBox>("cbIgnoreShift")->click();
  EXPECT_EQ(Find<QCheckBox>("cbIgnoreShift")->isChecked(), !ignore);
  EXPECT_FALSE(cover->isEnabled());
  ClickOk();
  EXPECT_FALSE(OptionForm->Settings.AutoSetRightTop);
  EXPECT_TRUE(OptionForm->Settings.CoverRightTop);
  EXPECT_EQ(OptionForm->Settings.IgnoreShift, !ignore);
  IniFile ini(dir_.File("zorvel.ini"));
  EXPECT_EQ(ini.ReadString("RightTop", "AutoSetRightTop", ""), "0");
  EXPECT_EQ(ini.ReadString("RightTop", "CoverRightTop", ""), "1");
  // Shown again, the box comes back checked and disabled.
  Open();
  EXPECT_TRUE(cover->isChecked());
  EXPECT_FALSE(cover->isEnabled());
}

TEST_F(OptionFormTest, TheSavedFileHoldsEverySectionAndKeyAndReadsBackTheSame) {
  Open();
  Type("edUserStr", "自訂");
  Type("edPictureFileNameFormat", "T<V>/<@>/<V>-<P>.TIF");
  Type("edRightTopX", "-7");
  ClickOk();
  ASSERT_FALSE(OptionForm->isVisible());
  IniFile ini(dir_.File("zorvel.ini"));
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
  EXPECT_EQ(ini.ReadString("HotKey", "CancelSel", ""), "Esc");

  // A fresh start reads every value as saved.
  const Settings saved = OptionForm->Settings;
  zorvel::DestroyZorvelWindows();
  zorvel::CreateZorvelWindows();
  EXPECT_EQ(OptionForm->Settings, saved);
  EXPECT_EQ(OptionForm->Settings.RightTopX, -7);
  Open();
  EXPECT_EQ(Edit("edUserStr")->text(), U("自訂"));
  EXPECT_EQ(Edit("edRightTopX")->text(), "-7");
}

TEST_F(OptionFormTest, AnUnwritableFileIsReportedAndTheValuesStayInForce) {
  // A folder in the place of zorvel.ini cannot be written as a file.
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir_.File("zorvel.ini"))));
  Open();
  Type("edLineSpace", "66");
  Key("hkAll")->SetHotKey(HotKeyFromText("F8"));
  ClickOk();
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"警告 : zorvel.ini 無法寫入!"});
  EXPECT_FALSE(OptionForm->isVisible());
  EXPECT_EQ(OptionForm->Settings.LineSpace, 66);
  EXPECT_EQ(MainKey("miAll"), "F8");
}

TEST_F(OptionFormTest, NewHotKeysActOnAllFourWindowsAtOnce) {
  Open();
  Key("hkAll")->SetHotKey(HotKeyFromText("F7"));
  Key("hkShowWord")->SetHotKey(HotKeyFromText("Ctrl+F3"));
  Key("hkNextPicture")->SetHotKey(HotKeyFromText("F8"));
  Key("hkCancelSel")->SetHotKey(HotKeyFromText("Q"));
  ClickOk();
  EXPECT_EQ(MainKey("miAll"), "F7");
  EXPECT_EQ(MainKey("miShowWord"), "Ctrl+F3");
  EXPECT_EQ(ItemKey(TextForm, "miAll"), "F7");
  EXPECT_EQ(ItemKey(TextForm, "miShowWord"), "Ctrl+F3");
  EXPECT_EQ(ItemKey(ImageForm, "miNextPicture"), "F8");
  EXPECT_EQ(ItemKey(SelectForm, "miCancelSel"), "Q");

  // F7 pressed in the text window runs the main window's command at once, and
  // so it does with the image window in front; F1 no longer does.
  QAction* all = MainForm->findChild<QAction*>("miAll", Qt::FindDirectChildrenOnly);
  QSignalSpy spy(all, &QAction::triggered);
  QApplication::setActiveWindow(MainForm);
  TextForm->RichEdit()->setFocus();
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F7);
  EXPECT_EQ(spy.count(), 1);
  QTest::keyClick(TextForm->RichEdit(), Qt::Key_F1);
  EXPECT_EQ(spy.count(), 1);
  ImageForm->PageArea()->viewport()->setFocus();
  QTest::keyClick(ImageForm->PageArea()->viewport(), Qt::Key_F7);
  EXPECT_EQ(spy.count(), 2);
}

TEST_F(OptionFormTest, TheMenuItemOpensItModally) {
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    wasModal = OptionForm->isVisible() && OptionForm->isModal();
    QTest::mouseClick(OptionForm->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
  });
  MainForm->findChild<QAction*>("miOption")->trigger();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(OptionForm->isVisible());
}

// Every dialog of this set, each page of the options dialog included: every
// text fits its control, and each is drawn to build/dialogs/NAME.png to be
// looked at.
TEST_F(OptionFormTest, EveryDialogShowsItsTextsWhole) {
  const QString folder = QString(ZORVEL_BINARY_DIR) + "/dialogs";
  QDir().mkpath(folder);
  fmAutoLoadReport->AddLine(QString::fromUtf8("檔案不存在 : T01/001-100/01-004.TIF"));
  fmAutoLoadReport->AddLine(QString::fromUtf8("格式不對\u3000 : T01/001-100/01-005.TIF"));
  auto check = [&](QWidget* dialog, const QString& name) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog)) << name.toStdString();
    QCoreApplication::processEvents();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      if (!label->isVisibleTo(dialog) || label->wordWrap() || label->text().isEmpty()) continue;
      EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
          << name.toStdString() << ": " << label->text().toStdString();
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      if (!button->isVisibleTo(dialog) || button->text().isEmpty()) continue;
      EXPECT_GE(button->width(), button->minimumSizeHint().width())
          << name.toStdString() << ": " << button->text().toStdString();
    }
    // The glyphs are there: the picture is not one flat colour.
    const QImage picture = dialog->grab().toImage();
    EXPECT_TRUE(picture.save(folder + "/" + name + ".png"));
    EXPECT_GT(picture.width(), 100);
  };
  Open();
  for (int i = 0; i < OptionForm->PageControl()->count(); ++i) {
    OptionForm->PageControl()->setCurrentIndex(i);
    check(OptionForm,
          QString("options_%1_%2").arg(i).arg(OptionForm->PageControl()->widget(i)->objectName()));
  }
  OptionForm->hide();
  check(LoadPictureForm, "load_picture");
  check(fmSetRatio, "set_ratio");
  check(fmAutoLoadPicture, "auto_load_picture");
  check(fmAutoLoadReport, "auto_load_report");
  check(AboutForm, "about");
  check(FieldShiftForm, "field_shift");
}

}  // namespace
}  // namespace zorvel::test
