#pragma once
// The MDI frame: menu bar, five dockable toolbars, the status line and the
// client area that holds the text window and the image window. The menus and
// toolbars come from the command table and run their commands through the
// workbench. The frame keeps the window layout in section "Screen" of
// zorvel.ini, the texts of 最近開啟, and guards closing.

#include <QMainWindow>
#include <QString>
#include <memory>

#include "core/settings/command_table.h"
#include "core/settings/recent_texts.h"
#include "core/settings/screen_layout.h"
#include "core/settings/settings_file.h"

class LoupeController;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class TImageForm;
class TTextForm;
namespace zorvel {
enum class OpenResult;
}

class Workbench;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(Workbench& bench, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The working folder at start; zorvel.ini and the calibration files live here.
  QString StartFolder;
  // Full path of the proof text; empty until a file is opened or saved.
  QString TextFileName;

  // Window layout, as section "Screen" holds it. Main: the frame on the screen;
  // Text and Image: the two windows inside the client area.
  zorvel::ScreenLayout Screen;
  // Section "Recent": the last text with the cursor's place in it, and the
  // texts of 檔案 → 最近開啟. Noted at each open and at close.
  zorvel::RecentTexts Recent;

  QMdiArea* ClientArea() const { return clientArea_; }
  QStatusBar* StatusLine() const { return statusLine_; }
  // StartFolder joined with "zorvel.ini".
  QString IniFileName() const;

  // Puts a window's widget into an MDI child of the client area at the given
  // bounds. The child's title follows the widget's window title.
  QMdiSubWindow* AddChildWindow(QWidget* form, const zorvel::WindowBounds& bounds);
  // The two working windows, each placed from its layout fields. The main window
  // follows the text window's file name and shows its notices on the status line.
  void AttachTextForm(TTextForm* form);
  void AttachImageForm(TImageForm* form);

  // The five toolbars, by name ("tbMain", "tbText", "tbImage", "tbSpecial",
  // "tbBigOne"); nullptr for any other name.
  QToolBar* Toolbar(const QString& name) const;
  // The five in the order of their sections in zorvel.ini.
  QList<QToolBar*> Toolbars() const;

  // The close sequence. FormCloseQuery asks what has to be asked and writes the
  // layout; false keeps the window open. FormClose runs once the close is agreed.
  bool FormCloseQuery();
  // Saves the calibration store if it holds changes; false when that failed and
  // the operator chose not to close.
  bool SaveCalibrationBeforeClose();
  void FormClose();
  // The exit on a logout or shutdown (SIGTERM, SIGHUP): what a close writes,
  // without its questions, since nobody is there to answer them. The unsaved
  // text goes to its recovery file, never over the text itself.
  void SaveForExit();

  // The text at start: the one given (a text that cannot be read is told as
  // any open does, and the window stays empty), or without one the text last
  // worked on, with the cursor where it was and its page and cross shown.
  void OpenStartText(const QString& path);
  // Opens a text as 開啟舊檔 does (the question about unsaved work, the
  // messages), without the file dialog. True when it was opened.
  bool OpenText(const QString& path);
  // An item of 最近開啟: a text looked for and gone leaves the list.
  void OpenRecentText(const QString& path);
  QMenu* RecentMenu() const { return recentMenu_; }
  // The main-menu item of a command; nullptr for a command that only has
  // toolbar buttons.
  QAction* CommandItem(zorvel::CommandId id) const;

  // The image window on the left and the text window on the right, or the
  // windows one above the other, the active one on top.
  void TileSideBySide();
  void TileInRows();
  // The loupe beside the image window, docked or floating; its state, zoom
  // and place are kept in section "Loupe" of zorvel.ini. Made with the image
  // window.
  LoupeController* Loupe() const { return loupe_.get(); }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void ReadScreen();
  // Keeps the frame's saved bounds on the screen it starts on.
  void FitFrameToScreen();
  // The one write of the close.
  zorvel::IniWrite WriteLayout();
  zorvel::OpenResult OpenTextFile(const QString& path);
  void NoteRecentText(const QString& path);
  void FillRecentMenu();
  QMdiSubWindow* TextSubWindow() const;

  QMdiArea* clientArea_ = nullptr;
  QStatusBar* statusLine_ = nullptr;
  // Destroyed before the frame's children, among them the loupe's dock.
  std::unique_ptr<LoupeController> loupe_;
  QMenu* recentMenu_ = nullptr;

 private:
  Workbench& bench_;
};
