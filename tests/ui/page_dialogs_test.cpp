// The page dialogs on the sample workspace: opening one page, the scale, the
// run of pages with its report.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "core/pages/picture_file_name.h"
#include "core/pages/vol_shift.h"
#include "core/settings/ini_file.h"
#include "image_sample.h"
#include "pagegen/page_generator.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/auto_load_report_form.h"
#include "ui/image/image_form.h"
#include "ui/dialogs/load_picture_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/set_ratio_form.h"

namespace zorvel::test {
namespace {

class PageDialogsTest : public SampleWorkspaceTest {
 protected:
  void SetUp() override {
    SampleWorkspaceTest::SetUp();
    Start();
  }
  // The file of a page of volume 1, as the dialogs name it (sutra 0).
  std::string Name(int page) const {
    std::string name;
    CheckPictureFile(OptionForm()->Settings, 1, 0, page, name);
    return name;
  }
  // Starts a run of pages from..to with the dialog shown as its menu item
  // shows it; the report, if any, is closed as soon as it is up.
  QStringList Run(const char* from, const char* to, std::function<void(qint64)> afterPage = nullptr) {
    fmAutoLoadPicture()->show();
    fmAutoLoadPicture()->edVol()->setText("1");
    fmAutoLoadPicture()->edFromPage()->setText(from);
    fmAutoLoadPicture()->edToPage()->setText(to);
    QMetaObject::Connection c = QObject::connect(fmAutoLoadPicture(), &TfmAutoLoadPicture::PageHandled,
                                                 [&, afterPage](qint64 done, qint64 total) {
                                                   pagesSeen_.push_back(done);
                                                   if (afterPage) afterPage(done);
                                                   if (done == total)
                                                     QTimer::singleShot(0, [] { CloseReport(); });
                                                 });
    reportShown_ = false;
    QTimer::singleShot(0, [] {});  // nothing pending from earlier tests
    // A stopped run ends before its last page: close the report then too.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] { CloseReport(); });
    closer.start(20);
    fmAutoLoadPicture()->btStartClick();
    closer.stop();
    QObject::disconnect(c);
    return fmAutoLoadReport()->Lines();
  }
  static void CloseReport() {
    if (fmAutoLoadReport()->isVisible()) {
      reportShown_ = true;
      reportModal_ = fmAutoLoadReport()->isModal();
      fmAutoLoadReport()->findChild<QPushButton*>("Button1")->click();
    }
  }

