#pragma once
// The text window's recovery file: the two-minute timer of the periodic write,
// the editor's change notices, and the text taken for the background write.
// The rules live in zorvel::DocumentRecovery.

#include <QObject>
#include <QString>
#include <memory>

class QTimer;

namespace zorvel {
class DocumentRecovery;
class Prompts;
class QtTextEditor;
class TextDocument;
}  // namespace zorvel

class TextRecovery : public QObject {
  Q_OBJECT

 public:
  // Milliseconds between two periodic writes.
  static constexpr int kAutoSaveInterval = 2 * 60 * 1000;

  // unnamedFolder holds the recovery file of a text without a name.
  TextRecovery(zorvel::QtTextEditor& editor, zorvel::TextDocument& document, const QString& unnamedFolder,
               zorvel::Prompts& prompts);
  ~TextRecovery() override;

  zorvel::DocumentRecovery& Rules() { return *rules_; }
  QTimer* AutoSaveTimer() const { return timer_; }

 private:
  std::unique_ptr<zorvel::DocumentRecovery> rules_;
  QTimer* timer_ = nullptr;
};
