// The image window's own behaviour on the sample pages: loading, scrolling,
// scaling, the marker and the crosses, the mouse, and the rendering below full
// size.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "core/pages/marker_geometry.h"
#include "core/pages/picture_file_name.h"
#include "core/pages/vol_shift.h"
#include "image_sample.h"
#include "pagegen/page_generator.h"
#include "ui/image_form.h"
#include "ui/option_form.h"
#include "ui/page_rendering.h"

namespace zorvel::test {
namespace {

class ImageFormTest : public SampleWorkspaceTest {
 protected:
  void Load(int page) {
    std::string name;
    ASSERT_TRUE(CheckPictureFile(OptionForm->Settings, 1, 1, page, name)) << name;
    ASSERT_EQ(ImageForm->LoadPicture(1, 1, name, page), 0);
  }
  QWidget* View() const { return ImageForm->PageArea()->viewport(); }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(View()->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(View(), &event);
  }
  QColor PixelOnScreen(QPoint at) const { return View()->grab().toImage().pixelColor(at); }
};

TEST_F(ImageFormTest, StartsEmptyWithThePopupMenuInItsOrder) {
  Start();
  EXPECT_EQ(ImageForm->PictureFileName(), "");
  EXPECT_EQ(ImageForm->MarkerX(), -1);
  EXPECT_EQ(ImageForm->MarkerY(), -1);
  EXPECT_TRUE(ImageForm->ShowLines());
  EXPECT_EQ(ImageForm->Page(), nullptr);
  QStringList items;
  for (QAction* item : ImageForm->ImagePopupMenu()->actions()) {
    items << (item->isSeparator() ? "-" : item->objectName() + " " + item->text());
  }
  EXPECT_EQ(items,
            QStringList({QString::fromUtf8("N2 設定為右上角第一個字 (X,Y)"),
                         QString::fromUtf8("X1 設定為右上角第一個字的X座標"),
                         QString::fromUtf8("Y1 設定為右上角第一個字的Y座標"), "-",
                         QString::fromUtf8("N1 移至右上角"), QString::fromUtf8("miPreviousPicture 上一張圖"),
                         QString::fromUtf8("miNextPicture 下一張圖"),
                         QString::fromUtf8("N6 設定特殊欄的行偏移"), QString::fromUtf8("N7 設定圖形比例")}));
  // Nothing to scroll, and the commands that need a page do nothing harmful.
  ImageForm->GoRightTop();
  ImageForm->Rescale(50);
  EXPECT_EQ(ImageForm->ShownSize(), QSize());
  EXPECT_FALSE(ImageForm->DetectRightTop());
  EXPECT_FALSE(MainForm->VolShift->Dirty);
}

TEST_F(ImageFormTest, AFailedLoadChangesNothing) {
  Start();
  Load(1);
  ImageForm->ShowPosition(1, 3, 5);
  const int markerX = ImageForm->MarkerX();
  const int markerY = ImageForm->MarkerY();
  const int decoded = ImageForm->DecodeCount();
  const DecodedPage* page = ImageForm->Page();
  MainForm->VolShift->Set(1, PageCalibration{100, 200, 0, 0, 0});

  // A page cut short, a file that is not there, and a file of another volume
  // that does not decode: none of them touches the page on display or the store.
  EXPECT_EQ(ImageForm->LoadPicture(1, 1, "T01/001-100/01-005.TIF", 5), 2);
  EXPECT_EQ(ImageForm->LoadPicture(1, 1, "T01/001-100/01-004.TIF", 4), 2);
  WriteFile(dir_.File("not_a_page.TIF"), "II*\0garbage");
  EXPECT_EQ(ImageForm->LoadPicture(2, 1, "not_a_page.TIF", 9), 2);

  EXPECT_EQ(ImageForm->PictureFileName(), "T01/001-100/01-001.TIF");
  EXPECT_EQ(ImageForm->PictureVolume(), 1);
  EXPECT_EQ(ImageForm->PictureSutra(), 1);
  EXPECT_EQ(ImageForm->PicturePage(), 1);
  EXPECT_EQ(ImageForm->MarkerX(), markerX);
  EXPECT_EQ(ImageForm->MarkerY(), markerY);
  EXPECT_EQ(ImageForm->Page(), page);
  EXPECT_EQ(ImageForm->DecodeCount(), decoded);
  EXPECT_EQ(ImageForm->parentWidget()->windowTitle(), "T01/001-100/01-001.TIF");
  EXPECT_EQ(MainForm->VolShift->Volume(), 1);
  EXPECT_TRUE(MainForm->VolShift->Dirty);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_.File("Vol001.vps"))));
  // The hourglass is gone after every decode, good or bad.
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ImageFormTest, APageOfAnotherVolumeSavesTheStoreFirst) {
  Start();
  Load(1);
  MainForm->VolShift->Set(1, PageCalibration{100, 200, 0, 0, 1});
  WriteFile(dir_.File("Vol002.vps"), "1, 7, 8, 0, 0, 0\r\n");
  ASSERT_EQ(ImageForm->LoadPicture(2, 0, "T01/001-100/01-002.TIF", 1), 0);
  EXPECT_EQ(ReadFile(dir_.File("Vol001.vps")), "1, 100, 200, 0, 0, 1\r\n");
  EXPECT_EQ(MainForm->VolShift->Volume(), 2);
  EXPECT_FALSE(MainForm->VolShift->Dirty);
  EXPECT_EQ(MainForm->VolShift->Get(1), (PageCalibration{7, 8, 0, 0, 0}));
  // Another page of the volume held reads no file.
  WriteFile(dir_.File("Vol002.vps"), "1, 9, 9, 0, 0, 0\r\n");
  ASSERT_EQ(ImageForm->LoadPicture(2, 0, "T01/001-100/01-003.TIF", 3), 0);
  EXPECT_EQ(MainForm->VolShift->Get(1), (PageCalibration{7, 8, 0, 0, 0}));
}

