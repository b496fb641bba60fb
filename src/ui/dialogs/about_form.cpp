#include "ui/dialogs/about_form.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/shell/qt_strings.h"

using zorvel::ui::U;

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutForm");
  setWindowTitle(U("關於Zorvel程式"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));

  auto* icon = new QLabel(this);
  icon->setObjectName("ProgramIcon");
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  auto* name = new QLabel(U("Zorvel程式"), this);
  name->setObjectName("ProductName");
  QFont big = name->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  name->setFont(big);
  auto* version = new QLabel(U("版本 %1").arg(kZorvelVersion), this);
  version->setObjectName("Version");
  auto* comment = new QLabel(U("大正藏數位化文字的校對工具"), this);
  comment->setObjectName("Comments");

  auto* button1 = new QPushButton(U("確 定"), this);
  button1->setObjectName("Button1");
  button1->setDefault(true);
  connect(button1, &QPushButton::clicked, this, &TAboutForm::Close);

  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(version);
  text->addWidget(comment);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutForm::Close() {
  accept();
}
