#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/pages/calibration_save.h"
#include "core/pages/vol_shift.h"
#include "core/settings/ini_file.h"
#include "core/settings/window_bounds.h"
#include "core/text/document_recovery.h"
#include "ui/about_form.h"
#include "ui/auto_load_picture_form.h"
#include "ui/bookmark_form.h"
#include "ui/calibration_commands.h"
#include "ui/find_replace_dialog.h"
#include "ui/icons/tool_icons.h"
#include "ui/image_form.h"
#include "ui/load_picture_form.h"
#include "ui/option_form.h"
#include "ui/qt_prompts.h"
#include "ui/qt_strings.h"
#include "ui/replace_form.h"
#include "ui/set_ratio_form.h"
#include "ui/text_form.h"
#include "ui/text_recovery.h"
#include "ui/toolbar_layout.h"
#include "ui/workbench.h"

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

TMainForm::~TMainForm() = default;

QString TMainForm::IniFileName() const {
  return QDir(StartFolder).filePath("zorvel.ini");
}

QAction* TMainForm::AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                                void (TMainForm::*handler)(), const QKeySequence& shortcut,
                                const QString& hint) {
  auto* item = new QAction(caption, this);
  item->setObjectName(name);
  item->setShortcut(shortcut);
  item->setStatusTip(hint);
  connect(item, &QAction::triggered, this, handler);
  menu->addAction(item);
  return item;
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");

  QMenu* file = bar->addMenu(U("檔案 (&F)"));
  file->setObjectName("File1");
  AddMenuItem(file, "FileOpenItem", U("開啟舊檔 (&O)..."), &TMainForm::FileOpen, QKeySequence("Ctrl+O"),
              "Open an existing file");
  AddMenuItem(file, "FileSaveItem", U("儲存檔案 (&S)"), &TMainForm::FileSave, QKeySequence("Ctrl+S"),
              "Save current file");
  AddMenuItem(file, "FileSaveAsItem", U("另存新檔 (&A)..."), &TMainForm::FileSaveAs, {},
              "Save current file under a new name");
  file->addSeparator();
  AddMenuItem(file, "FileExitItem", U("離開 (&X)"), &TMainForm::FileExit, {}, "Exit this application");

  QMenu* edit = bar->addMenu(U("編輯 (&E)"));
  edit->setObjectName("Edit1");
  AddMenuItem(edit, "EditUndoItem", U("復原 (&U)"), &TMainForm::EditUndoItemClick);
  edit->addSeparator();
  AddMenuItem(edit, "EditCutItem", U("剪下 (&T)"), &TMainForm::EditCut, {}, "Delete selected item");
  AddMenuItem(edit, "EditCopyItem", U("複製 (&C)"), &TMainForm::EditCopy, {},
              "Copy selected item to clipboard");
  AddMenuItem(edit, "EditPasteItem", U("貼上 (&P)"), &TMainForm::EditPaste, {},
              "Paste contents of clipboard");
  edit->addSeparator();
  AddMenuItem(edit, "A1", U("全選 (&A)"), &TMainForm::A1Click);

  QMenu* tools = bar->addMenu(U("工具 (&U)"));
  tools->setObjectName("Tools1");
  QMenu* toolbars = tools->addMenu(U("工具列"));
  toolbars->setObjectName("miToolBarMenu");
  toolbars->menuAction()->setObjectName("miToolBar");
  connect(toolbars, &QMenu::aboutToShow, this, &TMainForm::miToolBarClick);
  for (QAction* item : {AddMenuItem(toolbars, "miMain", U("一般"), &TMainForm::miMainClick),
                        AddMenuItem(toolbars, "miText", U("文字區"), &TMainForm::miTextClick),
                        AddMenuItem(toolbars, "miImage", U("圖形區"), &TMainForm::miImageClick),
                        AddMenuItem(toolbars, "miSpecial", U("特殊用途"), &TMainForm::miSpecialClick),
                        AddMenuItem(toolbars, "miBigOne", U("大按鈕"), &TMainForm::miBigOneClick)}) {
    item->setCheckable(true);
    item->setChecked(true);
  }
  tools->addSeparator();
  AddMenuItem(tools, "miOption", U("選項...(&O)"), &TMainForm::miOptionClick);

  QMenu* text = bar->addMenu(U("文字區 (&T)"));
  text->setObjectName("Text1");
  AddMenuItem(text, "miFindSign", U("尋找差異符號"), &TMainForm::ToolbarButton9712Click, QKeySequence("F2"));
  AddMenuItem(text, "miShowWord", U("秀出圖形位置"), &TMainForm::ToolbarButton9710Click, QKeySequence("F3"));
  AddMenuItem(text, "miSelectWord", U("選擇正確字串"), &TMainForm::ToolbarButton9714Click,
              QKeySequence("F4"));
  text->addSeparator();
  AddMenuItem(text, "miAll", U("以上三者全部"), &TMainForm::ToolbarButton9713Click, QKeySequence("F1"));
  text->addSeparator();
  AddMenuItem(text, "N22", U("設定取代字串..."), &TMainForm::N22Click);
  AddMenuItem(text, "N24", U("進行字串取代"), &TMainForm::N24Click);
  text->addSeparator();
  AddMenuItem(text, "N3", U("尋找與取代..."), &TMainForm::N3Click, QKeySequence("Ctrl+F"));
  AddMenuItem(text, "N19", U("設定字型..."), &TMainForm::N19Click);
  AddMenuItem(text, "N21", U("書籤..."), &TMainForm::N21Click);

  QMenu* image = bar->addMenu(U("圖形區 (&P)"));
  image->setObjectName("Picture1");
  AddMenuItem(image, "N14", U("開啟大正藏圖檔"), &TMainForm::ToolbarButton9718Click);
  AddMenuItem(image, "N15", U("儲存圖形偏移資訊"), &TMainForm::ToolbarButton9725Click);
  image->addSeparator();
  AddMenuItem(image, "N7", U("連續開啟圖檔..."), &TMainForm::N7Click);
  image->addSeparator();
  AddMenuItem(image, "miPreviousPicture", U("上一張圖"), &TMainForm::ToolbarButton9716Click,
              QKeySequence("F5"));
  AddMenuItem(image, "miNextPicture", U("下一張圖"), &TMainForm::ToolbarButton974Click, QKeySequence("F6"));
  AddMenuItem(image, "N10", U("移至右上角"), &TMainForm::ToolbarButton9715Click);
  AddMenuItem(image, "N20", U("切換圖形的中心線"), &TMainForm::N20Click);
  image->addSeparator();
  AddMenuItem(image, "N17", U("設定特殊欄位偏移"), &TMainForm::ToolbarButton97117Click);
  AddMenuItem(image, "N25", U("設定圖形比例"), &TMainForm::N25Click);

  QMenu* window = bar->addMenu(U("視窗 (&W)"));
  window->setObjectName("Window1");
  AddMenuItem(window, "H1", U("垂直並排 (&V)"), &TMainForm::WindowVert);
  AddMenuItem(window, "WindowTileItem", U("水平並排 (&H)"), &TMainForm::WindowTile, {}, "Tile all windows");
  AddMenuItem(window, "WindowCascadeItem", U("重疊顯示 (&C)"), &TMainForm::WindowCascade, {},
              "Cascade all windows");

  QMenu* help = bar->addMenu(U("說明 (&H)"));
  help->setObjectName("Help1");
  AddMenuItem(help, "HelpAboutItem", U("關於 (&A)..."), &TMainForm::HelpAboutItemClick, {},
              "Show program information");
}

