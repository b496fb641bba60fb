// The calibration commands on a sample page: the corner from the point pressed
// (popup items and double-click), the register shift dialog, the save command,
// the check buttons, and settings of zero or less all the way through.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

#include "core/pages/marker_geometry.h"
#include "core/pages/picture_file_name.h"
#include "core/pages/vol_shift.h"
#include "image_sample.h"
#include "ui/auto_load_picture_form.h"
#include "ui/auto_load_report_form.h"
#include "ui/calibration_commands.h"
#include "ui/field_shift_form.h"
#include "ui/image_form.h"
#include "ui/option_form.h"
#include "ui/text_form.h"

namespace zorvel::test {
namespace {

class CalibrationCommandsTest : public SampleWorkspaceTest {
 protected:
  void SetUp() override {
    SampleWorkspaceTest::SetUp();
    Start();
  }
  void Load(int page) {
    std::string name;
    ASSERT_TRUE(CheckPictureFile(OptionForm()->Settings, 1, 0, page, name)) << name;
    ASSERT_EQ(ImageForm()->LoadPicture(1, 0, name, page), 0);
    ASSERT_TRUE(ImageForm()->DetectRightTop());
  }
  QWidget* View() const { return ImageForm()->PageArea()->viewport(); }
  // A mouse event on the picture at a point of the shown picture.
  void Mouse(QEvent::Type type, QPoint onPicture, Qt::MouseButton button) {
    const QPoint at = onPicture - QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos());
    ASSERT_TRUE(View()->rect().contains(at)) << at.x() << "," << at.y();
    QMouseEvent event(type, QPointF(at), QPointF(View()->mapToGlobal(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(View(), &event);
  }
  void Click(QPoint onPicture, Qt::MouseButton button) {
    Mouse(QEvent::MouseButtonPress, onPicture, button);
    Mouse(QEvent::MouseButtonRelease, onPicture, button);
    ImageForm()->ImagePopupMenu()->hide();
  }
  void Popup(const char* item) { ImageForm()->ImagePopupMenu()->findChild<QAction*>(item)->trigger(); }
  PageCalibration Page(int page) const { return Bench().VolShift().Get(page); }
  void ScrollToTopRight() {
    ImageForm()->SetVertScrollPos(0);
    ImageForm()->SetHorzScrollPos(ImageForm()->ShownSize().width());
  }
};

TEST_F(CalibrationCommandsTest, TheRightButtonsPointBecomesTheCornerAtHalfSize) {
  OptionForm()->Settings.PictureRatio = 50;
  Load(1);
  ScrollToTopRight();
  const int width = ImageForm()->ShownSize().width();
  ASSERT_EQ(width, kSamplePageWidth / 2);
  Bench().VolShift().Dirty = false;

  // A left press elsewhere, then the right button at (width - 50, 100): the
  // popup acts on the right button's point.
  Click(QPoint(width - 120, 40), Qt::LeftButton);
  Click(QPoint(width - 50, 100), Qt::RightButton);
  EXPECT_EQ(ImageForm()->ClickX(), width - 50);
  Popup("N2");
  EXPECT_EQ(Page(1).FirstCharX, 100);
  EXPECT_EQ(Page(1).FirstCharY, 200);
  EXPECT_TRUE(Bench().VolShift().Dirty);
  // The marker is drawn on the first character at once.
  EXPECT_EQ(ImageForm()->MarkerX(), width - ScaleToPicture(100 + 23, 50));
  EXPECT_EQ(ImageForm()->MarkerY(), ScaleToPicture(200 + 24, 50));
}

TEST_F(CalibrationCommandsTest, XAndYItemsChangeOneValueAndLeaveTheMarker) {
  Load(1);
  ScrollToTopRight();
  ImageForm()->ShowPosition(0, 0, 0);
  const int markerX = ImageForm()->MarkerX();
  const int markerY = ImageForm()->MarkerY();
  const PageCalibration found = Page(1);

  Click(QPoint(kSamplePageWidth - 300, 150), Qt::RightButton);
  Popup("X1");
  EXPECT_EQ(Page(1).FirstCharX, 300);
  EXPECT_EQ(Page(1).FirstCharY, found.FirstCharY);
  Click(QPoint(kSamplePageWidth - 250, 180), Qt::RightButton);
  Popup("Y1");
  EXPECT_EQ(Page(1).FirstCharX, 300);
  EXPECT_EQ(Page(1).FirstCharY, 180);
  EXPECT_EQ(ImageForm()->MarkerX(), markerX);
  EXPECT_EQ(ImageForm()->MarkerY(), markerY);
}

TEST_F(CalibrationCommandsTest, ADoubleClickSetsTheCornerWhileTheCrossesShow) {
  Load(2);
  ScrollToTopRight();
  const QPoint point(kSamplePageWidth - 150, 160);
  Mouse(QEvent::MouseButtonPress, point, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, point, Qt::LeftButton);
  Mouse(QEvent::MouseButtonDblClick, point, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, point, Qt::LeftButton);
  EXPECT_EQ(Page(2).FirstCharX, 150);
  EXPECT_EQ(Page(2).FirstCharY, 160);
  // At 100 % with the default settings the marker stands 23 pixels left of and
  // 24 below the point.
  EXPECT_EQ(ImageForm()->MarkerX(), point.x() - 23);
  EXPECT_EQ(ImageForm()->MarkerY(), point.y() + 24);

  // Beside the picture (a page at 25 % is narrower than the view) a
  // double-click is no command.
  ImageForm()->Rescale(25);
  ImageForm()->SetHorzScrollPos(0);
  ImageForm()->SetVertScrollPos(0);
  ASSERT_LT(ImageForm()->ShownSize().width(), View()->width());
  const QPoint beside(ImageForm()->ShownSize().width() + 5, 30);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(beside), QPointF(View()->mapToGlobal(beside)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View(), &twice);
  EXPECT_EQ(Page(2).FirstCharX, 150);
  EXPECT_EQ(Page(2).FirstCharY, 160);

  // With the crosses hidden a double-click only presses.
  ImageForm()->ToggleLines();
  const QPoint other(30, 40);
  QMouseEvent hidden(QEvent::MouseButtonDblClick, QPointF(other), QPointF(View()->mapToGlobal(other)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View(), &hidden);
  EXPECT_EQ(Page(2).FirstCharX, 150);
}

TEST_F(CalibrationCommandsTest, APageWithoutASlotOrNoPageChangesNothingHarmful) {
  // No page on display: no shift dialog.
  EXPECT_FALSE(OpenFieldShiftForm(Bench(), false));
  Popup("N6");
  EXPECT_FALSE(FieldShiftForm()->isVisible());

  // Page 1600 of the volume has no slot.
  std::string name;
  CheckPictureFile(OptionForm()->Settings, 1, 0, 1, name);
  ASSERT_EQ(ImageForm()->LoadPicture(1, 0, name, 1600), 0);
  Bench().VolShift().Dirty = false;
  ScrollToTopRight();
  Click(QPoint(kSamplePageWidth - 10, 10), Qt::RightButton);
  Popup("N2");
  Popup("X1");
  Popup("Y1");
  EXPECT_FALSE(Bench().VolShift().Dirty);
  // The shift dialog does not open either, and the status line says why.
  EXPECT_FALSE(OpenFieldShiftForm(Bench(), false));
  EXPECT_EQ(MainForm()->StatusLine()->currentMessage(),
            U("頁數須在 0 至 1499 之間, 本頁沒有圖形偏移資訊可以設定"));
  FieldShiftForm()->cbShiftLine()->setCurrentIndex(4);
  FieldShiftForm()->Button1Click();
  EXPECT_FALSE(Bench().VolShift().Dirty);
  for (int page = 0; page < CVolShift::Capacity; ++page) ASSERT_FALSE(Page(page).IsCalibrated()) << page;
}

TEST_F(CalibrationCommandsTest, TheShiftDialogStoresOnThePageShownAndKeepsItsChoice) {
  Load(1);
  MainForm()->findChild<QAction*>("ToolbarButton9717")->trigger();
  ASSERT_TRUE(FieldShiftForm()->isVisible());
  EXPECT_FALSE(FieldShiftForm()->isModal());

  // No line count chosen: nothing happens and the dialog stays.
  Bench().VolShift().Dirty = false;
  FieldShiftForm()->findChild<QRadioButton*>("rbFieldShift1")->click();
  FieldShiftForm()->findChild<QPushButton*>("Button1")->click();
  EXPECT_TRUE(FieldShiftForm()->isVisible());
  EXPECT_FALSE(Bench().VolShift().Dirty);

  // The operator moves on to page 2 with the dialog open: the shift goes there.
  ImageForm()->StepPicture(+1);
  ASSERT_EQ(ImageForm()->PicturePage(), 2);
  const PageCalibration before = Page(2);
  FieldShiftForm()->cbShiftLine()->setCurrentIndex(3);
  FieldShiftForm()->findChild<QPushButton*>("Button1")->click();
  EXPECT_FALSE(FieldShiftForm()->isVisible());
  PageCalibration expected = before;
  expected.MiddleShift = 3;
  EXPECT_EQ(Page(2), expected);
  EXPECT_EQ(Page(1).MiddleShift, 0);
  EXPECT_TRUE(Bench().VolShift().Dirty);

  // From the popup it is modal, and shows 中欄 and 3 still; 取消 changes nothing.
  bool modal = false;
  int field = -1;
  QString lines;
  QTimer::singleShot(0, [&] {
    modal = FieldShiftForm()->isVisible() && FieldShiftForm()->isModal();
    field = FieldShiftForm()->FieldIndex();
    lines = FieldShiftForm()->cbShiftLine()->currentText();
    FieldShiftForm()->cbShiftLine()->setCurrentIndex(9);
    FieldShiftForm()->findChild<QPushButton*>("Button2")->click();
  });
  Popup("N6");
  EXPECT_TRUE(modal);
  EXPECT_EQ(field, 1);
  EXPECT_EQ(lines, "3");
  EXPECT_EQ(Page(2).MiddleShift, 3);

  // The shift shows at the next ShowPosition, when IgnoreShift is off.
  OptionForm()->Settings.IgnoreShift = false;
  const int width = ImageForm()->ShownSize().width();
  ImageForm()->ShowPosition(1, 0, 0);
  EXPECT_EQ(ImageForm()->MarkerX(), width - (3 * 70 + 23 + Page(2).FirstCharX));

  // 儲存圖形偏移資訊 writes the volume's file.
  MainForm()->findChild<QAction*>("ToolbarButton9725")->trigger();
  EXPECT_FALSE(Bench().VolShift().Dirty);
  const std::string saved = ReadFile(dir_.File("Vol001.vps"));
  EXPECT_NE(saved.find("2, " + std::to_string(Page(2).FirstCharX)), std::string::npos) << saved;
}

TEST_F(CalibrationCommandsTest, TheCheckButtonsMoveTheMarkerOnly) {
  Load(1);
  const PageCalibration page = Page(1);
  Bench().VolShift().Dirty = false;
  const Settings& s = OptionForm()->Settings;
  const int width = ImageForm()->ShownSize().width();
  const struct {
    const char* Button;
    int Field, Line, Char;
  } buttons[] = {{"ToolbarButton9724", 0, 0, 0},   {"ToolbarButton9723", 1, 0, 0},
                 {"ToolbarButton9722", 2, 0, 0},   {"ToolbarButton9719", 0, 28, 16},
                 {"ToolbarButton9720", 1, 28, 16}, {"ToolbarButton9721", 2, 28, 16}};
  for (const auto& b : buttons) {
    MainForm()->findChild<QAction*>(b.Button)->trigger();
    EXPECT_EQ(ImageForm()->MarkerX(), width - (s.LineSpace * b.Line + s.WordWidth / 2 + page.FirstCharX))
        << b.Button;
    EXPECT_EQ(ImageForm()->MarkerY(),
              s.FieldSpace * b.Field + s.WordHeight * b.Char + s.WordHeight / 2 + page.FirstCharY)
        << b.Button;
  }
  EXPECT_EQ(Page(1), page);
  EXPECT_FALSE(Bench().VolShift().Dirty);
}

TEST_F(CalibrationCommandsTest, SettingsOfZeroOrLessNeverCrashAnything) {
  // Everything the options dialog lets through, at its worst.
  Settings& s = OptionForm()->Settings;
  s.FieldSpace = s.WordHeight = s.RightTopY = s.VolStart = s.PageLength = s.FieldLength = s.LineHeadLength =
      0;
  s.LineSpace = -70;
  s.WordWidth = -46;
  s.MaxLineWord = s.VolLength = -1;
  s.RightTopX = -5000;
  s.PageStart = -3;
  s.LineLength = -2;
  s.IgnoreShift = false;
  s.CoverRightTop = true;
  s.ShowWay = 1;

  // The run of pages, the check buttons and the corner commands.
  fmAutoLoadPicture()->edVol()->setText("1");
  fmAutoLoadPicture()->edFromPage()->setText("1");
  fmAutoLoadPicture()->edToPage()->setText("6");
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (fmAutoLoadReport()->isVisible()) fmAutoLoadReport()->Button1Click();
  });
  closer.start(20);
  fmAutoLoadPicture()->btStartClick();
  EXPECT_EQ(fmAutoLoadReport()->LineCount(), 2);
  for (const char* button : {"ToolbarButton9724", "ToolbarButton9721", "ToolbarButton9715"}) {
    MainForm()->findChild<QAction*>(button)->trigger();
  }
  ScrollToTopRight();
  Click(QPoint(ImageForm()->ShownSize().width() - 5, 5), Qt::RightButton);
  Popup("N2");
  ImageForm()->Rescale(25);
  ImageForm()->ShowPosition(1, 3, 5);

  // The text window's F3 on every line head of the sample text.
  const QString path = QDir::current().filePath("T01n0001.txt");
  TextForm()->OpenFileNameHook = [path] { return path; };
  TextForm()->FileOpen();
  for (int i = 0; i < 20; ++i) {
    QTextCursor cursor = TextForm()->RichEdit()->textCursor();
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    TextForm()->RichEdit()->setTextCursor(cursor);
    TextForm()->ShowWord();
  }
  ImageForm()->grab();
}

}  // namespace
}  // namespace zorvel::test
