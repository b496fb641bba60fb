#include "ui/dialogs/replace_form.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/text/text_document.h"
#include "core/text/text_file.h"
#include "core/text/unsaved_changes.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_form.h"

using zorvel::ui::ToBig5;
using zorvel::ui::U;

TfmReplace::TfmReplace(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("fmReplace");
  setWindowTitle(U("字串取代"));
  setModal(true);
  QFont font(U("細明體"));
  font.setPixelSize(16);
  setFont(font);
  setGeometry(214, 165, 523, 402);

  Memo = new zorvel::QtTextEditor(this);
  Memo->setObjectName("Memo");
  Memo->SetMaxLength(zorvel::kMaxTextLength);
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette p = Memo->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  Memo->setPalette(p);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setFixedWidth(185);

  btLoadFile = new QPushButton(U("讀入字串表"), Panel1);
  btLoadFile->setObjectName("btLoadFile");
  btLoadFile->setGeometry(8, 8, 105, 25);
  btSaveFile = new QPushButton(U("儲存字串表"), Panel1);
  btSaveFile->setObjectName("btSaveFile");
  btSaveFile->setGeometry(8, 40, 105, 25);
  GroupBox1 = new QGroupBox(Panel1);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 112, 161, 89);
  cbShowPicture = new QCheckBox(U("是否秀圖"), GroupBox1);
  cbShowPicture->setObjectName("cbShowPicture");
  cbShowPicture->setGeometry(8, 16, 140, 20);
  auto* splitLabel = new QLabel(U("字串分隔字元"), GroupBox1);
  splitLabel->setGeometry(8, 50, 104, 20);
  edSplitChar = new QLineEdit(U("＝"), GroupBox1);
  edSplitChar->setObjectName("edSplitChar");
  edSplitChar->setGeometry(112, 48, 41, 24);
  splitLabel->setBuddy(edSplitChar);
  btOk = new QPushButton(U("確定"), Panel1);
  btOk->setObjectName("btOk");
  btOk->setGeometry(56, 312, 75, 33);
  for (QPushButton* b : {btLoadFile, btSaveFile, btOk}) b->setAutoDefault(false);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo, 1);
  layout->addWidget(Panel1);

  connect(btLoadFile, &QPushButton::clicked, this, &TfmReplace::btLoadFileClick);
  connect(btSaveFile, &QPushButton::clicked, this, [this] { btSaveFileClick(); });
  connect(btOk, &QPushButton::clicked, this, &TfmReplace::btOkClick);

  OpenFileNameHook = [this] { return QFileDialog::getOpenFileName(this); };
  SaveFileNameHook = [this](const QString& preset) {
    return QFileDialog::getSaveFileName(this, QString(), preset);
  };
  ShowWordHook = [this] { return bench_.TextForm().ShowWord(); };
}

TfmReplace::~TfmReplace() {}

void TfmReplace::btLoadFileClick() {
  // A cancelled save dialog goes on to the open dialog; a refused write keeps
  // the edits.
  if (!zorvel::SettleUnsavedChanges(
          Memo->Modified(), zorvel::kReplaceTableModified, bench_.Prompts(), [this] { return SaveTable(); },
          zorvel::AfterCancelledSave::GoOn)) {
    return;
  }
  const QString path = OpenFileNameHook ? OpenFileNameHook() : QString();
  if (path.isEmpty()) return;
  std::string bytes;
  std::string message;
  if (!zorvel::ReadTextForEditing(path.toUtf8().toStdString(), bytes, message)) {
    bench_.Prompts().Error(message);
    return;
  }
  ReplaceFileName = path;
  Memo->SetText(bytes);
  Memo->SetModified(false);
}

bool TfmReplace::btSaveFileClick() {
  return SaveTable() == zorvel::SaveResult::Saved;
}

zorvel::SaveResult TfmReplace::SaveTable() {
  const QString path = SaveFileNameHook ? SaveFileNameHook(ReplaceFileName) : QString();
  if (path.isEmpty()) return zorvel::SaveResult::Cancelled;
  const std::string native = path.toUtf8().toStdString();
  std::string reason;
  if (!zorvel::WriteTextFileAtomically(native, Memo->Text(), reason)) {
    bench_.Prompts().Error("無法儲存檔案 " + native + " : " + reason);
    return zorvel::SaveResult::Failed;
  }
  ReplaceFileName = path;
  Memo->SetModified(false);
  return zorvel::SaveResult::Saved;
}

bool TfmReplace::BuildFromEditor() {
  zorvel::ui::BusyCursor wait;
  const std::string split = ToBig5(edSplitChar->text());
  const zorvel::ReplaceConfirm result =
      zorvel::ConfirmReplaceTable(Memo->Text(), split, bench_.ReplaceTable(), bench_.Prompts());
  if (!result.Built && !result.Close) {
    if (Memo->TextLength() != 0 && split.empty()) edSplitChar->setFocus();
  }
  return result.Close;
}

void TfmReplace::btOkClick() {
  if (!BuildFromEditor()) return;
  closing_ = true;
  accept();
  closing_ = false;
}

void TfmReplace::done(int result) {
  // Closed by the close box or Esc: build the table as 確定 does; the window
  // closes whatever the build says.
  if (!closing_) BuildFromEditor();
  QDialog::done(result);
}

const zorvel::ReplaceTable& TfmReplace::Table() const {
  return bench_.ReplaceTable();
}

void TfmReplace::RunReplaceTable() {
  std::function<bool()> showWord;
  if (cbShowPicture->isChecked() && ShowWordHook) showWord = ShowWordHook;
  zorvel::RunReplaceTable(bench_.ReplaceTable(), bench_.TextForm().Editor(), bench_.Prompts(), showWord,
                          bench_.TextForm().Decisions(), bench_.Settings().LineHeadLength);
}

void TfmReplace::ReleaseTable() {
  bench_.ReplaceTable().Clear();
}
