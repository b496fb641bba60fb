// The calibration commands on a sample page: the corner from the point pressed
// (popup item and double-click) and the register shift dialog.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "image_sample.h"
#include "ui/dialogs/field_shift_form.h"

namespace zorvel::test {
namespace {

class CalibrationCommandsTest : public SampleWindowsTest {
 protected:
  void Load(int page) {
    SampleWindowsTest::Load(page, 0);
    ASSERT_TRUE(ImageForm()->DetectRightTop());
  }
  // A mouse event on the picture at a point of the shown picture.
  void Mouse(QEvent::Type type, QPoint onPicture, Qt::MouseButton button) {
    const QPoint at = onPicture - QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos());
    ASSERT_TRUE(View()->rect().contains(at)) << at.x() << "," << at.y();
    SampleWindowsTest::Mouse(type, at, button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button);
  }
  void Click(QPoint onPicture, Qt::MouseButton button) {
    Mouse(QEvent::MouseButtonPress, onPicture, button);
    Mouse(QEvent::MouseButtonRelease, onPicture, button);
    ImageForm()->ImagePopupMenu()->hide();
  }
  PageCalibration Page(int page) const { return Bench().VolShift().Get(page); }
  void ScrollToTopRight() {
    ImageForm()->SetVertScrollPos(0);
    ImageForm()->SetHorzScrollPos(ImageForm()->ShownSize().width());
  }
};

// The popup acts on the right button's point (not on an earlier left press);
// a double-click sets the corner too, and the marker is drawn at once.
TEST_F(CalibrationCommandsTest, TheRightButtonsPointOrADoubleClickBecomesTheCorner) {
  OptionForm()->Settings.PictureRatio = 50;
  Load(1);
  ScrollToTopRight();
  const int width = ImageForm()->ShownSize().width();
  ASSERT_EQ(width, kSamplePageWidth / 2);
  Click(QPoint(width - 120, 40), Qt::LeftButton);
  Click(QPoint(width - 50, 100), Qt::RightButton);
  ImageForm()->ImagePopupMenu()->findChild<QAction*>("N2")->trigger();
  EXPECT_EQ(QPoint(Page(1).FirstCharX, Page(1).FirstCharY), QPoint(100, 200));

  OptionForm()->Settings.PictureRatio = 100;
  Load(2);
  ScrollToTopRight();
  const QPoint point(kSamplePageWidth - 150, 160);
  Click(point, Qt::LeftButton);
  Mouse(QEvent::MouseButtonDblClick, point, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, point, Qt::LeftButton);
  EXPECT_EQ(QPoint(Page(2).FirstCharX, Page(2).FirstCharY), QPoint(150, 160));
  EXPECT_EQ(ImageForm()->MarkerX(), point.x() - 23);
}

// The dialog stays open while the operator steps on: the shift goes to the
// page shown when it is confirmed.
TEST_F(CalibrationCommandsTest, TheShiftDialogStoresOnThePageShown) {
  Load(1);
  MainForm()->findChild<QAction*>("ToolbarButton9717")->trigger();
  ASSERT_TRUE(FieldShiftForm()->isVisible());
  ImageForm()->StepPicture(+1);
  ASSERT_EQ(ImageForm()->PicturePage(), 2);
  PageCalibration expected = Page(2);
  expected.MiddleShift = 3;
  FieldShiftForm()->findChild<QRadioButton*>("rbFieldShift1")->click();
  FieldShiftForm()->cbShiftLine()->setCurrentIndex(3);
  FieldShiftForm()->findChild<QPushButton*>("Button1")->click();
  EXPECT_FALSE(FieldShiftForm()->isVisible());
  EXPECT_EQ(Page(2), expected);
  EXPECT_EQ(Page(1).MiddleShift, 0);
}

}  // namespace
}  // namespace zorvel::test