  std::vector<qint64> pagesSeen_;
  static inline bool reportShown_ = false;
  static inline bool reportModal_ = false;
};

TEST_F(PageDialogsTest, TheLoadPageDialogLoadsOnePageAndKeepsTheVolume) {
  MainForm()->findChild<QAction*>("N14")->trigger();
  EXPECT_FALSE(LoadPictureForm()->isModal());

  LoadPictureForm()->edVol()->setText("v");
  LoadPictureForm()->edPage()->setText("2");
  LoadPictureForm()->btOkClick();
  EXPECT_EQ(prompts_.Shown.back(), "冊別欄要填入數字 : 'v' is not a valid integer value");
  LoadPictureForm()->edVol()->setText("1");
  for (auto [page, message] :
       {std::pair{"4", "錯誤 : 檔案 " + Name(4) + " 不存在 !"},
        std::pair{"5", "開啟圖檔失敗!\n檔案 : " + Name(5) + "\n原因 : TIFF 檔頭不完整或已損壞"},
        std::pair{"x", std::string("頁數欄要填入數字 : 'x' is not a valid integer value")}}) {
    SCOPED_TRACE(page);
    LoadPictureForm()->edPage()->setText(page);
    LoadPictureForm()->btOkClick();
    EXPECT_EQ(prompts_.Shown.back(), message);
    EXPECT_TRUE(LoadPictureForm()->isVisible());
  }
  EXPECT_EQ(ImageForm()->PictureFileName(), "");

  LoadPictureForm()->edPage()->setText("2");
  LoadPictureForm()->btOkClick();
  EXPECT_FALSE(LoadPictureForm()->isVisible());
  EXPECT_EQ(prompts_.Shown.size(), 4u);
  EXPECT_EQ(ImageForm()->PictureFileName(), Name(2));
  EXPECT_EQ(ImageForm()->PicturePage(), 2);
  // Found and stored; the view at the top right; no marker.
  EXPECT_EQ(Bench().VolShift().Get(2).FirstCharX, kSampleFirstCharX);
  EXPECT_EQ(ImageForm()->VertScrollPos(), 0);
  EXPECT_EQ(ImageForm()->HorzScrollPos(), ImageForm()->PageArea()->horizontalScrollBar()->maximum());
  EXPECT_EQ(ImageForm()->MarkerX(), -1);

  // Shown again: the page field empty and in focus, the volume kept.
  MainForm()->findChild<QAction*>("ToolbarButton9718")->trigger();
  QApplication::setActiveWindow(LoadPictureForm());
  EXPECT_EQ(LoadPictureForm()->edVol()->text(), "1");
  EXPECT_EQ(LoadPictureForm()->edPage()->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), LoadPictureForm()->edPage());
}

TEST_F(PageDialogsTest, TheScaleDialogShowsSavesAndRefuses) {
  OptionForm()->Settings.PictureRatio = 60;
  fmSetRatio()->show();
  EXPECT_EQ(fmSetRatio()->ItemIndex(), TfmSetRatio::kCustomItem);
  EXPECT_EQ(fmSetRatio()->edRatio()->text(), "60");
  EXPECT_TRUE(fmSetRatio()->edRatio()->isEnabled());
  fmSetRatio()->findChild<QRadioButton*>("rgRatio1")->click();
  EXPECT_FALSE(fmSetRatio()->edRatio()->isEnabled());
  fmSetRatio()->findChild<QRadioButton*>("rgRatio4")->click();

  // A refused scale leaves it in force and the dialog open.
  fmSetRatio()->edRatio()->setText("0");
  fmSetRatio()->btOkClick();
  EXPECT_TRUE(fmSetRatio()->isVisible());
  EXPECT_EQ(prompts_.Shown, std::vector<std::string>{"錯誤 : 圖形比例必須大於 0 !"});
  EXPECT_EQ(OptionForm()->Settings.PictureRatio, 60);

  // Accepted: in force, saved at once, and the page shown at that scale.
  std::string name = Name(1);
  ASSERT_EQ(ImageForm()->LoadPicture(1, 0, name, 1), zorvel::PictureLoad::Loaded);
  fmSetRatio()->findChild<QRadioButton*>("rgRatio2")->click();
  fmSetRatio()->btOkClick();
  EXPECT_FALSE(fmSetRatio()->isVisible());
  EXPECT_EQ(OptionForm()->Settings.PictureRatio, 50);
  EXPECT_EQ(IniFile(dir_.File("zorvel.ini")).ReadInteger("Picture", "PictureRatio", 0), 50);
  EXPECT_EQ(ImageForm()->ShownSize(), QSize(kSamplePageWidth / 2, kSamplePageHeight / 2));

  // The popup item opens it modally.
  bool modal = false;
  QTimer::singleShot(0, [&] {
    modal = fmSetRatio()->isVisible() && fmSetRatio()->isModal();
    fmSetRatio()->btCancelClick();
  });
  ImageForm()->findChild<QAction*>("N7")->trigger();
  EXPECT_TRUE(modal);
}

TEST_F(PageDialogsTest, ARunReportsTheMissingPageAndGoesOn) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(Name(2))));
  const int decoded = ImageForm()->DecodeCount();
  const QStringList report = Run("1", "3");
  EXPECT_EQ(report, QStringList({U("檔案不存在 : ") + QString::fromStdString(Name(2))}));
  EXPECT_TRUE(reportShown_);
  EXPECT_TRUE(reportModal_);
  EXPECT_EQ(ImageForm()->DecodeCount(), decoded + 2);
  EXPECT_EQ(Bench().VolShift().Get(3).FirstCharX, kSampleFirstCharX);
  EXPECT_EQ(pagesSeen_, (std::vector<qint64>{1, 2, 3}));
  EXPECT_EQ(fmAutoLoadPicture()->ProgressText()->text(), "3 / 3");
}

}  // namespace
}  // namespace zorvel::test
