#include "ui/dialogs/load_picture_form.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/pages/auto_load.h"
#include "core/settings/settings_entry.h"
#include "ui/image/image_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::U;

TLoadPictureForm::TLoadPictureForm(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("LoadPictureForm");
  setWindowTitle(U("載入圖檔"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));
  setModal(false);

  auto* label1 = new QLabel(U("冊別 : "), this);
  label1->setObjectName("Label1");
  auto* label2 = new QLabel(U("頁數 : "), this);
  label2->setObjectName("Label2");
  edVol_ = new QLineEdit(this);
  edVol_->setObjectName("edVol");
  edPage_ = new QLineEdit(this);
  edPage_->setObjectName("edPage");
  btOk_ = new QPushButton(U("確定"), this);
  btOk_->setObjectName("btOk");
  btOk_->setDefault(true);
  btCancel_ = new QPushButton(U("取消"), this);
  btCancel_->setObjectName("btCancel");
  btCancel_->setAutoDefault(false);
  connect(btOk_, &QPushButton::clicked, this, &TLoadPictureForm::btOkClick);
  connect(btCancel_, &QPushButton::clicked, this, &TLoadPictureForm::btCancelClick);

  auto* grid = new QGridLayout;
  grid->addWidget(label1, 0, 0);
  grid->addWidget(edVol_, 0, 1);
  grid->addWidget(label2, 1, 0);
  grid->addWidget(edPage_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btOk_);
  buttons->addWidget(btCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLoadPictureForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TLoadPictureForm::FormShow() {
  edPage_->clear();
  edPage_->setFocus();
}

void TLoadPictureForm::btOkClick() {
  int volume = 0;
  int page = 0;
  const struct {
    QLineEdit* field;
    int* value;
    const char* caption;
  } fields[] = {{edVol_, &volume, "冊別"}, {edPage_, &page, "頁數"}};
  for (auto [field, value, caption] : fields) {
    const std::string text = field->text().toStdString();
    if (!zorvel::ParseEnteredInteger(text, *value)) {
      bench_.Prompts().Error(zorvel::FieldNotANumberMessage(caption, text));
      field->setFocus();
      return;
    }
  }
  TImageForm* image = &bench_.ImageForm();
  const bool loaded =
      zorvel::LoadSinglePage(bench_.Settings(), *image, bench_.Prompts(), volume, page, [image] {
        image->SetVertScrollPos(0);
        image->SetHorzScrollPos(image->PageSize().width());
      });
  if (loaded) accept();
}

void TLoadPictureForm::btCancelClick() {
  reject();
}