TEST_F(ImageFormTest, ScrollPositionsAreClampedToThePicture) {
  Start();
  Load(1);
  const QSize client = ImageForm->ClientSize();
  const QSize shown = ImageForm->ShownSize();
  ASSERT_EQ(shown, QSize(kSamplePageWidth, kSamplePageHeight));
  ASSERT_GT(client.width(), 100);
  ImageForm->SetHorzScrollPos(1 << 30);
  ImageForm->SetVertScrollPos(1 << 30);
  EXPECT_EQ(ImageForm->HorzScrollPos(), shown.width() - client.width());
  EXPECT_EQ(ImageForm->VertScrollPos(), shown.height() - client.height());
  ImageForm->SetHorzScrollPos(-5);
  ImageForm->SetVertScrollPos(-5);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 0);
  EXPECT_EQ(ImageForm->VertScrollPos(), 0);

  ImageForm->GoRightTop();
  EXPECT_EQ(ImageForm->HorzScrollPos(), shown.width() - client.width());
  EXPECT_EQ(ImageForm->VertScrollPos(), 0);

  // A marker near the page's corner cannot be centred: the view stops at the edge.
  ImageForm->ShowPosition(0, 0, 0);
  EXPECT_EQ(ImageForm->VertScrollPos(), 0);
  EXPECT_EQ(ImageForm->HorzScrollPos(), shown.width() - client.width());
  // One in the middle of the page is.
  ImageForm->ShowPosition(1, 14, 8);
  EXPECT_EQ(ImageForm->HorzScrollPos(), ImageForm->MarkerX() + client.width() / 2 - client.width());
  EXPECT_EQ(ImageForm->VertScrollPos(), ImageForm->MarkerY() - client.height() / 2);
}

