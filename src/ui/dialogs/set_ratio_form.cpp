#include "ui/dialogs/set_ratio_form.h"

#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/settings/settings_entry.h"
#include "ui/image/image_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::U;

TfmSetRatio::TfmSetRatio(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("fmSetRatio");
  setWindowTitle(U("設定圖形比例"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));

  auto* group = new QGroupBox(U(" 圖形大小比例 "), this);
  group->setObjectName("rgRatio");
  auto* groupLayout = new QVBoxLayout(group);
  rgRatio_ = new QButtonGroup(group);
  const char* captions[5] = {"100 %", " 75 %", " 50 %", " 25 %", "自訂比例"};
  for (int i = 0; i < 5; ++i) {
    items_[i] = new QRadioButton(U(captions[i]), group);
    items_[i]->setObjectName(QString("rgRatio%1").arg(i));
    rgRatio_->addButton(items_[i], i);
    groupLayout->addWidget(items_[i]);
  }
  connect(rgRatio_, &QButtonGroup::idClicked, this, [this](int) { rgRatioClick(); });

  label1_ = new QLabel(U("大小比例："), this);
  label1_->setObjectName("Label1");
  edRatio_ = new QLineEdit(this);
  edRatio_->setObjectName("edRatio");
  label2_ = new QLabel(U("%"), this);
  label2_->setObjectName("Label2");
  auto* custom = new QHBoxLayout;
  custom->addWidget(label1_);
  custom->addWidget(edRatio_);
  custom->addWidget(label2_);

  btOk_ = new QPushButton(U("確定"), this);
  btOk_->setObjectName("btOk");
  btOk_->setDefault(true);
  btCancel_ = new QPushButton(U("取消"), this);
  btCancel_->setObjectName("btCancel");
  btCancel_->setAutoDefault(false);
  connect(btOk_, &QPushButton::clicked, this, &TfmSetRatio::btOkClick);
  connect(btCancel_, &QPushButton::clicked, this, &TfmSetRatio::btCancelClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btOk_);
  buttons->addWidget(btCancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(custom);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TfmSetRatio::ItemIndex() const {
  return rgRatio_->checkedId();
}

void TfmSetRatio::SetItemIndex(int index) {
  if (index >= 0 && index < int(items_.size())) items_[index]->setChecked(true);
  rgRatioClick();
}

void TfmSetRatio::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TfmSetRatio::FormShow() {
  edRatio_->clear();
  const int ratio = bench_.Settings().PictureRatio;
  const int preset = zorvel::PresetRatioIndex(ratio);
  if (preset >= 0) {
    SetItemIndex(preset);
  } else {
    edRatio_->setText(QString::number(ratio));
    SetItemIndex(kCustomItem);
  }
}

void TfmSetRatio::rgRatioClick() {
  const bool custom = ItemIndex() == kCustomItem;
  edRatio_->setEnabled(custom);
  label1_->setEnabled(custom);
  label2_->setEnabled(custom);
}

void TfmSetRatio::btOkClick() {
  int percentage = zorvel::PresetRatio(ItemIndex());
  if (ItemIndex() == kCustomItem) {
    const std::string text = edRatio_->text().toStdString();
    if (!zorvel::ParseEnteredInteger(text, percentage)) {
      bench_.Prompts().Error(
          zorvel::FieldNotANumberMessage(zorvel::EntryFieldCaption(zorvel::EntryField::PictureRatio), text));
      edRatio_->setFocus();
      return;
    }
  }
  // Refused also when no item is selected at all (0).
  if (const zorvel::EntryResult range = zorvel::CheckPictureRatio(percentage); !range.Ok()) {
    bench_.Prompts().Message(zorvel::EntryResultMessage(range));
    edRatio_->setFocus();
    return;
  }
  bench_.Settings().PictureRatio = percentage;
  bench_.SaveSettings();
  bench_.ImageForm().Rescale(percentage);
  bench_.ImageForm().FormResize();
  accept();
}

void TfmSetRatio::btCancelClick() {
  reject();
}
