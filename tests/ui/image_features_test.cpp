// The loupe, the zoom and pan commands and the Ctrl+click on the page, through
// the real windows on the sample pages.

#include <QDockWidget>
#include <QScreen>

#include "core/pages/marker_geometry.h"
#include "core/pages/page_zoom.h"
#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/loupe_controller.h"

namespace zorvel::test {
namespace {

class ImageFeaturesTest : public SampleWindowsTest {
 protected:
  TLoupe* Loupe() const { return MainForm()->Loupe()->Loupe(); }
  // Where the marker's character stands at a ratio, as ShowPosition puts it.
  MarkerPosition Expected(int field, int line, int charIndex, int ratio) {
    Settings settings = Bench().Settings();
    settings.PictureRatio = ratio;
    const QSize client = ImageForm()->ClientSize();
    return ComputeShowPosition(settings, Bench().VolShift().Get(ImageForm()->PicturePage()),
                               {kSamplePageWidth, client.width(), client.height()}, field, line, charIndex);
  }
  // Every pixel of the loupe is the page pixel that its block stands for:
  // black, white, or grey off the page. Returns how many were black.
  int ExpectLoupeShowsThePage(const std::string& where) {
    const DecodedPage& page = *ImageForm()->Page();
    const QImage& picture = Loupe()->Picture();
    const int f = Loupe()->Zoom() / 100;
    const int firstU = picture.width() / 2 - f / 2;
    const int firstV = picture.height() / 2 - f / 2;
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    int black = 0, wrong = 0;
    for (int v = 0; v < picture.height(); ++v) {
      const int y = ImageForm()->MarkerPageY() + floorDiv(v - firstV, f);
      for (int u = 0; u < picture.width(); ++u) {
        const int x = ImageForm()->MarkerPageX() + floorDiv(u - firstU, f);
        const bool onPage = x >= 0 && y >= 0 && x < page.Width && y < page.Height;
        const int grey = qGray(picture.pixel(u, v));
        const bool isBlack = onPage && page.IsBlack(x, y);
        wrong += onPage ? grey != (isBlack ? 0 : 255) : (grey == 0 || grey == 255);
        black += isBlack;
      }
    }
    EXPECT_EQ(wrong, 0) << where;
    return black;
  }
};

TEST_F(ImageFeaturesTest, TheLoupeFollowsTheMarkerAndShowsThePageAtItsZoom) {
  MainForm()->Loupe()->Dock()->setFloating(true);
  MainForm()->Loupe()->Dock()->resize(301, 247);
  QApplication::processEvents();

  // F1 from the text: the loupe stands on the marker's character, in page
  // pixels whatever the scale of the view.
  Bench().Settings().PictureRatio = 50;
  OpenText();
  prompts_.Choices.push_back(ChoiceAnswer{Selection::Cancel, {}, false});
  Press(Qt::Key_F1);
  ASSERT_TRUE(ImageForm()->HasMarker());
  const MarkerPosition first = Expected(0, 0, 4, Bench().Settings().PictureRatio);
  EXPECT_EQ(QPoint(Loupe()->View().CentreX, Loupe()->View().CentreY), QPoint(first.PageX, first.PageY));
  EXPECT_GT(ExpectLoupeShowsThePage("after F1"), 100) << "the character's ink is in the loupe";

  // Near the page's edge (grey beyond it), at each zoom, from the page
  // already decoded.
  ImageForm()->ShowPosition(0, 40, 0);
  const int decodes = ImageForm()->DecodeCount();
  for (int zoom : {300, 100}) {
    Bench().Run(CommandId::NextLoupeZoom);
    EXPECT_EQ(Loupe()->Zoom(), zoom);
    ExpectLoupeShowsThePage("zoom " + std::to_string(zoom));
  }
  EXPECT_EQ(ImageForm()->DecodeCount(), decodes);

  // A new page has no marker yet: nothing to show.
  ASSERT_TRUE(ImageForm()->StepPicture(+1));
  EXPECT_FALSE(Loupe()->HasSubject());
}

TEST_F(ImageFeaturesTest, PanAndZoomKeysMoveThePageWhileTheTextKeepsTheFocus) {
  Load(1);
  ImageForm()->ShowPosition(1, 12, 8);  // away from the edges, where the scroll stops
  // A pan key scrolls by a quarter of the view.
  const QSize client = ImageForm()->ClientSize();
  const QPoint scroll(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos());
  Press(Qt::Key_Left, Qt::AltModifier);
  Press(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos()),
            scroll + QPoint(-client.width() / 4, client.height() / 4));
  auto inView = [] {
    return QPoint(ImageForm()->MarkerX() - ImageForm()->HorzScrollPos(),
                  ImageForm()->MarkerY() - ImageForm()->VertScrollPos());
  };
  const QPoint before = inView();
  const int decodes = ImageForm()->DecodeCount();