TEST_F(ImageFormTest, RescaleKeepsThePlaceAndRendersEachScaleOnce) {
  Start();
  Load(1);
  EXPECT_EQ(ImageForm->RenderCount(), 1);
  ImageForm->SetHorzScrollPos(400);
  ImageForm->SetVertScrollPos(800);

  ImageForm->Rescale(50);
  EXPECT_EQ(ImageForm->ShownSize(), QSize(1200, 1700));
  EXPECT_EQ(ImageForm->HorzScrollPos(), 200);
  EXPECT_EQ(ImageForm->VertScrollPos(), 400);
  EXPECT_EQ(ImageForm->RenderCount(), 2);

  // Panning and painting again only copy the rendering.
  for (int i = 0; i < 5; ++i) {
    ImageForm->SetHorzScrollPos(100 * i);
    ImageForm->SetVertScrollPos(150 * i);
    View()->repaint();
  }
  EXPECT_EQ(ImageForm->RenderCount(), 2);

  // Back to a scale rendered before: no new rendering and no decode.
  ImageForm->SetHorzScrollPos(200);
  ImageForm->SetVertScrollPos(400);
  ImageForm->Rescale(100);
  EXPECT_EQ(ImageForm->ShownSize(), QSize(kSamplePageWidth, kSamplePageHeight));
  EXPECT_EQ(ImageForm->HorzScrollPos(), 400);
  EXPECT_EQ(ImageForm->VertScrollPos(), 800);
  EXPECT_EQ(ImageForm->RenderCount(), 2);
  EXPECT_EQ(ImageForm->DecodeCount(), 1);

  // A scale whose position would run past the new range is clamped to it.
  ImageForm->SetVertScrollPos(1 << 30);
  const int bottom = ImageForm->VertScrollPos();
  ImageForm->Rescale(25);
  EXPECT_EQ(ImageForm->ShownSize(), QSize(600, 850));
  EXPECT_EQ(ImageForm->VertScrollPos(),
            std::min(bottom * 850 / 3400, 850 - ImageForm->ClientSize().height()));
}

TEST_F(ImageFormTest, ARatioOfZeroOrLessShowsFullSizeAndSaysSoOnce) {
  Start();
  OptionForm->Settings.PictureRatio = 0;
  Load(1);
  EXPECT_EQ(ImageForm->ShownSize(), QSize(kSamplePageWidth, kSamplePageHeight));
  ImageForm->ShowPosition(0, 0, 0);
  ImageForm->ShowPosition(1, 2, 3);
  ImageForm->Rescale(-20);
  ASSERT_EQ(prompts_.Shown.size(), 1u);
  EXPECT_EQ(prompts_.Shown[0], "警告 : 圖形比例必須大於 0, 圖形以 100 % 顯示.");
  // The marker is placed at full size.
  const Settings& s = OptionForm->Settings;
  const PageCalibration page = MainForm->VolShift->Get(1);
  EXPECT_EQ(ImageForm->MarkerY(), s.FieldSpace + 3 * s.WordHeight + s.WordHeight / 2 + page.FirstCharY);
  EXPECT_EQ(ImageForm->MarkerX(), kSamplePageWidth - (2 * s.LineSpace + s.WordWidth / 2 + page.FirstCharX));
}

TEST_F(ImageFormTest, TheMarkerIsAScaledCrossDrawnOverThePicture) {
  Start();
  OptionForm->Settings.PictureRatio = 57;
  Load(2);
  ASSERT_TRUE(ImageForm->DetectRightTop());
  ImageForm->ShowPosition(1, 3, 5);
  // The window's marker is the arithmetic's, at the scale shown.
  ViewGeometry view{kSamplePageWidth, ImageForm->ClientSize().width(), ImageForm->ClientSize().height()};
  const MarkerPosition expected =
      ComputeShowPosition(OptionForm->Settings, MainForm->VolShift->Get(2), view, 1, 3, 5);
  EXPECT_EQ(ImageForm->MarkerX(), expected.MarkerX);
  EXPECT_EQ(ImageForm->MarkerY(), expected.MarkerY);
  EXPECT_EQ(ImageForm->ShownSize(), QSize(ScaleToPicture(2400, 57), ScaleToPicture(3400, 57)));

  const QPoint onScreen(ImageForm->MarkerX() - ImageForm->HorzScrollPos(),
                        ImageForm->MarkerY() - ImageForm->VertScrollPos());
  const QSize client = ImageForm->ClientSize();
  ASSERT_TRUE(QRect(QPoint(0, 0), client).contains(onScreen));
  // Red through the character's column and row, a little away from their
  // crossing; the navy dotted centre cross over the middle of the view.
  const QImage shot = View()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(onScreen.x(), onScreen.y() - 30), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(onScreen.x() + 30, onScreen.y()), QColor(255, 0, 0));
  int navy = 0;
  for (int y = 0; y < client.height(); ++y)
    navy += shot.pixelColor(client.width() / 2, y) == QColor(0, 0, 128);
  EXPECT_GT(navy, client.height() / 4);
  EXPECT_LT(navy, client.height());  // dotted

  // Hidden lines show the picture itself under the marker: it was never
  // drawn into the picture.
  ImageForm->ToggleLines();
  EXPECT_FALSE(ImageForm->ShowLines());
  const QImage bare = View()->grab().toImage();
  int red = 0;
  for (int y = 0; y < bare.height(); ++y) {
    for (int x = 0; x < bare.width(); ++x) red += bare.pixelColor(x, y) == QColor(255, 0, 0);
  }
  EXPECT_EQ(red, 0);
  const QColor under = bare.pixelColor(onScreen.x(), onScreen.y() - 30);
  EXPECT_EQ(under.red(), under.blue());
  ImageForm->ToggleLines();
  EXPECT_EQ(PixelOnScreen({onScreen.x(), onScreen.y() - 30}), QColor(255, 0, 0));
}

