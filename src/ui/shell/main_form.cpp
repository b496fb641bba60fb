#include "ui/shell/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "core/pages/calibration_save.h"
#include "core/pages/vol_shift.h"
#include "core/settings/command_table.h"
#include "core/settings/ini_file.h"
#include "core/settings/loupe_settings.h"
#include "core/settings/window_bounds.h"
#include "core/text/document_recovery.h"
#include "core/text/text_document.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/auto_load_picture_form.h"
#include "ui/dialogs/bookmark_form.h"
#include "ui/dialogs/load_picture_form.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/dialogs/set_ratio_form.h"
#include "ui/image/calibration_commands.h"
#include "ui/image/image_form.h"
#include "ui/image/loupe_controller.h"
#include "ui/shell/command_popup.h"
#include "ui/shell/hot_key_qt.h"
#include "ui/shell/icons/tool_icons.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/toolbar_layout.h"
#include "ui/shell/workbench.h"
#include "ui/text/find_replace_dialog.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_form.h"
#include "ui/text/text_recovery.h"
#include "ui/text/text_session.h"

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

  BuildMenus();
  BuildToolbars();
  menuBar()->setFont(QApplication::font());
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

namespace {

// The five toolbars in the order they are made, with their captions.
constexpr std::pair<const char*, const char*> kToolbars[] = {
    {"tbMain", "一般"},    {"tbText", "文字區"},   {"tbSpecial", "圖形特殊設定區"},
    {"tbImage", "圖形區"}, {"tbBigOne", "大按鈕"},
};

}  // namespace

void TMainForm::Run(zorvel::CommandId id) {
  if (BeforeCommand && !BeforeCommand(id)) return;
  using C = zorvel::CommandId;
  switch (id) {
    case C::OpenFile:
      return FileOpen();
    case C::SaveFile:
      return FileSave();
    case C::SaveFileAs:
      return FileSaveAs();
    case C::Exit:
      return FileExit();
    case C::Undo:
      return EditUndo();
    case C::Cut:
      return EditCut();
    case C::Copy:
      return EditCopy();
    case C::Paste:
      return EditPaste();
    case C::SelectAll:
      return EditSelectAll();
    case C::ToggleMainToolbar:
      return ToggleToolbar("tbMain");
    case C::ToggleTextToolbar:
      return ToggleToolbar("tbText");
    case C::ToggleImageToolbar:
      return ToggleToolbar("tbImage");
    case C::ToggleSpecialToolbar:
      return ToggleToolbar("tbSpecial");
    case C::ToggleBigButtonToolbar:
      return ToggleToolbar("tbBigOne");
    case C::Options:
      return OpenOptions();
    case C::FindNextMark:
      return FindNextMark();
    case C::ShowCharacterOnPage:
      return ShowCharacterOnPage();
    case C::ChooseReading:
      return ChooseReading();
    case C::RunLoop:
      return RunLoop();
    case C::EditReplaceTable:
      return EditReplaceTable();
    case C::RunReplaceTable:
      return RunReplaceTable();
    case C::FindAndReplace:
      return FindAndReplace();
    case C::ChooseTextFont:
      return ChooseTextFont();
    case C::Bookmarks:
      return OpenBookmarks();
    case C::OpenPage:
      return OpenPageDialog();
    case C::SaveCalibration:
      return SaveCalibration();
    case C::LoadPageRun:
      return OpenPageRun();
    case C::PreviousPage:
      return PreviousPage();
    case C::NextPage:
      return NextPage();
    case C::GoToTopRight:
      return GoToTopRight();
    case C::ToggleCrossLines:
      return ToggleCrossLines();
    case C::SetRegisterShift:
      return OpenRegisterShift();
    case C::SetScale:
      return OpenScaleDialog();
    // The first and the last character of each register, to check a page's
    // calibration on the picture.
    case C::ShowUpperFirst:
      return ShowOnPage(0, 0, 0);
    case C::ShowMiddleFirst:
      return ShowOnPage(1, 0, 0);
    case C::ShowLowerFirst:
      return ShowOnPage(2, 0, 0);
    case C::ShowUpperLast:
      return ShowOnPage(0, 28, 16);
    case C::ShowMiddleLast:
      return ShowOnPage(1, 28, 16);
    case C::ShowLowerLast:
      return ShowOnPage(2, 28, 16);
    case C::TileVertically:
      return WindowVert();
    case C::TileHorizontally:
      return WindowTile();
    case C::Cascade:
      return WindowCascade();
    case C::About:
      return OpenAbout();
    // The image window's popup: the point last pressed on the page.
    case C::SetTopRightHere:
      return zorvel::SetTopRightAtPress(bench_.ImageForm());
    case C::SetTopRightXHere:
      return zorvel::SetTopRightXAtPress(bench_.ImageForm());
    case C::SetTopRightYHere:
      return zorvel::SetTopRightYAtPress(bench_.ImageForm());
    case C::SetRegisterShiftModal:
      zorvel::OpenFieldShiftForm(bench_, true);
      return;
    case C::ZoomIn:
      bench_.ImageForm().ZoomStep(+1);
      return;
    case C::ZoomOut:
      bench_.ImageForm().ZoomStep(-1);
      return;
    case C::PanLeft:
      return bench_.ImageForm().Pan(-1, 0);
    case C::PanRight:
      return bench_.ImageForm().Pan(+1, 0);
    case C::PanUp:
      return bench_.ImageForm().Pan(0, -1);
    case C::PanDown:
      return bench_.ImageForm().Pan(0, +1);
    case C::ToggleLoupe:
      return loupe_->Toggle();
    case C::NextLoupeZoom:
      return loupe_->NextZoom();
    case C::FindPreviousMark:
      bench_.TextForm().FindPreviousSign();
      return;
    case C::GoToLineHead:
      return bench_.TextForm().GoToLineHead();
  }
}

