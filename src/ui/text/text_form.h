#pragma once
// The text window: the MDI child that holds the proof text in its edit control
// RichEdit, the popup menu TextPopupMenu, the font command and the document
// operations. The rules of the document operations live in core
// (zorvel::TextDocument); this window wires them to widgets and dialogs.

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/proof/line_head_watch.h"
#include "core/text/text_editor.h"
#include "core/text/unsaved_changes.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace zorvel {
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

  // The path of the document; empty until a file is opened or saved under a name.
  QString FileName() const;
  // The path and caption of a text loaded without the open dialog (a bookmark jump).
  void SetFileName(const QString& path);

  // The dialogs, replaceable so that tests can script them. An empty string or
  // false means cancelled. By default they show the real dialogs.
  std::function<QString()> OpenFileNameHook;
  std::function<QString()> SaveFileNameHook;
  std::function<bool(QFont& font)> FontDialogHook;

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

  TextSession& text_;
  zorvel::QtTextEditor* editor_ = nullptr;
  zorvel::TextDocument* document_ = nullptr;
  QMenu* textPopupMenu_ = nullptr;
  // The lines around the cursor before the operator's edit that runs now.
  std::optional<zorvel::LineHeadWatch> lineHeadWatch_;

 private:
  Workbench& bench_;
};