TEST_F(ImageFormTest, ThePictureOnScreenIsThePageAtFullAndDoubleSize) {
  Start();
  Load(1);
  ImageForm->ToggleLines();
  for (int ratio : {100, 200}) {
    OptionForm->Settings.PictureRatio = ratio;
    ImageForm->Rescale(ratio);
    ImageForm->SetHorzScrollPos(1001);
    ImageForm->SetVertScrollPos(2001);
    const QImage shot = View()->grab().toImage();
    const DecodedPage& page = *ImageForm->Page();
    int wrong = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const bool black = page.IsBlack(ScaleToPage(1001 + x, ratio), ScaleToPage(2001 + y, ratio));
        wrong += shot.pixel(x, y) != (black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
      }
    }
    EXPECT_EQ(wrong, 0) << ratio;
  }
  EXPECT_EQ(ImageForm->RenderCount(), 1);
}

TEST_F(ImageFormTest, DraggingPansAndAPressRemembersThePointOnThePicture) {
  Start();
  Load(1);
  ImageForm->SetHorzScrollPos(500);
  ImageForm->SetVertScrollPos(600);

  Mouse(QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm->ClickX(), 800);
  EXPECT_EQ(ImageForm->ClickY(), 900);
  Mouse(QEvent::MouseMove, {250, 260}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 550);
  EXPECT_EQ(ImageForm->VertScrollPos(), 640);
  Mouse(QEvent::MouseMove, {320, 310}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 480);
  EXPECT_EQ(ImageForm->VertScrollPos(), 590);
  // Past the page's edge the view stops there; on the way back the point first
  // pressed comes back under the mouse.
  Mouse(QEvent::MouseMove, {300 + 2000, 300}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 0);
  Mouse(QEvent::MouseMove, {290, 300}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 800 - 290);
  Mouse(QEvent::MouseButtonRelease, {290, 300}, Qt::LeftButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 510);
  EXPECT_EQ(ImageForm->VertScrollPos(), 600);

  // The right button remembers its point too, then opens the popup menu.
  Mouse(QEvent::MouseButtonPress, {40, 50}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(ImageForm->ClickX(), 550);
  EXPECT_EQ(ImageForm->ClickY(), 650);
  EXPECT_TRUE(ImageForm->ImagePopupMenu()->isVisible());
  ImageForm->ImagePopupMenu()->hide();
  Mouse(QEvent::MouseButtonRelease, {40, 50}, Qt::RightButton, Qt::NoButton);
  Mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(ImageForm->HorzScrollPos(), 510);
}

TEST_F(ImageFormTest, StepPictureSaysWhenTheCornerIsNotFoundAndKeepsThePage) {
  Start();
  // Page 7: a slanting stroke where the top border should be, so that the
  // probes find it at rows 20 apart.
  pagegen::Bitmap scan(kSamplePageWidth, kSamplePageHeight);
  for (int t = 0; t < 200; ++t) pagegen::FillRect(scan, kSamplePageWidth / 2 + t, t, 2, 1);
  ASSERT_TRUE(pagegen::WriteG4Tiff(dir_.File("T01/001-100/01-007.TIF"), scan));
  Load(6);
  ASSERT_TRUE(ImageForm->DetectRightTop());
  prompts_.Shown.clear();

  EXPECT_TRUE(ImageForm->StepPicture(1));
  EXPECT_EQ(ImageForm->PicturePage(), 7);
  EXPECT_EQ(ImageForm->PictureFileName(), "T01/001-100/01-007.TIF");
  ASSERT_EQ(prompts_.Shown.size(), 1u);
  EXPECT_EQ(prompts_.Shown[0], "本頁右上角定位失敗!");
  EXPECT_FALSE(MainForm->VolShift->Get(7).IsCalibrated());
  EXPECT_EQ(ImageForm->VertScrollPos(), 0);
  EXPECT_EQ(ImageForm->HorzScrollPos(), ImageForm->ShownSize().width() - ImageForm->ClientSize().width());

  // With the search off nothing is said.
  OptionForm->Settings.AutoSetRightTop = false;
  prompts_.Shown.clear();
  EXPECT_TRUE(ImageForm->StepPicture(-1));
  EXPECT_TRUE(ImageForm->StepPicture(1));
  EXPECT_TRUE(prompts_.Shown.empty());
  // A step of 0 with a page shown does nothing.
  const int decoded = ImageForm->DecodeCount();
  EXPECT_TRUE(ImageForm->StepPicture(0));
  EXPECT_EQ(ImageForm->DecodeCount(), decoded);
}

// A page of width x height, white, with the given black pixels.
DecodedPage WhitePage(int width, int height) {
  DecodedPage page;
  page.Width = width;
  page.Height = height;
  page.BytesPerRow = (width + 7) / 8;
  page.Rows.assign(static_cast<std::size_t>(page.BytesPerRow) * height, 0xFF);
  return page;
}

void Blacken(DecodedPage& page, int x, int y) {
  page.Rows[static_cast<std::size_t>(y) * page.BytesPerRow + x / 8] &=
      static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
}

TEST(PageRenderingTest, BelowFullSizeThinStrokesStayVisibleAndWhiteStaysWhite) {
  // One-pixel strokes: a column and a row, on a page whose width is not a
  // multiple of eight.
  DecodedPage page = WhitePage(203, 160);
  for (int y = 0; y < page.Height; ++y) Blacken(page, 101, y);
  for (int x = 0; x < page.Width; ++x) Blacken(page, x, 37);

  for (int ratio : {50, 33, 25, 10}) {
    const float s = PictureScale(ratio);
    const int width = ScaleToPicture(page.Width, ratio);
    const int height = ScaleToPicture(page.Height, ratio);
    const QImage image = RenderReducedPage(page, s, width, height);
    ASSERT_EQ(image.size(), QSize(width, height)) << ratio;
    const int column = ScaleToPicture(101, ratio);
    const int row = ScaleToPicture(37, ratio);
    // The strokes show as clear grey wherever they pass...
    for (int v = 0; v < height; ++v) EXPECT_LT(qGray(image.pixel(column, v)), 200) << ratio << " row " << v;
    for (int u = 0; u < width; ++u) EXPECT_LT(qGray(image.pixel(u, row)), 200) << ratio << " column " << u;
    // ...and the paper away from them stays white.
    for (int v = 0; v < height; ++v) {
      for (int u = 0; u < width; ++u) {
        if (std::abs(u - column) > 1 && std::abs(v - row) > 1) {
          ASSERT_EQ(image.pixel(u, v), qRgb(255, 255, 255)) << ratio << " at " << u << "," << v;
        }
      }
    }
  }
}

TEST(PageRenderingTest, AFullyInkedAreaIsBlackAndHalfInkIsDarkerThanAQuarter) {
  DecodedPage page = WhitePage(64, 64);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) Blacken(page, x, y);  // the top half black
  }
  for (int y = 32; y < 64; y += 2) {
    for (int x = 0; x < 32; x += 2) Blacken(page, x, y);  // a quarter of the bottom left
  }
  for (int y = 32; y < 64; ++y) {
    for (int x = 32; x < 64; x += 2) Blacken(page, x, y);  // half of the bottom right
  }
  const QImage image = RenderReducedPage(page, PictureScale(25), 16, 16);
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
  const int quarter = qGray(image.pixel(3, 12));
  const int half = qGray(image.pixel(12, 12));
  EXPECT_LT(half, quarter);
  EXPECT_LT(quarter, 255);
  EXPECT_GT(half, 0);
}

}  // namespace
}  // namespace zorvel::test