QAction* TMainForm::CommandItem(zorvel::CommandId id) const {
  const zorvel::CommandEntry& command = zorvel::CommandOf(id);
  if (command.Item.empty()) return nullptr;
  return findChild<QAction*>(Q(command.Item), Qt::FindDirectChildrenOnly);
}

// The menu bar from the command table: the menus in their order, each item
// under its designer name with its caption, key and hint.
void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  QHash<QString, QMenu*> menus;
  for (const zorvel::MenuEntry& entry : zorvel::Menus()) {
    QMenu* parent = entry.Parent.empty() ? nullptr : menus.value(Q(entry.Parent));
    QMenu* menu = parent ? parent->addMenu(Q(entry.Caption)) : bar->addMenu(Q(entry.Caption));
    menu->setObjectName(Q(entry.Name));
    menus.insert(Q(entry.Name), menu);
  }
  QMenu* toolbars = menus.value("miToolBarMenu");
  toolbars->menuAction()->setObjectName("miToolBar");
  connect(toolbars, &QMenu::aboutToShow, this, &TMainForm::SyncToolbarChecks);

  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    if (command.Menu.empty()) continue;
    QMenu* menu = menus.value(Q(command.Menu));
    if (command.SeparatorBefore) menu->addSeparator();
    auto* item = new QAction(Q(command.Caption), this);
    item->setObjectName(Q(command.Item));
    item->setShortcut(zorvel::ui::CommandShortcut(command.Key));
    item->setStatusTip(Q(command.Hint));
    item->setCheckable(command.Checkable);
    item->setChecked(command.Checkable);
    connect(item, &QAction::triggered, this, [this, id = command.Id] { Run(id); });
    menu->addAction(item);
  }

  // A submenu that stands further down its parent moves there once the items
  // are in.
  for (const zorvel::MenuEntry& entry : zorvel::Menus()) {
    if (entry.Before.empty()) continue;
    QMenu* parent = menus.value(Q(entry.Parent));
    QAction* submenu = menus.value(Q(entry.Name))->menuAction();
    parent->removeAction(submenu);
    const QList<QAction*> items = parent->actions();
    for (qsizetype i = 0; i < items.size(); ++i) {
      if (items[i]->objectName() != Q(entry.Before)) continue;
      parent->insertAction(i > 0 && items[i - 1]->isSeparator() ? items[i - 1] : items[i], submenu);
      break;
    }
  }
  recentMenu_ = menus.value("miRecentMenu");
  recentMenu_->menuAction()->setObjectName("miRecent");
}

