#include "ui/dialogs/ask_replace_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

TfmAskReplace::TfmAskReplace(QWidget* parent) : QDialog(parent) {
  setObjectName("fmAskReplace");
  setWindowTitle(U("確定要取代字串嗎?"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  QFont font(U("細明體"));
  font.setPixelSize(16);
  setFont(font);
  setFixedSize(260, 94);
  move(241, 212);

  auto* label1 = new QLabel(U("將字串"), this);
  label1->setGeometry(8, 10, 60, 20);
  edSource = new QLineEdit(this);
  edSource->setObjectName("edSource");
  edSource->setReadOnly(true);
  edSource->setGeometry(72, 8, 177, 24);
  auto* label2 = new QLabel(U("取代成"), this);
  label2->setGeometry(8, 34, 60, 20);
  edDest = new QLineEdit(this);
  edDest->setObjectName("edDest");
  edDest->setGeometry(72, 32, 177, 24);
  label1->setBuddy(edSource);
  label2->setBuddy(edDest);

  btReplace = new QPushButton(U("取代"), this);
  btReplace->setObjectName("btReplace");
  btReplace->setGeometry(8, 64, 65, 25);
  btReplace->setDefault(true);
  Button2 = new QPushButton(U("不取代"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(96, 64, 65, 25);
  Button3 = new QPushButton(U("中止"), this);
  Button3->setObjectName("Button3");
  Button3->setGeometry(184, 64, 65, 25);
  for (QPushButton* b : {Button2, Button3}) b->setAutoDefault(false);

  connect(btReplace, &QPushButton::clicked, this, &TfmAskReplace::btReplaceClick);
  connect(Button2, &QPushButton::clicked, this, &TfmAskReplace::Skip);
  connect(Button3, &QPushButton::clicked, this, &TfmAskReplace::Abort);
}

TfmAskReplace::~TfmAskReplace() = default;

zorvel::ReplaceAnswer TfmAskReplace::Ask(const zorvel::ReplaceQuestion& question) {
  edSource->setText(FromBig5(question.Source));
  edDest->setText(FromBig5(question.Dest));
  exec();
  zorvel::ReplaceAnswer answer;
  answer.AskResult = AskResult;
  answer.Dest = ToBig5(edDest->text());
  return answer;
}

void TfmAskReplace::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfmAskReplace::FormShow() {
  AskResult = zorvel::ReplaceDecision::Skip;
  edDest->setFocus();
}

void TfmAskReplace::btReplaceClick() {
  AskResult = zorvel::ReplaceDecision::Replace;
  accept();
}

void TfmAskReplace::Skip() {
  AskResult = zorvel::ReplaceDecision::Skip;
  reject();
}

void TfmAskReplace::Abort() {
  AskResult = zorvel::ReplaceDecision::Abort;
  reject();
}
