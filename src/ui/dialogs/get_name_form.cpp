#include "ui/dialogs/get_name_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfmGetName::TfmGetName(QWidget* parent) : QDialog(parent) {
  setObjectName("fmGetName");
  setWindowTitle(QString::fromUtf8("請輸入名稱"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  QFont font(QString::fromUtf8("細明體"));
  font.setPixelSize(16);
  setFont(font);
  setFixedSize(209, 115);
  move(246, 268);

  Label1 = new QLabel(QString::fromUtf8("請輸入書籤的名稱 : "), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(12, 12, 185, 20);
  edName = new QLineEdit(this);
  edName->setObjectName("edName");
  edName->setGeometry(12, 40, 185, 24);
  Label1->setBuddy(edName);
  Button1 = new QPushButton(QString::fromUtf8("確定"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(20, 78, 75, 25);
  Button1->setDefault(true);
  Button2 = new QPushButton(QString::fromUtf8("消取"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(114, 78, 75, 25);
  Button2->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TfmGetName::TakeName);
  connect(Button2, &QPushButton::clicked, this, &TfmGetName::Cancel);
}

TfmGetName::~TfmGetName() {}

void TfmGetName::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfmGetName::FormShow() {
  edName->clear();
  Cancelled = true;
  edName->setFocus();
}

void TfmGetName::TakeName() {
  // The name is taken as typed; an empty one counts as cancel.
  if (!edName->text().isEmpty()) Cancelled = false;
  accept();
}

void TfmGetName::Cancel() {
  reject();
}
