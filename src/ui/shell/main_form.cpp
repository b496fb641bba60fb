#include "ui/shell/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <vector>

#include "core/pages/calibration_save.h"
#include "core/settings/command_table.h"
#include "core/settings/ini_file.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/window_bounds.h"
#include "core/text/document_recovery.h"
#include "core/text/editor_bytes.h"
#include "core/text/text_document.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/image_form.h"
#include "ui/image/loupe_controller.h"
#include "ui/shell/command_bars.h"
#include "ui/shell/qt_bounds.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/toolbar_layout.h"
#include "ui/shell/workbench.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_form.h"
#include "ui/text/text_recovery.h"
#include "ui/text/text_session.h"

using zorvel::ui::Bounds;
using zorvel::ui::Q;
using zorvel::ui::U;

namespace {

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The sub-window that holds a form, or nullptr.
QMdiSubWindow* SubWindowOf(QWidget* form) {
  return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}

}  // namespace

TMainForm::TMainForm(Workbench& bench, QWidget* parent) : QMainWindow(parent), bench_(bench) {
  setObjectName("MainForm");
  setWindowTitle(U("Zorvel程式"));
  // The window's own face; the text window takes it over.
  setFont(QFont(U("細明體"), 12));

  // The status line sits between the client area and the bottom dock, so it is
  // part of the central widget rather than the frame's own status bar, which
  // would sit below the bottom dock.
  auto* central = new QWidget(this);
  central->setObjectName("Bevel1");
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  clientArea_ = new QMdiArea(central);
  clientArea_->setObjectName("ClientArea");
  clientArea_->setBackground(QApplication::palette().color(QPalette::Dark));
  layout->addWidget(clientArea_, 1);
  clientArea_->viewport()->installEventFilter(this);
  statusLine_ = new QStatusBar(central);
  statusLine_->setObjectName("StatusLine");
  statusLine_->setSizeGripEnabled(false);
  layout->addWidget(statusLine_);
  setCentralWidget(central);

  const auto run = [this](zorvel::CommandId id) { bench_.Run(id); };
  zorvel::ui::BuildMenuBar(*this, run);
  zorvel::ui::BuildToolbars(*this, run);
  recentMenu_ = findChild<QMenu*>("miRecentMenu");
  statusLine_->setFont(QApplication::font());
  FormCreate();
}

TMainForm::~TMainForm() {
  bench_.Text().Document().AfterSave = nullptr;
  clientArea_->viewport()->removeEventFilter(this);
}

QString TMainForm::IniFileName() const {
  return QDir(StartFolder).filePath("zorvel.ini");
}

QAction* TMainForm::CommandItem(zorvel::CommandId id) const {
  const zorvel::CommandEntry& command = zorvel::CommandOf(id);
  if (command.Item.empty()) return nullptr;
  return findChild<QAction*>(Q(command.Item), Qt::FindDirectChildrenOnly);
}

QToolBar* TMainForm::Toolbar(const QString& name) const {
  return zorvel::ui::FindToolbar(*this, name.toStdString());
}

QList<QToolBar*> TMainForm::Toolbars() const {
  QList<QToolBar*> bars;
  for (const zorvel::ToolbarEntry& bar : zorvel::Toolbars())
    bars.append(zorvel::ui::FindToolbar(*this, bar.Name));
  return bars;
}

void TMainForm::FormCreate() {
  StartFolder = bench_.StartFolder();
  ReadScreen();
  const zorvel::IniFile ini(LocalPath(IniFileName()));
  RestoreToolbarLayout(this, Toolbars(), ini);
  FitFrameToScreen();
  move(Screen.Main.Left, Screen.Main.Top);
  resize(Screen.Main.Width, Screen.Main.Height);
}

void TMainForm::ReadScreen() {
  const zorvel::IniFile ini(LocalPath(IniFileName()));
  Screen = zorvel::ReadScreenLayout(ini);
  Recent = zorvel::ReadRecentTexts(ini);
  FillRecentMenu();
}

namespace {

constexpr int kMinFrameWidth = 200, kMinFrameHeight = 150;
constexpr int kMinChildWidth = 100, kMinChildHeight = 60;

}  // namespace

