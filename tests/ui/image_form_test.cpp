// The image window's own behaviour on the sample pages: loading, scrolling,
// scaling, the marker and the crosses, the mouse, and the rendering below full
// size.
#include "image_sample.h"

namespace zorvel::test {
namespace {

using ImageFormTest = SampleWindowsTest;

TEST_F(ImageFormTest, AFailedLoadChangesNothing) {
  Load(1);
  ImageForm()->ShowPosition(1, 3, 5);
  const int markerX = ImageForm()->MarkerX();
  const int decoded = ImageForm()->DecodeCount();
  const DecodedPage* page = ImageForm()->Page();
  Bench().VolShift().Set(1, PageCalibration{100, 200, 0, 0, 0});

  // A page cut short, a file that is not there, and a file of another volume
  // that does not decode: none of them touches the page on display or the store.
  WriteFile(dir_.File("not_a_page.TIF"), "II*\0garbage");
  for (auto [vol, name, page] : {std::tuple{1, "T01/001-100/01-005.TIF", 5},
                                 {1, "T01/001-100/01-004.TIF", 4},
                                 {2, "not_a_page.TIF", 9}})
    EXPECT_EQ(ImageForm()->LoadPicture(vol, 1, name, page), zorvel::PictureLoad::NotLoaded) << name;

  EXPECT_EQ(ImageForm()->PicturePage(), 1);
  EXPECT_EQ(ImageForm()->MarkerX(), markerX);
  EXPECT_EQ(ImageForm()->Page(), page);
  EXPECT_EQ(ImageForm()->DecodeCount(), decoded);
  EXPECT_EQ(ImageForm()->parentWidget()->windowTitle(), "T01/001-100/01-001.TIF");
  EXPECT_TRUE(Bench().VolShift().Dirty);
  // The hourglass is gone after every decode, good or bad.
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ImageFormTest, TheMarkerIsARedCrossDrawnOverThePicture) {
  OptionForm()->Settings.PictureRatio = 57;
  Load(2);
  ASSERT_TRUE(ImageForm()->DetectRightTop());
  ImageForm()->ShowPosition(1, 3, 5);
  const QPoint onScreen(ImageForm()->MarkerX() - ImageForm()->HorzScrollPos(),
                        ImageForm()->MarkerY() - ImageForm()->VertScrollPos());
  ASSERT_TRUE(View()->rect().contains(onScreen));
  // Red through the character's column and row, a little away from their
  // crossing.
  const QImage shot = View()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(onScreen.x(), onScreen.y() - 30), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(onScreen.x() + 30, onScreen.y()), QColor(255, 0, 0));
}

TEST_F(ImageFormTest, DraggingPansAndAPressRemembersThePointOnThePicture) {
  Load(1);
  ImageForm()->SetHorzScrollPos(500);
  ImageForm()->SetVertScrollPos(600);

  auto scroll = [] { return QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos()); };
  Mouse(QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(QPoint(ImageForm()->ClickX(), ImageForm()->ClickY()), QPoint(800, 900));
  Mouse(QEvent::MouseMove, {250, 260}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(scroll(), QPoint(550, 640));
  // Past the page's edge the view stops there; on the way back the point first
  // pressed comes back under the mouse.
  Mouse(QEvent::MouseMove, {300 + 2000, 300}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm()->HorzScrollPos(), 0);
  Mouse(QEvent::MouseMove, {290, 300}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm()->HorzScrollPos(), 800 - 290);
  Mouse(QEvent::MouseButtonRelease, {290, 300}, Qt::LeftButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(scroll(), QPoint(510, 600));
}

}  // namespace
}  // namespace zorvel::test
