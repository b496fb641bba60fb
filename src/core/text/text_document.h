#pragma once
// The document operations of the text window: open, save, save as and the
// question at close, over the edit control (TextEditor), the prompts and the
// file dialogs. The window only wires them to its menus.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompts.h"
#include "core/text/text_editor.h"
#include "core/text/text_file.h"
#include "core/text/unsaved_changes.h"

namespace zorvel {

// The longest line that is opened for editing, in bytes. The edit control lays
// out a whole line at each change and each move of the cursor, so a longer
// line (a text whose line ends were lost) would freeze the window; proof text
// lines are a few hundred bytes at most.
constexpr int kMaxEditableLineLength = 8192;

struct LongLine {
  int Line = 0;    // from 0
  int Length = 0;  // bytes, without the line break
};
// The first line longer than limit bytes, if any.
std::optional<LongLine> FindLongLine(std::string_view bytes, int limit = kMaxEditableLineLength);
// "第 3 行長達 10485760 位元組, 超過可編輯的上限 8192 位元組. 是否以唯讀方式開啟?"
std::string LongLineQuestion(const LongLine& line);

// Loads a file's bytes into the editor: for editing, or, when a line is too
// long to edit, read-only if the operator agrees to the question. False when
// the operator declined: nothing was loaded.
bool LoadTextBytes(TextEditor& editor, std::string_view bytes, Prompts& prompts);

// The file dialogs as the document operations see them. Paths are UTF-8; an
// empty path means the dialog was cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::string OpenFileName() = 0;
  virtual std::string SaveFileName() = 0;
};

// What came of opening a named file (TextDocument::OpenFile).
enum class OpenResult {
  Opened,
  Stopped,    // the question about unsaved work stopped it: no file was looked for
  NotOpened,  // the file was looked for and not opened (missing, unreadable, too
              // large, or a long line the operator would not open read-only)
};

class TextDocument {
 public:
  // prompts is asked for each time, so that the prompts in use may change.
  TextDocument(TextEditor& editor, std::function<Prompts&()> prompts, FileDialogs& dialogs);

  // The path of the document; empty until a file is opened or saved under a name.
  const std::string& FileName() const { return fileName_; }
  // The window caption: the path, or "(no file)"; " (唯讀)" after the path of
  // a text opened read-only.
  std::string Caption() const;
  // Called after the path changed.
  std::function<void()> OnFileNameChanged;
  // Sets the path (and so the caption) of a text loaded without the open
  // dialog, as a bookmark jump does.
  void SetFileName(const std::string& path);
  // Called by FileOpen and OpenFile with a text just read, before it is shown:
  // may put other
  // bytes in its place (a recovered text) and then returns true, which leaves
  // the document modified.
  std::function<bool(const std::string& path, std::string& bytes)> OnLoading;
  // Called after the document was written to its file (the recovery file's
  // hook), then AfterSave (what the windows show of it).
  std::function<void()> OnSaved;
  std::function<void()> AfterSave;

  // Each returns true when it did what it was asked.
  bool FileOpen();
  // FileOpen with path in place of the open dialog's answer: the question
  // about unsaved work, the read and its messages.
  OpenResult OpenFile(const std::string& path);
  SaveResult FileSave();
  SaveResult FileSaveAs();
  // The question at close; false keeps the program running.
  bool CloseQuery();

  static constexpr std::string_view kModifiedQuestion = kTextModifiedQuestion;

 private:
  bool SettleBeforeOpen();
  bool Load(const std::string& path);
  SaveResult WriteTo(const std::string& path);

  TextEditor& editor_;
  std::function<Prompts&()> prompts_;
  FileDialogs& dialogs_;
  std::string fileName_;
};

}  // namespace zorvel
