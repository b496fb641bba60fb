#pragma once
// The MDI frame: menu bar, five dockable toolbars, the status line and the
// client area that holds the text window and the image window. It routes the
// commands to the windows that carry them out, keeps the window layout in
// section "Screen" of zorvel.ini and guards closing.

#include <QKeySequence>
#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class TImageForm;
class TTextForm;
namespace zorvel {
class CVolShift;
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
  int SaveScreen = 1;
  int MainTop = 0, MainLeft = 0, MainWidth = 400, MainHeight = 400;
  int TextTop = 0, TextLeft = 0, TextWidth = 100, TextHeight = 400;
  int ImageTop = 0, ImageLeft = 100, ImageWidth = 300, ImageHeight = 400;

  QMdiArea* ClientArea() const { return clientArea_; }
  QStatusBar* StatusLine() const { return statusLine_; }
  // StartFolder joined with "zorvel.ini".
  QString IniFileName() const;

  // Puts a window's widget into an MDI child of the client area at the given
  // bounds. The child's title follows the widget's window title.
  QMdiSubWindow* AddChildWindow(QWidget* form, int top, int left, int width, int height);
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

 public slots:
  // File menu
  void FileOpen();
  void FileSave();
  void FileSaveAs();
  void FileExit();
  // Edit menu: they act on the text window's editor whatever window is active.
  void EditUndoItemClick();
  void EditCut();
  void EditCopy();
  void EditPaste();
  void A1Click();
  // Tools menu
  void miToolBarClick();
  void miMainClick();
  void miTextClick();
  void miImageClick();
  void miSpecialClick();
  void miBigOneClick();
  void miOptionClick();
  // Text commands
  void ToolbarButton9712Click();
  void ToolbarButton9710Click();
  void ToolbarButton9714Click();
  void ToolbarButton9713Click();
  void N22Click();
  void N24Click();
  void N3Click();
  void N19Click();
  void N21Click();
  // Image commands
  void ToolbarButton9718Click();
  void ToolbarButton9725Click();
  void N7Click();
  void ToolbarButton9716Click();
  void ToolbarButton974Click();
  void ToolbarButton9715Click();
  void N20Click();
  void ToolbarButton97117Click();
  void N25Click();
  void ToolbarButton9724Click();
  void ToolbarButton9723Click();
  void ToolbarButton9722Click();
  void ToolbarButton9719Click();
  void ToolbarButton9720Click();
  void ToolbarButton9721Click();
  // Window menu
  void WindowVert();
  void WindowTile();
  void WindowCascade();
  // Help menu
  void HelpAboutItemClick();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolbars();
  void FormCreate();
  void ReadScreen();
  // Keeps the frame's saved bounds on the screen it starts on.
  void FitFrameToScreen();
  bool WriteScreen();
  enum class LayoutWrite { Written, NotWritable, Failed };
  LayoutWrite WriteLayout();
  void ToggleToolbar(const char* toolbarName);
  QMdiSubWindow* TextSubWindow() const;
  QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*handler)(),
                       const QKeySequence& shortcut = {}, const QString& hint = {});
  QAction* AddButton(QToolBar* bar, const char* name, const QString& hint, void (TMainForm::*handler)());
  QToolBar* NewToolbar(const char* name, const QString& caption);

  QMdiArea* clientArea_ = nullptr;
  QStatusBar* statusLine_ = nullptr;
  bool closeAgreed_ = false;

 private:
  Workbench& bench_;
};
