#pragma once
// The proof text for the whole run: the edit control that holds it, the
// document operations on it (open, save, the question at close), its recovery
// file and the proofreading loop's working fields. The workbench owns it and
// the text window works on it. The edit control is a widget: while the text
// window lives it sits in the window's client area, and the window hands it
// back when it goes, so that the text never depends on the window.

#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace zorvel {
class Prompts;
class QtTextEditor;
class TextDocument;
class TextProofreader;
struct Settings;
}  // namespace zorvel
class TextRecovery;

class TextSession {
 public:
  // unnamedFolder holds the recovery file of a text without a name.
  TextSession(const zorvel::Settings& settings, zorvel::Prompts& prompts, const QString& unnamedFolder);
  ~TextSession();
  TextSession(const TextSession&) = delete;
  TextSession& operator=(const TextSession&) = delete;

  zorvel::QtTextEditor& Editor() { return *editor_; }
  zorvel::TextDocument& Document() { return *document_; }
  TextRecovery& Recovery() { return *recovery_; }
  // F1 to F4 over the editor; the page view is set by whoever shows the pages.
  zorvel::TextProofreader& Proofreader() { return *proofreader_; }

  // The file dialogs the document operations ask (UTF-8 paths, empty when
  // cancelled); the text window puts its own in place. Unset: cancelled.
  std::function<std::string()> OpenFileName;
  std::function<std::string()> SaveFileName;

 private:
  class Dialogs;
  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<zorvel::QtTextEditor> editor_;
  std::unique_ptr<zorvel::TextDocument> document_;
  std::unique_ptr<TextRecovery> recovery_;  // after document_: it goes first
  std::unique_ptr<zorvel::TextProofreader> proofreader_;
};
