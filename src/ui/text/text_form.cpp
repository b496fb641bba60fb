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
#include "ui/text/text_session.h"

using zorvel::ui::U;

TTextForm::TTextForm(Workbench& bench, TextSession& text, QWidget* parent)
    : QWidget(parent), text_(text), bench_(bench) {
  setObjectName("TextForm");
  setWindowTitle(U("(no file)"));
  resize(336, 255);

  // The edit control and the document are the workbench's; the window shows
  // the control and wires it.
  editor_ = &text_.Editor();
  editor_->setParent(this);
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
    return text_.Proofreader().EnterGuard.DropsEnter(zorvel::EnterGuard::Clock::now());
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

  text_.OpenFileName = [this] { return OpenFileNameHook().toUtf8().toStdString(); };
  text_.SaveFileName = [this] { return SaveFileNameHook().toUtf8().toStdString(); };
  document_ = &text_.Document();
  document_->OnFileNameChanged = [this] {
    UpdateCaption();
    emit FileNameChanged(FileName());
  };

  BuildPopupMenu();
  editor_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { textPopupMenu_->popup(editor_->viewport()->mapToGlobal(at)); });
  FormCreate();
}

// The text outlives the window: the edit control goes back to the workbench,
// and nothing it calls refers to the window any more.
TTextForm::~TTextForm() {
  editor_->OnCharactersReplaced = nullptr;
  editor_->OnTooLong = nullptr;
  editor_->DropsEnter = nullptr;
  editor_->BeforeOperatorEdit = nullptr;
  editor_->AfterOperatorEdit = nullptr;
  document_->OnFileNameChanged = nullptr;
  text_.OpenFileName = nullptr;
  text_.SaveFileName = nullptr;
  editor_->disconnect(this);
  editor_->hide();
  editor_->setParent(nullptr);
}

TextRecovery& TTextForm::Recovery() {
  return text_.Recovery();
}

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

void TTextForm::ChooseFont() {
  QFont font = editor_->font();
  if (FontDialogHook && FontDialogHook(font)) editor_->setFont(font);
}

const zorvel::Settings& TTextForm::CurrentSettings() const {
  return bench_.Settings();
}

zorvel::TextProofreader& TTextForm::Proofreader() {
  // The image window shows the pages once it can; until then ShowWord only
  // checks the page file.
  text_.Proofreader().SetPageView(static_cast<zorvel::PageView*>(&bench_.ImageForm()));
  return text_.Proofreader();
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

void TTextForm::RunLoop() {
  if (!ChoiceWaiting()) Proofreader().RunLoop();
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