// The five toolbars from the command table; each button shows its icon and
// hint and runs its command.
void TMainForm::BuildToolbars() {
  QHash<QString, QToolBar*> bars;
  for (const auto& [name, caption] : kToolbars) {
    auto* bar = new QToolBar(U(caption), this);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    // Button captions in the desktop's face; only the big button speaks Ming.
    bar->setFont(QApplication::font());
    bars.insert(name, bar);
  }
  for (const zorvel::ToolButtonEntry& entry : zorvel::ToolButtons()) {
    QToolBar* bar = bars.value(Q(entry.Toolbar));
    if (entry.SeparatorBefore) bar->addSeparator();
    const QString name = Q(entry.Name);
    auto* button = new QAction(Q(entry.Hint), bar);
    button->setObjectName(name);
    button->setToolTip(button->text());
    button->setStatusTip(button->text());
    button->setIcon(zorvel::ToolIcon(name));
    connect(button, &QAction::triggered, this, [this, id = entry.Command] { Run(id); });
    bar->addAction(button);
    if (QWidget* widget = bar->widgetForAction(button)) {
      widget->setObjectName(name);
      widget->setFixedSize(23, 22);
    }
  }

  // Three buttons show a caption instead of an icon.
  auto captioned = [&](const char* toolbar, const char* name, const QString& caption) {
    auto* button = bars.value(toolbar)->findChild<QAction*>(name);
    button->setText(caption);
    button->setIcon({});
    return bars.value(toolbar)->widgetForAction(button);
  };
  captioned("tbText", "ToolbarButton9713", "All");
  if (QWidget* lines = captioned("tbImage", "ToolbarButton9730", U("＋"))) {
    QPalette palette = lines->palette();
    palette.setColor(QPalette::ButtonText, Qt::red);
    lines->setPalette(palette);
  }
  if (QWidget* big = captioned("tbBigOne", "ToolbarButton9735", U("尋秀選"))) {
    big->setFixedSize(66, 66);
    big->setFont(QFont(U("細明體"), 12));
  }

  for (const auto& [name, caption] : kToolbars) AddFloatingCloseBox(bars.value(name));

  // The initial layout: two rows in the top dock.
  auto docked = [](int row, int pos) {
    ToolbarPlace place;
    place.DockRow = row;
    place.DockPos = pos;
    return place;
  };
  PlaceToolbars(this, {{bars.value("tbMain"), docked(0, 0)},
                       {bars.value("tbText"), docked(0, 1)},
                       {bars.value("tbSpecial"), docked(1, 0)},
                       {bars.value("tbImage"), docked(1, 1)},
                       {bars.value("tbBigOne"), docked(1, 2)}});
}

QToolBar* TMainForm::Toolbar(const QString& name) const {
  for (const char* known : {"tbMain", "tbText", "tbImage", "tbSpecial", "tbBigOne"}) {
    if (name == QLatin1String(known)) return findChild<QToolBar*>(name, Qt::FindDirectChildrenOnly);
  }
  return nullptr;
}

