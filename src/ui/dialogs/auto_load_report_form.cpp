#include "ui/dialogs/auto_load_report_form.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmAutoLoadReport::TfmAutoLoadReport(QWidget* parent) : QDialog(parent) {
  setObjectName("fmAutoLoadReport");
  setWindowTitle(QString::fromUtf8("報告"));
  // The program's Ming face, so that Chinese texts keep even widths.
  setFont(QFont(QString::fromUtf8("細明體"), 12));

  auto* label1 = new QLabel(QString::fromUtf8("自動載入圖檔的錯誤報告 :"), this);
  label1->setObjectName("Label1");
  mmReport_ = new QPlainTextEdit(this);
  mmReport_->setObjectName("mmReport");
  mmReport_->setReadOnly(true);
  mmReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mmReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  button1_ = new QPushButton(QString::fromUtf8("確定"), this);
  button1_->setObjectName("Button1");
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &TfmAutoLoadReport::Close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1);
  layout->addWidget(mmReport_, 1);
  layout->addLayout(buttons);
  resize(520, 320);
}

void TfmAutoLoadReport::Clear() {
  mmReport_->clear();
  lines_ = 0;
}

void TfmAutoLoadReport::AddLine(const QString& line) {
  mmReport_->appendPlainText(line);
  ++lines_;
}

QStringList TfmAutoLoadReport::Lines() const {
  if (lines_ == 0) return {};
  return mmReport_->toPlainText().split('\n');
}

void TfmAutoLoadReport::Close() {
  accept();
}
