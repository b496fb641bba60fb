#include "ui/text/text_form.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/pages/marker_geometry.h"
#include "core/pages/page_view.h"
#include "core/proof/decision_log.h"
#include "core/proof/go_to_line_head.h"
#include "core/proof/line_head_watch.h"
#include "core/proof/text_position.h"
#include "core/proof/text_proofreader.h"
#include "core/settings/settings.h"
#include "core/text/text_document.h"
#include "ui/dialogs/bookmark_form.h"
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
    if (!note.empty()) StatusLine()->showMessage(U(std::string(note).c_str()));
  };

  // The marks left after the cursor and in the whole text, on the status line.
  markCount_ = new QLabel(StatusLine());
  markCount_->setObjectName("MarkCount");
  StatusLine()->addPermanentWidget(markCount_);
  markCountTimer_ = new QTimer(this);
  markCountTimer_->setSingleShot(true);
  markCountTimer_->setInterval(0);
  connect(markCountTimer_, &QTimer::timeout, this, &TTextForm::ShowMarkCount);
  editor_->OnLinesChanged = [this](int first, int last) {
    if (!markCountStale_) markCounter_.LinesChanged(*editor_, first, last);
    MarkCountChanged();
  };
  // The bytes just loaded are counted as they are: asking the editor for the
  // whole text again would convert it all back.
  editor_->OnTextLoaded = [this](std::string_view bytes) {
    markCounter_.Reset(*editor_, CurrentSettings().Sign1, bytes);
    markCountStale_ = false;
    MarkCountChanged();
  };
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &TTextForm::MarkCountChanged);
  connect(editor_, &QPlainTextEdit::selectionChanged, this, &TTextForm::MarkCountChanged);
  ShowMarkCount();

  // A Ctrl+click on the page lands in the text.
  // A signal, not a callback: the image window may go before the text window
  // when the main window closes, and the connection goes with whichever goes first.
  connect(&bench_.ImageForm(), &TImageForm::PageClicked, this, &TTextForm::GoToPagePoint);

  OpenFileNameHook = [this] {
    return QFileDialog::getOpenFileName(this, QString(), QString(), U("純文字檔 (*.txt);;全部檔案 (*.*)"));
  };
  SaveFileNameHook = [this] { return QFileDialog::getSaveFileName(this); };
  LineHeadInputHook = [this](QString& input) {
    QInputDialog dialog(this);
    dialog.setObjectName("GoToLineHeadDialog");
    dialog.setWindowTitle(U("到指定行首"));
    dialog.setLabelText(U("行首 (例如 T01n0001_p0003b19、p0003b19 或 3b19) :"));
    dialog.setTextValue(input);
    if (dialog.exec() != QDialog::Accepted) return false;
    input = dialog.textValue();
    return true;
  };
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
    OpenDecisionLog();
    emit FileNameChanged(FileName());
  };
  OpenDecisionLog();

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
  editor_->OnLinesChanged = nullptr;
  editor_->OnTextLoaded = nullptr;
  text_.Proofreader().SetDecisionSink(nullptr);
  text_.Proofreader().SetPageView(nullptr);
  delete markCount_;
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
                                                 [this](zorvel::CommandId id) { bench_.Run(id); });
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
  // The proofreader is the text session's, made before the windows and so
  // without a page view: the image window shows its pages from here on.
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

bool TTextForm::FindPreviousSign() {
  if (ChoiceWaiting()) return false;
  // The counts find the line of the previous token at once, unless a new text
  // has not been counted yet.
  return Proofreader().FindPreviousSign(markCountStale_ ? nullptr : &markCounter_);
}

void TTextForm::GoToLineHead() {
  if (ChoiceWaiting()) return;
  QString input = lastLineHeadInput_;
  if (!LineHeadInputHook || !LineHeadInputHook(input)) return;
  lastLineHeadInput_ = input;
  const zorvel::LineHeadJump jump =
      zorvel::FindLineHead(*editor_, CurrentSettings(), input.toUtf8().toStdString());
  if (!jump.Found) {
    bench_.Prompts().Message(jump.Message);
    editor_->SetFocus();
    return;
  }
  editor_->SetSelStart(jump.Pos);
  ShowWord();
}

void TTextForm::GoToPagePoint(int pageX, int pageY) {
  if (ChoiceWaiting()) return;
  TImageForm& image = bench_.ImageForm();
  // The point is in full-size page pixels: the geometry is taken at 100 %.
  zorvel::Settings settings = CurrentSettings();
  settings.PictureRatio = 100;
  const QSize page = image.PageSize();
  const zorvel::CharacterCell cell =
      zorvel::CharacterAtPoint(settings, image.ShownCalibration(), page.width(), page.height(), pageX, pageY);
  const zorvel::TextTarget target = zorvel::FindTextOfCharacter(
      *editor_, CurrentSettings(), image.PictureVolume(), image.PictureSutra(), image.PicturePage(), cell);
  if (!target.Found) {
    StatusLine()->showMessage(QString::fromStdString(target.Message));
    return;
  }
  editor_->SetSelStart(target.Pos);
  ShowWord();
}

zorvel::DecisionSink* TTextForm::Decisions() {
  return decisionLog_.get();
}

void TTextForm::OpenDecisionLog() {
  const std::string path = document_->FileName();
  text_.Proofreader().SetDecisionSink(nullptr);
  decisionLog_.reset();
  if (!path.empty()) {
    decisionLog_ = std::make_unique<zorvel::DecisionLog>(
        zorvel::DecisionLogPath(path),
        [this](const std::string& message) { StatusLine()->showMessage(QString::fromStdString(message)); });
  }
  text_.Proofreader().SetDecisionSink(decisionLog_.get());
}

void TTextForm::MarkCountChanged() {
  markCountTimer_->start();
}

void TTextForm::ShowMarkCount() {
  markCountTimer_->stop();
  const std::string& sign1 = CurrentSettings().Sign1;
  if (markCountStale_ || markCounter_.Sign() != sign1) {
    markCounter_.Reset(*editor_, sign1);
    markCountStale_ = false;
  }
  if (markCount_)
    markCount_->setText(QString::fromStdString(zorvel::MarkCountText(markCounter_.Count(*editor_))));
}

QStatusBar* TTextForm::StatusLine() const {
  return bench_.MainForm().StatusLine();
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