QToolBar* TMainForm::NewToolbar(const char* name, const QString& caption) {
  auto* bar = new QToolBar(caption, this);
  bar->setObjectName(name);
  bar->setIconSize(QSize(16, 16));
  // Button captions in the desktop's face; only the big button speaks Ming.
  bar->setFont(QApplication::font());
  return bar;
}

QAction* TMainForm::AddButton(QToolBar* bar, const char* name, const QString& hint,
                              void (TMainForm::*handler)()) {
  auto* button = new QAction(hint, bar);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setIcon(zorvel::ToolIcon(name));
  connect(button, &QAction::triggered, this, handler);
  bar->addAction(button);
  if (QWidget* widget = bar->widgetForAction(button)) {
    widget->setObjectName(name);
    widget->setFixedSize(23, 22);
  }
  return button;
}

void TMainForm::BuildToolbars() {
  QToolBar* main = NewToolbar("tbMain", U("一般"));
  AddButton(main, "ToolbarButton971", U("開啟舊檔"), &TMainForm::FileOpen);
  AddButton(main, "ToolbarButton972", U("儲存檔案"), &TMainForm::FileSave);
  main->addSeparator();
  AddButton(main, "ToolbarButton973", U("復原"), &TMainForm::EditUndoItemClick);
  AddButton(main, "ToolbarButton976", U("剪下"), &TMainForm::EditCut);
  AddButton(main, "ToolbarButton975", U("複製"), &TMainForm::EditCopy);
  AddButton(main, "ToolbarButton977", U("貼上"), &TMainForm::EditPaste);
  main->addSeparator();
  AddButton(main, "ToolbarButton978", U("垂直並排"), &TMainForm::WindowVert);
  AddButton(main, "ToolbarButton979", U("水平並排"), &TMainForm::WindowTile);
  AddButton(main, "ToolbarButton9711", U("重疊顯示"), &TMainForm::WindowCascade);

  QToolBar* text = NewToolbar("tbText", U("文字區"));
  AddButton(text, "ToolbarButton9733", U("開啟舊檔"), &TMainForm::FileOpen);
  AddButton(text, "ToolbarButton9734", U("儲存檔案"), &TMainForm::FileSave);
  text->addSeparator();
  AddButton(text, "ToolbarButton9712", U("尋找差異記號"), &TMainForm::ToolbarButton9712Click);
  AddButton(text, "ToolbarButton9710", U("秀出圖形位置"), &TMainForm::ToolbarButton9710Click);
  AddButton(text, "ToolbarButton9714", U("選擇正確字串"), &TMainForm::ToolbarButton9714Click);
  QAction* all =
      AddButton(text, "ToolbarButton9713", U("尋找差異+秀圖+選字"), &TMainForm::ToolbarButton9713Click);
  all->setText("All");
  all->setIcon({});
  text->addSeparator();
  AddButton(text, "ToolbarButton9729", U("設定取代字串"), &TMainForm::N22Click);
  AddButton(text, "ToolbarButton9732", U("進行字串取代"), &TMainForm::N24Click);
  text->addSeparator();
  AddButton(text, "ToolbarButton9738", U("尋找與取代"), &TMainForm::N3Click);
  AddButton(text, "ToolbarButton9728", U("設定文字區字型"), &TMainForm::N19Click);
  AddButton(text, "ToolbarButton9731", U("書籤..."), &TMainForm::N21Click);

  QToolBar* special = NewToolbar("tbSpecial", U("圖形特殊設定區"));
  AddButton(special, "ToolbarButton9724", U("上欄第一字"), &TMainForm::ToolbarButton9724Click);
  AddButton(special, "ToolbarButton9723", U("中欄第一字"), &TMainForm::ToolbarButton9723Click);
  AddButton(special, "ToolbarButton9722", U("下欄第一字"), &TMainForm::ToolbarButton9722Click);
  special->addSeparator();
  AddButton(special, "ToolbarButton9719", U("上欄最後一字"), &TMainForm::ToolbarButton9719Click);
  AddButton(special, "ToolbarButton9720", U("中欄最後一字"), &TMainForm::ToolbarButton9720Click);
  AddButton(special, "ToolbarButton9721", U("下欄最後一字"), &TMainForm::ToolbarButton9721Click);
  special->addSeparator();
  AddButton(special, "ToolbarButton9726", U("上一張圖"), &TMainForm::ToolbarButton9716Click);
  AddButton(special, "ToolbarButton9727", U("下一張圖"), &TMainForm::ToolbarButton974Click);
  AddButton(special, "ToolbarButton9717", U("特殊欄的行偏移"), &TMainForm::ToolbarButton97117Click);

  QToolBar* image = NewToolbar("tbImage", U("圖形區"));
  AddButton(image, "ToolbarButton9718", U("開啟大正藏圖檔"), &TMainForm::ToolbarButton9718Click);
  AddButton(image, "ToolbarButton9725", U("儲存圖形偏移資訊"), &TMainForm::ToolbarButton9725Click);
  image->addSeparator();
  AddButton(image, "ToolbarButton9737", U("連續開啟圖檔"), &TMainForm::N7Click);
  image->addSeparator();
  AddButton(image, "ToolbarButton9716", U("上一張圖"), &TMainForm::ToolbarButton9716Click);
  AddButton(image, "ToolbarButton974", U("下一張圖"), &TMainForm::ToolbarButton974Click);
  AddButton(image, "ToolbarButton9715", U("圖形移至右上角"), &TMainForm::ToolbarButton9715Click);
  QAction* lines = AddButton(image, "ToolbarButton9730", U("切換圖形的中心線"), &TMainForm::N20Click);
  lines->setText(U("＋"));
  lines->setIcon({});
  if (QWidget* widget = image->widgetForAction(lines)) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, Qt::red);
    widget->setPalette(palette);
  }
  AddButton(image, "ToolbarButton9736", U("設定圖形比例"), &TMainForm::N25Click);

  QToolBar* bigOne = NewToolbar("tbBigOne", U("大按鈕"));
  QAction* big =
      AddButton(bigOne, "ToolbarButton9735", U("尋找差異+秀圖+選字"), &TMainForm::ToolbarButton9713Click);
  big->setText(U("尋秀選"));
  big->setIcon({});
  if (QWidget* widget = bigOne->widgetForAction(big)) {
    widget->setFixedSize(66, 66);
    widget->setFont(QFont(U("細明體"), 12));
  }

  for (QToolBar* bar : {main, text, special, image, bigOne}) AddFloatingCloseBox(bar);

  // The initial layout: two rows in the top dock.
  auto docked = [](int row, int pos) {
    ToolbarPlace place;
    place.DockRow = row;
    place.DockPos = pos;
    return place;
  };
  PlaceToolbars(this, {{main, docked(0, 0)},
                       {text, docked(0, 1)},
                       {special, docked(1, 0)},
                       {image, docked(1, 1)},
                       {bigOne, docked(1, 2)}});
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
  move(MainLeft, MainTop);
  resize(MainWidth, MainHeight);
}

