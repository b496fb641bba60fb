#include "ui/text/text_form.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/pages/page_view.h"
#include "core/proof/line_head_watch.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/text_document.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/application.h"
#include "ui/shell/command_popup.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_recovery.h"

using zorvel::ui::U;

namespace {

// The file dialogs of the document operations, through the form's hooks.
class FormFileDialogs : public zorvel::FileDialogs {
 public:
  explicit FormFileDialogs(TTextForm* form) : form_(form) {}
  std::string OpenFileName() override { return form_->OpenFileNameHook().toUtf8().toStdString(); }
  std::string SaveFileName() override { return form_->SaveFileNameHook().toUtf8().toStdString(); }

 private:
  TTextForm* form_;
};

}  // namespace

struct TTextFormDialogs {
  explicit TTextFormDialogs(TTextForm* form) : dialogs(form) {}
  FormFileDialogs dialogs;
};

TTextForm::TTextForm(Workbench& bench, QWidget* parent)
    : QWidget(parent), dialogs_(std::make_unique<TTextFormDialogs>(this)), bench_(bench) {
  setObjectName("TextForm");
  setWindowTitle(U("(no file)"));
  resize(336, 255);

  editor_ = new zorvel::QtTextEditor(this);
  editor_->setObjectName("RichEdit");
  editor_->SetMaxLength(zorvel::kMaxTextLength);
  zorvel::InstallFontSubstitutions();
  QFont font(U("細明體"));
  font.setPixelSize(16);
  editor_->setFont(font);
  QPalette p = editor_->palette();
  p.setColor(QPalette::Text, Qt::black);
  editor_->setPalette(p);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(editor_);

  editor_->OnCharactersReplaced = [this](int count) { emit CharactersReplaced(count); };
  editor_->OnTooLong = [this] { bench_.Prompts().Message(zorvel::TextTooLongMessage()); };
  // A second Enter meant for the choice window does not break the line.
  editor_->DropsEnter = [this] {
    return proofreader_ && proofreader_->EnterGuard.DropsEnter(zorvel::EnterGuard::Clock::now());
  };
  // A line break typed or taken out where line heads stand is told on the status line.
  editor_->BeforeOperatorEdit = [this] { lineHeadWatch_.emplace(*editor_, CurrentSettings()); };
  editor_->AfterOperatorEdit = [this] {
    if (!lineHeadWatch_) return;
    const std::string_view note = zorvel::LineHeadEditNote(lineHeadWatch_->Check());
    lineHeadWatch_.reset();
    if (!note.empty()) bench_.MainForm().StatusLine()->showMessage(U(std::string(note).c_str()));
  };

  OpenFileNameHook = [this] {
    return QFileDialog::getOpenFileName(this, QString(), QString(), U("純文字檔 (*.txt);;全部檔案 (*.*)"));
  };
  SaveFileNameHook = [this] { return QFileDialog::getSaveFileName(this); };
  FontDialogHook = [this](QFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this);
    if (ok) font = chosen;
    return ok;
  };

  document_ = std::make_unique<zorvel::TextDocument>(
      *editor_, [this]() -> zorvel::Prompts& { return bench_.Prompts(); }, dialogs_->dialogs);
  document_->OnFileNameChanged = [this] {
    UpdateCaption();
    emit FileNameChanged(FileName());
  };
  // An unnamed text's recovery file goes to the start folder, beside zorvel.ini.
  recovery_ = std::make_unique<TextRecovery>(*editor_, *document_, bench_.StartFolder(), bench_.Prompts());

  BuildPopupMenu();
  editor_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { textPopupMenu_->popup(editor_->viewport()->mapToGlobal(at)); });
  FormCreate();
}

TTextForm::~TTextForm() = default;

void TTextForm::FormCreate() {
  // The window font is the main window's; the edit control keeps its own.
  setFont(bench_.MainForm().font());
}

zorvel::TextEditor& TTextForm::Editor() {
  return *editor_;
}

QPlainTextEdit* TTextForm::RichEdit() const {
  return editor_;
}

// The popup from the command table; its items run their commands as the main
// window's menu items do.
void TTextForm::BuildPopupMenu() {
  textPopupMenu_ = zorvel::ui::BuildCommandPopup(zorvel::TextPopup(), this, Qt::WindowShortcut,
                                                 [this](zorvel::CommandId id) { bench_.MainForm().Run(id); });
}

void TTextForm::FileOpen() {
  if (document_->FileOpen()) editor_->viewport()->update();
}

zorvel::SaveResult TTextForm::FileSave() {
  return document_->FileSave();
}

zorvel::SaveResult TTextForm::FileSaveAs() {
  return document_->FileSaveAs();
}

bool TTextForm::CloseQuery() {
  return document_->CloseQuery();
}

void TTextForm::N9Click() {
  QFont font = editor_->font();
  if (FontDialogHook && FontDialogHook(font)) editor_->setFont(font);
}

const zorvel::Settings& TTextForm::CurrentSettings() const {
  return bench_.Settings();
}

zorvel::TextProofreader& TTextForm::Proofreader() {
  const zorvel::Settings* settings = &CurrentSettings();
  if (!proofreader_ || proofSettings_ != settings) {
    proofreader_ = std::make_unique<zorvel::TextProofreader>(*editor_, *settings, bench_.Prompts(), nullptr);
    proofSettings_ = settings;
  }
  // The image window shows the pages once it can; until then ShowWord only
  // checks the page file.
  proofreader_->SetPageView(static_cast<zorvel::PageView*>(&bench_.ImageForm()));
  return *proofreader_;
}

// True when the choice window waits for an answer; it then comes to the front.
bool TTextForm::ChoiceWaiting() {
  if (!bench_.SelectForm().Waiting()) return false;
  bench_.SelectForm().raise();
  bench_.SelectForm().activateWindow();
  return true;
}

bool TTextForm::FindSign() {
  return Proofreader().FindSign();
}

bool TTextForm::ShowWord() {
  return Proofreader().ShowWord();
}

void TTextForm::SelectWord() {
  if (!ChoiceWaiting()) Proofreader().SelectWord();
}

void TTextForm::miAllClick() {
  if (!ChoiceWaiting()) Proofreader().miAllClick();
}

QString TTextForm::FileName() const {
  return QString::fromStdString(document_->FileName());
}

void TTextForm::SetFileName(const QString& path) {
  document_->SetFileName(path.toUtf8().toStdString());
}

void TTextForm::UpdateCaption() {
  setWindowTitle(QString::fromStdString(document_->Caption()));
}

void TTextForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  editor_->viewport()->update();
}

void TTextForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget())) window->showMinimized();
}
