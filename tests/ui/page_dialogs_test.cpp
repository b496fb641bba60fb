// The page dialogs on the sample workspace: opening one page, the scale, the
// run of pages with its report.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/auto_load_report_form.h"
#include "ui/dialogs/load_picture_form.h"
#include "ui/dialogs/set_ratio_form.h"

namespace zorvel::test {
namespace {

class PageDialogsTest : public SampleWindowsTest {
 protected:
  // The file of a page of volume 1, as the dialogs name it (sutra 0).
  std::string Name(int page) const {
    std::string name;
    CheckPictureFile(OptionForm()->Settings, 1, 0, page, name);
    return name;
  }
};

TEST_F(PageDialogsTest, TheLoadPageDialogLoadsOnePageAndKeepsTheVolume) {
  MainForm()->findChild<QAction*>("N14")->trigger();
  LoadPictureForm()->edVol()->setText("1");
  LoadPictureForm()->edPage()->setText("x");
  LoadPictureForm()->btOkClick();
  EXPECT_EQ(prompts_.Shown.back(), "頁數欄要填入數字 : 'x' is not a valid integer value");
  EXPECT_TRUE(LoadPictureForm()->isVisible());
  LoadPictureForm()->edPage()->setText("2");
  LoadPictureForm()->btOkClick();
  EXPECT_FALSE(LoadPictureForm()->isVisible());
  EXPECT_EQ(prompts_.Shown.size(), 1u);
  EXPECT_EQ(ImageForm()->PictureFileName(), Name(2));
  EXPECT_EQ(Bench().VolShift().Get(2).FirstCharX, kSampleFirstCharX);  // found and stored

  // Shown again: the page field empty and in focus, the volume kept.
  MainForm()->findChild<QAction*>("ToolbarButton9718")->trigger();
  QApplication::setActiveWindow(LoadPictureForm());
  EXPECT_EQ(LoadPictureForm()->edVol()->text(), "1");
  EXPECT_EQ(LoadPictureForm()->edPage()->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), LoadPictureForm()->edPage());
}

TEST_F(PageDialogsTest, TheScaleDialogPutsTheScaleInForce) {
  ASSERT_EQ(ImageForm()->LoadPicture(1, 0, Name(1), 1), zorvel::PictureLoad::Loaded);
  fmSetRatio()->show();
  fmSetRatio()->findChild<QRadioButton*>("rgRatio2")->click();
  fmSetRatio()->btOkClick();
  EXPECT_FALSE(fmSetRatio()->isVisible());
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadInteger("Picture", "PictureRatio", 0), 50);
  EXPECT_EQ(ImageForm()->ShownSize(), QSize(kSamplePageWidth / 2, kSamplePageHeight / 2));
}

// The run is started from the dialog; the report is modal and closed as soon
// as it is up.
TEST_F(PageDialogsTest, ARunReportsTheMissingPageAndGoesOn) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(Name(2))));
  const int decoded = ImageForm()->DecodeCount();
  fmAutoLoadPicture()->show();
  fmAutoLoadPicture()->edVol()->setText("1");
  fmAutoLoadPicture()->edFromPage()->setText("1");
  fmAutoLoadPicture()->edToPage()->setText("3");
  bool reportModal = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!fmAutoLoadReport()->isVisible()) return;
    reportModal = fmAutoLoadReport()->isModal();
    fmAutoLoadReport()->findChild<QPushButton*>("Button1")->click();
  });
  closer.start(20);
  fmAutoLoadPicture()->btStartClick();
  closer.stop();
  EXPECT_TRUE(reportModal);
  EXPECT_EQ(fmAutoLoadReport()->Lines(), QStringList({U("檔案不存在 : ") + QString::fromStdString(Name(2))}));
  EXPECT_EQ(ImageForm()->DecodeCount(), decoded + 2);
  EXPECT_EQ(Bench().VolShift().Get(3).FirstCharX, kSampleFirstCharX);
  EXPECT_EQ(fmAutoLoadPicture()->ProgressText()->text(), "3 / 3");
}

}  // namespace
}  // namespace zorvel::test