void TMainForm::ReadScreen() {
  const zorvel::IniFile ini(LocalPath(IniFileName()));
  auto read = [&](const char* key, int& field) { field = ini.ReadInteger("Screen", key, field); };
  read("SaveScreen", SaveScreen);
  read("MainTop", MainTop);
  read("MainLeft", MainLeft);
  read("MainWidth", MainWidth);
  read("MainHeight", MainHeight);
  read("TextTop", TextTop);
  read("TextLeft", TextLeft);
  read("TextWidth", TextWidth);
  read("TextHeight", TextHeight);
  read("ImageTop", ImageTop);
  read("ImageLeft", ImageLeft);
  read("ImageWidth", ImageWidth);
  read("ImageHeight", ImageHeight);
}

namespace {

constexpr int kMinFrameWidth = 200, kMinFrameHeight = 150;
constexpr int kMinChildWidth = 100, kMinChildHeight = 60;

zorvel::WindowBounds Bounds(const QRect& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

void TMainForm::FitFrameToScreen() {
  QScreen* screen = QGuiApplication::screenAt(QPoint(MainLeft, MainTop));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const zorvel::WindowBounds fitted =
      zorvel::FitWindow({MainLeft, MainTop, MainWidth, MainHeight}, Bounds(screen->availableGeometry()),
                        kMinFrameWidth, kMinFrameHeight);
  MainLeft = fitted.Left;
  MainTop = fitted.Top;
  MainWidth = fitted.Width;
  MainHeight = fitted.Height;
}

QMdiSubWindow* TMainForm::AddChildWindow(QWidget* form, int top, int left, int width, int height) {
  QMdiSubWindow* window = clientArea_->addSubWindow(form);
  window->setObjectName(form->objectName() + "Window");
  // Inside the frame's bounds: a window that fits keeps its place, one that
  // does not comes back where the frame can show it.
  const zorvel::WindowBounds fitted = zorvel::FitWindow(
      {left, top, width, height}, {0, 0, MainWidth, MainHeight}, kMinChildWidth, kMinChildHeight);
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
void TMainForm::EditUndoItemClick() {
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

void TMainForm::A1Click() {
  bench_.TextForm().Editor().SelectAll();
}

void TMainForm::AttachTextForm(TTextForm* form) {
  AddChildWindow(form, TextTop, TextLeft, TextWidth, TextHeight);
  connect(form, &TTextForm::FileNameChanged, this, [this](const QString& path) { TextFileName = path; });
  connect(form, &TTextForm::CharactersReplaced, this, [this](int count) {
    statusLine_->showMessage(U("已將 %1 個 Big5 無法表示的字元改為 \"?\"").arg(count));
  });
}

void TMainForm::AttachImageForm(TImageForm* form) {
  AddChildWindow(form, ImageTop, ImageLeft, ImageWidth, ImageHeight);
  form->SetVolShift(&bench_.VolShift());
}

// Toolbar visibility. The check marks follow the toolbars when the submenu
// opens, so that a toolbar closed by its close box shows unchecked; each item
// then inverts its toolbar and its own mark.
void TMainForm::miToolBarClick() {
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

void TMainForm::miMainClick() {
  ToggleToolbar("tbMain");
}
void TMainForm::miTextClick() {
  ToggleToolbar("tbText");
}
void TMainForm::miImageClick() {
  ToggleToolbar("tbImage");
}
void TMainForm::miSpecialClick() {
  ToggleToolbar("tbSpecial");
}
void TMainForm::miBigOneClick() {
  ToggleToolbar("tbBigOne");
}

void TMainForm::miOptionClick() {
  bench_.OptionForm().exec();
}

// Text commands: the proofreading loop runs in the text window; the replacement
// table, find and replace, and bookmarks open their windows.
void TMainForm::ToolbarButton9712Click() {
  bench_.TextForm().FindSign();
}
void TMainForm::ToolbarButton9710Click() {
  bench_.TextForm().ShowWord();
}
void TMainForm::ToolbarButton9714Click() {
  bench_.TextForm().SelectWord();
}
void TMainForm::ToolbarButton9713Click() {
  bench_.TextForm().miAllClick();
}
void TMainForm::N22Click() {
  bench_.fmReplace().exec();
}
void TMainForm::N24Click() {
  bench_.fmReplace().RunReplaceTable();
}
void TMainForm::N3Click() {
  bench_.FindReplaceDialog().miFindReplaceClick();
}
void TMainForm::N19Click() {
  bench_.TextForm().N9Click();
}
void TMainForm::N21Click() {
  bench_.fmBookMark().exec();
}

// Image commands: the image window and the page dialogs carry them out.
void TMainForm::ToolbarButton9718Click() {
  bench_.LoadPictureForm().show();
  bench_.LoadPictureForm().raise();
  bench_.LoadPictureForm().activateWindow();
}
void TMainForm::ToolbarButton9725Click() {
  zorvel::SaveCalibrationOrAsk(bench_.VolShift(), bench_.Prompts(), zorvel::CalibrationSaveOccasion::Command);
}
void TMainForm::N7Click() {
  bench_.fmAutoLoadPicture().exec();
}
void TMainForm::ToolbarButton9716Click() {
  bench_.ImageForm().StepPicture(-1);
}
void TMainForm::ToolbarButton974Click() {
  bench_.ImageForm().StepPicture(+1);
}
void TMainForm::ToolbarButton9715Click() {
  bench_.ImageForm().GoRightTop();
}
void TMainForm::N20Click() {
  bench_.ImageForm().ToggleLines();
}
void TMainForm::ToolbarButton97117Click() {
  zorvel::OpenFieldShiftForm(bench_, false);
}
void TMainForm::N25Click() {
  bench_.fmSetRatio().exec();
}
// The first and the last character of each register, to check a page's
// calibration on the picture.
void TMainForm::ToolbarButton9724Click() {
  bench_.ImageForm().ShowPosition(0, 0, 0);
}
void TMainForm::ToolbarButton9723Click() {
  bench_.ImageForm().ShowPosition(1, 0, 0);
}
void TMainForm::ToolbarButton9722Click() {
  bench_.ImageForm().ShowPosition(2, 0, 0);
}
void TMainForm::ToolbarButton9719Click() {
  bench_.ImageForm().ShowPosition(0, 28, 16);
}
void TMainForm::ToolbarButton9720Click() {
  bench_.ImageForm().ShowPosition(1, 28, 16);
}
void TMainForm::ToolbarButton9721Click() {
  bench_.ImageForm().ShowPosition(2, 28, 16);
}

void TMainForm::HelpAboutItemClick() {
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

// The close sequence: the unsaved text, then section "Screen" and the toolbar
// layout.
bool TMainForm::FormCloseQuery() {
  if (bench_.TextForm().Editor().Modified()) {
    switch (bench_.Prompts().AskYesNoCancel("文件已修改, 是否儲存?")) {
      case zorvel::Answer::Cancel:
        return false;
      case zorvel::Answer::Yes:
        bench_.TextForm().FileSave();
        // A save that did not happen (its dialog cancelled, or the file not
        // writable) keeps the window open rather than losing the changes.
        if (bench_.TextForm().Editor().Modified()) return false;
        break;
      case zorvel::Answer::No:
        break;
    }
  }
  switch (WriteLayout()) {
    case LayoutWrite::Written:
      return true;
    case LayoutWrite::NotWritable:
      return bench_.Prompts().AskYesNo("警告 : zorvel.ini 無法寫入! 是否確定結束?");
    case LayoutWrite::Failed:
      bench_.Prompts().Error("Unable to write to " + IniFileName().toStdString());
      return false;
  }
  return false;
}

// The layout of the three windows into the fields, then section "Screen" and
// the toolbar layout into zorvel.ini. The first write tells whether the file
// can be written at all.
TMainForm::LayoutWrite TMainForm::WriteLayout() {
  auto geometryOf = [](QMdiSubWindow* window, int& top, int& left, int& width, int& height) {
    if (!window) return;
    const QRect bounds =
        window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    if (!bounds.isValid()) return;
    top = bounds.top();
    left = bounds.left();
    width = bounds.width();
    height = bounds.height();
  };
  const QRect main = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  MainTop = pos().y();
  MainLeft = pos().x();
  MainWidth = main.width();
  MainHeight = main.height();
  geometryOf(TextSubWindow(), TextTop, TextLeft, TextWidth, TextHeight);
  geometryOf(SubWindowOf(&bench_.ImageForm()), ImageTop, ImageLeft, ImageWidth, ImageHeight);

  const QString path = IniFileName();
  zorvel::IniFile ini(LocalPath(path));
  if (!ini.WriteInteger("Screen", "SaveScreen", SaveScreen)) return LayoutWrite::NotWritable;
  const std::pair<const char*, int> keys[] = {
      {"MainTop", MainTop},       {"MainLeft", MainLeft},     {"MainWidth", MainWidth},
      {"MainHeight", MainHeight}, {"TextTop", TextTop},       {"TextLeft", TextLeft},
      {"TextWidth", TextWidth},   {"TextHeight", TextHeight}, {"ImageTop", ImageTop},
      {"ImageLeft", ImageLeft},   {"ImageWidth", ImageWidth}, {"ImageHeight", ImageHeight},
  };
  bool written = true;
  for (const auto& [key, value] : keys) {
    if (!ini.WriteInteger("Screen", key, value)) {
      written = false;
      break;
    }
  }
  if (written) written = SaveToolbarLayout(this, Toolbars(), ini);
  return written ? LayoutWrite::Written : LayoutWrite::Failed;
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