  // Down by the keys while the text keeps the focus, then up again; the
  // marker stays where it was in the view, within a pixel or two.
  for (auto [key, ratio] :
       {std::pair{Qt::Key_Minus, 75}, {Qt::Key_Minus, 67}, {Qt::Key_Minus, 50}, {Qt::Key_Equal, 67}}) {
    Press(key, Qt::ControlModifier);
    EXPECT_EQ(Bench().Settings().PictureRatio, ratio);
    EXPECT_EQ(ImageForm()->MarkerY(), Expected(1, 12, 8, ratio).MarkerY) << ratio;
    EXPECT_LE((inView() - before).manhattanLength(), 4) << ratio;
  }
  EXPECT_TRUE(TextForm()->RichEdit()->hasFocus());
  EXPECT_EQ(ImageForm()->DecodeCount(), decodes);
  // Written back as the scale dialog writes it, once the steps pause.
  const IniFile ini(dir_.File("zorvel.ini"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ini.ReadInteger("Picture", "PictureRatio", 0) == 67; }, 5000));

  // Ctrl+wheel over the page zooms about the mouse: the page pixel under it stays.
  const QPoint mouse(100, 80);
  const int pageX = ScaleToPage(mouse.x() + ImageForm()->HorzScrollPos(), 67);
  const int pageY = ScaleToPage(mouse.y() + ImageForm()->VertScrollPos(), 67);
  QWheelEvent wheel(QPointF(mouse), QPointF(View()->mapToGlobal(mouse)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(View(), &wheel);
  EXPECT_EQ(Bench().Settings().PictureRatio, 75);
  EXPECT_NEAR(ScaleToPage(mouse.x() + ImageForm()->HorzScrollPos(), 75), pageX, 2);
  EXPECT_NEAR(ScaleToPage(mouse.y() + ImageForm()->VertScrollPos(), 75), pageY, 2);
}

// A Ctrl+click reports the page pixel under it and does not drag the picture;
// a Ctrl+double-click is two Ctrl+clicks, never a calibration; a plain click
// reports nothing.
TEST_F(ImageFeaturesTest, CtrlClickGivesThePagePixel) {
  std::vector<QPoint> clicked;
  QObject::connect(ImageForm(), &TImageForm::PageClicked, ImageForm(),
                   [&clicked](int x, int y) { clicked.emplace_back(x, y); });
  Bench().Settings().PictureRatio = 33;
  Load(1);
  ImageForm()->ShowPosition(1, 3, 5);
  const PageCalibration calibration = Bench().VolShift().Get(1);
  const int h = ImageForm()->HorzScrollPos();
  const int v = ImageForm()->VertScrollPos();
  const QPoint at(50, 60);
  auto click = [](QPoint at, Qt::KeyboardModifiers modifiers, QEvent::Type second = QEvent::MouseMove) {
    Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
    Mouse(second, at + QPoint(30, 30), second == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
          Qt::LeftButton, modifiers);
    Mouse(QEvent::MouseButtonRelease, at + QPoint(30, 30), Qt::LeftButton, Qt::NoButton, modifiers);
  };
  click(at, Qt::ControlModifier);
  EXPECT_EQ(clicked, std::vector<QPoint>{QPoint(ScaleToPage(h + 50, 33), ScaleToPage(v + 60, 33))});
  EXPECT_EQ(QPoint(ImageForm()->HorzScrollPos(), ImageForm()->VertScrollPos()), QPoint(h, v));
  click(at, Qt::ControlModifier, QEvent::MouseButtonDblClick);
  EXPECT_EQ(clicked.size(), 3u);
  EXPECT_EQ(Bench().VolShift().Get(1), calibration);
  clicked.clear();
  click(at, Qt::NoModifier, QEvent::MouseButtonRelease);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(ImageFeaturesTest, AFloatingLoupeTakesItsZoomsSizeAndLeavesTheMarkerInSightADockedOneTheWindows) {
  QDockWidget* dock = MainForm()->Loupe()->Dock();
  dock->setFloating(true);
  dock->show();
  Load(1);
  ImageForm()->ShowPosition(0, 3, 2);
  QApplication::processEvents();
  std::optional<QRect> cell = ImageForm()->MarkerCellOnScreen();
  ASSERT_TRUE(cell);

  // Put over the marker, the loupe leaves it at the marker's next move, and
  // does not take the choice window's place.
  dock->move(cell->center() - QPoint(dock->width() / 2, dock->height() / 2));
  ASSERT_TRUE(dock->frameGeometry().intersects(*cell));
  ImageForm()->ShowPosition(0, 3, 2);
  QApplication::processEvents();
  cell = ImageForm()->MarkerCellOnScreen();
  ASSERT_TRUE(cell);
  EXPECT_FALSE(dock->frameGeometry().intersects(*cell)) << "marker " << cell->x() << "," << cell->y();
  EXPECT_FALSE(dock->frameGeometry().intersects(Bench().SelectForm().frameGeometry()));

  // Each zoom asks for its own size.
  const QRect screen = dock->screen()->availableGeometry();
  for (int i = 0; i < 3; ++i) {
    Bench().Run(CommandId::NextLoupeZoom);
    QApplication::processEvents();
    const WindowBounds size = LoupeSize(Bench().Settings().LineSpace, Bench().Settings().WordHeight,
                                        Loupe()->Zoom(), {0, 0, screen.width(), screen.height()});
    EXPECT_EQ(Loupe()->size(), QSize(size.Width, size.Height)) << Loupe()->Zoom();
  }

  // Docked, it narrows the area of the text and the page; the image window
  // gives up width rather than stick out of it.
  dock->setFloating(false);
  QApplication::processEvents();
  const QWidget* window = ImageForm()->parentWidget();
  EXPECT_LE(window->geometry().right(), window->parentWidget()->width() - 1);
}

}  // namespace
}  // namespace zorvel::test
