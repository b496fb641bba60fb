#include "ui/dialogs/field_shift_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/pages/calibration.h"
#include "ui/image/calibration_commands.h"
#include "ui/image/image_form.h"
#include "ui/shell/qt_strings.h"

using zorvel::ui::U;

namespace {
constexpr int kShiftLineCount = 30;
}  // namespace

TFieldShiftForm::TFieldShiftForm(TImageForm& imageForm, QWidget* parent)
    : QDialog(parent), imageForm_(imageForm) {
  setObjectName("FieldShiftForm");
  setWindowTitle(U("欄位位移資訊"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));

  auto* group = new QGroupBox(U("請選擇欄位"), this);
  group->setObjectName("rbFieldShift");
  auto* groupLayout = new QVBoxLayout(group);
  rbFieldShift_ = new QButtonGroup(group);
  const char* captions[3] = {"上欄", "中欄", "下欄"};
  for (int i = 0; i < 3; ++i) {
    items_[i] = new QRadioButton(U(captions[i]), group);
    items_[i]->setObjectName(QString("rbFieldShift%1").arg(i));
    rbFieldShift_->addButton(items_[i], i);
    groupLayout->addWidget(items_[i]);
  }
  items_[0]->setChecked(true);

  auto* label1 = new QLabel(U("移位幾行?"), this);
  label1->setObjectName("Label1");
  cbShiftLine_ = new QComboBox(this);
  cbShiftLine_->setObjectName("cbShiftLine");
  cbShiftLine_->setEditable(false);
  for (int i = 0; i < kShiftLineCount; ++i) cbShiftLine_->addItem(QString::number(i));
  cbShiftLine_->setCurrentIndex(-1);
  cbShiftLine_->setMaxVisibleItems(kShiftLineCount);

  auto* button1 = new QPushButton(U("確定"), this);
  button1->setObjectName("Button1");
  button1->setDefault(true);
  auto* button2 = new QPushButton(U("取消"), this);
  button2->setObjectName("Button2");
  button2->setAutoDefault(false);
  connect(button1, &QPushButton::clicked, this, &TFieldShiftForm::StoreShift);
  connect(button2, &QPushButton::clicked, this, &TFieldShiftForm::Cancel);

  auto* shift = new QVBoxLayout;
  shift->addWidget(label1);
  shift->addWidget(cbShiftLine_);
  shift->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(group);
  top->addLayout(shift);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1);
  buttons->addWidget(button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TFieldShiftForm::FieldIndex() const {
  return rbFieldShift_->checkedId();
}

void TFieldShiftForm::SetFieldIndex(int index) {
  if (index >= 0 && index < int(items_.size())) items_[index]->setChecked(true);
}

void TFieldShiftForm::StoreShift() {
  const QString text = cbShiftLine_->currentText();
  if (text.isEmpty()) return;
  const int lines = text.toInt();
  const int field = FieldIndex();
  // The page on display now: the dialog may have stayed open while the
  // operator went to another page.
  if (field >= 0 && zorvel::MayCalibrate(imageForm_)) {
    zorvel::SetRegisterShift(imageForm_.VolShift(), imageForm_.PicturePage(), zorvel::Register(field), lines);
  }
  accept();
}

void TFieldShiftForm::Cancel() {
  reject();
}
