#pragma once
// Keeps the unsaved text of the document in its recovery file (recovery_file.h)
// and offers that file back when the text is opened again.
//
// - While the text is modified, AutoSave (run every two minutes by the window)
//   copies it to the recovery file on the writer's worker thread.
// - A logout or shutdown runs SaveForExit, which writes it at once.
// - A successful save, a discarded text (another file opened, the program
//   closed after "No") or a text back to unmodified removes the file again.
// - Opening a text with a recovery file at least as new asks whether to restore
//   it (the recovered text comes in modified, under the text's own name, and
//   nothing is written over the text until the operator saves), delete it or
//   keep it.
// - A recovery file this run did not write or restore is never overwritten: it
//   is moved aside to a ".kept" name before this run writes its own.

#include <functional>
#include <set>
#include <string>

#include "core/prompts.h"
#include "core/text/recovery_file.h"
#include "core/text/text_document.h"
#include "core/text/text_editor.h"

namespace zorvel {

class DocumentRecovery {
 public:
  // unnamedFolder holds the recovery file of a text that has no name yet.
  // Installs itself as the document's OnLoading and OnSaved.
  DocumentRecovery(TextEditor& editor, TextDocument& document, std::function<Prompts&()> prompts,
                   std::string unnamedFolder);
  ~DocumentRecovery();
  DocumentRecovery(const DocumentRecovery&) = delete;
  DocumentRecovery& operator=(const DocumentRecovery&) = delete;

  // Takes the text to write in the background. Runs on the caller's thread and
  // returns what the worker runs; by default it copies editor.Text().
  std::function<RecoveryWriter::Producer()> Snapshot;

  // The recovery file of the document as it is named now.
  std::string RecoveryPath() const;
  // The text changed since the last recovery write.
  void NoteChange() { changed_ = true; }
  // The periodic write: in the background, only when the text is modified and
  // changed since the last write. Reports once per file a write that failed.
  void AutoSave();
  // Writes the modified text now (a logout or shutdown) and stops every later
  // write or removal. False when the write failed.
  bool SaveForExit();
  // The program closes normally: the text was saved or deliberately discarded.
  void SessionClosed();
  // The document was saved.
  void Saved();
  // A text was read from path; may replace bytes by the recovered text (then
  // true: the document stays modified).
  bool Loading(const std::string& path, std::string& bytes);

  RecoveryWriter& Writer() { return writer_; }

  static std::string RestoreQuestion(const std::string& textPath);
  static std::string WriteFailedWarning(const std::string& recoveryPath);

 private:
  void Release();
  void MoveAsideForeign(const std::string& path);

  TextEditor& editor_;
  TextDocument& document_;
  std::function<Prompts&()> prompts_;
  std::string unnamedFolder_;
  RecoveryWriter writer_;
  std::string owned_;  // the recovery file this run wrote or restored
  bool changed_ = false;
  bool frozen_ = false;
  std::set<std::string> warned_;
};

}  // namespace zorvel
