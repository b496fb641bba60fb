#include "ui/dialogs/auto_load_picture_form.h"

#include <QApplication>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/pages/auto_load.h"
#include "ui/dialogs/auto_load_report_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::U;

namespace {

QLabel* NewLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(U(text), parent);
  label->setObjectName(name);
  return label;
}

constexpr int kProgressSteps = 1000;

}  // namespace

TfmAutoLoadPicture::TfmAutoLoadPicture(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("fmAutoLoadPicture");
  setWindowTitle(U("連續載入圖檔"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));

  QLabel* title = NewLabel("Label1", "連續載入圖檔", this);
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 4);
  title->setFont(big);

  edVol_ = new QLineEdit(this);
  edVol_->setObjectName("edVol");
  edFromPage_ = new QLineEdit(this);
  edFromPage_->setObjectName("edFromPage");
  edToPage_ = new QLineEdit(this);
  edToPage_->setObjectName("edToPage");

  auto* grid = new QGridLayout;
  grid->addWidget(NewLabel("Label2", "冊別 :", this), 0, 0);
  grid->addWidget(edVol_, 0, 1);
  grid->addWidget(NewLabel("Label3", "從第", this), 1, 0);
  grid->addWidget(edFromPage_, 1, 1);
  grid->addWidget(NewLabel("Label4", "頁", this), 1, 2);
  grid->addWidget(NewLabel("Label5", "至", this), 2, 0, Qt::AlignRight);
  grid->addWidget(edToPage_, 2, 1);
  grid->addWidget(NewLabel("Label6", "頁", this), 2, 2);

  auto* frame = new QGroupBox(this);
  auto* frameLayout = new QVBoxLayout(frame);
  QLabel* note =
      NewLabel("Label7", "本功能僅連續載入圖檔，每一頁是否自動設定右上角資訊，皆由選項中之設定為主。", frame);
  note->setWordWrap(true);
  frameLayout->addWidget(note);

  progress_ = new QProgressBar(this);
  progress_->setObjectName("pbProgress");
  progress_->setRange(0, kProgressSteps);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progressText_ = new QLabel(this);
  progressText_->setObjectName("lbProgress");
  progressText_->setMinimumWidth(fontMetrics().horizontalAdvance("00000 / 00000"));
  progressText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progress_, 1);
  progressRow->addWidget(progressText_);

  btStart_ = new QPushButton(U("開始"), this);
  btStart_->setObjectName("btStart");
  btStart_->setDefault(true);
  btStop_ = new QPushButton(U("停止"), this);
  btStop_->setObjectName("btStop");
  btStop_->setAutoDefault(false);
  btExit_ = new QPushButton(U("離開"), this);
  btExit_->setObjectName("btExit");
  btExit_->setAutoDefault(false);
  connect(btStart_, &QPushButton::clicked, this, &TfmAutoLoadPicture::btStartClick);
  connect(btStop_, &QPushButton::clicked, this, &TfmAutoLoadPicture::btStopClick);
  connect(btExit_, &QPushButton::clicked, this, &TfmAutoLoadPicture::btExitClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btStart_);
  buttons->addWidget(btStop_);
  buttons->addWidget(btExit_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addLayout(grid);
  layout->addWidget(frame);
  layout->addLayout(progressRow);
  layout->addLayout(buttons);
  setFixedWidth(sizeHint().width() + 40);
  note->setMinimumHeight(note->heightForWidth(width() - 60));
}

void TfmAutoLoadPicture::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TfmAutoLoadPicture::FormShow() {
  btStop_->setEnabled(running_);
}

void TfmAutoLoadPicture::ShowProgress(qint64 done, qint64 total) {
  progress_->setValue(total > 0 ? static_cast<int>(done * kProgressSteps / total) : 0);
  progressText_->setText(QString("%1 / %2").arg(done).arg(total));
}

void TfmAutoLoadPicture::btStartClick() {
  if (running_) return;
  zorvel::AutoLoadRange range;
  const zorvel::AutoLoadField bad =
      zorvel::ParseAutoLoadRange(edVol_->text().toStdString(), edFromPage_->text().toStdString(),
                                 edToPage_->text().toStdString(), range);
  if (bad != zorvel::AutoLoadField::None) {
    bench_.Prompts().Message(zorvel::AutoLoadFieldMessage(bad));
    QLineEdit* field = bad == zorvel::AutoLoadField::Volume      ? edVol_
                       : bad == zorvel::AutoLoadField::FirstPage ? edFromPage_
                                                                 : edToPage_;
    field->setFocus();
    return;
  }

  bench_.fmAutoLoadReport().Clear();
  StopRequested = false;
  running_ = true;
  btStop_->setEnabled(true);
  btStop_->setFocus();
  btStart_->setEnabled(false);

  TImageForm* image = &bench_.ImageForm();
  zorvel::AutoLoadRun run(bench_.Settings(), *image, range);
  run.BeforeShow = [image] {
    image->SetVertScrollPos(0);
    image->SetHorzScrollPos(image->PageSize().width());
  };
  run.OnReport = [this](const std::string& line) {
    bench_.fmAutoLoadReport().AddLine(QString::fromStdString(line));
  };
  ShowProgress(0, run.PageCount());
  run.Run([this, &run] {
    if (run.PagesDone() > 0) {
      ShowProgress(run.PagesDone(), run.PageCount());
      emit PageHandled(run.PagesDone(), run.PageCount());
    }
    // The windows repaint and the buttons respond here, between two pages.
    QApplication::processEvents(QEventLoop::AllEvents);
    return StopRequested;
  });
  if (run.Finished() && run.PagesDone() > 0) {
    ShowProgress(run.PagesDone(), run.PageCount());
    emit PageHandled(run.PagesDone(), run.PageCount());
  }

  running_ = false;
  btStart_->setEnabled(true);
  btStart_->setFocus();
  btStop_->setEnabled(false);
  if (bench_.fmAutoLoadReport().LineCount() > 0) bench_.fmAutoLoadReport().exec();
}

void TfmAutoLoadPicture::btStopClick() {
  StopRequested = true;
}

void TfmAutoLoadPicture::btExitClick() {
  StopRequested = true;
  QDialog::reject();
}

void TfmAutoLoadPicture::reject() {
  // Closing the window (Esc, the close box) leaves like "離開".
  btExitClick();
}
