#include "ui/text/find_replace_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

TFindReplaceDialog::TFindReplaceDialog(zorvel::TextEditor& editor, zorvel::Prompts& prompts, QWidget* parent)
    : QDialog(parent), editor_(editor), prompts_(prompts) {
  setObjectName("ReplaceDialog");
  setWindowTitle(U("取代"));
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* findLabel = new QLabel(U("尋找目標(&N):"), this);
  edFindText = new QLineEdit(this);
  edFindText->setObjectName("edFindText");
  findLabel->setBuddy(edFindText);
  auto* replaceLabel = new QLabel(U("取代為(&P):"), this);
  edReplaceText = new QLineEdit(this);
  edReplaceText->setObjectName("edReplaceText");
  replaceLabel->setBuddy(edReplaceText);
  cbWholeWord = new QCheckBox(U("全字拼寫須相符(&W)"), this);
  cbWholeWord->setObjectName("cbWholeWord");
  cbMatchCase = new QCheckBox(U("大小寫須相符(&C)"), this);
  cbMatchCase->setObjectName("cbMatchCase");
  auto* direction = new QGroupBox(U("方向"), this);
  direction->setObjectName("rgDirection");
  rbUp = new QRadioButton(U("向上(&U)"), direction);
  rbUp->setObjectName("rbUp");
  rbDown = new QRadioButton(U("向下(&D)"), direction);
  rbDown->setObjectName("rbDown");
  rbDown->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(rbUp);
  directionLayout->addWidget(rbDown);

  btFindNext = new QPushButton(U("找下一個(&F)"), this);
  btFindNext->setObjectName("btFindNext");
  btFindNext->setDefault(true);
  btReplace = new QPushButton(U("取代(&R)"), this);
  btReplace->setObjectName("btReplace");
  btReplaceAll = new QPushButton(U("全部取代(&A)"), this);
  btReplaceAll->setObjectName("btReplaceAll");
  btCancel = new QPushButton(U("取消"), this);
  btCancel->setObjectName("btCancel");
  for (QPushButton* b : {btReplace, btReplaceAll, btCancel}) b->setAutoDefault(false);

  auto* fields = new QGridLayout;
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(edFindText, 0, 1);
  fields->addWidget(replaceLabel, 1, 0);
  fields->addWidget(edReplaceText, 1, 1);
  auto* options = new QVBoxLayout;
  options->addWidget(cbWholeWord);
  options->addWidget(cbMatchCase);
  auto* lower = new QHBoxLayout;
  lower->addLayout(options);
  lower->addWidget(direction);
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(lower);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  for (QPushButton* b : {btFindNext, btReplace, btReplaceAll, btCancel}) right->addWidget(b);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);

  connect(btFindNext, &QPushButton::clicked, this, &TFindReplaceDialog::ReplaceDialogFind);
  connect(btReplace, &QPushButton::clicked, this, [this] { ReplaceDialogReplace(false); });
  connect(btReplaceAll, &QPushButton::clicked, this, [this] { ReplaceDialogReplace(true); });
  connect(btCancel, &QPushButton::clicked, this, &QDialog::close);
}

TFindReplaceDialog::~TFindReplaceDialog() = default;

zorvel::FindOptions TFindReplaceDialog::Options() const {
  zorvel::FindOptions options;
  options.MatchCase = cbMatchCase->isChecked();
  options.WholeWord = cbWholeWord->isChecked();
  return options;
}

void TFindReplaceDialog::PresetFromSelection() {
  if (editor_.SelLength() != 0) edFindText->setText(FromBig5(editor_.SelectedBytes()));
  steps_.Opened();
  show();
  raise();
  activateWindow();
  edFindText->setFocus();
  edFindText->selectAll();
}

void TFindReplaceDialog::ReplaceDialogFind() {
  steps_.ReplaceDialogFind(editor_, prompts_, ToBig5(edFindText->text()), Options());
}

void TFindReplaceDialog::ReplaceDialogReplace(bool replaceAll) {
  steps_.ReplaceDialogReplace(editor_, prompts_, ToBig5(edFindText->text()), ToBig5(edReplaceText->text()),
                              Options(), replaceAll);
}
