#pragma once
// The text window: the MDI child that holds the proof text in its edit control
// RichEdit, the popup menu TextPopupMenu, the font command and the document
// operations. The rules of the document operations live in core
// (zorvel::TextDocument); this window wires them to widgets and dialogs.

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/proof/line_head_watch.h"
#include "core/proof/mark_counter.h"
#include "core/text/text_editor.h"
#include "core/text/unsaved_changes.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QTimer;

namespace zorvel {
class DecisionLog;
class DecisionSink;
class QtTextEditor;
class TextDocument;
class TextProofreader;
struct Settings;
}  // namespace zorvel
class TextRecovery;
class TextSession;

class Workbench;

class TTextForm : public QWidget {
  Q_OBJECT

 public:
  // text is the workbench's proof text, which the window shows and works on.
  TTextForm(Workbench& bench, TextSession& text, QWidget* parent = nullptr);
  ~TTextForm() override;

  zorvel::TextEditor& Editor();
  QPlainTextEdit* RichEdit() const;
  QMenu* TextPopupMenu() const { return textPopupMenu_; }

  // Document operations (File menu, toolbar and popup menu).
  void FileOpen();
  zorvel::SaveResult FileSave();
  zorvel::SaveResult FileSaveAs();
  // The question at close: false when the operator cancelled.
  bool CloseQuery();
  // The recovery file of the unsaved text (periodic write, exit write, offer on open).
  TextRecovery& Recovery();
  // The font command "設定字型...".
  void ChooseFont();

  // The proofreading loop over this window's editor, the options dialog's
  // settings and the image window.
  zorvel::TextProofreader& Proofreader();
  // F2, F3, F4 and F1 (popup menu, main window menu, toolbars and hot keys).
  // While the choice window waits for an answer, F4 and F1 bring it to the
  // front instead of starting a second choice inside the first.
  bool FindSign();
  bool ShowWord();
  void SelectWord();
  void RunLoop();
  // "上一個差異": selects the nearest opening token before the cursor.
  bool FindPreviousSign();
  // "到指定行首": asks for a line head (or a short form of one), puts the
  // cursor at the start of that line's text and shows its first character on
  // the page. A form that cannot be read, or a line the text does not have, is
  // told and the cursor stays.
  void GoToLineHead();
  // A Ctrl+click on the page, at a point in full-size page pixels: the cursor
  // goes to the character printed there and F3 shows it; where the text has no
  // such line, or the point is on no character, the status line says so.
  void GoToPagePoint(int pageX, int pageY);

  // Where the choices and replacements on the current text are logged:
  // NAME.log.tsv beside it; null while the text has no name.
  zorvel::DecisionSink* Decisions();

  // The path of the document; empty until a file is opened or saved under a name.
  QString FileName() const;
  // The path and caption of a text loaded without the open dialog (a bookmark jump).
  void SetFileName(const QString& path);

  // The dialogs, replaceable so that tests can script them. An empty string or
  // false means cancelled. By default they show the real dialogs.
  std::function<QString()> OpenFileNameHook;
  std::function<QString()> SaveFileNameHook;
  std::function<bool(QFont& font)> FontDialogHook;
  // The line head typed for "到指定行首"; false when cancelled.
  std::function<bool(QString& input)> LineHeadInputHook;

 signals:
  // Typed, pasted or dropped characters that Big5 cannot hold were replaced by
  // "?"; count is how many.
  void CharactersReplaced(int count);
  // The document's path changed (after an open or a save under a new name).
  void FileNameChanged(const QString& path);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The close box minimizes the window, as an MDI child does by default: the
  // window and its document live until the program ends.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPopupMenu();
  void FormCreate();
  void UpdateCaption();
  const zorvel::Settings& CurrentSettings() const;
  bool ChoiceWaiting();
  QStatusBar* StatusLine() const;
  // The decision log follows the text's name.
  void OpenDecisionLog();
  // The mark count on the status line is brought up to date once control
  // returns to the event loop, so that a run of edits counts once.
  void MarkCountChanged();
  void ShowMarkCount();

  TextSession& text_;
  zorvel::QtTextEditor* editor_ = nullptr;
  zorvel::TextDocument* document_ = nullptr;
  QMenu* textPopupMenu_ = nullptr;
  // The lines around the cursor before the operator's edit that runs now.
  std::optional<zorvel::LineHeadWatch> lineHeadWatch_;
  // The opening tokens of every line, kept up to date edit by edit; stale
  // after a new text was loaded, until the next count.
  zorvel::MarkCounter markCounter_;
  bool markCountStale_ = true;
  QTimer* markCountTimer_ = nullptr;
  QPointer<QLabel> markCount_;  // on the main window's status line
  std::unique_ptr<zorvel::DecisionLog> decisionLog_;
  QString lastLineHeadInput_;

 private:
  Workbench& bench_;
};