void TMainForm::FitFrameToScreen() {
  QScreen* screen = QGuiApplication::screenAt(QPoint(Screen.Main.Left, Screen.Main.Top));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  Screen.Main =
      zorvel::FitWindow(Screen.Main, Bounds(screen->availableGeometry()), kMinFrameWidth, kMinFrameHeight);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // The area for the text and the page became smaller (the loupe docked, the
  // frame made smaller): a window that now sticks out gives up width or height
  // before it moves over its neighbour. Not while the frame is being built or
  // hidden, when the area has no size of its own yet.
  if (watched == clientArea_->viewport() && event->type() == QEvent::Resize && isVisible()) {
    const auto* resize = static_cast<QResizeEvent*>(event);
    if (resize->size().width() < resize->oldSize().width() ||
        resize->size().height() < resize->oldSize().height()) {
      const zorvel::WindowBounds area{0, 0, resize->size().width(), resize->size().height()};
      for (QMdiSubWindow* window : clientArea_->subWindowList()) {
        if (window->isMaximized() || window->isMinimized()) continue;
        const zorvel::WindowBounds now = Bounds(window->geometry());
        const zorvel::WindowBounds kept = zorvel::ShrinkIntoArea(now, area, kMinChildWidth, kMinChildHeight);
        if (kept != now) window->setGeometry(kept.Left, kept.Top, kept.Width, kept.Height);
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* TMainForm::AddChildWindow(QWidget* form, const zorvel::WindowBounds& bounds) {
  QMdiSubWindow* window = clientArea_->addSubWindow(form);
  window->setObjectName(form->objectName() + "Window");
  // Inside the frame's bounds: a window that fits keeps its place, one that
  // does not comes back where the frame can show it.
  const zorvel::WindowBounds fitted = zorvel::FitWindow(bounds, {0, 0, Screen.Main.Width, Screen.Main.Height},
                                                        kMinChildWidth, kMinChildHeight);
  window->setGeometry(fitted.Left, fitted.Top, fitted.Width, fitted.Height);
  form->show();
  return window;
}

QMdiSubWindow* TMainForm::TextSubWindow() const {
  return SubWindowOf(&bench_.TextForm());
}

bool TMainForm::event(QEvent* event) {
  // The hint of the control under the mouse, or of the highlighted menu item,
  // is the status line's only content.
  if (event->type() == QEvent::StatusTip) {
    statusLine_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TMainForm::OpenText(const QString& path) {
  return OpenTextFile(path) == zorvel::OpenResult::Opened;
}

zorvel::OpenResult TMainForm::OpenTextFile(const QString& path) {
  const zorvel::OpenResult result = bench_.Text().Document().OpenFile(path.toUtf8().toStdString());
  if (result == zorvel::OpenResult::Opened) bench_.TextForm().RichEdit()->viewport()->update();
  return result;
}

void TMainForm::OpenStartText(const QString& path) {
  if (!path.isEmpty()) {
    OpenText(QFileInfo(path).absoluteFilePath());
    return;
  }
  if (Recent.LastText.empty()) return;
  const QString last = QFile::decodeName(QByteArray::fromStdString(Recent.LastText));
  // A text gone since (a disk not mounted now) is only noted: the next start
  // may find it again.
  if (!QFileInfo::exists(last)) {
    statusLine_->showMessage(U("找不到上次開啟的文字 %1.").arg(last));
    return;
  }
  const int position = Recent.LastPosition;
  if (!OpenText(last)) return;
  bench_.TextForm().Editor().SetSelStart(position);
  bench_.TextForm().ShowWord();
}

void TMainForm::OpenRecentText(const QString& path) {
  if (OpenTextFile(path) != zorvel::OpenResult::NotOpened) return;
  if (!zorvel::ForgetGoneRecentText(Recent, LocalPath(path))) return;
  zorvel::IniFile ini(LocalPath(IniFileName()));
  zorvel::WriteRecentTexts(ini, Recent);
  FillRecentMenu();
}

// A text opened or saved under a new name goes to the top of 最近開啟; the
// list is written at once, so that a program killed later keeps it.
void TMainForm::NoteRecentText(const QString& path) {
  if (path.isEmpty()) return;
  zorvel::NoteRecentText(Recent, LocalPath(path));
  zorvel::IniFile ini(LocalPath(IniFileName()));
  zorvel::WriteRecentTexts(ini, Recent);
  FillRecentMenu();
}

void TMainForm::FillRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  int number = 0;
  for (const std::string& file : Recent.Files) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(file));
    const std::string nativePath = QDir::toNativeSeparators(path).toUtf8().toStdString();
    QAction* item = recentMenu_->addAction(Q(zorvel::RecentMenuCaption(++number, nativePath)));
    item->setObjectName(QString("miRecent%1").arg(number));
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, path] { OpenRecentText(path); });
  }
  recentMenu_->setEnabled(number > 0);
}

void TMainForm::AttachTextForm(TTextForm* form) {
  QMdiSubWindow* window = AddChildWindow(form, Screen.Text);
  connect(form, &TTextForm::FileNameChanged, this, [this](const QString& path) {
    TextFileName = path;
    NoteRecentText(path);
  });
  // The title carries the modified marker, "*" while the text holds unsaved
  // changes. The child's own title stays the path.
  auto showTitle = [window, form] { window->setWindowTitle(form->windowTitle() + "[*]"); };
  showTitle();
  connect(form, &QWidget::windowTitleChanged, window, showTitle);
  QPlainTextEdit* editor = form->RichEdit();
  connect(editor, &QPlainTextEdit::modificationChanged, window, &QWidget::setWindowModified);
  window->setWindowModified(editor->document()->isModified());
  bench_.Text().Document().AfterSave = [this] { statusLine_->showMessage(U("已儲存")); };
  connect(form, &TTextForm::CharactersReplaced, this,
          [this](int count) { statusLine_->showMessage(Q(zorvel::ReplacedCharactersNote(count))); });
}

void TMainForm::AttachImageForm(TImageForm* form) {
  AddChildWindow(form, Screen.Image);

  // The loupe as section "Loupe" left it.
  loupe_ = std::make_unique<LoupeController>(
      *this, *form, bench_, zorvel::ReadLoupeSettings(zorvel::IniFile(LocalPath(IniFileName()))),
      CommandItem(zorvel::CommandId::ToggleLoupe));
}

// The image window on the left, the text window on the right, each one pixel
// narrower than half the client area.
void TMainForm::TileSideBySide() {
  const zorvel::SideBySideBounds bounds = zorvel::SideBySide(Bounds(clientArea_->viewport()->rect()));
  const auto place = [](QMdiSubWindow* window, const zorvel::WindowBounds& b) {
    if (!window) return;
    window->showNormal();
    window->setGeometry(b.Left, b.Top, b.Width, b.Height);
  };
  place(SubWindowOf(&bench_.ImageForm()), bounds.Image);
  place(TextSubWindow(), bounds.Text);
}

// The children stacked one above the other, each as wide as the client area,
// the active one on top.
void TMainForm::TileInRows() {
  QList<QMdiSubWindow*> windows;
  const QList<QMdiSubWindow*> stacking = clientArea_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
    if ((*it)->isVisible() && !(*it)->isMinimized()) windows.append(*it);
  }
  const std::vector<zorvel::WindowBounds> rows =
      zorvel::Rows(Bounds(clientArea_->viewport()->rect()), int(windows.size()));
  for (int i = 0; i < int(rows.size()); ++i) {
    windows[i]->showNormal();
    windows[i]->setGeometry(rows[i].Left, rows[i].Top, rows[i].Width, rows[i].Height);
  }
}