QList<QToolBar*> TMainForm::Toolbars() const {
  return {Toolbar("tbMain"), Toolbar("tbText"), Toolbar("tbImage"), Toolbar("tbSpecial"),
          Toolbar("tbBigOne")};
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

zorvel::WindowBounds Bounds(const QRect& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

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

// File commands: the document operations of the text window.
void TMainForm::FileOpen() {
  bench_.TextForm().FileOpen();
}

bool TMainForm::OpenText(const QString& path) {
  return OpenText(path, nullptr);
}

// The open path of the text window, with the path in place of the dialog's
// answer. lookedFor tells whether the question about unsaved work let it come
// as far as reading the file.
bool TMainForm::OpenText(const QString& path, bool* lookedFor) {
  TTextForm& form = bench_.TextForm();
  std::function<QString()> dialog = std::move(form.OpenFileNameHook);
  form.OpenFileNameHook = [path, lookedFor] {
    if (lookedFor) *lookedFor = true;
    return path;
  };
  const bool opened = bench_.Text().Document().FileOpen();
  form.OpenFileNameHook = std::move(dialog);
  if (opened) form.RichEdit()->viewport()->update();
  return opened;
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
  ShowCharacterOnPage();
}

void TMainForm::OpenRecentText(const QString& path) {
  // Only a text that was looked for (the question about unsaved work did not
  // stop it) and is not there leaves the list.
  bool lookedFor = false;
  if (OpenText(path, &lookedFor)) return;
  if (!lookedFor || QFileInfo::exists(path)) return;
  const std::string gone = LocalPath(path);
  std::erase(Recent.Files, gone);
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
    QString caption = QDir::toNativeSeparators(path);
    caption.replace("&", "&&");
    QAction* item = recentMenu_->addAction(QString("&%1 %2").arg(++number).arg(caption));
    item->setObjectName(QString("miRecent%1").arg(number));
    item->setStatusTip(path);
    connect(item, &QAction::triggered, this, [this, path] { OpenRecentText(path); });
  }
  recentMenu_->setEnabled(number > 0);
}

void TMainForm::FileSave() {
  bench_.TextForm().FileSave();
}

void TMainForm::FileSaveAs() {
  bench_.TextForm().FileSaveAs();
}

void TMainForm::FileExit() {
  close();
}

// Edit commands act on the text window's editor whatever window is active.
void TMainForm::EditUndo() {
  bench_.TextForm().Editor().Undo();
}

void TMainForm::EditCut() {
  bench_.TextForm().Editor().Cut();
}

void TMainForm::EditCopy() {
  bench_.TextForm().Editor().Copy();
}

void TMainForm::EditPaste() {
  bench_.TextForm().Editor().Paste();
}

void TMainForm::EditSelectAll() {
  bench_.TextForm().Editor().SelectAll();
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
  connect(form, &TTextForm::CharactersReplaced, this, [this](int count) {
    statusLine_->showMessage(U("已將 %1 個 Big5 無法表示的字元改為 \"?\"").arg(count));
  });
}

void TMainForm::AttachImageForm(TImageForm* form) {
  AddChildWindow(form, Screen.Image);
  // The loupe as section "Loupe" left it.
  loupe_ = std::make_unique<LoupeController>(
      *this, *form, bench_, zorvel::ReadLoupeSettings(zorvel::IniFile(LocalPath(IniFileName()))),
      CommandItem(zorvel::CommandId::ToggleLoupe));
}

// Toolbar visibility. The check marks follow the toolbars when the submenu
// opens, so that a toolbar closed by its close box shows unchecked; each item
// then inverts its toolbar and its own mark.
void TMainForm::SyncToolbarChecks() {
  for (const char* name : {"tbMain", "tbText", "tbImage", "tbSpecial", "tbBigOne"}) {
    const QString item = QString("mi") + (name + 2);
    if (QAction* action = findChild<QAction*>(item, Qt::FindDirectChildrenOnly)) {
      action->setChecked(!Toolbar(name)->isHidden());
    }
  }
}

void TMainForm::ToggleToolbar(const char* toolbarName) {
  QToolBar* bar = Toolbar(toolbarName);
  bar->setVisible(bar->isHidden());
}

void TMainForm::OpenOptions() {
  bench_.OptionForm().exec();
}

// Text commands: the proofreading loop runs in the text window; the replacement
// table, find and replace, and bookmarks open their windows.
void TMainForm::FindNextMark() {
  bench_.TextForm().FindSign();
}
void TMainForm::ShowCharacterOnPage() {
  bench_.TextForm().ShowWord();
}
void TMainForm::ChooseReading() {
  bench_.TextForm().SelectWord();
}
void TMainForm::RunLoop() {
  bench_.TextForm().RunLoop();
}
void TMainForm::EditReplaceTable() {
  bench_.fmReplace().exec();
}
void TMainForm::RunReplaceTable() {
  bench_.fmReplace().RunReplaceTable();
}
void TMainForm::FindAndReplace() {
  bench_.FindReplaceDialog().PresetFromSelection();
}
void TMainForm::ChooseTextFont() {
  bench_.TextForm().ChooseFont();
}
void TMainForm::OpenBookmarks() {
  bench_.fmBookMark().exec();
}

// Image commands: the image window and the page dialogs carry them out.
void TMainForm::OpenPageDialog() {
  bench_.LoadPictureForm().show();
  bench_.LoadPictureForm().raise();
  bench_.LoadPictureForm().activateWindow();
}
void TMainForm::SaveCalibration() {
  zorvel::SaveCalibrationOrAsk(bench_.VolShift(), bench_.Prompts(), zorvel::CalibrationSaveOccasion::Command);
}
void TMainForm::OpenPageRun() {
  bench_.fmAutoLoadPicture().exec();
}
void TMainForm::PreviousPage() {
  bench_.ImageForm().StepPicture(-1);
}
void TMainForm::NextPage() {
  bench_.ImageForm().StepPicture(+1);
}
void TMainForm::GoToTopRight() {
  bench_.ImageForm().GoRightTop();
}
void TMainForm::ToggleCrossLines() {
  bench_.ImageForm().ToggleLines();
}
void TMainForm::OpenRegisterShift() {
  zorvel::OpenFieldShiftForm(bench_, false);
}
void TMainForm::OpenScaleDialog() {
  bench_.fmSetRatio().exec();
}
void TMainForm::ShowOnPage(int field, int line, int character) {
  bench_.ImageForm().ShowPosition(field, line, character);
}

void TMainForm::OpenAbout() {
  bench_.AboutForm().exec();
}

// The image window on the left, the text window on the right, each one pixel
// narrower than half the client area.
void TMainForm::WindowVert() {
  const QSize client = clientArea_->viewport()->size();
  const int half = client.width() / 2;
  if (QMdiSubWindow* image = SubWindowOf(&bench_.ImageForm())) {
    image->showNormal();
    image->setGeometry(0, 0, half - 1, client.height());
  }
  if (QMdiSubWindow* text = TextSubWindow()) {
    text->showNormal();
    text->setGeometry(half - 1, 0, half - 1, client.height());
  }
}

// The children stacked one above the other, each as wide as the client area,
// the active one on top.
void TMainForm::WindowTile() {
  QList<QMdiSubWindow*> windows;
  const QList<QMdiSubWindow*> stacking = clientArea_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
    if ((*it)->isVisible() && !(*it)->isMinimized()) windows.append(*it);
  }
  if (windows.isEmpty()) return;
  const QSize client = clientArea_->viewport()->size();
  const int count = int(windows.size());
  int top = 0;
  for (int i = 0; i < count; ++i) {
    const int bottom = client.height() * (i + 1) / count;
    windows[i]->showNormal();
    windows[i]->setGeometry(0, top, client.width(), bottom - top);
    top = bottom;
  }
}

void TMainForm::WindowCascade() {
  clientArea_->cascadeSubWindows();
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