// The close sequence: the unsaved text, then what zorvel.ini keeps of the
// windows.
bool TMainForm::FormCloseQuery() {
  if (!bench_.TextForm().CloseQuery()) return false;
  switch (WriteLayout()) {
    case zorvel::IniWrite::Written:
      return true;
    case zorvel::IniWrite::NotWritable:
      return bench_.Prompts().AskYesNo("警告 : zorvel.ini 無法寫入! 是否確定結束?");
    case zorvel::IniWrite::Failed:
      bench_.Prompts().Error("Unable to write to " + IniFileName().toStdString());
      return false;
  }
  return false;
}

// The layout of the three windows into Screen, then sections "Screen",
// "Recent", "Loupe" and the toolbars, with the settings when a zoomed scale
// still waits to be saved, in one write of zorvel.ini.
zorvel::IniWrite TMainForm::WriteLayout() {
  auto geometryOf = [](QMdiSubWindow* window, zorvel::WindowBounds& kept) {
    if (!window) return;
    const QRect bounds =
        window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    if (!bounds.isValid()) return;
    kept = Bounds(bounds);
  };
  const QRect main = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  Screen.Main = {pos().x(), pos().y(), main.width(), main.height()};
  geometryOf(TextSubWindow(), Screen.Text);
  geometryOf(SubWindowOf(&bench_.ImageForm()), Screen.Image);
  // Where the operator left off, for the next start.
  if (!TextFileName.isEmpty()) {
    zorvel::NoteLastPosition(Recent, LocalPath(TextFileName), bench_.TextForm().Editor().SelStart());
  }
  zorvel::SettingsFileParts parts{
      .Screen = Screen, .Recent = Recent, .Toolbars = ToolbarSections(this, Toolbars())};
  if (loupe_) parts.Loupe = loupe_->Settings();
  if (bench_.ImageForm().TakeZoomedRatio()) {
    parts.Settings = bench_.Settings();
    parts.Keys = bench_.Keys();
  }
  return bench_.WriteSettingsFile(parts);
}

// The calibration store is saved when it holds changes; when that fails the
// operator decides whether to close all the same.
bool TMainForm::SaveCalibrationBeforeClose() {
  return zorvel::SaveCalibrationOrAsk(bench_.VolShift(), bench_.Prompts(),
                                      zorvel::CalibrationSaveOccasion::Closing);
}

// The replacement table is released.
void TMainForm::FormClose() {
  bench_.fmReplace().ReleaseTable();
  // The text was saved or its changes discarded: its recovery file goes.
  bench_.TextForm().Recovery().Rules().SessionClosed();
}

void TMainForm::SaveForExit() {
  bench_.TextForm().Recovery().Rules().SaveForExit();
  WriteLayout();
  FormClose();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery() || !SaveCalibrationBeforeClose()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}
